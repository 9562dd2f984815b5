// The assignment window's buttons: the field buttons that sort the rows,
// the group buttons over the columns and the layout switches of each row
// kind.
#include <algorithm>
#include <string>
#include <vector>

#include "NYBUTTON.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "tildel_fixtur.h"

namespace tildeltest {
namespace {

class TildelPlanGruppeKnapper : public TildelVindueTest {
 protected:
  static const BWS *B(HWND k) { return reinterpret_cast<const BWS *>(GetWindowLongPtrA(k, GWLP_USERDATA)); }
  // Pressed as a user does: a click in its middle.
  static void Tryk(HWND k) {
    ASSERT_NE(k, 0u);
    ASSERT_TRUE(IsWindowVisible(k));
    RECT r{};
    GetWindowRect(k, &r);
    tavo::test::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    tavo::test::PumpUntilIdle();
  }
  static std::string Billede(HWND k) {
    const LPCSTR b = B(k)->pictureName;
    return !b ? "" : IS_INTRESOURCE(b) ? std::to_string(reinterpret_cast<uintptr_t>(b)) : b;
  }
};

TEST_F(TildelPlanGruppeKnapper, FeltKnapSortererStigendeOgSaaSkiftevis) {
  Skole();
  const uint32_t a0 = Hold("A0", 20240801, 20250731);
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  RelWS *ws = Ws(h);
  ASSERT_EQ(Liste(ws->Raekke), (std::vector<uint32_t>{a0, a1, a2}));
  const std::vector<HWND> felter = TildelFeltKnapper(h);
  ASSERT_EQ(felter.size(), ObjSwitchFeltAntal(kRelRaekkeArt, 'K', ws->RaekkeSwitch));
  const HWND k = felter[0];
  EXPECT_STREQ(B(k)->txt, SwitchFeltNavn(&tdakti, 1));
  EXPECT_EQ(std::string(B(k)->tooltxt), std::string("Sorter efter ") + SwitchFeltNavn(&tdakti, 1));
  EXPECT_EQ(Billede(k), "");
  Tast(VK_DOWN);  // the cursor on H1
  struct Trin {
    std::vector<uint32_t> orden;
    const char *billede;
  };
  const Trin trin[] = {{{a0, a1, a2}, "111"}, {{a2, a1, a0}, "112"}, {{a0, a1, a2}, "111"}};
  for (const Trin &t : trin) {
    Tryk(k);
    EXPECT_EQ(Liste(ws->Raekke), t.orden);
    EXPECT_EQ(Billede(k), t.billede);
    EXPECT_EQ(ws->Raekke.ObjTab[ws->PosY.Aktuel], a1);
  }
  // Descending survives a rebuild of the rows.
  Tryk(k);
  SendMessageA(h, DATA_AENDRET, 0, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Liste(ws->Raekke), (std::vector<uint32_t>{a2, a1, a0}));
  // A group button takes over the order, its members on top, and the field
  // button loses its picture.
  AddPgRel(g1, a0, 'K');
  Tryk(TildelGruppeKnapper(h).at(0));
  EXPECT_EQ(Liste(ws->Raekke).front(), a0);
  EXPECT_EQ(Billede(TildelFeltKnapper(h).at(0)), "");
  DestroyWindow(h);
}

TEST_F(TildelPlanGruppeKnapper, GruppeKnapperOverKolonnerne) {
  Skole();
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  RelWS *ws = Ws(h);
  const std::vector<HWND> knapper = TildelGruppeKnapper(h);
  ASSERT_EQ(knapper.size(), 2u);
  for (uint32_t c = 1; c <= 2; ++c) {
    const BWS *b = B(knapper[c - 1]);
    EXPECT_EQ(std::string(b->txt), std::to_string(c));
    EXPECT_EQ(std::string(b->tooltxt), "Vis gruppe " + std::to_string(c) + " øverst");
    EXPECT_EQ(b->latched != 0, c == 1) << c;
  }
  Tryk(knapper[1]);
  EXPECT_EQ(ws->PosX.Aktuel, 2u);
  EXPECT_EQ(Liste(ws->Raekke), std::vector<uint32_t>{a1});
  EXPECT_EQ(B(knapper[0])->latched, 0u);
  EXPECT_NE(B(knapper[1])->latched, 0u);
  DestroyWindow(h);
}

TEST_F(TildelPlanGruppeKnapper, SkiftKnapperFoelgerRaekkeArten) {
  Skole();
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  RelWS *ws = Ws(h);
  const uint32_t aktiLayouts = ObjSwitchAntal(kRelRaekkeArt, 'K');
  const uint32_t anfoLayouts = ObjSwitchAntal(kRelRaekkeArt, 'M');
  ASSERT_NE(aktiLayouts, anfoLayouts);
  struct Case {
    UINT tast;
    char art;
    uint32_t layouts;
  };
  for (const Case &c : {Case{VK_NEXT, 'M', anfoLayouts}, Case{VK_PRIOR, 'K', aktiLayouts}}) {
    Tast(c.tast);
    EXPECT_EQ(ws->RaekkeBogstav, c.art);
    EXPECT_EQ(ws->AntalSwitch, c.layouts);
    for (uint32_t i = 0; i < c.layouts; ++i) {
      const HWND k = ws->Matrix.hwndSwitchButtons[i];
      ASSERT_NE(k, 0u) << c.art << " " << i;
      EXPECT_TRUE(IsWindowVisible(k));
      EXPECT_EQ(std::string(B(k)->txt), std::to_string(i + 1));
      EXPECT_EQ(B(k)->latched != 0, i == ws->RaekkeSwitch) << c.art << " " << i;
    }
    // One field button per field of the kind's chosen layout.
    EXPECT_EQ(TildelFeltKnapper(h).size(),
              ObjSwitchFeltAntal(kRelRaekkeArt, static_cast<uint8_t>(c.art), ws->RaekkeSwitch));
  }
  // Digit 2 chooses the second layout of the employments.
  Tast(VK_NEXT);
  Tast('2');
  EXPECT_EQ(ws->RaekkeSwitch, 1u);
  DestroyWindow(h);
}

}  // namespace
}  // namespace tildeltest
