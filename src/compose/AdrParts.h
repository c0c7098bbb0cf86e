#pragma once

#include <QString>

namespace hoplark {

struct Canvas;
struct ComposeInput;

// Cuts the record into postal code, address text and names text: prefecture or
// prefecture and city dropped as nOmit asks, the affiliation appended to the address after a
// CR mark, honorifics placed, characters converted for vertical writing. ok is false (and
// nothing else set) when the list or the current record line is empty.
void GetAdrParts(const Canvas& cv, const ComposeInput& in, QString& zip, QString& address,
                 QString& names, bool& ok);

// text without one leading and one trailing sep (each only if present).
QString TrimSepOnce(const QString& text, const QString& sep);

} // namespace hoplark
