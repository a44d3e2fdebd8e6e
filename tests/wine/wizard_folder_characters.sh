# An install directory whose name holds the characters that mean something to the command
# interpreter (&, ^ and %, here around a variable's name): setup.exe writes it to config.cfg as
# it is, the wizard writes it as it is to the list and the job script and escaped to
# process.bat, and the real interpreter runs each tool (a stand-in) once with the real paths.
# Unescaped, every line would split at the &, lose the ^ and put the variable's value in.
# Usage: wizard_folder_characters.sh SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 3 ]] || fail "usage: $0 SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE"

constant_run 'R&D^x%PATH%y' "$@"
[[ $d == "$(win_path .)\\" ]] || fail "config.cfg names '$d'"
escaped_d=${d//^/^^}
escaped_d=${escaped_d//&/^&}
expect_bytes input/movie.lst "${d}input\\VTS_01_1.VOB"$'\r\n'
expect_golden_run "$d" "${escaped_d//%/%%}"
echo "ok"
