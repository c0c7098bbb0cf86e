#include "imaging/PainterImaging.h"

#include "ImagingTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace hoplark;
using test::InkBounds;
using test::InkOutside;

namespace {

constexpr int H = PainterImaging::kImageHandle;

class Preview : public ::testing::Test {
protected:
    PainterImaging ik{QSize(300, 300), 96};

    QColor Background() {
        ik.ResetImage(0);
        return ik.PreviewImage().pixelColor(0, 0);
    }
    void Text(const QString& s, int nSize, int nDir, int nAlignH = 0, int nAlignV = 0,
              const QString& sFont = u"ＭＳ ゴシック"_s) {
        ik.ResetStyle();
        ik.FontName(sFont);
        ik.FontSize(nSize);
        ik.TextDirection(nDir);
        ik.AlignHorz(nAlignH);
        ik.AlignVert(nAlignV);
        ik.TextTransparent(true);
        ik.TextSpacing(0);
        ik.TextValue(s);
    }
};

} // namespace

TEST_F(Preview, WidthIsTheImageWidthInTwips) {
    EXPECT_EQ(ik.Width(), 300 * 15);
    PainterImaging ik120(QSize(240, 10), 120);
    EXPECT_EQ(ik120.Width(), 240 * 1440 / 120);
    EXPECT_EQ(ik.ImageHandle(), H);
}

TEST_F(Preview, ResetImageClearsToTheWindowBackground) {
    const QColor bg = Background();
    ik.ResetStyle();
    ik.FillColor(255);
    ik.DrawRect(H, 0, 0, 300, 300, 0);
    EXPECT_EQ(ik.PreviewImage().pixelColor(5, 5), QColor(255, 0, 0));
    ik.ResetImage(0);
    EXPECT_EQ(InkBounds(ik.PreviewImage(), bg), QRect());
}

TEST_F(Preview, RedBoxOutlineLiesOnTheRectanglesEdgePixels) {
    const QColor bg = Background();
    // The postal-code boxes: outline only, red, one pixel.
    ik.ResetStyle();
    ik.LineWidth(1);
    ik.FillColor(kWhite);
    ik.FillMode(1);
    ik.LineColor(kRed);
    ik.DrawRect(H, 40, 20, 52, 36, 0);
    const QImage& img = ik.PreviewImage();
    const QColor red(255, 0, 0);
    for (int x = 40; x < 52; ++x) {
        EXPECT_EQ(img.pixelColor(x, 20), red) << x;
        EXPECT_EQ(img.pixelColor(x, 35), red) << x;
    }
    for (int y = 20; y < 36; ++y) {
        EXPECT_EQ(img.pixelColor(40, y), red) << y;
        EXPECT_EQ(img.pixelColor(51, y), red) << y;
    }
    EXPECT_EQ(InkBounds(img, bg), QRect(40, 20, 12, 16));
    EXPECT_EQ(img.pixelColor(45, 28), bg) << "outline only: the inside stays";
}

