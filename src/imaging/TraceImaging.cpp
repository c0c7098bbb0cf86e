#include "imaging/TraceImaging.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace hoplark {

TraceImaging::TraceImaging(Imaging* inner, int nWidthTwips)
    : m_inner(inner), m_width(nWidthTwips) {}

QList<QJsonObject> TraceImaging::records() const {
    QList<QJsonObject> out;
    out.reserve(m_lines.size());
    for (const QString& line : m_lines)
        out << QJsonDocument::fromJson(line.toUtf8()).object();
    return out;
}

void TraceImaging::write(const QJsonObject& o) {
    const QByteArray json = QJsonDocument(o).toJson(QJsonDocument::Compact);
    m_lines << QString::fromUtf8(json);
    if (m_device) {
        m_device->write(json);
        m_device->write("\n");
    }
}

bool TraceImaging::ResetImage(int nMode) {
    write({{u"op"_s, u"ResetImage"_s}});
    return m_inner ? m_inner->ResetImage(nMode) : true;
}
int TraceImaging::ImageHandle() {
    return m_inner ? m_inner->ImageHandle() : 1;
}
int TraceImaging::Width() {
    return m_inner ? m_inner->Width() : m_width;
}

void TraceImaging::ResetStyle() {
    m_style = ImagingStyle{};
    if (m_inner)
        m_inner->ResetStyle();
}

// Style setters only remember the value (the trace shows it with the next draw call).
#define HOPLARK_TRACE_SET(Method, Type, field)                                                     \
    void TraceImaging::Method(Type v) {                                                            \
        m_style.field = v;                                                                         \
        if (m_inner)                                                                               \
            m_inner->Method(v);                                                                    \
    }
HOPLARK_TRACE_SET(FillMode, int, fillMode)
HOPLARK_TRACE_SET(FillColor, int, fillColor)
HOPLARK_TRACE_SET(LineWidth, int, lineWidth)
HOPLARK_TRACE_SET(LineColor, int, lineColor)
HOPLARK_TRACE_SET(FontSize, int, size)
HOPLARK_TRACE_SET(FontBold, bool, bold)
HOPLARK_TRACE_SET(FontItalic, bool, italic)
HOPLARK_TRACE_SET(FontUnderline, bool, underline)
HOPLARK_TRACE_SET(FontStrikethru, bool, strike)
HOPLARK_TRACE_SET(TextColor, int, color)
HOPLARK_TRACE_SET(TextDirection, int, dir)
HOPLARK_TRACE_SET(AlignHorz, int, alignH)
HOPLARK_TRACE_SET(AlignVert, int, alignV)
#undef HOPLARK_TRACE_SET

void TraceImaging::FontName(const QString& sName) {
    m_style.font = sName;
    if (m_inner)
        m_inner->FontName(sName);
}
void TraceImaging::TextTransparent(bool b) {
    m_style.transparent = b;
    if (m_inner)
        m_inner->TextTransparent(b);
}
void TraceImaging::TextSpacing(int n) {
    m_style.spacing = n;
    if (m_inner)
        m_inner->TextSpacing(n);
}
void TraceImaging::TextValue(const QString& sText) {
    m_text = sText;
    if (m_inner)
        m_inner->TextValue(sText);
}

void TraceImaging::DrawRect(int nHandle, int x1, int y1, int x2, int y2, int nDev) {
    write({{u"op"_s, u"DrawRect"_s},
           {u"x1"_s, x1},
           {u"y1"_s, y1},
           {u"x2"_s, x2},
           {u"y2"_s, y2},
           {u"dev"_s, nDev},
           {u"fillMode"_s, m_style.fillMode},
           {u"fillColor"_s, m_style.fillColor},
           {u"lineWidth"_s, m_style.lineWidth},
           {u"lineColor"_s, m_style.lineColor}});
    if (m_inner)
        m_inner->DrawRect(nHandle, x1, y1, x2, y2, nDev);
}

void TraceImaging::DrawPolygon(int nHandle, const QList<int>& xs, const QList<int>& ys, int nCount,
                               int nDev) {
    QJsonArray jx, jy;
    for (int i = 0; i < nCount && i < xs.size() && i < ys.size(); ++i) {
        jx.append(xs[i]);
        jy.append(ys[i]);
    }
    write({{u"op"_s, u"DrawPolygon"_s}, {u"xs"_s, jx}, {u"ys"_s, jy}, {u"dev"_s, nDev}});
    if (m_inner)
        m_inner->DrawPolygon(nHandle, xs, ys, nCount, nDev);
}

