#include "ui/MainWindow.h"

#include "platform/MsgBox.h"
#include "sender/Sasi.h"
#include "sender/TextFiles.h"
#include "session/PrinterSetup.h"
#include "startup/YIni.h"
#include "ui/AddressListModel.h"
#include "ui/AppMain.h"
#include "ui/ColumnDialog.h"
#include "ui/PageAddress.h"
#include "ui/PagePaper.h"
#include "ui/PanelWindowLayout.h"
#include "ui/PreviewView.h"
#include "ui/SasiWindow.h"
#include "ui/SettingsPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {
std::unique_ptr<TraceImaging> TraceOf(PainterImaging& ik, QIODevice* pTrace) {
    if (!pTrace)
        return nullptr;
    auto trace = std::make_unique<TraceImaging>(&ik);
    trace->setDevice(pTrace);
    return trace;
}
} // namespace

MainWindow::MainWindow(YIni& ini, int nScrDpi, QWidget* parent, QIODevice* pTrace)
    : QMainWindow(parent), m_ini(ini), m_ik(QSize(), nScrDpi), m_trace(TraceOf(m_ik, pTrace)),
      m_state(m_trace ? static_cast<Imaging&>(*m_trace) : m_ik), m_pm(m_state.profiles()),
      m_nScrDpi(nScrDpi) {
    m_state.UsrFld = ini.UsrFld;
    setObjectName(u"faMain"_s);
    setWindowTitle(u"宛名印刷"_s);
    m_pm.RefreshPreview = [this] { RefreshPreview(); };
    m_pm.PrinterSetup = [this] { DoPrinterSetup(); };
    m_pm.ListChanged = [this] { SyncProfiles(); };
    m_pm.InputBoxHook = [this](const QString& prompt, const QString& title,
                               const QString& proposed) -> std::optional<QString> {
        bool bOk = false;
        const QString s =
            QInputDialog::getText(this, title, prompt, QLineEdit::Normal, proposed, &bOk);
        if (!bOk)
            return std::nullopt;
        return s;
    };
    BuildMenus();
    BuildParts();
    PanelWindowLayout::PlaceWindow(this, nScrDpi);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    mnJb[0] = file->menuAction();
    mnFile[0] = file->addAction(u"開く(&O)"_s);
    mnExit = file->addAction(u"終了(&X)"_s);
    connect(mnFile[0], &QAction::triggered, this, [this] {
        if (!m_state.bBusy)
            OpenListDialog();
    });
    connect(mnExit, &QAction::triggered, this, &QWidget::close);

    QMenu* print = bar->addMenu(u"印刷(&P)"_s);
    mnJb[1] = print->menuAction();
    const std::array<QString, 5> printItems{u"現在の宛名を印刷"_s, QString(), u"一括印刷"_s,
                                            u"ﾘｽﾄの指定行を印刷"_s, u"現在の宛名より後ろ全部"_s};
    for (int i = 0; i < 5; ++i) {
        mnPrint[i] =
            printItems[i].isEmpty() ? print->addSeparator() : print->addAction(printItems[i]);
        connect(mnPrint[i], &QAction::triggered, this, [this, i] {
            if (!m_state.bBusy)
                PrintMenu(i);
        });
    }
    print->addSeparator();
    mnTestPage = print->addAction(QString::fromUtf16(kTestPageName));
    connect(mnTestPage, &QAction::triggered, this, [this] {
        if (!m_state.bBusy)
            PrintTestPageMenu();
    });
    connect(print, &QMenu::aboutToShow, this, &MainWindow::mnPrint_Open);

    QMenu* page = bar->addMenu(u"用紙・配置(&F)"_s);
    mnJb[2] = page->menuAction();
    const std::array<QString, 8> pageItems{
        u"ﾌﾟﾘﾝﾀ設定"_s,        QString(), u"上書保存"_s,        u"名前を変更"_s, QString(),
        u"名前を付けて保存"_s, QString(), u"現在の登録を削除"_s};
    for (int i = 0; i < 8; ++i) {
        mnPage[i] = pageItems[i].isEmpty() ? page->addSeparator() : page->addAction(pageItems[i]);
        connect(mnPage[i], &QAction::triggered, this, [this, i] {
            if (!m_state.bBusy)
                PageMenu(i);
        });
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

    // The names the menu arrays give their items.
    auto name = [](QAction* action, const QString& sName) {
        if (action)
            action->setObjectName(sName);
    };
    for (int i = 0; i < 6; ++i)
        name(mnJb[i], u"mnJb"_s + QString::number(i));
    name(mnFile[0], u"mnFile0"_s);
    name(mnExit, u"mnExit"_s);
    name(mnTestPage, u"mnTestPage"_s);
    for (int i = 0; i < 5; ++i)
        name(mnPrint[i], u"mnPrint"_s + QString::number(i));
    for (int i = 0; i < 8; ++i)
        name(mnPage[i], u"mnPage"_s + QString::number(i));
}

void MainWindow::BuildParts() {
    auto* central = new QWidget(this);
    auto* layout = new PanelWindowLayout(m_nScrDpi, central);

    ikImg = new PreviewView(central);
    ikImg->setObjectName(u"ikImg"_s);
    connect(ikImg, &PreviewView::aboutToPaint, this, &MainWindow::PaintPreview);

    tbFrame = new SettingsPanel(m_state, central);
    FramePg = {tbFrame->widget(0), tbFrame->widget(1), tbFrame->widget(2), tbFrame->widget(3)};
    cbYoshi = tbFrame->pagePaper->cbYoshi;
    layout->SetParts(ikImg, tbFrame);

    // The address list lives on the page "宛名".
    LsAdd = new QListView(tbFrame->pageAddress);
    LsAdd->setObjectName(u"LsAdd"_s);
    adrModel = new AddressListModel(m_state.adr, LsAdd);
    LsAdd->setModel(adrModel);
    // Every row has the height of the first: a list of 100,000 rows lays out at once.
    LsAdd->setUniformItemSizes(true);
    LsAdd->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LsAdd->setSelectionMode(QAbstractItemView::ExtendedSelection); // "ﾘｽﾄの指定行を印刷"
    connect(LsAdd->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    LsAdd_Click(current.row());
            });
    tbFrame->pageAddress->listHost->addWidget(LsAdd, 1);

    connect(tbFrame, &SettingsPanel::refreshRequested, this, [this] { RefreshPreview(); });
    connect(tbFrame, &QTabWidget::currentChanged, this, [this] {
        if (!m_state.bBusy)
            RefreshPreview(); // the guides belong to the first page only
    });
    connect(tbFrame, &SettingsPanel::profileActivated, this, [this](int i) {
        if (m_state.bBusy)
            return; // a job runs: the wheel or a click must not load another profile
        m_pm.SelectPage(i);
        SyncProfiles();
    });
    connect(tbFrame, &SettingsPanel::senderEditRequested, this, &MainWindow::EditSasi);
    connect(tbFrame, &SettingsPanel::senderSelected, this, [this](int n) {
        if (m_state.bBusy)
            return;
        m_state.bBusy = true;
        LoadSasi(n);
        m_state.bBusy = false;
        RefreshPreview();
    });
    connect(tbFrame, &SettingsPanel::samaRulesTaken, this, &MainWindow::StoreSamaRules);

    setCentralWidget(central);
}

