#!/usr/bin/env bash
# The workspace driven from the keyboard and the mouse, checked in the files with quillbox-cli:
# Show Tree, Ctrl+N and Ctrl+G with renaming in place, F6, Alt+Up, Shift+Del with its question,
# Alt+Left/Right through the history, dragging a page onto a group, the tab bar of the siblings,
# the context menu, and the tree and the page shown again after a restart.
# Usage: test_workspace.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR

QB="$1"
CLI="$2"
SHOTS="$3/workspace"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@"; }
# The id of a page by its node path ("Root\Projects\Plan"), empty when there is none.
id_of() { cli find "$1" 2>/dev/null || true; }
owner_name() { cli path "$1" | awk -F'\\' '{ print $(NF-1) }'; }
# The names of a group's children in their order, one line.
children() {
    cli tree | awk -v parent="$1" '
        { match($0, /^ */); depth = RLENGTH / 2; split(substr($0, RLENGTH + 1), f, "\t") }
        inside && depth <= level { inside = 0 }
        inside && depth == level + 1 { printf "%s%s", sep, f[4]; sep = "," }
        f[1] == parent { inside = 1; level = depth }
        END { print "" }'
}
title() { xdotool getwindowname "$window"; }
wait_title() { e2e_wait_title "$window" "$1"; }
# The y (inside the window) of the middle of the selected row of the tree, found by the
# selection's colour in the tree's column.
selected_row_y() {
    import -window "$window" "$E2E_TMP/rows.png" 2>/dev/null
    convert "$E2E_TMP/rows.png" -crop 1x400+30+40 +repage -colorspace sRGB txt:- 2>/dev/null |
        awk -F'[,:]' '/#308CC6|#3092D0|#2F8BC5/ { y[n++] = $2 } END { if (n) print 40 + int((y[0] + y[n-1]) / 2) }'
}

group_root="$(cli tree | awk '$2 == 22 { print $1; exit }')"
projects="$(cli new "$group_root" 0 Projects)"
plan="$(cli new "$projects" 1 Plan)"
printf 'the plan\n' | cli write "$plan"
cli new "$projects" 1 Budget >/dev/null
diary="$(cli new "$group_root" 1 Diary)"
cli option Program StartPage "$projects" >/dev/null

e2e_start_display
openbox >/dev/null 2>&1 &
E2E_PIDS+=($!)
e2e_start_tray
e2e_start_quillbox "$QB"
window="$(e2e_main_window)" || e2e_fail "the main window did not appear"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
wait_title Projects || e2e_fail "the start page is not active: $(title)"

# 1. Show Tree; Ctrl+Tab puts the keyboard into it.
xdotool key ctrl+t
sleep 0.8
xdotool key ctrl+Tab
e2e_screenshot "$SHOTS" tree "$window"
[ -n "$(selected_row_y)" ] || e2e_fail "the tree shows no selected page"

# 2. Ctrl+N makes a note in the selected group and renames it in place; Ctrl+G a group.
xdotool key ctrl+n
sleep 0.6
e2e_screenshot "$SHOTS" rename-in-place "$window"
xdotool type --delay 30 "Meeting"
xdotool key Return
wait_title Meeting || e2e_fail "the new note was not renamed in place: $(title)"
xdotool key ctrl+g
sleep 0.6
xdotool type --delay 30 "Archive"
xdotool key Return
wait_title Archive || e2e_fail "the new group was not renamed in place: $(title)"
e2e_save
[ "$(children "$projects")" = "Plan,Budget,Meeting,Archive" ] ||
    e2e_fail "Projects holds $(children "$projects")"
archive="$(id_of 'Root\Projects\Archive')"
[ "$(cli tree | awk -v id="$archive" '$1 == id { print $2 }')" = 0 ] || e2e_fail "Archive is no group"

# 3. F6 locks the page; Alt+Up moves it one place up.
xdotool key F6 alt+Up
e2e_save
[ "$(cli tree | awk -v id="$archive" '$1 == id { print $3 }')" = 1 ] || e2e_fail "F6 did not lock Archive"
[ "$(children "$projects")" = "Plan,Budget,Archive,Meeting" ] ||
    e2e_fail "Alt+Up gave $(children "$projects")"
