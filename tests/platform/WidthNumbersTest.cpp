#include "platform/Numbers.h"
#include "platform/Width.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

TEST(Width, NarrowAndWide) {
    const struct {
        QString wide, narrow;
    } cases[] = {
        {u"ＡＢｃ１２３"_s, u"ABc123"_s},
        {u"　"_s, u" "_s},
        {u"ガッコウ"_s, u"ｶﾞｯｺｳ"_s},
        {u"パン"_s, u"ﾊﾟﾝ"_s},
        {u"ヴ"_s, u"ｳﾞ"_s},
        // Every voiced and semi-voiced katakana, the ones after the small ッ included.
        {u"ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ"_s,
         u"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"_s},
        {u"ッツテト"_s, u"ｯﾂﾃﾄ"_s},
        {u"「テスト」、。ー"_s, u"｢ﾃｽﾄ｣､｡ｰ"_s},
        {u"漢字"_s, u"漢字"_s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(c.wide), c.narrow) << c.wide.toStdString();
        EXPECT_EQ(Wide(c.narrow), c.wide) << c.narrow.toStdString();
    }
    EXPECT_EQ(Wide(u"(1-2)"_s), u"（１－２）"_s);
}

TEST(Numbers, NumReadsTheLeadingNumber) {
    const struct {
        QString text;
        double value;
    } cases[] = {{u"0.50行"_s, 0.5}, {u"なし"_s, 0}, {u"  12abc"_s, 12}, {u"-3.5"_s, -3.5},
                 {u""_s, 0},         {u"1.2.3"_s, 1.2}, {u"."_s, 0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Num(c.text), c.value) << c.text.toStdString();
}

TEST(Numbers, NearestRoundsHalvesToEvenAndOverflows) {
    EXPECT_EQ(Nearest(0.5), 0);
    EXPECT_EQ(Nearest(1.5), 2);
    EXPECT_EQ(Nearest(2.5), 2);
    EXPECT_EQ(Nearest(-2.5), -2);
    EXPECT_EQ(Nearest(50.673), 51);
    EXPECT_THROW(Nearest(3e9), OverflowError);
    EXPECT_EQ(NumText(14.25), u"14.25"_s);
    EXPECT_EQ(NumText(12), u"12"_s);
    EXPECT_EQ(NumText(9.75), u"9.75"_s);
}
