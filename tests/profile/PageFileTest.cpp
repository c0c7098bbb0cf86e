#include "profile/PageFile.h"

#include "ProfileTestEnv.h"
#include "platform/TextFile.h"
#include "support/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

// One profile folder with the state a main window holds.
struct Fixture : test::ProfileState {
    PageFile file{model, page, ik, UsrFld, bBusy};

    QString Path(const QString& sName, const QString& ext) const { return Base(sName) + ext; }
    // Loads sIni as profile "P" into a fresh model.
    QString LoadIni(const QString& sIni, const QString& sName = u"P"_s) {
        test::WriteProfileFiles(UsrFld, sName, sIni);
        return file.LoadPage(sName);
    }
};

void SetPostcard(PageVars& page, const QString& sName) {
    page.sPage = sName;
    page.sPaper = u"はがき(100x148mm)"_s;
    page.nPaperW = 1000;
    page.nPaperH = 1480;
}

} // namespace

TEST(PageFile, SavesTheDefaultsInFileOrder) {
    Fixture f;
    SetPostcard(f.page, u"はがき"_s);
    ASSERT_EQ(f.file.SavePage(), QString());
    const QString want =
        u"<用紙指定>\r\n"
        "\t<用紙>\tはがき(100x148mm)</用紙>\r\n\t<用紙幅>\t1000</用紙幅>\r\n"
        "\t<用紙高>\t1480</用紙高>\r\n\t<用紙方向>\t縦</用紙方向>\r\n\t<文字方向>\t横</"
        "文字方向>\r\n"
        "\t<行追加>\t不可</行追加>\r\n\t<県市区郡>\t県省略</県市区郡>\r\n"
        "\t<差出人表記>\t1</差出人表記>\r\n\t<住所行数>\t4行|-1</住所行数>\r\n"
        "\t<名前行数>\t3行|-1</名前行数>\r\n\t<差出人行数>\t3行|-1</差出人行数>\r\n"
        "\t<横補正>\t0</横補正>\r\n\t<縦補正>\t0</縦補正>\r\n"
        "</用紙指定>\r\n<配置横>\r\n"
        "\t<住所上余白>\t30</住所上余白>\r\n\t<住所左余白>\t30</住所左余白>\r\n"
        "\t<住所右余白>\t10</住所右余白>\r\n\t<名前左余白>\t40</名前左余白>\r\n"
        "\t<名前右余白>\t10</名前右余白>\r\n\t<差出左余白>\t20</差出左余白>\r\n"
        "\t<差出右余白>\t10</差出右余白>\r\n\t<差出下余白>\t10</差出下余白>\r\n"
        "\t<住所行間隔>\t0.50行|-1</住所行間隔>\r\n\t<住名行間隔>\t0.75行|-1</住名行間隔>\r\n"
        "\t<名前行間隔>\t0.50行|-1</名前行間隔>\r\n\t<差出行間隔>\t0.50行|-1</差出行間隔>\r\n"
        "</配置横>\r\n<配置縦>\r\n"
        "\t<住所右余白>\t10</住所右余白>\r\n\t<住所上余白>\t30</住所上余白>\r\n"
        "\t<住所下余白>\t10</住所下余白>\r\n\t<名前上余白>\t50</名前上余白>\r\n"
        "\t<名前下余白>\t20</名前下余白>\r\n\t<差出上余白>\t50</差出上余白>\r\n"
        "\t<差出下余白>\t10</差出下余白>\r\n\t<差出左余白>\t10</差出左余白>\r\n"
        "\t<住所列間隔>\t0.50行|-1</住所列間隔>\r\n\t<住名列間隔>\t0.75行|-1</住名列間隔>\r\n"
        "\t<名前列間隔>\t0.50行|-1</名前列間隔>\r\n\t<差出列間隔>\t0.50行|-1</差出列間隔>\r\n"
        "</配置縦>\r\n<書式設定>\r\n"
        "\t<宛先郵便>\tＭＳ Ｐゴシック|14.25|-2147483630| | | | |</宛先郵便>\r\n"
        "\t<宛先郵便枠>\t0</宛先郵便枠>\r\n"
        "\t<宛先住所>\tＭＳ Ｐゴシック|12|-2147483630| | | | |</宛先住所>\r\n"
        "\t<宛先肩書>\tＭＳ Ｐゴシック|9.75|-2147483630| | | | |</宛先肩書>\r\n"
        "\t<宛先名前>\tＭＳ Ｐゴシック|14.25|-2147483630| | | | |</宛先名前>\r\n"
        "\t<宛名中央>\t0</宛名中央>\r\n\t<宛名敬称>\t様</宛名敬称>\r\n"
        "\t<差出郵便枠>\t0</差出郵便枠>\r\n"
        "\t<差出住所>\tＭＳ Ｐゴシック|9|-2147483630| | | | |</差出住所>\r\n"
        "\t<差出名前>\tＭＳ Ｐゴシック|9|-2147483630| | | | |</差出名前>\r\n"
        "\t<差出中央>\t0</差出中央>\r\n"
        "</書式設定>\r\n"_s;
    EXPECT_EQ(ReadTextFile(f.Path(u"はがき"_s, u".ini"_s)), want);
}

