#pragma once
// The plan model in memory and its record writers: plan rows with their
// week and plan-period entries, the per-object tables, the lookups over the
// rows, the writers of ffgrund, fftaltab and ffpertab, the save pass and the
// duplicate removal. Row numbers never move while the model lives. Runs on
// the main thread, or on a plan thread holding hPlanMutex.

#include <cstddef>
#include <cstdint>
#include <thread>
#include <type_traits>
#include <vector>

#include "PLAN.h"
#include "PlanTraadPulje.h"
#include "windows.h"

struct FfgrundRec;
struct FfpgRec;

// Growth step of the rows after the model was emptied.
constexpr uint32_t kGrundTabStep = 100;

// Makes room for row number `raekker`; the first allocation takes
// raekker + 2 entries; new entries are zeroed.
void SikrGrundTab(Plan *plan, uint32_t raekker);
// Appends a row built from an ffgrund-shaped record with its week and
// period tables; a subject row with a source row (kilde) copies that row's
// weekly lessons and their PlanStatus and works out their hours. With `gem`
// the row is written to ffgrund. The new row number.
uint32_t NyPlanRaekke(Plan *plan, const FfgrundRec *rec, uint32_t kilde, bool gem);
// Frees the rows with their tables, the order and the kinds.
void TomPlan(Plan *plan);
// Empties the model as TomPlan does but keeps the memory of the rows and
// their tables for the rows that come next: a reload makes as many again.
void TomPlanTilGenbrug(Plan *plan);
// Frees, and allocates anew with the tables' counts of the moment, the
// per-activity, per-employment and per-pair tables.
void TomPlanTabeller(Plan *plan);
void AllokerPlanTabeller(Plan *plan);

// Lookups over the rows in display order (row-number order while no order
// is built); first match wins, 0 when none.
uint32_t FindAktiRaekke(const Plan *plan, uint32_t gruppe, uint32_t akti);
uint32_t FindFagRaekke(const Plan *plan, uint32_t gruppe, uint32_t akti, uint32_t skfa);
// The live skph record of the pair, 0 when none.
uint32_t FindSkph(uint32_t akti, uint32_t skfa);

// An activity the plan keeps rows of in the group: live and unarchived,
// neither cancelled nor deleted in EASY, its dates meeting the group's (the
// load takes the rows of any other off the plan again).
bool AktiLeverIGruppe(uint32_t akti, const FfpgRec *gruppe);
// A live, unarchived employment, of the group's dates when a group is given.
bool AnfoLever(uint32_t anfo, const FfpgRec *gruppe = nullptr);
// Usable in a plan group: a live team activity of the group's dates that
// belongs to the group, not cancelled nor deleted in EASY; a live,
// unarchived employment of the group's dates that belongs to the group.
bool AktiBrugbarIGruppe(uint32_t akti, uint32_t gruppe);
bool AnfoBrugbarIGruppe(uint32_t anfo, uint32_t gruppe);
// A plan period of the group: not deleted, of the group, the Sunday of its
// first week on or after the group's Fradato and the Monday of its last week
// on or before the group's Tildato.
bool PeriodeIGruppe(uint32_t ffpp, uint32_t gruppe);
// The group's plan periods ordered by first week, clipped to the schedule
// period, as PeriodeTab holds them (position 1 is element 0).
std::vector<PeriodePost> PlanPerioder(uint32_t gruppe);
// Fills the plan's PeriodeTab, PeriodeSort and PeriodeAntal for the group.
void LavPeriodeTab(Plan *plan, uint32_t gruppe);
// The week index of a date: 0 before the schedule period, the number of
// weeks + 1 after it.
uint32_t PlanUgeIndeks(Dato dato);

// The hours of a week's lessons for both employments of a row.
void BeregnUgeTimer(Plan *plan, uint32_t uge, uint32_t raekke, int32_t lektioner);

// ---- Writers ----
// Writes the row's ffgrund record (with `medTal` also its week and period
// records) and saves ffgrund; the record number, 0 when the row is not
// stored (a copy, another installation's row, a kind not stored).
uint32_t GemRaekke(Plan *plan, uint32_t raekke, bool medTal);
// Every period and week record of the row; saves ffpertab and fftaltab.
void GemRaekkeTal(Plan *plan, uint32_t raekke);
// One week entry; `gem` saves fftaltab at once.
void GemUge(Plan *plan, uint32_t uge, uint32_t raekke, bool gem);
// One period entry at position `pos` for the ffpp record; `gem` saves
// ffpertab at once.
void GemPeriode(Plan *plan, uint32_t pos, uint32_t ffpp, uint32_t raekke, bool gem);
// The save pass of the plan window, stepping the progress bar (control
// 1077) of hDlg when given. The six plan tables of its step 4 are one
// crash-safe save: false, after telling the user, when it failed.
bool GemPlan(HWND hDlg, Plan *plan);

