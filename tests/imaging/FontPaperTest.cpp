#include "imaging/FontSubstitution.h"
#include "imaging/PaperSizes.h"
#include "imaging/WinColor.h"

#include <QFontInfo>
#include <QSizeF>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

TEST(FontSubstitution, WindowsNamesMapToTheIpaFontOfTheirKind) {
    const std::pair<QString, QString> cases[] = {
        {u"ＭＳ ゴシック"_s, u"IPAGothic"_s},
        {u"ＭＳ Ｐゴシック"_s, u"IPAPGothic"_s},
        {u"ＭＳ 明朝"_s, u"IPAMincho"_s},
        {u"ＭＳ Ｐ明朝"_s, u"IPAPMincho"_s},
        {u"MS Gothic"_s, u"IPAGothic"_s},
        {u"MS PGothic"_s, u"IPAPGothic"_s},
        {u"MS Mincho"_s, u"IPAMincho"_s},
        {u"MS PMincho"_s, u"IPAPMincho"_s},
        {u"MS UI Gothic"_s, u"IPAPGothic"_s},
        {u"HGｺﾞｼｯｸM"_s, u"IPAGothic"_s},
        {u"HGPｺﾞｼｯｸE"_s, u"IPAPGothic"_s},
        {u"HGSｺﾞｼｯｸM"_s, u"IPAPGothic"_s},
        {u"HG明朝B"_s, u"IPAMincho"_s},
        {u"HGP明朝E"_s, u"IPAPMincho"_s},
        // Variants of spelling and names not in the table.
        {u"ＭＳ　ゴシック"_s, u"IPAGothic"_s},
        {u"ms pgothic"_s, u"IPAPGothic"_s},
        {u"HGPｺﾞｼｯｸＥ"_s, u"IPAPGothic"_s},
        {u"HGP創英角ﾎﾟｯﾌﾟ体"_s, u"IPAPGothic"_s},
        {u"HGS教科書体"_s, u"IPAPMincho"_s},
        {u"ヒラギノ明朝 ProN"_s, u"IPAMincho"_s},
        // Installed families stay; anything else is IPAGothic.
        {u"IPAPMincho"_s, u"IPAPMincho"_s},
        {u"ipamincho"_s, u"IPAMincho"_s},
        {u"No Such Font"_s, u"IPAGothic"_s},
        {QString(), u"IPAGothic"_s},
    };
    for (const auto& [name, family] : cases)
        EXPECT_EQ(SubstituteFontFamily(name), family) << name.toStdString();
}

TEST(FontSubstitution, InstalledSubstitutionsReachWidgets) {
    InstallFontSubstitutions();
    EXPECT_EQ(QFontInfo(QFont(u"ＭＳ Ｐ明朝"_s)).family(), u"IPAPMincho"_s);
    EXPECT_EQ(QFontInfo(QFont(u"HGｺﾞｼｯｸM"_s)).family(), u"IPAGothic"_s);
}

TEST(PaperSizes, CodesBecomePageSizes) {
    struct Case {
        int code, width, height;
        QPageSize::PageSizeId id;
        double mmW, mmH;
    };
    const Case cases[] = {
        {43, 1000, 1480, QPageSize::Postcard, 100, 148},
        {9, 2100, 2970, QPageSize::A4, 210, 297},
        {69, 2000, 1480, QPageSize::DoublePostcard, 200, 148},
        {73, 1200, 2350, QPageSize::EnvelopeChou3, 120, 235},
        // Printer-specific and unknown codes: custom sizes as stored.
        {150, 980, 1900, QPageSize::Custom, 98, 190},
        {154, 1310, 2387, QPageSize::Custom, 131, 238.7},
        // 二つ折り, 8.5 x 13 in, unknown to Qt: taken as the German legal fanfold, which Qt
        // gives as 330 mm high.
        {14, 2159, 3302, QPageSize::FanFoldGermanLegal, 215.9, 330.0},
        {999, 1234, 2345, QPageSize::Custom, 123.4, 234.5},
        // A code whose size disagrees with what is stored: the stored size wins.
        {9, 1000, 1000, QPageSize::Custom, 100, 100},
    };
    for (const Case& c : cases) {
        const QPageSize size = PageSizeFor(c.code, c.width, c.height);
        EXPECT_EQ(size.id(), c.id) << c.code;
        const QSizeF mm = size.size(QPageSize::Millimeter);
        EXPECT_NEAR(mm.width(), c.mmW, 0.05) << c.code;
        EXPECT_NEAR(mm.height(), c.mmH, 0.05) << c.code;
    }
}

TEST(PaperSizes, PageSizesGiveTheirCodes) {
    EXPECT_EQ(PaperCodeFor(QPageSize(QPageSize::Postcard)), 43);
    EXPECT_EQ(PaperCodeFor(QPageSize(QPageSize::A4)), 9);
    EXPECT_EQ(PaperCodeFor(QPageSize(QPageSize::EnvelopeYou4)), 91);
    const auto custom = [](double w, double h) {
        return QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    };
    EXPECT_EQ(PaperCodeFor(custom(98, 190)), 150);
    EXPECT_EQ(PaperCodeFor(custom(131, 238.7)), 154);
    EXPECT_EQ(PaperCodeFor(custom(54, 86)), 156);
    EXPECT_EQ(PaperCodeFor(custom(77, 77)), kPaperUser);
}

TEST(WinColor, RgbLongsAndSystemColours) {
    EXPECT_EQ(WinColor(255), QColor(255, 0, 0));
    EXPECT_EQ(WinColor(12648447), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(WinColor(8421504), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(WinColor(static_cast<int>(0x80000012u)), QColor(Qt::black)); // button text
    EXPECT_EQ(WinColor(static_cast<int>(0x80000005u)), QColor(Qt::white)); // window
    EXPECT_EQ(WinColor(static_cast<int>(0x800000FFu)), QColor(Qt::black)); // unknown
}
