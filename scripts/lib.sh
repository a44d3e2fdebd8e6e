# Helpers shared by the scripts in this folder; sourced, never run.

# Seconds as the summaries show them: "42 s" or "3 min 05 s".
format_seconds() {
  local s=$1
  if ((s < 60)); then
    printf '%d s' "$s"
  else
    printf '%d min %02d s' $((s / 60)) $((s % 60))
  fi
}

# The generator that build folder $1 was configured with, or nothing when it has no cache.
cached_generator() {
  sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$1/CMakeCache.txt" 2>/dev/null
}

# CMake refuses to switch the generator of a configured folder. Prints the option that makes
# a configure of build folder $1 with generator $2 start that folder afresh when its cache
# names another one, and nothing when there is nothing to undo.
fresh_if_other_generator() {
  local cached
  cached=$(cached_generator "$1")
  if [[ -n $cached && $cached != "$2" ]]; then
    echo "$1 was configured for $cached; configuring it afresh for $2" >&2
    echo --fresh
  fi
}

# Our own C++ sources, relative to the top folder: no third-party code, nothing generated.
our_sources() {
  find common setup wizard tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | LC_ALL=C sort
}
