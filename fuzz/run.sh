#!/usr/bin/env bash
# Runs every fuzz_* program of a build folder for a bounded time each and
# prints one summary line per target (runs, executions per second, result).
#   fuzz/run.sh BUILD_DIR [SECONDS_PER_TARGET]
# New inputs go to BUILD_DIR/fuzz-corpus/<target>; the committed seeds in
# fuzz/corpus/<target> are only read. A crashing input is kept as
# BUILD_DIR/fuzz-artifacts/<target>-crash-<sha1>; copy it into
# fuzz/regressions/<target>/ to keep it.
set -uo pipefail
build=${1:?usage: fuzz/run.sh BUILD_DIR [SECONDS]}
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
status=0
summary=()
shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz/run.sh: no fuzz_* programs in $build/fuzz" >&2
  exit 1
fi
for exe in "${targets[@]}"; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  target=${name#fuzz_}
  work="$build/fuzz-corpus/$target"
  artifacts="$build/fuzz-artifacts"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$work" "$artifacts" "$(dirname "$log")"
  seeds=("$here/corpus/$target")
  [ -d "$here/regressions/$target" ] && seeds+=("$here/regressions/$target")
  dict=()
  [ -f "$here/$target.dict" ] && dict=("-dict=$here/$target.dict")
  echo "== $name: ${seconds}s"
  "$exe" "$work" "${seeds[@]}" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="$artifacts/$target-" >"$log" 2>&1
  rc=$?
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  speed=$(grep -oE 'stat::average_exec_per_sec: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+')
  if [ $rc -eq 0 ]; then
    result="no finding"
  else
    result="FAILED (exit $rc, see $log)"
    status=1
    grep -E 'ERROR|fuzz_[a-z]+:|SUMMARY|Test unit written' "$log" | head -8
  fi
  summary+=("$(printf '%-16s %10s runs %8s exec/s  cov %-6s %s' "$name" "${runs:-?}" "${speed:-?}" "${cov:-?}" "$result")")
done
echo
echo "Fuzzing summary (${seconds}s per target):"
printf '  %s\n' "${summary[@]}"
exit $status
