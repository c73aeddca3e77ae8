#!/usr/bin/env bash
# Builds the settings-reader fuzz target with clang's libFuzzer and runs it.
#   tests/fuzz/run_settings_fuzz.sh [seconds] [extra libFuzzer options...]
# The seed corpus is tests/fuzz/settings_corpus; new inputs go to a scratch
# corpus under the build directory, so the seeds stay as they are.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-60}
shift || true
out=${SKYWARD_FUZZ_DIR:-$root/build-fuzz}
mkdir -p "$out/settings_corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root" "$here/settings_fuzz.cpp" "$root/shell/settings_text.cpp" -o "$out/settings_fuzz"
exec "$out/settings_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$out/" "$@" \
  "$out/settings_corpus" "$here/settings_corpus"
