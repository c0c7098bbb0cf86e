#include "batch/BatchCommand.h"
#include "batch/BatchSession.h"

#include "addresslist/AddressList.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace hoplark {

// Makes the load request that the program would make of "CODES FILE" (or "FILE") and prints
// what the list then holds: one JSON object per record line, with its display row.
int CmdRecords(BatchContext& ctx) {
    const BatchArgs a = ParseBatchArgs(ctx.args, {u"--codes"_s});
    if (!a.sError.isEmpty() || a.plain.size() != 1) {
        ctx.err << "usage: hoplark-batch records [--codes CODES] FILE\n";
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
    if (adr.LoadAdrList(a.has(u"--codes"_s) ? a.value(u"--codes"_s) + u' ' + sPath : sPath) ==
        AddressList::Outcome::Unchanged) {
        ctx.err << "hoplark-batch records: no records read from " << sList << '\n';
        return 1;
    }
    for (qsizetype i = 0; i < adr.colAdr.size(); ++i) {
        const QJsonObject line{{u"record"_s, adr.colAdr.at(i)}, {u"row"_s, adr.rows.at(i)}};
        ctx.out << QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) << '\n';
    }
    return 0;
}

} // namespace hoplark
