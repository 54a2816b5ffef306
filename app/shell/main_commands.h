#pragma once

#include <vector>

/// When a menu item or toolbar button of the main window may be used.
enum class Availability {
    Always,   ///< with or without an open lottery
    WhileOpen ///< only while a lottery is open
};

/// A menu item: its objectName, caption and what it does — open a tool window (`toolKey`), select an
/// analysis tab (`tab`), or neither (a command of the main window itself or an installed handler).
struct MenuItemEntry {
    const char* name;
    const char* caption;
    Availability availability;
    const char* toolKey = nullptr;
    int tab = -1;
};

/// A menu of the menu bar with its items.
struct MenuEntry {
    const char* name;
    const char* caption;
    std::vector<MenuItemEntry> items;
};

/// A toolbar button: it runs `command`, the name of the menu item it acts as or its own name.
struct ToolButtonEntry {
    const char* name;
    const char* caption;
    const char* hint;
    Availability availability;
    const char* command;
    bool separatorBefore = false;
};

/// The menu bar of the main window, left to right.
const std::vector<MenuEntry>& mainMenus();
/// The toolbar of the main window, left to right.
const std::vector<ToolButtonEntry>& mainToolButtons();
/// The captions of the analysis tabs, tab 0 first.
const std::vector<const char*>& analysisTabCaptions();
