// Postcards to PDF through the printer side of the imaging layer: every page carries the seven
// red postal-code boxes with their digits, two vertical address columns and a vertical name.
//   bench_pdf_postcards [PAGES=1000] [RUNS=5] [OUT=/tmp/hoplark-bench-postcards.pdf]
// Prints each run's wall-clock and processor time, their medians and the size of the PDF of
// the last run. The processor time shows the cost when other work shares the machine.
#include "imaging/PainterImaging.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

constexpr int P = PainterImaging::kPrinterHandle;

const QString kZips[] = {u"1000005"_s, u"5300001"_s, u"0600042"_s, u"9800811"_s};
const QString kAddr1[] = {u"東京都千代田区丸の内一丁目"_s, u"大阪府大阪市北区梅田三丁目"_s,
                          u"北海道札幌市中央区大通西四丁目"_s, u"宮城県仙台市青葉区一番町"_s};
const QString kAddr2[] = {u"一|二|三　丸の内ビル十階"_s, u"一|一|一（梅田センター）"_s,
                          u"六|一　大通ビル、二階"_s, u"四|七|一"_s};
const QString kNames[] = {u"山田　太郎　様"_s, u"鈴木　花子　様"_s, u"佐藤　一郎　様"_s,
                          u"高橋　美穂　様"_s};

void Column(PainterImaging& ik, const QString& sText, int nSize, int x1, int y1, int x2, int y2) {
    ik.ResetStyle();
    ik.TextTransparent(true);
    ik.FontName(u"ＭＳ 明朝"_s);
    ik.FontSize(nSize);
    ik.TextSpacing(0);
    ik.TextDirection(2);
    ik.AlignHorz(1);
    ik.AlignVert(0);
    ik.TextValue(sText);
    ik.DrawText(P, x1, y1, x2, y2, true, 0, 1);
}

void Page(PainterImaging& ik, int n) {
    const int k = n % 4;
    // Postal code: seven red boxes, then a digit centred in each.
    ik.ResetStyle();
    ik.LineWidth(1);
    ik.FillColor(kWhite);
    ik.FillMode(1);
    ik.LineColor(kRed);
    const int left[] = {0, 69, 138, 218, 287, 356, 425};
    for (const int x : left)
        ik.DrawRect(P, 445 + x, 120, 445 + x + 62, 200, 1);
    ik.ResetStyle();
    ik.FontName(u"ＭＳ ゴシック"_s);
    ik.FontSize(14);
    ik.AlignHorz(1);
    ik.AlignVert(1);
    for (int i = 0; i < 7; ++i) {
        ik.TextValue(kZips[k].mid(i, 1));
        ik.DrawText(P, 445 + left[i], 120, 445 + left[i] + 62, 200, true, 0, 1);
    }
    Column(ik, kAddr1[k], 12, 900, 300, 849, 1400);
    Column(ik, kAddr2[k], 12, 824, 400, 773, 1400);
    Column(ik, kNames[k], 20, 560, 300, 475, 1400);
}

struct Times {
    double wall = -1, cpu = -1; // seconds
};

Times RunOnce(const QString& sOut, int nPages) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu0 = std::clock();
    PainterImaging ik;
    ik.ForcePdfOutput(sOut, 1000, 1480);
    if (!ik.OpenPrinter(1))
        return {};
    ik.DocName(u"宛名印刷"_s);
    if (!ik.StartDoc())
        return {};
    for (int n = 0; n < nPages; ++n) {
        ik.StartPage();
        Page(ik, n);
        ik.EndPage();
    }
    if (!ik.EndDoc())
        return {};
    ik.ClosePrinter();
    return {timer.nsecsElapsed() / 1e9, double(std::clock() - cpu0) / CLOCKS_PER_SEC};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int nPages = args.size() > 1 ? args[1].toInt() : 1000;
    const int nRuns = args.size() > 2 ? args[2].toInt() : 5;
    const QString sOut = args.size() > 3 ? args[3] : u"/tmp/hoplark-bench-postcards.pdf"_s;
    if (nPages <= 0 || nRuns <= 0) {
        std::fprintf(stderr, "usage: bench_pdf_postcards [PAGES] [RUNS] [OUT.pdf]\n");
        return 2;
    }
    std::vector<double> walls, cpus;
    for (int r = 0; r < nRuns; ++r) {
        const Times t = RunOnce(sOut, nPages);
        if (t.wall < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(sOut));
            return 1;
        }
        walls.push_back(t.wall);
        cpus.push_back(t.cpu);
        std::printf("run %d: %.3f s wall, %.3f s processor\n", r + 1, t.wall, t.cpu);
    }
    std::printf("pages: %d, runs: %d, median: %.3f s wall, %.3f s processor; PDF: %s, %lld "
                "bytes\n",
                nPages, nRuns, Median(walls), Median(cpus), qPrintable(sOut),
                static_cast<long long>(QFileInfo(sOut).size()));
    return 0;
}
