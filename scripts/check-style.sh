#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Checks every C++ file of the repository against the house layout: clang-format with the
# repository's .clang-format, and clang-tidy for braces around every controlled statement
# (clang-format 14 cannot insert them). The brace check needs a configured build with
# compile_commands.json and Qt's generated files; it is skipped, with a message, without one.
#
# usage: scripts/check-style.sh [--fix] [BUILD_DIR...]
#   --fix  rewrites the files instead (braces first, then the layout)
# Exits 0 when every file is in the house layout, 1 when some are not (they are listed).
set -eu
cd "$(dirname "$0")/.."

fix=0
if [ "${1:-}" = "--fix" ]; then
    fix=1
    shift
fi

files=$(git ls-files '*.cpp' '*.h')
status=0
checked=""

# Braces: clang-tidy reads each file as its build compiles it, so one run per build directory
# covers the files that build compiles (the gcc build and the clang fuzz build).
for build in "$@"; do
    if [ ! -f "$build/compile_commands.json" ]; then
        echo "check-style: no $build/compile_commands.json; braces not checked there"
        continue
    fi
    # Each file once: the first build that compiles it checks it.
    sources=$(for f in $(git ls-files '*.cpp'); do
        case " $checked " in *" $PWD/$f "*) continue ;; esac
        if grep -q "\"file\": \"$PWD/$f\"" "$build/compile_commands.json"; then echo "$PWD/$f"; fi
    done)
    checked="$checked $(echo $sources)"
    [ -n "$sources" ] || continue
    if [ $fix -eq 1 ]; then
        # shellcheck disable=SC2086
        run-clang-tidy -quiet -fix -p "$build" -checks='-*,readability-braces-around-statements' \
            -header-filter="$PWD/(src|tests|bench|fuzz)/" $sources >/dev/null 2>&1 || true
    else
        # shellcheck disable=SC2086
        out=$(run-clang-tidy -quiet -p "$build" -checks='-*,readability-braces-around-statements' \
            -header-filter="$PWD/(src|tests|bench|fuzz)/" $sources 2>/dev/null |
            sed 's/\x1b\[[0-9;]*m//g' | grep 'warning: .*\[readability-braces-around-statements\]' | sort -u || true)
        if [ -n "$out" ]; then
            echo "$out"
            status=1
        fi
    fi
done

if [ $fix -eq 1 ]; then
    # shellcheck disable=SC2086
    clang-format -i $files
    exit 0
fi

unformatted=$(for f in $files; do clang-format "$f" | cmp -s "$f" - || echo "$f"; done)
if [ -n "$unformatted" ]; then
    echo "Not in the house layout (scripts/check-style.sh --fix rewrites them):"
    echo "$unformatted"
    status=1
fi
[ $status -eq 0 ] && echo "check-style: $(echo "$files" | wc -l) files in the house layout"
exit $status
