# The programs run on a bare Windows: they import no DLL of the compiler's runtime
# (libstdc++, libgcc, libwinpthread), only the system's own.
# Usage: static_link.sh OBJDUMP EXE...

source "$(dirname "$0")/lib.sh"
[[ $# -ge 2 ]] || fail "usage: $0 OBJDUMP EXE..."
objdump=$1
shift

for exe in "$@"; do
  imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p') || fail "cannot read $exe"
  grep -qi '^kernel32\.dll$' <<<"$imports" || fail "no import table read from $exe"
  runtime=$(grep -Ei '^lib|stdc\+\+|gcc|pthread' <<<"$imports")
  [[ -z $runtime ]] || fail "$(basename "$exe") imports $runtime"
done
echo "ok"