int MainWindow::Act(const QString& sCm) {
    Open(sCm);
    return QCoreApplication::exec();
}

void MainWindow::Open(const QString& sCm) {
    LoadSequence();
    // A vCard file named alone opens as the menu opens it: it has no record lines of its own.
    const LoadRequest req = SplitLoadRequest(sCm);
    if (!req.bHasCodes && req.sPath.endsWith(u".vcf"_s, Qt::CaseInsensitive))
        OpenList(req.sPath, ListEncoding::Auto);
    else if (!req.bHasCodes && !req.sPath.isEmpty())
        OpenNamedList(sCm, req.sPath);
    else if (!sCm.isEmpty())
        LoadAdrList(sCm);
    show();
}

void MainWindow::LoadSequence() {
    Session::LoadHooks hooks;
    hooks.listed = [this] { ListPages(m_pm.ListText()); };
    hooks.tabs = [this] { InitTabs(); };
    hooks.opened = [this] { OpenPage(); };
    hooks.sender = [this](const SasiView& view, qint16 n) { ShowSasi(view, n); };
    // A profile that fails to load has been shown through MsgBox already.
    m_state.Load(m_ini, QString(), 0, hooks);
}

void MainWindow::LoadAdrList(const QString& sCm) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const AddressList::Outcome outcome = m_state.LoadList(sCm);
    QGuiApplication::restoreOverrideCursor();
    ShowListLoad(outcome);
}

