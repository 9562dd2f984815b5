#pragma once
// The main window's menu commands: one table with a row for every command,
// each row of one kind (a window, a docked element, a tool window, a key
// played into the main window, a dialog, an action). A row whose handler
// belongs to a part not built yet has none and answers through the one
// "not available" box; a command in no row does nothing. Main thread only.

#include <cstdint>

#include "windows.h"

enum class KommandoArt : uint8_t {
  Vindue,      // a free object window of the type at the next cascade place
  Element,     // an element window of the type docked in the screen layout
  Vaerktoej,   // the tool window of the type, opened or closed
  Tast,        // the key with its modifiers sent to the main window
  Dialog,      // a modal dialog over the main window, the help context set
  Handling,    // an action of its own
};

// Modifiers of a key row.
enum : uint8_t { kModShift = 1, kModCtrl = 2, kModAlt = 4 };

using KommandoHandling = void (*)(HWND hoved, UINT id, LPARAM lParam);

struct KommandoRaekke {
  UINT Fra, Til;  // the ids of the row, both included
  KommandoArt Art;
  int Type;           // Vindue, Element, Vaerktoej: the window type (0: the id itself)
  char Bogstav;       // Vaerktoej: the kind letter handed on
  UINT Tast;          // Tast: the virtual key
  uint8_t Mod;        // ... and its modifiers
  int Skabelon;       // Dialog: the template
  DLGPROC Proc;       // ... and its procedure; null: not built yet
  int Hjaelp;         // ... the help context while it runs (also of an action)
  void (*Registrer)();  // ... makes its template known first, when it must
  KommandoHandling Udfoer;  // Handling; null: not built yet
};

// The row of the id, or null.
const KommandoRaekke *FindKommando(UINT id);
// Every row, in the order of the table.
int KommandoAntal();
const KommandoRaekke &KommandoNr(int i);
// Puts the action or the dialog procedure of a part that lands later into
// its row; the one it replaces (null for an id without such a row).
KommandoHandling SaetKommandoHandling(UINT id, KommandoHandling udfoer);
DLGPROC SaetKommandoDialog(UINT id, DLGPROC proc);

// The command of the row that plays this key (modifiers as kMod*), or 0.
UINT KommandoForTast(UINT tast, uint8_t mod);

// The help context of the main window: set while a dialog of a command runs.
extern int32_t HjaelpKontekst;

// Runs the menu command: the main window, the id and the lParam of
// WM_COMMAND, handed on to the window openers as their hint.
void MainMenuCommand(HWND hoved, UINT id, LPARAM lParam);

// The main window's own commands that never reach MainMenuCommand (the
// about box, help, the arrangements, the news, the portal and the update
// check); any other goes on to MainMenuCommand.
void HovedvinduesKommando(HWND hoved, UINT id, LPARAM lParam);
