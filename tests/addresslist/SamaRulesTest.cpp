#include "addresslist/SamaRules.h"

#include "addresslist/QStringPrint.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

struct Placing {
    const char16_t* list;
    const char16_t* flag;
    const char16_t* names;
    const char16_t* honorific;
    const char16_t* defaultSama;
    const char16_t* result;
    const char16_t* honorificAfter;
};

const Placing kPlacings[] = {
    // The worked examples.
    {u"先生,殿", u"1", u"'部長;山田太郎;山田花子", u"", u"様", u"'部長;山田太郎 様;山田花子 様",
     u"様"},
    {u"先生,殿", u"1", u"井上　太郎　先生", u"", u"様", u"井上　太郎 先生", u"様"},
    {u"先生,殿", u"1", u"株式会社本社殿", u"", u"様", u"株式会社本社殿 様", u"様"},
    {u"先生,殿", u"0", u"株式会社本社殿", u"", u"様", u"株式会社本社 殿", u"様"},
    {u"先生,殿", u"1", u"'部長;山田太郎;山田花子", u"不要", u"様", u"'部長;山田太郎;山田花子",
     u"不要"},
    // The record's honorific beats the default; "なし" and "無し" mean none too.
    {u"", u"1", u"山田太郎", u"先生", u"様", u"山田太郎 先生", u"先生"},
    {u"", u"1", u"山田太郎;'部長", u"なし", u"様", u"山田太郎;'部長", u"なし"},
    {u"", u"1", u"山田太郎", u"無し", u"様", u"山田太郎", u"無し"},
    // No honorific anywhere: every entry is followed by a space and nothing else.
    {u"", u"1", u"山田太郎;山田花子", u"", u"", u"山田太郎 ;山田花子 ", u""},
    // A name that already ends with the honorific keeps it, in any letter case.
    {u"", u"1", u"山田先生", u"先生", u"様", u"山田先生 ", u"先生"},
    {u"", u"1", u"John Smith MR", u"Mr", u"様", u"John Smith MR ", u"Mr"},
    {u"", u"1", u"John Smith Mr", u"", u"mr", u"John Smith Mr ", u"mr"},
    // Empty entries and a lone title mark are dropped.
    {u"", u"1", u";';山田;;'", u"", u"様", u"山田 様", u"様"},
    {u"", u"1", u"", u"", u"様", u"", u"様"},
    // The list ignores the case of Latin letters and narrows the name, not the entries.
    {u"dr", u"0", u"Smith Dr", u"", u"様", u"Smith DR", u"様"},
    {u"dr", u"0", u"山田ｄｒ", u"", u"様", u"山田 DR", u"様"},
    {u"ＤＲ", u"0", u"山田ＤＲ", u"", u"様", u"山田ＤＲ 様", u"様"},
    {u"センセイ", u"0", u"山田センセイ", u"", u"様", u"山田センセイ 様", u"様"},
    {u"ｾﾝｾｲ", u"0", u"山田センセイ", u"", u"様", u"山田 ｾﾝｾｲ", u"様"},
    {u"さん", u"0", u"山田さん", u"", u"様", u"山田 さん", u"様"},
    // With the flag "1" an ending must stand apart; a full-width space counts.
    {u"先生", u"1", u"山田先生", u"", u"様", u"山田先生 様", u"様"},
    {u"先生", u"1", u"山田 先生", u"", u"様", u"山田 先生", u"様"},
    {u"先生", u"0", u"山田 先生", u"", u"様", u"山田 先生", u"様"},
    // The first listed ending wins.
    {u"殿,本社殿", u"0", u"株式会社本社殿", u"", u"様", u"株式会社本社 殿", u"様"},
    {u"本社殿,殿", u"0", u"株式会社本社殿", u"", u"様", u"株式会社 本社殿", u"様"},
    // The cut length comes from the narrowed name: voiced katakana take two characters there.
    {u"殿", u"0", u"ガス殿", u"", u"様", u"ガス殿 殿", u"様"},
    {u"ﾄﾞﾉ", u"0", u"山田ドノ", u"", u"様", u"山田 ﾄﾞﾉ", u"様"},
    // A title entry never takes an honorific.
    {u"殿", u"0", u"'工場長殿;山田", u"", u"様", u"'工場長殿;山田 様", u"様"},
};

