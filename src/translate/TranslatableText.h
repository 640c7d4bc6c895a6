#pragma once

#include "core/PackedLine.h"

#include <QString>

#include <string>
#include <vector>

namespace dolmex {

// A text of a dialog that a player reads, and the key that finds it again in a
// translation: "00001Ferryman.dlg:10" for the text of line 10, "00001Ferryman.dlg:10:gender"
// for its gender text. A number that several lines carry gets "#2", "#3", ... in row
// order; a line without a number is named by its row ("row 7").
struct TranslatableText {
    QString context;
    int row = 0;         // data row, from 1
    int column = 0;      // ColText or ColGender
    std::string text;    // Windows-1251 bytes as stored
    std::string comment; // the line's comment, for the translator
};

// Every text of `lines` a player sees, in row order: each line's text and, on NPC lines
// (intelligence cell empty), the gender text. Empty texts and generated lines (a letter
// and ":", which the game words itself) are left out. `fileName` is the file's name
// without its folder.
std::vector<TranslatableText> TranslatableTexts(const QString& fileName, const DialogLines& lines);

// The start of every key of `fileName`: "00001Ferryman.dlg:".
QString TranslationKeyPrefix(const QString& fileName);

} // namespace dolmex
