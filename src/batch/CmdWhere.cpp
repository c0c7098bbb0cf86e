#include "batch/BatchCommand.h"
#include "batch/BatchSession.h"

#include "platform/MsgBox.h"
#include "startup/StartUp.h"

using namespace Qt::StringLiterals;

namespace hoplark {

// The user data folder as the window program beside this one would find and create it:
// same program folder and "UserData.ini", and its name, "hoplark". Messages go to standard
// error through the default message handler.
int CmdWhere(BatchContext& ctx) {
    const BatchArgs a = ParseBatchArgs(ctx.args, {});
    if (!a.sError.isEmpty() || !a.plain.isEmpty()) {
        ctx.err << "usage: hoplark-batch where [--data DIR]\n";
        return 2;
    }
    QString sUsrFld;
    const QString sMsg =
        PrepareUserFolder(ProgramFolder(), u"hoplark"_s, a.value(u"--data"_s), sUsrFld);
    if (!sMsg.isEmpty()) {
        MsgBox(sMsg);
        return 1;
    }
    ctx.out << sUsrFld << '\n';
    return 0;
}

} // namespace hoplark
