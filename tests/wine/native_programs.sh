# The Linux user's way: the native setup and wizard in install folders that need Wine's short
# form (a name with a blank and Cyrillic letters; a path that leaves the tools no room for their
# file names), both started by their path from that folder, the wizard's batch file run by the
# real Wine's cmd with 32-bit tool stand-ins. setup works out the folder itself and names it
# by Wine's short form, plain ASCII without blanks, so that the wizard (which reads config.cfg
# word by word) and cmd (which reads the batch file in its OEM code page) can use it. Every
# file the programs write then holds only ASCII, each tool runs once, in order, and every path
# it gets names the real folder. The folder in config.cfg is this one through a link, and
# another in a copy named in another case. Folders that no Windows program can enter are
# refused by setup, with the reason, before Wine is asked.
# Usage: native_programs.sh SETUP WIZARD TOOL_STAND_IN_32_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 3 ]] || fail "usage: $0 SETUP WIZARD TOOL_STAND_IN_32_EXE"

# Wine takes the UTF-8 file names of Linux for what they are only in a UTF-8 locale.
export LC_ALL=C.UTF-8

programs=()
for program in "$@"; do programs+=("$(realpath "$program")") || fail "no program $program"; done
setup=${programs[0]} wizard=${programs[1]} tool_stand_in=${programs[2]}
SHORT_FORM_WAIT=$'asking Wine for the install directory\'s short form (its first start in a new prefix takes a while)\n'

# Fails unless every Windows path among the arguments names real folder's $real/ followed by
# the same relative part as given after it: "input/VTS_01_1.VOB" for "...\input\VTS_01_1.VOB".
# Each argument is "WINDOWS_PATH|RELATIVE".
expect_in_folder() {
  local pair windows=() relative=() posix i
  for pair in "$@"; do
    windows+=("${pair%%|*}")
    relative+=("${pair#*|}")
  done
  mapfile -t posix < <(winepath -u "${windows[@]}" 2>>"$work/wine.err")
  for i in "${!windows[@]}"; do
    [[ ${posix[i]:-} == "$real/${relative[i]}" ]] ||
      fail "${windows[i]} names ${posix[i]:-nothing}, not $real/${relative[i]}"
  done
}

