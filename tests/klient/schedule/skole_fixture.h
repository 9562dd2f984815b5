// A schedule window over a school week with a ring system, a calendar of
// weekdays and every role proposal set, and the live events of the week
// read back from its bucket.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "BRIKIND.h"
#include "INDSTIL.h"
#include "ROLLEFORSLAG.h"
#include "skevin_fixture.h"

namespace sketest {

class SkoleVindue : public SkemaVindueTest {
 protected:
  void SetUp() override {
    SkemaVindueTest::SetUp();
    kalender = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) { return d <= 5; });
    ring = Ringesystem({});
    for (uint32_t a : akti) {
      Rec<AktiRec>(tvakti, a)->skka_id = kalender;
      Rec<AktiRec>(tvakti, a)->risy_id = ring;
    }
    for (uint32_t l : loka) {
      Rec<LokaRec>(tvloka, l)->Fradato = 20240801;
      Rec<LokaRec>(tvloka, l)->Tildato = 20250731;
    }
    optager = Rolle({"U"});
    Rec<SkemarolRec>(tvskemarol, optager)->Check_skemasammenfald = 'J';
    for (auto &r : RolleForslagene) r = optager;
    GlobalIndstillinger.markerhellig = 0;
    SkemaPeriode.LaasUge = 0;
  }
  void TearDown() override {
    for (auto &r : RolleForslagene) r = 0;
    CleanupAVSListe();
    SkemaVindueTest::TearDown();
  }

  // The live events of the week: each first row's participants.
  struct Begiv {
    uint32_t forste;
    std::vector<uint32_t> akti, anfo;
    uint32_t status;
    uint8_t dag;
    uint32_t start;
  };
  static std::vector<Begiv> Levende() {
    std::vector<Begiv> ud;
    const TabVar *b = BegBucket(kAar, kUge);
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec *s = Raekke(r);
      if (s->Status == 0 || (s->Status & SKE_SLETTET)) continue;
      if (s->Forste == r) ud.push_back({r, {}, {}, +s->Status, static_cast<uint8_t>(s->Dag), +s->Starttid});
      for (Begiv &e : ud)
        if (e.forste == s->Forste) {
          if (s->akti_id) e.akti.push_back(+s->akti_id);
          if (s->anfo_id) e.anfo.push_back(+s->anfo_id);
        }
    }
    return ud;
  }
  // The lines about events kept.
  std::vector<std::string> InfoLinjer() const {
    std::ifstream i(rod / "log" / "tavo.log", std::ios::binary);
    std::vector<std::string> ud;
    std::string linje;
    while (std::getline(i, linje))
      if (size_t p = linje.find("** Info: Begivenheden"); p != std::string::npos) ud.push_back(linje.substr(p));
    return ud;
  }
  // A lesson-1 event on Tuesday of the fixture's week.
  uint32_t Begivenhed(const std::vector<Deltager> &d, uint32_t status = SKE_EGEN, uint32_t id = 11) {
    return SkrivRaekker(d, {.id = id, .status = status, .risy = ring, .dag = 2, .lektion = 1, .start = 800, .slut = 845});
  }
  // The grid cell of an object row and Tuesday's first lesson in a dot
  // schedule of the week.
  static std::pair<uint32_t, uint32_t> Celle(SkeStruct *ske, uint32_t objekt) {
    for (uint32_t r = 1; r <= ske->Ens.ObjTabAntal; ++r)
      if (ske->Ens.ObjTab[r] == objekt) return {ske->Vis.SidsteSlot - ske->Vis.FoersteSlot + 2, r};
    return {0, 0};
  }

  // A week window of the kind with the cursor on Tuesday's first lesson
  // of the object.
  HWND Vindue(char art, uint32_t objekt) {
    HWND w = Aabn(art, 'V', 1);
    SkeStruct *ske = SkemaVinduesSke(w);
    const auto [kol, raekke] = Celle(ske, objekt);
    EXPECT_NE(raekke, 0u);
    ske->TidPos.Aktuel = kol;
    ske->ObjPos.Aktuel = raekke;
    ske->AktuelObjRaekke = raekke;
    return w;
  }
  static void Tast(HWND w, UINT vk, int mods) {
    TastInfo t{};
    t.shift = mods & tavo::test::ModShift ? -1 : 0;
    t.ctrl = mods & tavo::test::ModCtrl ? -1 : 0;
    t.alt = mods & tavo::test::ModAlt ? -1 : 0;
    t.message = t.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    t.wParam = vk;
    SendMessageA(w, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  }
  uint32_t kalender = 0, ring = 0, optager = 0;
};

}  // namespace sketest