TEST(PageFile, SaveAndLoadGiveBackEveryValue) {
    for (const int nSashi : {0, 1}) {
        Fixture f;
        f.model = test::ChangedModel();
        f.model.ckSashi = nSashi;
        SetPostcard(f.page, u"P"_s);
        f.page.bLandscape = true;
        test::WriteProfileFiles(f.UsrFld, u"P"_s, QString());
        ASSERT_EQ(f.file.SavePage(), QString());
        const ProfileModel saved = f.model;

        f.model = ProfileModel();
        f.page = PageVars();
        f.ik.nCode = 69;
        ASSERT_EQ(f.file.LoadPage(u"P"_s), QString());
        EXPECT_EQ(f.model, saved) << "ckSashi " << nSashi;
        EXPECT_EQ(f.page.sPage, u"P"_s);
        EXPECT_EQ(f.page.sIk7, f.Path(u"P"_s, u".ik7"_s));
        EXPECT_EQ(f.page.sPaper, u"はがき(100x148mm)"_s);
        EXPECT_EQ(f.page.nPaperW, 1000);
        EXPECT_EQ(f.page.nPaperH, 1480);
        EXPECT_EQ(f.page.nPaper, 69); // from the printer settings
        EXPECT_TRUE(f.page.bLandscape);
        EXPECT_TRUE(f.page.bVertical);
        EXPECT_TRUE(f.page.bExtraOk);
        EXPECT_EQ(f.page.bSender, nSashi == 1);
        EXPECT_FALSE(f.page.bEnvelope);
        EXPECT_EQ(f.ik.Loaded(), QStringList{f.Path(u"P"_s, u".ik7"_s)});
    }
}

TEST(PageFile, RepeatedKeysAreReadFromTheirOwnBlock) {
    Fixture f;
    // "配置縦" lacks the four keys it shares with "配置横": they must not be taken from there.
    const QString sIni =
        test::MinimalIni() +
        u"<配置横>\r\n\t<住所上余白>\tH0</住所上余白>\r\n\t<住所右余白>\tH2</住所右余白>\r\n"
        "\t<差出右余白>\tH6</差出右余白>\r\n\t<差出下余白>\tH7</差出下余白>\r\n</配置横>\r\n"
        "<配置縦>\r\n\t<差出左余白>\tV7</差出左余白>\r\n</配置縦>\r\n"_s;
    ASSERT_EQ(f.LoadIni(sIni), QString());
    EXPECT_EQ(f.model.txYhk[0], u"H0"_s);
    EXPECT_EQ(f.model.txYhk[2], u"H2"_s);
    EXPECT_EQ(f.model.txYhk[5], QString()); // 差出左余白 is only in 配置縦
    EXPECT_EQ(f.model.txYhk[7], u"H7"_s);
    EXPECT_EQ(f.model.txYhkB[0], QString()); // 住所右余白
    EXPECT_EQ(f.model.txYhkB[1], QString()); // 住所上余白
    EXPECT_EQ(f.model.txYhkB[6], QString()); // 差出下余白
    EXPECT_EQ(f.model.txYhkB[7], u"V7"_s);
}