# One whole run in install folder $1 (below $work), which setup must accept.
accepted_folder() {
  make_install_tree "$work/$1" "$setup" "$wizard" "$tool_stand_in"
  mv setup.exe setup && mv wizard.exe wizard || fail "cannot name the programs"
  real=$(pwd -P)

  # setup as a user starts it: ./setup, the standard IDCT chosen on a pipe. No question about the
  # folder: it is worked out from the program's path, and Wine asked for its short form.
  printf '1' | timeout 90 ./setup > setup.txt 2>&1
  status=$?
  [[ $status -eq 0 ]] || { cat setup.txt >&2; echo >&2; fail "./setup ended with exit code $status (its output above)"; }
  expect_transcript setup.txt "$SETUP_BANNER$SHORT_FORM_WAIT${SETUP_MENU}1"
  d=$(head -n 1 config.cfg)
  d=${d%$'\r'}
  [[ $d =~ ^Z:[!-~]*\\$ ]] || fail "config.cfg names '$d', not a Z: path in plain ASCII without blanks"
  ((${#d} <= 229)) || fail "config.cfg names '$d', which leaves the tools no room for their file names"
  expect_bytes config.cfg "$d"$'\r\n-r2'
  expect_in_folder "$d|"

  # The wizard as a user starts it, with no WINEDEBUG of their own; the run offer taken.
  printf '%s' 20n51yq | env -u WINEDEBUG timeout 120 ./wizard > wizard.txt 2>&1
  status=$?
  [[ $status -eq 0 ]] || { cat wizard.txt >&2; echo >&2; fail "./wizard ended with exit code $status (its output above)"; }
  grep -q 'thank you for using kelvarro!' wizard.txt || fail "no farewell"

  for file in config.cfg input/movie.lst nandub/multi.vcf process.bat temp/tools.log; do
    [[ -f $file ]] || fail "$file is missing"
    ! LC_ALL=C grep -q '[^[:print:][:space:]]' "$file" || fail "$file holds bytes beyond ASCII: $(od -c "$file" | head -n 5)"
  done
  list=$(head -n 1 input/movie.lst)
  expect_in_folder "${list%$'\r'}|input/VTS_01_1.VOB"

  # Each tool ran once, in the order of the batch file, started by its path in the folder, and
  # every path it got lies in the folder too.
  mapfile -t lines < <(tr -d '\r' < temp/tools.log)
  [[ ${#lines[@]} -eq 4 ]] || fail "the tools ran ${#lines[@]} times: $(cat temp/tools.log)"
  tools=(progs/m2apx3g.exe progs/azid.exe progs/lame.exe nandub/nandub.exe)
  pairs=()
  for i in 0 1 2 3; do
    read -r -a words <<<"${lines[i]}"
    pairs+=("${words[0]}|${tools[i]}")
    for word in "${words[@]:1}"; do
      [[ $word == Z:* ]] || continue
      relative=${word#"$d"}
      [[ $relative != "$word" ]] || fail "tool ${tools[i]} got $word, outside $d"
      pairs+=("$word|${relative//\\//}")
    done
  done
  expect_in_folder "${pairs[@]}"
  [[ ${#pairs[@]} -eq 10 ]] || fail "the tools got $((${#pairs[@]} - 4)) paths, not 6: $(cat temp/tools.log)"
  [[ ${lines[3]} == *' /snandub\multi.vcf /x' ]] || fail "the video processor's line is ${lines[3]}"
}

# Folder $1 (below $work), which setup must refuse with reason $2 and then take a typed path.
refused_folder() {
  local dir="$work/$1"
  mkdir -p "$dir" && cp "$setup" "$dir/setup" || fail "cannot make $dir"
  (cd "$dir" && printf '/home/ann/k/\n1' | timeout 60 ./setup > "$work/setup.txt" 2>&1) || fail "./setup in $1 failed"
  # The line end after the typed path reaches the menu as a key, which it rejects.
  expect_transcript "$work/setup.txt" \
    "${SETUP_BANNER}the install directory can't go into a batch file as it is, and $2."$'\n'"$SETUP_PATH_QUESTION$SETUP_MENU"$'\n'"${SETUP_MENU}1"
  expect_bytes "$dir/config.cfg" $'Z:\\home\\ann\\k\\\r\n-r2'
}

accepted_folder "Мои фильмы/k"
# One folder by identity, with the real winepath: config.cfg naming this folder through a link
# is taken; in a copy named in another case beside it, the same config.cfg names another.
ln -s "$real" "$work/link" && printf '%s\\link\\\r\n-r2' "$(win_path "$work")" > config.cfg && cp -r . ../K || fail "no link"
printf '%s' 20n51yq | timeout 120 ./wizard | grep -q 'thank you for using' || fail "refused through a link"
cd ../K && printf '%s' 20n51yq | timeout 120 ./wizard | grep -q 'run setup.exe here again' ||
  fail "the copy named in another case passed"
# 232 characters as Wine names it, with its final backslash: beyond what the tools' paths leave.
long=$(cd "$work" && pwd -P)
long=${#long}
accepted_folder "$(printf 'x%.0s' $(seq $((232 - long - 6))))/k"

no_name='Windows programs cannot enter a folder named with one of \ : * ? " < > |'
for name in 'what?' 'say "hi"' 'a*b' 'back\slash'; do refused_folder "$name/k" "$no_name"; done
long_path=$(printf 'y%.0s' $(seq 100))/$(printf 'z%.0s' $(seq 100))/$(printf 'w%.0s' $(seq 100))
refused_folder "$long_path" "its Windows path is $((long + 2 + 303 + 1)) characters long, more than a working directory takes (259)"
echo "ok"
