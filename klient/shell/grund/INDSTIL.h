#pragma once
// The installation settings read from ini\tavo.ini at start-up and kept for
// the whole run, the running program version, the change counters and the
// display records of the three display modes.

#include <cstdint>

struct GlobalIndstillingerData {
  // [global]
  uint8_t insnr;
  int32_t nyversion;         // the newest version the version check has seen; 0
  uint8_t trace;
  uint8_t SpringGant;
  uint8_t aktisumperaar;
  uint8_t anfosumperaar;
  uint8_t taelaktibooking;   // tælaktibooking
  uint8_t taelmedabooking;   // tælmedabooking
  uint8_t taelstjerneakti;   // tælstjerneakti, defaults to tælaktibooking
  uint8_t taelstjernemeda;   // tælstjernemeda, defaults to tælmedabooking
  uint8_t skphakkord;
  uint8_t supertavo;
  uint8_t skemalaast;        // skemalåst: the read-only state of the run
  uint8_t niveaufag;
  uint8_t kalender;
  uint8_t logok;             // the import log holds no errors
  uint8_t checkelevsammenfald;
  // [global] sammenfaldsinterval: the gap in minutes the overlap tests add
  // to an end time.
  uint8_t sammenfaldsinterval;
  char checkminutnorm;       // the first letter of the value, lower-cased
  uint8_t autogem;
  // [kontakt]
  uint8_t autoimport;
  // [farver]
  uint8_t fremmedarkivfarve;
  uint8_t markerhellig;
  // [flag]
  int32_t elevplanprio;      // the priority sent with a new Elevplan enrolment; 2
  int32_t planminutnorm;
  int32_t normsystem;
  uint8_t visbytflyt;
  uint8_t tastlog;
  // The news check is allowed (the browser check of the start-up; [flag]
  // checktavonews can switch it off).
  uint8_t checktavonews;
  // [tider]
  int32_t starttid;          // HHMM
  int32_t sluttid;           // HHMM
  float lektionerprdag;      // 1.0 to 24.0
  uint8_t standardlektion;
  int32_t standardlektionslengde;
  char nyheder[50];          // date and time of the last news read, year first
  uint8_t opgPeriodeStartMaaned;  // opgPeriodeStartMåned
  uint8_t opgPeriodeLaengde;      // opgPeriodeLængde: 1 a whole year, 0 a half
  int32_t opgPeriodeNorm;
  uint8_t afrunding;         // the rounding flag the count routines consult; off
  // [vinduer]
  uint8_t medopg;
  uint8_t post;
  // [elevplan]
  int32_t ep_filnummer;      // number of the next copies of the Elevplan files; 1
  int32_t ep_maxnummer;      // where that number wraps to 0; 20
  // The ring system a schedule row without risy_id uses (0 = none).
  uint32_t standardRingSystem;
};

extern GlobalIndstillingerData GlobalIndstillinger;

// What the reader derives:
// a newer version than the running one is out ([global] nyversion, or the
// version check's run);
extern uint8_t nyVersionFindes;
// the planning module is offered (every installation but SuperTavo);
extern uint8_t ff_plan;
// the day span the schedule windows show, HHMM, a working copy of
// [tider] starttid and sluttid that the event entry may move;
extern int32_t VisStarttid;
extern int32_t VisSluttid;
// the web has news newer than [tider] nyheder;
extern uint8_t nyeNyheder;
// the Elevplan exchange is switched on: no setting turns it on, so it
// stays off.
extern uint8_t ElevplanSlaaetTil;

// The running program version, major x 10000 + minor x 100 + patch; starts as
// the built version and becomes [global] version when the settings are read.
extern uint32_t version;

// What the reader asks of the web calls: the date and time of the latest
// news, year first, into `svar` (bounded by `stoerrelse`); false without an
// answer. Filled by the web calls; empty, there is no answer.
struct IndstilKroge {
  bool (*WebNewsCheck)(char *svar, unsigned stoerrelse);
};
extern IndstilKroge IndstilKrog;

// Reads every setting of ini\tavo.ini (StiTab.szini) the whole program
// consults, in the file's table order, with its rule and default, and
// derives the values above. With `skriv` (and not in a read-only start) it
// also brings the file up to date (RydOpIndstillinger); without, it reads
// the old keys where they are and changes nothing.
void LaesIndstillinger(bool skriv = true);
// The reader's changes to the file: [global] tælbooking and tælstjerne
// moved to their new keys, [global] ff_plan and [kontakt] newsurl gone,
// [elevplan] emptied but for ep_filnummer. Nothing in a read-only run.
void RydOpIndstillinger();
// The shutdown's writing back of [elevplan] ep_filnummer and [flag]
// visbytflyt, in decimal, as the run leaves them. Nothing in a read-only
// run.
void SkrivSlutIndstillinger();
// Puts every setting back to its default value.
void StandardIndstillinger();
// The yes rule: a value that begins with j or J.
uint8_t ErJa(const char *vaerdi);
// [global] nyversion against the running version, by whole hundreds.
uint8_t NyVersionFindes(int32_t nyversion, uint32_t koerende);

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
