#include "platform/TextFile.h"

#include "support/FullDisk.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

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

// A disk that fills up: a file smaller than any write buffer fails only when the buffer is
// pushed out, a large one on the way; either way the old file stays and the message says so.
TEST(TextFile, AFullDiskLeavesTheOldFile) {
    for (const qsizetype nChars : {qsizetype(5), qsizetype(100000)}) {
        test::FullDisk disk;
        const QString path = disk.dir() + u"/keep.txt"_s;
        ASSERT_EQ(WriteTextFile(path, u"old"_s), QString());
        disk.Fill();
        const QString msg = WriteTextFile(path, QString(nChars, u'あ'));
        EXPECT_TRUE(msg.contains(path)) << nChars << msg.toStdString();
        EXPECT_EQ(test::ReadBytes(path), QByteArray("old")) << nChars;
        EXPECT_EQ(QDir(disk.dir()).entryList(QDir::Files), QStringList{u"keep.txt"_s}) << nChars;
    }
}

// Settings files are read whole: what is no regular file, or is beyond any real size, is
// refused with a reason instead of blocking or eating the memory.
TEST(TextFile, ReadersRefuseWhatIsNoSmallRegularFile) {
    const QString dir = test::NewTempDir();
    const QString fifo = dir + u"/fifo"_s;
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString zero = dir + u"/zero"_s;
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, zero));
    const QString big = dir + u"/big"_s;
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxReadSize + 1)); // sparse
    }
    for (const QString& path : {fifo, zero, big, dir}) {
        bool ok = true;
        QString why;
        EXPECT_TRUE(ReadBinaryFile(path, &ok, &why).isEmpty()) << path.toStdString();
        EXPECT_FALSE(ok) << path.toStdString();
        EXPECT_TRUE(why.contains(path)) << why.toStdString();
    }
    bool ok = true;
    QString why = u"x"_s;
    ReadBinaryFile(dir + u"/missing"_s, &ok, &why);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(why.isEmpty());
}

// A write never replaces a device or a FIFO by a rename, and a link is written through.
TEST(TextFile, WritesKeepSpecialFilesAndFollowLinks) {
    const QString dir = test::NewTempDir();
    const QString fifo = dir + u"/fifo"_s;
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const QString& path : {u"/dev/full"_s, fifo, dir}) {
        EXPECT_TRUE(WriteTextFile(path, u"x"_s).contains(path)) << path.toStdString();
        EXPECT_FALSE(QFileInfo(path).isFile()) << path.toStdString();
    }
    const QString target = dir + u"/target.txt"_s;
    const QString link = dir + u"/link.txt"_s;
    ASSERT_EQ(WriteTextFile(target, u"old"_s), QString());
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(WriteTextFile(link, u"new"_s), QString());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(test::ReadBytes(target), QByteArray("new"));
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
