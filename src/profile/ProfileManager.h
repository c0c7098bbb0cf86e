#pragma once

#include "profile/PageFile.h"
#include "profile/ProfileModel.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace hoplark {

class Imaging;

// The profile list (cbYoshi) and the menu "用紙・配置(&F)": listing, opening, saving,
// renaming and deleting the named profiles in UsrFld "Paper/". Holds the list's entries and
// index; the window shows them (with its signals blocked) and reports a user's pick through
// SelectPage. Messages are shown through MsgBox and also returned.
class ProfileManager {
public:
    // The input box: prompt, title, proposed answer; nothing when cancelled.
    using InputBox = std::function<std::optional<QString>(
        const QString& prompt, const QString& title, const QString& proposed)>;

    ProfileManager(ProfileModel& model, PageVars& page, Imaging& ik, const QString& UsrFld,
                   bool& bBusy);

    // Hooks for the window: the preview redraw after a successful open, the printer set-up
    // behind "ﾌﾟﾘﾝﾀ設定", and a note that list entries, index or menu enabling changed.
    std::function<void()> RefreshPreview;
    std::function<void()> PrinterSetup;
    std::function<void()> ListChanged;
    InputBox InputBoxHook;

    // The list cbYoshi.
    const QStringList& Pages() const { return m_pages; }
    int PageIndex() const { return m_index; }
    QString ListText() const;
    // A pick in the list (its click handler): selects and opens unless bBusy is raised.
    void SelectPage(int nIndex);

    // Rebuilds the list from "*.ik7" in the "Paper" folder ("Wrk" and "Print" left out) and
    // selects sSel, or the first entry; selecting opens the profile unless bBusy is raised.
    // A missing folder is created and the list is left as it was.
    void ListPages(const QString& sSel);

    // Loads the selected profile. Empty on success; else the message, which has been shown,
    // and the list's selection is cleared.
    QString OpenPage();

    // Enabled state of "印刷(&P)", "用紙・配置(&F)" and the items "上書保存", "名前を変更",
    // "名前を付けて保存", "現在の登録を削除": the result of the last OpenPage.
    bool MenusEnabled() const { return m_bMenus; }
    // Whether OpenPage has run at all: before it, the menus keep their start state.
    bool PageOpened() const { return m_bOpened; }

    // 0 "上書保存", 1 "名前を変更", 2 "名前を付けて保存". Empty when saved or cancelled,
    // else the message shown; on failure nothing on disk has changed.
    QString SavePageAs(int nMode);

    // Deletes the three files of a profile; failures are passed over.
    void DelPage(const QString& sName);

    // The menu array mnPage: item index as in MenuCaptions().
    void mnPage_Click(int nIndex);
    static const QStringList& MenuCaptions();
    static const QString kMenuTitle; // "用紙・配置(&F)"

    // A profile name that cannot be a file name: empty, ".", "..", or holding "/" or NUL.
    static bool ValidPageName(const QString& sName);

    PageFile& File() { return m_file; }

private:
    QString ProposedName(int nMode) const;
    QString WriteUnderNewName(const QString& sName);
    void NotifyList() const;

    PageVars& m_page;
    const QString& m_usrFld;
    bool& m_bBusy;
    PageFile m_file;
    QStringList m_pages;
    int m_index = -1;
    bool m_bMenus = false;
    bool m_bOpened = false;
};

} // namespace hoplark
