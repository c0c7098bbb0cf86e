#include "platform/ShareFolder.h"

#include <QCoreApplication>
#include <QDir>

using namespace Qt::StringLiterals;

namespace hoplark {

QString ShareFolder(const QString& sProgFld) {
    const QString sBin = sProgFld.isEmpty() ? QCoreApplication::applicationDirPath() : sProgFld;
    return QDir::cleanPath(sBin + u"/../share/hoplark"_s) + u'/';
}

} // namespace hoplark
