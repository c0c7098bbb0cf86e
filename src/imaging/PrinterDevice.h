#pragma once

#include "imaging/PrinterSettings.h"

#include <QPainter>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QPrinter;

namespace hoplark {

class OutputFile;

// The printer side of the imaging layer: the settings loaded from a ".ik7", the printer or PDF
// file they name, and one print job with its pages. Page coordinates are 0.1 mm from the
// printable origin (a PDF file's printable area is the whole page).
class PrinterDevice {
public:
    static constexpr double kUnitsPerInch = 254.0; // 0.1 mm

    PrinterDevice();
    ~PrinterDevice();
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    // Settings from a ".ik7"; a file that cannot be read leaves no settings (not ready).
    void Load(const QString& sPath);
    bool Ready() const;
    // The current settings, forced PDF output applied (nothing when not ready).
    std::optional<PrinterSettings> Current() const;

    // Every later job goes to sFile as PDF; nPageW x nPageH (0.1 mm, as the page is seen)
    // replaces the paper of the settings when both are positive. An empty sFile ends this.
    void ForcePdf(const QString& sFile, int nPageW, int nPageH);

    // Opens the device the settings name. A queue that is not installed falls back to the
    // default printer, or to a PDF file when there is none; FallbackMessage then says so.
    bool Open();
    bool IsOpen() const { return m_printer != nullptr; }
    QString FallbackMessage() const { return m_sFallback; }
    // Printable offsets and size, paper size (as printed), in 0.1 mm.
    bool Metrics(int& nOffX, int& nOffY, int& nPrintW, int& nPrintH, int& nPaperW,
                 int& nPaperH) const;
    // Ends a job still running and releases the device; false when none was open.
    bool Close();

    void SetDialogFlags(int nFlags) { m_nDialogFlags = nFlags; }
    // The printer dialog on the current settings; see Imaging::PrintDialog.
    bool Dialog();
    // Takes a configured printer (as the dialog leaves it) as the current settings, writes
    // them to the ".ik7" last loaded and opens it. Returns the write's message, empty if fine.
    QString Accept(const QPrinter& chosen);

    void SetDocName(const QString& sName) { m_sDocName = sName; }
    // A PDF file is written beside its final name and takes that name only when EndDoc finds
    // it complete: a failed, cancelled-before-any-page or interrupted job leaves the old file.
    bool StartDoc();
    bool StartPage();
    bool EndPage();
    bool EndDoc();
    // Runs on a complete PDF file before it takes its final name; false: it could not be
    // written.
    void SetPdfFinisher(std::function<bool(const QString& sPath)> finish) {
        m_finishPdf = std::move(finish);
    }
    // Why the last StartDoc or EndDoc failed, naming the file; empty when it did not.
    QString DocError() const { return m_sDocError; }
    // The file the open device writes (empty for a print queue or when none is open).
    QString OutputPath() const;
    // The painter of the page being drawn (target units already set up), else nullptr.
    QPainter* PagePainter();
    // The open printer as a paint device for measuring, else nullptr.
    QPaintDevice* Device();
    int PageCount() const { return m_nPages; }

private:
    std::optional<PrinterSettings> Effective() const;
    void Configure(QPrinter& printer, const PrinterSettings& s, bool bPdf) const;

    QString m_sPath; // the ".ik7" last loaded
    std::optional<PrinterSettings> m_settings;
    QString m_sForcedFile;
    int m_nForcedW = 0, m_nForcedH = 0;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QString m_sFallback;
    QString m_sDocName;
    int m_nDialogFlags = 0;
    bool m_bInDoc = false, m_bInPage = false;
    int m_nPages = 0;
    std::unique_ptr<OutputFile> m_out; // the PDF being written
    std::function<bool(const QString&)> m_finishPdf;
    QString m_sDocError;
};

} // namespace hoplark
