# Readies the tests' own Wine prefix ($WINEPREFIX) for the tests that follow: it must start a
# 64-bit program and the 32-bit program given, where the machine runs 32-bit programs (or it is
# made afresh), and a persistent Wine
# server must run for it, so that each Wine start in the tests finds one instead of paying
# about 3 s for its own. Neither the server nor the Wine services that the first start leaves
# behind may hold on to ctest's output pipe, or ctest would wait for them: prefix.sh sends all
# their streams elsewhere. The server ends two minutes after the last Wine process.
# Usage: start_server.sh TOOL_STAND_IN_EXE TOOL_STAND_IN_32_EXE

source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/prefix.sh"
[[ $# -eq 2 ]] || fail "usage: $0 TOOL_STAND_IN_EXE TOOL_STAND_IN_32_EXE"

command -v wineserver >/dev/null || fail "the wineserver command is missing (package wine)"
ready_wine_prefix "$1" "$2" 120 || fail "$wine_prefix_problem"
echo "ok"
