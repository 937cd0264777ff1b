#!/usr/bin/env bash
# Builds the registry file parser's fuzz target with clang and runs it for a bounded time.
# Usage: scripts/fuzz.sh [seconds]   (default 30)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
"$root/scripts/setup.sh"
dir="$root/build-fuzz"
CXX=clang++ cmake -S "$root/tests/fuzz" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/tests/fuzz/corpus/"* "$work/"
"$dir/regfile_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$work" 2>&1 | tail -n 15
