#include "DialogTranslation.h"

#include "core/Cp1251.h"

namespace dolmex {

namespace {

// Why `translation` cannot go into a text cell, or nothing.
QString RefusalOf(const QString& translation, std::optional<std::string>& bytes) {
    for (const QChar c : translation) {
        if (c == QLatin1Char('{') || c == QLatin1Char('}'))
            return QStringLiteral("a brace cannot stand in a dialog text");
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            return QStringLiteral("a line break cannot stand in a dialog text");
    }
    bytes = ToCp1251(translation);
    if (!bytes)
        return QStringLiteral("a character has no place in Windows-1251");
    return {};
}

} // namespace

std::vector<PoEntry> PoEntriesFor(const QString& fileName, const QString& referenceFile,
                                  const DialogLines& lines) {
    std::vector<PoEntry> entries;
    for (const TranslatableText& text : TranslatableTexts(fileName, lines))
        entries.push_back({text.context,
                           FromCp1251(text.text),
                           {},
                           FromCp1251(text.comment),
                           referenceFile,
                           text.row,
                           false});
    return entries;
}

TranslationCatalog::TranslationCatalog(const std::vector<PoEntry>& entries) {
    for (const PoEntry& entry : entries)
        if (!entry.fuzzy && !entry.translation.isEmpty() && !entry.context.isEmpty())
            m_entries.insert(entry.context, entry);
}

int TranslationCatalog::translate(const QString& fileName, DialogLines& lines,
                                  std::vector<TranslationNote>& notes) {
    struct Change {
        int row;
        int column;
        std::string bytes;
    };
    std::vector<Change> changes;
    bool refused = false;
    for (const TranslatableText& text : TranslatableTexts(fileName, lines)) {
        const auto found = m_entries.constFind(text.context);
        if (found == m_entries.constEnd())
            continue;
        m_used.insert(text.context);
        if (found->source != FromCp1251(text.text)) {
            notes.push_back({text.context,
                             QStringLiteral("the line's text is no longer the one translated; "
                                            "left as it is"),
                             false});
            continue;
        }
        std::optional<std::string> bytes;
        if (const QString refusal = RefusalOf(found->translation, bytes); !refusal.isEmpty()) {
            notes.push_back({text.context, refusal, true});
            refused = true;
            continue;
        }
        if (*bytes != text.text)
            changes.push_back({text.row, text.column, std::move(*bytes)});
    }
    if (refused)
        return 0;
    for (Change& change : changes)
        lines[static_cast<std::size_t>(change.row - 1)].set(change.column, change.bytes);
    return static_cast<int>(changes.size());
}

std::vector<TranslationNote> TranslationCatalog::unusedEntries(const QString& fileName) const {
    std::vector<TranslationNote> unused;
    const QString prefix = TranslationKeyPrefix(fileName);
    for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it)
        if (it.key().startsWith(prefix) && !m_used.contains(it.key()))
            unused.push_back({it.key(), QStringLiteral("no line of the file has this key"), false});
    std::sort(unused.begin(), unused.end(), [](const TranslationNote& a, const TranslationNote& b) {
        return a.context < b.context;
    });
    return unused;
}

} // namespace dolmex
