#include "render/PrintRows.h"

#include "compose/ComposeAdr.h"
#include "platform/MsgBox.h"
#include "render/LayoutPage.h"
#include "render/MainState.h"
#include "render/imaging/Imaging.h"

#include <algorithm>
#include <exception>

namespace hoplark {

namespace {

QList<int> Range(int nFirst, int nLast) {
    QList<int> rows;
    for (int i = nFirst; i <= nLast; ++i)
        rows << i;
    return rows;
}

// Steps 1 and 9 of every job, however it ends.
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
        return Range(qMax(nAdrIdx + 1, 0), nCount - 1);
    default:
        return std::nullopt;
    }
}

PrintOutcome PrintRows(MainState& st, int nMode, const QList<int>& selected,
                       const PrintCallbacks& cb) {
    PrintOutcome out;
    const std::optional<QList<int>> rows =
        PrintRowList(nMode, st.adr.nAdrIdx, st.adr.count(), selected);
    if (!rows)
        return out;
    BusyScope busy(cb);
    Imaging& ik = st.ik;
    PageLayout& l = st.lay;

    l.bPrinting = true;
    l.bAdrExtra = l.bNameExtra = false;

    if (!ik.OpenPrinter(1)) {
        // No printer device: let the user choose one; cancelling prints nothing.
        ik.DialogFlags(PD_NOSELECTION + PD_NOPAGENUMS + PD_HIDEPRINTTOFILE);
        if (!ik.PrintDialog())
            return out;
    } else if (const QString sElse = ik.FallbackMessage(); !sElse.isEmpty()) {
        // The chosen queue is gone and the pages go elsewhere: the user must know where.
        MsgBox(sElse);
    }
    ik.DocName(QString::fromUtf16(kPrintDocName));
    int nOffX = 0, nOffY = 0, nPrintW = 0, nPrintH = 0, nPaperW = 0, nPaperH = 0;
    ik.PageMetrics(ik.PrinterHandle(), nOffX, nOffY, nPrintW, nPrintH, nPaperW, nPaperH, 1);
    l.nPrnOffX = nOffX;
    l.nPrnOffY = nOffY;
    l.nTgtDc = ik.PrinterHandle();

    if (!ik.StartDoc()) {
        ik.ClosePrinter(); // the device is not kept open for a job that never started
        return out;
    }
    out.bJob = true;
    const int nTotal = static_cast<int>(rows->size());
    bool bInPage = false;
    try {
        LayoutPage(st);
        if (!Continue(cb, 0, nTotal)) {
            out.bCancelled = true;
        } else {
            for (int r : *rows) {
                st.adr.nAdrIdx = r;
                ik.StartPage();
                bInPage = true;
                ComposeAdr(st, 2);
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
    ik.EndDoc();
    ik.ClosePrinter();
    return out;
}

} // namespace hoplark