// Deletes every week and period record of the ffgrund record, then the
// record itself, and saves the three tables.
void SletPlanRaekke(uint32_t grund);
// Deletes the rows of the activity in the group, then its membership.
void FjernAktivitetFraGruppe(uint32_t akti, uint32_t gruppe);
// Empties the row in the model; its number stays taken.
void RydRaekke(Plan *plan, uint32_t raekke);

// The plan load of the selected groups into the plan, stepping the progress
// bar of hDlg; false when the plan could not be loaded.
bool HentPlan(HWND hDlg, Plan *plan);

// One pass of duplicate removal each; the number of records deleted.
uint32_t FjernGrundDubletter();
uint32_t FjernPerTabDubletter();
uint32_t FjernTalTabDubletter();
// No pass of the three above would delete anything; the three tables are
// checked at once on a few threads, only read.
bool IngenPlanDubletter();

// The first period record of the row whose period overlaps the given one
// and belongs to another plan group; 0 when none.
uint32_t FindPerRec(uint32_t grund, uint32_t ffpp);

// ---- Row totals, headings and scheduled numbers ----
// The totals of one row over the group's weeks and its plan periods.
void BeregnRaekke(Plan *plan, uint32_t raekke);
// While one lives on its thread, the row totals ask each employment's
// accounting period once instead of once per row: a pass over many rows
// (the load, a layout of the rows) sees the same periods all through.
class RaekkeSumPas {
 public:
  RaekkeSumPas();
  ~RaekkeSumPas();
  RaekkeSumPas(const RaekkeSumPas &) = delete;
  RaekkeSumPas &operator=(const RaekkeSumPas &) = delete;

 private:
  bool egen_;
};
// The heading a row is summed into in the plan's view: kind 1 (22) for
// activity rows, 13 (34) for hours rows, 9 for the employee in view 'M';
// 0 when none.
uint32_t FindOverskrift(const Plan *plan, uint32_t raekke);
// Takes a row out of its heading (fortegn -1) or puts it back (+1), then
// works out the row's totals.
void FlytTal(Plan *plan, uint32_t overskrift, uint32_t raekke, int fortegn);
// The employee week sums: factor x the row's week figures into the sums of
// Medarbejder1 (flag 1) and Medarbejder2 (flag 2). A copy feeds nothing.
void AddPlanRaekkeTilSum(Plan *plan, uint32_t raekke, int faktor, uint32_t flag);
void AddPlanRaekkeTilSum1(Plan *plan, uint32_t raekke);
// Zeroes the week and period figures of a sum row before it is built again.
void NulstilPlanUgeTal(Plan *plan, uint32_t raekke);
// Every heading's figures and the employee sums built afresh from the rows.
// With `nulstillet` the caller knows every heading row's week and period
// figures to be 0 (a load, whose headings have had none added yet), and
// they are not zeroed first.
void BygOverskriftSummer(Plan *plan, bool nulstillet = false);
// Makes the missing heading rows of the selected groups and builds the sums,
// under hPlanMutex.
void OpretOverskrifter(Plan *plan, bool nulstillet = false);
// The employees' scheduled lessons into their kind-200 rows, then the hours
// of every row's planned lessons again.
void HentSkemaLektioner(Plan *plan);
// The scheduled hours of the group's activity and subject rows, in one pass
// over the group's weeks.
void HentSkemaTimer(Plan *plan);
// The posted hours into the rows of kinds 15 and 35, in one pass over the
// month buckets, under hPlanMutex.
void HentPosteringer(Plan *plan);
// Each activity's skph pairs, sorted by subject, under hPlanMutex.
void BygAktiSkph(Plan *plan);
// The employment x subject counters from the schedule, under hPlanMutex.
void BygAnfoSkfaKryds(Plan *plan);

