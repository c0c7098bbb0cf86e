// Printing from the window: the job is the same whatever the window does meanwhile, whatever
// page of the settings panel is shown and whatever the screen's resolution, and the printed
// page is the preview's.
#include "ui/MainWindow.h"

#include "PanelTest.h"
#include "imaging/PrinterHooks.h"
#include "imaging/PrinterSettings.h"
#include "platform/Cp932.h"
#include "platform/MsgBox.h"
#include "platform/TextFile.h"
#include "startup/YIni.h"
#include "support/FullDisk.h"
#include "support/TestEnv.h"
#include "ui/AddressListModel.h"
#include "ui/PagePaper.h"
#include "ui/PanelAdjBox.h"
#include "ui/PreviewView.h"
#include "ui/SettingsPanel.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFocusEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListView>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

const QString kSenders =
    u"<郵便>100-0005\r\n<住所>東京都千代田区丸の内1-1\r\n<名前>山田 太郎\r\n"_s;

// No print queue at all: the window's pages go to the PDF file in the documents folder.
struct NoQueues {
    NoQueues() {
        SetPrinterLookup([] { return InstalledPrinters{}; });
        QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    }
    ~NoQueues() { SetPrinterLookup(nullptr); }
};

QString FallbackPdf() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + u"/宛名印刷.pdf"_s;
}

// A user data folder with the starter profile sProfile remembered, the sender and a list.
struct UserFolder {
    YIni ini;
    QString sList;
    explicit UserFolder(const QString& sProfile, const QStringList& records = {}) {
        ini.AppNm = u"hoplark"_s;
        ini.UsrFld = test::NewTempDir() + u"/data/"_s;
        const QString from = QStringLiteral(HOPLARK_SOURCE_DIR) + u"/data/paper/"_s + sProfile;
        for (const QString& ext : {u".ik7"_s, u".ik7.prnTxt"_s, u".ini"_s})
            test::WriteBytes(ini.UsrFld + u"Paper/"_s + sProfile + ext,
                             test::ReadBytes(from + ext));
        EXPECT_EQ(WriteTextFile(ini.UsrFld + u"Paper/差出人.ini"_s, kSenders), QString());
        EXPECT_EQ(WriteTextFile(ini.UsrFld + u"User.xml"_s,
                                u"<?xml version='1.0' encoding='Shift-JIS' ?>\r\n<運用>\r\n"
                                u"   <印刷>\r\n      <用紙>"_s +
                                    sProfile + u"</用紙>\r\n   </印刷>\r\n</運用>"_s),
                  QString());
        bool bOk = false;
        ini.GetTxt(ini.UsrFld + u"User.xml"_s, bOk);
        sList = QStringLiteral(HOPLARK_SOURCE_DIR) + u"/data/sample/addresses.csv"_s;
        if (!records.isEmpty())
            sList = test::WriteListFile(QStringList{u"h"_s} + records);
    }
};

QList<QJsonObject> Records(const QByteArray& trace) {
    QList<QJsonObject> out;
    for (const QByteArray& line : trace.split('\n'))
        if (!line.isEmpty())
            out << QJsonDocument::fromJson(line).object();
    return out;
}

// The lines of the last job in a trace, StartDoc to EndDoc.
QList<QByteArray> JobLines(const QByteArray& trace) {
    const QList<QByteArray> lines = trace.split('\n');
    qsizetype from = -1, to = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString op = QJsonDocument::fromJson(lines[i]).object()[u"op"_s].toString();
        if (op == u"StartDoc"_s)
            from = i;
        else if (op == u"EndDoc"_s)
            to = i;
    }
    if (from < 0 || to < from)
        return {};
    return lines.mid(from, to - from + 1);
}

// The same job from hoplark-batch: the print trace of rows 'all' of the list.
QList<QByteArray> BatchJob(const UserFolder& s, const QString& sProfile) {
    const QString dir = test::NewTempDir();
    QProcess p;
    // The window opens a list named alone by its header when it knows it (the sample list's).
    const QStringList columns = s.sList.endsWith(u"/data/sample/addresses.csv"_s)
                                    ? QStringList{u"--columns"_s, u"auto"_s}
                                    : QStringList();
    p.start(QStringLiteral(HOPLARK_BIN_DIR "/hoplark-batch"),
            QStringList{u"print"_s, u"--data"_s, s.ini.UsrFld, u"--profile"_s, sProfile, s.sList,
                        u"--pdf"_s, dir + u"/b.pdf"_s, u"--trace"_s, dir + u"/b.jsonl"_s} +
                columns);
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return JobLines(test::ReadBytes(dir + u"/b.jsonl"_s));
}

