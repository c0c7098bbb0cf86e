#include "profile/StarterProfiles.h"

#include "ProfileTestEnv.h"
#include "profile/PageFile.h"
#include "startup/StartUp.h"
#include "support/FullDisk.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

const QString kShipped = QStringLiteral(HOPLARK_SOURCE_DIR "/data/paper");

// The profile files of a folder (data/paper also holds a README).
QStringList FilesOf(const QString& dir) {
    return QDir(dir).entryList({u"*.ini"_s, u"*.ik7"_s, u"*.ik7.prnTxt"_s}, QDir::Files,
                               QDir::Name);
}

} // namespace

TEST(StarterProfiles, ShippedFilesAreWhatTheGeneratorWrites) {
    const QString dir = test::NewTempDir();
    ASSERT_EQ(WriteStarterProfiles(dir), QString());
    const QStringList files = FilesOf(dir);
    EXPECT_EQ(files.size(), 7 * 3);
    EXPECT_EQ(FilesOf(kShipped), files) << "rerun: hoplark-mkpaper data/paper";
    for (const QString& name : files)
        EXPECT_EQ(test::ReadBytes(kShipped + u'/' + name), test::ReadBytes(dir + u'/' + name))
            << name.toStdString() << " differs; rerun: hoplark-mkpaper data/paper";
}

TEST(StarterProfiles, EveryOneLoads) {
    struct Want {
        QString sName;
        int nW, nH;
        bool bVertical, bLandscape, bEnvelope;
        QString sPaper;
    };
    const Want wants[] = {
        {u"はがき 縦書き"_s, 1000, 1480, true, false, false, u"はがき(100x148mm)"_s},
        {u"はがき 横書き"_s, 1000, 1480, false, false, false, u"はがき(100x148mm)"_s},
        {u"往復はがき"_s, 2000, 1480, true, true, false, u"往復はがき(200x148mm)"_s},
        {u"長形3号封筒 縦書き"_s, 1200, 2350, true, false, true, u"長形3号封筒(120x235mm)"_s},
        {u"長形4号封筒 縦書き"_s, 900, 2050, true, false, true, u"長形4号封筒(90x205mm)"_s},
        {u"洋形4号封筒 横書き"_s, 2350, 1050, false, true, true, u"洋風4号封筒(105x235mm)"_s},
        {u"A4 横書き"_s, 2100, 2970, false, false, false, u"A4(210x297mm)"_s},
    };
    test::ProfileState st;
    ASSERT_EQ(WriteStarterProfiles(st.UsrFld + u"Paper"_s), QString());
    PageFile file(st.model, st.page, st.ik, st.UsrFld, st.bBusy);
    const PageVars& page = st.page;
    for (const Want& w : wants) {
        EXPECT_EQ(file.LoadPage(w.sName), QString()) << w.sName.toStdString();
        EXPECT_EQ(page.nPaperW, w.nW);
        EXPECT_EQ(page.nPaperH, w.nH);
        EXPECT_EQ(page.bVertical, w.bVertical) << w.sName.toStdString();
        EXPECT_EQ(page.bLandscape, w.bLandscape);
        EXPECT_EQ(page.bEnvelope, w.bEnvelope);
        EXPECT_EQ(page.sPaper, w.sPaper);
        EXPECT_TRUE(page.bSender);
    }
}

TEST(StarterProfiles, SeedingNeverOverwrites) {
    const QString dir = test::NewTempDir();
    // A profile of the user's own under a starter name.
    const QString mine = dir + u"/はがき 縦書き.ini"_s;
    test::WriteBytes(mine, "mine");

    const QStringList copied = SeedStarterProfiles(dir);
    EXPECT_EQ(copied.size(), 7 * 3 - 1);
    EXPECT_FALSE(copied.contains(u"はがき 縦書き.ini"_s));
    EXPECT_EQ(test::ReadBytes(mine), QByteArray("mine"));
    EXPECT_EQ(FilesOf(dir), FilesOf(kShipped));
    EXPECT_EQ(test::ReadBytes(dir + u"/A4 横書き.ini"_s),
              test::ReadBytes(kShipped + u"/A4 横書き.ini"_s));

    // A second run finds everything in place.
    EXPECT_TRUE(SeedStarterProfiles(dir).isEmpty());

    // From a folder instead of the built-in copies.
    const QString other = test::NewTempDir();
    EXPECT_EQ(SeedStarterProfiles(other, kShipped).size(), 7 * 3);

    // A program without its shipped folder says where it looked.
    QString sMsg;
    EXPECT_TRUE(SeedStarterProfiles(test::NewTempDir(), other + u"/none"_s, &sMsg).isEmpty());
    EXPECT_EQ(sMsg, u"ﾌｫﾙﾀﾞ "_s + other + u"/none が見つかりません"_s);
}

