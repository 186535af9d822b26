#!/usr/bin/env bash
# Remakes tests/data/rtf-corpus: each document of src/ written as RTF and as plain text by
# pandoc and by AbiWord (apt-get install pandoc abiword; neither the build nor the tests need
# them). The test run reads each RTF and checks it gives the words of its writer's plain text.
set -euo pipefail
cd "$(dirname "$0")/../tests/data/rtf-corpus"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for src in src/*.md; do
  name=$(basename "$src" .md)
  pandoc -s --quiet "$src" -o "pandoc-$name.rtf"
  pandoc "$src" -t plain -o "pandoc-$name.txt"
  pandoc -s --metadata title="$name" "$src" -o "$tmp/$name.html"
  abiword --to=rtf "$tmp/$name.html" -o "abiword-$name.rtf" >/dev/null 2>&1
  abiword --to=txt "$tmp/$name.html" -o "abiword-$name.txt" >/dev/null 2>&1
done
