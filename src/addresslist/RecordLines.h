#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>

namespace hoplark {

// The record lines of a list, in list order, held as pieces of one text: a list of 100,000
// addresses is one string and two numbers a line, not 100,000 strings. A loaded list keeps
// the converted text it was read from (shared, not copied); lines appended later go to its end.
class RecordLines {
public:
    RecordLines() = default;
    RecordLines(const QStringList& lines);
    RecordLines(std::initializer_list<QString> lines) : RecordLines(QStringList(lines)) {}

    qsizetype size() const { return m_start.size(); }
    qsizetype count() const { return size(); }
    bool isEmpty() const { return m_start.isEmpty(); }
    QStringView view(qsizetype i) const {
        return QStringView(m_text).sliced(m_start.at(i), m_length.at(i));
    }
    QString at(qsizetype i) const { return view(i).toString(); }
    QString operator[](qsizetype i) const { return at(i); }

    void clear();
    void reserve(qsizetype nLines);
    void append(QStringView line);
    RecordLines& operator<<(QStringView line) {
        append(line);
        return *this;
    }
    // Makes text the storage (its lines are then added with AddPiece); the list is emptied.
    void Adopt(const QString& text);
    // A line of the adopted text: nLength characters from nStart.
    void AddPiece(qsizetype nStart, qsizetype nLength);

    QStringList toList() const;
    // Explicit: a whole copy of a long list should be asked for, not slip in.
    explicit operator QStringList() const { return toList(); }
    friend bool operator==(const RecordLines& a, const RecordLines& b) {
        return a.toList() == b.toList();
    }
    friend bool operator==(const RecordLines& a, const QStringList& b) { return a.toList() == b; }

private:
    QString m_text;
    QList<qint32> m_start, m_length; // a list file is at most 64 MiB
};

} // namespace hoplark
