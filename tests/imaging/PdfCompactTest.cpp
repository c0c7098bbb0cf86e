#include "imaging/PdfCompact.h"
#include "imaging/GlyphTextLog.h"
#include "imaging/ImagingStyle.h"
#include "imaging/PdfTextMaps.h"
#include "imaging/TextRenderer.h"

#include "ImagingTestUtil.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

struct Text {
    QString font;
    QString text;
    int dir = 2;
};

// Pages drawn by Qt's PDF engine, their text maps completed as the printer does.
QString QtPdf(const QList<QList<Text>>& pages) {
    const QString pdf = test::NewTempDir() + u"/qt.pdf"_s;
    GlyphTextLog log;
    {
        QPdfWriter writer(pdf);
        QPainter painter(&writer);
        for (qsizetype n = 0; n < pages.size(); ++n) {
            if (n > 0)
                writer.newPage();
            qreal x = 4000;
            for (const Text& t : pages[n]) {
                ImagingStyle style;
                style.font = t.font;
                style.size = 14;
                style.dir = t.dir;
                TextRenderer().Draw(painter, style, t.text, QRectF(x, 200, 400, 6000), true,
                                    writer.resolution(), &log);
                x -= 500;
            }
        }
    }
    EXPECT_TRUE(CompletePdfTextMaps(pdf, log));
    return pdf;
}

// What the pages show: their text, then every page rendered (PPM files, in order).
QList<QByteArray> Pages(const QString& pdf, QByteArray* pErr) {
    QByteArray textErr, ppmErr, infoErr;
    const QByteArray text = test::RunToolBytes(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s}, &textErr);
    const QString dir = test::NewTempDir();
    test::RunToolBytes(u"pdftoppm"_s, {u"-r"_s, u"100"_s, pdf, dir + u"/p"_s}, &ppmErr);
    test::RunToolBytes(u"pdfinfo"_s, {pdf}, &infoErr);
    *pErr = textErr + ppmErr + infoErr;
    QList<QByteArray> pages = {text};
    for (const QString& name : QDir(dir).entryList({u"*.ppm"_s}, QDir::Files, QDir::Name))
        pages.append(test::ReadBytes(dir + u'/' + name));
    return pages;
}

// Whether the file's one cross-reference table leads to each of its objects, all numbered
// from 1 on without gaps (poppler quietly mends a table that does not).
bool TableLeadsToEveryObject(const QByteArray& pdf) {
    const qsizetype nStart = pdf.lastIndexOf("startxref");
    const qsizetype nXref = pdf.mid(nStart + 9).trimmed().split('\n').value(0).toLongLong();
    const QList<QByteArray> head = pdf.mid(nXref, 64).split('\n');
    if (head.value(0) != "xref" || !head.value(1).startsWith("0 "))
        return false;
    const qsizetype nSize = head[1].mid(2).toLongLong();
    const qsizetype nEntries = nXref + 5 + head[1].size() + 1;
    for (qsizetype num = 1; num < nSize; ++num) {
        const qint64 nAt = pdf.mid(nEntries + 20 * num, 10).toLongLong();
        if (!pdf.mid(nAt).startsWith(QByteArray::number(num) + " 0 obj\n"))
            return false;
    }
    static const QRegularExpression object(u"(^|\\n)\\d+ \\d+ obj\\n"_s);
    return QString::fromLatin1(pdf.left(nXref)).count(object) == nSize - 1;
}

} // namespace

