#include "session/PrintRows.h"

#include "PrintTestSupport.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;
using test::ScriptedPrinter;

namespace {

const QStringList kJobOps{u"OpenPrinter"_s, u"PrintDialog"_s, u"StartDoc"_s,    u"StartPage"_s,
                          u"EndPage"_s,     u"EndDoc"_s,      u"ClosePrinter"_s};

QStringList JobOps(int nPages) {
    QStringList ops{u"OpenPrinter"_s, u"StartDoc"_s};
    for (int i = 0; i < nPages; ++i)
        ops << u"StartPage"_s << u"EndPage"_s;
    return ops << u"EndDoc"_s << u"ClosePrinter"_s;
}

// The names drawn on each printed page.
QList<QStringList> PageTexts(const ScriptedPrinter& ik) {
    QList<QStringList> pages;
    for (const QJsonObject& o : ik.records()) {
        const QString op = o.value(u"op"_s).toString();
        if (op == u"StartPage"_s)
            pages << QStringList();
        else if (op == u"DrawText"_s && !pages.isEmpty())
            pages.last() << o.value(u"text"_s).toString();
    }
    return pages;
}

} // namespace

TEST(PrintRowList, RowsOfEveryMode) {
    struct Case {
        int nMode, nAdrIdx, nCount;
        QList<int> selected;
        std::optional<QList<int>> rows;
    };
    const Case cases[] = {
        {0, 2, 5, {}, QList<int>{2}},
        {0, 0, 0, {}, QList<int>{}}, // no list: an empty job, no blank sheet
        {2, 3, 5, {}, QList<int>{0, 1, 2, 3, 4}},
        {2, 0, 0, {}, QList<int>{}},
        {3, 0, 5, {4, 1, 4, 9, -1}, QList<int>{1, 4}},
        {3, 0, 5, {}, QList<int>{}},
        {4, 2, 5, {}, QList<int>{3, 4}},
        {4, 4, 5, {}, QList<int>{}},          // on the last row
        {4, 2147483647, 5, {}, QList<int>{}}, // far beyond it: no overflow into row 0
        {1, 0, 5, {}, std::nullopt},
        {5, 0, 5, {}, std::nullopt},
    };
    for (const Case& t : cases)
        EXPECT_EQ(PrintRowList(t.nMode, t.nAdrIdx, t.nCount, t.selected), t.rows)
            << "mode " << t.nMode << " idx " << t.nAdrIdx;
}

TEST(PrintRows, OnePagePerRowInOneJob) {
    struct Case {
        const char* what;
        int nMode, nAdrIdx;
        QList<int> selected;
        QList<int> printed;
    };
    const Case cases[] = {
        {"current", 0, 2, {}, {2}},
        {"all", 2, 3, {}, {0, 1, 2, 3, 4}},
        {"selected", 3, 0, {3, 1}, {1, 3}},
        {"after the current", 4, 1, {}, {2, 3, 4}},
        {"after the last row: no job", 4, 4, {}, {}},
        {"nothing selected: no job", 3, 2, {}, {}},
    };
    for (const Case& t : cases) {
        ScriptedPrinter ik;
        auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 5);
        st->adr.nAdrIdx = t.nAdrIdx;
        QList<int> rowsSeen;
        QList<int> busy;
        PrintCallbacks cb;
        cb.busy = [&](bool b) { busy << b; };
        cb.progress = [&](int nDone, int nTotal) {
            EXPECT_EQ(nTotal, t.printed.size()) << t.what;
            if (nDone > 0)
                rowsSeen << st->adr.nAdrIdx;
            return true;
        };
        const PrintOutcome out = PrintRows(*st, t.nMode, t.selected, cb);
        if (t.printed.isEmpty()) {
            // Nothing to print is said, and no printer is asked for a job.
            EXPECT_FALSE(out.bJob) << t.what;
            EXPECT_FALSE(out.sMsg.isEmpty()) << t.what;
            EXPECT_TRUE(ik.Ops(kJobOps).isEmpty()) << t.what;
            EXPECT_TRUE(busy.isEmpty()) << t.what;
            continue;
        }
        EXPECT_TRUE(out.bJob) << t.what;
        EXPECT_EQ(out.nPages, t.printed.size()) << t.what;
        EXPECT_FALSE(out.bCancelled) << t.what;
        EXPECT_EQ(rowsSeen, t.printed) << t.what;
        EXPECT_EQ(ik.Ops(kJobOps), JobOps(static_cast<int>(t.printed.size()))) << t.what;
        EXPECT_EQ(busy, (QList<int>{true, false})) << t.what;
        // The job drew with a layout of its own: the preview's is as it was.
        EXPECT_FALSE(st->lay.bPrinting) << t.what;
        EXPECT_NE(st->lay.nTgtDc, ik.PrinterHandle()) << t.what;
        // The job carries its name; each page holds its own address.
        EXPECT_EQ(ik.records().at(ik.Ops().indexOf(u"StartDoc"_s)).value(u"name"_s).toString(),
                  u"宛名印刷"_s);
        const QList<QStringList> pages = PageTexts(ik);
        ASSERT_EQ(pages.size(), t.printed.size()) << t.what;
        for (qsizetype i = 0; i < pages.size(); ++i)
            EXPECT_TRUE(pages[i].join(u'|').contains(test::RowName(t.printed[i])))
                << t.what << " page " << i << ": " << pages[i].join(u'|').toStdString();
        if (!t.printed.isEmpty()) {
            EXPECT_EQ(st->adr.nAdrIdx, t.printed.last()) << t.what;
        }
    }
}

