#!/usr/bin/env bash
# List pages driven from the keyboard and the mouse, checked in the files with quillbox-cli:
# a reminder made with New Item (Ctrl+I) in the memo box, Edit Item with next and previous,
# sorting by a column and deleting the row that sorted first, a link to a local folder made by
# a double-click on the empty list and opened by a double-click on its row (through a stub
# opener on PATH), the property box, every view style, Search, Export and Import with the
# progress window, Send Mail, and new memo and link pages from the File menu; screenshots of
# the views and boxes.
# Usage: test_lists.sh QUILLBOX QUILLBOX_CLI SCREENSHOT_DIR

QB="$1"
CLI="$2"
SHOTS="$3/lists"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@"; }
title() { xdotool getwindowname "$window"; }
wait_title() { e2e_wait_title "$window" "$1"; }
# The program's visible window with the title, waiting up to 5 s; and its closing.
wait_window() { e2e_wait_window "^$1\$" 5; }
wait_closed() { e2e_wait_window_gone "^$1\$" 5; }
# The names of a list page's items in their order, one line.
items() {
    cli tree | awk -v parent="$1" '
        { match($0, /^ */); depth = RLENGTH / 2; split(substr($0, RLENGTH + 1), f, "\t") }
        inside && depth <= level { inside = 0 }
        inside && depth == level + 1 { printf "%s%s", sep, f[4]; sep = "," }
        f[1] == parent { inside = 1; level = depth }
        END { print "" }'
}
item_id() { cli tree | awk -v name="$2" -F'\t' -v parent="$1" '$4 == name { sub(/^ */, "", $1); print $1 }' | tail -n1; }
# Rows of the report: the header, then rows of ROW pixels from the list's top.
ROW_X=60
row_y() { echo $((LIST_TOP + 28 + 22 * ($1 - 1))); }
# The toolbar's Property button.
PROPERTY_X=159
PROPERTY_Y=39
double_click() {
    xdotool mousemove --window "$window" "$1" "$2" click --repeat 2 --delay 80 1
}

mkdir -p "$E2E_TMP/bin" "$E2E_TMP/target folder"
cat >"$E2E_TMP/bin/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$1" >>"$E2E_TMP/opened"
STUB
cat >"$E2E_TMP/bin/xdg-email" <<STUB
#!/bin/sh
printf '%s\n' "\$1" >>"$E2E_TMP/mailed"
STUB
chmod +x "$E2E_TMP/bin/xdg-open" "$E2E_TMP/bin/xdg-email"
export PATH="$E2E_TMP/bin:$PATH"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID

group_root="$(cli tree | awk '$2 == 22 { print $1; exit }')"
memos="$(cli new "$group_root" 3 Memos)"
links="$(cli new "$group_root" 5 Links)"
alpha="$(cli new "$memos" 15 Alpha)"
beta="$(cli new "$memos" 15 Beta)"
cli field "$alpha" 25140 "2030-01-02 08:00"
cli field "$beta" 25140 "@08:30:00"
fruit="$(cli new "$group_root" 1 Fruit)"
printf 'an Apple a day\n' | cli write "$fruit"
printf 'carrots\n' | cli write "$(cli new "$group_root" 1 Veg)"
garden="$(cli new "$group_root" 0 Garden)"
printf 'red\n' | cli write "$(cli new "$garden" 1 Rose)"
printf 'yellow\n' | cli write "$(cli new "$garden" 1 Tulip)"
# Export and Import get keys of their own.
printf '1190=Ctrl+Shift+E\n1180=Ctrl+Shift+I\n1200=Ctrl+Shift+M\n' >"$E2E_HOME/accel.txt"
cli option Program StartPage "$memos" >/dev/null
cli option MemoPage DefRemindTime 1 >/dev/null

e2e_start_display
openbox >/dev/null 2>&1 &
E2E_PIDS+=($!)
e2e_start_tray
e2e_start_quillbox "$QB"
window="$(e2e_main_window)" || e2e_fail "the main window did not appear"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
wait_title Memos || e2e_fail "the memo page is not shown: $(title)"
# The list starts under the tab bar.
LIST_TOP=74
e2e_screenshot "$SHOTS" report "$window"

