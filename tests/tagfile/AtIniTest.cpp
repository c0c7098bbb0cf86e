#include "tagfile/AtIni.h"

#include "support/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

// The text of a file holding blocks A and B.
QString TwoBlocks() {
    AtIni ini;
    ini.InTxt(QString());
    ini.SetBlk(u"Alpha"_s);
    ini.SetTag(u"Name"_s, u"あいう"_s);
    ini.SetTag(u"Count"_s, 42);
    ini.SetBlk(QString());
    ini.SetBlk(u"Beta"_s);
    ini.SetTag(u"Name"_s, u"beta value"_s);
    ini.SetTag(u"Neg"_s, -7);
    ini.SetBlk(QString());
    return ini.InTxt();
}

QString ReadString(AtIni& ini, const QString& blk, const QString& tag) {
    ini.GetBlk(blk);
    QString v = u"unchanged"_s;
    ini.GetTag(tag, v);
    return v;
}

} // namespace

TEST(AtIni, WritesTheExactLineFormat) {
    EXPECT_EQ(TwoBlocks(), u"<Alpha>\r\n"
                           "\t<Name>\tあいう</Name>\r\n"
                           "\t<Count>\t42</Count>\r\n"
                           "</Alpha>\r\n"
                           "<Beta>\r\n"
                           "\t<Name>\tbeta value</Name>\r\n"
                           "\t<Neg>\t-7</Neg>\r\n"
                           "</Beta>\r\n"_s);
}

