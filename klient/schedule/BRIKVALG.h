#pragma once
// Choosing in the entry window's six lists: the list keys, the rules that
// decide whether a row may join the event, and the small dialogs of a row
// (role, minutes, priority) and of the event's remark. A choice always goes
// into AktuelAVS first; the lists' chosen marks are then taken from it, so
// the two never disagree.

#include <cstdint>

#include "BRIKIND.h"
#include "TASTINFO.h"

// The entry window's list keys: whether a key is the lists' (udfoer false)
// or handles it. Keys reach the current list only while a list step is the
// current step.
bool BrikValgTast(BrikIndStruct *b, const TastInfo &t, bool udfoer);

// Whether record recnr of list fokus may be chosen now: not in a refusal
// state of the legend, not already chosen, not busy where the list's role
// rule counts it; an activity sharing students with a chosen one only while
// the student-clash check is off; a subject with a level as the [global]
// niveaufag setting says (0 allowed, 1 asked, 2 refused). With spoerg false
// nothing is shown or asked and a question counts as a refusal.
bool KanVaelgeRaekke(BrikIndStruct *b, uint8_t fokus, uint32_t recnr, bool spoerg = true);
// Chooses the record when it may be chosen and the list's limit allows it;
// a list that takes one row takes it in place of the one chosen. False
// (and a beep) when refused.
bool VaelgRaekke(BrikIndStruct *b, uint8_t fokus, uint32_t recnr);
// Takes the record out of the event.
void FravaelgRaekke(BrikIndStruct *b, uint8_t fokus, uint32_t recnr);

// The schedule-role dialog of an employment (FOCUS_ANFO) or the room-role
// dialog of a room (FOCUS_LOKA) at (x, y) on the screen; a different role
// is kept for the row, marked as the user's, and set in the event when the
// row is chosen. True when the role changed.
bool RolleDialog(BrikIndStruct *b, uint8_t fokus, uint32_t recnr, int x, int y);

// The activity's schedule priority: 0 no priority, 1 prioritised, 2
// yielding.
uint8_t SkemaPrioritet(uint32_t akti);
// Sets the activity's schedule priority for the save and the export; the
// memory of the priorities before the change follows the activity table as
// it grows. False for a record outside the table or a value above 2.
bool SaetSkemaPrioritet(uint32_t akti, uint8_t prioritet);
// The priority dialog of an activity at (x, y); true when it changed.
bool PrioritetDialog(BrikIndStruct *b, uint32_t akti, int x, int y);

// The record that holds the event's remark while the window is open: one
// made in this window, else a new record with an empty text (the event's
// own record may belong to events that are not being changed). 0 when no
// record can be made.
uint32_t HentBemaerkningRec(BrikIndStruct *b);
// Alt+B: the event's remark edited in the text dialog; OK stores it (cut to
// the field) in the window's remark record and makes it the event's.
void BemaerkningDialog(BrikIndStruct *b);

