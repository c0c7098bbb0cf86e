#include "environment/UserEnv.h"

#include "platform/Cp932.h"
#include "support/TestEnv.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

const QString kXml = u"<?xml version='1.0' encoding='Shift-JIS' ?>\r\n"_s;

QByteArray Sjis(const QString& s) {
    const Cp932Encoded e = EncodeCp932(s);
    EXPECT_TRUE(e.ok()) << e.unmappable.toStdString();
    return e.bytes;
}

// A fresh environment loaded from a file holding `text` (or from no file when text is null).
struct Env {
    QString path;
    UserEnv env;
    bool bOk = false;
    explicit Env(const QString& text = QString(), const QString& name = u"User.xml"_s) {
        path = test::NewTempDir() + u"/"_s + name;
        if (!text.isNull())
            test::WriteBytes(path, Sjis(text));
        env.GetTxt(path, bOk);
    }
    QString Write() {
        bool b = false;
        env.SetTxt(b);
        EXPECT_TRUE(b);
        return DecodeCp932(test::ReadBytes(path));
    }
    QString Val(const QString& grp, const QString& key, const QString& def = QString()) {
        env.GetGtx(grp);
        return env.vGtVal(key, def).toString();
    }
};

QString Doc(const QString& groups) {
    return kXml + u"<運用>\r\n"_s + groups + u"</運用>"_s;
}
QString Grp(const QString& name, const QString& lines) {
    return u"   <"_s + name + u">\r\n"_s + lines + u"   </"_s + name + u">\r\n"_s;
}
QString Key(const QString& name, const QString& value) {
    return u"      <"_s + name + u">"_s + value + u"</"_s + name + u">\r\n"_s;
}

} // namespace

TEST(UserEnv, FirstRunCreatesAnEmptyFileThenWritesTheGroupByteForByte) {
    Env e;
    ASSERT_TRUE(e.bOk);
    EXPECT_TRUE(QFileInfo::exists(e.path));
    EXPECT_EQ(test::ReadBytes(e.path), QByteArray());

    // The close sequence: profile name, then the honorific rules.
    e.env.GetGtx(u"印刷"_s);
    e.env.SetVal(u"用紙"_s, u"はがき"_s);
    e.env.SetVal(u"重複敬称"_s, u"御中;殿"_s);
    e.env.SetVal(u"敬称SPC"_s, u"1"_s);
    e.env.SetGtx();
    e.Write();
    const QByteArray expected =
        Sjis(u"<?xml version='1.0' encoding='Shift-JIS' ?>\r\n<運用>\r\n   <印刷>\r\n"
             u"      <用紙>はがき</用紙>\r\n      <重複敬称>御中;殿</重複敬称>\r\n"
             u"      <敬称SPC>1</敬称SPC>\r\n   </印刷>\r\n</運用>"_s);
    EXPECT_EQ(test::ReadBytes(e.path), expected);
}

TEST(UserEnv, HonorificRulesStoredFirstComeBeforeTheProfileName) {
    Env e;
    e.env.GetGtx(u"印刷"_s); // the honorific button
    e.env.SetVal(u"重複敬称"_s, u"様"_s);
    e.env.SetVal(u"敬称SPC"_s, u"0"_s);
    e.env.SetGtx();
    e.env.GetGtx(u"印刷"_s); // the close sequence
    e.env.SetVal(u"用紙"_s, u"封筒"_s);
    e.env.SetVal(u"重複敬称"_s, u"様"_s);
    e.env.SetVal(u"敬称SPC"_s, u"0"_s);
    e.env.SetGtx();
    e.Write();
    EXPECT_EQ(test::ReadBytes(e.path),
              Sjis(Doc(Grp(u"印刷"_s, Key(u"重複敬称"_s, u"様"_s) + Key(u"敬称SPC"_s, u"0"_s) +
                                          Key(u"用紙"_s, u"封筒"_s)))));
}

