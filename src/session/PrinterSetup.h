#pragma once

#include <QString>

namespace hoplark {

class Session;

// The working profile printer set-up switches to, and its printer-settings file.
inline constexpr char16_t kWrkPage[] = u"Wrk";
QString WrkIk7Path(const QString& UsrFld);

// "ﾌﾟﾘﾝﾀ設定": the printer dialog on the working copy "Wrk" of the current profile's printer
// settings (copied only when the working profile is not current yet), then the chosen paper
// becomes the current paper and the preview is redrawn. Returns true when the paper was taken
// over (the window then shows the new paper name, page.sPaper). Failures are shown through
// MsgBox: "ﾌﾟﾘﾝﾀの設定が出来ませんでした" when the paper cannot be queried, a message naming
// the file when the working copy cannot be made.
bool PrinterSetup(Session& st);

} // namespace hoplark