TEST(StarterProfiles, OnlyAFirstRunSeeds) {
    // A program folder whose "UserData.ini" keeps the user data beside the program.
    const QString prog = test::NewTempDir() + u'/';
    test::WriteBytes(prog + u"UserData.ini"_s, "%app%");
    const QString paper = prog + u"usData/Paper"_s;
    test::MessageCapture cap;
    QString usr;

    ASSERT_EQ(PrepareUserFolder(prog, u"hoplark"_s, QString(), usr), QString());
    EXPECT_EQ(usr, prog + u"usData/"_s);
    // The starter profiles and the sample sender, so the first postcard is a whole one.
    QStringList firstRun = FilesOf(kShipped) << u"差出人.ini"_s;
    firstRun.sort();
    EXPECT_EQ(FilesOf(paper), firstRun);
    EXPECT_EQ(test::ReadBytes(paper + u"/差出人.ini"_s),
              test::ReadBytes(QStringLiteral(HOPLARK_SOURCE_DIR) + u"/data/sample/差出人.ini"_s));

    // Later runs find the folder: what the user changed or deleted stays so, but what a full
    // disk left empty or without its paper block is the shipped file again.
    const QByteArray mine =
        "<\x97\x70\x8e\x86\x8e\x77\x92\xe8>\r\n</\x97\x70\x8e\x86\x8e\x77\x92\xe8>\r\n";
    QFile::remove(paper + u"/A4 横書き.ini"_s);
    test::WriteBytes(paper + u"/はがき 縦書き.ini"_s, mine);
    const QStringList broken{u"はがき 横書き.ini"_s, u"往復はがき.ik7"_s, u"往復はがき.ini"_s};
    test::WriteBytes(paper + u'/' + broken[0], "");
    test::WriteBytes(paper + u'/' + broken[1], "");
    test::WriteBytes(paper + u'/' + broken[2], "\r\n");
    ASSERT_EQ(PrepareUserFolder(prog, u"hoplark"_s, QString(), usr), QString());
    EXPECT_FALSE(QFile::exists(paper + u"/A4 横書き.ini"_s));
    EXPECT_EQ(test::ReadBytes(paper + u"/はがき 縦書き.ini"_s), mine);
    for (const QString& f : broken)
        EXPECT_EQ(test::ReadBytes(paper + u'/' + f), test::ReadBytes(kShipped + u'/' + f))
            << f.toStdString();
    EXPECT_TRUE(cap.messages().isEmpty());

    // An existing user data folder without "Paper" gets an empty one.
    QDir(paper).removeRecursively();
    ASSERT_EQ(PrepareUserFolder(prog, u"hoplark"_s, QString(), usr), QString());
    EXPECT_TRUE(QDir(paper).exists());
    EXPECT_TRUE(FilesOf(paper).isEmpty());
}

// A first run on a full disk writes no empty profile and says that the profiles are missing.
TEST(StarterProfiles, AFullDiskAtTheFirstRunIsSaid) {
    test::FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "needs a file system of its own (root with CAP_SYS_ADMIN)";
    const QString data = disk.dir() + u"/usData"_s;
    disk.Fill();
    test::MessageCapture cap;
    QString usr;
    const QString sMsg = PrepareUserFolder(test::NewTempDir() + u'/', u"hoplark"_s, data, usr);
    QStringList shown = cap.messages();
    if (!sMsg.isEmpty())
        shown << sMsg; // the folders themselves could not be made
    ASSERT_EQ(shown.size(), 1) << shown.join(u'|').toStdString();
    for (const QFileInfo& fi : QDir(data + u"/Paper"_s).entryInfoList(QDir::Files))
        EXPECT_GT(fi.size(), 0) << fi.fileName().toStdString();
}