void TraceImaging::DrawText(int nHandle, int x1, int y1, int x2, int y2, bool bFit, int nOpt,
                            int nDev) {
    write({{u"op"_s, u"DrawText"_s},
           {u"x1"_s, x1},
           {u"y1"_s, y1},
           {u"x2"_s, x2},
           {u"y2"_s, y2},
           {u"dev"_s, nDev},
           {u"text"_s, m_text},
           {u"font"_s, m_style.font},
           {u"size"_s, m_style.size},
           {u"bold"_s, m_style.bold},
           {u"italic"_s, m_style.italic},
           {u"strike"_s, m_style.strike},
           {u"underline"_s, m_style.underline},
           {u"color"_s, m_style.color},
           {u"dir"_s, m_style.dir},
           {u"alignH"_s, m_style.alignH},
           {u"alignV"_s, m_style.alignV}});
    if (m_inner)
        m_inner->DrawText(nHandle, x1, y1, x2, y2, bFit, nOpt, nDev);
}

void TraceImaging::MeasureText(int nHandle, int& nWidth, int& nHeight, int nOpt) {
    if (m_inner) {
        m_inner->MeasureText(nHandle, nWidth, nHeight, nOpt);
        return;
    }
    // Without a renderer: one em per character at 96 dpi, a square em.
    const int em = qMax(1, m_style.size * 96 / 72);
    const int len = static_cast<int>(m_text.size());
    nWidth = m_style.dir == 2 ? em : em * len;
    nHeight = m_style.dir == 2 ? em * len : em;
}

void TraceImaging::LoadPrinterSettings(const QString& sPath) {
    write({{u"op"_s, u"LoadPrinterSettings"_s}, {u"path"_s, sPath}});
    if (m_inner)
        m_inner->LoadPrinterSettings(sPath);
}
bool TraceImaging::PrinterReady() {
    return m_inner ? m_inner->PrinterReady() : true;
}
int TraceImaging::PaperCode() {
    return m_inner ? m_inner->PaperCode() : 43;
}
int TraceImaging::PaperOrientation() {
    return m_inner ? m_inner->PaperOrientation() : 1;
}
bool TraceImaging::OpenPrinter(int nOpt) {
    write({{u"op"_s, u"OpenPrinter"_s}});
    return m_inner ? m_inner->OpenPrinter(nOpt) : true;
}
int TraceImaging::PrinterHandle() {
    return m_inner ? m_inner->PrinterHandle() : 2;
}
bool TraceImaging::PageMetrics(int nHandle, int& nOffX, int& nOffY, int& nPrintW, int& nPrintH,
                               int& nPaperW, int& nPaperH, int nUnit) {
    if (m_inner)
        return m_inner->PageMetrics(nHandle, nOffX, nOffY, nPrintW, nPrintH, nPaperW, nPaperH,
                                    nUnit);
    nOffX = nOffY = 0;
    nPrintW = nPaperW = 1000;
    nPrintH = nPaperH = 1480;
    return true;
}
bool TraceImaging::ClosePrinter() {
    write({{u"op"_s, u"ClosePrinter"_s}});
    return m_inner ? m_inner->ClosePrinter() : true;
}
void TraceImaging::DialogFlags(int nFlags) {
    if (m_inner)
        m_inner->DialogFlags(nFlags);
}
bool TraceImaging::PrintDialog() {
    write({{u"op"_s, u"PrintDialog"_s}});
    return m_inner ? m_inner->PrintDialog() : false;
}
QString TraceImaging::FallbackMessage() {
    return m_inner ? m_inner->FallbackMessage() : QString();
}
void TraceImaging::DocName(const QString& sName) {
    m_docName = sName;
    if (m_inner)
        m_inner->DocName(sName);
}
bool TraceImaging::StartDoc() {
    write({{u"op"_s, u"StartDoc"_s}, {u"name"_s, m_docName}});
    return m_inner ? m_inner->StartDoc() : true;
}
bool TraceImaging::StartPage() {
    write({{u"op"_s, u"StartPage"_s}});
    return m_inner ? m_inner->StartPage() : true;
}
bool TraceImaging::EndPage() {
    write({{u"op"_s, u"EndPage"_s}});
    return m_inner ? m_inner->EndPage() : true;
}
bool TraceImaging::EndDoc() {
    write({{u"op"_s, u"EndDoc"_s}});
    return m_inner ? m_inner->EndDoc() : true;
}
QString TraceImaging::DocError() {
    return m_inner ? m_inner->DocError() : QString();
}
QString TraceImaging::OutputPath() {
    return m_inner ? m_inner->OutputPath() : QString();
}

} // namespace hoplark
