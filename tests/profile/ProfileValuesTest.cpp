#include "profile/ProfileValues.h"

#include "profile/PrintAdjust.h"

#include "tagfile/AtIni.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

TEST(ProfileValues, ChoiceIsRestoredByIndex) {
    const QStringList& list = ProfileModel::RwPtList(0); // "なし", "０．１２行", ...
    struct Case {
        QString value;
        ComboValue want;
    };
    const Case cases[] = {
        {u"０．５０行|3"_s, {u"０．５０行"_s, 3}},
        {u"whatever the text|5"_s, {u"１．００行"_s, 5}}, // the text serves readers only
        {u"3"_s, {u"０．５０行"_s, 3}},                   // no "|": the whole value
        {QString(), {u"なし"_s, 0}},                      // missing: first entry
        {u"abc"_s, {u"なし"_s, 0}},
        {u"|"_s, {u"なし"_s, 0}},
        {u"a|b|3"_s, {u"なし"_s, 0}},       // the part after the first "|"
        {u"x|2.6"_s, {u"０．５０行"_s, 3}}, // rounded to the nearest entry
        // Outside the list: the stored text stays, with no entry selected.
        {u"0.50行|-1"_s, {u"0.50行"_s, -1}},
        {u"３．００行|10"_s, {u"３．００行"_s, -1}}, // beyond this box's 9 entries
        {u"-1"_s, {QString(), -1}},
        {u"x|99999999999"_s, {u"x"_s, -1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChoiceValue(c.value, list), c.want) << c.value.toStdString();
    }
    // The wider box of 住名行間隔 holds "３．００行" at 10.
    EXPECT_EQ(ChoiceValue(u"x|10"_s, ProfileModel::RwPtList(1)), (ComboValue{u"３．００行"_s, 10}));

    EXPECT_EQ(ChoiceText({u"０．５０行"_s, 3}), u"０．５０行|3"_s);
    EXPECT_EQ(ChoiceText({u"0.50行"_s, -1}), u"0.50行|-1"_s);
}

TEST(ProfileValues, FontSpecText) {
    struct Case {
        FontSpec font;
        QString want;
    };
    const Case cases[] = {
        {FontSpec{u"ＭＳ Ｐゴシック"_s, 14.25}, u"ＭＳ Ｐゴシック|14.25|-2147483630| | | | |"_s},
        {FontSpec{u"A"_s, 12, 0, true, false, false, false}, u"A|12|0|B| | | |"_s},
        {FontSpec{u"B"_s, 9.75, 255, false, true, true, true}, u"B|9.75|255| |I|S|U|"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FontSpecText(c.font), c.want);
}

TEST(ProfileValues, FontSpecIsAppliedInOrderAndStopsSilently) {
    const FontSpec before{u"Old"_s, 9, 123, true, true, true, true};
    struct Case {
        const char* what;
        QString value;
        FontSpec want;
    };
    const Case cases[] = {
        {"empty leaves the label", QString(), before},
        {"full fnt", u"New|14.25|255|B| |S| |"_s, {u"New"_s, 14.25, 255, true, false, true, false}},
        {"system colour",
         u"New|12|-2147483630| | | | |"_s,
         {u"New"_s, 12, kSysButtonText, false, false, false, false}},
        {"only name and size", u"New|12"_s, {u"New"_s, 12, 123, true, true, true, true}},
        {"only name and size, closed", u"New|12|"_s, {u"New"_s, 12, 123, true, true, true, true}},
        {"only a name", u"New"_s, {u"New"_s, 9, 123, true, true, true, true}},
        {"size not a number", u"New|big|0| | | | |"_s, {u"New"_s, 9, 123, true, true, true, true}},
        {"empty name is refused", u"|12|0| | | | |"_s, before},
        {"colour out of range",
         u"New|12|99999999999|B"_s,
         {u"New"_s, 12, 123, true, true, true, true}},
        {"stops after italic", u"New|12|0| |I"_s, {u"New"_s, 12, 0, false, true, true, true}},
    };
    for (const Case& c : cases) {
        FontSpec f = before;
        ApplyFontSpec(c.value, f);
        EXPECT_EQ(f, c.want) << c.what;
    }
}

TEST(ProfileValues, CheckValues) {
    const std::pair<QString, int> cases[] = {{u"0"_s, 0},    {u"1"_s, 1}, {u"2"_s, 2},
                                             {QString(), 0}, {u"3"_s, 0}, {u"-1"_s, 0},
                                             {u"1.4"_s, 1},  {u"x"_s, 0}};
    for (const auto& [value, want] : cases)
        EXPECT_EQ(CheckValue(value), want) << value.toStdString();
}

TEST(ProfileValues, StoreAndRestoreSteps) {
    AtIni o;
    o.SetBlk(u"B"_s);
    PutText(o, u"T"_s, u"12.5"_s);
    PutCheck(o, u"C"_s, 1);
    PutCombo(o, u"K"_s, {u"３行"_s, 2});
    PutFont(o, u"F"_s, FontSpec{u"X"_s, 9.75, 255, true});
    o.SetBlk(QString());
    EXPECT_EQ(o.InTxt(), u"<B>\r\n\t<T>\t12.5</T>\r\n\t<C>\t1</C>\r\n\t<K>\t３行|2</K>\r\n"
                         "\t<F>\tX|9.75|255|B| | | |</F>\r\n</B>\r\n"_s);

    o.GetBlk(u"B"_s);
    QString t;
    int c = 0;
    ComboValue k;
    FontSpec f;
    GetText(o, u"T"_s, t);
    GetCheck(o, u"C"_s, c);
    GetCombo(o, u"K"_s, k, ProfileModel::MxRwList(1));
    GetFont(o, u"F"_s, f);
    EXPECT_EQ(t, u"12.5"_s);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(k, (ComboValue{u"３行"_s, 2}));
    EXPECT_EQ(f, (FontSpec{u"X"_s, 9.75, 255, true}));

    // Missing keys: empty text, unchecked, first entry; a font stays.
    GetText(o, u"none"_s, t);
    GetCheck(o, u"none"_s, c);
    GetCombo(o, u"none"_s, k, ProfileModel::MxRwList(1));
    GetFont(o, u"none"_s, f);
    EXPECT_EQ(t, QString());
    EXPECT_EQ(c, 0);
    EXPECT_EQ(k, (ComboValue{u"１行"_s, 0}));
    EXPECT_EQ(f, (FontSpec{u"X"_s, 9.75, 255, true}));
}

// The print position correction as typed (mm) and as stored (0.1 mm).
TEST(ProfileValues, CorrectionValues) {
    struct Case {
        QString typed;
        std::optional<int> tenths;
    };
    const Case mm[] = {
        {u"1.5"_s, 15},
        {u"-0.3"_s, -3},
        {u"+2"_s, 20},
        {u".5"_s, 5},
        {u"10"_s, 100},
        {u"-10.0"_s, -100},
        {u" 3. "_s, 30},
        {u"10.1"_s, std::nullopt},
        {u"1.55"_s, std::nullopt},
        {u"-"_s, std::nullopt},
        {u"."_s, std::nullopt},
        {QString(), std::nullopt},
        {u"1,5"_s, std::nullopt},
        {u"１.５"_s, std::nullopt},
        {u"1e1"_s, std::nullopt},
    };
    for (const Case& c : mm)
        EXPECT_EQ(AdjFromMm(c.typed), c.tenths) << c.typed.toStdString();
    const Case stored[] = {
        {u"15"_s, 15},
        {u"-100"_s, -100},
        {u"+100"_s, 100},
        {u"101"_s, std::nullopt},
        {u"1.5"_s, std::nullopt},
        {u"15mm"_s, std::nullopt},
        {u"99999999999"_s, std::nullopt},
    };
    for (const Case& c : stored)
        EXPECT_EQ(AdjValue(c.typed), c.tenths) << c.typed.toStdString();
    // What is shown reads back as what it shows.
    for (int n : {-100, -15, -5, 0, 7, 100}) {
        EXPECT_EQ(AdjFromMm(AdjMmText(n)), n);
    }
    EXPECT_EQ(AdjMmText(-5), u"-0.5"_s);
}
