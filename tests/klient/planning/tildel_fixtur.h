// The assignment window's tests over a school made record by record on the
// relation windows' test desktop: plan groups, team activities, employments,
// plan rows with their lessons, and a stand-in for the plan window that
// notes what it is told and answers the removal question from a queue.
#pragma once

#include <algorithm>
#include <functional>
#include <set>

#include "../masterdata/relmatrix_support.h"
#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanRec.h"
#include "RECPRED.h"
#include "TildelGruppe.h"
#include "tavo/test_dialog.h"

namespace tildeltest {

using namespace reltest;
using predtest::Ny;
using predtest::Tekst;

inline constexpr uint8_t kEgen = 7;
inline constexpr const char *kObsAkti =
    "Der er registreret lektioner eller timer på aktiviteten.\nDu bør fjerne dem først. Hvis du fortsætter fjernes de "
    "automatisk!\nØnsker du at fortsætte?";
inline constexpr const char *kObsAnfo =
    "Der er registreret lektioner eller timer på medarbejderen.\nDu bør fjerne dem først. Hvis du fortsætter fjernes "
    "de automatisk!\nØnsker du at fortsætte?";

// A stand-in for the plan window: child id 40268 on the open-window list; it
// notes 1225, 1226 and 1328 and answers 1226 from a queue (1 when empty).
struct PlanHoert {
  UINT msg;
  WPARAM w;
  LPARAM l;
  bool operator==(const PlanHoert &) const = default;
};
inline std::vector<PlanHoert> gPlanHoert;
inline std::vector<LRESULT> gPlanSvar;

inline LRESULT CALLBACK FalskPlanProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == VALG_MARKERET || m == VALG_AFMARKERET || m == PLAN_GENOPBYG_GRUPPE) {
    gPlanHoert.push_back({m, w, l});
    if (m != VALG_AFMARKERET) return 0;
    if (gPlanSvar.empty()) return 1;
    const LRESULT s = gPlanSvar.front();
    gPlanSvar.erase(gPlanSvar.begin());
    return s;
  }
  return DefWindowProcA(h, m, w, l);
}

inline std::ostream &operator<<(std::ostream &o, const PlanHoert &p) {
  return o << "{" << p.msg << ", " << p.w << ", " << p.l << "}";
}

class TildelTest : public RelTest {
 protected:
  uint8_t gemtInsnr = 0;
  HWND falskPlan = 0;

  void SetUp() override {
    RelTest::SetUp();
    gemtInsnr = GlobalIndstillinger.insnr;
    GlobalIndstillinger.insnr = kEgen;
    gPlanHoert.clear();
    gPlanSvar.clear();
    wfb_test::Registrer("TildelFalskPlan", FalskPlanProc, 0);
    ASSERT_TRUE(RegistrerRelKlasse(0, "TildelPlanGruppeWndClass", TildelPlanGruppeWndProc));
  }
  void TearDown() override {
    if (falskPlan && IsWindow(falskPlan)) LukPlan();
    GlobalIndstillinger.insnr = gemtInsnr;
    RelTest::TearDown();
  }

  void AabnPlan() {
    falskPlan = CreateWindowExA(0, "TildelFalskPlan", "", WS_CHILD, 0, 0, 10, 10, desktop,
                                static_cast<HMENU>(kPlanVindueType), 0, nullptr);
    ASSERT_NE(falskPlan, 0u);
    VinduesListeTilfoej(falskPlan);
  }
  void LukPlan() {
    VinduesListeFjern(falskPlan);
    DestroyWindow(falskPlan);
    falskPlan = 0;
  }

