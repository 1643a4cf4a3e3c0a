# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Sourced by the benchmark scripts: ensure_collection DIR [FOLDERS [OPTION]] makes sure DIR holds
# the synthetic collection of FOLDERS folders (default 3000), 10 variations each; OPTION is
# passed to the generator (--furnished). The stamp
# beside it is written only after a complete generation and names the generator's checksum
# and arguments, so an interrupted generation or a changed generator means a new collection.
ensure_collection() {
    _collection=$1
    _stamp=$_collection.stamp
    _args="--folders ${2:-3000} --variations 10 --seed 1${3:+ $3}"
    _want="$(cksum <"$here/generate_collection.py") $_args"
    if [ ! -d "$_collection" ] || [ ! -f "$_stamp" ] || [ "$(cat "$_stamp")" != "$_want" ]; then
        rm -rf "$_collection"
        mkdir -p "$(dirname "$_collection")"
        # shellcheck disable=SC2086 # $_args is a fixed list of words
        python3 "$here/generate_collection.py" "$_collection" $_args
        echo "$_want" >"$_stamp"
    fi
}
