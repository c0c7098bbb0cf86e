#include "batch/BatchMain.h"

#include <QCoreApplication>

namespace hoplark {

int BatchMain(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return 0;
}

} // namespace hoplark
