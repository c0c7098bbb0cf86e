#include "imaging/PaperSizes.h"

#include <QSizeF>

#include <cmath>

namespace hoplark {

namespace {

struct CustomPaper {
    int code;
    double width, height; // mm
};

const CustomPaper kCustom[] = {
    {150, 98, 190},    {151, 89, 127}, {152, 127, 178}, {153, 89, 254},
    {154, 131, 238.7}, {155, 55, 91},  {156, 54, 86},
};

bool Near(const QSizeF& a, const QSizeF& b, double tolerance) {
    return std::abs(a.width() - b.width()) <= tolerance &&
           std::abs(a.height() - b.height()) <= tolerance;
}

} // namespace

QPageSize PageSizeFor(int nCode, int nWidth, int nHeight) {
    const QSizeF wanted(nWidth / 10.0, nHeight / 10.0);
    const QPageSize::PageSizeId id = QPageSize::id(nCode);
    if (id != QPageSize::Custom) {
        QPageSize standard(id);
        if (Near(standard.size(QPageSize::Millimeter), wanted, 1.0))
            return standard;
    }
    return QPageSize(wanted, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

int PaperCodeFor(const QPageSize& size) {
    if (size.id() != QPageSize::Custom && size.windowsId() > 0)
        return size.windowsId();
    const QSizeF mm = size.size(QPageSize::Millimeter);
    for (const CustomPaper& p : kCustom)
        if (Near(mm, QSizeF(p.width, p.height), 0.5))
            return p.code;
    return kPaperUser;
}

} // namespace hoplark
