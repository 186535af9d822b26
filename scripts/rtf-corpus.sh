#!/usr/bin/env bash
# Remakes tests/data/rtf-corpus: each document of src/ written as RTF and as plain text by
# pandoc, AbiWord and LibreOffice (apt-get install pandoc abiword libreoffice-writer-nogui;
# neither the build nor the tests need them). The test run reads each RTF and checks it gives the words of its writer's plain text.
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
  for kind in rtf "txt:Text (encoded):UTF8"; do
    soffice --headless -env:UserInstallation=file://"$tmp"/lo --infilter="HTML (StarWriter)" \
      --convert-to "$kind" --outdir "$tmp" "$tmp/$name.html" >/dev/null 2>&1
  done
  mv "$tmp/$name.rtf" "libreoffice-$name.rtf"
  mv "$tmp/$name.txt" "libreoffice-$name.txt"
done
