#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless. Ends with CTest's summary.
#   scripts/test.sh              plain build, in build/
#   scripts/test.sh --sanitize   everything built with AddressSanitizer (leaks
#                                included) and UndefinedBehaviorSanitizer, in
#                                build-sanitize/; any report fails its test
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
cmake_options=()
case "${1:-}" in
  "") ;;
  --sanitize)
    build_dir=build-sanitize
    cmake_options=(-DKVL_SANITIZE=ON)
    sanitizers="$PWD/tests/sanitizers"
    # Frame pointers are kept, so the fast unwinder gives whole stacks; the slow
    # one would make every allocation many times dearer.
    export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:check_initialization_order=1:strict_init_order=1"
    export LSAN_OPTIONS="suppressions=$sanitizers/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    ;;
  *)
    echo "usage: scripts/test.sh [--sanitize]" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh --tests
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${cmake_options[@]}"
cmake --build "$build_dir" -j"$(nproc)"
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
