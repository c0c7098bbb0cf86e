#include "ui/AppMain.h"

#include <QApplication>

namespace hoplark {

int AppMain(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}

} // namespace hoplark
