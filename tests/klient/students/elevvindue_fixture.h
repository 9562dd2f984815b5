// The student windows on a test desktop beside an open planning window: a
// main window that hands its keys to the active grid window and notes the
// pop-ups it hears of, a desktop that lets every window become active, a
// spy on the open-window list that notes the 1054 broadcasts, the layouts
// of the planning window and both student lists, and a small lesson group
// with four students and their wishes.
#pragma once

#include <string>
#include <vector>

#include "../ui/ens_support.h"
#include "ELEVPLANVIN.h"
#include "ENSMUS.h"
#include "GENVEJ.h"
#include "KALENDER.h"
#include "LISTBOX.h"
#include "OBJVINDUE.h"
#include "PROGVINDUER.h"
#include "VINDUER.h"
#include "elevkolonne_fixture.h"
#include "knapper.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace eleventest {

inline HWND gElevAktiv = 0;
inline HWND gElevPopup = 0;
inline std::vector<WPARAM> gUdsendt;  // wParam of each 1054 the spy heard

inline LRESULT CALLBACK ElevHovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if ((m == WM_KEYDOWN || m == WM_SYSKEYDOWN) && gElevAktiv && IsWindow(gElevAktiv)) {
    TastInfo t;
    MakeTastInfo(&t, m, w, l);
    SendMessageA(gElevAktiv, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
    return 0;
  }
  if (m == HOVED_INPUT_AABEN) gElevPopup = static_cast<HWND>(l);
  if (m == HOVED_VINDUE_LUKKET || m == HOVED_INPUT_AABEN || m == HOVED_INPUT_LUKKET) return 0;
  return DefWindowProcA(h, m, w, l);
}

inline LRESULT CALLBACK ElevDeskProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case ENS_MAA_AKTIVERES:
      return 1;
    case ENS_BLEV_AKTIV: {
      const HWND ny = static_cast<HWND>(l);
      if (gElevAktiv && gElevAktiv != ny && IsWindow(gElevAktiv)) SendMessageA(gElevAktiv, VINDUE_DEAKTIVER, 0, 0);
      gElevAktiv = ny;
      return 0;
    }
  }
  return DefWindowProcA(h, m, w, l);
}

inline LRESULT CALLBACK ElevSpionProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 1054) gUdsendt.push_back(w);
  if (m == WM_DESTROY) VinduesListeFjern(h);
  return DefWindowProcA(h, m, w, l);
}

class ElevVindueTest : public ElevKolonneMappe {
 protected:
  static constexpr int kDeskB = 800, kDeskH = 600;
  HWND hoved = 0, desktop = 0, spion = 0;
  uint32_t tg = 0;
  std::vector<uint32_t> pp, la, elev;

  // Colours of the test's own (ini\tavo.pal), read as the palette is built.
  virtual std::string Palet() const { return ""; }

