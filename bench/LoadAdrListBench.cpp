// Times a load request of a generated 100,000-row list with the menu's codes, up to the
// moment the first record is current. Prints each run and the medians of the wall-clock
// time and of the process CPU time (the second tells a busy machine from a slow load). The
// list is written in code page 932 with CR LF, or in UTF-8 with LF as Linux programs write
// it; either is read with the encoding detected.
//   bench_load_adrlist [ROWS] [RUNS] [cp932|utf-8]

#include "addresslist/AddressList.h"
#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

// Rows like the sample list: postal code, address with building, affiliation, title, name.
QString GenerateList(int nRows) {
    const QStringList prefs{u"北海道"_s, u"東京都"_s, u"神奈川県"_s, u"大阪府"_s, u"福岡県"_s};
    const QStringList cities{u"札幌市中央区"_s, u"千代田区"_s, u"横浜市西区"_s, u"大阪市北区"_s,
                             u"福岡市中央区"_s};
    const QStringList orgs{QString(), u"株式会社山城商事　総務部"_s, u"（有）田中工務店"_s,
                           u"(株)青空システムズ　開発本部　第二課"_s};
    const QStringList titles{QString(), u"部長"_s, QString(), u"代表取締役"_s};
    const QStringList names{u"山田　太郎"_s, u"鈴木　花子"_s, u"渡辺　太郎・花子"_s,
                            u"長谷川　修"_s};
    QString text = u"郵便番号,住所,勤務先・部署,肩書,氏名\r\n"_s;
    text.reserve(nRows * 80);
    for (int i = 0; i < nRows; ++i) {
        const int k = i % 5;
        text +=
            u"%1-%2,"_s.arg(100 + i % 900, 3, 10, QChar(u'0')).arg(i % 10000, 4, 10, QChar(u'0'));
        text += prefs[k] + u"　"_s + cities[k] +
                u"　丸の内%1－%2－%3"_s.arg(i % 9 + 1).arg(i % 31 + 1).arg(i % 17 + 1);
        if (i % 3 == 0)
            text += u"　グランドタワー%1階"_s.arg(i % 40 + 1);
        text += u',' + orgs[i % 4] + u',' + titles[i % 4] + u',' + names[i % 4] + u"\r\n"_s;
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int nRows = args.size() > 1 ? args[1].toInt() : 100000;
    const int nRuns = args.size() > 2 ? args[2].toInt() : 9;
    const QString sEnc = args.size() > 3 ? args[3] : u"cp932"_s;
    if (nRows <= 0 || nRuns <= 0 || (sEnc != u"cp932"_s && sEnc != u"utf-8"_s)) {
        std::fprintf(stderr, "usage: bench_load_adrlist [ROWS] [RUNS] [cp932|utf-8]\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString path = dir.path() + u"/bench.csv"_s;
    const QString text = GenerateList(nRows);
    const Cp932Encoded enc = EncodeCp932(text);
    const QByteArray bytes =
        sEnc == u"utf-8"_s ? QString(text).replace(u"\r\n"_s, u"\n"_s).toUtf8() : enc.bytes;
    if (!enc.ok() || !WriteBinaryFile(path, bytes).isEmpty()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%d rows, %lld bytes, %s\n", nRows, static_cast<long long>(bytes.size()),
                qPrintable(sEnc));

    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int run = 0; run < nRuns; ++run) {
        AddressList adr;
        const std::clock_t cpuStart = std::clock();
        QElapsedTimer timer;
        timer.start();
        const AddressList::Outcome outcome = adr.LoadAdrList(u"ZAOEN "_s + path);
        const bool bReady = adr.nAdrIdx == 0 && !adr.Current().isEmpty();
        const double ms = timer.nsecsElapsed() / 1e6;
        const double cpuMs = (std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
        if (outcome != AddressList::Outcome::Filled || !bReady || adr.count() != nRows) {
            std::fprintf(stderr, "load failed: %d records\n", adr.count());
            return 1;
        }
        times.push_back(ms);
        cpuTimes.push_back(cpuMs);
        std::printf("run %d: %.1f ms (cpu %.1f ms)\n", run + 1, ms, cpuMs);
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf("median of %d runs: %.1f ms (cpu %.1f ms)\n", nRuns, times[times.size() / 2],
                cpuTimes[cpuTimes.size() / 2]);
    return 0;
}
