#include "platform/TextFile.h"

#include "support/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

TEST(TextFile, CrLfStaysAsWritten) {
    const QString path = test::NewTempDir() + u"/a.txt"_s;
    ASSERT_EQ(WriteTextFile(path, u"一\r\n二\n三\r"_s), QString());
    EXPECT_EQ(test::ReadBytes(path), QByteArray("\x88\xea\r\n\x93\xf1\n\x8e\x4f\r"));
    bool ok = false;
    EXPECT_EQ(ReadTextFile(path, &ok), u"一\r\n二\n三\r"_s);
    EXPECT_TRUE(ok);
}

TEST(TextFile, MissingFileReadsEmptyAndNotOk) {
    bool ok = true;
    EXPECT_EQ(ReadTextFile(test::NewTempDir() + u"/none.txt"_s, &ok), QString());
    EXPECT_FALSE(ok);
}

TEST(TextFile, FailedWritesLeaveTheOldFile) {
    const QString dir = test::NewTempDir();
    const QString path = dir + u"/keep.txt"_s;
    ASSERT_EQ(WriteTextFile(path, u"old"_s), QString());

    // Unmappable text is refused before anything is written; the message names it.
    const QString msg = WriteTextFile(path, u"new 😀"_s);
    EXPECT_TRUE(msg.contains(path));
    EXPECT_TRUE(msg.contains(u"😀"_s));
    EXPECT_EQ(ReadTextFile(path), u"old"_s);

    // A folder that cannot be written to.
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString denied = WriteTextFile(path, u"new"_s);
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (denied.isEmpty())
        GTEST_SKIP() << "running with permissions that ignore a read-only folder";
    EXPECT_TRUE(denied.contains(path));
    EXPECT_EQ(ReadTextFile(path), u"old"_s);
}

// A disk that fills up in the middle of a write, also for root: files may not grow past 4 KB.
TEST(TextFile, AFullDiskLeavesTheOldFile) {
    const QString path = test::NewTempDir() + u"/keep.txt"_s;
    ASSERT_EQ(WriteTextFile(path, u"old"_s), QString());
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString msg = WriteTextFile(path, QString(100000, u'あ'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(msg.contains(path)) << msg.toStdString();
    EXPECT_EQ(ReadTextFile(path), u"old"_s);
}

TEST(TextFile, WriteIntoAMissingFolderNamesTheFile) {
    const QString dir = test::NewTempDir();
    const QString blocker = dir + u"/plain"_s;
    ASSERT_EQ(WriteTextFile(blocker, u"x"_s), QString());
    const QString path = blocker + u"/inside.txt"_s; // its parent is a file
    const QString msg = WriteTextFile(path, u"text"_s);
    EXPECT_FALSE(msg.isEmpty());
    EXPECT_TRUE(msg.contains(path));
}
