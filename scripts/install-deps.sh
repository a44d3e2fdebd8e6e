#!/usr/bin/env bash
# Installs with apt-get what the named pieces of work need and this machine lacks. A machine
# that has it all already pays nothing: nothing is fetched, apt-get is not even started. On a
# system without apt-get (macOS, for one) nothing is installed: the commands are looked for,
# and when one is missing, what to install is named and the script stops. It runs under the
# bash 3.2 of macOS too.
#
#   bash scripts/install-deps.sh build          # cmake -S . -B build && cmake --build build
#   bash scripts/install-deps.sh demo           # scripts/demo.sh
#   bash scripts/install-deps.sh debug windows  # the stages of scripts/test.sh of those names
#
# Exits non-zero, naming the packages, when any of them could not be installed.
set -euo pipefail

# The packages each piece of work uses, and no others.
packages_for() {
  case $1 in
    # The plain configure picks Unix Makefiles (so make) and builds the tests too.
    build) echo g++ cmake make libgtest-dev ;;
    demo | release) echo g++ cmake ninja-build ;;
    debug | asan) echo g++ cmake ninja-build libgtest-dev ;;
    # The clang preset builds under the sanitizers, whose runtimes come with clang's libraries.
    clang) echo clang libclang-rt-14-dev cmake ninja-build libgtest-dev ;;
    # wine64 holds the loader, wine the wine and wineserver commands, wine32 (a package of the
    # i386 architecture) the loader of 32-bit programs such as the tool stand-in that the i686
    # compiler builds. The tests compile their own GoogleTest from its sources, read the
    # programs' resources with icoutils and binutils' strings, unpack the ZIP package, and
    # generate Japanese and German locales from the sources in locales. Of MinGW-w64's
    # compilers only those with POSIX threads, which the toolchain file names: the others would
    # double the install.
    windows) echo cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine wine64 wine32:i386 icoutils binutils unzip locales ;;
    # The native programs (built with their tests, as in debug) run the batch file through
    # Wine, whose tools are the windows preset's stand-ins (its configure needs GoogleTest's
    # sources).
    wine-native) echo g++ cmake ninja-build libgtest-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine wine64 wine32:i386 ;;
    # clang-tidy reads the compile commands of the clang preset, so lint configures it; the check
    # of the C names the programs import builds them with the debug preset and reads them with nm.
    lint) echo clang-format clang-tidy clang libclang-rt-14-dev g++ binutils cmake ninja-build libgtest-dev ;;
    # libFuzzer comes with clang's runtime libraries.
    fuzz) echo clang libclang-rt-14-dev cmake ninja-build ;;
    memcheck) echo g++ cmake ninja-build libgtest-dev valgrind ;;
    # scripts/release.sh, and the stage that runs it twice: both builds of the programs (strip
    # comes with binutils; the windows preset configures its tests, which need GoogleTest's
    # sources and the i686 compiler), zip for the ZIP, unzip's zipinfo and binutils' strings.
    packages) echo g++ cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest binutils zip unzip git ;;
    *) return 1 ;;
  esac
}

[[ $# -gt 0 ]] || { echo "usage: $0 build|demo|debug|clang|asan|windows|wine-native|release|lint..." >&2; exit 2; }

wanted=()
for work in "$@"; do
  list=$(packages_for "$work") || { echo "install-deps: no such piece of work: $work" >&2; exit 2; }
  read -r -a more <<<"$list"
  wanted+=("${more[@]}")
done

# Without apt-get: true when what package $1 gives is here, as a command or a file.
present_without_dpkg() {
  local command
  case $1 in
    g++) set -- c++ g++ clang++ ;;
    clang) set -- clang++ ;;
    ninja-build) set -- ninja ;;
    libgtest-dev) [[ -n $(ls /usr/include/gtest/gtest.h /usr/local/include/gtest/gtest.h \
                      /opt/homebrew/include/gtest/gtest.h 2>/dev/null) ]]; return ;;
    googletest) [[ -f /usr/src/googletest/CMakeLists.txt ]]; return ;;
    binutils) set -- strings ;;
    icoutils) set -- wrestool ;;
    wine64 | wine32:i386) set -- wine ;;
    g++-mingw-w64-x86-64-posix) set -- x86_64-w64-mingw32-g++-posix ;;
    g++-mingw-w64-i686-posix) set -- i686-w64-mingw32-g++-posix ;;
    locales) set -- locale ;;
    libclang-rt-14-dev) return 1 ;;
  esac
  for command in "$@"; do command -v "$command" >/dev/null && return 0; done
  return 1
}

