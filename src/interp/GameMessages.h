#pragma once

// The game's numbered texts (areas, object names, rumours, quests, ...) that operation
// codes refer to: which file holds each kind, a message file in memory, the per-refresh
// store of found texts, and the look-up that fills it.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dolmex {

enum class MessageKind : int {
    Area = 0,
    ObjectName = 1,
    Rumour = 2,
    Quest = 3,
    Reputation = 4,
    StoryState = 5,
    GlobalFlag = 6,
    GlobalVar = 7,
    PlayerVar = 8,
};

inline constexpr int kMessageKindCount = 9;

// The kind's file below the module root, written as the game writes it ("mes\gamearea.mes").
std::string_view MessageFilePath(MessageKind kind);

// One message file, lines "{number}{text}", indexed by number.
class MessageFile {
public:
    explicit MessageFile(std::string bytes);

    std::size_t lineCount() const { return m_lines.size(); }
    std::int32_t number(std::size_t line) const { return m_lines[line].number; }
    // The second brace field of the line.
    std::string text(std::size_t line) const;
    // The lines numbered `n`, in file order. Only lines with a number of 0 or more are
    // indexed, since nothing asks for a negative number.
    std::span<const std::uint32_t> linesNumbered(std::int64_t n) const;

private:
    struct Line {
        std::size_t offset;
        std::size_t length;
        std::int32_t number;
    };
    std::string m_bytes;
    std::vector<Line> m_lines;
    // Line indexes ordered by (number, line), with the numbers alongside for the search.
    std::vector<std::uint32_t> m_byNumber;
    std::vector<std::int32_t> m_sortedNumbers;
};

// Where the message files come from: the game module on disk, or whatever a test gives.
class GameMessageSource {
public:
    virtual ~GameMessageSource() = default;
    // The file of `kind`, or null when it cannot be opened. The pointer stays valid until
    // the next call. Throws IoError when a file that opened cannot be read.
    virtual const MessageFile* messageFile(MessageKind kind) = 0;
};

// Message files held in memory.
class MemoryMessageSource : public GameMessageSource {
public:
    void setFile(MessageKind kind, std::string bytes);
    void removeFile(MessageKind kind);
    const MessageFile* messageFile(MessageKind kind) override;

private:
    std::array<std::unique_ptr<MessageFile>, kMessageKindCount> m_files;
};

// The texts one refresh found, by kind, in the order found.
class GameMessageStore {
public:
    // Each kind keeps its first 20 texts of a refresh; later ones are dropped, since the
    // panel has no room for them and the first ones are those in file order.
    static constexpr int kCapacity = 20;
    static constexpr std::size_t kTextWidth = 160;

    void clear();
    int counter(MessageKind kind) const { return static_cast<int>(texts(kind).size()); }
    const std::vector<std::string>& texts(MessageKind kind) const;
    bool full(MessageKind kind) const { return counter(kind) >= kCapacity; }
    // Stores `text` cut to the width; false, storing nothing, when the kind is full.
    bool add(MessageKind kind, std::string_view text);

private:
    std::array<std::vector<std::string>, kMessageKindCount> m_texts;
};

// The numbers a number list asks for, in list order: up to ten comma items, each a number
// ("7") or a range ("3-6"), at most 100 numbers. Digit runs too long for any message
// number saturate instead of overflowing; such numbers match nothing.
std::vector<std::int64_t> WantedNumbers(std::string_view list);

// The text kept for an area: the first non-empty stretch between slashes.
std::string AreaName(std::string_view text);

class GameMessageFinder {
public:
    GameMessageFinder(GameMessageSource& source, GameMessageStore& store)
        : m_source(source), m_store(store) {}

    // Looks the numbers of `numberList` up in the kind's file and stores what it finds, in
    // file order. A missing file is skipped; a read error throws IoError.
    void FindGameMessages(MessageKind kind, std::string_view numberList);

    GameMessageStore& store() { return m_store; }

private:
    GameMessageSource& m_source;
    GameMessageStore& m_store;
};

} // namespace dolmex