# 1. Ctrl+I: a new reminder, due a minute from now (DefRemindTime 1); Enter saves it.
xdotool mousemove --window "$window" 200 "$(row_y 5)" click 1
# Early in a minute, so the reminder is deleted below before it falls due and pops up.
while [ "$((10#$(date +%S)))" -ge 35 ]; do sleep 1; done
before="$(date '+%Y-%m-%d %H:%M')"
xdotool key ctrl+i
box="$(wait_window 'New Reminder')" || e2e_fail "Ctrl+I opened no memo box"
e2e_screenshot "$SHOTS" memo-box "$box"
xdotool type --delay 30 "Call Bob"
xdotool key Return
wait_closed 'New Reminder' || e2e_fail "Enter did not close the memo box"
e2e_save
[ "$(items "$memos")" = "Alpha,Beta,Call Bob" ] || e2e_fail "the memo page holds $(items "$memos")"
call="$(item_id "$memos" 'Call Bob')"
due="$(cli field "$call" 25140)"
expected_early="$(date -d "$before 1 minute" '+%Y-%m-%d %H:%M')"
expected_late="$(date -d "$before 2 minutes" '+%Y-%m-%d %H:%M')"
[ "$due" = "$expected_early" ] || [ "$due" = "$expected_late" ] ||
    e2e_fail "the reminder is due at '$due', not a minute after $before"
[ "$(cli due --at "$due" | cut -f1)" = "$call" ] || e2e_fail "the reminder is not due at $due: $(cli due --at "$due")"

# 2. A double-click on Alpha edits it; Next (Alt+X) saves and shows Beta, which is renamed;
#    Previous (Alt+P) goes back to Alpha.
double_click $ROW_X "$(row_y 1)"
box="$(wait_window 'Edit Reminder')" || e2e_fail "a double-click on a row opened no edit box"
xdotool key alt+x
sleep 0.4
xdotool key ctrl+a
xdotool type --delay 30 "Beta two"
xdotool key alt+p
sleep 0.4
xdotool key ctrl+a
xdotool type --delay 30 "Alpha one"
xdotool key Return
wait_closed 'Edit Reminder' || e2e_fail "Enter did not close the edit box"
e2e_save
[ "$(items "$memos")" = "Alpha one,Beta two,Call Bob" ] ||
    e2e_fail "next and previous gave $(items "$memos")"

# 3. Two clicks on the Title header sort descending: Call Bob comes first and Delete takes it.
xdotool mousemove --window "$window" $ROW_X $((LIST_TOP + 8)) click 1
sleep 0.3
xdotool click 1
sleep 0.3
e2e_screenshot "$SHOTS" sorted "$window"
xdotool mousemove --window "$window" $ROW_X "$(row_y 1)" click 1
sleep 0.2
xdotool key Delete
question="$(wait_window Prompt)" || e2e_fail "Delete did not ask"
xdotool key Return
wait_closed Prompt || e2e_fail "the question stayed open"
e2e_save
[ "$(items "$memos")" = "Alpha one,Beta two" ] || e2e_fail "sorting and Delete left $(items "$memos")"

# 4. The link page: a double-click on the empty list makes a link; the type list's Down picks
#    Folder; Enter saves it.
xdotool key ctrl+t
sleep 0.5
xdotool key ctrl+Tab Down
wait_title Links || e2e_fail "the tree did not reach the link page: $(title)"
xdotool key ctrl+t
sleep 0.5
double_click 200 "$(row_y 4)"
box="$(wait_window 'New Link')" || e2e_fail "a double-click on the empty list opened no link box"
xdotool type --delay 30 "Target"
xdotool key Tab Down Tab
xdotool type --delay 20 "$E2E_TMP/target folder"
e2e_screenshot "$SHOTS" link-box "$box"
xdotool key Return
wait_closed 'New Link' || e2e_fail "Enter did not close the link box"
e2e_save
target="$(item_id "$links" Target)"
[ -n "$target" ] || e2e_fail "no link was made: $(items "$links")"
[ "$(cli field "$target" 25200)" = "$E2E_TMP/target folder" ] || e2e_fail "the link is $(cli field "$target" 25200)"
[ "$(cli field "$target" 25205)" = Folder ] || e2e_fail "the link's kind is $(cli field "$target" 25205)"

