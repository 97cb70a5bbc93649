#!/usr/bin/env bash
# A quillbox-cli write on a notebook of 100,000 pages, once with the notebook free and once
# carried out by the desktop program that holds it (on Qt's offscreen platform): best and
# median of five writes each. Target: the handed-over write within 1.5 times the free one.
# Usage: bench/cli_remote.sh QUILLBOX QUILLBOX_CLI [PAGES]

QB="$1"
CLI="$2"
PAGES="${3:-100000}"
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/e2e_lib.sh"
cli() { "$CLI" --home "$E2E_HOME" "$@"; }

echo "building a notebook of $PAGES pages..."
notes="$E2E_TMP/notes"
for g in $(seq 0 $(((PAGES - 1) / 1000))); do mkdir -p "$notes/g$g"; done
seq 0 $((PAGES - 1)) | awk -v dir="$notes" '{ f = dir "/g" int($1 / 1000) "/n" $1 ".txt"
    print "Note " $1 > f; close(f) }'
cli import 7 "$notes" >/dev/null
rm -rf "$notes"
target="$(cli tree | awk '$2 == 1 { id = $1 } END { print id }')"
echo "notebook: index $(stat -c %s "$E2E_HOME/data/quillbox.idx") bytes, data $(stat -c %s "$E2E_HOME/data/quillbox.dat") bytes"

# time_writes LABEL: five writes of page $target; BEST and MEDIAN in seconds.
time_writes() {
    local times=() start end
    for run in 1 2 3 4 5; do
        start="$(date +%s.%N)"
        printf 'text %s %s' "$1" "$run" | cli write "$target" || e2e_fail "$1 write failed"
        end="$(date +%s.%N)"
        times+=("$(echo "$end - $start" | bc -l)")
    done
    read -r BEST MEDIAN < <(printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 }
        END { print t[1], t[3] }')
    printf '%s write: best %.3f s, median %.3f s\n' "$1" "$BEST" "$MEDIAN"
}

time_writes free
free_median="$MEDIAN"

QT_QPA_PLATFORM=offscreen e2e_start_quillbox "$QB"
for _ in $(seq 300); do
    grep -qs "^$QB_PID quillbox$" "$E2E_HOME/data/quillbox.lock" && break
    sleep 0.1
done
grep -qs "^$QB_PID quillbox$" "$E2E_HOME/data/quillbox.lock" || e2e_fail "the program holds no lock"
sleep 1  # its start-up done
time_writes handed-over
ratio="$(echo "$MEDIAN / $free_median" | bc -l)"
printf 'handed-over / free (medians): %.2f (target at most 1.5)\n' "$ratio"
e2e_stop_quillbox
[ "$(cli show "$target")" = "text handed-over 5" ] || e2e_fail "the last write was lost"