# What to install for package $1 with Homebrew, where the name differs.
homebrew_name() {
  case $1 in
    g++ | make) echo "Xcode's command line tools (xcode-select --install)" ;;
    ninja-build) echo ninja ;;
    libgtest-dev | googletest) echo googletest ;;
    clang | clang-tidy | libclang-rt-14-dev) echo llvm ;;
    wine | wine64 | wine32:i386) echo "a Wine that runs 32-bit Windows programs" ;;
    *) echo "$1" ;;
  esac
}

if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
  missing=()
  for package in $(printf '%s\n' "${wanted[@]}" | sort -u); do
    present_without_dpkg "$package" || missing+=("$package")
  done
  [[ ${#missing[@]} -eq 0 ]] && exit 0
  echo "install-deps: this system has no apt-get, so install by hand what $* needs and this machine lacks:" >&2
  for package in "${missing[@]}"; do echo "  $package (Homebrew: $(homebrew_name "$package"))" >&2; done
  exit 1
fi

# 32-bit Wine is a 32-bit Linux program. Where the kernel runs none, it cannot start, and once
# installed it breaks Wine for 64-bit programs too: it is left out, and the tests of 32-bit
# tools skip themselves there.
source "$(dirname "$0")/host_32_bit.sh"
if printf '%s\n' "${wanted[@]}" | grep -qx 'wine32:i386' && ! host_runs_32_bit_programs; then
  echo "install-deps: this machine's kernel runs no 32-bit programs, so wine32 is left out"
  read -r -a wanted <<<"$(printf '%s\n' "${wanted[@]}" | grep -vx 'wine32:i386' | paste -sd ' ' -)"
fi

# Prints the packages among the arguments that are not installed, each once.
not_installed() {
  local package
  for package in $(printf '%s\n' "$@" | sort -u); do
    [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) == "install ok installed" ]] || echo "$package"
  done
}

mapfile -t missing < <(not_installed "${wanted[@]}")
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "install-deps: installing ${missing[*]} needs root, and there is no sudo" >&2; exit 1; }
  sudo=(sudo)
fi

started=$(date +%s)
echo "installing for $*: ${missing[*]}"
echo "(on a fresh machine this takes up to two minutes, most of it for the Windows tools)"

# apt's progress stays: one line per download and one per package set up. The lines that say
# nothing to a reader go, among them debconf's complaint that apt-utils is not installed and
# apt's that it downloads as root where its own user cannot write (as in a bare chroot).
quiet_apt() {
  grep --line-buffered -v -E '^(debconf: |Selecting previously unselected|Preparing to unpack|Unpacking |\(Reading database|Reading package lists|Building dependency tree|Reading state information|W: Download is performed unsandboxed)' || true
}

# Runs apt-get with its output through quiet_apt and returns apt-get's own exit code.
run_apt() {
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q "$@" 2>&1 | quiet_apt
  return "${PIPESTATUS[0]}"
}

# A package named NAME:ARCH needs its architecture known to dpkg before the update that fetches
# that architecture's package lists (i386 for wine32, on a machine that has only amd64).
add_foreign_architectures() {
  local arch
  for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/^[^:]*:\(.*\)$/\1/p' | sort -u); do
    [[ $arch == "$(dpkg --print-architecture)" ]] && continue
    dpkg --print-foreign-architectures | grep -qx "$arch" && continue
    echo "adding the architecture $arch to dpkg"
    "${sudo[@]}" dpkg --add-architecture "$arch"
  done
}

add_foreign_architectures
update_status=0
install_status=0
run_apt update --error-on=any || update_status=$?
# The package lists already here may still do, so the install is tried all the same.
[[ $update_status -eq 0 ]] || echo "install-deps: apt-get update failed (exit code $update_status); trying the package lists already here" >&2
run_apt install -y --no-install-recommends "${missing[@]}" || install_status=$?

mapfile -t still_missing < <(not_installed "${missing[@]}")
if [[ ${#still_missing[@]} -gt 0 ]]; then
  reason="apt-get install exit code $install_status"
  [[ $update_status -eq 0 ]] || reason+="; apt-get update failed too: is the package mirror reachable?"
  echo "install-deps: could not install ${still_missing[*]} ($reason)" >&2
  exit 1
fi
# apt-get can fail after the packages are in, for example in a later trigger.
[[ $install_status -eq 0 ]] || { echo "install-deps: apt-get install ended with exit code $install_status" >&2; exit 1; }
echo "installed ${#missing[@]} packages in $(( $(date +%s) - started )) s"
