#include "ui/MainWindow.h"

#include "addresslist/OptAddHandOff.h"
#include "startup/YIni.h"
#include "ui/AddressListModel.h"
#include "ui/AppMain.h"
#include "ui/PreviewView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {
const QString kGroup = u"印刷"_s;
}

MainWindow::MainWindow(YIni& ini, int nScrDpi, QWidget* parent)
    : QMainWindow(parent), m_ini(ini), m_state(m_ik) {
    m_state.UsrFld = ini.UsrFld;
    m_state.ScrDpi = nScrDpi;
    setWindowTitle(u"宛名印刷"_s);
    BuildMenus();
    BuildParts();
    resize(1100, 720);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    mnJb[0] = file->menuAction();
    mnFile[0] = file->addAction(u"開く(&O)"_s);
    mnExit = file->addAction(u"終了(&X)"_s);
    connect(mnFile[0], &QAction::triggered, this, &MainWindow::OpenListDialog);
    connect(mnExit, &QAction::triggered, this, &QWidget::close);

    QMenu* print = bar->addMenu(u"印刷(&P)"_s);
    mnJb[1] = print->menuAction();
    const std::array<QString, 5> printItems{u"現在の宛名を印刷"_s, QString(), u"一括印刷"_s,
                                            u"ﾘｽﾄの指定行を印刷"_s, u"現在の宛名より後ろ全部"_s};
    for (int i = 0; i < 5; ++i) {
        mnPrint[i] =
            printItems[i].isEmpty() ? print->addSeparator() : print->addAction(printItems[i]);
        connect(mnPrint[i], &QAction::triggered, this, [this, i] { PrintMenu(i); });
    }
    connect(print, &QMenu::aboutToShow, this, &MainWindow::mnPrint_Open);

    QMenu* page = bar->addMenu(u"用紙・配置(&F)"_s);
    mnJb[2] = page->menuAction();
    const std::array<QString, 8> pageItems{
        u"ﾌﾟﾘﾝﾀ設定"_s,        QString(), u"上書保存"_s,        u"名前を変更"_s, QString(),
        u"名前を付けて保存"_s, QString(), u"現在の登録を削除"_s};
    for (int i = 0; i < 8; ++i) {
        mnPage[i] = pageItems[i].isEmpty() ? page->addSeparator() : page->addAction(pageItems[i]);
        connect(mnPage[i], &QAction::triggered, this, [this, i] { PageMenu(i); });
    }
    // Saving, renaming and deleting need an open profile; opening one enables them.
    for (int i : {2, 3, 5, 7})
        mnPage[i]->setEnabled(false);

    mnJb[4] = bar->addAction(u"再表示(&R)"_s);
    connect(mnJb[4], &QAction::triggered, this, [this] {
        if (!m_state.bBusy)
            RefreshPreview();
    });
    mnJb[5] = bar->addAction(u"ﾍﾙﾌﾟ(&H)"_s);
    connect(mnJb[5], &QAction::triggered, this, [this] { m_ini.W_Help(u"Hoplark"_s); });
}

void MainWindow::BuildParts() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);

    LsAdd = new QListView(central);
    adrModel = new AddressListModel(m_state.adr, LsAdd);
    LsAdd->setModel(adrModel);
    // Every row has the height of the first: a list of 100,000 rows lays out at once.
    LsAdd->setUniformItemSizes(true);
    LsAdd->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LsAdd->setFixedWidth(240);
    connect(LsAdd->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    LsAdd_Click(current.row());
            });
    row->addWidget(LsAdd);

    ikImg = new PreviewView(central);
    connect(ikImg, &PreviewView::aboutToPaint, this, &MainWindow::PaintPreview);
    row->addWidget(ikImg, 1);

    auto* panel = new QVBoxLayout;
    cbYoshi = new QComboBox(central);
    panel->addWidget(cbYoshi);
    tbFrame = new QTabWidget(central);
    const std::array<QString, 4> captions{u"用紙・配置"_s, u"宛先・差出"_s, u"宛名"_s, u"設定"_s};
    for (int i = 0; i < 4; ++i) {
        FramePg[i] = new QWidget(tbFrame);
        tbFrame->addTab(FramePg[i], captions[i]);
    }
    tbFrame->setMinimumWidth(360);
    panel->addWidget(tbFrame, 1);
    row->addLayout(panel);

    setCentralWidget(central);
}

int MainWindow::Act(const QString& sCm) {
    Open(sCm);
    return QCoreApplication::exec();
}

void MainWindow::Open(const QString& sCm) {
    LoadSequence();
    if (!sCm.isEmpty())
        LoadAdrList(sCm);
    show();
}

void MainWindow::LoadSequence() {
    m_state.bBusy = true;
    m_ini.GetGtx(kGroup);
    const QString sYoshi = m_ini.vGtVal(u"用紙"_s, QString()).toString();
    const QString sSama = m_ini.vGtVal(u"重複敬称"_s, QString()).toString();
    const QString sSpc = m_ini.vGtVal(u"敬称SPC"_s, u"1"_s).toString();
    m_state.sama.ReadSamaRule(sSama, sSpc);
    ListPages(sYoshi);
    InitTabs();
    if (cbYoshi->count() > 0)
        OpenPage();
    ShowSasi(0);
    m_state.bBusy = false;
}

void MainWindow::LoadAdrList(const QString& sCm) {
    HandOffOptAdd(m_state.adr.LoadAdrList(sCm), m_state.adr, m_state.model);
    adrModel->Reset();
}

void MainWindow::CloseSequence() {
    if (m_bClosed)
        return;
    m_bClosed = true;
    m_ini.GetGtx(kGroup);
    m_ini.SetVal(u"用紙"_s, cbYoshi->currentText());
    QString sList;
    QString sFlag;
    m_state.sama.GetSamaRule(sList, sFlag);
    m_ini.SetVal(u"重複敬称"_s, sList);
    m_ini.SetVal(u"敬称SPC"_s, sFlag);
    m_ini.SetGtx();
    // The end: every other window goes first, then the environment is written once.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (w != this && w->isVisible())
            w->close();
    AppEnd(m_ini);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    CloseSequence();
    event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Start-up's hourglass ends when the window is first ready for the user.
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        W_FrmTop(this);
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::PaintPreview() {
    if (m_state.bBusy)
        return;
    RefreshPreview();
}

void MainWindow::LsAdd_Click(int nRow) {
    if (m_state.bBusy)
        return;
    m_state.adr.nAdrIdx = static_cast<decltype(m_state.adr.nAdrIdx)>(nRow);
    ShowCurrentAddress();
}

void MainWindow::mnPrint_Open() {
    // "一括印刷" only makes sense for a list of two rows or more.
    mnPrint[2]->setEnabled(adrModel->rowCount() > 1);
}

void MainWindow::OpenListDialog() {}

void MainWindow::ListPages(const QString&) {}
void MainWindow::InitTabs() {}
void MainWindow::OpenPage() {}
void MainWindow::ShowSasi(int) {}
void MainWindow::RefreshPreview() {}
void MainWindow::ShowCurrentAddress() {}
void MainWindow::PrintMenu(int) {}
void MainWindow::PageMenu(int) {}

} // namespace hoplark
