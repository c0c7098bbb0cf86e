#include "imaging/PainterImaging.h"

#include "imaging/PdfCompact.h"
#include "imaging/PdfTextMaps.h"
#include "imaging/WinColor.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace hoplark {

namespace {

void SetDpi(QImage& image, int nDpi) {
    const int dpm = static_cast<int>(std::lround(nDpi / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
}

QColor WindowBackground() {
    if (qGuiApp)
        return QGuiApplication::palette().color(QPalette::Window);
    return QColor(0xF0, 0xF0, 0xF0);
}

int Ceil(qreal v) {
    return static_cast<int>(std::ceil(v - 1e-6));
}

} // namespace

PainterImaging::PainterImaging(QSize previewSize, int nScrDpi)
    : m_nScrDpi(std::max(nScrDpi, 1)), m_scratch(1, 1, QImage::Format_ARGB32_Premultiplied) {
    SetDpi(m_scratch, m_nScrDpi);
    SetPreviewSize(previewSize);
    // Qt's PDF engine leaves some glyphs without text: the file gets it before it is kept,
    // then it is rewritten without the objects Qt repeats on every page.
    m_printer.SetPdfFinisher([this](const QString& sPath) {
        if (!CompletePdfTextMaps(sPath, m_glyphs))
            return false;
        // No room for the smaller copy leaves the file as Qt wrote it, which is whole.
        CompactPdf(sPath);
        return true;
    });
}

PainterImaging::~PainterImaging() {
    if (m_imagePainter.isActive())
        m_imagePainter.end();
}

void PainterImaging::SetPreviewSize(QSize size) {
    if (m_imagePainter.isActive())
        m_imagePainter.end();
    m_image = size.isValid() && !size.isEmpty() ? QImage(size, QImage::Format_ARGB32_Premultiplied)
                                                : QImage();
    if (!m_image.isNull()) {
        SetDpi(m_image, m_nScrDpi);
        m_image.fill(WindowBackground());
    }
}

const QImage& PainterImaging::PreviewImage() {
    // A painter still working on the image would write into copies taken of it.
    if (m_imagePainter.isActive())
        m_imagePainter.end();
    return m_image;
}

QPainter* PainterImaging::Target(int nHandle, double& nUnitsPerInch) {
    if (nHandle == kImageHandle && !m_image.isNull()) {
        if (!m_imagePainter.isActive() && !m_imagePainter.begin(&m_image))
            return nullptr;
        nUnitsPerInch = m_nScrDpi;
        return &m_imagePainter;
    }
    if (nHandle == kPrinterHandle) {
        nUnitsPerInch = PrinterDevice::kUnitsPerInch;
        return m_printer.PagePainter();
    }
    return nullptr;
}

bool PainterImaging::ResetImage(int) {
    if (m_imagePainter.isActive())
        m_imagePainter.end();
    if (!m_image.isNull())
        m_image.fill(WindowBackground());
    return true;
}

int PainterImaging::ImageHandle() {
    return kImageHandle;
}

int PainterImaging::Width() {
    return static_cast<int>(std::lround(m_image.width() * 1440.0 / m_nScrDpi));
}

void PainterImaging::ResetStyle() {
    m_style = ImagingStyle{};
}
void PainterImaging::FillMode(int nMode) {
    m_style.fillMode = nMode;
}
void PainterImaging::FillColor(int nColor) {
    m_style.fillColor = nColor;
}
void PainterImaging::LineWidth(int nWidth) {
    m_style.lineWidth = nWidth;
}
void PainterImaging::LineColor(int nColor) {
    m_style.lineColor = nColor;
}
void PainterImaging::FontName(const QString& sName) {
    m_style.font = sName;
}
void PainterImaging::FontSize(int nPoints) {
    m_style.size = nPoints;
}
void PainterImaging::FontBold(bool b) {
    m_style.bold = b;
}
void PainterImaging::FontItalic(bool b) {
    m_style.italic = b;
}
void PainterImaging::FontUnderline(bool b) {
    m_style.underline = b;
}
void PainterImaging::FontStrikethru(bool b) {
    m_style.strike = b;
}
void PainterImaging::TextColor(int nColor) {
    m_style.color = nColor;
}
void PainterImaging::TextDirection(int nDir) {
    m_style.dir = nDir;
}
void PainterImaging::AlignHorz(int n) {
    m_style.alignH = n;
}
void PainterImaging::AlignVert(int n) {
    m_style.alignV = n;
}
void PainterImaging::TextTransparent(bool b) {
    m_style.transparent = b;
}
void PainterImaging::TextSpacing(int n) {
    m_style.spacing = n;
}
void PainterImaging::TextValue(const QString& sText) {
    m_sText = sText;
}

void PainterImaging::DrawRect(int nHandle, int x1, int y1, int x2, int y2, int) {
    m_text.Flush();
    double nUnits = 0;
    QPainter* painter = Target(nHandle, nUnits);
    if (!painter)
        return;
    // The rectangle covers [x1, x2) x [y1, y2) in either corner order; its outline lies inside.
    const QRect r(QPoint(std::min(x1, x2), std::min(y1, y2)),
                  QSize(std::abs(x2 - x1), std::abs(y2 - y1)));
    if (r.isEmpty())
        return;
    if (m_style.fillMode == 0)
        painter->fillRect(r, WinColor(m_style.fillColor));
    const int w = std::min({m_style.lineWidth, r.width(), r.height()});
    if (w <= 0)
        return;
    const QColor line = WinColor(m_style.lineColor);
    if (2 * w >= r.width() || 2 * w >= r.height()) {
        painter->fillRect(r, line);
        return;
    }
    painter->fillRect(QRect(r.left(), r.top(), r.width(), w), line);
    painter->fillRect(QRect(r.left(), r.bottom() + 1 - w, r.width(), w), line);
    painter->fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), line);
    painter->fillRect(QRect(r.right() + 1 - w, r.top() + w, w, r.height() - 2 * w), line);
}

