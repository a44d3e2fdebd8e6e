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
  [[ $status -eq 0 ]] || fail "$1 ended with exit code $status for keys '$2'"
}

# An install tree in directory $1: setup.exe ($2), wizard.exe ($3), the stand-in ($4) as each
# of the four tools, and one VOB file.
make_install_tree() {
  local dir=$1 tool
  mkdir -p "$dir" && cd "$dir" && mkdir input temp output progs nandub || fail "cannot make the tree in $dir"
  cp "$2" setup.exe && cp "$3" wizard.exe || fail "cannot copy the programs"
  for tool in progs/m2apx3g progs/azid progs/lame nandub/nandub; do cp "$4" "$tool.exe" || fail "cannot copy $4"; done
  : > input/VTS_01_1.VOB
}

# The keys of the constant-bitrate run: setup's standard IDCT, then region 2, stream 0, no VBR,
# 128 kbit/s, real 4:3, run the batch file, a last key.
CONSTANT_SETUP_KEYS=1
CONSTANT_WIZARD_KEYS=20n51yq

# Sets variable $1 to the four command lines of that run, each ending CR LF, with the install
# directory $2 in front of every path, and $3 in front of the first line: "start /wait " as
# process.bat holds them, "" as the stand-ins log them.
constant_lines() {
  local d=$2
  [[ $1 != d ]] || fail "constant_lines cannot set d"
  printf -v "$1" '%s\r\n' \
    "$3${d}progs\\m2apx3g.exe -b ${d}input\\movie.lst -f2 -q0 -r2 -3X 512 -3Y 384 -1 512 384 -a0x80 -o8 ${d}temp\\movie_1.avi" \
    "${d}progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db ${d}temp\\movie_1.avistream0x80.ac3 ${d}temp\\pcmaudio.wav" \
    "${d}progs\\lame.exe -h -b 128 ${d}temp\\pcmaudio.wav ${d}temp\\audio.mp3" \
    "${d}nandub\\nandub.exe /snandub\\multi.vcf /x"
}

# The job script for install directory $1, as the video processor must read it.
job_script() {
  local escaped=${1//\\/\\\\} line vcf
  vcf="VirtualDub.Open(\"${escaped}temp\\\\movie_1.avi\",1,0);"$'\r\n'
  vcf+="VirtualDub.audio.SetSource(\"${escaped}temp\\\\audio.mp3\");"$'\r\n'
  for line in 'audio.SetMode(0);' 'audio.SetInterleave(1,500,500,1,0);' 'audio.SetClipMode(1,1);' \
      'audio.SetConversion(0,0,0,0,0);' 'audio.SetCompression();' 'video.SetDepth(24,24);' 'video.SetMode(0);' \
      'video.SetFrameRate(0,1, 0);' 'video.SetRange(0,0);' 'video.SetCompression();' 'video.filters.Clear();' \
      'subset.Delete();'; do
    vcf+="VirtualDub.$line"$'\r\n'
  done
  printf '%s' "$vcf"'VirtualDub.SaveAVI("'"${escaped}"'output\\output.avi");'$'\r\n''VirtualDub.Close();'
}
