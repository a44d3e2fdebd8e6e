#!/usr/bin/env bash
# Times a whole scripted wizard run against a hello-world program linked dynamically and one
# linked statically, all three built and timed in this one run of the script.
#
#   bench/startup.sh [RUNS]        (default 500 runs of each program)
#
# Builds the release preset's directory (build/release) when it has not been built yet, or the
# directory named by BUILD_DIR. The hello-world programs are compiled with the build
# directory's C++ compiler at -O2. The wizard runs in a fresh install tree (config.cfg, three
# empty VOB files in input/, temp/, output/, nandub/), on /dev/shm unless TMPDIR is set, with
# the keys 20n51nz: region 2, audio stream 0, no VBR, bitrate 5, aspect 1, do not run the
# batch file, and the key that ends the program. PATH is an empty directory, so no Wine can be
# started. bench/time_runs starts the programs in turns, without a shell. DYNAMIC_WIZARD=PATH
# adds a dynamically linked wizard (e.g. from a build without KELVARRO_STATIC_PROGRAMS) to the
# table, as wizard_dynamic.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-500}

source "$root/bench/lib.sh"
build_release_targets wizard time_runs
wizard=$build/wizard/wizard
cxx=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")

# In memory where there is a tmpfs: the wizard rewrites four files per run, and on a disk that
# other programs keep busy those writes wait for the disk, which is no part of start-up.
scratch=${TMPDIR:-/tmp}
[[ -z ${TMPDIR:-} && -d /dev/shm && -w /dev/shm ]] && scratch=/dev/shm
work=$(mktemp -d -p "$scratch")
trap 'rm -rf "$work"' EXIT

printf '#include <iostream>\nint main() { std::cout << "hello, world\\n"; }\n' > "$work/hello.cpp"
"$cxx" -std=c++17 -O2 -o "$work/hello_dynamic" "$work/hello.cpp"
"$cxx" -std=c++17 -O2 -static -o "$work/hello_static" "$work/hello.cpp"
cp "$wizard" "$work/wizard"
programs=("$work/hello_dynamic" "$work/hello_static" "$work/wizard")
if [[ -n ${DYNAMIC_WIZARD:-} ]]; then
  cp "$DYNAMIC_WIZARD" "$work/wizard_dynamic"
  programs+=("$work/wizard_dynamic")
fi

tree=$work/kelvarro
mkdir -p "$tree"/{input,temp,output,nandub} "$work/no-programs"
touch "$tree"/input/VTS_01_{0,1,2}.VOB
printf 'c:\\kelvarro\\\r\n-r7\r\n' > "$tree/config.cfg"
printf '20n51nz' > "$work/keys"

# One run checked by hand first: a run that stopped early would be timed as a fast one.
(cd "$tree" && PATH=$work/no-programs "$work/wizard" < "$work/keys" > "$work/out")
grep -q 'thank you for using kelvarro' "$work/out" || { echo "the wizard run did not finish" >&2; exit 1; }
[[ -s $tree/process.bat && -s $tree/input/movie.lst ]] || { echo "the wizard wrote no batch file" >&2; exit 1; }

linking() { if ldd "$1" > /dev/null 2>&1; then echo dynamic; else echo static; fi; }
echo "$(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg), $("$cxx" --version | head -1)"
echo "wizard: $(linking "$work/wizard"), $(stat -c %s "$work/wizard") bytes; hello_dynamic: $(stat -c %s "$work/hello_dynamic") bytes; hello_static: $(stat -c %s "$work/hello_static") bytes"
echo "$runs timed runs of each, in turns, in $scratch ($(stat -f -c %T "$scratch"))"
(cd "$tree" && PATH=$work/no-programs "$build/bench/time_runs" "$runs" "$work/keys" "${programs[@]}") |
  tee "$work/table"
awk '$1 == "wizard" {
  printf "wizard / hello_dynamic: median %.2f (target <= 1.20), fastest %.2f, CPU %.2f\n", $5, $6, $7
}' "$work/table"
