#include "addresslist/AddressList.h"
#include "platform/TextFile.h"
#include "profile/ProfileModel.h"

#include "addresslist/QStringPrint.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

using Outcome = AddressList::Outcome;

const QString kHeader = u"郵便番号,住所,所属,肩書,氏名"_s;

// Writes the lines in code page 932 with CR LF after each and returns the path.
QString WriteList(const QStringList& lines) {
    return test::WriteListFile(lines);
}

struct Conversion {
    const char16_t* codes;
    const char16_t* csv;
    const char16_t* record;
    const char16_t* row;
};

// The worked conversions, then more cases around the column codes.
const Conversion kConversions[] = {
    {u"ZAOEN", u"100-0001,東京都　千代田区　千代田1-1,総務部,部長,山田太郎",
     u"100-0001,;東京都;千代田区;千代田1-1,総務部,'部長;山田太郎,", u"総務部 部長山田太郎"},
    {u"ZAOEN", u"100-0001,東京都,,,山田花子", u"100-0001,;東京都,,山田花子,", u"山田花子"},
    {u"ZAOEN", u"100-0001,東京都,,部長,", u"100-0001,;東京都,,部長,", u"部長"},
    {u"ZA@@EN", u"100-0001,東京都,,千代田1-1,部長,山田太郎",
     u"100-0001,東京都;;千代田1-1,'部長;山田太郎,", u"部長山田太郎"},
    // Brackets are dropped from a full-layout code string...
    {u"[ZAOEN]", u"100-0001,東京都　千代田区,総務部,部長,山田太郎",
     u"100-0001,;東京都;千代田区,総務部,'部長;山田太郎,", u"総務部 部長山田太郎"},
    // ...but stay in a pre-split one, where they are address columns like "@".
    {u"[ZA@EN]", u"x,100-0001,東京都,千代田1-1,部長,山田太郎,y",
     u"100-0001,x;東京都;千代田1-1;y,'部長;山田太郎,", u"部長山田太郎"},
    // Full layout: prefecture, honorific, values trimmed of both kinds of space, later
    // postal codes win, columns beyond the codes ignored.
    {u"ZKANSZ", u"　100-0001 ,東京都, 千代田区　丸の内 ,山田太郎,先生,100-0002,無視",
     u"100-0002,東京都;千代田区;丸の内,,山田太郎,先生", u"山田太郎 先生"},
    // Lower-case a/o also split at half-width spaces; codes are case-sensitive, so e, n, s
    // mean nothing in the full layout.
    {u"zaoens", u"1,千代田区 丸の内,本社 総務部,部長,山田,様", u"1,;千代田区;丸の内,本社;総務部,,",
     u"本社総務部"},
    {u"ZAOEN", u"1,a  b,c;;d,,e  f", u"1,;a b,c;d,e f,", u"cd e f"},
    // Two names, two titles.
    {u"ZAENEN", u"1,東京都,部長,山田太郎,課長,山田花子",
     u"1,;東京都,,'部長;山田太郎;'課長;山田花子,", u"部長山田太郎課長山田花子"},
    // Pre-split: codes upper-cased, K and O are address columns, values untouched, empty
    // columns keep their line.
    {u"zak@oen", u"1, 東京都,,x ,本社 ,部長,山田", u"1, 東京都;;x ;本社 ,'部長;山田,", u"部長山田"},
    {u"Z@@N", u"1,,東京都,山田", u"1,;東京都,山田,", u"山田"},
    {u"Z@@NS", u"1,東京都　千代田区,,山田,様", u"1,東京都　千代田区;,山田,様", u"山田"},
    {u"ZA@N", u"1,東京都　千代田区,,山田", u"1,東京都;千代田区;,山田,", u"山田"},
};

class ConversionTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(ConversionTest, RecordLineAndRow) {
    const Conversion& c = GetParam();
    AddressList adr;
    const QString path = WriteList({kHeader, QString::fromUtf16(c.csv)});
    ASSERT_EQ(adr.LoadAdrList(QString::fromUtf16(c.codes) + u' ' + path), Outcome::Filled);
    ASSERT_EQ(adr.count(), 1);
    EXPECT_EQ(adr.colAdr[0], QString::fromUtf16(c.record));
    EXPECT_EQ(adr.Row(0), QString::fromUtf16(c.row));
    EXPECT_EQ(adr.nAdrIdx, 0);
}

INSTANTIATE_TEST_SUITE_P(Codes, ConversionTest, ::testing::ValuesIn(kConversions));

struct Request {
    const char16_t* sCm;
    bool bHasCodes;
    const char16_t* codes;
    const char16_t* path;
};

