#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace hoplark {

// What every hoplark-batch command gets: its arguments (the command name and any
// "--data DIR" already taken out), the data folder asked for (empty: resolve as the window
// program does) and UTF-8 streams for output and messages.
struct BatchContext {
    QStringList args;
    QString dataDir;
    QTextStream& out;
    QTextStream& err;
};

// Each command returns the process exit status; 2 means the command line itself is wrong.
int CmdWhere(BatchContext& ctx);
int CmdRecords(BatchContext& ctx);
int CmdSama(BatchContext& ctx);
int CmdPreview(BatchContext& ctx);
int CmdPrint(BatchContext& ctx);

} // namespace hoplark
