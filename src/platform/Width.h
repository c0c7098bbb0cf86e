#pragma once

#include <QString>

namespace hoplark {

// Width conversions as Japanese Windows does them (full width ⇄ half width).

// Full-width ASCII (U+FF01–FF5E) to ASCII, the ideographic space to a blank, full-width
// katakana and 。「」、・ー゛゜ to half width; voiced kana split into base + ﾞ/ﾟ.
// Everything else is copied. The result may be longer than the input.
QString Narrow(const QString& text);

// The reverse: ASCII to full width, a blank to the ideographic space, half-width katakana to
// full width, a following ﾞ/ﾟ merged where a voiced form exists.
QString Wide(const QString& text);

} // namespace hoplark
