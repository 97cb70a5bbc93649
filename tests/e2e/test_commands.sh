#!/usr/bin/env bash
# Commands of the desktop program from the keyboard, the menus and the show/hide hotkey: Show
# Tree by its accelerator widens the window by the tree and by the Tools menu narrows it again;
# every menu and the options dialog are photographed; the hotkey brings the window back from
# the tray; Auto Hide hides the window at a screen edge and brings it back;
# Exit in the File menu ends the program, which remembers what it showed.
# Usage: test_commands.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR

QB="$1"
CLI="$2"
SHOTS="$3/commands"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@"; }
width_of() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p'; }
# Waits until the window's width differs from the given one; prints the new width.
wait_width_change() {
    local window="$1" old="$2" now
    for _ in $(seq 50); do
        now="$(width_of "$window")"
        if [ "$now" != "$old" ]; then
            echo "$now"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Ctrl+Alt+Q as a hotkey word: control 2 + alt 4 in the high byte, 'Q' (81) in the low one.
cli option Program CallWinHotKey $(((6 << 8) | 81)) >/dev/null

e2e_start_display
e2e_start_tray
e2e_start_quillbox "$QB"
window="$(e2e_main_window)" || e2e_fail "the main window did not appear"
xdotool windowfocus --sync "$window"
sleep 0.5
e2e_screenshot "$SHOTS" main-window "$window"

# 1. Show Tree from its accelerator: the window grows so that the page area keeps its size.
before="$(width_of "$window")"
xdotool key ctrl+t
with_tree="$(wait_width_change "$window" "$before")" || e2e_fail "Ctrl+T did not show the tree"
[ "$with_tree" -gt "$before" ] || e2e_fail "the window did not grow with the tree ($before -> $with_tree)"
e2e_screenshot "$SHOTS" main-window-with-tree "$window"

# 2. The same command from the Tools menu (its first item) hides the tree again.
xdotool key alt+t
sleep 0.5
e2e_screenshot "$SHOTS" menu-tools
xdotool key Return
without_tree="$(wait_width_change "$window" "$with_tree")" || e2e_fail "the Tools menu did not hide the tree"
[ "$without_tree" = "$before" ] || e2e_fail "the window is $without_tree wide, was $before"

# 3. Auto Hide (Ctrl+H): with the mouse away the window slides behind the nearest edge (here the
# bottom one), leaving 5 pixels; touching that strip brings it back.
y_of() { xdotool getwindowgeometry --shell "$1" | sed -n 's/^Y=//p'; }
wait_y() {
    for _ in $(seq 60); do
        [ "$(y_of "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    return 1
}
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" 100 100
xdotool key ctrl+h
sleep 0.3
# The tool-window style gives the window a new X window.
window="$(e2e_main_window)" || e2e_fail "Auto Hide lost the window"
xdotool mousemove 1000 10
wait_y "$window" $((768 - 5)) || e2e_fail "Auto Hide did not hide the window at the bottom edge"
e2e_screenshot "$SHOTS" auto-hidden
xdotool mousemove 400 766
wait_y "$window" $((768 - HEIGHT)) || e2e_fail "touching the strip did not bring the window back"
xdotool mousemove --window "$window" 100 100
xdotool windowfocus --sync "$window"
xdotool key ctrl+h
sleep 0.3
window="$(e2e_main_window)" || e2e_fail "turning Auto Hide off lost the window"

# 4. Every menu of the menu bar, and the options dialog.
for menu in f e n h; do
    xdotool key "alt+$menu"
    sleep 0.4
    e2e_screenshot "$SHOTS" "menu-$menu"
    xdotool key Escape
    sleep 0.2
done
xdotool key alt+t
sleep 0.3
xdotool key o
dialog=""
for _ in $(seq 50); do
    dialog="$(xdotool search --onlyvisible --name '^Options$' 2>/dev/null | head -n1 || true)"
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || e2e_fail "Tools, Options did not open the options dialog"
sleep 0.3
e2e_screenshot "$SHOTS" options-dialog "$dialog"
# Cancel, the button in the lower right corner.
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove --window "$dialog" $((WIDTH - 50)) $((HEIGHT - 24)) click 1
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 &&
    e2e_fail "Cancel did not close the options dialog"

# 5. The show/hide hotkey brings the window back from the tray, each time. (Hiding a window in
# front by the hotkey needs the window manager's idea of the active window, which a bare X
# server does not keep.)
for round in 1 2; do
    xdotool windowfocus --sync "$window"
    sleep 0.2
    xdotool key Escape
    e2e_wait_hidden || e2e_fail "Escape did not hide the window (round $round)"
    xdotool key ctrl+alt+q
    window="$(e2e_main_window)" || e2e_fail "the hotkey did not bring the window back (round $round)"
done

# 6. Exit, the last item of the File menu.
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key alt+f
sleep 0.3
xdotool key Up Return
e2e_wait_exit "$QB_PID" 10 || e2e_fail "File, Exit did not end the program"
[ "$E2E_STATUS" = 0 ] || e2e_fail "the program ended with $E2E_STATUS"
[ "$(cli option Option ShowTree)" = 0 ] || e2e_fail "ShowTree was not remembered as off"
[ "$(cli option Window WinPosWidth)" = "$before" ] || e2e_fail "the window width was not remembered"
[ "$(cli option Option SpecialMode)" = 0 ] || e2e_fail "Auto Hide was not remembered as off"
echo "PASS commands"
