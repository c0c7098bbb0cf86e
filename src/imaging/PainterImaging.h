#pragma once

#include "imaging/GlyphTextLog.h"
#include "imaging/Imaging.h"
#include "imaging/ImagingStyle.h"
#include "imaging/PrinterDevice.h"
#include "imaging/TextRenderer.h"

#include <QImage>
#include <QPainter>
#include <QSize>

#include <memory>

class QPrinter;

namespace hoplark {

// The drawing interface over QPainter, with two targets chosen by the handle:
// - the preview: a QImage of the given pixel size (ImageHandle, device flag 0, pixels; font
//   points become pixels at the screen resolution nScrDpi);
// - the printer: a CUPS queue or a PDF file as the ".ik7" settings say (PrinterHandle while
//   open, device flag 1, 0.1 mm from the printable origin; points become 0.1 mm).
//
//   PainterImaging ik(QSize(400, 400), 96);   // preview of 400 x 400 pixels at 96 dpi
//   ... draw with ik.ImageHandle() ...; ik.PreviewImage().save("p.png");
//
//   ik.ForcePdfOutput("out.pdf", 1000, 1480); // or LoadPrinterSettings(".ik7") alone
//   ik.OpenPrinter(1); ik.DocName("宛名印刷"); ik.StartDoc();
//   ik.StartPage(); ... draw with ik.PrinterHandle(), flag 1 ...; ik.EndPage();
//   ik.EndDoc(); ik.ClosePrinter();
class PainterImaging : public Imaging {
public:
    static constexpr int kImageHandle = 1;
    static constexpr int kPrinterHandle = 2;

    explicit PainterImaging(QSize previewSize = QSize(), int nScrDpi = 96);
    ~PainterImaging() override;

    // The preview image; a new size takes effect at once (blank).
    void SetPreviewSize(QSize size);
    const QImage& PreviewImage();
    int ScrDpi() const { return m_nScrDpi; }

    // Pages go to sFile as PDF whatever the loaded settings name; a positive nPageW x nPageH
    // (0.1 mm, as the page is seen) replaces their paper. An empty sFile ends this.
    void ForcePdfOutput(const QString& sFile, int nPageW = 0, int nPageH = 0);
    // What the last OpenPrinter did instead of the printer the settings name (not installed:
    // the default printer or a PDF file), empty when it opened what they name. The print loop
    // shows it where it would otherwise offer the printer dialog.
    QString FallbackMessage() override { return m_printer.FallbackMessage(); }
    // The settings as loaded or as the printer dialog chose them, forced PDF output applied.
    std::optional<PrinterSettings> CurrentPrinterSettings() const { return m_printer.Current(); }
    // What a confirmed printer dialog does with the printer it configured: current settings,
    // written back to the ".ik7" last loaded, printer open. Returns the write's message.
    QString ApplyChosenPrinter(const QPrinter& chosen) { return m_printer.Accept(chosen); }
    int PagesStarted() const { return m_printer.PageCount(); }

    bool ResetImage(int nMode) override;
    int ImageHandle() override;
    int Width() override;
    void ResetStyle() override;
    void FillMode(int nMode) override;
    void FillColor(int nColor) override;
    void LineWidth(int nWidth) override;
    void LineColor(int nColor) override;
    void FontName(const QString& sName) override;
    void FontSize(int nPoints) override;
    void FontBold(bool b) override;
    void FontItalic(bool b) override;
    void FontUnderline(bool b) override;
    void FontStrikethru(bool b) override;
    void TextColor(int nColor) override;
    void TextDirection(int nDir) override;
    void AlignHorz(int n) override;
    void AlignVert(int n) override;
    void TextTransparent(bool b) override;
    void TextSpacing(int n) override;
    void TextValue(const QString& sText) override;
    void DrawRect(int nHandle, int x1, int y1, int x2, int y2, int nDev) override;
    void DrawPolygon(int nHandle, const QList<int>& xs, const QList<int>& ys, int nCount,
                     int nDev) override;
    void DrawText(int nHandle, int x1, int y1, int x2, int y2, bool bFit, int nOpt,
                  int nDev) override;
    void MeasureText(int nHandle, int& nWidth, int& nHeight, int nOpt) override;
    void LoadPrinterSettings(const QString& sPath) override;
    bool PrinterReady() override;
    int PaperCode() override;
    int PaperOrientation() override;
    bool OpenPrinter(int nOpt) override;
    int PrinterHandle() override;
    bool PageMetrics(int nHandle, int& nOffX, int& nOffY, int& nPrintW, int& nPrintH, int& nPaperW,
                     int& nPaperH, int nUnit) override;
    bool ClosePrinter() override;
    void DialogFlags(int nFlags) override;
    bool PrintDialog() override;
    void DocName(const QString& sName) override;
    bool StartDoc() override;
    bool StartPage() override;
    bool EndPage() override;
    bool EndDoc() override;
    QString DocError() override { return m_printer.DocError(); }
    QString OutputPath() override { return m_printer.OutputPath(); }

private:
    // The painter of a handle and how many of its units make an inch; nullptr when the
    // handle names no target that can be drawn on now.
    QPainter* Target(int nHandle, double& nUnitsPerInch);

    int m_nScrDpi;
    QImage m_image;
    QPainter m_imagePainter; // begun on the first drawing after a reset, ended for reading
    QImage m_scratch;        // measures when there is no preview image
    GlyphTextLog m_glyphs;   // what the glyphs of the PDF being written stand for
    PrinterDevice m_printer; // after m_glyphs: a job still open ends with it
    TextRenderer m_text;
    ImagingStyle m_style;
    QString m_sText;
};

} // namespace hoplark
