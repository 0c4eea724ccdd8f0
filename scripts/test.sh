#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test: the fuzzer for the settings
# reader, the tests under AddressSanitizer and UndefinedBehaviorSanitizer, then the tests
# of the ordinary build with warnings treated as errors, with a check of the Debian package;
# then the Windows build (Qt for Windows is built once per machine, about 17 minutes) and its
# tests under Wine; last the ordinary build and its tests on the other Debian release (12 or
# 13), in a root of that release kept beside Qt for Windows. This is what CI runs.
#   --quick: only the ordinary build and its tests on this machine, for the inner loop.
# The tests run side by side, MORIV_TEST_JOBS at a time (MORIV_TEST_JOBS=1: one by one).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh test
jobs=$(nproc)
# Tests side by side: one for each core, and three more for the three scripts that spend a
# minute waiting for a count to run out.
test_jobs=${MORIV_TEST_JOBS:-$((jobs + 3))}
export MORIV_TEST_JOBS=$test_jobs

ordinary_build() {
    cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORIV_WARNINGS_AS_ERRORS=ON \
          > /dev/null
    cmake --build build-test --parallel "$jobs"
}
if [ "${1:-}" = --quick ]; then
    echo "== tests (quick: the ordinary build only)"
    ordinary_build
    ctest --test-dir build-test -j "$test_jobs" --output-on-failure
    exit 0
fi

echo "== translations"
bash scripts/check-translations.sh

echo "== fuzzing the settings reader (clang, libFuzzer)"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORIV_FUZZ=ON \
      -DMORIV_BUILD_TESTS=OFF -DMORIV_BUILD_BENCH=OFF > /dev/null
cmake --build build-fuzz --parallel "$jobs" --target fuzz_settingsreader
mkdir -p build-fuzz/corpus
cp fuzz/corpus/* build-fuzz/corpus/
./build-fuzz/fuzz/fuzz_settingsreader -max_total_time="${MORIV_FUZZ_SECONDS:-30}" \
    -max_len=4096 -print_final_stats=1 build-fuzz/corpus 2>&1 | tail -n 12

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMORIV_SANITIZE=ON \
      -DMORIV_WARNINGS_AS_ERRORS=ON -DMORIV_BUILD_BENCH=OFF > /dev/null
cmake --build build-asan --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
    ctest --test-dir build-asan -j "$test_jobs" --output-on-failure

echo "== tests"
ordinary_build
echo "== Debian package"
bash scripts/package-check.sh build-test
ctest --test-dir build-test -j "$test_jobs" --output-on-failure

echo "== Windows: moriv.exe built against Qt from Debian's source, its tests under Wine"
bash scripts/build-windows.sh --test build-windows

other=$( (. /etc/os-release && echo "${VERSION_ID:-}") | sed 's/^12$/13/; t; s/^13$/12/')
echo "== Debian $other: the ordinary build and its tests in a root of that release"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo env MORIV_TEST_JOBS="$test_jobs" bash scripts/other-release.sh
