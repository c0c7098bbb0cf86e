#include "imaging/PainterImaging.h"
#include "session/Session.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace hoplark {
namespace {

// A postcard preview of 600 x 600 pixels through the QPainter imaging: the control is 9000
// twips wide, so the layout's square is 545 pixels and the scale 0.95 * 545 / 1480.
struct PixelScene {
    PainterImaging pik{QSize(600, 600), 96};
    Session st{pik};

    explicit PixelScene(bool bVertical, int nTab = 0) {
        st.nTab = nTab;
        st.page.sPage = st.page.sPaper = u"はがき"_s;
        st.page.nPaperW = 1000;
        st.page.nPaperH = 1480;
        st.page.bVertical = bVertical;
        st.model.lbAdd[1].color = st.model.lbAdd[3].color = 0; // black text
        st.adr.bFullLay = true;
        st.adr.colAdr = {u"100-0001,;東京都;千代田区;千代田1-1,総務部,'部長;山田太郎,"_s};
        st.txAdd[0] = u"530-0001"_s;
        st.txAdd[1] = u"大阪府大阪市北区梅田1-1"_s;
        st.txAdd[8] = u"鈴木花子"_s;
        EXPECT_EQ(st.RefreshPreview(), QString());
        image = pik.PreviewImage();
    }
    // The pixel of page point (x, y).
    QColor At(int x, int y) const {
        const PageLayout& l = st.lay;
        return image.pixelColor(qRound(l.sgScale * x + l.nOrgX), qRound(l.sgScale * y + l.nOrgY));
    }
    // Dark pixels inside a line box, and their extent.
    QRect Ink(const LineBox& b) const {
        const PageLayout& l = st.lay;
        const int x1 = qRound(l.sgScale * std::min(b[0], b[2]) + l.nOrgX);
        const int x2 = qRound(l.sgScale * std::max(b[0], b[2]) + l.nOrgX);
        const int y1 = qRound(l.sgScale * b[1] + l.nOrgY), y2 = qRound(l.sgScale * b[3] + l.nOrgY);
        QRect ink;
        // The box's own outline (the guide) is one pixel wide: look inside it.
        for (int y = y1 + 2; y < y2 - 1; ++y)
            for (int x = x1 + 2; x < x2 - 1; ++x)
                if (qGray(image.pixel(x, y)) < 100)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    }
    QImage image;
};

TEST(PreviewPixels, HorizontalPostcard) {
    PixelScene s(false);
    EXPECT_EQ(s.st.lay.nOrgX, 98);
    EXPECT_EQ(s.st.lay.nOrgY, 14);
    EXPECT_EQ(s.image.pixelColor(5, 5), QGuiApplication::palette().color(QPalette::Window));
    EXPECT_EQ(s.At(30, 1450), QColor(Qt::white));            // page corner, no guide there
    EXPECT_EQ(s.At(1007, 700), QColor(0x80, 0x80, 0x80));    // shadow
    EXPECT_EQ(s.At(160, 200), QColor(0xC0, 0xC0, 0xC0));     // stamp area
    EXPECT_EQ(s.image.pixelColor(254, 70), QColor(Qt::red)); // left edge of the first zip box
    EXPECT_EQ(s.At(850, 560), QColor(0xFF, 0xFF, 0xC0));     // empty 4th address guide
    // Address line: wide and low; the title and the name in their rows.
    const QRect adr = s.Ink(s.st.lay.aAdrBox[0]);
    ASSERT_FALSE(adr.isEmpty());
    EXPECT_GT(adr.width(), 3 * adr.height());
    EXPECT_LT(adr.left(), qRound(s.st.lay.sgScale * 300 + 98) + 6); // starts at the left
    EXPECT_FALSE(s.Ink(s.st.lay.aNameBox[0]).isEmpty());
    EXPECT_FALSE(s.Ink(s.st.lay.aNameBox[1]).isEmpty());
    EXPECT_TRUE(s.Ink(s.st.lay.aNameBox[2]).isEmpty());
}

// Away from the first tab the record area is blanked before it is drawn; that leaves no frame
// in the preview, as there is none on paper.
TEST(PreviewPixels, BlankingTheRecordAreaLeavesNoFrame) {
    PixelScene s(false, 2);
    const LineBox a = s.st.lay.aAdrBox[0];
    const LineBox n = s.st.lay.aNameBox.last();
    const PageLayout& l = s.st.lay;
    for (const auto& [x, y] :
         {std::pair{n[2], a[1]}, std::pair{n[2], n[3]}, std::pair{a[0], n[3]}}) {
        // The corner's pixel and its neighbours: the outline may fall on either side.
        const int px = qRound(l.sgScale * x + l.nOrgX), py = qRound(l.sgScale * y + l.nOrgY);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                EXPECT_GT(qGray(s.image.pixel(px + dx, py + dy)), 200) << x << "," << y;
    }
}

TEST(PreviewPixels, VerticalPostcard) {
    PixelScene s(true);
    EXPECT_EQ(s.At(30, 1450), QColor(Qt::white));
    EXPECT_EQ(s.At(160, 200), QColor(0xC0, 0xC0, 0xC0));
    // Address column: tall and narrow, starting at its top.
    const QRect adr = s.Ink(s.st.lay.aAdrBox[0]);
    ASSERT_FALSE(adr.isEmpty());
    EXPECT_GT(adr.height(), 3 * adr.width());
    EXPECT_LT(adr.top(), qRound(s.st.lay.sgScale * 300 + s.st.lay.nOrgY) + 8);
    // The title sits at the left of its column, the name centred across its own.
    const LineBox t = s.st.lay.aNameBox[0];
    const QRect title = s.Ink(t);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_LT(title.center().x(), s.st.lay.sgScale * (t[0] + t[2]) / 2 + s.st.lay.nOrgX);
    const QRect name = s.Ink(s.st.lay.aNameBox[1]);
    EXPECT_GT(name.height(), 3 * name.width());
    EXPECT_FALSE(s.Ink(s.st.lay.aSndBox[0]).isEmpty());
}

} // namespace
} // namespace hoplark
