#pragma once

#include "sender/Sasi.h"
#include "ui/PanelDialogs.h"

#include <QTabWidget>

#include <array>

class QLabel;

namespace hoplark {

class Session;
class PageAddress;
class PageFormats;
class PagePaper;
class PageSama;

// The settings panel: the tab strip with its four pages, a view of the main state's profile
// model. Every change the user makes goes into the model at once and, unless bBusy is raised,
// runs its handler (most ask for a redraw through refreshRequested).
class SettingsPanel : public QTabWidget {
    Q_OBJECT
public:
    explicit SettingsPanel(Session& st, QWidget* parent = nullptr);

    PagePaper* pagePaper;     // FramePg(0) "用紙・配置"
    PageFormats* pageFormats; // FramePg(1) "宛先・差出"
    PageAddress* pageAddress; // FramePg(2) "宛名"
    PageSama* pageSama;       // FramePg(3) "設定"

    // The font and colour dialogs; the standard ones unless a test puts its own in.
    void SetDialogs(PanelDialogs dialogs) { m_dialogs = std::move(dialogs); }

    // Set-up before the first profile is loaded: the first page shown, bSender := true, the
    // honorific rules of the main state shown.
    void InitTabs();
    // Shows every value of the model and of the page variables, with bBusy raised, and
    // applies what the sender switch and the centring switches derive. Does not redraw.
    void LoadFromModel();
    // Shows the honorific rules held by the main state (txSamaE, chSama).
    void ShowSama();
    // Writing direction: bVertical and the margin panel shown in pcPos.
    void SetMjhk(bool bV);
    // After a list fill: selects and enables line-break option i (0 or 1); a change of
    // selection runs its click handler, as a click would.
    void SelectLineBreak(int i);
    // Shows the profile list's entries and selection (-1: none) without signalling.
    void SetProfileList(const QStringList& names, int nIndex);
    // Shows sender n of a ShowSasi result: its nine fields (also into the main state) and the
    // selector's range and value; the selector is switched off when there is no sender.
    // Runs with bBusy raised.
    void ShowSender(const SasiView& view, int n);
    // The captions of the font labels: the samples of the current record that the last
    // composition left in the main state. A label without a sample names its font.
    void ShowCaptions();

signals:
    // Redraw the preview (RefreshPreview).
    void refreshRequested();
    // The user picked entry nIndex of the profile list (also the one already selected).
    void profileActivated(int nIndex);
    // "編集": edit the sender file.
    void senderEditRequested();
    // The sender selector moved to sender n.
    void senderSelected(int n);
    // "更新": store these under "重複敬称" and "敬称SPC".
    void samaRulesTaken(const QString& sList, const QString& sFlag);

private:
    void Connect();
    void ConnectPaper();
    void ConnectFormats();
    void ConnectAddress();
    void Refresh();
    // Handlers.
    void OnMjhk(int i);
    void OnSashi();
    void OnCnter(int i);
    void OnOptAdd(int i);
    void OnCommonFont();
    void OnCommonColor();
    void OnLabelFont(int i);
    void OnNoSama();
    // The effects of the switches, shared by the handlers and LoadFromModel.
    void ApplySashi(bool bLabelColours);
    void ApplyCentring();
    void ShowFonts();
    void SetLineBreakEnabling();
    QWidget* Wrap(QWidget* page);

    Session& st;
    PanelDialogs m_dialogs;
    bool m_bLoading = false; // model → widgets: widget changes are not written back
};

} // namespace hoplark
