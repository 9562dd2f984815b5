#pragma once
// The main program from its command line to its message loop and back:
// the start-up steps, the loop and the shutdown steps, in their fixed
// order, as three functions so that a test can run each in its own
// process. WinMain is the three in a row.

#include <cstdint>

#include "SYSBMP.h"
#include "windows.h"

int WINAPI WinMain(HINSTANCE inst, HINSTANCE forrige, LPSTR kommandolinje, int visning);

// Opstart's answer when the program goes on to its message loop; any other
// value is the exit code of a start that ended (a refusal: 0).
constexpr int kOpstartFortsaet = -1;

// Start-up steps 1-37. kOpstartFortsaet, or the exit code of a start that
// was refused or ended before the main window.
int Opstart(HINSTANCE inst, int visning);
// Step 38: the message loop until the quit message; its code.
int KoerBeskedLoekke();
// Shutdown steps 1-12 after the loop; the exit code.
int Nedluk(int kode);

// The data at start-up: a save that a crash broke off finished or undone
// (by a run that holds the data), the load behind its wait dialog, and the
// data derived from it (BehandlData). False, after the box "Gem", when the
// broken-off save could not be finished: the folder is not fit to load.
bool HentDataVedStart();
// The save on closing: all data, with the wait dialog, unless the run is
// read-only or a SuperTavo installation. True when nothing was to be saved
// or the save went through; a failed save has shown its box "Gem".
bool GemDataVedLukning();

// ---- State the start-up makes for the rest of the program ----

// "TAVO-skema   Prog. sti: %s   Data sti: %s"
extern char StiTekst[600];
// The system cursors of a forbidden action and of the arrow, for the
// element cells of the screen layout.
extern HCURSOR hMarkoerForbudt;
extern HCURSOR hMarkoerPil;
// The caption strips, kept locked for the whole run: bitmap 117 with
// pictures of 16 x 14, bitmap 115 with pictures of 12 x 12.
extern SysBmpStrip KaptionStripStor;
extern SysBmpStrip KaptionStripLille;
// Set once the lock question is settled and the run holds the data (it is
// not read-only): only then do the lock file and the START.LOG line belong
// to this run.
extern bool LaasenHoldes;
// Set once the data are loaded: only then does closing save them.
extern bool DataHentet;
