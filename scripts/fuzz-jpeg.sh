#!/usr/bin/env bash
# Fuzzes the JPEG decoder with libFuzzer for a bounded time, seeded with the logo.
#   scripts/fuzz-jpeg.sh [seconds] [work folder]
# Exits 77 (skipped) when clang with libFuzzer is not there, 0 when no input crashed.
set -euo pipefail
seconds=${1:-30}
work=${2:-build/fuzz}
top=$(cd "$(dirname "$0")/.." && pwd)
command -v clang++ >/dev/null || { echo "clang++ not found: fuzzing skipped"; exit 77; }
mkdir -p "$work/corpus" "$work/crashes"
cp "$top/assets/logo.jpg" "$work/corpus/"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$top" "$top/tests/fuzz/jpeg_fuzz.cpp" "$top/image/jpeg.cpp" -ljpeg -o "$work/jpeg_fuzz"
"$work/jpeg_fuzz" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/crashes/" \
  "$work/corpus" 2>&1 | grep -E 'stat::number_of_executed_units|stat::peak_rss|Done|ERROR|SUMMARY|crash' || true
[[ -z "$(ls -A "$work/crashes")" ]] || { echo "fuzzing found crashing inputs in $work/crashes"; exit 1; }
echo "fuzzing: no crash in ${seconds} s"
