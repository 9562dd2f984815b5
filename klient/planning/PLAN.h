#pragma once
// The plan window's state record `Plan` and the in-memory plan it carries:
// the rows with their week and plan-period entries, the per-object tables
// and the gross table of student lessons. Nothing here is stored as it is;
// the record files are the catalogue's plan tables.

#include <cstdint>

#include "DATO.h"
#include "ENS.h"
#include "windows.h"

// Row kinds (`ObjType`).
enum : uint32_t {
  PLAN_AKTI = 1,           // activity heading
  PLAN_FAG = 2,            // subject row of one activity and school subject
  PLAN_MEDA = 9,           // employee heading
  PLAN_OPG_AKTI = 13,      // activity heading of the view 'O'
  PLAN_OPG_TIMER = 14,     // hours row of one employment
  PLAN_POST = 15,          // posted hours of this installation
  PLAN_FREMMED = 21,       // added to a kind owned by another installation
  PLAN_FREMMED_AKTI = 22,
  PLAN_FREMMED_FAG = 23,
  PLAN_FREMMED_OPG_AKTI = 34,
  PLAN_FREMMED_OPG_TIMER = 35,
  PLAN_SKEMA = 200,        // scheduled lessons of an employee; never stored
};

// `PlanStatus` bits of a week or period entry.
enum : uint32_t {
  PS_FREMMED = 1,       // numbers of another installation, read-only
  PS_POSTERET = 2,      // the week holds posted hours
  PS_UGE = 4,           // lessons entered for this single week
  PS_GRUPPE = 8,        // spread from the group total
  PS_PERIODE = 16,      // spread from a period total
  PS_NULSTIL = 0x80,    // marking and student-time figures cleared when stored
  PS_AFRUNDET = 0x100,  // stored lessons rounded to whole lessons on load
};

// One week of one row.
struct TalPost {
  uint32_t TalRec;
  int32_t Lektioner;  // tenths
  float Timer1;
  float Timer2;
  uint32_t SkemaLektioner;
  float SkemaTimer;
  float Timer;
  float PostTimer;
  float PostTimerFremmed;
  float PostTimerIalt;
  float Opgave_antal;
  float Minutter_per_opgave;
  uint32_t ElevAntal;
  float Elevtid_per_elev;
  float Rettearbejd;
  float Elevtid;
  float Eksametid;
  uint8_t Ejer;
  uint32_t PlanStatus;
  uint32_t RetStatus;
  uint32_t EksStatus;
};

// One plan period of one row: eleven 32-bit words.
struct PerPost {
  uint32_t PerRec;
  int32_t Lektioner;  // tenths; negative: a maximum
  float Opgave_antal;
  float Minutter_per_opgave;
  uint32_t Arbejd;
  float Elevtid_per_elev;
  float Timer;
  float Rettearbejd;
  float Elevtid;
  float Eksametid;
  uint32_t PlanStatus;
};
static_assert(sizeof(PerPost) == 44);

// One plan row.
struct GrundRaekke {
  uint32_t GrundRec;  // ffgrund record, 0 while the row has none
  uint32_t ffpg_id;
  uint32_t Aktivitet;
  uint32_t Skolefag;
  uint32_t Medarbejder1;
  float Minutnorm1;   // -1.0: the activity's
  uint32_t Medarbejder2;
  float Minutnorm2;
  uint32_t ErSum;     // a heading whose numbers are the sums of its rows
  uint32_t Udfoldet;
  uint32_t Skjult;
  uint32_t Arbejd[2];
  uint8_t Dublet;
  uint32_t KopiAf;    // the row this one copies; a copy is never stored
  TalPost *TalTab;    // UgeAntal + 2 entries, by week index
  PerPost *PerTab;    // UgeAntal + 2 entries, by period position
  float SumTimer1;
  float SumTimer2;
  float OpgPostTimer;
  float OpgSumTimer;
  uint32_t SumLektioner;
  uint32_t SkemaTimerIalt;  // thousandths
  uint32_t MaxLektioner;
  float MaxTimer;
  int32_t Lektioner;
  float Timer;
  uint32_t Budget;
  uint32_t LektionsBlok;
  float SumRettearbejd;
  float SumElevtid;
  float SumEksametid;
  uint32_t Foraelder;       // heading row above, 0 for a main row
  uint8_t BudgetOverskredet;
  uint8_t Ejer;
  uint32_t ElevAntal;       // students of the activity (subject rows)
  float Opgave_antal;       // assignments of the subject pair
};

#pragma pack(push, 1)
// One plan period of the current group (17 bytes).
struct PeriodePost {
  Uge Frauge;
  Uge Tiluge;
  uint32_t AntalUger;
  uint8_t Udfold;
  uint32_t ffpp;
};
#pragma pack(pop)
static_assert(sizeof(PeriodePost) == 17);

struct PlanAktiPost {
  uint8_t IPlan;
  uint32_t SkphAntal;
  uint32_t *SkphTab;  // skph record numbers, by subject
};

// The slots of the monthly-figure layout (MedTal).
constexpr uint32_t kPlanMedTalAntal = 21;

struct PlanAnfoPost {
  uint8_t IPlan;
  TalPost *SumTalTab;          // UgeAntal + 2 weeks
  float *PlanMedTal;           // kPlanMedTalAntal each
  float *PlanOpgMedTal;
  float *MedTal;
  int32_t PlanSaldo;           // thousandths of an hour, signed
  int32_t *PlanOverUnderTimer; // UgeAntal + 2, thousandths, signed
};

