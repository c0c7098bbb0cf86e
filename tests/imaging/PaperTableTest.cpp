#include "profile/PaperTable.h"
#include "imaging/TraceImaging.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

TEST(PaperTable, EveryEntryByItsCode) {
    const std::pair<int, QString> table[] = {
        {1, u"ﾚﾀｰ(8.5x11ｲﾝﾁ)"_s},
        {2, u"ﾚﾀｰ小(8.5x11ｲﾝﾁ)"_s},
        {3, u"ﾀﾌﾞﾛｲﾄﾞ紙(11x17ｲﾝﾁ)"_s},
        {4, u"ﾚｼﾞｬｰ(17x11ｲﾝﾁ)"_s},
        {5, u"ﾘｰｶﾞﾙ(8.5x14ｲﾝﾁ)"_s},
        {6, u"申告用紙(5.5x8.5ｲﾝﾁ)"_s},
        {7, u"ｴｸﾞｾﾞｸﾃｨﾌﾞ(7.5x10.5ｲﾝﾁ)"_s},
        {8, u"A3(297x420mm)"_s},
        {9, u"A4(210x297mm)"_s},
        {10, u"A4小(210x297mm)"_s},
        {11, u"A5(148x210mm)"_s},
        {12, u"B4(250x354mm)"_s},
        {13, u"B5(182x257mm)"_s},
        {14, u"二つ折り(8.5x13ｲﾝﾁ)"_s},
        {15, u"四つ折り(215x275mm)"_s},
        {16, u"10x14ｲﾝﾁ"_s},
        {17, u"11x17ｲﾝﾁ"_s},
        {18, u"ﾉｰﾄ用紙(8.5x11ｲﾝﾁ)"_s},
        {19, u"#9封筒(3.875x8.875ｲﾝﾁ)"_s},
        {20, u"#10封筒(4.125x9.5ｲﾝﾁ)"_s},
        {21, u"#11封筒(4.5x10.375ｲﾝﾁ)"_s},
        {22, u"#12封筒(4.5x11ｲﾝﾁ)"_s},
        {23, u"#14封筒(5x11.5ｲﾝﾁ)"_s},
        {24, u"Cｻｲｽﾞ用紙"_s},
        {25, u"Dｻｲｽﾞ用紙"_s},
        {26, u"Eｻｲｽﾞ用紙"_s},
        {27, u"DL封筒(110x220mm)"_s},
        {28, u"C5封筒(162x229mm)"_s},
        {29, u"C3封筒(324x458mm)"_s},
        {30, u"C4封筒(229x324mm)"_s},
        {31, u"C6封筒(114x162mm)"_s},
        {32, u"C65封筒(114x229mm)"_s},
        {33, u"B4封筒(250x353mm)"_s},
        {34, u"B5封筒(176x250mm)"_s},
        {35, u"B6封筒(176x125mm)"_s},
        {36, u"封筒(110x230mm)"_s},
        {37, u"最高級封筒(3.875x7.5ｲﾝﾁ)"_s},
        {38, u"封筒(3.625x6.5ｲﾝﾁ)"_s},
        {39, u"米国標準ﾌｧﾝﾌｫｰﾙﾄﾞ(14.875x11ｲﾝﾁ)"_s},
        {40, u"ﾄﾞｲﾂ標準ﾌｧﾝﾌｫｰﾙﾄﾞ(8.5x12ｲﾝﾁ)"_s},
        {41, u"ﾄﾞｲﾂﾘｰｶﾞﾙﾌｧﾝﾌｫｰﾙﾄﾞ(8.5x13ｲﾝﾁ)"_s},
        {43, u"はがき(100x148mm)"_s},
        {69, u"往復はがき(200x148mm)"_s},
        {73, u"長形3号封筒(120x235mm)"_s},
        {74, u"長形4号封筒(90x205mm)"_s},
        {91, u"洋風4号封筒(105x235mm)"_s},
        {150, u"洋風6号封筒(98x190mm)"_s},
        {151, u"L判(89x127mm)"_s},
        {152, u"2L判(127x178mm)"_s},
        {153, u"ﾊﾟﾉﾗﾏ(89x254mm)"_s},
        {154, u"CD-R ﾄﾚｲB(131x238.7mm)"_s},
        {155, u"名刺(55x91mm)"_s},
        {156, u"ｶｰﾄﾞ(54x86mm)"_s},
    };
    ASSERT_EQ(std::size(table), 53u);
    QList<int> codes;
    for (const auto& [code, name] : table) {
        EXPECT_EQ(PaperName(code), name) << code;
        codes << code;
    }
    // Every other code, around and between the entries, is user-defined.
    for (int code = -3; code <= 300; ++code) {
        if (!codes.contains(code)) {
            EXPECT_EQ(PaperName(code), u"ﾕｰｻﾞｰ設定"_s) << code;
        }
    }
    EXPECT_EQ(PaperName(-32768), u"ﾕｰｻﾞｰ設定"_s);
}

