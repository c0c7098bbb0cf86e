#include "batch/BatchCommand.h"
#include "batch/BatchSession.h"

#include "addresslist/SamaRules.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace hoplark {

// Reads the honorific rules as the window does at start, places the honorifics in one names
// field and prints the result.
int CmdSama(BatchContext& ctx) {
    // Defaults as the window reads them from a fresh "User.xml" and a new profile. The flag
    // is passed on as stored, so odd stored values can be tried too.
    const BatchArgs a =
        ParseBatchArgs(ctx.args, {u"--list"_s, u"--spc"_s, u"--default"_s, u"--honorific"_s});
    if (!a.sError.isEmpty() || a.plain.size() != 1) {
        ctx.err << "usage: hoplark-batch sama [--list L] [--spc 0|1] [--default S] "
                   "[--honorific H] NAMES\n";
        return 2;
    }
    SamaRules sama;
    // Without --list, the rules of a first run; a list given (even empty) keeps flag "1".
    const bool bList = a.has(u"--list"_s);
    const QString sFlag = bList ? u"1"_s : SamaRules::kStarterFlag;
    sama.ReadSamaRule(bList ? a.value(u"--list"_s) : SamaRules::kStarterList,
                      a.has(u"--spc"_s) ? a.value(u"--spc"_s) : sFlag);
    QString sNames = a.plain.first();
    QString sHonorific = a.value(u"--honorific"_s);
    sama.ApplySama(sNames, sHonorific, a.has(u"--default"_s) ? a.value(u"--default"_s) : u"様"_s);
    const QJsonObject result{
        {u"names"_s, sNames}, {u"honorific"_s, sHonorific}, {u"dotSama"_s, sama.sDotSama}};
    ctx.out << QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact)) << '\n';
    return 0;
}

} // namespace hoplark
