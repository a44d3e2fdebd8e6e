# setup.exe started by its bare name from the command interpreter cannot see its directory:
# it asks for it and takes the typed word, with the final backslash it lacks. The rest of the
# typed line reaches the menu as keys, which it rejects. Closed input ends the run with exit code 1 instead of
# waiting forever, and config.cfg keeps what it had.
# Usage: setup_bare_name.sh SETUP_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 1 ]] || fail "usage: $0 SETUP_EXE"

cp "$1" "$work/setup.exe" || fail "cannot copy $1"
cd "$work" || fail "no scratch directory"

printf 'Z:\\movies\\enc rest\n1' | wine_run cmd /c setup.exe > out.txt
status=$?
[[ $status -eq 0 ]] || fail "exit code $status"
rejected=""
for key in ' ' r e s t $'\n'; do rejected+="$SETUP_MENU$key"; done
expect_transcript out.txt "$SETUP_BANNER$SETUP_PATH_QUESTION$rejected${SETUP_MENU}1"
expect_bytes config.cfg $'Z:\\movies\\enc\\\r\n-r2'

for input in "" "Z:\\inst\\"; do
  printf 'old content' > config.cfg
  printf '%s' "$input" | wine_run cmd /c setup.exe > out.txt
  status=$?
  [[ $status -eq 1 ]] || fail "exit code $status at the end of input '$input'"
  expect_bytes config.cfg "old content"
done
echo "ok"