TEST(PaperTable, ProposedNames) {
    struct Case {
        QString paper;
        int w, h;
        bool landscape;
        QString expected;
    };
    const Case cases[] = {
        {u"A4(210x297mm)"_s, 2970, 2100, true, u"A4(210x297mm) 横"_s},
        {u"A4(210x297mm)"_s, 2100, 2970, false, u"A4(210x297mm)"_s},
        {u"はがき 横"_s, 1480, 1000, true, u"はがき 横"_s},
        {u"ﾕｰｻﾞｰ設定"_s, 1000, 1480, false, u"ﾕｰｻﾞｰ設定(100mm x 148mm)"_s},
        {u"ﾕｰｻﾞｰ設定"_s, 2350, 1200, true, u"ﾕｰｻﾞｰ設定(235mm x 120mm) 横"_s},
        {u"ﾕｰｻﾞｰ設定"_s, 2387, 1315, false, u"ﾕｰｻﾞｰ設定(238.7mm x 131.5mm)"_s},
        {u"  名刺  "_s, 910, 550, true, u"名刺 横"_s},
        {u"  名刺  "_s, 550, 910, false, u"  名刺  "_s},
        {u"ﾕｰｻﾞｰ設定 "_s, 1000, 1000, false, u"ﾕｰｻﾞｰ設定 "_s}, // not exactly the name
        {QString(), 0, 0, true, u" 横"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProposedPaperName(c.paper, c.w, c.h, c.landscape), c.expected)
            << c.paper.toStdString();
}

namespace {

// A printer whose answers are set by the test; every query is recorded in order.
class FakePrinter : public TraceImaging {
public:
    bool bReady = true, bOpens = true, bCloses = true;
    int nCode = 9, nOrient = 2, nPaperW = 2970, nPaperH = 2100;
    QStringList calls;

    bool PrinterReady() override {
        calls << u"PrinterReady"_s;
        return bReady;
    }
    int PaperCode() override {
        calls << u"PaperCode"_s;
        return nCode;
    }
    int PaperOrientation() override {
        calls << u"PaperOrientation"_s;
        return nOrient;
    }
    bool OpenPrinter(int nOpt) override {
        calls << u"OpenPrinter %1"_s.arg(nOpt);
        return bOpens;
    }
    int PrinterHandle() override {
        calls << u"PrinterHandle"_s;
        return 42;
    }
    bool PageMetrics(int nHandle, int& nOffX, int& nOffY, int& nPrintW, int& nPrintH, int& nW,
                     int& nH, int nUnit) override {
        calls << u"PageMetrics %1 %2"_s.arg(nHandle).arg(nUnit);
        nOffX = 30;
        nOffY = 40;
        nPrintW = nPaperW - 60;
        nPrintH = nPaperH - 80;
        nW = nPaperW;
        nH = nPaperH;
        return true;
    }
    bool ClosePrinter() override {
        calls << u"ClosePrinter"_s;
        return bCloses;
    }
};

struct Outputs {
    int nCode = -1, nOrient = -1, nWidth = -1, nHeight = -1;
    QString sName = u"unchanged"_s;
    bool bOk = false;
};

Outputs Query(FakePrinter& ik) {
    Outputs o;
    o.bOk = !ik.bReady; // bOk is always set: start it at the opposite
    GetPrnPaper(ik, o.nCode, o.sName, o.nOrient, o.nWidth, o.nHeight, o.bOk);
    return o;
}

} // namespace

TEST(GetPrnPaper, ReadsPaperInTheOrderGiven) {
    FakePrinter ik;
    const Outputs o = Query(ik);
    EXPECT_TRUE(o.bOk);
    EXPECT_EQ(o.nCode, 9);
    EXPECT_EQ(o.sName, u"A4(210x297mm)"_s);
    EXPECT_EQ(o.nOrient, 2);
    EXPECT_EQ(o.nWidth, 2970);
    EXPECT_EQ(o.nHeight, 2100);
    EXPECT_EQ(ik.calls, (QStringList{u"PrinterReady"_s, u"PaperCode"_s, u"PaperOrientation"_s,
                                     u"OpenPrinter 1"_s, u"PrinterHandle"_s, u"PageMetrics 42 1"_s,
                                     u"ClosePrinter"_s}));
}

TEST(GetPrnPaper, SettingsNotReadyLeaveEverythingUnchanged) {
    FakePrinter ik;
    ik.bReady = false;
    const Outputs o = Query(ik);
    EXPECT_FALSE(o.bOk);
    EXPECT_EQ(o.nCode, -1);
    EXPECT_EQ(o.sName, u"unchanged"_s);
    EXPECT_EQ(o.nOrient, -1);
    EXPECT_EQ(o.nWidth, -1);
    EXPECT_EQ(o.nHeight, -1);
    EXPECT_EQ(ik.calls, QStringList{u"PrinterReady"_s});
}

TEST(GetPrnPaper, PrinterThatCannotOpenGivesNoSize) {
    FakePrinter ik;
    ik.bOpens = false;
    ik.nCode = 150;
    ik.nOrient = 1;
    const Outputs o = Query(ik);
    EXPECT_FALSE(o.bOk);
    EXPECT_EQ(o.nCode, 150);
    EXPECT_EQ(o.sName, u"洋風6号封筒(98x190mm)"_s);
    EXPECT_EQ(o.nOrient, 1);
    EXPECT_EQ(o.nWidth, -1);
    EXPECT_EQ(o.nHeight, -1);
    EXPECT_FALSE(ik.calls.contains(u"ClosePrinter"_s));
}

TEST(GetPrnPaper, CloseResultIsTheResult) {
    FakePrinter ik;
    ik.bCloses = false;
    ik.nCode = 42;
    const Outputs o = Query(ik);
    EXPECT_FALSE(o.bOk);
    EXPECT_EQ(o.sName, u"ﾕｰｻﾞｰ設定"_s);
    EXPECT_EQ(o.nWidth, 2970) << "the size was reached before the close";
}
