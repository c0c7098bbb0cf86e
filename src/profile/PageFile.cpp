#include "profile/PageFile.h"

#include "imaging/Imaging.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"
#include "profile/PaperTable.h"
#include "profile/PrintAdjust.h"
#include "profile/ProfileValues.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

const QString PageFile::kNoSettings = u"頁設定ﾌｧｲﾙから設定値を読み込めません"_s;

namespace {

const QString kPaperBlk = u"用紙指定"_s;
const QString kHorzBlk = u"配置横"_s;
const QString kVertBlk = u"配置縦"_s;
const QString kFormatBlk = u"書式設定"_s;

const QString kMxRwKeys[3] = {u"住所行数"_s, u"名前行数"_s, u"差出人行数"_s};
const QString kAdjKeys[2] = {u"横補正"_s, u"縦補正"_s};
const QString kYhkKeys[8] = {u"住所上余白"_s, u"住所左余白"_s, u"住所右余白"_s, u"名前左余白"_s,
                             u"名前右余白"_s, u"差出左余白"_s, u"差出右余白"_s, u"差出下余白"_s};
const QString kRwPtKeys[4] = {u"住所行間隔"_s, u"住名行間隔"_s, u"名前行間隔"_s, u"差出行間隔"_s};
const QString kYhkBKeys[8] = {u"住所右余白"_s, u"住所上余白"_s, u"住所下余白"_s, u"名前上余白"_s,
                              u"名前下余白"_s, u"差出上余白"_s, u"差出下余白"_s, u"差出左余白"_s};
const QString kRwPtBKeys[4] = {u"住所列間隔"_s, u"住名列間隔"_s, u"名前列間隔"_s, u"差出列間隔"_s};

// Keys of "書式設定" in file order: a font label, a check box or the honorific box.
enum class Kind { Font, Waku, Cnter, Sama };
struct FormatKey {
    QString key;
    Kind kind;
    int index;
};
const FormatKey kFormatKeys[] = {
    {u"宛先郵便"_s, Kind::Font, 0},  {u"宛先郵便枠"_s, Kind::Waku, 0},
    {u"宛先住所"_s, Kind::Font, 1},  {u"宛先肩書"_s, Kind::Font, 2},
    {u"宛先名前"_s, Kind::Font, 3},  {u"宛名中央"_s, Kind::Cnter, 0},
    {u"宛名敬称"_s, Kind::Sama, 0},  {u"差出郵便枠"_s, Kind::Waku, 1},
    {u"差出住所"_s, Kind::Font, 4},  {u"差出名前"_s, Kind::Font, 5},
    {u"差出中央"_s, Kind::Cnter, 1},
};

// A size key: the number of the text rounded; 0 when missing, not a number or out of range.
int SizeValue(const QString& text) {
    try {
        return Nearest(Num(text));
    } catch (const OverflowError&) {
        return 0;
    }
}

// Raises the busy flag for a scope and lowers it at the end, however the scope is left.
struct BusyRaised {
    explicit BusyRaised(bool& b) : flag(b) { flag = true; }
    ~BusyRaised() { flag = false; }
    bool& flag;
};

} // namespace

PageFile::PageFile(ProfileModel& model, PageVars& page, Imaging& ik, const QString& UsrFld,
                   bool& bBusy)
    : m_model(model), m_page(page), m_ik(ik), m_usrFld(UsrFld), m_bBusy(bBusy) {}

QString PageFile::PageBase(const QString& sName) const {
    return m_usrFld + u"Paper/"_s + sName;
}