int PdfPages(const QString& path) {
    QProcess p;
    p.start(u"pdfinfo"_s, {path});
    p.waitForFinished(60000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString& line : out.split(u'\n'))
        if (line.startsWith(u"Pages:"_s))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Prints every row from window w (no print queue: the fallback PDF), with during() run
// whenever the job lets events in. Returns the job's trace lines.
QList<QByteArray> PrintAllFromWindow(MainWindow& w, QBuffer& trace,
                                     const std::function<void()>& during = {}) {
    QFile::remove(FallbackPdf());
    QTimer poke;
    if (during) {
        QObject::connect(&poke, &QTimer::timeout, &w, during);
        poke.start(0);
    }
    w.mnPrint[2]->trigger();
    poke.stop();
    return JobLines(trace.data());
}

// A user folder with profile sProfile and the sample list, no print queue, messages
// captured, and the job hoplark-batch prints of it.
struct AgainstBatch {
    UserFolder s;
    NoQueues none;
    test::MessageCapture messages;
    QList<QByteArray> batch;
    explicit AgainstBatch(const QString& sProfile) : s(sProfile), batch(BatchJob(s, sProfile)) {}
};

TEST(PrintWindow, NothingTheWindowDoesDuringAJobReachesIt) {
    AgainstBatch t(u"はがき 縦書き"_s);
    UserFolder& s = t.s;
    const QList<QByteArray>& batch = t.batch;
    ASSERT_FALSE(batch.isEmpty());

    // Repaints, resizes, row clicks, tab changes and menu choices after every page.
    QBuffer trace;
    trace.open(QIODevice::WriteOnly);
    MainWindow w(s.ini, 96, nullptr, &trace);
    w.Open(s.sList);
    QCoreApplication::processEvents();
    int n = 0;
    const QList<QByteArray> job = PrintAllFromWindow(w, trace, [&] {
        ++n;
        w.resize(700 + (n % 7) * 40, 600 + (n % 5) * 30);
        w.ikImg->repaint();
        w.LsAdd->setCurrentIndex(w.adrModel->index(n % w.adrModel->rowCount()));
        w.tbFrame->setCurrentIndex(n % 4);
        w.mnJb[4]->trigger(); // 再表示
        w.mnPrint[0]->trigger();
    });
    EXPECT_GT(n, 30);
    EXPECT_EQ(job.size(), batch.size());
    EXPECT_TRUE(job == batch);
    EXPECT_EQ(PdfPages(FallbackPdf()), 30);
    w.state().bBusy = true; // leave quietly
}

TEST(PrintWindow, EveryPanelPageAndScreenResolutionPrintsTheSamePages) {
    AgainstBatch t(u"はがき 横書き"_s);
    UserFolder& s = t.s;
    const QList<QByteArray>& batch = t.batch;
    ASSERT_FALSE(batch.isEmpty());
    for (const int nDpi : {96, 144}) {
        for (int nTab = 0; nTab < 4; ++nTab) {
            SCOPED_TRACE(nDpi * 10 + nTab);
            QBuffer trace;
            trace.open(QIODevice::WriteOnly);
            MainWindow w(s.ini, nDpi, nullptr, &trace);
            w.Open(s.sList);
            w.tbFrame->setCurrentIndex(nTab);
            QCoreApplication::processEvents();
            const QList<QByteArray> job = PrintAllFromWindow(w, trace);
            EXPECT_EQ(job.size(), batch.size());
            EXPECT_TRUE(job == batch);
            w.state().bBusy = true;
        }
    }
}

// A record that needs the extra line: its printed page is the preview's, in page units
// within a preview pixel, and its name is printed.
TEST(PrintWindow, PrintedPageIsThePreviewWhenAnExtraLineIsGranted) {
    const struct {
        const char* what;
        QString sProfile;
        QString sRecord;
        QString sName; // a text of the name block
    } cases[] = {
        {"horizontal, one name line", u"はがき 横書き"_s,
         u"150-0002,東京都　渋谷区　渋谷２－２１－１　渋谷クロスポイントタワー３３階　"
         u"東西南北総合研究所内,,,高橋　健一"_s,
         u"高橋　健一 様"_s},
        {"vertical, three names", u"はがき 縦書き"_s,
         u"150-0002,東京都　渋谷区　渋谷２－２１－１　渋谷クロスポイントタワー３３階　"
         u"東西南北総合研究所内,,,山田　太郎・花子・次郎"_s,
         u"山田"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UserFolder s(c.sProfile, {c.sRecord});
        NoQueues none;
        test::MessageCapture messages;
        QBuffer trace;
        trace.open(QIODevice::WriteOnly);
        MainWindow w(s.ini, 96, nullptr, &trace);
        w.Open(u"ZAOEN "_s + s.sList); // as the open dialog loads it: fitted into lines
        Session& st = w.state();
        st.model.chOvrRw = 1;                // 行追加 可
        st.model.cbMxRw[1] = {u"1行"_s, -1}; // one name line
        st.model.cbMxRw[0] = {u"1行"_s, -1};
        w.tbFrame->LoadFromModel();
        w.tbFrame->setCurrentIndex(1);
        const qsizetype nFrom = trace.data().size();
        w.mnJb[4]->trigger(); // 再表示
        ASSERT_TRUE(st.lay.bAdrExtra || st.lay.bNameExtra);
        const PageLayout lay = st.lay;
        // The preview's texts after its last blanking, in page units.
        QList<QJsonObject> preview;
        for (const QJsonObject& o : Records(trace.data().mid(nFrom))) {
            if (o[u"op"_s].toString() == u"ResetImage"_s)
                preview.clear();
            if (o[u"op"_s].toString() == u"DrawText"_s)
                preview << o;
        }
        w.mnPrint[0]->trigger();
        QList<QJsonObject> printed;
        for (const QByteArray& line : JobLines(trace.data()))
            if (const QJsonObject o = QJsonDocument::fromJson(line).object();
                o[u"op"_s].toString() == u"DrawText"_s)
                printed << o;
        ASSERT_EQ(printed.size(), preview.size());
        const double px = 1 / double(lay.sgScale); // one preview pixel in page units
        bool bName = false;
        for (qsizetype i = 0; i < printed.size(); ++i) {
            const QJsonObject& p = printed[i];
            const QJsonObject& v = preview[i];
            EXPECT_EQ(p[u"text"_s].toString(), v[u"text"_s].toString()) << i;
            bName = bName || p[u"text"_s].toString().contains(c.sName);
            for (const char* k : {"x1", "x2"})
                EXPECT_LE(std::abs((v[QLatin1StringView(k)].toInt() - lay.nOrgX) * px -
                                   p[QLatin1StringView(k)].toInt()),
                          px + 0.5)
                    << k << " of " << p[u"text"_s].toString().toStdString();
            for (const char* k : {"y1", "y2"})
                EXPECT_LE(std::abs((v[QLatin1StringView(k)].toInt() - lay.nOrgY) * px - lay.nFlap -
                                   p[QLatin1StringView(k)].toInt()),
                          px + 0.5)
                    << k << " of " << p[u"text"_s].toString().toStdString();
        }
        EXPECT_TRUE(bName) << "the name is printed";
        st.bBusy = true;
    }
}

// The note that the pages go to a PDF file is answered before the job starts, however long
// the user takes; no progress dialog stands over it.
TEST(PrintWindow, WithoutAPrintQueueThePagesGoToTheDocumentsFolder) {
    const QString sProfile = u"はがき 縦書き"_s;
    UserFolder s(sProfile);
    NoQueues none;
    MainWindow w(s.ini, 96);
    w.Open(s.sList);
    QFile::remove(FallbackPdf());
    QStringList notes;
    bool bProgressShown = false;
    SetMsgBoxHandler([&](const QString& text) {
        notes << text;
        // A slow user: the window's events run for a while before the answer.
        QEventLoop wait;
        QTimer::singleShot(1500, &wait, &QEventLoop::quit);
        wait.exec();
        for (QWidget* top : QApplication::topLevelWidgets())
            bProgressShown =
                bProgressShown || (qobject_cast<QProgressDialog*>(top) && top->isVisible());
        const QList<QProgressDialog*> dialogs = w.findChildren<QProgressDialog*>();
        for (QProgressDialog* d : dialogs)
            bProgressShown = bProgressShown || d->isVisible();
    });
    w.mnPrint[2]->trigger();
    SetMsgBoxHandler(nullptr);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].contains(FallbackPdf())) << notes[0].toStdString();
    EXPECT_FALSE(bProgressShown);
    EXPECT_EQ(PdfPages(FallbackPdf()), 30);
    w.state().bBusy = true;
}

