#pragma once
// The rules every writer of the seven plan tables keeps: what a status byte
// means, which rows are stored here, and the tidy of the group memberships
// that the plan save runs. Main thread, or a plan thread holding hPlanMutex.

#include <cstdint>

// Status bytes of the plan records.
constexpr uint8_t PLANREC_LEVER = 0x40;    // live, exchanged with the central system
constexpr uint8_t PLANREC_SLETTET = 0x48;  // both bits: deleted, waiting for export
constexpr uint8_t PLANREC_FREMMED = 30;    // owned by another installation
constexpr uint8_t PLANREC_BEVAR = 0x10;    // kept by the delete operation

inline bool PlanRecFri(uint8_t s) { return s == 0; }
inline bool PlanRecLever(uint8_t s) { return (s & PLANREC_SLETTET) == PLANREC_LEVER; }
inline bool PlanRecSlettet(uint8_t s) { return (s & PLANREC_SLETTET) == PLANREC_SLETTET; }
inline bool PlanRecFremmed(uint8_t s) { return s == PLANREC_FREMMED; }
inline bool PlanRecBevaret(uint8_t s) { return (s & PLANREC_BEVAR) != 0; }
// Neither free nor deleted: a record the passes read.
inline bool PlanRecIBrug(uint8_t s) { return s != 0 && !PlanRecSlettet(s); }

// This installation's number, the owner of what is written here.
uint8_t PlanEgenInst();

// A row of this kind and owner is written to ffgrund: kinds 1, 2, 9, 13
// and 14 owned here, and not a copy of another row.
bool PlanRaekkeGemmes(uint32_t objType, uint8_t ejer, uint32_t kopiAf);

// The membership tidy of the plan save: in own records that are in use, an
// akti_id or anfo_id naming no record of its table is set to 0 (the block
// marked changed); then every own record in use with both 0 goes to the
// delete operation. The number of records that went.
uint32_t RydFfpgrel();
