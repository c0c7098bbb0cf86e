#!/usr/bin/env bash
# A real print queue: starts a private CUPS daemon with its own configuration and spool
# folders, adds a CUPS-PDF queue, prints three addresses of the sample list through
# hoplark-batch's print loop onto that queue and checks that a PDF of three pages of the
# profile's page size arrives. The daemon is stopped and its folders removed afterwards.
#
#   cups_print_test.sh BIN_DIR SOURCE_DIR
#
# Exit 77 means skipped (not root, or CUPS / CUPS-PDF not installed); the reason is printed.
# test.sh installs cups and printer-driver-cups-pdf; this script installs nothing.
set -euo pipefail

BIN=${1:?bin dir}
SRC=${2:?source dir}
PROFILE="はがき 縦書き"

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || skip "needs root: cupsd and the cups-pdf backend run as root"
for tool in cupsd lpadmin lpstat pdfinfo; do
    command -v "$tool" >/dev/null || PATH=$PATH:/usr/sbin command -v "$tool" >/dev/null ||
        skip "$tool is not installed"
done
export PATH=$PATH:/usr/sbin
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "printer-driver-cups-pdf is not installed"
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$PPD" ] || skip "the CUPS-PDF driver description $PPD is missing"
[ -x "$BIN/hoplark-batch" ] || fail "$BIN/hoplark-batch not built"

# Where cups-pdf puts its files: "Out" of its configuration, ${HOME} being the home folder
# of the user the job belongs to (root here), not this process's HOME.
user_home=$(getent passwd "$(id -un)" | cut -d: -f6)
out_dir="$user_home/PDF"
if [ -f /etc/cups/cups-pdf.conf ]; then
    conf_out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -n 1)
    [ -n "$conf_out" ] && out_dir=${conf_out//\$\{HOME\}/$user_home}
fi

work=$(mktemp -d /tmp/hoplark-cups-XXXXXX)
chmod 755 "$work"
cupsd_pid=""
cleanup() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work"/{spool/tmp,cache,state,log,ppd,data/Paper}
cat >"$work/cups-files.conf" <<EOF
ServerRoot $work
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
DataDir /usr/share/cups
ServerBin /usr/lib/cups
User lp
Group lp
SystemGroup root
FileDevice No
EOF
cat >"$work/cupsd.conf" <<EOF
Listen $work/cups.sock
LogLevel info
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
EOF

cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/stdout" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER=$work/cups.sock
# "lpstat -r" succeeds either way; only its words tell whether the daemon answers yet.
running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
for _ in $(seq 100); do
    running && break
    kill -0 "$cupsd_pid" 2>/dev/null || fail "cupsd ended: $(cat "$work/log/stdout" "$work/log/error_log" 2>/dev/null)"
    sleep 0.2
done
running || fail "cupsd does not answer on $CUPS_SERVER"

queue="hoplark-test-$$"
added=""
for _ in $(seq 10); do
    if lpadmin -p "$queue" -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>"$work/log/lpadmin"; then
        added=yes
        break
    fi
    sleep 0.5
done
[ -n "$added" ] || fail "lpadmin: $(cat "$work/log/lpadmin")"

# The data folder: the starter profile and the sample list.
for ext in .ini .ik7 .ik7.prnTxt; do
    cp "$SRC/data/paper/$PROFILE$ext" "$work/data/Paper/"
done
mkdir -p "$out_dir"
touch "$work/start"

"$BIN/hoplark-batch" print --data "$work/data" --profile "$PROFILE" --codes ZAOEN \
    "$SRC/data/sample/addresses.csv" --rows select:0,1,2 --printer "$queue" \
    >"$work/log/batch.out" 2>"$work/log/batch.err" ||
    fail "hoplark-batch: $(cat "$work/log/batch.out" "$work/log/batch.err")"
grep -q ": 3 pages" "$work/log/batch.out" || fail "hoplark-batch did not send 3 pages: $(cat "$work/log/batch.out")"
# A queue that cannot be found makes the program print elsewhere and say so.
if grep -q "に印刷します\|に出力します" "$work/log/batch.err"; then
    fail "the job did not go to the queue: $(cat "$work/log/batch.err")"
fi

# Waits for the job to leave the queue and its PDF to appear (newer than $work/start).
wait_pdf() {
    pdf=""
    for _ in $(seq 120); do
        if [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; then
            pdf=$(find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$work/start" -print 2>/dev/null | head -n 1)
            [ -n "$pdf" ] && break
        fi
        sleep 0.5
    done
    [ -n "$pdf" ] || fail "no PDF arrived in $out_dir; cupsd log: $(tail -n 20 "$work/log/error_log")"
}
wait_pdf

info=$(pdfinfo "$pdf")
rm -f "$pdf"
pages=$(sed -n 's/^Pages:[[:space:]]*//p' <<<"$info")
size=$(sed -n 's/^Page size:[[:space:]]*\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p' <<<"$info")
[ "$pages" = 3 ] || fail "the PDF has $pages pages, not 3"

# The page size the profile's printer settings give, in points (0.1 mm / 254 * 72).
ik7="$SRC/data/paper/$PROFILE.ik7"
w=$(sed -n 's/^width=//p' "$ik7" | tr -d '\r')
h=$(sed -n 's/^height=//p' "$ik7" | tr -d '\r')
orient=$(sed -n 's/^orientation=//p' "$ik7" | tr -d '\r')
[ "$orient" = 2 ] && { t=$w; w=$h; h=$t; }
awk -v got="$size" -v w="$w" -v h="$h" 'BEGIN {
    split(got, g, " "); ew = w / 254 * 72; eh = h / 254 * 72;
    d1 = g[1] - ew; d2 = g[2] - eh; if (d1 < 0) d1 = -d1; if (d2 < 0) d2 = -d2;
    if (d1 > 2 || d2 > 2) { printf "page size %s x %s pts, expected %.1f x %.1f\n", g[1], g[2], ew, eh; exit 1 }
}' || fail "wrong page size"

# The position test page goes to the same queue, one page.
touch "$work/start"
"$BIN/hoplark-batch" calibrate --data "$work/data" --profile "$PROFILE" --printer "$queue" \
    --offset 1.5,-0.5 >"$work/log/calibrate.out" 2>"$work/log/calibrate.err" ||
    fail "hoplark-batch calibrate: $(cat "$work/log/calibrate.out" "$work/log/calibrate.err")"
wait_pdf
[ "$(pdfinfo "$pdf" | sed -n 's/^Pages:[[:space:]]*//p')" = 1 ] || fail "the test page is not one page"
rm -f "$pdf"
echo "PASSED: 3 pages of $size pts and the test page arrived through queue $queue"