TEST(LoadRequest, CodesOnlyWhenTheFirstWordIsNoPath) {
    const Request kCases[] = {
        {u"ZAOEN /home/u/list.csv", true, u"ZAOEN", u"/home/u/list.csv"},
        {u"  ZAOEN /home/u/my list.csv  ", true, u"ZAOEN", u"/home/u/my list.csv"},
        {u"/home/u/my list.csv", false, u"", u"/home/u/my list.csv"},
        {u"data/list.csv", false, u"", u"data/list.csv"},
        {u"ZAOEN ", false, u"", u"ZAOEN"}, // a cancelled dialog
        {u"[ZA@EN] a.csv", true, u"[ZA@EN]", u"a.csv"},
        {u"", false, u"", u""},
    };
    for (const Request& c : kCases) {
        const LoadRequest req = SplitLoadRequest(QString::fromUtf16(c.sCm));
        EXPECT_EQ(req.bHasCodes, c.bHasCodes) << QString::fromUtf16(c.sCm).toStdString();
        EXPECT_EQ(req.sCodes, QString::fromUtf16(c.codes));
        EXPECT_EQ(req.sPath, QString::fromUtf16(c.path));
    }
}

TEST(LoadAdrList, FirstLineIsAlwaysTheHeader) {
    AddressList adr;
    const QString path =
        WriteList({u"100-0001,東京都,,,山田花子"_s, u"100-0002,大阪府,,,佐藤一郎"_s});
    ASSERT_EQ(adr.LoadAdrList(u"ZAOEN "_s + path), Outcome::Filled);
    EXPECT_EQ(adr.colAdr, QStringList{u"100-0002,;大阪府,,佐藤一郎,"_s});
}

TEST(LoadAdrList, BlankAndHonorificOnlyLinesYieldNoRecordWithCodes) {
    struct Case {
        QString codes;
        QStringList lines;
        QStringList rows;
    };
    const Case kCases[] = {
        {u"ZAOENS"_s,
         {kHeader, u"1,東京都,,,山田"_s, u""_s, u" , ,　,,"_s, u",,,,,様"_s, u"2,大阪府,,,佐藤"_s},
         {u"山田"_s, u"佐藤"_s}},
        // A title column first: an empty line still has no column to take the title mark.
        {u"E@N"_s,
         {kHeader, u"部長,東京都,山田"_s, u""_s, u"課長,大阪府,佐藤"_s},
         {u"部長山田"_s, u"課長佐藤"_s}},
    };
    for (const Case& c : kCases) {
        AddressList adr;
        ASSERT_EQ(adr.LoadAdrList(c.codes + u' ' + WriteList(c.lines)), Outcome::Filled);
        EXPECT_EQ(adr.Rows(), c.rows) << c.codes.toStdString();
    }
}

// A short record line (possible only without codes) no longer ends the load: the lines after
// it load, and the skipped ones are named by their line in the file.
TEST(LoadAdrList, ShortRecordLinesAreSkippedAndNamedWithoutCodes) {
    struct Case {
        bool bFullLay;
        QStringList lines;
        QStringList rows;
        QList<int> skipped; // line numbers in the file
    };
    const Case kCases[] = {
        // A blank line.
        {true,
         {u"h"_s, u"1,;東京都,,山田,"_s, u""_s, u"2,;大阪府,,佐藤,"_s},
         {u"山田"_s, u"佐藤"_s},
         {3}},
        // Four fields are too few for the full layout.
        {true, {u"h"_s, u"1,;東京都,,山田,"_s, u"2,;大阪府,,佐藤"_s}, {u"山田"_s}, {3}},
        {false,
         {u"h"_s, u"1,東京都,山田,"_s, u"2,大阪府"_s, u"3,京都府,鈴木,"_s, u"4"_s},
         {u"山田"_s, u"鈴木"_s},
         {3, 5}},
    };
    for (const Case& c : kCases) {
        AddressList adr;
        adr.bFullLay = c.bFullLay;
        adr.nAdrIdx = 5;
        EXPECT_EQ(adr.LoadAdrList(WriteList(c.lines)), Outcome::Filled);
        EXPECT_EQ(adr.Rows(), c.rows);
        EXPECT_EQ(adr.colAdr.size(), c.rows.size());
        EXPECT_EQ(adr.nAdrIdx, 0);
        QList<int> lines;
        for (const AddressList::Skipped& sk : adr.skipped)
            lines << sk.nLine;
        EXPECT_EQ(lines, c.skipped);
        for (const int n : c.skipped)
            EXPECT_TRUE(adr.sLoadMsg.contains(QString::number(n))) << adr.sLoadMsg.toStdString();
    }
    // Nothing but short lines: nothing to load, the list stays as it was.
    AddressList adr;
    adr.nAdrIdx = 5;
    EXPECT_EQ(adr.LoadAdrList(WriteList({u"h"_s, u"x"_s})), Outcome::Refused);
    EXPECT_EQ(adr.nAdrIdx, 5);
    EXPECT_FALSE(adr.sLoadMsg.isEmpty());
}

