#pragma once

#include "profile/ProfileModel.h"
#include "tagfile/AtIni.h"

#include <QString>

namespace hoplark {

class Imaging;

// The layout profile file: SavePage writes UsrFld "Paper/" sPage ".ini" from the model and
// the window variables; LoadPage makes a profile current (hands its ".ik7" to the imaging
// layer, reads its ".ini" into the model and settles the paper).
class PageFile {
public:
    PageFile(ProfileModel& model, PageVars& page, Imaging& ik, const QString& UsrFld, bool& bBusy);

    // Empty on success, else a message naming the ".ini"; a failed write leaves the file on
    // disk as it was. Raises bBusy for its duration and lowers it at the end.
    QString SavePage();
    // Empty on success, else the message to show.
    QString LoadPage(const QString& sName);
    // Writing direction; the panel shows the margin frame of page.bVertical.
    void SetMjhk(bool bV);

    // Builds the ".ini" text of the current values in oPage (what SavePage writes).
    void BuildPage();

    // UsrFld "Paper/" sName: the profile's files are this & ".ini", ".ik7", ".ik7.prnTxt".
    QString PageBase(const QString& sName) const;

    // Effects of the sender switch on the model: bSender follows ckSashi, and the sender font
    // labels turn black (on) or grey (off). The window derives enabling and visibility of the
    // sender controls from bSender.
    static void ApplySenderSwitch(ProfileModel& model, PageVars& page);

    AtIni& oPage() { return m_oPage; }

    static const QString kNoSettings; // "頁設定ﾌｧｲﾙから設定値を読み込めません"

private:
    void ReadPaperBlock(const QString& sName);
    void ReadLayoutBlocks();
    void ReadFormatBlock();
    bool SettlePaper();

    ProfileModel& m_model;
    PageVars& m_page;
    Imaging& m_ik;
    const QString& m_usrFld;
    bool& m_bBusy;
    AtIni m_oPage;
};

} // namespace hoplark
