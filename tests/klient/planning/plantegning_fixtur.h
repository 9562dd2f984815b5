// A window of the plan's five panes (the toolbar's pane, the headers with
// both corners, the row captions, the cells and the summary) over a small
// plan of one group in two periods: the program's field layouts, palette
// and fonts, an activity with its school-day calendar, two subject rows and
// a folded second activity. The window paints its panes with the plan's
// painters, as the plan window does.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "../ui/ens_support.h"
#include "ENS.h"
#include "FF_PlanUtil.h"
#include "FONTE.h"
#include "PLANGITTER.h"
#include "PlanTegn.h"
#include "SWITCH.h"
#include "TAVOTB.h"
#include "plan_fixtur.h"
#include "tavo/test_gdi.h"

namespace plantest {

inline LRESULT CALLBACK PlanTestProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto *plan = reinterpret_cast<Plan *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  switch (m) {
    case WM_CREATE: {
      plan = static_cast<Plan *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
      SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(plan));
      Ens &e = plan->Ens;
      e.hwndParent = GetParent(h);
      e.hdc = GetDC(h);
      e.EgenRamme = 1;
      e.CaptionAktiv = 1;
      RECT rc;
      GetClientRect(h, &rc);
      e.Areal[0] = GetSystemMetrics(SM_CXFRAME);
      e.Areal[1] = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + kToolbarHoejde;
      e.Areal[2] = rc.right - 1 - GetSystemMetrics(SM_CXFRAME);
      e.Areal[3] = rc.bottom - 1 - GetSystemMetrics(SM_CYFRAME);
      e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
      e.KolHovedHoejde = 38;
      uint32_t venstre = 0, hoejre = 0;
      for (uint32_t c = 1; c <= plan->VenstreAntal; ++c) venstre += PlanKolonneBredde(plan, c, PLAN_OMR_VENSTRE) + 1;
      for (uint32_t c = 1; c <= plan->HoejreAntal; ++c) hoejre += PlanKolonneBredde(plan, c, PLAN_OMR_HOEJRE) + 1;
      e.RaekkeHovedBredde = venstre;
      e.HoejreBredde = hoejre;
      e.AkseY = GridAkse{0, 14, 1, 0, 0};
      e.StyrX = &plan->StyrX.Pos;
      e.StyrY = &plan->StyrY.Pos;
      plan->hwndPlan = h;
      EnsCalcLayout(&e);
      static const uint32_t kToolbar[7] = {};
      EnsCreateChildren(&e, h, 0, kToolbar, TxtFont, true, true, nullptr);
      // The plan's panes write in the grid text font.
      for (EnsDC &dc : e.dc)
        if (dc.hdc) SelectObject(dc.hdc, TxtFont);
      return 0;
    }
    case WM_SIZE:
      if (plan) PlanLayout(&plan->Ens, h, LOWORD(l), HIWORD(l), 0);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      if (plan) EnsPaintFrame(&plan->Ens);
      return 0;
    }
    case ENS_KOLHOVED_TEGN:
      if (plan) TegnPlanOverskrifter(plan, PLAN_TEGN_ALT);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      if (plan) TegnPlanRaekker(plan, PLAN_TEGN_ALT);
      return 0;
    case ENS_CELLER_TEGN:
      if (plan) TegnPlanCelleOmraade(plan, PLAN_TEGN_ALT);
      return 0;
    case ENS_HOEJRE_TEGN:
      if (plan) TegnPlanSumOmraade(plan, PLAN_TEGN_ALT);
      return 0;
    case TB_RUDE_TEGN:
      if (plan) TegnPlanStatusLinie(plan);
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrA(h, GWLP_USERDATA, 0);
      return 0;
  }
  if (m >= 1024 && m < 10000) return 0;
  return DefWindowProcA(h, m, w, l);
}

class PlanTegningFixtur : public PlanFixtur {
 protected:
  HWND vindue = 0;
  uint32_t akti = 0, akti2 = 0, dansk = 0, mat = 0, anne = 0, bo = 0;
  uint32_t hoved = 0, fag1 = 0, fag2 = 0, hoved2 = 0;
  int bredde = 1000, hoejde = 360;

