#include "profile/ProfileManager.h"

#include "platform/Cp932.h"
#include "platform/MsgBox.h"
#include "platform/TextFile.h"
#include "profile/PaperTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

const QString ProfileManager::kMenuTitle = u"用紙・配置(&F)"_s;

namespace {

const QString kWrk = u"Wrk"_s;

// One file that a save replaces, with what it held before so a failed save can put it back.
struct Replaced {
    QString path;
    bool bExisted = false;
    QByteArray old;
};

void Restore(const QList<Replaced>& done) {
    for (const Replaced& r : done) {
        if (r.bExisted)
            WriteBinaryFile(r.path, r.old);
        else
            QFile::remove(r.path);
    }
}

Replaced Remember(const QString& path) {
    Replaced r{path, QFileInfo(path).isFile(), {}};
    if (r.bExisted)
        r.old = ReadBinaryFile(path);
    return r;
}

} // namespace

ProfileManager::ProfileManager(ProfileModel& model, PageVars& page, Imaging& ik,
                               const QString& UsrFld, bool& bBusy)
    : m_page(page), m_usrFld(UsrFld), m_bBusy(bBusy), m_file(model, page, ik, UsrFld, bBusy) {}

const QStringList& ProfileManager::MenuCaptions() {
    static const QStringList captions{
        u"ﾌﾟﾘﾝﾀ設定"_s,        u"-"_s, u"上書保存"_s,        u"名前を変更"_s, u"-"_s,
        u"名前を付けて保存"_s, u"-"_s, u"現在の登録を削除"_s};
    return captions;
}

QString ProfileManager::ListText() const {
    return m_index >= 0 && m_index < m_pages.size() ? m_pages.at(m_index) : QString();
}

void ProfileManager::NotifyList() const {
    if (ListChanged)
        ListChanged();
}

void ProfileManager::SelectPage(int nIndex) {
    m_index = nIndex >= 0 && nIndex < m_pages.size() ? nIndex : -1;
    NotifyList();
    if (!m_bBusy && m_index >= 0)
        OpenPage();
}

