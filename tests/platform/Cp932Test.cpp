#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

struct RoundTrip {
    QString text;
    QByteArray bytes;
};

TEST(Cp932, WindowsMappingRoundTrips) {
    const RoundTrip cases[] = {
        {u"㈱"_s, QByteArray("\x87\x8a", 2)},
        {u"①"_s, QByteArray("\x87\x40", 2)},
        {u"～"_s, QByteArray("\x81\x60", 2)}, // U+FF5E, the Windows wave dash
        {u"－"_s, QByteArray("\x81\x7c", 2)}, // U+FF0D
        {u"ｱｰﾄ"_s, QByteArray("\xb1\xb0\xc4", 3)},
        {u"東京都\r\n"_s, QByteArray("\x93\x8c\x8b\x9e\x93\x73\r\n", 8)},
    };
    for (const auto& c : cases) {
        const Cp932Encoded enc = EncodeCp932(c.text);
        EXPECT_TRUE(enc.ok()) << c.text.toStdString();
        EXPECT_EQ(enc.bytes, c.bytes) << c.text.toStdString();
        EXPECT_EQ(DecodeCp932(c.bytes), c.text);
    }
}

TEST(Cp932, InvalidBytesBecomeReplacementAndDecodingGoesOn) {
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {QByteArray("A\xff" "B", 3), u"A\uFFFDB"_s},
        {QByteArray("\x93\x8c\x81", 3), u"東\uFFFD"_s},  // lead byte cut off at the end
        {QByteArray("\xa0" "x", 2), u"\uFFFDx"_s},
        {QByteArray("\x00" "a", 2), QString(QChar(0)) + u"a"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeCp932(c.bytes), c.text);
}

TEST(Cp932, EncodingReportsEveryUnmappableCharacterOnce) {
    const Cp932Encoded enc = EncodeCp932(u"山田😀太郎😀𠮷"_s);
    EXPECT_FALSE(enc.ok());
    EXPECT_EQ(enc.unmappable, u"😀𠮷"_s);
    EXPECT_EQ(DecodeCp932(enc.bytes), u"山田太郎"_s);
}