void MainWindow::OpenNamedList(const QString& sCm, const QString& sPath) {
    // A list named alone (a file manager's "open with") takes the columns its header names;
    // a header the program does not know opens the list as the command line always did,
    // without a question.
    bool bUnknown = false;
    const AskColumns known = [&bUnknown](const QStringList&, const QString&) {
        bUnknown = true;
        return std::optional<QString>();
    };
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const AddressList::Outcome outcome =
        m_state.LoadListByHeader(m_ini, sPath, ListEncoding::Auto, known);
    QGuiApplication::restoreOverrideCursor();
    if (bUnknown)
        LoadAdrList(sCm);
    else
        ShowListLoad(outcome);
}

void MainWindow::OpenList(const QString& sPath, ListEncoding enc) {
    if (sPath.isEmpty())
        return; // a cancelled dialog
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // The column dialog needs the arrow while it is up.
    const AskColumns ask = [this](const QStringList& header, const QString& text) {
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        const auto sCodes =
            askColumns ? askColumns(header, text) : ColumnDialog::Ask(header, text, this);
        QGuiApplication::restoreOverrideCursor();
        return sCodes;
    };
    const AddressList::Outcome outcome = m_state.LoadListByHeader(m_ini, sPath, enc, ask);
    QGuiApplication::restoreOverrideCursor();
    ShowListLoad(outcome);
}

void MainWindow::ShowListLoad(AddressList::Outcome outcome) {
    // A refused list says why; a filled one that left lines out says which, after the load.
    const QString sMsg = m_state.adr.sLoadMsg;
    if (outcome == AddressList::Outcome::Unchanged || outcome == AddressList::Outcome::Refused) {
        if (!sMsg.isEmpty())
            MsgBox(sMsg);
        return;
    }
    const bool bWasBusy = m_state.bBusy;
    m_state.bBusy = true;
    adrModel->Reset();
    if (adrModel->rowCount() > 0)
        LsAdd->setCurrentIndex(adrModel->index(0));
    m_state.bBusy = bWasBusy;
    // The line-break option of the layout, selected as a click would: a change of selection
    // runs its handler, which takes the omission options away.
    tbFrame->SelectLineBreak(m_state.adr.optAdd());
    if (adrModel->rowCount() > 0 && !bWasBusy)
        RefreshPreview();
    if (!sMsg.isEmpty())
        MsgBox(sMsg);
}

void MainWindow::CloseSequence() {
    if (m_bClosed)
        return;
    m_bClosed = true;
    m_state.StorePreferences(m_ini, cbYoshi->currentText());
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

void MainWindow::OpenListDialog() {
    // Qt's own dialog, so that the choice of encoding can sit in it.
    QFileDialog dlg(this, u"HoPst"_s, m_state.UsrFld + u"Data"_s,
                    u"宛名リスト (*.csv *.CSV *.txt *.vcf *.VCF);;CSVﾃｷｽﾄﾌｧｲﾙ (*.csv);;"
                    u"vCard (*.vcf);;すべてのファイル (*)"_s);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::ExistingFile);
    auto* cbEnc = new QComboBox(&dlg);
    cbEnc->addItems({u"自動"_s, u"Shift-JIS"_s, u"UTF-8"_s});
    if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout())) {
        const int nRow = grid->rowCount();
        grid->addWidget(new QLabel(u"文字コード:"_s, &dlg), nRow, 0);
        grid->addWidget(cbEnc, nRow, 1);
    }
    // Cancel leaves everything as it is.
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return;
    constexpr ListEncoding kEnc[] = {ListEncoding::Auto, ListEncoding::Cp932, ListEncoding::Utf8};
    OpenList(dlg.selectedFiles().first(), kEnc[qBound(0, cbEnc->currentIndex(), 2)]);
}

void MainWindow::ListPages(const QString&) {
    SyncProfiles();
}

void MainWindow::InitTabs() {
    tbFrame->InitTabs();
}

void MainWindow::OpenPage() {
    SyncProfiles();
}

void MainWindow::SyncProfiles() {
    tbFrame->SetProfileList(m_pm.Pages(), m_pm.PageIndex());
    const bool bOn = m_pm.MenusEnabled();
    // "印刷(&P)" and "用紙・配置(&F)" are available from the start; only a profile that
    // fails to load takes them away.
    const bool bTop = bOn || !m_pm.PageOpened();
    mnJb[1]->setEnabled(bTop);
    mnJb[2]->setEnabled(bTop);
    for (int i : {2, 3, 5, 7})
        mnPage[i]->setEnabled(bOn);
    tbFrame->LoadFromModel();
}

