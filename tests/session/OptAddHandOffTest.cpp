#include "session/OptAddHandOff.h"

#include "profile/ProfileModel.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

using Outcome = AddressList::Outcome;

const QString kHeader = u"郵便番号,住所,所属,肩書,氏名"_s;

} // namespace

TEST(OptAddHandOff, FilledListSelectsTheOptionOfItsLayout) {
    struct Case {
        const char16_t* codes;
        Outcome expected;
        std::array<bool, 6> opt;
        std::array<bool, 6> enabled;
    };
    const QString good = test::WriteListFile({kHeader, u"1,東京都,,,山田"_s});
    const Case kCases[] = {
        {u"ZAOEN ",
         Outcome::Filled,
         {false, true, false, false, false, true},
         {false, true, false, true, true, true}},
        {u"ZA@EN ",
         Outcome::Filled,
         {true, false, false, false, false, true},
         {true, false, false, true, true, true}},
    };
    for (const Case& c : kCases) {
        AddressList adr;
        ProfileModel model;
        const Outcome o = adr.LoadAdrList(QString::fromUtf16(c.codes) + good);
        ASSERT_EQ(o, c.expected);
        EXPECT_TRUE(HandOffOptAdd(o, adr, model));
        EXPECT_EQ(model.OptAdd, c.opt);
        EXPECT_EQ(model.OptAddEnabled, c.enabled);
    }

    ProfileModel model;
    model.OptAdd = {true, false, false, true, false, false};
    const ProfileModel before = model;
    AddressList adr;
    adr.bFullLay = true;
    EXPECT_FALSE(HandOffOptAdd(Outcome::Refused, adr, model));
    EXPECT_FALSE(HandOffOptAdd(Outcome::Unchanged, adr, model));
    EXPECT_EQ(model, before);
}
