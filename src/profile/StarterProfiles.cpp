#include "profile/StarterProfiles.h"

#include "imaging/PrinterSettings.h"
#include "imaging/TraceImaging.h"
#include "platform/ShareFolder.h"
#include "platform/TextFile.h"
#include "profile/PageFile.h"
#include "profile/PaperTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Margins in mm (text boxes), spacings and line counts as list indexes of their boxes.
struct Layout {
    std::array<int, 8>
        yhk; // 配置横: 住所上, 住所左, 住所右, 名前左, 名前右, 差出左, 差出右, 差出下
    std::array<int, 4> rwPt; // 住所行, 住名行, 名前行, 差出行間隔
    std::array<int, 8>
        yhkB; // 配置縦: 住所右, 住所上, 住所下, 名前上, 名前下, 差出上, 差出下, 差出左
    std::array<int, 4> rwPtB; // 住所列, 住名列, 名前列, 差出列間隔
    std::array<int, 3> mxRw;  // 住所行数, 名前行数, 差出人行数
};

// Font sizes in points, in the order of the font labels: recipient postal code, address,
// title, name, sender postal code, sender. Sizes are whole screen pixels at 96 dpi (multiples
// of 0.75 pt), as a font dialog gives them.
using Sizes = std::array<double, 6>;

struct Starter {
    const char16_t* name;
    int nPaper, nPaperW, nPaperH;
    bool bLandscape, bVertical;
    Layout lay;
    Sizes pt;
};

// Spacing indexes: 0 "なし", 2 "０．２５行", 3 "０．５０行", 4 "０．７５行", 5 "１．００行",
// 7 "１．５０行". Line counts: address 1 "３行"; names and sender 1 "２行", 2 "３行".
// The address-to-name spacing is at least one line: affiliation lines are drawn one address
// pitch further on, and the last of them must stay clear of the name.
//
// Vertical writing, as a typesetter sets a 年賀状 (pitches at 96 dpi): the address columns
// start under the postal-code boxes at the right edge, the name stands on the paper's middle
// in a size well above the address (a single name is drawn half-way between the first two
// name columns, a name under a title in the second: the margins put the centre line between
// these two places, so both stay within 4 % of it), and the sender block sits
// in the lower left, ending above its postal-code boxes. The affiliation is drawn between the
// address and the name sizes, the title smaller than the address. Horizontal writing: the
// address starts below the stamp area, the name in the middle of the paper's height, the
// sender block ends above its postal-code boxes.
// はがき and 往復はがき (unfolded: the right half carries the recipient, the left the sender).
const Layout kPostcard{{38, 8, 8, 10, 10, 10, 35, 27},
                       {3, 5, 3, 3},
                       {9, 26, 8, 27, 20, 62, 27, 10},
                       {2, 5, 0, 3},
                       {1, 1, 2}};
const Sizes kPostcardPt{14.25, 13.5, 11.25, 28.5, 9, 9.75};
const Sizes kPostcardHPt{14.25, 12, 9.75, 21.75, 9, 9};
const Layout kReplyCard{{38, 108, 8, 110, 10, 10, 135, 27},
                        {3, 5, 3, 3},
                        {9, 26, 8, 27, 20, 62, 27, 10},
                        {2, 5, 0, 3},
                        {1, 1, 2}};
// Envelopes: 長形3号 at a larger scale; 長形4号 is narrow, so its columns stand closer and
// the names stay clear of the sender even with an extra address column; 洋形4号 lies on its
// long side, postal code at the upper right.
const Layout kNaga3{{40, 25, 30, 30, 30, 25, 90, 30},
                    {3, 5, 3, 3},
                    {9, 30, 10, 35, 30, 110, 35, 10},
                    {2, 5, 0, 3},
                    {1, 1, 2}};
const Sizes kNaga3Pt{15.75, 18, 13.5, 36, 10.5, 10.5};
const Layout kNaga4{{40, 15, 8, 10, 10, 15, 35, 30},
                    {3, 5, 3, 3},
                    {8, 28, 10, 32, 28, 95, 32, 10},
                    {2, 5, 0, 3},
                    {1, 1, 2}};
