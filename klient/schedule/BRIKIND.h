#pragma once
// The workspace of the event entry window (BrikIndStruct) and its six
// selection lists (DifValg), and the entry window's helpers that work on them
// and on the event being built (AktuelAVS): editing the event's participant
// lists, the roles a new participant gets, the focus order of the lists, which
// lists are open and filled, the time line and the window's layout and end.

#include <cstdint>

#include "AVS.h"
#include "BESKEDER.h"
#include "DATO.h"
#include "SKEBEG.h"
#include "windows.h"

// The six lists in their fixed order; the index is the entry window's
// current focus kind.
enum : uint8_t {
  FOCUS_AKTI = 0,
  FOCUS_SKFA = 1,
  FOCUS_ANFO = 2,
  FOCUS_LOKA = 3,
  FOCUS_RISY = 4,
  FOCUS_SPESKE = 5,
  kAntalDifValg = 6,
};

// The focus kinds of the entry window: the six lists, then the lesson field,
// the two time fields and the remark; 9 is the end of the chain.
enum : uint8_t {
  FOKUS_LEKTION = 6,
  FOKUS_TID1 = 7,
  FOKUS_TID2 = 8,
  FOKUS_SLUT = 9,
  FOKUS_BEM = 14,
  kAntalFokus = 15,
  FOKUS_UDEN = 99,  // no link yet
};

// Mark bits of a record in a list's mark array.
enum : uint8_t {
  MAERKE_VALGT = 1,
  MAERKE_OPTAGET = 2,
  MAERKE_PERIODE = 4,
  MAERKE_RINGSYSTEM = 8,
  MAERKE_RING_UBRUGT = 16,
  MAERKE_ANDEN_SORT = 32,
  MAERKE_SKOLEFRI = 64,
  MAERKE_GAMMEL = 128,
};

constexpr int kMaxSwitchKnapper = 10;
constexpr int kMaxKolonneKnapper = 16;
constexpr int kMaxSortFelter = 8;
constexpr int kEntryBoern = 20;
// The children whose rectangles the helpers use.
enum : int { BARN_LISTE = 0, BARN_DETALJE = 1, BARN_TIDSTRIMMEL = 2 };

// Cells of one day in the marked block (the schedule window's layout, a
// marked cell carries BLOK_VALGT).
constexpr uint32_t kBlokDagCeller = 577;
struct SkeStruct;

struct DifValg {
  char Bogstav;  // 'K' 'U' 'M' 'L' 'R' '/'
  uint32_t DetaljeX;   // horizontal offset of the detail pane, pixels
  uint32_t ScrollY;    // vertical offset of both panes, pixels
  uint32_t DetaljeKolonner;
  uint32_t *ObjTab;  // record numbers, 1-based (entry 0 unused)
  uint32_t Antal;
  uint32_t FoersteSynlige, AntalSynlige;
  uint32_t Aktuel, ForrigeAktuel;  // 1-based positions in ObjTab, 0 none
  uint8_t Bygget;
  uint8_t AntalSwitchKnapper, SwitchValgt, SwitchArt;
  HWND hwndSwitchButtons[kMaxSwitchKnapper];
  HWND hwndKnapper2[kMaxSwitchKnapper];
  uint8_t AntalKnapper2;
  HWND hwndBarn;         // the kind's own pane beside the list, may be null
  uint8_t *Maerker;      // one byte per record of the kind's table
  uint32_t AntalMaerker; // bytes of Maerker
  uint32_t GruppeMaske;
  uint8_t SortFelt[kMaxSortFelter];     // field numbers, 0 ends
  int8_t SortRetning[kMaxSortFelter];   // 1 ascending, -1 descending
  // Set by the entry window.
  uint32_t MaxValgte;
  uint32_t AntalValgte;
  uint32_t Valg;  // choice; 1 is the first
  uint32_t Filter;
  char Tastetekst[32];  // the number typed with Ctrl held
  char Soegetekst[20];  // the type-ahead text
};

