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
  // The export status pane, repainted after a count.
  HWND hwndEksportStatus;
};
extern VedligeKroge VedligeKrog;

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
// Menu commands 40171..40175: asks its question and runs the step. True
// when the command was one of them.
bool VedligeholdKommando(HWND hwnd, int id);
