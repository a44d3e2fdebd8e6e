# The conversion as users meet it, under Wine's real command interpreter, with stand-ins that
# read and write the files their command lines name: the wizard runs no batch file while a
# tool is missing, runs it in no folder but the one config.cfg names, keeps an earlier movie,
# lets none of an earlier movie's files pass for this one's, and tells the step that failed.
# Usage: wizard_conversion.sh SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 3 ]] || fail "usage: $0 SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE"

make_install_tree "$work/k" "$1" "$2" "$3"
rm progs/*.exe nandub/nandub.exe
printf 'movie A, streams 0x80' > input/VTS_01_1.VOB
run_keys "$(win_path .)\\setup.exe" 1

# Runs the wizard with stream key $1 and the run offer taken; fails unless it ends with exit
# code $2 and shows $3.
convert() {
  printf '2%sn51yq' "$1" | wine_run wizard.exe > "$work/out.txt"
  local status=$? shown
  shown=$(tr -d '\r' < "$work/out.txt")
  [[ $status -eq $2 ]] || fail "stream $1: exit code $status, not $2: $shown"
  [[ $shown == *"$3"* ]] || fail "stream $1: the run did not show '$3': $shown"
}
missing() { printf "uh-oh... i can't find the tool %s\\\\%s! please put %s into the folder %s.\n" "$1" "$2" "$2" "$1"; }

convert 0 1 "$(missing progs m2apx3g.exe; missing progs azid.exe; missing progs lame.exe; missing nandub nandub.exe)"
for tool in progs/m2apx3g progs/azid nandub/nandub; do cp "$3" "$tool.exe"; done
convert 0 1 "$(missing progs lame.exe)"
[[ ! -e temp/tools.log && -s process.bat ]] || fail "a tool ran while one was missing, or process.bat went"

cp "$3" progs/lame.exe
convert 0 0 'thank you for using kelvarro!'
expect_bytes output/output.avi "avi of [video of [movie A, streams 0x80]] with [mp3 of [wav of [sound 0x80 of [movie A, streams 0x80]]]]"

# The next movie, on a disc without the stream chosen: the decoder makes no sound, the tools
# after it fail, and movie A's sound is not joined to movie B's picture.
printf 'movie B, streams 0x80' > input/VTS_01_1.VOB
convert 1 1 "looks like progs\\m2apx3g.exe did not make temp\\movie_1.avistream0x81.ac3: maybe the DVD has no audio stream 0x81!"
grep -q 'the earlier movie output\\output.avi is kept as output\\output-1.avi.' "$work/out.txt" || fail "no word of the earlier movie"
[[ ! -e output/output.avi && ! -e temp/pcmaudio.wav && ! -e temp/audio.mp3 ]] || fail "movie A's files were taken for movie B's"
convert 0 0 'thank you for using kelvarro!'
expect_bytes output/output-1.avi "avi of [video of [movie A, streams 0x80]] with [mp3 of [wav of [sound 0x80 of [movie A, streams 0x80]]]]"
expect_bytes output/output.avi "avi of [video of [movie B, streams 0x80]] with [mp3 of [wav of [sound 0x80 of [movie B, streams 0x80]]]]"
STAND_IN_JOINER_EXIT=3 convert 0 1 'looks like nandub\nandub.exe ended with exit code 3, so the movie was not made!'

# A second wizard while the first one waits at its first question ends at once.
mkfifo "$work/keys" && { wine_run wizard.exe < "$work/keys" > /dev/null & } && exec 3> "$work/keys"
for _ in {1..300}; do [[ -e temp/wizard.lck ]] && break; sleep 0.1; done
printf k | wine_run wizard.exe > "$work/out.txt"
status=$? && exec 3>&- && wait
[[ $status -eq 1 ]] && grep -q 'another wizard is running in this folder!' "$work/out.txt" || fail "two wizards ran: $(cat "$work/out.txt")"

# The folder moved after setup: config.cfg names the old one, whose movie must not be made again.
mv "$work/k" "$work/moved" && cd "$work/moved" || fail "cannot move the tree"
convert 0 1 "config.cfg was made for the folder $(win_path "$work")\\k\\, but i'm running in $(win_path .)\\! please run setup.exe here again."
# One folder by identity: the old name as a link to the moved folder is this folder; a copy
# named in another case beside it is another, which Wine keeps apart on Linux.
ln -s moved "$work/k" && convert 0 0 'thank you for using kelvarro!'
cp -r "$work/moved" "$work/K" && cd "$work/K" || fail "cannot copy the tree"
convert 0 1 "config.cfg was made for the folder $(win_path "$work")\\k\\, but i'm running in $(win_path .)\\! please run setup.exe here again."
echo "ok"