// The rewritten file is smaller and shows the same pages: the same text and, rendered,
// the same pixels; poppler finds nothing wrong with it. Pages whose resources differ keep
// their own.
TEST(PdfCompact, SmallerFileSamePages) {
    const QString mincho = u"ＭＳ 明朝"_s, gothic = u"ＭＳ ゴシック"_s;
    struct Case {
        const char* what;
        QList<QList<Text>> pages;
    };
    const Case cases[] = {
        {"one page", {{{mincho, u"東京都千代田区"_s}}}},
        {"pages of one font",
         {{{mincho, u"東京都千代田区"_s}, {mincho, u"山田太郎"_s, 0}},
          {{mincho, u"大阪府「さくら」ビュ｜"_s}},
          {{mincho, u"𠀋野𠂉"_s}}}},
        {"fonts differ from page to page",
         {{{mincho, u"一丁目～二丁目"_s}},
          {{gothic, u"株式会社見本"_s}, {mincho, u"総務部"_s}},
          {{mincho, u"北海道"_s}},
          {}}},
    };
    for (const Case& c : cases) {
        const QString pdf = QtPdf(c.pages);
        const qint64 nBefore = QFileInfo(pdf).size();
        QByteArray err;
        const QList<QByteArray> before = Pages(pdf, &err);
        ASSERT_EQ(before.size(), c.pages.size() + 1) << c.what << err.constData();

        ASSERT_TRUE(CompactPdf(pdf)) << c.what;
        EXPECT_LT(QFileInfo(pdf).size(), nBefore) << c.what;
        const QByteArray after = test::ReadBytes(pdf);
        EXPECT_EQ(after.count("%%EOF"), 1) << c.what;
        EXPECT_TRUE(TableLeadsToEveryObject(after)) << c.what;
        EXPECT_EQ(after.count("/Annots"), 0) << c.what;
        EXPECT_EQ(Pages(pdf, &err), before) << c.what;
        EXPECT_EQ(err, QByteArray()) << c.what;
        // Done twice, the file stays as it is.
        ASSERT_TRUE(CompactPdf(pdf)) << c.what;
        EXPECT_EQ(test::ReadBytes(pdf), after) << c.what;
    }
}

// A file not as Qt writes it is left byte for byte as it was.
TEST(PdfCompact, OtherFilesAreLeftAlone) {
    const QByteArray qt = test::ReadBytes(QtPdf({{{u"ＭＳ 明朝"_s, u"東京都"_s}}}));
    // An object stream with its cross-reference stream, as other writers make them.
    const QByteArray objStm = "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
                              "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\n";
    QByteArray packed = "%PDF-1.5\n3 0 obj\n<< /Type /ObjStm /N 2 /First 8 /Length " +
                        QByteArray::number(objStm.size() + 8) + " >>\nstream\n1 0 2 44 " + objStm +
                        "\nendstream\nendobj\n";
    const qsizetype nXref = packed.size();
    packed += "4 0 obj\n<< /Type /XRef /Size 5 /W [1 2 1] /Root 1 0 R /Length 15 >>\nstream\n" +
              QByteArray::fromHex("0000ffff020300000203000109000000") + "\nendstream\nendobj\n" +
              "startxref\n" + QByteArray::number(nXref) + "\n%%EOF\n";
    QByteArray encrypted = qt;
    encrypted.replace("trailer\n<<", "trailer\n<< /Encrypt 9 0 R");
    // Same length, so every offset still holds.
    QByteArray otherGeneration = qt;
    const qsizetype nParent = qt.indexOf("/Parent ") + 8;
    otherGeneration[qt.indexOf(" 0 R", nParent) + 1] = '7';
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"cut short", qt.left(qt.size() - 40)},
        {"cut in the middle", qt.left(qt.size() / 2) + qt.right(200)},
        {"object stream", packed},
        {"encrypted", encrypted},
        {"reference of another generation", otherGeneration},
        {"not a PDF", "%!PS-Adobe-3.0\n"},
    };
    for (const auto& c : cases) {
        const QString path = test::NewTempDir() + u"/other.pdf"_s;
        test::WriteBytes(path, c.bytes);
        EXPECT_TRUE(CompactPdf(path)) << c.what;
        EXPECT_EQ(test::ReadBytes(path), c.bytes) << c.what;
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
            << c.what;
    }
}

// When the new file cannot be written (a full disk), the old one stays as it was, with
// nothing beside it, and the caller is told.
TEST(PdfCompact, FileThatCannotBeWrittenLeavesTheOldOne) {
    const QString pdf = QtPdf({{{u"ＭＳ 明朝"_s, u"東京都"_s}}, {{u"ＭＳ 明朝"_s, u"大阪府"_s}}});
    const QByteArray written = test::ReadBytes(pdf);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit full = old;
    full.rlim_cur = rlim_t(written.size() / 2);
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const bool bWritten = CompactPdf(pdf);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(bWritten);
    EXPECT_EQ(test::ReadBytes(pdf), written);
    EXPECT_EQ(QDir(QFileInfo(pdf).path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}
