# The Wine prefix of the tests, never the user's ~/.wine: ready_wine_prefix makes $WINEPREFIX
# start both a 64-bit and a 32-bit program (only a 64-bit one where the machine runs no 32-bit
# programs, scripts/host_32_bit.sh), with a persistent Wine server for it. Sourced by
# scripts/test.sh and tests/wine/start_server.sh; never run by itself.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/host_32_bit.sh"
#
# Why a prefix is probed with a program of each kind: a prefix made before the package wine32
# was installed cannot start 32-bit programs, and once wine32 is there not 64-bit ones either
# (every start ends with "could not load kernel32.dll, status c0000135", wineboot -u does not
# mend it). Made afresh, it runs both. So a prefix that fails the probe is made afresh, once.
#
# Every Wine process started here has all three streams away from the caller's: the services
# that the first start leaves behind would otherwise hold a pipe open (ctest's, or a tee's) for
# as long as they live.

# The file that marks a prefix as made by these scripts: only such a prefix is ever removed.
wine_prefix_mark=.kelvarro-test-prefix
wine_server_started=no
wine_prefix_problem=""

# Starts a 64-bit program (Wine's cmd) and the program $1 in $WINEPREFIX; that one is a tool
# stand-in, which writes temp\tools.log into its current directory. The first
# start in a new prefix fills it in, without Wine's add-ons, which console programs never use.
# On failure sets wine_prefix_problem to Wine's first complaint.
wine_prefix_runs() {
  local probe scratch status=0
  probe=$(realpath "$1") || { wine_prefix_problem="no probe program $1"; return 1; }
  scratch=$(mktemp -d) && mkdir "$scratch/temp" || { wine_prefix_problem="no scratch directory"; return 1; }
  if ! (cd "$scratch" && WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wine cmd /c exit) \
      </dev/null >/dev/null 2>"$scratch/err"; then
    wine_prefix_problem="wine cmd /c exit failed: $(grep -v 'Read access denied' "$scratch/err" | head -n 1)"
    status=1
  else
    (cd "$scratch" && timeout 120 wine "$probe") </dev/null >/dev/null 2>"$scratch/err" || status=$?
    if [[ $status -ne 0 || ! -s $scratch/temp/tools.log ]]; then
      wine_prefix_problem="$(basename "$probe") did not run (exit code $status)"
      wine_prefix_problem+=" $(grep -v 'Read access denied' "$scratch/err" | head -n 1)"
      status=1
    fi
  fi
  rm -rf "$scratch"
  return "$status"
}

# Makes $WINEPREFIX (with its mark) and starts a Wine server for it that stays $1 seconds after
# the last Wine process ends, or until it is killed when $1 is empty. The server fails silently
# unless the prefix exists, so the prefix comes first.
start_prefix_server() {
  local persist=$1 err status=0
  mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/$wine_prefix_mark" ||
    { wine_prefix_problem="cannot make the Wine prefix $WINEPREFIX"; return 1; }
  err=$(mktemp)
  wineserver "-p$persist" </dev/null >/dev/null 2>"$err" || status=$?
  case $status in
    0) wine_server_started=yes ;;
    2) ;;  # a server for this prefix is already running, which is what is wanted
    *) wine_prefix_problem="wineserver -p failed (exit code $status): $(head -n 1 "$err")" ;;
  esac
  rm -f "$err"
  [[ $status -eq 0 || $status -eq 2 ]]
}

# True when Wine's loaders fit this machine: the 64-bit one, and the 32-bit one (package
# wine32) where the machine runs 32-bit programs. Where it runs none, an installed wine32 is in
# the way: Wine's start script then picks that loader for every program, and none starts.
# Otherwise sets wine_prefix_problem.
wine_loaders_fit() {
  if [[ ! -x /usr/lib/wine/wine64 ]]; then
    wine_prefix_problem="Wine's 64-bit loader is missing (package wine64)"
  elif host_runs_32_bit_programs; then
    [[ -x /usr/lib/wine/wine ]] && return 0
    wine_prefix_problem="Wine's 32-bit loader is missing (package wine32:i386, which install-deps.sh installs)"
  else
    [[ ! -x /usr/lib/wine/wine ]] && return 0
    wine_prefix_problem="this kernel runs no 32-bit programs, yet wine32 is installed, which stops every Wine start: remove it"
  fi
  return 1
}

# Readies $WINEPREFIX with a server that persists $3 seconds (empty: until killed), probed with
# the 32-bit tool stand-in $2, or with the 64-bit one $1 where the machine runs no 32-bit
# programs. Returns non-zero with the reason in wine_prefix_problem.
ready_wine_prefix() {
  local probe=$2 persist=${3:-}
  wine_prefix_problem=""
  if [[ -z ${WINEPREFIX:-} || $WINEPREFIX == "$HOME/.wine" ]]; then
    wine_prefix_problem="WINEPREFIX must name the tests' own Wine prefix, not ${WINEPREFIX:-the default}"
    return 1
  fi
  wine_loaders_fit || return 1
  host_runs_32_bit_programs || probe=$1
  if [[ -d $WINEPREFIX && ! -e $WINEPREFIX/$wine_prefix_mark && -n $(ls -A "$WINEPREFIX") ]]; then
    wine_prefix_problem="$WINEPREFIX was not made by these tests; remove it or name another WINEPREFIX"
    return 1
  fi
  [[ -d $WINEPREFIX/drive_c ]] || echo "setting up the Wine prefix $WINEPREFIX (some seconds)"
  start_prefix_server "$persist" || return 1
  wine_prefix_runs "$probe" && return 0

  echo "the Wine prefix cannot start both kinds of program ($wine_prefix_problem): making it afresh"
  wineserver -k </dev/null >/dev/null 2>&1
  timeout 60 wineserver -w </dev/null >/dev/null 2>&1
  wine_server_started=no
  rm -rf "$WINEPREFIX" || { wine_prefix_problem="cannot remove $WINEPREFIX"; return 1; }
  start_prefix_server "$persist" && wine_prefix_runs "$probe" && wine_prefix_problem=""
}
