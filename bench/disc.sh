#!/usr/bin/env bash
# Times whole wizard runs on a title VOB of real format against the same run on one that holds
# no program stream, and what the reading adds against cat of the bytes it reads, all in this
# one run of the script.
#
#   bench/disc.sh [RUNS]        (default 21 runs of each case)
#
# Builds the release preset's directory (build/release) when it has not been built yet, or the
# directory named by BUILD_DIR. The title VOBs repeat the packs of
# tests/fixtures/disc/pal_16x9_two_ac3.vob: one of 999,999,488 bytes (1 GB, whole packs) and one
# of 4 GiB; the one without a program stream is 1 GB of zeros. They lie in a scratch folder
# under TMPDIR (default /var/tmp), which needs about 5.3 GB. Each run is a fresh wizard in its
# own install tree with the keys 20n51nz (region 2, stream 0, no VBR, 128 kbit/s, aspect 1, not
# run, the last key), the cases taking turns, every file in the page cache. The reader reads
# the first 32 MiB and four probes of 2 MiB; cat reads those same bytes, copied into one file.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-21}
mib=$((1 << 20))
one_gb=$((488281 * 2048))
four_gib=$((4 << 30))

source "$root/bench/lib.sh"
build_release_targets wizard
wizard=$build/wizard/wizard

work=$(mktemp -d -p "${TMPDIR:-/var/tmp}")
trap 'rm -rf "$work"' EXIT

# 256 copies of the fixture's packs (57 MB), appended up to 4 GiB, cut at a pack's end.
cp "$root/tests/fixtures/disc/pal_16x9_two_ac3.vob" "$work/chunk"
for _ in 1 2 3 4 5 6 7 8; do cat "$work/chunk" "$work/chunk" > "$work/double" && mv "$work/double" "$work/chunk"; done
while (($(stat -c %s "$work/four.vob" 2>/dev/null || echo 0) < four_gib)); do cat "$work/chunk" >> "$work/four.vob"; done
truncate -s "$four_gib" "$work/four.vob"
head -c "$one_gb" "$work/four.vob" > "$work/one.vob"
truncate -s "$one_gb" "$work/none.vob"

# What the reader reads of a title of SIZE bytes: its first 32 MiB, then four probes of 2 MiB
# spread so that the last ends with the title.
read_bytes() {
  local vob=$1 size rest k start
  size=$(stat -c %s "$vob")
  rest=$((size - 32 * mib))
  head -c $((32 * mib)) "$vob"
  for k in 1 2 3 4; do
    start=$((32 * mib + (rest / 4 * k - 2 * mib) / 2048 * 2048))
    dd if="$vob" iflag=skip_bytes,count_bytes skip="$start" count=$((2 * mib)) bs="$mib" status=none
  done
}
read_bytes "$work/one.vob" > "$work/same_bytes"

mkdir -p "$work/no-programs"
printf '20n51nz' > "$work/keys"
for case in one none four; do
  tree=$work/$case
  mkdir -p "$tree"/{input,temp,output,nandub}
  ln "$work/$case.vob" "$tree/input/VTS_01_1.VOB"
  printf 'c:\\kelvarro\\\r\n-r7\r\n' > "$tree/config.cfg"
done

# One run of each checked first: a run that stopped early would be timed as a fast one.
for case in one none four; do
  (cd "$work/$case" && PATH=$work/no-programs "$wizard" < "$work/keys" > "$work/$case.out")
  grep -q 'thank you for using kelvarro' "$work/$case.out" || { echo "the $case run did not finish" >&2; exit 1; }
done
grep -q 'the disc is PAL, 720x576' "$work/one.out" || { echo "the 1 GB run told nothing of the disc" >&2; exit 1; }
if grep -q 'the disc is' "$work/none.out"; then echo "the run without a program stream told a disc" >&2; exit 1; fi
cat "$work"/*.vob "$work/same_bytes" > /dev/null

ms() { echo $((($(date +%s%N) - $1) / 1000)); }
declare -A times
for ((run = 0; run < runs; run++)); do
  for case in one none four; do
    start=$(date +%s%N)
    (cd "$work/$case" && PATH=$work/no-programs "$wizard" < "$work/keys" > /dev/null)
    times[$case]+="$(ms "$start") "
  done
  start=$(date +%s%N)
  cat "$work/same_bytes" > /dev/null
  times[cat]+="$(ms "$start") "
done
median() { tr ' ' '\n' <<< "$1" | sed '/^$/d' | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "$(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg); $runs runs of each, in turns, in ${TMPDIR:-/var/tmp}"
echo "bytes read of each real title: $(stat -c %s "$work/same_bytes") (cat reads the same)"
one=$(median "${times[one]}")
none=$(median "${times[none]}")
four=$(median "${times[four]}")
cat_us=$(median "${times[cat]}")
awk -v one="$one" -v none="$none" -v four="$four" -v cat="$cat_us" 'BEGIN {
  printf "median wall time (ms): 1 GB title %.2f, 1 GB without a program stream %.2f, 4 GiB title %.2f, cat %.2f\n",
    one / 1000, none / 1000, four / 1000, cat / 1000
  printf "the reading adds %.2f ms: %.2f times cat of the same bytes (target <= 1)\n", (one - none) / 1000,
    (one - none) / cat
  printf "4 GiB title / 1 GB title: %.2f (target <= 1, within the noise)\n", four / one
}'
