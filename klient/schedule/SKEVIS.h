// Visible events: a schedule window's list of the rows it shows, chained per
// grid row and weekday, the events of one chain with their cells, lanes and
// overlap marks, and clock times turned into lessons and 5-minute slots. The
// window builds its list when its content changes and paints and tests one
// chain at a time. Main thread only.
#pragma once

#include <cstdint>

#include "DATO.h"
#include "SIDEFIL.h"
#include "SKEMA.h"
#include "SKEREC.h"

#pragma pack(push, 1)
// One event of a chain.
struct Begivenhed {
  uint32_t Indgang;        // its SkeVisListe entry
  uint32_t StartCelle;     // Lektion, or in time mode the 5-minute slot of the start
  uint32_t risy_id;        // ring system of the first row
  uint32_t Starttid;       // HHMM
  uint32_t Sluttid;        // HHMM
  uint32_t Status;         // of the first row
  uint8_t Ejer;
  uint8_t Sammenfald;      // overlaps another event of the chain in time
  uint32_t Spor;           // side-by-side position in the cell, from 1
  uint8_t Klasse;          // 2 by lesson; 1 no lesson, shown by time; 3 a lesson shown by time
  uint32_t FoersteCelle;   // first and last cell covered, within 1..cells of a day
  uint32_t SidsteCelle;
  uint8_t StartNaerSlut;   // the start lies nearer the end of its lesson than its start
  uint8_t SlutNaerSlut;    // the end likewise
  uint8_t Nul;
  uint8_t SammenfaldsCheck;  // copies of the entry's bytes
  uint8_t PosterTid;
  uint8_t AKRolle;
  uint8_t Bem;
  uint8_t FarveKode;
};
#pragma pack(pop)
static_assert(sizeof(Begivenhed) == 47);

// The first row of an entry's event, or null when the address names no row
// of its bucket.
inline const SkeRec *VisFoersteRaekke(const SkeVisListe &v) {
  if (v.Uge < 1 || v.Uge >= UGE_SLOTS) return nullptr;
  const TabVar &b = SkemabegUgeTab[static_cast<size_t>(v.AarIndeks) * UGE_SLOTS + v.Uge];
  const uint32_t r = v.Forste;
  return b.pbTab && r >= 1 && r < b.wRecCnt
             ? reinterpret_cast<const SkeRec *>(b.pbTab + static_cast<size_t>(r) * sizeof(SkeRec))
             : nullptr;
}

// Colour codes of an entry.
enum : uint8_t {
  FARVE_MAERKET = 3,     // marked by the user
  FARVE_FUNDET = 27,     // found by the find marking
  FARVE_FAG = 36,        // the selected subject
  FARVE_AUTOSKEMA = 39,  // a row of the automatic schedule, not written here
  FARVE_MAERKE1 = 57,    // a row with the grid mark 256, not written here
};

// The lists of one week, one grid row per object record of the window's
// kind; of one object over every week of the period, one grid row per
// period week index; of the rows that carry both the activity and the
// subject (both non-zero) over every week, likewise. Each frees the old
// list and chain heads first. A row is listed when its status fits the
// view (never bit 8), its weekday is 1..7, its object names a record of the
// object table (or is the object asked for) and its Forste lies inside its
// bucket; other rows from a file are passed over.
void ByggeSkeVisListeUge(SkeStruct *ske, Uge uge);
void ByggeSkeVisListeObjekt(SkeStruct *ske, uint32_t objekt);
void ByggeSkeVisListeAktiFag(SkeStruct *ske, uint32_t akti, uint32_t skfa);
// Frees the list and the chain heads.
void FrigivSkeVisListe(SkeStruct *ske);

// In view variant 'A': the marked-object tables of activities, employments
// and rooms (record count + 1 bytes each) mark every object with a row of
// the automatic schedule (bit 128, not bit 8) in the week before, the week
// itself or the week after.
void MarkerAktiveObjekter(SkeStruct *ske, Uge uge);

// The events of the chain from entry hoved into *tab (grown as needed,
// *kapacitet records), their count into *antal, the lanes the chain needs
// into *spor and, when optagTab is given, the slot map of the cells covered
// by events that take part in overlap checks (kOptagBytes). 1 when two such
// events overlap in time, the gap [global] sammenfaldsinterval added to the
// end with the carry into the hour. Entries whose first row is free or
// deleted, or that the status overview's display filter leaves out, are
// skipped.
uint8_t FindCelleBegivenheder(SkeStruct *ske, Begivenhed **tab, uint32_t *antal, uint32_t hoved, uint32_t *spor,
                              uint8_t *optagTab, uint32_t *kapacitet);

// Moves one of every pair of events at lane niveau whose cells intersect
// within the window's visible cells to the next lane: another
// installation's, then one known to the server, one whose ring system lacks
// the window's lesson times, one exempt from overlap checks, else the one
// with the higher first row. 1 when a pair was found.
uint8_t TildelSpor(Begivenhed *tab, uint32_t antal, const SkeStruct *ske, uint32_t niveau);

// The lesson (or in time mode 'T' the 5-minute slot) of a start time and of
// an end time in a ring system record, with the flag that the time lies
// nearer the end of the lesson than its start. Lessons end where the ring
// system's end times stop, at 48 at most.
void FindLektionForTid(char visning, uint32_t *lektion, uint8_t *naerSlut, Klokkeslaet tid, uint32_t risy);
void FindLektionForSluttid(char visning, uint32_t *lektion, uint8_t *naerSlut, Klokkeslaet tid, uint32_t risy);

// The first and last cell of a time span in the window's display mode and a
// ring system; when the end comes out before the start, the last cell is
// the first plus the span's minutes in standard lessons ([tider]
// standardlektionslengde; the first itself when that is 0).
void FindCeller(const SkeStruct *ske, uint32_t *foerste, uint32_t *sidste, uint8_t *startNaerSlut,
                uint8_t *slutNaerSlut, Klokkeslaet start, Klokkeslaet slut, uint32_t risy);

// The cells of one day in the window's display mode: 288 in time mode, 48
// otherwise.
inline uint32_t CellerIDag(const SkeStruct *ske) { return ske->Visning == 'T' ? kSlotsPrDag : kLektionerPrDag; }

// An absence activity (type "OVAK").
bool ErFravaersAkti(uint32_t akti);

// The gap of the overlap tests added to a clock time, with the carry into
// the hour.
Klokkeslaet MedSammenfaldsinterval(Klokkeslaet tid);
