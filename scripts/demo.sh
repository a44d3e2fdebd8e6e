#!/usr/bin/env bash
# Builds kelvarro and runs it in a fresh demo install directory, demo/ beside the sources:
# first setup, then the wizard, both started in that directory as a user would. The demo
# holds a few empty sample VOB files; the external conversion tools are not part of it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/demo >/dev/null

demo="$PWD/demo"
rm -rf "$demo"
mkdir -p "$demo"/{input,temp,output,progs,nandub}
touch "$demo"/input/VTS_01_0.VOB "$demo"/input/VTS_01_1.VOB "$demo"/input/VTS_01_2.VOB
cp build/demo/setup/setup build/demo/wizard/wizard "$demo"/

cd "$demo"
# Started the way Windows starts it, by a full path with a drive letter (Z: is how Wine sees
# the root of this file system), setup works the install directory out by itself.
windows_path="Z:${demo//\//\\}\\setup.exe"
(exec -a "$windows_path" ./setup)
echo
./wizard