# 5. A double-click on the link opens the folder through the desktop's opener.
double_click $ROW_X "$(row_y 1)"
for _ in $(seq 50); do
    [ -s "$E2E_TMP/opened" ] && break
    sleep 0.1
done
grep -q "target" "$E2E_TMP/opened" 2>/dev/null || e2e_fail "the folder was not opened"
[ -z "$(xdotool search --onlyvisible --name '^Edit Link$' 2>/dev/null)" ] ||
    e2e_fail "the link's edit box opened instead of the link"

# 6. The property box (the toolbar's Property button) renames the page and locks it.
property_box() {
    xdotool mousemove --window "$window" $PROPERTY_X $PROPERTY_Y click 1
    wait_window Property
}
box="$(property_box)" || e2e_fail "the Property button opened no property box"
e2e_screenshot "$SHOTS" property-general "$box"
xdotool type --delay 30 "Web Links"
xdotool key Tab Down Return
wait_closed Property || e2e_fail "Enter did not close the property box"
wait_title "Web Links" || e2e_fail "the property box did not rename the page: $(title)"
e2e_save
[ "$(cli tree | awk -F'\t' -v id="$links" '{ sub(/^ */, "", $1) } $1 == id { print $3 ":" $4 }')" = "1:Web Links" ] ||
    e2e_fail "the link page is not renamed and locked"

# 7. The view styles through the property box's List panel; in the abstract view a
#    double-click on the entry opens the link too.
view_style() {
    local box
    box="$(property_box)" || e2e_fail "the Property button opened no property box"
    xdotool key ctrl+Tab Home
    for _ in $(seq "$1"); do xdotool key Down; done
    [ "$1" = 4 ] && e2e_screenshot "$SHOTS" property-list "$box"
    xdotool key Return
    wait_closed Property || e2e_fail "Enter did not close the property box"
    sleep 0.5
}
names=(big-icons small-icons list report abstract)
for style in 0 1 2 4; do
    view_style $style
    e2e_screenshot "$SHOTS" "view-${names[$style]}" "$window"
done
opened="$(wc -l <"$E2E_TMP/opened")"
double_click $ROW_X $((LIST_TOP + 10))
for _ in $(seq 50); do
    [ "$(wc -l <"$E2E_TMP/opened")" -gt "$opened" ] && break
    sleep 0.1
done
[ "$(wc -l <"$E2E_TMP/opened")" -gt "$opened" ] || e2e_fail "a double-click in the abstract view opened nothing"
# F2 edits the entry's title in place.
xdotool key F2
sleep 0.3
xdotool type --delay 30 "Home folder"
xdotool key Return
e2e_save
[ -n "$(item_id "$links" 'Home folder')" ] || e2e_fail "F2 in the abstract view did not rename: $(items "$links")"
view_style 3
e2e_screenshot "$SHOTS" view-report-again "$window"

# 8. Search (Ctrl+Shift+F) for a word in the notes' text, without match case: the search page
#    lists the note holding it, and a double-click on its row opens it.
xdotool key ctrl+shift+f
box="$(wait_window Search)" || e2e_fail "Ctrl+Shift+F opened no search box"
xdotool type --delay 30 "apple"
e2e_screenshot "$SHOTS" search-box "$box"
xdotool key Return
wait_title Search || e2e_fail "the search page is not shown: $(title)"
e2e_screenshot "$SHOTS" search-results "$window"
double_click $ROW_X "$(row_y 1)"
wait_title Fruit || e2e_fail "the first search result is not Fruit: $(title)"

# 9. Export the group Garden to a folder of text files; import a folder of many text files back
#    into it, with the progress window shown while it runs.
xdotool key ctrl+t
sleep 0.5
xdotool key ctrl+Tab Down Down
wait_title Garden || e2e_fail "the tree did not reach Garden: $(title)"
xdotool key ctrl+t
sleep 0.3
xdotool key ctrl+shift+e
box="$(wait_window Export)" || e2e_fail "Ctrl+Shift+E opened no export dialog"
e2e_screenshot "$SHOTS" export-dialog "$box"
xdotool key Return
chooser="$(wait_window 'Select Folder')" || e2e_fail "no folder chooser"
mkdir -p "$E2E_TMP/exported"
xdotool type --delay 20 "$E2E_TMP/exported"
xdotool key Return
wait_closed 'Select Folder' || e2e_fail "the folder chooser stayed open"
sleep 0.5
text_of() { iconv -f UTF-16 -t UTF-8 "$1" 2>/dev/null | tr -d '\r'; }
[ "$(text_of "$E2E_TMP/exported/Rose.txt")" = red ] || e2e_fail "Rose was not exported: $(ls "$E2E_TMP/exported")"
[ "$(text_of "$E2E_TMP/exported/Tulip.txt")" = yellow ] || e2e_fail "Tulip was not exported"

