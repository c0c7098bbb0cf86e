#pragma once

#include <QString>
#include <QStringList>

namespace hoplark::test {

// Points HOME and the XDG folders at a fresh temporary tree for the whole process.
void IsolateHome();

// The temporary home made by IsolateHome.
QString TestHome();

// A fresh empty folder under the temporary home, ending without "/".
QString NewTempDir();

// Messages shown through MsgBox while an instance lives are collected instead of shown.
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;
    const QStringList& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

private:
    QStringList m_messages;
};

// Bytes of a file, or an empty array when it is missing.
QByteArray ReadBytes(const QString& path);
// Writes bytes, creating parent folders.
void WriteBytes(const QString& path, const QByteArray& bytes);
// A new file in a new temporary folder holding lines as a list is stored (code page 932,
// CR LF after every line); returns its path.
QString WriteListFile(const QStringList& lines);

} // namespace hoplark::test
