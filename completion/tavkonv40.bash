# bash completion for tavkonv40                                   -*- shell-script -*-
# Installed as bash-completion/completions/tavkonv40. The family lists mirror
# 'tavkonv40 catalogue' (a test keeps them equal).

# Families (label and caption) that exist as 4.0 and 4.0L, and those that exist only as 4.0.
_tavkonv40_families_40L="Button QVButton Balloons QVCaption Calendar QVCalendar ComboBox QVCombo ComboPlus QVComboPlus DatePicker QVDatePicker Frame QVFrame Image QVImage ImageList QVImageList Label QVLabel LEDDisplay QVLED List QVList ListView QVListView MaskEdit QVMaskEdit MenuBar QVMenu MText QVMultiLineText Panel QVPanel PopUp QVPopup Progress QVProgress ProgressStep QVProgressStep PList QVPropertyList Scroll QVScroll SCntr QVScrlContainer Selection QVSelection SideBarMenu QVSideMenuBar Slider QVSlider Spin QVSpin StatusBar QVStatusBar Tab QVTab Text QVText TimePicker QVTimePicker UpDn QVUpDown"
_tavkonv40_families_40only="ButtonBar QVButtonBar ColorPicker QVColorPicker Form QVForm Grid QVGrid ImagePicker QVImagePicker IPAddress QVIPAddress MACAddress QVMACAddress NumberPicker QVNumberPicker SpinAlpha QVSpinAlpha Tree QVTree"
# Microsoft control options (letter case, "/" and blanks do not matter to the program).
_tavkonv40_ms="Button Check/Option Combo DateTimePicker Frame Label List ListView Progress Scroll Slider Text UpDown"

_tavkonv40_with_editions() {
    # $1: names offering 4.0L, $2: names offering only 4.0
    local n out=""
    for n in $1; do out+="$n $n:4.0 $n:4.0L "; done
    for n in $2; do out+="$n $n:4.0 "; done
    printf '%s' "$out"
}

# The words of $1 that begin with $2, letter case ignored (the program ignores it too). Once an
# edition is being typed, the name keeps the letters typed: the part before the colon is not
# completed again, so it must match what is on the line.
_tavkonv40_match_any_case() {
    local w lower=${2,,}
    for w in $1; do
        [[ ${w,,} == "$lower"* ]] || continue
        [[ $2 == *:* ]] && w="${2%:*}:${w##*:}"
        COMPREPLY+=("$w")
    done
}

_tavkonv40() {
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n := || return
    else
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    fi

    local subcommand="" w
    for w in "${words[@]:1:cword-1}"; do
        case $w in restore|catalogue|check) subcommand=$w ;; esac
    done

    case $prev in
        --family)
            _tavkonv40_match_any_case "$(_tavkonv40_with_editions "$_tavkonv40_families_40L" "$_tavkonv40_families_40only")" "$cur"
            ;;
        --ms)
            _tavkonv40_match_any_case "$(_tavkonv40_with_editions "$_tavkonv40_ms" "")" "$cur"
            ;;
        --color)
            COMPREPLY=($(compgen -W "auto always never" -- "$cur"))
            ;;
        --report)
            COMPREPLY=($(compgen -f -- "$cur"))
            ;;
        --backup | --file)
            local folder="" i
            for ((i = 1; i < cword; i++)); do
                [[ ${words[i]} != -* && ${words[i]} != restore && ${words[i-1]} != --backup &&
                    ${words[i-1]} != --file ]] && folder=${words[i]}
            done
            local IFS=$'\n'
            if [[ $prev == --backup ]]; then
                [[ -n $folder ]] && COMPREPLY=($(cd -- "$folder" 2>/dev/null && compgen -d -- "Nexaria Conversion Backup"))
            else
                [[ -n $folder ]] && COMPREPLY=($(cd -- "$folder" 2>/dev/null && compgen -f -- "$cur"))
            fi
            ;;
        *)
            if [[ $cur == -* ]]; then
                if [[ $subcommand == restore ]]; then
                    COMPREPLY=($(compgen -W "--backup --all --force --file --dry-run --help" -- "$cur"))
                elif [[ $subcommand == check ]]; then
                    COMPREPLY=($(compgen -W "--json --fix --dry-run --quiet --report --color --recursive --help" -- "$cur"))
                else
                    COMPREPLY=($(compgen -W "--family --all-families --all-families:4.0 --all-families:4.0L
                        --ms --all-ms --all-ms:4.0 --all-ms:4.0L --dry-run --quiet --report --color
                        --recursive --help --version" -- "$cur"))
                fi
            elif [[ -z $subcommand ]]; then
                COMPREPLY=($(compgen -W "restore catalogue check" -- "$cur") $(compgen -d -- "$cur"))
            else
                COMPREPLY=($(compgen -d -- "$cur"))
            fi
            ;;
    esac
    declare -F __ltrim_colon_completions >/dev/null && __ltrim_colon_completions "$cur"
    return 0
}
complete -F _tavkonv40 tavkonv40
