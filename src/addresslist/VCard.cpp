#include "addresslist/VCard.h"

#include "addresslist/CsvConvert.h"
#include "addresslist/ListText.h"
#include "platform/Cp932.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

constexpr char16_t kWideSpace = 0x3000;

// One content line: NAME;PARAMS:VALUE, the group prefix ("item1.") dropped.
struct Property {
    QString name;   // upper case
    QString params; // upper case, ";" between them
    QString value;  // raw, still escaped
};

struct Card {
    QString n, fn, org, title;
    QString adr; // the chosen address, raw
    bool bHome = false;
    bool bAdr = false;
};

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// A quoted-printable value: "=XX" bytes, read in the card's charset.
QString DecodeQuotedPrintable(const QString& value, const QString& params) {
    QByteArray bytes;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'=' && i + 2 < value.size() && HexDigit(value.at(i + 1)) >= 0 &&
            HexDigit(value.at(i + 2)) >= 0) {
            bytes += static_cast<char>(HexDigit(value.at(i + 1)) * 16 + HexDigit(value.at(i + 2)));
            i += 2;
        } else {
            bytes += QString(c).toUtf8();
        }
    }
    if (params.contains(u"SHIFT_JIS"_s) || params.contains(u"SHIFT-JIS"_s) ||
        params.contains(u"CP932"_s) || params.contains(u"SJIS"_s))
        return DecodeCp932(bytes);
    return QString::fromUtf8(bytes);
}

// The components of a structured value, split at unescaped ";", each unescaped.
QStringList Components(const QString& value) {
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar e = value.at(++i);
            parts.last() += (e == u'n' || e == u'N') ? QChar(u'\n') : e;
        } else if (c == u';') {
            parts << QString();
        } else {
            parts.last() += c;
        }
    }
    for (QString& p : parts)
        p = p.trimmed();
    return parts;
}

QString Text(const QString& value) {
    // A plain text value: ";" is not a separator here, only escaped.
    return Components(value).join(u';');
}

// Unfolded content lines: a line that begins with a blank continues the one before; a
// quoted-printable line that ends in "=" continues on the next.
QStringList ContentLines(QStringView text) {
    QStringList lines;
    qsizetype pos = 0;
    bool bSoftBreak = false;
    while (pos < text.size()) {
        const QStringView line = NextLine(text, pos);
        if (!lines.isEmpty() && bSoftBreak) {
            lines.last().chop(1);
            lines.last() += line;
        } else if (!lines.isEmpty() && !line.isEmpty() && (line[0] == u' ' || line[0] == u'\t')) {
            lines.last() += line.sliced(1);
        } else {
            lines << line.toString();
        }
        const QString& last = lines.last();
        bSoftBreak = last.endsWith(u'=') &&
                     last.section(u':', 0, 0).toUpper().contains(u"QUOTED-PRINTABLE"_s);
    }
    return lines;
}

bool ParseProperty(const QString& line, Property& p) {
    // The value starts after the first ":" outside quoted parameter values.
    bool bQuoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'"')
            bQuoted = !bQuoted;
        else if (line.at(i) == u':' && !bQuoted) {
            colon = i;
            break;
        }
    }
    if (colon < 0)
        return false;
    QString head = line.first(colon).toUpper();
    const qsizetype semi = head.indexOf(u';');
    p.name = semi < 0 ? head : head.first(semi);
    p.params = semi < 0 ? QString() : head.sliced(semi + 1);
    if (const qsizetype dot = p.name.indexOf(u'.'); dot >= 0)
        p.name = p.name.sliced(dot + 1);
    p.value = line.sliced(colon + 1);
    if (p.params.contains(u"QUOTED-PRINTABLE"_s))
        p.value = DecodeQuotedPrintable(p.value, p.params);
    return true;
}

bool IsHome(const QString& params) {
    // TYPE=HOME, TYPE=home,work, TYPE="home" or a bare HOME (2.1).
    for (const QString& param : params.split(u';')) {
        const QString values = param.startsWith(u"TYPE="_s) ? param.sliced(5) : param;
        for (QString v : values.split(u','))
            if (v.remove(u'"') == u"HOME"_s)
                return true;
    }
    return false;
}

void Take(Card& card, const Property& p) {
    if (p.name == u"N"_s) {
        card.n = p.value;
    } else if (p.name == u"FN"_s) {
        card.fn = p.value;
    } else if (p.name == u"ORG"_s) {
        card.org = p.value;
    } else if (p.name == u"TITLE"_s) {
        card.title = p.value;
    } else if (p.name == u"ADR"_s) {
        const bool bHome = IsHome(p.params);
        if (!card.bAdr || (bHome && !card.bHome)) {
            card.adr = p.value;
            card.bHome = bHome;
            card.bAdr = true;
        }
    }
}

// A CSV field: quoted, quotes doubled.
QString Field(const QString& value) {
    QString v = value;
    v.replace(u'"', u"\"\""_s);
    return u'"' + v + u'"';
}

void AppendCard(QString& out, const Card& card) {
    // ADR: post office box; extended address; street; locality; region; postal code; country.
    const QStringList adr = Components(card.adr);
    QString country = adr.value(6);
    if (IsJapan(country))
        country.clear();
    const QStringList n = Components(card.n);
    QString name = n.value(0);
    if (!n.value(1).isEmpty())
        name += (name.isEmpty() ? QString() : QString(QChar(kWideSpace))) + n.value(1);
    if (name.isEmpty())
        name = Text(card.fn);
    const QStringList org = Components(card.org);
    const QStringList fields{
        adr.value(5),     adr.value(4), adr.value(3), adr.value(2),
        adr.value(1),     country,      org.value(0), org.mid(1).join(QChar(kWideSpace)),
        Text(card.title), name};
    QStringList quoted;
    for (const QString& f : fields)
        quoted << Field(f);
    out += quoted.join(u',');
    out += u"\r\n"_s;
}

} // namespace

bool IsVCard(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return text.sliced(i).startsWith(u"BEGIN:VCARD", Qt::CaseInsensitive);
}

QString VCardToCsv(QStringView text) {
    QString out = u"郵便番号,都道府県,市区町村,番地,建物,国,会社名,部署,役職,氏名\r\n"_s;
    Card card;
    bool bIn = false;
    Property p;
    for (const QString& line : ContentLines(text)) {
        if (!ParseProperty(line, p))
            continue;
        if (p.name == u"BEGIN"_s &&
            p.value.trimmed().compare(u"VCARD"_s, Qt::CaseInsensitive) == 0) {
            card = Card();
            bIn = true;
        } else if (p.name == u"END"_s && bIn) {
            AppendCard(out, card);
            bIn = false;
        } else if (bIn) {
            Take(card, p);
        }
    }
    return out;
}

} // namespace hoplark
