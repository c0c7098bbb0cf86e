#pragma once

#include "environment/UserEnv.h"

#include <QString>
#include <QUrl>

#include <functional>

namespace hoplark {

// The shared object of the program's services: the user environment (UserEnv), the program
// name and user data folder that start-up fixed, and the help page. Start-up owns the one
// instance; the main window is given it.
class YIni : public UserEnv {
public:
    QString AppNm;  // program name
    QString UsrFld; // user data folder, ending in "/"

    // Opens help page sJob in the browser: writes the link file UsrFld + AppNm + "_help.lnk"
    // (a freedesktop link entry, replaced on every call) and hands its address to the help
    // opener. Any failure ends the call silently.
    void W_Help(const QString& sJob) const;
};

// Where the help pages are: the folder share/hoplark/help beside the program's bin/ (the build
// and an installation alike), as a file address ending in "/".
QString HelpBase();

// The address of help page sJob: the base address and sJob in lower case, with ".htm" when
// it holds no ".".
QString HelpAddress(const QString& sJob);

// Opens an address in the user's browser. The default starts xdg-open; the window program
// sets the desktop's own handler, tests a recorder. nullptr restores the default.
using HelpOpener = std::function<void(const QUrl&)>;
void SetHelpOpener(HelpOpener opener);

} // namespace hoplark
