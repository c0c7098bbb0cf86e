#pragma once

#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// A program run to its end: exit status, output, and stdout read as one JSON object per line.
struct ProcRun {
    int rc = -1; // -1: did not finish or crashed
    QString out, err;
    QList<QJsonObject> lines;
    bool bAllJson = true; // every stdout line was one JSON object
};

inline ProcRun Exec(const QString& program, const QStringList& args,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ProcRun r;
    if (!p.waitForFinished(120000))
        return r;
    r.rc = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        QJsonParseError e;
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &e);
        r.bAllJson = r.bAllJson && e.error == QJsonParseError::NoError && doc.isObject();
        r.lines.append(doc.object());
    }
    return r;
}

// The built hoplark-batch; it inherits the test's temporary HOME and XDG folders.
inline ProcRun Batch(const QStringList& args) {
    return Exec(QStringLiteral(HOPLARK_BIN_DIR "/hoplark-batch"), args);
}

// A data folder base/data holding the shipped starter profile sProfile and the sender file
// text sSenders; returns its path.
inline QString SeedDataFolder(const QString& base, const QString& sProfile,
                              const QString& sSenders) {
    const QString data = base + QStringLiteral("/data");
    QDir().mkpath(data + QStringLiteral("/Paper"));
    const QString from = QStringLiteral(HOPLARK_SOURCE_DIR "/data/paper/") + sProfile;
    for (const char* ext : {".ini", ".ik7", ".ik7.prnTxt"})
        QFile::copy(from + QLatin1StringView(ext),
                    data + QStringLiteral("/Paper/") + sProfile + QLatin1StringView(ext));
    hoplark::WriteTextFile(data + QStringLiteral("/Paper/差出人.ini"), sSenders);
    return data;
}
