// The Elevplan request file data\ep_exp.dat: the exchange state, the request
// kinds with the records each selects, and the marks (ElevPlanStatus) that
// writing leaves. The marks are held back until the file is in place, so a
// request that could not be written has changed nothing that the undo or
// the answer import would read. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "BESKEDER.h"
#include "windows.h"

// The exchange state, one for the program, in memory only (zero at start).
struct EpTilstandData {
  uint32_t Tg;       // tg record that a fetch is about; 0 none
  uint8_t Trin;      // the exchange step 0..7
  uint32_t FraDato;  // first day of the exchange period (YYYYMMDD)
  uint32_t TilDato;  // last day of the exchange period
};
extern EpTilstandData EpTilstand;

// ElevPlanStatus of la.
constexpr char EP_LA_KOPI_BEDT = 1;    // a copy of the duplicate has been requested
constexpr char EP_LA_KOPI_LAVET = 5;   // Elevplan made it; id is Elevplan's
constexpr char EP_LA_NY_DUBLET = 6;    // made here, not yet requested
// ElevPlanStatus of ev.
constexpr char EP_EV_SENDT_NY = 2;     // sent as a new enrolment
constexpr char EP_EV_ACCEPT_SENDT = 3;
constexpr char EP_EV_AFVIS_SENDT = 4;
constexpr char EP_EV_BEKRAEFTET = 5;   // Elevplan confirmed it; id is Elevplan's
constexpr char EP_EV_SKAL_SENDES = 7;  // to be sent (made here, or its export undone)
constexpr char EP_EV_SLET_SENDT = 8;


// The windows that a written request tells, each written by its owner
// alone; 0 = none.
extern HWND hwndEpKontakt;  // the contact pane (WC_Elevplan_Kontakt), its own: gets WM_EP_KONTAKT
extern HWND hwndEpStatus;   // the Elevplan status pane, the main window's: repainted
// The lock message of a group is the planning rules'.
struct EpEksportKroge {
  // (group record, caption, mode): the group's lock text under the caption,
  // shown in mode 2 only.
  void (*VisTgLaas)(uint32_t tg, const char *titel, int mode);
};
extern EpEksportKroge EpEksportKrog;

// Writes data\ep_exp.dat for EpTilstand.Trin: written under a temporary
// name beside it and put in place only when complete. Then the marks of the
// lines written are set, the contact window is told and the status pane
// repainted. False when the file could not be written: no file, no marks,
// no contact (AfvisTilmelding's deletions of never-sent wishes stand, as
// counting makes them too).
bool SkrivEpExportFil();

// The writers of the request kinds over the eligible groups, in record
// order. With skriv off (or no file) they only count the lines they would
// write and change no record, except that AfvisTilmelding deletes the
// unplaced, unanswered wishes that never came from Elevplan. With skriv on
// the marks of the lines written wait for SkrivEpExportFil. The result is the
// number of record lines.
uint32_t EpSkrivKopierAktivitet(FILE *f, bool skriv);
uint32_t EpSkrivNyTilmelding(FILE *f, bool skriv);
uint32_t EpSkrivRedigerAktivitet(FILE *f, bool skriv);
uint32_t EpSkrivSletTilmelding(FILE *f, bool skriv);
uint32_t EpSkrivAccepterTilmelding(FILE *f, bool skriv);
uint32_t EpSkrivAfvisTilmelding(FILE *f, bool skriv);
// The same for one group (record number), eligible or not.
uint32_t EpSkrivRedigerAktivitetTg(FILE *f, uint32_t tg, bool skriv);
uint32_t EpSkrivAccepterTilmeldingTg(FILE *f, uint32_t tg, bool skriv);
uint32_t EpSkrivAfvisTilmeldingTg(FILE *f, uint32_t tg, bool skriv);

// "TavoSkema - <installation number>": the name under which this
// installation reserves groups in Elevplan.
void EpSystemNavn(char *buf, size_t n);

// Repaints the Elevplan status pane when there is one.
void GentegnEpStatus();

// Ctrl+H of the planning window on group tg: fetches the group from
// Elevplan. Refused (answer 0, the message shown in mode 2 under the owner
// window) unless the group waits to be fetched (PlanlaegningsLaast 1) and is
// neither exported nor transferred to EASY. Mode 1 answers 1 when it would
// run; mode 2 sets Tg, the group's period and Trin 4 and writes the request,
// answering 1 when it was written (else the state is put back).
int EpHentTgKommando(HWND hwnd, uint32_t tg, int mode);
