#include "batch/BatchSession.h"

#include "environment/UserEnv.h"
#include "platform/OutputFile.h"
#include "startup/StartUp.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

BatchArgs ParseBatchArgs(const QStringList& args, const QStringList& valueOptions,
                         const QStringList& flagOptions) {
    // Options naming a file or folder: an empty name would quietly mean another one.
    static const QStringList kNamesAFile{u"--data"_s,  u"--pdf"_s,     u"--png"_s,
                                         u"--trace"_s, u"--printer"_s, u"--profile"_s};
    BatchArgs a;
    bool bOptions = true;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!bOptions || !arg.startsWith(u"--"_s)) {
            a.plain << arg;
        } else if (arg == u"--"_s) {
            bOptions = false;
        } else if (valueOptions.contains(arg) || arg == u"--data"_s) {
            // The next argument is the value, whatever it looks like.
            if (i + 1 >= args.size())
                a.sError = arg + u" needs a value"_s;
            else if (a.values.contains(arg))
                a.sError = arg + u" given twice"_s;
            else if (args.at(i + 1).isEmpty() && kNamesAFile.contains(arg))
                a.sError = arg + u" needs a name"_s;
            else
                a.values.insert(arg, args.at(++i));
        } else if (flagOptions.contains(arg)) {
            if (a.flags.contains(arg))
                a.sError = arg + u" given twice"_s;
            a.flags << arg;
        } else {
            a.sError = u"unknown option "_s + arg;
        }
        if (!a.sError.isEmpty())
            break;
    }
    return a;
}

QString SessionRequestFrom(const BatchArgs& a, SessionRequest& req) {
    if (!a.has(u"--profile"_s) || a.value(u"--profile"_s).isEmpty())
        return u"--profile NAME is required"_s;
    if (a.plain.size() != 1)
        return u"one address list is required"_s;
    req.sProfile = a.value(u"--profile"_s);
    if (QString sWrong = ListRequestFrom(a, req); !sWrong.isEmpty())
        return sWrong;
    if (a.has(u"--sender"_s)) {
        bool bOk = false;
        const int n = a.value(u"--sender"_s).toInt(&bOk);
        if (!bOk || n < 0 || n > 32767)
            return u"--sender needs a number from 0"_s;
        req.nSender = static_cast<qint16>(n);
    }
    return {};
}

QString ListRequestFrom(const BatchArgs& a, SessionRequest& req) {
    req.sCodes = a.value(u"--codes"_s);
    req.sList = a.plain.value(0);
    if (a.has(u"--encoding"_s) && !ParseListEncoding(a.value(u"--encoding"_s), req.enc))
        return u"--encoding takes auto, cp932 or utf-8"_s;
    if (a.has(u"--columns"_s)) {
        if (a.value(u"--columns"_s) != u"auto"_s)
            return u"--columns takes auto"_s;
        if (a.has(u"--codes"_s))
            return u"give either --codes or --columns auto"_s;
        req.bColumnsAuto = true;
    }
    // A vCard file has no codes of its own: its columns are those it is read into.
    if (!a.has(u"--codes"_s) && req.sList.endsWith(u".vcf"_s, Qt::CaseInsensitive))
        req.bColumnsAuto = true;
    return {};
}

QString OneLine(QString sMsg) {
    sMsg.replace(u"\r\n"_s, u" "_s);
    sMsg.replace(u'\r', u' ');
    sMsg.replace(u'\n', u' ');
    return sMsg.trimmed();
}

BatchImaging::BatchImaging(int nPx) : m_painter(QSize(nPx, nPx), 96) {}
BatchImaging::~BatchImaging() = default;

QString BatchImaging::TraceTo(const QString& sPath) {
    m_traceFile = std::make_unique<OutputFile>(sPath);
    if (QString sMsg = m_traceFile->Open(); !sMsg.isEmpty())
        return OneLine(sMsg);
    m_trace = std::make_unique<TraceImaging>(&m_painter);
    return {};
}

void BatchImaging::StartTrace() {
    if (m_trace) {
        m_trace->clear();
        m_trace->setDevice(&m_traceFile->device());
    }
}

QString BatchImaging::FinishTrace() {
    if (!m_trace)
        return {};
    m_trace->setDevice(nullptr);
    return OneLine(m_traceFile->Commit());
}

BatchSession::BatchSession(Imaging& ik) : m_st(ik) {}
BatchSession::~BatchSession() = default;

QString BatchSession::Open(const QString& sDataDir, const SessionRequest& req) {
    Session& st = m_st;
    QString sMsg = PrepareUserFolder(ProgramFolder(), u"hoplark"_s, sDataDir, st.UsrFld);
    if (!sMsg.isEmpty())
        return OneLine(sMsg);

    UserEnv env;
    ReadUserEnv(env, st.UsrFld);
    sMsg = st.Load(env, req.sProfile, req.nSender);
    if (!sMsg.isEmpty())
        return OneLine(u"profile "_s + req.sProfile + u": "_s + sMsg);

    if (req.bNoList)
        return {};
    if (!QFileInfo(req.sList).isFile())
        return u"address list not found: "_s + req.sList;
    // An absolute path: a relative one whose first word held no "\" could be taken for codes.
    const QString sPath = QFileInfo(req.sList).absoluteFilePath();
    const AddressList::Outcome outcome =
        req.bColumnsAuto
            ? st.LoadListByHeader(env, sPath, req.enc)
            : st.LoadList(req.sCodes.isEmpty() ? sPath : req.sCodes + u' ' + sPath, req.enc);
    if (outcome == AddressList::Outcome::Filled) {
        m_sWarning = OneLine(st.adr.sLoadMsg);
        return {};
    }
    // A list that yields nothing is no job: the command fails instead of printing 0 pages.
    return st.adr.sLoadMsg.isEmpty() ? u"no records read from "_s + req.sList
                                     : OneLine(st.adr.sLoadMsg);
}

} // namespace hoplark
