#!/usr/bin/env bash
# Stages an install of the build folder BUILD and checks what a user gets: the desktop entry,
# the AppStream metadata and the manual pages are valid, and the staged hoplark-batch, moved
# to another folder after the install, seeds the starter profiles and prints the sample list
# from its own share/hoplark. Exits non-zero, naming the check, on the first failure.
#   scripts/check-install.sh BUILD
set -euo pipefail
build=$(realpath "${1:?usage: scripts/check-install.sh BUILD}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-install: FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/stage" >/dev/null
# A staged or moved installation finds its files beside its bin/, not where it was built.
mv "$work/stage" "$work/moved"
root="$work/moved"
share="$root/share/hoplark"
app=io.github.hoplark.Hoplark

for f in bin/hoplark bin/hoplark-batch "share/applications/$app.desktop" \
         "share/metainfo/$app.metainfo.xml" "share/icons/hicolor/scalable/apps/$app.svg" \
         share/man/man1/hoplark.1.gz share/man/man1/hoplark-batch.1.gz \
         share/hoplark/help/hoplark.htm share/hoplark/sample/addresses.csv \
         "share/hoplark/sample/差出人.ini" etc/hoplark/UserData.ini; do
    [ -e "$root/$f" ] || fail "$f is not installed"
done
[ "$(cat "$root/etc/hoplark/UserData.ini")" = "%usr%" ] || fail "etc/hoplark/UserData.ini"

desktop-file-validate "$root/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/share/metainfo/$app.metainfo.xml" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log" >&2; fail "appstreamcli validate"; }
for page in "$root"/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$warnings" >&2; fail "man --warnings $(basename "$page")"; }
done

# The programs may be sanitizer builds; leaks at exit are not what is checked here.
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
batch="$root/bin/hoplark-batch"
data="$work/data"
[ "$("$batch" where --data "$data")" = "$data/" ] || fail "where --data"
shipped=$(cd "$share/paper" && ls)
[ "$(echo "$shipped" | wc -l)" -ge 3 ] || fail "share/hoplark/paper holds $shipped"
while IFS= read -r f; do
    cmp -s "$share/paper/$f" "$data/Paper/$f" || fail "where did not seed Paper/$f"
done <<<"$shipped"
cmp -s "$share/sample/差出人.ini" "$data/Paper/差出人.ini" || fail "where did not seed the sender"

list="$share/sample/addresses.csv"
rows=$("$batch" records --data "$data" --codes ZAOEN "$list" | wc -l)
"$batch" print --data "$data" --profile "はがき 縦書き" --codes ZAOEN "$list" \
    --pdf "$work/sample.pdf" >/dev/null || fail "print of the sample list"
pages=$(pdfinfo "$work/sample.pdf" | awk '/^Pages:/ {print $2}')
[ "$rows" -gt 0 ] && [ "$pages" = "$rows" ] || fail "print: $pages pages for $rows rows"

# Installed without a UserData.ini beside it: the default folder, and not a word about it.
export XDG_DATA_HOME="$work/xdg"
folder=$("$batch" where 2>"$work/where.err") || fail "where without --data"
[ "$folder" = "$XDG_DATA_HOME/Marbrook/hoplark/" ] || fail "where gave $folder"
[ ! -s "$work/where.err" ] || { cat "$work/where.err" >&2; fail "where said something"; }
echo "check-install: $rows pages printed from the staged install; all checks passed"
