#pragma once

#include "profile/ProfileModel.h"

#include <QString>
#include <QStringList>

namespace hoplark {

class AtIni;

// How the settings-panel values are kept in a profile, one store step (value into a key of
// the block being written) and one restore step (key of the current block into the value)
// per kind of control.

void PutText(AtIni& oPage, const QString& sKey, const QString& tx);
void PutCheck(AtIni& oPage, const QString& sKey, int ck);
void PutCombo(AtIni& oPage, const QString& sKey, const ComboValue& cb);
void PutFont(AtIni& oPage, const QString& sKey, const FontSpec& lb);

// A missing key gives "" (text), 0 (check), the first list entry (combo); a font label
// stays as it is.
void GetText(const AtIni& oPage, const QString& sKey, QString& tx);
void GetCheck(const AtIni& oPage, const QString& sKey, int& ck);
void GetCombo(const AtIni& oPage, const QString& sKey, ComboValue& cb, const QStringList& list);
void GetFont(const AtIni& oPage, const QString& sKey, FontSpec& lb);

// Choice: text, "|", list index ("０．５０行|3", "0.50行|-1").
QString ChoiceText(const ComboValue& cb);
// Loading goes by the index alone (the part after the first "|", or the whole value): the
// entry of the list at that index. An index outside the list keeps the stored text (the part
// before the "|") with index -1, so a typed value survives a save and a load.
ComboValue ChoiceValue(const QString& value, const QStringList& list);

// Font as stored: name|size|colour|B|I|S|U| with " " for a style that is off.
QString FontSpecText(const FontSpec& lb);
// Applies the fields in order and stops silently at the first missing or unusable one;
// what was set before stays. An empty value changes nothing.
void ApplyFontSpec(const QString& value, FontSpec& lb);

// Check value: 0, 1 or 2; anything else reads as 0 (unchecked).
int CheckValue(const QString& value);

} // namespace hoplark