wait_title Archive || e2e_fail "the moved page is no longer active"

# 4. Shift+Del on a page with text asks, and OK moves it into the recycle bin.
xdotool key Up Up
wait_title Plan || e2e_fail "the arrow keys did not reach Plan: $(title)"
xdotool key shift+Delete
question=""
for _ in $(seq 50); do
    question="$(xdotool search --onlyvisible --name '^Prompt$' 2>/dev/null | head -n1 || true)"
    [ -n "$question" ] && break
    sleep 0.1
done
[ -n "$question" ] || e2e_fail "Shift+Del did not ask"
e2e_screenshot "$SHOTS" delete-question "$question"
xdotool key Return
wait_title Budget || e2e_fail "the next page did not become active after deleting: $(title)"
e2e_save
[ "$(owner_name "$plan")" = RecycleBin ] || e2e_fail "Plan is not in the recycle bin"

# 5. Alt+Left and Alt+Right walk the history.
# Visited: Projects, Meeting, Archive, Budget, Plan; the deleted Plan left the history.
xdotool key alt+Left
wait_title Archive || e2e_fail "Alt+Left gave $(title)"
xdotool key alt+Left
wait_title Meeting || e2e_fail "Alt+Left twice gave $(title)"
xdotool key alt+Right alt+Right
wait_title Budget || e2e_fail "Alt+Right twice gave $(title)"

# 6. Dragging Diary onto Projects moves it into the group.
xdotool key Down Down Down
wait_title Diary || e2e_fail "the arrow keys did not reach Diary: $(title)"
from="$(selected_row_y)"
xdotool key Up Up Up Up
wait_title Projects || e2e_fail "the arrow keys did not reach Projects: $(title)"
to="$(selected_row_y)"
[ -n "$from" ] && [ -n "$to" ] || e2e_fail "the tree's rows were not found"
xdotool mousemove --window "$window" 70 "$from" mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove --window "$window" $((70 + step)) $((from + (to - from) * step / 8))
    sleep 0.1
done
sleep 0.3
xdotool mouseup 1
wait_title Diary || e2e_fail "the page dragged did not become active: $(title)"
e2e_save
[ "$(owner_name "$diary")" = Projects ] || e2e_fail "dragging did not move Diary into Projects"

# 7. A right click shows the page's context menu; its Switch Lock locks the page.
xdotool mousemove --window "$window" 70 "$(selected_row_y)" click 3
sleep 0.6
e2e_screenshot "$SHOTS" context-menu
xdotool key l
sleep 0.3
e2e_save
[ "$(cli tree | awk -v id="$diary" '$1 == id { print $3 }')" = 1 ] ||
    e2e_fail "the context menu's Switch Lock did not lock Diary"

# 8. Without the tree the tab bar shows the siblings: Home and End reach the first and last.
xdotool key ctrl+t
sleep 0.8
xdotool key ctrl+Tab Home
wait_title Budget || e2e_fail "Home on the tab bar gave $(title)"
e2e_screenshot "$SHOTS" tab-bar "$window"
xdotool key End
wait_title Diary || e2e_fail "End on the tab bar gave $(title)"
xdotool key Left
wait_title Meeting || e2e_fail "Left on the tab bar gave $(title)"

# 9. The tree left shown and the page shown come back after a restart.
xdotool key ctrl+t
sleep 0.5
xdotool key alt+f
sleep 0.3
xdotool key Up Return
e2e_wait_exit "$QB_PID" 10 || e2e_fail "File, Exit did not end the program"
[ "$(cli option Option ShowTree)" = 1 ] || e2e_fail "ShowTree was not remembered"
cli option Program StartPage -1 >/dev/null
e2e_start_quillbox "$QB"
window="$(e2e_main_window)" || e2e_fail "the main window did not come back"
wait_title Meeting || e2e_fail "the remembered page is not active after the restart: $(title)"
sleep 0.5
e2e_screenshot "$SHOTS" restarted "$window"
[ -n "$(selected_row_y)" ] || e2e_fail "the tree is not shown after the restart"
echo "PASS workspace"
