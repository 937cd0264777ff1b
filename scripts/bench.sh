#!/usr/bin/env bash
# Builds and runs the benchmarks: the copy callback per format, then lag and CPU time through a
# private JACK server (as root, in its own namespace).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
"$root/build/bench/callback_bench"
"$root/tests/run-in-jack-namespace.sh" "$root/build/bench/pass_bench"
