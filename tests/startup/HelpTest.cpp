#include "startup/YIni.h"

#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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
    EXPECT_EQ(HelpAddress(u"Hoplark"_s), HelpBase() + u"hoplark.htm"_s);
    EXPECT_EQ(HelpAddress(u"Guide.HTML"_s), HelpBase() + u"guide.html"_s);
    EXPECT_EQ(HelpAddress(u"a.b.C"_s), HelpBase() + u"a.b.c"_s);
}

// The page the help menu opens is there, beside the programs, with its pictures.
TEST(Help, ThePageIsShippedBesideTheProgram) {
    const QUrl url(HelpAddress(u"Hoplark"_s));
    ASSERT_TRUE(url.isLocalFile()) << url.toString().toStdString();
    const QString page = QString::fromUtf8(test::ReadBytes(url.toLocalFile()));
    ASSERT_TRUE(page.contains(u"<h1>Hoplark 宛名印刷 ヘルプ</h1>"_s))
        << url.toString().toStdString();
    const QRegularExpression img(u"<img src=\"([^\"]+)\""_s);
    int nImages = 0;
    for (auto it = img.globalMatch(page); it.hasNext(); ++nImages) {
        const QString name = it.next().captured(1);
        EXPECT_TRUE(QFileInfo(QFileInfo(url.toLocalFile()).dir(), name).isFile())
            << name.toStdString();
    }
    EXPECT_GE(nImages, 4);
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
    EXPECT_EQ(test::ReadBytes(ini.UsrFld + u"Hoplark_help.lnk"_s),
              "[Desktop Entry]\nType=Link\nURL=" + (HelpBase() + u"other.txt"_s).toUtf8() + '\n');
    EXPECT_EQ(rec.urls, (QList<QUrl>{QUrl(HelpBase() + u"hoplark.htm"_s),
                                     QUrl(HelpBase() + u"other.txt"_s)}));
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
