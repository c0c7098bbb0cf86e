#include "platform/MsgBox.h"

#include <cstdio>

namespace hoplark {

namespace {
MsgBoxHandler& Handler() {
    static MsgBoxHandler handler;
    return handler;
}
} // namespace

void MsgBox(const QString& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    QString line = text;
    line.replace(QChar(13), QChar(10));
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

void SetMsgBoxHandler(MsgBoxHandler handler) {
    Handler() = std::move(handler);
}

} // namespace hoplark
