#include "addresslist/ListColumns.h"

#include "addresslist/CsvReader.h"

#include <QCryptographicHash>

#include <array>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// What a header cell says its column holds.
enum class Role {
    None,
    Zip,
    Pref,
    City,
    Street,
    Country,
    Org,
    Dept,
    Title,
    Name,
    Family,
    Given,
    Sama,
    Joint
};

// A header cell made comparable: width folded, lower case, without blanks, brackets and
// hyphens, so "Address 1 - Postal Code", "郵便番号 (自宅)" and "氏名（姓）" compare plainly.
QString Normal(const QString& cell) {
    const QString folded = cell.normalized(QString::NormalizationForm_KC).toLower();
    QString out;
    out.reserve(folded.size());
    for (const QChar c : folded)
        if (!c.isSpace() && c != u'-' && c != u'_' && c != u'(' && c != u')' && c != u'"' &&
            c != u'・' && c != u'/')
            out += c;
    return out;
}

struct Name {
    const char16_t* text;
    Role role;
};

// Header names, already in their Normal form. Prefixes "home", "自宅" or "address1" are
// taken off before the look-up (see Classify).
constexpr std::array kNames{
    Name{u"郵便番号", Role::Zip},
    Name{u"〒", Role::Zip},
    Name{u"postalcode", Role::Zip},
    Name{u"zip", Role::Zip},
    Name{u"zipcode", Role::Zip},
    Name{u"都道府県", Role::Pref},
    Name{u"region", Role::Pref},
    Name{u"state", Role::Pref},
    Name{u"市区町村", Role::City},
    Name{u"市町村", Role::City},
    Name{u"city", Role::City},
    Name{u"住所", Role::Street},
    Name{u"住所1", Role::Street},
    Name{u"住所2", Role::Street},
    Name{u"住所3", Role::Street},
    Name{u"番地", Role::Street},
    Name{u"番地2", Role::Street},
    Name{u"番地3", Role::Street},
    Name{u"建物", Role::Street},
    Name{u"建物名", Role::Street},
    Name{u"street", Role::Street},
    Name{u"street2", Role::Street},
    Name{u"street3", Role::Street},
    Name{u"address", Role::Street},
    Name{u"extendedaddress", Role::Street},
    Name{u"国", Role::Country},
    Name{u"国地域", Role::Country},
    Name{u"country", Role::Country},
    Name{u"countryregion", Role::Country},
    Name{u"会社名", Role::Org},
    Name{u"会社", Role::Org},
    Name{u"勤務先", Role::Org},
    Name{u"勤務先部署", Role::Org},
    Name{u"所属", Role::Org},
    Name{u"company", Role::Org},
    Name{u"organizationname", Role::Org},
    Name{u"organization1name", Role::Org},
    Name{u"部署", Role::Dept},
    Name{u"部署名", Role::Dept},
    Name{u"department", Role::Dept},
    Name{u"organizationdepartment", Role::Dept},
    Name{u"organization1department", Role::Dept},
    Name{u"役職", Role::Title},
    Name{u"肩書", Role::Title},
    Name{u"肩書き", Role::Title},
    Name{u"jobtitle", Role::Title},
    Name{u"organizationtitle", Role::Title},
    Name{u"organization1title", Role::Title},
    Name{u"氏名", Role::Name},
    Name{u"名前", Role::Name},
    Name{u"宛名", Role::Name},
    Name{u"name", Role::Name},
    Name{u"姓", Role::Family},
    Name{u"氏名姓", Role::Family},
    Name{u"lastname", Role::Family},
    Name{u"familyname", Role::Family},
    Name{u"名", Role::Given},
    Name{u"氏名名", Role::Given},
    Name{u"firstname", Role::Given},
    Name{u"givenname", Role::Given},
    Name{u"敬称", Role::Sama},
    Name{u"連名", Role::Joint},
};

// The role of one header cell and whether it belongs to a business address (which is read
// only when the header has no home address).
Role Classify(const QString& cell, bool& bBusiness) {
    QString key = Normal(cell);
    bBusiness = false;
    // "連名1", "連名2" ...: joint names; their own honorifics cannot be kept apart.
    if (key.startsWith(u"連名"_s))
        return key.contains(u"敬称"_s) ? Role::None : Role::Joint;
    for (const auto& [prefix, bBiz] : {std::pair{u"address1"_s, false}, std::pair{u"home"_s, false},
                                       std::pair{u"business"_s, true}}) {
        if (key.startsWith(prefix) && key.size() > prefix.size()) {
            key.remove(0, prefix.size());
            bBusiness = bBiz;
            break;
        }
    }
    for (const auto& [suffix, bBiz] : {std::pair{u"自宅"_s, false}, std::pair{u"会社"_s, true}}) {
        if (key.endsWith(suffix) && key.size() > suffix.size()) {
            key.chop(suffix.size());
            bBusiness = bBiz;
            break;
        }
    }
    for (const Name& n : kNames)
        if (key == QStringView(n.text))
            return n.role;
    return Role::None;
}

} // namespace

