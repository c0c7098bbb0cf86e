#include "ui/SasiWindow.h"

#include "platform/TextFile.h"
#include "sender/Sasi.h"
#include "support/FullDisk.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {
QString NewUsrFld() {
    const QString dir = test::NewTempDir() + u"/"_s;
    QDir().mkpath(dir + u"Paper"_s);
    return dir;
}
} // namespace

TEST(SasiWindow, UpdateWritesOnlyAChangedText) {
    const struct {
        QString edited;
        bool written;
    } cases[] = {{u"<名前>山田太郎\n"_s, false}, {u"<名前>山田花子\n"_s, true}};
    for (const auto& c : cases) {
        const QString usr = NewUsrFld();
        const QString path = SasiPath(usr);
        ASSERT_EQ(WriteTextFile(path, u"<名前>山田太郎\r\n"_s), QString());
        const QDateTime before = QFileInfo(path).lastModified();
        SasiWindow w(usr);
        w.setText(SasiEditText(ReadTextFile(path)));
        w.txSasi()->setPlainText(c.edited);
        EXPECT_TRUE(w.UpdateAndClose());
        EXPECT_EQ(w.updated(), c.written);
        EXPECT_EQ(ReadTextFile(path),
                  c.written ? u"<名前>山田花子\r\n"_s : u"<名前>山田太郎\r\n"_s);
        if (!c.written) {
            EXPECT_EQ(QFileInfo(path).lastModified(), before);
        }
    }
}

TEST(SasiWindow, UnmappableTextKeepsTheWindowOpenAndTheFile) {
    const QString usr = NewUsrFld();
    const QString path = SasiPath(usr);
    ASSERT_EQ(WriteTextFile(path, u"<名前>山田\r\n"_s), QString());
    test::MessageCapture capture;
    SasiWindow w(usr);
    w.setText(SasiEditText(ReadTextFile(path)));
    w.txSasi()->setPlainText(u"<名前>山田😀\n"_s);
    EXPECT_FALSE(w.UpdateAndClose());
    ASSERT_EQ(capture.messages().size(), 1);
    EXPECT_TRUE(capture.messages().first().contains(u"😀"_s));
    EXPECT_EQ(w.txSasi()->toPlainText(), u"<名前>山田😀\n"_s); // nothing typed is lost
    EXPECT_FALSE(w.updated());
    EXPECT_EQ(ReadTextFile(path), u"<名前>山田\r\n"_s);
}

// Both stored senders survive a full disk, and the edit stays in the open window.
TEST(SasiWindow, AFullDiskKeepsTheWindowOpenAndTheFile) {
    test::FullDisk disk;
    const QString usr = disk.dir() + u"/"_s;
    QDir().mkpath(usr + u"Paper"_s);
    const QString path = SasiPath(usr);
    const QString old = u"<名前>山田太郎\r\n<名前>山田花子\r\n"_s;
    ASSERT_EQ(WriteTextFile(path, old), QString());
    disk.Fill();
    test::MessageCapture capture;
    SasiWindow w(usr);
    w.setText(SasiEditText(ReadTextFile(path)));
    w.txSasi()->setPlainText(u"<名前>山田一郎\n"_s);
    EXPECT_FALSE(w.UpdateAndClose());
    ASSERT_EQ(capture.messages().size(), 1);
    EXPECT_TRUE(capture.messages().first().contains(path));
    EXPECT_EQ(w.txSasi()->toPlainText(), u"<名前>山田一郎\n"_s);
    EXPECT_EQ(ReadTextFile(path), old);
}

TEST(SasiWindow, CloseWithoutUpdateWritesNothing) {
    const QString usr = NewUsrFld();
    SasiWindow w(usr);
    w.setText(u""_s);
    w.txSasi()->setPlainText(u"<名前>新しい人\n"_s);
    w.CloseWithoutUpdate();
    EXPECT_FALSE(w.updated());
    EXPECT_FALSE(QFileInfo::exists(SasiPath(usr)));
}
