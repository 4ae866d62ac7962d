#pragma once

#include "player/PlayerView.h"
#include "player/ui/ActionRow.h"

#include <QString>
#include <QStringView>

#include <span>

// The main window's command table: its menus, separators and commands, and its drop-down
// toolbar buttons.
std::span<const ActionRow> mainWindowActionRows();
std::span<const DropDownRow> mainWindowDropDownRows();
// The row named `name`, or nullptr.
const ActionRow *findActionRow(QStringView name);
// The seven web commands, shown and hidden as a group with their separators and the text size's
// up-down (UD_WFontSize), a widget placed on the toolbar at kWebFontSizeSlot.
std::span<const char *const> webCommandNames();
inline constexpr int kWebFontSizeSlot = 310;
inline constexpr const char *kWebSeparators[] = {"MI_SV_SepWeb", "TB_SepWeb"};
// The object name of the action the engine enables or shows as `action`; nullptr for the web
// commands, which go as a group.
const char *playerActionName(PlayerAction action);
// The commands a drop-down toolbar button's program option (ImageSlidesIndex, ActionEndIndex,
// ActionOptionsIndex, ActionXIndex) names, in the order of the index; an index past the end
// names the last. Empty for a name that is not a drop-down button.
std::span<const char *const> dropDownIndexCommands(QStringView button);
// A toggle's hint with "(estat actual) " before the alternative in force; `stateOn` is the
// state the first alternative describes. "" for a command that is not a toggle.
QString toggleHint(QStringView name, bool stateOn);
// What a view-only user does not see: commands, drop-down buttons and arrows, separators.
std::span<const char *const> viewOnlyHiddenNames();
// The commands whose windows are not part of the program yet: disabled until one is given.
std::span<const char *const> awaitingWindowNames();
