#pragma once

#include <QByteArray>
#include <QString>

namespace hoplark {

// Whole-file text in code page 932. Line ends pass through untouched (CR LF stays CR LF).

// The whole text; ok (when given) is false when the file is missing or unreadable.
QString ReadTextFile(const QString& path, bool* ok = nullptr);

// Writes through QSaveFile: a failed write leaves the old file as it was. Returns an empty
// string on success, else a message naming the file. Text that code page 932 cannot hold is
// refused before anything is written, and the message names those characters.
QString WriteTextFile(const QString& path, const QString& text);

// The raw-bytes forms of the two above.
QByteArray ReadBinaryFile(const QString& path, bool* ok = nullptr);
QString WriteBinaryFile(const QString& path, const QByteArray& bytes);

} // namespace hoplark
