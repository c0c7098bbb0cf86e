#include "BatchRun.h"
#include "platform/TextFile.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

ProcRun Preview(const QStringList& args) {
    return Batch(QStringList{u"preview"_s} + args);
}

// A data folder with one starter profile and two senders, and a list of two addresses.
struct PreviewFixture {
    QString base, data, list;
    explicit PreviewFixture(const QString& sProfile) {
        base = test::NewTempDir();
        data = SeedDataFolder(base, sProfile,
                              u"<郵便>150-0001\r\n<名前>差出　一号\r\n\r\n"
                              u"<郵便>530-0001\r\n<名前>差出　二号\r\n"_s);
        list = base + u"/list.csv"_s;
        EXPECT_EQ(WriteTextFile(list, u"郵便番号,住所,勤務先,肩書,氏名\r\n"
                                      u"060-0042,北海道　札幌市　大通西4,,,佐藤　一郎\r\n"
                                      u"980-0811,宮城県　仙台市　一番町2,,部長,鈴木　花子\r\n"_s),
                  QString());
    }
    QStringList Args(const QString& sProfile, const QStringList& more) const {
        return QStringList{u"--data"_s, data, u"--profile"_s, sProfile, u"--codes"_s,
                           u"ZAOEN"_s,  list} +
               more;
    }
    QList<QJsonObject> Trace(const QString& path) const {
        QFile f(path);
        QList<QJsonObject> out;
        if (!f.open(QIODevice::ReadOnly))
            return out;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.isEmpty())
                out << QJsonDocument::fromJson(line).object();
        return out;
    }
};

QStringList Texts(const QList<QJsonObject>& trace) {
    QStringList out;
    for (const QJsonObject& o : trace)
        if (o[u"op"_s].toString() == u"DrawText"_s)
            out << o[u"text"_s].toString();
    return out;
}

TEST(PreviewCommand, RowSenderSizePngAndTrace) {
    const QString sProfile = u"はがき 横書き"_s;
    PreviewFixture f(sProfile);
    const QString png = f.base + u"/p.png"_s, trace = f.base + u"/p.jsonl"_s;
    const ProcRun r =
        Preview(f.Args(sProfile, {u"--row"_s, u"1"_s, u"--sender"_s, u"2"_s, u"--size"_s, u"400"_s,
                                  u"--png"_s, png, u"--trace"_s, trace}));
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(400, 400));
    const QList<QJsonObject> calls = f.Trace(trace);
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls[0][u"op"_s].toString(), u"ResetImage"_s);
    const QStringList texts = Texts(calls);
    EXPECT_TRUE(texts.contains(u"部長"_s));
    EXPECT_TRUE(texts.contains(u"鈴木　花子 様"_s));
    EXPECT_TRUE(texts.contains(u"差出 二号"_s));
    EXPECT_FALSE(texts.contains(u"佐藤　一郎 様"_s));
    // The page is white inside, the window colour around it.
    const QRgb corner = image.pixel(2, 2);
    EXPECT_NE(corner, image.pixel(200, 200));
}

TEST(PreviewCommand, VerticalPostcardDefaultsToRowZero) {
    const QString sProfile = u"はがき 縦書き"_s;
    PreviewFixture f(sProfile);
    const QString png = f.base + u"/v.png"_s, trace = f.base + u"/v.jsonl"_s;
    const ProcRun r = Preview(f.Args(sProfile, {u"--png"_s, png, u"--trace"_s, trace}));
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(600, 600));
    bool bName = false;
    for (const QJsonObject& o : f.Trace(trace))
        if (o[u"text"_s].toString() == u"佐藤　一郎　様"_s) // widened for vertical writing
            bName = o[u"dir"_s].toInt() == 2;
    EXPECT_TRUE(bName);
}

TEST(PreviewCommand, WrongRequests) {
    const QString sProfile = u"はがき 横書き"_s;
    PreviewFixture f(sProfile);
    const QString png = f.base + u"/x.png"_s;
    struct Case {
        QStringList args;
        int rc;
    };
    const QList<Case> cases{
        {f.Args(sProfile, {}), 2},                                     // no --png
        {f.Args(sProfile, {u"--png"_s, png, u"--size"_s, u"0"_s}), 2}, // size
        {f.Args(sProfile, {u"--png"_s, png, u"--row"_s, u"x"_s}), 2},  // row
        {f.Args(sProfile, {u"--png"_s, png, u"--row"_s, u"5"_s}), 1},  // past the list
        {f.Args(u"なし"_s, {u"--png"_s, png}), 1},                     // no such profile
    };
    for (const Case& c : cases) {
        const ProcRun r = Preview(c.args);
        EXPECT_EQ(r.rc, c.rc) << c.args.join(u' ').toStdString() << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(png));
}

} // namespace

TEST(PreviewCommand, APreSplitListDrawsEverySegmentOnItsOwnLine) {
    const QString sProfile = u"はがき 横書き"_s;
    PreviewFixture f(sProfile);
    EXPECT_EQ(WriteTextFile(f.list, u"郵便番号,住所1,住所2,住所3,肩書,氏名\r\n"
                                    u"100-0001,東京都,千代田区,丸の内1-1,,山田　太郎\r\n"_s),
              QString());
    const QString png = f.base + u"/p.png"_s, trace = f.base + u"/p.jsonl"_s;
    QStringList args = f.Args(sProfile, {u"--png"_s, png, u"--trace"_s, trace});
    args[args.indexOf(u"ZAOEN"_s)] = u"Z@@@EN"_s;
    const ProcRun r = Preview(args);
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    const QStringList texts = Texts(f.Trace(trace));
    for (const QString& s : {u"東京都"_s, u"千代田区"_s, u"丸の内1-1"_s})
        EXPECT_TRUE(texts.contains(s)) << texts.join(u'|').toStdString();
}
