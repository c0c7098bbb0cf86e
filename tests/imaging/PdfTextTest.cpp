#include "imaging/GlyphTextLog.h"
#include "imaging/PainterImaging.h"
#include "imaging/PdfTextMaps.h"
#include "imaging/TextRenderer.h"

#include "ImagingTestUtil.h"
#include "support/TestEnv.h"

#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

constexpr int P = PainterImaging::kPrinterHandle;

struct Line {
    QString text;
    int dir = 2;
    bool bold = false;
};

// One page of the lines, one column or row each, written to a new PDF file.
QString PrintPdf(const QList<Line>& lines) {
    const QString pdf = test::NewTempDir() + u"/text.pdf"_s;
    PainterImaging ik;
    ik.ForcePdfOutput(pdf, 1000, 1480);
    EXPECT_TRUE(ik.OpenPrinter(1));
    EXPECT_TRUE(ik.StartDoc());
    EXPECT_TRUE(ik.StartPage());
    int x = 950;
    int y = 20;
    for (const Line& line : lines) {
        ik.ResetStyle();
        ik.FontName(u"ＭＳ 明朝"_s);
        ik.FontSize(14);
        ik.FontBold(line.bold);
        ik.TextDirection(line.dir);
        ik.TextValue(line.text);
        if (line.dir == 2) {
            ik.DrawText(P, x - 60, 300, x, 1450, true, 0, 1);
            x -= 70;
        } else {
            ik.DrawText(P, 20, y, 600, y + 60, true, 0, 1);
            y += 70;
        }
    }
    EXPECT_TRUE(ik.EndPage());
    EXPECT_TRUE(ik.EndDoc()) << ik.DocError().toStdString();
    return pdf;
}

// Without white space, the ideographic space too.
QString Packed(QString s) {
    return s.remove(QRegularExpression(u"\\s"_s, QRegularExpression::UseUnicodePropertiesOption));
}

} // namespace

// The text of the page is what was drawn: vertical forms (small kana, brackets, commas, the
// long-vowel mark), characters that share a glyph with another (～ and 〜, ￥ and ¥), characters
// beyond U+FFFF, and bold glyphs, which the PDF engine strikes twice. The completed maps are
// folded into the file as it is finished: one cross-reference table.
TEST(PdfText, PageTextIsTheTextDrawn) {
    struct Case {
        const char* what;
        QList<Line> lines;
    };
    const Case cases[] = {
        {"vertical forms",
         {{u"ジョン"_s},
          {u"ビュ｜ティ｜"_s},
          {u"メゾン「さくら」"_s},
          {u"東京都、千代田区。"_s},
          {u"二丁目三番地"_s, 0}}},
        {"shared glyphs and spaces", {{u"一丁目～二丁目"_s}, {u"山田 太郎　￥１００"_s, 0}}},
        {"beyond U+FFFF", {{u"𠀋野𠂉"_s}, {u"𠀋野𠂉"_s, 0}}},
        {"bold", {{u"「山田」、ジョー"_s, 2, true}, {u"ジョン"_s, 2}}},
        {"nothing to complete", {{u"東京都千代田区"_s}, {u"山田太郎"_s, 0}}},
    };
    for (const Case& c : cases) {
        const QString pdf = PrintPdf(c.lines);
        QString drawn;
        for (const Line& line : c.lines)
            drawn += Packed(line.text);
        EXPECT_EQ(Packed(test::RunTool(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s})), drawn) << c.what;
        EXPECT_EQ(test::ReadBytes(pdf).count("%%EOF"), 1) << c.what;
    }
}

// When the completed maps cannot be written, the file is left as it was and the caller told.
TEST(PdfText, FileThatCannotGrowIsLeftAsQtWroteIt) {
    const QString pdf = test::NewTempDir() + u"/t.pdf"_s;
    GlyphTextLog log;
    {
        QPdfWriter writer(pdf);
        QPainter painter(&writer);
        ImagingStyle style;
        style.font = u"ＭＳ 明朝"_s;
        style.size = 14;
        style.dir = 2;
        TextRenderer().Draw(painter, style, u"ジョン、"_s, QRectF(100, 100, 400, 4000), true,
                            writer.resolution(), &log);
    }
    const QByteArray written = test::ReadBytes(pdf);
    ASSERT_TRUE(written.endsWith("%%EOF\n"));
    // As on a full disk: no file may grow (a write fails rather than the signal killing us).
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit full = old;
    full.rlim_cur = rlim_t(written.size());
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const bool bWritten = CompletePdfTextMaps(pdf, log);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(bWritten);
    EXPECT_EQ(test::ReadBytes(pdf), written);
    EXPECT_TRUE(CompletePdfTextMaps(pdf, log));
    EXPECT_EQ(Packed(test::RunTool(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s})), u"ジョン、"_s);
}