TEST(UserEnv, ReadingFollowsTheTextRules) {
    Env e(Doc(Grp(u"他"_s, Key(u"用紙"_s, u"よそ"_s) + Key(u"名前"_s, u"x"_s)) +
              Grp(u"印刷"_s, Key(u"用紙"_s, u"はがき"_s) + Key(u"敬称SPC"_s, QString()) +
                                 Key(u"Key A"_s, u"a"_s))));
    ASSERT_TRUE(e.bOk);
    struct Case {
        QString grp, key, def, expected;
    } cases[] = {
        {u"印刷"_s, u"用紙"_s, QString(), u"はがき"_s},
        {u"他"_s, u"用紙"_s, QString(), u"よそ"_s},
        {u"印刷"_s, u"敬称SPC"_s, u"1"_s, u"1"_s},      // stored empty reads as default
        {u"印刷"_s, u"名前"_s, u"none"_s, u"none"_s},   // only in another group
        {u"印刷"_s, u"key a"_s, u"none"_s, u"none"_s},  // other letter case
        {u"印刷"_s, u"Key  A"_s, u"none"_s, u"none"_s}, // other blanks
        {u"印刷"_s, u"Key A"_s, u"none"_s, u"a"_s},
        {u"なし"_s, u"用紙"_s, u"none"_s, u"none"_s}, // missing group
        {u"印刷 "_s, u"用紙"_s, u"none"_s, u"none"_s},
    };
    test::MessageCapture cap;
    for (const Case& c : cases)
        EXPECT_EQ(e.Val(c.grp, c.key, c.def), c.expected)
            << c.grp.toStdString() << "/" << c.key.toStdString();
    EXPECT_TRUE(cap.messages().isEmpty());
}

TEST(UserEnv, TypedValuesFollowTheDefault) {
    Env e(Doc(Grp(u"g"_s, Key(u"t"_s, u"True"_s) + Key(u"f"_s, u"false"_s) + Key(u"z"_s, u"0"_s) +
                              Key(u"bad"_s, u"はい"_s) + Key(u"n"_s, u"12.5mm"_s) +
                              Key(u"neg"_s, u"-3"_s) + Key(u"word"_s, u"abc"_s) +
                              Key(u"d"_s, u"2024/01/15"_s) + Key(u"dt"_s, u"2024/1/5 7:08:09"_s))));
    e.env.GetGtx(u"g"_s);
    bool bOk = false;
    EXPECT_EQ(e.env.vGtVal(u"t"_s, false, &bOk), QVariant(true));
    EXPECT_TRUE(bOk);
    EXPECT_EQ(e.env.vGtVal(u"f"_s, true), QVariant(false));
    EXPECT_EQ(e.env.vGtVal(u"z"_s, true), QVariant(false));
    EXPECT_EQ(e.env.vGtVal(u"missing"_s, true), QVariant(true));
    EXPECT_EQ(e.env.vGtVal(u"bad"_s, true, &bOk), QVariant(true));
    EXPECT_FALSE(bOk);

    EXPECT_EQ(e.env.vGtVal(u"n"_s, 0.0), QVariant(12.5));
    EXPECT_EQ(e.env.vGtVal(u"neg"_s, 7), QVariant(-3.0));
    EXPECT_EQ(e.env.vGtVal(u"word"_s, 7), QVariant(0.0));
    EXPECT_EQ(e.env.vGtVal(u"missing"_s, 7), QVariant(7));

    const QDate def(2000, 1, 1);
    EXPECT_EQ(e.env.vGtVal(u"d"_s, def), QVariant(QDate(2024, 1, 15)));
    EXPECT_EQ(e.env.vGtVal(u"word"_s, def), QVariant(def));
    EXPECT_EQ(e.env.vGtVal(u"dt"_s, QDateTime(def, QTime())).toDateTime(),
              QDateTime(QDate(2024, 1, 5), QTime(7, 8, 9)));
}

