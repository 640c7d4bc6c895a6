#include "Cp1251.h"

namespace dolmex {

QChar FirstUnstorable(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'{' || u == u'}' || u == u'\r' || u == u'\n' || !Cp1251Byte(c))
            return c;
    }
    return {};
}

std::optional<std::string> CellBytes(const QString& text) {
    if (!FirstUnstorable(text).isNull())
        return std::nullopt;
    return ToCp1251(text);
}

QString UnstorableWarning(std::string_view languageText, QChar character) {
    QString text = FromCp1251(languageText);
    if (text.isEmpty())
        text = QStringLiteral("This character cannot be stored in a dialog file:");
    const QString name =
        character.isPrint() && !character.isSpace()
            ? QStringLiteral("\"%1\"").arg(character)
            : QStringLiteral("U+%1").arg(character.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return text + QLatin1Char(' ') + name;
}

} // namespace dolmex
