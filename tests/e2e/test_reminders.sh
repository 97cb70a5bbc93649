#!/usr/bin/env bash
# Reminders in the desktop program: a memo item due at the next minute (set up with the CLI)
# opens its reminder window within 65 s while the program sits in the tray, is announced as a
# desktop notification, and is then marked reminded in the notebook; "Delete me" deletes it.
# Usage: test_reminders.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR ECHO_WINDOW

QB="$1"
CLI="$2"
SHOTS="$3/reminders"
ECHO="$4"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@"; }

group_root="$(cli tree | awk '$2 == 22 { print $1; exit }')"
# The entries of a memo item: name, three of the page's own, then time, action (0 reminder),
# description, sound, sound file, snooze, reminded, remark.
due="$(date -d '+1 minute' '+%Y-%m-%d %H:%M')"
printf 'Call Bob\t0\t\t0\t%s\t0\tabout the <car>\t1\t\t0\t0\t\n' "$due" |
    e2e_import_items "$CLI" "$group_root" 3 Reminders
item="$(cli due --at "$due" | cut -f1)"
[ -n "$item" ] || e2e_fail "the memo item is not due at $due"

e2e_start_display
e2e_start_tray
e2e_start_session_bus
e2e_start_echo "$ECHO" "$E2E_TMP/echo.txt" --notifications "$E2E_TMP/notes.txt"
e2e_start_quillbox "$QB" -m
sleep 1
[ -z "$(e2e_visible_windows)" ] || e2e_fail "-m did not start in the tray"

# 1. The window comes at the minute, with the item's title in its caption.
box="$(e2e_wait_window 'Call Bob' 65)" || e2e_fail "no reminder window within 65 s"
sleep 0.5
e2e_screenshot "$SHOTS" reminder-window "$box"
e2e_screenshot "$SHOTS" reminder-screen
e2e_wait_file_text "$E2E_TMP/notes.txt" "Call Bob" 5 || e2e_fail "no desktop notification: $(cat "$E2E_TMP/notes.txt" "$E2E_TMP/echo.err" 2>&1)"
grep -qF 'quillbox|' "$E2E_TMP/notes.txt" || e2e_fail "the notification is not from quillbox"
grep -qF 'about the &lt;car&gt;' "$E2E_TMP/notes.txt" || e2e_fail "the notification body: $(cat "$E2E_TMP/notes.txt")"

# 2. Shown, so reminded: the one-time item is due no more.
[ -z "$(cli due --at "$due")" ] || e2e_fail "the item was not marked reminded"
[ -z "$(cli due)" ] || e2e_fail "the item is still due now"

# 3. "Delete me" and OK take the item away.
xdotool windowfocus --sync "$box"
sleep 0.2
xdotool key alt+d
sleep 0.3
e2e_screenshot "$SHOTS" reminder-delete-me "$box"
xdotool key Return
e2e_wait_window_gone 'Call Bob' 5 || e2e_fail "OK did not close the window"
e2e_stop_quillbox
cli tree | grep -q "Call Bob" && e2e_fail "Delete me left the item in the notebook"
cli tree | grep -q "Reminders" || e2e_fail "the memo page is gone"
echo "PASS reminders"