void MainWindow::LoadSasi(int nSasi) {
    qint16 n = static_cast<qint16>(nSasi);
    const SasiView view = hoplark::ShowSasi(m_state.UsrFld, n);
    ShowSasi(view, n);
}

void MainWindow::ShowSasi(const SasiView& view, int nSasi) {
    m_nSasi = nSasi;
    tbFrame->ShowSender(view, nSasi);
}

void MainWindow::EditSasi() {
    if (m_state.bBusy)
        return;
    QString sWhy;
    QString sTx = SasiEditText(F_GetTxt(SasiPath(m_state.UsrFld), &sWhy));
    if (!sWhy.isEmpty()) {
        MsgBox(sWhy); // an editor over a file never read would replace it with less
        return;
    }
    bool bUdt = false;
    SasiWindow faSasi(m_state.UsrFld, this);
    faSasi.Act(sTx, bUdt); // the window writes the file itself, and stays open on failure
    m_state.bBusy = true;
    LoadSasi(m_nSasi);
    m_state.bBusy = false;
}

void MainWindow::StoreSamaRules(const QString& sList, const QString& sFlag) {
    Session::StoreSamaRules(m_ini, sList, sFlag);
}

void MainWindow::ShowPreviewImage() {
    ikImg->setImage(m_ik.PreviewImage());
    tbFrame->ShowCaptions();
}

void MainWindow::RefreshPreview() {
    // The preview is a square as wide as the view allows.
    const int nSide = qMax(1, qMin(ikImg->width(), ikImg->height()));
    if (m_ik.PreviewImage().size() != QSize(nSide, nSide))
        m_ik.SetPreviewSize(QSize(nSide, nSide));
    m_state.RefreshPreview();
    ShowPreviewImage();
}

void MainWindow::ShowCurrentAddress() {
    m_state.SelectRow(m_state.adr.nAdrIdx);
    ShowPreviewImage();
}

QList<int> MainWindow::SelectedRows() const {
    QList<int> rows;
    const QModelIndexList selected = LsAdd->selectionModel()->selectedRows();
    for (const QModelIndex& index : selected)
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MainWindow::PrintMenu(int nIdx) {
    RunPrintJob([this, nIdx](const PrintCallbacks& cb) {
        return PrintRows(m_state, nIdx, SelectedRows(), cb);
    });
}

void MainWindow::PrintTestPageMenu() {
    RunPrintJob([this](const PrintCallbacks& cb) { return PrintTestPage(m_state, cb); });
}

void MainWindow::RunPrintJob(const std::function<PrintOutcome(const PrintCallbacks&)>& job) {
    // The progress dialog appears only once the job has its printer: every question of the
    // job (the printer dialog, where the pages go) is answered before it.
    std::unique_ptr<QProgressDialog> progress;
    PrintCallbacks cb;
    cb.busy = [this](bool bBusy) {
        mnJb[0]->setEnabled(!bBusy);
        mnJb[1]->setEnabled(!bBusy);
        if (bBusy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    };
    cb.started = [this, &progress](int nTotal) {
        progress =
            std::make_unique<QProgressDialog>(u"印刷中"_s, u"中止"_s, 0, qMax(1, nTotal), this);
        progress->setWindowTitle(u"宛名印刷"_s);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
    };
    cb.progress = [&progress](int nDone, int nTotal) {
        if (!progress)
            return true;
        progress->setValue(nDone);
        progress->setLabelText(u"%1 / %2"_s.arg(nDone).arg(nTotal));
        // The window stays alive; while the job runs it repaints from the last preview image
        // and ignores input (the session is busy), only 中止 is heard.
        QCoreApplication::processEvents();
        return !progress->wasCanceled();
    };
    const PrintOutcome outcome = job(cb);
    progress.reset();
    if (!outcome.sMsg.isEmpty())
        MsgBox(outcome.sMsg);
}

void MainWindow::PageMenu(int nIdx) {
    m_pm.mnPage_Click(nIdx);
    SyncProfiles();
}

void MainWindow::DoPrinterSetup() {
    if (PrinterSetup(m_state)) {
        tbFrame->LoadFromModel(); // the new paper name
        ShowPreviewImage();
    }
}

} // namespace hoplark