cp -r "$E2E_TMP/exported" "$E2E_TMP/Seeds"
for i in $(seq 1 3000); do printf 'seed %s\n' "$i" >"$E2E_TMP/Seeds/seed$i.txt"; done
xdotool key ctrl+shift+i
box="$(wait_window Import)" || e2e_fail "Ctrl+Shift+I opened no import dialog"
xdotool key Down
e2e_screenshot "$SHOTS" import-dialog "$box"
xdotool key Return
chooser="$(wait_window 'Select Folder')" || e2e_fail "no folder chooser for the import"
xdotool type --delay 20 "$E2E_TMP/Seeds"
shown_before="$(xdotool search --onlyvisible --pid "$QB_PID" '' 2>/dev/null | sort)"
xdotool key Return
# The progress window: a new window of the program while the import runs.
progress=""
for _ in $(seq 200); do
    progress="$(comm -13 <(echo "$shown_before") \
        <(xdotool search --onlyvisible --pid "$QB_PID" '' 2>/dev/null | sort) | head -n1)"
    [ -n "$progress" ] && break
    sleep 0.05
done
[ -n "$progress" ] || e2e_fail "no progress window was shown"
e2e_screenshot "$SHOTS" import-progress "$progress"
wait_title Seeds || e2e_fail "the imported folder is not the active page: $(title)"
for _ in $(seq 100); do
    [ -z "$(xdotool search --onlyvisible --pid "$QB_PID" '' 2>/dev/null | grep -x "$progress")" ] && break
    sleep 0.1
done
[ -z "$(xdotool search --onlyvisible --pid "$QB_PID" '' 2>/dev/null | grep -x "$progress")" ] ||
    e2e_fail "the progress window stayed open"
e2e_save
seeds="$(cli find 'Root\Garden\Seeds')"
[ -n "$seeds" ] || e2e_fail "the folder was not imported into Garden"
[ "$(cli show "$(cli find 'Root\Garden\Seeds\Rose')")" = red ] || e2e_fail "Rose did not come back"
[ "$(cli show "$(cli find 'Root\Garden\Seeds\seed3000')")" = "seed 3000" ] || e2e_fail "seed3000 was not imported"

# 10. Send Mail hands the page's text to the desktop's mail program.
xdotool key ctrl+t
sleep 0.5
xdotool key ctrl+Tab Right Right
wait_title Rose || e2e_fail "the tree did not reach Rose: $(title)"
xdotool key ctrl+shift+m
for _ in $(seq 50); do
    [ -s "$E2E_TMP/mailed" ] && break
    sleep 0.1
done
[ "$(cat "$E2E_TMP/mailed" 2>/dev/null)" = 'mailto:?subject=Rose&body=red%0D%0A' ] ||
    e2e_fail "Send Mail gave '$(cat "$E2E_TMP/mailed" 2>/dev/null)'"

# 11. New MemoPage and New LinkPage from the File menu's submenu of new pages (beside the
#     active note), named in place in the tree.
new_page() {
    xdotool key alt+f
    sleep 0.4
    xdotool key Down Right
    sleep 0.3
    xdotool key "$1"
    sleep 0.6
    xdotool type --delay 30 "$2"
    xdotool key Return
    wait_title "$2" || e2e_fail "the new page $2 is not shown: $(title)"
}
new_page m Reminders
new_page l Bookmarks
e2e_save
[ "$(cli tree | awk -F'\t' '$4 == "Reminders" { print $2 }')" = 3 ] || e2e_fail "no memo page Reminders"
[ "$(cli tree | awk -F'\t' '$4 == "Bookmarks" { print $2 }')" = 5 ] || e2e_fail "no link page Bookmarks"

echo "test_lists: ok"