  static constexpr Uge kUge = 202446;  // an ordinary school week

  void SetUp() override {
    PlanFixtur::SetUp();
    namespace fs = std::filesystem;
    for (const char *f : {"TavoSwt.ini", "tavo.pal"})
      fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "resources/orvane" / f, rod / "ini" / f,
                    fs::copy_options::overwrite_existing);
    for (const char *f : {"Tvo11x8Txt.ttf", "Tvo11x8Tgn.ttf"})
      fs::copy_file(fs::path(TAVO_FONT_DIR) / f, rod / "ini" / f, fs::copy_options::overwrite_existing);
    wfb_test::RegistrerUiKlasser();
    RegistrerToolbarKlasser(0);
    wfb_test::Registrer("PlanTestVindue", PlanTestProc, CS_OWNDC | CS_DBLCLKS);
    LaesSwitchIni();
    LoadFonts(0);

    NyPeriode(gruppe, 202432, 202504, 1);
    NyPeriode(gruppe, 202505, 202526, 0);
    VaelgGruppe(gruppe);
    const uint32_t skka = NyKalender();
    akti = NyAkti("1a Da", "Dansk");
    TabRec<AktiRec>(tvakti, akti)->skka_id = skka;
    akti2 = NyAkti("2b Ma", "Matematik");
    TabRec<AktiRec>(tvakti, akti2)->skka_id = skka;
    dansk = NySkfa("DA", 'A', "Dansk");
    mat = NySkfa("MA", 'B', "Matematik");
    anne = NyAnfo("ABE", "1", "Anne Berg");
    bo = NyAnfo("BOL", "1", "Bo Lund");
    IPlan(akti, anne);
    IPlan(akti2, bo);
    hoved = Raekke(PLAN_AKTI, akti, 0, 0);
    fag1 = Raekke(PLAN_FAG, akti, dansk, anne, bo);
    fag2 = Raekke(PLAN_FAG, akti, mat, bo);
    hoved2 = Raekke(PLAN_AKTI, akti2, 0, 0);
    R(hoved).Udfoldet = 1;
    R(fag1).Minutnorm1 = 0.0f;
    R(hoved).SumLektioner = 130;
    R(fag1).SumLektioner = 80;
    R(fag2).SumLektioner = 50;
    T(fag1, kUge).Lektioner = 20;
    T(fag2, kUge).Lektioner = 35;
    T(hoved, kUge).Lektioner = 55;
    Orden({hoved, fag1, fag2, hoved2});
    Kolonner({{31}, {32, 1}, {33, 1, 202451}, {33, 1, 202452}, {33, 1, 202501}, {33, 1, kUge}, {32, 2}});
    plan.LayoutVenstre = {113, '#', 0, 7, 0};
    plan.LayoutKolonne = {111, '#', 0, 13, 0};
    plan.LayoutPlanListe = {112, 'K', 0, 6, 0};
    Venstre({21, 22, 23, 24, 25, 26, 273});
    Hoejre({40, 41, 42, 43, 45, 49});
    plan.StyrLX.Pos.Aktuel = 0;
    plan.StyrRX.Pos.Aktuel = 0;
    plan.StyrX.Pos.Aktuel = 2;
    tavo::test::ClearDrawnTexts();
  }

  void TearDown() override {
    if (vindue) DestroyWindow(vindue);
    free(plan.Ens.hwndSwitchButtons);
    plan.Ens.hwndSwitchButtons = nullptr;
    UnloadFonts();
    FrigivSwitchTab();
    tavo::test::ResetUser();
    PlanFixtur::TearDown();
  }

  // A calendar of school days Monday to Friday in 2024 and 2025, but for
  // the Christmas week 52 of 2024.
  uint32_t NyKalender() {
    KaldagRec dage{};
    dage.Status = 10;
    for (uint8_t &u : dage.Uge) u = 0x1F;
    dage.Uge[51] = 0;
    const uint32_t kaldag = Ny(tdkaldag, tvkaldag, dage);
    KdagrelRec rel{};
    rel.Status = 10;
    rel.Kaldag = kaldag;
    const uint32_t foerste = Ny(tdkdagrel, tvkdagrel, rel);
    Ny(tdkdagrel, tvkdagrel, rel);
    SkkaRec k{};
    k.Status = 10;
    k.StartAr = 2024;
    k.AntalAr = 2;
    k.kaldagrel = foerste;  // the year's offset from StartAr is added to it
    return Ny(tdskka, tvskka, k);
  }

  // The plan by employee: Anne's heading with her subject row, a task row
  // and her scheduled lessons, and Bo's folded heading.
  void VisningM() {
    plan.Visning = 'M';
    const uint32_t anneHoved = Raekke(PLAN_MEDA, 0, 0, anne), opg = Raekke(PLAN_OPG_TIMER, akti2, 0, anne),
                   skema = Raekke(PLAN_SKEMA, 0, 0, anne), boHoved = Raekke(PLAN_MEDA, 0, 0, bo);
    R(anneHoved).Udfoldet = 1;
    R(anneHoved).SumLektioner = 80;
    R(anneHoved).MaxLektioner = 300;
    R(opg).SumTimer1 = 12.5f;
    T(anneHoved, kUge).Lektioner = 20;
    T(anneHoved, kUge).Timer1 = 1.5f;
    T(fag1, kUge).Timer1 = 1.5f;
    T(opg, kUge).Timer = 2.25f;
    T(opg, kUge).PlanStatus = 4;
    T(skema, kUge).SkemaLektioner = 30;
    T(skema, kUge).SkemaTimer = 2.0f;
    Orden({anneHoved, fag1, opg, skema, boHoved});
    plan.LayoutVenstre = {113, '#', 2, 2, 0};
    plan.LayoutPlanListe = {112, 'M', 0, 5, 0};
    Venstre({21, 22});
    Hoejre({40, 41, 46, 47, 48});
    plan.StyrLX.Pos.Aktuel = 0;
    plan.StyrRX.Pos.Aktuel = 0;
  }
  // Hours with two decimals.
  void Timer() {
    plan.MedaVisning = 1;
    plan.DetaljeNiveau = 2;
    T(fag1, kUge).Timer1 = 1.5f;
    T(fag2, kUge).Timer1 = 2.63f;
    R(fag1).SumTimer1 = 12.0f;
    R(fag2).SumTimer1 = 7.88f;
    R(hoved).MaxTimer = 38.0f;
  }

  void Aabn() {
    vindue = CreateWindowExA(0, "PlanTestVindue", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, bredde, hoejde,
                             0, 0, 0, &plan);
    ASSERT_NE(vindue, 0u);
    ShowWindow(vindue, SW_SHOW);
    tavo::test::PumpUntilIdle();
    tavo::test::ClearDrawnTexts();
  }

  Ens &E() { return plan.Ens; }

  // What a fill of colour n leaves on the screen: colour 49's brush paints
  // palette entry 20.
  static COLORREF Fylder(int n) { return FarveTab[n == 49 ? 20 : n]; }

  // Texts drawn into one window since the log was last cleared.
  std::vector<tavo::test::DrawnText> Tekster(HWND h) const {
    std::vector<tavo::test::DrawnText> v;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h) v.push_back(t);
    return v;
  }
  // The first text drawn in the window that equals t; null when none.
  const tavo::test::DrawnText *Tekst(const std::vector<tavo::test::DrawnText> &v, const std::string &t) const {
    for (const auto &d : v)
      if (d.text == t) return &d;
    return nullptr;
  }

  // A pixel of a cell: dx, dy from its top left.
  COLORREF CellePixel(HWND rude, uint32_t omraade, uint32_t kol, uint32_t raekke, int dx, int dy) {
    return tavo::test::WindowPixel(rude, PlanKolonneX(&plan, kol, omraade) + dx, PlanRaekkeY(&plan, raekke) + dy);
  }
};

}  // namespace plantest
