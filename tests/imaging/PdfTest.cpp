#include "imaging/PainterImaging.h"

#include "ImagingTestUtil.h"
#include "support/TestEnv.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;
using test::RunTool;

namespace {

constexpr int P = PainterImaging::kPrinterHandle;

struct PdfInfo {
    int pages = -1;
    double width = 0, height = 0; // points
};

PdfInfo Info(const QString& path) {
    const QString s = RunTool(u"pdfinfo"_s, {path});
    PdfInfo info;
    const auto pages = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(s);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(u"Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s).match(s);
    if (size.hasMatch()) {
        info.width = size.captured(1).toDouble();
        info.height = size.captured(2).toDouble();
    }
    return info;
}

void Address(PainterImaging& ik, const QString& sText, int nDir, int x1, int y1, int x2, int y2) {
    ik.ResetStyle();
    ik.FontName(u"ＭＳ 明朝"_s);
    ik.FontSize(14);
    ik.TextDirection(nDir);
    ik.AlignHorz(nDir == 2 ? 1 : 0);
    ik.TextValue(sText);
    ik.DrawText(P, x1, y1, x2, y2, true, 0, 1);
}

// Settings written to a fresh ".ik7" and loaded.
QString LoadSettings(PainterImaging& ik, const PrinterSettings& s) {
    const QString path = test::NewTempDir() + u"/p.ik7"_s;
    EXPECT_EQ(s.Write(path), QString());
    ik.LoadPrinterSettings(path);
    return path;
}

} // namespace

TEST(PdfOutput, PostcardPagesWithTextAndOneEmbeddedFont) {
    const QString pdf = test::NewTempDir() + u"/out.pdf"_s;
    PainterImaging ik;
    ik.ForcePdfOutput(pdf, 1000, 1480);
    ASSERT_TRUE(ik.PrinterReady());
    ASSERT_TRUE(ik.OpenPrinter(1));
    EXPECT_EQ(ik.FallbackMessage(), QString());
    ASSERT_EQ(ik.PrinterHandle(), P);
    int x = -1, y = -1, pw = 0, ph = 0, w = 0, h = 0;
    ASSERT_TRUE(ik.PageMetrics(P, x, y, pw, ph, w, h, 1));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(w, 1000);
    EXPECT_EQ(h, 1480);
    EXPECT_EQ(pw, 1000);
    EXPECT_EQ(ph, 1480);

    ik.DocName(u"宛名印刷"_s);
    ASSERT_TRUE(ik.StartDoc());
    const QString lines[] = {u"東京都千代田区丸の内"_s, u"大阪府大阪市北区梅田"_s,
                             u"北海道札幌市中央区"_s};
    for (const QString& line : lines) {
        ASSERT_TRUE(ik.StartPage());
        Address(ik, line, 0, 100, 300, 900, 400);
        Address(ik, u"山田太郎　様"_s, 2, 450, 400, 550, 1300);
        ik.ResetStyle();
        ik.FillMode(1);
        ik.LineColor(kRed);
        ik.DrawRect(P, 445, 120, 507, 200, 1);
        ASSERT_TRUE(ik.EndPage());
    }
    ASSERT_TRUE(ik.EndDoc());
    EXPECT_TRUE(ik.ClosePrinter());
    EXPECT_EQ(ik.PrinterHandle(), 0);

    const PdfInfo info = Info(pdf);
    EXPECT_EQ(info.pages, 3);
    EXPECT_NEAR(info.width, 100 / 25.4 * 72, 1.0);
    EXPECT_NEAR(info.height, 148 / 25.4 * 72, 1.0);
    const QString text = RunTool(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    for (const QString& line : lines)
        EXPECT_TRUE(text.contains(line)) << text.toStdString();
    // Vertical characters without a vertical form keep their text too.
    QString packed = text;
    packed.remove(QRegularExpression(u"\\s"_s));
    EXPECT_TRUE(packed.contains(u"山田太郎"_s)) << text.toStdString();
    const QString fonts = RunTool(u"pdffonts"_s, {pdf});
    EXPECT_EQ(fonts.count(u"IPAMincho"_s), 1) << fonts.toStdString();
}

TEST(PdfOutput, SettingsFileChoosesFileAndLandscapePaper) {
    PainterImaging ik;
    PrinterSettings s;
    s.outputFile = test::NewTempDir() + u"/a4.pdf"_s;
    s.paperCode = 9;
    s.widthTenthMm = 2100;
    s.heightTenthMm = 2970;
    s.orientation = 2;
    s.marginLeft = 50; // a file has no unprintable edge: ignored
    LoadSettings(ik, s);
    ASSERT_TRUE(ik.PrinterReady());
    EXPECT_EQ(ik.PaperCode(), 9);
    EXPECT_EQ(ik.PaperOrientation(), 2);
    ASSERT_TRUE(ik.OpenPrinter(1));
    int x = -1, y = -1, pw = 0, ph = 0, w = 0, h = 0;
    ASSERT_TRUE(ik.PageMetrics(ik.PrinterHandle(), x, y, pw, ph, w, h, 1));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(w, 2970);
    EXPECT_EQ(h, 2100);
    ASSERT_TRUE(ik.StartDoc());
    ASSERT_TRUE(ik.StartPage());
    Address(ik, u"横向き"_s, 0, 0, 0, 2970, 2100);
    ik.EndPage();
    ASSERT_TRUE(ik.EndDoc());
    ik.ClosePrinter();
    const PdfInfo info = Info(s.outputFile);
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.width, 842, 1.0);
    EXPECT_NEAR(info.height, 595, 1.0);
}

TEST(PdfOutput, RenderedPageShowsTheTextWhereItWasPut) {
    const QString dir = test::NewTempDir();
    const QString pdf = dir + u"/v.pdf"_s;
    PainterImaging ik;
    ik.ForcePdfOutput(pdf, 1000, 1480);
    ASSERT_TRUE(ik.OpenPrinter(1));
    ASSERT_TRUE(ik.StartDoc());
    ASSERT_TRUE(ik.StartPage());
    // A column from 40 mm to 50 mm across, 20 mm to 120 mm down.
    Address(ik, u"東京都千代田区丸の内一丁目、「様」"_s, 2, 500, 200, 400, 1200);
    ik.EndPage();
    ik.EndDoc();
    ik.ClosePrinter();
    // 25.4 dpi: one pixel per millimetre.
    RunTool(u"pdftoppm"_s, {u"-r"_s, u"254"_s, u"-png"_s, u"-singlefile"_s, pdf, dir + u"/v"_s});
    const QImage page(dir + u"/v.png"_s);
    ASSERT_FALSE(page.isNull());
    test::SaveForViewing(page, u"pdf-vertical"_s);
    EXPECT_NEAR(page.width(), 1000, 3); // Qt rounds the page to whole points
    const QRect ink = test::InkBounds(page, Qt::white);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 399);
    EXPECT_LE(ink.right(), 501);
    EXPECT_GE(ink.top(), 199);
    EXPECT_LE(ink.bottom(), 1201);
    EXPECT_GT(ink.height(), 800) << "the column fills its length";
}

