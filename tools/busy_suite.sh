#!/usr/bin/env bash
# Runs the whole of `make test` N times (3 unless given) with two busy loops beside it: two
# processes spinning at normal priority, as on a 2-core machine that does other work. Prints each
# run's time, exit status and failed tests, and exits non-zero when any run failed.
#   tools/busy_suite.sh 3
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
logs=${BUSY_LOGS:-build-busy}
mkdir -p "$logs"

spinners=()
for _ in 1 2; do
  (while :; do :; done) &
  spinners+=($!)
done
trap 'kill "${spinners[@]}" 2>/dev/null' EXIT

failed=0
for run in $(seq 1 "$runs"); do
  log="$logs/run-$run.log"
  started=$(date +%s)
  make test >"$log" 2>&1
  status=$?
  took=$(($(date +%s) - started))
  # ctest lists what failed after this line, once for each build it ran.
  failures=$(awk '/The following tests FAILED:/ {listing = 1; next} listing && /^[[:space:]]+[0-9]+ - / {print $3} \
                  listing && !/^[[:space:]]+[0-9]+ - / {listing = 0}' "$log" | paste -sd ' ' -)
  passed=$(grep -E '^[0-9]+% tests passed' "$log" | paste -sd ';' -)
  echo "run $run: ${took} s, exit $status; ${passed:-no test summary}; failed: ${failures:-none} (log: $log)"
  [[ $status -eq 0 ]] || failed=1
done
exit $failed
