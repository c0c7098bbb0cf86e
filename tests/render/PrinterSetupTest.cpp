#include "session/PrinterSetup.h"

#include "PrintTestSupport.h"
#include "support/TestEnv.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;
using test::ScriptedPrinter;

namespace {

QStringList LoadedPaths(const ScriptedPrinter& ik) {
    QStringList paths;
    for (const QJsonObject& o : ik.records())
        if (o.value(u"op"_s).toString() == u"LoadPrinterSettings"_s)
            paths << o.value(u"path"_s).toString();
    return paths;
}

} // namespace

TEST(PrinterSetup, WorkingCopyIsMadeOnce) {
    ScriptedPrinter ik;
    const QString usr = test::NewTempDir() + u"/"_s;
    auto st = test::PostcardState(ik, usr, 1);
    test::WriteBytes(st->page.sIk7, "profile");
    test::WriteBytes(st->page.sIk7 + u".prnTxt"_s, "profile text");
    const QString wrk = usr + u"Paper/Wrk.ik7"_s;

    EXPECT_FALSE(PrinterSetup(*st)); // dialog cancelled: the copy is made all the same
    EXPECT_EQ(test::ReadBytes(wrk), QByteArray("profile"));
    EXPECT_EQ(test::ReadBytes(wrk + u".prnTxt"_s), QByteArray("profile text"));
    EXPECT_EQ(st->page.sPage, u"Wrk"_s);
    EXPECT_EQ(st->page.sIk7, wrk);
    EXPECT_EQ(LoadedPaths(ik), QStringList{wrk});
    EXPECT_EQ(ik.Ops({u"PrintDialog"_s}).size(), 1);

    // The second run goes straight to the dialog on the copy as it now stands.
    test::WriteBytes(wrk, "chosen in the dialog");
    test::WriteBytes(usr + u"Paper/はがき.ik7"_s, "profile changed");
    PrinterSetup(*st);
    EXPECT_EQ(test::ReadBytes(wrk), QByteArray("chosen in the dialog"));
    EXPECT_EQ(LoadedPaths(ik), QStringList{wrk});
    EXPECT_EQ(ik.Ops({u"PrintDialog"_s}).size(), 2);
}

TEST(PrinterSetup, MissingSettingsStillSwitchToTheWorkingProfile) {
    ScriptedPrinter ik;
    const QString usr = test::NewTempDir() + u"/"_s;
    auto st = test::PostcardState(ik, usr, 1);
    test::WriteBytes(usr + u"Paper/Wrk.ik7"_s, "older copy");
    PrinterSetup(*st);
    EXPECT_EQ(st->page.sPage, u"Wrk"_s);
    EXPECT_EQ(test::ReadBytes(usr + u"Paper/Wrk.ik7"_s), QByteArray("older copy"));

    // No settings file at all: nothing happens.
    ScriptedPrinter ik2;
    auto none = test::PostcardState(ik2, usr, 1);
    none->page.sIk7.clear();
    EXPECT_FALSE(PrinterSetup(*none));
    EXPECT_EQ(none->page.sPage, u"はがき"_s);
    EXPECT_TRUE(ik2.Ops().isEmpty());
}

TEST(PrinterSetup, TakesThePaperOver) {
    struct Case {
        const char* what;
        int nCode, nOrient, nW, nH;
        QString sPaper;
        bool bEnvelope, bLandscape;
    };
    const Case cases[] = {
        {"#10 envelope", 20, 1, 1048, 2413, u"#10封筒(4.125x9.5ｲﾝﾁ)"_s, true, false},
        {"long envelope 3", 73, 1, 1200, 2350, u"長形3号封筒(120x235mm)"_s, true, false},
        {"landscape A4", 9, 2, 2970, 2100, u"A4(210x297mm)"_s, false, true},
        {"postcard", 43, 1, 1000, 1480, u"はがき(100x148mm)"_s, false, false},
    };
    for (const Case& t : cases) {
        ScriptedPrinter ik;
        auto st = test::PostcardState(ik, test::NewTempDir() + u"/"_s, 1);
        st->page.bEnvelope = !t.bEnvelope;
        ik.bDialog = true;
        ik.nCode = t.nCode;
        ik.nOrient = t.nOrient;
        ik.nW = t.nW;
        ik.nH = t.nH;
        test::MessageCapture msgs;
        EXPECT_TRUE(PrinterSetup(*st)) << t.what;
        EXPECT_EQ(st->page.sPaper, t.sPaper) << t.what;
        EXPECT_EQ(st->page.nPaper, t.nCode) << t.what;
        EXPECT_EQ(st->page.nPaperW, t.nW) << t.what;
        EXPECT_EQ(st->page.nPaperH, t.nH) << t.what;
        EXPECT_EQ(st->page.bEnvelope, t.bEnvelope) << t.what;
        EXPECT_EQ(st->page.bLandscape, t.bLandscape) << t.what;
        EXPECT_TRUE(msgs.messages().isEmpty()) << t.what;
        // The preview is redrawn after the dialog, with the envelope's flap when it is one.
        const QStringList ops = ik.Ops();
        EXPECT_GT(ops.lastIndexOf(u"ResetImage"_s), ops.indexOf(u"PrintDialog"_s)) << t.what;
        EXPECT_EQ(st->lay.nFlap, t.bEnvelope ? 150 : 0) << t.what;
    }
}

TEST(PrinterSetup, FailedQueryKeepsThePaper) {
    struct Case {
        const char* what;
        bool bReady, bOpen;
        int nW;
        QStringList messages;
    };
    const Case cases[] = {
        {"no valid settings", false, true, 1000, {u"ﾌﾟﾘﾝﾀの設定が出来ませんでした"_s}},
        {"device does not open", true, false, 1000, {u"ﾌﾟﾘﾝﾀの設定が出来ませんでした"_s}},
        {"no size", true, true, 0, {}},
    };
    for (const Case& t : cases) {
        ScriptedPrinter ik;
        const QString usr = test::NewTempDir() + u"/"_s;
        auto st = test::PostcardState(ik, usr, 1);
        ik.bDialog = true;
        ik.bReady = t.bReady;
        ik.bOpen = t.bOpen;
        ik.nCode = 20;
        ik.nW = t.nW;
        test::MessageCapture msgs;
        EXPECT_FALSE(PrinterSetup(*st)) << t.what;
        EXPECT_EQ(msgs.messages(), t.messages) << t.what;
        EXPECT_EQ(st->page.sPaper, u"はがき(100x148mm)"_s) << t.what;
        EXPECT_EQ(st->page.nPaper, 43) << t.what;
        EXPECT_FALSE(st->page.bEnvelope) << t.what;
        // The working copy of step 2 has already been made.
        EXPECT_EQ(st->page.sPage, u"Wrk"_s) << t.what;
    }
}
