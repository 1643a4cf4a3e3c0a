// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#ifndef HANGARDECK_GUI_PANEL_H
#define HANGARDECK_GUI_PANEL_H

#include <array>

namespace hangardeck::gui {

// The panels of the main window's upper band, by the element number the settings file
// stores as frame (there is no element 1).
enum class Panel { DirectoryPicker = 0, DataFormat = 2, Help = 3, FieldLists = 4, GeneratedList = 5 };

inline constexpr std::array<Panel, 5> AllPanels{Panel::DirectoryPicker, Panel::DataFormat, Panel::Help,
                                                Panel::FieldLists, Panel::GeneratedList};

// What the panel switch does for a selector: show one panel, hide them all, close the
// window, or nothing at all.
struct PanelSwitch {
    enum Kind { Show, HideAll, Close, Ignore };
    Kind kind = Ignore;
    Panel panel = Panel::DirectoryPicker; // for Show
};

// Selector 1 shows element 2; 2 hides every panel; 9 closes the window.
constexpr PanelSwitch panelSwitchFor(int selector)
{
    switch (selector) {
    case 0:
        return {PanelSwitch::Show, Panel::DirectoryPicker};
    case 1:
        return {PanelSwitch::Show, Panel::DataFormat};
    case 2:
        return {PanelSwitch::HideAll};
    case 3:
        return {PanelSwitch::Show, Panel::Help};
    case 4:
        return {PanelSwitch::Show, Panel::FieldLists};
    case 5:
        return {PanelSwitch::Show, Panel::GeneratedList};
    case 9:
        return {PanelSwitch::Close};
    default:
        return {};
    }
}

} // namespace hangardeck::gui

#endif
