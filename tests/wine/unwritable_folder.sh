# setup.exe and wizard.exe where the user may not write, as a user for whom permission bits
# count (the tests run as root, who ignores them: Wine then runs as nobody, in a prefix of its
# own). Each program names the file it could not write and ends with exit code 1 after a key;
# the wizard never runs a batch file of an earlier run, nor scans a listing left by one.
# Usage: unwritable_folder.sh SETUP_EXE WIZARD_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 2 ]] || fail "usage: $0 SETUP_EXE WIZARD_EXE"

as_user=()
if [[ $(id -u) -eq 0 ]]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
  # Not where the root folder is root's alone, so that nobody can run no program at all.
  "${as_user[@]}" true 2>/dev/null || { echo "skipped: the user nobody can run no program on this machine"; exit 77; }
  # Wine runs only in a prefix its user owns; this one is kept beside the tests' own, since its
  # first start takes a while.
  prefix=${WINEPREFIX:-$work/prefix}-nobody
  "${as_user[@]}" test -x "$(dirname "$prefix")" || prefix=$work/prefix-nobody
  mkdir -p "$prefix" && chown 65534:65534 "$prefix" || fail "cannot make the prefix $prefix"
  export WINEPREFIX=$prefix HOME=$prefix
fi
chmod 755 "$work"
run_as_user() { "${as_user[@]}" timeout 120 wine "$@" 2>>"$work/wine.err"; }
# Sets `told` to the line for file $1 and its reason.
not_written() { printf -v told '\nuh-oh... i can'"'"'t write the file %s\n\n' "$1"; }

# setup in a folder that cannot be written: told right after the banner, before any question.
mkdir "$work/setup" && cp "$1" "$work/setup/setup.exe" && cd "$work/setup" || fail "no setup folder"
printf '2k' | run_as_user "$(win_path .)\\setup.exe" > out.txt
status=$?
[[ $status -eq 1 ]] || fail "setup ended with exit code $status"
not_written 'config.cfg: Permission denied'
expect_transcript out.txt "$SETUP_BANNER$told"
[[ ! -e config.cfg ]] || fail "setup created config.cfg"

# The wizard in a folder that cannot be written: the listing is told as not written.
make_install_tree "$work/wizard" "$1" "$2" "$1"
printf 'Z:\\k\\\r\n-r2' > config.cfg
printf '20n51yk' | run_as_user wizard.exe > out.txt
status=$?
[[ $status -eq 1 ]] || fail "the wizard ended with exit code $status in a folder it cannot write"
not_written 'temp\menulst.tmp!'
expect_transcript out.txt "$told"

# A listing and a batch file left by a run as root: the listing is made anew, and the batch
# file that cannot be replaced is told and never run.
chmod 777 . temp input nandub
printf -- '%060d\r\n VTS_09_1.VOB\r\n' 0 > temp/menulst.tmp
printf '@echo the earlier movie is converted\r\n' > process.bat
chmod 444 process.bat
printf '20n51yk' | run_as_user wizard.exe > out.txt
status=$?
[[ $status -eq 1 ]] || fail "the wizard ended with exit code $status with a read-only process.bat"
grep -q 'earlier movie' out.txt && fail "the earlier batch file ran"
not_written 'process.bat: Permission denied'
shown=$(tr -d '\r' <out.txt; printf x)
[[ ${shown%x} == *"$told" ]] || fail "the read-only process.bat is not told: $(tail -c 200 out.txt)"
expect_bytes input/movie.lst $'Z:\\k\\input\\VTS_01_1.VOB\r\n'
echo "ok"
