#include "startup/StartUp.h"

#include "environment/UserEnv.h"
#include "platform/MsgBox.h"
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
    if (!sMsg.isEmpty())
        return sMsg + sEnd;
    // A first run starts with the shipped profiles; a later one mends those a full disk left
    // empty. Either may fail on a full disk again: that is said, and the program goes on.
    QString sSeedMsg;
    if (bCreated) {
        SeedStarterProfiles(sUsrFld + u"Paper"_s, {}, &sSeedMsg);
        // A sample sender too, so the first postcard printed is a whole one.
        if (const QString sMsg = SeedSampleSender(sUsrFld + u"Paper"_s); sSeedMsg.isEmpty())
            sSeedMsg = sMsg;
    } else
        RepairStarterProfiles(sUsrFld + u"Paper"_s, {}, &sSeedMsg);
    if (!sSeedMsg.isEmpty())
        MsgBox(sSeedMsg + QChar(13) + u"付属のファイル(用紙設定・差出人)を用意できませんでした"_s);
    return {};
}

QString StartUpCore(YIni& ini, const QString& sProgFld, const QString& sAppNm,
                    const QString& sDataDir) {
    ini.AppNm = sAppNm;
    const QString sMsg = PrepareUserFolder(sProgFld, sAppNm, sDataDir, ini.UsrFld);
    if (!sMsg.isEmpty())
        return sMsg;
    ReadUserEnv(ini, ini.UsrFld);
    return {};
}

void ReadUserEnv(UserEnv& env, const QString& sUsrFld) {
    // A missing or empty environment is no fault: its values read as their defaults.
    bool bOk = false;
    env.GetTxt(sUsrFld + u"User.xml"_s, bOk);
    if (!env.ReadMessage().isEmpty())
        MsgBox(env.ReadMessage() + QChar(13) +
               u"設定は既定の値で始め、このファイルには書き込みません"_s);
}

QString CommandLine(const QStringList& args) {
    QString s = args.join(QChar(u' '));
    s.remove(QChar(u'"'));
    return s;
}

} // namespace hoplark
