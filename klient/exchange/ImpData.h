// The import of data\imp.dat: the driver that reads its status line and
// hands each section to its reader, the sections it reads itself
// (minusakti, message and the plan record sections), the clean-up after the
// last section, and the entries of the main window and the start-up load.
//
// The exchange files (data\imp.dat, and the export when the server queued
// it) are removed by the commit of the first save of every table after the
// import, so they go exactly when the imported data is saved: a save that
// fails keeps data\imp.dat, and the next start imports it again into the
// tables as they were last saved; a kill after the commit leaves neither
// the file nor a second import. Main thread.
#pragma once

#include <cstdio>

#include "IMPORT.h"
#include "windows.h"

// Steps of other subsystems; an empty slot is skipped (and logged where
// the import needs it).
struct ImportDataKroge {
  // Empties the whole data set (kind 'G', a SuperTavo installation).
  void (*ResetAllData)();
  // Empties and recounts the shared students of the planning module.
  void (*CountFaellesElever)();
};
extern ImportDataKroge ImportDataKrog;

// Set by the changed-schedule section when it wrote log\AndretSkema.log;
// the driver clears it.
extern int AndretSkemaSkrevet;
// Set by the foreign-data section; cleared before each import.
extern int FremmedFlag;
// The import message collected from "message" sections (null: none).
extern char *ImportBesked;

// How the last ImportDriver ended.
enum ImportUdfald {
  IMPORT_INTET,      // no file, or it or the log could not be opened
  IMPORT_BEVARET,    // empty, or an unreadable status line: reported, kept
  IMPORT_INDLAEST,   // read and saved; the exchange files are gone
  IMPORT_IKKE_GEMT,  // read, but the save failed: the file stays
  IMPORT_FEJL,       // "!FEJL" outside a section
};
extern ImportUdfald SidsteImportUdfald;

// Imports data\imp.dat when it exists and the schedule is not locked, in the
// wait dialog given or in one of its own; runs BehandlData in every case. A
// broken file shows "Fejl i data import filen!", deletes the lock file and
// ends the program with exit code kDataFejlExitKode.
void ImportData(HWND hDlg);
// 1 done (also when there was nothing to read), 0 the file is broken.
int ImportDriver(HWND hDlg);
// The lines after the status line: each section to its reader, lines
// outside a section skipped. linje holds IMPORT_LINJE_LEN + 1 bytes. 1 at
// the end of the file, 0 on "!FEJL" outside a section.
int LaesImportAfsnit(FILE *fil, FILE *log, char *linje, ImportStatus *pStatus);
// A message box about the system's last error: "%s\nFejlkode: %d" with a
// text, "Fejlede på kode: %d, %s" without; caption "Fejl". Its result.
int ShowLastError(const char *tekst, UINT stil);

// The main window's message 1933 (the caller has checked that no input
// window is open): with [kontakt] autoimport on, the schedule open and
// data\imp.dat there, the import runs with its lines in the server pane and
// the answer is true; false means the main window keeps the import pending.
bool ImportVedAnkomst(HWND hovedvindue);
// Ctrl+F11: refused in a locked schedule; a packed import file is unpacked
// first; then the import, a beep, and 1938 posted with the Elevplan switch.
void ImportKommando(HWND hovedvindue);

// The data store's slots of the import. The load-all slot
// (HentGemKrog.ImportData): the tables are as their files left them, so an
// import read before into this run's tables is in them no more.
void ImportVedHentning(HWND hDlg);
// The save's slots (HentGemKrog.ForbrugteFiler, .EfterKompletGemning): the
// exchange files of an import go in the commit of the save that holds its
// data, and are forgotten once that save was decided.
void Udvekslingsfiler(std::vector<std::string> *pFiler);
void Forbrugt();
