// Placing new events from a schedule window: the placing keys (Enter, D,
// F, M, P, T, X, Shift+Y) in their check and action phases, which fill
// AktuelAVS and ask the main window for the event entry window; the "Auto
// skema" dialog over the marked events of the automatic schedule; and the
// AutoSkema display mode (Ctrl+O). Main thread only.
#pragma once

#include <cstdint>

#include "AVS.h"
#include "BESKEDER.h"
#include "SKEMA.h"
#include "SKEMAVIN.h"
#include "TASTINFO.h"
#include "windows.h"


// The working copy of the event being entered, emptied and made with it.
extern AVS ArbejdsAVS;
// The next whole-day event on an employee who has events that day is
// placed by time; set when the user accepts the question, cleared by the
// placing that uses it.
extern uint8_t HeldagSomTid;

// The kind letter of a placing key with its modifiers, 0 for none (plain
// letters, Ctrl+Y, Ctrl+Shift+Y).
char PlaceringsArt(const TastInfo &t);

// The check and action phases of the placing keys.
bool PlacerTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
SkemaTastSvar PlacerUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t);

// The "Auto skema" dialog over the window's marked events of the automatic
// schedule: Godkend approves, Lås locks, Åben opens them again, Slet deletes
// those not yet approved or locked. The button chosen, or IDCANCEL.
int AutoSkemaDialog(HWND hwnd, SkeStruct *ske);

// Ctrl+O: into the AutoSkema display mode at the first week that holds its
// events, or back to the ordinary view.
SkemaTastSvar AutoSkemaVisning(HWND hwnd, SkeStruct *ske);

// Fills the key table's rows of the event operations; RegistrerSkemaKlasse
// calls it.
void RegistrerBegivenhedsTaster();
