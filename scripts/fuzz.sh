#!/usr/bin/env bash
# Fuzzes one of the readers of outside input with libFuzzer for a bounded time:
#   jpeg    the JPEG decoder, seeded with the logo and tests/fuzz/jpeg-corpus (a baseline, a
#           progressive, a truncated and an empty file, and one whose header claims 60000 x
#           60000 pixels)
#   design  the design text's reader, seeded with tests/fuzz/design-corpus
#   scripts/fuzz.sh jpeg|design [seconds] [work folder]
# Any input that takes over 5 s, or makes the process pass 1 GiB, counts as a failure.
# Exits 77 (skipped) when clang with libFuzzer is not there, 0 when no input failed.
set -euo pipefail
target=${1:?jpeg or design}
seconds=${2:-30}
work=${3:-build/fuzz}/$target
top=$(cd "$(dirname "$0")/.." && pwd)
command -v clang++ >/dev/null || { echo "clang++ not found: fuzzing skipped"; exit 77; }
mkdir -p "$work/corpus" "$work/crashes"
case "$target" in
  jpeg)
    cp "$top/assets/logo.jpg" "$top"/tests/fuzz/jpeg-corpus/*.jpg "$work/corpus/"
    sources=("$top/tests/fuzz/jpeg_fuzz.cpp" "$top/image/jpeg.cpp" -ljpeg) ;;
  design)
    cp "$top"/tests/fuzz/design-corpus/*.txt "$work/corpus/"
    sources=("$top/tests/fuzz/design_fuzz.cpp" "$top/model/design_text.cpp" "$top/model/recount.cpp"
             "$top/model/visible_block.cpp") ;;
  *) echo "no fuzz target '$target'" >&2; exit 2 ;;
esac
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$top" "${sources[@]}" -o "$work/fuzz"
"$work/fuzz" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 -malloc_limit_mb=512 \
  -print_final_stats=1 -artifact_prefix="$work/crashes/" "$work/corpus" 2>&1 |
  grep -E 'INITED|DONE|stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|crash|timeout|oom' || true
[[ -z "$(ls -A "$work/crashes")" ]] || { echo "fuzzing found failing inputs in $work/crashes"; exit 1; }
echo "fuzzing $target: no failing input in ${seconds} s; corpus now $(ls "$work/corpus" | wc -l) inputs"
