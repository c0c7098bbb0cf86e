// hoplark-mkpaper DIR: writes the starter profiles (".ini", ".ik7", ".ik7.prnTxt") into DIR.
// The shipped copies in data/paper/ are made with it; a test checks they never drift.

#include "profile/StarterProfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: hoplark-mkpaper DIR\n";
        return 2;
    }
    const QString sDir = QDir(args.at(1)).absolutePath();
    if (!QDir().mkpath(sDir)) {
        err << "cannot create " << sDir << "\n";
        return 1;
    }
    const QString sMsg = hoplark::WriteStarterProfiles(sDir);
    if (!sMsg.isEmpty()) {
        err << sMsg << "\n";
        return 1;
    }
    return 0;
}