// ---- Staff figures ----
// An employment of the current group: live, not archived, of the group's
// dates and a member of it.
bool AnfoIPlanGruppe(const Plan *plan, uint32_t anfo);
// The summary of one employment against its norm.
void BeregnMedarbejderTal(Plan *plan, uint32_t anfo);
// Per week of the group's span, the planned hours less the norm.
void BeregnOverUnder(Plan *plan, uint32_t anfo);
// Every employment's summary (and, in view 'M', the rows shown); only tries
// hPlanMutex: false, touching nothing, while another thread holds it.
bool OpdaterMedarbejdere(Plan *plan);
// Every employment's weekly over/under hours; waits for hPlanMutex.
void OpdaterOverUnder(Plan *plan);
// The scheduled hours and the totals of every row, then the employments;
// waits for hPlanMutex.
void OpdaterAlt(Plan *plan);

// ---- Student lessons and the subject distribution ----
// The gross table of one group into *tab (its old entries freed; the caller
// frees the new ones): per row number, the employments that teach the
// subject row's students in that subject before the group begins, linked
// through the common students of fagelv, with their student lessons; at
// most ten per row. Under hPlanMutex.
void BeregnElevLektioner(Plan *plan, uint32_t gruppe, BruttoTabel *tab);
// Rebuilds fffagfordl from the student lessons of every selected group,
// under hPlanMutex. The records stay in memory for the next save of all
// data: a plan job never writes files.
void ByggFagfordl(Plan *plan);
// Puts a usable employment on a subject row of the current group (first
// employee, else a different second), makes it a member when it had no row
// in the group, works out the row's hours again and writes the row; true
// when the employment had no row in the group before.
bool TilknytMedarbejder(Plan *plan, uint32_t anfo, uint32_t raekke);
// Assigns to the selected subject rows the employee with the most student
// lessons. valg[0] set: nothing; valg[1] and valg[2] 0: the rows of the
// current activity and subject; valg[1]: all rows of the current activity;
// valg[2]: all rows. A row whose planned lessons lie outside the winner's
// dates keeps its employees, and one message says so after the run. True
// when any row got an employee.
bool Vip(Plan *plan, const uint32_t valg[3]);

// ---- Loading the plan ----
// While one lives on its thread, the plan writers mark the changed blocks
// and leave the saves of the tables to whoever made it: a pass that writes
// many rows saves each table once, and a plan job writes no files.
class UdsatPlanGem {
 public:
  UdsatPlanGem();
  ~UdsatPlanGem();
  UdsatPlanGem(const UdsatPlanGem &) = delete;
  UdsatPlanGem &operator=(const UdsatPlanGem &) = delete;
  // Saves the tables written on this thread since the outermost hold began.
  void Gem();

 private:
  bool foer_;
};
// The plan columns to make room for: per selected group the sum over its
// plan periods (clipped to the schedule period) of 1 + max(4, weeks), the
// largest such sum, plus 1.
uint32_t PlanKolonnePlads(const Plan *plan);
// The stored rows of the selected groups with their week and period
// numbers; rows of an activity that no longer fits its group take the
// activity out of the group. True when an activity was taken out.
bool LaesPlanRaekker(Plan *plan);
// Activity, subject and employee rows that the selected groups imply, the
// derived budgets and the subject lists; starts plan job 2.
void TilfoejManglendeRaekker(Plan *plan);
// Every usable activity of the group without a row in it gets its heading
// row and subject rows, stored.
void TilfoejAktivitet(Plan *plan, uint32_t gruppe);
// A subject row (kind 2 under 1, 23 under 22) for every pair of the activity
// without a row of the group, activity and subject with Dublet 0, stored.
void TilfoejFagRaekker(Plan *plan, uint32_t gruppe, uint32_t akti, uint32_t overskrift);
// A display copy (not stored) for every own row with a second employment
// that has none, with its source's lessons; its hours are left to the
// load's walk (OpretIndlaesteOverskrifter) that follows.
void TilfoejKopiRaekker(Plan *plan);
// The derived budgets (bit 30) of every row worked out again; an entered
// budget stays. Rows whose budget changed are written to ffgrund (blocks
// marked; the table is saved by the caller or the next save).
void BeregnBudget(Plan *plan);
// The in-plan flags of the current group and the axes.
void SaetPlanFlag(Plan *plan);
// As SletPlanRaekke for many ffgrund records at once: one pass over
// fftaltab and one over ffpertab for all of them.
void SletPlanRaekker(const std::vector<uint32_t> &grund);
// FlytTal without working out the row's totals, for a caller that has them.
void FlytUgeTal(Plan *plan, uint32_t overskrift, uint32_t raekke, int fortegn);
// The employees' scheduled lessons into their kind-200 rows: the first half
// of HentSkemaLektioner.
void LaesSkemaLektioner(Plan *plan);
// The figures of a load whose rows are all made: the hours of the planned
// lessons of rows 1..timerTil (the rows made before it: the heading rows it
// makes have none), each row's totals, the headings' sums and the
// employee sums, as HentSkemaLektioner's second half, OpretOverskrifter and
// BygRaekkerOverRegnedeRaekker after them leave them, in one walk over the
// rows. The headings the row layout sums again are left to it. Makes the
// missing heading rows first.
void OpretIndlaesteOverskrifter(Plan *plan, uint32_t timerTil);
// Asks for a row's week entries ahead of a walk over them: a row's weeks
// lie in pages of their own, where the processor's own look-ahead does not
// follow a walk from one row to the next.
void ForhentRaekkeUger(const Plan *plan, uint32_t r);
// While one lives on its thread, NyPlanRaekke hands out a new row's week
// and period tables as the last load left them: the holder clears each row
// it made with NulstilRaekkeTabeller before anything reads its tables, so
// that a pass filling many rows clears each where it fills it, on the
// thread that fills it.
class UdsatRaekkeNulstilling {
 public:
  UdsatRaekkeNulstilling();
  ~UdsatRaekkeNulstilling();
  UdsatRaekkeNulstilling(const UdsatRaekkeNulstilling &) = delete;
  UdsatRaekkeNulstilling &operator=(const UdsatRaekkeNulstilling &) = delete;

