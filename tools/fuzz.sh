#!/usr/bin/env bash
# Runs the fuzz targets of the sanitizer build, one after another at low priority, each for
# the given number of seconds, and prints what each ran and found.
# Usage: tools/fuzz.sh SECONDS [TARGET...]   (default: every target)
# Inputs that grew the coverage collect in build-asan/fuzz/<target>/; an input that made a
# target fail is saved as build-asan/fuzz/findings/<target>-*: copy it into
# tests/fuzz/corpus/<target>/ once the fault is mended, so the suite replays it for ever.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { sed -n '2,7s/^# \{0,1\}//p' "$0"; exit 2; }
seconds=$1
shift
source tools/setup.sh
ketab_install_packages
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in tests/fuzz/fuzz_*.cpp; do
    name=${src##*/fuzz_}
    targets+=("${name%.cpp}")
  done
fi
ketab_build_sanitized "${targets[@]/#/fuzz_}"

top=$(pwd)
supp=$top/tests/sanitizers
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
mkdir -p build-asan/fuzz/findings
status=0
for t in "${targets[@]}"; do
  work=build-asan/fuzz/$t
  mkdir -p "$work"
  log=build-asan/fuzz/$t.log
  rc=0
  nice -n 10 "build-asan/tests/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=20 \
    -rss_limit_mb=4096 -artifact_prefix="build-asan/fuzz/findings/$t-" "$work" "tests/fuzz/corpus/$t" \
    >"$log" 2>&1 || rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  added=$(sed -n 's/^stat::new_units_added: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  found=$(ls build-asan/fuzz/findings/ 2>/dev/null | grep -c "^$t-" || true)
  printf '%-12s %12s executions (%s/s), %s new inputs, exit %d, findings kept: %d\n' \
    "$t" "${execs:-?}" "${speed:-?}" "${added:-?}" "$rc" "$found"
  if [ "$rc" -ne 0 ]; then
    status=1
    grep -E -m 5 'ERROR|SUMMARY|check failed|deadly signal|runtime error' "$log" | sed 's/^/    /' || true
  fi
done
exit $status
