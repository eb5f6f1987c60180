# bash completion for qrv-cli: its commands, each command's options, the values of options
# that take one from a list, and file and folder names where an option or operand names a
# file (FILE) or a folder (DIR). Everything is read from the help of the qrv-cli being
# completed, so that the completion always knows the options that program has.

# The help of "$1 $2" (the program and, when given, a command).
_qrv_cli_help()
{
    "$1" ${2:+"$2"} --help 2>/dev/null
}

# The option lines of a help as "NAME VALUE", without VALUE for an option that takes none:
# what stands before the two blanks that open the description.
_qrv_cli_options()
{
    awk '/^  -/ { s = substr($0, 3); i = index(s, "  "); if (i) s = substr(s, 1, i - 1); print s }' <<<"$1"
}

_qrv_cli()
{
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        local commands
        commands=$(_qrv_cli_help "$program" | awk '/^Commands:/ { on = 1; next } on && /^$/ { exit } on && /^  [^ ]/ { print $1 }')
        COMPREPLY=($(compgen -W "$commands help --help --version" -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}
    [[ $command == help ]] && return
    local help
    help=$(_qrv_cli_help "$program" "$command") || return

    # The value of the option before the word: what the option's line names it.
    local value
    value=$(_qrv_cli_options "$help" | awk -v option="$prev" '$1 == option { print $2; exit }')
    if [[ -n $value ]]; then
        case $value in
        FILE) compopt -o filenames; COMPREPLY=($(compgen -f -- "$cur")) ;;
        DIR) compopt -o filenames; COMPREPLY=($(compgen -d -- "$cur")) ;;
        *)
            # A list of values stands under the option's line, two columns further in.
            local choices
            choices=$(awk -v option="$prev" '
                /^  -/ { on = ($1 == option); next }
                on && /^                            [^ ]/ { print $1 }' <<<"$help")
            if [[ $value == *=* ]]; then
                compopt -o nospace
                choices=$(sed 's/$/=/' <<<"$choices")
            fi
            COMPREPLY=($(compgen -W "$choices" -- "$cur"))
            ;;
        esac
        return
    fi

    if [[ $cur == -* ]]; then
        local options
        options=$(_qrv_cli_options "$help" | tr -d , | awk '{ for (i = 1; i <= NF && $i ~ /^-/; i++) print $i }')
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif grep -q '^  FILE ' <<<"$help"; then
        compopt -o filenames
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}

complete -F _qrv_cli qrv-cli
