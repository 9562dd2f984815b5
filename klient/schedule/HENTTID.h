#pragma once
// A clock time typed freely into an edit control ("8", "830", "08:30",
// "12") read as HHMM; shared by the event entry's time dialog and the
// installation settings sheet.

#include <cstdint>

#include "windows.h"

// The digits of the text as HHMM: 8 gives 800, 12 gives 1200, 830 and 0830
// give 830, 100 gives 1000, 24 gives 240, 2500 gives 250. Only the first
// nine digits after any leading zeros count; no digits, or only zeros,
// give 0.
uint32_t TidHHMMAfTekst(const char *tekst);
// The text of the dialog's control, read as above.
uint32_t HentTidHHMM(HWND dlg, int id);