TEST(UserEnv, ValuesAreStoredInTheirTextForm) {
    struct Case {
        QVariant v;
        QString text;
    } cases[] = {
        {true, u"True"_s},
        {false, u"False"_s},
        {12.5, u"12.5"_s},
        {3, u"3"_s},
        {QDate(2024, 1, 15), u"2024/01/15"_s},
        {QDateTime(QDate(2024, 1, 5), QTime(7, 8, 9)), u"2024/01/05 7:08:09"_s},
        {u"a b"_s, u"a b"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserEnv::ValueText(c.v), c.text);

    Env e;
    e.env.GetGtx(u"g"_s);
    e.env.SetVal(u"b"_s, true);
    e.env.SetVal(u"d"_s, QDate(2024, 1, 15));
    e.env.SetGtx();
    e.env.GetGtx(u"g"_s);
    EXPECT_EQ(e.env.vGtVal(u"b"_s, false), QVariant(true));
    EXPECT_EQ(e.env.vGtVal(u"d"_s, QDate()), QVariant(QDate(2024, 1, 15)));
}

TEST(UserEnv, SettingAKeyTwiceLeavesOneLine) {
    Env e;
    e.env.GetGtx(u"印刷"_s);
    e.env.SetVal(u"用紙"_s, u"a"_s);
    e.env.SetVal(u"用紙"_s, u"長い名前"_s);
    EXPECT_EQ(e.env.groupText(), Key(u"用紙"_s, u"長い名前"_s));
    e.env.SetVal(u"用紙"_s, QString());
    EXPECT_EQ(e.env.groupText(), Key(u"用紙"_s, QString()));
}

TEST(UserEnv, DoubleDaggerInANewValueBecomesALineBreak) {
    Env e;
    e.env.GetGtx(u"印刷"_s);
    e.env.SetVal(u"重複敬称"_s, u"様‡殿"_s);
    EXPECT_EQ(e.env.groupText(), Key(u"重複敬称"_s, u"様\r\n殿"_s));
}

TEST(UserEnv, NewGroupGoesInFrontOfTheRootEndAndKeepsTheOthers) {
    const QString other = Grp(u"他"_s, Key(u"a"_s, u"1"_s));
    Env e(Doc(other));
    e.env.GetGtx(u"印刷"_s);
    EXPECT_EQ(e.env.groupText(), QString());
    e.env.SetVal(u"用紙"_s, u"x"_s);
    e.env.SetGtx();
    EXPECT_EQ(e.Write(), Doc(other + Grp(u"印刷"_s, Key(u"用紙"_s, u"x"_s))));
}

TEST(UserEnv, ChangedGroupIsReplacedInPlace) {
    const QString before = Grp(u"前"_s, Key(u"a"_s, u"1"_s));
    const QString after = Grp(u"後"_s, Key(u"b"_s, u"2"_s));
    Env e(Doc(before + Grp(u"印刷"_s, Key(u"用紙"_s, u"x"_s) + Key(u"敬称SPC"_s, u"0"_s)) + after));
    e.env.GetGtx(u"印刷"_s);
    e.env.SetVal(u"用紙"_s, u"はがき横"_s);
    e.env.SetGtx();
    EXPECT_EQ(e.Write(),
              Doc(before +
                  Grp(u"印刷"_s, Key(u"用紙"_s, u"はがき横"_s) + Key(u"敬称SPC"_s, u"0"_s)) +
                  after));
}

TEST(UserEnv, DvPathMeansThePlainPath) {
    for (const QString& name : {u"User_dv.xml"_s, u"User_DV.xml"_s, u"User_Dv.XML"_s}) {
        const QString dir = test::NewTempDir();
        test::WriteBytes(dir + u"/User.xml"_s, Sjis(Doc(Grp(u"印刷"_s, Key(u"用紙"_s, u"A"_s)))));
        UserEnv env;
        bool bOk = false;
        env.GetTxt(dir + u"/"_s + name, bOk);
        ASSERT_TRUE(bOk);
        EXPECT_EQ(env.path(), dir + u"/User.xml"_s);
        env.GetGtx(u"印刷"_s);
        EXPECT_EQ(env.vGtVal(u"用紙"_s, QString()).toString(), u"A"_s);
        env.SetVal(u"用紙"_s, u"B"_s);
        env.SetGtx();
        env.SetTxt(bOk);
        EXPECT_TRUE(bOk);
        EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{u"User.xml"_s})
            << name.toStdString();
        EXPECT_TRUE(
            DecodeCp932(test::ReadBytes(dir + u"/User.xml"_s)).contains(u"<用紙>B</用紙>"_s));
    }
}