TEST(PdfOutput, JobBracketsInTheWrongOrderFail) {
    const QString pdf = test::NewTempDir() + u"/o.pdf"_s;
    PainterImaging ik;
    EXPECT_FALSE(ik.StartDoc()) << "no printer open";
    ik.ForcePdfOutput(pdf, 1000, 1480);
    ASSERT_TRUE(ik.OpenPrinter(1));
    EXPECT_FALSE(ik.StartPage()) << "no job";
    EXPECT_FALSE(ik.EndDoc());
    ASSERT_TRUE(ik.StartDoc());
    EXPECT_FALSE(ik.StartDoc());
    EXPECT_FALSE(ik.EndPage());
    ASSERT_TRUE(ik.StartPage());
    EXPECT_FALSE(ik.StartPage());
    EXPECT_TRUE(ik.EndPage());
    EXPECT_TRUE(ik.EndDoc());
    EXPECT_EQ(Info(pdf).pages, 1);
}

TEST(PdfOutput, EmptyJobWritesNoPage) {
    const QString pdf = test::NewTempDir() + u"/empty.pdf"_s;
    PainterImaging ik;
    ik.ForcePdfOutput(pdf);
    ASSERT_TRUE(ik.OpenPrinter(1));
    ASSERT_TRUE(ik.StartDoc());
    EXPECT_TRUE(ik.EndDoc());
    EXPECT_TRUE(ik.ClosePrinter());
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST(PdfOutput, UnwritableFileFailsAtStartDoc) {
    PainterImaging ik;
    ik.ForcePdfOutput(test::NewTempDir() + u"/no/such/folder/x.pdf"_s, 1000, 1480);
    ASSERT_TRUE(ik.OpenPrinter(1));
    EXPECT_FALSE(ik.StartDoc());
    EXPECT_FALSE(ik.StartPage());
}

TEST(PrinterSettingsLoad, BadFilesLeaveThePrinterNotReady) {
    const QString dir = test::NewTempDir();
    const QByteArray good = PrinterSettings{}.Text().toUtf8();
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", QByteArray()},
        {"truncated", good.left(good.size() - 5)},
        {"foreign", QByteArray("[Printer]\r\nName=Canon\r\n")},
    };
    for (const auto& [what, bytes] : cases) {
        test::WriteBytes(dir + u"/bad.ik7"_s, bytes);
        PainterImaging ik;
        ik.LoadPrinterSettings(dir + u"/bad.ik7"_s);
        EXPECT_FALSE(ik.PrinterReady()) << what;
        EXPECT_FALSE(ik.OpenPrinter(1)) << what;
        EXPECT_EQ(ik.PrinterHandle(), 0) << what;
        EXPECT_EQ(ik.PaperCode(), 0) << what;
        int x = 7, y = 7, pw = 7, ph = 7, w = 7, h = 7;
        EXPECT_FALSE(ik.PageMetrics(P, x, y, pw, ph, w, h, 1)) << what;
        EXPECT_EQ(w, 7) << what;
        EXPECT_FALSE(ik.ClosePrinter()) << what;
    }
    PainterImaging ik;
    ik.LoadPrinterSettings(dir + u"/missing.ik7"_s);
    EXPECT_FALSE(ik.PrinterReady());
    // A good file loaded after a bad one makes it ready.
    test::WriteBytes(dir + u"/good.ik7"_s, good);
    ik.LoadPrinterSettings(dir + u"/good.ik7"_s);
    EXPECT_TRUE(ik.PrinterReady());
    EXPECT_EQ(ik.PaperCode(), 43);
    EXPECT_EQ(ik.PaperOrientation(), 1);
}

