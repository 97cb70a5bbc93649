#!/usr/bin/env bash
# The cost of the tray features while nothing happens: the desktop program in the tray with
# 10,000 reminders (none due in the run), the popup, clipboard and tip-query hotkeys set and the
# clipboard watched; the CPU it uses over two minutes and a few seconds (each with one
# reminder check on the minute), and its resident memory.
# Usage: bench/tray_idle.sh QUILLBOX QUILLBOX_CLI [REMINDERS]

QB="$1"
CLI="$2"
COUNT="${3:-10000}"
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/e2e_lib.sh"

cli() { "$CLI" --home "$E2E_HOME" "$@" >/dev/null; }
group_root="$("$CLI" --home "$E2E_HOME" tree | awk '$2 == 22 { print $1; exit }')"
# Half of them daily, spread over the hour twelve hours from now, half once in a year far
# ahead: each check reads every rule and none fires during the run.
hour="$(( ($(date +%-H) + 12) % 24 ))"
awk -v n="$COUNT" -v hour="$hour" 'BEGIN {
    for (i = 0; i < n; i++) {
        if (i % 2) time = sprintf("@%02d:%02d:00", hour, i % 60)
        else time = sprintf("2099-%02d-%02d %02d:%02d", i % 12 + 1, i % 28 + 1, i % 24, i % 60)
        printf "Reminder %d\t0\t\t0\t%s\t0\tnothing\t0\t\t0\t0\t\n", i, time
    }
}' | e2e_import_items "$CLI" "$group_root" 3 Reminders
cli option Template TemplateHotKey $(((6 << 8) | 84))
cli option Clipboard ClipboardHotKey $(((6 << 8) | 86))
cli option DictPage TipQueryHotKey $(((6 << 8) | 68))
cli option Option WatchClipboard 1
echo "notebook: $("$CLI" --home "$E2E_HOME" tree | wc -l) pages"

e2e_start_display
e2e_start_quillbox "$QB" -m
sleep 3
hz="$(getconf CLK_TCK)"
ticks() { awk '{ print $14 + $15 }' "/proc/$QB_PID/stat"; }
# The first minute includes the first check, which loads every reminder; the second is the
# steady state.
for minute in first second; do
    before="$(ticks)"
    sleep 65
    after="$(ticks)"
    idle="$(echo "($after - $before) * 100 / ($hz * 65)" | bc -l)"
    printf 'idle CPU over the %s 65 s with %s reminders: %.2f %% (%s clock ticks)\n' \
        "$minute" "$COUNT" "$idle" "$((after - before))"
done
echo "resident memory $(awk '/VmRSS/ { print $2 }' "/proc/$QB_PID/status") KiB"
kill -TERM "$QB_PID"
e2e_wait_exit "$QB_PID" 30 || e2e_fail "the program did not end"
