// bench_plain_pdf TRACE.jsonl OUT.pdf WIDTH_MM HEIGHT_MM
//
// The yardstick for hoplark-batch print: a plain program that draws the same pages straight
// through QPdfWriter and QPainter::drawText, with none of Hoplark's layers. It replays the
// printed texts and boxes of a job's trace (hoplark-batch print --trace): the same strings
// in the same fonts and sizes at the same places, vertical text one character under the
// other. The trace is read before the clock starts; the time is the drawing and writing.
// Prints the time, pages per second, bytes a page and the peak resident memory.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>

#include <sys/resource.h>

#include <cstdio>
#include <vector>

namespace {

struct Op {
    bool bText = false;
    QRect r;
    QString text, font;
    int size = 0, dir = 0, alignH = 0, alignV = 0;
};

// The IPA fonts the profiles' Windows names stand for.
QString Family(const QString& sName) {
    return sName.contains(QStringLiteral("ゴシック")) ? QStringLiteral("IPAGothic")
                                                      : QStringLiteral("IPAMincho");
}

void DrawOp(QPainter& p, const Op& op) {
    if (!op.bText) {
        p.drawRect(op.r);
        return;
    }
    QFont font(Family(op.font));
    font.setPointSizeF(op.size);
    p.setFont(font);
    if (op.dir != 2) {
        const int h = op.alignH == 1   ? Qt::AlignHCenter
                      : op.alignH == 2 ? Qt::AlignRight
                                       : Qt::AlignLeft;
        const int v = op.alignV == 1   ? Qt::AlignVCenter
                      : op.alignV == 2 ? Qt::AlignBottom
                                       : Qt::AlignTop;
        p.drawText(op.r, h | v, op.text);
        return;
    }
    const QFontMetricsF fm(font, p.device());
    const qreal em = op.size * 254.0 / 72.0;
    const qreal x = op.r.center().x();
    const qreal length = op.text.size() * em;
    qreal y = op.alignV == 1 ? op.r.top() + (op.r.height() - length) / 2 : op.r.top();
    for (const QChar c : op.text) {
        p.drawText(QPointF(x - fm.horizontalAdvance(c) / 2, y + fm.ascent()), QString(c));
        y += em;
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: bench_plain_pdf TRACE.jsonl OUT.pdf WIDTH_MM HEIGHT_MM\n");
        return 2;
    }
    QFile trace(args[1]);
    if (!trace.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    std::vector<std::vector<Op>> pages;
    bool bJob = false;
    while (!trace.atEnd()) {
        const QJsonObject o = QJsonDocument::fromJson(trace.readLine()).object();
        const QString sOp = o.value(QStringLiteral("op")).toString();
        if (sOp == QStringLiteral("StartDoc"))
            bJob = true;
        if (!bJob)
            continue;
        if (sOp == QStringLiteral("StartPage"))
            pages.emplace_back();
        const bool bText = sOp == QStringLiteral("DrawText");
        if ((!bText && sOp != QStringLiteral("DrawRect")) || pages.empty())
            continue;
        Op op;
        op.bText = bText;
        const int x1 = o.value(QStringLiteral("x1")).toInt(),
                  x2 = o.value(QStringLiteral("x2")).toInt();
        op.r = QRect(QPoint(std::min(x1, x2), o.value(QStringLiteral("y1")).toInt()),
                     QPoint(std::max(x1, x2), o.value(QStringLiteral("y2")).toInt()));
        op.text = o.value(QStringLiteral("text")).toString();
        op.font = o.value(QStringLiteral("font")).toString();
        op.size = o.value(QStringLiteral("size")).toInt();
        op.dir = o.value(QStringLiteral("dir")).toInt();
        op.alignH = o.value(QStringLiteral("alignH")).toInt();
        op.alignV = o.value(QStringLiteral("alignV")).toInt();
        pages.back().push_back(op);
    }

    QElapsedTimer clock;
    clock.start();
    {
        QPdfWriter writer(args[2]);
        writer.setResolution(254); // one device unit is 0.1 mm, as in the trace
        writer.setPageSize(
            QPageSize(QSizeF(args[3].toDouble(), args[4].toDouble()), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            for (const Op& op : pages[i])
                DrawOp(painter, op);
        }
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    struct rusage ru {};
    getrusage(RUSAGE_SELF, &ru);
    const qint64 bytes = QFileInfo(args[2]).size();
    std::printf("plain QPdfWriter: %zu pages in %.0f ms, %.0f pages/s, %.0f bytes a page, "
                "peak %.1f MB (with the trace read)\n",
                pages.size(), ms, pages.size() / (ms / 1000), double(bytes) / pages.size(),
                ru.ru_maxrss / 1024.0);
    return 0;
}
