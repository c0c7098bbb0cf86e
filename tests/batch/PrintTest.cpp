#include "BatchRun.h"
#include "platform/TextFile.h"
#include "support/FullDisk.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

// A data folder holding the shipped starter profile sProfile, a sender file of two senders
// and a list of four addresses (names 佐藤一郎, 鈴木花子, 高橋健一, 田中誠 in list order).
struct Fixture {
    QString data, list;
    explicit Fixture(const QString& sProfile = u"はがき 横書き"_s) {
        const QString base = test::NewTempDir();
        data = SeedDataFolder(base, sProfile,
                              u"<郵便>150-0001\r\n<住所>東京都渋谷区\r\n<名前>差出　一号\r\n\r\n"
                              u"<郵便>530-0001\r\n<住所>大阪府大阪市\r\n<名前>差出　二号\r\n"_s);
        list = base + u"/list.csv"_s;
        EXPECT_EQ(WriteTextFile(list, u"郵便番号,住所,勤務先,肩書,氏名\r\n"
                                      u"060-0042,北海道　札幌市,,,佐藤　一郎\r\n"
                                      u"980-0811,宮城県　仙台市,,,鈴木　花子\r\n"
                                      u"150-0002,東京都　渋谷区,,,高橋　健一\r\n"
                                      u"160-0023,東京都　新宿区,,,田中　誠\r\n"_s),
                  QString());
    }
    QStringList Args(const QString& pdf, const QStringList& more = {}) const {
        return QStringList{u"print"_s,   u"--data"_s, data, u"--profile"_s, u"はがき 横書き"_s,
                           u"--codes"_s, u"ZAOEN"_s,  list, u"--pdf"_s,     pdf} +
               more;
    }
};

const QStringList kNames{u"佐藤一郎"_s, u"鈴木花子"_s, u"高橋健一"_s, u"田中誠"_s};

// pdfinfo's page count and page size ("284 x 419 pts").
std::pair<int, QString> PdfInfo(const QString& pdf) {
    const ProcRun r = Exec(u"pdfinfo"_s, {pdf});
    const QRegularExpressionMatch pages = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(r.out);
    const QRegularExpressionMatch size =
        QRegularExpression(u"Page size:\\s+(\\S+ x \\S+ pts)"_s).match(r.out);
    return {pages.hasMatch() ? pages.captured(1).toInt() : -1, size.captured(1)};
}

// The text of each page, without blanks (names are drawn with a blank between their parts).
QStringList PageTexts(const QString& pdf) {
    // In drawing order: the layout order mixes the columns of large vertical names.
    const ProcRun r = Exec(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s});
    QStringList pages = r.out.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString& p : pages)
        p.remove(QRegularExpression(u"\\s"_s));
    return pages;
}

// For each page, the index of the address name it holds (-1 when none or several).
QList<int> NamesPerPage(const QString& pdf) {
    QList<int> out;
    for (const QString& p : PageTexts(pdf)) {
        int found = -1;
        for (int i = 0; i < kNames.size(); ++i)
            if (p.contains(kNames[i]))
                found = found < 0 ? i : -2;
        out << (found < 0 ? -1 : found);
    }
    return out;
}

} // namespace

TEST(BatchPrint, RowsOfEveryModeInPdfPages) {
    if (QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    const Fixture f;
    struct Case {
        QString rows;
        QList<int> names;
    };
    const Case cases[] = {
        {QString(), {0, 1, 2, 3}}, {u"all"_s, {0, 1, 2, 3}},  {u"current:2"_s, {2}},
        {u"after:1"_s, {2, 3}},    {u"select:3,0"_s, {0, 3}}, {u"select:1,1,9"_s, {1}},
    };
    for (const Case& t : cases) {
        const QString pdf = test::NewTempDir() + u"/out.pdf"_s;
        const QStringList more =
            t.rows.isEmpty() ? QStringList() : QStringList{u"--rows"_s, t.rows};
        const ProcRun r = Batch(f.Args(pdf, more));
        ASSERT_EQ(r.rc, 0) << t.rows.toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, u"%1: %2 page%3\n"_s.arg(pdf)
                             .arg(t.names.size())
                             .arg(t.names.size() == 1 ? u""_s : u"s"_s));
        const auto [nPages, sSize] = PdfInfo(pdf);
        EXPECT_EQ(nPages, t.names.size()) << t.rows.toStdString();
        EXPECT_EQ(sSize, u"284 x 419 pts"_s) << t.rows.toStdString(); // 100 x 148 mm
        EXPECT_EQ(NamesPerPage(pdf), t.names) << t.rows.toStdString();
    }
}

