#pragma once
// The employee plan report ("TAVO plan for medarbejder", menu command
// 40278) and the kladdeplan CSV written beside it.

#include <cstdint>

#include "DATO.h"
#include "STITAB.h"
#include "windows.h"

// The kladdeplan file of this run; empty until the first print chooses it.
extern char KladdeplanSti[kStiLaengde];

// KladdeplanSti, chosen first when it is empty.
const char *KladdeplanFilNavn(HWND ejer = 0);
// The save dialog "Gem kladdeplan csv fil"; Cancel gives log\kladdeplan.csv
// under the data folder.
void VaelgKladdeplanFil(HWND ejer);

// Dialog 166; lParam: the UdskrivValgRec to fill.
INT_PTR CALLBACK MedaPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// One report, saved and opened, its table appended to the kladdeplan; 0,
// or 1 when no report was made.
int PrintMedaPlan(uint32_t anfo, Dato fra, Dato til);

// Menu command 40278.
void MedaPlanKommando(HWND hoved, UINT id, LPARAM lParam);