QStringList ListHeader(const QString& text) {
    CsvReader reader(text);
    QStringList header;
    // The first line that holds anything is the header, as the list's first record is.
    while (reader.Next()) {
        if (reader.count() == 0)
            continue;
        for (const QStringView f : reader.fields())
            header << f.toString();
        break;
    }
    return header;
}

QList<QStringList> ListSample(const QString& text, int nRows) {
    CsvReader reader(text);
    QList<QStringList> rows;
    bool bHeader = true;
    while (rows.size() < nRows && reader.Next()) {
        if (reader.count() == 0)
            continue;
        if (bHeader) {
            bHeader = false;
            continue;
        }
        QStringList row;
        for (const QStringView f : reader.fields())
            row << f.toString();
        rows << row;
    }
    return rows;
}

std::optional<ListColumns> MatchHeader(const QStringList& header) {
    struct Cols {
        QList<int> zip, pref, city, street, country;
    } home, business;
    QList<int> org, dept, title, name, family, given, sama, joint;
    for (int i = 0; i < header.size(); ++i) {
        bool bBusiness = false;
        const Role role = Classify(header.at(i), bBusiness);
        Cols& where = bBusiness ? business : home;
        switch (role) {
        case Role::Zip:
            where.zip << i;
            break;
        case Role::Pref:
            where.pref << i;
            break;
        case Role::City:
            where.city << i;
            break;
        case Role::Street:
            where.street << i;
            break;
        case Role::Country:
            where.country << i;
            break;
        case Role::Org:
            org << i;
            break;
        case Role::Dept:
            dept << i;
            break;
        case Role::Title:
            title << i;
            break;
        case Role::Name:
            name << i;
            break;
        case Role::Family:
            family << i;
            break;
        case Role::Given:
            given << i;
            break;
        case Role::Sama:
            sama << i;
            break;
        case Role::Joint:
            joint << i;
            break;
        case Role::None:
            break;
        }
    }
    const auto hasAddress = [](const Cols& c) { return !c.zip.isEmpty() || !c.street.isEmpty(); };
    const Cols& adr = hasAddress(home) ? home : business;
    const bool bName = !name.isEmpty() || !family.isEmpty() || !given.isEmpty();
    if (!bName || !hasAddress(adr))
        return std::nullopt;

    ListColumns c;
    const auto add = [&c](QChar code, const QList<int>& src) {
        c.sCodes += code;
        c.map.outs.append({src});
    };
    // An address in Japanese order. Postal code and prefecture: the first column of each (a
    // later one would replace it).
    const auto addAddress = [&c](const Cols& a, bool bAlt) {
        const auto part = [&](QChar code, int nCol, bool bCountry = false) {
            c.sCodes += code;
            c.map.outs.append({{nCol}, bCountry, true, bAlt});
        };
        if (!a.zip.isEmpty())
            part(u'Z', a.zip.first());
        if (!a.pref.isEmpty())
            part(u'K', a.pref.first());
        for (const QList<int>* cols : {&a.city, &a.street})
            for (const int i : *cols)
                part(u'A', i);
        if (!a.country.isEmpty())
            part(u'A', a.country.first(), true);
    };
    addAddress(adr, false);
    // With home and business addresses, a person without the first has the second.
    if (&adr == &home && hasAddress(business))
        addAddress(business, true);
    for (const int i : org + dept)
        add(u'O', {i});
    for (const int i : title)
        add(u'E', {i});
    // One person, one name: family and given name joined; a full name column otherwise.
    if (!family.isEmpty() || !given.isEmpty())
        add(u'N', family.mid(0, 1) + given.mid(0, 1));
    else
        add(u'N', {name.first()});
    for (const int i : joint)
        add(u'N', {i});
    if (!sama.isEmpty())
        add(u'S', {sama.first()});
    return c;
}

QString HeaderKey(const QStringList& header) {
    const QByteArray hash =
        QCryptographicHash::hash(header.join(u',').toUtf8(), QCryptographicHash::Sha1);
    return u"列"_s + QString::fromLatin1(hash.toHex().left(16));
}

} // namespace hoplark
