#include "ui/MainWindow.h"

#include "platform/Cp932.h"
#include "startup/YIni.h"
#include "support/FullDisk.h"
#include "support/TestEnv.h"
#include "ui/AddressListModel.h"
#include "ui/PageAddress.h"
#include "ui/PagePaper.h"
#include "ui/PreviewView.h"
#include "ui/SettingsPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

const QString kOther = u"   <他>\r\n      <a>残す</a>\r\n   </他>\r\n"_s;

// A user data folder whose "User.xml" holds text (none when null), loaded as start-up does.
void LoadIni(YIni& ini, const QString& text) {
    ini.AppNm = u"hoplark"_s;
    ini.UsrFld = test::NewTempDir() + u"/"_s;
    if (!text.isNull())
        test::WriteBytes(ini.UsrFld + u"User.xml"_s, EncodeCp932(text).bytes);
    bool bOk = false;
    ini.GetTxt(ini.UsrFld + u"User.xml"_s, bOk);
}

QString Stored(const QString& yoshi) {
    return u"<?xml version='1.0' encoding='Shift-JIS' ?>\r\n<運用>\r\n"_s + kOther +
           u"   <印刷>\r\n      <用紙>"_s + yoshi +
           u"</用紙>\r\n      <重複敬称>御中</重複敬称>\r\n      <敬称SPC>0</敬称SPC>\r\n"
           u"   </印刷>\r\n</運用>"_s;
}

// Records the calls into later work, and whether the window was busy at each.
class Recorder : public MainWindow {
public:
    using MainWindow::MainWindow;
    QStringList calls;
    int nRefresh = 0;
    int nRowsAtSasi = -1;

protected:
    void Note(const QString& s) { calls << s + (state().bBusy ? u" busy"_s : u""_s); }
    void ListPages(const QString& sYoshi) override {
        Note(u"ListPages "_s + sYoshi);
        if (!sYoshi.isEmpty())
            cbYoshi->addItem(sYoshi);
    }
    void InitTabs() override {
        Note(u"InitTabs"_s);
        ikImg->repaint(); // a repaint during the load sequence
    }
    void OpenPage() override { Note(u"OpenPage"_s); }
    void ShowSasi(const SasiView&, int n) override {
        Note(u"ShowSasi "_s + QString::number(n));
        nRowsAtSasi = adrModel->rowCount();
    }
    void RefreshPreview() override { ++nRefresh; }
    void ShowCurrentAddress() override { Note(u"ShowCurrentAddress"_s); }
};

QStringList Texts(const QList<QAction*>& actions) {
    QStringList out;
    for (const QAction* a : actions)
        out << (a->isSeparator() ? u"-"_s : a->text());
    return out;
}

} // namespace

TEST(MainWindow, MenusTabsAndCaptions) {
    YIni ini;
    LoadIni(ini, QString());
    MainWindow w(ini, 96);
    EXPECT_EQ(w.windowTitle(), u"宛名印刷"_s);

    EXPECT_EQ(w.mnJb[3], nullptr);
    const QList<QAction*> top{w.mnJb[0], w.mnJb[1], w.mnJb[2], w.mnJb[4], w.mnJb[5]};
    EXPECT_EQ(w.menuBar()->actions(), top);
    EXPECT_EQ(Texts(top), (QStringList{u"ﾌｧｲﾙ(&F)"_s, u"印刷(&P)"_s, u"用紙・配置(&F)"_s,
                                       u"再表示(&R)"_s, u"ﾍﾙﾌﾟ(&H)"_s}));
    EXPECT_EQ(w.mnJb[4]->menu(), nullptr);
    EXPECT_EQ(w.mnJb[5]->menu(), nullptr);

    EXPECT_EQ(w.mnJb[0]->menu()->actions(), (QList<QAction*>{w.mnFile[0], w.mnExit}));
    EXPECT_EQ(Texts({w.mnFile[0], w.mnExit}), (QStringList{u"開く(&O)"_s, u"終了(&X)"_s}));

    // The print items keep their indexes; the test page follows them after a separator.
    QList<QAction*> print(w.mnPrint.begin(), w.mnPrint.end());
    const QList<QAction*> printMenu = w.mnJb[1]->menu()->actions();
    ASSERT_EQ(printMenu.size(), 7);
    print << printMenu[5] << w.mnTestPage;
    EXPECT_EQ(printMenu, print);
    EXPECT_EQ(Texts(print),
              (QStringList{u"現在の宛名を印刷"_s, u"-"_s, u"一括印刷"_s, u"ﾘｽﾄの指定行を印刷"_s,
                           u"現在の宛名より後ろ全部"_s, u"-"_s, u"位置調整の試し印刷"_s}));

    const QList<QAction*> page(w.mnPage.begin(), w.mnPage.end());
    EXPECT_EQ(w.mnJb[2]->menu()->actions(), page);
    EXPECT_EQ(Texts(page),
              (QStringList{u"ﾌﾟﾘﾝﾀ設定"_s, u"-"_s, u"上書保存"_s, u"名前を変更"_s, u"-"_s,
                           u"名前を付けて保存"_s, u"-"_s, u"現在の登録を削除"_s}));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(w.mnPage[i]->isEnabled(), i != 2 && i != 3 && i != 5 && i != 7) << i;

    ASSERT_EQ(w.tbFrame->count(), 4);
    const QStringList tabs{u"用紙・配置"_s, u"宛先・差出"_s, u"宛名"_s, u"設定"_s};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.tbFrame->tabText(i), tabs[i]);
        EXPECT_EQ(w.tbFrame->widget(i), w.FramePg[i]);
    }
    EXPECT_TRUE(w.LsAdd->uniformItemSizes());
    EXPECT_EQ(w.LsAdd->model(), w.adrModel);
}

