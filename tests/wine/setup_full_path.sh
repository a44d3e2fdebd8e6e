# setup.exe started by its full Windows path takes its directory from that path, asks nothing
# about it, and reads menu keys from a pipe (no console) without spinning on a rejected key.
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

# A blank in the directory is kept: the path is written whole.
mkdir "$work/my dir" && cp "$1" "$work/my dir/setup.exe" || fail "cannot copy $1"
cd "$work/my dir" || fail "no install directory"
dir=$(win_path .)
printf '3' | wine_run "$dir\\setup.exe" > out.txt
status=$?
[[ $status -eq 0 ]] || fail "exit code $status with a blank in the path"
expect_bytes config.cfg "$dir\\"$'\r\n-r7'
echo "ok"
