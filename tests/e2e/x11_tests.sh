#!/usr/bin/env bash
# The widget tests that need a real X server (hotkey grabs, XTest presses, window properties),
# run on a display of their own; without one they skip.
# Usage: x11_tests.sh QB_GUI_TESTS
TESTS="$1"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_start_display
out="$E2E_TMP/x11.out"
"$TESTS" --gtest_filter='X11Test.*' >"$out" 2>&1 || { cat "$out"; e2e_fail "X11 tests failed"; }
grep -q '\[  SKIPPED \]' "$out" && { cat "$out"; e2e_fail "X11 tests skipped on a real display"; }
grep -q '\[  PASSED  \]' "$out" || { cat "$out"; e2e_fail "no X11 test ran"; }
tail -n 1 "$out"
