#pragma once

#include "imaging/TraceImaging.h"
#include "session/Session.h"

#include <QJsonObject>
#include <QStringList>

#include <memory>

namespace hoplark::test {

// A traced printer whose answers a test chooses.
class ScriptedPrinter : public TraceImaging {
public:
    bool bOpen = true;     // OpenPrinter succeeds
    bool bDialog = false;  // PrintDialog is confirmed
    bool bStartDoc = true; // StartDoc succeeds
    bool bReady = true;    // PrinterReady
    QString sFallback;     // what OpenPrinter opened instead of the chosen printer
    int nCode = 43, nOrient = 1, nW = 1000, nH = 1480, nOffX = 0, nOffY = 0;

    bool OpenPrinter(int nOpt) override {
        TraceImaging::OpenPrinter(nOpt);
        return bOpen;
    }
    QString FallbackMessage() override { return sFallback; }
    bool PrintDialog() override {
        TraceImaging::PrintDialog();
        return bDialog;
    }
    bool StartDoc() override {
        TraceImaging::StartDoc();
        return bStartDoc;
    }
    bool PrinterReady() override { return bReady; }
    int PaperCode() override { return nCode; }
    int PaperOrientation() override { return nOrient; }
    bool PageMetrics(int, int& nX, int& nY, int& nPW, int& nPH, int& nPaperW, int& nPaperH,
                     int) override {
        nX = nOffX;
        nY = nOffY;
        nPW = nPaperW = nW;
        nPH = nPaperH = nH;
        return true;
    }

    // The op names of the trace, only those in keep when given.
    QStringList Ops(const QStringList& keep = {}) const {
        QStringList ops;
        for (const QJsonObject& o : records()) {
            const QString op = o.value(QStringLiteral("op")).toString();
            if (keep.isEmpty() || keep.contains(op))
                ops << op;
        }
        return ops;
    }
};

// A main window state on a horizontal postcard profile with nRows addresses whose names are
// 一郎, 二郎, ... in list order, in the user data folder usrFld (ending in "/").
std::unique_ptr<Session> PostcardState(Imaging& ik, const QString& usrFld, int nRows);

// The given names of the addresses, in list order.
QString RowName(int nRow);

} // namespace hoplark::test
