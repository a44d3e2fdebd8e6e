#!/usr/bin/env bash
# Builds kelvarro and runs it in a fresh demo install directory, demo/ beside the sources:
# first setup, then the wizard, both started in that directory as a user would. The demo
# holds a few empty sample VOB files; the external conversion tools are not part of it.
# It installs a compiler, CMake and Ninja when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

bash scripts/install-deps.sh demo

build=build/demo
log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "building setup and wizard in $build"
fresh=$(fresh_if_other_generator "$build" Ninja)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $fresh >"$log" 2>&1 ||
  { cat "$log"; echo "demo.sh: configuring $build failed" >&2; exit 1; }
cmake --build "$build" >"$log" 2>&1 || { cat "$log"; echo "demo.sh: building $build failed" >&2; exit 1; }

demo="$PWD/demo"
rm -rf "$demo"
mkdir -p "$demo"/{input,temp,output,progs,nandub}
touch "$demo"/input/VTS_01_0.VOB "$demo"/input/VTS_01_1.VOB "$demo"/input/VTS_01_2.VOB
cp "$build"/setup/setup "$build"/wizard/wizard "$demo"/
echo "running them in $demo"
echo

cd "$demo"
# Started by its path, as a user starts it, setup works the install directory out by itself,
# named as Wine shows it to the Windows tools (Z:\...).
./setup
echo
./wizard