class PlacingTest : public ::testing::TestWithParam<Placing> {};

TEST_P(PlacingTest, NamesAndHonorific) {
    const Placing& p = GetParam();
    SamaRules sama;
    sama.ReadSamaRule(QString::fromUtf16(p.list), QString::fromUtf16(p.flag));
    QString names = QString::fromUtf16(p.names);
    QString honorific = QString::fromUtf16(p.honorific);
    sama.ApplySama(names, honorific, QString::fromUtf16(p.defaultSama));
    EXPECT_EQ(names, QString::fromUtf16(p.result));
    EXPECT_EQ(honorific, QString::fromUtf16(p.honorificAfter));
    EXPECT_EQ(sama.sDotSama, QString());
}

INSTANTIATE_TEST_SUITE_P(Rules, PlacingTest, ::testing::ValuesIn(kPlacings));

TEST(ApplySama, JointNamesKeepTheirHonorificApart) {
    struct Case {
        QString names, honorific, result, dotSama;
    };
    const Case kCases[] = {
        {u"山田　太郎・花子"_s, u""_s, u"山田　太郎・花子"_s, u"様"_s},
        {u"山田太郎 様・花子様"_s, u""_s, u"山田太郎・花子"_s, u"様"_s},
        {u"山田太郎・花子 先生"_s, u"先生"_s, u"山田太郎・花子"_s, u"先生"_s},
        {u"Ann MR・Bob"_s, u"Mr"_s, u"Ann・Bob"_s, u"Mr"_s},
        {u"山田太郎・花子"_s, u"不要"_s, u"山田太郎・花子"_s, u""_s},
        // ";" stays inside the parts, and the list plays no part here.
        {u"'部長;山田・花子殿"_s, u"殿"_s, u"'部長;山田・花子"_s, u"殿"_s},
        {u"'部長;山田・花子 先生"_s, u""_s, u"'部長;山田・花子 先生"_s, u"様"_s},
    };
    for (const Case& c : kCases) {
        SamaRules sama;
        sama.ReadSamaRule(u"先生,殿"_s, u"1"_s);
        QString names = c.names;
        QString honorific = c.honorific;
        sama.ApplySama(names, honorific, u"様"_s);
        EXPECT_EQ(names, c.result) << c.names.toStdString();
        EXPECT_EQ(sama.sDotSama, c.dotSama) << c.names.toStdString();
    }
}

TEST(ApplySama, DotSamaSurvivesRecordsWithoutTheDot) {
    SamaRules sama;
    sama.ReadSamaRule(QString(), u"1"_s);
    QString names = u"山田太郎・花子"_s;
    QString honorific = u"先生"_s;
    sama.ApplySama(names, honorific, u"様"_s);
    names = u"佐藤"_s;
    honorific.clear();
    sama.ApplySama(names, honorific, u"様"_s);
    EXPECT_EQ(names, u"佐藤 様"_s);
    EXPECT_EQ(sama.sDotSama, u"先生"_s);
}

TEST(ReadSamaRule, ShowsTheListAndBuildsTheEndings) {
    struct Case {
        QString list, flag;
        QString txSamaE;
        int chSama;
        QStringList aSuffix;
    };
    const Case kCases[] = {
        {u"先生,殿"_s, u"1"_s, u"先生\r\n殿"_s, 1, {u" 先生"_s, u" 殿"_s}},
        {u"先生,殿"_s, u"0"_s, u"先生\r\n殿"_s, 0, {u"先生"_s, u"殿"_s}},
        {u" 先 生 ,　殿　"_s, u"0"_s, u"先生\r\n殿"_s, 0, {u"先生"_s, u"殿"_s}},
        {u"dr,Prof"_s, u"0"_s, u"dr\r\nProf"_s, 0, {u"DR"_s, u"PROF"_s}},
        {u""_s, u"0"_s, u""_s, 0, {}},
        {u""_s, u"1"_s, u""_s, 1, {u" "_s}},
        {u",先生"_s, u"0"_s, u"\r\n先生"_s, 0, {u""_s, u"先生"_s}},
        {u",先生"_s, u"1"_s, u"\r\n先生"_s, 1, {u" "_s, u" 先生"_s}},
        // Only the exact "1" spaces the entries; the box shows the number.
        {u"殿"_s, u"1.0"_s, u"殿"_s, 1, {u"殿"_s}},
        {u"殿"_s, u"x"_s, u"殿"_s, 0, {u"殿"_s}},
    };
    for (const Case& c : kCases) {
        SamaRules sama;
        sama.ReadSamaRule(c.list, c.flag);
        EXPECT_EQ(sama.txSamaE, c.txSamaE) << c.list.toStdString();
        EXPECT_EQ(sama.chSama, c.chSama) << c.flag.toStdString();
        EXPECT_EQ(sama.aSuffix, c.aSuffix) << c.list.toStdString();
    }
}