// The window says what went wrong with the file and keeps the older one; with nothing to
// print it says so and starts no job.
TEST(PrintWindow, AFailedFileOrNothingToPrintIsSaid) {
    const QString sProfile = u"はがき 縦書き"_s;
    UserFolder s(sProfile);
    NoQueues none;
    test::FullDisk disk;
    const QString pdf = disk.dir() + u"/宛名.pdf"_s;
    test::WriteBytes(pdf, "older run");
    const QString ik7 = s.ini.UsrFld + u"Paper/"_s + sProfile + u".ik7"_s;
    std::optional<PrinterSettings> ps = PrinterSettings::Read(ik7);
    ASSERT_TRUE(ps);
    ps->outputFile = pdf;
    ASSERT_EQ(ps->Write(ik7), QString());
    MainWindow w(s.ini, 96);
    w.Open(s.sList);
    test::MessageCapture messages;
    disk.Fill();
    w.mnPrint[0]->trigger();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages()[0].contains(pdf)) << messages.messages()[0].toStdString();
    EXPECT_EQ(test::ReadBytes(pdf), QByteArray("older run"));

    messages.clear();
    w.LsAdd->clearSelection();
    w.mnPrint[3]->trigger();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages()[0], u"印刷する宛名がありません"_s);
    EXPECT_TRUE(w.findChildren<QProgressDialog*>().isEmpty());
    EXPECT_EQ(test::ReadBytes(pdf), QByteArray("older run"));
}

} // namespace

