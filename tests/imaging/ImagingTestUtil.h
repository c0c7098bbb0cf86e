#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace hoplark::test {

// Bounding box of the pixels of image (inside area, when given) that differ from background.
QRect InkBounds(const QImage& image, QColor background, QRect area = QRect());
// Pixels outside rect that differ from background.
int InkOutside(const QImage& image, QColor background, const QRect& rect);
// Standard output of a tool (pdfinfo, pdftotext...); empty when it cannot run.
QString RunTool(const QString& program, const QStringList& args);
// The same, as bytes, with what the tool wrote to its standard error.
QByteArray RunToolBytes(const QString& program, const QStringList& args, QByteArray* pErr);
// With HOPLARK_TEST_OUT set, the image is also saved there as name.png for a look.
void SaveForViewing(const QImage& image, const QString& name);

} // namespace hoplark::test
