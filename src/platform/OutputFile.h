#pragma once

#include <QFile>
#include <QString>

namespace hoplark {

// A file written whole or not at all: the bytes go to a temporary file beside the final one
// (beside a link's target), which replaces the final name only when every byte is on disk.
// A failed, abandoned or interrupted write leaves the old file as it was.
//
//   OutputFile out(sPath);
//   if (QString sMsg = out.Open(); !sMsg.isEmpty()) return sMsg;
//   out.device().write(...);           // or let another writer fill out.TempPath()
//   return out.Commit();
class OutputFile {
public:
    explicit OutputFile(const QString& sPath);
    ~OutputFile(); // removes the temporary file unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file, open for writing. Refuses a final name that exists and is
    // not a regular file (a device, a FIFO, a folder): a rename must never replace those.
    // Empty on success, else a message naming the file.
    QString Open();
    QFile& device() { return m_file; }
    QString TempPath() const { return m_sTemp; }
    // The name the file will have: the given one, or the target of a link.
    QString FinalPath() const { return m_sFinal; }

    // Flushes and syncs the temporary file (closing it, if still open) and renames it over the
    // final name. Empty on success; else a message naming the file, and the old file stays.
    QString Commit();
    // Drops the temporary file; the old file stays.
    void Discard();

private:
    QString Failed(const QString& sReason) const;

    QString m_sGiven;
    QString m_sFinal;
    QString m_sTemp;
    QFile m_file;
    bool m_bCommitted = false;
};

// The message of a file that could not be written: its name, then why.
QString CannotWrite(const QString& sPath, const QString& sReason);

// The canonical form of a path for comparing files: links and "." / ".." resolved (for a
// missing file, those of its folder). Two names of one file compare equal.
QString SameFileKey(const QString& sPath);

} // namespace hoplark
