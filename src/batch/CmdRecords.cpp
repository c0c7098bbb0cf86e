#include "batch/BatchCommand.h"
#include "batch/BatchSession.h"

#include "addresslist/AddressList.h"

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
    AddressList adr;
    adr.LoadAdrList(a.has(u"--codes"_s) ? a.value(u"--codes"_s) + u' ' + a.plain.first()
                                        : a.plain.first());
    for (qsizetype i = 0; i < adr.colAdr.size(); ++i) {
        const QJsonObject line{{u"record"_s, adr.colAdr.at(i)}, {u"row"_s, adr.rows.at(i)}};
        ctx.out << QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) << '\n';
    }
    return 0;
}

} // namespace hoplark