void ProfileManager::ListPages(const QString& sSel) {
    const QString sFolder = m_usrFld + u"Paper"_s;
    if (!QFileInfo(sFolder).isDir()) {
        QDir().mkpath(sFolder);
        return;
    }

    m_pages.clear();
    m_index = -1;
    // Sorted without regard to case, as the Windows folder listing came.
    const QStringList files = QDir(sFolder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (QString name : files) {
        if (name == u"Wrk.ik7"_s || name == u"Print.ik7"_s || !name.endsWith(u".ik7"_s))
            continue;
        m_pages << name.remove(u".ik7"_s);
    }
    if (m_pages.isEmpty()) {
        NotifyList();
        return;
    }
    int nSel = 0;
    if (!sSel.isEmpty() && m_pages.contains(sSel))
        nSel = static_cast<int>(m_pages.indexOf(sSel));
    SelectPage(nSel);
}

QString ProfileManager::OpenPage() {
    const QString sMsg = m_file.LoadPage(ListText());
    m_bMenus = sMsg.isEmpty();
    m_bOpened = true;
    if (!sMsg.isEmpty()) {
        MsgBox(sMsg);
        const bool bWas = m_bBusy;
        m_bBusy = true;
        m_index = -1;
        m_bBusy = bWas;
        NotifyList();
    } else {
        NotifyList();
        if (RefreshPreview)
            RefreshPreview();
    }
    return sMsg;
}

bool ProfileManager::ValidPageName(const QString& sName) {
    return !sName.isEmpty() && sName != u"."_s && sName != u".."_s && !sName.contains(u'/') &&
           !sName.contains(QChar(0));
}

QString ProfileManager::ProposedName(int nMode) const {
    if (m_page.sPage != kWrk)
        return m_page.sPage.isEmpty() ? ListText() : m_page.sPage;
    if (nMode == 0)
        return ListText();
    return ProposedPaperName(m_page.sPaper, m_page.nPaperW, m_page.nPaperH, m_page.bLandscape);
}

QString ProfileManager::SavePageAs(int nMode) {
    m_bBusy = true;
    QString sName = ProposedName(nMode);
    if (nMode == 1 || nMode == 2) {
        const QString sPrompt = u"登録名を入力して下さい("_s +
                                (nMode == 1 ? u"名前を変更"_s : u"名前を付けて保存"_s) + u")"_s;
        const std::optional<QString> answer =
            InputBoxHook ? InputBoxHook(sPrompt, u"用紙･配置"_s, sName) : std::nullopt;
        if (!answer || answer->isEmpty()) {
            m_bBusy = false;
            return {};
        }
        sName = *answer;
    }
    // Nothing is loaded that could be saved (the menu is disabled then).
    if (m_page.sPage.isEmpty()) {
        m_bBusy = false;
        return {};
    }

    QString sMsg;
    if (const QString sBad = EncodeCp932(sName).unmappable; !sBad.isEmpty()) {
        // The name is kept in Shift-JIS files ("User.xml").
        sMsg = u"「%1」は登録名に使えません(保存できない文字があります: %2)"_s.arg(sName, sBad);
    } else if (!ValidPageName(sName)) {
        sMsg = u"「%1」は登録名に使えません(ファイル名にできない名前です)"_s.arg(sName);
    } else if (sName != m_page.sPage) {
        const QString sOld = ListText();
        sMsg = WriteUnderNewName(sName);
        // A rename removes the old profile only once the new one is complete on disk.
        if (sMsg.isEmpty() && nMode == 1 && !sOld.isEmpty() && sOld != sName)
            DelPage(sOld);
    } else {
        sMsg = m_file.SavePage();
    }
    m_bBusy = false;
    if (!sMsg.isEmpty()) {
        MsgBox(sMsg);
        return sMsg;
    }
    ListPages(sName);
    m_bBusy = false;
    return {};
}

// Copies the current ".ik7" and ".ik7.prnTxt" to sName and writes its ".ini"; either all
// three files are in place or none has changed. The page becomes sName on success.
QString ProfileManager::WriteUnderNewName(const QString& sName) {
    const QString sIk7 = m_page.sIk7;
    const QString sSources[2] = {sIk7, sIk7 + u".prnTxt"_s};
    QByteArray bytes[2];
    for (int i = 0; i < 2; ++i) {
        if (!QFileInfo(sSources[i]).isFile())
            return sSources[i] + u" がありません"_s;
        bool bOk = false;
        bytes[i] = ReadBinaryFile(sSources[i], &bOk);
        if (!bOk)
            return u"ファイル %1 を読み込めません"_s.arg(sSources[i]);
    }

    const QString sBase = m_file.PageBase(sName);
    const QString sTargets[2] = {sBase + u".ik7"_s, sBase + u".ik7.prnTxt"_s};
    QList<Replaced> done;
    for (int i = 0; i < 2; ++i) {
        done << Remember(sTargets[i]);
        if (const QString sMsg = WriteBinaryFile(sTargets[i], bytes[i]); !sMsg.isEmpty()) {
            done.removeLast(); // QSaveFile left this one untouched
            Restore(done);
            return sMsg;
        }
    }
    m_file.BuildPage();
    if (const QString sMsg = m_file.oPage().SetTxt(sBase + u".ini"_s); !sMsg.isEmpty()) {
        Restore(done);
        return sMsg;
    }
    m_page.sIk7 = sTargets[0];
    m_page.sPage = sName;
    return {};
}

void ProfileManager::DelPage(const QString& sName) {
    const QString sBase = m_file.PageBase(sName);
    for (const QString& sPath : {sBase + u".ik7"_s, sBase + u".ik7.prnTxt"_s, sBase + u".ini"_s}) {
        // A read-only file is left alone rather than forced.
        if (!(QFile::permissions(sPath) & QFileDevice::WriteOwner))
            continue;
        QFile::remove(sPath);
    }
}

void ProfileManager::mnPage_Click(int nIndex) {
    switch (nIndex) {
    case 0:
        if (PrinterSetup)
            PrinterSetup();
        break;
    case 2:
        SavePageAs(0);
        break;
    case 3:
        SavePageAs(1);
        break;
    case 5:
        SavePageAs(2);
        break;
    case 7:
        DelPage(ListText());
        ListPages(QString());
        break;
    default:
        break;
    }
}

} // namespace hoplark
