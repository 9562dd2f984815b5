// Loading and saving the whole data set: load all at start-up and after a
// change of installation or period, save all on the save command, after an
// import, on closing and in the background after changes; and the small wait
// dialog that runs on a thread of its own while the work stays on the
// calling thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "BESKEDER.h"
#include "TABREG.h"
#include "windows.h"

// ---- The wait dialog ----

constexpr int IDD_VENTE = 128;
constexpr int IDC_VENTE_TEKST = 40045;
constexpr int IDC_VENTE_BAR = 1077;

// The caller zeroes it; the first word receives the dialog's handle once
// the dialog exists.
struct VenteBlok {
  std::atomic<HWND> hDlg;
  HANDLE hTraad;
};

// Template 128, once; the wait dialogs' threads and the resend use it.
void RegistrerVenteSkabelon();
DWORD WINAPI VenteDialogTraad(LPVOID blok);
INT_PTR CALLBACK VenteDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Waits the closing pause, then ends the dialog.
void LukVenteDialog(HWND hDlg);
// The pause before a wait dialog closes, so that a short job still shows.
extern DWORD VenteDialogLukPause;

// Starts VenteDialogTraad on a new thread with the zeroed block and waits
// until the dialog exists; its handle, or 0 when it could not be shown.
HWND AabnVenteDialog(VenteBlok *blok);
// LukVenteDialog, then waits for the dialog's thread to end.
void LukVenteDialogTraad(VenteBlok *blok);

// ---- Load all and save all ----

// The dirty word: set by the main window when data changed; cleared when a
// save takes its data.
extern std::atomic<uint32_t> DataAendret;

// At start-up: the wait dialog, HentAlleData, the Elevplan import.
void StartHentAlleData();
// 0. Does not return when the data files have the wrong structure: the
// program then ends with exit code kDataFejlExitKode.
int HentAlleData(HWND hDlg);
constexpr int kDataFejlExitKode = 2;

// With a dialog it saves in it; without one it opens its own around the
// save. The result of GemAlleData.
bool StartGemAlleData(HWND hDlg, uint8_t fGemGrupper);
// hDlg may be 0. Waits for a running background save first, so the two
// never write at once. Every file of the save (tables, side files, the
// local overlap file, the group files with fGemGrupper, the change count,
// the activity priorities, and the start copies through
// HentGemKrog.GemStartKopi when every table was loaded) is replaced in one
// crash-safe commit. True when it was. False when it failed: the message
// box "Gem" has told the user (owner hDlg) which file and why, the log has
// its line, the dirty word is set again so the next save tries again, and
// the folder holds the last saved data unchanged (or, when only the renames
// of a committed save failed, GendanAfbrudtGemning finishes them at the
// next start). The caller need do nothing more.
bool GemAlleData(HWND hDlg, uint8_t fGemGrupper);

// One table saved at once, apart from the save of all data (the student
// planning writes its tables back when it leaves a group): replaced through
// the crash-safe save, a save of its own that waits for a running
// background save. A table that the last load could not read is not saved
// over. 0 or the error number; on a failure the file is as it was, and
// SidsteGemFejl and VisGemFejl tell the user which file and why. The
// table's blocks stay marked changed, so the next save of all data writes
// them too.
int GemTabelNu(const TabDesc *pTd, TabVar *pTv);

// Whether the last HentAlleData read every table and side file. A table
// that could not be read is never saved over, nor are the side files when
// the loading stopped before them.
bool AlleDataHentet();

// ---- The background save ----

struct GemSnapshot;

// The main window's block for the background save.
struct AutoGemBlok {
  std::atomic<uint32_t> Traad;   // non-zero while the save thread runs
  uint8_t fGemGrupper;           // 0 as the main window sets it
  GemSnapshot *Snapshot;         // taken on the main thread, freed by the thread
  std::atomic<uint32_t> Fejlet;  // 1 when the thread's save failed
};

// On the main thread, in place of starting AutoGemAlleData itself (the
// thread must have the snapshot; without one it saves nothing):
// when the dirty word is set and the change counters are not all 0, takes a
// snapshot of every table's changed blocks and of the buckets, clears the
// dirty word and starts AutoGemAlleData with the block. The thread's handle
// (the caller closes it), or 0 when nothing was to be saved, a save is
// still running (this block's or any other), or the thread could not start
// (the dirty word then stays set). The small files of the save are written
// here, on the calling thread.
HANDLE StartAutoGemAlleData(AutoGemBlok *blok);
// Body of the save thread: writes the block's snapshot, commits the save,
// frees the snapshot and clears the block's thread word. A failed save sets
// the dirty word again and Fejlet, and shows the box "Gem" (no owner) on
// this thread after the save lock is free; the thread's exit code is 1.
DWORD WINAPI AutoGemAlleData(LPVOID blok);

// ---- Services of the neighbouring subsystems ----

// The windows, groups and imports are filled in by their owners when they
// exist; an empty slot is skipped.
struct HentGemKroge {
  // Broadcast to every open window (message 1027 before a save).
  void (*SendTilAlleVinduer)(UINT msg, WPARAM wParam, LPARAM lParam);
  void (*HentGruppeValgStjerne)();
  // Writes the group files into the running save (GemGruppeValg(0)): a
  // failure there fails the save.
  void (*GemGruppeValg)();
  // A waiting data\imp.dat, in the given wait dialog.
  void (*ImportData)(HWND hDlg);
  // The Elevplan answer file data\ep_imp.dat.
  void (*ImportElevplan)();
  // Deletes the lock file when this run owns it (a fatal stop).
  void (*DeleteLockFile)();
  // Refreshes the start copies with a complete save (GemStartKopi): called
  // inside the save's commit, after the event files are written, so the
  // copies are part of it. A background save calls it on its own thread,
  // so it may work on the saved files only, not on the tables in memory.
  bool (*GemStartKopi)();
  // When a save takes the data it writes (on the main thread; for the
  // background save when its snapshot is taken): the files that data has
  // consumed (the exchange files of an import read into it). A save of
  // every table and side file removes them in its own commit, so they go
  // exactly when the data read from them is saved, never before and never
  // after (a kill in between would read the import twice).
  void (*ForbrugteFiler)(std::vector<std::string> *pFiler);
  // After such a save that removed files was decided, on the thread that
  // saved.
  void (*EfterKompletGemning)();
};
extern HentGemKroge HentGemKrog;
// Deletes ini\tavo.lck of the data folder when it exists, whoever owns it:
// for tests and tools that own the folder; the program's rule is
// SletEgenLaasefil.
void SletLaaseFil();
// A fatal stop's lock rule: HentGemKrog.DeleteLockFile; unfilled, the lock
// stays and the log says so.
void SletLaasefilVedStop();
