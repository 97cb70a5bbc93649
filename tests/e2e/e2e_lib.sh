# Shared by the end-to-end scripts: a display of their own, a tray host, the program with a
# notebook in a temporary folder, and the clean-up of everything they started (by pid).
# Usage: source it, then e2e_start_display; e2e_start_tray; e2e_start_quillbox ...

set -euo pipefail

E2E_PIDS=()
E2E_TMP="$(mktemp -d /tmp/qb-e2e-XXXXXX)"
E2E_HOME="$E2E_TMP/home"
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$E2E_HOME"

e2e_cleanup() {
    local pid
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid="${E2E_PIDS[$i]}"
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${E2E_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -f "$E2E_TMP/quillbox.err" ]; then
        echo "--- quillbox stderr:" >&2
        cat "$E2E_TMP/quillbox.err" >&2
    fi
    exit 1
}

# e2e_start_display [WIDTHxHEIGHT]: Xvfb (1024x768 unless given) on a display number it picks
# itself; exports DISPLAY.
e2e_start_display() {
    local fifo="$E2E_TMP/displayfd"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    local number
    read -r -t 20 number <"$fifo" || e2e_fail "Xvfb did not start"
    export DISPLAY=":$number"
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
}

e2e_start_tray() {
    trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
        >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    sleep 0.5
}

# e2e_start_quillbox QUILLBOX [ARGS...]: starts the program on the temporary notebook;
# QB_PID is its pid.
e2e_start_quillbox() {
    local program="$1"
    shift
    QUILLBOX_REPORT_SHOWN=1 "$program" --home "$E2E_HOME" "$@" \
        >"$E2E_TMP/quillbox.out" 2>"$E2E_TMP/quillbox.err" &
    QB_PID=$!
    E2E_PIDS+=($QB_PID)
}

# The visible top-level windows of the program that are larger than its tray icon.
e2e_visible_windows() {
    local id width
    for id in $(xdotool search --onlyvisible --pid "$QB_PID" --name 'quillbox' 2>/dev/null); do
        width="$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')"
        [ "${width:-0}" -gt 60 ] && echo "$id"
    done
    return 0
}

