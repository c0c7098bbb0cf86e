#include "BatchRun.h"
#include "compose/VertText.h"
#include "platform/Cp932.h"
#include "support/TestEnv.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

struct Text {
    QString s;
    double size;
    QRect r;
};

// The texts of each printed page of a trace.
QList<QList<Text>> PrintedPages(const QString& trace) {
    QList<QList<Text>> pages;
    for (const QByteArray& line : test::ReadBytes(trace).split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        const QString op = o.value(u"op"_s).toString();
        if (op == u"StartPage"_s)
            pages.append(QList<Text>());
        else if (op == u"DrawText"_s && o.value(u"dev"_s).toInt() == 1 && !pages.isEmpty()) {
            const int x1 = o.value(u"x1"_s).toInt(), x2 = o.value(u"x2"_s).toInt();
            pages.last().append(
                {o.value(u"text"_s).toString(), o.value(u"size"_s).toDouble(),
                 QRect(QPoint(std::min(x1, x2), o.value(u"y1"_s).toInt()),
                       QPoint(std::max(x1, x2) - 1, o.value(u"y2"_s).toInt() - 1))});
        }
    }
    return pages;
}

// A text as a reader compares it: vertical forms, no blanks, compatibility forms folded.
QString Reading(QString s, bool bVert = true) {
    if (bVert)
        VertText(s, true, false);
    s.remove(QRegularExpression(u"[\\s\u3000]"_s));
    return s.normalized(QString::NormalizationForm_KC);
}

} // namespace

// The first postcard a new user prints: a fresh data folder (starter profiles, first-run
// honorific list, sample sender) and the sample list on the vertical postcard. The name is
// the largest text, stands on the card's centre line, nothing overlaps and nothing is lost.
TEST(FirstPostcard, SampleListLooksSetOnTheVerticalPostcard) {
    const QString dir = test::NewTempDir();
    const QString list = QStringLiteral(HOPLARK_SOURCE_DIR "/data/sample/addresses.csv");
    const ProcRun r =
        Batch({u"print"_s, u"--data"_s, dir + u"/data"_s, u"--profile"_s, u"はがき 縦書き"_s,
               u"--codes"_s, u"ZAOEN"_s, list, u"--sender"_s, u"0"_s, u"--pdf"_s, dir + u"/o.pdf"_s,
               u"--trace"_s, dir + u"/t.jsonl"_s});
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();

    QStringList rows = DecodeCp932(test::ReadBytes(list)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    rows.removeFirst();
    const QStringList sender =
        DecodeCp932(test::ReadBytes(QStringLiteral(HOPLARK_SOURCE_DIR "/data/sample/差出人.ini")))
            .remove(QRegularExpression(u"<[^>]*>"_s))
            .split(u"\r\n"_s, Qt::SkipEmptyParts);
    const QList<QList<Text>> pages = PrintedPages(dir + u"/t.jsonl"_s);
    ASSERT_EQ(pages.size(), rows.size());

    const int nCardW = 1000;
    int nChecked = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList f = rows[i].split(u',');
        const QList<Text>& page = pages[i];
        const std::string where = "row " + std::to_string(i) + " " + f[4].toStdString();
        QString sAll;
        for (const Text& t : page)
            sAll += t.s;
        const QString sDigits = Reading(sAll, false);
        sAll = Reading(sAll);
        QStringList fields = f[1].split(u'　') + f[2].split(u'　') + sender.mid(1);
        fields << f[3] << f[4].split(u'・');
        for (const QString& field : fields)
            EXPECT_TRUE(sAll.contains(Reading(field))) << where << ": " << field.toStdString();
        // Postal codes keep their digits, one to a box.
        for (const QString& zip : {f[0], sender.value(0)})
            EXPECT_TRUE(sDigits.contains(QString(zip).remove(u'-')))
                << where << ": " << zip.toStdString();
        for (int a = 0; a < page.size(); ++a)
            for (int b = a + 1; b < page.size(); ++b)
                EXPECT_FALSE(page[a].r.intersects(page[b].r))
                    << where << ": " << page[a].s.toStdString() << " / " << page[b].s.toStdString();

        // One name, and the address block in its own columns (no extra line moved the name).
        const auto name = std::find_if(page.begin(), page.end(), [&](const Text& t) {
            return Reading(t.s).startsWith(Reading(f[4].section(u'　', 0, 0)));
        });
        const auto address = std::find_if(page.begin(), page.end(), [&](const Text& t) {
            return Reading(t.s).startsWith(Reading(f[1].section(u'　', 0, 0)));
        });
        ASSERT_TRUE(name != page.end() && address != page.end()) << where;
        const int nAddressLines = std::count_if(page.begin(), page.end(), [&](const Text& t) {
            return t.r.left() > name->r.right() && t.r.top() > 200;
        });
        if (f[4].contains(u'・') || nAddressLines > 3)
            continue;
        ++nChecked;
        EXPECT_GE(name->size, 1.6 * address->size) << where;
        EXPECT_LE(std::abs(name->r.center().x() - nCardW / 2), nCardW * 5 / 100) << where;
    }
    EXPECT_GE(nChecked, rows.size() / 2);
}
