#pragma once

#include <QString>

#include <optional>

namespace hoplark {

// The printer settings a profile keeps beside it: the ".ik7" file and its human-readable
// companion ".ik7.prnTxt". Reading and writing need no printer, so starter profiles can be
// made anywhere.
//
// ".ik7" format: UTF-8 text, one "key=value" per line (LF or CR LF), in this order:
//
//   HOPLARK-IK7 1                 format marker, always the first line
//   printer=<CUPS queue name>     empty: no queue chosen (the default printer, or PDF output)
//   output=<PDF file path>        non-empty: pages go to this PDF file instead of a printer
//   paper=<Windows paper code>    DMPAPER value (43 postcard, 9 A4...); 150-156 ours
//   width=<0.1 mm>                paper width as the paper is defined, before orientation
//   height=<0.1 mm>               paper height as the paper is defined, before orientation
//   orientation=<1|2>             1 portrait, 2 landscape (turns the page a quarter)
//   marginLeft=<0.1 mm>           margins of the printable area (unprintable edges)
//   marginTop=<0.1 mm>
//   marginRight=<0.1 mm>
//   marginBottom=<0.1 mm>
//   end                           last line: a file without it was cut short
//
// Unknown keys are skipped so a later version can add some. A file that lacks the marker, the
// end line, the paper code, a positive size or a valid orientation is not read at all.
struct PrinterSettings {
    QString printerName;
    QString outputFile;
    int paperCode = 43;
    int widthTenthMm = 1000;
    int heightTenthMm = 1480;
    int orientation = 1; // 1 portrait, 2 landscape
    int marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;

    // The settings for a page as profiles hold it: width and height as the page is seen
    // (already turned when landscape). Margins 0, no printer chosen.
    static PrinterSettings FromPage(int paperCode, int pageW, int pageH, bool bLandscape);

    // The page as it is printed: width and height with the orientation applied.
    int pageWidth() const { return orientation == 2 ? heightTenthMm : widthTenthMm; }
    int pageHeight() const { return orientation == 2 ? widthTenthMm : heightTenthMm; }

    // Nothing when the file is missing, empty, cut short or not of this format.
    static std::optional<PrinterSettings> Read(const QString& path);
    // Writes path and path + ".prnTxt" (each replaced whole). Empty on success, else a
    // message naming the file.
    QString Write(const QString& path) const;

    // The ".ik7" text and the ".prnTxt" text, as Write puts them into the files.
    QString Text() const;
    QString ReadableText() const;
    static std::optional<PrinterSettings> Parse(const QString& text);

    bool operator==(const PrinterSettings&) const = default;
};

} // namespace hoplark
