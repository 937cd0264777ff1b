#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zelvo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Zelvo needs a display: none is set (DISPLAY). Start it from a desktop session, or run: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
exec "$root/build/app/Zelvo" "$@"
