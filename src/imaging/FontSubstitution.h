#pragma once

#include <QString>

namespace hoplark {

// Profiles name the Windows fonts they were made with (ＭＳ ゴシック, MS PMincho, HGｺﾞｼｯｸM...).
// fontconfig maps those to DejaVu, which has no kanji, so they are mapped here to the IPA font
// of the same kind: fixed pitch to IPAGothic / IPAMincho, proportional to IPAPGothic /
// IPAPMincho, gothic or mincho by the name.

// The installed family to draw sName with. A Windows name resolves through the table (or, for
// an unlisted HG or MS name, by its kind); another name that an installed family carries is
// used as it is; anything else is IPAGothic.
QString SubstituteFontFamily(const QString& sName);

// Registers the table with QFont::insertSubstitutions, so that widgets given a profile's font
// name (the font samples of the settings panel) show the same IPA font. Safe to call again.
void InstallFontSubstitutions();

} // namespace hoplark
