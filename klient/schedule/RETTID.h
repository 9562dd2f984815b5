#pragma once
// The time of the event in the entry window: button 17 and its dialog
// (start, end and hours), the times a new whole-day event starts with, and
// the minutes an employee counts in the event.

#include <cstdint>

#include "BRIKIND.h"
#include "DATO.h"
#include "windows.h"

// The whole-day start and end the last whole-day event was given, shared by
// every entry window and taken by the next new whole-day event; 0 until
// then, when the [tider] settings count.
extern Klokkeslaet HuskDagStarttid;
extern Klokkeslaet HuskDagSluttid;

// The texts of the dialog's fields: a clock time as "08:30", hours as whole
// hours and hundredths, "1,50".
void TidTekst(Klokkeslaet hhmm, char *buf, size_t n);
void TimerTekst(float timer, char *buf, size_t n);

// The dialog procedure of the time dialog; lParam of its creation is the
// entry window's workspace. OK stores start, end and hours in it and sets
// the time-changed flag (ends with 1); a time that does not end after it
// starts, or ends after 24:00, is refused and the dialog stays. Cancel ends
// with 2 and changes nothing.
INT_PTR CALLBACK RetTidDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Button 17 (and Alt+G, Alt+I): the time dialog for the event, and what the
// chosen time does to the grid and to an edit.
void RetTidKnap(BrikIndStruct *b);

// The start, end and hours of a new whole-day event: the remembered
// whole-day times, else the [tider] settings; with the norm system on and an
// employee chosen the hours are the first employee's daily norm at the
// event's date and the end follows from them.
void DagsTider(BrikIndStruct *b);

// The minutes employment anfo counts in the event, asked for in the number
// editor at (x, y) on the screen: refused without a chosen activity and in
// whole-day placement. The bounds are the chosen activities' minute norms
// while [global] checkminutnorm is on, else 0 and 999.99; 60 is always
// taken. A changed value is kept for the employment, marked as typed, and
// goes into the event when the employee is chosen.
void MinutDialog(BrikIndStruct *b, uint32_t anfo, int x, int y);

