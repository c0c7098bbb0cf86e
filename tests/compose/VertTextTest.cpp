#include "compose/VertText.h"
#include "render/FontApply.h"
#include "render/TextPlacement.h"
#include "render/TraceScene.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace hoplark {
namespace {

TEST(VertText, WorkedConversions) {
    struct Case {
        QString in;
        bool bMarks, bDashOnly;
        QString out;
    };
    const QList<Case> cases{
        {u"東京都千代田区丸の内1-2-3"_s, false, false, u"東京都千代田区丸の内一|二|三"_s},
        {u"１２"_s, false, false, u"一二"_s},
        {u"ｱｰﾄ(株)3"_s, true, true, u"ｱ|ﾄ㈱3"_s},   // pre-split names
        {u"ｱｰﾄ(株)3"_s, true, false, u"ｱ|ﾄ㈱三"_s}, // full-layout names
        {u"(株)山田商店"_s, false, false, u"(株)山田商店"_s},
        {u"（株）山田商店"_s, true, false, u"㈱山田商店"_s},
        {u"(株 )山田商店"_s, true, false, u"(株 )山田商店"_s},
        {u"(有)（有）"_s, true, false, u"㈲㈲"_s},
        // full-width hyphen-minus and long-vowel mark, digits 0 and 9
        {u"０９－ー"_s, false, false, u"〇九||"_s},
        {u"１-ー"_s, false, true, u"１|ー"_s}, // dash-only: exact characters
    };
    for (const Case& c : cases) {
        QString s = c.in;
        VertText(s, c.bMarks, c.bDashOnly);
        EXPECT_EQ(s, c.out) << c.in.toStdString();
    }
}

TEST(VertText, FixedPitchFontName) {
    EXPECT_EQ(FixedPitchName(u"ＭＳ Ｐゴシック"_s), u"ＭＳ ゴシック"_s);
    EXPECT_EQ(FixedPitchName(u"HGPｺﾞｼｯｸM"_s), u"HGｺﾞｼｯｸM"_s);
    EXPECT_EQ(FixedPitchName(u"IPAGothic"_s), u"IPAGothic"_s);
}

// The style a text gets: font, size, direction and alignment as the trace shows them.
struct Style {
    QString font;
    int size, dir, alignH, alignV;
    bool operator==(const Style&) const = default;
};

Style DrawnStyle(test::TraceScene& s) {
    DrawTextBox(s.st.PreviewCanvas(), 0, 0, 10, 10, u"x"_s);
    const QJsonObject o = s.Texts().last();
    return {o[u"font"_s].toString(), o[u"size"_s].toInt(), o[u"dir"_s].toInt(),
            o[u"alignH"_s].toInt(), o[u"alignV"_s].toInt()};
}

TEST(ApplyFont, DirectionAlignmentAndFontPerCaller) {
    const QString P = u"ＭＳ Ｐゴシック"_s, F = u"ＭＳ ゴシック"_s;
    struct Case {
        bool bVertical;
        int nLabel;
        bool bCentre, bPostal, bCross;
        Style want; // printing: whole points of the label
    };
    const QList<Case> cases{
        {false, 0, true, true, false, {F, 14, 0, 1, 1}},   // postal code
        {true, 4, true, true, false, {F, 9, 0, 1, 1}},     // postal code, vertical page
        {false, 1, false, false, false, {P, 12, 0, 0, 1}}, // address
        {true, 1, false, false, false, {F, 12, 2, 1, 0}},
        {false, 2, false, false, true, {P, 10, 0, 0, 2}}, // title: 9.75 pt
        {true, 2, false, false, true, {F, 10, 2, 0, 0}},
        {false, 3, true, false, false, {P, 14, 0, 1, 1}}, // centred name
        {true, 3, true, false, false, {F, 14, 2, 1, 1}},
    };
    for (const Case& c : cases) {
        test::TraceScene s;
        s.PageUnits();
        s.st.page.bVertical = c.bVertical;
        ApplyFont(s.st.PreviewCanvas(), c.nLabel, c.bCentre, c.bPostal, c.bCross);
        EXPECT_EQ(DrawnStyle(s), c.want) << c.nLabel << c.bVertical;
    }
}

TEST(ApplyFont, SizesRoundHalfToEvenAndScaleInPreview) {
    struct Case {
        double size;
        bool bPrinting;
        float sgFontScale;
        int want;
    };
    for (const Case c : {Case{12.5, true, 1, 12}, Case{13.5, true, 1, 14}, Case{12, false, 0.5f, 6},
                         Case{14.25, false, 0.5f, 7}, Case{9, false, 0.5f, 4}}) {
        test::TraceScene s;
        s.st.lay.bPrinting = c.bPrinting;
        s.st.lay.sgFontScale = c.sgFontScale;
        s.st.model.lbAdd[1].size = c.size;
        s.st.model.lbAdd[1].bold = true;
        s.st.model.lbAdd[1].color = 255;
        ApplyFont(s.st.PreviewCanvas(), 1, false, false, false);
        DrawTextBox(s.st.PreviewCanvas(), 0, 0, 10, 10, u"x"_s);
        const QJsonObject o = s.Texts().last();
        EXPECT_EQ(o[u"size"_s].toInt(), c.want) << c.size;
        EXPECT_TRUE(o[u"bold"_s].toBool());
        EXPECT_EQ(o[u"color"_s].toInt(), 255);
    }
}

TEST(ApplyMidFont, NameFontAtMeanSize) {
    for (const bool bVertical : {false, true}) {
        test::TraceScene s;
        s.PageUnits();
        s.st.page.bVertical = bVertical;
        s.st.model.lbAdd[3].name = u"HGP明朝"_s;
        ApplyMidFont(s.st.PreviewCanvas()); // (12 + 14.25) / 2 = 13.125
        const Style want =
            bVertical ? Style{u"HG明朝"_s, 13, 2, 1, 0} : Style{u"HGP明朝"_s, 13, 0, 0, 1};
        EXPECT_EQ(DrawnStyle(s), want);
    }
}

} // namespace
} // namespace hoplark
