#pragma once

#include "addresslist/AddressList.h"
#include "addresslist/SamaRules.h"
#include "compose/ComposeAdr.h"
#include "profile/ProfileManager.h"
#include "profile/ProfileModel.h"
#include "render/Canvas.h"
#include "render/PageLayout.h"
#include "sender/Sasi.h"
#include "session/ColumnStore.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace hoplark {

class Imaging;
class UserEnv;

// The run-time state of the program without widgets: the address list and current row, the
// profile, the senders, the honorific rules and the busy flag, with one load and one close
// sequence. The main window and hoplark-batch both drive one, so the tests drive the same
// code without widgets. The preview's layout lives here; a print job makes its own.
class Session {
public:
    explicit Session(Imaging& ik);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Imaging& ik;    // the preview control / printer (ikImg)
    QString UsrFld; // user data folder, ending in "/"

    AddressList adr;    // colAdr, LsAdd rows, nAdrIdx, bFullLay
    SamaRules sama;     // aSuffix, sDotSama, txSamaE, chSama
    ProfileModel model; // every value of the settings panel
    PageVars page;      // window variables of the loaded profile
    PageLayout lay;     // the preview's geometry, line boxes and drawing flags

    bool bBusy = false; // the program itself is changing controls, or a job runs: handlers
                        // stay quiet
    int nTab = 0;       // selected tab of the settings panel, 0 = "用紙・配置" (guides shown)

    // The sender shown in the main window: 0 postal code, 1-4 address, 5-7 workplace, 8 name.
    std::array<QString, 9> txAdd;
    // Captions of the font labels lbAdd(0..5), as the last preview's composition left them.
    std::array<QString, 6> lbAddCaption;

    ProfileManager& profiles() { return m_pm; }

    // What the window shows between the steps of the load sequence (all may be empty).
    struct LoadHooks {
        std::function<void()> listed; // the profile list is filled
        std::function<void()> tabs;   // the panel may be set up, before the profile opens
        std::function<void()> opened; // the profile has been opened (or failed to)
        std::function<void(const SasiView&, qint16)> sender; // sender n is current
    };
    // The load sequence, with bBusy raised: the honorific rules of the environment group
    // "印刷", the profile list, the profile sProfile (a null string: the one the group
    // remembers, else the first listed) and sender nSender. Empty on success, else the
    // message of a profile that could not be loaded. The preview is not drawn.
    QString Load(UserEnv& env, const QString& sProfile, qint16 nSender,
                 const LoadHooks& hooks = {});
    // The close sequence: the selected profile sYoshi and the honorific rules go into the
    // environment group "印刷" (the caller writes the file).
    void StorePreferences(UserEnv& env, const QString& sYoshi);
    // The honorific rules in their stored forms into the group "印刷" (with the profile
    // sYoshi when given).
    static void StoreSamaRules(UserEnv& env, const QString& sList, const QString& sFlag,
                               const QString* sYoshi = nullptr);

    // Loads the address list sCm names; a list filled to the end selects the line-break
    // option of its layout.
    // A list that yields nothing, or no text, is refused: adr.sLoadMsg says why, and says
    // which lines a fill left out.
    AddressList::Outcome LoadList(const QString& sCm, ListEncoding enc = ListEncoding::Auto,
                                  const ColumnMap& map = {});
    QString sListFile; // the file the list was last filled from

    // Loads the list sPath with its columns chosen by its header (see LoadByHeader).
    AddressList::Outcome LoadListByHeader(UserEnv& env, const QString& sPath, ListEncoding enc,
                                          const AskColumns& ask = {});

    // A message when output to sPath would destroy a file the program reads (the list, a
    // profile's files, the sender file, "User.xml"), else empty. Links and other names of one
    // file count as that file.
    QString RefuseOutput(const QString& sPath) const;

    // The canvas of the preview: its layout, the selected tab, pitches at 96 dpi.
    Canvas PreviewCanvas();
    // The record of list row nRow with the current sender.
    ComposeInput Record(int nRow);

    // The full redraw: blank preview, layout, paper and the current record. A run-time error
    // of the layout arithmetic (an overflow from absurd settings) stops the drawing where it
    // is; the message is returned (empty when all went well). Nothing while a job runs.
    QString RefreshPreview();
    // A click on list row nRow: only the record is redrawn unless an extra line or the
    // guides are involved, then the whole preview. Nothing happens while bBusy is raised.
    QString SelectRow(int nRow);

private:
    void TakeResult(const ComposeResult& r);

    bool m_bJob = false; // a print job runs: the preview keeps its last image
    ProfileManager m_pm;

    friend class BusySession;
};

// Raises bBusy for its lifetime and marks a print job running; restores both after.
class BusySession {
public:
    explicit BusySession(Session& s) : m_s(s), m_bWasBusy(s.bBusy), m_bWasJob(s.m_bJob) {
        s.bBusy = true;
        s.m_bJob = true;
    }
    ~BusySession() {
        m_s.bBusy = m_bWasBusy;
        m_s.m_bJob = m_bWasJob;
    }
    BusySession(const BusySession&) = delete;
    BusySession& operator=(const BusySession&) = delete;

private:
    Session& m_s;
    bool m_bWasBusy, m_bWasJob;
};

} // namespace hoplark