TEST(LoadAdrList, WithoutCodesTheLayoutOfTheLastLoadWithCodesHolds) {
    AddressList adr;
    // Fresh: the pre-split layout, where field 3 is the names.
    const QString recs = WriteList({u"h"_s, u"1,;東京都,総務部,'部長;山田,様"_s});
    ASSERT_EQ(adr.LoadAdrList(recs), Outcome::Filled);
    EXPECT_FALSE(adr.bFullLay);
    EXPECT_EQ(adr.Rows(), QStringList{u"総務部"_s});

    ASSERT_EQ(adr.LoadAdrList(u"ZAOEN "_s + WriteList({kHeader, u"1,東京都,,,山田"_s})),
              Outcome::Filled);
    EXPECT_TRUE(adr.bFullLay);
    ASSERT_EQ(adr.LoadAdrList(recs), Outcome::Filled);
    EXPECT_TRUE(adr.bFullLay);
    EXPECT_EQ(adr.Rows(), QStringList{u"総務部 部長山田 様"_s});
    EXPECT_EQ(adr.colAdr, QStringList{u"1,;東京都,総務部,'部長;山田,様"_s});
}

TEST(FillAdrList, RowsAreCutToFiftyCharactersBeforeMarksGo) {
    const QString org = u"あ;"_s.repeated(20); // 40 characters
    const QString names = u"'部長;山田太郎"_s; // 8 characters
    AddressList adr;
    adr.bFullLay = true;
    ASSERT_EQ(adr.FillAdrList(u"h\r\n1,;東京都,"_s + org + u","_s + names + u",様\r\n"_s),
              Outcome::Filled);
    // org + " " + names is 49 characters; the 50th is the space before the honorific.
    EXPECT_EQ(adr.Row(0), u"あ"_s.repeated(20) + u" 部長山田太郎"_s);

    const QString longName = u"山"_s.repeated(60);
    ASSERT_EQ(adr.FillAdrList(u"h\r\n1,;東京都,,"_s + longName + u",\r\n"_s), Outcome::Filled);
    EXPECT_EQ(adr.Row(0), u"山"_s.repeated(50)); // leading space removed before the cut

    // The pre-split row is the names field, uncut.
    adr.bFullLay = false;
    ASSERT_EQ(adr.FillAdrList(u"h\r\n1,東京都,"_s + longName + u",\r\n"_s), Outcome::Filled);
    EXPECT_EQ(adr.Row(0), longName);
}

TEST(FillAdrList, SeparatorsAroundTheTextAreDropped) {
    AddressList adr;
    adr.bFullLay = false;
    ASSERT_EQ(adr.FillAdrList(u"\r\n\r\nh\r\n1,a,山田,\r\n\r\n\r\n"_s), Outcome::Filled);
    EXPECT_EQ(adr.colAdr, QStringList{u"1,a,山田,"_s});
    ASSERT_EQ(adr.FillAdrList(QString()), Outcome::Filled);
    EXPECT_EQ(adr.count(), 0);
}

// Every request that names no usable file leaves the list, the index and the layout alone;
// only a file that is there but yields nothing says so.
TEST(LoadAdrList, NothingChangesWithoutAReadableNonEmptyFile) {
    AddressList adr;
    ASSERT_EQ(
        adr.LoadAdrList(u"Z@N "_s + WriteList({kHeader, u"1,東京都,山田"_s, u"2,大阪府,佐藤"_s})),
        Outcome::Filled);
    adr.nAdrIdx = 1;
    const QString dir = test::NewTempDir();
    const QString empty = dir + u"/empty.csv"_s;
    test::WriteBytes(empty, QByteArray());
    QStringList requests{u"ZAOEN "_s,
                         u""_s,
                         u"ZAOEN "_s + dir + u"/missing.csv"_s,
                         u"ZAOEN "_s + dir,
                         u"ZAOEN "_s + empty,
                         empty,
                         u"ZAOEN /dev/zero"_s};
    // Exists but fails to read, as a file that vanishes after the existence test does.
    if (QFileInfo(u"/proc/self/mem"_s).isFile())
        requests << u"ZAOEN /proc/self/mem"_s;
    for (const QString& req : requests) {
        const bool bThere = QFileInfo::exists(SplitLoadRequest(req).sPath);
        EXPECT_EQ(adr.LoadAdrList(req), bThere ? Outcome::Refused : Outcome::Unchanged)
            << req.toStdString();
        EXPECT_EQ(adr.sLoadMsg.isEmpty(), !bThere);
        EXPECT_EQ(adr.Rows(), (QStringList{u"山田"_s, u"佐藤"_s}));
        EXPECT_EQ(adr.nAdrIdx, 1);
        EXPECT_FALSE(adr.bFullLay);
    }
}

