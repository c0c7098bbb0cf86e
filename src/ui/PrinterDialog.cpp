#include "ui/PrinterDialog.h"

#include "imaging/Imaging.h"
#include "imaging/PrinterHooks.h"

#include <QApplication>
#include <QPrintDialog>

namespace hoplark {

void InstallPrinterDialog() {
    SetPrinterDialogHook([](QPrinter& printer, int nFlags, bool bHideFile) {
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        dialog.setOption(QAbstractPrintDialog::PrintSelection, !(nFlags & PD_NOSELECTION));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, !(nFlags & PD_NOPAGENUMS));
        dialog.setOption(QAbstractPrintDialog::PrintToFile, !bHideFile);
        return dialog.exec() == QDialog::Accepted;
    });
}

} // namespace hoplark
