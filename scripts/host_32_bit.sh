# Whether this machine runs 32-bit x86 programs. The Windows tools of the era that kelvarro
# prepares for are 32-bit, and Wine starts them through its 32-bit loader (package wine32),
# which is itself a 32-bit Linux program. Some kernels run no 32-bit programs at all (IA-32
# emulation switched off, as on some virtual machines): there wine32 cannot work, and once it
# is installed Wine's own start script picks its loader and fails for 64-bit programs too.
# Sourced by install-deps.sh, test.sh and the Wine tests; never run by itself.

# True when the kernel runs a 32-bit x86 program: a 93-byte static one that only exits with 0
# (ELF header, one loadable segment, then xor ebx,ebx; mov eax,1; int 0x80). It needs nothing
# installed, not even the 32-bit C library.
host_runs_32_bit_programs() {
  local probe status=0
  probe=$(mktemp "${TMPDIR:-/tmp}/kelvarro-i386.XXXXXX") || return 1
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x28\x00\x00\x00\x00\x00' >>"$probe"
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' >>"$probe"
  printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$probe"
  printf '\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80' >>"$probe"
  chmod 700 "$probe" && "$probe" 2>/dev/null || status=1
  rm -f "$probe"
  return "$status"
}