TEST(GetSamaRule, NormalisesTheBoxAndReturnsStoredForms) {
    struct Case {
        QString txSamaE;
        int chSama;
        QString list, flag, shown;
        QStringList aSuffix;
    };
    const Case kCases[] = {
        {u"先生\r\n殿"_s, 1, u"先生,殿"_s, u"1"_s, u"先生\r\n殿"_s, {u" 先生"_s, u" 殿"_s}},
        {u" 先 生 \r\n\r\n\r\n殿\r\n\r\n"_s,
         0,
         u"先生,殿"_s,
         u"0"_s,
         u"先生\r\n殿"_s,
         {u"先生"_s, u"殿"_s}},
        // An empty first line stays as a leading ",".
        {u"\r\n先生\r\n殿"_s,
         0,
         u",先生,殿"_s,
         u"0"_s,
         u"\r\n先生\r\n殿"_s,
         {u""_s, u"先生"_s, u"殿"_s}},
        {u"\r\n先生"_s, 1, u",先生"_s, u"1"_s, u"\r\n先生"_s, {u" "_s, u" 先生"_s}},
        {u"先生\n殿\n"_s, 2, u"先生,殿"_s, u"0"_s, u"先生\r\n殿"_s, {u"先生"_s, u"殿"_s}},
        {u"  \r\n　"_s, 0, u""_s, u"0"_s, u""_s, {}},
        {u"sir"_s, 1, u"sir"_s, u"1"_s, u"sir"_s, {u" SIR"_s}},
    };
    for (const Case& c : kCases) {
        SamaRules sama;
        sama.txSamaE = c.txSamaE;
        sama.chSama = c.chSama;
        QString list, flag;
        sama.GetSamaRule(list, flag);
        EXPECT_EQ(list, c.list) << c.txSamaE.toStdString();
        EXPECT_EQ(flag, c.flag);
        EXPECT_EQ(sama.txSamaE, c.shown);
        EXPECT_EQ(sama.aSuffix, c.aSuffix) << c.txSamaE.toStdString();
    }
}

// An empty first line in the box: with the flag "0" its empty entry matches every name.
TEST(GetSamaRule, EmptyFirstLineMatchesEveryNameOnlyWithoutSpacing) {
    struct Case {
        int chSama;
        QString result;
    };
    const Case kCases[] = {{0, u"山田太郎 ;花子 "_s}, {1, u"山田太郎 様;花子 様"_s}};
    for (const Case& c : kCases) {
        SamaRules sama;
        sama.txSamaE = u"\r\n先生"_s;
        sama.chSama = c.chSama;
        QString list, flag;
        sama.GetSamaRule(list, flag);
        QString names = u"山田太郎;花子"_s;
        QString honorific;
        sama.ApplySama(names, honorific, u"様"_s);
        EXPECT_EQ(names, c.result);
    }
}

TEST(CutSuffix, ReportsTheEndingAndTheShortenedName) {
    SamaRules sama;
    sama.ReadSamaRule(u"先生,殿"_s, u"1"_s);
    QString name = u"井上　太郎　先生"_s;
    QString suffix = u"x"_s;
    bool bNotFound = false;
    sama.CutSuffix(name, suffix, bNotFound);
    EXPECT_FALSE(bNotFound);
    EXPECT_EQ(suffix, u"先生"_s);
    EXPECT_EQ(name, u"井上　太郎"_s);

    name = u"山田殿下"_s;
    sama.CutSuffix(name, suffix, bNotFound);
    EXPECT_TRUE(bNotFound);
    EXPECT_EQ(suffix, QString());
    EXPECT_EQ(name, u"山田殿下"_s);
}

} // namespace
