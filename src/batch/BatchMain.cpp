#include "batch/BatchMain.h"

#include "batch/BatchCommand.h"

#include <QGuiApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

struct Command {
    QString name;
    int (*run)(BatchContext&);
    QString usage;
};

const QList<Command>& Commands() {
    static const QList<Command> commands{
        {u"where"_s, CmdWhere, u"where [--data DIR]"_s},
        {u"records"_s, CmdRecords,
         u"records [--codes CODES | --columns auto] [--encoding E] FILE"_s},
        {u"sama"_s, CmdSama, u"sama [--list L] [--spc 0|1] [--default S] [--honorific H] NAMES"_s},
        {u"preview"_s, CmdPreview,
         u"preview --profile NAME [--codes CODES | --columns auto] [--encoding E] LIST [--row N] "
         u"[--sender N] [--size PX] "
         u"--png OUT [--trace OUT.jsonl]"_s},
        {u"print"_s, CmdPrint,
         u"print --profile NAME [--codes CODES | --columns auto] [--encoding E] LIST [--rows "
         u"all|current:N|after:N|select:N,...] "
         u"[--sender N] (--pdf OUT.pdf | --printer QUEUE) [--trace OUT.jsonl] [--progress] "
         u"[--offset X,Y]"_s},
        {u"calibrate"_s, CmdCalibrate,
         u"calibrate --profile NAME (--pdf OUT.pdf | --printer QUEUE) [--offset X,Y] "
         u"[--trace OUT.jsonl]"_s},
    };
    return commands;
}

void Usage(QTextStream& err) {
    err << "usage: hoplark-batch COMMAND [--data DIR] ...\n";
    for (const Command& c : Commands())
        err << "  hoplark-batch " << c.usage << '\n';
    err.flush();
}

QtMessageHandler g_defaultHandler = nullptr;

// Scripts read standard error as the command's own messages: Qt's note that a session without
// XDG_RUNTIME_DIR gets a folder of its own (as under cron or ssh) is no fault of the command.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& sMsg) {
    if (type == QtWarningMsg && sMsg.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set"_s))
        return;
    g_defaultHandler(type, context, sMsg);
}

} // namespace

int BatchMain(int argc, char** argv) {
    // Drawing and PDF output need QtGui, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments().mid(1);
    // "--data DIR" may also come before the command; anywhere else it is the command's option.
    if (args.size() >= 3 && args.first() == u"--data"_s)
        args.move(2, 0);
    if (args.isEmpty()) {
        Usage(err);
        return 2;
    }
    const QString name = args.takeFirst();
    for (const Command& c : Commands()) {
        if (c.name == name) {
            BatchContext ctx{args, out, err};
            const int rc = c.run(ctx);
            out.flush();
            err.flush();
            return rc;
        }
    }
    Usage(err);
    return 2;
}

} // namespace hoplark
