#include "BatchRun.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct SamaCase {
    QStringList args;
    QString names, honorific, dotSama;
};

TEST(BatchSama, PlacesTheHonorifics) {
    const QStringList rules{u"sama"_s, u"--list"_s, u"先生,殿"_s};
    const SamaCase kCases[] = {
        {rules + QStringList{u"'部長;山田太郎;山田花子"_s}, u"'部長;山田太郎 様;山田花子 様"_s,
         u"様"_s, u""_s},
        {rules + QStringList{u"井上　太郎　先生"_s}, u"井上　太郎 先生"_s, u"様"_s, u""_s},
        {rules + QStringList{u"株式会社本社殿"_s}, u"株式会社本社殿 様"_s, u"様"_s, u""_s},
        {rules + QStringList{u"--spc"_s, u"0"_s, u"株式会社本社殿"_s}, u"株式会社本社 殿"_s,
         u"様"_s, u""_s},
        {rules + QStringList{u"--honorific"_s, u"不要"_s, u"'部長;山田太郎;山田花子"_s},
         u"'部長;山田太郎;山田花子"_s, u"不要"_s, u""_s},
        // Defaults: the starter list (先生,殿,御中,様,さま,各位), flag "0", "様".
        {{u"sama"_s, u"山田太郎"_s}, u"山田太郎 様"_s, u"様"_s, u""_s},
        {{u"sama"_s, u"井上　太郎　先生"_s}, u"井上　太郎 先生"_s, u"様"_s, u""_s},
        {{u"sama"_s, u"総務部御中"_s}, u"総務部 御中"_s, u"様"_s, u""_s},
        // A list given, even empty, is kept as it is, with flag "1".
        {{u"sama"_s, u"--list"_s, u""_s, u"山田先生"_s}, u"山田先生 様"_s, u"様"_s, u""_s},
        {{u"sama"_s, u"--default"_s, u"殿"_s, u"山田太郎"_s}, u"山田太郎 殿"_s, u"殿"_s, u""_s},
        {{u"sama"_s, u"--default"_s, u""_s, u"山田太郎;花子"_s},
         u"山田太郎 ;花子 "_s,
         u""_s,
         u""_s},
        {{u"sama"_s, u"--honorific"_s, u"先生"_s, u"山田　太郎・花子"_s},
         u"山田　太郎・花子"_s,
         u"先生"_s,
         u"先生"_s},
        // An empty first entry matches every name when the flag is "0".
        {{u"sama"_s, u"--list"_s, u",先生"_s, u"--spc"_s, u"0"_s, u"山田"_s},
         u"山田 "_s,
         u"様"_s,
         u""_s},
        {{u"sama"_s, u"--"_s, u"--山田"_s}, u"--山田 様"_s, u"様"_s, u""_s},
    };
    for (const SamaCase& c : kCases) {
        const ProcRun r = Batch(c.args);
        ASSERT_EQ(r.rc, 0) << r.err.toStdString();
        ASSERT_TRUE(r.bAllJson) << r.out.toStdString();
        ASSERT_EQ(r.lines.size(), 1);
        const QJsonObject& o = r.lines[0];
        EXPECT_EQ(o.size(), 3);
        EXPECT_EQ(o.value(u"names"_s).toString(), c.names) << c.args.join(u' ').toStdString();
        EXPECT_EQ(o.value(u"honorific"_s).toString(), c.honorific);
        EXPECT_EQ(o.value(u"dotSama"_s).toString(), c.dotSama);
    }
}

TEST(BatchSama, AWrongCommandLineIsRefusedWithUsage) {
    const QList<QStringList> kWrong{
        {u"sama"_s},
        {u"sama"_s, u"--list"_s},
        {u"sama"_s, u"--list"_s, u"殿"_s},
        {u"sama"_s, u"--spc"_s, u"0"_s, u"--spc"_s, u"1"_s, u"山田"_s},
        {u"sama"_s, u"--flag"_s, u"1"_s, u"山田"_s},
        {u"sama"_s, u"山田"_s, u"佐藤"_s},
    };
    for (const QStringList& args : kWrong) {
        const ProcRun r = Batch(args);
        EXPECT_EQ(r.rc, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(u"sama [--list L]"_s)) << r.err.toStdString();
    }
}

} // namespace
