#include "session/PrinterSetup.h"

#include "imaging/Imaging.h"
#include "platform/MsgBox.h"
#include "platform/TextFile.h"
#include "profile/PaperTable.h"
#include "session/Session.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Replaces sTo by a copy of sFrom; a failed copy leaves sTo as it was.
QString CopyOver(const QString& sFrom, const QString& sTo) {
    bool bOk = false;
    const QByteArray bytes = ReadBinaryFile(sFrom, &bOk);
    if (!bOk)
        return u"ファイル %1 を読み込めません"_s.arg(sFrom);
    return WriteBinaryFile(sTo, bytes);
}

// The working copy of the current printer settings, made once: later runs go straight to
// the dialog on the copy.
QString MakeWorkingCopy(Session& st) {
    const QString sWrk = WrkIk7Path(st.UsrFld);
    if (QFileInfo::exists(st.page.sIk7)) {
        QString sMsg = CopyOver(st.page.sIk7, sWrk);
        if (sMsg.isEmpty()) {
            const QString sTxt = st.page.sIk7 + u".prnTxt"_s;
            // A profile without its companion must not leave another profile's companion
            // beside the copy.
            if (QFileInfo::exists(sTxt))
                sMsg = CopyOver(sTxt, sWrk + u".prnTxt"_s);
            else
                QFile::remove(sWrk + u".prnTxt"_s);
        }
        if (!sMsg.isEmpty())
            return sMsg;
    }
    st.ik.LoadPrinterSettings(sWrk);
    st.page.sIk7 = sWrk;
    st.page.sPage = QString::fromUtf16(kWrkPage);
    return {};
}

} // namespace

QString WrkIk7Path(const QString& UsrFld) {
    return UsrFld + u"Paper/Wrk.ik7"_s;
}

bool PrinterSetup(Session& st) {
    PageVars& p = st.page;
    if (p.sIk7.isEmpty())
        return false;
    if (p.sPage != QString::fromUtf16(kWrkPage)) {
        const QString sMsg = MakeWorkingCopy(st);
        if (!sMsg.isEmpty()) {
            MsgBox(sMsg);
            return false;
        }
    }
    if (!st.ik.PrintDialog())
        return false;

    // The query fills only what it reaches; a size of 0 counts as failure without a message.
    int nCode = p.nPaper, nOrient = p.bLandscape ? 2 : 1, nW = 0, nH = 0;
    QString sName = p.sPaper;
    bool bOk = false;
    GetPrnPaper(st.ik, nCode, sName, nOrient, nW, nH, bOk);
    if (!bOk) {
        MsgBox(u"ﾌﾟﾘﾝﾀの設定が出来ませんでした"_s);
        return false;
    }
    if (nW == 0 || nH == 0)
        return false;

    p.bLandscape = nOrient == 2;
    p.bEnvelope = sName.contains(u"封筒"_s);
    p.sPaper = sName;
    p.nPaper = nCode;
    p.nPaperW = nW;
    p.nPaperH = nH;
    const QString sMsg = st.RefreshPreview();
    if (!sMsg.isEmpty())
        MsgBox(sMsg);
    return true;
}

} // namespace hoplark
