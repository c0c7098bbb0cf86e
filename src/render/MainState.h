#pragma once

#include "addresslist/AddressList.h"
#include "addresslist/SamaRules.h"
#include "profile/ProfileModel.h"

#include <QString>

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

    bool bBusy = false;   // the program itself is changing controls: handlers stay quiet
};

} // namespace hoplark
