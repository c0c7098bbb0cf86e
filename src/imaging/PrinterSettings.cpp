#include "imaging/PrinterSettings.h"

#include "platform/OutputFile.h"
#include "platform/TextFile.h"

#include <QHash>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kMarker = u"HOPLARK-IK7 1"_s;
const QString kEnd = u"end"_s;
// A settings file is a few hundred bytes; anything far larger is not one of ours.
constexpr qint64 kMaxFileSize = 64 * 1024;
// Ten metres: no paper is larger, and the arithmetic on it stays far from overflow.
constexpr int kMaxSize = 100000;

std::optional<int> ToInt(const QHash<QString, QString>& values, const QString& key) {
    const auto it = values.find(key);
    if (it == values.end())
        return std::nullopt;
    bool bOk = false;
    const int n = it->trimmed().toInt(&bOk);
    return bOk ? std::optional<int>(n) : std::nullopt;
}

QString Mm(int nTenths) {
    return QString::number(nTenths / 10.0, 'f', 1);
}

} // namespace

PrinterSettings PrinterSettings::FromPage(int paperCode, int pageW, int pageH, bool bLandscape) {
    PrinterSettings s;
    s.paperCode = paperCode;
    s.orientation = bLandscape ? 2 : 1;
    s.widthTenthMm = bLandscape ? pageH : pageW;
    s.heightTenthMm = bLandscape ? pageW : pageH;
    return s;
}

QString PrinterSettings::Text() const {
    QStringList lines{kMarker,
                      u"printer="_s + printerName,
                      u"output="_s + outputFile,
                      u"paper=%1"_s.arg(paperCode),
                      u"width=%1"_s.arg(widthTenthMm),
                      u"height=%1"_s.arg(heightTenthMm),
                      u"orientation=%1"_s.arg(orientation),
                      u"marginLeft=%1"_s.arg(marginLeft),
                      u"marginTop=%1"_s.arg(marginTop),
                      u"marginRight=%1"_s.arg(marginRight),
                      u"marginBottom=%1"_s.arg(marginBottom),
                      kEnd};
    return lines.join(u'\n') + u'\n';
}

QString PrinterSettings::ReadableText() const {
    QString s;
    if (!outputFile.isEmpty())
        s += u"出力先: PDFファイル %1\n"_s.arg(outputFile);
    else if (!printerName.isEmpty())
        s += u"出力先: プリンタ %1\n"_s.arg(printerName);
    else
        s += u"出力先: 既定のプリンタ\n"_s;
    s += u"用紙コード: %1\n"_s.arg(paperCode);
    s += u"用紙サイズ: %1 x %2 mm\n"_s.arg(Mm(widthTenthMm), Mm(heightTenthMm));
    s += u"印刷の向き: %1\n"_s.arg(orientation == 2 ? u"横"_s : u"縦"_s);
    s += u"余白 (左, 上, 右, 下): %1, %2, %3, %4 mm\n"_s.arg(Mm(marginLeft), Mm(marginTop),
                                                             Mm(marginRight), Mm(marginBottom));
    return s;
}

std::optional<PrinterSettings> PrinterSettings::Parse(const QString& text) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() < 2 || lines.first() != kMarker || lines.last() != kEnd)
        return std::nullopt;

    QHash<QString, QString> values;
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf(u'=');
        if (eq > 0)
            values.insert(lines[i].left(eq), lines[i].mid(eq + 1));
    }

    const auto code = ToInt(values, u"paper"_s);
    const auto width = ToInt(values, u"width"_s);
    const auto height = ToInt(values, u"height"_s);
    const auto orient = ToInt(values, u"orientation"_s);
    if (!code || !width || !height || !orient)
        return std::nullopt;
    // The paper code is a 16-bit Integer where callers keep it.
    if (*code < -32768 || *code > 32767 || *width <= 0 || *width > kMaxSize || *height <= 0 ||
        *height > kMaxSize || (*orient != 1 && *orient != 2))
        return std::nullopt;

    PrinterSettings s;
    s.printerName = values.value(u"printer"_s);
    s.outputFile = values.value(u"output"_s);
    s.paperCode = *code;
    s.widthTenthMm = *width;
    s.heightTenthMm = *height;
    s.orientation = *orient;
    // Margins that make no sense for the paper are dropped rather than refusing the file.
    const auto margin = [&](const QString& key, int nLimit) {
        const int n = ToInt(values, key).value_or(0);
        return n >= 0 && n < nLimit ? n : 0;
    };
    s.marginLeft = margin(u"marginLeft"_s, s.pageWidth() / 2);
    s.marginRight = margin(u"marginRight"_s, s.pageWidth() / 2);
    s.marginTop = margin(u"marginTop"_s, s.pageHeight() / 2);
    s.marginBottom = margin(u"marginBottom"_s, s.pageHeight() / 2);
    return s;
}

std::optional<PrinterSettings> PrinterSettings::Read(const QString& path) {
    // The reader refuses a FIFO or a device (which would block or never end).
    bool bOk = false;
    const QByteArray bytes = ReadBinaryFile(path, &bOk);
    if (!bOk || bytes.size() > kMaxFileSize)
        return std::nullopt;
    return Parse(QString::fromUtf8(bytes));
}

QString PrinterSettings::Write(const QString& path) const {
    // A line break inside a value would end the line early and spoil the file.
    for (const QString& v : {printerName, outputFile})
        if (v.contains(u'\n') || v.contains(u'\r'))
            return CannotWrite(path, u"改行を含む名前は保存できません"_s);
    QString sMsg = WriteBinaryFile(path, Text().toUtf8());
    if (sMsg.isEmpty())
        sMsg = WriteBinaryFile(path + u".prnTxt"_s, ReadableText().toUtf8());
    return sMsg;
}

} // namespace hoplark
