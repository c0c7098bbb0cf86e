#pragma once

#include <QByteArray>
#include <QHash>

namespace hoplark {

// Glyph substitutions of a font's OpenType "vert" feature: the glyphs that punctuation,
// brackets, the long-vowel mark and small kana take in vertical writing. Qt 6.4 cannot
// switch the feature on, so the font's GSUB table is read here.
//
// Only single substitutions are taken (lookup type 1, formats 1 and 2, also inside type 7
// extension lookups); lookups apply in list order. The table is checked at every read, so a
// damaged or foreign table gives fewer or no substitutions, never a read outside it.
QHash<quint32, quint32> ReadVertSubstitutions(const QByteArray& gsub);

} // namespace hoplark