TEST(MainWindow, BatchPrintOnlyForTwoRowsOrMore) {
    YIni ini;
    LoadIni(ini, QString());
    MainWindow w(ini, 96);
    for (int n : {0, 1, 2, 3}) {
        w.state().adr.colAdr.clear();
        for (int i = 0; i < n; ++i)
            w.state().adr.colAdr << u",,row"_s;
        w.adrModel->Reset();
        emit w.mnJb[1]->menu()->aboutToShow();
        EXPECT_EQ(w.mnPrint[2]->isEnabled(), n > 1) << n;
    }
}

// The menus after the load sequence: "印刷(&P)" and "用紙・配置(&F)" stay available until a
// profile fails to load; the profile items need a profile that loaded.
TEST(MainWindow, MenusAtStartFollowTheProfileLoad) {
    const QString sPaper = QStringLiteral(HOPLARK_SOURCE_DIR) + u"/data/paper/"_s;
    const struct {
        const char* name;
        QStringList files; // copied from the starter profiles; none: no "Paper" folder
        bool bEmptyIk7;    // a profile "A4" of an ".ik7" alone
        bool bTop, bItems;
    } cases[] = {
        {"no Paper folder", {}, false, true, false},
        {"only an .ik7", {}, true, false, false},
        {"a starter profile",
         {u"はがき 縦書き.ik7"_s, u"はがき 縦書き.ik7.prnTxt"_s, u"はがき 縦書き.ini"_s},
         false,
         true,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        YIni ini;
        LoadIni(ini, QString());
        for (const QString& f : c.files)
            test::WriteBytes(ini.UsrFld + u"Paper/"_s + f, test::ReadBytes(sPaper + f));
        if (c.bEmptyIk7)
            test::WriteBytes(ini.UsrFld + u"Paper/A4.ik7"_s, QByteArray());
        test::MessageCapture messages;
        MainWindow w(ini, 96);
        w.Open(QString());
        EXPECT_EQ(w.mnJb[1]->isEnabled(), c.bTop);
        EXPECT_EQ(w.mnJb[2]->isEnabled(), c.bTop);
        EXPECT_TRUE(w.mnPage[0]->isEnabled());
        for (int i : {2, 3, 5, 7})
            EXPECT_EQ(w.mnPage[i]->isEnabled(), c.bItems) << i;
        EXPECT_EQ(messages.messages().size(), c.bEmptyIk7 ? 1 : 0);
        w.state().bBusy = true; // leave quietly
    }
}

// A list load selects and enables the line-break option of its layout. A change of selection
// runs the option's click, which takes the omission options away for good.
TEST(MainWindow, ListLoadsSelectTheLineBreakOfTheirLayout) {
    YIni ini;
    LoadIni(ini, QString());
    const QString sDir = test::NewTempDir() + u"/"_s;
    test::WriteBytes(sDir + u"full.csv"_s,
                     EncodeCp932(u"h\r\n100-0001,東京都,,部長,山田太郎\r\n"_s).bytes);
    test::WriteBytes(sDir + u"split.csv"_s,
                     EncodeCp932(u"h\r\n100-0001,東京都,,千代田1-1,部長,山田太郎\r\n"_s).bytes);
    Recorder w(ini, 96);
    w.Open(QString());
    const struct {
        QString sCm;
        int nOpt;         // the option selected
        bool bOtherOn;    // the other line-break option enabled
        bool bOmissionOn; // OptAdd(3), (4), (5) enabled
    } steps[] = {
        {u"ZAOEN "_s + sDir + u"full.csv"_s, 1, false, true}, // already selected: no click
        {u"ZA@@EN "_s + sDir + u"split.csv"_s, 0, true, false},
        {u"ZAOEN "_s + sDir + u"full.csv"_s, 1, true, false},
    };
    PageAddress& pa = *w.tbFrame->pageAddress;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.sCm.toStdString());
        w.Open(step.sCm);
        ASSERT_EQ(w.adrModel->rowCount(), 1);
        EXPECT_TRUE(pa.OptAdd[step.nOpt]->isChecked());
        EXPECT_TRUE(pa.OptAdd[step.nOpt]->isEnabled());
        EXPECT_EQ(pa.OptAdd[1 - step.nOpt]->isEnabled(), step.bOtherOn);
        EXPECT_TRUE(w.state().model.OptAdd[step.nOpt]);
        EXPECT_FALSE(w.state().model.OptAdd[1 - step.nOpt]);
        for (int i : {3, 4, 5}) {
            EXPECT_EQ(pa.OptAdd[i]->isEnabled(), step.bOmissionOn) << i;
            EXPECT_EQ(w.state().model.OptAddEnabled[i], step.bOmissionOn) << i;
        }
        EXPECT_TRUE(pa.OptAdd[5]->isChecked()) << "the omission choice itself stays";
    }
    w.state().bBusy = true; // leave quietly
}