 private:
  bool foer_;
};
// Zeroes a row's week and period tables; on any thread, for a row no other
// thread touches meanwhile.
void NulstilRaekkeTabeller(Plan *plan, uint32_t raekke);
// The threads a pass over independent rows of a load uses: one per
// gPlanRaekkerPrArbejder rows, at most eight and no more than the
// processors, at least the caller's own.
extern uint32_t gPlanRaekkerPrArbejder;
size_t PlanArbejdere(size_t raekker);
// Runs f(0) .. f(traade - 1), f(0) on the calling thread and the others on
// the plan's kept threads (PlanTraadPulje.h), any not taken by one on the
// calling thread, and returns when all are done.
template <class F>
void PaaPlanTraade(size_t traade, F &&f) {
  using Fn = std::remove_reference_t<F>;
  PlanParti parti;
  StartPlanParti(&parti, traade, [](void *c, size_t t) { (*static_cast<Fn *>(c))(t); },
                 const_cast<void *>(static_cast<const void *>(&f)));
  f(size_t{0});
  VentPaaPlanParti(&parti);
}
// The rows of one run of the load's heading walk on threads: a run is
// added into the headings while its weeks are still in the cache.
extern uint32_t gPlanLoebRaekker;
// The headings' sums of a row layout over rows whose own totals are worked
// out: each heading hoveder[i] gets the rows raekker[start[i] ..
// start[i + 1]) added in that order (FlytUgeTal), then its totals
// (BeregnRaekke); the headings are spread over worker threads, each heading
// by one thread. Under the caller's RaekkeSumPas, when it has one.
void SummerOverskrifterPaaTraade(Plan *plan, const std::vector<uint32_t> &hoveder,
                                 const std::vector<uint32_t> &start, const std::vector<uint32_t> &raekker);


// While one lives on its thread, the postings that HentPosteringer reads
// are read from the moment it is made on a thread of its own, for the first
// HentPosteringer after: a load reads them late, and none of its steps
// before changes them. The reading is used only when what it read is still
// what a reading then would read (the months and the memberships), else it
// is read again; joined at the latest when it goes.
struct PostLaesning;
class PosteringerForud {
 public:
  explicit PosteringerForud(const Plan *plan);
  ~PosteringerForud();
  PosteringerForud(const PosteringerForud &) = delete;
  PosteringerForud &operator=(const PosteringerForud &) = delete;
  // The reading, joined, once; null when none or no longer what it was.
  PostLaesning *Tag(const Plan *plan);

 private:
  PosteringerForud *foer_;
  PostLaesning *laesning_ = nullptr;
  PlanParti parti_;
  bool startet_ = false;
};
