#pragma once

#include <QByteArray>
#include <QString>

namespace hoplark {

// Whole-file text in code page 932. Line ends pass through untouched (CR LF stays CR LF).

// The largest file the readers take: no settings file or list of ours comes near it, and a
// link to /dev/zero or a runaway file must not eat the memory.
inline constexpr qint64 kMaxReadSize = 64 * 1024 * 1024;

// The whole text; ok (when given) is false when the file is missing, unreadable, not a
// regular file (a FIFO would block, a device never end) or larger than kMaxReadSize. pWhy
// (when given) then says why, naming the file; it stays empty for a file that is not there.
QString ReadTextFile(const QString& path, bool* ok = nullptr, QString* pWhy = nullptr);

// Writes through OutputFile: the old file stays as it was unless every byte reached the disk.
// Returns an empty string on success, else a message naming the file. Text that code page
// 932 cannot hold is refused before anything is written, and the message names those
// characters.
QString WriteTextFile(const QString& path, const QString& text);

// The raw-bytes forms of the two above.
QByteArray ReadBinaryFile(const QString& path, bool* ok = nullptr, QString* pWhy = nullptr);
QString WriteBinaryFile(const QString& path, const QByteArray& bytes);

} // namespace hoplark
