#include "imaging/PrinterDevice.h"

#include "imaging/Imaging.h"
#include "imaging/PaperSizes.h"
#include "imaging/PrinterHooks.h"
#include "platform/MsgBox.h"
#include "platform/OutputFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>

#include <cmath>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

int Tenths(qreal mm) {
    return static_cast<int>(std::lround(mm * 10));
}

// Where pages go when no printer is installed at all.
QString FallbackPdfPath() {
    QString sDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (sDir.isEmpty() || !QFileInfo(sDir).isDir())
        sDir = QDir::homePath();
    return sDir + u"/宛名印刷.pdf"_s;
}

// Whether a PDF file was written to its end: its last cross-reference offset, counted by the
// writer as it went, must land on the "xref" keyword (a lost block shifts it) and "%%EOF"
// must close the file.
bool PdfComplete(const QString& sPath) {
    QFile f(sPath);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 32)
        return false;
    const qint64 nTail = qMin<qint64>(f.size(), 1024);
    if (!f.seek(f.size() - nTail))
        return false;
    const QByteArray tail = f.read(nTail);
    if (!tail.trimmed().endsWith("%%EOF"))
        return false;
    const qsizetype nAt = tail.lastIndexOf("startxref");
    if (nAt < 0)
        return false;
    bool bOk = false;
    const qint64 nXref =
        tail.mid(nAt + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&bOk);
    if (!bOk || nXref <= 0 || nXref >= f.size() || !f.seek(nXref))
        return false;
    return f.read(4) == "xref";
}

} // namespace

PrinterDevice::PrinterDevice() = default;

PrinterDevice::~PrinterDevice() {
    Close();
}

void PrinterDevice::Load(const QString& sPath) {
    m_sPath = sPath;
    m_settings = PrinterSettings::Read(sPath);
}

bool PrinterDevice::Ready() const {
    return Effective().has_value();
}

std::optional<PrinterSettings> PrinterDevice::Current() const {
    return Effective();
}

void PrinterDevice::ForcePdf(const QString& sFile, int nPageW, int nPageH) {
    m_sForcedFile = sFile;
    m_nForcedW = nPageW;
    m_nForcedH = nPageH;
}

std::optional<PrinterSettings> PrinterDevice::Effective() const {
    if (m_sForcedFile.isEmpty())
        return m_settings;
    PrinterSettings s = m_settings.value_or(PrinterSettings{});
    if (m_nForcedW > 0 && m_nForcedH > 0) {
        const int nCode = s.paperCode;
        s = PrinterSettings::FromPage(nCode, m_nForcedW, m_nForcedH, m_nForcedW > m_nForcedH);
    }
    s.printerName.clear();
    s.outputFile = m_sForcedFile;
    return s;
}

