// The find-events dialogs: which events a marking for deletion or change
// means, as the property letters they share with the event at the cursor
// and, for deletion, their owners. The window's marks follow every toggle
// at once (message 1925 with the letters). Main thread only.
#pragma once

#include <cstdint>

#include "AVS.h"
#include "windows.h"

// What a find dialog is given: the window, the kind letter of its table,
// the property letters, the mode ('S' delete, 'R' change, 'F' move), a
// foreign starting event and whether the marking starts from an event
// (then the event).
struct RSDS {
  HWND hwnd;
  char art;
  char bogstaver[24];
  char mode;
  uint8_t fremmed;
  uint8_t fraBegivenhed;
  AVS avs;
};

// A zeroed record with an empty event ("RSDS != NULL" when memory fails);
// FrigivRSDS empties the event and frees it.
RSDS *NyRSDS(HWND hwnd, char art, char mode);
void FrigivRSDS(RSDS *r);

// The dialogs: 1 OK (the letters in r->bogstaver), 2 Fortryd.
INT_PTR SletDialog(HWND ejer, RSDS *r);
INT_PTR RetDialog(HWND ejer, RSDS *r);
