#!/usr/bin/env bash
# The window's memory while it holds a list: opens each FILE in the desktop
# application (offscreen platform), waits until its resident memory has
# settled, and prints the resident and peak resident memory in MB.
#
#   bench/window_memory.sh [BUILD_DIR] FILE...     (default build/bench)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$here/../build/bench"
if [ $# -gt 0 ] && [ -d "$1" ]; then
  build="$1"
  shift
fi
app="$build/src/ui/tamsel"
[ -x "$app" ] || { echo "no tamsel in $build/src/ui: build the 'bench' preset first" >&2; exit 1; }
[ $# -gt 0 ] || { echo "usage: $0 [BUILD_DIR] FILE..." >&2; exit 2; }

kb() { awk -v key="$1:" '$1 == key {print $2}' "/proc/$2/status"; }
echo "| file | resident MB, holding the list | peak resident MB |"
echo "| --- | ---: | ---: |"
for file in "$@"; do
  QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$app" "$file" >/dev/null 2>&1 &
  pid=$!
  # Settled: the same figure, within 1 MB, for three seconds in a row (at most a minute).
  last=0 same=0
  for ((i = 0; i < 60 && same < 3; i++)); do
    sleep 1
    now="$(kb VmRSS "$pid")"
    [ -n "$now" ] || break
    if ((now - last < 1024 && last - now < 1024)); then same=$((same + 1)); else same=0; fi
    last=$now
  done
  awk -v f="$(basename "$file")" -v r="$(kb VmRSS "$pid")" -v p="$(kb VmHWM "$pid")" \
    'BEGIN {printf "| %s | %.0f | %.0f |\n", f, r / 1024, p / 1024}'
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
done
