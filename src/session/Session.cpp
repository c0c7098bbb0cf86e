#include "session/Session.h"

#include "compose/ComposePage.h"
#include "environment/UserEnv.h"
#include "imaging/Imaging.h"
#include "platform/OutputFile.h"
#include "sender/Sasi.h"
#include "session/ColumnStore.h"
#include "session/OptAddHandOff.h"

#include <QDir>

#include <exception>
#include <utility>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kGroup = u"印刷"_s;

// A run-time error of layout or composition ends the drawing; what was drawn stays.
template <typename F> QString Guarded(F&& draw) {
    try {
        draw();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

Session::Session(Imaging& ik) : ik(ik), m_pm(model, page, ik, UsrFld, bBusy) {}

QString Session::Load(UserEnv& env, const QString& sProfile, qint16 nSender,
                      const LoadHooks& hooks) {
    const bool bWasBusy = bBusy;
    bBusy = true;
    // The window draws once it is shown, not in the middle of its load sequence.
    const auto refresh = std::exchange(m_pm.RefreshPreview, nullptr);
    env.GetGtx(kGroup);
    const QString sYoshi =
        sProfile.isNull() ? env.vGtVal(u"用紙"_s, QString()).toString() : sProfile;
    // Nothing stored yet (a first run): the starter list. A stored list, even an empty one,
    // is the user's.
    if (env.HasKey(u"重複敬称"_s))
        sama.ReadSamaRule(env.vGtVal(u"重複敬称"_s, QString()).toString(),
                          env.vGtVal(u"敬称SPC"_s, u"1"_s).toString());
    else
        sama.ReadSamaRule(SamaRules::kStarterList,
                          env.vGtVal(u"敬称SPC"_s, SamaRules::kStarterFlag).toString());
    m_pm.ListPages(sYoshi);
    if (hooks.listed)
        hooks.listed();
    if (hooks.tabs)
        hooks.tabs();
    QString sMsg;
    // A profile asked for by name is that profile or an error, never another one.
    const bool bByName = !sProfile.isNull();
    if (bByName || !m_pm.Pages().isEmpty()) {
        sMsg = bByName ? m_pm.File().LoadPage(sProfile) : m_pm.OpenPage();
        if (hooks.opened)
            hooks.opened();
    }
    const SasiView view = ShowSasi(UsrFld, nSender);
    txAdd = view.txAdd;
    if (hooks.sender)
        hooks.sender(view, nSender);
    m_pm.RefreshPreview = refresh;
    bBusy = bWasBusy;
    return sMsg;
}

void Session::StorePreferences(UserEnv& env, const QString& sYoshi) {
    QString sList;
    QString sFlag;
    sama.GetSamaRule(sList, sFlag);
    StoreSamaRules(env, sList, sFlag, &sYoshi);
}

void Session::StoreSamaRules(UserEnv& env, const QString& sList, const QString& sFlag,
                             const QString* sYoshi) {
    env.GetGtx(kGroup);
    if (sYoshi)
        env.SetVal(u"用紙"_s, *sYoshi);
    env.SetVal(u"重複敬称"_s, sList);
    env.SetVal(u"敬称SPC"_s, sFlag);
    env.SetGtx();
}

AddressList::Outcome Session::LoadList(const QString& sCm, ListEncoding enc, const ColumnMap& map) {
    const AddressList::Outcome outcome = adr.LoadAdrList(sCm, enc, map);
    if (outcome == AddressList::Outcome::Filled)
        sListFile = SplitLoadRequest(sCm).sPath;
    HandOffOptAdd(outcome, adr, model);
    return outcome;
}

AddressList::Outcome Session::LoadListByHeader(UserEnv& env, const QString& sPath, ListEncoding enc,
                                               const AskColumns& ask) {
    const AddressList::Outcome outcome = LoadByHeader(adr, env, sPath, enc, ask);
    if (outcome == AddressList::Outcome::Filled)
        sListFile = sPath;
    HandOffOptAdd(outcome, adr, model);
    return outcome;
}

QString Session::RefuseOutput(const QString& sPath) const {
    const QString sKey = SameFileKey(sPath);
    if (sKey.isEmpty())
        return {};
    QStringList inputs{sListFile, UsrFld + u"User.xml"_s, SasiPath(UsrFld)};
    const QDir paper(UsrFld + u"Paper"_s);
    for (const QString& sFile :
         paper.entryList({u"*.ini"_s, u"*.ik7"_s, u"*.ik7.prnTxt"_s}, QDir::Files))
        inputs << paper.filePath(sFile);
    for (const QString& sIn : inputs)
        if (!sIn.isEmpty() && SameFileKey(sIn) == sKey)
            return u"ファイル %1 には出力できません"_s.arg(sPath) + QChar(13) +
                   u"宛名リストや設定のファイルが上書きされてしまいます"_s;
    return {};
}

Canvas Session::PreviewCanvas() {
    return Canvas{ik, model, page, lay, nTab, 96};
}

ComposeInput Session::Record(int nRow) {
    return ComposeInput{adr.Record(nRow), adr.bFullLay, sama, txAdd};
}

void Session::TakeResult(const ComposeResult& r) {
    for (size_t i = 0; i < lbAddCaption.size(); ++i)
        if (r.lbAddCaption[i])
            lbAddCaption[i] = *r.lbAddCaption[i];
    lay.bAdrExtra = r.bAdrExtra;
    lay.bNameExtra = r.bNameExtra;
}

QString Session::RefreshPreview() {
    if (m_bJob)
        return {};
    return Guarded([this] {
        Canvas cv = PreviewCanvas();
        lay.bPrinting = false;
        ik.ResetImage(0);
        lay.nTgtDc = ik.ImageHandle();
        TakeResult(ComposePage(cv, Record(adr.nAdrIdx), ComposeMode::Preview));
    });
}

QString Session::SelectRow(int nRow) {
    if (bBusy)
        return {};
    adr.nAdrIdx = nRow;
    if (lay.bAdrExtra || lay.bNameExtra || lay.bGuides)
        return RefreshPreview();
    return Guarded([this] {
        Canvas cv = PreviewCanvas();
        lay.bPrinting = false;
        lay.nTgtDc = ik.ImageHandle();
        const ComposeInput in = Record(adr.nAdrIdx);
        // A record that needs an extra line is laid out anew with it.
        const FittedRecord f = FitRecord(cv, in);
        if (f.r.bFitAdr || f.r.bFitName) {
            TakeResult(ComposePage(cv, in, ComposeMode::Preview));
            return;
        }
        TakeResult(DrawRecord(cv, in, f, ComposeMode::Redraw));
    });
}

} // namespace hoplark
