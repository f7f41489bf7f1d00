#!/bin/sh
# The cold `make test` of commits side by side: each commit is cloned fresh
# and built and tested with the compiler cache off, one after the other, so
# both pay the same machine. Prints one line per commit:
#   <commit> make test <seconds> s (tests <seconds> s)
# Usage: bench/cold_build.sh COMMIT [COMMIT ...]   (run from the checkout)
set -eu
[ $# -ge 1 ] || { echo "usage: bench/cold_build.sh COMMIT [COMMIT ...]" >&2; exit 2; }
repo=$(git rev-parse --show-toplevel)
work=$(mktemp -d "${TMPDIR:-/tmp}/kq-cold-build.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
"$repo/scripts/install-deps.sh"
for commit in "$@"; do
    clone="$work/$commit"
    git clone -q "$repo" "$clone"
    git -C "$clone" checkout -q "$commit"
    start=$(date +%s)
    (cd "$clone" && CCACHE_DISABLE=1 make test >"$work/$commit.log" 2>&1) || {
        echo "$commit: make test failed, see the log:" >&2
        tail -20 "$work/$commit.log" >&2
        exit 1
    }
    end=$(date +%s)
    tests=$(sed -n 's/^Total Test time (real) = *\([0-9.]*\) sec$/\1/p' "$work/$commit.log")
    echo "$commit make test $((end - start)) s (tests ${tests:-?} s)"
    rm -rf "$clone"
done
