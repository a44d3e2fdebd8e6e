# Each program carries one application icon in a group named A (32x32, 256 colours, the one
# committed in resources/), the two icons differ, and the version resource says 0.7.31.
# Usage: resources.sh RESOURCES_DIR SETUP_EXE WIZARD_EXE

source "$(dirname "$0")/lib.sh"
[[ $# -eq 3 ]] || fail "usage: $0 RESOURCES_DIR SETUP_EXE WIZARD_EXE"
resources=$1
shift

for exe in "$@"; do
  name=$(basename "$exe" .exe)
  listing=$(wrestool -l "$exe") || fail "wrestool cannot read $exe"
  groups=$(grep -c -- '--type=14 ' <<<"$listing")
  [[ $groups -eq 1 ]] || fail "$name has $groups icon groups"
  grep -q -- "--type=14 --name='A' " <<<"$listing" || fail "$name has no icon group named A"

  wrestool -x --type=14 --name=A "$exe" > "$work/$name.ico" || fail "cannot extract the icon of $name"
  format=$(icotool -l "$work/$name.ico")
  [[ $format == "--icon --index=1 --width=32 --height=32 --bit-depth=8 --palette-size=256" ]] ||
    fail "$name's icon is $format"
  # The image itself is the committed icon's, behind its 6-byte header and 16-byte entry.
  wrestool -x --raw --type=3 "$exe" > "$work/$name.image" || fail "cannot extract the icon image of $name"
  cmp -s "$work/$name.image" <(tail -c +23 "$resources/$name.ico") ||
    fail "$name carries another icon than $resources/$name.ico"

  wrestool -x --raw --type=16 "$exe" > "$work/$name.version" || fail "$name has no version resource"
  # Each key of the version strings is followed by its value.
  pairs=$(strings -el "$work/$name.version" | paste -sd '|')
  for pair in 'FileVersion|0.7.31' 'ProductVersion|0.7.31' 'ProductName|kelvarro' "OriginalFilename|$name.exe"; do
    [[ "|$pairs|" == *"|$pair|"* ]] || fail "$name's version resource lacks $pair (has $pairs)"
  done
done

cmp -s "$work/setup.image" "$work/wizard.image" && fail "both programs carry the same icon"
echo "ok"
