// The user environment file "User.xml": read, the group "印刷" selected and its values read
// as the session does (profile name, honorific rules), each also as the other kinds of value;
// then the values stored back as the close sequence does.
// Input: the file.
#include "FuzzSupport.h"

#include "addresslist/SamaRules.h"
#include "environment/UserEnv.h"

#include <QDate>
#include <QDateTime>

using namespace Qt::StringLiterals;
using namespace hoplark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzz::WriteInput(u"User.xml"_s, data, size);
    UserEnv env;
    bool bOk = false;
    env.GetTxt(path, bOk);
    if (!bOk)
        return 0;

    const QString kGroup = u"印刷"_s;
    const QString kProfile = u"用紙"_s;
    env.GetGtx(kGroup);
    SamaRules sama;
    sama.ReadSamaRule(env.vGtVal(u"重複敬称"_s, QString()).toString(),
                      env.vGtVal(u"敬称SPC"_s, u"1"_s).toString());
    for (const QString& key : {kProfile, u"重複敬称"_s, u"敬称SPC"_s}) {
        bool bBool = true;
        env.vGtVal(key, false, &bBool);
        env.vGtVal(key, 0.0);
        env.vGtVal(key, QDate(2000, 1, 1));
        env.vGtVal(key, QDateTime());
    }

    QString sList, sFlag;
    sama.GetSamaRule(sList, sFlag);
    const QString sYoshi = u"はがき 縦書き"_s;
    env.SetVal(kProfile, sYoshi);
    env.SetVal(u"重複敬称"_s, sList);
    env.SetVal(u"敬称SPC"_s, sFlag);
    env.SetGtx();
    // Whatever the file held, the profile just stored is the one the next start reads.
    env.GetGtx(kGroup);
    if (env.vGtVal(kProfile, QString()).toString() != sYoshi)
        std::abort();
    return 0;
}
