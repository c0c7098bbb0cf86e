#include "startup/UserData.h"
#include "startup/AppName.h"
#include "startup/StartUp.h"
#include "startup/YIni.h"

#include "platform/Cp932.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

const QString kUse = u"ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞは　"_s;

// A fake program folder, ending in "/", with "UserData.ini" holding bytes (none when null).
QString ProgFolder(const QByteArray& ini, bool bWrite = true) {
    const QString dir = test::NewTempDir() + u"/prog/"_s;
    QDir().mkpath(dir);
    if (bWrite)
        test::WriteBytes(dir + u"UserData.ini"_s, ini);
    return dir;
}

QString DefFld(const QString& app = u"hoplark"_s) {
    return test::TestHome() + u"/.local/share/Marbrook/"_s + app + u"/"_s;
}

} // namespace

TEST(AppName, StripsExtensionAndTrailingDv) {
    const std::pair<QString, QString> cases[] = {
        {u"/opt/x/hoplark"_s, u"hoplark"_s},     {u"/opt/x/Hoplark_DV.exe"_s, u"Hoplark"_s},
        {u"hoplark_dv"_s, u"hoplark"_s},         {u"/a/Hoplark_Dv"_s, u"Hoplark"_s},
        {u"/a/hoplark_dvx"_s, u"hoplark_dvx"_s}, {u"/a/dv_hoplark"_s, u"dv_hoplark"_s},
        {u"/a.b/my.prog.exe"_s, u"my.prog"_s},   {u"/a/_dv"_s, QString()},
    };
    for (const auto& [file, name] : cases)
        EXPECT_EQ(AppNameOf(file), name) << file.toStdString();
}

TEST(UserData, SpecialFoldersAreTheXdgOnes) {
    EXPECT_EQ(FsGtSpFld(26), test::TestHome() + u"/.local/share"_s);
    EXPECT_TRUE(FsGtSpFld(5).startsWith(test::TestHome())) << FsGtSpFld(5).toStdString();
    EXPECT_FALSE(FsGtSpFld(5).endsWith(u"/"_s));
    EXPECT_EQ(FsGtSpFld(7), QString());
    EXPECT_EQ(DefaultUserFolder(u"hoplark"_s), DefFld());
}

