#!/usr/bin/env bash
# Includes and library links run one way: a folder of src/ may use only folders on lower
# levels (never one beside it on its own level). Prints every violation; exits 1 on any.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A level=(
    [platform]=0
    [tagfile]=1 [environment]=1
    [imaging]=2
    [profile]=3 [addresslist]=3 [sender]=3
    [render]=4
    [compose]=5
    [session]=6 [startup]=6
    [batch]=7 [ui]=7
)

bad=0
complain() { echo "level check: $*" >&2; bad=1; }

for dir in */; do
    dir=${dir%/}
    [[ -n ${level[$dir]+x} ]] || { complain "src/$dir has no level"; continue; }
    # Includes of project headers: "folder/File.h".
    while IFS=: read -r file used; do
        [[ $used == "$dir" ]] && continue
        if [[ -z ${level[$used]+x} ]]; then
            complain "$file includes from unknown folder $used"
        elif (( level[$used] >= level[$dir] )); then
            complain "$file includes $used/ (level ${level[$used]}), not below $dir/ (level ${level[$dir]})"
        fi
    done < <(grep -rHoE '^#include "[a-z]+/' "$dir" | sed -E 's|^([^:]+):#include "([a-z]+)/|\1:\2|')
    # Library links: hoplark_<folder> named in the folder's CMakeLists.txt.
    [[ -f $dir/CMakeLists.txt ]] || continue
    for lib in $(grep -oE 'hoplark_[a-z_]+' "$dir/CMakeLists.txt" | sort -u); do
        used=${lib#hoplark_}
        used=${used%_core}      # imaging's QtCore-only half
        [[ $used == "$dir" || $used == folder_library || $used == add_test ]] && continue
        [[ -n ${level[$used]+x} ]] || continue
        if (( level[$used] >= level[$dir] )); then
            complain "src/$dir/CMakeLists.txt links $lib (level ${level[$used]}), not below $dir/ (level ${level[$dir]})"
        fi
    done
done
exit $bad
