#pragma once

#include "imaging/TraceImaging.h"
#include "profile/ProfileModel.h"

#include <QString>

namespace hoplark::test {

// The printer side of a profile load: TraceImaging (which records LoadPrinterSettings) with
// the answers of the printer queries set by the test.
class FakePrinter : public TraceImaging {
public:
    bool bReady = true;
    int nCode = 43;
    int nOrient = 1;
    bool bOpen = true;
    int nPaperW = 1000, nPaperH = 1480;

    bool PrinterReady() override { return bReady; }
    int PaperCode() override { return nCode; }
    int PaperOrientation() override { return nOrient; }
    bool OpenPrinter(int) override { return bOpen; }
    bool PageMetrics(int, int& nOffX, int& nOffY, int& nPrintW, int& nPrintH, int& nW, int& nH,
                     int) override {
        nOffX = nOffY = 0;
        nPrintW = nW = nPaperW;
        nPrintH = nH = nPaperH;
        return true;
    }
    // Paths handed to LoadPrinterSettings, in order.
    QStringList Loaded() const;
};

// A user data folder (ending in "/") with an empty "Paper" folder.
QString NewUserFolder();

// The state a main window holds for its profile, over a fresh user data folder.
struct ProfileState {
    QString UsrFld = NewUserFolder();
    ProfileModel model;
    PageVars page;
    FakePrinter ik;
    bool bBusy = false;

    // UsrFld "Paper/" sName: the profile's files are this & ".ini", ".ik7", ".ik7.prnTxt".
    QString Base(const QString& sName) const { return UsrFld + QStringLiteral("Paper/") + sName; }
};

// Writes the three files of a profile named sName in UsrFld "Paper/": sIni as the ".ini"
// (code page 932), and small ".ik7" / ".ik7.prnTxt" files holding sIk7Tag.
void WriteProfileFiles(const QString& UsrFld, const QString& sName, const QString& sIni,
                       const QByteArray& sIk7Tag = "ik7");

// A minimal valid ".ini" for a paper of the given size.
QString MinimalIni(int nW = 1000, int nH = 1480);

// A model in which every value differs from the defaults; combos name list entries.
ProfileModel ChangedModel();

} // namespace hoplark::test
