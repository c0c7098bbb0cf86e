#include "platform/TextFile.h"

#include "platform/Cp932.h"
#include "platform/OutputFile.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

QByteArray ReadBinaryFile(const QString& path, bool* ok, QString* pWhy) {
    const auto fail = [&](const QString& sWhy) {
        if (ok)
            *ok = false;
        if (pWhy)
            *pWhy = sWhy.isEmpty() ? sWhy
                                   : u"ファイル %1 を読み込めません"_s.arg(path) + QChar(13) + sWhy;
        return QByteArray();
    };
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists())
        return fail({});
    if (!fi.isFile())
        return fail(u"通常のファイルではありません"_s);
    if (fi.size() > kMaxReadSize)
        return fail(u"ファイルが大きすぎます (64 MiB まで)"_s);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(f.errorString());
    // Read in pieces up to the limit: the size may have changed since it was looked at, and
    // asking for the whole limit at once would reserve 64 MiB for every small file.
    QByteArray bytes;
    bytes.reserve(fi.size());
    while (bytes.size() <= kMaxReadSize) {
        const QByteArray chunk = f.read(1 << 20);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (f.error() != QFileDevice::NoError)
        return fail(f.errorString());
    if (bytes.size() > kMaxReadSize)
        return fail(u"ファイルが大きすぎます (64 MiB まで)"_s);
    if (ok)
        *ok = true;
    if (pWhy)
        pWhy->clear();
    return bytes;
}

QString ReadTextFile(const QString& path, bool* ok, QString* pWhy) {
    return DecodeCp932(ReadBinaryFile(path, ok, pWhy));
}

QString WriteBinaryFile(const QString& path, const QByteArray& bytes) {
    OutputFile out(path);
    if (QString sMsg = out.Open(); !sMsg.isEmpty())
        return sMsg;
    out.device().write(bytes); // a failure is kept by the file and reported by Commit
    return out.Commit();
}

QString WriteTextFile(const QString& path, const QString& text) {
    const Cp932Encoded enc = EncodeCp932(text);
    if (!enc.ok())
        return CannotWrite(path, u"保存できない文字があります: %1"_s.arg(enc.unmappable));
    return WriteBinaryFile(path, enc.bytes);
}

} // namespace hoplark
