#!/usr/bin/env bash
# Catching the selection of a program that keeps it out of the PRIMARY selection (as a
# terminal does) and answers Ctrl+C only after a moment: the tip query copies it and leaves
# the user's clipboard as it was; the snap hotkey puts it into a note, once however often it
# is pressed, and leaves the copy on the clipboard.
# Usage: test_capture.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR ECHO_WINDOW

QB="$1"
CLI="$2"
SHOTS="$3/capture"
ECHO="$4"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@"; }

e2e_test_dictionary "$CLI"
e2e_ctrl_alt_hotkey "$CLI" DictPage TipQueryHotKey D
e2e_ctrl_alt_hotkey "$CLI" Notes SnapTextHotkey S

e2e_start_display
e2e_start_tray
e2e_start_echo "$ECHO" "$E2E_TMP/echo.txt" --clipboard "kept text" --copy quill
e2e_start_quillbox "$QB" -m
sleep 1.5
xdotool mousemove --window "$ECHO_WINDOW" 40 30
xdotool windowfocus --sync "$ECHO_WINDOW"

# 1. The tip query finds the word by Ctrl+C, and the clipboard still holds the user's text.
xdotool key ctrl+alt+d
e2e_wait_window 'quill: .*a feather pen' 5 >/dev/null || e2e_fail "the tip query found no word"
e2e_screenshot "$SHOTS" tip-by-copy
xdotool windowfocus --sync "$ECHO_WINDOW"
xdotool key ctrl+v
e2e_wait_file_text "$E2E_TMP/echo.txt" "kept text" 5 ||
    e2e_fail "the tip query changed the clipboard: '$(cat "$E2E_TMP/echo.txt")'"

# 2. Snapped twice, noted once; the copy stays on the clipboard.
xdotool key ctrl+alt+s
sleep 1
xdotool key ctrl+alt+s
sleep 1
xdotool key ctrl+v
e2e_wait_file_text "$E2E_TMP/echo.txt" "kept textquill" 5 ||
    e2e_fail "the snap left no copy on the clipboard: '$(cat "$E2E_TMP/echo.txt")'"
e2e_stop_quillbox

found=0
for id in $(cli tree | awk '$2 == 1 { print $1 }'); do
    text="$(cli show "$id")"
    case "$text" in *quill*) found=$((found + 1)); snapped="$text" ;; esac
done
[ "$found" = 1 ] || e2e_fail "$found notes hold the snapped text"
[ "$(grep -o quill <<<"$snapped" | wc -l)" = 1 ] || e2e_fail "the note holds '$snapped'"
echo "PASS capture"