// Every rule of "UserData.ini", with the message it shows (or none).
TEST(UserData, UserDataIniRules) {
    const QString base = test::NewTempDir();
    const QString addr = base + u"/Addr"_s; // an existing folder in mixed case
    QDir().mkpath(addr);
    const QString docs = FsGtSpFld(5) + u"/Marbrook/hoplark/"_s;
    struct Case {
        const char* what;
        QByteArray ini; // "<none>" for no file
        QString usrFld; // "<prog>" stands for the program folder
        QString message;
    } cases[] = {
        {"app in capitals", "%APP%", u"<prog>usData/"_s, {}},
        {"app then a line break is no keyword", "%app%\r\n", DefFld(), {}},
        {"usr", "%usr%", DefFld(), {}},
        {"application data (as spelt)", "%Applicaion Data%", DefFld(), {}},
        {"documents", "%DOC", docs, {}},
        {"my documents", "%my document%", docs, {}},
        {"any other keyword", "%whatever", DefFld(), {}},
        {"existing folder keeps its case", addr.toUtf8(), addr + u"/"_s, {}},
        {"existing folder with its slash", (addr + u"/"_s).toUtf8(), addr + u"/"_s, {}},
        {"missing folder", (base + u"/NoSuch"_s).toUtf8(), DefFld(),
         u"ﾌｫﾙﾀﾞ "_s + base + u"/NoSuch が見つかりません"_s + QChar(13) + kUse + DefFld() +
             u" を使用します"_s},
        {"empty file", "", DefFld(),
         u" ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞが定義されていません"_s + QChar(13) + DefFld() + u" を使用します"_s},
        {"file beginning with a line break", "\r\n%app%", DefFld(),
         u" ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞが定義されていません"_s + QChar(13) + DefFld() + u" を使用します"_s},
        {"file beginning with a bare line feed", "\n%app%", DefFld(),
         u" ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞが定義されていません"_s + QChar(13) + DefFld() + u" を使用します"_s},
        // The content is used whole, never trimmed: a leading blank makes it no keyword.
        {"keyword behind a blank", " %app%", DefFld(),
         u"ﾌｫﾙﾀﾞ  %app% が見つかりません"_s + QChar(13) + kUse + DefFld() + u" を使用します"_s},
        {"no file", "<none>", DefFld(),
         u"<prog>UserData.ini が見つかりません"_s + QChar(13) + kUse + DefFld() +
             u" を使用します"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool bNone = c.ini == "<none>";
        const QString prog = ProgFolder(c.ini, !bNone);
        QString expected = c.usrFld;
        expected.replace(u"<prog>"_s, prog);
        QString message = c.message;
        message.replace(u"<prog>"_s, prog);
        test::MessageCapture cap;
        EXPECT_EQ(W_UserData(prog, u"hoplark"_s, nullptr, prog + u"no-system.ini"_s), expected);
        EXPECT_EQ(cap.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        EXPECT_TRUE(QFileInfo(expected).isDir());
    }
}

// Beside the program first, then the system's file; an installed program (share/hoplark
// beside its bin/) with neither uses the default silently.
TEST(UserData, SystemFileAndInstalledProgram) {
    const QByteArray kNone = "<none>";
    const QString kM1 =
        u"<prog>UserData.ini が見つかりません"_s + QChar(13) + kUse + DefFld() + u" を使用します"_s;
    struct Case {
        const char* what;
        QByteArray prog, sys; // "<none>" for no file
        bool bInstalled;
        QString usrFld; // "<prog>" stands for the program folder
        QString message;
    } cases[] = {
        {"beside the program wins", "%app%", "%usr%", true, u"<prog>usData/"_s, {}},
        {"system file when none beside", kNone, "%APP%", true, u"<prog>usData/"_s, {}},
        {"empty system file", kNone, "", true, DefFld(),
         u" ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞが定義されていません"_s + QChar(13) + DefFld() + u" を使用します"_s},
        {"installed without either", kNone, kNone, true, DefFld(), {}},
        {"own folder without either", kNone, kNone, false, DefFld(), kM1},
        {"own folder with the system file", kNone, "%usr%", false, DefFld(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString prog = ProgFolder(c.prog, c.prog != kNone);
        if (c.bInstalled)
            QDir().mkpath(prog + u"../share/hoplark"_s);
        const QString sys = prog + u"../etc/hoplark/UserData.ini"_s;
        if (c.sys != kNone) {
            QDir().mkpath(prog + u"../etc/hoplark"_s);
            test::WriteBytes(sys, c.sys);
        }
        test::MessageCapture cap;
        EXPECT_EQ(W_UserData(prog, u"hoplark"_s, nullptr, sys),
                  QString(c.usrFld).replace(u"<prog>"_s, prog));
        EXPECT_EQ(cap.messages(), c.message.isEmpty()
                                      ? QStringList()
                                      : QStringList{QString(c.message).replace(u"<prog>"_s, prog)});
    }
}

TEST(UserData, DvProgramUsesThePlainNameForFolderAndRecord) {
    const QString prog = ProgFolder("%usr%");
    const QString name = AppNameOf(prog + u"Hoplark_dv"_s);
    EXPECT_EQ(W_UserData(prog, name), DefFld(u"Hoplark"_s));
    EXPECT_EQ(ProgramPathRecord(u"Hoplark"_s), prog + u"Hoplark"_s);
    // Another folder replaces the record.
    const QString other = ProgFolder("%usr%");
    W_UserData(other, name);
    EXPECT_EQ(ProgramPathRecord(u"Hoplark"_s), other + u"Hoplark"_s);
    EXPECT_TRUE(QFileInfo::exists(test::TestHome() + u"/.config/MarbrookTools.conf"_s));
}

TEST(UserData, CreateFolderMakesEveryLevelFromTheTop) {
    const QString base = test::NewTempDir();
    EXPECT_EQ(F_CreateFld(base + u"/a/b/c"_s),
              (QStringList{base + u"/a"_s, base + u"/a/b"_s, base + u"/a/b/c"_s}));
    EXPECT_TRUE(QFileInfo(base + u"/a/b/c"_s).isDir());
    EXPECT_EQ(F_CreateFld(base + u"/a/b/c/"_s), QStringList());
    EXPECT_EQ(F_CreateFld(base + u"/a//d/"_s), QStringList{base + u"/a//d"_s});

    // A level that cannot be made is passed over; nothing below it appears.
    test::WriteBytes(base + u"/file"_s, "x");
    EXPECT_EQ(F_CreateFld(base + u"/file/x/y"_s), QStringList());
    EXPECT_FALSE(QFileInfo::exists(base + u"/file/x"_s));
}

TEST(UserData, SubfoldersAreMadeOnceAndLeftAlone) {
    const QString base = test::NewTempDir() + u"/"_s;
    QDir().mkpath(base + u"Paper"_s);
    test::WriteBytes(base + u"Paper/Wrk.ini"_s, "keep");
    EXPECT_EQ(F_ChkSb(base, {u"Data"_s, u"Paper"_s}), QString());
    EXPECT_TRUE(QFileInfo(base + u"Data"_s).isDir());
    EXPECT_EQ(test::ReadBytes(base + u"Paper/Wrk.ini"_s), QByteArray("keep"));

    test::WriteBytes(base + u"Blocked"_s, "a file");
    EXPECT_EQ(F_ChkSb(base, {u"Blocked"_s, u"Later"_s}),
              u"ﾌｫﾙﾀﾞ "_s + base + u"Blocked を作成できません"_s);
}

TEST(StartUp, DataFolderOnTheCommandLineIsCreatedLikeAMissingOne) {
    const QString base = test::NewTempDir();
    const QString prog = ProgFolder("%app%");
    QString usr;
    test::MessageCapture cap;
    EXPECT_EQ(PrepareUserFolder(prog, u"hoplark"_s, base + u"/My/Data//x/../Here"_s, usr),
              QString());
    EXPECT_EQ(usr, base + u"/My/Data/Here/"_s);
    EXPECT_TRUE(QFileInfo(usr + u"Data"_s).isDir());
    EXPECT_TRUE(QFileInfo(usr + u"Paper"_s).isDir());
    EXPECT_FALSE(QFileInfo::exists(prog + u"usData"_s)); // UserData.ini not consulted
    EXPECT_TRUE(cap.messages().isEmpty());

    // Relative to the working folder.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(base);
    PrepareUserFolder(prog, u"hoplark"_s, u"rel"_s, usr);
    QDir::setCurrent(cwd);
    EXPECT_EQ(usr, base + u"/rel/"_s);
}

TEST(StartUp, AFolderThatCannotBeMadeGivesAMessageNamingIt) {
    const QString base = test::NewTempDir();
    test::WriteBytes(base + u"/file"_s, "x");
    QString usr;
    const QString msg =
        PrepareUserFolder(ProgFolder("%usr%"), u"hoplark"_s, base + u"/file/d"_s, usr);
    EXPECT_EQ(msg, u"ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞ "_s + base + u"/file/d/ を作成できません"_s + QChar(13) +
                       u"ﾌﾟﾛｸﾞﾗﾑを終了します"_s);

    // The folder exists but "Paper" cannot be made in it.
    QDir().mkpath(base + u"/u"_s);
    test::WriteBytes(base + u"/u/Paper"_s, "x");
    EXPECT_TRUE(PrepareUserFolder(u"/nowhere/"_s, u"hoplark"_s, base + u"/u"_s, usr)
                    .startsWith(u"ﾌｫﾙﾀﾞ "_s + base + u"/u/Paper を作成できません"_s));

    YIni ini;
    EXPECT_FALSE(
        StartUpCore(ini, ProgFolder("%usr%"), u"hoplark"_s, base + u"/file/d"_s).isEmpty());
    EXPECT_EQ(ini.path(), QString()); // User.xml was not touched
}

TEST(StartUp, CoreSetsNamesAndLoadsTheEnvironment) {
    const QString prog = ProgFolder("%app%");
    YIni ini;
    test::MessageCapture cap;
    ASSERT_EQ(StartUpCore(ini, prog, u"hoplark"_s), QString());
    EXPECT_EQ(ini.AppNm, u"hoplark"_s);
    EXPECT_EQ(ini.UsrFld, prog + u"usData/"_s);
    EXPECT_EQ(ini.path(), prog + u"usData/User.xml"_s);
    EXPECT_TRUE(QFileInfo::exists(ini.path()));
    EXPECT_TRUE(QFileInfo(prog + u"usData/Data"_s).isDir());
    EXPECT_TRUE(QFileInfo(prog + u"usData/Paper"_s).isDir());
    EXPECT_TRUE(cap.messages().isEmpty());
}

TEST(StartUp, CommandLineLosesEveryDoubleQuote) {
    EXPECT_EQ(CommandLine({}), QString());
    EXPECT_EQ(CommandLine({u"\"/home/u/住所 録.csv\""_s}), u"/home/u/住所 録.csv"_s);
    EXPECT_EQ(CommandLine({u"ZAOEN"_s, u"/a/\"x\"y.csv"_s}), u"ZAOEN /a/xy.csv"_s);
}
