#pragma once

#include <QString>

namespace hoplark {

class GlyphTextLog;

// Completes the text maps (ToUnicode) of the fonts in the PDF file sPath, as Qt's PDF engine
// wrote it, with what log says the glyphs stand for. The file gets an incremental update: the
// new maps under the old object numbers, a cross-reference section and a trailer that points
// back to the old one; the body stays as it was. A font is changed only when it matches a face
// of the log beyond doubt (name, glyph count, and every glyph Qt could map); a file that needs
// nothing is left untouched. False when the update could not be written (the file is cut back
// to what it was, if possible, but must not be used).
bool CompletePdfTextMaps(const QString& sPath, const GlyphTextLog& log);

} // namespace hoplark
