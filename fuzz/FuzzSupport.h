#pragma once

#include "platform/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace hoplark::fuzz {

// The parsers read from paths, so each input is written to a file first: always the same
// names in one folder per process (under TMPDIR), so nothing piles up however long the run.
inline const QString& Folder() {
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    static const QString path = dir.path() + u'/';
    return path;
}

// Messages about broken files are expected here by the thousand; they would only slow the run.
inline void Quiet() {
    SetMsgBoxHandler([](const QString&) {});
}

// Writes the bytes to the file `name` of the folder (subfolders made as needed), whole.
// Every target writes its input first, so the first write also silences the messages.
inline QString WriteInput(const QString& name, const char* data, size_t size) {
    static const bool bQuiet = (Quiet(), true);
    (void)bQuiet;
    const QString path = Folder() + name;
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
    return path;
}

inline QString WriteInput(const QString& name, const uint8_t* data, size_t size) {
    return WriteInput(name, reinterpret_cast<const char*>(data), size);
}

} // namespace hoplark::fuzz
