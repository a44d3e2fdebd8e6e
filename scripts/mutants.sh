#!/usr/bin/env bash
# How sharp the tests are: applies each small fault of scripts/mutants.txt, one at a time, to a
# copy of the tree, rebuilds, and runs the tests. A fault is caught when a test fails. Prints
# one line per fault and the score last; exits non-zero when a fault is missed without a reason
# beside it in the list, when a fault no longer fits its file, or when the tests fail without
# any fault. It is no stage of test.sh: it takes some minutes per ten faults.
#
#   bash scripts/mutants.sh                 # every fault of the list
#   bash scripts/mutants.sh 'tie|pgrp'      # only the faults whose line matches (grep -E)
#   bash scripts/mutants.sh --at HEAD~3     # the tests of that commit, with today's list
#
# The copy holds the working tree's files (committed or not, git's ignored ones left out) in
# build/mutants/tree, or a commit's in build/mutants/COMMIT. It is built once; each fault then
# costs an incremental ninja build and a test run that stops at the first failure. A fault in
# a _windows.cpp file runs the windows preset's tests under Wine (in a prefix of the copy's
# own), one in a _posix.cpp file the debug preset's tests; a fault in code that both builds
# share runs the debug preset's tests, and where they miss it, the windows preset's too.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
top=$PWD
list=$top/scripts/mutants.txt
copy=$top/build/mutants/tree
revision=
if [[ ${1:-} == --at ]]; then
  revision=$(git rev-parse --short "${2:-}^{commit}") || { echo "mutants: no commit ${2:-}"; exit 2; }
  copy=$top/build/mutants/$revision
  shift 2
fi
jobs=2
filter=${1:-}

# The faults: "file[:line]: text => replacement", optionally followed by " ## missed: reason".
# The text must stand exactly once in the file (or in the line named).
mapfile -t faults < <(grep -v -E '^[[:space:]]*(#|$)' "$list" | grep -E -- "$filter")
[[ ${#faults[@]} -gt 0 ]] || { echo "mutants: no fault in $list matches '$filter'"; exit 2; }

echo "--- copy of the tree: $copy"
mkdir -p "$copy"
# Only a file whose bytes differ is copied, so that a second run rebuilds only what changed
# since (a file's own time may be older than the copy's build). A commit's copy is made once.
if [[ -z $revision ]]; then
  git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
    [[ -f $file ]] && ! cmp -s "$file" "$copy/$file" && mkdir -p "$copy/$(dirname "$file")" && cp "$file" "$copy/$file"
  done
elif [[ ! -f $copy/CMakeLists.txt ]]; then
  git archive "$revision" | tar -x -C "$copy" || { echo "mutants: cannot copy $revision"; exit 2; }
fi
cd "$copy" && mkdir -p build || exit 2
# A file that the last run's last fault changed was put back without a build: every file the
# list names is built afresh.
grep -v -E '^[[:space:]]*(#|$)' "$list" | sed 's/[:].*//' | sort -u | while read -r file; do
  [[ -f $file ]] && touch "$file"
done

# The presets that test a file: its own platform's, or for shared code debug, then windows.
presets_of() {
  case $1 in
    *_windows.cpp) echo windows ;;
    *_posix.cpp) echo debug ;;
    *) echo debug windows ;;
  esac
}
windows=no
for fault in "${faults[@]}"; do [[ $(presets_of "${fault%%[: ]*}") == *windows* ]] && windows=yes; done

# Builds preset $1 in the copy; prints nothing unless it fails.
build() {
  local fresh
  fresh=$(fresh_if_other_generator "build/$1" Ninja)
  if [[ ! -f build/$1/build.ninja ]] || [[ -n $fresh ]]; then
    cmake --preset "$1" $fresh >"build/$1.configure.log" 2>&1 || { cat "build/$1.configure.log"; return 1; }
  fi
  ninja -C "build/$1" -j "$jobs" >"build/$1.build.log" 2>&1
}

