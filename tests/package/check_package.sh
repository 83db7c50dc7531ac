#!/usr/bin/env bash
# The release ZIP holds exactly Zorvel.exe, the two sample files and the user guide, and every text
# in it is valid code page 932 (Shift-JIS) with Windows line ends.
# usage: check_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1" source="$2"
cmake --build "$build" --target package >/dev/null
zip="$build/package/Zorvel-$(sed -n 's/^project(Zorvel VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")-win64.zip"
[[ -f "$zip" ]] || { echo "no package at $zip"; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
top="$work/$(basename "$zip" .zip)"
guide="はじめにお読みください.txt"

expected=$(printf '%s\n' Zorvel.exe conf.txt journal.txt "$guide" | LC_ALL=C sort)
actual=$(cd "$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [[ "$actual" != "$expected" ]]; then
  echo "package contents differ:"; diff <(echo "$expected") <(echo "$actual") || true; exit 1
fi

[[ "$(head -c 2 "$top/Zorvel.exe")" == "MZ" ]] || { echo "Zorvel.exe is not a Windows program"; exit 1; }
for sample in conf.txt journal.txt; do
  cmp -s "$top/$sample" "$source/examples/$sample" || { echo "$sample differs from examples/"; exit 1; }
done
for text in conf.txt journal.txt "$guide"; do
  iconv -f CP932 -t UTF-8 "$top/$text" >/dev/null 2>&1 || { echo "$text is not valid Shift-JIS"; exit 1; }
done
# The guide is for Notepad: every line ends in CR LF, and it is not plain ASCII by mistake.
if LC_ALL=C grep -q -e $'[^\r]$' -e '^$' "$top/$guide"; then echo "$guide has a line without CR LF"; exit 1; fi
LC_ALL=C grep -q '[^[:print:][:space:]]' "$top/$guide" || { echo "$guide holds no Japanese text"; exit 1; }
echo "package ok: $(basename "$zip")"
