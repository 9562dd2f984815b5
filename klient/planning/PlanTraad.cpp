// The plan jobs and the wait dialogs. A job's thread handle is kept until
// the plan window joins it, so no job can outlive the plan it works on.
#include "PlanTraad.h"

#include <mutex>
#include <vector>

#include "BESKEDER.h"
#include "FF_PlanFyld.h"
#include "HENTGEM.h"
#include "LOGFIL.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "TALTAB.h"
#include "win/controls.h"
#include "win/dlg.h"

std::atomic<uint32_t> PlanOpdaterVenter{0};

namespace {

// ---- The mutex holds of this thread ----

// How deep this thread holds hPlanMutex through PlanLaas; the pending
// recount is started when the outermost hold ends.
thread_local uint32_t tLaasDybde = 0;
// The recount thread runs its own reruns.
thread_local bool tOptaelTraad = false;

// The plan of the last recount asked for, for the thread that lets the
// mutex go; a start already on its way is not made twice.
std::atomic<Plan *> gOptaelPlan{nullptr};
std::atomic<bool> gOptaelPaaVej{false};
std::atomic<uint32_t> gOptaellinger{0};

}  // namespace

void StartVentendeOptaelling() {
  if (tOptaelTraad || PlanOpdaterVenter.load() == 0) return;
  Plan *plan = gOptaelPlan.load();
  if (plan && !gOptaelPaaVej.exchange(true)) {
    if (!StartPlanTraad(plan, 3)) gOptaelPaaVej.store(false);
  }
}

