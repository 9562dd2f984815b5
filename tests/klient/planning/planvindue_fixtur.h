// The plan window over the painting fixture's data folder, with the
// memberships the load needs, a main window and a desktop that note the
// private messages they get, and the window opened and closed behind its
// wait dialogs as a user who only waits.
#pragma once

#include <vector>

#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "HENTGEM.h"
#include "PLANIDX.h"
#include "PROGVINDUER.h"
#include "PlanTraad.h"
#include "PlanVindue.h"
#include "RECPRED.h"
#include "TALTAB.h"
#include "plantegning_fixtur.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace plantest {

inline std::vector<UINT> *&VindueHovedFik() {
  static std::vector<UINT> *v = nullptr;
  return v;
}
inline std::vector<UINT> *&VindueDesktopFik() {
  static std::vector<UINT> *v = nullptr;
  return v;
}
inline LRESULT CALLBACK PlanVindueHovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (VindueHovedFik() && m >= WM_USER) VindueHovedFik()->push_back(m);
  return m >= WM_USER ? 0 : DefWindowProcA(h, m, w, l);
}
inline LRESULT CALLBACK PlanVindueDesktopProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (VindueDesktopFik() && m >= WM_USER) VindueDesktopFik()->push_back(m);
  return m >= WM_USER ? 0 : DefWindowProcA(h, m, w, l);
}

class PlanVindueFixtur : public PlanTegningFixtur {
 protected:
  std::vector<UINT> hovedFik, desktopFik;
  HWND gemtHoved = 0, gemtDesktop = 0, h = 0;
  HANDLE gemtMutex = 0;

  void SetUp() override {
    PlanTegningFixtur::SetUp();
    OpretTalMutex();
    gemtMutex = hPlanMutex;
    hPlanMutex = 0;
    PlanOpdaterVenter.store(0);
    wfb_test::Registrer("PlanWndClass", PlanWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("PlanVindueHoved", PlanVindueHovedProc, 0);
    wfb_test::Registrer("PlanVindueDesktop", PlanVindueDesktopProc, 0);
    VindueHovedFik() = &hovedFik;
    VindueDesktopFik() = &desktopFik;
    gemtHoved = hwndHoved;
    gemtDesktop = hwndDesktop;
    hwndHoved = CreateWindowExA(0, "PlanVindueHoved", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    hwndDesktop = CreateWindowExA(0, "PlanVindueDesktop", "", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1000, 0, 0, 0,
                                  nullptr);
    for (uint32_t a : {akti, akti2}) AddPgRel(gruppe, a, 'K');
    for (uint32_t m : {anne, bo}) AddPgRel(gruppe, m, 'M');
    RegistrerPlanVenteSkabeloner();
  }
  void TearDown() override {
    if (h && IsWindow(h)) Luk();
    DestroyWindow(hwndHoved);
    DestroyWindow(hwndDesktop);
    hwndHoved = gemtHoved;
    hwndDesktop = gemtDesktop;
    VindueHovedFik() = VindueDesktopFik() = nullptr;
    if (hPlanMutex) CloseHandle(hPlanMutex);
    hPlanMutex = gemtMutex;
    FreePlanTab();
    PlanIndeksNulstil();
    PlanOpdaterVenter.store(0);
    PlanTegningFixtur::TearDown();
  }

  // The next dialogs run on with the answer (0: as for a user who waits).
  static void Svar(int antal, INT_PTR svar = 0) {
    for (int i = 0; i < antal; ++i)
      tavo::test::AnswerNextDialog([svar](const tavo::test::ShownDialog &) -> INT_PTR { return svar; });
  }
  void Aabn() {
    tavo::test::StartDialogScript(30000);
    Svar(1);
    h = CreatePlan(hwndDesktop, kPlanVindueType, 0, 0, 1200, 900);
    tavo::test::StopDialogScript();
    ASSERT_NE(h, 0u);
    ShowWindow(h, SW_SHOW);
    tavo::test::PumpUntilIdle();
  }
  void Luk() {
    tavo::test::StartDialogScript(30000);
    Svar(4);
    DestroyWindow(h);
    tavo::test::StopDialogScript();
    h = 0;
  }
  Plan *P() { return reinterpret_cast<Plan *>(SendMessageA(h, REL_PLAN_TILSTAND, 0, 0)); }
};

}  // namespace plantest
