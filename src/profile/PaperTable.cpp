#include "profile/PaperTable.h"

#include "imaging/Imaging.h"
#include "platform/Numbers.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kUserDefined = u"ﾕｰｻﾞｰ設定"_s;

const QHash<int, QString>& NameTable() {
    static const QHash<int, QString> table{
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
    return table;
}

// Trim as the original did: blanks only, not the ideographic space.
QString TrimBlanks(const QString& s) {
    qsizetype first = 0, last = s.size();
    while (first < last && s.at(first) == u' ')
        ++first;
    while (last > first && s.at(last - 1) == u' ')
        --last;
    return s.mid(first, last - first);
}

} // namespace

QString PaperName(int nCode) {
    return NameTable().value(nCode, kUserDefined);
}

void GetPrnPaper(Imaging& ik, int& nCode, QString& sName, int& nOrient, int& nWidth, int& nHeight,
                 bool& bOk) {
    bOk = ik.PrinterReady();
    if (!bOk)
        return;
    nCode = ik.PaperCode();
    sName = PaperName(nCode);
    nOrient = ik.PaperOrientation();
    bOk = ik.OpenPrinter(1);
    if (!bOk)
        return;
    const int nHandle = ik.PrinterHandle();
    int nOffX = 0, nOffY = 0, nPrintW = 0, nPrintH = 0, nPaperW = nWidth, nPaperH = nHeight;
    ik.PageMetrics(nHandle, nOffX, nOffY, nPrintW, nPrintH, nPaperW, nPaperH, 1);
    nWidth = nPaperW;
    nHeight = nPaperH;
    bOk = ik.ClosePrinter();
}

QString ProposedPaperName(const QString& sPaper, int nPaperW, int nPaperH, bool bLandscape) {
    QString s = sPaper;
    if (s == kUserDefined)
        s += u"("_s + NumText(nPaperW / 10.0) + u"mm x "_s + NumText(nPaperH / 10.0) + u"mm)"_s;
    if (bLandscape && !s.contains(u"横"_s))
        s = TrimBlanks(s) + u" 横"_s;
    return s;
}

} // namespace hoplark