TEST(UserEnv, BrokenElementsAreReportedAndReadAsDefault) {
    struct Case {
        QString doc, grp, key, message;
    } cases[] = {
        {Doc(u"   <印刷>\r\n"_s + Key(u"用紙"_s, u"x"_s)), u"印刷"_s, u"用紙"_s, u"印刷"_s},
        {Doc(Key(u"用紙"_s, u"x"_s) + u"   </印刷>\r\n"_s), u"印刷"_s, u"用紙"_s, u"印刷"_s},
        {Doc(u"   </印刷>\r\n   <印刷>\r\n"_s + Key(u"用紙"_s, u"x"_s) + u"   </印刷>\r\n"_s),
         u"印刷"_s, u"用紙"_s, u"印刷"_s},
        {Doc(Grp(u"印刷"_s, u"      <用紙>x\r\n"_s)), u"印刷"_s, u"用紙"_s, u"用紙"_s},
        {Doc(Grp(u"印刷"_s, u"      </用紙>x<用紙>\r\n"_s)), u"印刷"_s, u"用紙"_s, u"用紙"_s},
    };
    for (const Case& c : cases) {
        Env e(c.doc);
        test::MessageCapture cap;
        EXPECT_EQ(e.Val(c.grp, c.key, u"def"_s), u"def"_s);
        ASSERT_EQ(cap.messages().size(), 1) << c.doc.toStdString();
        EXPECT_EQ(cap.messages()[0], u"<"_s + c.message + u"> の設定が読み込めません"_s +
                                         QChar(13) + u"ﾕｰｻﾞｰ環境ﾌｧｲﾙ("_s + e.path +
                                         u") が破損しています"_s);
    }
}

