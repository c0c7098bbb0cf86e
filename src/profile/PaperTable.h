#pragma once

#include <QString>

namespace hoplark {

class Imaging;

// The Japanese name of a paper code (Windows paper size codes, 150-156 printer-specific):
// what label lbYoshi shows, what the profile stores under "用紙" and what a new profile is
// named after. "ﾕｰｻﾞｰ設定" for every code not in the table.
QString PaperName(int nCode);

// The current paper of the imaging control's printer settings. bOk is always set; the other
// outputs keep the caller's values when the query stops before them (settings not ready:
// none is set; printer cannot be opened: code, name and orientation only). Sizes in 0.1 mm.
void GetPrnPaper(Imaging& ik, int& nCode, QString& sName, int& nOrient, int& nWidth, int& nHeight,
                 bool& bOk);

// The paper part of the name proposed for a new profile: the paper name, with the size in mm
// for a user-defined paper and " 横" for landscape.
QString ProposedPaperName(const QString& sPaper, int nPaperW, int nPaperH, bool bLandscape);

} // namespace hoplark
