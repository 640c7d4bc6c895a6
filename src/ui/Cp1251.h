#pragma once

// What a cell can hold of the text a user types; the conversion itself is the core's.
#include "core/Cp1251.h"

#include <QChar>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace dolmex {

// Text the user enters into a cell: the first character a dialog file cannot hold there,
// one outside Windows-1251 or one that would end or split the line's fields ("{", "}",
// CR, LF); a null QChar when the whole text can be stored.
QChar FirstUnstorable(const QString& text);

// The bytes of text the user entered into a cell, or nothing when FirstUnstorable finds a
// character that must be refused.
std::optional<std::string> CellBytes(const QString& text);

// The warning that refuses `character`: the language file's text (`languageText`, or an
// English one when it is empty) and the character, by its code when it is invisible.
QString UnstorableWarning(std::string_view languageText, QChar character);

} // namespace dolmex
