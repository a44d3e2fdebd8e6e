#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for SECONDS_PER_TARGET seconds (13 by
# default), as many at once as there are cores, each on a fresh copy of its committed seed
# corpus, so that the corpus in git stays small. Prints one line per target (executions, time,
# result) and one result line; exits non-zero when any target crashes, hangs or cannot be run. An input
# that made a target fail is kept under build/fuzz/artifacts/.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-13}
targets=(config_fuzz vob_scan_fuzz writers_fuzz dialogue_fuzz movie_reader_fuzz)

if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null; then
  echo "fuzz: FAILED: clang++ cannot link libFuzzer here (Debian packages clang and libclang-rt-14-dev)"
  exit 1
fi
if ! cmake --preset fuzz >/dev/null || ! cmake --build --preset fuzz -j 2 >/dev/null; then
  echo "fuzz: FAILED: the fuzz preset does not build (cmake --build --preset fuzz)"
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
failed=()

# Each target runs on one core, so as many run at once as there are cores: each still gets its
# SECONDS, and the stage takes a fraction of their sum.
cores=$(nproc 2>/dev/null || echo 2)
started=0
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  cp fuzz/corpus/"$target"/* "$work/$target/"
  # A single input taking more than 10 s counts as a hang.
  (
    build/fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$target-" "$work/$target" >"$work/$target.log" 2>&1
    echo $? >"$work/$target.rc"
  ) &
  started=$((started + 1))
  ((started % cores == 0)) && wait
done
wait

for target in "${targets[@]}"; do
  log="$work/$target.log"
  rc=$(cat "$work/$target.rc")
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
  if [[ $rc -eq 0 ]]; then
    result="0 crashes"
  else
    result="FAILED (exit $rc)"
    failed+=("$target")
    grep -E '^(==[0-9]+==ERROR|SUMMARY|property failed|the dialogue waited)' "$log" | head -n 3 | sed 's/^/    /'
    cp "$log" "$artifacts/$target.log"
  fi
  printf '%-14s %10s executions in %4s s: %s\n' "$target" "${executions:-?}" "${time:-?}" "$result"
done

if [[ ${#failed[@]} -eq 0 ]]; then
  echo "fuzz: passed: ${#targets[@]} targets, ${seconds} s each, 0 crashes"
else
  echo "fuzz: FAILED: ${failed[*]} (inputs and logs in $artifacts/)"
  exit 1
fi
