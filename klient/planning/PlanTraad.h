#pragma once
// The plan jobs on worker threads and the plan window's wait dialogs. Every
// job holds the plan-data mutex hPlanMutex while it works; a recount asked
// for while the mutex is held is not lost: it is marked pending and run by
// the thread that lets the mutex go. Lock order: hPlanMutex before the
// count mutex.

#include <atomic>
#include <cstdint>

#include "PLAN.h"
#include "windows.h"

// Template 127 of the plan's wait dialogs; 128 is the data store's wait
// template (IDD_VENTE), which the plan load reuses.
constexpr int IDD_PLAN_VENTE = 127;
// The command a wait dialog posts itself at its first paint: its work
// starts only once it has been drawn.
constexpr int IDC_PLAN_VENTE_START = 1161;

// 1 while a recount asked for during another job's hold is still to run.
extern std::atomic<uint32_t> PlanOpdaterVenter;

// Registers template 127 once (and template 128 through the data store).
void RegistrerPlanVenteSkabeloner();

// ---- The plan-data mutex ----

// hPlanMutex for a scope: waits without limit, or with `proev` only tries
// (Taget() false when another thread holds it; an abandoned mutex is taken
// but not trusted then). Nothing to take while the plan window has made no
// mutex. When the outermost hold of a thread ends and a recount is pending,
// the recount is started.
class PlanLaas {
 public:
  explicit PlanLaas(bool proev = false);
  ~PlanLaas();
  PlanLaas(const PlanLaas &) = delete;
  PlanLaas &operator=(const PlanLaas &) = delete;
  bool Taget() const { return taget_; }

 private:
  HANDLE h_ = 0;
  bool taget_ = false;
};

// ---- The jobs ----

// Starts job 1 to 6 on a new thread with the plan as its argument:
// 1 the headings and sums, 2 the subject distribution, 3 the recount of the
// plan figures (only tries the mutex: a busy mutex marks the recount
// pending), 4 the employments' figures, 5 the row figures and then a repaint
// of the summary pane (posted to plan->hwndPlan), 6 the subject distribution
// and the subject lists. Stores the thread's id and handle in the plan and
// returns the handle, 0 when no thread could be started or the job is not
// 1 to 6. The handles belong to this module: VentPaaPlanTraade joins and
// closes them; nobody else closes one.
HANDLE StartPlanTraad(Plan *plan, int job);
// Waits for every job started for the plan, also those a job starts while
// this waits, closes their handles and clears hPlanTraad. The plan window
// calls it before it saves and frees the plan.
void VentPaaPlanTraade(Plan *plan);
// Starts the recount that waited for hPlanMutex, when one waits and none
// runs; for code that lets the mutex go without a PlanLaas.
void StartVentendeOptaelling();
// The recounts run since start.
uint32_t PlanOptaellinger();

// ---- The wait dialogs ----

// GemPlanDlgProc as a modal dialog of template 127 without an owner; its
// result (1 after the save, 2 when cancelled before it began).
INT_PTR GemPlanData(Plan *plan);
// OpdaterPlanDlgProc on the given mutex, as GemPlanData shows its dialog.
INT_PTR VentPaaMutex(HANDLE mutex);

// Template 128, parameter the Plan: loads the plan (HentPlan); 1, or 0 when
// the load failed.
INT_PTR CALLBACK HentPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Template 127, parameter the Plan: saves the plan (GemPlan).
INT_PTR CALLBACK GemPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// As GemPlanDlgProc, with the bar at 30, 60 and 90 after the save.
INT_PTR CALLBACK GemPlanTrinDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Template 127, parameter a mutex: ends with 1 at once, unseen, when the
// mutex is null, free or gone; otherwise waits for it in 700 ms steps,
// stepping the bar after each, and lets it go again.
INT_PTR CALLBACK OpdaterPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Template 127, parameter the Plan (unused): waits as OpdaterPlanDlgProc
// for hPlanMutex, then closes it; hPlanMutex is 0 afterwards.
INT_PTR CALLBACK LukPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
