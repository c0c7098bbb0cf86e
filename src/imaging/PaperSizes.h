#pragma once

#include <QPageSize>

namespace hoplark {

// Windows paper size codes (DMPAPER values) ⇄ Qt page sizes. Codes 150-156 are the
// printer-specific sizes that profiles use (洋風6号封筒, L判, 2L判, ﾊﾟﾉﾗﾏ, CD-R tray, 名刺,
// ｶｰﾄﾞ); they and every code Qt does not know become custom sizes.

// The code given for user-defined sizes.
inline constexpr int kPaperUser = 256;

// The page for a paper code whose size (as defined, before orientation) is known in 0.1 mm:
// the standard size of the code when it agrees with that size within 1 mm, else a custom
// size of exactly that size.
QPageSize PageSizeFor(int nCode, int nWidth, int nHeight);

// The code of a page size: its Windows code, or one of 150-156 when the size is one of
// those, else kPaperUser.
int PaperCodeFor(const QPageSize& size);

} // namespace hoplark
