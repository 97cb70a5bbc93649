#!/usr/bin/env bash
# Start-up time of the desktop program on a notebook of 100,000 pages: from the start of the
# process to the first paint of its main window (the program reports it when
# QUILLBOX_REPORT_SHOWN is set), best and median of five starts under a display of its own,
# with the tab bar and with the tree shown (the open page's group of 1,000 notes expanded);
# then the CPU the program uses while idle, from /proc over five seconds, and the time from
# SIGTERM to the end of the process (its exit save) with the files it wrote.
# Usage: bench/startup.sh QUILLBOX QUILLBOX_CLI [PAGES]

QB="$1"
CLI="$2"
PAGES="${3:-100000}"
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/e2e_lib.sh"

echo "building a notebook of $PAGES pages..."
mkdir -p "$E2E_TMP/notes"
# In groups of 1,000 notes, as a real notebook has them.
awk -v dir="$E2E_TMP/notes" -v n="$PAGES" 'BEGIN {
    for (i = 0; i < n; i++) {
        d = dir "/group" int(i / 1000)
        if (i % 1000 == 0) system("mkdir -p " d)
        f = d "/note" i ".txt"
        print "Note " i > f
        close(f)
    }
}'
group_root="$("$CLI" --home "$E2E_HOME" tree | awk '$2 == 22 { print $1; exit }')"
"$CLI" --home "$E2E_HOME" import "$group_root" "$E2E_TMP/notes" >/dev/null
rm -rf "$E2E_TMP/notes"
count="$("$CLI" --home "$E2E_HOME" tree | wc -l)"
echo "notebook: $count pages, index $(stat -c %s "$E2E_HOME/data/quillbox.idx") bytes"

e2e_start_display
# The open page: the last note of the last group, so that the tree opens a group of 1,000.
last="$("$CLI" --home "$E2E_HOME" tree | awk '$2 == 1 { id = $1 } END { print id }')"
"$CLI" --home "$E2E_HOME" option Memory PageId "$last" >/dev/null

# time_starts LABEL: five starts; the idle CPU is measured in the last one.
time_starts() {
    local times=() exits=() run start shown stop
    for run in 1 2 3 4 5; do
        rm -f "$E2E_TMP/quillbox.err"  # not the last run's report
        start="$(date +%s.%N)"
        e2e_start_quillbox "$QB"
        for _ in $(seq 300); do
            grep -qs '^quillbox: shown ' "$E2E_TMP/quillbox.err" && break
            sleep 0.01
        done
        shown="$(sed -n 's/^quillbox: shown //p' "$E2E_TMP/quillbox.err")"
        [ -n "$shown" ] || e2e_fail "the window was not shown"
        times+=("$(echo "$shown - $start" | bc -l)")
        if [ "$run" = 5 ]; then
            sleep 1
            hz="$(getconf CLK_TCK)"
            ticks() { awk '{ print $14 + $15 }' "/proc/$QB_PID/stat"; }
            before="$(ticks)"
            sleep 5
            after="$(ticks)"
            idle="$(echo "($after - $before) * 100 / ($hz * 5)" | bc -l)"
            rss="$(awk '/VmRSS/ { print $2 }' "/proc/$QB_PID/status")"
        fi
        touch "$E2E_TMP/before-exit"
        stop="$(date +%s.%N)"
        kill -TERM "$QB_PID"
        for _ in $(seq 6000); do
            kill -0 "$QB_PID" 2>/dev/null || break
            sleep 0.005
        done
        exits+=("$(echo "$(date +%s.%N) - $stop" | bc -l)")
        e2e_wait_exit "$QB_PID" 60 || e2e_fail "the program did not end"
        written="$(find "$E2E_HOME" -type f -newer "$E2E_TMP/before-exit" -printf '%P ' | sort)"
    done
    sorted="$(printf '%s\n' "${times[@]}" | sort -n)"
    printf '%s: start to shown window: best %.3f s, median %.3f s (runs: %s)\n' "$1" \
        "$(echo "$sorted" | head -n1)" "$(echo "$sorted" | sed -n 3p)" "$(echo "${times[*]}")"
    printf '%s: idle CPU over 5 s: %.2f %%; resident memory %s KiB\n' "$1" "$idle" "$rss"
    printf '%s: SIGTERM to exit: median %.3f s; files written by the exit: %s\n' "$1" \
        "$(printf '%s\n' "${exits[@]}" | sort -n | sed -n 3p)" "${written:-none}"
}

"$CLI" --home "$E2E_HOME" option Option ShowTree 0 >/dev/null
time_starts "tab bar"
"$CLI" --home "$E2E_HOME" option Option ShowTree 1 >/dev/null
time_starts "tree shown"