void PrinterDevice::Configure(QPrinter& printer, const PrinterSettings& s, bool bPdf) const {
    printer.setFullPage(false);
    printer.setPageSize(PageSizeFor(s.paperCode, s.widthTenthMm, s.heightTenthMm));
    printer.setPageOrientation(s.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (bPdf) {
        // A file has no unprintable edge: the printable area is the whole page.
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        return;
    }
    const QMarginsF wanted(s.marginLeft / 10.0, s.marginTop / 10.0, s.marginRight / 10.0,
                           s.marginBottom / 10.0);
    if (!printer.setPageMargins(wanted, QPageLayout::Millimeter)) {
        // Never inside the printer's own unprintable edge.
        const QMarginsF least = printer.pageLayout().minimumMargins();
        const QMarginsF mm = QMarginsF(
            std::max(wanted.left(), least.left()), std::max(wanted.top(), least.top()),
            std::max(wanted.right(), least.right()), std::max(wanted.bottom(), least.bottom()));
        printer.setPageMargins(mm, QPageLayout::Millimeter);
    }
}

bool PrinterDevice::Open() {
    Close();
    m_sFallback.clear();
    const std::optional<PrinterSettings> s = Effective();
    if (!s)
        return false;

    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QString sPdf = s->outputFile;
    if (sPdf.isEmpty()) {
        const InstalledPrinters installed = LookUpPrinters();
        QString sQueue = s->printerName;
        if (sQueue.isEmpty() || !installed.names.contains(sQueue)) {
            const QString sDefault = installed.sDefault;
            const QString sWanted = s->printerName.isEmpty()
                                        ? u"プリンタが設定されていません。"_s
                                        : u"プリンタ %1 が見つかりません。"_s.arg(s->printerName);
            if (!sDefault.isEmpty()) {
                if (!s->printerName.isEmpty())
                    m_sFallback =
                        sWanted + QChar(13) + u"既定のプリンタ %1 に印刷します。"_s.arg(sDefault);
                sQueue = sDefault;
            } else {
                sPdf = FallbackPdfPath();
                m_sFallback = sWanted + QChar(13) + u"PDFファイル %1 に出力します。"_s.arg(sPdf);
            }
        }
        if (sPdf.isEmpty())
            printer->setPrinterName(sQueue);
    }
    if (!sPdf.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(sPdf);
    }
    Configure(*printer, *s, !sPdf.isEmpty());
    if (!printer->isValid())
        return false;
    m_printer = std::move(printer);
    return true;
}

bool PrinterDevice::Metrics(int& nOffX, int& nOffY, int& nPrintW, int& nPrintH, int& nPaperW,
                            int& nPaperH) const {
    if (!m_printer)
        return false;
    const QPageLayout layout = m_printer->pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    nOffX = Tenths(paint.left());
    nOffY = Tenths(paint.top());
    nPrintW = Tenths(paint.width());
    nPrintH = Tenths(paint.height());
    nPaperW = Tenths(full.width());
    nPaperH = Tenths(full.height());
    return true;
}

bool PrinterDevice::Close() {
    if (m_bInDoc)
        EndDoc();
    const bool bWasOpen = m_printer != nullptr;
    m_printer.reset();
    return bWasOpen;
}

bool PrinterDevice::Dialog() {
    Close();
    const QStringList installed = LookUpPrinters().names;
    QPrinter printer(QPrinter::HighResolution);
    if (const std::optional<PrinterSettings> s = Effective()) {
        if (!s->outputFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(s->outputFile);
        } else if (!s->printerName.isEmpty() && installed.contains(s->printerName)) {
            printer.setPrinterName(s->printerName);
        }
        Configure(printer, *s, printer.outputFormat() == QPrinter::PdfFormat);
    }
    // Without any printer installed a file is the only choice the dialog could offer.
    const bool bHideFile = (m_nDialogFlags & PD_HIDEPRINTTOFILE) && !installed.isEmpty();
    if (!RunPrinterDialog(printer, m_nDialogFlags, bHideFile))
        return false;
    const QString sMsg = Accept(printer);
    if (!sMsg.isEmpty())
        MsgBox(sMsg);
    return IsOpen();
}

QString PrinterDevice::Accept(const QPrinter& chosen) {
    const bool bPdf = chosen.outputFormat() == QPrinter::PdfFormat;
    const QPageLayout layout = chosen.pageLayout();
    const QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    PrinterSettings s;
    s.printerName = bPdf ? QString() : chosen.printerName();
    s.outputFile = bPdf ? chosen.outputFileName() : QString();
    s.paperCode = PaperCodeFor(layout.pageSize());
    s.widthTenthMm = Tenths(size.width());
    s.heightTenthMm = Tenths(size.height());
    s.orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    s.marginLeft = bPdf ? 0 : Tenths(margins.left());
    s.marginTop = bPdf ? 0 : Tenths(margins.top());
    s.marginRight = bPdf ? 0 : Tenths(margins.right());
    s.marginBottom = bPdf ? 0 : Tenths(margins.bottom());
    m_settings = s;
    const QString sMsg = m_sPath.isEmpty() ? QString() : s.Write(m_sPath);
    Open();
    return sMsg;
}

bool PrinterDevice::StartDoc() {
    m_sDocError.clear();
    if (!m_printer || m_bInDoc)
        return false;
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        // Refused at once when the file cannot be written, rather than after the first page.
        m_out = std::make_unique<OutputFile>(m_printer->outputFileName());
        m_sDocError = m_out->Open();
        if (!m_sDocError.isEmpty()) {
            m_out.reset();
            return false;
        }
        m_out->device().close(); // the printer writes the file by its name
        m_printer->setOutputFileName(m_out->TempPath());
    }
    m_printer->setDocName(m_sDocName);
    m_bInDoc = true;
    m_bInPage = false;
    m_nPages = 0;
    return true;
}

bool PrinterDevice::StartPage() {
    if (!m_bInDoc || m_bInPage)
        return false;
    // The painter starts with the first page, so a job without pages leaves no blank one.
    if (m_nPages == 0 ? !m_painter.begin(m_printer.get()) : !m_printer->newPage())
        return false;
    const qreal scale = m_printer->resolution() / kUnitsPerInch;
    m_painter.resetTransform();
    m_painter.scale(scale, scale);
    m_bInPage = true;
    ++m_nPages;
    return true;
}

bool PrinterDevice::EndPage() {
    if (!m_bInPage)
        return false;
    m_bInPage = false;
    return true;
}

bool PrinterDevice::EndDoc() {
    if (!m_bInDoc)
        return false;
    m_bInDoc = false;
    m_bInPage = false;
    bool bOk = !m_painter.isActive() || m_painter.end();
    if (!m_out)
        return bOk;
    std::unique_ptr<OutputFile> out = std::move(m_out);
    m_printer->setOutputFileName(out->FinalPath());
    if (m_nPages == 0)
        return bOk; // nothing was written: the old file stays
    // The PDF engine does not report a failed write: the file must prove itself complete,
    // and stay so once finished.
    const QString sTemp = out->TempPath();
    if (bOk && !(PdfComplete(sTemp) && (!m_finishPdf || m_finishPdf(sTemp)) && PdfComplete(sTemp)))
        m_sDocError =
            CannotWrite(out->FinalPath(), u"ディスクの空きが足りないか、書き込みに失敗しました"_s);
    else if (bOk)
        m_sDocError = out->Commit();
    return bOk && m_sDocError.isEmpty();
}

QString PrinterDevice::OutputPath() const {
    if (!m_printer || m_printer->outputFormat() != QPrinter::PdfFormat)
        return {};
    return m_out ? m_out->FinalPath() : m_printer->outputFileName();
}

QPainter* PrinterDevice::PagePainter() {
    return m_bInPage && m_painter.isActive() ? &m_painter : nullptr;
}

QPaintDevice* PrinterDevice::Device() {
    return m_printer.get();
}

} // namespace hoplark