TEST(PrintRows, SeparatorPrintsNothing) {
    ScriptedPrinter ik;
    auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 3);
    const PrintOutcome out = PrintRows(*st, 1);
    EXPECT_FALSE(out.bJob);
    EXPECT_TRUE(ik.Ops(kJobOps).isEmpty());
}

TEST(PrintRows, DialogWhenNoPrinterOpens) {
    for (bool bConfirm : {false, true}) {
        ScriptedPrinter ik;
        ik.bOpen = false;
        ik.bDialog = bConfirm;
        auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 3);
        bool bBusyEnded = false;
        PrintCallbacks cb;
        cb.busy = [&](bool b) { bBusyEnded = !b; };
        const PrintOutcome out = PrintRows(*st, 2, {}, cb);
        EXPECT_TRUE(bBusyEnded);
        if (bConfirm) {
            EXPECT_EQ(out.nPages, 3);
            QStringList ops = JobOps(3);
            ops.insert(1, u"PrintDialog"_s);
            EXPECT_EQ(ik.Ops(kJobOps), ops);
        } else {
            EXPECT_FALSE(out.bJob);
            EXPECT_EQ(ik.Ops(kJobOps), (QStringList{u"OpenPrinter"_s, u"PrintDialog"_s}));
        }
    }
}

TEST(PrintRows, PrintingElsewhereIsShown) {
    ScriptedPrinter ik;
    ik.sFallback = u"ﾌﾟﾘﾝﾀ A がありません\rPDFファイル /tmp/x.pdf に出力します。"_s;
    auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 2);
    test::MessageCapture msgs;
    EXPECT_EQ(PrintRows(*st, 2).nPages, 2);
    EXPECT_EQ(msgs.messages(), QStringList{ik.sFallback});

    ScriptedPrinter quiet;
    auto st2 = test::PostcardState(quiet, test::NewTempDir() + u"/"_s, 2);
    msgs.clear();
    PrintRows(*st2, 2);
    EXPECT_TRUE(msgs.messages().isEmpty());
}

TEST(PrintRows, JobThatCannotStartReleasesThePrinter) {
    ScriptedPrinter ik;
    ik.bStartDoc = false;
    auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 3);
    const PrintOutcome out = PrintRows(*st, 2);
    EXPECT_FALSE(out.bJob);
    EXPECT_EQ(out.nPages, 0);
    EXPECT_EQ(ik.Ops(kJobOps), (QStringList{u"OpenPrinter"_s, u"StartDoc"_s, u"ClosePrinter"_s}));
}

