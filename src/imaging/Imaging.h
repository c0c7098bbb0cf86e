#pragma once

#include <QList>
#include <QString>

namespace hoplark {

// The drawing interface: the preview canvas, shape and text renderer and printer driver that
// layout, composition and printing draw through. Colours are Windows RGB Longs (red in the
// low byte); a negative colour is a system colour. Drawing calls take the target handle
// first (ImageHandle for the preview, PrinterHandle while printing) and a device flag last:
// 0 = preview image, coordinates in pixels; 1 = printer page, 0.1 mm from the printable origin.
class Imaging {
public:
    virtual ~Imaging();

    // Preview image.
    virtual bool ResetImage(int nMode) = 0; // blank image before a redraw
    virtual int ImageHandle() = 0;
    virtual int Width() = 0; // the preview control's width in twips

    // Style; ResetStyle puts every attribute back to its default.
    virtual void ResetStyle() = 0;
    virtual void FillMode(int nMode) = 0; // 0 filled, 1 outline only
    virtual void FillColor(int nColor) = 0;
    virtual void LineWidth(int nWidth) = 0;
    virtual void LineColor(int nColor) = 0;
    virtual void FontName(const QString& sName) = 0;
    virtual void FontSize(int nPoints) = 0;
    virtual void FontBold(bool b) = 0;
    virtual void FontItalic(bool b) = 0;
    virtual void FontUnderline(bool b) = 0;
    virtual void FontStrikethru(bool b) = 0;
    virtual void TextColor(int nColor) = 0;
    virtual void TextDirection(int nDir) = 0; // 0 horizontal, 2 vertical (top to bottom)
    virtual void AlignHorz(int n) = 0;        // 0 left, 1 centre, 2 right
    virtual void AlignVert(int n) = 0;        // 0 top, 1 centre, 2 bottom
    // The two further text settings made before every text: transparent background (True)
    // and extra character spacing (0).
    virtual void TextTransparent(bool b) = 0;
    virtual void TextSpacing(int n) = 0;
    virtual void TextValue(const QString& sText) = 0; // text of the next DrawText/MeasureText

    // Drawing.
    virtual void DrawRect(int nHandle, int x1, int y1, int x2, int y2, int nDev) = 0;
    virtual void DrawPolygon(int nHandle, const QList<int>& xs, const QList<int>& ys, int nCount,
                             int nDev) = 0;
    // bFit true: text longer than the rectangle along the writing direction is shrunk to fit
    // (never enlarged) and never leaves the rectangle.
    virtual void DrawText(int nHandle, int x1, int y1, int x2, int y2, bool bFit, int nOpt,
                          int nDev) = 0;
    // Extent of the current text in the target's units (pixels or 0.1 mm).
    virtual void MeasureText(int nHandle, int& nWidth, int& nHeight, int nOpt) = 0;

    // Printer settings (".ik7" and its companion ".ik7.prnTxt").
    virtual void LoadPrinterSettings(const QString& sPath) = 0;
    virtual bool PrinterReady() = 0;
    virtual int PaperCode() = 0;
    virtual int PaperOrientation() = 0; // 2 = landscape
    virtual bool OpenPrinter(int nOpt) = 0;
    virtual int PrinterHandle() = 0;
    // Offsets of the printable area and the paper size, in 0.1 mm for nUnit 1.
    virtual bool PageMetrics(int nHandle, int& nOffX, int& nOffY, int& nPrintW, int& nPrintH,
                             int& nPaperW, int& nPaperH, int nUnit) = 0;
    virtual bool ClosePrinter() = 0;
    virtual void DialogFlags(int nFlags) = 0;
    // True when the user confirmed; the chosen printer and paper are then current and are
    // written back to the ".ik7" last loaded.
    virtual bool PrintDialog() = 0;

    // What the last OpenPrinter opened instead of the printer the settings name (that queue is
    // not installed: the default printer, or a PDF file when there is none), empty when it
    // opened what they name. The print loop shows it (MsgBox) where it would otherwise offer
    // the printer dialog. Not an operation of the original control, so it has a default.
    virtual QString FallbackMessage() { return {}; }

    // Print job.
    virtual void DocName(const QString& sName) = 0;
    virtual bool StartDoc() = 0;
    virtual bool StartPage() = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDoc() = 0;
    // Why the last StartDoc or EndDoc failed (a file that could not be written whole), naming
    // the file; empty when it did not. The file the open printer writes, empty for a print
    // queue. Neither is an operation of the original control, so both have defaults.
    virtual QString DocError() { return {}; }
    virtual QString OutputPath() { return {}; }
};

// Dialog flags of the print loop's fallback dialog.
inline constexpr int PD_NOSELECTION = 0x4;
inline constexpr int PD_NOPAGENUMS = 0x8;
inline constexpr int PD_HIDEPRINTTOFILE = 0x100000;

// Windows RGB Longs used by layout and composition.
inline constexpr int kWhite = 16777215;
inline constexpr int kGrey = 8421504;
inline constexpr int kSilver = 12632256;
inline constexpr int kLightYellow = 12648447;
inline constexpr int kRed = 255;

} // namespace hoplark
