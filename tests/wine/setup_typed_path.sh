# A path typed at setup's question at Wine's console, under a German locale: the console's
# input code page is OEM 850, the ANSI one 1252, and config.cfg, which the wizard and the tools
# read in ANSI, must hold "José" with the byte 0xE9 (0x82 in 850, read back as a quotation
# mark in 1252).
# Usage: setup_typed_path.sh SETUP_EXE CONSOLE_TYPED_PATH_DRIVER

source "$(dirname "$0")/lib.sh"
[[ $# -eq 2 ]] || fail "usage: $0 SETUP_EXE CONSOLE_TYPED_PATH_DRIVER"

mkdir -p "$work/locale"
localedef -i de_DE -f UTF-8 "$work/locale/de_DE.UTF-8" 2>>"$work/wine.err" ||
  fail "cannot generate the de_DE.UTF-8 locale (package locales)"
export LOCPATH=$work/locale LC_ALL=de_DE.UTF-8
"$2" "$1" "$work/run" 'C:\Jos'$'\xC3\xA9''\k\' 'C:\Jos'$'\xE9''\k\' || fail "the typed path was not stored in ANSI"
echo "ok"
