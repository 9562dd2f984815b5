// The steps of the Elevplan exchange: the export command and its sequence
// (copies, new enrolments, answers, the fetch of all groups), the group
// fetch started from the planning window, the continuation after each
// imported answer with its limit, and the updates of the tables when a
// fetch ends (acceptances, duplicates, group locks, planning defaults).
// Also the entries the main window's keys and messages run. Main thread
// only.
#pragma once

#include <cstdint>

#include "BESKEDER.h"
#include "EPEXPORT.h"
#include "windows.h"

// Step advances since the last export command (or group fetch); the
// sixteenth stops the sequence with an error message.
extern uint32_t EpForsoeg;
constexpr uint32_t EP_MAX_FORSOEG = 15;


// FraDato 90 days before now, TilDato 300 days after (local dates), both
// kept within the schedule period.
void SetEpExportPeriode(EpTilstandData &t);

// The Elevplan export command: the open planning window writes its changes
// back, ini\pp.ini and ini\lap.ini are written, the installation number is
// checked, the period dialog asked, and the first step with something to
// send is written. Refused in a read-only run before anything is written:
// its answers could never be imported here.
void ElevplanEksport();
// Advances to the first step from EpTilstand.Trin on that has something to
// send and writes its request (which starts the contact).
void EpNaesteTrin();
// The continuation after an imported answer, by the step it answered.
void EpEfterImport();

// The students' answers taken over: a wish without a wished activity goes,
// an accepted one is placed on it, any other is unplaced. Only groups with
// an id above 10; AnvendAcceptTg only group tg (record number).
void AnvendAcceptTg(uint32_t tg);
void AnvendAccept();
// Links every duplicate ("<name> #<n>") to the activity of the same group
// it copies: kopi_id its id, dubletnr n. A name beginning with "#", or
// without a number after its last "#", is passed by.
void LinkLaDubletter();
// EasyLaast of every group from its live wishes with an EASYAStatus;
// every Laast cleared.
void SetTgEasyLaast();
// PlanlaegningsLaast of every group: set unless this installation holds
// its reservation.
void SetTgPlanlaegningsLaast();
// Test groups (id 1-10) unlocked; any other locked when one of its lock
// flags is set.
void UpdateTgLaast();

// The main window's entries, each run only when the Elevplan switch is on
// (else the server paths, as noted):
// F11 and "&Eksport": the refusals of the server export, then dialog 159
// choosing the server or Elevplan export (with the switch off, the server
// export at once).
void EpEksportKommando(HWND hoved);
// Ctrl+Shift+E: the Elevplan export at once (refused in SuperTavo). False
// when the switch is off and the key is not the exchange's.
bool EpGenvejEksport(HWND hoved);
// Message 1938, when no input window is open (the caller's test): imports
// the waiting answer with its texts in the contact pane, nothing in a
// read-only run or without an answer file.
void EpImportBesked();

