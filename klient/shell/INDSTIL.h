#pragma once
// The installation settings read from ini\tavo.ini at start-up and kept for
// the whole run, the running program version, the change counters and the
// display records of the three display modes.

#include <cstdint>

struct GlobalIndstillingerData {
  // [global]
  uint8_t insnr;
  uint8_t trace;
  uint8_t aktisumperaar;
  uint8_t anfosumperaar;
  uint8_t taelaktibooking;   // tælaktibooking
  uint8_t taelmedabooking;   // tælmedabooking
  uint8_t taelstjerneakti;   // tælstjerneakti, defaults to tælaktibooking
  uint8_t taelstjernemeda;   // tælstjernemeda, defaults to tælmedabooking
  uint8_t skphakkord;
  uint8_t supertavo;
  uint8_t skemalaast;        // skemalåst: the read-only state of the run
  uint8_t autogem;
  // The news check is allowed (the browser check of the start-up; [flag]
  // checktavonews can switch it off).
  uint8_t checktavonews;
  // [tider]
  uint8_t standardlektion;
  int32_t standardlektionslengde;
  uint8_t afrunding;         // the rounding flag the count routines consult; off
  // [flag]
  int32_t normsystem;
  uint8_t tastlog;
  int32_t elevplanprio;      // the priority sent with a new Elevplan enrolment; 2
  // [elevplan]
  int32_t ep_filnummer;      // number of the next copies of the Elevplan files; 1
  int32_t ep_maxnummer;      // where that number wraps to 0; 20
  // [vinduer]
  uint8_t medopg;
  // The ring system a schedule row without risy_id uses (0 = none).
  uint32_t standardRingSystem;
  // [global] sammenfaldsinterval: the gap in minutes the overlap tests add
  // to an end time.
  uint8_t sammenfaldsinterval;
};

extern GlobalIndstillingerData GlobalIndstillinger;

// The running program version, major x 10000 + minor x 100 + patch; starts as
// the built version and becomes [global] version when the settings are read.
extern uint32_t version;

// Reads the settings from ini\tavo.ini (StiTab.szini); a missing key gives
// its default. Moves [global] tælbooking and tælstjerne to their new keys
// (not in a read-only start); told not to, it reads them where they are and
// leaves the moves to FlytGamleNoegler.
void LaesIndstillinger(bool flytNoegler = true);
// The moves of old keys, once the start knows that the run may write its
// settings (not in a read-only run).
void FlytGamleNoegler();
// Puts every setting back to its default value.
void StandardIndstillinger();
// The yes rule: a value that begins with j or J.
uint8_t ErJa(const char *vaerdi);

// Eight change counters raised by the editing code: new, changed, deleted
// events and postings. The data store only reads them.
constexpr int kAntalAendringsTaellere = 8;
extern uint32_t AendringsTaellere[kAntalAendringsTaellere];
// The counters the schedule moves, by index: own events new and not yet
// sent, own events deleted and waiting to be sent, events with a pending
// change. A counter never goes below 0.
enum : int {
  AENDRING_NYE_BEGIVENHEDER = 0,
  AENDRING_SLETTEDE_BEGIVENHEDER = 1,
  AENDRING_RETTEDE_BEGIVENHEDER = 2,
};
uint32_t AendringerFoersteFire();
uint32_t AendringerSidsteFire();
uint32_t AendringerIalt();

// Display modes: by lessons, by 5-minute time slots, by days.
enum { VISNING_LEKTION = 0, VISNING_TID = 1, VISNING_DAG = 2, kAntalVisninger = 3 };

struct VisningsTilstandRec {
  uint32_t FoersteSlot;   // first shown lesson or time slot
  uint32_t SidsteSlot;    // last shown lesson or time slot
  uint32_t AktuelSlot;    // the lesson or slot shown on the current day
  uint8_t Ugedag;         // current weekday 1..7 (0 or above 7: the whole week)
  uint8_t FoersteUgedag;
  uint8_t SidsteUgedag;
};

extern VisningsTilstandRec VisningsTilstand[kAntalVisninger];
// 'D' days, 'T' time slots, any other letter the lesson view.
VisningsTilstandRec &VisningsTilstandFor(char visning);
