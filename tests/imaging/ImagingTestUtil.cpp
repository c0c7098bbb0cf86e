#include "ImagingTestUtil.h"

#include <QDir>
#include <QProcess>

namespace hoplark::test {

QRect InkBounds(const QImage& image, QColor background, QRect area) {
    if (area.isNull())
        area = image.rect();
    area &= image.rect();
    const QRgb bg = background.rgb();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != bg)
                box |= QRect(x, y, 1, 1);
    return box;
}

int InkOutside(const QImage& image, QColor background, const QRect& rect) {
    const QRgb bg = background.rgb();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!rect.contains(x, y) && image.pixel(x, y) != bg)
                ++n;
    return n;
}

QString RunTool(const QString& program, const QStringList& args) {
    QByteArray err;
    return QString::fromUtf8(RunToolBytes(program, args, &err));
}

QByteArray RunToolBytes(const QString& program, const QStringList& args, QByteArray* pErr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        *pErr = "did not run: " + program.toUtf8();
        return {};
    }
    *pErr = p.readAllStandardError();
    return p.readAllStandardOutput();
}

void SaveForViewing(const QImage& image, const QString& name) {
    const QString dir = qEnvironmentVariable("HOPLARK_TEST_OUT");
    if (!dir.isEmpty() && QDir().mkpath(dir))
        image.save(dir + QLatin1Char('/') + name + QLatin1String(".png"));
}

} // namespace hoplark::test
