#!/usr/bin/env bash
# Runs every test of kelvarro: the native debug build, a Clang build, the native build under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows cross build under Wine. It
# also builds the release programs and the benchmarks, so that they keep compiling.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --windows || exit 1

export WINEDEBUG=-all
# One Wine server for the whole run: without it every test start pays for a new one.
wineserver -p 2>/dev/null || true
wine cmd /c exit >/dev/null 2>&1 || true
trap 'wineserver -k 2>/dev/null || true' EXIT

jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
broken=()

run_preset() {
  local preset=$1 tests=$2
  echo "=== $preset ==="
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
    broken+=("$preset (build)")
    failed=$((failed + 1))
    return
  fi
  [[ "$tests" == yes ]] || return
  local log
  log=$(mktemp)
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
  local total fails
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  fails=$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -n 1)
  if [[ -z "$total" ]]; then
    broken+=("$preset (no test result)")
    failed=$((failed + 1))
  else
    passed=$((passed + total - fails))
    failed=$((failed + fails))
    [[ "$fails" -eq 0 ]] || broken+=("$preset")
  fi
  rm -f "$log"
}

run_preset debug yes
run_preset clang yes
run_preset asan yes
run_preset windows yes
run_preset release no

echo
[[ ${#broken[@]} -eq 0 ]] || echo "failed: ${broken[*]}"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
