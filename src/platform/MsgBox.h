#pragma once

#include <QString>

#include <functional>

namespace hoplark {

// Every message of the program goes through here: OK only, no icon, title "Hoplark",
// a CR (code 13) breaks the line. The window program installs a QMessageBox handler;
// the batch tool and the tests install their own (stderr, capture).
void MsgBox(const QString& text);

using MsgBoxHandler = std::function<void(const QString&)>;
// nullptr restores the default, which writes the message to standard error.
void SetMsgBoxHandler(MsgBoxHandler handler);

} // namespace hoplark