struct BrikIndStruct {
  HWND hwndEjer;  // the main window
  HINSTANCE hInst;
  HWND hwnd;
  HWND hwndSkema;   // the schedule window that opened it
  HWND hwndGenvej;  // an open short-cut pick list
  char *Dele;       // the parts an edit changes: K S M L B T; "" when none
  uint8_t Svar1353;
  HWND hwndBoern[kEntryBoern];
  RECT BoernRekt[kEntryBoern];
  HWND hwndKolonneKnapper[kMaxKolonneKnapper];
  HWND hwndReserveHoved;  // spare header right of the column buttons
  HWND hwndFokusKnapper[kAntalDifValg];  // one a list: 2026 on, 2027 off, 2024 the focus
  HWND hwndTidKnapper[3]; // lesson field and the two time fields
  HWND hwndGitter;        // the embedded grid
  RECT TidLinjeRekt;      // the time line
  HWND hwndRetInfo[2];
  HWND hwndTidStrimmel;
  HWND hwndListe[2];      // the list pane and its detail pane
  DifValg Valg[kAntalDifValg];
  uint8_t ListeAktiv[kAntalDifValg];
  uint8_t GitterTrin;  // 6 'L', 7 'D', 8 'T'
  uint8_t AktuelListe; // 0..5
  uint8_t AktueltTrin; // 0..11
  uint8_t TastaturFokus;
  uint8_t TidFelt;     // the current time field, 6..8
  // The focus chain: the next kind of each kind (FOKUS_UDEN unset,
  // FOKUS_SLUT end) and the first kind.
  uint8_t FokusNaeste[kAntalFokus];
  uint8_t FoersteFokusArt;
  uint8_t Aaben[kAntalFokus];     // which fields are open
  uint8_t Udfyldt[kAntalFokus];   // which fields hold a choice
  uint8_t Udfyldt2[kAntalFokus];  // second flag set (marked cells)
  char Placering;      // as created: 'L' 'D' 'T'
  uint8_t KolonneTilstand;  // 0 'L', 1 'D', 2 'T'
  char Mode;           // 'B' new event, 'R' change of marked events
  char Visning;        // the main display mode: 'L' 'D' 'T'
  char ObjektArt;      // of the schedule window: 'K' 'M' 'L'
  uint8_t RolleOptager;  // a changed role is checked against busy employees
  // Per employment record: the chosen role, minutes (-1 none) and whether
  // the user set the role.
  uint32_t *AnfoRolle;
  float *AnfoMinut;
  uint8_t *AnfoRolleLaast;
  uint8_t *AnfoMinutSat;  // the user typed the minutes; made on first use
  uint32_t AnfoPladser;
  uint32_t *AktiStandard;
  float *Minut1951;
  uint32_t *LokaRolle;
  uint32_t LokaPladser;
  uint8_t *FagNiveau;
  uint32_t FagNiveauAntal;
  uint8_t *BlokTab;  // per week index 7 days of kBlokDagCeller cells
  uint32_t BlokUger;
  SkeStruct *SkemaSke;  // the opening schedule window's workspace
  HWND hwndRulle[2];    // the lists' horizontal and vertical scroll bars
  uint32_t FoersteLektion, SidsteLektion;  // the view's lesson range
  ::Uge UgeNr;  // the entry window's week
  Klokkeslaet Starttid, Sluttid;
  float StdLektioner;
  Klokkeslaet GlStarttid, GlSluttid;
  float GlStdLektioner;
  uint8_t TidAendret;
  uint8_t ElevCheckHusket;
  int32_t Bredde, Hoejde;
  HBRUSH Pensel;  // the window brush of the list areas
  // The window's own children and state.
  HWND hwndKnap[5];   // buttons 13, 14, 15, 17, 18
  HWND hwndFane;      // the tab strip of the lists
  HWND hwndBygInfo;   // the staff panel of a new event
  HWND hwndRammer[4]; // background and group frames
  uint8_t TrinAaben[12];
  uint8_t TrinBesoegt[12];
  char AltBogstav;    // an Alt+letter used: its SC_KEYMENU is swallowed
  uint8_t SaerligVist;
  uint8_t *EgenBlok;  // the marked block when the schedule window had none
  uint32_t BemLavet;  // a remark record made in this window
  // The event whose rows get the opening times back when the time changed.
  uint8_t HuskAarIdx, HuskUge;
  uint32_t HuskForste, HuskId;
};


// ---- Editing an event's participants. Each ends by recounting the event's
// figures for the date of its view weekday in the current period week.
// K activity, M employment (role, minutes), L room (role), R ring system,
// U subject, - remark. An id of 0 is ignored.
void AddAVSEgenskab(AVS *avs, char bogstav, uint32_t id, uint32_t rolle, float minutter);
// The 1-based index of the last entry equal to id in the K, L or M list; 0.
uint32_t FindAVSIndeks(const AVS *avs, char bogstav, uint32_t id);
void SetAVSRolle(AVS *avs, char bogstav, uint32_t id, uint32_t rolle);
// K, L, M: removes the entry and its parallel entries; R, U, -, S clear the
// ring system, subject, remark or event number.
void FjernAVSEgenskab(AVS *avs, char bogstav, uint32_t id);
// The date the event's figures are counted for.
Dato AVSOptaelDato(const AVS *avs);

// ---- Roles a new participant gets.
uint32_t RolleForslag(const AVS *avs, char art, uint32_t id);
uint32_t RolleForslagMedarbejder(const AVS *avs, uint32_t anfo, uint32_t antal);
bool ErFagLaerer(const AVS *avs, uint32_t anfo);
void SkiftTilForslagsRoller(BrikIndStruct *b);
void SorterAnsatte(BrikIndStruct *b);

// ---- Focus order and open lists.
void LaesFokusRaekkefoelge(BrikIndStruct *b);
uint8_t NaesteFokus(BrikIndStruct *b);
uint8_t FoersteFokus(BrikIndStruct *b);
void AabneLister(BrikIndStruct *b);
void UdfyldteLister(BrikIndStruct *b);
void MarkerValgteCeller(BrikIndStruct *b);
bool ValgAktiv(char bogstav, uint8_t k, uint8_t l, uint8_t m, uint8_t r, uint8_t u);
void NulstilValg(BrikIndStruct *b, uint8_t fokus);

// ---- The entry window's layout, painting and end.
// Messages of the focus buttons and to the schedule windows.

// The temporary show-only and marking modes of the main window.
extern uint8_t VisKunTilstand;
extern uint8_t MarkeringsTilstand;

void SorterValg(BrikIndStruct *b);
void PlacerKolonneKnapper(BrikIndStruct *b);
void VisFokusKnapper(BrikIndStruct *b);
void OpdaterEntryWindow(BrikIndStruct *b, bool genopbyg);
void SaetVisningsTilstand(BrikIndStruct *b);
// The texts of the time line: times ("Tid") and standard lessons ("Lekt").
void TidLinjeTekster(const BrikIndStruct *b, char *tid, size_t tidN, char *lekt, size_t lektN);
void TegnTidLinje(BrikIndStruct *b);
void TegnEntryBaggrund(BrikIndStruct *b);
void PlacerEntryBoern(BrikIndStruct *b, LPARAM stoerrelse);
bool ResetTavoSkemaTitel();
void FreeEntryWindow(BrikIndStruct *b);
