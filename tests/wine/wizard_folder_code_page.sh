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

# Runs setup and the wizard in a tree named $1 (UTF-8); sets d to the install directory in
# ANSI and checks the files that keep those bytes.
convert_in() {
  make_install_tree "$work/$1" "${programs[@]}"
  d=$(win_path . | iconv -f UTF-8 -t CP1252)'\' || fail "no ANSI name for $1"
  run_keys "$(win_path .)\\setup.exe" "$CONSTANT_SETUP_KEYS"
  expect_bytes config.cfg "$d"$'\r\n-r2'
  run_keys wizard.exe "$CONSTANT_WIZARD_KEYS"
  grep -q 'thank you for using kelvarro!' "$work/out.txt" || fail "no farewell in $1"
  expect_bytes input/movie.lst "${d}input\\VTS_01_1.VOB"$'\r\n'
  expect_bytes nandub/multi.vcf "$(job_script "$d")"
}
programs=("$@")

convert_in 'Jörg'
oem_d=$(printf '%s' "$d" | iconv -f CP1252 -t CP437)
[[ $oem_d == *$'J\x94rg\\' ]] || fail "unexpected OEM name $oem_d"
constant_lines batch "$oem_d" "start /wait "
expect_bytes process.bat "$batch"
constant_lines log "$d" ""
expect_bytes temp/tools.log "$log"

convert_in 'Mus€'
[[ $d == *$'Mus\x80\\' ]] || fail "unexpected ANSI name $d"
# The last line names the directory first and alone.
short_d=$(tail -n 1 process.bat)
short_d=${short_d%%nandub\\nandub.exe*}
[[ $short_d =~ ^[!-~]+$ ]] || fail "the short form $short_d is not plain ASCII without blanks"
[[ $(winepath -u "$short_d" 2>>"$work/wine.err") == "$(pwd -P)/" ]] || fail "$short_d names another folder"
constant_lines batch "$short_d" "start /wait "
expect_bytes process.bat "$batch"
constant_lines log "$short_d" ""
expect_bytes temp/tools.log "$log"
echo "ok"
