# bash completion for quillbox-cli: the commands come from the program's own --help, so that
# they never fall behind it.
_quillbox_cli() {
    local cur prev
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev="${COMP_WORDS[COMP_CWORD-1]}"
    if [[ "$prev" == --home ]]; then
        COMPREPLY=($(compgen -d -- "$cur"))
        return
    fi
    local i command=""
    for ((i = 1; i < COMP_CWORD; i++)); do
        case "${COMP_WORDS[i]}" in
            --home) ((i++)) ;;
            -*) ;;
            *) command="${COMP_WORDS[i]}"; break ;;
        esac
    done
    if [[ -z "$command" ]]; then
        if [[ "$cur" == -* ]]; then
            COMPREPLY=($(compgen -W "--home --help --version" -- "$cur"))
        else
            local commands
            commands="$("${COMP_WORDS[0]}" --help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p')"
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi
    # Files for the commands that take a path; nothing guessed for the others.
    case "$command" in
        export|import) COMPREPLY=($(compgen -f -- "$cur")) ;;
    esac
}
complete -F _quillbox_cli quillbox-cli
