#pragma once

#include <QString>

namespace hoplark {

// Rewrites the PDF file sPath, as Qt's PDF engine wrote it (and the text maps completed it),
// more compactly with the same pages: pages with byte-identical resources share one
// resources object, empty annotation arrays go, stream lengths are written in the stream
// dictionaries, the objects are numbered anew without gaps, and an incremental update is
// folded in (the newest version of each object kept), under one cross-reference table.
// The new file replaces the old one only when whole. A file not written that way is left as
// it is (true); false when the new file could not be written (the old one stays).
bool CompactPdf(const QString& sPath);

} // namespace hoplark
