#include "platform/TextFile.h"

#include "BatchRun.h"
#include "addresslist/QStringPrint.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

QString WriteCsv(const QString& text) {
    static int n = 0;
    const QString path = test::NewTempDir() + u"/list%1.csv"_s.arg(++n);
    EXPECT_EQ(WriteTextFile(path, text), QString());
    return path;
}

using Pairs = QList<std::pair<QString, QString>>;

Pairs RecordsOf(const ProcRun& r) {
    Pairs pairs;
    for (const QJsonObject& o : r.lines) {
        EXPECT_EQ(o.size(), 2);
        pairs.append({o.value(u"record"_s).toString(), o.value(u"row"_s).toString()});
    }
    return pairs;
}

TEST(BatchRecords, PrintsEveryRecordWithItsRow) {
    const QString path = WriteCsv(u"郵便番号,住所,所属,肩書,氏名\r\n"
                                  u"100-0001,東京都　千代田区　千代田1-1,総務部,部長,山田太郎\r\n"
                                  u"\r\n"
                                  u"100-0001,東京都,,部長,\r\n"
                                  u"100-0002,\"大阪\\府\",,,\"山田\"\r\n"_s);
    struct Case {
        QStringList args;
        Pairs expected;
        int rc = 0;
        int nErrLines = -1; // lines on stderr; -1: as many as rc
    };
    const Pairs full{
        {u"100-0001,;東京都;千代田区;千代田1-1,総務部,'部長;山田太郎,"_s, u"総務部 部長山田太郎"_s},
        {u"100-0001,;東京都,,部長,"_s, u"部長"_s},
        // Quoted fields lose their quotes; backslashes are data, the JSON escapes them.
        {u"100-0002,;大阪\\府,,山田,"_s, u"山田"_s}};
    const Case kCases[] = {
        {{u"records"_s, u"--codes"_s, u"ZAOEN"_s, path}, full},
        {{u"records"_s, path, u"--codes"_s, u"[ZAOEN]"_s}, full},
        {{u"records"_s, u"--codes"_s, u"ZA@@EN"_s, path},
         {{u"100-0001,東京都;千代田区;千代田1-1;総務部;部長,'山田太郎,"_s, u"山田太郎"_s},
          {u"100-0001,東京都;;部長,',"_s, u""_s},
          {u"100-0002,大阪\\府;;,'山田,"_s, u"山田"_s}}},
        // Without codes on a fresh start the file must already hold pre-split record lines
        // (read as they are, quotes and all): the blank line is skipped with a warning.
        {{u"records"_s, path},
         {{u"100-0001,東京都　千代田区　千代田1-1,総務部,部長,山田太郎"_s, u"総務部"_s},
          {u"100-0001,東京都,,部長,"_s, u""_s},
          {u"100-0002,\"大阪\\府\",,,\"山田\""_s, u""_s}},
         0,
         1},
        // A missing file or a folder loads nothing, and that is a failure.
        {{u"records"_s, u"--codes"_s, u"ZAOEN"_s, path + u".none"_s}, {}, 1},
        {{u"records"_s, u"--codes"_s, u"ZAOEN"_s, QFileInfo(path).absolutePath()}, {}, 1},
    };
    for (const Case& c : kCases) {
        const ProcRun r = Batch(c.args);
        EXPECT_EQ(r.rc, c.rc) << r.err.toStdString();
        // One line says why, or warns.
        EXPECT_EQ(r.err.count(u'\n'), c.nErrLines < 0 ? c.rc : c.nErrLines) << r.err.toStdString();
        EXPECT_TRUE(r.bAllJson) << r.out.toStdString();
        EXPECT_EQ(RecordsOf(r), c.expected) << c.args.join(u' ').toStdString();
    }
}

TEST(BatchRecords, BadBytesComeOutAsReplacementCharacters) {
    const QString path = test::NewTempDir() + u"/bad.csv"_s;
    test::WriteBytes(path, "h\r\n1,a,,,\x8e\x52\xff\x93\x63\r\n");
    const ProcRun r = Batch({u"records"_s, u"--codes"_s, u"ZAOEN"_s, path});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(RecordsOf(r), (Pairs{{u"1,;a,,山\uFFFD田,"_s, u"山\uFFFD田"_s}}));
}

TEST(BatchRecords, TheSampleListHasThirtyRecords) {
    const ProcRun r = Batch({u"records"_s, u"--codes"_s, u"ZAOEN"_s,
                             QStringLiteral(HOPLARK_SOURCE_DIR "/data/sample/addresses.csv")});
    EXPECT_EQ(r.rc, 0);
    EXPECT_TRUE(r.bAllJson);
    EXPECT_EQ(r.lines.size(), 30);
}

TEST(BatchRecords, AWrongCommandLineIsRefusedWithUsage) {
    const QString path = WriteCsv(u"h\r\n1,a,b,\r\n"_s);
    const QList<QStringList> kWrong{
        {u"records"_s},
        {u"records"_s, u"--codes"_s},
        {u"records"_s, u"--codes"_s, u"ZAOEN"_s},
        {u"records"_s, u"--codes"_s, u"ZAOEN"_s, u"--codes"_s, u"ZAOEN"_s, path},
        {u"records"_s, u"--cods"_s, u"ZAOEN"_s, path},
        {u"records"_s, path, path},
    };
    for (const QStringList& args : kWrong) {
        const ProcRun r = Batch(args);
        EXPECT_EQ(r.rc, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(u"usage: hoplark-batch records [--codes CODES"_s))
            << r.err.toStdString();
    }
    // "--" ends the options, so a file may begin with "--".
    const ProcRun r = Batch({u"records"_s, u"--"_s, path});
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(RecordsOf(r), (Pairs{{u"1,a,b,"_s, u"b"_s}}));
}

} // namespace
