#!/usr/bin/env bash
# Installs, with apt-get, whatever this machine lacks for building kelvarro natively and, with
# "--windows", for the Windows cross build and running it under Wine. Installs nothing that is
# already there, so a prepared machine pays nothing.
set -euo pipefail

packages=(cmake ninja-build g++ clang googletest libgtest-dev libgmock-dev libbenchmark-dev)
if [[ "${1:-}" == "--windows" ]]; then
  packages+=(g++-mingw-w64-x86-64 wine64 icoutils zip unzip expect)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
