#pragma once

#include <QByteArray>
#include <QString>

namespace hoplark {

// Code page 932 (Shift-JIS as Windows writes it), through glibc iconv "CP932".

// Never fails: an invalid byte becomes U+FFFD and decoding goes on with the next byte.
QString DecodeCp932(const QByteArray& bytes);

struct Cp932Encoded {
    QByteArray bytes;   // every character that code page 932 holds
    QString unmappable; // the characters it cannot hold, each once, in order of appearance
    bool ok() const { return unmappable.isEmpty(); }
};

// Characters without a code page 932 form are reported, never silently dropped;
// they are left out of bytes.
Cp932Encoded EncodeCp932(const QString& text);

} // namespace hoplark
