#pragma once

#include "imaging/TraceImaging.h"
#include "session/Session.h"

#include <QJsonObject>
#include <QList>

namespace hoplark::test {

// A main-window state over the trace implementation: a 100 x 148 mm postcard profile in a
// preview 4950 twips wide (300 pixels), an honorific list that is empty.
struct TraceScene {
    TraceImaging ik{nullptr, 4950};
    Session st{ik};

    TraceScene() {
        st.page.sPage = QStringLiteral("はがき");
        st.page.sPaper = QStringLiteral("はがき");
        st.page.nPaperW = 1000;
        st.page.nPaperH = 1480;
        st.page.bSender = true;
    }

    // The recorded calls of one kind, in order.
    QList<QJsonObject> Calls(const QString& op) const {
        QList<QJsonObject> out;
        for (const QJsonObject& o : ik.records())
            if (o.value(QStringLiteral("op")).toString() == op)
                out << o;
        return out;
    }
    QList<QJsonObject> Texts() const { return Calls(QStringLiteral("DrawText")); }
    QStringList TextValues() const {
        QStringList out;
        for (const QJsonObject& o : Texts())
            out << o.value(QStringLiteral("text")).toString();
        return out;
    }
    // The first drawn text equal to s (an empty object when none).
    QJsonObject TextCall(const QString& s) const {
        for (const QJsonObject& o : Texts())
            if (o.value(QStringLiteral("text")).toString() == s)
                return o;
        return {};
    }
    // x1, y1, x2, y2 of a drawing call.
    static std::array<int, 4> RectOf(const QJsonObject& o) {
        return {o[QStringLiteral("x1")].toInt(), o[QStringLiteral("y1")].toInt(),
                o[QStringLiteral("x2")].toInt(), o[QStringLiteral("y2")].toInt()};
    }
    // Draw in page units (printer target with no offsets), so the trace shows page coordinates.
    void PageUnits() {
        st.lay.bPrinting = true;
        st.lay.nPrnOffX = st.lay.nPrnOffY = 0;
    }
};

} // namespace hoplark::test
