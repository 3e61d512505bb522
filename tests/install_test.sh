#!/usr/bin/env bash
# Installs into a scratch prefix, then runs the installed brindle on the installed example
# and compares its page with the one the built brindle writes.
set -euo pipefail
build_dir=$1 built_brindle=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null
for file in bin/brindle share/man/man1/brindle.1 share/doc/brindle/readme.txt \
            share/doc/brindle/links.txt; do
    [[ -f $scratch/prefix/$file ]] || { echo "not installed: $file"; exit 1; }
done

cd "$scratch"
"$scratch/prefix/bin/brindle" prefix/share/doc/brindle/links.txt installed 2>/dev/null
"$built_brindle" prefix/share/doc/brindle/links.txt built 2>/dev/null
cmp installed.html built.html
grep -q '<A HREF="https://docs.python.org/3/">Python documentation</A>' installed.html
