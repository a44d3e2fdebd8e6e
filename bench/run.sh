#!/usr/bin/env bash
# Times the VOB scan over a synthetic directory listing, with `grep -ci vob` over the same
# listing as the baseline measured in the same run.
#
#   bench/run.sh [MEGABYTES]        (default 200)
#
# Builds the release preset's directory (build/release) when it has not been built yet, or the
# directory named by BUILD_DIR. Each program runs five times under /usr/bin/time -v with the
# listing already in the page cache; the table shows the best wall time, the highest peak
# resident memory and the least CPU time (user and system) of the five runs. CPU time hardly
# depends on how many other programs share the cores; wall time does.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
megabytes=${1:-200}
runs=5

source "$root/bench/lib.sh"
build_release_targets make_dir_listing scan_listing

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
listing=$work/menulst.tmp
"$build/bench/make_dir_listing" "$megabytes" "$listing" > /dev/null
bytes=$(stat -c %s "$listing")
cat "$listing" > /dev/null

# measure COMMAND...: prints "best_wall_ns peak_rss_kb least_cpu_s" over $runs runs; the
# command's standard output of the last run is left in $work/out. grep's exit status 1 (no line found) is no error.
measure() {
  local best="" peak=0 cpu="" start end ns kb status c
  for ((run = 0; run < runs; run++)); do
    start=$(date +%s%N)
    status=0
    /usr/bin/time -v -o "$work/time" "$@" > "$work/out" || status=$?
    end=$(date +%s%N)
    if ((status > 1)); then
      echo "failed: $* (exit status $status)" >&2
      exit 1
    fi
    ns=$((end - start))
    kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
    if [[ -z $best ]] || ((ns < best)); then best=$ns; fi
    if ((kb > peak)); then peak=$kb; fi
    c=$(awk -F': ' '/User time/ { u = $2 } /System time/ { s = $2 } END { print u + s }' "$work/time")
    if [[ -z $cpu ]] || awk -v a="$c" -v b="$cpu" 'BEGIN { exit !(a < b) }'; then cpu=$c; fi
  done
  echo "$best $peak $cpu"
}

read -r scan_ns scan_kb scan_cpu < <(measure "$build/bench/scan_listing" "$listing")
scan_report=$(cat "$work/out")
read -r grep_ns grep_kb grep_cpu < <(measure grep -ci vob "$listing")
grep_lines=$(cat "$work/out")

echo "listing: $bytes bytes, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg), locale ${LC_ALL:-${LANG:-C}}"
echo "$runs runs each: best wall time, highest peak RSS"
echo "scan_listing says: $scan_report"
echo "grep -ci vob says: $grep_lines lines"
awk -v bytes="$bytes" -v sn="$scan_ns" -v sk="$scan_kb" -v gn="$grep_ns" -v gk="$grep_kb" \
  -v sc="$scan_cpu" -v gc="$grep_cpu" 'BEGIN {
  printf "%-14s %10s %10s %14s %12s %12s\n", "program", "seconds", "MB/s", "peak RSS (KB)", "CPU seconds", "MB/CPU s"
  printf "%-14s %10.3f %10.0f %14d %12.2f %12.0f\n", "scan_listing", sn / 1e9, bytes / 1e6 / (sn / 1e9), sk, sc, bytes / 1e6 / sc
  printf "%-14s %10.3f %10.0f %14d %12.2f %12.0f\n", "grep -ci vob", gn / 1e9, bytes / 1e6 / (gn / 1e9), gk, gc, bytes / 1e6 / gc
  printf "scan: %.0f MB/s (target >= 300); time ratio scan/grep: %.2f\n", bytes / 1e6 / (sn / 1e9), sn / gn
  printf "peak RSS: scan %.1f MB (target < 8 MB), grep %.1f MB, ratio scan/grep %.2f\n", sk / 1024, gk / 1024, sk / gk
}'
