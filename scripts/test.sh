#!/usr/bin/env bash
# Runs every test of kelvarro, stage by stage (stage_list below names them and what each
# runs), after installing what the stages need with scripts/install-deps.sh:
#
#   bash scripts/test.sh                 # every stage
#   bash scripts/test.sh debug windows   # only these
#
# Every stage runs even when an earlier one failed. A stage that cannot run its tests fails
# and says why in one line. The end is a table of the stages, then the count of test cases:
# each GoogleTest case counts once, also where one process runs many of them.
#
# To add a stage: write stage_NAME (it sets stage_passed, stage_failed and, on failure,
# stage_note, and returns non-zero when it failed), add it to stage_list with what it runs,
# and give install-deps.sh its packages under the same name.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

# The stages in the order they are shown, each with what it runs.
stage_list=(
  "debug:native debug build with GCC and its tests"
  "clang:native debug build with Clang under AddressSanitizer and UndefinedBehaviorSanitizer, and its tests"
  "lint:clang-format and clang-tidy over our sources"
  "fuzz:every fuzz target for a short while, under ASan and UBSan"
  "memcheck:valgrind over whole runs of both programs"
  "release:release programs and benchmarks, built only"
  "windows:MinGW-w64 cross build, its tests under Wine"
  "packages:release packages built twice by scripts/release.sh, compared byte for byte"
  "wine-native:native setup and wizard, the batch file run by the real Wine"
)
all_stages=()
declare -A about=()
for entry in "${stage_list[@]}"; do
  all_stages+=("${entry%%:*}")
  about[${entry%%:*}]=${entry#*:}
done

named=("$@")
stages=("$@")
[[ ${#stages[@]} -gt 0 ]] || stages=("${all_stages[@]}")
for stage in "${stages[@]}"; do
  [[ -n ${about[$stage]:-} ]] || { echo "test.sh: no stage $stage (there are: ${all_stages[*]})" >&2; exit 2; }
done

jobs=$(nproc 2>/dev/null || echo 2)
export WINEDEBUG=-all
# The tests' own Wine prefix, the one the Windows build's tests use too (tests/CMakeLists.txt):
# the user's ~/.wine is never touched.
export WINEPREFIX=$PWD/build/wine-prefix

# --- helpers of the stages -------------------------------------------------------------------

# Fails the stage unless command $1, from package $2, is on the PATH.
require() {
  command -v "$1" >/dev/null && return 0
  stage_note="the $1 command is missing (package $2)"
  return 1
}

# Configures and builds preset $1: all of it, or only the targets named after it. The configure
# output is shown only when it fails.
build_preset() {
  local preset=$1 fresh log
  shift
  fresh=$(fresh_if_other_generator "build/$preset" Ninja)
  log=$(mktemp)
  echo "--- configure: cmake --preset $preset${fresh:+ $fresh}"
  if ! cmake --preset "$preset" $fresh >"$log" 2>&1; then
    tail -n 40 "$log"
    rm -f "$log"
    stage_note="cmake --preset $preset failed"
    return 1
  fi
  rm -f "$log"
  echo "--- build: cmake --build --preset $preset"
  cmake --build --preset "$preset" -j "$jobs" ${1:+--target "$@"} || { stage_note="the build failed"; return 1; }
}

# Counts the test cases in ctest's JUnit report $1 into stage_passed and stage_failed. A test
# whose output shows GoogleTest cases counts each of them; any other test counts as one case.
# A test that failed or did not run without a failed or skipped case to show for it counts one
# failure; a case that skipped itself (GTEST_SKIP, or a script's SKIP_RETURN_CODE) counts as
# skipped.
count_cases() {
  local counts
  counts=$(tr -d '\r' <"$1" | awk '
    /<testcase / {
      inside = 1; ok = 0; bad = 0; skip = 0; skipped_test = 0
      status = $0; sub(/.* status="/, "", status); sub(/".*/, "", status)
    }
    inside && /\[       OK \] /  { ok++ }
    inside && /\[  FAILED  \] .*\([0-9]+ ms\)$/ { bad++ }
    inside && /\[  SKIPPED \] .*\([0-9]+ ms\)$/ { skip++ }
    inside && /<skipped / { skipped_test = 1 }
    inside && /<\/testcase>/ {
      inside = 0
      if (ok + bad + skip == 0) { if (status == "run") passed++; else if (skipped_test) skipped++; else failed++ }
      else { passed += ok; failed += bad; skipped += skip; if (status != "run" && bad + skip == 0) failed++ }
    }
    END { printf "%d %d %d\n", passed, failed, skipped }')
  read -r stage_passed stage_failed stage_skipped <<<"$counts"
}

# Runs the tests of preset $1, which has been built. ctest keeps each test's whole output in
# its report, so that the cases in it can be counted.
run_tests() {
  local preset=$1 report
  report=$PWD/build/$preset/junit.xml
  rm -f "$report"
  # A Wine test that failed on a fresh machine once, unexplained (its program ended with exit
  # code 1 within 0.1 s), is run a second time rather than failing the whole run; each such
  # second run is named below, as a defect still to be found.
  local repeat=()
  [[ $preset == windows ]] && repeat=(--repeat until-pass:2)
  echo "--- tests: ctest --preset $preset"
  ctest --preset "$preset" -j "$jobs" "${repeat[@]}" --output-junit "$report" --test-output-size-passed 10000000 \
    --test-output-size-failed 10000000 | tee "$report.log"
  local status=${PIPESTATUS[0]}
  if [[ $preset == windows ]]; then
    grep -E 'Test +#[0-9]+: .*\*\*\*Failed' "$report.log" | sed 's/^/a Wine test failed on one run: /'
  fi
  if [[ ! -s $report ]]; then
    stage_note="ctest ran no test (exit code $status)"
    return 1
  fi
  count_cases "$report"
  if [[ $status -ne 0 || $stage_failed -gt 0 ]]; then
    stage_note="$stage_failed of $((stage_passed + stage_failed)) test cases failed"
    return 1
  fi
}

# --- the stages --------------------------------------------------------------------------------

stage_debug() { require cmake cmake && require ninja ninja-build && require g++ g++ && build_preset debug && run_tests debug; }
stage_clang() { require cmake cmake && require ninja ninja-build && require clang++ clang && build_preset clang && run_tests clang; }
stage_release() { require cmake cmake && require ninja ninja-build && require g++ g++ && build_preset release; }

source tests/wine/prefix.sh
wine_prefix_ready=no

# The Wine tests need the prefix to start 64-bit and 32-bit programs (tests/wine/prefix.sh makes
# it afresh when it cannot), and a persistent Wine server, or every Wine start in them pays
# about 3 s for its own. The tests' own fixture then finds the server running. $1 and $2 are
# the 64-bit and the 32-bit tool stand-in, the probes.
start_wine_server() {
  [[ $wine_prefix_ready == yes ]] && return 0
  echo "--- Wine prefix and server: $WINEPREFIX"
  host_runs_32_bit_programs || echo "this machine's kernel runs no 32-bit programs: the tests of 32-bit tools skip"
  ready_wine_prefix "$1" "$2" || { stage_note=$wine_prefix_problem; return 1; }
  wine_prefix_ready=yes
}

stop_wine_server() {
  [[ $wine_server_started == yes ]] || return 0
  wineserver -k 2>/dev/null
  wine_server_started=no
}
trap stop_wine_server EXIT

stage_windows() {
  require cmake cmake && require ninja ninja-build &&
    require x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix &&
    require i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix &&
    require wine wine && require wineserver wine && require wrestool icoutils && require unzip unzip &&
    require strings binutils && require_wine_loaders || return 1
  [[ -f /usr/src/googletest/CMakeLists.txt ]] ||
    { stage_note="GoogleTest's sources are missing (package googletest)"; return 1; }
  build_preset windows &&
    start_wine_server build/windows/tests/wine/tool_stand_in.exe build/windows/tests/wine/tool_stand_in_32.exe &&
    run_tests windows
}

# Fails the stage unless Wine's loaders fit this machine (tests/wine/prefix.sh).
require_wine_loaders() { wine_loaders_fit || { stage_note=$wine_prefix_problem; return 1; }; }

# The native programs of the debug preset run by the real Wine (tests/wine/native_programs.sh),
# with the windows preset's tool stand-ins: 32-bit ones, as the real tools are, where the
# machine runs 32-bit programs.
stage_wine-native() {
  require cmake cmake && require ninja ninja-build && require g++ g++ &&
    require x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix &&
    require i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix && require wine wine && require wineserver wine &&
    require winepath wine && require_wine_loaders || return 1
  local stand_ins=build/windows/tests/wine stand_in
  build_preset debug setup wizard && build_preset windows tool_stand_in tool_stand_in_32_exe || return 1
  stand_in=$stand_ins/tool_stand_in.exe
  host_runs_32_bit_programs && stand_in=$stand_ins/tool_stand_in_32.exe
  start_wine_server "$stand_ins/tool_stand_in.exe" "$stand_ins/tool_stand_in_32.exe" &&
    run_counted '' '' '' bash tests/wine/native_programs.sh build/debug/setup/setup build/debug/wizard/wizard "$stand_in"
}

stage_lint() {
  require clang-format clang-format && require clang-tidy clang-tidy || return 1
  # Each of lint.sh's three checks is one case; its last line sums the findings up.
  run_counted '^(format|clang-tidy|posix-interfaces): ok$' '^(format|clang-tidy|posix-interfaces): ' 'lint: ' \
    bash scripts/lint.sh
}

# Runs a command with its output shown and kept, and counts its cases: the lines that match
# $1 passed and, when it fails, those that match $2 and not $1 failed; with no patterns, the
# command is one case. Its last line, less the prefix $3, says why when it fails.
run_counted() {
  local pass=$1 fail=$2 prefix=$3 log status
  shift 3
  log=$(mktemp)
  "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  if [[ -n $pass ]]; then
    stage_passed=$(grep -c -E "$pass" "$log")
    [[ $status -eq 0 ]] || stage_failed=$(grep -E "$fail" "$log" | grep -c -v -E "$pass")
  elif [[ $status -eq 0 ]]; then
    stage_passed=1
  else
    stage_failed=1
  fi
  [[ $status -eq 0 ]] || stage_note=$(tail -n 1 "$log" | sed "s/^$prefix//")
  rm -f "$log"
  return "$status"
}

stage_fuzz() { require clang++ clang && run_counted '' '' '' bash scripts/fuzz.sh 4; }
stage_memcheck() { require valgrind valgrind && require g++ g++ && run_counted '' '' '' bash scripts/memcheck.sh; }

stage_packages() {
  require cmake cmake && require ninja ninja-build && require g++ g++ &&
    require x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix && require zip zip && require zipinfo unzip &&
    require strings binutils && require git git || return 1
  # Each check of reproducible.sh is one case; its last line sums them up.
  run_counted '^ok: ' '^FAIL: ' 'reproducible.sh: ' bash tests/packages/reproducible.sh
}

# --- the run -----------------------------------------------------------------------------------

# Runs stage $1, showing its output, and sets row to its line of the table; stage_passed,
# stage_failed and stage_skipped hold its counts.
run_stage() {
  local stage=$1 started result took detail
  started=$(date +%s)
  stage_passed=0 stage_failed=0 stage_skipped=0 stage_note=""
  echo
  echo "=== $stage: ${about[$stage]} ==="
  if "stage_$stage"; then
    result=passed
  else
    result=failed
    ((stage_failed > 0)) || stage_failed=1  # a stage that could not run its tests is one failure
  fi
  took=$(format_seconds $(($(date +%s) - started)))
  echo "=== $stage: $result in $took"
  detail=${stage_note:-}
  if [[ $result == passed ]]; then
    if ((stage_passed > 0)); then detail="$stage_passed test cases"; else detail="built"; fi
  else
    echo "$stage: ${stage_note:-failed}"
  fi
  row=$(printf '%-11s  %-6s  %10s  %s' "$stage" "$result" "$took" "$detail")
}

# Stops the run when install-deps.sh ended with status $1: no stage from $2 on could run.
stop_unless_installed() {
  [[ $1 -eq 0 ]] && return 0
  echo "test.sh: the tools above could not be installed, so no stage from $2 on ran"
  echo "$passed passed, $((failed + 1)) failed"
  exit 1
}

# In a run of every stage, release, windows and packages run one after another beside the
# others, after installing what they and wine-native need: the Wine tests mostly wait, and the
# other stages' steps that use one core leave room. Their output is kept and shown in their
# turn; wine-native, which shares the Wine prefix, comes after them. Stages named on the
# command line run one after another, in the order given.
lane=(release windows packages)
beside=()
beside_pid=""
start_beside() {
  ((${#named[@]} == 0)) || return 0
  beside=("${lane[@]}")
  (
    echo "=== install, beside the others: what ${beside[*]} wine-native need ===" >build/beside-install.log
    bash scripts/install-deps.sh "${beside[@]}" wine-native >>build/beside-install.log 2>&1
    for stage in "${beside[@]}"; do
      run_stage "$stage" >"build/$stage-stage.log" 2>&1
      declare -p stage_passed stage_failed stage_skipped row wine_server_started wine_prefix_ready \
        >"build/$stage-stage.vars"
    done
  ) &
  beside_pid=$!
}

run_started=$(date +%s)
passed=0
failed=0
skipped=0
rows=()
mkdir -p build
# As root, what the first stage needs is installed before it, and what the others need while
# it runs: an install is mostly unpacking, which leaves room beside a build. (sudo may ask for a
# password, which an install in the background could not.)
now=("${stages[@]}")
later=()
if [[ $(id -u) -eq 0 && ${#stages[@]} -gt 1 ]]; then
  now=("${stages[0]}")
  for stage in "${stages[@]:1}"; do
    [[ ${#named[@]} -eq 0 && " ${lane[*]} wine-native " == *" $stage "* ]] || later+=("$stage")
  done
fi
echo "=== install: what ${now[*]} need ==="
bash scripts/install-deps.sh "${now[@]}"
stop_unless_installed $? "${stages[0]}"
if [[ ${#later[@]} -gt 0 ]]; then
  bash scripts/install-deps.sh "${later[@]}" >build/install.log 2>&1 &
  install_pid=$!
else
  start_beside
fi

for stage in "${stages[@]}"; do
  if [[ -n ${install_pid:-} && $stage != "${stages[0]}" ]]; then
    echo
    echo "=== install, beside ${stages[0]}: what ${later[*]} need ==="
    wait "$install_pid"
    status=$?
    install_pid=""
    cat build/install.log
    stop_unless_installed "$status" "$stage"
    start_beside
  fi
  if [[ " ${beside[*]} " == *" $stage "* ]]; then
    if [[ -n $beside_pid ]]; then
      wait "$beside_pid"
      beside_pid=""
      cat build/beside-install.log
    fi
    cat "build/$stage-stage.log"
    source "build/$stage-stage.vars"
  else
    run_stage "$stage"
  fi
  rows+=("$row")
  passed=$((passed + stage_passed))
  failed=$((failed + stage_failed))
  skipped=$((skipped + stage_skipped))
done
stop_wine_server

echo
printf '%-11s  %-6s  %10s  %s\n' stage result time ""
printf '%s\n' "${rows[@]}"
printf '%-11s  %-6s  %10s\n' total "" "$(format_seconds $(($(date +%s) - run_started)))"
echo
if ((skipped > 0)); then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
((failed == 0))