// Nothing to print is a failure that keeps the older file.
TEST(BatchPrint, EmptyJobsAreRefusedAndKeepTheOldFile) {
    const Fixture f;
    for (const QString& rows : {u"after:3"_s, u"select:"_s, u"after:2147483647"_s}) {
        const QString pdf = test::NewTempDir() + u"/out.pdf"_s;
        test::WriteBytes(pdf, "older run");
        const ProcRun r = Batch(f.Args(pdf, {u"--rows"_s, rows}));
        EXPECT_EQ(r.rc, 1) << rows.toStdString() << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(test::ReadBytes(pdf), QByteArray("older run")) << rows.toStdString();
    }
}

TEST(BatchPrint, SenderBlockOfTheChosenSender) {
    const Fixture f;
    struct Case {
        QStringList more;
        QString sender;
    };
    const Case cases[] = {{{}, u"差出一号"_s},
                          {{u"--sender"_s, u"2"_s}, u"差出二号"_s},
                          {{u"--sender"_s, u"7"_s}, u"差出二号"_s}}; // past the last: the last
    for (const Case& t : cases) {
        const QString pdf = test::NewTempDir() + u"/out.pdf"_s;
        const ProcRun r = Batch(f.Args(pdf, QStringList{u"--rows"_s, u"current:0"_s} << t.more));
        ASSERT_EQ(r.rc, 0) << r.err.toStdString();
        const QStringList pages = PageTexts(pdf);
        ASSERT_EQ(pages.size(), 1);
        EXPECT_TRUE(pages[0].contains(t.sender)) << pages[0].toStdString();
    }
}

TEST(BatchPrint, VerticalPostcardPrintsEveryAddress) {
    const Fixture f(u"はがき 縦書き"_s);
    const QString pdf = test::NewTempDir() + u"/out.pdf"_s;
    QStringList args = f.Args(pdf);
    args[4] = u"はがき 縦書き"_s;
    const ProcRun r = Batch(args);
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_EQ(PdfInfo(pdf), std::make_pair(4, u"284 x 419 pts"_s));
    EXPECT_EQ(NamesPerPage(pdf), (QList<int>{0, 1, 2, 3}));
}

TEST(BatchPrint, ProgressAndTrace) {
    const Fixture f;
    const QString dir = test::NewTempDir();
    const ProcRun r = Batch(f.Args(dir + u"/out.pdf"_s, {u"--progress"_s, u"--rows"_s, u"after:1"_s,
                                                         u"--trace"_s, dir + u"/t.jsonl"_s}));
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    QStringList progress;
    for (const QString& line : r.err.split(u'\n'))
        if (line.startsWith(u"printed"_s))
            progress << line;
    EXPECT_EQ(progress, (QStringList{u"printed 0 / 2"_s, u"printed 1 / 2"_s, u"printed 2 / 2"_s}));

    // The trace holds the preview drawn first, then the job.
    QStringList ops;
    QString docName;
    for (const QByteArray& line : test::ReadBytes(dir + u"/t.jsonl"_s).split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        const QString op = o.value(u"op"_s).toString();
        if (op == u"StartDoc"_s)
            docName = o.value(u"name"_s).toString();
        if (op == u"ResetImage"_s || op == u"StartDoc"_s || op == u"StartPage"_s ||
            op == u"EndDoc"_s)
            ops << op;
    }
    EXPECT_EQ(ops, (QStringList{u"ResetImage"_s, u"StartDoc"_s, u"StartPage"_s, u"StartPage"_s,
                                u"EndDoc"_s}));
    EXPECT_EQ(docName, u"宛名印刷"_s);
}

