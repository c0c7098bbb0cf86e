#include "support/TestEnv.h"

#include "platform/MsgBox.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

#include <memory>

namespace hoplark::test {

namespace {
std::unique_ptr<QTemporaryDir> g_home;
}

void IsolateHome() {
    if (g_home)
        return;
    g_home =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/hoplark-test-XXXXXX"));
    const QByteArray home = g_home->path().toUtf8();
    qputenv("HOME", home);
    qputenv("XDG_DATA_HOME", home + "/.local/share");
    qputenv("XDG_CONFIG_HOME", home + "/.config");
    qputenv("XDG_CACHE_HOME", home + "/.cache");
    qputenv("XDG_DOCUMENTS_DIR", home + "/Documents");
    qputenv("XDG_RUNTIME_DIR", home + "/run");
    QDir().mkpath(g_home->path() + QStringLiteral("/run"));
    QFile::setPermissions(g_home->path() + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString TestHome() {
    IsolateHome();
    return g_home->path();
}

QString NewTempDir() {
    const QString dir = TestHome() + QStringLiteral("/t-") +
                        QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
    QDir().mkpath(dir);
    return dir;
}

QString WriteListFile(const QStringList& lines) {
    const QString path = NewTempDir() + QStringLiteral("/list.csv");
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    EXPECT_EQ(WriteTextFile(path, text), QString());
    return path;
}

MessageCapture::MessageCapture() {
    SetMsgBoxHandler([this](const QString& text) { m_messages << text; });
}

MessageCapture::~MessageCapture() {
    SetMsgBoxHandler(nullptr);
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace hoplark::test
