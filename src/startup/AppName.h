#pragma once

#include <QString>

namespace hoplark {

// The program name AppNm: the program file's name without its extension, and without a
// trailing "_dv" in any letter case ("Hoplark_DV.exe" and "/opt/x/hoplark_dv" give the same
// name as their plain forms).
QString AppNameOf(const QString& sProgramFile);

} // namespace hoplark
