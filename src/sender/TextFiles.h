#pragma once

#include <QString>

namespace hoplark {

// The whole text of a file in code page 932; the empty text when the file is missing or
// cannot be read. pWhy (when given) says why a file that is there was not read (not a regular
// file, too large, unreadable).
QString F_GetTxt(const QString& sPath, QString* pWhy = nullptr);

// Writes sText (code page 932, nothing added) to the file, creating it when missing: appended
// when bAppend is set, else replacing the content. Returns an empty string on success, else a
// message naming the file; on failure the old file stays as it was. Text that code page 932
// cannot hold is refused before anything is written, and the message names those characters.
QString F_PutTxt(const QString& sPath, const QString& sText, bool bAppend);

} // namespace hoplark
