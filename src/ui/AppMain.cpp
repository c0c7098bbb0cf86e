#include "ui/AppMain.h"

#include "platform/MsgBox.h"
#include "startup/AppName.h"
#include "startup/StartUp.h"
#include "startup/YIni.h"
#include "ui/MainWindow.h"
#include "ui/PrinterDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QScreen>

#include <cmath>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// OK only, no icon, titled "Hoplark"; a CR breaks the line. The pointer is the arrow while
// the box is up, even under start-up's hourglass.
void ShowMessageBox(const QString& text) {
    QString sText = text;
    sText.replace(QChar(13), QChar(10));
    QMessageBox box(QMessageBox::NoIcon, u"Hoplark"_s, sText, QMessageBox::Ok,
                    QApplication::activeWindow());
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QGuiApplication::restoreOverrideCursor();
}

} // namespace

void W_FrmTop(QWidget* form) {
    form->raise();
    form->activateWindow();
}

int GetScrDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchX())) : 96;
}

int AppMain(int argc, char** argv) {
    QApplication app(argc, argv);
    YIni ini;
    const QString sAppNm = AppNameOf(QCoreApplication::applicationFilePath());
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const int nScrDpi = GetScrDpi();
    SetMsgBoxHandler(ShowMessageBox);
    InstallPrinterDialog();
    SetHelpOpener([](const QUrl& url) { QDesktopServices::openUrl(url); });

    const QString sMsg = StartUpCore(ini, ProgramFolder(), sAppNm);
    if (!sMsg.isEmpty()) {
        // Without its folder the program could keep nothing: say which, and stop.
        QGuiApplication::restoreOverrideCursor();
        MsgBox(sMsg);
        return 1;
    }
    MainWindow faMain(ini, nScrDpi);
    return faMain.Act(CommandLine(app.arguments().mid(1)));
}

} // namespace hoplark
