#include "addresslist/AddressList.h"
#include "addresslist/ListColumns.h"
#include "platform/Cp932.h"

#include "addresslist/QStringPrint.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

using Outcome = AddressList::Outcome;

const QString kLists = QStringLiteral(HOPLARK_SOURCE_DIR) + u"/tests/addresslist/lists/"_s;

// Loads a list with the columns its header names, as opening it in the window does.
QStringList RecordsByHeader(const QString& sPath, ListEncoding enc = ListEncoding::Auto) {
    QString text, sWhy;
    EXPECT_TRUE(ReadListFile(sPath, enc, text, sWhy)) << sWhy.toStdString();
    const auto cols = MatchHeader(ListHeader(text));
    if (!cols) {
        ADD_FAILURE() << "header not matched: " << sPath.toStdString();
        return {};
    }
    AddressList adr;
    EXPECT_EQ(adr.LoadListText(LoadRequest{true, cols->sCodes, sPath}, text, cols->map),
              Outcome::Filled)
        << adr.sLoadMsg.toStdString();
    return adr.colAdr.toList();
}

// Lists as address books and spreadsheets export them (fictional people): family and given
// name make one person, joint names follow, a country that is Japan is left out, quoted
// commas and line breaks keep the columns in place, and a contact without a home address
// takes the business one.
TEST(ListFormats, KnownHeadersGiveWholeRecords) {
    const struct {
        const char* file;
        QStringList records;
    } kCases[] = {
        {"plain-ja.csv", // UTF-8, LF
         {u"150-0001,;東京都渋谷区神宮前9-99-9;ひばりビル 3F,,架空　太郎;花子,"_s,
          u"530-0001,;大阪府大阪市北区梅田9-9-9;梅田架空タワー;12階,株式会社架空商事;"
          u"営業部，第二課,"
          u"'部長;試験　一郎,殿"_s}},
        {"japanpost.csv", // Shift-JIS, CR LF
         {u"060-0000,;北海道札幌市中央区架空通1-1,,見本　次郎;春子,様"_s}},
        {"google.csv", {u"100-0000,東京都;千代田区;架空町1-2-3;架空荘101,,架空　花子,"_s}},
        {"outlook-en.csv",
         {u"105-0000,Tokyo;Minato-ku;1-2-3 Kakuu-cho,,Kakuu　Jiro,"_s,
          u"100-0005,Tokyo;Chiyoda-ku;9-9 Marunouchi;Bldg 5F,Example Trading K.K.;Sales,"
          u"'Manager;Shiken　Saburo,"_s}},
        {"outlook-ja.csv", {u"231-0000,神奈川県;横浜市中区;架空台4-5-6,,見本　一子,"_s}},
        // vCard 3.0, 4.0 and 2.1: the HOME address of several, folded lines, escaped commas,
        // quoted-printable Shift-JIS with a soft line break; FN when there is no N.
        {"contacts.vcf",
         {u"150-0001,東京都;渋谷区;神宮前9-99-9;架空荘 101,株式会社架空商事;営業部， 第二課,"
          u"'部長;架空　花子,"_s,
          u"62701,IL;Springfield;1 Main St;USA,,Jiro Kakuu,"_s,
          u"060-0000,北海道;札幌市;架空町7-8-9,,見本　三郎,"_s}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(RecordsByHeader(kLists + QString::fromLatin1(c.file)), c.records);
    }
}

// Our own sample list, matched by its header, gives what the menu's "ZAOEN" gives.
TEST(ListFormats, TheSampleListMatchesAsTheMenuCodesReadIt) {
    const QString sSample = QStringLiteral(HOPLARK_SOURCE_DIR) + u"/data/sample/addresses.csv"_s;
    AddressList adr;
    ASSERT_EQ(adr.LoadAdrList(u"ZAOEN "_s + sSample), Outcome::Filled);
    EXPECT_EQ(RecordsByHeader(sSample), adr.colAdr);
}

TEST(ListFormats, HeadersWithoutNameOrAddressAreUnknown) {
    for (const QStringList& header :
         {QStringList{u"a"_s, u"b"_s, u"c"_s}, QStringList{u"郵便番号"_s, u"住所"_s, u"電話"_s},
          QStringList{u"氏名"_s, u"電話"_s}, QStringList{}})
        EXPECT_FALSE(MatchHeader(header).has_value()) << header.join(u',').toStdString();
}

// Quoted fields: "" is a quote, a comma becomes "，", a line break ";" (a new part); a quote
// that does not open a field, or that nothing closes, is an ordinary character. Every kind
// of line end ends a line.
TEST(ListFormats, QuotedFieldsAndLineEnds) {
    const struct {
        QString csv; // after the header line
        QStringList records;
    } kCases[] = {
        {u"1,\"東京都,千代田区\",,,\"山田 \"\"太郎\"\"\"\r\n"_s,
         {u"1,;東京都，千代田区,,山田 \"太郎\","_s}},
        {u"1,\"東京都\r\n千代田区\nビル\",,,山田\n2,大阪府,,,佐藤"_s,
         {u"1,;東京都;千代田区;ビル,,山田,"_s, u"2,;大阪府,,佐藤,"_s}},
        {u"1,東京都,,,a\"b\"\r2,大阪府,,,\"c\"d\r\n"_s,
         {u"1,;東京都,,a\"b\","_s, u"2,;大阪府,,cd,"_s}},
        // Nothing closes the quote: it stays, and the next lines stay lines.
        {u"1,\"東京都,,,山田\n2,大阪府,,,佐藤\n"_s,
         {u"1,;\"東京都,,山田,"_s, u"2,;大阪府,,佐藤,"_s}},
    };
    for (const auto& c : kCases) {
        const QString sPath = test::NewTempDir() + u"/q.csv"_s;
        test::WriteBytes(sPath, (u"h\n"_s + c.csv).toUtf8());
        AddressList adr;
        ASSERT_EQ(adr.LoadAdrList(u"ZAOEN "_s + sPath), Outcome::Filled);
        EXPECT_EQ(adr.colAdr, c.records) << c.csv.toStdString();
    }
}

// Which bytes are read how: marks first, then UTF-8 that is valid and not plain ASCII, else
// code page 932; the user's choice overrides the guess but not a UTF-16 mark. NUL bytes
// without a UTF-16 mark are no text.
TEST(ListFormats, EncodingIsDetectedOrChosen) {
    const QString sName = u"𠮷野 髙橋 ①"_s; // 𠮷 is not in code page 932
    const QString sSjis = u"髙橋 ① ～"_s;
    QByteArray utf16le("\xFF\xFE"), utf16be("\xFE\xFF");
    for (const QChar c : sName) {
        utf16le += static_cast<char>(c.unicode() & 0xFF);
        utf16le += static_cast<char>(c.unicode() >> 8);
        utf16be += static_cast<char>(c.unicode() >> 8);
        utf16be += static_cast<char>(c.unicode() & 0xFF);
    }
    const struct {
        QByteArray bytes;
        ListEncoding enc;
        QString text; // null: refused
    } kCases[] = {
        {sName.toUtf8(), ListEncoding::Auto, sName},
        {"\xEF\xBB\xBF" + sName.toUtf8(), ListEncoding::Auto, sName},
        {"\xEF\xBB\xBF"
         "abc",
         ListEncoding::Auto, u"abc"_s},
        {EncodeCp932(sSjis).bytes, ListEncoding::Auto, sSjis},
        {EncodeCp932(sSjis).bytes, ListEncoding::Cp932, sSjis},
        {utf16le, ListEncoding::Auto, sName},
        {utf16be, ListEncoding::Cp932, sName},
        {"plain ascii", ListEncoding::Auto, u"plain ascii"_s},
        // The choice wins: UTF-8 bytes read as Shift-JIS are something else, Shift-JIS read
        // as UTF-8 has replacement characters.
        {u"髙橋"_s.toUtf8(), ListEncoding::Utf8, u"髙橋"_s},
        {EncodeCp932(u"髙橋"_s).bytes, ListEncoding::Utf8, u"\uFFFD\uFFFD\uFFFD\uFFFD"_s},
        {QByteArray("a\0b", 3), ListEncoding::Auto, QString()},
        {QByteArray("a\0b\0", 4), ListEncoding::Utf8, QString()},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        QString text, sWhy;
        const bool bOk = DecodeList(c.bytes, c.enc, text, sWhy);
        EXPECT_EQ(bOk, !c.text.isNull());
        EXPECT_EQ(sWhy.isEmpty(), bOk);
        if (bOk) {
            EXPECT_EQ(text, c.text);
        }
    }
    // A UTF-8 list read as code page 932 is not the same text.
    QString text, sWhy;
    ASSERT_TRUE(DecodeList(u"髙橋"_s.toUtf8(), ListEncoding::Cp932, text, sWhy));
    EXPECT_NE(text, u"髙橋"_s);
}

} // namespace
