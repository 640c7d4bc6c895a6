#pragma once

// Text and language helpers shared by the verbs that print dialog texts.

#include <QString>

#include <string>

namespace dolmex {
struct LanguageTables;
}

namespace dolmex::cli {

// A JSON string literal (quotes and escapes) of Windows-1251 bytes.
QString JsonString(const std::string& bytes);

// Fills `tables` from the language file named, or else from the settings' choice beside
// the program (English when the settings name none). Throws IoError.
void LoadLanguageTables(const QString& named, LanguageTables& tables);

} // namespace dolmex::cli
