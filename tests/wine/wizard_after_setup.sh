# setup.exe and then wizard.exe in one install tree under Wine, keys fed through a pipe. The
# wizard reads the config.cfg that setup wrote, finds the VOB files through the real command
# interpreter's listing, and writes the list, the job script and the batch file byte for byte.
# Declined, the batch file runs nothing; accepted, the real interpreter runs it: the decoder
# line waits for its tool, the four tools (stand-ins) run in order with the written arguments,
# and the farewell comes only after the last of them. The decoder's stand-in is a 32-bit
# program, as the real tools are, where the machine runs 32-bit programs.
# Usage: wizard_after_setup.sh SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE TOOL_STAND_IN_32_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 4 ]] || fail "usage: $0 SETUP_EXE WIZARD_EXE TOOL_STAND_IN_EXE TOOL_STAND_IN_32_EXE"

make_install_tree "$work/k" "$1" "$2" "$3"
source "$(dirname "$0")/../../scripts/host_32_bit.sh"
decoder=$4
host_runs_32_bit_programs || decoder=$3
cp "$decoder" progs/m2apx3g.exe || fail "cannot copy $decoder"
for vob in VTS_01_0.VOB VTS_01_1.VOB vts_01_2.vob; do printf 'streams 0x80 0x81' > "input/$vob"; done
d=$(win_path .)'\'

# The golden run, with the run offer declined.
run_keys "${d}setup.exe" 2
expect_bytes config.cfg "$d"$'\r\n-r1'
run_keys wizard.exe '20n51nq'
grep -q "thank you for using kelvarro!" "$work/out.txt" || fail "no farewell"
expect_bytes input/movie.lst "${d}input\\VTS_01_0.VOB"$'\r\n'"${d}input\\VTS_01_1.VOB"$'\r\n'"${d}input\\vts_01_2.vob"$'\r\n'
golden expected multi.vcf "${d//\\/\\\\}"
expect_bytes nandub/multi.vcf "$expected"
golden expected process.bat "$d"
expect_bytes process.bat "$expected"
[[ ! -e temp/tools.log ]] || fail "a tool ran although the run offer was declined"

# Setup again for another IDCT; region 1 at 23 fps, stream 1, VBR 96..256 at quality 2 (the
# Enter behind 256 is a rejected key), 16:9 coded 1:1.85, run it, a last key.
run_keys "${d}setup.exe" '3'
run_keys wizard.exe '111y96\n256\n24yq'
decoder="${d}progs\\m2apx3g.exe -b ${d}input\\movie.lst -f5 -q0 -r7 -3X 512 -3Y 288 -1 512 280 -a0x81 -o8 ${d}temp\\movie_1.avi"
others="${d}progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db ${d}temp\\movie_1.avistream0x81.ac3 ${d}temp\\pcmaudio.wav"$'\r\n'
others+="${d}progs\\lame.exe -h -b 96 -V 2 -B 256 ${d}temp\\pcmaudio.wav ${d}temp\\audio.mp3"$'\r\n'
others+="${d}nandub\\nandub.exe /snandub\\multi.vcf /x"$'\r\n'
expect_bytes process.bat "start /wait $decoder"$'\r\n'"$others"
expect_bytes temp/tools.log "$decoder"$'\r\n'"$others"

transcript=$(tr -d "\r" < "$work/out.txt")
last_tool=${transcript%%nandub.exe /snandub\\multi.vcf /x*}
farewell=${transcript%%thank you for using kelvarro!*}
[[ $last_tool != "$transcript" && $farewell != "$transcript" ]] || fail "batch echo or farewell missing"
(( ${#last_tool} < ${#farewell} )) || fail "the farewell came before the batch file had ended"
# Into a file the dialogue is buffered: the answer to the run offer is out before the tools'.
answer=${transcript%%run it now (y/n)? y*}
first_tool=${transcript%%m2apx3g.exe -b*}
(( ${#answer} < ${#first_tool} )) || fail "the tools' output came before the answer to the run offer"
echo "ok"