namespace {

// The test page's job from hoplark-batch calibrate, with the extra arguments given.
QList<QByteArray> BatchTestPage(const UserFolder& s, const QString& sProfile,
                                const QStringList& extra = {}) {
    const QString dir = test::NewTempDir();
    QProcess p;
    p.start(QStringLiteral(HOPLARK_BIN_DIR "/hoplark-batch"),
            QStringList{u"calibrate"_s, u"--data"_s, s.ini.UsrFld, u"--profile"_s, sProfile,
                        u"--pdf"_s, dir + u"/c.pdf"_s, u"--trace"_s, dir + u"/c.jsonl"_s} +
                extra);
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(PdfPages(dir + u"/c.pdf"_s), 1);
    return JobLines(test::ReadBytes(dir + u"/c.jsonl"_s));
}

} // namespace

// The correction is entered on the panel (a value out of range is refused with a message and
// changes nothing), moves the window's test page, is saved with 上書保存, and hoplark-batch
// prints the same page from the saved profile or from --offset.
TEST(PrintWindow, CorrectionFromThePanelMovesTheTestPageAndIsSaved) {
    const QString sProfile = u"はがき 縦書き"_s;
    UserFolder s(sProfile);
    NoQueues none;
    test::MessageCapture messages;
    QBuffer trace;
    trace.open(QIODevice::WriteOnly);
    MainWindow w(s.ini, 96, nullptr, &trace);
    w.Open(s.sList);
    w.show();
    PagePaper& pp = *w.tbFrame->pagePaper;

    const QList<QByteArray> unmoved = BatchTestPage(s, sProfile);
    pp.udAdj[0]->selectAll();
    test::TypeText(pp.udAdj[0], u"12"_s);
    QFocusEvent leave(QEvent::FocusOut); // leaving the box checks it
    QApplication::sendEvent(pp.udAdj[0], &leave);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages()[0].contains(u"12"_s));
    EXPECT_EQ(pp.udAdj[0]->text(), u"0.0"_s);
    EXPECT_EQ(w.state().model.udAdj, (std::array<int, 2>{0, 0}));
    messages.clear();

    pp.udAdj[0]->selectAll();
    test::TypeText(pp.udAdj[0], u"1.5"_s);
    for (int i = 0; i < 7; ++i)
        test::PressKey(pp.udAdj[1], Qt::Key_Down);
    EXPECT_EQ(w.state().model.udAdj, (std::array<int, 2>{15, -7}));

    QFile::remove(FallbackPdf());
    w.mnTestPage->trigger();
    const QList<QByteArray> window = JobLines(trace.data());
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(PdfPages(FallbackPdf()), 1);
    EXPECT_NE(window, unmoved);
    EXPECT_EQ(window, BatchTestPage(s, sProfile, {u"--offset"_s, u"1.5,-0.7"_s}));

    w.mnPage[2]->trigger(); // 上書保存
    const QString sIni = ReadTextFile(s.ini.UsrFld + u"Paper/"_s + sProfile + u".ini"_s);
    EXPECT_TRUE(sIni.contains(u"<横補正>\t15</横補正>"_s)) << sIni.toStdString();
    EXPECT_TRUE(sIni.contains(u"<縦補正>\t-7</縦補正>\r\n</用紙指定>"_s));
    EXPECT_EQ(BatchTestPage(s, sProfile), window);
    // Only the note where the pages went.
    EXPECT_EQ(messages.messages().size(), 1) << messages.messages().join(u'|').toStdString();
    w.state().bBusy = true;
}