# A fault can leave a program running that no test ends (a handler that raises its own signal
# for ever): each process of a program built in the copy is ended after each run (Linux: /proc).
end_strays() {
  local exe pid
  for exe in /proc/[0-9]*/exe; do
    pid=${exe#/proc/}
    pid=${pid%/exe}
    [[ $(readlink "$exe" 2>/dev/null) == "$copy/build/"* ]] && kill -KILL "$pid" 2>/dev/null
  done
}

# Runs the tests of preset $1 up to the first failure; prints the failed test's name. A test
# that skipped, or was disabled, has a *** line of its own but failed nothing.
run_tests() {
  local log=build/$1.test.log
  if ctest --test-dir "build/$1" -j "$jobs" --stop-on-failure --timeout 120 >"$log" 2>&1; then return 0; fi
  sed -n -e '/\*\*\*\(Skipped\|Not Run (Disabled)\)/d' \
    -e 's/^[[:space:]]*[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .*\*\*\*.*/\1/p' "$log" | head -n 1
  return 1
}

presets=(debug)
[[ $windows == yes ]] && presets+=(windows)
export WINEDEBUG=-all
# The copy's own Wine prefix, readied as test.sh readies it: the tests' fixture starts its server.
export WINEPREFIX=$copy/build/wine-prefix
source tests/wine/prefix.sh
for preset in "${presets[@]}"; do
  echo "--- build and tests without a fault: $preset"
  build "$preset" || { tail -n 30 "build/$preset.build.log"; echo "mutants: the $preset preset does not build"; exit 2; }
  if [[ $preset == windows ]]; then
    ready_wine_prefix build/windows/tests/wine/tool_stand_in.exe build/windows/tests/wine/tool_stand_in_32.exe ||
      { echo "mutants: $wine_prefix_problem"; exit 2; }
  fi
  failed=$(run_tests "$preset") || { echo "mutants: $preset fails without a fault ($failed)"; exit 2; }
done

caught=0
missed=0
unexplained=0
broken=0
for fault in "${faults[@]}"; do
  place=${fault%%: *}
  rest=${fault#*: }
  file=${place%%:*}
  line=
  [[ $place == *:* ]] && line=${place#*:}
  from=${rest%% =>*}
  to=${rest#* =>}
  to=${to%% ## *}
  to=${to# }
  reason=
  [[ $rest == *" ## missed: "* ]] && reason=${rest#* ## missed: }
  label="$place: $from"

  mapfile -t lines <"$file" 2>/dev/null
  if [[ -n $line ]]; then
    hits=0
    [[ ${lines[line - 1]:-} == *"$from"* ]] && hits=1
    at=$((line - 1))
  else
    hits=0
    for i in "${!lines[@]}"; do
      if [[ ${lines[i]} == *"$from"* ]]; then
        hits=$((hits + 1))
        at=$i
      fi
    done
  fi
  if [[ $hits -ne 1 ]]; then
    echo "STALE   $label  (the text stands $hits times in the place named)"
    broken=$((broken + 1))
    continue
  fi
  cp -p "$file" "$file.orig"
  lines[at]=${lines[at]/"$from"/"$to"}
  printf '%s\n' "${lines[@]}" >"$file"

  # Caught by the first preset whose tests fail; missed when every preset's tests pass.
  result=missed
  for preset in $(presets_of "$file"); do
    if ! build "$preset"; then
      result=nobuild
      break
    fi
    by=$(run_tests "$preset") || { result=caught; break; }
  done
  if [[ $result == nobuild ]]; then
    echo "NOBUILD $label  (the fault does not compile in $preset: change it)"
    broken=$((broken + 1))
  elif [[ $result == missed ]]; then
    missed=$((missed + 1))
    if [[ -n $reason ]]; then
      echo "missed  $label  (${reason})"
    else
      echo "MISSED  $label  (no reason given: a test must catch it)"
      unexplained=$((unexplained + 1))
    fi
  else
    caught=$((caught + 1))
    echo "caught  $label  (by ${by:-the tests} in $preset)"
  fi
  end_strays
  # Back as it was, but newer than what the fault built, so that the next build redoes it.
  mv "$file.orig" "$file"
  touch "$file"
done
[[ $windows == yes ]] && wineserver -k 2>/dev/null

total=$((caught + missed))
echo "mutants: $caught of $total faults caught, $missed missed ($unexplained without a reason), $broken not applied"
[[ $unexplained -eq 0 && $broken -eq 0 ]]