 public:
  static uint32_t Gruppe(const char *navn, Dato fra, Dato til, uint8_t status = 0x40, uint8_t ejer = kEgen) {
    FfpgRec g{};
    Tekst(g.Navn, navn);
    g.Fradato = fra;
    g.Tildato = til;
    g.Ejer = ejer;
    g.Status = status;
    return Ny(tdffpg, tvffpg, g);
  }
  static uint32_t Hold(const char *navn, Dato fra, Dato til, const char *type = "HOLD", char aflyst = 'N',
                       uint8_t slettet = 0, uint32_t gruppe = 1, uint8_t status = 20) {
    AktiRec a{};
    Tekst(a.Aktivitet, navn);
    Tekst(a.Kort_betegnelse, navn);
    Tekst(a.Type, type);
    a.Status = status;
    a.Gruppe = gruppe;
    a.Fradato = fra;
    a.Tildato = til;
    a.Aflyst = aflyst;
    a.Slettet_i_EASY = slettet;
    return Ny(tdakti, tvakti, a);
  }
  static uint32_t Ansat(const char *ini, Dato fra, Dato til, uint32_t gruppe = 1) {
    MedaRec m{};
    Tekst(m.Initialer, ini);
    Tekst(m.Navn, ini);
    m.Status = 20;
    AnfoRec f{};
    f.meda_id = Ny(tdmeda, tvmeda, m);
    f.Status = 20;
    f.Gruppe = gruppe;
    f.Fradato = fra;
    f.Tildato = til;
    return Ny(tdanfo, tvanfo, f);
  }
  // A plan row of the group and its week record with the lessons.
  static uint32_t Raekke(uint32_t g, uint32_t type, uint32_t akti, uint32_t m1, uint32_t m2, uint32_t lektioner) {
    FfgrundRec r{};
    r.ffpg_id = g;
    r.ObjType = type;
    r.Aktivitet = akti;
    r.Medarbejder1 = m1;
    r.Medarbejder2 = m2;
    r.Ejer = kEgen;
    r.Status = 0x40;
    const uint32_t n = Ny(tdffgrund, tvffgrund, r);
    FftaltabRec t{};
    t.ffgrund_id = n;
    t.Uge = 202440;
    t.Lektioner = lektioner;
    t.Ejer = kEgen;
    t.Status = 0x40;
    Ny(tdfftaltab, tvfftaltab, t);
    return n;
  }
  // A row the delete operation freed may be gone from the table.
  static bool RaekkeLever(uint32_t n) {
    const FfgrundRec *r = TabRec<FfgrundRec>(tvffgrund, n);
    return r && PlanRecIBrug(r->Status);
  }
  static uint32_t LektionerAf(uint32_t grund) {
    uint32_t sum = 0;
    for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
      const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
      if (PlanRecIBrug(t->Status) && t->ffgrund_id == grund) sum += t->Lektioner;
    }
    return sum;
  }
  static std::vector<uint32_t> Uden0(std::vector<uint32_t> v) {
    v.erase(v.begin());
    return v;
  }

  // Runs f with the message boxes answered in turn; the boxes shown.
  static std::vector<tavo::test::MessageBoxRecord> MedSvar(std::initializer_list<int> svar,
                                                           const std::function<void()> &f) {
    tavo::test::StartDialogScript(3000);
    for (int s : svar) tavo::test::AnswerNextDialog([s](const tavo::test::ShownDialog &) -> INT_PTR { return s; });
    f();
    auto vist = tavo::test::MessageBoxesShown();
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    return vist;
  }
};

// Two groups, autumn and spring; H1 all year, H2 in the autumn; one
// employment.
class TildelVindueTest : public TildelTest {
 protected:
  uint32_t g1 = 0, g2 = 0, a1 = 0, a2 = 0, m1 = 0;
  void Skole() {
    g1 = Gruppe("Efterår", 20240801, 20241231);
    g2 = Gruppe("Forår", 20250102, 20250630);
    a1 = Hold("H1", 20240801, 20250731);
    a2 = Hold("H2", 20240801, 20241231);
    m1 = Ansat("AB", 20240801, 20250731);
  }
  HWND Aabn() {
    HWND h = CreateTildelPlanGruppeWnd(40269);
    if (h) {
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
      BringWindowToTop(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }
};

}  // namespace tildeltest
