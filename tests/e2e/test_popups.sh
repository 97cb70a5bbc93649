#!/usr/bin/env bash
# The hotkeys of the tray features over another program (the tests' own echo window, whose
# text lands in a file): the template hotkey pops up the templates and the chosen one is
# typed into the window with its caret mark; the clipboard hotkey pops up the captured texts;
# a digit hotkey pastes a clip item at once; the tip-query hotkey shows the meaning of the word
# in the PRIMARY selection; the mini-note hotkey opens a note window, titled with that
# selection, whose text lands in the notebook; the fast-link menu opens a link, after which
# the window goes to the tray.
# Usage: test_popups.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR ECHO_WINDOW

QB="$1"
CLI="$2"
SHOTS="$3/popups"
ECHO="$4"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@" >/dev/null; }
hotkey() { e2e_ctrl_alt_hotkey "$CLI" "$@"; }

group_root="$("$CLI" --home "$E2E_HOME" tree | awk '$2 == 22 { print $1; exit }')"
# A template item: name, three entries of the page's own, then text, hotkey, abbreviation and
# remark. "~c" marks where the caret goes back to.
printf 'Greeting\t0\t\t0\tDear ~c!\t0\t\t\n' | e2e_import_items "$CLI" "$group_root" 7 Templates
cli clip "first clip"
cli clip "second clip"
# A fast link to a program that leaves a mark: type 0 (a file), the program's path.
opened="$E2E_TMP/opened"
printf '#!/bin/sh\ntouch "%s"\n' "$opened" >"$E2E_TMP/mark.sh"
chmod +x "$E2E_TMP/mark.sh"
printf 'Mark\t0\t\t0\t0\t%s\t0\t\t\n' "$E2E_TMP/mark.sh" |
    e2e_import_items "$CLI" "$group_root" 8 FastLinks
e2e_test_dictionary "$CLI"
hotkey Template TemplateHotKey T
hotkey Clipboard ClipboardHotKey V
cli option Clipboard EnableClipItemHotKey 1
hotkey LinkPage FastLinkHotKey L
cli option LinkPage AutoMinimizeAfterOpenLink 1
hotkey Program CallWinHotKey Q
hotkey DictPage TipQueryHotKey D
hotkey Notes NewNoteForeGroundHotKey N
hotkey Notes CloseNoteHotkey W

e2e_start_display
e2e_start_tray
e2e_start_echo "$ECHO" "$E2E_TMP/echo.txt" --primary quill
e2e_start_quillbox "$QB" -m
sleep 1.5
xdotool mousemove --window "$ECHO_WINDOW" 40 30
xdotool windowfocus --sync "$ECHO_WINDOW"

# 1. The template menu at the mouse; "1" chooses the first item, which is pasted into the
# window in front with the caret left at its mark.
xdotool key ctrl+alt+t
menu="$(e2e_wait_window 'quillbox items' 5)" || e2e_fail "the template hotkey popped up no menu"
sleep 0.3
e2e_screenshot "$SHOTS" template-menu
xdotool key 1
e2e_wait_file_text "$E2E_TMP/echo.txt" "Dear !" 5 || e2e_fail "the template was not pasted: '$(cat "$E2E_TMP/echo.txt")'"
xdotool type --delay 20 Bob
e2e_wait_file_text "$E2E_TMP/echo.txt" "Dear Bob!" 5 ||
    e2e_fail "the caret is not at the template's mark: '$(cat "$E2E_TMP/echo.txt")'"
xdotool key Return

# 2. The clipboard menu lists the captured texts, newest first; "2" pastes the older one.
xdotool key ctrl+alt+v
menu="$(e2e_wait_window 'quillbox items' 5)" || e2e_fail "the clipboard hotkey popped up no menu"
sleep 0.3
e2e_screenshot "$SHOTS" clipboard-menu
xdotool key 2
e2e_wait_file_text "$E2E_TMP/echo.txt" "first clip" 5 ||
    e2e_fail "the clip item was not pasted: '$(cat "$E2E_TMP/echo.txt")'"
grep -q "second clip" "$E2E_TMP/echo.txt" && e2e_fail "the wrong clip item was pasted"
# The popup key's modifiers with a digit paste that item at once.
xdotool key ctrl+alt+1
e2e_wait_file_text "$E2E_TMP/echo.txt" "first clipsecond clip" 5 ||
    e2e_fail "the digit hotkey pasted no clip item: '$(cat "$E2E_TMP/echo.txt")'"

# 3. The tip query: the word in the PRIMARY selection and its meaning in a tip at the mouse.
xdotool key ctrl+alt+d
tip="$(e2e_wait_window 'quill: .*a feather pen' 5)" || e2e_fail "the tip query showed no meaning"
sleep 0.3
e2e_screenshot "$SHOTS" tip-query
"$CLI" --home "$E2E_HOME" option Memory SaveCount >/dev/null  # the notebook is readable

# 4. A mini-note: the window opens titled with the selection; what is typed becomes a note
# named so when the close-note hotkey closes it.
xdotool key ctrl+alt+n
note="$(e2e_wait_window '^New Note$' 5)" || e2e_fail "the mini-note hotkey opened no window"
xdotool windowfocus --sync "$note"
xdotool type --delay 20 "milk and eggs"
sleep 0.3
e2e_screenshot "$SHOTS" mini-note "$note"
xdotool key ctrl+alt+w
e2e_wait_window_gone '^New Note$' 5 || e2e_fail "the close-note hotkey left the window"

# 5. The fast-link menu opens the chosen link; the window, shown, then goes to the tray.
xdotool key ctrl+alt+q
e2e_main_window >/dev/null || e2e_fail "the window hotkey showed no window"
xdotool mousemove --window "$ECHO_WINDOW" 40 30
xdotool windowfocus --sync "$ECHO_WINDOW"
xdotool key ctrl+alt+l
e2e_wait_window 'quillbox items' 5 >/dev/null || e2e_fail "the fast-link hotkey popped up no menu"
sleep 0.3
e2e_screenshot "$SHOTS" fast-link-menu
xdotool key 1
for _ in $(seq 50); do [ -e "$opened" ] && break; sleep 0.1; done
[ -e "$opened" ] || e2e_fail "the fast link did not open"
e2e_wait_hidden || e2e_fail "opening a link left the window shown"
e2e_stop_quillbox
id="$("$CLI" --home "$E2E_HOME" find 'Root\quill')" || e2e_fail "no note named after the selection"
text="$("$CLI" --home "$E2E_HOME" show "$id")"
[ "$text" = "milk and eggs" ] || e2e_fail "the note holds '$text'"
echo "PASS popups"
