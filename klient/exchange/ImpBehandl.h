// The rebuild of derived data after every load and every import: figure
// links, the chains of dated records, the employment periods, the plan
// figures table fftaltab tidied in place, the role proposals, groups, the
// default ring system, the subject/room marks, the own-plan flag and the
// plan figures. Main thread only.
#pragma once

#include <cstdint>

// Steps of other subsystems, filled in by their owners; an empty slot is
// skipped.
struct BehandlDataKroge {
  // Reads the live role proposals from ini\Roller.ini.
  void (*LaesRolleForslag)();
  // Regroups the ring systems for display.
  void (*CreateRingeGrupper)();
  // Applies ini\skph.ini again.
  void (*LoadSkphIni)();
};
extern BehandlDataKroge BehandlDataKrog;

// Runs every step in order. Callable on its own: after load all, after an
// import, after a renewal of the period's files and from the settings.
void BehandlData();

// Links every chained table's records into their owners' chains, ascending
// by date (among equal dates the higher record number first).
void OpbygDatoKaeder();

// The ring system most used by live event rows of the period's weeks; the
// first (lowest record number) on a tie, 0 when no row has one.
uint32_t MestBrugteRingSystem();

// fftaltab without its free and deleted records and with its index sorted.
// Records keep their numbers: the export and the server's receipts name
// planning records by them. Free places are reused by NewRec.
void RydFftaltab();
