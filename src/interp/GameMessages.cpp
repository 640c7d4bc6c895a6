#include "GameMessages.h"

#include "OperationArgs.h"

#include "core/FileBytes.h"
#include "core/TextFields.h"

#include <algorithm>
#include <limits>

namespace dolmex {

namespace {

constexpr std::array<std::string_view, kMessageKindCount> kMessageFilePaths{
    "mes\\gamearea.mes",      "oemes\\oname.mes",      "mes\\game_rd_npc_m2m.mes",
    "mes\\gamequestlog.mes",  "mes\\gamereplog.mes",   "mes\\StoryState.mes",
    "semes\\globalflags.mes", "semes\\globalvars.mes", "semes\\pcvars.mes"};

constexpr int kMaxListItems = 10;
constexpr std::size_t kMaxWanted = 100;
// Far above any message number, far below where arithmetic on it could overflow.
constexpr std::int64_t kSaturatedNumber = 1'000'000'000'000;
constexpr std::int64_t kRumourStep = 20;

std::size_t Index(MessageKind kind) {
    return static_cast<std::size_t>(kind);
}

std::int64_t DigitsValue(std::string_view digits) {
    std::int64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value >= kSaturatedNumber)
            return kSaturatedNumber;
    }
    return value;
}

std::string StoredText(MessageKind kind, std::int64_t number, std::string_view text) {
    if (kind == MessageKind::ObjectName)
        return std::string(text);
    std::string shown = kind == MessageKind::Area ? AreaName(text) : std::string(text);
    const std::int64_t shownNumber = kind == MessageKind::Rumour ? number / kRumourStep : number;
    return std::to_string(shownNumber) + " - \"" + shown + "\"";
}

} // namespace

std::string_view MessageFilePath(MessageKind kind) {
    return kMessageFilePaths[Index(kind)];
}

MessageFile::MessageFile(std::string bytes) : m_bytes(std::move(bytes)) {
    ForEachLine(m_bytes, [&](std::string_view line) {
        const auto offset = static_cast<std::size_t>(line.data() - m_bytes.data());
        m_lines.push_back({offset, line.size(), ParseIntOrMinus1(BraceField(line, 1))});
        return true;
    });
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].number >= 0)
            m_byNumber.push_back(static_cast<std::uint32_t>(i));
    }
    // Stable, so lines with the same number stay in file order.
    std::stable_sort(m_byNumber.begin(), m_byNumber.end(), [&](std::uint32_t a, std::uint32_t b) {
        return m_lines[a].number < m_lines[b].number;
    });
    m_sortedNumbers.reserve(m_byNumber.size());
    for (const std::uint32_t i : m_byNumber)
        m_sortedNumbers.push_back(m_lines[i].number);
}

std::string MessageFile::text(std::size_t line) const {
    const Line& l = m_lines[line];
    return BraceField(std::string_view(m_bytes).substr(l.offset, l.length), 2);
}

std::span<const std::uint32_t> MessageFile::linesNumbered(std::int64_t n) const {
    if (n < 0 || n > std::numeric_limits<std::int32_t>::max())
        return {};
    const auto [first, last] = std::equal_range(m_sortedNumbers.begin(), m_sortedNumbers.end(),
                                                static_cast<std::int32_t>(n));
    return std::span<const std::uint32_t>(m_byNumber)
        .subspan(static_cast<std::size_t>(first - m_sortedNumbers.begin()),
                 static_cast<std::size_t>(last - first));
}

void MemoryMessageSource::setFile(MessageKind kind, std::string bytes) {
    m_files[Index(kind)] = std::make_unique<MessageFile>(std::move(bytes));
}

void MemoryMessageSource::removeFile(MessageKind kind) {
    m_files[Index(kind)].reset();
}

const MessageFile* MemoryMessageSource::messageFile(MessageKind kind) {
    return m_files[Index(kind)].get();
}

void GameMessageStore::clear() {
    for (auto& texts : m_texts)
        texts.clear();
}

const std::vector<std::string>& GameMessageStore::texts(MessageKind kind) const {
    return m_texts[Index(kind)];
}

bool GameMessageStore::add(MessageKind kind, std::string_view text) {
    if (full(kind))
        return false;
    m_texts[Index(kind)].emplace_back(text.substr(0, kTextWidth));
    return true;
}

std::vector<std::int64_t> WantedNumbers(std::string_view list) {
    std::vector<std::int64_t> wanted;
    const std::vector<std::string_view> items = AllCommaItems(list);
    const std::size_t itemCount = std::min<std::size_t>(items.size(), kMaxListItems);
    for (std::size_t k = 0; k < itemCount && wanted.size() < kMaxWanted; ++k) {
        std::string start, end;
        bool afterDash = false;
        for (const char c : items[k]) {
            if (c == '-')
                afterDash = true;
            else if (c >= '0' && c <= '9')
                (afterDash ? end : start) += c;
        }
        if (start.empty())
            continue;
        const std::int64_t first = DigitsValue(start);
        const std::int64_t last = end.empty() ? first : DigitsValue(end);
        for (std::int64_t n = first; n <= last && wanted.size() < kMaxWanted; ++n)
            wanted.push_back(n);
    }
    return wanted;
}

std::string AreaName(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return {};
    std::string name;
    for (std::size_t i = slash + 1; i < text.size(); ++i) {
        if (text[i] == '/') {
            if (!name.empty())
                break;
            continue;
        }
        name += text[i];
    }
    return name;
}

void GameMessageFinder::FindGameMessages(MessageKind kind, std::string_view numberList) {
    const MessageFile* file = m_source.messageFile(kind);
    if (!file)
        return;
    std::vector<std::int64_t> wanted = WantedNumbers(numberList);
    const auto room = static_cast<std::size_t>(GameMessageStore::kCapacity - m_store.counter(kind));
    if (wanted.empty() || room == 0)
        return;
    if (kind == MessageKind::Rumour) {
        for (std::int64_t& n : wanted)
            n *= kRumourStep;
    }
    // Every asked number matches each line carrying it, so a number asked twice gives
    // two entries per line; the texts come out in the file's line order.
    std::sort(wanted.begin(), wanted.end());
    std::vector<std::pair<std::uint32_t, int>> hits; // line index, times asked
    for (auto it = wanted.begin(); it != wanted.end();) {
        const auto next = std::upper_bound(it, wanted.end(), *it);
        const int times = static_cast<int>(next - it);
        // Only the first lines can still find room, which bounds the work on files
        // that repeat a number many times.
        const auto lines = file->linesNumbered(*it);
        for (const std::uint32_t line : lines.first(std::min(room, lines.size())))
            hits.emplace_back(line, times);
        it = next;
    }
    std::sort(hits.begin(), hits.end());
    for (const auto& [line, times] : hits) {
        const std::string text = StoredText(kind, file->number(line), file->text(line));
        for (int i = 0; i < times; ++i) {
            if (!m_store.add(kind, text))
                return;
        }
    }
}

} // namespace dolmex
