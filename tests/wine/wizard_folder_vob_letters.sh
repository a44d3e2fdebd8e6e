# An install folder whose path holds the letters "vob" (DVD-VOBs), directories x.vob and
# VTS_01_3.VOB and a file with a long name in input: the scan of the real command interpreter's
# listing finds pieces of its header, the directories' names and the tail of the long name as
# well, but none of them is a file in input, so movie.lst holds the three VOB files alone and
# the decoder is handed nothing else. setup.exe is started by its full path, the run offer is
# taken, and each tool (a stand-in) runs once.
# Usage: wizard_folder_vob_letters.sh SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 3 ]] || fail "usage: $0 SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE"

mkdir -p "$work/DVD-VOBs/kelvarro/input" && cd "$work/DVD-VOBs/kelvarro" || fail "no tree"
: > input/VTS_01_0.VOB && : > input/vts_01_2.vob && : > input/MOVIE_PART1.VOB || fail "cannot fill input"
mkdir input/x.vob input/VTS_01_3.VOB || fail "cannot make the directories in input"
constant_run DVD-VOBs/kelvarro "$@"

# The letters do stand outside the names of the files in the listing, or this proves nothing.
for trap in 'DVD-VOBs\kelvarro\input' ' x.vob' ' VTS_01_3.VOB' ' MOVIE_PART1.VOB'; do
  grep -qF "$trap" temp/menulst.tmp || fail "the listing has no '$trap'"
done
expect_bytes input/movie.lst "${d}input\\VTS_01_0.VOB"$'\r\n'"${d}input\\VTS_01_1.VOB"$'\r\n'"${d}input\\vts_01_2.vob"$'\r\n'
expect_golden_run "$d"
echo "ok"
