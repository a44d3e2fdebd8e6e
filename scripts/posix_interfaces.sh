#!/usr/bin/env bash
# Fails when the POSIX programs use a C function (or variable) that Linux and macOS do not both
# have. The programs are built (setup and wizard of the build folder $1, by default build/debug,
# configured here when it is not yet: the clang preset's programs carry the sanitizers' runtime,
# which imports much that the programs do not), and every C name they import (nm -u) must be in the list below,
# each with the standard it comes from and its page in macOS's manual. C++ library names
# (mangled, _Z...) are the C++ standard library's, which macOS's libc++ has too. A function
# outside the list is named with the sources that call it; one that macOS has after all goes
# into the list with its manual page.
#
#   bash scripts/posix_interfaces.sh [BUILD_FOLDER]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/debug}

# name | standard | macOS manual page
allowed_functions() {
  cat <<'EOF'
fclose                           | ISO C99 7.19.5.1                                        | fclose(3)
fflush                           | ISO C99 7.19.5.2                                        | fflush(3)
fread                            | ISO C99 7.19.8.1                                        | fread(3)
fwrite                           | ISO C99 7.19.8.2                                        | fread(3)
getenv                           | ISO C99 7.20.4.5                                        | getenv(3)
free                             | ISO C99 7.20.3.2                                        | malloc(3)
memchr                           | ISO C99 7.21.5.1                                        | memchr(3)
memcmp                           | ISO C99 7.21.4.1                                        | memcmp(3)
memcpy                           | ISO C99 7.21.2.1                                        | memcpy(3)
memmove                          | ISO C99 7.21.2.2                                        | memmove(3)
memset                           | ISO C99 7.21.6.1                                        | memset(3)
raise                            | ISO C99 7.14.2.1                                        | raise(3)
remove                           | ISO C99 7.19.4.1                                        | remove(3)
rename                           | ISO C99 7.19.4.2                                        | rename(2)
setvbuf                          | ISO C99 7.19.5.6                                        | setbuf(3)
signal                           | ISO C99 7.14.1.1                                        | signal(3)
snprintf                         | ISO C99 7.19.6.5                                        | printf(3)
strcmp                           | ISO C99 7.21.4.2                                        | strcmp(3)
strerror                         | ISO C99 7.21.6.2                                        | strerror(3)
strlen                           | ISO C99 7.21.6.3                                        | strlen(3)
toupper                          | ISO C99 7.4.2.2                                         | toupper(3)
stdin                            | ISO C99 7.19.1 (a variable)                             | stdin(3)
access                           | POSIX.1-2008                                            | access(2)
close                            | POSIX.1-2008                                            | close(2)
closedir                         | POSIX.1-2008                                            | directory(3)
dirfd                            | POSIX.1-2008                                            | directory(3)
environ                          | POSIX.1-2008, exec (a variable)                         | environ(7)
__environ                        | environ, POSIX.1-2008 (glibc's other name for it)       | environ(7)
fchmod                           | POSIX.1-2008                                            | chmod(2)
flock                            | 4.2BSD (not POSIX; Linux has it too)                    | flock(2)
fstat                            | POSIX.1-2008                                            | stat(2)
fstatat                          | POSIX.1-2008                                            | stat(2)
getcwd                           | POSIX.1-2008                                            | getcwd(3)
getpgrp                          | POSIX.1-2008                                            | getpgrp(2)
getpid                           | POSIX.1-2008                                            | getpid(2)
isatty                           | POSIX.1-2008                                            | ttyname(3)
kill                             | POSIX.1-2008                                            | kill(2)
localtime_r                      | POSIX.1-2008                                            | ctime(3)
lstat                            | POSIX.1-2008                                            | stat(2)
open                             | POSIX.1-2008                                            | open(2)
opendir                          | POSIX.1-2008                                            | directory(3)
pipe                             | POSIX.1-2008                                            | pipe(2)
poll                             | POSIX.1-2008                                            | poll(2)
posix_spawn_file_actions_addclose | POSIX.1-2008                                           | posix_spawn_file_actions_addclose(3)
posix_spawn_file_actions_adddup2 | POSIX.1-2008                                            | posix_spawn_file_actions_addclose(3)
posix_spawn_file_actions_addopen | POSIX.1-2008                                            | posix_spawn_file_actions_addclose(3)
posix_spawn_file_actions_destroy | POSIX.1-2008                                            | posix_spawn_file_actions_init(3)
posix_spawn_file_actions_init    | POSIX.1-2008                                            | posix_spawn_file_actions_init(3)
posix_spawnattr_destroy          | POSIX.1-2008                                            | posix_spawnattr_init(3)
posix_spawnattr_init             | POSIX.1-2008                                            | posix_spawnattr_init(3)
posix_spawnattr_setflags         | POSIX.1-2008                                            | posix_spawnattr_setflags(3)
posix_spawnattr_setpgroup        | POSIX.1-2008                                            | posix_spawnattr_setpgroup(3)
posix_spawn                      | POSIX.1-2008                                            | posix_spawn(2)
pread                            | POSIX.1-2008                                            | pread(2)
read                             | POSIX.1-2008                                            | read(2)
readdir                          | POSIX.1-2008                                            | directory(3)
realpath                         | POSIX.1-2008                                            | realpath(3)
setenv                           | POSIX.1-2008                                            | getenv(3)
sigaction                        | POSIX.1-2008                                            | sigaction(2)
sigaddset                        | POSIX.1-2008                                            | sigsetops(3)
sigemptyset                      | POSIX.1-2008                                            | sigsetops(3)
sigprocmask                      | POSIX.1-2008                                            | sigprocmask(2)
stat                             | POSIX.1-2008                                            | stat(2)
tcgetattr                        | POSIX.1-2008                                            | tcsetattr(3)
tcgetpgrp                        | POSIX.1-2008                                            | tcgetpgrp(3)
tcsetattr                        | POSIX.1-2008                                            | tcsetattr(3)
unlink                           | POSIX.1-2008                                            | unlink(2)
waitpid                          | POSIX.1-2008                                            | wait(2)
write                            | POSIX.1-2008                                            | write(2)
__errno_location                 | errno, ISO C99 7.5 (glibc's name for it)                | intro(2)
_Unwind_Resume                   | Itanium C++ ABI (exceptions), which macOS's libc++abi follows| -
__cxa_allocate_exception         | Itanium C++ ABI                                         | -
__cxa_atexit                     | Itanium C++ ABI                                         | -
__cxa_begin_catch                | Itanium C++ ABI                                         | -
__cxa_end_catch                  | Itanium C++ ABI                                         | -
__cxa_pure_virtual               | Itanium C++ ABI                                         | -
__cxa_rethrow                    | Itanium C++ ABI                                         | -
__cxa_throw                      | Itanium C++ ABI                                         | -
__gxx_personality_v0             | Itanium C++ ABI                                         | -
__cxa_finalize                   | start-up code of the Linux toolchain (crtbegin)         | -
__gmon_start__                   | start-up code of the Linux toolchain (crti)             | -
__libc_start_main                | start-up code of the Linux toolchain (crt1)             | -
_ITM_deregisterTMCloneTable      | start-up code of the Linux toolchain (crtbegin)         | -
_ITM_registerTMCloneTable        | start-up code of the Linux toolchain (crtbegin)         | -
EOF
}

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

allowed_functions | sed 's/ *|.*//' | LC_ALL=C sort -u >"$log"
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
  echo "$name: used in ${callers[*]:-a library the programs link}, and not in scripts/posix_interfaces.sh's list of what POSIX and macOS both have"
done
echo "posix-interfaces: ${#outside[@]} C names outside what POSIX and macOS both have"
exit 1
