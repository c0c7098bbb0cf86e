#include "imaging/WinColor.h"

#include <iterator>

namespace hoplark {

QColor WinColor(int nColor) {
    if (nColor < 0) {
        // Default colours of the Windows system colour indexes (COLOR_SCROLLBAR...).
        static constexpr QRgb kSystem[] = {0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0,
                                           0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000,
                                           0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF,
                                           0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000,
                                           0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xFFFFE1};
        const unsigned index = static_cast<unsigned>(nColor) & 0xFFFFFFu;
        return index < std::size(kSystem) ? QColor(kSystem[index]) : QColor(Qt::black);
    }
    return QColor(nColor & 0xFF, (nColor >> 8) & 0xFF, (nColor >> 16) & 0xFF);
}

} // namespace hoplark
