#!/bin/sh
# usage: manual_page_test.sh TOOL PAGE
# The page's COMMANDS section lists the tool's commands in the order of its
# usage text, each entry named by the command's synopsis exactly and opening
# with its description, so neither can change without the other.
set -eu
tool=$1
page=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The usage: "  SYNOPSIS  description" per command after "commands:".
"$tool" >/dev/null 2>"$work/usage" && { echo "$tool without a command exited with 0" >&2; exit 1; }
sed -n '/^commands:$/,$s/^  //p' "$work/usage" >"$work/usage-lines"

# The page rendered as plain text on long lines: an entry is its tag at
# indent 7 and its paragraph at indent 14.
groff -k -man -Tutf8 -P-cbou -rLL=400n "$page" >"$work/rendered" 2>"$work/warnings"
if [ -s "$work/warnings" ]; then
    cat "$work/warnings" >&2
    exit 1
fi
awk '
    /^[A-Z]/ { section = $0; next }
    section != "COMMANDS" { next }
    /^       [^ ]/ { if (tag != "") print tag "\t" text; sub(/^ +/, ""); tag = $0; text = ""; next }
    /^              [^ ]/ { sub(/^ +/, ""); text = text == "" ? $0 : text " " $0; next }
    END { if (tag != "") print tag "\t" text }
' "$work/rendered" >"$work/entries"

status=0
count=$(wc -l <"$work/usage-lines")
[ "$count" -gt 0 ] || { echo "no commands in the usage of $tool" >&2; exit 1; }
[ "$(wc -l <"$work/entries")" -eq "$count" ] || {
    echo "$page has $(wc -l <"$work/entries") commands, the usage of $tool $count:" >&2
    cut -f1 "$work/entries" >&2
    status=1
}
i=0
while IFS= read -r line; do
    i=$((i + 1))
    entry=$(sed -n "${i}p" "$work/entries")
    tag=${entry%%"	"*}
    text=${entry#*"	"}
    # The synopsis is the usage line up to the description, which follows
    # after one or more spaces and is not an argument.
    rest=${line#"$tag"}
    description=$(printf '%s' "$rest" | sed 's/^ *//')
    if [ -z "$tag" ] || [ "$rest" = "$line" ] || [ "$rest" = "$description" ] ||
        printf '%s' "$description" | grep -Eq '^(\[|-|[A-Z][A-Z0-9.]*( |$))'; then
        echo "$page: the entry \"$tag\" is not the synopsis of \"$line\"" >&2
        status=1
        continue
    fi
    case "$text" in
    "$description"*) ;;
    *)
        echo "$page: the entry \"$tag\" does not open with \"$description\"" >&2
        status=1
        ;;
    esac
done <"$work/usage-lines"
exit $status
