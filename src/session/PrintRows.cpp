#include "session/PrintRows.h"

#include "compose/ComposePage.h"
#include "imaging/Imaging.h"
#include "platform/MemoryReuse.h"
#include "platform/MsgBox.h"
#include "render/Canvas.h"
#include "render/LayoutPage.h"
#include "render/PositionTestPage.h"
#include "session/Session.h"

#include <algorithm>
#include <exception>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

QList<int> Range(int nFirst, int nLast) {
    QList<int> rows;
    for (int i = nFirst; i <= nLast; ++i)
        rows << i;
    return rows;
}

// The window's part of the job (menus, pointer), however it ends.
class BusyScope {
public:
    explicit BusyScope(const PrintCallbacks& cb) : m_cb(cb) {
        if (m_cb.busy)
            m_cb.busy(true);
    }
    ~BusyScope() {
        if (m_cb.busy)
            m_cb.busy(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    const PrintCallbacks& m_cb;
};

bool Continue(const PrintCallbacks& cb, int nDone, int nTotal) {
    return !cb.progress || cb.progress(nDone, nTotal);
}

// What a job prints, copied when it starts.
struct JobCopy {
    ProfileModel model;
    PageVars page;
    SamaRules sama;
    std::array<QString, 9> txAdd;
    RecordLines records;
    bool bFullLay = false;
    PageLayout lay; // the job's own layout and target
};

// Opens the printer and answers every question before a page exists: the printer dialog
// when the printer cannot be opened, the note where the pages go instead. False when there is
// nothing to print on.
bool OpenPrinter(Imaging& ik) {
    if (!ik.OpenPrinter(1)) {
        ik.DialogFlags(PD_NOSELECTION + PD_NOPAGENUMS + PD_HIDEPRINTTOFILE);
        return ik.PrintDialog();
    }
    // The chosen queue is gone and the pages go elsewhere: the user must know where.
    if (const QString sElse = ik.FallbackMessage(); !sElse.isEmpty())
        MsgBox(sElse);
    return true;
}

} // namespace

std::optional<QList<int>> PrintRowList(int nMode, int nAdrIdx, int nCount,
                                       const QList<int>& selected) {
    switch (nMode) {
    case kPrintCurrent:
        // With no list there is no current address: an empty job rather than a blank sheet.
        if (nAdrIdx >= 0 && nAdrIdx < nCount)
            return QList<int>{nAdrIdx};
        return QList<int>{};
    case kPrintAll:
        return Range(0, nCount - 1);
    case kPrintSelected: {
        QList<int> rows;
        for (int r : selected)
            if (r >= 0 && r < nCount)
                rows << r;
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        return rows;
    }
    case kPrintAfter:
        // The last row (or beyond it) has nothing after it; nAdrIdx + 1 must not overflow.
        if (nAdrIdx >= nCount - 1)
            return QList<int>{};
        return Range(qMax(nAdrIdx + 1, 0), nCount - 1);
    default:
        return std::nullopt;
    }
}

namespace {

// One job on the printer of the current settings: nTotal pages, page i drawn by drawPage
// through the job's own canvas (its layout already set up for the printer, with the profile's
// print position correction). The job takes copies of what it prints.
PrintOutcome RunJob(Session& s, const QString& sDocName, int nTotal, const PrintCallbacks& cb,
                    const std::function<void(const Canvas&, JobCopy&, int)>& drawPage) {
    PrintOutcome out;
    BusySession busySession(s);
    BusyScope busy(cb);
    Imaging& ik = s.ik;
    JobCopy job{s.model, s.page, s.sama, s.txAdd, s.adr.colAdr, s.adr.bFullLay, {}};
    Canvas cv{ik, job.model, job.page, job.lay, 0, 96};

    if (!OpenPrinter(ik))
        return out;
    if (out.sMsg = s.RefuseOutput(ik.OutputPath()); !out.sMsg.isEmpty()) {
        ik.ClosePrinter();
        return out;
    }
    ik.DocName(sDocName);
    int nOffX = 0, nOffY = 0, nPrintW = 0, nPrintH = 0, nPaperW = 0, nPaperH = 0;
    ik.PageMetrics(ik.PrinterHandle(), nOffX, nOffY, nPrintW, nPrintH, nPaperW, nPaperH, 1);
    job.lay.bPrinting = true;
    job.lay.nPrnOffX = nOffX;
    job.lay.nPrnOffY = nOffY;
    job.lay.nAdjX = job.model.udAdj[0];
    job.lay.nAdjY = job.model.udAdj[1];
    job.lay.nTgtDc = ik.PrinterHandle();

    KeepFreedMemory();
    if (!ik.StartDoc()) {
        out.sMsg = ik.DocError();
        ik.ClosePrinter(); // the device is not kept open for a job that never started
        return out;
    }
    out.bJob = true;
    if (cb.started)
        cb.started(nTotal);
    bool bInPage = false;
    try {
        if (!Continue(cb, 0, nTotal)) {
            out.bCancelled = true;
        } else {
            for (int i = 0; i < nTotal; ++i) {
                ik.StartPage();
                bInPage = true;
                drawPage(cv, job, i);
                ik.EndPage();
                bInPage = false;
                ++out.nPages;
                if (!Continue(cb, out.nPages, nTotal)) {
                    out.bCancelled = out.nPages < nTotal;
                    break;
                }
            }
        }
    } catch (const std::exception& e) {
        // The page being drawn is closed as it stands so the job ends in order.
        out.sMsg = QString::fromUtf8(e.what());
        if (bInPage) {
            ik.EndPage();
            ++out.nPages;
        }
    }
    // A file that could not be written whole is no printed job, whatever the pages were.
    if (!ik.EndDoc() && out.sMsg.isEmpty())
        out.sMsg = ik.DocError();
    ik.ClosePrinter();
    return out;
}

} // namespace

PrintOutcome PrintRows(Session& s, int nMode, const QList<int>& selected,
                       const PrintCallbacks& cb) {
    PrintOutcome out;
    const std::optional<QList<int>> rows =
        PrintRowList(nMode, s.adr.nAdrIdx, s.adr.count(), selected);
    if (!rows)
        return out;
    if (rows->isEmpty()) {
        // Nothing to print is no job: the printer is not asked and an older file stays.
        out.sMsg = u"印刷する宛名がありません"_s;
        return out;
    }
    return RunJob(s, QString::fromUtf16(kPrintDocName), static_cast<int>(rows->size()), cb,
                  [&s, &rows](const Canvas& cv, JobCopy& job, int i) {
                      const int r = rows->at(i);
                      const ComposeInput in{r < job.records.size() ? job.records.at(r) : QString(),
                                            job.bFullLay, job.sama, job.txAdd};
                      s.adr.nAdrIdx = r;
                      ComposePage(cv, in, ComposeMode::Print);
                  });
}

PrintOutcome PrintTestPage(Session& s, const PrintCallbacks& cb) {
    // Without a paper there is no page to measure against: no job.
    if (s.page.sPaper.isEmpty() || s.page.nPaperW <= 0 || s.page.nPaperH <= 0)
        return {false, 0, false, u"用紙が設定されていません"_s};
    return RunJob(s, QString::fromUtf16(kTestPageName), 1, cb, [](const Canvas& cv, JobCopy&, int) {
        LayoutPage(cv);
        DrawPositionTestPage(cv);
    });
}

} // namespace hoplark
