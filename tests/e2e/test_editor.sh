#!/usr/bin/env bash
# The editor driven from the keyboard, checked in the files with quillbox-cli: a multi-line text
# with non-ASCII characters typed into a note survives a switch to another page and back and
# the program's end; undo and redo; Highlight 1 stores its markers and draws no box; a
# read-only page refuses typing; a calculator page writes its result on Enter.
# Usage: test_editor.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR

QB="$1"
CLI="$2"
SHOTS="$3/editor"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
# xdotool types non-ASCII characters only in a UTF-8 locale that exists.
export LC_ALL=C.UTF-8

cli() { "$CLI" --home "$E2E_HOME" "$@"; }
title() { xdotool getwindowname "$window"; }
wait_title() { e2e_wait_title "$window" "$1"; }
# The page's stored text with every byte outside printable ASCII as \ooo, one line.
stored() { cli show "$1" | od -An -c | tr -s ' \n' ' '; }
expect_text() {
    local want got
    want="$(printf '%b' "$2" | od -An -c | tr -s ' \n' ' ')"
    got="$(stored "$1")"
    [ "$got" = "$want" ] || e2e_fail "$3: page $1 holds '$got', expected '$want'"
}
# Puts the keyboard into the editor: a click in the middle of the page area.
click_editor() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
    sleep 0.3
}

group_root="$(cli tree | awk '$2 == 22 { print $1; exit }')"
notes="$(cli new "$group_root" 0 Notes)"
alpha="$(cli new "$notes" 1 Alpha)"
beta="$(cli new "$notes" 1 Beta)"
printf 'beta text' | cli write "$beta"
calc="$(cli new "$notes" 2 Sums)"
dict="$(cli new "$notes" 4 Words)"

# start_on PAGE NAME: the program started with PAGE shown and the keyboard in the editor.
start_on() {
    cli option Program StartPage "$1" >/dev/null
    e2e_start_quillbox "$QB"
    window="$(e2e_main_window)" || e2e_fail "the main window did not appear"
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    wait_title "$2" || e2e_fail "page $2 is not shown: $(title)"
    click_editor
}

e2e_start_display
openbox >/dev/null 2>&1 &
E2E_PIDS+=($!)
e2e_start_tray

# 1. A multi-line text with non-ASCII characters, then another page and back: nothing lost.
start_on "$alpha" Alpha
xdotool type --delay 120 'Grüße, 世界!'
xdotool key Return
xdotool type --delay 120 'naïve café'
xdotool key Return Tab
xdotool type --delay 40 'end'
sleep 0.3
e2e_screenshot "$SHOTS" typing "$window"
xdotool key ctrl+n
sleep 0.6
xdotool key Escape
sleep 0.3
xdotool key alt+Left
wait_title Alpha || e2e_fail "Alt+Left did not go back to Alpha: $(title)"
e2e_save
expect_text "$alpha" 'Grüße, 世界!\nnaïve café\n\tend' "the typed text after leaving the page"
e2e_screenshot "$SHOTS" typed "$window"

# 2. Undo and redo, one typed character a step.
click_editor
xdotool key ctrl+End
xdotool type --delay 40 'xyz'
xdotool key ctrl+z ctrl+z
e2e_save
expect_text "$alpha" 'Grüße, 世界!\nnaïve café\n\tendx' "two undos"
xdotool key ctrl+y
e2e_save
expect_text "$alpha" 'Grüße, 世界!\nnaïve café\n\tendxy' "one redo"

# 3. Highlight 1 over a selection: the markers are stored, the screen shows no box.
xdotool key ctrl+Home shift+End
sleep 0.4
# The toolbar's Text Tools button drops its menu down; Highlight 1 is its first item.
xdotool mousemove --window "$window" 297 38 click 1
sleep 0.4
xdotool key Down Return
sleep 0.3
e2e_save
expect_text "$alpha" '\034Grüße, 世界!\035\nnaïve café\n\tendxy' "Highlight 1"
xdotool key ctrl+End
sleep 0.3
e2e_screenshot "$SHOTS" highlight "$window"

