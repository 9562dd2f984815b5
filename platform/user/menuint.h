#pragma once
// The menu loop, for the default window procedure.

#include "win/menu.h"

namespace tavo::user {

// SC_KEYMENU: key 0 opens the menu bar at its first item (F10, Alt), ' ' the
// system menu, a character the bar item with that mnemonic.
void MenuKeyLoop(HWND hwnd, LPARAM key);

}  // namespace tavo::user