TEST(PageFile, MissingKeysReadAsEmptyValues) {
    Fixture f;
    f.model = test::ChangedModel();
    const ProfileModel before = f.model;
    ASSERT_EQ(f.LoadIni(test::MinimalIni()), QString());
    const ProfileModel& m = f.model;
    EXPECT_EQ(m.opMjhk, (std::array<bool, 2>{true, false}));
    EXPECT_FALSE(f.page.bVertical);
    EXPECT_FALSE(f.page.bLandscape);
    EXPECT_FALSE(f.page.bExtraOk);
    EXPECT_EQ(m.chOvrRw, 0);
    EXPECT_TRUE(m.OptAdd[5]);
    EXPECT_FALSE(m.OptAdd[3] || m.OptAdd[4]);
    EXPECT_EQ(m.ckSashi, 0);
    EXPECT_FALSE(f.page.bSender);
    for (const QString& t : m.txYhk)
        EXPECT_EQ(t, QString());
    for (const QString& t : m.txYhkB)
        EXPECT_EQ(t, QString());
    EXPECT_EQ(m.cbMxRw[0], (ComboValue{u"２行"_s, 0}));
    EXPECT_EQ(m.cbRwPt[1], (ComboValue{u"なし"_s, 0}));
    EXPECT_EQ(m.cbRwPtB[3], (ComboValue{u"なし"_s, 0}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.lbAdd[i], before.lbAdd[i]);
    // The sender labels keep their font but turn grey with the sender switched off.
    EXPECT_EQ(m.lbAdd[4].name, before.lbAdd[4].name);
    EXPECT_EQ(m.lbAdd[4].color, kGrey);
    EXPECT_EQ(m.lbAdd[5].color, kGrey);
    EXPECT_EQ(m.ckWaku, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(m.ckCnter, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(m.txSama, QString());
}

TEST(PageFile, SwitchesAndChoicesAsWritten) {
    struct Case {
        QString tag, value;
        std::function<void(const Fixture&)> check;
    };
    const Case cases[] = {
        {u"文字方向"_s, u"縦"_s, [](const Fixture& f) { EXPECT_TRUE(f.page.bVertical); }},
        {u"文字方向"_s, u"横"_s, [](const Fixture& f) { EXPECT_FALSE(f.page.bVertical); }},
        {u"文字方向"_s, QString(), [](const Fixture& f) { EXPECT_FALSE(f.page.bVertical); }},
        {u"用紙方向"_s, u"横"_s, [](const Fixture& f) { EXPECT_TRUE(f.page.bLandscape); }},
        {u"行追加"_s, u"可"_s,
         [](const Fixture& f) { EXPECT_TRUE(f.page.bExtraOk && f.model.chOvrRw == 1); }},
        {u"県市区郡"_s, u"省略無"_s, [](const Fixture& f) { EXPECT_TRUE(f.model.OptAdd[3]); }},
        {u"県市区郡"_s, u"県市省略"_s, [](const Fixture& f) { EXPECT_TRUE(f.model.OptAdd[4]); }},
        {u"県市区郡"_s, u"何か"_s, [](const Fixture& f) { EXPECT_TRUE(f.model.OptAdd[5]); }},
        {u"住所行数"_s, u"3"_s,
         [](const Fixture& f) {
             EXPECT_EQ(f.model.cbMxRw[0], (ComboValue{u"５行"_s, 3}));
         }},
        {u"差出人表記"_s, u"1"_s,
         [](const Fixture& f) {
             EXPECT_TRUE(f.page.bSender);
             EXPECT_EQ(f.model.lbAdd[4].color, 0);
         }},
    };
    for (const Case& c : cases) {
        Fixture f;
        QString sIni = test::MinimalIni();
        sIni.insert(sIni.indexOf(u"</用紙指定>"_s), u"\t<%1>\t%2</%1>\r\n"_s.arg(c.tag, c.value));
        ASSERT_EQ(f.LoadIni(sIni), QString());
        c.check(f);
    }
}

TEST(PageFile, EnvelopeByPaperOrProfileName) {
    Fixture f;
    ASSERT_EQ(f.LoadIni(test::MinimalIni(), u"長形3号封筒 縦書き"_s), QString());
    EXPECT_TRUE(f.page.bEnvelope);
    ASSERT_EQ(f.LoadIni(test::MinimalIni(), u"はがき"_s), QString());
    EXPECT_FALSE(f.page.bEnvelope);
    QString sIni = test::MinimalIni();
    sIni.replace(u"はがき(100x148mm)"_s, u"#10封筒(4.125x9.5ｲﾝﾁ)"_s);
    ASSERT_EQ(f.LoadIni(sIni, u"B"_s), QString());
    EXPECT_TRUE(f.page.bEnvelope);
}

TEST(PageFile, FailureTable) {
    const QString kNo = u"頁設定ﾌｧｲﾙから設定値を読み込めません"_s;

    // ".ik7" missing, ".ini" too: the ".ik7" path; nothing else changes.
    {
        Fixture f;
        f.page.nPaperW = 500;
        f.page.sIk7 = u"old"_s;
        f.model = test::ChangedModel();
        EXPECT_EQ(f.file.LoadPage(u"X"_s), f.Path(u"X"_s, u".ik7"_s) + u" がありません"_s);
        EXPECT_EQ(f.page.sPage, u"X"_s);
        EXPECT_EQ(f.page.nPaperW, 0);
        EXPECT_EQ(f.page.sIk7, u"old"_s);
        EXPECT_EQ(f.model, test::ChangedModel());
        EXPECT_TRUE(f.ik.Loaded().isEmpty());
    }
    // ".ini" missing.
    {
        Fixture f;
        test::WriteProfileFiles(f.UsrFld, u"X"_s, QString());
        EXPECT_EQ(f.file.LoadPage(u"X"_s), f.Path(u"X"_s, u".ini"_s) + u" がありません"_s);
        EXPECT_TRUE(f.ik.Loaded().isEmpty());
    }
    // ".ini" empty: the ".ik7" has been handed over already.
    {
        Fixture f;
        EXPECT_EQ(f.LoadIni(u""_s), kNo);
        EXPECT_EQ(f.ik.Loaded(), QStringList{f.Path(u"P"_s, u".ik7"_s)});
        EXPECT_EQ(f.page.sIk7, f.Path(u"P"_s, u".ik7"_s));
    }
    // Sizes present but the printer settings are not valid: nPaper keeps its value.
    {
        Fixture f;
        f.page.nPaper = 9;
        f.ik.bReady = false;
        f.ik.nCode = 43;
        EXPECT_EQ(f.LoadIni(test::MinimalIni()), kNo);
        EXPECT_EQ(f.page.nPaper, 9);
    }
    // No size in the file: code and size from the printer settings, the file's paper name.
    {
        Fixture f;
        f.ik.nCode = 91;
        f.ik.nPaperW = 1050;
        f.ik.nPaperH = 2350;
        EXPECT_EQ(f.LoadIni(test::MinimalIni(0, 0)), QString());
        EXPECT_EQ(f.page.nPaper, 91);
        EXPECT_EQ(f.page.nPaperW, 1050);
        EXPECT_EQ(f.page.nPaperH, 2350);
        EXPECT_EQ(f.page.sPaper, u"はがき(100x148mm)"_s);
    }
    // ... and when that query fails, or reaches no size.
    {
        Fixture f;
        f.page.nPaper = 9;
        f.ik.bReady = false;
        EXPECT_EQ(f.LoadIni(test::MinimalIni(1000, 0)), kNo);
        EXPECT_EQ(f.page.nPaper, 0);
        EXPECT_EQ(f.page.nPaperW, 0);
        f.ik.bReady = true;
        f.ik.bOpen = false;
        EXPECT_EQ(f.LoadIni(test::MinimalIni(0, 1480)), kNo);
        EXPECT_EQ(f.page.nPaper, 43);
        EXPECT_EQ(f.page.nPaperH, 0);
    }
    // A size that is not a number, or too large for the arithmetic, counts as missing.
    {
        Fixture f;
        QString sIni = test::MinimalIni();
        sIni.replace(u"1000"_s, u"99999999999"_s);
        EXPECT_EQ(f.LoadIni(sIni), QString());
        EXPECT_EQ(f.page.nPaperW, 1000); // from the printer settings
    }
}

// The print position correction: absent reads as 0 without a word; a value that cannot be
// used is said and read as 0, and the profile still loads.
TEST(PageFile, CorrectionAsStored) {
    struct Case {
        QString sKeys; // what the 用紙指定 block holds besides the paper
        int nX, nY;
        int nMessages;
    };
    const Case cases[] = {
        {QString(), 0, 0, 0},
        {u"<横補正>\t15</横補正><縦補正>\t-100</縦補正>"_s, 15, -100, 0},
        {u"<横補正>\t +7 </横補正>"_s, 7, 0, 0},
        {u"<横補正>\t101</横補正><縦補正>\t-3</縦補正>"_s, 0, -3, 1},
        {u"<横補正>\t1.5</横補正><縦補正>\tabc</縦補正>"_s, 0, 0, 2},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.model.udAdj = {55, 55};
        test::MessageCapture msgs;
        QString sIni = test::MinimalIni();
        sIni.replace(u"</用紙指定>"_s, c.sKeys + u"</用紙指定>"_s);
        EXPECT_EQ(f.LoadIni(sIni), QString()) << c.sKeys.toStdString();
        EXPECT_EQ(f.model.udAdj, (std::array<int, 2>{c.nX, c.nY})) << c.sKeys.toStdString();
        ASSERT_EQ(msgs.messages().size(), c.nMessages) << c.sKeys.toStdString();
        for (const QString& m : msgs.messages())
            EXPECT_TRUE(m.contains(u"補正>"_s) && m.contains(u"0 として読み込みました"_s))
                << m.toStdString();
    }
}

TEST(PageFile, FailedWriteKeepsTheOldFileAndLowersBusy) {
    Fixture f;
    SetPostcard(f.page, u"P"_s);
    ASSERT_EQ(f.file.SavePage(), QString());
    const QByteArray before = test::ReadBytes(f.Path(u"P"_s, u".ini"_s));

    f.model.txSama = u"様😀"_s; // no code page 932 form
    f.bBusy = true;
    const QString sMsg = f.file.SavePage();
    EXPECT_TRUE(sMsg.contains(f.Path(u"P"_s, u".ini"_s)));
    EXPECT_EQ(test::ReadBytes(f.Path(u"P"_s, u".ini"_s)), before);
    EXPECT_FALSE(f.bBusy);
}
