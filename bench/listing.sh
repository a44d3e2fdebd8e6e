#!/usr/bin/env bash
# Times the wizard's listing of input\*.vob against `ls -l input` over the same directory.
#
#   bench/listing.sh [FILES] [RUNS]        (defaults 20000 and 30)
#
# Builds listing_bench in the release preset's directory (build/release), or in the directory
# named by BUILD_DIR. Makes a temporary install tree whose input holds FILES empty VOB files,
# then runs listing_bench there: one warm-up round, then RUNS rounds in which the listing step
# and `ls -l input` take turns. The table shows the best and the median time of each.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
files=${1:-20000}
runs=${2:-30}

source "$root/bench/lib.sh"
build_release_targets listing_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/input" "$work/temp"
# Names in both cases and with the characters that tell the orders apart ('_' and '~' sort
# after the letters upper-cased, before them lower-cased).
(
  cd "$work/input"
  for ((i = 0; i < files; i++)); do
    case $((i % 4)) in
      0) echo "VTS_$((i / 40 % 100))_$((i % 10))_$i.VOB" ;;
      1) echo "vts$i.vob" ;;
      2) echo "Movie~$i.Vob" ;;
      3) echo "MOVIE$i.VOB" ;;
    esac
  done | xargs touch
)

echo "$files VOB files, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg), locale ${LC_ALL:-${LANG:-C}}"
echo "listing_bench $runs runs:"
(cd "$work" && "$build/bench/listing_bench" "$runs")