void PageFile::BuildPage() {
    AtIni& o = m_oPage;
    const ProfileModel& m = m_model;
    o.InTxt(QString());

    o.SetBlk(kPaperBlk);
    o.SetTag(u"用紙"_s, m_page.sPaper);
    o.SetTag(u"用紙幅"_s, m_page.nPaperW);
    o.SetTag(u"用紙高"_s, m_page.nPaperH);
    o.SetTag(u"用紙方向"_s, m_page.bLandscape ? u"横"_s : u"縦"_s);
    o.SetTag(u"文字方向"_s, m.opMjhk[0] ? u"横"_s : u"縦"_s);
    o.SetTag(u"行追加"_s, m.chOvrRw == 1 ? u"可"_s : u"不可"_s);
    o.SetTag(u"県市区郡"_s, m.OptAdd[3] ? u"省略無"_s : m.OptAdd[4] ? u"県市省略"_s : u"県省略"_s);
    PutCheck(o, u"差出人表記"_s, m.ckSashi);
    for (int i = 0; i < 3; ++i)
        PutCombo(o, kMxRwKeys[i], m.cbMxRw[i]);
    // Always written, last: older readers skip keys they do not know.
    for (int i = 0; i < 2; ++i)
        o.SetTag(kAdjKeys[i], m.udAdj[i]);
    o.SetBlk(QString());

    o.SetBlk(kHorzBlk);
    for (int i = 0; i < 8; ++i)
        PutText(o, kYhkKeys[i], m.txYhk[i]);
    for (int i = 0; i < 4; ++i)
        PutCombo(o, kRwPtKeys[i], m.cbRwPt[i]);
    o.SetBlk(QString());

    o.SetBlk(kVertBlk);
    for (int i = 0; i < 8; ++i)
        PutText(o, kYhkBKeys[i], m.txYhkB[i]);
    for (int i = 0; i < 4; ++i)
        PutCombo(o, kRwPtBKeys[i], m.cbRwPtB[i]);
    o.SetBlk(QString());

    o.SetBlk(kFormatBlk);
    for (const FormatKey& k : kFormatKeys) {
        switch (k.kind) {
        case Kind::Font:
            PutFont(o, k.key, m.lbAdd[k.index]);
            break;
        case Kind::Waku:
            PutCheck(o, k.key, m.ckWaku[k.index]);
            break;
        case Kind::Cnter:
            PutCheck(o, k.key, m.ckCnter[k.index]);
            break;
        case Kind::Sama:
            PutText(o, k.key, m.txSama);
            break;
        }
    }
    o.SetBlk(QString());
}

QString PageFile::SavePage() {
    BusyRaised busy(m_bBusy);
    BuildPage();
    return m_oPage.SetTxt(PageBase(m_page.sPage) + u".ini"_s);
}

QString PageFile::LoadPage(const QString& sName) {
    m_page.sPage = sName;
    m_page.nPaperW = 0;
    m_page.nPaperH = 0;

    const QString sBase = PageBase(sName);
    for (const QString& sPath : {sBase + u".ik7"_s, sBase + u".ini"_s}) {
        if (!QFileInfo(sPath).isFile())
            return sPath + u" がありません"_s;
    }

    m_ik.LoadPrinterSettings(sBase + u".ik7"_s);
    m_page.sIk7 = sBase + u".ik7"_s;

    bool bOk = false;
    m_oPage.GetTxt(sBase + u".ini"_s, bOk);
    if (!bOk)
        return kNoSettings;

    ReadPaperBlock(sName);
    ReadLayoutBlocks();
    ReadFormatBlock();

    const bool bValid = SettlePaper();
    if (m_page.nPaperW > 0 && m_page.nPaperH > 0 && bValid)
        return {};
    return kNoSettings;
}