TEST(PrinterSettingsLoad, MissingQueueFallsBackAndSaysSo) {
    PainterImaging ik;
    PrinterSettings s;
    s.printerName = u"NoSuchQueue_h3"_s;
    LoadSettings(ik, s);
    ASSERT_TRUE(ik.OpenPrinter(1));
    const QString sMsg = ik.FallbackMessage();
    EXPECT_TRUE(sMsg.contains(u"NoSuchQueue_h3"_s)) << sMsg.toStdString();
    const QString sDefault = QPrinterInfo::defaultPrinterName();
    if (sDefault.isEmpty())
        EXPECT_TRUE(sMsg.contains(u".pdf"_s)) << sMsg.toStdString();
    else
        EXPECT_TRUE(sMsg.contains(sDefault)) << sMsg.toStdString();
    ik.ClosePrinter();
}

TEST(PrinterSettingsLoad, ChosenPrinterBecomesCurrentAndIsWrittenBack) {
    PainterImaging ik;
    const QString path = LoadSettings(ik, PrinterSettings{});
    QPrinter chosen(QPrinter::HighResolution);
    chosen.setOutputFormat(QPrinter::PdfFormat);
    chosen.setOutputFileName(test::NewTempDir() + u"/chosen.pdf"_s);
    chosen.setPageSize(QPageSize(QPageSize::A5));
    chosen.setPageOrientation(QPageLayout::Landscape);
    EXPECT_EQ(ik.ApplyChosenPrinter(chosen), QString());
    EXPECT_EQ(ik.PaperCode(), 11);
    EXPECT_EQ(ik.PaperOrientation(), 2);
    EXPECT_EQ(ik.PrinterHandle(), P) << "the chosen printer is open";
    int x = -1, y = -1, pw = 0, ph = 0, w = 0, h = 0;
    ASSERT_TRUE(ik.PageMetrics(P, x, y, pw, ph, w, h, 1));
    EXPECT_EQ(w, 2100);
    EXPECT_EQ(h, 1480);
    const auto back = PrinterSettings::Read(path);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->paperCode, 11);
    EXPECT_EQ(back->widthTenthMm, 1480);
    EXPECT_EQ(back->heightTenthMm, 2100);
    EXPECT_EQ(back->orientation, 2);
    EXPECT_EQ(back->outputFile, chosen.outputFileName());
}
