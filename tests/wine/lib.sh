# Shared helpers of the Wine test scripts: a scratch directory, Wine invocations with a
# deadline, and byte-exact file comparisons.

set -u
export WINEDEBUG="${WINEDEBUG:--all}"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A fresh directory for this script alone, removed when the script ends.
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarro-wine.XXXXXX") || fail "no scratch directory"
trap 'rm -rf "$work"' EXIT

# The Windows name Wine gives a POSIX directory: drive Z: is the root.
win_path() {
  local posix
  posix=$(cd "$1" && pwd -P) || fail "no directory $1"
  printf 'Z:%s' "${posix//\//\\}"
}

# Runs Wine with a deadline, so that a program that waits forever fails instead of hanging.
# Wine's own one-line complaint on stderr goes to $work/wine.err.
wine_run() {
  timeout 120 wine "$@" 2>>"$work/wine.err"
}

# Fails unless file $1 holds exactly the bytes $2.
expect_bytes() {
  local path=$1 expected=$2
  [[ -f $path ]] || fail "$path is missing"
  if ! cmp -s "$path" <(printf '%s' "$expected"); then
    echo "--- expected bytes of $path" >&2
    printf '%s' "$expected" | od -c >&2
    echo "--- actual bytes" >&2
    od -c "$path" >&2
    fail "$path differs"
  fi
}

# Fails unless the text output in file $1, with its CR LF pairs folded to LF, is exactly $2.
expect_transcript() {
  local path=$1 expected=$2
  local folded
  folded=$(sed 's/\r$//' "$path"; printf x)
  folded=${folded%x}
  if [[ $folded != "$expected" ]]; then
    diff <(printf '%s' "$expected") <(printf '%s' "$folded") >&2
    fail "transcript in $path differs"
  fi
}

# Texts of the setup dialogue, for whole-transcript comparisons.
SETUP_BANNER=$'kelvarro 0.7.31 setup\n\n'
SETUP_PATH_QUESTION=$'sorry, but i can\'t auto-config your path. please enter the path where you\nextracted the files (eg. d:\\divxstuff\\kelvarro0.7.1\\):\n'
SETUP_MENU=$'\n[1]\t16-bit MMX Chen iDCT (standard)\n[2]\t32-bit MMX iDCT\n[3]\t64-bit FPU (optimized for Athlon, Pentium III and newer)\nplease choose the IDCT to use: '

# Runs program $1 with the keys $2 on a pipe, its output into $work/out.txt; fails unless it
# ends with exit code 0.
run_keys() {
  printf '%b' "$2" | wine_run "$1" > "$work/out.txt"
  local status=$?
  if [[ $status -ne 0 ]]; then
    # What the program and Wine said, so that a failure can be told from a Wine that did not start.
    tail -n 20 "$work/out.txt" "$work/wine.err" >&2
    fail "$1 ended with exit code $status for keys '$2'"
  fi
}

# An install tree in directory $1: setup.exe ($2), wizard.exe ($3), the stand-in ($4) as each
# of the four tools, and one VOB file.
make_install_tree() {
  local dir=$1 tool
  mkdir -p "$dir"/input && cd "$dir" && mkdir -p temp output progs nandub || fail "cannot make the tree in $dir"
  cp "$2" setup.exe && cp "$3" wizard.exe || fail "cannot copy the programs"
  for tool in progs/m2apx3g progs/azid progs/lame nandub/nandub; do cp "$4" "$tool.exe" || fail "cannot copy $4"; done
  : > input/VTS_01_1.VOB
}

# Sets variable $1 to tests/golden/$2 with the install directory $3 in place of the golden one,
# each as the file writes it (tests/golden/README.md): as it is in process.bat, with its
# backslashes doubled in multi.vcf.
golden() {
  local golden_dir='d:\divxstuff\kelvarro0.7.1\' text dir=$3
  [[ $1 != text && $1 != dir ]] || fail "golden cannot set $1"
  [[ $2 == multi.vcf ]] && golden_dir=${golden_dir//\\/\\\\}
  text=$(cat "$(dirname "${BASH_SOURCE[0]}")/../golden/$2" && printf x) || fail "no golden file $2"
  printf -v "$1" '%s' "${text%x}"
  printf -v "$1" '%s' "${!1//"$golden_dir"/"$dir"}"
}

# The constant-bitrate run of the golden files (setup's key 2 for -r1; region 2, stream 0, no
# VBR, 128 kbit/s, real 4:3, run it, a last key) in a new install tree $1 below $work, with
# setup.exe ($2) started by its Windows path, wizard.exe ($3), and the stand-in ($4) as every
# tool. Sets d to the install directory config.cfg holds.
constant_run() {
  make_install_tree "$work/$1" "$2" "$3" "$4"
  run_keys "$(win_path .)\\setup.exe" 2
  d=$(head -n 1 config.cfg)
  d=${d%$'\r'}
  expect_bytes config.cfg "$d"$'\r\n-r1'
  run_keys wizard.exe 20n51yq
  grep -q 'thank you for using kelvarro!' "$work/out.txt" || fail "no farewell in $1"
}

# Fails unless that run left the golden job script for install directory $1 and the golden batch
# file for $2 (the directory as process.bat must carry it; $1 when not given), and each tool ran
# once, in order, with the paths in $1.
expect_golden_run() {
  local expected
  golden expected multi.vcf "${1//\\/\\\\}"
  expect_bytes nandub/multi.vcf "$expected"
  golden expected process.bat "${2:-$1}"
  expect_bytes process.bat "$expected"
  golden expected process.bat "$1"
  expect_bytes temp/tools.log "${expected#start /wait }"
}
