#include "startup/YIni.h"

#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {
struct RecordOpener {
    QList<QUrl> urls;
    RecordOpener() {
        SetHelpOpener([this](const QUrl& url) { urls << url; });
    }
    ~RecordOpener() { SetHelpOpener(nullptr); }
};
} // namespace

TEST(Help, PageNameIsTheJobInLowerCase) {
    EXPECT_EQ(HelpAddress(u"Hoplark"_s), u"https://hoplark.example.org/help/hoplark.htm"_s);
    EXPECT_EQ(HelpAddress(u"Guide.HTML"_s), u"https://hoplark.example.org/help/guide.html"_s);
    EXPECT_EQ(HelpAddress(u"a.b.C"_s), u"https://hoplark.example.org/help/a.b.c"_s);
}

TEST(Help, WritesOneLinkFileAndOpensItsAddress) {
    YIni ini;
    ini.AppNm = u"Hoplark"_s;
    ini.UsrFld = test::NewTempDir() + u"/"_s;
    RecordOpener rec;
    test::MessageCapture cap;
    ini.W_Help(u"Hoplark"_s);
    ini.W_Help(u"Other.txt"_s);
    EXPECT_EQ(QDir(ini.UsrFld).entryList(QDir::Files), QStringList{u"Hoplark_help.lnk"_s});
    EXPECT_EQ(
        test::ReadBytes(ini.UsrFld + u"Hoplark_help.lnk"_s),
        QByteArray("[Desktop Entry]\nType=Link\nURL=https://hoplark.example.org/help/other.txt\n"));
    EXPECT_EQ(rec.urls, (QList<QUrl>{QUrl(u"https://hoplark.example.org/help/hoplark.htm"_s),
                                     QUrl(u"https://hoplark.example.org/help/other.txt"_s)}));
    EXPECT_TRUE(cap.messages().isEmpty());
}

TEST(Help, FailuresAreSilent) {
    YIni ini;
    ini.AppNm = u"Hoplark"_s;
    ini.UsrFld = test::NewTempDir() + u"/missing/"_s; // the link file cannot be written
    RecordOpener rec;
    test::MessageCapture cap;
    ini.W_Help(u"Hoplark"_s);
    ini.UsrFld.clear(); // before start-up
    ini.W_Help(u"Hoplark"_s);
    EXPECT_TRUE(rec.urls.isEmpty());
    EXPECT_TRUE(cap.messages().isEmpty());
}
