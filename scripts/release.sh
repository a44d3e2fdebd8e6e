#!/usr/bin/env bash
# Builds the two release packages into one folder, with a SHA256SUMS file beside them:
#
#   bash scripts/release.sh [OUTDIR]   # OUTDIR defaults to build/packages
#
#   kelvarro-VERSION-win64.zip      the MinGW-w64 cross build, with setup.exe and wizard.exe
#   kelvarro-VERSION-Linux.tar.gz   the static Linux build, with setup and wizard
#
# Each holds the install tree of its build (the programs, stripped; README.txt; the empty
# working directories input temp output progs nandub) and nothing else, at its root.
#
# The same commit gives the same bytes, wherever and whenever it is built: the programs name
# no folder and carry no time stamp (KELVARRO_REPRODUCIBLE and the PE link option in
# CMakeLists.txt), and every archive entry has the commit's time, SOURCE_DATE_EPOCH (taken from
# git when it is not set), owner and group 0, mode 0755 (directories and programs) or 0644, in
# the order of the names' bytes. CPack names the packages the same way but stamps each entry
# with its file's time, so the archives are made here from `cmake --install` trees.
#
# It installs what it needs and the machine lacks (install-deps.sh packages).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

outdir=${1:-build/packages}
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh packages

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$top" log -1 --format=%ct 2>/dev/null) ||
    { echo "release.sh: $top is no git work tree: set SOURCE_DATE_EPOCH to the commit's time" >&2; exit 1; }
  if [[ -n $(git -C "$top" status --porcelain --untracked-files=no 2>/dev/null) ]]; then
    echo "release.sh: the work tree has changes that are not committed: the packages are not the commit's" >&2
  fi
fi
[[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] || { echo "release.sh: SOURCE_DATE_EPOCH is not a number of seconds" >&2; exit 1; }
export SOURCE_DATE_EPOCH
# Nothing of the caller's time zone or language reaches the archives (zip records local time).
export TZ=UTC LC_ALL=C

mkdir -p "$outdir"
outdir=$(cd "$outdir" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Configures build folder $1 with the cmake options that follow, builds the programs, then
# installs them, stripped, into the fresh tree $work/$2. The output is shown only on failure.
build_and_install() {
  local build=$1 tree=$work/$2
  shift 2
  echo "--- building $build"
  cmake "$@" >"$work/log" 2>&1 &&
    cmake --build "$build" -j "$jobs" --target setup wizard >>"$work/log" 2>&1 &&
    cmake --install "$build" --prefix "$tree" --strip >>"$work/log" 2>&1 ||
    { tail -n 40 "$work/log"; echo "release.sh: building or installing $build failed" >&2; exit 1; }
}

# The name CPack gives the package of build folder $1, without its extension.
package_name() {
  sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$1/CPackConfig.cmake"
}

# Gives every entry of tree $1 its fixed mode and the commit's time, and writes the list of
# them all, sorted by their bytes, to file $2. The programs are what the install made executable.
settle_tree() {
  local tree=$1
  find "$tree" -mindepth 1 \( -type d -o -perm /111 \) -exec chmod 0755 {} +
  find "$tree" -mindepth 1 ! -type d ! -perm /111 -exec chmod 0644 {} +
  find "$tree" -mindepth 1 -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  (cd "$tree" && find . -mindepth 1 -printf '%P\n') | sort >"$2"
}

# The programs are those of the windows and release presets (both naming no folder, the Linux
# ones static), so that a release after the tests' builds (scripts/test.sh) builds nothing
# again. Each folder is configured afresh, from the preset alone, whatever its cache held; only
# the programs are built (the windows preset's tests are configured, not built).
build_and_install build/windows windows --preset windows --fresh
build_and_install build/release linux --preset release --fresh

zip_name=$(package_name build/windows).zip
tar_name=$(package_name build/release).tar.gz
[[ $zip_name != .zip && $tar_name != .tar.gz ]] || { echo "release.sh: CPack's package names are missing" >&2; exit 1; }

echo "--- packing $zip_name and $tar_name into $outdir"
# Both archives take their entries in the order of that list, each by itself (a directory
# without its contents, which the list names after it).
settle_tree "$work/windows" "$work/windows.list"
mapfile -t entries <"$work/windows.list"
# -X keeps out the extra fields with Unix times and owners: what stays of each entry is its
# DOS time, its mode and its data.
(cd "$work/windows" && zip -X -9 -q "$work/$zip_name" "${entries[@]}")
settle_tree "$work/linux" "$work/linux.list"
mapfile -t entries <"$work/linux.list"
# GNU format, as POSIX's adds headers with access times; gzip without the name and time of its
# input.
tar -C "$work/linux" --create --format=gnu --no-recursion --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 \
  --numeric-owner "${entries[@]}" | gzip -9 -n >"$work/$tar_name"

mv -f "$work/$zip_name" "$work/$tar_name" "$outdir/"
(cd "$outdir" && sha256sum "$zip_name" "$tar_name" >SHA256SUMS.new && mv -f SHA256SUMS.new SHA256SUMS)
echo "--- $outdir (commit time $SOURCE_DATE_EPOCH)"
(cd "$outdir" && cat SHA256SUMS)
