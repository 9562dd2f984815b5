// Group names (ini\group.ini), group memberships (ini\grupper.ini) and the
// remembered group masks (ini\huskgrp.ini) of activities, employments and
// rooms, with the rules that derive some memberships.
#pragma once

#include <windows.h>

#include <cstdint>

// Kind index of the name arrays.
enum { GRP_AKTI = 0, GRP_ANFO = 1, GRP_LOKA = 2, kGruppeArter = 3 };
constexpr int kGrupper = 31;          // groups 0..30; entry 31 is "all"
constexpr int kGruppeNavnLaengde = 50;
constexpr uint32_t kAlleGrupper = 0x7FFFFFFFu;
constexpr uint32_t kStjerneMaerke = 0x80000000u;

// Shown form " n : name" of groups 0..30, and the "all" entry 31.
extern char GruppeNavne[kGruppeArter][kGrupper + 1][kGruppeNavnLaengde];
// The plain names (after " n : ") that the names dialog edits.
extern char GruppeNavneRen[kGruppeArter][kGrupper][kGruppeNavnLaengde];
// Remembered group masks of akti, anfo and loka.
extern uint32_t HuskGruppe[kGruppeArter];

// The kind letter of the current schedule event; 'P' and 'F' allow no
// activity group. Null: no event.
extern char (*GruppeBegivenhedsArt)();
// The grouping window, when open, tells whether its groups were changed (a
// save then marks the groups for export). Null: no such window.
extern bool (*GrupperingAendret)();

void HentGruppeNavne();
void StandardGruppeNavne();
// False when the file could not be written (the save has reported it).
bool GemGruppeNavne();

void HentGruppeValg();
void HentGruppeValgStjerne();
// hDlg: a window whose control 40045 shows the progress text, or 0. Both
// files are replaced in one crash-safe commit, part of the running save
// (save all) or a save of their own. False when they could not be written;
// the old files are then kept.
bool GemGruppeValg(HWND hDlg);
// Applies the derived membership rules to one record ('A' or 'K', 'M', 'L')
// and returns its group word; 0 for another letter or a missing record.
uint32_t GruppeMaske(uint32_t recnr, char art, bool tving, bool stjerne);
bool GruppeHarMedlemmer(int gruppe, char art);
