#include "imaging/VerticalForms.h"

#include <QFont>
#include <QRawFont>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

// A small GSUB writer: big-endian fields appended in order.
struct Bytes {
    QByteArray data;
    Bytes& u16(quint32 v) {
        data.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
        return *this;
    }
    Bytes& u32(quint32 v) { return u16(v >> 16).u16(v & 0xFFFF); }
    Bytes& tag(const char* t) {
        data.append(t, 4);
        return *this;
    }
    Bytes& raw(const QByteArray& b) {
        data.append(b);
        return *this;
    }
    qsizetype size() const { return data.size(); }
};

// GSUB with one feature (tag) naming the given lookups, which are laid out one after another.
QByteArray Gsub(const char* featureTag, const QList<QByteArray>& lookups) {
    // Header (10) | FeatureList | LookupList
    Bytes featureList;
    featureList.u16(1).tag(featureTag).u16(8); // one record; feature table at offset 8
    featureList.u16(0).u16(quint32(lookups.size()));
    for (int i = 0; i < lookups.size(); ++i)
        featureList.u16(quint32(i));

    Bytes lookupList;
    lookupList.u16(quint32(lookups.size()));
    qsizetype offset = 2 + 2 * lookups.size();
    for (const QByteArray& l : lookups) {
        lookupList.u16(quint32(offset));
        offset += l.size();
    }
    for (const QByteArray& l : lookups)
        lookupList.raw(l);

    Bytes gsub;
    gsub.u16(1).u16(0).u16(0).u16(10).u16(quint32(10 + featureList.size()));
    gsub.raw(featureList.data).raw(lookupList.data);
    return gsub.data;
}

// Lookup of type 1 with one subtable placed right after the lookup header.
QByteArray SingleLookup(const QByteArray& subtable) {
    Bytes l;
    l.u16(1).u16(0).u16(1).u16(8).raw(subtable);
    return l.data;
}

// Format 1: delta over a format-1 coverage.
QByteArray Format1(const QList<quint32>& glyphs, qint16 delta) {
    Bytes s;
    s.u16(1).u16(6).u16(quint16(delta));
    s.u16(1).u16(quint32(glyphs.size()));
    for (quint32 g : glyphs)
        s.u16(g);
    return s.data;
}

// Format 2: substitutes listed over a format-2 (range) coverage starting at first.
QByteArray Format2(quint32 first, const QList<quint32>& subs) {
    Bytes s;
    s.u16(2).u16(quint32(6 + 2 * subs.size())).u16(quint32(subs.size()));
    for (quint32 g : subs)
        s.u16(g);
    s.u16(2).u16(1).u16(first).u16(first + quint32(subs.size()) - 1).u16(0);
    return s.data;
}

} // namespace

TEST(VerticalForms, SingleSubstitutionFormats) {
    const auto map1 = ReadVertSubstitutions(Gsub("vert", {SingleLookup(Format1({10, 20}, 5))}));
    EXPECT_EQ(map1, (QHash<quint32, quint32>{{10, 15}, {20, 25}}));

    const auto map2 = ReadVertSubstitutions(Gsub("vert", {SingleLookup(Format2(30, {7, 8, 9}))}));
    EXPECT_EQ(map2, (QHash<quint32, quint32>{{30, 7}, {31, 8}, {32, 9}}));

    // A negative delta wraps within 16 bits.
    const auto map3 = ReadVertSubstitutions(Gsub("vert", {SingleLookup(Format1({3}, -4))}));
    EXPECT_EQ(map3.value(3), 0xFFFFu);
}

TEST(VerticalForms, ExtensionLookupsAreFollowed) {
    Bytes ext;
    ext.u16(7).u16(0).u16(1).u16(8);                // lookup type 7, one subtable at 8
    ext.u16(1).u16(1).u32(8).raw(Format1({40}, 2)); // extension: real type 1, 8 bytes on
    const auto map = ReadVertSubstitutions(Gsub("vert", {ext.data}));
    EXPECT_EQ(map, (QHash<quint32, quint32>{{40, 42}}));
}

TEST(VerticalForms, LaterLookupsActOnEarlierResults) {
    const auto map = ReadVertSubstitutions(
        Gsub("vert", {SingleLookup(Format1({1}, 1)), SingleLookup(Format1({2, 5}, 10))}));
    EXPECT_EQ(map.value(1), 12u);
    EXPECT_EQ(map.value(2), 12u);
    EXPECT_EQ(map.value(5), 15u);
}

TEST(VerticalForms, OtherFeaturesAreIgnored) {
    EXPECT_TRUE(ReadVertSubstitutions(Gsub("liga", {SingleLookup(Format1({1}, 1))})).isEmpty());
}

TEST(VerticalForms, DamagedTablesGiveNoReadOutside) {
    const QByteArray good =
        Gsub("vert", {SingleLookup(Format1({10, 20}, 5)), SingleLookup(Format2(30, {7, 8}))});
    // Every truncation and every single damaged byte: a result or none, never a crash
    // (the sanitizer build checks the reads).
    for (qsizetype n = 0; n < good.size(); ++n)
        ReadVertSubstitutions(good.left(n));
    for (qsizetype i = 0; i < good.size(); ++i) {
        QByteArray bad = good;
        bad[i] = char(0xFF);
        const auto map = ReadVertSubstitutions(bad);
        EXPECT_LE(map.size(), 0x10000) << i;
    }
    EXPECT_TRUE(ReadVertSubstitutions(QByteArray()).isEmpty());
}

TEST(VerticalForms, IpaFontsCarryVerticalPunctuation) {
    for (const QString& family : {u"IPAMincho"_s, u"IPAGothic"_s, u"IPAPGothic"_s}) {
        QFont font(family);
        font.setPixelSize(40);
        const QRawFont raw = QRawFont::fromFont(font);
        ASSERT_TRUE(raw.isValid()) << family.toStdString();
        const auto map = ReadVertSubstitutions(raw.fontTable("GSUB"));
        EXPECT_GT(map.size(), 400) << family.toStdString();
        for (const QString& ch : {u"、"_s, u"。"_s, u"「"_s, u"（"_s, u"ー"_s, u"ぁ"_s}) {
            const auto glyphs = raw.glyphIndexesForString(ch);
            ASSERT_EQ(glyphs.size(), 1);
            EXPECT_TRUE(map.contains(glyphs[0])) << family.toStdString() << ch.toStdString();
        }
        const auto kanji = raw.glyphIndexesForString(u"山"_s);
        EXPECT_FALSE(map.contains(kanji.value(0))) << "a kanji has no vertical form";
    }
}
