#include "compose/ComposeAdr.h"

#include "compose/AdrParts.h"
#include "compose/FitLines.h"
#include "compose/FontApply.h"
#include "compose/TextMarks.h"
#include "compose/VertText.h"
#include "render/MainState.h"
#include "render/TextPlacement.h"
#include "render/imaging/Imaging.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Fits address and names into their blocks. When an extra line is allowed, the first
// overflow grants it (the flag) and the fitting starts again. True when that happened.
bool FitBlocks(MainState& st, QString& address, QString& names) {
    PageLayout& l = st.lay;
    const bool bExtraOk = st.page.bExtraOk;
    bool bRepeated = false;
    for (;;) {
        bool bJustSet = false;
        if (bExtraOk && !l.bAdrExtra) {
            FitLines(address, l.nAdrRows, l.nLineCap[0], false, &l.bAdrExtra);
            bJustSet = l.bAdrExtra;
            st.bFitAdr = st.bFitAdr || l.bAdrExtra;
        } else {
            FitLines(address, l.nAdrRows, l.nLineCap[0], false);
        }
        if (!bJustSet) {
            if (bExtraOk && !l.bNameExtra) {
                FitLines(names, l.nNameRows, l.nLineCap[1], true, &l.bNameExtra);
                bJustSet = l.bNameExtra;
                st.bFitName = st.bFitName || l.bNameExtra;
            } else {
                names.remove(u";"_s + kPlaceholder);
                FitLines(names, l.nNameRows, l.nLineCap[1], true);
            }
        }
        if (!bJustSet)
            return bRepeated;
        bRepeated = true;
    }
}

void DrawAddress(MainState& st, const QString& address) {
    const PageLayout& l = st.lay;
    QStringList lines = address.split(u';');
    // Unfitted segments still carry the mark that ends the address proper: it is not text.
    for (QString& line : lines)
        if (line.endsWith(kSegEnd))
            line.chop(1);
    const qsizetype last = std::min<qsizetype>(lines.size() - 1, l.nAdrRows - 1);
    st.lbAddCaption[1] = lines[0];
    ApplyFont(st, 1, false, false, false);
    int shift = 0;  // across the lines: affiliation lines stand apart from the address
    int indent = 0; // along the line: continuation lines start one character in
    for (qsizetype i = 0; i <= last; ++i) {
        QString line = lines[i];
        if (line.startsWith(kAffiliation)) {
            line.remove(0, 1);
            shift = i + 1 < l.nAdrRows ? l.nPitch[1] : l.nAdrNameGap;
            ApplyMidFont(st);
        }
        if (st.adr.bFullLay && i > 0)
            indent = line.size() < l.nLineCap[0] ? l.nPitch[1] : 0;
        LineBox b = PageLayout::Box(l.aAdrBox, i);
        if (st.page.bVertical) {
            b[0] = Long(qint64(b[0]) - shift);
            b[2] = Long(qint64(b[2]) - shift);
            b[1] = Long(qint64(b[1]) + indent);
        } else {
            b[1] = Long(qint64(b[1]) + shift);
            b[3] = Long(qint64(b[3]) + shift);
            b[0] = Long(qint64(b[0]) + indent);
        }
        DrawTextBox(st, b, line);
    }
}

// One title or name line into box b.
void DrawNameLine(MainState& st, const QString& line, const LineBox& b, bool bCentre) {
    if (line.startsWith(kTitle)) {
        const QString title = line.mid(1);
        ApplyFont(st, 2, false, false, true);
        st.lbAddCaption[2] = title;
        DrawTextBox(st, b, title);
    } else {
        ApplyFont(st, 3, bCentre, false, false);
        DrawTextBox(st, b, line);
    }
}

