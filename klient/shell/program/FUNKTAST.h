#pragma once
// The function-key screens: a key closes the open windows but the plan
// window, empties the screen layout, docks the panels that suit the view
// and opens the view's window at the desktop's corner; the current week of
// all three kinds side by side; the five windows of the student planning.

#include "TASTINFO.h"
#include "windows.h"

// The screen of the key record (F2, F5, F6, F7, F9, F10, F12 with their
// modifiers); any other key only closes and empties.
void FunktionstastSkaerm(HWND hoved, const TastInfo &tast);
// The week windows of activities, employees and rooms, the kind ('K', 'M',
// 'L') first, side by side from the desktop's left edge.
void AabnAktuelUge(HWND hoved, char art);
// The student planning with its statistics, wishes, overview and teams.
void AabnElevplanSkaerm(HWND hoved);
