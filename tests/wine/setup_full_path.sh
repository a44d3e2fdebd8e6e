# setup.exe started by its full Windows path takes its directory from that path, asks nothing
# about it, and reads menu keys from a pipe (no console) without spinning on a rejected key.
# A directory with a blank goes into config.cfg by its short form.
# Usage: setup_full_path.sh SETUP_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 1 ]] || fail "usage: $0 SETUP_EXE"

mkdir "$work/inst" && cp "$1" "$work/inst/setup.exe" || fail "cannot copy $1"
cd "$work/inst" || fail "no install directory"
dir=$(win_path .)
printf 'old content' > config.cfg

printf '9x2' | wine_run "$dir\\setup.exe" > out.txt
status=$?
[[ $status -eq 0 ]] || fail "exit code $status"
# The screen clear prints nothing on a pipe.
expect_transcript out.txt "$SETUP_BANNER${SETUP_MENU}9${SETUP_MENU}x${SETUP_MENU}2"
expect_bytes config.cfg "$dir\\"$'\r\n-r1'

# A blank in the directory would cut it in two where the wizard reads config.cfg: setup writes
# the folder's short form instead, which has no blank and names the same folder.
mkdir -p "$work/My Movies/kelvarro 0.7" && cp "$1" "$work/My Movies/kelvarro 0.7/setup.exe" || fail "cannot copy $1"
cd "$work/My Movies/kelvarro 0.7" || fail "no install directory"
printf '3' | wine_run "$(win_path .)\\setup.exe" > out.txt
status=$?
[[ $status -eq 0 ]] || fail "exit code $status with a blank in the path"
expect_transcript out.txt "$SETUP_BANNER${SETUP_MENU}3"
first_line=$(head -n 1 config.cfg)
first_line=${first_line%$'\r'}
[[ $first_line =~ ^Z:[^[:space:]]*\\$ ]] || fail "config.cfg names '$first_line'"
[[ $(winepath -u "$first_line" 2>>"$work/wine.err") == "$(pwd -P)/" ]] || fail "$first_line names another folder"
expect_bytes config.cfg "$first_line"$'\r\n-r7'
echo "ok"
