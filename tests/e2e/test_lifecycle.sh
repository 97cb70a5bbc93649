#!/usr/bin/env bash
# The desktop program's life: it shows its window with the open page in the title, Escape puts
# it into the tray (saving), a second start brings it back and ends at once, the same program on
# another notebook runs beside it (and SIGTERM ends it with a save), and Exit in the tray menu closes it
# with a save that quillbox-cli sees afterwards.
# Usage: test_lifecycle.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR

QB="$1"
CLI="$2"
SHOTS="$3/lifecycle"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@"; }
save_count() { "$CLI" --home "$1" option Memory SaveCount; }

group_root="$(cli tree | awk '$2 == 22 { print $1; exit }')"
[ -n "$group_root" ] || e2e_fail "no group root in a new notebook"
page="$(cli new "$group_root" 1 Diary)"
cli option Program StartPage "$page" >/dev/null

e2e_start_display
e2e_start_tray
e2e_start_quillbox "$QB"

# 1. The window, titled after the open page.
window="$(e2e_main_window)" || e2e_fail "the main window did not appear"
title="$(xdotool getwindowname "$window")"
[ "$title" = "Diary - quillbox" ] || e2e_fail "title is '$title'"
grep -q '^quillbox: shown ' "$E2E_TMP/quillbox.err" || e2e_fail "no first-paint report"
sleep 0.3
e2e_screenshot "$SHOTS" main-window "$window"

# 2. Escape minimizes into the tray and saves at that moment.
xdotool windowfocus --sync "$window"
sleep 0.2
xdotool key Escape
e2e_wait_hidden || e2e_fail "Escape did not hide the window"
[ "$(save_count "$E2E_HOME")" = 1 ] || e2e_fail "minimizing did not save"
e2e_screenshot "$SHOTS" in-tray

# 3. A second start of the same program brings the first forward and ends.
timeout 10 "$QB" --home "$E2E_HOME" 2>/dev/null || e2e_fail "the second start did not end with 0"
window="$(e2e_main_window)" || e2e_fail "the second start did not bring the window back"
kill -0 "$QB_PID" || e2e_fail "the first copy ended"

# 4. The same program file on another notebook runs beside the first; SIGTERM ends it with a save.
mkdir -p "$E2E_TMP/home2"
QUILLBOX_REPORT_SHOWN=1 "$QB" --home "$E2E_TMP/home2" >/dev/null 2>"$E2E_TMP/copy.err" &
copy_pid=$!
E2E_PIDS+=("$copy_pid")
for _ in $(seq 100); do
    grep -qs '^quillbox: shown ' "$E2E_TMP/copy.err" && break
    sleep 0.1
done
kill -0 "$copy_pid" 2>/dev/null || e2e_fail "the second notebook did not keep running"
grep -qs '^quillbox: shown ' "$E2E_TMP/copy.err" || e2e_fail "the second notebook shows no window"
kill -TERM "$copy_pid"
e2e_wait_exit "$copy_pid" 10 || e2e_fail "SIGTERM did not end the copy"
[ "$E2E_STATUS" = 0 ] || e2e_fail "the copy ended with $E2E_STATUS after SIGTERM"
[ "$(save_count "$E2E_TMP/home2")" = 1 ] || e2e_fail "SIGTERM ended the copy without saving"

# 5. The tray menu's Exit closes the program, saving once more.
tray=""
for id in $(xdotool search --pid "$QB_PID" --name quillbox 2>/dev/null); do
    width="$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p')"
    [ "$width" -le 60 ] && tray="$id"
done
[ -n "$tray" ] || e2e_fail "no tray icon"
xdotool mousemove --window "$tray" 10 10 click 3
sleep 0.8
e2e_screenshot "$SHOTS" tray-menu
xdotool key Up Return
e2e_wait_exit "$QB_PID" 10 || e2e_fail "Exit in the tray menu did not end the program"
[ "$E2E_STATUS" = 0 ] || e2e_fail "the program ended with $E2E_STATUS"
[ "$(save_count "$E2E_HOME")" = 2 ] || e2e_fail "closing did not save"
cli tree | grep -q "Diary" || e2e_fail "the page is gone after closing"
[ "$(cli option Window WinStatus)" = 0 ] || e2e_fail "the window status was not remembered"
echo "PASS lifecycle"
