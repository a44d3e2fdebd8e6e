#!/usr/bin/env bash
# Fails when the POSIX programs use a C function (or variable) that Linux and macOS do not both
# have. The programs are built (setup and wizard of the build folder $1, by default build/debug,
# configured here when it is not yet: the clang preset's programs carry the sanitizers' runtime,
# which imports much that the programs do not), and every C name they import (nm -u) must be in
# scripts/posix_interfaces.txt, with the standard it comes from and its page in macOS's manual.
# C++ library names (mangled, _Z...) are the C++ standard library's, which macOS's libc++ has
# too. A function outside the list is named with the sources that call it; one that macOS has
# after all goes into the list with its manual page.
#
#   bash scripts/posix_interfaces.sh [BUILD_FOLDER]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/debug}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if [[ $build == build/debug && ! -f $build/build.ninja ]] && ! cmake --preset debug >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "posix-interfaces: cmake --preset debug failed"
  exit 1
fi
if ! cmake --build "$build" --target setup wizard >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "posix-interfaces: building setup and wizard in $build failed"
  exit 1
fi

# The C functions (not mangled C++ names) that a program or object file imports.
imports() {
  nm -u "$@" 2>/dev/null | awk '$1 == "U" || $1 == "w" { print $2 }' | sed 's/@.*//' | grep -v '^_Z' | LC_ALL=C sort -u
}

grep -v '^#' scripts/posix_interfaces.txt | sed 's/ *|.*//' | LC_ALL=C sort -u >"$log"
mapfile -t outside < <(imports "$build/setup/setup" "$build/wizard/wizard" | LC_ALL=C comm -23 - "$log")
if [[ ${#outside[@]} -eq 0 ]]; then
  echo "posix-interfaces: ok"
  exit 0
fi
objects=("$build"/{common,setup,wizard}/CMakeFiles/*/*.o)
for name in "${outside[@]}"; do
  callers=()
  for object in "${objects[@]}"; do
    imports "$object" | grep -qx -- "$name" && callers+=("$(basename "$object" .o)")
  done
  echo "$name: used in ${callers[*]:-a library the programs link}, and not in scripts/posix_interfaces.txt, the list of what POSIX and macOS both have"
done
echo "posix-interfaces: ${#outside[@]} C names outside what POSIX and macOS both have"
exit 1
