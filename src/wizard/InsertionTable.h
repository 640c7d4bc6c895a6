#pragma once

// The wizard's insertion menus as data: every menu item and direct tool button that
// appends a ready-made operation item is one row here, keyed by its object name. The
// window builds its menus from these rows; the model's InsertOp serves all of them.

#include <cstdint>
#include <span>
#include <string_view>

namespace dolmex {

enum class OpList : std::uint8_t { Tests = 0, Results = 1 };

enum class MenuEntryKind : std::uint8_t {
    Submenu, // holds other entries
    Insert,  // appends its fixed item
    Skill,   // appends the pending code, its skill number and the pending value
};

// Where an entry's caption comes from. TESTBUTTONS, RESULTBUTTONS and RACES captions
// arrive as caption assignments of the language file; the others the model supplies.
enum class CaptionSource : std::uint8_t {
    Fixed,         // `fixedCaption`
    TestButtons,   // TESTBUTTONS line `captionIndex`
    ResultButtons, // RESULTBUTTONS line `captionIndex`
    Races,         // RACES entry `captionIndex`
    SkillKind,     // SKILLKIND line `captionIndex`
    Skills,        // SKILLS entry `captionIndex`
    None,          // a direct button: no caption, only a hint
};

struct MenuEntry {
    std::string_view name;   // object name; unique among the wizard's entries
    std::string_view parent; // the menu or submenu holding it; empty for a direct button
    MenuEntryKind kind;
    OpList list;
    std::string_view code;
    std::string_view first; // Skill entries: unused, the skill number is `captionIndex`
    std::string_view second;
    CaptionSource source;
    int captionIndex;
    std::string_view fixedCaption;
};

// A tool-bar button of the test bar (ToolBar2) or the result bar (ToolBar1), in bar order.
struct ToolBarButton {
    std::string_view name;
    OpList bar;
    std::string_view menu; // the menu it drops; empty when it inserts directly
    // Openers of the shared skill menu set the pending fields on mouse down.
    std::string_view pendingCode;
    std::string_view pendingValue;
    bool skillOpener() const { return !pendingCode.empty(); }
};

inline constexpr std::string_view kSkillMenu = "SkillMenu1";

std::span<const MenuEntry> MenuEntries();
std::span<const ToolBarButton> ToolBarButtons();

// The entry or button with that object name; nullptr when there is none.
const MenuEntry* FindMenuEntry(std::string_view name);
const ToolBarButton* FindToolBarButton(std::string_view name);

} // namespace dolmex
