#include "batch/BatchCommand.h"
#include "batch/BatchSession.h"

#include "profile/PrintAdjust.h"
#include "session/PrintRows.h"

#include <QTemporaryDir>

#include <array>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

int PrintUsage(BatchContext& ctx, const QString& sWhy) {
    ctx.err << "hoplark-batch print: " << sWhy << '\n'
            << "usage: hoplark-batch print [--data DIR] --profile NAME "
               "[--codes CODES | --columns auto]\n"
               "         [--encoding auto|cp932|utf-8] LIST\n"
               "         [--rows all|current:N|after:N|select:N,N,...] [--sender N]\n"
               "         (--pdf OUT.pdf | --printer QUEUE) [--trace OUT.jsonl] [--progress]\n"
               "         [--offset X,Y]\n"
               "  rows are counted from 0 in list order; --offset moves the print (mm, + right\n"
               "  and down) instead of the profile's correction\n";
    return 2;
}

int CalibrateUsage(BatchContext& ctx, const QString& sWhy) {
    ctx.err << "hoplark-batch calibrate: " << sWhy << '\n'
            << "usage: hoplark-batch calibrate [--data DIR] --profile NAME\n"
               "         (--pdf OUT.pdf | --printer QUEUE) [--offset X,Y] [--trace OUT.jsonl]\n";
    return 2;
}

// "X,Y" in millimetres, each within ±10.0 with at most one decimal.
std::optional<std::array<int, 2>> ParseOffset(const QString& sOffset) {
    const QStringList parts = sOffset.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<int> x = AdjFromMm(parts[0]);
    const std::optional<int> y = AdjFromMm(parts[1]);
    if (!x || !y)
        return std::nullopt;
    return std::array<int, 2>{*x, *y};
}

struct RowsRequest {
    int nMode = kPrintAll;
    int nAdrIdx = 0;
    QList<int> selected;
};

// "all", "current:N", "after:N" or "select:N,N,..."; false when the text is none of them.
bool ParseRows(const QString& sRows, RowsRequest& r) {
    const auto number = [](const QString& s, int& n) {
        bool bOk = false;
        n = s.toInt(&bOk);
        return bOk && n >= 0;
    };
    if (sRows == u"all"_s) {
        r.nMode = kPrintAll;
        return true;
    }
    const qsizetype nColon = sRows.indexOf(u':');
    if (nColon < 0)
        return false;
    const QString sKind = sRows.left(nColon);
    const QString sArg = sRows.mid(nColon + 1);
    if (sKind == u"current"_s || sKind == u"after"_s) {
        r.nMode = sKind == u"current"_s ? kPrintCurrent : kPrintAfter;
        return number(sArg, r.nAdrIdx);
    }
    if (sKind == u"select"_s) {
        r.nMode = kPrintSelected;
        if (sArg.isEmpty())
            return true; // nothing selected: an empty job
        for (const QString& s : sArg.split(u',')) {
            int n = 0;
            if (!number(s, n))
                return false;
            r.selected << n;
        }
        return true;
    }
    return false;
}

// Sends the job to the CUPS queue sQueue: the profile's settings with that printer named,
// loaded from a copy in sDir.
QString UseQueue(PainterImaging& pik, const QString& sQueue, const QString& sDir) {
    std::optional<PrinterSettings> s = pik.CurrentPrinterSettings();
    if (!s)
        return u"the profile has no usable printer settings"_s;
    s->printerName = sQueue;
    s->outputFile.clear();
    const QString sPath = sDir + u"/queue.ik7"_s;
    const QString sMsg = s->Write(sPath);
    if (!sMsg.isEmpty())
        return OneLine(sMsg);
    pik.LoadPrinterSettings(sPath);
    return {};
}

// What print and calibrate share: the profile's session, the output (a PDF file or a CUPS
// queue), the trace, the correction of --offset in place of the profile's, and the outcome.
// job runs once everything is set up and returns the job's outcome.
int RunBatchJob(BatchContext& ctx, const BatchArgs& a, const SessionRequest& req,
                const QString& sCmd, const std::optional<std::array<int, 2>>& offset,
                const std::function<PrintOutcome(Session&, TraceImaging*)>& job) {
    const auto fail = [&ctx, &sCmd](const QString& sMsg) {
        ctx.err << "hoplark-batch " << sCmd << ": " << OneLine(sMsg) << '\n';
        return 1;
    };
    // The preview mapping of the layout is that of a 600 x 600 pixel preview at 96 dpi.
    BatchImaging imaging(600);
    if (a.has(u"--trace"_s)) {
        if (const QString sMsg = imaging.TraceTo(a.value(u"--trace"_s)); !sMsg.isEmpty())
            return fail(sMsg);
    }
    PainterImaging& pik = imaging.painter();

    BatchSession session(imaging.ik());
    QString sMsg = session.Open(a.value(u"--data"_s), req);
    if (!sMsg.isEmpty())
        return fail(sMsg);
    if (!session.warning().isEmpty())
        ctx.err << "hoplark-batch " << sCmd << ": warning: " << session.warning() << '\n';
    Session& st = session.st();
    for (const QString& sOption : {u"--pdf"_s, u"--trace"_s}) {
        if (sMsg = st.RefuseOutput(a.value(sOption)); !sMsg.isEmpty())
            return fail(sMsg);
    }

    QTemporaryDir tmp;
    if (a.has(u"--pdf"_s)) {
        // The file takes the new pages only when they are all written: until then, and
        // after any failure, an older file of that name stays as it was.
        pik.ForcePdfOutput(a.value(u"--pdf"_s));
    } else {
        sMsg = tmp.isValid() ? UseQueue(pik, a.value(u"--printer"_s), tmp.path())
                             : u"no temporary folder"_s;
        if (!sMsg.isEmpty())
            return fail(sMsg);
    }
    // For this job only: the profile on disk keeps its own correction.
    if (offset)
        st.model.udAdj = *offset;

    imaging.StartTrace();
    const PrintOutcome out = job(st, imaging.trace());
    if (!out.sMsg.isEmpty())
        return fail(out.sMsg);
    if (!out.bJob)
        return fail(u"the print job could not be started"_s);
    if (sMsg = imaging.FinishTrace(); !sMsg.isEmpty())
        return fail(sMsg);
    ctx.out << (a.has(u"--pdf"_s) ? a.value(u"--pdf"_s) : a.value(u"--printer"_s)) << ": "
            << out.nPages << (out.nPages == 1 ? " page\n" : " pages\n");
    return 0;
}

} // namespace