TEST(PrintRows, CancelEndsTheJobWithThePagesSent) {
    ScriptedPrinter ik;
    auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 5);
    QStringList shown;
    PrintCallbacks cb;
    cb.progress = [&](int nDone, int nTotal) {
        shown << u"%1 / %2"_s.arg(nDone).arg(nTotal);
        return nDone < 2;
    };
    const PrintOutcome out = PrintRows(*st, 2, {}, cb);
    EXPECT_TRUE(out.bCancelled);
    EXPECT_EQ(out.nPages, 2);
    EXPECT_EQ(shown, (QStringList{u"0 / 5"_s, u"1 / 5"_s, u"2 / 5"_s}));
    EXPECT_EQ(ik.Ops(kJobOps), JobOps(2));
}

TEST(PrintRows, PrinterOffsetsShiftThePage) {
    ScriptedPrinter ik;
    ik.nOffX = 40;
    ik.nOffY = 30;
    auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 1);
    PrintRows(*st, 0);
    ScriptedPrinter ik0;
    auto st0 = test::PostcardState(ik0, test::NewTempDir() + u"/"_s, 1);
    PrintRows(*st0, 0);
    const auto first = [](const ScriptedPrinter& p) {
        for (const QJsonObject& o : p.records())
            if (o.value(u"op"_s).toString() == u"DrawText"_s)
                return o;
        return QJsonObject();
    };
    EXPECT_EQ(first(ik0)[u"x1"_s].toInt() - first(ik)[u"x1"_s].toInt(), 40);
    EXPECT_EQ(first(ik0)[u"y1"_s].toInt() - first(ik)[u"y1"_s].toInt(), 30);
    // Every printed drawing call is in page units less the offsets, never negative.
    bool bAny = false;
    for (const QJsonObject& o : ik.records()) {
        if (o.value(u"op"_s).toString() != u"DrawText"_s)
            continue;
        bAny = true;
        EXPECT_EQ(o.value(u"dev"_s).toInt(), 1);
        EXPECT_GE(o.value(u"x1"_s).toInt(), 0);
        EXPECT_GE(o.value(u"y1"_s).toInt(), 0);
    }
    EXPECT_TRUE(bAny);
}

// The postal-code boxes of a printed page stand where the last preview placed them: on an
// envelope the preview puts the recipient's boxes 12 mm from the top.
TEST(PrintRows, ZipBoxesWhereThePreviewPlacedThem) {
    ScriptedPrinter ik;
    auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 1);
    st->page.sPaper = u"長形3号封筒(120x235mm)"_s;
    st->page.nPaper = 73;
    st->page.nPaperW = 1200;
    st->page.nPaperH = 2350;
    st->page.bEnvelope = true;
    st->model.ckWaku = {1, 1};
    ASSERT_EQ(st->RefreshPreview(), QString());
    ik.clear();
    PrintRows(*st, 0);
    QList<int> tops;
    for (const QJsonObject& o : ik.records())
        if (o.value(u"op"_s).toString() == u"DrawRect"_s && o.value(u"x1"_s).toInt() == 1200 - 555)
            tops << o.value(u"y1"_s).toInt();
    ASSERT_FALSE(tops.isEmpty());
    for (int y : tops)
        EXPECT_EQ(y, 120);
}

namespace {

// The drawing calls of one job on a postcard whose printer's printable area starts 4 x 3 mm
// in, every frame switched on, with the print position correction adj; the test page or the
// first address.
QList<QJsonObject> PrintedDrawing(std::array<int, 2> adj, bool bTestPage, bool bVertical) {
    ScriptedPrinter ik;
    ik.nOffX = 40;
    ik.nOffY = 30;
    auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 1);
    st->model.ckWaku = {1, 1};
    st->page.bVertical = bVertical;
    st->model.opMjhk = {!bVertical, bVertical};
    st->model.udAdj = adj;
    EXPECT_EQ(st->RefreshPreview(), QString());
    ik.clear();
    const PrintOutcome out = bTestPage ? PrintTestPage(*st) : PrintRows(*st, kPrintCurrent);
    EXPECT_EQ(out.nPages, 1);
    EXPECT_EQ(out.sMsg, QString());
    QList<QJsonObject> drawing;
    for (const QJsonObject& o : ik.records())
        if (o.value(u"op"_s).toString().startsWith(u"Draw"_s))
            drawing << o;
    return drawing;
}

