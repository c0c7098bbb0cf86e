#include "render/TextPlacement.h"
#include "render/LayoutPage.h"
#include "render/TraceScene.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace hoplark {
namespace {

using test::TraceScene;
using Edges = std::array<std::array<int, 2>, 7>;

TEST(ZipBoxes, RecipientAndSenderEdges) {
    EXPECT_EQ(
        ZipBoxEdges(0, 0),
        (Edges{{{0, 62}, {69, 131}, {138, 200}, {218, 280}, {287, 349}, {356, 418}, {425, 487}}}));
    EXPECT_EQ(
        ZipBoxEdges(1, 62),
        (Edges{
            {{62, 100}, {103, 141}, {144, 182}, {190, 228}, {231, 269}, {272, 310}, {313, 351}}}));
}

TEST(ZipBoxes, PlacedOnThePageAndDrawnRedOutlined) {
    TraceScene s;
    s.st.lay.nPageW = 1000;
    s.st.lay.nPageH = 1480;
    PlaceZip(s.st.PreviewCanvas());
    s.PageUnits();
    DrawZip(s.st.PreviewCanvas(), 0, std::nullopt, false);
    DrawZip(s.st.PreviewCanvas(), 1, std::nullopt, false);
    const auto rects = s.Calls(u"DrawRect"_s);
    ASSERT_EQ(rects.size(), 14);
    // The last recipient box ends 6.8 mm from the right edge.
    EXPECT_EQ(TraceScene::RectOf(rects[0]), (std::array<int, 4>{445, 120, 507, 200}));
    EXPECT_EQ(TraceScene::RectOf(rects[6]), (std::array<int, 4>{870, 120, 932, 200}));
    EXPECT_EQ(TraceScene::RectOf(rects[7]), (std::array<int, 4>{62, 1230, 100, 1298}));
    EXPECT_EQ(TraceScene::RectOf(rects[13]), (std::array<int, 4>{313, 1230, 351, 1298}));
    for (const QJsonObject& r : rects) {
        EXPECT_EQ(r[u"lineColor"_s].toInt(), kRed);
        EXPECT_EQ(r[u"fillMode"_s].toInt(), 1);
        EXPECT_EQ(r[u"dev"_s].toInt(), 1);
    }
}

TEST(ZipBoxes, DigitsOnePerBox) {
    struct Case {
        QString code;
        QStringList digits;
    };
    const QList<Case> cases{
        {u"123-4567"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s}},
        {u"1234"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u" "_s, u" "_s, u" "_s}},
        {u"12345678"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s}},
    };
    for (const Case& c : cases) {
        TraceScene s;
        s.st.lay.nPageW = 1000;
        PlaceZip(s.st.PreviewCanvas());
        s.PageUnits();
        DrawZip(s.st.PreviewCanvas(), 0, c.code, false);
        EXPECT_EQ(s.TextValues(), c.digits) << c.code.toStdString();
        // Frame off with a text: only the digits, no boxes.
        EXPECT_TRUE(s.Calls(u"DrawRect"_s).isEmpty());
        const QJsonObject t = s.Texts().value(4);
        EXPECT_EQ(TraceScene::RectOf(t), (std::array<int, 4>{732, 120, 794, 200}));
        EXPECT_EQ(t[u"dir"_s].toInt(), 0);
        EXPECT_EQ(t[u"alignH"_s].toInt(), 1);
        EXPECT_EQ(t[u"alignV"_s].toInt(), 1);
        EXPECT_EQ(t[u"font"_s].toString(), u"ＭＳ ゴシック"_s); // fixed pitch, even horizontally
        EXPECT_EQ(t[u"size"_s].toInt(), 14);                    // 14.25 pt when printing
    }
    TraceScene f;
    PlaceZip(f.st.PreviewCanvas());
    f.PageUnits();
    DrawZip(f.st.PreviewCanvas(), 1, u"1000001"_s, true);
    EXPECT_EQ(f.Calls(u"DrawRect"_s).size(), 7);
    EXPECT_EQ(f.Texts().size(), 7);
}

TEST(ToDevice, PreviewScalesPrinterClipsAtZero) {
    TraceScene s;
    LayoutPage(s.st.PreviewCanvas()); // postcard: scale 0.19256757, origin (54, 7)
    int x1 = 0, x2 = 1000, y1 = 0, y2 = 1480;
    ToDevice(s.st.PreviewCanvas(), x1, x2, y1, y2);
    EXPECT_EQ((std::array<int, 4>{x1, y1, x2, y2}), (std::array<int, 4>{54, 7, 247, 292}));

    s.st.lay.bPrinting = true;
    s.st.lay.nPrnOffX = 40;
    s.st.lay.nPrnOffY = 50;
    x1 = 30, x2 = 500, y1 = 60, y2 = 20;
    ToDevice(s.st.PreviewCanvas(), x1, x2, y1, y2);
    EXPECT_EQ((std::array<int, 4>{x1, y1, x2, y2}), (std::array<int, 4>{0, 10, 460, 0}));
}

TEST(DrawTextBox, VerticalWritingWidensText) {
    struct Case {
        bool bVertical;
        QString in, out;
    };
    for (const Case& c : {Case{true, u"(株)ｱｰﾄ-1"_s, u"（株）アート－１"_s},
                          Case{true, u"("_s, u"（"_s}, Case{false, u"(a-ｰ)"_s, u"(a-ｰ)"_s}}) {
        TraceScene s;
        s.PageUnits();
        s.st.page.bVertical = c.bVertical;
        DrawTextBox(s.st.PreviewCanvas(), 10, 20, 30, 40, c.in);
        ASSERT_EQ(s.Texts().size(), 1);
        EXPECT_EQ(s.Texts()[0][u"text"_s].toString(), c.out) << c.in.toStdString();
        EXPECT_EQ(TraceScene::RectOf(s.Texts()[0]), (std::array<int, 4>{10, 20, 30, 40}));
    }
}

TEST(SetPen, FilledWithWidthAndColour) {
    TraceScene s;
    s.PageUnits();
    SetPen(s.st.PreviewCanvas(), 2, kSilver);
    DrawBox(s.st.PreviewCanvas(), 70, 90, 250, 310);
    const QJsonObject r = s.Calls(u"DrawRect"_s).value(0);
    EXPECT_EQ(r[u"fillMode"_s].toInt(), 0);
    EXPECT_EQ(r[u"lineWidth"_s].toInt(), 2);
    EXPECT_EQ(r[u"fillColor"_s].toInt(), kSilver);
    EXPECT_EQ(TraceScene::RectOf(r), (std::array<int, 4>{70, 90, 250, 310}));
}

} // namespace
} // namespace hoplark