TEST(MainWindow, LoadSequenceRunsBusyAndDrawsNothingUntilDone) {
    YIni ini;
    LoadIni(ini, Stored(u"はがき"_s));
    // The remembered profile exists: the session lists and opens it.
    const QString sStarter = QStringLiteral(HOPLARK_SOURCE_DIR) + u"/data/paper/はがき 縦書き"_s;
    for (const QString& ext : {u".ik7"_s, u".ik7.prnTxt"_s, u".ini"_s})
        test::WriteBytes(ini.UsrFld + u"Paper/はがき"_s + ext, test::ReadBytes(sStarter + ext));
    Recorder w(ini, 96);
    // Already on screen, so that the repaint inside the load sequence really paints.
    w.show();
    QCoreApplication::processEvents();
    w.nRefresh = 0;
    w.Open(QString());
    EXPECT_EQ(w.calls, (QStringList{u"ListPages はがき busy"_s, u"InitTabs busy"_s,
                                    u"OpenPage busy"_s, u"ShowSasi 0 busy"_s}));
    EXPECT_EQ(w.nRefresh, 0);
    EXPECT_FALSE(w.state().bBusy);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.state().UsrFld, ini.UsrFld);

    // Every repaint afterwards rebuilds the preview; none while busy.
    w.ikImg->repaint();
    EXPECT_EQ(w.nRefresh, 1);
    w.state().bBusy = true;
    w.ikImg->repaint();
    w.mnJb[4]->trigger();
    EXPECT_EQ(w.nRefresh, 1);
    w.state().bBusy = false;
    w.mnJb[4]->trigger();
    EXPECT_EQ(w.nRefresh, 2);
    w.state().bBusy = true; // leave quietly
}

TEST(MainWindow, WithoutAProfileNothingIsOpened) {
    YIni ini;
    LoadIni(ini, QString());
    Recorder w(ini, 96);
    w.Open(QString());
    EXPECT_EQ(w.calls,
              (QStringList{u"ListPages  busy"_s, u"InitTabs busy"_s, u"ShowSasi 0 busy"_s}));
    EXPECT_EQ(w.adrModel->rowCount(), 0);
}

TEST(MainWindow, ListOnTheCommandLineLoadsAfterTheLoadSequence) {
    YIni ini;
    LoadIni(ini, QString());
    Recorder w(ini, 96);
    w.Open(QStringLiteral(HOPLARK_SOURCE_DIR) + u"/data/sample/addresses.csv"_s);
    EXPECT_EQ(w.calls.last(), u"ShowSasi 0 busy"_s);
    EXPECT_EQ(w.nRowsAtSasi, 0);
    EXPECT_EQ(w.adrModel->rowCount(), 30);
    EXPECT_EQ(w.adrModel->rowCount(), w.state().adr.count());
    EXPECT_TRUE(w.isVisible());
}

