#include "batch/BatchCommand.h"
#include "batch/BatchSession.h"

#include "addresslist/AddressList.h"
#include "environment/UserEnv.h"
#include "session/ColumnStore.h"
#include "startup/StartUp.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace hoplark {

// Makes the load request that the program would make of "CODES FILE" (or "FILE") and prints
// what the list then holds: one JSON object per record line, with its display row.
int CmdRecords(BatchContext& ctx) {
    const BatchArgs a = ParseBatchArgs(ctx.args, QStringList{u"--codes"_s} + kListOptions);
    SessionRequest req;
    const QString sWrong = a.sError.isEmpty() && a.plain.size() == 1
                               ? ListRequestFrom(a, req)
                               : u"one address list is required"_s;
    if (!a.sError.isEmpty() || !sWrong.isEmpty()) {
        ctx.err << "hoplark-batch records: " << (a.sError.isEmpty() ? sWrong : a.sError) << '\n'
                << "usage: hoplark-batch records [--codes CODES | --columns auto]\n"
                   "         [--encoding auto|cp932|utf-8] FILE\n";
        return 2;
    }
    const QString sList = a.plain.first();
    if (!QFileInfo(sList).isFile()) {
        ctx.err << "hoplark-batch records: address list not found: " << sList << '\n';
        return 1;
    }
    // An absolute path: a relative one whose first word held no "/" could be taken for codes.
    const QString sPath = QFileInfo(sList).absoluteFilePath();
    AddressList adr;
    AddressList::Outcome outcome;
    if (req.bColumnsAuto) {
        // Saved choices live in the user's "User.xml", as the window keeps them.
        QString sUsrFld;
        if (const QString sMsg =
                PrepareUserFolder(ProgramFolder(), u"hoplark"_s, a.value(u"--data"_s), sUsrFld);
            !sMsg.isEmpty()) {
            ctx.err << "hoplark-batch records: " << OneLine(sMsg) << '\n';
            return 1;
        }
        UserEnv env;
        ReadUserEnv(env, sUsrFld);
        outcome = LoadByHeader(adr, env, sPath, req.enc);
    } else {
        outcome =
            adr.LoadAdrList(req.sCodes.isEmpty() ? sPath : req.sCodes + u' ' + sPath, req.enc);
    }
    if (outcome != AddressList::Outcome::Filled) {
        ctx.err << "hoplark-batch records: "
                << (adr.sLoadMsg.isEmpty() ? u"no records read from "_s + sList
                                           : OneLine(adr.sLoadMsg))
                << '\n';
        return 1;
    }
    if (!adr.sLoadMsg.isEmpty())
        ctx.err << "hoplark-batch records: warning: " << OneLine(adr.sLoadMsg) << '\n';
    for (qsizetype i = 0; i < adr.colAdr.size(); ++i) {
        const QJsonObject line{{u"record"_s, adr.colAdr.at(i)}, {u"row"_s, adr.Row(i)}};
        ctx.out << QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) << '\n';
    }
    return 0;
}

} // namespace hoplark