const Sizes kNaga4Pt{14.25, 12, 11.25, 27, 9, 9};
const Layout kYou4{{25, 70, 30, 70, 70, 12, 173, 27},
                   {3, 4, 2, 2},
                   {9, 26, 8, 27, 20, 62, 27, 12},
                   {3, 2, 3, 3},
                   {0, 1, 3}};
const Sizes kYou4Pt{14.25, 14.25, 11.25, 25.5, 9, 9};
const Layout kA4{{40, 25, 30, 30, 30, 25, 90, 30},
                 {3, 5, 3, 3},
                 {60, 40, 100, 50, 80, 170, 35, 15},
                 {3, 7, 3, 3},
                 {1, 1, 2}};

const Starter kStarters[] = {
    {u"はがき 縦書き", 43, 1000, 1480, false, true, kPostcard, kPostcardPt},
    {u"はがき 横書き", 43, 1000, 1480, false, false, kPostcard, kPostcardHPt},
    {u"往復はがき", 69, 2000, 1480, true, true, kReplyCard, kPostcardPt},
    {u"長形3号封筒 縦書き", 73, 1200, 2350, false, true, kNaga3, kNaga3Pt},
    {u"長形4号封筒 縦書き", 74, 900, 2050, false, true, kNaga4, kNaga4Pt},
    {u"洋形4号封筒 横書き", 91, 2350, 1050, true, false, kYou4, kYou4Pt},
    {u"A4 横書き", 9, 2100, 2970, false, false, kA4, kNaga3Pt},
};

StarterProfile Build(const Starter& s) {
    StarterProfile p{
        QString::fromUtf16(s.name), s.nPaper, s.nPaperW, s.nPaperH, s.bLandscape, {}, {}};
    ProfileModel& m = p.model;
    m.opMjhk = {!s.bVertical, s.bVertical};
    for (int i = 0; i < 8; ++i) {
        m.txYhk[i] = QString::number(s.lay.yhk[i]);
        m.txYhkB[i] = QString::number(s.lay.yhkB[i]);
    }
    for (int i = 0; i < 4; ++i) {
        m.cbRwPt[i] = {ProfileModel::RwPtList(i).at(s.lay.rwPt[i]), s.lay.rwPt[i]};
        m.cbRwPtB[i] = {ProfileModel::RwPtBList(i).at(s.lay.rwPtB[i]), s.lay.rwPtB[i]};
    }
    for (int i = 0; i < 3; ++i)
        m.cbMxRw[i] = {ProfileModel::MxRwList(i).at(s.lay.mxRw[i]), s.lay.mxRw[i]};
    // Mincho throughout, as addresses are written; the vertical forms take its fixed-pitch
    // face anyway.
    for (int i = 0; i < 6; ++i)
        m.lbAdd[i] = FontSpec{u"ＭＳ 明朝"_s, s.pt[i]};
    m.ckCnter = {1, 1};
    // The whole address, and an extra line rather than a lost one.
    m.OptAdd = {false, true, false, true, false, false};
    m.chOvrRw = 1;

    PageVars& v = p.page;
    v.sPage = p.sName;
    v.sPaper = PaperName(s.nPaper);
    v.nPaper = s.nPaper;
    v.nPaperW = s.nPaperW;
    v.nPaperH = s.nPaperH;
    v.bLandscape = s.bLandscape;
    v.bVertical = s.bVertical;
    v.bEnvelope = v.sPaper.contains(u"封筒"_s) || p.sName.contains(u"封筒"_s);
    v.bExtraOk = true;
    return p;
}

} // namespace

QList<StarterProfile> StarterProfiles() {
    QList<StarterProfile> list;
    for (const Starter& s : kStarters)
        list << Build(s);
    return list;
}

