#include "profile/ProfileManager.h"

#include "ProfileTestEnv.h"
#include "platform/TextFile.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

struct Fixture : test::ProfileState {
    ProfileManager mgr{model, page, ik, UsrFld, bBusy};
    test::MessageCapture msgs;
    int nRefresh = 0;
    // What the input box was asked, and what it answers.
    QStringList asked;
    std::optional<QString> answer;

    Fixture() {
        mgr.RefreshPreview = [this] { ++nRefresh; };
        mgr.InputBoxHook = [this](const QString& p, const QString& t, const QString& n) {
            asked = {p, t, n};
            return answer;
        };
    }
    // A profile whose ".ik7" and companion hold their own name, so copies can be told apart.
    void Add(const QString& sName, int nW = 1000, int nH = 1480) {
        test::WriteProfileFiles(UsrFld, sName, test::MinimalIni(nW, nH), sName.toUtf8());
    }
    QStringList Files() const {
        return QDir(UsrFld + u"Paper"_s).entryList(QDir::Files, QDir::Name);
    }
    QByteArray Bytes(const QString& sName, const QString& ext) const {
        return test::ReadBytes(Base(sName) + ext);
    }
};

} // namespace

TEST(ProfileManager, ListsOnlyProfilesWithALowerCaseIk7) {
    Fixture f;
    f.Add(u"A4"_s);
    for (const QString& name : {u"Wrk.ik7"_s, u"Print.ik7"_s, u"note.txt"_s, u"B5.IK7"_s})
        test::WriteBytes(f.UsrFld + u"Paper/"_s + name, "x");
    f.mgr.ListPages(QString());
    EXPECT_EQ(f.mgr.Pages(), QStringList{u"A4"_s});
    EXPECT_EQ(f.mgr.PageIndex(), 0);
    EXPECT_EQ(f.page.sPage, u"A4"_s); // selecting it opened it
    EXPECT_TRUE(f.mgr.MenusEnabled());
    EXPECT_EQ(f.nRefresh, 1);
}

TEST(ProfileManager, ListSelection) {
    Fixture f;
    for (const QString& name : {u"c"_s, u"A"_s, u"b"_s})
        f.Add(name);
    test::WriteBytes(f.UsrFld + u"Paper/x.ik7y.ik7"_s, "x"); // ".ik7" goes everywhere
    struct Case {
        QString sSel;
        int nIndex;
    };
    for (const Case& c : {Case{QString(), 0}, Case{u"b"_s, 1}, Case{u"B"_s, 0}, Case{u"zz"_s, 0}}) {
        f.mgr.ListPages(c.sSel);
        EXPECT_EQ(f.mgr.Pages(), (QStringList{u"A"_s, u"b"_s, u"c"_s, u"xy"_s}));
        EXPECT_EQ(f.mgr.PageIndex(), c.nIndex) << c.sSel.toStdString();
        EXPECT_EQ(f.mgr.ListText(), f.mgr.Pages().at(c.nIndex));
    }
    // With bBusy raised the selection loads nothing.
    f.bBusy = true;
    f.page.sPage.clear();
    f.mgr.ListPages(u"c"_s);
    EXPECT_EQ(f.mgr.ListText(), u"c"_s);
    EXPECT_EQ(f.page.sPage, QString());
}

TEST(ProfileManager, EmptyOrMissingFolder) {
    Fixture f;
    // Missing at start: created, the list stays empty, nothing is loaded.
    QDir(f.UsrFld + u"Paper"_s).removeRecursively();
    f.mgr.ListPages(u"A4"_s);
    EXPECT_TRUE(QDir(f.UsrFld + u"Paper"_s).exists());
    EXPECT_TRUE(f.mgr.Pages().isEmpty());
    EXPECT_FALSE(f.mgr.MenusEnabled());
    // Empty.
    f.mgr.ListPages(u"A4"_s);
    EXPECT_TRUE(f.mgr.Pages().isEmpty());
    EXPECT_EQ(f.mgr.PageIndex(), -1);
    EXPECT_TRUE(f.ik.Loaded().isEmpty());
    EXPECT_FALSE(f.mgr.MenusEnabled());

    // A missing "Paper" folder is created and the list is left as it was.
    f.Add(u"A4"_s);
    f.mgr.ListPages(QString());
    ASSERT_EQ(f.mgr.Pages(), QStringList{u"A4"_s});
    QDir(f.UsrFld + u"Paper"_s).removeRecursively();
    f.mgr.ListPages(QString());
    EXPECT_TRUE(QDir(f.UsrFld + u"Paper"_s).exists());
    EXPECT_EQ(f.mgr.Pages(), QStringList{u"A4"_s});
    EXPECT_EQ(f.mgr.PageIndex(), 0);
}

