// Marks on visible events and chosen cells: the move and AutoSkema marks as
// tables over entries whose rows carry the statuses of the cases, the cell
// tables of a finished choice, the carrying over of marks between windows,
// deleting marked events, and choosing cells with a mouse drag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "INDSTIL.h"
#include "MARKBEG.h"
#include "OPTAGET.h"
#include "RELAY.h"
#include "SKEBAGGRUND.h"
#include "SKERAEKKE.h"
#include "SLETBEG.h"
#include "skevin_fixture.h"

namespace {

using namespace sketest;

// One entry of a made list: its marks and the status of its event's rows.
struct Indgang {
  uint8_t kode, flag;
  uint32_t status;
};

class Markering : public SkeMappe {
 protected:
  // Entry n + 1 stands for an event of two rows with the n-th status; an
  // entry with status 0 names a row that is gone.
  static void Liste(SkeVindue &v, const std::vector<Indgang> &indgange) {
    FrigivSkeVisListe(v.get());
    v->lpSkeVisListe = static_cast<SkeVisListe *>(calloc(indgange.size() + 1, sizeof(SkeVisListe)));
    v->SkeVisAntal = v->SkeVisKapacitet = static_cast<uint32_t>(indgange.size());
    for (size_t i = 0; i < indgange.size(); ++i) {
      SkeVisListe &e = v->lpSkeVisListe[i + 1];
      e.AarIndeks = kAar;
      e.Uge = kUge;
      e.Forste = indgange[i].status ? SkrivRaekker({{.akti = 1}, {.akti = 2}}, {.status = indgange[i].status})
                                    : 60000;
      e.FarveKode = indgange[i].kode;
      e.Nul = indgange[i].flag;
    }
  }
};

struct FlytSag {
  Indgang foer;
  bool toggle;
  uint8_t kode, flag;
};

TEST_F(Markering, MoveMarksFlipBetweenMarkedAndTheEventsOwnCode) {
  const FlytSag sager[] = {
      // With toggle: entries of this move flip, marked ones get the move bit.
      {{3, 2, SKE_EGEN}, true, 27, 0},
      {{27, 2, SKE_EGEN}, true, 3, 0},
      {{3, 2, SKE_AUTOSKEMA}, true, 39, 0},
      {{3, 2, SKE_AUTOSKEMA | SKE_MAERKE1}, true, 57, 0},
      {{3, 2, SKE_AUTOSKEMA | SKE_EGEN}, true, 27, 0},
      {{0, 2, SKE_EGEN}, true, 3, 0},
      {{3, 0, SKE_EGEN}, true, 3, 2},
      {{27, 0, SKE_EGEN}, true, 27, 0},
      // Without: every marked entry takes its own code.
      {{3, 2, SKE_AUTOSKEMA}, false, 39, 0},
      {{3, 0, SKE_MAERKE1 | SKE_EGEN}, false, 57, 0},
      {{27, 2, SKE_EGEN}, false, 27, 2},
      {{3, 0, 0}, false, 27, 0},
  };
  for (const FlytSag &s : sager) {
    SkeVindue v(SKE_AKTI);
    Liste(v, {s.foer});
    const bool aendret = SkiftFlytMarkering(v.get(), s.toggle);
    const std::string sag = std::to_string(s.foer.kode) + "/" + std::to_string(s.foer.flag) + "/" +
                            std::to_string(s.foer.status) + (s.toggle ? " toggle" : "");
    EXPECT_EQ(v.Indgang(1).FarveKode, s.kode) << sag;
    EXPECT_EQ(v.Indgang(1).Nul, s.flag) << sag;
    EXPECT_EQ(aendret, s.kode != s.foer.kode || s.flag != s.foer.flag) << sag;
  }
}

struct SkiftSag {
  Indgang foer;
  uint32_t flags;
  uint8_t kode;
  uint32_t status;  // of every row afterwards
  uint32_t taelles;
};

TEST_F(Markering, ApprovingAndLockingAutoSkemaEvents) {
  const SkiftSag sager[] = {
      {{3, 2, SKE_AUTOSKEMA}, 192, 0, 192, 1},
      {{3, 2, SKE_AUTOSKEMA}, 384, 57, 384, 0},
      {{3, 0, SKE_AUTOSKEMA | SKE_MAERKE1}, 128, 39, 128, 0},
      // Only marked events of the automatic schedule change.
      {{3, 2, SKE_EGEN}, 192, 3, SKE_EGEN, 0},
      {{27, 0, SKE_AUTOSKEMA}, 192, 27, SKE_AUTOSKEMA, 0},
  };
  for (const SkiftSag &s : sager) {
    SkeVindue v(SKE_AKTI);
    Liste(v, {s.foer});
    AendringsTaellere[AENDRING_NYE_BEGIVENHEDER] = 5;
    const uint32_t n = MarkerSkift(v.get(), s.flags);
    const std::string sag = std::to_string(s.foer.status) + " with " + std::to_string(s.flags);
    EXPECT_EQ(v.Indgang(1).FarveKode, s.kode) << sag;
    EXPECT_EQ(n, s.kode != s.foer.kode || s.status != s.foer.status ? 1u : 0u) << sag;
    if (n) {
      EXPECT_EQ(v.Indgang(1).Nul, 0) << sag;
    }
    const uint32_t f = v.Indgang(1).Forste;
    EXPECT_EQ(+Raekke(f)->Status, s.status) << sag;
    EXPECT_EQ(+Raekke(f + 1)->Status, s.status) << sag;
    EXPECT_EQ(AendringsTaellere[AENDRING_NYE_BEGIVENHEDER], 5 + s.taelles) << sag;
  }
}

TEST_F(Markering, DeletingMarkedEventsWithdrawsAPendingChangeAndKeepsTheEvent) {
  SkeVindue v(SKE_AKTI);
  Liste(v, {{3, 2, SKE_EGEN | SKE_AENDRING}, {3, 0, SKE_EGEN}, {0, 0, SKE_EGEN}});
  const uint32_t aendret = v.Indgang(1).Forste, slettet = v.Indgang(2).Forste, urørt = v.Indgang(3).Forste;
  Raekke(aendret)->Fejl = '=';
  AendringsTaellere[AENDRING_RETTEDE_BEGIVENHEDER] = 1;
  AendringsTaellere[AENDRING_NYE_BEGIVENHEDER] = 1;
  EXPECT_EQ(TaelMarkerede(v.get()), 2u);
  EXPECT_EQ(SletMarkerede(v.get()), 2u);
  EXPECT_EQ(TaelMarkerede(v.get()), 0u);
  EXPECT_EQ(v.Indgang(1).Nul, 0);
  EXPECT_EQ(+Raekke(aendret)->Status, uint32_t{SKE_EGEN});
  EXPECT_EQ(+Raekke(aendret)->Fejl, 0);
  EXPECT_EQ(+Raekke(slettet)->Status, 0u);
  EXPECT_EQ(+Raekke(slettet + 1)->Status, 0u);
  EXPECT_EQ(+Raekke(urørt)->Status, uint32_t{SKE_EGEN});
  EXPECT_EQ(AendringsTaellere[AENDRING_RETTEDE_BEGIVENHEDER], 0u);
  EXPECT_EQ(AendringsTaellere[AENDRING_NYE_BEGIVENHEDER], 0u);
}

// One cell of the block tables before and after.
struct CelleSag {
  uint8_t blok, pot;
  uint8_t blokEfter, potEfter;
};

TEST_F(Markering, FinishingAChoiceOfCells) {
  struct Sag {
    const char *navn;
    int mode;
    char tilstand;
    std::vector<CelleSag> celler;
  } sager[] = {
      {"mode 1 reverses the drag", 1, 'V', {{8 | 2, 0, 0, 0}, {2, 0, 8, 0}, {8, 0, 8 | 2, 0}, {0, 0, 0, 0}}},
      {"mode 1 in R", 1, 'R', {{2, 0, 8, 8}, {8 | 2, 8, 0, 8}}},
      {"other modes clear", 0, 'V', {{8, 8, 0, 0}, {2, 0, 0, 0}, {8 | 2, 0, 0, 0}}},
      {"R moves the choice", 0, 'R', {{8, 0, 0, 8}, {8 | 2, 0, 2, 8}, {0, 8, 0, 8}}},
  };
  for (const Sag &s : sager) {
    SkeVindue v(SKE_AKTI, 'L', false);
    v->Tilstand = s.tilstand;
    AllokerBlokke(v.get());
    ASSERT_GT(v->BlokUger, SkemaPeriode.AntalUger);
    for (size_t i = 0; i < s.celler.size(); ++i) {
      *BlokCelle(v->BlokTab, v->BlokUger, 3, 2, static_cast<uint32_t>(i + 1)) = s.celler[i].blok;
      *BlokCelle(v->PotTab, v->BlokUger, 3, 2, static_cast<uint32_t>(i + 1)) = s.celler[i].pot;
    }
    v->TraekTaellere[0] = 4;
    AfslutCelleValg(v.get(), s.mode);
    EXPECT_EQ(v->TraekTaellere[0], 0u) << s.navn;
    for (size_t i = 0; i < s.celler.size(); ++i) {
      EXPECT_EQ(*BlokCelle(v->BlokTab, v->BlokUger, 3, 2, static_cast<uint32_t>(i + 1)), s.celler[i].blokEfter)
          << s.navn << " cell " << i;
      EXPECT_EQ(*BlokCelle(v->PotTab, v->BlokUger, 3, 2, static_cast<uint32_t>(i + 1)), s.celler[i].potEfter)
          << s.navn << " cell " << i;
    }
  }
  // The entries take part: the other modes unmark, mode 1 toggles.
  SkeVindue v(SKE_AKTI, 'L', false);
  Liste(v, {{3, 0, SKE_EGEN}, {3, 2, SKE_EGEN}});
  AfslutCelleValg(v.get(), 1);
  EXPECT_EQ(v.Indgang(1).Nul, 2);
  EXPECT_EQ(v.Indgang(2).FarveKode, 27);
  AfslutCelleValg(v.get(), 0);
  EXPECT_EQ(v.Indgang(1).FarveKode, 27);
}

TEST_F(Markering, MarksCarryOverExceptWhereACellHasATimeColour) {
  const uint32_t ring = Ringesystem({});
  const uint32_t a = SkrivRaekker({{.akti = akti[0]}}, {.risy = ring, .dag = 2, .lektion = 1, .start = 800, .slut = 845});
  const uint32_t b = SkrivRaekker({{.akti = akti[1]}}, {.risy = ring, .dag = 3, .lektion = 2, .start = 855, .slut = 940});
  SkeVindue fra(SKE_AKTI), til(SKE_LOKA);
  for (SkeVindue *w : {&fra, &til}) {
    SaetSkeObjektArt(w->get(), SKE_AKTI);
    (*w)->RingSystem = ring;
    ByggeSkeVisListeUge(w->get(), 202400 + kUge);
    ASSERT_EQ(+(*w)->SkeVisAntal, 2u);
  }
  for (uint32_t i = 1; i <= 2; ++i) {
    fra->lpSkeVisListe[i].FarveKode = fra->lpSkeVisListe[i].Forste == a ? 3 : 27;
    fra->lpSkeVisListe[i].Nul = 2;
  }
  // A busy colour under event b's lesson in the target.
  til->FarveTimeRaekker = tvakti.wRecCnt + 1;
  til->FarveTimeBredde = 7 * (kLektionerPrDag + 1);
  til->FarveTimeTab = static_cast<uint8_t *>(calloc(til->FarveTimeRaekker, til->FarveTimeBredde));
  *BaggrundCelle(til.get(), til->FarveTimeTab, akti[1], 3, 2) = BAGGRUND_ANFO;
  *BaggrundCelle(til.get(), til->FarveTimeTab, akti[0], 2, 1) = FARVE_FUNDET;
  SaetSkeObjektArt(til.get(), SKE_LOKA);
  OverfoerMarkeringer(fra.get(), til.get());
  for (uint32_t i = 1; i <= 2; ++i) {
    const SkeVisListe &e = til.Indgang(i);
    if (e.Forste == a) {
      EXPECT_EQ(e.FarveKode, 3);
      EXPECT_EQ(e.Nul, 2);
    } else {
      EXPECT_EQ(+e.Forste, b);
      EXPECT_EQ(e.FarveKode, 0) << "a busy cell keeps the mark out";
    }
  }
  EXPECT_EQ(til->ObjektArt, SKE_AKTI);
}

// ---- Choosing cells with the mouse.

class CelleValg : public SkemaVindueTest {
 protected:
  // The panes that relay the mouse to the window.
  void SetUp() override {
    SkemaVindueTest::SetUp();
    WNDCLASSA wc{};
    wc.style = CS_OWNDC | CS_DBLCLKS;
    wc.lpfnWndProc = DummyWndProc;
    wc.lpszClassName = "DummyWndClass";
    RegisterClassA(&wc);
  }
  // The middle of a cell of the window's grid, in screen points.
  static POINT Punkt(SkeStruct *ske, uint32_t kol, uint32_t raekke) {
    Ens &e = ske->Ens;
    const int x = static_cast<int>((GridCelleStart(&e.AkseX, kol) + GridCelleSlut(&e.AkseX, kol)) / 2 - e.ScrollX);
    const int y =
        static_cast<int>((GridCelleStart(&e.AkseY, raekke) + GridCelleSlut(&e.AkseY, raekke)) / 2 - e.ScrollY);
    return tavo::test::ScreenPoint(e.hwndCeller, x, y);
  }
  static void Traek(SkeStruct *ske, uint32_t raekke, uint32_t fra, uint32_t til) {
    const POINT a = Punkt(ske, fra, raekke), b = Punkt(ske, til, raekke);
    tavo::test::Drag(a.x, a.y, b.x, b.y, 60);
    tavo::test::PumpUntilIdle();
  }
  static uint8_t Blok(SkeStruct *ske, UgeIndeks uge, uint8_t dag, uint32_t slot) {
    const uint8_t *b = BlokCelle(ske->BlokTab, ske->BlokUger, uge, dag, slot);
    return b ? *b : 0xFF;
  }
};

TEST_F(CelleValg, ADragChoosesTheFreeCellsAndASecondDragUnchoosesThem) {
  HWND w = Aabn(SKE_AKTI, 'V', 0);
  ShowWindow(w, SW_SHOW);
  SkeStruct *ske = SkemaVinduesSke(w);
  ASSERT_TRUE(ske->Ens.Aktiv);
  ASSERT_TRUE(ske->FarveTimeTab);
  const uint32_t raekke = ske->ObjPos.Aktuel;
  const UgeIndeks uge = SkeAktuelUgeIndeks(ske);
  // Monday's third lesson is busy, its fourth only shaded; Tuesday is
  // outside the period.
  *BaggrundCelle(ske, ske->FarveTimeTab, uge, 1, 3) = BAGGRUND_ANFO;
  *BaggrundCelle(ske, ske->FarveTimeTab, uge, 1, 4) = 58;
  ske->FarveDagTab[uge * 7 + 1] = DAGFARVE_UDENFOR;
  // Monday's eight lessons and Tuesday's first two.
  Traek(ske, raekke, 1, 10);
  const std::vector<uint8_t> valgt = {1, 1, 0, 1, 1, 1, 1, 1};
  for (uint32_t s = 1; s <= 8; ++s) EXPECT_EQ(Blok(ske, uge, 1, s) & BLOK_VALGT, valgt[s - 1] ? 8 : 0) << s;
  for (uint32_t s = 1; s <= 2; ++s) EXPECT_EQ(Blok(ske, uge, 2, s), 0) << "Tuesday " << s;
  EXPECT_TRUE(CelleValgt(ske->BlokTab, ske->BlokUger, ske->Vis));
  EXPECT_EQ(ske->TraekTaellere[0], 0u) << "the drag ended";
  EXPECT_EQ(ForsteValgte(ske->BlokTab, ske->BlokUger, uge, 1, 6, 48), 4u);
  EXPECT_EQ(ForsteValgte(ske->BlokTab, ske->BlokUger, uge, 1, 6, 2), 5u) << "at most count - 1 steps back";
  EXPECT_EQ(SidsteValgte(ske->BlokTab, ske->BlokUger, uge, 1, 5), 8u);
  EXPECT_EQ(ForsteValgte(ske->BlokTab, ske->BlokUger, uge, 1, 3, 48), 0u);
  EXPECT_EQ(SidsteValgte(ske->BlokTab, ske->BlokUger, SkemaPeriode.AntalUger + 1, 1, 5), 0u);
  // Starting on a chosen cell un-chooses.
  Traek(ske, raekke, 5, 7);
  for (uint32_t s = 1; s <= 8; ++s)
    EXPECT_EQ(Blok(ske, uge, 1, s) & BLOK_VALGT, valgt[s - 1] && (s < 5 || s > 7) ? 8 : 0) << s;
  EXPECT_TRUE(RydCeller(ske, false));
  EXPECT_TRUE(IngenCelleValgt(ske->BlokTab, ske->BlokUger, ske->Vis));
  EXPECT_FALSE(RydCeller(ske, true));
}

}  // namespace
