#!/bin/bash
# Completes nvr-plan command lines as bash does on Tab, through
# bash-completion's own helpers, and checks what is offered.
#   tests/completion.sh COMPLETION-FILE
set -u
completion=$1
helpers=/usr/share/bash-completion/bash_completion
[ -r "$helpers" ] || { echo "bash-completion is not installed ($helpers)" >&2; exit 1; }
# shellcheck source=/dev/null
. "$helpers"
# shellcheck source=/dev/null
. "$completion"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
touch school.nvrplan shop.nvrplan notes.txt quote.pdf
mkdir sites

passed=0
failed=0
# offers "EXPECTED" "LINE": LINE is what was typed before Tab, EXPECTED the
# words offered, sorted. Words are split as bash splits them, "=" on its own.
offers() {
    local expected=$1
    COMP_LINE="nvr-plan $2"
    COMP_POINT=${#COMP_LINE}
    read -ra COMP_WORDS <<<"${COMP_LINE//=/ = }"
    [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _nvr_plan nvr-plan "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
    if [ "$got" = "$expected" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: '$COMP_LINE' offered '$got', expected '$expected'"
    fi
}

offers "disks fit new report show summary" ""
offers "show summary" "s"
offers "--help --version" "-"
offers "school.nvrplan shop.nvrplan sites" "show "
offers "shop.nvrplan" "summary school.nvrplan sh"
offers "--format --help" "show --"
offers "csv json text" "show --format "
offers "--format --help" "summary --"
offers "csv" "summary --format c"
offers "--site" "new --si"
offers "--force --frame" "new --f"
offers "" "new --site "
offers "--channels" "new --site 'North, B' --ch"
offers "json" "show --format=j"
offers "NTSC PAL" "new --standard "
offers "16 4 8" "new --channels "
offers "D1 Full-HD HD" "new --resolution "
offers "High Highest" "new --quality H"
offers "0 1 10 15 2 30 4 5 8" "new --frame "
offers "0 1 13 25 3 4 5 7 9" "new --standard PAL --frame "
offers "1 13" "new --standard=pal --frame 1"
offers "" "new --days "
offers "school.nvrplan shop.nvrplan sites" "new -o "
offers "--channels --days --hdd --help --standard" "fit --"
offers "--channels" "new --days 30 --ch"
offers "--bays --days --format --help --layout --sizes" "disks --"
offers "raid1 raid10" "disks --layout raid1"
offers "school.nvrplan shop.nvrplan sites" "disks --bays 8 --layout raid6 "
offers "quote.pdf sites" "report shop.nvrplan -o "
offers "school.nvrplan shop.nvrplan sites" "report -o out.pdf "

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
