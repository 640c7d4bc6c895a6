#pragma once

// The block navigator's logic: the list of commented NPC lines and the choice made in it,
// which the main window carries out when it next becomes active.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dolmex {

class LineStore;

// The keys the list reacts to when they are released; the window maps its key codes
// (Return and the keypad's Enter are both Enter).
enum class NavigatorKey { Enter, Tab, Other };

enum NavigatorModifier : unsigned {
    NoModifier = 0,
    ShiftModifier = 1,
    ControlModifier = 2,
    AltModifier = 4,
    MetaModifier = 8,
};

// A choice for the main window: jump to the line, or write it into the current line's
// response.
struct NavigatorChoice {
    std::int32_t line = 0;
    bool insert = false;

    bool operator==(const NavigatorChoice&) const = default;
};

// The entries of the list `LB`: for each row in order whose number is above 0, whose
// intelligence cell is empty (no characters) and whose comment is not, "number - comment".
std::vector<std::string> MakeBlocks(const LineStore& store);

class BlockNavigator {
public:
    // Rebuilds the entries (and so drops the list's selection in the window).
    const std::vector<std::string>& MakeBlocks(const LineStore& store);
    const std::vector<std::string>& entries() const { return m_entries; }

    // `selected` is the index of LB's selected entry, or -1. Each returns true when the
    // window is to give the focus to the main window.
    bool LBDblClick(int selected);
    bool LBKeyUp(NavigatorKey key, unsigned modifiers, int selected);

    // The main window's FormActivate: the pending choice, once, when the navigator is
    // visible and a line above 0 is pending. A hidden navigator keeps its choice pending.
    std::optional<NavigatorChoice> takeChoice(bool navigatorVisible);

    std::int32_t PendingLine() const { return m_pendingLine; }
    bool PendingInsert() const { return m_pendingInsert; }

private:
    void choose(int selected, bool insert);

    std::vector<std::string> m_entries;
    std::int32_t m_pendingLine = 0;
    bool m_pendingInsert = false;
};

// Carries out an insert choice: the response of `row` becomes the chosen number.
void WriteChosenResponse(LineStore& store, int row, std::int32_t line);

} // namespace dolmex
