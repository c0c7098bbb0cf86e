#include "ui/PanelColor.h"
#include "imaging/WinColor.h"

namespace hoplark {

int QColorToWinColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

} // namespace hoplark
