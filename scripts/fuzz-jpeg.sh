#!/usr/bin/env bash
# Fuzzes the JPEG decoder with libFuzzer for a bounded time, seeded with the logo and the small
# corpus in tests/fuzz/corpus (a baseline, a progressive, a truncated and an empty file, and one
# whose header claims 60000 x 60000 pixels).
#   scripts/fuzz-jpeg.sh [seconds] [work folder]
# Any input that takes over 5 s, or makes the process pass 1 GiB, counts as a failure.
# Exits 77 (skipped) when clang with libFuzzer is not there, 0 when no input failed.
set -euo pipefail
seconds=${1:-30}
work=${2:-build/fuzz}
top=$(cd "$(dirname "$0")/.." && pwd)
command -v clang++ >/dev/null || { echo "clang++ not found: fuzzing skipped"; exit 77; }
mkdir -p "$work/corpus" "$work/crashes"
cp "$top/assets/logo.jpg" "$top"/tests/fuzz/corpus/*.jpg "$work/corpus/"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$top" "$top/tests/fuzz/jpeg_fuzz.cpp" "$top/image/jpeg.cpp" -ljpeg -o "$work/jpeg_fuzz"
"$work/jpeg_fuzz" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 -malloc_limit_mb=512 \
  -print_final_stats=1 -artifact_prefix="$work/crashes/" "$work/corpus" 2>&1 |
  grep -E 'INITED|DONE|stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|crash|timeout|oom' || true
[[ -z "$(ls -A "$work/crashes")" ]] || { echo "fuzzing found failing inputs in $work/crashes"; exit 1; }
echo "fuzzing: no failing input in ${seconds} s; corpus now $(ls "$work/corpus" | wc -l) inputs"