TEST(ProfileManager, FailedOpenClearsTheSelectionAndDisablesTheMenus) {
    Fixture f;
    f.Add(u"A4"_s);
    f.mgr.ListPages(QString());
    ASSERT_TRUE(f.mgr.MenusEnabled());
    test::WriteBytes(f.Base(u"B5"_s) + u".ik7"_s, "x"); // listed, but no ".ini"
    f.mgr.ListPages(u"B5"_s);
    const QString sWant = f.Base(u"B5"_s) + u".ini がありません"_s;
    EXPECT_EQ(f.msgs.messages(), QStringList{sWant});
    EXPECT_EQ(f.mgr.PageIndex(), -1);
    EXPECT_EQ(f.mgr.ListText(), QString());
    EXPECT_FALSE(f.mgr.MenusEnabled());
    EXPECT_FALSE(f.bBusy);
    EXPECT_EQ(f.page.sPage, u"B5"_s);
    // Picking a good one again enables them.
    f.mgr.SelectPage(0);
    EXPECT_TRUE(f.mgr.MenusEnabled());
    EXPECT_EQ(f.page.sPage, u"A4"_s);
}

TEST(ProfileManager, SaveOverRewritesOnlyTheIni) {
    Fixture f;
    f.Add(u"A4"_s);
    f.mgr.ListPages(QString());
    f.model.txSama = u"殿"_s;
    const int nBefore = f.nRefresh;
    EXPECT_EQ(f.mgr.SavePageAs(0), QString());
    EXPECT_TRUE(f.asked.isEmpty()); // no question
    EXPECT_TRUE(ReadTextFile(f.Base(u"A4"_s) + u".ini"_s).contains(u"<宛名敬称>\t殿</宛名敬称>"_s));
    EXPECT_EQ(f.Bytes(u"A4"_s, u".ik7"_s), QByteArray("A4 settings"));
    EXPECT_EQ(f.mgr.ListText(), u"A4"_s);
    EXPECT_EQ(f.nRefresh, nBefore + 1); // reloaded
    EXPECT_EQ(f.model.txSama, u"殿"_s);
    EXPECT_FALSE(f.bBusy);
}

TEST(ProfileManager, RenameAndSaveAs) {
    struct Case {
        int nMode;
        QString sAnswer;
        QStringList files; // the folder afterwards
        QString sPrompt;
    };
    const QStringList a4{u"A4.ik7"_s, u"A4.ik7.prnTxt"_s, u"A4.ini"_s};
    const QStringList neu{u"Neu.ik7"_s, u"Neu.ik7.prnTxt"_s, u"Neu.ini"_s};
    const Case cases[] = {
        {1, u"Neu"_s, neu, u"登録名を入力して下さい(名前を変更)"_s},
        {2, u"Neu"_s, a4 + neu, u"登録名を入力して下さい(名前を付けて保存)"_s},
        {1, u"A4"_s, a4, u"登録名を入力して下さい(名前を変更)"_s}, // same name: nothing deleted
    };
    for (const Case& c : cases) {
        Fixture f;
        f.Add(u"A4"_s);
        f.mgr.ListPages(QString());
        f.answer = c.sAnswer;
        EXPECT_EQ(f.mgr.SavePageAs(c.nMode), QString());
        EXPECT_EQ(f.asked, (QStringList{c.sPrompt, u"用紙･配置"_s, u"A4"_s}));
        EXPECT_EQ(f.Files(), c.files) << c.nMode;
        EXPECT_EQ(f.Bytes(c.sAnswer, u".ik7"_s), QByteArray("A4 settings"));
        EXPECT_EQ(f.Bytes(c.sAnswer, u".ik7.prnTxt"_s), QByteArray("A4 companion"));
        EXPECT_EQ(f.mgr.ListText(), c.sAnswer);
        EXPECT_EQ(f.page.sPage, c.sAnswer);
        EXPECT_EQ(f.page.sIk7, f.Base(c.sAnswer) + u".ik7"_s);
        EXPECT_TRUE(f.msgs.messages().isEmpty());
        EXPECT_FALSE(f.bBusy);
    }
}

