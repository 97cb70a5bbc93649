#!/usr/bin/env bash
# The program on a desktop: F1 hands the guide, written beside the notebook, to xdg-open (a
# stub on PATH records what it was given); one click on the tray icon brings the window back
# after each way into the tray (the tray menu, the close box with Close to tray, Escape); Qt's
# own options reach Qt; and at
# QT_SCALE_FACTOR=2 the options dialog fits a 1280x800 screen, without minimize or maximize
# buttons.
# Usage: test_desktop.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR

QB="$1"
CLI="$2"
SHOTS="$3/desktop"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

cli() { "$CLI" --home "$E2E_HOME" "$@"; }

# The stub browser: records its argument and ends.
mkdir -p "$E2E_TMP/bin"
cat >"$E2E_TMP/bin/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$1" >>"$E2E_TMP/opened"
STUB
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH="$E2E_TMP/bin:$PATH"
# No desktop of its own, so that Qt asks xdg-open rather than a desktop's own tool.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

group_root="$(cli tree | awk '$2 == 22 { print $1; exit }')"
[ -n "$group_root" ] || e2e_fail "no group root in a new notebook"
cli new "$group_root" 1 Diary >/dev/null
cli option Program CloseMinimize 1 >/dev/null

tray_icon() {
    local id width
    for id in $(xdotool search --pid "$QB_PID" --name quillbox 2>/dev/null); do
        width="$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p')"
        # Qt's own helper windows are a few pixels wide; the icon is the tray's height.
        [ "$width" -ge 10 ] && [ "$width" -le 60 ] && echo "$id" && return 0
    done
    return 1
}

# One click on the tray icon must bring the window back.
restore_by_one_click() {
    local way="$1" tray
    e2e_wait_hidden || e2e_fail "$way did not put the window into the tray"
    sleep 0.3
    tray="$(tray_icon)" || e2e_fail "no tray icon"
    xdotool mousemove --window "$tray" 8 8 click 1
    window="$(e2e_first_output 30 e2e_visible_windows)" \
        || e2e_fail "one tray click did not restore the window after $way"
}

e2e_start_display
openbox >/dev/null 2>&1 &
E2E_PIDS+=($!)
e2e_start_tray
# -style is Qt's own option; it must not be refused as an unexpected argument.
e2e_start_quillbox "$QB" -style fusion
window="$(e2e_main_window)" || e2e_fail "the main window did not appear (with -style fusion)"

# 1. F1: the guide, in the program folder, is what xdg-open is given.
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key F1
e2e_wait_file_text "$E2E_TMP/opened" "file://" 10 || e2e_fail "F1 opened nothing"
url="$(head -n1 "$E2E_TMP/opened")"
path="${url#file://}"
[ "$path" = "$E2E_HOME/help/index.html" ] || e2e_fail "F1 opened '$url'"
cmp -s "$path" "$SOURCE_DIR/res/help/index.html" || e2e_fail "the file F1 names is not the guide"

# 2. The tray restores in one click after each way into it, round after round (a window
# iconified on its way into the tray was met there by the first click of a later round).
for round in 1 2 3; do
    tray="$(tray_icon)" || e2e_fail "no tray icon"
    xdotool mousemove --window "$tray" 8 8 click 3
    sleep 0.8
    xdotool key Up Up Return   # Restore, which minimizes a window in front
    restore_by_one_click "the tray menu's Restore (round $round)"

    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 0.3
    xdotool key alt+F4         # the close box, through the window manager
    restore_by_one_click "the close box with Close to tray (round $round)"

    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 0.3
    xdotool key Escape
    restore_by_one_click "Escape (round $round)"
done
e2e_screenshot "$SHOTS" restored "$window"

e2e_stop_quillbox

# 3. At scale 2 the options dialog fits a 1280x800 screen and has only a close box.
# A new display of that size: the first one's programs end first.
for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
E2E_PIDS=()
rm -f "$E2E_TMP/displayfd"
e2e_start_display 1280x800
openbox >/dev/null 2>&1 &
E2E_PIDS+=($!)
e2e_start_tray
QT_SCALE_FACTOR=2 e2e_start_quillbox "$QB"
window="$(e2e_main_window)" || e2e_fail "the main window did not appear at scale 2"
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key alt+t
sleep 0.5
xdotool key o
dialog="$(e2e_wait_window '^Options$' 10)" || e2e_fail "the options dialog did not open"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1280 ] && [ $((Y + HEIGHT)) -le 800 ] \
    || e2e_fail "the options dialog (${WIDTH}x${HEIGHT} at $X,$Y) runs off the 1280x800 screen"
hints="$(xprop -id "$dialog" _MOTIF_WM_HINTS 2>/dev/null || true)"
e2e_screenshot "$SHOTS" options-scale-2
# Motif hints: flags, then functions. The functions are given (flag bit 0) as a list (bit 0,
# "all but these", off), without minimize (bit 3) and maximize (bit 4).
flags="$(sed -n 's/.*= \(0x[0-9a-f]*\), \(0x[0-9a-f]*\).*/\1/p' <<<"$hints")"
functions="$(sed -n 's/.*= \(0x[0-9a-f]*\), \(0x[0-9a-f]*\).*/\2/p' <<<"$hints")"
[ -n "$functions" ] || e2e_fail "the dialog sets no window manager hints: $hints"
(( (flags & 0x1) == 1 && (functions & 0x19) == 0 )) \
    || e2e_fail "the dialog offers minimize or maximize: $hints"
xdotool key Escape
e2e_wait_window_gone '^Options$' 5 || e2e_fail "Escape did not close the options dialog"
e2e_stop_quillbox
echo "PASS desktop"