void DrawNames(MainState& st, const QString& names) {
    PageLayout& l = st.lay;
    const QStringList lines = names.split(u';');
    const int last = static_cast<int>(std::min<qsizetype>(lines.size() - 1, l.nNameRows - 1));
    st.lbAddCaption[3] =
        lines.size() > 1 && lines[1] != kPlaceholder ? lines[1] : lines[0];
    const bool bCentre = st.model.ckCnter[0] != 0;
    if (names.contains(u";"_s + kPlaceholder)) {
        int i = 0;
        while (i <= last) {
            const QString& line = lines[i];
            if (!line.startsWith(kTitle) && i < lines.size() - 1 && lines[i + 1] == kPlaceholder) {
                DotNames(st, line, i, bCentre);
            } else {
                DrawNameLine(st, line, PageLayout::Box(l.aNameBox, i), bCentre);
                ++i;
            }
        }
    } else if (names.contains(u';') || l.nNameRows < 2) {
        for (int i = 0; i <= last; ++i)
            DrawNameLine(st, lines[i], PageLayout::Box(l.aNameBox, i), bCentre);
    } else {
        // One name with room for two lines: it stands half-way between the first two.
        const LineBox& b0 = PageLayout::Box(l.aNameBox, 0);
        const LineBox& b1 = PageLayout::Box(l.aNameBox, 1);
        // Each moved edge is rounded once, as a whole.
        LineBox b = b0;
        const int across = st.page.bVertical ? 0 : 1;
        const double d = (double(b1[across]) - b0[across]) / 2;
        b[across] = Nearest(b0[across] + d);
        b[across + 2] = Nearest(b0[across + 2] + d);
        ApplyFont(st, 3, bCentre, false, false);
        DrawTextBox(st, b, lines[0]);
        l.bNameExtra = true;
    }
}

void DrawSender(MainState& st) {
    const PageLayout& l = st.lay;
    QString zip = st.txAdd[0];
    zip.remove(u'-');
    st.lbAddCaption[4] = zip;
    DrawZip(st, 1, zip, false);

    QString text;
    for (int i = 1; i <= 8; ++i)
        text += st.txAdd[i] + u';';
    bool bIgnored = false; // one enlargement at most; lines beyond the block are not drawn
    FitLines(text, l.nMaxRow[2], l.nLineCap[2], false, &bIgnored);
    if (text.isEmpty())
        return;
    QStringList lines = text.split(u';');
    if (st.page.bVertical)
        for (QString& line : lines)
            VertText(line, true, false);
    st.lbAddCaption[5] = lines[0];
    ApplyFont(st, 5, false, false, false);
    const qsizetype last = std::min<qsizetype>(lines.size() - 1, l.nMaxRow[2] - 1);
    for (qsizetype i = 0; i <= last; ++i) {
        // The last line, usually the name, may be centred.
        if (i == last)
            ApplyFont(st, 5, st.model.ckCnter[1] != 0, false, false);
        DrawTextBox(st, PageLayout::Box(l.aSndBox, i), lines[i]);
    }
}

} // namespace

void ComposeAdr(MainState& st, int nMode) {
    PageLayout& l = st.lay;
    st.bFitAdr = st.bFitName = false;
    if (nMode != 2 && st.page.sPage.isEmpty())
        return; // no profile selected
    if (nMode == 2) {
        l.bAdrExtra = false;
        l.bNameExtra = false;
    }
    QString zip, address, names;
    bool ok = false;
    GetAdrParts(st, zip, address, names, ok);
    if (!ok)
        return;
    if (st.nTab != 0) {
        // Without guides the record area is blanked, so a redraw leaves no trace of the
        // previous record.
        SetPen(st, 1, kWhite);
        const LineBox& a = PageLayout::Box(l.aAdrBox, 0);
        const LineBox& n = PageLayout::Box(l.aNameBox, l.nNameRows - 1);
        DrawBox(st, a[0], a[1], n[2], n[3]);
    }
    st.lbAddCaption[0] = zip;
    bool bRepeated = false;
    if (!st.model.OptAdd[0])
        bRepeated = FitBlocks(st, address, names);

    if (nMode == 2) {
        if (st.model.ckWaku[0])
            DrawZip(st, 0, std::nullopt, false);
        if (st.model.ckWaku[1] && st.page.bSender)
            DrawZip(st, 1, std::nullopt, false);
    }
    DrawZip(st, 0, zip, nMode == 1 && !bRepeated);

    if (!address.isEmpty())
        DrawAddress(st, address);
    if (!names.isEmpty())
        DrawNames(st, names);
    if (st.page.bSender && (nMode != 1 || bRepeated))
        DrawSender(st);
}

} // namespace hoplark
