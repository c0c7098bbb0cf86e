#pragma once

#include "addresslist/AddressList.h"
#include "addresslist/SamaRules.h"
#include "profile/ProfileModel.h"
#include "render/PageLayout.h"

#include <QString>

#include <array>

namespace hoplark {

class Imaging;

// The run-time state of the main window, without widgets, so that the window program,
// hoplark-batch and the tests drive the same code. The main window owns one; the settings
// panel and the list view are views of it.
class MainState {
public:
    explicit MainState(Imaging& ik) : ik(ik) {}
    MainState(const MainState&) = delete;
    MainState& operator=(const MainState&) = delete;

    Imaging& ik;          // the preview control / printer (ikImg)
    QString UsrFld;       // user data folder, ending in "/"
    int ScrDpi = 96;      // screen logical dots per inch

    AddressList adr;      // colAdr, LsAdd rows, nAdrIdx, bFullLay
    SamaRules sama;       // aSuffix, sDotSama, txSamaE, chSama
    ProfileModel model;   // every value of the settings panel
    PageVars page;        // window variables of the loaded profile
    PageLayout lay;       // page geometry, line boxes and drawing flags

    bool bBusy = false;   // the program itself is changing controls: handlers stay quiet
    int nTab = 0;         // selected tab of the settings panel, 0 = "用紙・配置" (guides shown)

    // The sender shown in the main window: 0 postal code, 1-4 address, 5-7 workplace, 8 name.
    std::array<QString, 9> txAdd;
    // Captions of the font labels lbAdd(0..5): samples of the current record that the
    // settings panel shows (zip, first address line, last title, name, sender zip, first
    // sender line). Written by the composition.
    std::array<QString, 6> lbAddCaption;

    // What the fitting of the last composition asked for: one more address / name line.
    bool bFitAdr = false, bFitName = false;

    // The full redraw: blank preview, layout, paper and the current record. A run-time error
    // of the layout arithmetic (an overflow from absurd settings) stops the drawing where it
    // is; the message is returned (empty when all went well).
    QString RefreshPreview();
    // A click on list row nRow: only the record is redrawn unless an extra line or the
    // guides are involved, then the whole preview. Nothing happens while bBusy is raised.
    QString SelectRow(int nRow);

private:
    void DrawWithExtraLines();
};

} // namespace hoplark
