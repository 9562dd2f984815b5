// Single time postings, start copies of the two event files (so that a run
// can be left without saving) and the resend of the schedule.
#pragma once

#include <windows.h>

#include <cstdint>

#include "SIDEFIL.h"

// Copies data/skemabeg.dat and data/timoak.dat to their start copies and
// writes data/StartTid.dat (the event and posting change sums and the time of
// the copy), in one crash-safe commit: of their own, or as part of the
// running save (save all includes them in its commit, copying the event
// files as it wrote them). Run after start-up loading and with every
// complete save. False when it failed (the old copies are kept).
bool GemStartKopi();
// Copies the start copies back over the two event files, in one commit. A
// copy that is missing leaves its event file as it is. False when it failed.
bool GendanStartKopi();

// ---- Resend of the schedule ----

// The event services of the schedule that the resend uses, filled in by
// the wiring. Every live first row of the own installation in the span is
// resent: no part of the program keeps a narrower selection.
struct GensendKroge {
  // Reads the event into a description of its own (freed by AddBegivenhed).
  void *(*HentAVS)(uint32_t uge, uint32_t forste);
  void (*SletBegivenhed)(uint32_t uge, uint32_t forste);
  // Sets the lesson times of a description from its ring system.
  void (*SaetLektionsTider)(void *avs, uint32_t starttid, uint32_t sluttid, float antal);
  // Adds the described event as a new event of the status; frees the
  // description.
  void (*AddBegivenhed)(void *avs, uint32_t status);
  // Every window gets the message.
  void (*SendTilAlleVinduer)(UINT msg, WPARAM wParam, LPARAM lParam);
  // Rebuilds and recounts every figure table.
  void (*AllokerTalTab)();
};
extern GensendKroge GensendKrog;

// Marks the own installation's events for a resend: mode 1 those on or after
// the date (YYYYMMDD), mode 2 those changed at or after the value (the
// change stamp / 1,000,000). The number of events.
int RetSkemaForGensend(uint32_t dato, int mode);
// The two procedures of the "Gensend data" wait dialog (lParam of
// WM_INITDIALOG: the date or value).
INT_PTR CALLBACK GensendFraDatoDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK GensendFraTidDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// The start date of a resend (template 142, registered by
// RegistrerGensendSkabelon; lParam: the caller's u32 date). Ends with 1 and
// the date stored, or 2.
constexpr int IDD_GENSEND_STARTDATO = 142;
void RegistrerGensendSkabelon();
INT_PTR CALLBACK StartDatoDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Single time postings ----

// The services of neighbouring modules; an empty slot is skipped.
struct TimoakKroge {
  // Appends a posting row to its month bucket and adds it to the figures
  // (SletTimoak takes it out again); false when it could not.
  bool (*AddTimoak)(uint32_t akti, uint32_t anfo, uint32_t dato, int32_t timer, uint8_t kilde, uint8_t ejer,
                    char type, uint8_t status);
  void (*SetAakrel)(uint32_t akti, uint32_t anfo, uint8_t status);
  // Hours x 100 of the pair in live rows.
  int32_t (*SumTimoak)(uint32_t akti, uint32_t anfo);
  void (*SendTilAlleVinduer)(UINT msg, WPARAM wParam, LPARAM lParam);
};
extern TimoakKroge TimoakKrog;

// The live row of the activity, employment and date (record numbers,
// YYYYMMDD), or null.
TimoakRaekke *FindTimoak(uint32_t akti, uint32_t anfo, uint32_t dato);
// Adds a posting of kind 'A' when there is none; 1 when added, else 0.
int AddTimoakPost(uint32_t akti, uint32_t anfo, uint32_t dato, int32_t timer, uint8_t kilde);
// Deletes one live posting for the postings window; 1 when deleted.
int SletTimoak(TimoakRaekke *row);
