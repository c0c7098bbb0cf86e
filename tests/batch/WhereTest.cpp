#include "BatchRun.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

TEST(BatchWhere, DataOptionAnywhereMakesTheFolder) {
    const QString base = test::NewTempDir();
    const ProcRun a = Batch({u"where"_s, u"--data"_s, base + u"/a/Nested"_s});
    EXPECT_EQ(a.rc, 0) << a.err.toStdString();
    EXPECT_EQ(a.out, base + u"/a/Nested/\n"_s);
    EXPECT_TRUE(QFileInfo(base + u"/a/Nested/Data"_s).isDir());
    EXPECT_TRUE(QFileInfo(base + u"/a/Nested/Paper"_s).isDir());
    // A folder made here is a first run: it starts with the shipped profiles.
    EXPECT_TRUE(QFileInfo::exists(base + u"/a/Nested/Paper/はがき 縦書き.ik7"_s));

    const ProcRun b = Batch({u"--data"_s, base + u"/b/"_s, u"where"_s});
    EXPECT_EQ(b.rc, 0);
    EXPECT_EQ(b.out, base + u"/b/\n"_s);

    // A folder that is there already is left as it is.
    QDir().mkpath(base + u"/c"_s);
    EXPECT_EQ(Batch({u"where"_s, u"--data"_s, base + u"/c"_s}).rc, 0);
    EXPECT_TRUE(QFileInfo(base + u"/c/Paper"_s).isDir());
    EXPECT_TRUE(QDir(base + u"/c/Paper"_s).isEmpty());
}

TEST(BatchWhere, WithoutDataItFollowsTheUserDataIniBesideIt) {
    // The build puts "%usr%" beside the programs: the default folder of "hoplark".
    ASSERT_EQ(test::ReadBytes(QStringLiteral(HOPLARK_BIN_DIR) + u"/UserData.ini"_s),
              QByteArray("%usr%"));
    const ProcRun r = Batch({u"where"_s});
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    const QString usr = test::TestHome() + u"/.local/share/Marbrook/hoplark/"_s;
    EXPECT_EQ(r.out, usr + u"\n"_s);
    EXPECT_TRUE(QFileInfo(usr + u"Paper"_s).isDir());
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
}

TEST(BatchWhere, AFolderThatCannotBeMadeFailsWithItsName) {
    const QString base = test::NewTempDir();
    test::WriteBytes(base + u"/file"_s, "x");
    const ProcRun r = Batch({u"where"_s, u"--data"_s, base + u"/file/sub"_s});
    EXPECT_EQ(r.rc, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(base + u"/file/sub/ を作成できません"_s)) << r.err.toStdString();
}

TEST(BatchWhere, ExtraArgumentsAreAnError) {
    EXPECT_EQ(Batch({u"where"_s, u"x"_s}).rc, 2);
    EXPECT_EQ(Batch({u"where"_s, u"--data"_s}).rc, 2);
}
