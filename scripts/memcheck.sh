#!/usr/bin/env bash
# Builds the debug preset and runs both programs under valgrind's memcheck over whole scripted
# runs: setup with a drive path, with a POSIX path and with a typed path, abandoned, and where
# config.cfg cannot be written; the
# wizard on constant and variable bitrate, with the batch run asked for but no Wine on the PATH, without
# config.cfg, and without VOB files. Every run must end with its own exit code, leave its
# files, and have memcheck find no error and no leak. Prints one result line; exits non-zero
# on any failure, with memcheck's log of the failed run shown.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if ! command -v valgrind >/dev/null; then
  echo "memcheck: FAILED: valgrind is not installed (Debian package valgrind)"
  exit 1
fi
valgrind=$(command -v valgrind)
if ! cmake --preset debug >/dev/null || ! cmake --build --preset debug -j 2 --target wizard setup >/dev/null; then
  echo "memcheck: FAILED: the debug preset does not build"
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=()
runs=0

# run NAME EXPECTED_EXIT INPUT DIRECTORY PROGRAM... : INPUT is given to printf %b. The program
# gets the PATH in $program_path when it is set.
run() {
  local name=$1 expected=$2 input=$3 dir=$4
  shift 4
  runs=$((runs + 1))
  (cd "$dir" && export PATH="${program_path:-$PATH}" && printf '%b' "$input" |
    "$valgrind" --tool=memcheck --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,possible \
      --log-file="$work/$name.memcheck" "$@" >"$work/$name.out" 2>&1)
  local status=$?
  # The missing-config run ends with 1 by itself, so memcheck's verdict is read from its log too.
  local errors
  errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9]*\) errors.*/\1/p' "$work/$name.memcheck" | tail -n 1)
  if [[ $status -ne $expected || "$errors" != 0 ]]; then
    failures+=("$name (exit $status, expected $expected; memcheck errors: ${errors:-none reported})")
    sed 's/^/    /' "$work/$name.memcheck"
  fi
}

# check NAME FILE TEXT : the file holds TEXT (printf %b) somewhere.
check() {
  if ! grep -qF -- "$(printf '%b' "$3")" "$2" 2>/dev/null; then failures+=("$1 (${2##*/} lacks \"$3\")"); fi
}

# check_exact NAME FILE TEXT : the file is exactly TEXT (printf %b).
check_exact() {
  if ! cmp -s "$2" <(printf '%b' "$3"); then failures+=("$1 (${2##*/} is not \"$3\")"); fi
}

# An install directory with two VOB files.
tree=$work/kelvarro
mkdir -p "$tree"/{input,temp,output,progs,nandub} "$work/bin" "$work/no-wine"
touch "$tree/input/VTS_01_1.VOB" "$tree/input/VTS_01_2.VOB"
# setup sees a drive letter in its program path as under Windows: valgrind hands the name
# found on the PATH on as the program's argv[0], where exec -a would be lost.
ln -s "$root/build/debug/setup/setup" "$work/bin/Z:\\kelvarro\\setup.exe"
wizard=$root/build/debug/wizard/wizard

# Found on the PATH, setup knows nothing of its folder and asks for it.
program_path="$root/build/debug/setup:$PATH" run setup-typed-path 0 'd:\\divxstuff\\kelvarro0.7.1\\\n3' "$tree" setup
check_exact setup-typed-path "$tree/config.cfg" 'd:\\divxstuff\\kelvarro0.7.1\\\r\n-r7'
# Started by its path, it names its own folder as Wine shows it.
run setup-posix-path 0 '2' "$tree" "$root/build/debug/setup/setup"
setup_folder=$(cd "$root/build/debug/setup" && pwd -P)
setup_folder="Z:${setup_folder//\//\\\\}\\\\"
check_exact setup-posix-path "$tree/config.cfg" "$setup_folder"'\r\n-r1'
run setup-abandoned 1 '' "$tree" "$root/build/debug/setup/setup"
check_exact setup-abandoned "$tree/config.cfg" "$setup_folder"'\r\n-r1'
mkdir -p "$work/blocked/config.cfg"
run setup-blocked 1 'k' "$work/blocked" "$root/build/debug/setup/setup"
check setup-blocked "$work/setup-blocked.out" "i can't write the file config.cfg: Is a directory"
program_path="$work/bin:$PATH" run setup-drive-path 0 'x1' "$tree" 'Z:\kelvarro\setup.exe'
check_exact setup-drive-path "$tree/config.cfg" 'Z:\\kelvarro\\\r\n-r2'

run wizard-constant 0 '20n51nz' "$tree" "$wizard"
check wizard-constant "$tree/process.bat" 'Z:\\kelvarro\\progs\\lame.exe -h -b 128 '
check wizard-constant "$tree/nandub/multi.vcf" '("Z:\\\\kelvarro\\\\output\\\\output.avi");'
check_exact wizard-constant "$tree/input/movie.lst" \
  'Z:\\kelvarro\\input\\VTS_01_1.VOB\r\nZ:\\kelvarro\\input\\VTS_01_2.VOB\r\n'
program_path="$work/no-wine" run wizard-variable-no-wine 1 '111y96\n256\n24yq' "$tree" "$wizard"
check wizard-variable-no-wine "$tree/process.bat" ' -h -b 96 -V 2 -B 256 '
check wizard-variable-no-wine "$work/wizard-variable-no-wine.out" "i can't run process.bat: here it needs Wine"

mkdir -p "$work/bare"/{input,temp}
run wizard-no-config 1 'q' "$work/bare" "$wizard"
check wizard-no-config "$work/wizard-no-config.out" "looks like i can't open the file config.cfg!"
cp "$tree/config.cfg" "$work/bare/"
run wizard-no-vob-files 1 'q' "$work/bare" "$wizard"
check wizard-no-vob-files "$work/wizard-no-vob-files.out" "looks like you don't have any vob files"

if [[ ${#failures[@]} -eq 0 ]]; then
  echo "memcheck: passed: $runs full runs of setup and wizard, no memory error, no leak"
else
  printf '  %s\n' "${failures[@]}"
  echo "memcheck: FAILED: ${#failures[@]} failed checks over $runs runs"
  exit 1
fi
