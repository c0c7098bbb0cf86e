#pragma once

#include <QString>

#include <optional>

namespace hoplark {

// The print position correction (印刷位置の補正) of a profile: how far every printed mark is
// moved, across (+ right) and down (+ down), in whole 0.1 mm. Printers feed postcards and
// envelopes a little off; this moves the print instead of the paper.
inline constexpr int kAdjMax = 100; // 10.0 mm either way

// A stored value ("15", "-7"): a whole number within ±kAdjMax; nothing otherwise.
std::optional<int> AdjValue(const QString& value);
// A value typed in millimetres ("1.5", "-0.3", "+2"): at most one decimal, within ±10.0 mm;
// nothing otherwise. Returns tenths.
std::optional<int> AdjFromMm(const QString& mm);
// Tenths as millimetres with one decimal: 15 → "1.5", -5 → "-0.5".
QString AdjMmText(int nTenths);

// What a user is told when a correction cannot be taken.
QString AdjRefusedText(const QString& value);
// The same for a profile file's key; the profile is loaded with 0 in its place.
QString AdjLoadedAsZeroText(const QString& sKey, const QString& value);

} // namespace hoplark
