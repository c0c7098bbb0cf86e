#include "platform/TextFile.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace hoplark {

QByteArray ReadBinaryFile(const QString& path, bool* ok) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    QByteArray bytes = f.readAll();
    if (ok)
        *ok = f.error() == QFileDevice::NoError;
    return bytes;
}

QString ReadTextFile(const QString& path, bool* ok) {
    return DecodeCp932(ReadBinaryFile(path, ok));
}

QString WriteBinaryFile(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return u"ファイル %1 に書き込めません"_s.arg(path) + QChar(13) + f.errorString();
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        return u"ファイル %1 に書き込めません"_s.arg(path) + QChar(13) + reason;
    }
    return {};
}

QString WriteTextFile(const QString& path, const QString& text) {
    const Cp932Encoded enc = EncodeCp932(text);
    if (!enc.ok())
        return u"ファイル %1 に書き込めません"_s.arg(path) + QChar(13) +
               u"保存できない文字があります: %1"_s.arg(enc.unmappable);
    return WriteBinaryFile(path, enc.bytes);
}

} // namespace hoplark