namespace {

// ---- The thread registry ----

struct Traad {
  Plan *plan;
  HANDLE h;
};
std::mutex gTraadLaas;
std::vector<Traad> gTraade;

struct TraadStart {
  Plan *plan;
  int job;
};

// Job 3: the recount, when the plan mutex is free; otherwise marked
// pending for the holder. Reruns while a request came in during a run.
DWORD Optael(Plan *plan) {
  tOptaelTraad = true;
  gOptaelPlan.store(plan);
  for (;;) {
    gOptaelPaaVej.store(false);
    const HANDLE h = hPlanMutex;
    DWORD r = h ? WaitForSingleObject(h, 0) : WAIT_OBJECT_0;
    if (r == WAIT_TIMEOUT) {
      PlanOpdaterVenter.store(1);
      // The holder may have let go between the try and the mark: one more
      // try, so the request is either run here or seen by the holder.
      r = WaitForSingleObject(h, 0);
      if (r == WAIT_TIMEOUT) return 0;
    }
    if (r == WAIT_ABANDONED) {
      // Its last owner died holding it: the plan data is not to be
      // trusted; give the mutex back untouched.
      ReleaseMutex(h);
      return 0;
    }
    // A mutex that is gone guards nothing any more: no rerun, which would
    // only fail again.
    if (r != WAIT_OBJECT_0) return 1;
    {
      struct Slip {
        HANDLE h;
        ~Slip() {
          if (h) ReleaseMutex(h);
        }
      } slip{h};
      ++tLaasDybde;
      PlanOpdaterVenter.store(0);
      CountPlanTal();
      TagTalMutex();
      CountSkemaTal();
      CountTimoakTal();
      CountPlanTalMnd();
      SlipTalMutex();
      OpdaterOverUnder(plan);
      gOptaellinger.fetch_add(1);
      --tLaasDybde;
    }
    if (PlanOpdaterVenter.load() == 0) return 1;
  }
}

DWORD WINAPI PlanTraadRutine(LPVOID p) {
  const TraadStart start = *static_cast<TraadStart *>(p);
  delete static_cast<TraadStart *>(p);
  Plan *plan = start.plan;
  switch (start.job) {
    case 1:
      OpretOverskrifter(plan);
      break;
    case 2:
      ByggFagfordl(plan);
      break;
    case 3:
      return Optael(plan);
    case 4:
      OpdaterMedarbejdere(plan);
      OpdaterOverUnder(plan);
      break;
    case 5:
      OpdaterAlt(plan);
      // No worker draws: the plan window repaints on its own thread.
      if (plan->hwndPlan && IsWindow(plan->hwndPlan)) PostMessageA(plan->hwndPlan, WM_PLAN_TEGN_SUM, 1, 0);
      break;
    case 6:
      ByggFagfordl(plan);
      BygAktiSkph(plan);
      break;
  }
  return 1;
}

// ---- The wait dialogs ----

enum class Vente { Hent, Gem, GemTrin, Opdater, Luk };

struct VenteArt {
  const char *caption;
  const char *tekst;
};

const VenteArt kArter[] = {
    {"Load data", "HENTER PLAN DATA - ET ØJEBLIK"},
    {"Save data", "GEMMER PLAN DATA - ET ØJEBLIK"},
    {"Save data", "GEMMER PLAN DATA - ET ØJEBLIK"},
    {"Opdater data", "OPDATER PLAN DATA\n ET ØJEBLIK"},
    {"Opdater data", "OPDATER PLAN DATA\n ET ØJEBLIK"},
};

// Each dialog's first-paint flag.
std::atomic<bool> gFoersteMaling[5];

bool Ledig(DWORD r) { return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED; }

// Lets hPlanMutex go as a job does, so a pending recount is started.
void SlipMutex(HANDLE h) {
  ReleaseMutex(h);
  if (h == hPlanMutex && tLaasDybde == 0) StartVentendeOptaelling();
}

void Placer(HWND hDlg, bool vent) {
  RECT rc{};
  GetClientRect(hDlg, &rc);
  int bredde = rc.right - rc.left;
  const int hoejde = rc.bottom - rc.top;
  HWND tekst = GetDlgItem(hDlg, IDC_VENTE_TEKST), bar = GetDlgItem(hDlg, IDC_VENTE_BAR);
  if (vent) {
    const int w = bredde, h = hoejde + 40;
    SetWindowPos(hDlg, 0, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(hDlg, &rc);
    bredde = rc.right - rc.left;
    MoveWindow(tekst, 10, 10, bredde - 20, 30, TRUE);
    MoveWindow(bar, 10, 45, bredde - 20, 20, TRUE);
  } else {
    MoveWindow(tekst, 10, 10, bredde - 20, 20, TRUE);
    MoveWindow(bar, 10, 30, bredde - 20, 20, TRUE);
  }
}

// The waiting dialogs' mutex: Opdater's parameter, Luk's hPlanMutex.
HANDLE VenteMutex(Vente art, HWND hDlg) {
  if (art == Vente::Luk) return hPlanMutex;
  return static_cast<HANDLE>(GetWindowLongPtrA(hDlg, DWLP_USER));
}

void LukPlanMutex(HANDLE h) {
  // Cleared before it is closed: a later wait finds no mutex instead of a
  // handle that names nothing.
  if (hPlanMutex == h) hPlanMutex = 0;
  CloseHandle(h);
}

void Arbejd(Vente art, HWND hDlg) {
  HWND bar = GetDlgItem(hDlg, IDC_VENTE_BAR);
  switch (art) {
    case Vente::Hent: {
      Plan *plan = reinterpret_cast<Plan *>(GetWindowLongPtrA(hDlg, DWLP_USER));
      const bool ok = plan && HentPlan(hDlg, plan);
      SendMessageA(bar, PBM_SETPOS, 100, 0);
      EndDialog(hDlg, ok ? 1 : 0);
      return;
    }
    case Vente::Gem:
    case Vente::GemTrin: {
      Plan *plan = reinterpret_cast<Plan *>(GetWindowLongPtrA(hDlg, DWLP_USER));
      if (plan) GemPlan(hDlg, plan);
      if (art == Vente::GemTrin) {
        SendMessageA(bar, PBM_SETPOS, 30, 0);
        SendMessageA(bar, PBM_SETSTEP, 30, 0);
        SendMessageA(bar, PBM_STEPIT, 0, 0);
        SendMessageA(bar, PBM_STEPIT, 0, 0);
      }
      break;
    }
    case Vente::Opdater:
    case Vente::Luk: {
      const HANDLE h = VenteMutex(art, hDlg);
      DWORD r = h ? WaitForSingleObject(h, 700) : WAIT_FAILED;
      while (r == WAIT_TIMEOUT) {
        SendMessageA(bar, PBM_STEPIT, 0, 0);
        r = WaitForSingleObject(h, 700);
      }
      // A failed wait (the mutex was closed meanwhile) ends the wait too.
      if (Ledig(r)) {
        if (art == Vente::Luk) {
          ReleaseMutex(h);
          LukPlanMutex(h);
        } else {
          SlipMutex(h);
        }
      }
      break;
    }
  }
  SendMessageA(bar, PBM_SETPOS, 100, 0);
  EndDialog(hDlg, 1);
}

INT_PTR VenteProc(Vente art, HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  const int i = static_cast<int>(art);
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
      const bool vent = art == Vente::Opdater || art == Vente::Luk;
      if (vent) {
        const HANDLE h = VenteMutex(art, hDlg);
        const DWORD r = h ? WaitForSingleObject(h, 0) : WAIT_FAILED;
        if (r != WAIT_TIMEOUT) {
          // Free, null or gone: nothing to wait for, and nothing shows.
          if (Ledig(r)) {
            if (art == Vente::Luk) {
              ReleaseMutex(h);
              LukPlanMutex(h);
            } else {
              SlipMutex(h);
            }
          }
          EndDialog(hDlg, 1);
          return TRUE;
        }
      }
      SetFocus(hDlg);
      Placer(hDlg, vent);
      SetWindowTextA(hDlg, kArter[i].caption);
      ShowWindow(GetDlgItem(hDlg, IDC_VENTE_TEKST), SW_SHOW);
      ShowWindow(GetDlgItem(hDlg, IDC_VENTE_BAR), SW_SHOW);
      gFoersteMaling[i].store(true);
      return FALSE;
    }
    case WM_PAINT:
      if (gFoersteMaling[i].exchange(false)) PostMessageA(hDlg, WM_COMMAND, IDC_PLAN_VENTE_START, 0);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        gFoersteMaling[i].store(false);
        EndDialog(hDlg, 2);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_PLAN_VENTE_START) {
        SetDlgItemTextA(hDlg, IDC_VENTE_TEKST, kArter[i].tekst);
        HWND bar = GetDlgItem(hDlg, IDC_VENTE_BAR);
        SendMessageA(bar, PBM_SETPOS, 10, 0);
        SendMessageA(bar, PBM_SETSTEP, 10, 0);
        Arbejd(art, hDlg);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

// ---- The mutex ----

PlanLaas::PlanLaas(bool proev) {
  const HANDLE h = hPlanMutex;
  if (!h) {
    taget_ = true;
    return;
  }
  const DWORD r = WaitForSingleObject(h, proev ? 0 : INFINITE);
  if (r == WAIT_OBJECT_0 || (!proev && r == WAIT_ABANDONED)) h_ = h, taget_ = true;
  else if (r == WAIT_ABANDONED) h_ = h;  // taken, but its data is not to be trusted
  if (h_) ++tLaasDybde;
}

PlanLaas::~PlanLaas() {
  if (!h_) return;
  ReleaseMutex(h_);
  if (--tLaasDybde == 0) StartVentendeOptaelling();
}

// ---- The jobs ----

HANDLE StartPlanTraad(Plan *plan, int job) {
  if (!plan || job < 1 || job > 6) return 0;
  if (job == 3) gOptaelPlan.store(plan);
  auto *start = new TraadStart{plan, job};
  std::lock_guard<std::mutex> laas(gTraadLaas);
  DWORD id = 0;
  const HANDLE h = CreateThread(nullptr, 0, PlanTraadRutine, start, 0, &id);
  if (!h) {
    delete start;
    LogPrintf("** Fejl: StartPlanTraad(): tr\xE5" "d %i kunne ikke startes\n", job);
    return 0;
  }
  // Finished jobs of earlier starts are closed now; the new one is kept.
  for (size_t i = 0; i < gTraade.size();) {
    if (WaitForSingleObject(gTraade[i].h, 0) == WAIT_OBJECT_0) {
      CloseHandle(gTraade[i].h);
      gTraade[i] = gTraade.back();
      gTraade.pop_back();
    } else {
      ++i;
    }
  }
  gTraade.push_back({plan, h});
  plan->PlanTraadId = id;
  plan->hPlanTraad = h;
  return h;
}

void VentPaaPlanTraade(Plan *plan) {
  for (;;) {
    std::vector<HANDLE> vent;
    {
      std::lock_guard<std::mutex> laas(gTraadLaas);
      for (size_t i = 0; i < gTraade.size();) {
        if (gTraade[i].plan == plan) {
          vent.push_back(gTraade[i].h);
          gTraade[i] = gTraade.back();
          gTraade.pop_back();
        } else {
          ++i;
        }
      }
      if (vent.empty()) {
        plan->hPlanTraad = 0;
        plan->PlanTraadId = 0;
        if (gOptaelPlan.load() == plan) gOptaelPlan.store(nullptr);
        return;
      }
    }
    for (HANDLE h : vent) {
      WaitForSingleObject(h, INFINITE);
      CloseHandle(h);
    }
  }
}

uint32_t PlanOptaellinger() { return gOptaellinger.load(); }

// ---- The wait dialogs ----

void RegistrerPlanVenteSkabeloner() {
  RegistrerVenteSkabelon();
  static std::once_flag en;
  std::call_once(en, [] {
    if (tavo::res::FindDialog(MAKEINTRESOURCE(IDD_PLAN_VENTE))) return;
    tavo::res::DialogTemplate t;
    t.id = IDD_PLAN_VENTE;
    t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE;
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    t.cx = 186;
    t.cy = 40;
    t.items.push_back({"STATIC", IDC_VENTE_TEKST, "", SS_CENTER | WS_VISIBLE, 0, 6, 6, 174, 10});
    t.items.push_back({PROGRESS_CLASS, IDC_VENTE_BAR, "", WS_VISIBLE, 0, 6, 18, 174, 10});
    tavo::res::RegisterDialog(t);
  });
}

INT_PTR GemPlanData(Plan *plan) {
  RegistrerPlanVenteSkabeloner();
  return DialogBoxParamA(0, MAKEINTRESOURCE(IDD_PLAN_VENTE), 0, GemPlanDlgProc, reinterpret_cast<LPARAM>(plan));
}

INT_PTR VentPaaMutex(HANDLE mutex) {
  RegistrerPlanVenteSkabeloner();
  return DialogBoxParamA(0, MAKEINTRESOURCE(IDD_PLAN_VENTE), 0, OpdaterPlanDlgProc, static_cast<LPARAM>(mutex));
}

INT_PTR CALLBACK HentPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  return VenteProc(Vente::Hent, hDlg, msg, wParam, lParam);
}

INT_PTR CALLBACK GemPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  return VenteProc(Vente::Gem, hDlg, msg, wParam, lParam);
}

INT_PTR CALLBACK GemPlanTrinDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  return VenteProc(Vente::GemTrin, hDlg, msg, wParam, lParam);
}

INT_PTR CALLBACK OpdaterPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  return VenteProc(Vente::Opdater, hDlg, msg, wParam, lParam);
}

INT_PTR CALLBACK LukPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  return VenteProc(Vente::Luk, hDlg, msg, wParam, lParam);
}
