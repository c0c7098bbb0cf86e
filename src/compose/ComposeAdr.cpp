#include "compose/ComposeAdr.h"

#include "addresslist/SamaRules.h"
#include "compose/AdrParts.h"
#include "compose/FitLines.h"
#include "compose/TextMarks.h"
#include "compose/VertText.h"
#include "imaging/Imaging.h"
#include "render/Canvas.h"
#include "render/FontApply.h"
#include "render/TextPlacement.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Fits address and names into their blocks. When an extra line is allowed, the first
// overflow grants it (the flag) and the fitting starts again. True when that happened.
bool FitBlocks(const Canvas& cv, ComposeResult& r, QString& address, QString& names) {
    const PageLayout& l = cv.lay;
    const bool bExtraOk = l.bExtraOk;
    bool bRepeated = false;
    for (;;) {
        bool bJustSet = false;
        if (bExtraOk && !r.bAdrExtra) {
            FitLines(address, l.nAdrRows, l.nLineCap[0], false, &r.bAdrExtra);
            bJustSet = r.bAdrExtra;
            r.bFitAdr = r.bFitAdr || r.bAdrExtra;
        } else {
            FitLines(address, l.nAdrRows, l.nLineCap[0], false);
        }
        if (!bJustSet) {
            if (bExtraOk && !r.bNameExtra) {
                FitLines(names, l.nNameRows, l.nLineCap[1], true, &r.bNameExtra);
                bJustSet = r.bNameExtra;
                r.bFitName = r.bFitName || r.bNameExtra;
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

void DrawAddress(const Canvas& cv, const ComposeInput& in, ComposeResult& r,
                 const QString& address) {
    const PageLayout& l = cv.lay;
    QStringList lines = address.split(u';');
    // Unfitted segments still carry the mark that ends the address proper: it is not text.
    for (QString& line : lines)
        if (line.endsWith(kSegEnd))
            line.chop(1);
    const qsizetype last = std::min<qsizetype>(lines.size() - 1, l.nAdrRows - 1);
    r.lbAddCaption[1] = lines[0];
    ApplyFont(cv, 1, false, false, false);
    int shift = 0;  // across the lines: affiliation lines stand apart from the address
    int indent = 0; // along the line: continuation lines start one character in
    for (qsizetype i = 0; i <= last; ++i) {
        QString line = lines[i];
        if (line.startsWith(kAffiliation)) {
            line.remove(0, 1);
            shift = i + 1 < l.nAdrRows ? l.nPitch[1] : l.nAdrNameGap;
            ApplyMidFont(cv);
        }
        if (in.bFullLay && i > 0)
            indent = line.size() < l.nLineCap[0] ? l.nPitch[1] : 0;
        LineBox b = PageLayout::Box(l.aAdrBox, i);
        if (cv.page.bVertical) {
            b[0] = Long(qint64(b[0]) - shift);
            b[2] = Long(qint64(b[2]) - shift);
            b[1] = Long(qint64(b[1]) + indent);
        } else {
            b[1] = Long(qint64(b[1]) + shift);
            b[3] = Long(qint64(b[3]) + shift);
            b[0] = Long(qint64(b[0]) + indent);
        }
        DrawTextBox(cv, b, line);
    }
}

// One title or name line into box b.
void DrawNameLine(const Canvas& cv, ComposeResult& r, const QString& line, const LineBox& b,
                  bool bCentre) {
    if (line.startsWith(kTitle)) {
        const QString title = line.mid(1);
        ApplyFont(cv, 2, false, false, true);
        r.lbAddCaption[2] = title;
        DrawTextBox(cv, b, title);
    } else {
        ApplyFont(cv, 3, bCentre, false, false);
        DrawTextBox(cv, b, line);
    }
}

void DrawNames(const Canvas& cv, const ComposeInput& in, ComposeResult& r, const QString& names) {
    const PageLayout& l = cv.lay;
    const QStringList lines = names.split(u';');
    const int last = static_cast<int>(std::min<qsizetype>(lines.size() - 1, l.nNameRows - 1));
    r.lbAddCaption[3] = lines.size() > 1 && lines[1] != kPlaceholder ? lines[1] : lines[0];
    const bool bCentre = cv.model.ckCnter[0] != 0;
    if (names.contains(u";"_s + kPlaceholder)) {
        int i = 0;
        while (i <= last) {
            const QString& line = lines[i];
            if (!line.startsWith(kTitle) && i < lines.size() - 1 && lines[i + 1] == kPlaceholder) {
                DotNames(cv, in, line, i, bCentre);
                r.bNameExtra = true;
            } else {
                DrawNameLine(cv, r, line, PageLayout::Box(l.aNameBox, i), bCentre);
                ++i;
            }
        }
    } else if (names.contains(u';') || l.nNameRows < 2) {
        for (int i = 0; i <= last; ++i)
            DrawNameLine(cv, r, lines[i], PageLayout::Box(l.aNameBox, i), bCentre);
    } else {
        // One name with room for two lines: it stands half-way between the first two.
        const LineBox& b0 = PageLayout::Box(l.aNameBox, 0);
        const LineBox& b1 = PageLayout::Box(l.aNameBox, 1);
        // Each moved edge is rounded once, as a whole.
        LineBox b = b0;
        const int across = cv.page.bVertical ? 0 : 1;
        const double d = (double(b1[across]) - b0[across]) / 2;
        b[across] = Nearest(b0[across] + d);
        b[across + 2] = Nearest(b0[across + 2] + d);
        ApplyFont(cv, 3, bCentre, false, false);
        DrawTextBox(cv, b, lines[0]);
        r.bNameExtra = true;
    }
}

void DrawSender(const Canvas& cv, const ComposeInput& in, ComposeResult& r) {
    const PageLayout& l = cv.lay;
    QString zip = in.txAdd[0];
    zip.remove(u'-');
    r.lbAddCaption[4] = zip;
    DrawZip(cv, 1, zip, false);

    QString text;
    for (int i = 1; i <= 8; ++i)
        text += in.txAdd[i] + u';';
    bool bOverflow = false; // one enlargement at most
    FitLines(text, l.nMaxRow[2], l.nLineCap[2], false, &bOverflow);
    if (text.isEmpty())
        return;
    QStringList lines = text.split(u';');
    const qsizetype m = l.aSndBox.size();
    if (lines.size() > m) {
        // More lines than the block has: the name keeps a line of its own.
        const QString name = TrimBlanks(in.txAdd[8]);
        QString& lastLine = lines.last();
        if (!name.isEmpty() && lastLine != name && lastLine.endsWith(u' ' + name)) {
            lastLine.chop(name.size() + 1);
            lines << name;
        }
    }
    if (cv.page.bVertical)
        for (QString& line : lines)
            VertText(line, true, false);
    r.lbAddCaption[5] = lines[0];

    // Every line is printed: when there are n lines for m rows, the pitch and the font shrink
    // by m / n and the n lines share the block from its first row to its last.
    const qsizetype n = lines.size();
    const double f = n > m ? double(m) / n : 1.0;
    const double sgMax = n > m ? double(Single(cv.model.lbAdd[5].size)) * f : 0;
    const auto box = [&](qsizetype i) {
        if (n <= m)
            return PageLayout::Box(l.aSndBox, i);
        const bool bV = cv.page.bVertical;
        const LineBox& b0 = PageLayout::Box(l.aSndBox, 0);
        const LineBox& bm = PageLayout::Box(l.aSndBox, m - 1);
        const int a0 = bV ? 0 : 1; // the across edges: first and far
        const double dir = bV ? -1 : 1;
        const double pitch = std::abs(double(b0[a0 + 2]) - b0[a0]) * f;
        const double extent = std::abs(double(bm[a0 + 2]) - b0[a0]);
        const double stride = (extent - pitch) / double(n - 1);
        LineBox b = b0;
        b[a0] = Nearest(b0[a0] + dir * i * stride);
        b[a0 + 2] = Nearest(b[a0] + dir * pitch);
        return b;
    };
    ApplyFont(cv, 5, false, false, false, sgMax);
    for (qsizetype i = 0; i < n; ++i) {
        // The last line, usually the name, may be centred.
        if (i == n - 1)
            ApplyFont(cv, 5, cv.model.ckCnter[1] != 0, false, false, sgMax);
        DrawTextBox(cv, box(i), lines[i]);
    }
}

} // namespace

FittedRecord FitRecord(const Canvas& cv, const ComposeInput& in) {
    FittedRecord f;
    f.r.bAdrExtra = cv.lay.bAdrExtra;
    f.r.bNameExtra = cv.lay.bNameExtra;
    if (cv.page.sPage.isEmpty() && !cv.lay.bPrinting)
        return f; // no profile selected: the layout may not exist
    GetAdrParts(cv, in, f.zip, f.address, f.names, f.ok);
    if (f.ok)
        f.bRepeated = !cv.model.OptAdd[0] && FitBlocks(cv, f.r, f.address, f.names);
    return f;
}

ComposeResult DrawRecord(const Canvas& cv, const ComposeInput& in, const FittedRecord& f,
                         ComposeMode mode) {
    const PageLayout& l = cv.lay;
    ComposeResult r = f.r;
    const bool bPrint = mode == ComposeMode::Print;
    if (!bPrint && cv.page.sPage.isEmpty())
        return r; // no profile selected
    if (!f.ok)
        return r;
    if (!bPrint && cv.nTab != 0) {
        // Without guides the record area of the preview is blanked, so a redraw leaves no
        // trace of the previous record. Never on paper: the page is blank already. Its outline
        // is white too, so the preview shows no frame that the paper will not have.
        SetPen(cv, 1, kWhite);
        cv.ik.LineColor(kWhite);
        const LineBox& a = PageLayout::Box(l.aAdrBox, 0);
        const LineBox& n = PageLayout::Box(l.aNameBox, l.nNameRows - 1);
        DrawBox(cv, a[0], a[1], n[2], n[3]);
    }
    r.lbAddCaption[0] = f.zip;

    if (bPrint) {
        if (cv.model.ckWaku[0])
            DrawZip(cv, 0, std::nullopt, false);
        if (cv.model.ckWaku[1] && cv.page.bSender)
            DrawZip(cv, 1, std::nullopt, false);
    }
    DrawZip(cv, 0, f.zip, mode == ComposeMode::Redraw && !f.bRepeated);

    if (!f.address.isEmpty())
        DrawAddress(cv, in, r, f.address);
    if (!f.names.isEmpty())
        DrawNames(cv, in, r, f.names);
    if (cv.page.bSender && (mode != ComposeMode::Redraw || f.bRepeated))
        DrawSender(cv, in, r);
    return r;
}

ComposeResult ComposeAdr(const Canvas& cv, const ComposeInput& in, ComposeMode mode) {
    return DrawRecord(cv, in, FitRecord(cv, in), mode);
}

} // namespace hoplark
