#!/usr/bin/env bash
# Installs what is missing (scripts/setup-debian.sh --tests), builds the programs, tests and
# benchmarks with AddressSanitizer and UndefinedBehaviorSanitizer into build/sanitize/ and runs
# every test, and the walk's and the run's tests once more with ThreadSanitizer
# (build/thread-sanitize/).
# Then, when the machine has the mingw-w64 compilers and
# Wine (scripts/setup-debian.sh --windows), builds the Windows core and runs its tests under
# Wine (scripts/test-windows.sh). Arguments go to the first ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh --tests
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON \
    -DQUORVANE_TESTS=ON -DQUORVANE_WERROR=ON >/dev/null
cmake --build build/sanitize -j2
export QT_QPA_PLATFORM=offscreen
# Qt keeps caches to the end of the process, so the window's tests run without leak checks;
# the core's tests turn them on for themselves (tests/CMakeLists.txt).
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
ctest --test-dir build/sanitize --output-on-failure -j2 "$@" || status=$?

# The walk's threads once more, under ThreadSanitizer: its tests, and the window's run, whose
# walk hands its folders to the window's thread, on the form's fakes.
echo "The walk and the window's run under ThreadSanitizer:"
cmake -S . -B build/thread-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DQUORVANE_THREAD_SANITIZE=ON -DQUORVANE_TESTS=ON -DQUORVANE_BUILD_GUI=OFF \
    -DQUORVANE_WERROR=ON >/dev/null
cmake --build build/thread-sanitize -j2 --target engine_folder_walk_test form_tests
TSAN_OPTIONS=halt_on_error=1 build/thread-sanitize/tests/engine/engine_folder_walk_test \
    --gtest_brief=1 || status=$?
TSAN_OPTIONS=halt_on_error=1 build/thread-sanitize/tests/form/form_tests --gtest_brief=1 \
    --gtest_filter='Form1Run*' || status=$?

if command -v x86_64-w64-mingw32-g++-posix >/dev/null && [ -x /usr/lib/wine/wine64 ] &&
    [ -d /usr/src/googletest/googletest ]; then
    echo "Windows build, tests under Wine:"
    bash scripts/test-windows.sh || status=$?
else
    echo "No Windows tests: scripts/setup-debian.sh --windows installs what they need."
fi
exit $status
