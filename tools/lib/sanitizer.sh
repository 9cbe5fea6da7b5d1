# The one sanitizer build (build-asan), shared by tools/test and tools/fuzz: clang with
# AddressSanitizer and UndefinedBehaviorSanitizer, every library also instrumented for libFuzzer
# (-fsanitize=fuzzer-no-link), so one build gives the sanitized core and widget tests and the
# fuzz targets. Optimised a little (-O1) so that the tests and the fuzzers run at a usable speed.
configure_sanitizer_build() {
  local launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  # A build-asan of an older checkout was made with gcc: a cache keeps its compiler, so start afresh.
  if [ -f build-asan/CMakeCache.txt ] && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang' build-asan/CMakeCache.txt; then
    rm -rf build-asan
  fi
  cmake -S . -B build-asan -G Ninja "${launcher[@]}" -DCMAKE_CXX_COMPILER="$(command -v clang++)" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" -DKALENDOR_WITH_UI=ON -DKALENDOR_WITH_TESTS=ON \
    -DKALENDOR_WITH_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
}

# The sanitizers' options for every run: leaks reported, UBSan with its stack, the narrow
# suppressions of tools/lsan.supp (leaks inside Qt's and fontconfig's own start-up).
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$(pwd)/tools/lsan.supp:print_suppressions=0"
