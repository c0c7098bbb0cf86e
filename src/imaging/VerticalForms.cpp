#include "imaging/VerticalForms.h"

#include <QList>

#include <algorithm>
#include <optional>

namespace hoplark {

namespace {

// Big-endian reads that fail (nothing) instead of leaving the table.
class Reader {
public:
    explicit Reader(const QByteArray& data) : m_data(data) {}

    std::optional<quint32> U16(qint64 at) const {
        if (at < 0 || at + 2 > m_data.size())
            return std::nullopt;
        const auto* p = reinterpret_cast<const uchar*>(m_data.constData()) + at;
        return (quint32(p[0]) << 8) | p[1];
    }
    std::optional<quint32> U32(qint64 at) const {
        const auto hi = U16(at), lo = U16(at + 2);
        if (!hi || !lo)
            return std::nullopt;
        return (*hi << 16) | *lo;
    }
    std::optional<QByteArray> Tag(qint64 at) const {
        if (at < 0 || at + 4 > m_data.size())
            return std::nullopt;
        return m_data.mid(at, 4);
    }

private:
    const QByteArray& m_data;
};

// Coverage table: the glyphs it lists, each with its coverage index.
QList<std::pair<quint32, quint32>> ReadCoverage(const Reader& r, qint64 at) {
    QList<std::pair<quint32, quint32>> out;
    const auto format = r.U16(at), count = r.U16(at + 2);
    if (!format || !count)
        return out;
    if (*format == 1) {
        for (quint32 i = 0; i < *count; ++i) {
            const auto glyph = r.U16(at + 4 + 2 * i);
            if (!glyph)
                break;
            out.append({*glyph, i});
        }
    } else if (*format == 2) {
        for (quint32 i = 0; i < *count; ++i) {
            const qint64 rec = at + 4 + 6 * i;
            const auto start = r.U16(rec), end = r.U16(rec + 2), first = r.U16(rec + 4);
            if (!start || !end || !first)
                break;
            // A real coverage lists each of the 65536 glyph ids once at most.
            if (*end < *start || out.size() + (*end - *start) >= 0x10000)
                break;
            for (quint32 g = *start; g <= *end; ++g)
                out.append({g, *first + (g - *start)});
        }
    }
    return out;
}

// One single-substitution subtable into map (glyphs already mapped by an earlier subtable
// of the same lookup keep that mapping).
void ReadSingleSubst(const Reader& r, qint64 at, QHash<quint32, quint32>& map) {
    const auto format = r.U16(at), coverage = r.U16(at + 2);
    if (!format || !coverage)
        return;
    const auto covered = ReadCoverage(r, at + *coverage);
    if (*format == 1) {
        const auto delta = r.U16(at + 4);
        if (!delta)
            return;
        for (const auto& [glyph, index] : covered)
            if (!map.contains(glyph))
                map.insert(glyph, (glyph + *delta) & 0xFFFF);
    } else if (*format == 2) {
        const auto count = r.U16(at + 4);
        if (!count)
            return;
        for (const auto& [glyph, index] : covered) {
            if (index >= *count || map.contains(glyph))
                continue;
            if (const auto sub = r.U16(at + 6 + 2 * index))
                map.insert(glyph, *sub);
        }
    }
}

// The single substitutions of one lookup.
QHash<quint32, quint32> ReadLookup(const Reader& r, qint64 at) {
    QHash<quint32, quint32> map;
    const auto type = r.U16(at), count = r.U16(at + 4);
    if (!type || !count)
        return map;
    for (quint32 i = 0; i < *count; ++i) {
        const auto offset = r.U16(at + 6 + 2 * i);
        if (!offset)
            break;
        qint64 sub = at + *offset;
        if (*type == 7) {
            // Extension: format 1, the real lookup type, a 32-bit offset from here.
            const auto format = r.U16(sub), realType = r.U16(sub + 2), far = r.U32(sub + 4);
            if (!format || *format != 1 || !realType || *realType != 1 || !far)
                continue;
            sub += *far;
        } else if (*type != 1) {
            return map;
        }
        ReadSingleSubst(r, sub, map);
    }
    return map;
}

} // namespace

QHash<quint32, quint32> ReadVertSubstitutions(const QByteArray& gsub) {
    const Reader r(gsub);
    const auto major = r.U16(0), featureList = r.U16(6), lookupList = r.U16(8);
    if (!major || *major != 1 || !featureList || !lookupList)
        return {};

    // Every lookup that a "vert" feature names, whichever script or language it serves.
    QList<quint32> lookups;
    const auto featureCount = r.U16(*featureList);
    for (quint32 i = 0; featureCount && i < *featureCount; ++i) {
        const qint64 rec = *featureList + 2 + 6 * i;
        const auto tag = r.Tag(rec);
        const auto offset = r.U16(rec + 4);
        if (!tag || !offset)
            break;
        if (*tag != "vert")
            continue;
        const qint64 feature = *featureList + *offset;
        const auto indexCount = r.U16(feature + 2);
        for (quint32 k = 0; indexCount && k < *indexCount; ++k)
            if (const auto index = r.U16(feature + 4 + 2 * k); index && !lookups.contains(*index))
                lookups.append(*index);
    }
    std::sort(lookups.begin(), lookups.end());

    QHash<quint32, quint32> result;
    const auto lookupCount = r.U16(*lookupList);
    for (const quint32 index : lookups) {
        if (!lookupCount || index >= *lookupCount)
            continue;
        const auto offset = r.U16(*lookupList + 2 + 2 * index);
        if (!offset)
            continue;
        const QHash<quint32, quint32> step = ReadLookup(r, *lookupList + *offset);
        // Later lookups act on what earlier ones produced.
        for (auto it = result.begin(); it != result.end(); ++it)
            if (const auto next = step.find(it.value()); next != step.end())
                it.value() = next.value();
        for (auto it = step.begin(); it != step.end(); ++it)
            if (!result.contains(it.key()))
                result.insert(it.key(), it.value());
    }
    return result;
}

} // namespace hoplark