TEST(LoadAdrList, BadBytesBecomeReplacementCharacters) {
    const QString dir = test::NewTempDir();
    // "山田" in code page 932 with a stray 0xFF and a lone lead byte at the very end.
    const QByteArray bytes = QByteArray("h\r\n1,a,,,\x8e\x52\xff\x93\x63\r\n2,b,,,x\x81");
    test::WriteBytes(dir + u"/bad.csv"_s, bytes);
    AddressList adr;
    ASSERT_EQ(adr.LoadAdrList(u"ZAOEN "_s + dir + u"/bad.csv"_s), Outcome::Filled);
    EXPECT_EQ(adr.Rows(), (QStringList{u"山\uFFFD田"_s, u"x\uFFFD"_s}));
}

TEST(LoadAdrList, BinaryFilesAreRefusedAndLfListsLoad) {
    const QString dir = test::NewTempDir();
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    binary += "\r\n\r\n,,,,\r\n";
    test::WriteBytes(dir + u"/bin.csv"_s, binary);
    test::WriteBytes(dir + u"/lf.csv"_s, "h\n1,a,,,x\n2,b,,,y\n");

    for (const QString& codes : {u"ZAOEN "_s, u"Z@@EN "_s, QString()}) {
        for (bool bFull : {false, true}) {
            AddressList adr;
            adr.bFullLay = bFull;
            EXPECT_EQ(adr.LoadAdrList(codes + dir + u"/bin.csv"_s), Outcome::Refused);
            EXPECT_TRUE(adr.sLoadMsg.contains(u"bin.csv"_s));
            EXPECT_EQ(adr.count(), 0);
            EXPECT_EQ(adr.LoadAdrList(codes + dir + u"/lf.csv"_s), Outcome::Filled);
            EXPECT_EQ(adr.count(), 2);
        }
    }
}

TEST(LoadAdrList, OneHugeLineIsTheHeader) {
    const QString path = test::NewTempDir() + u"/huge.csv"_s;
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const QByteArray chunk = QByteArray("\x93\x8c\x8b\x9e ,  ;;,").repeated(4096);
        for (qint64 n = 0; n < 50LL * 1024 * 1024; n += chunk.size())
            f.write(chunk);
    }
    // A header and nothing else: no address, said so.
    AddressList adr;
    ASSERT_EQ(adr.LoadAdrList(u"ZAOEN "_s + path), Outcome::Refused);
    EXPECT_EQ(adr.count(), 0);
    adr.bFullLay = false;
    ASSERT_EQ(adr.LoadAdrList(path), Outcome::Refused);
    EXPECT_EQ(adr.count(), 0);
}

TEST(TrimSepAll, RepetitionsGoFromTheEndThenTheStart) {
    struct Case {
        QString text, sep, result;
    };
    const Case kCases[] = {
        {u"\r\n\r\nA\r\n"_s, u"\r\n"_s, u"A"_s},
        {u";;a;b;;"_s, u";"_s, u"a;b"_s},
        {u"\r\n\r\n"_s, u"\r\n"_s, u""_s},
        {u"\r\n\n"_s, u"\r\n"_s, u"\n"_s},
        {u"aaa"_s, u"aa"_s, u"a"_s},
        {u";x;"_s, u""_s, u";x;"_s},
    };
    for (const Case& c : kCases) {
        QString text = c.text;
        TrimSepAll(text, c.sep);
        EXPECT_EQ(text, c.result) << c.text.toStdString();
    }
}

TEST(TidyFields, SpacesAndSeparatorsCollapse) {
    QStringList values{u"  a    b  "_s, u";;;x;;;;y;"_s, u"　a　"_s, u"'部長"_s};
    TidyFields(values);
    EXPECT_EQ(values, (QStringList{u"a b"_s, u";x;y;"_s, u"　a　"_s, u"'部長"_s}));
}

// Rows past 32767 are as reachable as the first.
TEST(AddressList, EveryRowOfALongListCanBeCurrent) {
    QString text = u"h\r\n"_s;
    for (int i = 0; i < 40000; ++i)
        text += u"%1,a,n%1,\r\n"_s.arg(i);
    AddressList adr;
    ASSERT_EQ(adr.FillAdrList(text), Outcome::Filled);
    ASSERT_EQ(adr.count(), 40000);
    adr.nAdrIdx = 39999;
    EXPECT_EQ(adr.Current(), u"39999,a,n39999,"_s);
    EXPECT_EQ(adr.Row(adr.nAdrIdx), u"n39999"_s);
}

} // namespace
