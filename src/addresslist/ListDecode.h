#pragma once

#include <QByteArray>
#include <QString>

namespace hoplark {

// How the bytes of an address list are read: detected, or as the user chose.
enum class ListEncoding {
    Auto,  // a UTF-8 or UTF-16 byte-order mark, else valid non-ASCII UTF-8, else code page 932
    Cp932, // Shift-JIS as Windows writes it
    Utf8
};

// "auto", "cp932" (or "shift-jis", "sjis") and "utf-8" (or "utf8"), in any letter case;
// false for anything else.
bool ParseListEncoding(const QString& sName, ListEncoding& enc);

// The text of a list file. A UTF-16 byte-order mark is always honoured (no choice of ours
// reads those bytes otherwise); a UTF-8 one is dropped. Returns false with a message (sWhy)
// for bytes that are no text at all: a NUL byte outside UTF-16 means a binary file or UTF-16
// without a mark, and either would load as garbage.
bool DecodeList(const QByteArray& bytes, ListEncoding enc, QString& text, QString& sWhy);

// True when the bytes are valid UTF-8 and hold at least one non-ASCII character.
bool IsNonAsciiUtf8(const QByteArray& bytes);

} // namespace hoplark
