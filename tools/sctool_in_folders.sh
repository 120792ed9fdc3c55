#!/bin/sh
# sctool makes, shows and builds the default section file in folders named in
# Cyrillic and in Japanese letters:
#   sctool_in_folders.sh SCTOOL WORK EXPECTED
# WORK is a folder for the files; EXPECTED the committed data/test.sct, which
# each file made must equal byte for byte.
set -eu
for folder in "Демо папка" "デモ"; do
  dir="$2/$folder"
  rm -rf "$dir"
  mkdir -p "$dir"
  sh "$(dirname "$0")/make_test_sct.sh" "$1" "$dir/test.sct" "$3"
  "$1" show "$dir/test.sct" > "$dir/shown.txt"
  grep -q "component 3 on radius 0 wave 0.0399999991" "$dir/shown.txt"
  "$1" dump "$dir/test.sct" --sections 8 --points 4 > "$dir/dump.txt"
  grep -q "^window " "$dir/dump.txt"
done
