#include "imaging/PrinterHooks.h"

#include <QPrinterInfo>

namespace hoplark {

namespace {

PrinterDialogHook& DialogHook() {
    static PrinterDialogHook hook;
    return hook;
}

PrinterLookup& Lookup() {
    static PrinterLookup lookup;
    return lookup;
}

} // namespace

void SetPrinterDialogHook(PrinterDialogHook hook) {
    DialogHook() = std::move(hook);
}

bool RunPrinterDialog(QPrinter& printer, int nFlags, bool bHideFile) {
    return DialogHook() && DialogHook()(printer, nFlags, bHideFile);
}

void SetPrinterLookup(PrinterLookup lookup) {
    Lookup() = std::move(lookup);
}

InstalledPrinters LookUpPrinters() {
    if (Lookup())
        return Lookup()();
    return {QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName()};
}

} // namespace hoplark
