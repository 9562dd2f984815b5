// The student windows' field layouts in a test's own data folder, a stand-in
// font for the student symbol font, and the glyph characters as texts.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

#include "ELEVKOLONNE.h"
#include "ELEVPLANTEKST.h"
#include "FONTE.h"
#include "SWITCH.h"
#include "elevplan_fixture.h"

namespace eleventest {

// Character c of the symbol font as a one-character text.
inline std::string G(int c) { return std::string(1, static_cast<char>(c)); }

// One layout line per column code, each column 0 + 2 + 8 x tegn + 0 + 1
// pixels wide.
inline std::string Layout(uint32_t art, uint32_t nr, std::initializer_list<uint32_t> koder,
                          uint32_t tegn = 4) {
  std::string s;
  char linje[80];
  for (uint32_t k : koder) {
    snprintf(linje, sizeof linje, "%u,K,%u,%u,0,2,0,0,%u,0,1,T,0\r\n", art, nr, k, tegn);
    s += linje;
  }
  return s;
}

class ElevKolonneMappe : public ElevPlanMappe {
 protected:
  HFONT gammelElevFont = 0;
  HFONT symbol = 0;

  void SetUp() override {
    ElevPlanMappe::SetUp();
    // Lock week 2024-40, current week 2024-45.
    InitPeriode(20240801, 20250731, 20241001);
    SaetAktuelDato(20241106);
    const std::string alle = Layout(ELEVHOLD_ART, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) +
                             Layout(ELEVHOLD_ART, 1, {7, 1}, 10) +
                             Layout(ELEVONSK_ART, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) +
                             Layout(ELEVPLAN_LA_ART, 0, {1, 10}, 20) + Layout(77, 0, {30}, 1) +
                             Layout(76, 0, {30}, 2);
    SkrivIni("TavoSwt.ini", "[ObjectSwitchField]\r\n" + alle);
    LaesSwitchIni();
    ASSERT_EQ(ObjSwitchFeltAntal(ELEVHOLD_ART, 'K', 0), 13u);
    ASSERT_EQ(ObjSwitchFeltAntal(ELEVPLAN_LA_ART, 'K', 0), 2u);
    gammelElevFont = ElevFont;
    symbol = CreateFontA(11, 11, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Elv11x11");
    ElevFont = symbol;
  }

  void TearDown() override {
    ElevFont = gammelElevFont;
    DeleteObject(symbol);
    FrigivSwitchTab();
    ElevPlanMappe::TearDown();
  }

  // A list window's state over the workspace.
  ElevListeTilstand Liste(uint8_t vindue) const {
    ElevListeTilstand l{};
    l.PlanWS = ws;
    l.Vindue = vindue;
    l.Bogstav = 'K';
    l.ListeArt = vindue == ELEVLISTE_ONSK ? ELEVONSK_ART : ELEVHOLD_ART;
    l.AntalLayouts = ObjSwitchAntal(l.ListeArt, 'K');
    l.ValgtLayout = ObjSwitchValgt(l.ListeArt, 'K');
    return l;
  }
};

}  // namespace eleventest