// The print loop of the window on a PDF file (or a named print queue) instead of the printer
// of the profile, with the page size of the profile's printer settings.
int CmdPrint(BatchContext& ctx) {
    const BatchArgs a =
        ParseBatchArgs(ctx.args,
                       QStringList{u"--profile"_s, u"--codes"_s, u"--rows"_s, u"--sender"_s,
                                   u"--pdf"_s, u"--printer"_s, u"--trace"_s, u"--offset"_s} +
                           kListOptions,
                       {u"--progress"_s});
    if (!a.sError.isEmpty())
        return PrintUsage(ctx, a.sError);
    SessionRequest req;
    const QString sWrong = SessionRequestFrom(a, req);
    if (!sWrong.isEmpty())
        return PrintUsage(ctx, sWrong);
    if (a.has(u"--pdf"_s) == a.has(u"--printer"_s))
        return PrintUsage(ctx, u"give either --pdf OUT.pdf or --printer QUEUE"_s);
    RowsRequest rows;
    if (a.has(u"--rows"_s) && !ParseRows(a.value(u"--rows"_s), rows))
        return PrintUsage(ctx, u"--rows takes all, current:N, after:N or select:N,N,..."_s);
    std::optional<std::array<int, 2>> offset;
    if (a.has(u"--offset"_s) && !(offset = ParseOffset(a.value(u"--offset"_s))))
        return PrintUsage(ctx, u"--offset takes X,Y in mm, each from -10.0 to 10.0 in 0.1 steps"_s);
    const bool bProgress = a.flags.contains(u"--progress"_s);

    return RunBatchJob(ctx, a, req, u"print"_s, offset, [&](Session& st, TraceImaging* trace) {
        // As in the window, the preview of the first row to print comes first (the trace
        // starts with it), and settings the layout cannot compute stop the command before a
        // job opens.
        st.adr.nAdrIdx = rows.nAdrIdx;
        const std::optional<QList<int>> printed =
            PrintRowList(rows.nMode, st.adr.nAdrIdx, st.adr.count(), rows.selected);
        if (printed && !printed->isEmpty())
            st.adr.nAdrIdx = printed->first();
        const QString sMsg = st.RefreshPreview();
        st.adr.nAdrIdx = rows.nAdrIdx;
        if (!sMsg.isEmpty())
            return PrintOutcome{false, 0, false, sMsg};
        if (trace)
            trace->clear(); // the file has the lines; memory need not keep them for every page

        PrintCallbacks cb;
        if (bProgress) {
            cb.progress = [&ctx, trace](int nDone, int nTotal) {
                ctx.err << "printed " << nDone << " / " << nTotal << '\n';
                ctx.err.flush();
                if (trace)
                    trace->clear();
                return true;
            };
        } else if (trace) {
            cb.progress = [trace](int, int) {
                trace->clear();
                return true;
            };
        }
        return PrintRows(st, rows.nMode, rows.selected, cb);
    });
}

// The position test page of a profile, printed as the window's 位置調整の試し印刷 prints it.
int CmdCalibrate(BatchContext& ctx) {
    const BatchArgs a = ParseBatchArgs(
        ctx.args, {u"--profile"_s, u"--pdf"_s, u"--printer"_s, u"--trace"_s, u"--offset"_s});
    if (!a.sError.isEmpty())
        return CalibrateUsage(ctx, a.sError);
    if (!a.plain.isEmpty())
        return CalibrateUsage(ctx, u"unexpected argument "_s + a.plain.first());
    if (!a.has(u"--profile"_s))
        return CalibrateUsage(ctx, u"--profile NAME is required"_s);
    if (a.has(u"--pdf"_s) == a.has(u"--printer"_s))
        return CalibrateUsage(ctx, u"give either --pdf OUT.pdf or --printer QUEUE"_s);
    std::optional<std::array<int, 2>> offset;
    if (a.has(u"--offset"_s) && !(offset = ParseOffset(a.value(u"--offset"_s))))
        return CalibrateUsage(ctx,
                              u"--offset takes X,Y in mm, each from -10.0 to 10.0 in 0.1 steps"_s);
    SessionRequest req;
    req.sProfile = a.value(u"--profile"_s);
    req.bNoList = true;
    return RunBatchJob(ctx, a, req, u"calibrate"_s, offset,
                       [](Session& st, TraceImaging*) { return PrintTestPage(st); });
}

} // namespace hoplark
