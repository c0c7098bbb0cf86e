#include "imaging/PrinterSettings.h"

#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

PrinterSettings Sample() {
    PrinterSettings s;
    s.printerName = u"Office_Printer"_s;
    s.outputFile = u"/tmp/宛名 テスト=1.pdf"_s;
    s.paperCode = 9;
    s.widthTenthMm = 2100;
    s.heightTenthMm = 2970;
    s.orientation = 2;
    s.marginLeft = 42;
    s.marginTop = 43;
    s.marginRight = 44;
    s.marginBottom = 45;
    return s;
}

} // namespace

TEST(PrinterSettings, WriteThenReadGivesTheSameSettings) {
    const QString dir = test::NewTempDir();
    const QString path = dir + u"/はがき.ik7"_s;
    for (const PrinterSettings& s : {Sample(), PrinterSettings{}}) {
        ASSERT_EQ(s.Write(path), QString());
        const auto back = PrinterSettings::Read(path);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, s);
        EXPECT_FALSE(test::ReadBytes(path + u".prnTxt"_s).isEmpty());
    }
}

TEST(PrinterSettings, CompanionNamesPrinterPaperAndOrientation) {
    const QString path = test::NewTempDir() + u"/a.ik7"_s;
    PrinterSettings s = Sample();
    s.outputFile.clear();
    ASSERT_EQ(s.Write(path), QString());
    const QString txt = QString::fromUtf8(test::ReadBytes(path + u".prnTxt"_s));
    EXPECT_TRUE(txt.contains(u"Office_Printer"_s)) << txt.toStdString();
    EXPECT_TRUE(txt.contains(u"210.0 x 297.0 mm"_s)) << txt.toStdString();
    EXPECT_TRUE(txt.contains(u"横"_s)) << txt.toStdString();
}

TEST(PrinterSettings, CrLfLinesAndUnknownKeysAreRead) {
    const auto s = PrinterSettings::Parse(
        u"HOPLARK-IK7 1\r\nprinter=\r\nfuture=7\r\npaper=43\r\nwidth=1000\r\nheight=1480\r\n"
        "orientation=1\r\nend\r\n"_s);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->paperCode, 43);
    EXPECT_EQ(s->marginLeft, 0);
}

TEST(PrinterSettings, BadFilesAreNotRead) {
    const QString good = Sample().Text();
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"cut short", good.toUtf8().left(good.toUtf8().size() / 2)},
        {"cut before end", good.toUtf8().left(good.toUtf8().size() - 4)},
        {"foreign", QByteArray("\x89PNG\r\n\x1a\n\0\0binary", 16)},
        {"other marker",
         QByteArray("HOPLARK-IK7 2\npaper=9\nwidth=1\nheight=1\norientation=1\nend\n")},
        {"no size", QByteArray("HOPLARK-IK7 1\npaper=9\norientation=1\nend\n")},
        {"zero width",
         QByteArray("HOPLARK-IK7 1\npaper=9\nwidth=0\nheight=10\norientation=1\nend\n")},
        {"bad orientation",
         QByteArray("HOPLARK-IK7 1\npaper=9\nwidth=10\nheight=10\norientation=3\nend\n")},
        {"not a number",
         QByteArray("HOPLARK-IK7 1\npaper=A4\nwidth=10\nheight=10\norientation=1\nend\n")},
        {"huge", QByteArray(100 * 1024, 'x')},
    };
    const QString dir = test::NewTempDir();
    for (const Case& c : cases) {
        const QString path = dir + u"/bad.ik7"_s;
        test::WriteBytes(path, c.bytes);
        EXPECT_FALSE(PrinterSettings::Read(path).has_value()) << c.what;
    }
    EXPECT_FALSE(PrinterSettings::Read(dir + u"/missing.ik7"_s).has_value());
    EXPECT_FALSE(PrinterSettings::Read(QString()).has_value());
}

TEST(PrinterSettings, FromPageTurnsLandscapeBack) {
    const PrinterSettings s = PrinterSettings::FromPage(43, 1480, 1000, true);
    EXPECT_EQ(s.widthTenthMm, 1000);
    EXPECT_EQ(s.heightTenthMm, 1480);
    EXPECT_EQ(s.orientation, 2);
    EXPECT_EQ(s.pageWidth(), 1480);
    EXPECT_EQ(s.pageHeight(), 1000);
}

TEST(PrinterSettings, LineBreakInNameIsRefused) {
    PrinterSettings s;
    s.printerName = u"a\nb"_s;
    const QString path = test::NewTempDir() + u"/x.ik7"_s;
    EXPECT_FALSE(s.Write(path).isEmpty());
    EXPECT_FALSE(PrinterSettings::Read(path).has_value());
}

TEST(PrinterSettings, WriteIntoMissingFolderReportsIt) {
    const QString path = test::NewTempDir() + u"/no/such/x.ik7"_s;
    const QString sMsg = PrinterSettings{}.Write(path);
    EXPECT_TRUE(sMsg.contains(path)) << sMsg.toStdString();
}
