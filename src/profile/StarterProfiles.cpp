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

struct Starter {
    const char16_t* name;
    int nPaper, nPaperW, nPaperH;
    bool bLandscape, bVertical;
    Layout lay;
};

// Spacing indexes: 3 "０．５０行", 5 "１．００行", 7 "１．５０行". Line counts: address 1
// "３行", 2 "４行"; names and sender 2 "３行".
//
// Vertical writing (default fonts, pitches 51 / 60 / 38 page units at 96 dpi): the first
// address column starts 12-15 mm from the right edge under the postal-code boxes (which end
// 20 mm from the top), the address and name spacings bring the first name column to the
// middle of the paper, names start below the boxes and end above the sender's postal-code
// boxes (25 mm from the bottom), and the sender columns at the left start below the stamp
// area (31 mm). Horizontal writing: the address starts below the stamp area, the sender
// block ends above the sender's postal-code boxes.
// はがき and 往復はがき (unfolded: the right half carries the recipient, the left the sender).
const Layout kPostcard{{40, 15, 8, 25, 8, 10, 35, 27},
                       {3, 5, 3, 3},
                       {12, 25, 35, 40, 26, 80, 28, 10},
                       {3, 7, 3, 3},
                       {2, 2, 2}};
const Layout kReplyCard{{40, 115, 8, 125, 8, 10, 135, 27},
                        {3, 5, 3, 3},
                        {12, 25, 35, 40, 26, 80, 28, 10},
                        {3, 7, 3, 3},
                        {2, 2, 2}};
// 長形3号; 長形4号 is narrow: three address columns keep the names clear of the sender.
const Layout kNaga3{{50, 20, 10, 30, 10, 15, 50, 30},
                    {3, 5, 3, 3},
                    {15, 30, 60, 50, 40, 130, 30, 10},
                    {5, 7, 3, 3},
                    {2, 2, 2}};
const Layout kNaga4{{50, 15, 8, 25, 8, 15, 35, 30},
                    {3, 5, 3, 3},
                    {12, 30, 50, 45, 35, 110, 30, 10},
                    {3, 7, 3, 3},
                    {1, 2, 2}};
const Layout kYou4{{50, 20, 10, 30, 10, 15, 40, 30},
                   {3, 5, 3, 3},
                   {15, 30, 60, 50, 40, 130, 30, 10},
                   {3, 7, 3, 3},
                   {2, 2, 2}};
const Layout kA4{{40, 25, 30, 35, 30, 25, 90, 30},
                 {3, 5, 3, 3},
                 {60, 40, 100, 50, 80, 170, 35, 15},
                 {3, 7, 3, 3},
                 {2, 2, 2}};

const Starter kStarters[] = {
    {u"はがき 縦書き", 43, 1000, 1480, false, true, kPostcard},
    {u"はがき 横書き", 43, 1000, 1480, false, false, kPostcard},
    {u"往復はがき", 69, 2000, 1480, true, true, kReplyCard},
    {u"長形3号封筒 縦書き", 73, 1200, 2350, false, true, kNaga3},
    {u"長形4号封筒 縦書き", 74, 900, 2050, false, true, kNaga4},
    {u"洋形4号封筒 横書き", 91, 1050, 2350, false, false, kYou4},
    {u"A4 横書き", 9, 2100, 2970, false, false, kA4},
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

    PageVars& v = p.page;
    v.sPage = p.sName;
    v.sPaper = PaperName(s.nPaper);
    v.nPaper = s.nPaper;
    v.nPaperW = s.nPaperW;
    v.nPaperH = s.nPaperH;
    v.bLandscape = s.bLandscape;
    v.bVertical = s.bVertical;
    v.bEnvelope = v.sPaper.contains(u"封筒"_s) || p.sName.contains(u"封筒"_s);
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
