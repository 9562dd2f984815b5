// The Elevplan exchange steps over a data folder of their own: the step
// logic installed as the import's continuation, the dialogs answered by
// script, a stand-in planning window that records what it is sent, and
// small makers of groups, activities, duplicates and wishes.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "KROGE.h"
#include "ELEVPLANVIN.h"
#include "EPTRIN.h"
#include "VINDUER.h"
#include "elevdialoger.h"
#include "epimport_fixture.h"
#include "tavo/clock.h"

namespace eleventest {

class EpTrinMappe : public EpImportMappe {
 protected:
  struct PlanBesked {
    UINT besked;
    bool ppIniFandtes;
  };
  static inline std::vector<PlanBesked> planBeskeder;
  static inline std::string ppIniSti;
  HWND planTop = 0, plan = 0;

  void SetUp() override {
    EpImportMappe::SetUp();
    RegistrerElevDialoger();
    tavo::test::StartDialogScript();
    InstallerEpTrinKroge();
    EpTilstand = {};
    EpForsoeg = 0;
    planBeskeder.clear();
    ppIniSti = Ini("pp.ini").string();
  }

  void TearDown() override {
    if (plan) VinduesListeFjern(plan);
    if (planTop) DestroyWindow(planTop);
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    ElevPlanAabnerKrog = {};
    EpTilstand = {};
    EpForsoeg = 0;
    tavo::ClearFakeClock();
    EpImportMappe::TearDown();
  }

  static LRESULT CALLBACK PlanProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_ELEVPLAN_GENOPBYG || m == WM_ELEVPLAN_NULSTIL) {
      planBeskeder.push_back({m, fs::exists(ppIniSti)});
      return 0;
    }
    return DefWindowProcA(h, m, w, l);
  }

  // A window of the planning window's kind in the window list.
  void AabnPlanVindue() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlanProc;
    wc.lpszClassName = "EpTrinPlan";
    RegisterClassA(&wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "EpTrinTop";
    RegisterClassA(&wc);
    planTop = CreateWindowExA(0, "EpTrinTop", "", WS_POPUP, 0, 0, 100, 100, 0, 0, 0, nullptr);
    plan = CreateWindowExA(0, "EpTrinPlan", "", WS_CHILD, 0, 0, 50, 50, planTop,
                           static_cast<HMENU>(kElevPlanType), 0, nullptr);
    ASSERT_NE(plan, 0u);
    VinduesListeTilfoej(plan);
  }

  static std::string EgetSystem() { return "TavoSkema - 7"; }

  // A week group inside the exchange period, reserved by `holder`.
  static uint32_t Gruppe(uint32_t id, const std::string &holder = EgetSystem()) {
    const uint32_t g = NyTg(id, 'U');
    TgRec *t = TgRecNr(g);
    t->tilmeldingsfradato = 20240601;
    t->tilmeldingstildato = 20240815;
    t->fradato = 20240901;
    t->tildato = 20250630;
    snprintf(t->Navn2, sizeof t->Navn2, "%s", holder.c_str());
    return g;
  }

  static uint32_t Dublet(uint32_t tg, uint32_t id, const char *navn, uint32_t hoved, uint32_t nr) {
    const uint32_t la = NyLa(tg, id, navn);
    LaRecNr(la)->kopi_id = LaRecNr(hoved)->id;
    LaRecNr(la)->dubletnr = nr;
    LaRecNr(la)->ElevPlanStatus = EP_LA_NY_DUBLET;
    return la;
  }

  static uint32_t Placeret(uint32_t id, uint32_t tg, uint32_t elev, uint32_t oenske, uint32_t plac,
                           const char *accept) {
    const uint32_t r = Oenske(id, tg, elev, oenske, 0);
    EvRec *e = EvRecNr(r);
    e->placerings_la_id = plac;
    snprintf(e->Accept, sizeof e->Accept, "%s", accept);
    return r;
  }

  // The period dialog confirmed as it opens.
  static void GodkendPeriode() {
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
      EXPECT_EQ(d.caption, "Hent alle tilmeldingsgrupper");
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return 0;
    });
  }

  // The request now lying there, taken away ("" when none).
  std::string TagAnmodning() const {
    const fs::path p = Fil("ep_exp.dat");
    if (!fs::exists(p)) return "";
    std::string s = LaesFil(p);
    fs::remove(p);
    return s;
  }

  // An answer imported as the main window imports it.
  void Svar(const std::string &tekst) {
    SkrivSvar(tekst);
    ImportElevplan();
  }

  static size_t Bokse() { return tavo::test::MessageBoxesShown().size(); }
  static tavo::test::MessageBoxRecord SidsteBoks() {
    const auto b = tavo::test::MessageBoxesShown();
    return b.empty() ? tavo::test::MessageBoxRecord{} : b.back();
  }
};

}  // namespace eleventest