# e2e_first_output TRIES COMMAND...: the first line COMMAND prints, trying every 0.1 s.
e2e_first_output() {
    local tries="$1" out
    shift
    for _ in $(seq "$tries"); do
        out="$("$@" 2>/dev/null | head -n1 || true)"
        if [ -n "$out" ]; then
            echo "$out"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The program's main window, waiting up to 15 s.
e2e_main_window() {
    e2e_first_output 150 e2e_visible_windows
}

# Waits until the program shows no window but its tray icon.
e2e_wait_hidden() {
    for _ in $(seq 100); do
        [ -z "$(e2e_visible_windows)" ] && return 0
        sleep 0.1
    done
    return 1
}

# e2e_wait_exit PID SECONDS: true when the process ended in time; its status in E2E_STATUS.
e2e_wait_exit() {
    local pid="$1" seconds="$2"
    for _ in $(seq $((seconds * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            E2E_STATUS=0
            wait "$pid" || E2E_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# e2e_screenshot DIR NAME [WINDOW]: a PNG of the whole screen or of one window.
e2e_screenshot() {
    local dir="$1" name="$2" window="${3:-root}"
    mkdir -p "$dir"
    import -window "$window" "$dir/$name.png" 2>/dev/null || echo "note: no screenshot $name" >&2
}

# A private session bus (dbus-daemon) for the rest of the test; exports its address.
e2e_start_session_bus() {
    local fifo="$E2E_TMP/busfd"
    mkfifo "$fifo"
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$fifo" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    local address
    read -r -t 20 address <"$fifo" || e2e_fail "dbus-daemon did not start"
    export DBUS_SESSION_BUS_ADDRESS="$address"
}

# e2e_start_echo ECHO OUTFILE [ARGS...]: the tests' own text window (tests/tools), whose text
# is written to OUTFILE; ECHO_WINDOW is its window, focused.
e2e_start_echo() {
    local program="$1" out="$2"
    shift 2
    "$program" "$out" "$@" >/dev/null 2>"$E2E_TMP/echo.err" &
    local pid=$!
    E2E_PIDS+=($pid)
    ECHO_WINDOW="$(e2e_first_output 150 xdotool search --all --onlyvisible --pid "$pid" \
        --name '^qb echo$')" || true
    [ -n "$ECHO_WINDOW" ] || e2e_fail "the echo window did not appear: $(cat "$E2E_TMP/echo.err")"
    xdotool windowfocus --sync "$ECHO_WINDOW"
}

# e2e_wait_window NAME SECONDS: the first visible window of the program whose name matches,
# waiting up to SECONDS.
e2e_wait_window() {
    e2e_first_output $(($2 * 10 + 1)) xdotool search --all --onlyvisible --pid "$QB_PID" --name "$1"
}

# e2e_wait_window_gone NAME SECONDS: true once no visible window of the program matches.
e2e_wait_window_gone() {
    for _ in $(seq $(($2 * 10))); do
        xdotool search --all --onlyvisible --pid "$QB_PID" --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Ends the program with SIGTERM, as a session's end does, and requires a clean exit.
e2e_stop_quillbox() {
    kill -TERM "$QB_PID"
    e2e_wait_exit "$QB_PID" 10 || e2e_fail "SIGTERM did not end the program"
    [ "$E2E_STATUS" = 0 ] || e2e_fail "the program ended with $E2E_STATUS"
}

# e2e_wait_file_text FILE TEXT SECONDS: true once FILE holds TEXT.
e2e_wait_file_text() {
    for _ in $(seq $(($3 * 10))); do
        grep -qF -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# The items of one list page written as a ".qbx" file and imported into the group GROUP, each
# line of standard input one item (its entries joined by TAB, as the export writes them).
# e2e_import_items CLI_HOME GROUP TYPE NAME
e2e_import_items() {
    local cli="$1" group="$2" type="$3" name="$4" file="$E2E_TMP/$4.qbx"
    { printf '3.2b3\r\n%s\r\n' "$type"; sed 's/$/\r/'; } | iconv -f UTF-8 -t UTF-16 >"$file"
    "$cli" --home "$E2E_HOME" import "$group" "$file" >/dev/null
}

# e2e_ctrl_alt_hotkey CLI SECTION KEY LETTER: sets the hotkey option to Ctrl+Alt+LETTER (the
# hotkey word: control 2 + alt 4 in the high byte, the capital letter's key code below).
e2e_ctrl_alt_hotkey() {
    "$1" --home "$E2E_HOME" option "$2" "$3" $(((6 << 8) | $(printf '%d' "'$4"))) >/dev/null
}

# e2e_test_dictionary CLI: the selected dictionary dict/test.dic, in which "quill" is "a
# feather pen".
e2e_test_dictionary() {
    mkdir -p "$E2E_HOME/dict"
    printf '@Test\r\nquill\ta feather pen' | iconv -f UTF-8 -t UTF-16LE |
        { printf '\xff\xfe'; cat; } >"$E2E_HOME/dict/test.dic"
    "$1" --home "$E2E_HOME" option DictPage SelDictList test.dic >/dev/null
}

# e2e_until TRIES COMMAND...: true once COMMAND succeeds, trying every 0.1 s.
e2e_until() {
    local tries="$1"
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Saves the active page (Ctrl+S) and gives the save a moment.
e2e_save() {
    xdotool key ctrl+s
    sleep 0.5
}

e2e_title_is() { [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2 - quillbox" ]; }

# e2e_wait_title WINDOW NAME: true once the window's title is "NAME - quillbox" (up to 5 s).
e2e_wait_title() { e2e_until 50 e2e_title_is "$1" "$2"; }
