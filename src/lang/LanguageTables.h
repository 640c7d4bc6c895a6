#pragma once

#include "LanguageEntries.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dolmex {

// A table of texts addressed by entry number, each cut to `Width` characters when stored
// (0: no limit). Reading an entry outside the table gives the empty text; storing one
// there does nothing, so no file can write past the table.
template <std::size_t Capacity, std::size_t Width> class TextTable {
public:
    static constexpr int capacity() { return static_cast<int>(Capacity); }
    static bool contains(int index) { return index >= 0 && index < capacity(); }

    const std::string& operator[](int index) const {
        static const std::string empty;
        return contains(index) ? m_entries[static_cast<std::size_t>(index)] : empty;
    }

    void set(int index, std::string_view text) {
        if (!contains(index))
            return;
        if (Width > 0 && text.size() > Width)
            text = text.substr(0, Width);
        m_entries[static_cast<std::size_t>(index)].assign(text);
    }

private:
    std::array<std::string, Capacity> m_entries{};
};

struct CodeEntry {
    std::string code; // the operation code: exactly the line's first two characters
    std::string description;
};

// The TEST or RESULT table: entries 1 to count() in file order; a code may repeat.
class CodeTable {
public:
    static constexpr int kCapacity = 50;

    int count() const { return m_count; }
    // Entry n, 1 to count(); anything else is an empty entry.
    const CodeEntry& entry(int n) const;
    void clear() { m_count = 0; }
    // False, storing nothing, when the table is full.
    bool add(CodeEntry entry);

private:
    std::array<CodeEntry, kCapacity> m_entries{};
    int m_count = 0;
};

// One kind of generated line (letters "A" to "Z").
struct GeneratedKind {
    std::uint8_t flags = 0;
    std::string name;
    std::string explanation;
    std::string phrase; // the template of the generated text
};

// Every table a language file fills. Entries keep their text until a later load
// supplies the same entry, so switching language never leaves holes.
struct LanguageTables {
    CodeTable test;
    CodeTable result;
    TextTable<7, 40> quests;
    TextTable<4, 20> degree;
    TextTable<19, 30> skills;
    TextTable<12, 25> races;    // entry 0 stays empty
    TextTable<17, 35> colleges; // entry 0 stays empty
    TextTable<201, 50> mainDescription;
    TextTable<2, 20> player;
    TextTable<7, 50> gender;
    TextTable<2, 20> in;
    TextTable<11, 50> captions; // entries 1 to 10
    std::array<GeneratedKind, 26> generatedDialog{};
    TextTable<4, 0> skillKind;
    TextTable<19, 100> greetingTests;
    TextTable<80, 40> spells;
    // Undo and redo: their captions and the names of the steps (see EditMenuEntry).
    TextTable<32, 50> editMenu;
    // The play window and the play transcript (see playtext).
    TextTable<48, 80> play;
    // Filter of the open and save dialogs, "description|*.dlg|description|*.*".
    std::string fileFilter;

    // The kind of generated line for a letter "A".."Z"; nullptr for anything else.
    const GeneratedKind* generatedKind(char letter) const;
};

} // namespace dolmex
