#pragma once

#include "player/PlayerView.h"
#include "player/ui/ActionRow.h"

#include <QStringView>

#include <span>

// The main window's command table: its menus, separators and commands, and its drop-down
// toolbar buttons.
std::span<const ActionRow> mainWindowActionRows();
std::span<const DropDownRow> mainWindowDropDownRows();
// The row named `name`, or nullptr.
const ActionRow *findActionRow(QStringView name);
// The object name of the action the engine enables or shows as `action`; nullptr for the web
// commands, which go as a group.
const char *playerActionName(PlayerAction action);
