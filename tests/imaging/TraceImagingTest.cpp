#include "imaging/TraceImaging.h"
#include "imaging/PainterImaging.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

QJsonObject Json(const char* text) {
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

} // namespace

TEST(TraceImaging, EachCallIsOneJsonLineWithTheCurrentStyle) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    TraceImaging tr;
    tr.setDevice(&out);

    tr.ResetImage(0);
    tr.ResetStyle();
    tr.FillMode(1);
    tr.FillColor(kWhite);
    tr.LineWidth(1);
    tr.LineColor(kRed);
    tr.DrawRect(1, 445, 120, 507, -200, 0);
    tr.DrawPolygon(1, {10, 20, 30, 0, 99}, {5, 5, 9, 9, 99}, 4, 0);
    tr.ResetStyle();
    tr.FontName(u"ＭＳ 明朝"_s);
    tr.FontSize(14);
    tr.FontBold(true);
    tr.FontUnderline(true);
    tr.TextColor(kRed);
    tr.TextDirection(2);
    tr.AlignHorz(1);
    tr.AlignVert(0);
    tr.TextValue(u"東京都\"千代田区\""_s);
    tr.DrawText(2, 900, 300, 850, 1400, true, 0, 1);
    tr.DocName(u"宛名印刷"_s);
    tr.StartDoc();
    tr.StartPage();
    tr.EndPage();
    tr.EndDoc();

    const QList<QByteArray> lines = out.data().split('\n');
    ASSERT_EQ(lines.size(), 9); // eight records and the empty rest after the last newline
    EXPECT_TRUE(lines.last().isEmpty());
    const QJsonObject expected[] = {
        Json(R"({"op":"ResetImage"})"),
        Json(R"({"op":"DrawRect","x1":445,"y1":120,"x2":507,"y2":-200,"dev":0,"fillMode":1,
                 "fillColor":16777215,"lineWidth":1,"lineColor":255})"),
        Json(R"({"op":"DrawPolygon","xs":[10,20,30,0],"ys":[5,5,9,9],"dev":0})"),
        Json(R"({"op":"DrawText","x1":900,"y1":300,"x2":850,"y2":1400,"dev":1,
                 "text":"東京都\"千代田区\"","font":"ＭＳ 明朝","size":14,"bold":true,
                 "italic":false,"strike":false,"underline":true,"color":255,"dir":2,
                 "alignH":1,"alignV":0})"),
        Json(R"({"op":"StartDoc","name":"宛名印刷"})"),
        Json(R"({"op":"StartPage"})"),
        Json(R"({"op":"EndPage"})"),
        Json(R"({"op":"EndDoc"})"),
    };
    for (int i = 0; i < 8; ++i) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(lines[i], &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[i].toStdString();
        EXPECT_EQ(doc.object(), expected[i]) << lines[i].toStdString();
    }
    EXPECT_EQ(tr.records().size(), 8);
}

TEST(TraceImaging, ForwardsEveryCallToTheInnerImplementation) {
    PainterImaging inner(QSize(120, 80), 96);
    TraceImaging tr(&inner);
    EXPECT_EQ(tr.Width(), 120 * 15);
    EXPECT_EQ(tr.ImageHandle(), PainterImaging::kImageHandle);
    tr.ResetImage(0);
    const QColor bg = inner.PreviewImage().pixelColor(0, 0);
    tr.ResetStyle();
    tr.FillColor(kRed);
    tr.DrawRect(tr.ImageHandle(), 10, 10, 20, 20, 0);
    EXPECT_EQ(inner.PreviewImage().pixelColor(15, 15), QColor(255, 0, 0));
    EXPECT_EQ(inner.PreviewImage().pixelColor(25, 25), bg);

    tr.FontName(u"ＭＳ ゴシック"_s);
    tr.FontSize(12);
    tr.TextValue(u"東京"_s);
    int w = 0, h = 0;
    tr.MeasureText(tr.ImageHandle(), w, h, 0);
    EXPECT_EQ(w, 32); // the inner measure, 16 pixels a character at 96 dpi
    EXPECT_EQ(h, 16);
    EXPECT_FALSE(tr.PrinterReady()); // nothing loaded in the inner one
    EXPECT_EQ(tr.records().size(), 2);
}

TEST(TraceImaging, AloneItAnswersAsAReadyPreview) {
    TraceImaging tr(nullptr, 4950);
    EXPECT_EQ(tr.Width(), 4950);
    EXPECT_TRUE(tr.PrinterReady());
    EXPECT_TRUE(tr.OpenPrinter(1));
    int x = -1, y = -1, pw = 0, ph = 0, w = 0, h = 0;
    EXPECT_TRUE(tr.PageMetrics(tr.PrinterHandle(), x, y, pw, ph, w, h, 1));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(w, 1000);
    EXPECT_EQ(h, 1480);
    tr.FontSize(12);
    tr.TextDirection(2);
    tr.TextValue(u"山田"_s);
    tr.MeasureText(1, w, h, 0);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 32);
}