// The red outlines drawn (the postal-code boxes), in drawing order.
QList<std::array<int, 4>> RedOutlines(const QList<QJsonObject>& drawing) {
    QList<std::array<int, 4>> boxes;
    for (const QJsonObject& o : drawing)
        if (o.value(u"op"_s).toString() == u"DrawRect"_s && o.value(u"fillMode"_s).toInt() == 1 &&
            o.value(u"lineColor"_s).toInt() == 255)
            boxes.append(
                {o[u"x1"_s].toInt(), o[u"y1"_s].toInt(), o[u"x2"_s].toInt(), o[u"y2"_s].toInt()});
    return boxes;
}

} // namespace

// The correction moves everything printed, frames and postal-code boxes included, by exactly
// its amount in device units, after the printable-area clamp and without one of its own.
TEST(PrintRows, CorrectionMovesEveryPrintedMark) {
    struct Case {
        int dx, dy;
        bool bTestPage, bVertical;
    };
    const Case cases[] = {
        {15, -7, false, false},
        {-100, 100, false, true},
        {100, -100, true, false},
        {-25, 40, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy << " test page " << c.bTestPage
                                        << " vertical " << c.bVertical);
        const QList<QJsonObject> base = PrintedDrawing({0, 0}, c.bTestPage, c.bVertical);
        const QList<QJsonObject> moved = PrintedDrawing({c.dx, c.dy}, c.bTestPage, c.bVertical);
        ASSERT_EQ(moved.size(), base.size());
        ASSERT_GE(RedOutlines(base).size(), 14); // recipient and sender boxes
        bool bBelowZero = false;
        for (qsizetype i = 0; i < base.size(); ++i) {
            QJsonObject want = base[i];
            want[u"x1"_s] = want[u"x1"_s].toInt() + c.dx;
            want[u"x2"_s] = want[u"x2"_s].toInt() + c.dx;
            want[u"y1"_s] = want[u"y1"_s].toInt() + c.dy;
            want[u"y2"_s] = want[u"y2"_s].toInt() + c.dy;
            QJsonObject got = moved[i];
            // The test page names the correction it was printed with.
            if (want.value(u"text"_s).toString().startsWith(u"印刷位置の補正"_s))
                got[u"text"_s] = want.value(u"text"_s);
            EXPECT_EQ(got, want) << i;
            bBelowZero =
                bBelowZero || got.value(u"x1"_s).toInt() < 0 || got.value(u"y1"_s).toInt() < 0;
        }
        // The scales start at the paper's edge, clamped to the printable origin first.
        if (c.bTestPage) {
            EXPECT_TRUE(bBelowZero);
        }
    }
}

TEST(PrintRows, PreviewIgnoresTheCorrection) {
    const auto preview = [](std::array<int, 2> adj) {
        ScriptedPrinter ik;
        auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 1);
        st->model.ckWaku = {1, 1};
        st->model.udAdj = adj;
        EXPECT_EQ(st->RefreshPreview(), QString());
        return ik.records();
    };
    const QList<QJsonObject> base = preview({0, 0});
    ASSERT_GE(RedOutlines(base).size(), 14);
    EXPECT_EQ(preview({37, -52}), base);
}

// The test page outlines the boxes exactly where an address's digits and frames go.
TEST(PrintTestPage, BoxesWhereTheProfilePrintsTheDigits) {
    for (const bool bVertical : {false, true}) {
        const QList<std::array<int, 4>> page =
            RedOutlines(PrintedDrawing({12, -3}, true, bVertical));
        const QList<std::array<int, 4>> address =
            RedOutlines(PrintedDrawing({12, -3}, false, bVertical));
        EXPECT_EQ(page.size(), 14);
        EXPECT_EQ(page, address) << "vertical " << bVertical;
    }
}

TEST(PrintTestPage, NoPaperNoJob) {
    ScriptedPrinter ik;
    auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 0);
    st->page.sPaper.clear();
    const PrintOutcome out = PrintTestPage(*st);
    EXPECT_FALSE(out.bJob);
    EXPECT_FALSE(out.sMsg.isEmpty());
    EXPECT_TRUE(ik.Ops(kJobOps).isEmpty());
}
