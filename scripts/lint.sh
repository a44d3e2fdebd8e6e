#!/usr/bin/env bash
# Checks our C++ sources (not third-party code, not build/; the fuzz targets too) two ways, and fails on any finding:
#   format      clang-format --dry-run -Werror, with the layout in .clang-format
#   clang-tidy  the checks in .clang-tidy, with the compile commands of the clang preset (which
#               it configures); the Windows-only sources with those of the windows preset,
#               when that build folder has been configured
# Prints one line per finding, one result line per check, and a last line that sums them up.
# bash scripts/format.sh fixes the layout.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
top=$PWD
jobs=$(nproc 2>/dev/null || echo 2)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- layout ----------------------------------------------------------------------------------
mapfile -t sources < <(our_sources)
clang-format --dry-run -Werror "${sources[@]}" >"$work/format.log" 2>&1
format_status=$?
# One line per file that is not laid out as it should be: its first such place.
sed -n 's/^\([^ :]*\):\([0-9]*\):[0-9]*: error: .*-Wclang-format-violations.*/\1:\2/p' "$work/format.log" |
  awk -F: '!seen[$1]++' >"$work/unformatted"
unformatted=$(wc -l <"$work/unformatted")
if [[ $format_status -eq 0 ]]; then
  echo "format: ok"
elif [[ $unformatted -gt 0 ]]; then
  sed 's/$/: not formatted as .clang-format says/' "$work/unformatted"
  echo "format: $unformatted files are not formatted (bash scripts/format.sh formats them)"
else
  cat "$work/format.log"
  echo "format: clang-format failed (exit code $format_status)"
  unformatted=1
fi

# --- clang-tidy ------------------------------------------------------------------------------
# The sources that compile database $1 compiles, as absolute paths: ours only, C++ only.
compiled_sources() {
  sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$1" |
    grep -E "^$top/(common|setup|wizard|tests|bench|fuzz)/.*\.cpp$" | LC_ALL=C sort -u
}

fresh=$(fresh_if_other_generator build/clang Ninja)
if ! cmake --preset clang $fresh >"$work/configure.log" 2>&1; then
  cat "$work/configure.log"
  echo "lint: cmake --preset clang failed, so clang-tidy has no compile commands"
  exit 1
fi
# The tests' compile commands name their precompiled GoogleTest header, which must be built.
mapfile -t headers < <(grep -o "$top/build/clang/[^ ]*\.pch" build/clang/compile_commands.json | sort -u)
if [[ ${#headers[@]} -gt 0 ]] && ! ninja -C build/clang "${headers[@]#"$top/build/clang/"}" >"$work/configure.log" 2>&1; then
  cat "$work/configure.log"
  echo "lint: the tests' precompiled header does not build"
  exit 1
fi
# The fuzz targets have a preset of their own, configured into a folder of lint's own, so that
# a fuzz build beside it (scripts/test.sh) is left alone; nothing is built there.
fresh=$(fresh_if_other_generator build/lint-fuzz Ninja)
if ! cmake --preset fuzz -B build/lint-fuzz $fresh >"$work/configure.log" 2>&1; then
  cat "$work/configure.log"
  echo "lint: cmake --preset fuzz failed, so clang-tidy has no compile commands for the fuzz targets"
  exit 1
fi
printf '%s\n' "${sources[@]/#/$top/}" | grep '\.cpp$' >"$work/ours"

# Each source is checked once, with the first of these builds that compiles it: the clang
# preset (with the benchmarks), the fuzz preset (the fuzz targets), then the windows preset (the
# Windows-only sources), where its folder has been configured.
tidy_status=0
: >"$work/checked"
: >"$work/tidy.log"
for build in clang lint-fuzz windows; do
  [[ -f build/$build/compile_commands.json ]] || continue
  extra=()
  if [[ $build == windows ]]; then
    # Clang does not find the MinGW-w64 compiler's headers by itself: they are named to it.
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || continue
    extra=(--extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc)
    while read -r dir; do extra+=("--extra-arg=-isystem$dir"); done < <(
      x86_64-w64-mingw32-g++-posix -E -x c++ -v - </dev/null 2>&1 | sed -n '/#include <...> search starts/,/End of search/s/^ //p')
  fi
  compiled_sources "build/$build/compile_commands.json" | LC_ALL=C comm -23 - "$work/checked" >"$work/these"
  [[ -s $work/these ]] || continue
  xargs -P "$jobs" -n 1 clang-tidy -p "build/$build" --quiet "${extra[@]}" <"$work/these" >>"$work/tidy.log" 2>&1 ||
    tidy_status=$?
  LC_ALL=C sort -u "$work/checked" "$work/these" -o "$work/checked"
done
# A header's finding is reported by every file that includes it: each is shown once.
# Only our own files count: MinGW's compiler intrinsics headers are GCC's, which Clang cannot
# parse, and their errors say nothing about our code.
grep -E "^$top/.*:[0-9]+:[0-9]+: (warning|error): .*\]$" "$work/tidy.log" | sed "s|^$top/||" | LC_ALL=C sort -u >"$work/findings"
findings=$(wc -l <"$work/findings")
# What clang-tidy did not see: sources that no build folder here compiles.
unchecked=$(LC_ALL=C comm -13 "$work/checked" <(LC_ALL=C sort "$work/ours") | sed "s|^$top/||" | paste -sd ' ')
[[ -z $unchecked ]] || echo "clang-tidy: not checked, as no build folder here compiles them: $unchecked"

if [[ $findings -gt 0 ]]; then
  cat "$work/findings"
  echo "clang-tidy: $findings findings"
elif [[ $tidy_status -ne 0 ]] && ! grep -q -E '^/.*: error: ' "$work/tidy.log"; then
  grep -v 'warnings\{0,1\} generated\.$' "$work/tidy.log" | tail -n 40
  echo "clang-tidy: failed (exit code $tidy_status) without a finding to show"
  findings=1
else
  echo "clang-tidy: ok"
fi

bash scripts/posix_interfaces.sh || { echo "lint: $unformatted files not formatted, $findings clang-tidy findings, C names beyond POSIX and macOS"; exit 1; }
if [[ $unformatted -eq 0 && $findings -eq 0 ]]; then
  echo "lint: ok"
  exit 0
fi
echo "lint: $unformatted files not formatted, $findings clang-tidy findings"
exit 1
