#pragma once

#include <QString>
#include <QVariant>

namespace hoplark {

// The user environment file "User.xml": an XML-looking text read and written by plain text
// search. The whole file is held in memory; one group at a time is selected, read and changed,
// put back into the document, and the document is written once when the program ends.
//
//   <?xml version='1.0' encoding='Shift-JIS' ?>
//   <運用>
//      <印刷>
//         <用紙>はがき</用紙>
//      </印刷>
//   </運用>
class UserEnv {
public:
    // Loads the file (a name ending in "_DV.xml", any case, means the same name with ".xml").
    // A missing file is created empty at once. bOk is false on any failure, without a message.
    void GetTxt(const QString& sFL, bool& bOk);
    // Selects group sGp; a missing group gives empty group text.
    void GetGtx(const QString& sGp);
    // The value of key sKy in the selected group, typed by the default: a QString gives text,
    // a bool a Boolean, a QDate/QDateTime a date, any other type a double. An empty value
    // gives vDef. A Boolean text that does not convert gives vDef and *pbOk false.
    QVariant vGtVal(const QString& sKy, const QVariant& vDef, bool* pbOk = nullptr);
    // Whether the selected group holds key sKy at all (even with an empty value).
    bool HasKey(const QString& sKy) const;
    // Sets key sKy of the selected group (group text only): in place, or appended.
    void SetVal(const QString& sKy, const QVariant& vVL);
    // Puts the group text back into the document under the selected group name.
    void SetGtx();
    // Writes the document to the file. Nothing happens (bOk untouched) before GetTxt. A file
    // that existed but could not be read is left alone (bOk false). pMsg (when given) gets the
    // message of a write that failed; the old file then stays as it was.
    void SetTxt(bool& bOk, QString* pMsg = nullptr);
    // Why the last GetTxt could not read a file that is there (not a regular file, too large,
    // unreadable), naming it; empty otherwise.
    const QString& ReadMessage() const { return m_sReadMsg; }

    const QString& path() const { return m_sPath; }
    const QString& document() const { return m_sDoc; }
    const QString& groupName() const { return m_sGrp; }
    const QString& groupText() const { return m_sGtx; }

    // A value in the text form the file stores: Booleans "True"/"False", dates
    // "yyyy/MM/dd[ H:mm:ss]", numbers in decimal digits.
    static QString ValueText(const QVariant& v);
    // The empty document: XML line, "<運用>", "</運用>".
    static QString EmptyDocument();

private:
    // Inner text of group sNm in the document (nMode 0) or of key sNm in the group text
    // (nMode 1). A broken element is reported once and reads as empty.
    QString GetElm(int nMode, const QString& sNm) const;
    // Text of a document (0), group (1) or key (2) element; every "‡" becomes CR LF.
    static QString MakeElm(int nMode, const QString& sNm, const QString& sVL);

    QString m_sPath;
    QString m_sDoc;
    QString m_sGrp;
    QString m_sGtx;
    // The file existed but could not be read: writing would replace what we never saw.
    bool m_bUnread = false;
    QString m_sReadMsg;
};

// The end procedure: writes the environment once (a failed write is shown: the settings of
// this run are then lost, the file keeps those of the last) and ends the event loop. The
// caller has already closed its windows.
void AppEnd(UserEnv& env);

} // namespace hoplark
