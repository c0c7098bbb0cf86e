#pragma once

#include "render/MainState.h"
#include "render/imaging/TraceImaging.h"

#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QListView;
class QTabWidget;

namespace hoplark {

class AddressListModel;
class PreviewView;
class YIni;

// The main window (faMain, "宛名印刷"): the address list, the preview, the settings tabs
// and the menus. It owns the run-time state; closing it, whichever way, stores the
// environment group "印刷" and ends the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(YIni& ini, int nScrDpi, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up's entry: Open, then the window runs until it is closed. Returns the exit status.
    int Act(const QString& sCm);
    // The load sequence, then the address list sCm names (when not empty), then the window
    // is shown.
    void Open(const QString& sCm);

    MainState& state() { return m_state; }
    YIni& ini() { return m_ini; }

    // Menus by index, as the captions table numbers them; separators are items too.
    std::array<QAction*, 6> mnJb{};   // top level; index 3 is not used
    std::array<QAction*, 1> mnFile{}; // "開く(&O)"
    QAction* mnExit = nullptr;        // "終了(&X)"
    std::array<QAction*, 5> mnPrint{};
    std::array<QAction*, 8> mnPage{};

    QListView* LsAdd = nullptr;
    AddressListModel* adrModel = nullptr;
    PreviewView* ikImg = nullptr;
    QComboBox* cbYoshi = nullptr;      // profile selector; filled by ListPages
    QTabWidget* tbFrame = nullptr;     // the settings panel's tab strip
    std::array<QWidget*, 4> FramePg{}; // its pages: 用紙・配置, 宛先・差出, 宛名, 設定

    // "開く(&O)": asks for an address list and loads it.
    void OpenListDialog();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Calls into the parts that later work provides. Each does nothing until then.
    virtual void ListPages(const QString& sYoshi); // fill cbYoshi, select sYoshi
    virtual void InitTabs();                       // place the parts, set up the panel
    virtual void OpenPage();                       // load the profile cbYoshi selects
    virtual void ShowSasi(int nSasi);              // show sender nSasi
    virtual void RefreshPreview();                 // the one full redraw of the preview
    virtual void ShowCurrentAddress();             // a list row was chosen
    virtual void PrintMenu(int nIdx);              // mnPrint(nIdx)
    virtual void PageMenu(int nIdx);               // mnPage(nIdx)

private:
    void BuildMenus();
    void BuildParts();
    void LoadSequence();
    void LoadAdrList(const QString& sCm);
    void CloseSequence();
    void PaintPreview();
    void LsAdd_Click(int nRow);
    void mnPrint_Open();

    YIni& m_ini;
    // The drawing object until the preview's imaging implementation is wired in: records
    // every call and draws nothing.
    TraceImaging m_ik;
    MainState m_state;
    bool m_bClosed = false;
};

} // namespace hoplark
