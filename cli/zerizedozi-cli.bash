# SPDX-License-Identifier: GPL-3.0-or-later
# Bash completion for zerizedozi-cli: commands, their options, and file names
# where a file is wanted (.vcf, .csv, .ics and the list's .xml).
_zerizedozi_cli() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD-1]}
    local commands="upcoming notify export-ics import-vcf export-csv import-csv add-holidays sync --help --version"

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$current")
        return
    fi

    local pattern
    case $previous in
        --file) pattern='*.[xX][mM][lL]' ;;
        -o) [[ ${COMP_WORDS[1]} == export-ics ]] && pattern='*.ics' || pattern='*.csv' ;;
        --days | --alarm | --setup | --user | --password-command) return ;;
    esac
    if [[ -z $pattern && $current != -* ]]; then
        case ${COMP_WORDS[1]} in
            import-vcf) pattern='*.[vV][cC][fF]' ;;
            import-csv) pattern='*.[cC][sS][vV]' ;;
        esac
    fi
    if [[ -n $pattern ]]; then
        compopt -o filenames 2>/dev/null
        local IFS=$'\n'
        mapfile -t COMPREPLY < <(compgen -d -- "$current"; compgen -f -X "!$pattern" -- "$current")
        return
    fi

    local options
    case ${COMP_WORDS[1]} in
        upcoming | notify) options="--days --file" ;;
        export-ics) options="-o --file --alarm" ;;
        export-csv) options="-o --file" ;;
        import-vcf | import-csv | add-holidays) options="--file" ;;
        sync) options="--force --file --setup --user --password-command --alarm" ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$options --help" -- "$current")
}
complete -F _zerizedozi_cli zerizedozi-cli