void PageFile::ReadPaperBlock(const QString& sName) {
    AtIni& o = m_oPage;
    ProfileModel& m = m_model;
    o.GetBlk(kPaperBlk);

    o.GetTag(u"用紙"_s, m_page.sPaper);
    m_page.bEnvelope = m_page.sPaper.contains(u"封筒"_s) || sName.contains(u"封筒"_s);
    m_page.nPaperW = SizeValue(o.TagText(u"用紙幅"_s));
    m_page.nPaperH = SizeValue(o.TagText(u"用紙高"_s));
    m_page.bLandscape = o.TagText(u"用紙方向"_s) == u"横"_s;
    SetMjhk(o.TagText(u"文字方向"_s) == u"縦"_s);
    m_page.bExtraOk = o.TagText(u"行追加"_s) == u"可"_s;

    const QString sOmit = o.TagText(u"県市区郡"_s);
    const int nOmit = sOmit == u"省略無"_s ? 3 : sOmit == u"県市省略"_s ? 4 : 5;
    for (int i = 3; i <= 5; ++i)
        m.OptAdd[i] = i == nOmit;

    m.chOvrRw = m_page.bExtraOk ? 1 : 0;
    m.opMjhk = {!m_page.bVertical, m_page.bVertical};

    GetCheck(o, u"差出人表記"_s, m.ckSashi);
    ApplySenderSwitch(m, m_page);
    for (int i = 0; i < 3; ++i)
        GetCombo(o, kMxRwKeys[i], m.cbMxRw[i], ProfileModel::MxRwList(i));

    // A profile without a correction prints where it always did. A value that cannot be
    // used is said once and read as 0: the profile itself is still good.
    for (int i = 0; i < 2; ++i) {
        const QString value = o.TagText(kAdjKeys[i]);
        const std::optional<int> n = value.trimmed().isEmpty() ? 0 : AdjValue(value);
        if (!n)
            MsgBox(AdjLoadedAsZeroText(kAdjKeys[i], value));
        m.udAdj[i] = n.value_or(0);
    }
}

void PageFile::ReadLayoutBlocks() {
    AtIni& o = m_oPage;
    ProfileModel& m = m_model;
    o.GetBlk(kHorzBlk);
    for (int i = 0; i < 8; ++i)
        GetText(o, kYhkKeys[i], m.txYhk[i]);
    for (int i = 0; i < 4; ++i)
        GetCombo(o, kRwPtKeys[i], m.cbRwPt[i], ProfileModel::RwPtList(i));

    o.GetBlk(kVertBlk);
    for (int i = 0; i < 8; ++i)
        GetText(o, kYhkBKeys[i], m.txYhkB[i]);
    for (int i = 0; i < 4; ++i)
        GetCombo(o, kRwPtBKeys[i], m.cbRwPtB[i], ProfileModel::RwPtBList(i));
}

void PageFile::ReadFormatBlock() {
    AtIni& o = m_oPage;
    ProfileModel& m = m_model;
    o.GetBlk(kFormatBlk);
    for (const FormatKey& k : kFormatKeys) {
        switch (k.kind) {
        case Kind::Font:
            GetFont(o, k.key, m.lbAdd[k.index]);
            break;
        case Kind::Waku:
            GetCheck(o, k.key, m.ckWaku[k.index]);
            break;
        // The name labels' alignment follows ckCnter; the window reads it from the model.
        case Kind::Cnter:
            GetCheck(o, k.key, m.ckCnter[k.index]);
            break;
        case Kind::Sama:
            GetText(o, k.key, m.txSama);
            break;
        }
    }
}

bool PageFile::SettlePaper() {
    if (m_page.nPaperW != 0 && m_page.nPaperH != 0) {
        const bool bValid = m_ik.PrinterReady();
        if (bValid)
            m_page.nPaper = m_ik.PaperCode();
        return bValid;
    }
    // No size in the file: paper code and size come from the printer settings; the paper
    // name keeps the file's value.
    int nCode = 0, nOrient = 0, nWidth = 0, nHeight = 0;
    QString sName;
    bool bOk = false;
    GetPrnPaper(m_ik, nCode, sName, nOrient, nWidth, nHeight, bOk);
    m_page.nPaper = nCode;
    m_page.nPaperW = nWidth;
    m_page.nPaperH = nHeight;
    return bOk;
}

void PageFile::SetMjhk(bool bV) {
    m_page.bVertical = bV;
}

void PageFile::ApplySenderSwitch(ProfileModel& model, PageVars& page) {
    page.bSender = model.ckSashi == 1;
    const int nColor = page.bSender ? 0 : kGrey;
    model.lbAdd[4].color = nColor;
    model.lbAdd[5].color = nColor;
}

} // namespace hoplark
