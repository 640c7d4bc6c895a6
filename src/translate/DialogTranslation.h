#pragma once

#include "PoFile.h"
#include "TranslatableText.h"

#include <QHash>
#include <QSet>

namespace dolmex {

// The PO entries of a dialog file, one per text, for a translator to fill in.
std::vector<PoEntry> PoEntriesFor(const QString& fileName, const QString& referenceFile,
                                  const DialogLines& lines);

// What a translation says about one of its entries.
struct TranslationNote {
    QString context;
    QString reason;
    bool refused = false; // the dialog file is then left as it is
};

// The translated texts of a PO file, by key, and which keys have been used.
class TranslationCatalog {
public:
    explicit TranslationCatalog(const std::vector<PoEntry>& entries);

    // Puts the translations of `fileName` into `lines`. Only text cells change. A translation
    // that Windows-1251 cannot hold, or that has a brace or a line break, is refused; an
    // entry whose source text is no longer the line's text is left out. Returns how many
    // texts changed; nothing changes when any entry of the file was refused.
    int translate(const QString& fileName, DialogLines& lines, std::vector<TranslationNote>& notes);

    // Entries of `fileName` that named no line of it.
    std::vector<TranslationNote> unusedEntries(const QString& fileName) const;

private:
    QHash<QString, PoEntry> m_entries; // translated, not fuzzy
    QSet<QString> m_used;
};

} // namespace dolmex