TEST(MainWindow, ListClickIsQuietWhileBusy) {
    YIni ini;
    LoadIni(ini, QString());
    Recorder w(ini, 96);
    w.state().adr.colAdr = QStringList{u",,a"_s, u",,b"_s, u",,c"_s};
    w.adrModel->Reset();
    w.state().bBusy = true;
    w.LsAdd->setCurrentIndex(w.adrModel->index(2));
    EXPECT_EQ(w.state().adr.nAdrIdx, 0);
    EXPECT_TRUE(w.calls.isEmpty());
    w.state().bBusy = false;
    w.LsAdd->setCurrentIndex(w.adrModel->index(1));
    EXPECT_EQ(w.state().adr.nAdrIdx, 1);
    EXPECT_EQ(w.calls, QStringList{u"ShowCurrentAddress"_s});
}

// "終了(&X)" and the close box run the same sequence and store the same file.
TEST(MainWindow, BothClosePathsStoreTheSameValues) {
    QList<QByteArray> files;
    for (int path = 0; path < 2; ++path) {
        YIni ini;
        LoadIni(ini, Stored(u"はがき"_s));
        Recorder w(ini, 96);
        w.Open(QString());
        w.cbYoshi->addItem(u"封筒 長3"_s);
        w.cbYoshi->setCurrentIndex(w.cbYoshi->count() - 1);
        if (path == 0)
            w.mnExit->trigger();
        else
            w.close();
        EXPECT_FALSE(w.isVisible());
        files << test::ReadBytes(ini.UsrFld + u"User.xml"_s);

        // The environment is written once: a second close writes nothing.
        test::WriteBytes(ini.UsrFld + u"User.xml"_s, "later");
        w.close();
        EXPECT_EQ(test::ReadBytes(ini.UsrFld + u"User.xml"_s), QByteArray("later"));
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_EQ(DecodeCp932(files[0]), Stored(u"封筒 長3"_s));
}

// Closing on a full disk keeps the environment of the last run and says so.
TEST(MainWindow, CloseOnAFullDiskKeepsUserXml) {
    test::FullDisk disk;
    YIni ini;
    ini.AppNm = u"hoplark"_s;
    ini.UsrFld = disk.dir() + u"/"_s;
    const QByteArray old = EncodeCp932(Stored(u"はがき"_s)).bytes;
    test::WriteBytes(ini.UsrFld + u"User.xml"_s, old);
    bool bOk = false;
    ini.GetTxt(ini.UsrFld + u"User.xml"_s, bOk);
    test::MessageCapture cap;
    Recorder w(ini, 96);
    w.Open(QString());
    w.cbYoshi->addItem(u"封筒 長3"_s);
    w.cbYoshi->setCurrentIndex(w.cbYoshi->count() - 1);
    disk.Fill();
    w.mnExit->trigger();
    EXPECT_EQ(test::ReadBytes(ini.UsrFld + u"User.xml"_s), old);
    ASSERT_EQ(cap.messages().size(), 1);
    EXPECT_TRUE(cap.messages().first().contains(ini.UsrFld + u"User.xml"_s));
}

TEST(MainWindow, FirstRunLeavesTheThreeKeys) {
    YIni ini;
    LoadIni(ini, QString());
    {
        MainWindow w(ini, 96);
        w.Open(QString());
        w.close();
    }
    const QString text = DecodeCp932(test::ReadBytes(ini.UsrFld + u"User.xml"_s));
    const qsizetype a = text.indexOf(u"<用紙></用紙>"_s);
    const qsizetype b = text.indexOf(u"<重複敬称>"_s);
    const qsizetype c = text.indexOf(u"<敬称SPC>"_s);
    EXPECT_TRUE(a > 0 && b > a && c > b) << text.toStdString();
    EXPECT_TRUE(text.endsWith(u"   </印刷>\r\n</運用>"_s));
}

// A first run starts with the starter honorific list (so 先生 or 御中 get no second
// honorific); a list the user stored, even an empty one, is kept.
TEST(MainWindow, HonorificListOfAFirstRunAndAStoredOne) {
    struct Case {
        QString doc; // null: no User.xml
        QStringList aSuffix;
        int chSama;
    };
    const QString empty = u"<?xml version='1.0' encoding='Shift-JIS' ?>\r\n<運用>\r\n   <印刷>\r\n"
                          u"      <重複敬称></重複敬称>\r\n   </印刷>\r\n</運用>"_s;
    const Case cases[] = {
        {QString(), {u"先生"_s, u"殿"_s, u"御中"_s, u"様"_s, u"さま"_s, u"各位"_s}, 0},
        {empty, {u" "_s}, 1},
    };
    for (const Case& c : cases) {
        YIni ini;
        LoadIni(ini, c.doc);
        Recorder w(ini, 96);
        w.Open(QString());
        EXPECT_EQ(w.state().sama.aSuffix, c.aSuffix) << c.doc.isNull();
        EXPECT_EQ(w.state().sama.chSama, c.chSama) << c.doc.isNull();
    }
}

TEST(MainWindow, HelpMenuOpensTheHelpPage) {
    YIni ini;
    LoadIni(ini, QString());
    QList<QUrl> urls;
    SetHelpOpener([&urls](const QUrl& u) { urls << u; });
    MainWindow w(ini, 96);
    w.mnJb[5]->trigger();
    SetHelpOpener(nullptr);
    EXPECT_EQ(urls, QList<QUrl>{QUrl(HelpAddress(u"Hoplark"_s))});
    EXPECT_TRUE(urls.value(0).isLocalFile());
    EXPECT_FALSE(test::ReadBytes(ini.UsrFld + u"hoplark_help.lnk"_s).isEmpty());
}

TEST(MainWindow, ActivationEndsTheHourglass) {
    YIni ini;
    LoadIni(ini, QString());
    Recorder w(ini, 96);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    w.Open(QString());
    QApplication::setActiveWindow(&w);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.isActiveWindow());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

TEST(PreviewView, WidthInTwipsAndNoRepaintLoop) {
    PreviewView v;
    v.resize(300, 200);
    EXPECT_EQ(v.WidthTwips(96), 4500);
    EXPECT_EQ(v.WidthTwips(120), 3600);
    int nPaints = 0;
    QObject::connect(&v, &PreviewView::aboutToPaint, [&] {
        ++nPaints;
        QImage img(300, 200, QImage::Format_RGB32);
        img.fill(Qt::white);
        v.setImage(img); // a redraw that replaces the image while painting
    });
    v.show();
    QCoreApplication::processEvents();
    nPaints = 0;
    v.repaint();
    const int nAfterFirst = nPaints;
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_GE(nAfterFirst, 1);
    EXPECT_EQ(nPaints, nAfterFirst);
    EXPECT_FALSE(v.image().isNull());
}

TEST(AddressListModel, ShowsTheRowsOfALargeList) {
    AddressList list;
    for (int i = 0; i < 100000; ++i)
        list.colAdr << u",,"_s + QString::number(i);
    AddressListModel model(list);
    EXPECT_EQ(model.rowCount(), 100000);
    EXPECT_EQ(model.data(model.index(99999)).toString(), u"99999"_s);
    EXPECT_FALSE(model.data(model.index(5), Qt::DecorationRole).isValid());
    EXPECT_EQ(model.rowCount(model.index(0)), 0);
}

// At the starting size every page of the settings panel shows all its controls without
// scrolling.
TEST(MainWindow, EveryPageFitsAtTheStartingSize) {
    YIni ini;
    LoadIni(ini, QString());
    MainWindow w(ini, 96);
    w.Open(QString());
    w.show();
    QApplication::processEvents();
    // Both writing directions: each has a margin drawing of its own.
    for (const bool bVertical : {false, true}) {
        w.tbFrame->setCurrentIndex(0);
        w.tbFrame->pagePaper->opMjhk[bVertical ? 1 : 0]->click();
        QApplication::processEvents();
        for (int i = 0; i < w.tbFrame->count(); ++i) {
            w.tbFrame->setCurrentIndex(i);
            QApplication::processEvents();
            auto* scroll = qobject_cast<QScrollArea*>(w.tbFrame->widget(i));
            ASSERT_TRUE(scroll);
            const QWidget* viewport = scroll->viewport();
            const QRect visible = viewport->rect();
            const QList<QWidget*> controls = scroll->widget()->findChildren<QWidget*>();
            for (const QWidget* c : controls) {
                if (!c->isVisibleTo(scroll->widget()) || c->width() == 0)
                    continue;
                const QRect r(c->mapTo(viewport, QPoint(0, 0)), c->size());
                EXPECT_TRUE(visible.contains(r))
                    << "page " << i << ": " << c->objectName().toStdString() << " "
                    << c->metaObject()->className() << " at " << r.y() << "+" << r.height()
                    << " in " << visible.height();
            }
        }
    }
}
