#include "render/LayoutPage.h"
#include "render/TraceScene.h"

#include <QJsonArray>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace hoplark {
namespace {

using test::TraceScene;

TEST(LayoutPage, PostcardPreviewMapping) {
    TraceScene s;
    LayoutPage(s.st.PreviewCanvas());
    const PageLayout& l = s.st.lay;
    EXPECT_EQ(l.sgScale, static_cast<float>(0.95 * 300 / 1480));
    EXPECT_EQ(l.nOrgX, 54); // 53.716
    EXPECT_EQ(l.nOrgY, 7);  // 7.4999967 through the single-precision scale
    EXPECT_EQ(l.nFlap, 0);
    // The page is the first box drawn: (0, 0)-(1000, 1480) mapped.
    const auto rects = s.Calls(u"DrawRect"_s);
    ASSERT_FALSE(rects.isEmpty());
    EXPECT_EQ(TraceScene::RectOf(rects[0]), (std::array<int, 4>{54, 7, 247, 292}));
}

TEST(LayoutPage, PitchesFollowScreenResolution) {
    struct Case {
        int nDpi;
        int nAddress, nName;
    };
    for (const Case c : {Case{96, 51, 60}, Case{120, 41, 48}}) {
        for (const bool bPrinting : {false, true}) {
            TraceScene s;
            s.st.lay.bPrinting = bPrinting;
            Canvas cv = s.st.PreviewCanvas();
            cv.nDpi = c.nDpi;
            LayoutPage(cv);
            EXPECT_EQ(s.st.lay.nPitch[1], c.nAddress) << c.nDpi;
            EXPECT_EQ(s.st.lay.nPitch[2], c.nName) << c.nDpi;
            // Printing lays out without drawing.
            EXPECT_EQ(s.ik.lines().isEmpty(), bPrinting);
        }
    }
}

TEST(LayoutPage, ScaleByWidthOrByHeightPlusFlap) {
    struct Case {
        int w, h;
        bool bEnvelope;
        float sgScale;
        int nOrgX, nOrgY;
    };
    const float s1480 = static_cast<float>(0.95 * 300 / 1480);
    const float s1150 = static_cast<float>(0.95 * 300 / 1150);
    for (const Case c : {Case{1480, 1000, false, s1480, 7, 54},
                         // exactly as wide as height plus flap: the same value either way
                         Case{1150, 1000, true, s1150, 8, 8}}) {
        TraceScene s;
        s.st.page.nPaperW = c.w;
        s.st.page.nPaperH = c.h;
        s.st.page.bEnvelope = c.bEnvelope;
        LayoutPage(s.st.PreviewCanvas());
        EXPECT_EQ(s.st.lay.sgScale, c.sgScale);
        EXPECT_EQ(s.st.lay.nOrgX, c.nOrgX);
        EXPECT_EQ(s.st.lay.nOrgY, c.nOrgY);
    }
}

TEST(LayoutPage, EnvelopeShowsFlapAndShiftsPageInPreviewOnly) {
    TraceScene s;
    s.st.page.nPaperW = 1050;
    s.st.page.nPaperH = 2350;
    s.st.page.bEnvelope = true;
    LayoutPage(s.st.PreviewCanvas());
    const PageLayout& l = s.st.lay;
    EXPECT_EQ(l.nFlap, 150);
    const auto polys = s.Calls(u"DrawPolygon"_s);
    ASSERT_EQ(polys.size(), 1);
    const double k = l.sgScale;
    const QJsonArray xs = polys[0][u"xs"_s].toArray(), ys = polys[0][u"ys"_s].toArray();
    EXPECT_EQ(xs[0].toInt(), qRound(k * 100 + l.nOrgX));
    EXPECT_EQ(xs[1].toInt(), qRound(k * 950 + l.nOrgX));
    EXPECT_EQ(xs[2].toInt(), qRound(k * 1050 + l.nOrgX));
    EXPECT_EQ(xs[3].toInt(), l.nOrgX);
    EXPECT_EQ(ys[0].toInt(), l.nOrgY);
    EXPECT_EQ(ys[2].toInt(), qRound(k * 150 + l.nOrgY));
    // The page box follows the flap, 15 mm lower.
    const auto rects = s.Calls(u"DrawRect"_s);
    EXPECT_EQ(rects[0][u"y1"_s].toInt(), qRound(k * 150 + l.nOrgY));

    // Printing: the same layout draws nothing and maps without the flap.
    TraceScene p;
    p.st.page = s.st.page;
    p.PageUnits();
    LayoutPage(p.st.PreviewCanvas());
    EXPECT_TRUE(p.ik.lines().isEmpty());
    EXPECT_EQ(p.st.lay.aAdrBox, s.st.lay.aAdrBox);
}

using Boxes = QList<LineBox>;

TEST(LayoutPage, HorizontalLineBoxes) {
    TraceScene s;
    LayoutPage(s.st.PreviewCanvas());
    const PageLayout& l = s.st.lay;
    // Spacing 0.5 line of 51: 376.5 and 452.5 go to the even neighbour.
    EXPECT_EQ(l.aAdrBox, (Boxes{{300, 300, 900, 351},
                                {300, 376, 900, 427},
                                {300, 452, 900, 503},
                                {300, 528, 900, 579}}));
    EXPECT_EQ(l.aNameBox,
              (Boxes{{400, 617, 900, 677}, {400, 707, 900, 767}, {400, 797, 900, 857}}));
    // The sender block ends 10 mm above the bottom edge.
    EXPECT_EQ(l.aSndBox,
              (Boxes{{200, 1228, 900, 1266}, {200, 1285, 900, 1323}, {200, 1342, 900, 1380}}));
    EXPECT_EQ(l.nLineCap, (std::array<int, 3>{11, 8, 17}));
    EXPECT_EQ(l.nAdrNameGap, 38);
    EXPECT_EQ(l.nAdrRows, 4);
    EXPECT_EQ(l.nNameRows, 3);
}

TEST(LayoutPage, VerticalLineBoxes) {
    TraceScene s;
    s.st.page.bVertical = true;
    LayoutPage(s.st.PreviewCanvas());
    const PageLayout& l = s.st.lay;
    EXPECT_EQ(l.aAdrBox, (Boxes{{900, 300, 849, 1380},
                                {824, 300, 773, 1380},
                                {748, 300, 697, 1380},
                                {672, 300, 621, 1380}}));
    EXPECT_EQ(l.aNameBox,
              (Boxes{{583, 500, 523, 1280}, {493, 500, 433, 1280}, {403, 500, 343, 1280}}));
    // The sender block starts 10 mm from the left edge.
    EXPECT_EQ(l.aSndBox,
              (Boxes{{252, 500, 214, 1380}, {195, 500, 157, 1380}, {138, 500, 100, 1380}}));
    EXPECT_EQ(l.nLineCap, (std::array<int, 3>{19, 12, 21}));
    EXPECT_EQ(l.nAdrNameGap, 38);
}

TEST(LayoutPage, NoSpacingAndExtraAddressLine) {
    TraceScene s;
    s.st.model.cbRwPt[0] = {u"なし"_s, 0};
    LayoutPage(s.st.PreviewCanvas());
    EXPECT_EQ(s.st.lay.aAdrBox[1][1], s.st.lay.aAdrBox[0][3]); // edge to edge

    TraceScene x;
    x.st.lay.bAdrExtra = true;
    x.st.lay.nMaxRow = {4, 3, 3};
    LayoutPage(x.st.PreviewCanvas());
    ASSERT_EQ(x.st.lay.aAdrBox.size(), 5);
    // Half of 0.5 line of 51 is 12.75: 351 + 12.75 → 364.
    EXPECT_EQ(x.st.lay.aAdrBox[1][1], 364);
    EXPECT_EQ(x.st.lay.nMaxRow[0], 4); // the row counts are not re-read with a flag set
}

TEST(LayoutPage, SenderOffKeepsBoxesUncomputedAndUndrawn) {
    for (const bool bSender : {true, false}) {
        TraceScene s;
        s.st.page.bSender = bSender;
        LayoutPage(s.st.PreviewCanvas());
        ASSERT_EQ(s.st.lay.aSndBox.size(), 3);
        EXPECT_EQ(s.st.lay.aSndBox[0] == LineBox{}, !bSender);
        // page + 2 shadows + stamp + 7 recipient boxes (+ 7 sender boxes) + guides 4 + 3 (+ 3)
        const qsizetype n = s.Calls(u"DrawRect"_s).size();
        EXPECT_EQ(n, bSender ? 4 + 14 + 10 : 4 + 7 + 7) << bSender;
        // A block without a computed box keeps its previous capacity.
        EXPECT_EQ(s.st.lay.nLineCap[2], bSender ? 17 : 0);
    }
}

TEST(LayoutPage, GuidesOnlyOnFirstTab) {
    for (const int nTab : {0, 1}) {
        TraceScene s;
        s.st.nTab = nTab;
        LayoutPage(s.st.PreviewCanvas());
        EXPECT_EQ(s.st.lay.bGuides, nTab == 0);
        int nYellow = 0;
        for (const QJsonObject& o : s.Calls(u"DrawRect"_s))
            nYellow += o[u"fillColor"_s].toInt() == kLightYellow;
        EXPECT_EQ(nYellow, nTab == 0 ? 10 : 0);
    }
}

TEST(LayoutPage, EmptyPaperDrawsNothingAndKeepsState) {
    TraceScene s;
    LayoutPage(s.st.PreviewCanvas());
    const PageLayout before = s.st.lay;
    s.ik.clear();
    s.st.page.sPaper.clear();
    s.st.page.nPaperW = 2000;
    LayoutPage(s.st.PreviewCanvas());
    EXPECT_TRUE(s.ik.lines().isEmpty());
    EXPECT_EQ(s.st.lay.nPageW, before.nPageW);
    EXPECT_EQ(s.st.lay.aAdrBox, before.aAdrBox);
}

TEST(LayoutPage, OmissionExtraOkAndRowsFromPanel) {
    struct Case {
        std::array<bool, 3> opt; // OptAdd 3, 4, 5
        int nOmit;
    };
    for (const Case c : {Case{{true, false, false}, 0}, Case{{false, true, false}, 2},
                         Case{{false, false, true}, 1}, Case{{false, false, false}, 7}}) {
        TraceScene s;
        s.st.lay.nOmit = 7;
        s.st.model.OptAdd = {false, true, false, c.opt[0], c.opt[1], c.opt[2]};
        s.st.model.chOvrRw = 1;
        s.st.model.cbMxRw[0] = {u"x"_s, 3}; // list entry "５行"
        LayoutPage(s.st.PreviewCanvas());
        EXPECT_EQ(s.st.lay.nOmit, c.nOmit);
        EXPECT_TRUE(s.st.lay.bExtraOk);
        EXPECT_EQ(s.st.lay.nAdrRows, 5);
    }
}

TEST(LayoutPage, ArithmeticFaultsReachTheCaller) {
    TraceScene s;
    s.st.model.txYhk[0] = u"4000"_s; // 40000 page units do not fit an Integer
    EXPECT_THROW(LayoutPage(s.st.PreviewCanvas()), OverflowError);
    TraceScene z;
    z.st.model.cbMxRw[1] = {u"０行"_s, -1};
    EXPECT_THROW(LayoutPage(z.st.PreviewCanvas()), SubscriptError);
    TraceScene f;
    f.st.model.cbRwPt[0] = {u"1"_s + QString(300, u'0'), -1}; // beyond single precision
    EXPECT_THROW(LayoutPage(f.st.PreviewCanvas()), OverflowError);
}

} // namespace
} // namespace hoplark
