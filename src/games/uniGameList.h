// What the New Game and Open Game dialogs need beyond the game files: the list
// of display names read from the data folder, and reloading the game table
// without losing the open game.
#pragma once

#include "model/uniGlobal.h"

#include <QStringList>

namespace rav {

// The Open Game list holds at most 200 names.
constexpr int MaxOpenListGames = 200;

// The display names of the game files in the data folder, in listing order, at
// most 200. Files the game table would not load (unreadable, line 3 or 4 not a
// number, pair count outside 10..15) are left out, so every name listed can be
// opened.
QStringList ListGameNames(const AppState& st);

// The names in the order the Open Game list keeps them: alphabetical without
// regard to case, names equal but for case in byte order.
QStringList SortedForList(QStringList names);

// Reloads the game table and makes the game that was open the current one
// again: the last game with its name and pair count, else the last with its
// name, else game 1. Returns true when the open game's name or pair count is
// no longer what it was (its file was replaced), so the coupon must be laid
// out again.
bool ReloadGamesKeepingOpenGame(AppState& st);

} // namespace rav
