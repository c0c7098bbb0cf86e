#include "startup/StartUp.h"

#include "profile/StarterProfiles.h"
#include "startup/UserData.h"
#include "startup/YIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

QString ProgramFolder() {
    QString s = QCoreApplication::applicationDirPath();
    if (!s.endsWith(QChar(u'/')))
        s += QChar(u'/');
    return s;
}

QString PrepareUserFolder(const QString& sProgFld, const QString& sAppNm, const QString& sDataDir,
                          QString& sUsrFld) {
    bool bCreated = false;
    if (sDataDir.isEmpty()) {
        sUsrFld = W_UserData(sProgFld, sAppNm, &bCreated);
    } else {
        sUsrFld = QDir::cleanPath(QDir(sDataDir).absolutePath());
        if (!sUsrFld.endsWith(QChar(u'/')))
            sUsrFld += QChar(u'/');
        // A folder made here is a first run too, and starts with the shipped profiles.
        bCreated = !QFileInfo(sUsrFld).isDir();
        if (bCreated)
            F_CreateFld(sUsrFld);
    }
    const QString sEnd = QChar(13) + u"ﾌﾟﾛｸﾞﾗﾑを終了します"_s;
    if (!QFileInfo(sUsrFld).isDir())
        return u"ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞ "_s + sUsrFld + u" を作成できません"_s + sEnd;
    const QString sMsg = F_ChkSb(sUsrFld, {u"Data"_s, u"Paper"_s});
    // A first run starts with the shipped profiles.
    if (sMsg.isEmpty() && bCreated)
        SeedStarterProfiles(sUsrFld + u"Paper"_s);
    return sMsg.isEmpty() ? sMsg : sMsg + sEnd;
}

QString StartUpCore(YIni& ini, const QString& sProgFld, const QString& sAppNm,
                    const QString& sDataDir) {
    ini.AppNm = sAppNm;
    const QString sMsg = PrepareUserFolder(sProgFld, sAppNm, sDataDir, ini.UsrFld);
    if (!sMsg.isEmpty())
        return sMsg;
    // Whether the environment could be read is not looked at: its values then read as
    // their defaults.
    bool bOk = false;
    ini.GetTxt(ini.UsrFld + u"User.xml"_s, bOk);
    return {};
}

QString CommandLine(const QStringList& args) {
    QString s = args.join(QChar(u' '));
    s.remove(QChar(u'"'));
    return s;
}

} // namespace hoplark