// Writing back never loses another group, whatever state the file was in; and the next
// reading finds the values just written, without a message.
TEST(UserEnv, WritingBackKeepsEveryOtherGroup) {
    const QString other = Grp(u"他"_s, Key(u"a"_s, u"残す"_s));
    const QString otherAfter = Grp(u"後"_s, Key(u"b"_s, u"残す2"_s));
    struct Case {
        const char* what;
        QString doc;
    } cases[] = {
        {"empty group on one line", Doc(other + u"   <印刷></印刷>\r\n"_s + otherAfter)},
        {"group with a blank", Doc(other + u"   <印刷> </印刷>\r\n"_s + otherAfter)},
        {"no closing root", kXml + u"<運用>\r\n"_s + other + otherAfter},
        {"cut inside the group",
         kXml + u"<運用>\r\n"_s + other + otherAfter + u"   <印刷>\r\n      <用紙>はが"_s},
        {"opening tag lost",
         Doc(other + Key(u"用紙"_s, u"x"_s) + u"   </印刷>\r\n"_s + otherAfter)},
        {"closing tag lost", Doc(other + u"   <印刷>\r\n"_s + Key(u"用紙"_s, u"x"_s) + otherAfter)},
        {"closing tag first",
         Doc(u"   </印刷>\r\n"_s + other + Grp(u"印刷"_s, Key(u"用紙"_s, u"x"_s)) + otherAfter)},
        {"key cut short", Doc(other + Grp(u"印刷"_s, u"      <用紙>x\r\n"_s) + otherAfter)},
        // Remains at the very start of the group text or of the file: the new line still goes
        // in front of them.
        {"key cut short, not indented",
         Doc(other + u"   <印刷>\r\n<用紙>x\r\n   </印刷>\r\n"_s + otherAfter)},
        {"file begins with the closing tag", u"</印刷>\r\n"_s + other + otherAfter},
        {"no root at all", other + otherAfter},
        // A pair spanning a broken key: storing the pair's own key later keeps the line the
        // broken key got.
        {"pair spans a broken key",
         Doc(other +
             Grp(u"印刷"_s,
                 u"      <重複敬称>様,殿\r\n      用紙>x</用紙>\r\n      </重複敬称>\r\n"_s) +
             otherAfter)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Env e(c.doc);
        {
            test::MessageCapture quiet;
            e.env.GetGtx(u"印刷"_s);
            e.env.SetVal(u"用紙"_s, u"封筒"_s);
            e.env.SetVal(u"重複敬称"_s, u"先生"_s);
            e.env.SetVal(u"敬称SPC"_s, u"0"_s);
            e.env.SetGtx();
        }
        const QString written = e.Write();
        EXPECT_TRUE(written.contains(other));
        EXPECT_TRUE(written.contains(otherAfter));

        Env again(written);
        test::MessageCapture cap;
        EXPECT_EQ(again.Val(u"他"_s, u"a"_s), u"残す"_s);
        EXPECT_EQ(again.Val(u"後"_s, u"b"_s), u"残す2"_s);
        again.env.GetGtx(u"印刷"_s);
        EXPECT_EQ(again.env.vGtVal(u"用紙"_s, QString()).toString(), u"封筒"_s);
        EXPECT_EQ(again.env.vGtVal(u"重複敬称"_s, QString()).toString(), u"先生"_s);
        EXPECT_EQ(again.env.vGtVal(u"敬称SPC"_s, u"1"_s).toString(), u"0"_s);
        EXPECT_TRUE(cap.messages().isEmpty()) << cap.messages().join(u'|').toStdString();
    }
}

// A value with tags in it (read from a broken file) cannot pass for another key when read.
TEST(UserEnv, AValueHoldingTagsStaysOneValue) {
    Env e(Doc(Grp(u"印刷"_s, Key(u"用紙"_s, u"x"_s))));
    e.env.GetGtx(u"印刷"_s);
    e.env.SetVal(u"重複敬称"_s, u"様,<用紙>A4</用紙>"_s);
    e.env.SetVal(u"用紙"_s, u"封筒"_s);
    e.env.SetGtx();
    Env again(e.Write());
    again.env.GetGtx(u"印刷"_s);
    EXPECT_EQ(again.env.vGtVal(u"用紙"_s, QString()).toString(), u"封筒"_s);
    EXPECT_EQ(again.env.vGtVal(u"重複敬称"_s, QString()).toString(), u"様,＜用紙＞A4＜/用紙＞"_s);
}

TEST(UserEnv, EmptyAndBlankFilesGiveTheEmptyDocument) {
    for (const QString& text : {QString(u""_s), u"\r\n"_s, u"\r\n  \r\n"_s}) {
        Env e(text);
        EXPECT_TRUE(e.bOk);
        EXPECT_EQ(e.env.document(), kXml + u"<運用>\r\n</運用>"_s);
    }
}

TEST(UserEnv, AFileBeginningWithALineBreakIsStillRead) {
    const QString doc = u"\r\n"_s + Doc(Grp(u"他"_s, Key(u"a"_s, u"1"_s)));
    Env e(doc);
    EXPECT_EQ(e.Val(u"他"_s, u"a"_s), u"1"_s);
    e.env.GetGtx(u"印刷"_s);
    e.env.SetVal(u"用紙"_s, u"x"_s);
    e.env.SetGtx();
    EXPECT_TRUE(e.Write().contains(Grp(u"他"_s, Key(u"a"_s, u"1"_s))));
}

TEST(UserEnv, InvalidBytesNeverCrashAndTheFileIsNotRewrittenWithoutThem) {
    const QString dir = test::NewTempDir();
    const QString path = dir + u"/User.xml"_s;
    QByteArray bytes =
        Sjis(Doc(Grp(u"他"_s, Key(u"a"_s, u"x"_s)) + Grp(u"印刷"_s, Key(u"用紙"_s, u"紙"_s))));
    bytes.replace("x", "\x81\xff\xa0\x80"); // not code page 932
    test::WriteBytes(path, bytes);
    UserEnv env;
    bool bOk = false;
    env.GetTxt(path, bOk);
    EXPECT_TRUE(bOk);
    env.GetGtx(u"印刷"_s);
    EXPECT_EQ(env.vGtVal(u"用紙"_s, QString()).toString(), u"紙"_s);
    env.GetGtx(u"他"_s);
    EXPECT_TRUE(env.vGtVal(u"a"_s, QString()).toString().contains(QChar(0xFFFD)));
    env.GetGtx(u"印刷"_s);
    env.SetVal(u"用紙"_s, u"新"_s);
    env.SetGtx();
    bOk = true;
    env.SetTxt(bOk);
    // Writing would turn the undecodable bytes into something else: the file stays as it was.
    EXPECT_FALSE(bOk);
    EXPECT_EQ(test::ReadBytes(path), bytes);
}

TEST(UserEnv, TruncatedFilesNeverCrashNorLoseWhatSurvived) {
    const QString other = Grp(u"他"_s, Key(u"a"_s, u"漢字"_s));
    const QByteArray whole = Sjis(Doc(other + Grp(u"印刷"_s, Key(u"用紙"_s, u"紙"_s))));
    for (qsizetype n = 1; n < whole.size(); ++n) {
        SCOPED_TRACE(n);
        const QString path = test::NewTempDir() + u"/User.xml"_s;
        test::WriteBytes(path, whole.left(n));
        UserEnv env;
        bool bOk = false;
        env.GetTxt(path, bOk);
        test::MessageCapture quiet;
        env.GetGtx(u"印刷"_s);
        env.vGtVal(u"用紙"_s, QString());
        env.SetVal(u"用紙"_s, u"新"_s);
        env.SetGtx();
        env.SetTxt(bOk);
        const QString before = DecodeCp932(whole.left(n));
        if (before.contains(QChar(0xFFFD))) { // cut inside a character: left as it was
            EXPECT_EQ(test::ReadBytes(path), whole.left(n));
            continue;
        }
        const QString after = DecodeCp932(test::ReadBytes(path));
        if (before.contains(other)) {
            EXPECT_TRUE(after.contains(other));
        }
        quiet.clear();
        UserEnv again;
        again.GetTxt(path, bOk);
        again.GetGtx(u"印刷"_s);
        EXPECT_EQ(again.vGtVal(u"用紙"_s, QString()).toString(), u"新"_s);
        EXPECT_TRUE(quiet.messages().isEmpty());
    }
}

TEST(UserEnv, HugeFilesHaveNoLengthLimit) {
    QString filler;
    for (int i = 0; i < 20000; ++i)
        filler += Key(u"k"_s + QString::number(i), u"値"_s);
    Env e(Doc(Grp(u"大"_s, filler) + Grp(u"印刷"_s, Key(u"用紙"_s, u"はがき"_s))));
    ASSERT_GT(e.env.document().size(), 400000);
    EXPECT_EQ(e.Val(u"印刷"_s, u"用紙"_s), u"はがき"_s);
    EXPECT_EQ(e.Val(u"大"_s, u"k19999"_s), u"値"_s);
    e.env.GetGtx(u"印刷"_s);
    e.env.SetVal(u"用紙"_s, u"封筒"_s);
    e.env.SetGtx();
    const QString written = e.Write();
    EXPECT_TRUE(written.contains(Grp(u"大"_s, filler)));
    EXPECT_TRUE(written.contains(Key(u"用紙"_s, u"封筒"_s)));
}

TEST(UserEnv, AFileThatCannotBeReadIsNeverOverwritten) {
    const QString dir = test::NewTempDir();
    const QString path = dir + u"/User.xml"_s;
    QDir().mkdir(path); // exists, but is no readable file
    UserEnv env;
    bool bOk = true;
    env.GetTxt(path, bOk);
    EXPECT_FALSE(bOk);
    env.GetGtx(u"印刷"_s);
    env.SetVal(u"用紙"_s, u"x"_s);
    env.SetGtx();
    bOk = true;
    env.SetTxt(bOk);
    EXPECT_FALSE(bOk);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(UserEnv, FailuresAreQuiet) {
    test::MessageCapture cap;
    UserEnv env;
    bool bOk = true;
    env.SetTxt(bOk); // before GetTxt: nothing, bOk untouched
    EXPECT_TRUE(bOk);
    env.GetTxt(test::NewTempDir() + u"/no/such/User.xml"_s, bOk);
    EXPECT_FALSE(bOk);
    EXPECT_TRUE(cap.messages().isEmpty());
}

TEST(UserEnv, AppEndWritesTheDocument) {
    Env e;
    e.env.GetGtx(u"印刷"_s);
    e.env.SetVal(u"用紙"_s, u"x"_s);
    e.env.SetGtx();
    AppEnd(e.env);
    EXPECT_EQ(DecodeCp932(test::ReadBytes(e.path)), Doc(Grp(u"印刷"_s, Key(u"用紙"_s, u"x"_s))));
}
