#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests and the end-to-end tests
# of the release build, then the unit tests again in a build with AddressSanitizer
# and UndefinedBehaviorSanitizer. Exits non-zero when anything fails.
# Usage: bash tools/test.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" \
  "${WINDOWS_PACKAGES[@]}" "${WEB_PACKAGES[@]}"

failed=()     # names of the stages whose tests failed
summaries=()  # ctest's closing lines of each stage, repeated at the end

# Runs ctest in build folder $1 with the options after $2, under the heading $2.
# A failing test does not stop the script, so that every stage reports.
run_ctest() {
  local folder=$1 stage=$2
  shift 2
  local log=$ZARNITH_ROOT/$folder/ctest.log
  say "Testing: $stage"
  local status=0
  (cd "$ZARNITH_ROOT/$folder" && ctest --output-on-failure -j "$JOBS" "$@") 2>&1 | tee "$log" ||
    status=$?
  ((status == 0)) || failed+=("$stage")
  summaries+=("[$stage]" "$(grep -E '% tests passed|Total Test time|^[[:space:]]+[0-9]+ - ' "$log" || true)")
}

say "Checking the C++ formatting (.clang-format)"
(cd "$ZARNITH_ROOT" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)

say "Configuring build/ (Release)"
configure_build build -DCMAKE_BUILD_TYPE=Release
say "Building build/"
cmake --build "$ZARNITH_ROOT/build" -j "$JOBS"
run_ctest build "release: unit and end-to-end tests"

# The sanitizer build runs the unit tests again with leak detection and
# undefined-behaviour checks; the end-to-end tests ran once, above.
say "Configuring build-sanitize/ (AddressSanitizer + UndefinedBehaviorSanitizer)"
configure_build build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARNITH_SANITIZE=ON \
  -DZARNITH_BENCHMARKS=OFF
say "Building build-sanitize/"
cmake --build "$ZARNITH_ROOT/build-sanitize" -j "$JOBS"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
run_ctest build-sanitize "sanitizers: unit tests" -E '^e2e\.'

say "Summary"
printf '%s\n' "${summaries[@]}"
if ((${#failed[@]} > 0)); then
  printf 'FAILED: %s\n' "${failed[@]}"
  exit 1
fi
echo "All tests passed."
