// One row of a schedule event. An event is stored as a run of consecutive
// rows in the bucket of its week, one row per participant (the activity,
// each employment with its schedule role, each room). The layout is the same
// in memory and in data/skemabeg.dat.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct SkeRec {
  uint32_t id;                   // the event's number, the same in every row
  uint32_t Status;               // status bits below; 0 = free row
  uint32_t Tid;                  // change time
  uint32_t akti_id;              // akti record, 0 in rows without an activity
  uint32_t anfo_id;              // anfo record, 0 in rows without an employee
  uint32_t skemarol_id;          // the employee's schedule role
  float Minutnorm;               // minutes counted for the employee
  uint32_t loka_id;              // loka record, 0 in rows without a room
  uint32_t lokrolle_id;          // room role
  uint32_t skfa_id;              // subject
  uint32_t bem_id;               // remark
  uint32_t risy_id;              // ring system; non-zero: placed by lesson
  uint8_t Dag;                   // weekday 1..7
  uint8_t Lektion;               // lesson in the ring system
  uint32_t Starttid;             // HHMM
  uint32_t Sluttid;              // HHMM
  float Antal_std_lektioner;     // standard lessons the event counts as
  uint8_t Ejer;                  // installation number byte of the owner
  uint8_t Fejl;                  // letter of a pending change, 0 = none
  uint8_t Konflikt;
  float Beregn;                  // copied from the figures pass
  char Hvorfra;                  // copied with Beregn
  uint32_t Forste;               // row number of the event's first row
  double opdtid;                 // time of the last update
  char AEndret_af[9];            // Ændret_af: user of the last change
  double AEndret_tid;            // Ændret_tid: time of the last change
};
#pragma pack(pop)

static_assert(sizeof(SkeRec) == 99);
static_assert(offsetof(SkeRec, Status) == 4);
static_assert(offsetof(SkeRec, Tid) == 8);
static_assert(offsetof(SkeRec, akti_id) == 12);
static_assert(offsetof(SkeRec, anfo_id) == 16);
static_assert(offsetof(SkeRec, skemarol_id) == 20);
static_assert(offsetof(SkeRec, Minutnorm) == 24);
static_assert(offsetof(SkeRec, loka_id) == 28);
static_assert(offsetof(SkeRec, lokrolle_id) == 32);
static_assert(offsetof(SkeRec, skfa_id) == 36);
static_assert(offsetof(SkeRec, bem_id) == 40);
static_assert(offsetof(SkeRec, risy_id) == 44);
static_assert(offsetof(SkeRec, Dag) == 48);
static_assert(offsetof(SkeRec, Lektion) == 49);
static_assert(offsetof(SkeRec, Starttid) == 50);
static_assert(offsetof(SkeRec, Sluttid) == 54);
static_assert(offsetof(SkeRec, Antal_std_lektioner) == 58);
static_assert(offsetof(SkeRec, Ejer) == 62);
static_assert(offsetof(SkeRec, Fejl) == 63);
static_assert(offsetof(SkeRec, Konflikt) == 64);
static_assert(offsetof(SkeRec, Beregn) == 65);
static_assert(offsetof(SkeRec, Hvorfra) == 69);
static_assert(offsetof(SkeRec, Forste) == 70);
static_assert(offsetof(SkeRec, opdtid) == 74);
static_assert(offsetof(SkeRec, AEndret_af) == 82);
static_assert(offsetof(SkeRec, AEndret_tid) == 91);

// Status bits of a row.
enum : uint32_t {
  SKE_AENDRING = 4,     // pending change; Fejl holds the letter
  SKE_SLETTET = 8,      // deleted, the deletion waits to be sent
  SKE_UROERT = 16,      // a row that deletion leaves alone
  SKE_KENDT = 32,       // known to the server: its deletion must be sent
  SKE_EGEN = 64,        // written by this installation
  SKE_AUTOSKEMA = 128,  // from the automatic schedule's result
  SKE_MAERKE1 = 256,    // grid mark
  SKE_UNTIS = 512,      // from the Untis import (with SKE_EGEN)
  SKE_MAERKE2 = 4096,   // grid mark
};

// A row counts when it was written (bit 64) and is not deleted (bit 8).
inline bool SkeRaekkeLever(uint32_t status) {
  return (status & SKE_EGEN) != 0 && (status & SKE_SLETTET) == 0;
}