# 4. F6 twice makes the page read-only (locked, then read-only): typing changes nothing.
xdotool key F6 F6
e2e_save
[ "$(cli tree | awk -v id="$alpha" '$1 == id { print $3 }')" = 3 ] ||
    e2e_fail "F6 twice did not make the page read-only"
click_editor
xdotool type --delay 40 'nope'
xdotool key BackSpace Delete Return
e2e_save
expect_text "$alpha" '\034Grüße, 世界!\035\nnaïve café\n\tendxy' "typing on a read-only page"

e2e_stop_quillbox
expect_text "$alpha" '\034Grüße, 世界!\035\nnaïve café\n\tendxy' "the text after the program's end"

# 5. A calculator page: a typed "=" and Enter write the results behind the expressions.
start_on "$calc" Sums
xdotool type --delay 40 '1+2='
xdotool type --delay 40 '2*5'
xdotool key Return
e2e_save
expect_text "$calc" "1+2 = $(cli calc '1+2')\n2*5 = $(cli calc '2*5')\n" "the calculator page"
e2e_stop_quillbox

# 6. A dictionary page: Enter after a word writes its meaning.
e2e_test_dictionary "$CLI"
start_on "$dict" Words
xdotool type --delay 40 'quill'
xdotool key Return
e2e_save
expect_text "$dict" "quill: $(cli lookup quill)\n" "the dictionary page"
e2e_stop_quillbox

# 7. Find / Replace: Replace All changes the stored text; the statistics box shows the page's
# counts.
start_on "$beta" Beta
xdotool key ctrl+Home ctrl+f
box="$(e2e_wait_window '^Find / Replace$' 5)" || e2e_fail "Ctrl+F showed no find box"
xdotool type --delay 40 'beta'
xdotool key alt+w
sleep 0.3
xdotool type --delay 40 'gamma'
xdotool key alt+a
sleep 0.5
e2e_screenshot "$SHOTS" replace-all-question
xdotool key Return
sleep 0.5
xdotool key Return
sleep 0.3
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key Escape
e2e_wait_window_gone '^Find / Replace$' 5 || e2e_fail "the find box stayed open"
e2e_save
expect_text "$beta" 'gamma text' "Replace All"
xdotool key alt+t Up Up Up Return
e2e_wait_window '^Statistics$' 5 >/dev/null || e2e_fail "the statistics box did not open"
sleep 0.3
e2e_screenshot "$SHOTS" statistics
xdotool key Escape
sleep 0.3

# Insert Link (Ctrl+K): an address of the type Url goes into the text between angle brackets.
click_editor
xdotool key ctrl+End ctrl+k
e2e_wait_window '^Insert Link$' 5 >/dev/null || e2e_fail "Ctrl+K showed no insert-link box"
sleep 0.3
xdotool key Down Down Tab
xdotool type --delay 40 'www.example.org'
xdotool key Return
sleep 0.3
e2e_save
cli show "$beta" | grep -q '^gamma text<[^>]*www\.example\.org>$' ||
    e2e_fail "Insert Link wrote '$(cli show "$beta")'"
# The context menu of the caret.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2)) click 3
sleep 0.5
e2e_screenshot "$SHOTS" context-menu
xdotool key Escape
e2e_stop_quillbox

# 8. The decorations: line numbers (a wrapped line numbered twice), the caret's line band, the
# four highlight styles (the first nested in the fourth) and an unclosed block.
shown="$(cli new "$notes" 1 Shown)"
long="$(printf 'wrapped %.0s' $(seq 14))"
printf 'plain line\n\034first\035 and \034second\036 and \034third\037\n\034fourth \034with first inside\035 done\177\n%s\nthe caret line\n\034never closed\n' "$long" |
    cli write "$shown"
cli option Editor ShowLineNumber 1 >/dev/null
cli option Editor HighLightSelLine 1 >/dev/null
start_on "$shown" Shown
xdotool key ctrl+End Up
sleep 0.4
e2e_screenshot "$SHOTS" decorations "$window"
e2e_stop_quillbox
[ "$(cli show "$shown" | tr -cd '\034' | wc -c)" = 6 ] || e2e_fail "the markers of the shown page changed"
echo "editor: all checks passed"
