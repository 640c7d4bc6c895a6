#include "PanelText.h"

#include "core/Cp1251.h"

namespace dolmex {

QString FoldWhiteSpace(const QString& text) {
    QString folded;
    folded.reserve(text.size());
    bool afterSpace = true; // white space at the start of a line is dropped
    for (const QChar c : text) {
        if (c.isSpace() && c != QChar::Nbsp) {
            if (afterSpace)
                continue;
            afterSpace = true;
            folded += QLatin1Char(' ');
        } else {
            afterSpace = false;
            folded += c;
        }
    }
    return folded;
}

QString PanelText(int row, const LineDescription& description) {
    QString text = QStringLiteral("# Row %1\n").arg(row);
    for (const DescLine& line : description.lines) {
        if (line.bold)
            text += QLatin1String("## ");
        text += FoldWhiteSpace(FromCp1251(line.text)).trimmed() + QLatin1Char('\n');
    }
    for (const std::string& move : description.moves)
        text += QLatin1String("-> ") + FromCp1251(move) + QLatin1Char('\n');
    return text;
}

} // namespace dolmex
