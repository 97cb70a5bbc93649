#!/usr/bin/env bash
# quillbox-cli while the desktop program holds the notebook: a writing command is carried out
# by the program (the window shows it at once, the open page's typing is handed over first, and
# its exit save overwrites nothing), a reading command reads the files, and a program that does
# not answer leaves the notebook unchanged.
# Usage: test_notebook_lock.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR

QB="$1"
CLI="$2"
SHOTS="$3/notebook_lock"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@"; }
title() { xdotool getwindowname "$window" 2>/dev/null || true; }

diary="$(cli new 7 1 Diary)"
other="$(cli new 7 1 Other)"
printf 'other text' | cli write "$other"
cli option Program StartPage "$diary" >/dev/null

e2e_start_display
e2e_start_tray
e2e_start_quillbox "$QB"
window="$(e2e_main_window)" || e2e_fail "the main window did not appear"
e2e_wait_title "$window" Diary || e2e_fail "title is '$(title)'"

# 1. Writing commands go to the program: the page it shows is renamed at once.
grep -q "^$QB_PID quillbox$" "$E2E_HOME/data/quillbox.lock" || e2e_fail "the program holds no lock"
printf 'from the cli' | cli write "$other" || e2e_fail "write to another page failed"
cli rename "$diary" Journal || e2e_fail "rename failed"
e2e_wait_title "$window" Journal || e2e_fail "the window did not show the new name: $(title)"
added="$(cli new 7 1 Added)" || e2e_fail "new failed"
[ "$(cli show "$other")" = "from the cli" ] || e2e_fail "a reading command does not see the write"

# 2. The open page's text replaced from the command line.
printf 'replaced' | cli write "$diary" || e2e_fail "write to the open page failed"
e2e_screenshot "$SHOTS" after-cli-write "$window"

# 2b. Typing not saved yet is handed over before a command runs, onto the text it replaced.
xdotool windowfocus --sync "$window" 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
sleep 0.3
xdotool key ctrl+End
xdotool type --delay 20 " typed"
sleep 0.3
cli rename "$other" Other || e2e_fail "rename failed"
[ "$(cli show "$diary")" = "replaced typed" ] ||
    e2e_fail "the typing was not handed over: '$(cli show "$diary")'"

# 3. A program that does not answer: exit 1, the holder named, nothing changed, not even
# when it wakes up again.
sleep 0.5  # what the window does after the last change, done
kill -STOP "$QB_PID"
before="$(md5sum <"$E2E_HOME/data/quillbox.idx")"
set +e
message="$(cli rename "$other" Stopped 2>&1)"
status=$?
set -e
kill -CONT "$QB_PID"
[ "$status" = 1 ] || e2e_fail "a stopped program gave exit $status"
[ "$message" = "quillbox (pid $QB_PID) holds the notebook and did not answer; nothing was changed" ] ||
    e2e_fail "message: $message"
sleep 1  # the program, woken up, finds the abandoned request: it must not run it
[ "$(md5sum <"$E2E_HOME/data/quillbox.idx")" = "$before" ] || e2e_fail "the index changed"

# 4. The exit save keeps every change.
e2e_stop_quillbox
[ "$(cli show "$diary")" = "replaced typed" ] || e2e_fail "the open page reads '$(cli show "$diary")'"
[ "$(cli show "$other")" = "from the cli" ] || e2e_fail "the other page reads '$(cli show "$other")'"
cli tree | grep -q "^    $diary	1	0	Journal$" || e2e_fail "the rename was lost: $(cli tree)"
cli tree | grep -q "^    $added	1	0	Added$" || e2e_fail "the new page was lost"
[ "$(cli check)" = ok ] || e2e_fail "check: $(cli check)"
echo "PASS"