TEST(ProfileManager, CancelledOrEmptyAnswerWritesNothing) {
    for (const std::optional<QString>& answer :
         {std::optional<QString>(), std::optional(QString())}) {
        Fixture f;
        f.Add(u"A4"_s);
        f.mgr.ListPages(QString());
        const QByteArray ini = f.Bytes(u"A4"_s, u".ini"_s);
        f.model.txSama = u"殿"_s;
        f.answer = answer;
        EXPECT_EQ(f.mgr.SavePageAs(2), QString());
        EXPECT_EQ(f.Files(), (QStringList{u"A4.ik7"_s, u"A4.ik7.prnTxt"_s, u"A4.ini"_s}));
        EXPECT_EQ(f.Bytes(u"A4"_s, u".ini"_s), ini);
        EXPECT_FALSE(f.bBusy);
    }
}

TEST(ProfileManager, NamesThatAreNoFileNames) {
    // The last two have characters the Shift-JIS files cannot hold (the name is remembered
    // in "User.xml").
    for (const QString& sName :
         {u"a/b"_s, u"."_s, u".."_s, u"a"_s + QChar(0) + u"b"_s, u"はがき€"_s, u"𠮷田"_s}) {
        Fixture f;
        f.Add(u"A4"_s);
        f.mgr.ListPages(QString());
        f.answer = sName;
        const QString sMsg = f.mgr.SavePageAs(1);
        EXPECT_TRUE(sMsg.contains(sName)) << sMsg.toStdString();
        EXPECT_EQ(f.msgs.messages(), QStringList{sMsg});
        EXPECT_EQ(f.Files(), (QStringList{u"A4.ik7"_s, u"A4.ik7.prnTxt"_s, u"A4.ini"_s}));
        EXPECT_EQ(f.page.sPage, u"A4"_s);
        EXPECT_FALSE(f.bBusy);
    }
}

TEST(ProfileManager, WorkingCopyFromPrinterSetup) {
    // After printer set-up "Wrk" is current and the list still shows the profile it came from.
    const auto setUp = [](Fixture& f) {
        f.Add(u"A4"_s, 2970, 2100);
        f.Add(u"B5"_s);
        f.mgr.ListPages(u"A4"_s);
        test::WriteProfileFiles(f.UsrFld, u"Wrk"_s, QString(), "Wrk");
        f.page.sPage = u"Wrk"_s;
        f.page.sIk7 = f.Base(u"Wrk"_s) + u".ik7"_s;
        f.page.sPaper = u"A4(210x297mm)"_s;
        f.page.bLandscape = true;
    };
    {
        Fixture f; // "上書保存" copies Wrk over the profile it started from
        setUp(f);
        EXPECT_EQ(f.mgr.SavePageAs(0), QString());
        EXPECT_EQ(f.Bytes(u"A4"_s, u".ik7"_s), QByteArray("Wrk settings"));
        EXPECT_EQ(f.Bytes(u"A4"_s, u".ik7.prnTxt"_s), QByteArray("Wrk companion"));
        EXPECT_EQ(f.page.sPage, u"A4"_s);
        EXPECT_EQ(f.mgr.ListText(), u"A4"_s);
    }
    {
        Fixture f; // "名前を付けて保存" proposes the paper's name
        setUp(f);
        f.answer = u"A4 横"_s;
        EXPECT_EQ(f.mgr.SavePageAs(2), QString());
        EXPECT_EQ(f.asked.value(2), u"A4(210x297mm) 横"_s);
        EXPECT_EQ(f.Bytes(u"A4 横"_s, u".ik7"_s), QByteArray("Wrk settings"));
        EXPECT_EQ(f.Bytes(u"A4"_s, u".ik7"_s), QByteArray("A4 settings"));
        // In file-name order: " " sorts before ".".
        EXPECT_EQ(f.mgr.Pages(), (QStringList{u"A4 横"_s, u"A4"_s, u"B5"_s}));
    }
    {
        Fixture f; // "名前を変更" copies to the new name and deletes the one it started from
        setUp(f);
        f.answer = u"A4 横"_s;
        EXPECT_EQ(f.mgr.SavePageAs(1), QString());
        EXPECT_FALSE(QFile::exists(f.Base(u"A4"_s) + u".ik7"_s));
        EXPECT_FALSE(QFile::exists(f.Base(u"A4"_s) + u".ini"_s));
        EXPECT_EQ(f.mgr.Pages(), (QStringList{u"A4 横"_s, u"B5"_s}));
        EXPECT_EQ(f.mgr.ListText(), u"A4 横"_s);
    }
}

