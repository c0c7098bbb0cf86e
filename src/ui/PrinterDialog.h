#pragma once

namespace hoplark {

// Installs Qt's printer dialog as the imaging layer's printer dialog (a widget, so the window
// program brings it).
void InstallPrinterDialog();

} // namespace hoplark
