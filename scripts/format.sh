#!/usr/bin/env bash
# Lays our C++ sources out as .clang-format says, in place: the fix for what the format check
# of scripts/lint.sh finds.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

command -v clang-format >/dev/null || { echo "format.sh: the clang-format command is missing (package clang-format)" >&2; exit 1; }
mapfile -t sources < <(our_sources)
clang-format -i "${sources[@]}"
echo "formatted ${#sources[@]} files"
