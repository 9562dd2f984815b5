// The planning rules and their dialogs over a small lesson group: a
// stand-in for the planning window that answers the dialogs' question for
// the largest number (through the window's own message handler), the
// schedule display of 8 lessons on 5 days, and the keys pressed as the
// window presses them.
#pragma once

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "ELEVDLG.h"
#include "VINDUER.h"
#include "elevdialoger.h"
#include "elevplan_fixture.h"
#include "tavo/test_user.h"

namespace eleventest {

using Tekst = std::vector<std::pair<std::string, std::string>>;

// The workspace of the test running (its pointer changes when a test starts
// the program again).
inline ElevPlanWS **gPlanVinduetsWS = nullptr;

inline LRESULT CALLBACK PlanVindueProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  LRESULT svar = 0;
  int tegn = 0;
  if (m == ELEVPLAN_MAX_ANTAL && gPlanVinduetsWS && *gPlanVinduetsWS &&
      ElevPlanBesked(*gPlanVinduetsWS, m, w, l, &svar, &tegn))
    return svar;
  return DefWindowProcA(h, m, w, l);
}

class ElevReglerMappe : public ElevPlanMappe {
 protected:
  HWND top = 0, plan = 0;
  int tegn = 0, efter = 0;

  void SetUp() override {
    ElevPlanMappe::SetUp();
    SaetVisningstider(800, 8, 5);
    tavo::test::ResetUser();
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = PlanVindueProc;
    wc.lpszClassName = "ElevPlanStandIn";
    RegisterClassA(&wc);
    top = CreateWindowExA(0, "ElevPlanStandIn", "", WS_OVERLAPPED, 0, 0, 800, 600, 0, 0, 0,
                          nullptr);
    plan = CreateWindowExA(0, "ElevPlanStandIn", "", WS_CHILD, 0, 0, 100, 100, top,
                           static_cast<HMENU>(kElevPlanType), 0, nullptr);
    ASSERT_EQ(VinduesListeTilfoej(plan), 0);
    gPlanVinduetsWS = &ws;
  }

  void TearDown() override {
    gPlanVinduetsWS = nullptr;
    while (VinduesListe.hoved) VinduesListeFjern(VinduesListe.hoved->hwnd);
    tavo::test::ResetUser();
    ElevPlanMappe::TearDown();
  }

  // A fresh folder and tables, as for a test of its own.
  void Forfra() {
    TearDown();
    SetUp();
  }

  int Kmd(uint32_t tast, bool ctrl = false, bool shift = false, int mode = 2) {
    tegn = 0;
    return ElevPlanKommando(ws, tast, 0, ctrl ? -1 : 0, shift ? -1 : 0, 0, mode, &tegn);
  }

  // As the window does it: the command, then what follows it.
  int Tryk(uint32_t tast, bool ctrl = false, bool shift = false) {
    const int svar = Kmd(tast, ctrl, shift, 2);
    efter = 0;
    if (svar == 1) efter = ElevPlanEfterKommando(ws, tast, ctrl ? -1 : 0, shift ? -1 : 0, 0);
    return svar;
  }

  // The boxes shown since the last call, as (text, caption).
  static Tekst Tekster() {
    Tekst v;
    for (const auto &m : tavo::test::MessageBoxesShown()) v.push_back({m.text, m.caption});
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    return v;
  }

  // A dialog's text of a control.
  static std::string Felt(HWND dlg, int id) {
    char b[300] = {};
    GetDlgItemTextA(dlg, id, b, sizeof b);
    return b;
  }

  // As a user: a click in the edit, everything selected, the text typed
  // over it (an empty text deletes it).
  static void Skriv(HWND dlg, int id, const char *tekst) {
    HWND e = GetDlgItem(dlg, id);
    SetFocus(e);
    SendMessageA(e, EM_SETSEL, 0, -1);
    if (*tekst == '\0')
      tavo::test::PressKey(VK_DELETE);
    else
      tavo::test::TypeText(tekst);
    tavo::test::PumpUntilIdle();
  }

  // A click on the middle of a control.
  static void Klik(HWND dlg, int id) {
    HWND b = GetDlgItem(dlg, id);
    RECT r;
    GetClientRect(b, &r);
    const POINT p = tavo::test::ScreenPoint(b, r.right / 2, r.bottom / 2);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }

  static int Markeret(HWND dlg, int id) {
    return static_cast<int>(SendDlgItemMessageA(dlg, id, BM_GETCHECK, 0, 0));
  }
};

}  // namespace eleventest