TEST(BatchPrint, WrongRequestsFailWithOneLine) {
    const Fixture f;
    const QString pdf = test::NewTempDir() + u"/out.pdf"_s;
    struct Case {
        const char* what;
        QStringList args;
        int rc;
    };
    QStringList missingProfile = f.Args(pdf);
    missingProfile[4] = u"ない用紙"_s;
    QStringList missingList = f.Args(pdf);
    missingList[7] = f.list + u".none"_s;
    const Case cases[] = {
        {"profile cannot be loaded", missingProfile, 1},
        {"list missing", missingList, 1},
        {"bad rows", f.Args(pdf, {u"--rows"_s, u"every"_s}), 2},
        {"no output", f.Args(pdf).mid(0, 8), 2},
        {"unknown option", f.Args(pdf, {u"--colour"_s}), 2},
        {"data given twice", f.Args(pdf, {u"--data"_s, f.data}), 2},
        {"switch given twice", f.Args(pdf, {u"--progress"_s, u"--progress"_s}), 2},
        {"empty output name", f.Args(QString()), 2},
        {"offset out of range", f.Args(pdf, {u"--offset"_s, u"10.1,0"_s}), 2},
        {"offset finer than 0.1 mm", f.Args(pdf, {u"--offset"_s, u"0,1.55"_s}), 2},
        {"offset without Y", f.Args(pdf, {u"--offset"_s, u"1.5"_s}), 2},
        {"offset not a number", f.Args(pdf, {u"--offset"_s, u"a,b"_s}), 2},
        // An option's value is never read as an option.
        {"data as the profile's value",
         QStringList{u"print"_s, u"--profile"_s, u"--data"_s, f.data, u"--codes"_s, u"ZAOEN"_s,
                     f.list, u"--pdf"_s, pdf},
         2},
    };
    for (const Case& t : cases) {
        const ProcRun r = Batch(t.args);
        EXPECT_EQ(r.rc, t.rc) << t.what;
        EXPECT_FALSE(QFileInfo::exists(pdf)) << t.what;
        const QStringList lines = r.err.trimmed().split(u'\n');
        QStringList ours;
        for (const QString& l : lines)
            if (l.startsWith(u"hoplark-batch print:"_s))
                ours << l;
        EXPECT_EQ(ours.size(), 1) << t.what << ": " << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(u"--codes"_s)) << t.what;
    }
    const ProcRun r = Batch(missingProfile);
    EXPECT_TRUE(r.err.contains(u"ない用紙.ik7 がありません"_s)) << r.err.toStdString();
}

TEST(BatchPrint, AFailureIsOneLineEvenWithoutARuntimeFolder) {
    Fixture f;
    QStringList args = f.Args(test::NewTempDir() + u"/out.pdf"_s);
    args[4] = u"ない用紙"_s;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"XDG_RUNTIME_DIR"_s);
    const ProcRun r = Exec(QStringLiteral(HOPLARK_BIN_DIR "/hoplark-batch"), args, env);
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith(u"hoplark-batch print: "_s)) << r.err.toStdString();
}

// A file that cannot be written whole is a failure: the older file stays, and no part of the
// new one is left beside it.
TEST(BatchPrint, OutputThatCannotBeWrittenWholeFails) {
    const Fixture f;
    test::FullDisk disk;
    const QString fifo = test::NewTempDir() + u"/fifo"_s;
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString full = disk.dir() + u"/out.pdf"_s;
    test::WriteBytes(full, "older run");
    disk.Fill();
    const QString elsewhere = test::NewTempDir() + u"/out.pdf"_s;
    struct Case {
        const char* what;
        QStringList args;
        QString kept; // a file that must keep "older run"
    };
    const Case cases[] = {
        {"pdf on a full disk", f.Args(full), full},
        {"trace on a full disk", f.Args(elsewhere, {u"--trace"_s, full}), full},
        {"a device", f.Args(u"/dev/full"_s), QString()},
        {"a fifo", f.Args(fifo), QString()},
        {"a folder", f.Args(disk.dir()), QString()},
    };
    for (const Case& t : cases) {
        const ProcRun r = Batch(t.args);
        EXPECT_EQ(r.rc, 1) << t.what << ": " << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << t.what << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QString()) << t.what;
        if (!t.kept.isEmpty()) {
            EXPECT_EQ(test::ReadBytes(t.kept), QByteArray("older run")) << t.what;
        }
    }
    EXPECT_TRUE(QFileInfo(fifo).isFile() == false && QFileInfo::exists(fifo));
    EXPECT_EQ(QDir(disk.dir()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{u".filler"_s, u"out.pdf"_s}).mid(disk.mounted() ? 0 : 1));
}

