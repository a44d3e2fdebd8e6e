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
