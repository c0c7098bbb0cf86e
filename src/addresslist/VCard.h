#pragma once

#include <QString>

namespace hoplark {

// vCard address books (versions 2.1, 3.0 and 4.0, as address books export them).

// True when the text is a vCard file: it begins, after blank lines, with BEGIN:VCARD.
bool IsVCard(QStringView text);

// The cards of a vCard text as a CSV list whose header names its columns (postal code,
// prefecture, locality, street, extended address, country, organisation, department, title,
// name), one line a card, every value quoted. A card with several addresses gives the one
// marked HOME, else the first; a country that is Japan is left out. Folded lines, escapes
// (\, \; \n \\) and quoted-printable values (in the card's charset: UTF-8 or Shift-JIS) are
// decoded. The name is family and given name (N) with a full-width space, else FN.
QString VCardToCsv(QStringView text);

} // namespace hoplark
