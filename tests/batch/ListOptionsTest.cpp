#include "BatchRun.h"
#include "support/TestEnv.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

QString Write(const QString& sDir, const QString& sName, const QByteArray& bytes) {
    test::WriteBytes(sDir + u'/' + sName, bytes);
    return sDir + u'/' + sName;
}

// What the list options do to "records": the exit status, the lines on stderr (a refusal or
// a warning, each one line) and the records.
TEST(BatchListOptions, EncodingColumnsAndWhatIsTold) {
    const QString dir = test::NewTempDir();
    const QString lists = QStringLiteral(HOPLARK_SOURCE_DIR "/tests/addresslist/lists/");
    const QByteArray utf8 = u"h\n1,東京都,,,髙橋\n"_s.toUtf8();
    const struct {
        QStringList args;
        int rc;
        int nErr;          // lines on stderr
        QString sErr;      // what stderr holds
        QStringList names; // the row of each record
    } kCases[] = {
        {{u"--codes"_s, u"ZAOEN"_s, Write(dir, u"lf.csv"_s, utf8)}, 0, 0, {}, {u"髙橋"_s}},
        {{u"--codes"_s, u"ZAOEN"_s, Write(dir, u"cr.csv"_s, "h\r1,a,,,x\r2,b,,,y\r")},
         0,
         0,
         {},
         {u"x"_s, u"y"_s}},
        {{u"--encoding"_s, u"UTF-8"_s, u"--codes"_s, u"ZAOEN"_s, dir + u"/lf.csv"_s},
         0,
         0,
         {},
         {u"髙橋"_s}},
        // Shift-JIS chosen for UTF-8 bytes: something is read, just not the name.
        {{u"--encoding"_s, u"cp932"_s, u"--codes"_s, u"ZAOEN"_s, dir + u"/lf.csv"_s}, 0, 0, {}, {}},
        {{u"--columns"_s, u"auto"_s, lists + u"google.csv"_s}, 0, 0, {}, {u"架空　花子"_s}},
        // A vCard file needs no option: its columns are known.
        {{lists + u"contacts.vcf"_s},
         0,
         0,
         {},
         {u"株式会社架空商事営業部， 第二課 部長架空　花子"_s, u"Jiro Kakuu"_s, u"見本　三郎"_s}},
        {{u"--columns"_s, u"auto"_s, Write(dir, u"unknown.csv"_s, "Foo,Bar\n1,2\n")},
         1,
         1,
         u"Foo,Bar"_s,
         {}},
        {{u"--codes"_s, u"ZAOEN"_s, Write(dir, u"header.csv"_s, "h\n")}, 1, 1, u"header.csv"_s, {}},
        {{u"--codes"_s, u"ZAOEN"_s, Write(dir, u"bin.csv"_s, QByteArray("h\n1,\0,,,x\n", 10))},
         1,
         1,
         u"bin.csv"_s,
         {}},
        // Without codes a short line is skipped with one warning; the rest load.
        {{Write(dir, u"short.csv"_s, "h\n1,a,x,\n2\n3,b,y,\n")}, 0, 1, u"3"_s, {u"x"_s, u"y"_s}},
        {{u"--encoding"_s, u"latin1"_s, dir + u"/lf.csv"_s}, 2, -1, u"--encoding"_s, {}},
        {{u"--columns"_s, u"auto"_s, u"--codes"_s, u"ZAOEN"_s, dir + u"/lf.csv"_s},
         2,
         -1,
         u"--columns"_s,
         {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const ProcRun r = Batch(QStringList{u"records"_s, u"--data"_s, dir + u"/data"_s} + c.args);
        EXPECT_EQ(r.rc, c.rc) << r.err.toStdString();
        if (c.nErr >= 0) {
            EXPECT_EQ(r.err.count(u'\n'), c.nErr) << r.err.toStdString();
        }
        EXPECT_TRUE(r.err.contains(c.sErr)) << r.err.toStdString();
        if (c.rc != 0)
            continue;
        QStringList rows;
        for (const QJsonObject& o : r.lines)
            rows << o.value(u"row"_s).toString();
        if (c.names.isEmpty()) {
            EXPECT_FALSE(rows.isEmpty() || rows.contains(u"髙橋"_s));
        } else {
            EXPECT_EQ(rows, c.names);
        }
    }
}

// A UTF-8 list with LF line ends prints every address, names outside code page 932 kept and
// drawn in a font that has them; a list without addresses fails and writes nothing.
TEST(BatchListOptions, PrintReadsLinuxListsAndRefusesEmptyOnes) {
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    const QString base = test::NewTempDir();
    const QString data = SeedDataFolder(base, u"はがき 縦書き"_s, u"<名前>差出　一号\r\n"_s);
    const QString list = Write(base, u"list.csv"_s,
                               u"郵便番号,住所,勤務先,肩書,氏名\n"
                               u"100-0001,東京都　千代田区,,,𠮷田　𡈽子\n"
                               u"530-0001,大阪府　大阪市,,,佐藤　一郎\n"_s.toUtf8());
    const auto print = [&](const QString& sList, const QString& pdf) {
        return Batch({u"print"_s, u"--data"_s, data, u"--profile"_s, u"はがき 縦書き"_s,
                      u"--columns"_s, u"auto"_s, sList, u"--pdf"_s, pdf});
    };
    const ProcRun r = print(list, base + u"/out.pdf"_s);
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    // In drawing order: the layout order mixes the columns of large vertical names.
    QString text = Exec(u"pdftotext"_s, {u"-raw"_s, base + u"/out.pdf"_s, u"-"_s}).out;
    text.remove(QRegularExpression(u"\\s"_s));
    EXPECT_TRUE(text.contains(u"𠮷田𡈽子"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"佐藤一郎"_s));
    EXPECT_TRUE(Exec(u"pdfinfo"_s, {base + u"/out.pdf"_s})
                    .out.contains(QRegularExpression(u"Pages:\\s+2\\n"_s)));
    // The IPA fonts lack these kanji; IPAmj Mincho has them.
    if (!Exec(u"fc-list"_s, {u":family=IPAmjMincho"_s}).out.isEmpty()) {
        EXPECT_TRUE(Exec(u"pdffonts"_s, {base + u"/out.pdf"_s}).out.contains(u"IPAmjMincho"_s));
    }
    const ProcRun empty =
        print(Write(base, u"empty.csv"_s, "郵便番号,住所,氏名\n"), base + u"/empty.pdf"_s);
    EXPECT_EQ(empty.rc, 1);
    EXPECT_EQ(empty.err.count(u'\n'), 1);
    EXPECT_TRUE(empty.err.contains(u"empty.csv"_s)) << empty.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(base + u"/empty.pdf"_s));
}

} // namespace
