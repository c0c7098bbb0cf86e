// The preview of the main window with the QPainter imaging at the default window size
// (a 600 x 600 pixel preview at 96 dpi), with the starter profiles and the sample list:
//  1. RefreshPreview of one record, RUNS times: median milliseconds;
//  2. a step through 1,000 records as list clicks do (SelectRow: the record redraw, or the
//     full refresh when an extra line or the guides are involved), STEPS times: median
//     seconds, and how many of the clicks needed the full refresh.
// Wall-clock and processor time are both given: the second tells a busy machine from a slow
// program.
//   bench_preview [RUNS=200] [STEPS=5]
// BENCH_ROWS=1 adds the processor time of a refresh of each sample record; BENCH_ONLY=N only
// refreshes record N 300 times (for a profiler).
#include "addresslist/AddressList.h"
#include "imaging/PainterImaging.h"
#include "profile/PageFile.h"
#include "session/OptAddHandOff.h"
#include "session/Session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Wall-clock and processor seconds since construction.
struct Stopwatch {
    QElapsedTimer wall;
    std::clock_t cpu = std::clock();
    Stopwatch() { wall.start(); }
    double Wall() const { return wall.nsecsElapsed() / 1e9; }
    double Cpu() const { return double(std::clock() - cpu) / CLOCKS_PER_SEC; }
};

// A user folder whose "Paper" holds the starter profiles.
bool SeedPaper(const QString& sUsr) {
    const QDir src(QStringLiteral(HOPLARK_SOURCE_DIR "/data/paper"));
    if (!QDir().mkpath(sUsr + u"Paper"_s))
        return false;
    for (const QString& f : src.entryList({u"*.ini"_s, u"*.ik7"_s, u"*.prnTxt"_s}, QDir::Files))
        if (!QFile::copy(src.filePath(f), sUsr + u"Paper/"_s + f))
            return false;
    return true;
}

struct Scene {
    PainterImaging pik{QSize(600, 600), 96};
    Session st{pik};
    PageFile page{st.model, st.page, st.ik, st.UsrFld, st.bBusy};

    QString Open(const QString& sUsr, const QString& sProfile) {
        st.UsrFld = sUsr;
        const QString sMsg = page.LoadPage(sProfile);
        if (!sMsg.isEmpty())
            return sMsg;
        const QString sList = QStringLiteral(HOPLARK_SOURCE_DIR "/data/sample/addresses.csv");
        const auto outcome = st.adr.LoadAdrList(u"ZAOEN "_s + sList);
        HandOffOptAdd(outcome, st.adr, st.model);
        if (st.adr.count() == 0)
            return u"no records in "_s + sList;
        // 1,000 records: the sample list over and over.
        const QStringList sample = st.adr.colAdr.toList();
        while (st.adr.colAdr.size() < 1000)
            st.adr.colAdr << sample.at(st.adr.colAdr.size() % sample.size());
        st.txAdd = {u"530-0001"_s,
                    u"大阪府大阪市北区"_s,
                    u"梅田1-1-1"_s,
                    {},
                    {},
                    u"株式会社見本商事"_s,
                    {},
                    {},
                    u"鈴木 花子"_s};
        return {};
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int nRuns = args.size() > 1 ? args[1].toInt() : 200;
    const int nSteps = args.size() > 2 ? args[2].toInt() : 5;
    if (nRuns <= 0 || nSteps <= 0) {
        std::fprintf(stderr, "usage: bench_preview [RUNS] [STEPS]\n");
        return 2;
    }
    QTemporaryDir tmp;
    const QString sUsr = tmp.path() + u"/"_s;
    if (!tmp.isValid() || !SeedPaper(sUsr)) {
        std::fprintf(stderr, "cannot prepare a user folder\n");
        return 1;
    }

    for (const QString& sProfile : {u"はがき 横書き"_s, u"はがき 縦書き"_s}) {
        Scene s;
        const QString sMsg = s.Open(sUsr, sProfile);
        if (!sMsg.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(sMsg));
            return 1;
        }
        Session& st = s.st;
        st.nTab = 0; // the first tab, as the window starts: guides shown

        std::vector<double> ms, cpuMs;
        st.adr.nAdrIdx = 2;
        st.RefreshPreview(); // fonts loaded once, as in the running window
        for (int r = 0; r < nRuns; ++r) {
            const Stopwatch t;
            const QString sFault = st.RefreshPreview();
            ms.push_back(t.Wall() * 1e3);
            cpuMs.push_back(t.Cpu() * 1e3);
            if (!sFault.isEmpty()) {
                std::fprintf(stderr, "RefreshPreview: %s\n", qPrintable(sFault));
                return 1;
            }
        }
        std::printf("%s: RefreshPreview of one record, %d runs: median %.3f ms wall, %.3f ms "
                    "processor\n",
                    qPrintable(sProfile), nRuns, Median(ms), Median(cpuMs));
        if (qEnvironmentVariableIsSet("BENCH_ONLY")) {
            st.adr.nAdrIdx = qEnvironmentVariableIntValue("BENCH_ONLY");
            for (int r = 0; r < 300; ++r)
                st.RefreshPreview();
            continue;
        }
        if (qEnvironmentVariableIsSet("BENCH_ROWS")) {
            // Per sample record: the median of a few refreshes.
            for (int i = 0; i < 30 && i < st.adr.count(); ++i) {
                st.adr.nAdrIdx = i;
                std::vector<double> one;
                for (int r = 0; r < 9; ++r) {
                    const Stopwatch t;
                    st.RefreshPreview();
                    one.push_back(t.Cpu() * 1e3);
                }
                std::printf("  row %d: %.3f ms processor%s\n", i, Median(one),
                            st.lay.bAdrExtra || st.lay.bNameExtra ? " (extra line)" : "");
            }
        }

        // Another tab than the first: no guides, so a click redraws only the record unless
        // the previous record needed an extra line.
        for (const int nTab : {1, 0}) {
            st.nTab = nTab;
            std::vector<double> secs, cpus;
            int nFull = 0;
            for (int r = 0; r < nSteps; ++r) {
                st.adr.nAdrIdx = 0;
                st.RefreshPreview();
                nFull = 0;
                const Stopwatch t;
                for (int i = 0; i < 1000; ++i) {
                    const PageLayout& l = st.lay;
                    nFull += l.bAdrExtra || l.bNameExtra || l.bGuides;
                    st.SelectRow(i);
                }
                secs.push_back(t.Wall());
                cpus.push_back(t.Cpu());
            }
            std::printf("%s: 1,000 row clicks on tab %d, %d runs: median %.3f s wall, %.3f s "
                        "processor (%d of them full refreshes)\n",
                        qPrintable(sProfile), nTab + 1, nSteps, Median(secs), Median(cpus), nFull);
        }
    }
    return 0;
}
