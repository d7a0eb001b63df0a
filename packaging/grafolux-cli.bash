# bash completion for grafolux-cli: commands, their options, the view and table kinds, files.

_grafolux_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W 'dump table cells find retune merge correct gif export histogram --help --version' -- "$cur")
        return
    fi

    # The options that take a value, and the kinds the first word names.
    local command=${COMP_WORDS[1]} options kinds=''
    case $command in
        correct) options='' ;;
        dump) options='--define' ;;
        table) options='--include --versus --first --last --show --min-count --where --format --define --partial' kinds='blm int' ;;
        cells) options='--row --column --first --last --where --define' kinds='blm int' ;;
        find) options='--when --define --first --last' ;;
        retune) options='--map --include --first --last --factor --where --cells --min-weight --max-change --show --format --define --partial' ;;
        merge) options='--show --min-count --min-weight --max-change --format --partial' ;;
        gif) options='--transparent' ;;
        export) options='--item --lock --fill --zoom --size --first --last --define --versus --offset --x --y --colour --where --include' kinds='graph blm int scatter' ;;
        histogram) options='--bins --first --last --where --define --include --format' ;;
        *) return ;;
    esac

    # After an option comes its value, which is a file only for --include, --versus, --map and
    # --partial; some have a fixed set.
    case $command$prev in
        retune--show) mapfile -t COMPREPLY < <(compgen -W 'map change weight factor' -- "$cur") ;;
        merge--show) mapfile -t COMPREPLY < <(compgen -W 'mean count min max sd map change weight factor' -- "$cur") ;;
        *--show) mapfile -t COMPREPLY < <(compgen -W 'mean count min max sd' -- "$cur") ;;
        *--format) mapfile -t COMPREPLY < <(compgen -W 'text csv' -- "$cur") ;;
        *--cells) mapfile -t COMPREPLY < <(compgen -W 'bilinear nearest' -- "$cur") ;;
        *--include | *--versus | *--map | *--partial)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            ;;
    esac
    [[ " $options " == *" $prev "* ]] && return
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options --help --no-cache" -- "$cur")
        return
    fi

    # The kind is the first word that is neither an option nor an option's value.
    local i words=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        if [[ " $options " == *" ${COMP_WORDS[i]} "* ]]; then ((++i)); else ((++words)); fi
    done
    if [[ -n $kinds ]] && ((words == 0)); then
        mapfile -t COMPREPLY < <(compgen -W "$kinds" -- "$cur")
        return
    fi
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -F _grafolux_cli grafolux-cli