void PainterImaging::DrawPolygon(int nHandle, const QList<int>& xs, const QList<int>& ys,
                                 int nCount, int) {
    m_text.Flush();
    double nUnits = 0;
    QPainter* painter = Target(nHandle, nUnits);
    if (!painter)
        return;
    QPolygon polygon;
    for (qsizetype i = 0; i < nCount && i < xs.size() && i < ys.size(); ++i)
        polygon << QPoint(xs[i], ys[i]);
    if (polygon.size() < 2)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(m_style.fillMode == 0 ? QBrush(WinColor(m_style.fillColor)) : QBrush());
    if (m_style.lineWidth > 0) {
        QPen pen(WinColor(m_style.lineColor), m_style.lineWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter->setPen(pen);
    } else {
        painter->setPen(Qt::NoPen);
    }
    painter->drawPolygon(polygon);
    painter->restore();
}

void PainterImaging::DrawText(int nHandle, int x1, int y1, int x2, int y2, bool bFit, int, int) {
    double nUnits = 0;
    QPainter* painter = Target(nHandle, nUnits);
    if (!painter)
        return;
    const QRectF rect(QPointF(std::min(x1, x2), std::min(y1, y2)),
                      QSizeF(std::abs(x2 - x1), std::abs(y2 - y1)));
    const bool bPdf = nHandle == kPrinterHandle && !m_printer.OutputPath().isEmpty();
    // Printed texts wait to go out together (see Flush calls): a PDF gets fewer text objects.
    m_text.Draw(*painter, m_style, m_sText, rect, bFit, nUnits, bPdf ? &m_glyphs : nullptr,
                nHandle == kPrinterHandle);
}

void PainterImaging::MeasureText(int nHandle, int& nWidth, int& nHeight, int) {
    const bool bPrinter = nHandle == kPrinterHandle;
    const QPaintDevice* device = bPrinter ? m_printer.Device() : nullptr;
    if (!device)
        device = m_image.isNull() ? &m_scratch : &m_image;
    const QSizeF size = m_text.Measure(m_style, m_sText, *device,
                                       bPrinter ? PrinterDevice::kUnitsPerInch : m_nScrDpi);
    nWidth = Ceil(size.width());
    nHeight = Ceil(size.height());
}

void PainterImaging::LoadPrinterSettings(const QString& sPath) {
    m_printer.Load(sPath);
}
bool PainterImaging::PrinterReady() {
    return m_printer.Ready();
}
int PainterImaging::PaperCode() {
    const auto s = m_printer.Current();
    return s ? s->paperCode : 0;
}
int PainterImaging::PaperOrientation() {
    const auto s = m_printer.Current();
    return s ? s->orientation : 0;
}
bool PainterImaging::OpenPrinter(int) {
    return m_printer.Open();
}
int PainterImaging::PrinterHandle() {
    return m_printer.IsOpen() ? kPrinterHandle : 0;
}
bool PainterImaging::PageMetrics(int nHandle, int& nOffX, int& nOffY, int& nPrintW, int& nPrintH,
                                 int& nPaperW, int& nPaperH, int) {
    // Every unit gives 0.1 mm: the only one callers use.
    if (nHandle != kPrinterHandle)
        return false;
    return m_printer.Metrics(nOffX, nOffY, nPrintW, nPrintH, nPaperW, nPaperH);
}
bool PainterImaging::ClosePrinter() {
    m_text.Flush();
    return m_printer.Close();
}
void PainterImaging::DialogFlags(int nFlags) {
    m_printer.SetDialogFlags(nFlags);
}
bool PainterImaging::PrintDialog() {
    return m_printer.Dialog();
}
void PainterImaging::DocName(const QString& sName) {
    m_printer.SetDocName(sName);
}
bool PainterImaging::StartDoc() {
    m_glyphs.Clear();
    return m_printer.StartDoc();
}
bool PainterImaging::StartPage() {
    m_text.Flush();
    return m_printer.StartPage();
}
bool PainterImaging::EndPage() {
    m_text.Flush();
    return m_printer.EndPage();
}
bool PainterImaging::EndDoc() {
    m_text.Flush();
    const bool bOk = m_printer.EndDoc();
    m_glyphs.Clear();
    return bOk;
}

void PainterImaging::ForcePdfOutput(const QString& sFile, int nPageW, int nPageH) {
    m_printer.ForcePdf(sFile, nPageW, nPageH);
}

} // namespace hoplark
