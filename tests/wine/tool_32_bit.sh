# The batch file's first line starts a 32-bit tool and waits for it, as the real decoder is a
# 32-bit Windows program: the prefix must run those beside the 64-bit programs. Exits 77
# (skipped) where the machine runs no 32-bit programs at all, so that 32-bit Wine cannot start.
# Usage: tool_32_bit.sh TOOL_STAND_IN_32_EXE

source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/../../scripts/host_32_bit.sh"
[[ $# -eq 1 ]] || fail "usage: $0 TOOL_STAND_IN_32_EXE"
if ! host_runs_32_bit_programs; then
  echo "skipped: this machine's kernel runs no 32-bit programs"
  exit 77
fi

cd "$work" && mkdir temp progs && cp "$1" progs/m2apx3g.exe || fail "cannot set up the tree"
printf 'a movie' > movie.vob && printf 'movie.vob\r\n' > movie.lst
printf 'start /wait progs\\m2apx3g.exe -b movie.lst -a0x80 -o8 temp\\32.avi\r\n' > run.bat
wine_run cmd /c run.bat < /dev/null > out.txt || fail "cmd /c run.bat failed"
[[ -f temp/tools.log ]] || fail "the 32-bit tool did not run"
[[ $(wc -l < temp/tools.log) -eq 1 && $(tr -d '\r' < temp/tools.log) == *'m2apx3g.exe -b movie.lst -a0x80 -o8 temp\32.avi' ]] ||
  fail "the 32-bit tool logged: $(cat temp/tools.log)"
expect_bytes temp/32.avi 'video of [a movie]'
echo "ok"
