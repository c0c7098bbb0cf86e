#pragma once

#include <QString>

#include <array>
#include <optional>

namespace hoplark {

class SamaRules;
struct Canvas;

// What one composition draws: a record line of the address list and the sender.
struct ComposeInput {
    QString sRec;                        // the record line; empty: nothing of the record is drawn
    bool bFullLay = false;               // the list's layout
    SamaRules& sama;                     // honorific rules; the joint-name honorific is kept here
    const std::array<QString, 9>& txAdd; // sender: 0 postal code, 1-4 address, 5-7 work, 8 name
};

// Full redraw after a layout, redraw of the record after a row change (the sender is left
// alone), one printed page.
enum class ComposeMode { Preview = 0, Redraw = 1, Print = 2 };

// What a composition decided.
struct ComposeResult {
    // Captions of the font labels lbAdd(0..5): samples of the record drawn (zip, first
    // address line, last title, name, sender zip, first sender line); only those of the
    // parts drawn are set.
    std::array<std::optional<QString>, 6> lbAddCaption;
    // The fitting asked for one more address / name line than the layout has.
    bool bFitAdr = false, bFitName = false;
    // The layout's extra-line flags as the composition leaves them (a name drawn between
    // lines or part by part also sets bNameExtra): the next row change redraws in full.
    bool bAdrExtra = false, bNameExtra = false;
};

// The record cut into its parts and fitted into the lines of the layout of cv: what the
// drawing needs, and what the fitting asked for (r.bFitAdr, r.bFitName), without drawing.
struct FittedRecord {
    bool ok = false; // there is a record (and, outside printing, a profile) to draw
    QString zip, address, names;
    bool bRepeated = false; // the fitting granted an extra line and started again
    ComposeResult r;
};
FittedRecord FitRecord(const Canvas& cv, const ComposeInput& in);

// Draws a record fitted into the same layout of cv. Reads cv's layout and never changes it.
// A run-time error of the arithmetic is thrown to the caller.
ComposeResult DrawRecord(const Canvas& cv, const ComposeInput& in, const FittedRecord& f,
                         ComposeMode mode);

// Fits and draws the record into the line boxes of the last layout of cv.
ComposeResult ComposeAdr(const Canvas& cv, const ComposeInput& in, ComposeMode mode);

// Draws a name written with "・" part by part, one part per line, starting at name row
// nRow; nRow advances by one for every part drawn.
void DotNames(const Canvas& cv, const ComposeInput& in, const QString& line, int& nRow,
              bool bCentre);

} // namespace hoplark
