#include "startup/AppName.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

QString AppNameOf(const QString& sProgramFile) {
    QString sName = QFileInfo(sProgramFile).fileName();
    const qsizetype nDot = sName.lastIndexOf(QChar(u'.'));
    if (nDot > 0)
        sName.truncate(nDot);
    if (sName.endsWith(u"_dv"_s, Qt::CaseInsensitive))
        sName.chop(3);
    return sName;
}

} // namespace hoplark
