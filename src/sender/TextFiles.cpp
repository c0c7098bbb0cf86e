#include "sender/TextFiles.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

QString F_GetTxt(const QString& sPath, QString* pWhy) {
    bool bOk = false;
    const QString sText = ReadTextFile(sPath, &bOk, pWhy);
    return bOk ? sText : QString();
}

QString F_PutTxt(const QString& sPath, const QString& sText, bool bAppend) {
    if (!bAppend || !QFileInfo::exists(sPath))
        return WriteTextFile(sPath, sText);
    // Appending rewrites the whole file through the safe writer, keeping the old bytes as
    // they are (even bytes that do not decode).
    bool bOk = false;
    const QByteArray old = ReadBinaryFile(sPath, &bOk);
    if (!bOk)
        return u"ファイル %1 を読み込めません"_s.arg(sPath);
    const Cp932Encoded enc = EncodeCp932(sText);
    if (!enc.ok())
        return WriteTextFile(sPath, sText); // refuses, naming the characters; writes nothing
    return WriteBinaryFile(sPath, old + enc.bytes);
}

} // namespace hoplark
