#pragma once
// The timetable text export: the schedule events of a date range written
// one line per participant row to a comma-separated text file, sorted by
// employee, date and lesson, for other systems. Main thread only.

#include <cstdint>
#include <vector>

#include "DATO.h"
#include "windows.h"

struct ExpSkemaValg {
  char sti[261];
  char filnavn[261];
  Dato fra;
  Dato til;
};

// One written line; the texts are the codes as stored (Windows-1252).
struct ExpSkemaLinje {
  char aktivitet[17];
  char fag[8];        // Skolefag and the Niveau letter unless it is '-'
  char initialer[5];
  char lokale[12];
  uint8_t lektion;
  Dato dato;
  uint32_t start;     // HHMM; 0 unless placed by time
  uint32_t slut;
  float timer;
};

// Dialog 165; its parameter is the ExpSkemaValg to fill.
INT_PTR CALLBACK ExpSkemaDialog(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The command "Eksport af skemabegivenheder" (40275).
void ExpSkema();

// The lines of the events of this installation dated fra..til, in the order
// they are written.
std::vector<ExpSkemaLinje> ExpSkemaLinjer(Dato fra, Dato til);
