// The event info panel beside a real schedule window: the user moves the
// schedule's cursor by keys and the panel shows each event it passes, as
// the schedule hands it over through the shell's handle of the panel.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "../schedule/ske_fixture.h"
#include "../ui/ens_support.h"
#include "../ui/switch_fixture.h"
#include "BEGINFO.h"
#include "FONTE.h"
#include "LISTBOX.h"
#include "PROGVINDUER.h"
#include "SKERAEKKE.h"
#include "SKEMAVIN.h"
#include "VINDUER.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace sketest;

LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_MAA_AKTIVERES) return 1;
  if (m >= 1024 && m < 12000) return 0;
  return DefWindowProcA(h, m, w, l);
}

class BegInfoMedSkema : public SkeMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    gemtPeriode_ = SkemaPeriode;
    SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(202400 + kUge);
    SkemaPeriode.LaasDato = 0;
    for (uint32_t n : akti) {
      auto *a = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, n));
      a->Gruppe = 1;
      a->StartUge = 202431;
      a->SlutUge = 202531;
    }
    std::filesystem::copy_file(std::filesystem::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini",
                               rod / "ini" / "TavoSwt.ini", std::filesystem::copy_options::overwrite_existing);
    LaesSwitchIni();
    wfb_test::RegistrerUiKlasser();
    RegistrerListeKlasser(0);
    RegistrerSkemaKlasse(0);
    wfb_test::Registrer("BrikInfoWndClass", BrikInfoWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("BegInfoWndClass", BegInfoWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("BegInfo2WndClass", BegInfo2WndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("BivVaert", VaertProc, 0);
    gemtFont_ = TxtFont;
    TxtFont = switchtest::TekstSkrift();
    hoved_ = CreateWindowExA(0, "BivVaert", "Tavo", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 900, 0, 0, 0, nullptr);
    foraelder_ = CreateWindowExA(0, "BivVaert", "", WS_CHILD | WS_VISIBLE, 0, 0, 1100, 600, hoved_, 0, 0, nullptr);
    celle_ = CreateWindowExA(0, "BivVaert", "", WS_CHILD | WS_VISIBLE, 0, 600, 600, 200, hoved_, 0, 0, nullptr);
    hwndHoved = hoved_;
    VisningsTilstand[VISNING_LEKTION].Ugedag = 2;
  }
  void TearDown() override {
    DestroyWindow(hoved_);
    hwndHoved = 0;
    hwndBrikInfo = 0;
    while (VinduesListe.hoved) VinduesListeFjern(VinduesListe.hoved->hwnd);
    tavo::test::ResetUser();
    TxtFont = gemtFont_;
    SkemaPeriode = gemtPeriode_;
    SkeMappe::TearDown();
  }

  HWND hoved_ = 0, foraelder_ = 0, celle_ = 0;
  HFONT gemtFont_ = 0;
  SkemaPeriodeData gemtPeriode_;
};

TEST_F(BegInfoMedSkema, MovingTheCursorOverEventsShowsEachInThePanel) {
  // Two events of the first activity on Tuesday, one after the other.
  SkrivRaekker({{.akti = akti[0]}}, {.id = 21, .dag = 2, .start = 800, .slut = 845});
  SkrivRaekker({{.akti = akti[0]}}, {.id = 22, .status = SKE_EGEN | 16, .dag = 2, .start = 900, .slut = 945});
  HWND panel = OpretBegInfoVindue(celle_, 0, 0, 599, 199, 'F', 40177);
  ASSERT_NE(panel, (HWND)0);
  HWND w = CreateSkemaWnd(0, foraelder_, hoved_, SKE_AKTI, 0, 0, 1100, 600, 0, nullptr, 'T', 'V', 'N', 'S', 'V', 0,
                          1, 0, 40001);
  ASSERT_NE(w, (HWND)0);
  tavo::test::PumpUntilIdle();
  const auto *ws = reinterpret_cast<const BegInfoWS *>(GetWindowLongPtrA(panel, GWLP_USERDATA));
  const auto *detalje = reinterpret_cast<const BegInfo2WS *>(GetWindowLongPtrA(ws->hwndDetalje, GWLP_USERDATA));
  // Home on Tuesday's first slot, then right across the morning.
  TastInfo t{};
  t.message = WM_KEYDOWN;
  t.wParam = VK_HOME;
  t.ctrl = 0;
  SendMessageA(w, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  std::vector<uint32_t> vist;
  std::vector<std::string> status;
  bool tomt = false;  // the gap between the events showed nothing
  for (int i = 0; i < 400 && vist.size() < 2; ++i) {
    tavo::test::ClearDrawnTexts();
    SendMessageA(w, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(w, WM_KEYUP, VK_RIGHT, 0);
    const uint32_t id = detalje->id;
    if (id == 0 && !vist.empty()) tomt = true;
    if (id != 0 && (vist.empty() || id != vist.back())) {
      vist.push_back(id);
      for (const auto &d : tavo::test::DrawnTexts())
        if (d.hwnd == ws->hwndDetalje && d.text.rfind("Status", 0) == 0) status.push_back(d.text.substr(0, 13));
    }
  }
  EXPECT_EQ(vist, (std::vector<uint32_t>{21, 22}));
  EXPECT_TRUE(tomt);
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0], "Status  :  02");
  EXPECT_EQ(status[1], "Status  :  03");
  EXPECT_EQ(ws->avs.aktiAntal, 1u);
  DestroyWindow(panel);
  EXPECT_EQ(hwndBrikInfo, (HWND)0);
}

}  // namespace
