# Shared by the benchmark scripts: the release build they run in.

# Builds TARGETS in the release preset's directory (build/release), or in the directory named
# by BUILD_DIR, configuring it first with the preset's settings when it has not been yet. Sets
# `build` to that directory. Needs `root`, the source tree.
build_release_targets() {
  if [[ -n ${BUILD_DIR:-} ]]; then
    build=$BUILD_DIR
    [[ -f $build/build.ninja ]] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DKELVARRO_BENCHMARKS=ON -DKELVARRO_STATIC_PROGRAMS=ON -DBUILD_TESTING=OFF >/dev/null
  else
    build=$root/build/release
    [[ -f $build/build.ninja ]] || (cd "$root" && cmake --preset release >/dev/null)
  fi
  cmake --build "$build" -j2 --target "$@" >/dev/null
}
