#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace hoplark {

// What every hoplark-batch command gets: its arguments (the command name taken out; "--data
// DIR" is an option like the others) and UTF-8 streams for output and messages.
struct BatchContext {
    QStringList args;
    QTextStream& out;
    QTextStream& err;
};

// Each command returns the process exit status: 0 success (a warning on standard error is
// possible), 1 failure (one line on standard error says why), 2 a wrong command line.
int CmdWhere(BatchContext& ctx);
int CmdRecords(BatchContext& ctx);
int CmdSama(BatchContext& ctx);
int CmdPreview(BatchContext& ctx);
int CmdPrint(BatchContext& ctx);
int CmdCalibrate(BatchContext& ctx);

} // namespace hoplark
