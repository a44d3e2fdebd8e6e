# The ZIP package is the install directory, ready to unpack: exactly the two programs,
# README.txt and the five empty working directories, with nothing around them. Unpacked, its
# setup.exe works in place.
# Usage: package_zip.sh CPACK_COMMAND BUILD_DIR

source "$(dirname "$0")/lib.sh"
[[ $# -eq 2 ]] || fail "usage: $0 CPACK_COMMAND BUILD_DIR"

"$1" -G ZIP --config "$2/CPackConfig.cmake" -B "$work/pkg" > "$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  fail "cpack failed"
}
zips=("$work"/pkg/*.zip)
[[ ${#zips[@]} -eq 1 && -f ${zips[0]} ]] || fail "cpack made no single ZIP"

entries=$(unzip -Z1 "${zips[0]}" | sort | paste -sd ' ')
expected="README.txt input/ nandub/ output/ progs/ setup.exe temp/ wizard.exe"
[[ $entries == "$expected" ]] || fail "the ZIP holds: $entries"

mkdir "$work/inst" && cd "$work/inst" && unzip -q "${zips[0]}" || fail "cannot unpack"
for sub in input temp output progs nandub; do
  [[ -d $sub && -z $(ls -A "$sub") ]] || fail "$sub is not an empty directory"
done
grep -q $'^kelvarro 0.7.31\r$' README.txt || fail "README.txt lacks its title line with CR LF"

dir=$(win_path .)
printf '2' | wine_run "$dir\\setup.exe" > setup.txt
status=$?
[[ $status -eq 0 ]] || fail "unpacked setup.exe exit code $status"
expect_bytes config.cfg "$dir\\"$'\r\n-r1'
echo "ok"
