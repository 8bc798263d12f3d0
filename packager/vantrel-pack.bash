# bash completion for vantrel-pack: commands, each command's options, file
# names, and for extract the record names of the installer given.
_vantrel_pack()
{
    local cur prev words cword
    _init_completion -n = || return

    local commands="build check list verify extract append strip"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local command=${words[1]} options="-q --quiet -v --verbose -h --help"
    case $command in
    build) options+=" -o --output= --stub= --script= --beside= --strict --keep-encoding --store" ;;
    check) options+=" --beside= --strict --keep-encoding" ;;
    verify) options+=" --beside= --strict" ;;
    extract) options+=" -o --output=" ;;
    list | append | strip) ;;
    *) return ;;
    esac

    case $prev in
    -o | --output | --stub | --script | --beside)
        _filedir
        return
        ;;
    esac
    if [[ $cur == --*=* ]]; then
        # The value of --name=value: a file name.
        local option=${cur%%=*}
        cur=${cur#*=}
        _filedir
        COMPREPLY=("${COMPREPLY[@]/#/$option=}")
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        [[ ${COMPREPLY[0]-} == *= ]] && compopt -o nospace
        return
    fi

    # The operands so far, options and their values left out.
    local i operands=0 installer=
    for ((i = 2; i < cword; i++)); do
        case ${words[i]} in
        -o | --output | --stub | --script | --beside) ((i++)) ;;
        -*) ;;
        *)
            ((operands++))
            [[ $operands -eq 1 ]] && installer=${words[i]}
            ;;
        esac
    done
    case $command:$operands in
    list:0 | verify:0 | extract:0 | append:0 | strip:0) _filedir exe ;;
    extract:1)
        # Record names, read from the installer itself (a compressed one's
        # without its prefix, as extract takes it); not the checksum
        # record's, whose backslash the shell would take.
        local names
        names=$(vantrel-pack list "$installer" 2>/dev/null |
            awk '$1 ~ /^[0-9]+$/ && $2 ~ /^[0-9]+$/ && $3 ~ /^[0-9]+$/ {
                     name = $4; sub(/^vantrel\\lzma\\/, "", name); if (name !~ /\\/) print name }')
        COMPREPLY=($(compgen -W "$names" -- "$cur"))
        ;;
    check:0) _filedir ini ;;
    *) _filedir ;;
    esac
}
complete -F _vantrel_pack vantrel-pack