TEST(AtIni, FileRoundTripInCodePage932) {
    const QString path = test::NewTempDir() + u"/p.ini"_s;
    AtIni out;
    out.InTxt(TwoBlocks());
    ASSERT_EQ(out.SetTxt(path), QString());
    // Code page 932 bytes, CR LF kept, nothing added at the end.
    const QByteArray bytes = test::ReadBytes(path);
    EXPECT_TRUE(bytes.startsWith("<Alpha>\r\n\t<Name>\t\x82\xa0\x82\xa2\x82\xa4</Name>\r\n"));
    EXPECT_TRUE(bytes.endsWith("</Beta>\r\n"));

    AtIni in;
    bool bOk = false;
    in.GetTxt(path, bOk);
    ASSERT_TRUE(bOk);
    EXPECT_EQ(in.InTxt(), TwoBlocks());

    // Whatever the letter case of block and tag names asked for.
    struct Case {
        QString blk, tag, want;
    };
    const Case cases[] = {
        {u"Alpha"_s, u"Name"_s, u"あいう"_s}, {u"ALPHA"_s, u"name"_s, u"あいう"_s},
        {u"alpha"_s, u"COUNT"_s, u"42"_s},    {u"beta"_s, u"nAmE"_s, u"beta value"_s},
        {u"BETA"_s, u"neg"_s, u"-7"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadString(in, c.blk, c.tag), c.want)
            << c.blk.toStdString() << "/" << c.tag.toStdString();
    in.GetBlk(u"beta"_s);
    double n = 1;
    in.GetTag(u"NEG"_s, n);
    EXPECT_EQ(n, -7);
}

TEST(AtIni, MissingTagsAndBlocksReadAsEmptyZeroOrEmptyDate) {
    AtIni ini;
    ini.InTxt(TwoBlocks());
    ini.GetBlk(u"Alpha"_s);
    QString s = u"x"_s;
    double n = 5;
    TagDate d = QDateTime(QDate(2020, 1, 1), QTime(0, 0));
    ini.GetTag(u"Nope"_s, s);
    ini.GetTag(u"Nope"_s, n);
    ini.GetTag(u"Nope"_s, d);
    EXPECT_EQ(s, QString());
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(d.has_value());

    // A block that is not in the file finds nothing, although "Neg" exists in Beta, and the
    // block of an earlier GetBlk is forgotten.
    EXPECT_EQ(ReadString(ini, u"Gamma"_s, u"Neg"_s), QString());
    EXPECT_EQ(ReadString(ini, u"Gamma"_s, u"Name"_s), QString());
    // Tags are searched only inside the current block.
    EXPECT_EQ(ReadString(ini, u"Alpha"_s, u"Neg"_s), QString());
}

TEST(AtIni, BlockBoundaries) {
    struct Case {
        const char* what;
        QString text;
        QString block; // inner text expected from GetBlk("B")
        QString tagX;  // value of tag X in it
    };
    const Case cases[] = {
        {"empty block", u"<B>\r\n</B>\r\n"_s, QString(), QString()},
        {"closing tag missing", u"<B>\r\n\t<X>\t1</X>\r\n"_s, QString(), QString()},
        {"opening and closing on one line", u"<B></B>\r\n\t<X>\t1</X>\r\n"_s, QString(), QString()},
        {"first tag line starts at the '<'", u"<B>\r\n\t<X>\tv</X>\r\n</B>\r\n"_s,
         u"<X>\tv</X>\r\n"_s, u"v"_s},
        {"only the first block of a name",
         u"<B>\r\n\t<X>\t1</X>\r\n</B>\r\n<B>\r\n\t<X>\t2</X>\r\n</B>\r\n"_s, u"<X>\t1</X>\r\n"_s,
         u"1"_s},
        {"only the first tag of a name", u"<B>\r\n\t<X>\t1</X>\r\n\t<X>\t2</X>\r\n</B>\r\n"_s,
         u"<X>\t1</X>\r\n\t<X>\t2</X>\r\n"_s, u"1"_s},
        {"no TAB behind the tag loses a character", u"<B>\r\n\t<X>value</X>\r\n</B>\r\n"_s,
         u"<X>value</X>\r\n"_s, u"alue"_s},
        {"one-character value without TAB is empty", u"<B>\r\n\t<X>v</X>\r\n</B>\r\n"_s,
         u"<X>v</X>\r\n"_s, QString()},
        {"no TAB before the first tag loses the '<'", u"<B>\r\n<X>\tv</X>\r\n</B>\r\n"_s,
         u"X>\tv</X>\r\n"_s, QString()},
    };
    for (const Case& c : cases) {
        AtIni ini;
        ini.InTxt(c.text);
        QString blk = u"stale"_s;
        ini.GetBlk(u"b"_s, &blk);
        EXPECT_EQ(blk, c.block) << c.what;
        QString v = u"stale"_s;
        ini.GetTag(u"x"_s, v);
        EXPECT_EQ(v, c.tagX) << c.what;
    }
}

TEST(AtIni, ValuesRoundTrip) {
    AtIni ini;
    ini.InTxt(QString());
    ini.SetBlk(u"V"_s);
    ini.SetTag(u"Lines"_s, u"一行目\r\n二行目\r\n"_s);
    ini.SetTag(u"Max"_s, std::numeric_limits<int>::max());
    ini.SetTag(u"Min"_s, std::numeric_limits<int>::min());
    ini.SetTag(u"Zero"_s, 0);
    ini.SetTag(u"Frac"_s, 14.25);
    ini.SetTag(u"Text"_s, u"abc"_s);
    ini.SetTag(u"Lead"_s, u"12.5mm"_s);
    ini.SetTag(u"Day"_s, QDateTime(QDate(2024, 1, 5), QTime(0, 0)));
    ini.SetTag(u"Stamp"_s, QDateTime(QDate(2024, 12, 31), QTime(9, 5, 3)));
    ini.SetBlk(QString());
    ini.GetBlk(u"V"_s);

    QString s;
    ini.GetTag(u"Lines"_s, s);
    EXPECT_EQ(s, u"一行目\r\n二行目\r\n"_s); // line breaks stay part of the value

    struct Num {
        QString tag;
        double want;
    };
    const Num nums[] = {
        {u"Max"_s, 2147483647.0}, {u"Min"_s, -2147483648.0}, {u"Zero"_s, 0}, {u"Frac"_s, 14.25},
        {u"Text"_s, 0},           {u"Lead"_s, 12.5},         {u"Lines"_s, 0}};
    for (const Num& n : nums) {
        double v = -1;
        ini.GetTag(n.tag, v);
        EXPECT_EQ(v, n.want) << n.tag.toStdString();
    }

    TagDate d;
    ini.GetTag(u"Day"_s, d);
    EXPECT_EQ(d, QDateTime(QDate(2024, 1, 5), QTime(0, 0)));
    ini.GetTag(u"Stamp"_s, d);
    EXPECT_EQ(d, QDateTime(QDate(2024, 12, 31), QTime(9, 5, 3)));
    ini.GetTag(u"Text"_s, d);
    EXPECT_FALSE(d.has_value());

    // The variant form reads by the alternative it holds on entry.
    TagValue v = QString();
    ini.GetTag(u"Frac"_s, v);
    EXPECT_EQ(std::get<QString>(v), u"14.25"_s);
    v = 0.0;
    ini.GetTag(u"Frac"_s, v);
    EXPECT_EQ(std::get<double>(v), 14.25);
    v = TagDate();
    ini.GetTag(u"Day"_s, v);
    EXPECT_EQ(std::get<TagDate>(v), QDateTime(QDate(2024, 1, 5), QTime(0, 0)));
}

TEST(AtIni, NumbersAreWrittenInDecimalDigitsAndReadBack) {
    struct Case {
        double v;
        QString text;
    };
    const Case cases[] = {
        {14.25, u"14.25"_s},
        {-3, u"-3"_s},
        {0.1, u"0.1"_s},
        {0, u"0"_s},
        {-0.0, u"0"_s},
        {1e20, u"100000000000000000000"_s},
        {-2.5e16, u"-25000000000000000"_s},
        {1e-5, u"0.00001"_s},
        {-1.25e-7, u"-0.000000125"_s},
        {123456.789, u"123456.789"_s},
        {1.0 / 3, u"0.333333333333333"_s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AtIni::NumberText(c.v), c.text) << c.v;
        AtIni ini;
        ini.SetBlk(u"N"_s);
        ini.SetTag(u"V"_s, c.v);
        ini.SetBlk(QString());
        ini.GetBlk(u"N"_s);
        double back = -1;
        ini.GetTag(u"V"_s, back);
        EXPECT_NEAR(back, c.v, std::abs(c.v) * 1e-14) << c.v; // 15 significant digits
    }
}

TEST(AtIni, TextForms) {
    EXPECT_EQ(AtIni::DateText(QDateTime(QDate(2024, 1, 5), QTime(0, 0))), u"2024/01/05"_s);
    EXPECT_EQ(AtIni::DateText(QDateTime(QDate(2024, 1, 5), QTime(13, 4, 0))),
              u"2024/01/05 13:04:00"_s);
    EXPECT_EQ(AtIni::ParseDate(u"2024-2-3"_s), QDateTime(QDate(2024, 2, 3), QTime(0, 0)));
    EXPECT_FALSE(AtIni::ParseDate(u"2024/02/30"_s).has_value());
    EXPECT_FALSE(AtIni::ParseDate(QString()).has_value());
}

TEST(AtIni, ClosingTwiceWritesTheSameClosingLine) {
    AtIni ini;
    ini.SetBlk(u"A"_s);
    ini.SetBlk(QString());
    ini.SetBlk(QString());
    EXPECT_EQ(ini.InTxt(), u"<A>\r\n</A>\r\n</A>\r\n"_s);
    // Blocks do not nest: the inner closing line closes the last one opened.
    ini.InTxt(QString());
    ini.SetBlk(u"A"_s);
    ini.SetBlk(u"B"_s);
    ini.SetBlk(QString());
    ini.SetBlk(QString());
    EXPECT_EQ(ini.InTxt(), u"<A>\r\n<B>\r\n</B>\r\n</B>\r\n"_s);
}

TEST(AtIni, MissingEmptyOrUnreadableFilesAreNotOk) {
    const QString dir = test::NewTempDir();
    test::WriteBytes(dir + u"/empty.ini"_s, QByteArray());
    AtIni ini;
    for (const QString& path : {dir + u"/none.ini"_s, dir + u"/empty.ini"_s, dir}) {
        ini.InTxt(u"old text"_s);
        bool bOk = true;
        ini.GetTxt(path, bOk);
        EXPECT_FALSE(bOk) << path.toStdString();
        EXPECT_EQ(ini.InTxt(), QString());
    }
}

TEST(AtIni, FailedWriteNamesTheFileAndKeepsTheOldOne) {
    const QString dir = test::NewTempDir();
    const QString path = dir + u"/keep.ini"_s;
    AtIni ini;
    ini.InTxt(u"<A>\r\n</A>\r\n"_s);
    ASSERT_EQ(ini.SetTxt(path), QString());

    ini.InTxt(u"<A>\r\n\t<X>\t😀</X>\r\n</A>\r\n"_s);
    const QString msg = ini.SetTxt(path);
    EXPECT_TRUE(msg.contains(path));
    EXPECT_EQ(test::ReadBytes(path), QByteArray("<A>\r\n</A>\r\n"));

    const QString inMissing = dir + u"/no/such/folder/x.ini"_s;
    EXPECT_TRUE(ini.SetTxt(inMissing).contains(inMissing));
}

TEST(AtIni, NoLimitAt32767Characters) {
    AtIni ini;
    ini.SetBlk(u"Pad"_s);
    ini.SetTag(u"Fill"_s, QString(40000, u'あ'));
    ini.SetBlk(QString());
    ini.SetBlk(u"Last"_s);
    ini.SetTag(u"Value"_s, u"found"_s);
    ini.SetBlk(QString());
    const QString path = test::NewTempDir() + u"/big.ini"_s;
    ASSERT_EQ(ini.SetTxt(path), QString());

    AtIni in;
    ASSERT_TRUE(in.GetTxt(path));
    EXPECT_GT(in.InTxt().size(), 40000);
    EXPECT_EQ(ReadString(in, u"last"_s, u"value"_s), u"found"_s);
    EXPECT_EQ(ReadString(in, u"pad"_s, u"fill"_s).size(), 40000);
}