TEST(ProfileManager, SaveUnderWrk) {
    Fixture f;
    f.Add(u"A4"_s);
    f.Add(u"B5"_s);
    f.mgr.ListPages(u"B5"_s);
    f.answer = u"Wrk"_s;
    EXPECT_EQ(f.mgr.SavePageAs(2), QString());
    for (const QString& ext : {u".ik7"_s, u".ik7.prnTxt"_s, u".ini"_s})
        EXPECT_TRUE(QFile::exists(f.Base(u"Wrk"_s) + ext));
    EXPECT_EQ(f.mgr.Pages(), (QStringList{u"A4"_s, u"B5"_s}));
    EXPECT_EQ(f.mgr.ListText(), u"A4"_s); // the first entry, loaded
    EXPECT_EQ(f.page.sPage, u"A4"_s);
}

TEST(ProfileManager, DeleteThroughTheMenu) {
    Fixture f;
    f.Add(u"A4"_s);
    f.Add(u"B5"_s);
    f.mgr.ListPages(u"B5"_s);
    f.mgr.mnPage_Click(7);
    EXPECT_EQ(f.Files(), (QStringList{u"A4.ik7"_s, u"A4.ik7.prnTxt"_s, u"A4.ini"_s}));
    EXPECT_EQ(f.mgr.Pages(), QStringList{u"A4"_s});
    EXPECT_EQ(f.page.sPage, u"A4"_s);

    // Missing files are passed over; a read-only file is left alone.
    f.mgr.DelPage(u"none"_s);
    test::WriteBytes(f.Base(u"C"_s) + u".ik7"_s, "c");
    test::WriteBytes(f.Base(u"C"_s) + u".ini"_s, "c");
    QFile::setPermissions(f.Base(u"C"_s) + u".ik7"_s, QFileDevice::ReadOwner);
    f.mgr.DelPage(u"C"_s);
    EXPECT_TRUE(QFile::exists(f.Base(u"C"_s) + u".ik7"_s));
    EXPECT_FALSE(QFile::exists(f.Base(u"C"_s) + u".ini"_s));
    EXPECT_TRUE(f.msgs.messages().isEmpty());
}

TEST(ProfileManager, AFailedSaveLeavesEveryProfileAsItWas) {
    struct Case {
        const char* what;
        std::function<void(Fixture&)> breakIt;
        QString sNamed; // the message names this file
    };
    const Case cases[] = {
        {"companion of the source missing",
         [](Fixture& f) { QFile::remove(f.Base(u"A4"_s) + u".ik7.prnTxt"_s); }, u"A4.ik7.prnTxt"_s},
        {"target companion cannot be written",
         [](Fixture& f) { QDir().mkpath(f.Base(u"B5"_s) + u".ik7.prnTxt"_s); }, u"B5.ik7.prnTxt"_s},
        {"ini cannot be written", [](Fixture& f) { f.model.txSama = u"😀"_s; }, u"B5.ini"_s},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.Add(u"A4"_s);
        f.Add(u"B5"_s);
        f.mgr.ListPages(u"A4"_s);
        // The target of a rename exists already: its files must survive the failure too.
        QFile::remove(f.Base(u"B5"_s) + u".ik7.prnTxt"_s);
        c.breakIt(f);
        const QStringList before = f.Files();
        QList<QByteArray> bytes;
        for (const QString& name : before)
            bytes << test::ReadBytes(f.UsrFld + u"Paper/"_s + name);

        f.answer = u"B5"_s;
        const QString sMsg = f.mgr.SavePageAs(1);
        EXPECT_TRUE(sMsg.contains(f.UsrFld + u"Paper/"_s + c.sNamed))
            << c.what << ": " << sMsg.toStdString();
        EXPECT_EQ(f.msgs.messages(), QStringList{sMsg});
        EXPECT_EQ(f.Files(), before) << c.what;
        for (int i = 0; i < before.size(); ++i)
            EXPECT_EQ(test::ReadBytes(f.UsrFld + u"Paper/"_s + before[i]), bytes[i])
                << c.what << " " << before[i].toStdString();
        EXPECT_EQ(f.page.sPage, u"A4"_s);
        EXPECT_EQ(f.page.sIk7, f.Base(u"A4"_s) + u".ik7"_s);
        EXPECT_FALSE(f.bBusy);
    }
}
