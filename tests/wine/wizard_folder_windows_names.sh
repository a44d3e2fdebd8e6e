# Install folders that Windows users have and that the batch file cannot carry as they are,
# with setup.exe started by its Windows path as Explorer starts it, then wizard.exe with the
# run offer taken, under the real command interpreter and stand-in tools:
# - Cyrillic letters under a Western code page (ANSI 1252): setup takes its path in UTF-16 and
#   writes the folder's short form, which is ASCII, instead of question marks;
# - ; and = in the name, at which the interpreter cuts an unquoted command: the short form too;
# - a Japanese name with & under the Japanese code page 932, whose second bytes can look like
#   ^: config.cfg keeps the ANSI bytes, and the batch file escapes the & and nothing else.
# Each tool runs once, and every path it is given names the real folder.
# Usage: wizard_folder_windows_names.sh SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 3 ]] || fail "usage: $0 SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE"
programs=("$@")

# Wine takes the UTF-8 file names of Linux for what they are only in a UTF-8 locale.
export LC_ALL=C.UTF-8

# The POSIX folder that Windows path $1 (in the ANSI code page $2) names, or "".
posix_of() {
  local utf8
  utf8=$(printf '%s' "$1" | iconv -f "$2" -t UTF-8) || return 0
  winepath -u "$utf8" 2>>"$work/wine.err"
}

# The run in a new tree named $1 (UTF-8) under ANSI code page $2, whose install directory d
# must name the real folder, with the golden files for it, and process.bat carrying $3 (d when
# not given). Each tool runs once, with d's paths.
convert_in() {
  constant_run "$1" "${programs[@]}"
  [[ $(posix_of "$d" "$2") == "$(pwd -P)/" ]] || fail "config.cfg names '$d', not $1"
  expect_bytes input/movie.lst "${d}input\\VTS_01_1.VOB"$'\r\n'
}

convert_in 'Мои фильмы/k' CP1252
[[ $d =~ ^[!-~]+$ ]] || fail "'$d' is not the short form in plain ASCII"
expect_golden_run "$d"

convert_in 'k;1=2' CP1252
[[ $d =~ ^[!-~]+$ && $d != *[\;=]* ]] || fail "'$d' is not a short form without ; and ="
expect_golden_run "$d"

# Japanese needs its locale, generated into a folder of this test's own.
mkdir -p "$work/locale"
localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" 2>>"$work/wine.err" ||
  fail "cannot generate the ja_JP.UTF-8 locale (package locales)"
export LOCPATH=$work/locale LC_ALL=ja_JP.UTF-8
convert_in 'データ&b' CP932
ansi_name=$(printf 'データ&b' | iconv -f UTF-8 -t CP932)
[[ $d == *"\\$ansi_name\\" ]] || fail "config.cfg does not keep the ANSI name: '$d'"
# The interpreter reads batch files in OEM 932 too: the bytes stay, the & alone is escaped.
expect_golden_run "$d" "${d//&/^&}"
echo "ok"
