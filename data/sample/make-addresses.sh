#!/usr/bin/env bash
# Writes addresses.csv (code page 932, CR LF) from its reviewable UTF-8 source.
set -euo pipefail
cd "$(dirname "$0")"
sed 's/$/\r/' addresses.utf8.txt | iconv -f UTF-8 -t CP932 > addresses.csv
