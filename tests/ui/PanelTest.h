#pragma once

// Shared set-up of the settings panel tests: a panel over a fresh main state, the dialogs
// answered by the test, a counter of redraw requests, and user-like input.

#include "imaging/TraceImaging.h"
#include "session/Session.h"
#include "ui/MarginPanel.h"
#include "ui/PageAddress.h"
#include "ui/PageFormats.h"
#include "ui/PagePaper.h"
#include "ui/PageSama.h"
#include "ui/SettingsPanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace hoplark::test {

// Types text into a widget key by key, as a user would.
inline void TypeText(QWidget* widget, const QString& sText) {
    for (const QChar c : sText) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

inline void PressKey(QWidget* widget, int nKey) {
    QKeyEvent press(QEvent::KeyPress, nKey, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

class PanelTest : public ::testing::Test {
public:
    struct FontCall {
        QString sTitle;
        FontSpec preset;
        bool bSizeColour;
    };

    PanelTest() {
        PanelDialogs dialogs;
        dialogs.ChooseFont = [this](const QString& sTitle, const FontSpec& preset, bool bSC) {
            fontCalls.push_back({sTitle, preset, bSC});
            return fontAnswer;
        };
        dialogs.ChooseColor = [this](const QString& sTitle) {
            colorCalls.push_back(sTitle);
            return colorAnswer;
        };
        panel.SetDialogs(dialogs);
        QObject::connect(&panel, &SettingsPanel::refreshRequested, [this] { ++nRefresh; });
        panel.InitTabs();
        panel.LoadFromModel();
        nRefresh = 0;
    }

    PagePaper& paper() { return *panel.pagePaper; }
    PageFormats& formats() { return *panel.pageFormats; }
    PageAddress& address() { return *panel.pageAddress; }
    PageSama& sama() { return *panel.pageSama; }
    MarginPanel& frame(int p) { return *panel.pagePaper->FramePc[p]; }

    TraceImaging ik;
    Session st{ik};
    SettingsPanel panel{st};
    int nRefresh = 0;
    std::optional<FontSpec> fontAnswer;
    std::optional<int> colorAnswer;
    std::vector<FontCall> fontCalls;
    QStringList colorCalls;
};

} // namespace hoplark::test