  void SetUp() override {
    ElevKolonneMappe::SetUp();
    if (!Palet().empty()) SkrivIni("tavo.pal", Palet());
    wfb_test::RegistrerUiKlasser();
    RegistrerKnapBilleder();
    RegistrerListeKlasser(0);
    ASSERT_TRUE(RegistrerElevPlanKlasse(0));
    wfb_test::Registrer("ElevTestHoved", ElevHovedProc);
    wfb_test::Registrer("ElevTestDesk", ElevDeskProc);
    wfb_test::Registrer("ElevTestSpion", ElevSpionProc);
    SkrivIni("TavoSwt.ini",
             "[ObjectSwitchField]\r\n" + Layout(ELEVPLAN_LA_ART, 0, {1, 10}, 10) + Layout(81, 0, {1}, 10) +
                 Layout(79, 0, {30, 31, 32, 33}, 3) + Layout(80, 0, {30, 31, 32, 33}, 3) + Layout(77, 0, {30}, 3) +
                 Layout(76, 0, {30}, 3) + Layout(ELEVHOLD_ART, 0, {1, 2, 3, 7, 8, 9, 11, 12}, 6) +
                 Layout(ELEVHOLD_ART, 1, {1, 11}, 6) + Layout(ELEVHOLD_HOVED_ART, 0, {7, 8}, 12) +
                 Layout(ELEVONSK_ART, 0, {7, 1, 2, 8, 9, 11, 12}, 6) + Layout(ELEVONSK_HOVED_ART, 0, {1, 2}, 12) +
                 Layout(85, 0, {8, 2, 19, 1}, 6) + Layout(90, 0, {14}, 3) + Layout(87, 0, {27}, 3) +
                 Layout(87, 1, {28}, 3) + Layout(86, 0, {31}, 3) + Layout(86, 1, {25}, 3) + Layout(94, 0, {26}, 3) +
                 Layout(95, 0, {26}, 3));
    LaesSwitchIni();
    hoved = CreateWindowExA(0, "ElevTestHoved", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 40, 900, 700,
                            0, 0, 0, nullptr);
    desktop = CreateWindowExA(0, "ElevTestDesk", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 30, kDeskB,
                              kDeskH, hoved, 0, 0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    SaetGenvejHovedVindue(hoved);
    DesktopRect = RECT{20, 30, 20 + kDeskB - 1, 30 + kDeskH - 1};
    gElevAktiv = gElevPopup = 0;
    gUdsendt.clear();
    SetFocus(hoved);
    tavo::test::PumpUntilIdle();
  }

  void TearDown() override {
    while (VinduesListe.hoved) DestroyWindow(static_cast<HWND>(VinduesListe.hoved->hwnd));
    spion = 0;
    DestroyWindow(hoved);
    SaetGenvejHovedVindue(0);
    hwndHoved = hwndDesktop = 0;
    DesktopRect = RECT{0, 0, 0, 0};
    gElevAktiv = gElevPopup = 0;
    AfregistrerElevPlanKlasse(0);
    tavo::test::ResetUser();
    ElevKolonneMappe::TearDown();
  }

  // A lesson group of four slots on one day; activities Matematik and
  // Dansk, each on a one-slot block; students Anna (priority 1 for
  // Matematik), Bo (priority 2), Carl (no wish) and Dorte (priority 1).
  void Gruppe() {
    tg = NyTg(30, 'L');
    for (uint32_t l = 1; l <= 4; ++l) pp.push_back(NyPp(tg, 30000 + l, 0, 0, l));
    const char *fag[] = {"Matematik", "Dansk"};
    for (uint32_t i = 0; i < 2; ++i) {
      la.push_back(NyLa(tg, 300 + i, fag[i]));
      LaRecNr(la[i])->max_elevantal = 10;
      NyLap(tg, 3000 + i, la[i], pp[i], 1);
    }
    const char *navne[] = {"Anna", "Bo", "Carl", "Dorte"};
    for (uint32_t i = 0; i < 4; ++i) {
      elev.push_back(NyElev(400 + i, navne[i]));
      NyElti(elev[i], tg);
    }
    NyOenske(tg, 500, elev[0], la[0], 1);
    NyOenske(tg, 501, elev[1], la[0], 2);
    NyOenske(tg, 502, elev[3], la[0], 1);
    tvtg.AktuelRec = tg;
    tvla.AktuelRec = la[0];
    tvpp.AktuelRec = pp[0];
    tvelev.AktuelRec = elev[0];
  }

  HWND Aabn(int type) {
    const HWND h = OpretObjektVindue(hoved, type, 0, nullptr);
    tavo::test::PumpUntilIdle();
    return h;
  }

  // A window on the open-window list that hears the broadcasts.
  void Spion() {
    spion = CreateWindowExA(0, "ElevTestSpion", "", WS_CHILD, 0, 0, 1, 1, desktop, 0, 0, nullptr);
    VinduesListeTilfoej(spion);
    gUdsendt.clear();
  }

  void Tast(UINT vk, int mods = 0) {
    SetFocus(hoved);
    tavo::test::PressKey(vk, mods);
    tavo::test::PumpUntilIdle();
  }

  // The texts drawn by a paint of the window's panes, in order.
  static std::vector<std::string> Tekster(HWND h, UINT besked) {
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, besked, 0, 0);
    std::vector<std::string> v;
    for (const auto &t : tavo::test::DrawnTexts()) v.push_back(t.text);
    return v;
  }
  static bool Indeholder(const std::vector<std::string> &v, const std::string &s) {
    for (const std::string &t : v)
      if (t.find(s) != std::string::npos) return true;
    return false;
  }

  // The message boxes shown since the last call, as "caption: text".
  std::vector<std::string> Bokse() {
    std::vector<std::string> v;
    const auto alle = tavo::test::MessageBoxesShown();
    for (size_t i = bokseSet; i < alle.size(); ++i) v.push_back(alle[i].caption + ": " + alle[i].text);
    bokseSet = alle.size();
    return v;
  }
  size_t bokseSet = 0;
};

}  // namespace eleventest
