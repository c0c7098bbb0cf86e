#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;

namespace hoplark {

// The printer dialog is a widget: the window installs it; without one (hoplark-batch, tests)
// the dialog counts as cancelled. It configures printer and returns true when confirmed.
// nFlags are the PD_ flags of Imaging::DialogFlags; bHideFile: leave out print-to-file.
using PrinterDialogHook = std::function<bool(QPrinter& printer, int nFlags, bool bHideFile)>;
void SetPrinterDialogHook(PrinterDialogHook hook);
bool RunPrinterDialog(QPrinter& printer, int nFlags, bool bHideFile);

// The installed print queues and the default one. The default asks CUPS; tests fake it, since
// other tests add queues in the same parallel run. nullptr restores the default.
struct InstalledPrinters {
    QStringList names;
    QString sDefault;
};
using PrinterLookup = std::function<InstalledPrinters()>;
void SetPrinterLookup(PrinterLookup lookup);
InstalledPrinters LookUpPrinters();

} // namespace hoplark
