#!/usr/bin/env bash
# Prints ROWS addresses on the vertical postcard starter profile, sender on, through
# hoplark-batch print into a PDF file, RUNS times, and reports the medians of the wall time,
# the CPU time (user + system: steadier than the wall time on a busy machine) and the peak
# memory (/usr/bin/time -v), pages a second and bytes a page. Then the yardstick: a plain
# program (bench_plain_pdf) draws the same pages, read from a trace of the job, straight
# through QPdfWriter, RUNS times.
#   bench/print-postcards.sh [ROWS=10000] [RUNS=3]   (build folder: $BENCH_BUILD,
#   default build-bench)
# Targets: 10,000 addresses in at most 1.5 s, at most 1,050 bytes a page, at most 60 MB.
set -euo pipefail
cd "$(dirname "$0")/.."
rows="${1:-10000}"
runs="${2:-3}"
build="${BENCH_BUILD:-build-bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOPLARK_TESTS=OFF >/dev/null
cmake --build "$build" --target hoplark-batch bench_plain_pdf -j2 >/dev/null

work=$(mktemp -d /tmp/hoplark-bench-print-XXXXXX)
trap 'rm -rf "$work"' EXIT
profile="はがき 縦書き"
mkdir -p "$work/data/Paper"
for ext in .ini .ik7 .ik7.prnTxt; do
    cp "data/paper/$profile$ext" "$work/data/Paper/"
done
printf '<郵便>150-0001\r\n<住所>東京都渋谷区神宮前　一丁目二番三号\r\n<勤務>株式会社見本　総務部\r\n<名前>差出　太郎\r\n' |
    iconv -f UTF-8 -t CP932 >"$work/data/Paper/差出人.ini"

# ROWS addresses: the sample list's rows over and over, each with its own house number.
list="$work/list.csv"
awk -v n="$rows" 'NR == 1 { header = $0; next } { row[m++] = $0 }
    END {
        print header
        for (i = 0; i < n; i++) {
            split(row[i % m], f, ",")
            printf "%s,%s　%d番地,%s,%s,%s\n", f[1], f[2], i + 1, f[3], f[4], f[5]
        }
    }' data/sample/addresses.utf8.txt | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$list"

times=()
cpus=()
mems=()
for run in $(seq "$runs"); do
    /usr/bin/time -v -o "$work/time.txt" "$build/bin/hoplark-batch" print --data "$work/data" \
        --profile "$profile" --codes ZAOEN "$list" --pdf "$work/out.pdf" >/dev/null 2>"$work/err.txt" ||
        { cat "$work/err.txt" "$work/time.txt" >&2; exit 1; }
    wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt" |
        awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
    cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { print s }' "$work/time.txt")
    mem=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
    echo "run $run: ${wall} s, cpu ${cpu} s, peak ${mem} kB"
    times+=("$wall")
    cpus+=("$cpu")
    mems+=("$mem")
done
median() { printf '%s\n' "$@" | sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
pages=$(pdfinfo "$work/out.pdf" | sed -n 's/^Pages:[[:space:]]*//p')
bytes=$(stat -c %s "$work/out.pdf")
wall=$(median "${times[@]}")
echo "addresses: $rows, pages: $pages, runs: $runs"
echo "median wall time: $wall s ($(awk -v p="$pages" -v t="$wall" 'BEGIN { printf "%.0f", p / t }') pages/s; target <= 1.5 s for 10,000)"
echo "median CPU time: $(median "${cpus[@]}") s"
echo "median peak memory: $(median "${mems[@]}" | awk '{ printf "%.1f", $1 / 1024 }') MB (target <= 60 MB)"
echo "PDF: $bytes bytes, $(awk -v b="$bytes" -v p="$pages" 'BEGIN { printf "%.0f", b / p }') bytes a page (target <= 1,050)"

# The yardstick, on the same pages.
"$build/bin/hoplark-batch" print --data "$work/data" --profile "$profile" --codes ZAOEN "$list" \
    --pdf "$work/out.pdf" --trace "$work/job.jsonl" >/dev/null 2>&1
for run in $(seq "$runs"); do
    QT_QPA_PLATFORM=offscreen "$build/bin/bench_plain_pdf" "$work/job.jsonl" "$work/plain.pdf" 100 148
done
