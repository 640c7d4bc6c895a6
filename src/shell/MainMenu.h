#pragma once

#include <vector>

namespace dolmex {

// One item of the main window's menus (an item named like a menu of kSubmenus opens it). Items are
// created from this one table, in menu order; their captions come from the language file.
struct MenuItemSpec {
    const char* menu;               // object name of the menu that holds the item
    const char* name;               // object name of the item; nullptr for a separator
    const char* shortcut = nullptr; // portable text form
    bool checkable = false;
    bool checked = false;
};

// The menu bar, left to right.
inline constexpr const char* kMenus[] = {"N1", "N8", "N10", "Search1", "N15", "N13", "N17"};
// Menus opened from an item of another menu.
inline constexpr const char* kSubmenus[] = {"N30", "L1", "Recent1"};

inline const std::vector<MenuItemSpec>& MainMenuItems() {
    static const std::vector<MenuItemSpec> items{
        {"N1", "N2", "Ctrl+Alt+N"},
        {"N1", "N3", "Ctrl+Alt+O"},
        {"N1", "Recent1"}, // submenu of the files opened last
        {"N1", "OpenModule1"},
        {"N1", "N4", "Ctrl+S"},
        {"N1", "N5", "Shift+F2"},
        {"N1", "ExportMap1"},
        {"N1", nullptr},
        {"N1", "N7"},
        {"N8", "N9", "Ctrl+F1", true, true},
        {"N8", "N12", "Ctrl+F2", true, true},
        {"N8", "Map1", "Ctrl+M", true, false},
        {"N8", "Module1", "Ctrl+Shift+M", true, false},
        {"N10", "N22", "Ins"},
        {"N10", "N19", "Ctrl+N"},
        {"N10", "N20", "Ctrl+Del"},
        {"N10", nullptr},
        {"N10", "N24"},
        {"N10", "N25"},
        {"N10", nullptr},
        {"N10", "Nup", "Ctrl+Shift+Up"},
        {"N10", "Ndn", "Ctrl+Shift+Down"},
        {"N10", nullptr},
        {"N10", "N14", "F4", true, false},
        {"Search1", "Find1", "Ctrl+F"},
        {"Search1", "FindNext1", "F3"},
        {"Search1", "FindPrev1", "Shift+F3"},
        {"Search1", "Replace1", "Ctrl+H"},
        {"Search1", "ModuleFind1", "Ctrl+Shift+F"},
        {"Search1", nullptr},
        {"Search1", "GoTo1", "Ctrl+G"},
        {"Search1", nullptr},
        {"Search1", "Back1", "Alt+Left"},
        {"Search1", "Forward1", "Alt+Right"},
        {"N15", "NB1", "Ctrl+Ins"},
        {"N15", "NB5", "Ctrl+Shift+Ins"},
        {"N15", nullptr},
        {"N15", "NB2", "Shift+Del"},
        {"N15", "NB6", "Ctrl+Shift+Del"},
        {"N15", nullptr},
        {"N15", "NB3", "Shift+Ins"},
        {"N15", "NB4"},
        {"N15", nullptr},
        {"N15", "N30"}, // submenu of the buffer radio items
        {"N13", "N32", "Ctrl+B"},
        {"N13", "Play1", "F5"},
        {"N13", "N34", "Ctrl+R"},
        {"N13", "N16", "Ctrl+Alt+R"},
        {"N13", nullptr},
        {"N13", "N36"},
        {"N13", "N37"},
        {"N13", "N31"},
        {"N13", nullptr},
        {"N13", "L1"}, // language submenu
        {"N13", "DLG1"},
        {"N17", "N18"},
        {"L1", "English1", nullptr, true, true},
        {"L1", "N38", nullptr, true, false},
        {"L1", "N39", nullptr, true, false},
        {"N30", "bbb1", "Ctrl+1", true, true},
        {"N30", "bbb2", "Ctrl+2", true, false},
        {"N30", "bbb3", "Ctrl+3", true, false},
        {"N30", "bbb4", "Ctrl+4", true, false},
        {"N30", "bbb5", "Ctrl+5", true, false},
    };
    return items;
}

} // namespace dolmex
