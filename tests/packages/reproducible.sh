#!/usr/bin/env bash
# The release packages are the same bytes every time, and hold the install tree and nothing
# else. scripts/release.sh runs twice: once here, with the build folders that are here (the
# release preset's, which test.sh has built), and once from scratch in a copy of these sources
# at another path (with a blank in it), later, with umask 077 and another time zone. Then each check prints "ok: WHAT" or "FAIL: WHAT: why":
#
#   same bytes   both runs give the same packages and SHA256SUMS, and sha256sum -c agrees
#   .tar.gz      its entries, in order, with their modes, owners and times; gzip's header
#   ZIP          the same for the ZIP, whose entries carry no extra fields
#   no folders   no folder of either build appears in the programs
#
# The last line sums the checks up; the exit code is non-zero when any failed.
set -uo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

checks=0
failures=0
pass() { checks=$((checks + 1)); echo "ok: $1"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAIL: $1"; }
give_up() { echo "reproducible.sh: $1"; exit 1; }

epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)} || give_up "no commit time: this is no git work tree"

# Runs release.sh in source folder $1 into $2, with the environment that follows.
release() {
  local sources=$1 out=$2
  shift 2
  echo "--- release.sh in $sources"
  (cd "$sources" && env "$@" bash scripts/release.sh "$out") >"$work/release.log" 2>&1 ||
    { tail -n 40 "$work/release.log"; give_up "scripts/release.sh failed in $sources"; }
}

# The first run finds the commit time itself, as a release build by hand does.
release "$top" "$work/one"
copy="$work/elsewhere/kelvarro copy"
mkdir -p "$copy"
git ls-files -z --cached --others --exclude-standard |
  tar --create --null --ignore-failed-read --files-from=- | tar --extract --directory="$copy" ||
  give_up "cannot copy the sources to $copy"
(umask 077 && release "$copy" "$work/two" SOURCE_DATE_EPOCH="$epoch" TZ=Pacific/Kiritimati) || exit 1

# --- same bytes ---------------------------------------------------------------------------------
files_one=$(cd "$work/one" && ls | paste -sd ' ')
files_two=$(cd "$work/two" && ls | paste -sd ' ')
zip=$(cd "$work/one" && ls -- *.zip)
tgz=$(cd "$work/one" && ls -- *.tar.gz)
differing=""
for file in $files_one; do
  cmp -s "$work/one/$file" "$work/two/$file" || differing+=" $file"
done
if [[ $files_one != "$files_two" ]]; then
  fail "same bytes: the runs made $files_one and $files_two"
elif [[ -n $differing ]]; then
  fail "same bytes: the runs differ in$differing"
elif [[ $(cut -c 67- "$work/one/SHA256SUMS" | sort | paste -sd ' ') != "$(printf '%s\n' "$zip" "$tgz" | sort | paste -sd ' ')" ]]; then
  fail "same bytes: SHA256SUMS does not list the two packages: $(cat "$work/one/SHA256SUMS")"
elif ! (cd "$work/one" && sha256sum --check --quiet SHA256SUMS); then
  fail "same bytes: sha256sum -c SHA256SUMS fails"
else
  pass "same bytes: $files_one"
fi

# --- the archives' entries ------------------------------------------------------------------------
# The install tree as both archives list it: mode, then name (program names follow as $1).
expected_entries() {
  printf '%s\n' "-rw-r--r-- README.txt" "drwxr-xr-x input/" "drwxr-xr-x nandub/" "drwxr-xr-x output/" \
    "drwxr-xr-x progs/" "-rwxr-xr-x setup$1" "drwxr-xr-x temp/" "-rwxr-xr-x wizard$1"
}

tar_time=$(TZ=UTC date -d "@$epoch" '+%F %T')
listing=$(TZ=UTC tar --list --verbose --numeric-owner --full-time --file="$work/one/$tgz")
entries=$(awk '{ print $1, $6 }' <<<"$listing")
others=$(awk -v t="$tar_time" '$2 != "0/0" || $4 " " $5 != t' <<<"$listing")
header=$(od -A n -t x1 -j 3 -N 5 "$work/one/$tgz" | tr -d ' \n')
if [[ $entries != "$(expected_entries "")" ]]; then
  fail ".tar.gz: its entries are"$'\n'"$listing"
elif [[ -n $others ]]; then
  fail ".tar.gz: entries not owned by 0/0 or not of the commit's time $tar_time:"$'\n'"$others"
elif [[ $header != 0000000000 ]]; then
  fail ".tar.gz: gzip's header holds a name or a time (flags and time: $header)"
else
  pass ".tar.gz: $(wc -l <<<"$entries") entries, owner 0/0, time $tar_time"
fi

# zip keeps times to two seconds, rounding odd ones up.
zip_time=$(TZ=UTC date -d "@$(((epoch + 1) / 2 * 2))" '+%Y%m%d.%H%M%S')
listing=$(TZ=UTC zipinfo -T "$work/one/$zip" | sed '1,2d;$d')
entries=$(awk '{ print $1, $8 }' <<<"$listing")
# The fifth column's second letter is "-" for an entry without extra fields.
others=$(awk -v t="$zip_time" '$7 != t || $5 !~ /^.-$/' <<<"$listing")
if [[ $entries != "$(expected_entries .exe)" ]]; then
  fail "ZIP: its entries are"$'\n'"$listing"
elif [[ -n $others ]]; then
  fail "ZIP: entries with extra fields or not of the commit's time $zip_time:"$'\n'"$others"
else
  pass "ZIP: $(wc -l <<<"$entries") entries, no extra fields, time $zip_time"
fi

# --- no folders ----------------------------------------------------------------------------------
mkdir "$work/unpacked"
(cd "$work/unpacked" && unzip -q "$work/one/$zip" setup.exe wizard.exe && tar -xzf "$work/one/$tgz" setup wizard) ||
  give_up "cannot unpack the programs"
found=""
for program in setup.exe wizard.exe setup wizard; do
  named=$(strings -a "$work/unpacked/$program" | grep -F -e "$top" -e "$copy" -e "$work" | head -n 3)
  [[ -z $named ]] || found+=$'\n'"$program: $named"
done
if [[ -n $found ]]; then
  fail "no folders: the programs name folders of the build:$found"
else
  pass "no folders: setup and wizard, for Windows and for Linux, name neither $top nor $copy"
fi

if ((failures > 0)); then
  echo "reproducible.sh: $failures of $checks checks failed"
  exit 1
fi
echo "reproducible.sh: all $checks checks passed"
