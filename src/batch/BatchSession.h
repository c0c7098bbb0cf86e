#pragma once

#include "imaging/PainterImaging.h"
#include "imaging/TraceImaging.h"
#include "session/Session.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

namespace hoplark {

class Imaging;
class OutputFile;

// A command line of "--name VALUE" options, "--flag" switches and plain arguments.
struct BatchArgs {
    QMap<QString, QString> values; // option name (with "--") → value
    QStringList flags;             // switches given
    QStringList plain;             // the other arguments, in order ("--" ends the options)
    QString sError;                // not empty: the command line is wrong (this says why)

    bool has(const QString& name) const { return values.contains(name); }
    QString value(const QString& name) const { return values.value(name); }
};
// Options named in valueOptions, and "--data DIR" (which every command takes), take the next
// argument, whatever it looks like; each option and switch may be given once. An option
// naming a file or folder may not be empty.
BatchArgs ParseBatchArgs(const QStringList& args, const QStringList& valueOptions,
                         const QStringList& flagOptions = {});

// The imaging layer of a drawing command: a preview of nPx x nPx pixels at 96 dpi, traced
// into a JSON-lines file when asked.
class BatchImaging {
public:
    explicit BatchImaging(int nPx);
    ~BatchImaging();
    // Starts the trace file sPath (written beside it until FinishTrace). Empty on success,
    // else the message.
    QString TraceTo(const QString& sPath);
    // From now on every call is written to the trace: the drawing, not the set-up before it.
    void StartTrace();
    // Puts the whole trace in place of sPath; empty on success (or without a trace), else the
    // message. Without it, the old file stays.
    QString FinishTrace();

    PainterImaging& painter() { return m_painter; }
    TraceImaging* trace() { return m_trace.get(); }
    Imaging& ik() { return m_trace ? static_cast<Imaging&>(*m_trace) : m_painter; }

private:
    PainterImaging m_painter;
    std::unique_ptr<OutputFile> m_traceFile;
    std::unique_ptr<TraceImaging> m_trace;
};

// What the drawing commands share: "--profile NAME", "[--codes CODES] LIST", "--sender N".
struct SessionRequest {
    QString sProfile;
    QString sCodes; // empty: the list is loaded without column codes
    QString sList;
    ListEncoding enc = ListEncoding::Auto; // "--encoding"
    bool bColumnsAuto = false;             // "--columns auto": codes from the header
    bool bNoList = false;                  // a command that draws no addresses loads none
    qint16 nSender = 0;                    // 0: the first sender
};

// The session as the window's load sequence leaves it, without a window: the user data
// folder, the honorific rules of "User.xml", the profile, the sender and the address list.
class BatchSession {
public:
    explicit BatchSession(Imaging& ik);
    ~BatchSession();
    BatchSession(const BatchSession&) = delete;
    BatchSession& operator=(const BatchSession&) = delete;

    // sDataDir: the "--data" folder (empty: as the window program finds it). Returns an empty
    // string on success, else a message of one line.
    QString Open(const QString& sDataDir, const SessionRequest& req);

    Session& st() { return m_st; }
    // What the load of the list has to say without failing (lines it left out), one line.
    const QString& warning() const { return m_sWarning; }

private:
    Session m_st;
    QString m_sWarning;
};

// The request of the shared options, or a message saying what is wrong.
QString SessionRequestFrom(const BatchArgs& a, SessionRequest& req);

// The options every command that loads a list takes, besides "--codes".
inline const QStringList kListOptions{QStringLiteral("--encoding"), QStringLiteral("--columns")};

// The list options of a request ("--codes", "--columns", "--encoding" and the list), or a
// message saying what is wrong.
QString ListRequestFrom(const BatchArgs& a, SessionRequest& req);

// A message of one line: CR and LF become blanks.
QString OneLine(QString sMsg);

} // namespace hoplark
