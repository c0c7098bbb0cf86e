#pragma once

#include "imaging/Imaging.h"
#include "imaging/ImagingStyle.h"

#include <QJsonObject>
#include <QStringList>

class QIODevice;

namespace hoplark {

// Records every drawing call as one JSON object per line (coordinates exactly as passed; text
// calls carry the current font, size, styles, colour, direction and alignment). Every call is
// also forwarded to an inner implementation when one is given, so a real run can be traced.
// Without one, queries answer as a ready preview of nWidthTwips and printer calls succeed.
class TraceImaging : public Imaging {
public:
    explicit TraceImaging(Imaging* inner = nullptr, int nWidthTwips = 9000);

    // Lines are kept in memory (lines()) and, when a device is set, written to it as they come.
    void setDevice(QIODevice* device) { m_device = device; }
    const QStringList& lines() const { return m_lines; }
    QList<QJsonObject> records() const;
    void clear() { m_lines.clear(); }

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
    QString FallbackMessage() override;
    void DocName(const QString& sName) override;
    bool StartDoc() override;
    bool StartPage() override;
    bool EndPage() override;
    bool EndDoc() override;
    QString DocError() override;
    QString OutputPath() override;

private:
    void write(const QJsonObject& o);

    Imaging* m_inner;
    int m_width;
    QIODevice* m_device = nullptr;
    QStringList m_lines;
    ImagingStyle m_style;
    QString m_text;
    QString m_docName;
};

} // namespace hoplark