TEST_F(Preview, FilledBoxWithWideLineAndCornersInEitherOrder) {
    const QColor bg = Background();
    ik.ResetStyle();
    ik.FillMode(0);
    ik.LineWidth(2);
    ik.FillColor(kSilver);
    ik.DrawRect(H, 70, 90, 20, 30, 0); // corners swapped
    const QImage& img = ik.PreviewImage();
    EXPECT_EQ(InkBounds(img, bg), QRect(20, 30, 50, 60));
    EXPECT_EQ(img.pixelColor(21, 31), QColor(Qt::black)); // default line colour, 2 wide
    EXPECT_EQ(img.pixelColor(22, 32), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(img.pixelColor(68, 88), QColor(Qt::black));
}

TEST_F(Preview, PolygonIsFilledWithTheFillColour) {
    const QColor bg = Background();
    ik.ResetStyle();
    ik.FillColor(kWhite);
    ik.LineWidth(0);
    ik.DrawPolygon(H, {20, 80, 100, 0}, {10, 10, 40, 40}, 4, 0);
    const QImage& img = ik.PreviewImage();
    EXPECT_EQ(img.pixelColor(50, 25), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(5, 12), bg); // outside the trapezoid's slanted side
    const QRect box = InkBounds(img, bg);
    EXPECT_GE(box.left(), 0);
    EXPECT_LE(box.right(), 100);
    EXPECT_GE(box.top(), 10);
    EXPECT_LE(box.bottom(), 40);
}

TEST_F(Preview, TextInkStaysInsideItsRectangle) {
    struct Case {
        const char* what;
        QString text;
        int size, dir, alignH, alignV;
        QRect rect;
    };
    const Case cases[] = {
        {"horizontal fits", u"東京都"_s, 12, 0, 0, 1, QRect(30, 40, 120, 30)},
        {"horizontal too long", u"東京都千代田区丸の内一丁目一番一号"_s, 20, 0, 1, 1,
         QRect(30, 40, 120, 30)},
        {"horizontal too tall", u"山田"_s, 40, 0, 0, 0, QRect(30, 40, 200, 20)},
        {"vertical fits", u"山田太郎様"_s, 12, 2, 1, 0, QRect(100, 20, 30, 200)},
        {"vertical too long", u"東京都千代田区丸の内一丁目一番一号"_s, 20, 2, 1, 1,
         QRect(100, 20, 30, 150)},
        {"vertical too wide", u"山田"_s, 40, 2, 0, 0, QRect(100, 20, 20, 200)},
        {"lacking glyphs", u"𠮷野家😀한국"_s, 16, 2, 1, 0, QRect(100, 20, 30, 200)},
    };
    for (const Case& c : cases) {
        const QColor bg = Background();
        Text(c.text, c.size, c.dir, c.alignH, c.alignV);
        ik.TextColor(kRed);
        ik.DrawText(H, c.rect.left(), c.rect.top(), c.rect.right() + 1, c.rect.bottom() + 1, true,
                    0, 0);
        const QImage& img = ik.PreviewImage();
        EXPECT_EQ(InkOutside(img, bg, c.rect), 0) << c.what;
        EXPECT_FALSE(InkBounds(img, bg).isEmpty()) << c.what;
        test::SaveForViewing(img, u"text-"_s + QString::fromLatin1(c.what).replace(u' ', u'-'));
    }
}

TEST_F(Preview, LongLineIsShrunkNotCut) {
    const QString sLong = u"東京都千代田区丸の内一丁目"_s;
    const QColor bg = Background();
    // Unfitted in a wide rectangle: the natural size.
    Text(sLong, 16, 0);
    ik.DrawText(H, 0, 0, 300, 40, false, 0, 0);
    const QRect natural = InkBounds(ik.PreviewImage(), bg);
    ASSERT_GT(natural.width(), 150);

    Background();
    Text(sLong, 16, 0);
    ik.DrawText(H, 0, 100, 150, 140, true, 0, 0);
    const QRect fitted = InkBounds(ik.PreviewImage(), bg);
    EXPECT_LE(fitted.right(), 149);
    EXPECT_GE(fitted.width(), 130) << "the whole line, smaller";
    EXPECT_LT(fitted.height(), natural.height()) << "glyphs are smaller, not cut";

    // A short text is never enlarged.
    Background();
    Text(u"東"_s, 16, 0);
    ik.DrawText(H, 0, 0, 300, 100, true, 0, 0);
    const QRect small = InkBounds(ik.PreviewImage(), bg);
    EXPECT_LE(small.width(), 22);
}

TEST_F(Preview, VerticalCommaSitsInTheUpperRightOfItsCell) {
    // 48 points at 96 dpi: an em of 64 pixels.
    for (const int nDir : {2, 0}) {
        const QColor bg = Background();
        Text(u"、"_s, 48, nDir);
        ik.DrawText(H, 100, 100, 164, 164, true, 0, 0);
        const QRect ink = InkBounds(ik.PreviewImage(), bg);
        ASSERT_FALSE(ink.isEmpty());
        const QPointF centre = QRectF(ink).center();
        if (nDir == 2) {
            EXPECT_GT(centre.x(), 132) << "right half";
            EXPECT_LT(centre.y(), 132) << "upper half";
        } else {
            EXPECT_LT(centre.x(), 132) << "horizontal: left half";
            EXPECT_GT(centre.y(), 132) << "horizontal: lower half";
        }
    }
}

TEST_F(Preview, VerticalAlignmentPlacesTheColumn) {
    struct Case {
        int alignH, alignV;
        bool left, top, right, bottom; // which edges the ink must be near
    };
    const Case cases[] = {
        {0, 0, true, true, false, false},
        {2, 2, false, false, true, true},
        {1, 1, false, false, false, false},
    };
    const QRect rect(50, 20, 100, 260);
    for (const Case& c : cases) {
        const QColor bg = Background();
        Text(u"山田"_s, 24, 2, c.alignH, c.alignV); // em 32 px, column 64 px
        ik.DrawText(H, rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1, true, 0, 0);
        const QRect ink = InkBounds(ik.PreviewImage(), bg);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_LE(ink.height(), 64);
        EXPECT_EQ(ink.left() - rect.left() < 8, c.left) << c.alignH;
        EXPECT_EQ(ink.top() - rect.top() < 8, c.top) << c.alignV;
        EXPECT_EQ(rect.right() - ink.right() < 8, c.right) << c.alignH;
        EXPECT_EQ(rect.bottom() - ink.bottom() < 8, c.bottom) << c.alignV;
        if (c.alignH == 1) {
            EXPECT_NEAR(QRectF(ink).center().x(), QRectF(rect).center().x(), 4);
        }
    }
}

TEST_F(Preview, VerticalCharactersStandOneUnderTheOther) {
    const QColor bg = Background();
    Text(u"一一一"_s, 24, 2); // three strokes in cells of 32 pixels
    ik.DrawText(H, 0, 0, 32, 300, true, 0, 0);
    const QImage& img = ik.PreviewImage();
    int nStrokes = 0;
    bool bIn = false;
    for (int y = 0; y < 120; ++y) {
        const bool bInk = !InkBounds(img, bg, QRect(0, y, 32, 1)).isEmpty();
        nStrokes += bInk && !bIn;
        bIn = bInk;
    }
    EXPECT_EQ(nStrokes, 3);
}

TEST_F(Preview, MeasureGivesPixelsAtTheScreenResolution) {
    struct Case {
        QString text;
        int size, dir, dpi, width, height;
    };
    const Case cases[] = {
        {u"東京"_s, 12, 0, 96, 32, 16},    {u"東京"_s, 12, 2, 96, 16, 32},
        {u"東京都"_s, 72, 2, 96, 96, 288}, {u"東京"_s, 12, 0, 120, 40, 20},
        {u"𠮷"_s, 12, 2, 96, 16, 16},      {QString(), 12, 0, 96, 0, 0},
    };
    for (const Case& c : cases) {
        PainterImaging p(QSize(10, 10), c.dpi);
        p.FontName(u"ＭＳ 明朝"_s);
        p.FontSize(c.size);
        p.TextDirection(c.dir);
        p.TextValue(c.text);
        int w = -1, h = -1;
        p.MeasureText(H, w, h, 0);
        EXPECT_EQ(w, c.width) << c.text.toStdString() << " dir " << c.dir;
        EXPECT_EQ(h, c.height) << c.text.toStdString() << " dir " << c.dir;
    }
}

TEST_F(Preview, DrawingWithoutATargetIsIgnored) {
    const QColor bg = Background();
    ik.DrawRect(0, 0, 0, 100, 100, 0);
    ik.DrawRect(PainterImaging::kPrinterHandle, 0, 0, 100, 100, 1); // no page open
    Text(u"東京"_s, 12, 0);
    ik.DrawText(77, 0, 0, 100, 100, true, 0, 0);
    ik.DrawPolygon(H, {1, 2}, {1}, 5, 0); // count beyond the arrays
    EXPECT_EQ(InkBounds(ik.PreviewImage(), bg), QRect());
    PainterImaging none; // no preview at all
    none.DrawRect(H, 0, 0, 10, 10, 0);
    EXPECT_TRUE(none.PreviewImage().isNull());
    EXPECT_EQ(none.Width(), 0);
}

TEST_F(Preview, PostcardPictureAsTheLayoutDrawsIt) {
    // A postcard in a control 4950 twips wide: scale 0.95 * 300 / 1480, origin (54, 7).
    const QColor bg = Background();
    const double sg = 0.95 * 300 / 1480;
    const auto X = [&](int x) { return static_cast<int>(std::lround(sg * x + 54)); };
    const auto Y = [&](int y) { return static_cast<int>(std::lround(sg * y + 7)); };
    const auto Box = [&](int x1, int y1, int x2, int y2) {
        ik.DrawRect(H, X(x1), Y(y1), X(x2), Y(y2), 0);
    };
    ik.ResetStyle();
    ik.FillMode(0);
    ik.LineWidth(1);
    ik.FillColor(kWhite);
    Box(0, 0, 1000, 1480);
    ik.ResetStyle();
    ik.FillMode(0);
    ik.LineWidth(1);
    ik.FillColor(kGrey);
    Box(1000, 15, 1015, 1495);
    Box(15, 1480, 1015, 1495);
    ik.ResetStyle();
    ik.FillMode(0);
    ik.LineWidth(2);
    ik.FillColor(kSilver);
    Box(70, 90, 250, 310);
    ik.ResetStyle();
    ik.LineWidth(1);
    ik.FillColor(kWhite);
    ik.FillMode(1);
    ik.LineColor(kRed);
    const int left[] = {0, 69, 138, 218, 287, 356, 425};
    for (const int x : left)
        Box(445 + x, 120, 507 + x, 200);
    Text(u"1"_s, 7, 0, 1, 1); // 14 points at the preview's font factor of about 0.51
    ik.DrawText(H, X(445), Y(120), X(507), Y(200), true, 0, 0);
    const QString lines[] = {u"東京都千代田区丸の内一丁目"_s, u"一｜二｜三　丸の内ビル、十階"_s};
    for (int i = 0; i < 2; ++i) {
        Text(lines[i], 6, 2, 1, 0, u"ＭＳ 明朝"_s);
        ik.DrawText(H, X(900 - 80 * i), Y(300), X(849 - 80 * i), Y(1400), true, 0, 0);
    }
    Text(u"山田　太郎　様"_s, 10, 2, 1, 1, u"ＭＳ 明朝"_s);
    ik.DrawText(H, X(560), Y(300), X(475), Y(1400), true, 0, 0);

    const QImage& img = ik.PreviewImage();
    test::SaveForViewing(img, u"postcard"_s);
    EXPECT_EQ(img.pixelColor(X(300), Y(1300)), QColor(Qt::white)) << "the page";
    EXPECT_EQ(img.pixelColor(X(1000) + 1, Y(700)).lightness(), 0) << "right shadow's edge";
    EXPECT_EQ(InkBounds(img, bg).right(), X(1015) - 1) << "the shadow ends the picture";
    EXPECT_EQ(img.pixelColor(X(160), Y(200)), QColor(0xC0, 0xC0, 0xC0)) << "stamp area";
    EXPECT_EQ(img.pixelColor(X(445), Y(160)), QColor(255, 0, 0)) << "first postal box";
    EXPECT_EQ(img.pixelColor(X(507) - 1, Y(160)), QColor(255, 0, 0));
    const QRect digit = InkBounds(img, Qt::white, QRect(X(445) + 1, Y(120) + 1, 10, 13));
    EXPECT_NEAR(QRectF(digit).center().x(), (X(445) + X(507)) / 2.0, 1.5) << "digit centred";
    EXPECT_NEAR(QRectF(digit).center().y(), (Y(120) + Y(200)) / 2.0, 1.5) << "digit centred";
    EXPECT_EQ(img.pixelColor(X(870) + 5, Y(200)), QColor(Qt::white)) << "above the address";
    EXPECT_FALSE(InkBounds(img, Qt::white, QRect(X(849), Y(300), X(900) - X(849), 40)).isEmpty())
        << "the address column starts at its top";
    EXPECT_EQ(InkOutside(img, bg, QRect(X(0), Y(0), X(1015) - X(0), Y(1495) - Y(0))), 0);
}

TEST_F(Preview, VerticalBarStandsAlongTheColumn) {
    for (const QString& bar : {u"｜"_s, u"|"_s}) {
        const QColor bg = Background();
        Text(bar, 48, 2);
        ik.DrawText(H, 100, 100, 164, 164, true, 0, 0);
        const QRect ink = InkBounds(ik.PreviewImage(), bg);
        EXPECT_GT(ink.height(), 3 * ink.width()) << bar.toStdString();
    }
    // The long-vowel mark, in contrast, is turned a quarter.
    const QColor bg = Background();
    Text(u"ー"_s, 48, 2);
    ik.DrawText(H, 100, 100, 164, 164, true, 0, 0);
    const QRect ink = InkBounds(ik.PreviewImage(), bg);
    EXPECT_GT(ink.height(), 3 * ink.width());
    Background();
    Text(u"ー"_s, 48, 0);
    ik.DrawText(H, 100, 100, 164, 164, true, 0, 0);
    const QRect flat = InkBounds(ik.PreviewImage(), bg);
    EXPECT_GT(flat.width(), 3 * flat.height());
}

TEST_F(Preview, VerticalBoldIsHeavierThanRegular) {
    // Every cell, vertical forms (「」、ョ。) and upright glyphs alike: 24 points, 32 pixels.
    const QString text = u"山「田」、ョ。"_s;
    QList<int> nInk[2];
    for (const bool bBold : {false, true}) {
        const QColor bg = Background();
        Text(text, 24, 2);
        ik.FontBold(bBold);
        ik.DrawText(H, 100, 0, 140, 300, true, 0, 0);
        const QImage& img = ik.PreviewImage();
        for (qsizetype i = 0; i < text.size(); ++i) {
            int n = 0;
            for (int y = 32 * int(i); y < 32 * int(i) + 32; ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += img.pixelColor(x, y).lightness() < 128 && img.pixelColor(x, y) != bg;
            nInk[bBold].append(n);
        }
    }
    for (qsizetype i = 0; i < text.size(); ++i)
        EXPECT_GT(nInk[1][i], nInk[0][i] * 11 / 10) << text.mid(i, 1).toStdString();
}

TEST_F(Preview, BoldStrokesAreNotCutAtTheEdgeOfTheirBox) {
    // 千 at the top of a rectangle it fits: the clip may keep other text in, but the strokes
    // emboldening adds to the glyph stay as they are drawn without one.
    struct Case {
        QString font;
        int size, dir;
        bool bold;
    };
    const Case cases[] = {
        {u"ＭＳ 明朝"_s, 30, 2, true},     {u"ＭＳ ゴシック"_s, 27, 2, true},
        {u"ＭＳ Ｐ明朝"_s, 21, 2, true},   {u"ＭＳ 明朝"_s, 30, 0, true},
        {u"ＭＳ ゴシック"_s, 15, 0, true}, {u"ＭＳ 明朝"_s, 30, 2, false},
    };
    for (const Case& c : cases) {
        QImage drawn[2];
        for (const bool bFit : {false, true}) {
            Background();
            Text(u"千"_s, c.size, c.dir, 1, 0, c.font);
            ik.FontBold(c.bold);
            ik.DrawText(H, 40, 20, 140, 140, bFit, 0, 0);
            drawn[bFit] = ik.PreviewImage().copy();
        }
        EXPECT_EQ(drawn[1], drawn[0]) << c.font.toStdString() << " " << c.size << " dir " << c.dir;
    }
}
