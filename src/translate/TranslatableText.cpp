#include "TranslatableText.h"

#include "core/Cp1251.h"

#include <QHash>

namespace dolmex {

namespace {

bool IsGeneratedText(std::string_view text) {
    return text.size() >= 2 && text[1] == ':';
}

} // namespace

QString TranslationKeyPrefix(const QString& fileName) {
    return fileName + QLatin1Char(':');
}

std::vector<TranslatableText> TranslatableTexts(const QString& fileName, const DialogLines& lines) {
    std::vector<TranslatableText> texts;
    QHash<QString, int> seen; // line key -> how many lines carried it so far
    const QString prefix = TranslationKeyPrefix(fileName);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const PackedLine& line = lines[i];
        const int row = static_cast<int>(i) + 1;
        const std::string_view number = line[ColNumber];
        QString key = number.empty() ? QStringLiteral("row %1").arg(row) : FromCp1251(number);
        const int repeat = ++seen[key];
        if (repeat > 1)
            key += QStringLiteral("#%1").arg(repeat);
        const bool npcLine = line[ColIntelligence].empty();
        for (const int column : {ColText, ColGender}) {
            const std::string_view text = line[column];
            if (text.empty() || IsGeneratedText(text) || (column == ColGender && !npcLine))
                continue;
            texts.push_back(
                {prefix + key + (column == ColGender ? QStringLiteral(":gender") : QString()), row,
                 column, std::string(text), std::string(line[ColComment])});
        }
    }
    return texts;
}

} // namespace dolmex
