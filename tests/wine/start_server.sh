# Starts a persistent Wine server for the tests that follow, so that each Wine start in them
# finds one running instead of paying about 3 s for its own. The server fails when the prefix
# does not exist yet, so the prefix comes first. Neither the server nor the Wine services that
# the first start leaves behind may hold on to ctest's output pipe, or ctest would wait for
# them: all their streams go elsewhere. The server ends two minutes after the last Wine process.
# Usage: start_server.sh

source "$(dirname "$0")/lib.sh"
[[ $# -eq 0 ]] || fail "usage: $0"

command -v wineserver >/dev/null || fail "the wineserver command is missing (package wine)"
mkdir -p "${WINEPREFIX:-$HOME/.wine}" || fail "cannot make the Wine prefix ${WINEPREFIX:-$HOME/.wine}"

wineserver -p120 </dev/null >/dev/null 2>"$work/server.err"
status=$?
# Exit code 2: a server for this prefix is already running, which is what is wanted.
[[ $status -eq 0 || $status -eq 2 ]] || fail "wineserver -p exited with $status: $(head -n 1 "$work/server.err")"

# The first start in a new prefix fills it in; Wine's add-ons are not wanted for that.
WINEDLLOVERRIDES="mscoree,mshtml=" timeout 120 wine cmd /c exit </dev/null >/dev/null 2>"$work/wine.err" ||
  fail "wine cmd /c exit failed: $(grep -v 'Read access denied' "$work/wine.err" | head -n 1)"
echo "ok"
