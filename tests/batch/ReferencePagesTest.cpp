#include "BatchRun.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

// The first line where two texts part, for the failure message.
std::string FirstDifference(const QByteArray& got, const QByteArray& want) {
    const QList<QByteArray> a = got.split('\n'), b = want.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i))
            return "line " + std::to_string(i + 1) + ": got " + a.value(i).left(200).toStdString() +
                   "\n  want " + b.value(i).left(200).toStdString();
    return {};
}

} // namespace

// The printed pages of the sample list and of a longer generated one stay as they were
// recorded: every drawing call of the job, and the text a PDF reader finds, in its order.
TEST(ReferencePages, PrintedPagesAreTheRecordedOnes) {
    const QString ref = QStringLiteral(HOPLARK_SOURCE_DIR "/tests/batch/reference/");
    const QString lists[] = {QStringLiteral(HOPLARK_SOURCE_DIR "/data/sample/addresses.csv"),
                             ref + u"generated.csv"_s};
    for (const QString& list : lists) {
        const QString name = QFileInfo(list).completeBaseName();
        SCOPED_TRACE(name.toStdString() + "; when the pages are meant to change, rerun "
                                          "scripts/reference-pages.sh");
        const QString dir = test::NewTempDir();
        const ProcRun r =
            Batch({u"print"_s, u"--data"_s, dir + u"/data"_s, u"--profile"_s, u"はがき 縦書き"_s,
                   u"--codes"_s, u"ZAOEN"_s, list, u"--sender"_s, u"0"_s, u"--pdf"_s,
                   dir + u"/o.pdf"_s, u"--trace"_s, dir + u"/t.jsonl"_s});
        ASSERT_EQ(r.rc, 0) << r.err.toStdString();
        const ProcRun text = Exec(u"pdftotext"_s, {u"-raw"_s, dir + u"/o.pdf"_s, u"-"_s});
        ASSERT_EQ(text.rc, 0);
        const QByteArray wantTrace = test::ReadBytes(ref + name + u".jsonl"_s);
        const QByteArray wantText = test::ReadBytes(ref + name + u".txt"_s);
        ASSERT_FALSE(wantTrace.isEmpty() || wantText.isEmpty());
        const QByteArray gotTrace = test::ReadBytes(dir + u"/t.jsonl"_s);
        EXPECT_TRUE(gotTrace == wantTrace) << "trace " << FirstDifference(gotTrace, wantTrace);
        const QByteArray gotText = text.out.toUtf8();
        EXPECT_TRUE(gotText == wantText) << "text " << FirstDifference(gotText, wantText);
    }
}