QString WriteStarterProfiles(const QString& sDir) {
    TraceImaging ik; // writing a profile asks nothing of the printer
    bool bBusy = false;
    const QString sFolder = sDir.endsWith(u'/') ? sDir : sDir + u'/';
    for (StarterProfile& p : StarterProfiles()) {
        PageFile file(p.model, p.page, ik, QString(), bBusy);
        file.BuildPage();
        const QString sBase = sFolder + p.sName;
        if (QString sMsg = file.oPage().SetTxt(sBase + u".ini"_s); !sMsg.isEmpty())
            return sMsg;
        const PrinterSettings ps =
            PrinterSettings::FromPage(p.nPaper, p.nPaperW, p.nPaperH, p.bLandscape);
        if (QString sMsg = ps.Write(sBase + u".ik7"_s); !sMsg.isEmpty())
            return sMsg;
    }
    return {};
}

namespace {

QString StarterFolder(const QString& sFromDir) {
    return sFromDir.isEmpty() ? ShareFolder() + u"paper"_s : sFromDir;
}

// Copies the shipped files for which bWanted(target path) holds.
template <typename Pred>
QStringList CopyStarters(const QString& sPaperDir, const QString& sFromDir, QString* pMsg,
                         Pred bWanted) {
    const QString sFrom = StarterFolder(sFromDir);
    QStringList copied;
    const QDir from(sFrom);
    const QStringList filters{u"*.ini"_s, u"*.ik7"_s, u"*.ik7.prnTxt"_s};
    for (const QString& sFile : from.entryList(filters, QDir::Files, QDir::Name)) {
        const QString sTarget = QDir(sPaperDir).filePath(sFile);
        if (!bWanted(sTarget))
            continue;
        bool bOk = false;
        const QByteArray bytes = ReadBinaryFile(from.filePath(sFile), &bOk);
        if (!bOk)
            continue;
        if (const QString sMsg = WriteBinaryFile(sTarget, bytes); !sMsg.isEmpty()) {
            if (pMsg && pMsg->isEmpty())
                *pMsg = sMsg;
            continue;
        }
        copied << sFile;
    }
    return copied;
}

bool Broken(const QString& sPath) {
    const QFileInfo fi(sPath);
    if (!fi.isFile() || fi.isSymLink())
        return false;
    if (fi.size() == 0)
        return true;
    if (!sPath.endsWith(u".ini"_s))
        return false;
    bool bOk = false;
    const QString sText = ReadTextFile(sPath, &bOk);
    return bOk && !sText.contains(u"<用紙指定>"_s, Qt::CaseInsensitive);
}

} // namespace

QStringList SeedStarterProfiles(const QString& sPaperDir, const QString& sFromDir, QString* pMsg) {
    // A program copied without its share/hoplark would start with no profile at all: say
    // where the shipped ones were looked for.
    if (const QString sFrom = StarterFolder(sFromDir); !QFileInfo(sFrom).isDir()) {
        if (pMsg && pMsg->isEmpty())
            *pMsg = u"ﾌｫﾙﾀﾞ "_s + sFrom + u" が見つかりません"_s;
        return {};
    }
    return CopyStarters(sPaperDir, sFromDir, pMsg, [](const QString& sTarget) {
        return !QFileInfo::exists(sTarget) && !QFileInfo(sTarget).isSymLink();
    });
}

QString SeedSampleSender(const QString& sPaperDir) {
    const QString sTarget = QDir(sPaperDir).filePath(u"差出人.ini"_s);
    if (QFileInfo::exists(sTarget) || QFileInfo(sTarget).isSymLink())
        return {};
    bool bOk = false;
    const QByteArray bytes = ReadBinaryFile(ShareFolder() + u"sample/差出人.ini"_s, &bOk);
    return bOk ? WriteBinaryFile(sTarget, bytes) : QString();
}

QStringList RepairStarterProfiles(const QString& sPaperDir, const QString& sFromDir,
                                  QString* pMsg) {
    return CopyStarters(sPaperDir, sFromDir, pMsg, Broken);
}

} // namespace hoplark
