# Install directories with letters beyond ASCII. Wine hands the programs their paths in the
# ANSI code page 1252, while its command interpreter reads batch files in the OEM code page
# 437. setup.exe writes config.cfg in ANSI, the wizard keeps those bytes in the list and the job
# script, and writes process.bat in OEM: for Jörg the byte 0xF6 becomes 0x94. A folder named
# with a letter that OEM 437 lacks (the euro sign) goes into process.bat by its short form.
# Either way the real interpreter runs each tool (a stand-in) once, with paths that name the
# folder.
# Usage: wizard_folder_code_page.sh SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 3 ]] || fail "usage: $0 SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE"

# Wine takes the UTF-8 file names of Linux for what they are only in a UTF-8 locale.
export LC_ALL=C.UTF-8

# The run in a tree named $1 (UTF-8), whose install directory config.cfg holds in ANSI.
convert_in() {
  constant_run "$1" "${programs[@]}"
  [[ $d == "$(win_path . | iconv -f UTF-8 -t CP1252)\\" ]] || fail "config.cfg names '$d', not $1 in ANSI"
  expect_bytes input/movie.lst "${d}input\\VTS_01_1.VOB"$'\r\n'
}
programs=("$@")

convert_in 'Jörg'
oem_d=$(printf '%s' "$d" | iconv -f CP1252 -t CP437)
[[ $oem_d == *$'J\x94rg\\' ]] || fail "unexpected OEM name $oem_d"
expect_golden_run "$d" "$oem_d"

convert_in 'Mus€'
[[ $d == *$'Mus\x80\\' ]] || fail "unexpected ANSI name $d"
# The last line names the directory first and alone.
short_d=$(tail -n 1 process.bat)
short_d=${short_d%%nandub\\nandub.exe*}
[[ $short_d =~ ^[!-~]+$ ]] || fail "the short form $short_d is not plain ASCII without blanks"
[[ $(winepath -u "$short_d" 2>>"$work/wine.err") == "$(pwd -P)/" ]] || fail "$short_d names another folder"
golden job multi.vcf "${d//\\/\\\\}"
expect_bytes nandub/multi.vcf "$job"
golden batch process.bat "$short_d"
expect_bytes process.bat "$batch"
expect_bytes temp/tools.log "${batch#start /wait }"
echo "ok"
