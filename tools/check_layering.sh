#!/usr/bin/env bash
# The layering rule: game/ and present/ include no SDL header and no platform
# implementation file (only the service headers platform/*.h); game/ includes
# nothing from present/ or shell/. Prints every offending line; exit 1 if any.
set -u
cd "$(dirname "$0")/.."
status=0
report() {
  if [ -n "$1" ]; then
    echo "$2"
    echo "$1"
    status=1
  fi
}
sdl=$(grep -nE '#\s*include\s*[<"](SDL[^">]*|.*/SDL[^">]*)[">]' game/* present/* 2>/dev/null)
report "$sdl" "SDL included in game/ or present/:"
impl=$(grep -nE '#\s*include\s*"platform/(sdl|headless|common)/' game/* present/* 2>/dev/null)
report "$impl" "platform implementation included in game/ or present/:"
upward=$(grep -nE '#\s*include\s*"(present|shell)/' game/* 2>/dev/null)
report "$upward" "game/ includes present/ or shell/:"
[ $status -eq 0 ] && echo "layering ok"
exit $status
