#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <variant>

namespace hoplark {

// A date tag value; no value stands for Empty (a text that is no date).
using TagDate = std::optional<QDateTime>;

// What a tag is read into: the alternative held on entry picks the conversion.
using TagValue = std::variant<QString, double, TagDate>;

// The block-and-tag text file the paper profiles are kept in. A file is a run of blocks:
//
//   <block>CR LF
//   TAB <tag> TAB value </tag> CR LF
//   </block>CR LF
//
// Written by building the text (SetBlk, SetTag, SetBlk("")) and SetTxt; read by GetTxt, then
// GetBlk to pick a block and GetTag for its values. Block and tag names are found regardless
// of letter case; only the first block and, inside it, the first tag of a name is ever read.
class AtIni {
public:
    // Reads the whole file (code page 932) into the text. bOk is true when the text is not
    // empty; a missing or unreadable file gives false and an empty text, without a message.
    void GetTxt(const QString& sFL, bool& bOk);
    bool GetTxt(const QString& sFL);

    // Writes the text to the file exactly. Empty on success, else a message naming the file;
    // the file is replaced whole or not at all.
    [[nodiscard]] QString SetTxt(const QString& sFL) const;

    void InTxt(const QString& sTx) { m_text = sTx; }
    const QString& InTxt() const { return m_text; }

    // Opening line for a non-empty name, else the closing line of the last block opened.
    void SetBlk(const QString& sGrp);

    // Makes block sGrp the current block; vBLK, when given, receives its inner text.
    void GetBlk(const QString& sGrp, QString* vBLK = nullptr);

    // Reads tag sCp of the current block. The value is always overwritten, also when the
    // tag is missing: "" for a string, 0 for a number, Empty for a date.
    void GetTag(const QString& sCp, QString& vDt) const;
    void GetTag(const QString& sCp, double& vDt) const;
    void GetTag(const QString& sCp, TagDate& vDt) const;
    void GetTag(const QString& sCp, TagValue& vDt) const;

    // Appends a tag line holding the text form of the value.
    void SetTag(const QString& sCp, const QString& vDt);
    void SetTag(const QString& sCp, int vDt);
    void SetTag(const QString& sCp, qint64 vDt);
    void SetTag(const QString& sCp, double vDt);
    void SetTag(const QString& sCp, const QDateTime& vDt);
    void SetTag(const QString& sCp, const TagValue& vDt);

    // The raw text of tag sCp in the current block ("" when missing).
    QString TagText(const QString& sCp) const;

    // Text forms as the file holds them.
    static QString NumberText(double v);
    static QString DateText(const QDateTime& v);
    static TagDate ParseDate(const QString& text);

private:
    QString m_text;     // the whole file
    QString m_block;    // inner text of the block found by the last GetBlk
    QString m_openName; // name of the last block opened by SetBlk
};

} // namespace hoplark
