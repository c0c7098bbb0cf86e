#include "batch/BatchCommand.h"
#include "batch/BatchSession.h"

#include "platform/OutputFile.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

int PreviewUsage(BatchContext& ctx, const QString& sWhy) {
    ctx.err << "hoplark-batch preview: " << sWhy << '\n'
            << "usage: hoplark-batch preview [--data DIR] --profile NAME "
               "[--codes CODES | --columns auto]\n"
               "         [--encoding auto|cp932|utf-8] LIST\n"
               "         [--row N] [--sender N] [--size PX] --png OUT [--trace OUT.jsonl]\n"
               "  rows are counted from 0 in list order; the preview is PX x PX pixels (600)\n";
    return 2;
}

// A whole number from nMin to nMax, or nothing.
std::optional<int> Number(const QString& s, int nMin, int nMax) {
    bool bOk = false;
    const int n = s.toInt(&bOk);
    if (!bOk || n < nMin || n > nMax)
        return std::nullopt;
    return n;
}

} // namespace

// The preview of the main window for one record: the profile, the list and the sender as the
// window's load sequence leaves them, row N selected, one full redraw into a PX x PX image.
int CmdPreview(BatchContext& ctx) {
    const BatchArgs a =
        ParseBatchArgs(ctx.args, QStringList{u"--profile"_s, u"--codes"_s, u"--row"_s,
                                             u"--sender"_s, u"--size"_s, u"--png"_s, u"--trace"_s} +
                                     kListOptions);
    if (!a.sError.isEmpty())
        return PreviewUsage(ctx, a.sError);
    SessionRequest req;
    const QString sWrong = SessionRequestFrom(a, req);
    if (!sWrong.isEmpty())
        return PreviewUsage(ctx, sWrong);
    if (!a.has(u"--png"_s) || a.value(u"--png"_s).isEmpty())
        return PreviewUsage(ctx, u"--png OUT is required"_s);
    const auto nRow = Number(a.has(u"--row"_s) ? a.value(u"--row"_s) : u"0"_s, 0, 1000000000);
    if (!nRow)
        return PreviewUsage(ctx, u"--row needs a number from 0"_s);
    const auto nSize = Number(a.has(u"--size"_s) ? a.value(u"--size"_s) : u"600"_s, 16, 10000);
    if (!nSize)
        return PreviewUsage(ctx, u"--size needs a number of pixels from 16 to 10000"_s);

    // The control is PX pixels wide at 96 dpi: PX * 1440 / 96 twips.
    BatchImaging imaging(*nSize);
    if (a.has(u"--trace"_s)) {
        const QString sMsg = imaging.TraceTo(a.value(u"--trace"_s));
        if (!sMsg.isEmpty()) {
            ctx.err << "hoplark-batch preview: " << sMsg << '\n';
            return 1;
        }
    }
    BatchSession session(imaging.ik());
    const QString sMsg = session.Open(a.value(u"--data"_s), req);
    if (!sMsg.isEmpty()) {
        ctx.err << "hoplark-batch preview: " << sMsg << '\n';
        return 1;
    }
    if (!session.warning().isEmpty())
        ctx.err << "hoplark-batch preview: warning: " << session.warning() << '\n';
    Session& st = session.st();
    for (const QString& sOption : {u"--png"_s, u"--trace"_s}) {
        if (const QString sRefused = st.RefuseOutput(a.value(sOption)); !sRefused.isEmpty()) {
            ctx.err << "hoplark-batch preview: " << OneLine(sRefused) << '\n';
            return 1;
        }
    }
    if (*nRow >= st.adr.count() && *nRow > 0) {
        ctx.err << "hoplark-batch preview: the list has " << st.adr.count() << " rows\n";
        return 1;
    }
    st.adr.nAdrIdx = *nRow;
    imaging.StartTrace();

    // A fault of the layout arithmetic leaves the picture as drawn so far; it is still written.
    const QString sFault = st.RefreshPreview();
    if (!sFault.isEmpty())
        ctx.err << "hoplark-batch preview: drawing stopped: " << sFault << '\n';
    // Both files whole or not at all.
    OutputFile png(a.value(u"--png"_s));
    QString sWritten = png.Open();
    if (sWritten.isEmpty() && !imaging.painter().PreviewImage().save(&png.device(), "PNG"))
        sWritten = u"cannot write "_s + a.value(u"--png"_s);
    if (sWritten.isEmpty())
        sWritten = png.Commit();
    if (sWritten.isEmpty())
        sWritten = imaging.FinishTrace();
    if (!sWritten.isEmpty()) {
        ctx.err << "hoplark-batch preview: " << OneLine(sWritten) << '\n';
        return 1;
    }
    return sFault.isEmpty() ? 0 : 1;
}

} // namespace hoplark
