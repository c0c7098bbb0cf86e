#pragma once

#include "imaging/PainterImaging.h"
#include "imaging/TraceImaging.h"
#include "profile/ProfileManager.h"
#include "session/PrintRows.h"
#include "session/Session.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QIODevice;
class QComboBox;
class QListView;
class QTabWidget;

namespace hoplark {

class AddressListModel;
class PreviewView;
class SettingsPanel;
class YIni;

// The main window (faMain, "宛名印刷"): the address list, the preview, the settings tabs
// and the menus. It owns the run-time state; closing it, whichever way, stores the
// environment group "印刷" and ends the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // nScrDpi sizes the window; pages are laid out at 96 dpi whatever the screen. With
    // pTrace, every drawing call (preview and printer) is also written there as JSON lines.
    MainWindow(YIni& ini, int nScrDpi, QWidget* parent = nullptr, QIODevice* pTrace = nullptr);
    ~MainWindow() override;

    // Start-up's entry: Open, then the window runs until it is closed. Returns the exit status.
    int Act(const QString& sCm);
    // The load sequence, then the address list sCm names (when not empty), then the window
    // is shown.
    void Open(const QString& sCm);

    Session& state() { return m_state; }
    YIni& ini() { return m_ini; }

    // Menus by index, as the captions table numbers them; separators are items too.
    std::array<QAction*, 6> mnJb{};   // top level; index 3 is not used
    std::array<QAction*, 1> mnFile{}; // "開く(&O)"
    QAction* mnExit = nullptr;        // "終了(&X)"
    std::array<QAction*, 5> mnPrint{};
    QAction* mnTestPage = nullptr; // "位置調整の試し印刷", after the print items
    std::array<QAction*, 8> mnPage{};

    QListView* LsAdd = nullptr;
    AddressListModel* adrModel = nullptr;
    PreviewView* ikImg = nullptr;
    QComboBox* cbYoshi = nullptr;      // profile selector; filled by ListPages
    SettingsPanel* tbFrame = nullptr;  // the settings panel's tab strip
    std::array<QWidget*, 4> FramePg{}; // its pages: 用紙・配置, 宛先・差出, 宛名, 設定
    ProfileManager& profiles() { return m_pm; }

    // "開く(&O)": asks for an address list (and how its text is encoded) and opens it.
    void OpenListDialog();
    // Opens the list sPath as the menu does: its columns matched by its header, else chosen
    // in the column dialog (askColumns); what went wrong or was left out is shown.
    void OpenList(const QString& sPath, ListEncoding enc);
    // The command line's list named without codes: by its header when it is a known one,
    // else as the command line always opened it (sCm), without a question.
    void OpenNamedList(const QString& sCm, const QString& sPath);
    // Asks for the codes of an unknown header; the column dialog unless a test replaces it.
    AskColumns askColumns;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Calls into the parts that later work provides. Each does nothing until then.
    virtual void ListPages(const QString& sYoshi); // show the profile list, sYoshi selected
    virtual void InitTabs();                       // place the parts, set up the panel
    virtual void OpenPage();                       // show the profile the session opened
    virtual void ShowSasi(const SasiView& view, int nSasi); // show sender nSasi, as read
    virtual void RefreshPreview();                          // the one full redraw of the preview
    virtual void ShowCurrentAddress();                      // a list row was chosen
    virtual void PrintMenu(int nIdx);                       // mnPrint(nIdx)
    void PrintTestPageMenu();                               // mnTestPage
    virtual void PageMenu(int nIdx);                        // mnPage(nIdx)

private:
    void BuildMenus();
    void BuildParts();
    void LoadSequence();
    void LoadAdrList(const QString& sCm);
    // Shows what a list load did: the message, the rows, the line-break option, the preview.
    void ShowListLoad(AddressList::Outcome outcome);
    void CloseSequence();
    void PaintPreview();
    void LsAdd_Click(int nRow);
    void mnPrint_Open();
    // Runs a print job with the window's part of it: menus, pointer, progress, message.
    void RunPrintJob(const std::function<PrintOutcome(const PrintCallbacks&)>& job);
    void ShowPreviewImage();
    void SyncProfiles();
    void LoadSasi(int nSasi); // reads sender nSasi and shows it
    void EditSasi();
    void DoPrinterSetup();
    void StoreSamaRules(const QString& sList, const QString& sFlag);
    QList<int> SelectedRows() const;

    YIni& m_ini;
    PainterImaging m_ik; // the preview image and the printer
    std::unique_ptr<TraceImaging> m_trace;
    Session m_state;
    ProfileManager& m_pm;
    int m_nScrDpi;
    int m_nSasi = 0; // the sender shown (hsBar)
    bool m_bClosed = false;
};

} // namespace hoplark
