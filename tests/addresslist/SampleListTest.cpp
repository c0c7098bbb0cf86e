#include "addresslist/AddressList.h"
#include "platform/Cp932.h"

#include "addresslist/QStringPrint.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

const QString kDir = QStringLiteral(HOPLARK_SOURCE_DIR "/data/sample/");

// The shipped list is the code page 932, CR LF form of its UTF-8 source, byte for byte.
TEST(SampleList, MatchesItsSource) {
    const QByteArray source = test::ReadBytes(kDir + u"addresses.utf8.txt"_s);
    ASSERT_FALSE(source.isEmpty());
    QString text = QString::fromUtf8(source);
    text.replace(u"\n"_s, u"\r\n"_s);
    const Cp932Encoded enc = EncodeCp932(text);
    ASSERT_TRUE(enc.ok()) << enc.unmappable.toStdString();
    EXPECT_EQ(test::ReadBytes(kDir + u"addresses.csv"_s), enc.bytes);
}

TEST(SampleList, LoadsWithTheMenuCodes) {
    AddressList adr;
    ASSERT_EQ(adr.LoadAdrList(u"ZAOEN "_s + kDir + u"addresses.csv"_s),
              AddressList::Outcome::Filled);
    ASSERT_EQ(adr.count(), 30);
    for (const QString& row : adr.Rows())
        EXPECT_FALSE(row.isEmpty());
    EXPECT_EQ(adr.Record(3),
              u"160-0023,;東京都;新宿区;西新宿1-5-1,（有）田中工務店,'代表取締役;田中　誠,"_s);
    EXPECT_EQ(adr.Row(3), u"（有）田中工務店 代表取締役田中　誠"_s);
    EXPECT_EQ(adr.Record(4),
              u"220-0012,;神奈川県;横浜市西区;みなとみらい３－６－１,,渡辺　太郎・花子,"_s);
    // The longest address: an empty prefecture, six address and four affiliation segments.
    const QStringList fields = adr.Record(28).split(u',');
    ASSERT_EQ(fields.size(), 5);
    EXPECT_EQ(fields[1].split(u';').size(), 1 + 6);
    EXPECT_EQ(fields[2].split(u';').size(), 4);
}

} // namespace
