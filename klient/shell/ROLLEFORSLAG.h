#pragma once
// The role proposals: the schedule role (skemarol) for each of thirteen kinds
// of employee participation and the room role (lokrolle) for each of two kinds
// of room use that the program gives the participants of the rows, postings
// and bookings it makes by itself. They are kept in ini\Roller.ini, section
// "Default Roller", by role id; live they are record numbers.

#include <cstdint>

#include "windows.h"

constexpr int kRolleForslagAntal = 15;
constexpr int kRolleForslagSkemarol = 13;  // the first 13 are schedule roles, the last 2 room roles

// The proposals by their place in the table (the index into RolleForslagene).
enum RolleForslagNr : int {
  RF_ANFO = 0,
  RF_XANFO,
  RF_STJERNE_ANFO,
  RF_OVAK,
  RF_STJERNE_OVAK,
  RF_DAG,
  RF_OMS,
  RF_AFSP,
  RF_SYG,
  RF_VIKAR,
  RF_AKKO,
  RF_FER,
  RF_SFER,
  RF_LOKA,
  RF_STJERNE_LOKA,
};

struct RolleForslagPost {
  const char *noegle;  // the key in [Default Roller]
  const char *tekst;   // the label of the dialog
};
// The fifteen in table order, ended by an entry labelled "Slut".
extern const RolleForslagPost RolleForslagTabel[kRolleForslagAntal + 1];

// The live proposals: a record number of skemarol (0..12) or lokrolle
// (13, 14); 0 is not set.
extern uint32_t RolleForslagene[kRolleForslagAntal];

// True for a SuperTavo installation, else when all fifteen are set.
bool AlleRollerSat();

// Reads the live proposals from ini\Roller.ini: an id that names no current
// record of its table leaves the proposal unset. Installed as the data
// rebuild's step (BehandlDataKrog.LaesRolleForslag).
void LaesRolleForslag();

// The proposal's role id (the record's first field); 0 when unset.
uint32_t RolleForslagId(int nr);

// The role-proposal dialog, modal over the main window: 1 after Ok (the
// chosen proposals are live and stored), 2 after Fortryd or when there is no
// schedule role to choose from.
INT_PTR RolleForslagDialog(HWND hovedvindue);
INT_PTR CALLBACK RolleForslagDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// The menu command "role proposals" (40143).
void RolleForslagKommando(HWND hovedvindue);
