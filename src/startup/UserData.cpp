#include "startup/UserData.h"

#include "platform/MsgBox.h"
#include "platform/ShareFolder.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kUseDefault = u"ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞは　"_s;

QString WithSlash(QString s) {
    if (!s.endsWith(QChar(u'/')))
        s += QChar(u'/');
    return s;
}

QSettings PathStore() {
    return QSettings(u"MarbrookTools"_s);
}

} // namespace

QString FsGtSpFld(int nFlg) {
    QString s;
    if (nFlg == 26)
        s = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    else if (nFlg == 5)
        s = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    while (s.endsWith(QChar(u'/')))
        s.chop(1);
    return s;
}

QStringList F_CreateFld(const QString& sFd) {
    QStringList made;
    if (QFileInfo(sFd).isDir())
        return made;
    const QString s = WithSlash(sFd);
    // The first "/" is the root's; every further one ends a level.
    qsizetype n = s.indexOf(QChar(u'/'));
    for (n = s.indexOf(QChar(u'/'), n + 1); n >= 0; n = s.indexOf(QChar(u'/'), n + 1)) {
        const QString sPart = s.left(n);
        if (sPart.isEmpty() || QFileInfo(sPart).isDir())
            continue;
        if (QDir().mkdir(sPart))
            made << sPart;
    }
    return made;
}

QString F_ChkSb(const QString& sPh, const QStringList& Ary) {
    for (const QString& sName : Ary) {
        const QString sSub = sPh + sName;
        if (!QFileInfo(sSub).isDir() && !QDir().mkdir(sSub))
            return u"ﾌｫﾙﾀﾞ "_s + sSub + u" を作成できません"_s;
    }
    return {};
}

QString ProgramPathRecord(const QString& sAppNm) {
    QSettings st = PathStore();
    st.beginGroup(u"Path"_s);
    return st.value(sAppNm, QString()).toString();
}

void RecordProgramPath(const QString& sProgFld, const QString& sAppNm) {
    // Compared exactly: on this system two paths that differ in letter case are two programs.
    const QString sPath = sProgFld + sAppNm;
    if (ProgramPathRecord(sAppNm) == sPath)
        return;
    QSettings st = PathStore();
    st.beginGroup(u"Path"_s);
    st.setValue(sAppNm, sPath);
}

QString DefaultUserFolder(const QString& sAppNm) {
    return FsGtSpFld(26) + u"/Marbrook/"_s + sAppNm + u"/"_s;
}

QString SystemUserDataIni() {
    return QStringLiteral(HOPLARK_SYSCONFDIR "/hoplark/UserData.ini");
}

QString W_UserData(const QString& sProgFld, const QString& sAppNm, bool* pbCreated,
                   const QString& sSysIni) {
    if (pbCreated)
        *pbCreated = false;
    RecordProgramPath(sProgFld, sAppNm);
    const QString DefFld = DefaultUserFolder(sAppNm);

    QString Spec = u"%applicaion data%"_s;
    const QString sProgIni = sProgFld + u"UserData.ini"_s;
    // The file beside the program first, so a copy run from its own folder keeps its own.
    const QString sIni =
        QFileInfo(sProgIni).isFile() || !QFileInfo(sSysIni).isFile() ? sProgIni : sSysIni;
    if (QFileInfo(sIni).isFile()) {
        bool bRead = false;
        const QString sText = ReadTextFile(sIni, &bRead);
        if (!bRead) {
            MsgBox(sIni + u" が読み込めません"_s + QChar(13) + kUseDefault + DefFld +
                   u" を使用します"_s);
        } else if (sText.isEmpty() || sText.startsWith(QChar(13)) || sText.startsWith(QChar(10))) {
            MsgBox(u" ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞが定義されていません"_s + QChar(13) + DefFld +
                   u" を使用します"_s);
        } else {
            Spec = sText;
        }
    } else if (!QFileInfo(ShareFolder(sProgFld)).isDir()) {
        // An installed program without the file simply uses the default; a program run from
        // a folder of its own should have one.
        MsgBox(sProgIni + u" が見つかりません"_s + QChar(13) + kUseDefault + DefFld +
               u" を使用します"_s);
    }

    // Keywords in any letter case; a folder path keeps its own, since here letter case
    // tells folders apart.
    const QString sKey = Spec.toLower();
    QString UsrFld;
    if (sKey == u"%app%"_s) {
        UsrFld = sProgFld + u"usData/"_s;
    } else if (sKey == u"%usr%"_s || sKey == u"%applicaion data%"_s) {
        UsrFld = DefFld;
    } else if (sKey == u"%doc"_s || sKey == u"%my document%"_s) {
        UsrFld = FsGtSpFld(5) + u"/Marbrook/"_s + sAppNm + u"/"_s;
    } else if (sKey.startsWith(QChar(u'%'))) {
        UsrFld = DefFld;
    } else if (QFileInfo(Spec).isDir()) {
        UsrFld = WithSlash(QDir::isAbsolutePath(Spec) ? Spec : QFileInfo(Spec).absoluteFilePath());
    } else {
        MsgBox(u"ﾌｫﾙﾀﾞ "_s + Spec + u" が見つかりません"_s + QChar(13) + kUseDefault + DefFld +
               u" を使用します"_s);
        UsrFld = DefFld;
    }
    if (!QFileInfo(UsrFld).isDir()) {
        F_CreateFld(UsrFld);
        if (pbCreated)
            *pbCreated = QFileInfo(UsrFld).isDir();
    }
    return UsrFld;
}

} // namespace hoplark