// Output never goes over a file the program reads, under any of its names.
TEST(BatchPrint, RefusesToWriteOverItsInputs) {
    const Fixture f;
    const QString link = test::NewTempDir() + u"/link.csv"_s;
    ASSERT_TRUE(QFile::link(f.list, link));
    const QString paper = f.data + u"/Paper/はがき 横書き"_s;
    test::WriteBytes(f.data + u"/User.xml"_s, "<?xml version='1.0' encoding='Shift-JIS' ?>");
    for (const QString& target :
         {f.list, link, paper + u".ini"_s, paper + u".ik7"_s, paper + u".ik7.prnTxt"_s,
          f.data + u"/Paper/差出人.ini"_s, f.data + u"/User.xml"_s}) {
        const QByteArray before = test::ReadBytes(target);
        ASSERT_FALSE(before.isEmpty()) << target.toStdString();
        const ProcRun r = Batch(f.Args(target));
        EXPECT_EQ(r.rc, 1) << target.toStdString();
        EXPECT_EQ(test::ReadBytes(target), before) << target.toStdString();
        const ProcRun png = Batch({u"preview"_s, u"--data"_s, f.data, u"--profile"_s,
                                   u"はがき 横書き"_s, f.list, u"--png"_s, target});
        EXPECT_EQ(png.rc, 1) << target.toStdString();
        EXPECT_EQ(test::ReadBytes(target), before) << target.toStdString();
    }
}

// A job killed half-way leaves the older file; one left to finish replaces it whole.
TEST(BatchPrint, AKillLeavesTheOldFileOrTheWholeNewOne) {
    const Fixture f;
    QStringList lines{u"郵便番号,住所,勤務先,肩書,氏名"_s};
    for (int i = 0; i < 5000; ++i)
        lines << u"100-0001,東京都　千代田区,,,山田　%1"_s.arg(i);
    const QString list = test::WriteListFile(lines);
    const QString pdf = test::NewTempDir() + u"/out.pdf"_s;
    test::WriteBytes(pdf, "older run");
    QStringList args = f.Args(pdf, {u"--progress"_s});
    args[7] = list;

    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    p.start(QStringLiteral(HOPLARK_BIN_DIR "/hoplark-batch"), args);
    QByteArray err;
    while (!err.contains("printed 20 /") && p.waitForReadyRead(60000))
        err += p.readAllStandardError();
    ASSERT_TRUE(err.contains("printed 20 /")) << err.constData();
    ASSERT_EQ(p.state(), QProcess::Running);
    p.kill();
    p.waitForFinished();
    EXPECT_EQ(test::ReadBytes(pdf), QByteArray("older run"));

    const ProcRun r = Batch(args << u"--rows"_s << u"after:4990"_s);
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_EQ(PdfInfo(pdf).first, 9);
}

// Settings files that are no regular files are passed over with a warning, never read: a FIFO
// would block the program and /dev/zero would never end.
TEST(BatchPrint, SpecialFilesInPlaceOfSettingsAreNotRead) {
    const Fixture f;
    const QString xml = f.data + u"/User.xml"_s;
    const QString sender = f.data + u"/Paper/差出人.ini"_s;
    QFile::remove(sender);
    ASSERT_EQ(mkfifo(QFile::encodeName(xml).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, sender));
    const QString pdf = test::NewTempDir() + u"/out.pdf"_s;
    const ProcRun r = Batch(f.Args(pdf));
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(xml)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(sender)) << r.err.toStdString();
    EXPECT_EQ(PdfInfo(pdf).first, 4);
    EXPECT_FALSE(QFileInfo(xml).isFile()); // still the FIFO
}
