// Maintenance commands on the installation's own schedule events and time
// postings, and the count of what the next export will send.
#pragma once

#include <windows.h>

#include <cstdint>

// What the next export sends: events new, new and sent, deleted, deleted and
// sent, changed; then the same five for postings.
constexpr int kAntalEksportTaellere = 10;
extern uint32_t EksportTaellere[kAntalEksportTaellere];
// 1 when planning rows wait for export, plus [flag] exportermedaskeprior.
extern uint32_t EksportPlanTal;

// The services of neighbouring modules; an empty slot is skipped.
struct VedligeKroge {
  // The activity-employment relations.
  void (*FrigivAakrel)();
  void (*AddAakrel)(uint32_t akti, uint32_t anfo, uint8_t status);
  uint32_t (*AakrelAntal)();
  void (*CleanupAakrel)();
  // Removes an activity's events from the schedule.
  void (*FjernAktiFraSkema)(uint32_t akti);
};
extern VedligeKroge VedligeKrog;
// The export status pane of the status row, repainted after a count; 0
// while there is none. Written by the pane alone.
extern HWND hwndEksportStatus;

void ReetablerLaastPeriode();
// Event rows whose deletion waits for an absence registration ('?') are
// revived.
void ReetablerFravaersSletninger();
void SletEgenKonflikt();
void KomprimerSkemabeg();
void KomprimerTimoak();
void GendanAnfoAktiRel();
void CountExportChanges();
bool HasPlanExport();
// Any event or posting row that is live and sent (bits 0x40 and 0x10).
bool HasUnexportedRows();
// After an import: asks whether the events on cancelled activities are to be
// deleted, and deletes them on OK.
void AflystAktiSkemaCheck(HWND hwnd);
// Own live event rows with the error mark 'H' (a deletion the central
// database refused) are taken out: status 0, no mark.
void SletFejl72Begivenheder();
// Live event rows of any owner with the mark '>' (not this installation's
// to change) are taken out the same way; the count of such rows goes down
// by one for each, never below 0.
void SletIkkeEjedeBegivenheder();
// The rows with error 62 that wait, beside the change counters.
extern uint32_t Fejl62Raekker;
// Menu commands 40171..40175: asks its question and runs the step. True
// when the command was one of them; *udfoert (when given) tells whether the
// step ran (not refused, not cancelled).
bool VedligeholdKommando(HWND hwnd, int id, bool *udfoert = nullptr);