struct PlanSkphPost {
  uint8_t IPlan;
  uint32_t akti;
  uint32_t skfa;
};

// The gross table of one group: per row number, the employments that teach
// the row's students and their student lessons.
constexpr uint32_t kBruttoAnfo = 10;
struct BruttoPost {
  uint32_t Anfo[kBruttoAnfo];
  uint32_t Vaerdi[kBruttoAnfo];
  uint32_t Vaerdi2[kBruttoAnfo];
  uint32_t Antal;
};
static_assert(sizeof(BruttoPost) == 31 * 4);

struct BruttoTabel {
  BruttoPost *Poster;  // index: row number
  uint32_t Antal;      // entries, row 0 included
};

// One axis of the plan window. The first four words are a GridPos, so the
// frame's axis pointers may point at `Pos`.
struct PlanStyr {
  GridPos Pos;         // Antal, Foerste, Synlige, Aktuel
  uint32_t Forrige;
  uint32_t Arbejd[2];
  uint32_t *ObjTab;    // filled from entry 1
};

// A field layout of one column area.
struct PlanFeltLayout {
  int32_t Art;         // window kind of the field-switch table
  uint8_t Bogstav;     // table letter
  uint8_t SwitchNr;
  uint8_t FeltAntal;
  uint8_t Knapper;     // switch buttons (plan list only)
};

// The rows' week and period tables, kept from one load to the next
// (FF_PlanFyld).
struct PlanRaekkeLager;

struct Plan {
  uint32_t Arbejd1[3];
  uint32_t *ObjTypeTab;    // kind per row number
  uint32_t *ObjTypeTabX;   // kind per week-area column object
  uint32_t *ObjTypeTabLX;  // kind per left-panel column
  uint32_t *ObjTypeTabRX;  // kind per right-panel column
  uint32_t Arbejd2[2];
  GrundRaekke *GrundTab;
  uint32_t GrundTabAlloc;
  uint32_t GrundTabStep;
  uint32_t GrundTabAntal;
  PlanAktiPost *PlanAktiTab;
  PlanAnfoPost *PlanAnfoTab;
  PlanSkphPost *PlanSkphTab;
  uint32_t PlanAktiAntal;
  uint32_t PlanAnfoAntal;
  uint32_t PlanSkphAntal;
  PeriodePost *PeriodeTab;
  uint32_t *PPeriode;
  uint32_t *ObjTabX;
  uint32_t *UgeTab;
  uint32_t *PeriodeSort;
  uint32_t KolonneAntal;
  uint32_t VenstreAntal;
  uint32_t HoejreAntal;
  uint32_t PeriodeAntal;
  uint16_t *AnfoSkfaKrydsTab;
  uint8_t Visning;         // 'A', 'M' or 'O'
  Dato Fradato;
  Dato Tildato;
  Uge FoersteUge;
  Uge SidsteUge;
  Maaned FoersteMaaned;
  Maaned SidsteMaaned;
  uint32_t FoersteAar;
  uint32_t SidsteAar;
  uint32_t UgeAntal;
  uint32_t KopiLektioner;
  float KopiTimer;
  uint32_t GentagTast;
  ::Ens Ens;
  PlanStyr StyrY;
  PlanStyr StyrX;
  PlanStyr StyrZ;          // the plan groups; its current entry is the group
  PlanStyr StyrLX;
  PlanStyr StyrRX;
  uint32_t *StyrXRev;
  uint32_t *StyrYRev;
  PlanFeltLayout LayoutListe;
  PlanFeltLayout LayoutKolonne;    // kind 111, the week area
  PlanFeltLayout LayoutPlanListe;  // kind 112, the summary area
  PlanFeltLayout LayoutVenstre;    // kind 113, the caption area
  HWND *hwndFeltKnapper;
  uint32_t FeltKnapArbejd[2];
  uint32_t AktPlanGruppe;
  uint8_t Arbejd3[24];
  uint32_t MedaVisning;
  uint32_t VisSkeLekt;
  uint8_t DetaljeNiveau;
  uint8_t FagVisning;
  uint8_t UnderVisning;    // 0 normal, 1 marking work, 2 exam time
  uint32_t GemAlt;
  uint32_t PlanTraadId;
  HANDLE hPlanTraad;
  BruttoTabel Brutto;      // the gross table of the current group, when built
  HWND hwndPlan;           // the plan window, for what the plan jobs post it
  uint32_t KrydsAnfoAntal; // the sizes AnfoSkfaKrydsTab was made with
  uint32_t KrydsFagAntal;
  // Cell editing and keeping the cursor across a rebuild.
  HWND hwndRediger;        // the open edit box over a cell, 0 when none
  uint32_t HuskRaekke;     // the row (GrundTab) the cursor is to find again
  uint32_t HuskKolonneArt; // the column's kind and week, likewise
  Uge HuskKolonneUge;
  // The painter's: the object of the row under the cursor, which the plan's
  // selection record takes as its current object.
  uint32_t ValgtObjekt;
  // The plan group changed under Ctrl: its staff figures are worked out
  // when Ctrl is let go.
  uint8_t GruppeSkiftet;
  PlanRaekkeLager *RaekkeLager;
};

// The row under the row cursor (0 when none).
uint32_t PlanAktuelRaekke(const Plan *plan);
