// Copy and paste by keys in an activity week window: the events of a day
// copied and pasted on another activity, a copied cell refused on a busy
// room, the summary of a paste that cannot place everything, the refusals
// of the paste check, and the report of events that collide with each other.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "KOPIBEG.h"
#include "ROLLEFORSLAG.h"
#include "SKOLEDATA.h"
#include "SKETEGN.h"
#include "skole_fixture.h"

namespace {

using namespace sketest;
using tavo::test::ShownDialog;

constexpr int S = tavo::test::ModShift, C = tavo::test::ModCtrl, A = tavo::test::ModAlt;

class KopiIndsaet : public SkoleVindue {
 protected:
  void SetUp() override {
    SkoleVindue::SetUp();
    LokrolleRec l{};
    l.id = 800;
    l.Status = 10;
    l.Check_sammenfald = 'J';
    lokOptager = Ny(tdlokrolle, tvlokrolle, l);
  }
  void Nulstil() {
    Hoerte().clear();
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
  // An event of one row on Tuesday's lesson.
  uint32_t Lektion(uint8_t lektion, Deltager d, uint8_t dag = 2) {
    const Klokkeslaet start[] = {0, 800, 855, 950};
    return SkrivRaekker({d}, {.risy = ring, .dag = dag, .lektion = lektion, .start = start[lektion],
                              .slut = LaegMinutterTil(start[lektion], 45)});
  }
  std::vector<std::string> Tekster() const {
    std::vector<std::string> ud;
    for (const auto &m : tavo::test::MessageBoxesShown()) ud.push_back(m.caption + ": " + m.text);
    return ud;
  }
  // The live events of an activity as (day, start, rooms).
  std::vector<std::tuple<uint8_t, uint32_t, size_t>> Af(uint32_t a) const {
    std::vector<std::tuple<uint8_t, uint32_t, size_t>> ud;
    for (const Begiv &b : Levende())
      if (b.akti == std::vector<uint32_t>{a}) {
        size_t lokaler = 0;
        for (uint32_t r = b.forste; Raekke(r) && Raekke(r)->Forste == b.forste; ++r) lokaler += Raekke(r)->loka_id != 0;
        ud.push_back({b.dag, b.start, lokaler});
      }
    return ud;
  }
  uint32_t lokOptager = 0;
};

TEST_F(KopiIndsaet, ADayCopiedWithCtrlPlusIsPastedOnAnotherActivity) {
  Lektion(1, {.akti = akti[0]});
  HWND w = Vindue(SKE_AKTI, akti[0]);
  SkeStruct *ske = SkemaVinduesSke(w);
  Tast(w, VK_ADD, C);
  ASSERT_EQ(HuskUgeAVSAntal, 1u);
  const uint32_t raekke = +ske->ObjPos.Aktuel;
  Tast(w, VK_DOWN, 0);
  ASSERT_EQ(SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel), akti[1]);
  Nulstil();
  Tast(w, VK_INSERT, C);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  using T = std::tuple<uint8_t, uint32_t, size_t>;
  EXPECT_EQ(Af(akti[1]), std::vector<T>{T(2, 800, 0)});
  EXPECT_FALSE(HoertAf(hoved_, HOVED_DATA_AENDRET).empty());
  // The window shows it and the cursor stepped on.
  EXPECT_EQ(ske->SkeVisAntal, 2u);
  IndgangsOptager o;
  OpdaterCeller(ske, &o, SKE_TEGN_ALT, 100000);
  bool tegnet = false;
  for (uint32_t i : o.indgange) tegnet |= VisFoersteRaekke(ske->lpSkeVisListe[i])->akti_id == akti[1];
  EXPECT_TRUE(tegnet);
  EXPECT_EQ(+ske->ObjPos.Aktuel, raekke + 2);
}

TEST_F(KopiIndsaet, ACopiedCellIsRefusedOnABusyRoom) {
  Lektion(1, {.akti = akti[0], .loka = loka[0], .lokrolle = lokOptager});
  Lektion(2, {.akti = akti[2], .loka = loka[0], .lokrolle = lokOptager});
  HWND w = Vindue(SKE_AKTI, akti[0]);
  Tast(w, VK_ADD, 0);
  ASSERT_EQ(+KopiCelleAVS.lokaAntal, 1u);
  Tast(w, VK_RIGHT, 0);
  const size_t foer = Levende().size();
  Nulstil();
  Tast(w, VK_INSERT, 0);
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Indsættelse: Lokalet er optaget"});
  EXPECT_EQ(Levende().size(), foer);
  // A free lesson takes it.
  Tast(w, VK_RIGHT, 0);
  Nulstil();
  Tast(w, VK_INSERT, 0);
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(Levende().size(), foer + 1);
}

TEST_F(KopiIndsaet, ThePasteSummaryCountsTheBusyAndDropsTheBusyRooms) {
  Lektion(1, {.akti = akti[0]});
  Lektion(2, {.akti = akti[0]});
  Lektion(3, {.akti = akti[0], .loka = loka[0], .lokrolle = lokOptager});
  Lektion(2, {.akti = akti[1]});  // the target's second lesson is taken
  HWND w = Vindue(SKE_AKTI, akti[0]);
  Tast(w, VK_ADD, C);
  ASSERT_EQ(HuskUgeAVSAntal, 3u);
  Tast(w, VK_DOWN, 0);
  Nulstil();
  std::string spurgt;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    spurgt = d.caption + ": " + d.text;
    return IDOK;
  });
  Tast(w, VK_INSERT, C);
  EXPECT_EQ(spurgt,
            "Indsæt begivenheder: Kun 1 af 3 kan indsættes.\nAntal hvor aktiviteten er optaget: 1.\nAntal hvor lokalet "
            "er optaget: 1.\n\nØnsker du at fortsætte ?\nSå indsættes de begivenheder uden fejl\nog dem, hvor "
            "medarbejder eller lokale fejlede,\nindsættes begivenhederne uden medarbejder og lokale!");
  EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
  using T = std::tuple<uint8_t, uint32_t, size_t>;
  EXPECT_EQ(Af(akti[1]), (std::vector<T>{T(2, 855, 0), T(2, 800, 0), T(2, 950, 0)}));
}

TEST_F(KopiIndsaet, TheRefusalsOfAPaste) {
  Lektion(1, {.akti = akti[0]});
  Lektion(1, {.akti = akti[1]});
  HWND w = Vindue(SKE_AKTI, akti[0]);
  SkeStruct *ske = SkemaVinduesSke(w);
  // Nothing copied.
  CleanupAVSListe();
  Nulstil();
  Tast(w, VK_INSERT, C);
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Indsæt begivenheder: Ingen begivenheder at indsætte. Kopier først."});
  // None of them: the target activity is busy in that lesson. (Every paste
  // steps the cursor on.)
  Tast(w, VK_UP, 0);
  Tast(w, VK_ADD, C);
  Tast(w, VK_DOWN, 0);
  Nulstil();
  Tast(w, VK_INSERT, C);
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Indsæt begivenheder: Ingen af de 1 kunne indsættes"});
  // Outside the shown lessons: asked, and Cancel writes nothing.
  Tast(w, VK_DOWN, 0);
  Tast(w, VK_NEXT, C);
  ASSERT_EQ(+ske->Vis.FoersteSlot, 2u);
  const size_t foer = Levende().size();
  Nulstil();
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return IDCANCEL; });
  Tast(w, VK_INSERT, C);
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Indsæt begivenheder: Nogle af begivenhederne kan ikke indsættes. De "
                                                "ligger uden for de viste lektioner og dage. Fortsæt ?"});
  EXPECT_EQ(Levende().size(), foer);
  // SuperTavo and locked schedules.
  for (int i = 0; i < 2; ++i) {
    GlobalIndstillinger.supertavo = i == 0;
    GlobalIndstillinger.skemalaast = i == 1;
    Nulstil();
    Tast(w, VK_INSERT, C);
    EXPECT_EQ(Tekster(), std::vector<std::string>{i == 0 ? "Sletning: Der kan ikke slettes skema i et SuperTavoSkema!"
                                                         : "Sletning: Der kan ikke slettes skema i et låst skema!"});
  }
}

TEST_F(KopiIndsaet, EventsThatCollideWithEachOtherAtTheTargetAreReported) {
  Lektion(1, {.akti = akti[0]}, 2);
  Lektion(1, {.akti = akti[0]}, 3);
  HWND w = Vindue(SKE_AKTI, akti[0]);
  Tast(w, VK_ADD, A);
  ASSERT_EQ(HuskUgeAVSAntal, 2u);
  Tast(w, VK_DOWN, 0);
  // Both on Thursday's first lesson of the next activity.
  for (int i = 0; i < 2 * 8; ++i) Tast(w, VK_RIGHT, 0);
  Nulstil();
  Tast(w, VK_INSERT, C);
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Indsæt begivenheder: Der blev kun indsat 1 af 2 begivenheder."});
  EXPECT_EQ(Af(akti[1]).size(), 1u);
}

TEST_F(KopiIndsaet, AnotherWindowOfTheSameObjectCopiesAndPastesAWeek) {
  Lektion(1, {.akti = akti[0]}, 2);
  Lektion(2, {.akti = akti[0]}, 4);
  HWND en = Aabn(SKE_AKTI, 'V', 0), to = Aabn(SKE_AKTI, 'V', 0), andet = Aabn(SKE_LOKA, 'V', 0);
  SkeStruct *ske = SkemaVinduesSke(to);
  ASSERT_EQ(SkeAktuelUgeIndeks(ske), UgeTilIndeks(202400 + kUge));
  // A window of another kind asks in vain.
  CleanupAVSListe();
  SendMessageA(to, KOPIER_UGE, 0, reinterpret_cast<LPARAM>(SkemaVinduesSke(andet)));
  EXPECT_EQ(HuskUgeAVSAntal, 0u);
  SendMessageA(to, KOPIER_UGE, 0, reinterpret_cast<LPARAM>(SkemaVinduesSke(en)));
  ASSERT_EQ(HuskUgeAVSAntal, 2u);
  Tast(to, VK_DOWN, 0);
  Nulstil();
  SendMessageA(to, INDSAET_UGE, 0, reinterpret_cast<LPARAM>(SkemaVinduesSke(en)));
  EXPECT_TRUE(Tekster().empty());
  std::vector<std::pair<uint8_t, uint8_t>> naeste;
  const TabVar *b = BegBucket(kAar, kUge + 1);
  for (uint32_t r = 1; b && r < b->wRecCnt; ++r)
    if (const SkeRec *x = Raekke(r, kAar, kUge + 1); x->Status) naeste.push_back({x->Dag, x->Lektion});
  EXPECT_EQ(naeste, (std::vector<std::pair<uint8_t, uint8_t>>{{2, 1}, {4, 2}}));
  EXPECT_FALSE(HoertAf(hoved_, HOVED_DATA_AENDRET).empty());
}

// ---- On the small school of tools/mkdata.

class SkoleKopi : public SkemaVindueTest {
 protected:
  void SetUp() override {
    SkemaVindueTest::SetUp();
    std::string skabelon = "/tmp/skolekopi_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    mappe = skabelon;
    SkoleStoerrelse st;
    ASSERT_TRUE(SkoleStoerrelseFraNavn("small", &st));
    std::string fejl;
    ASSERT_EQ(LavSkoleData(mappe.c_str(), st, 1, &fejl), 0) << fejl;
    // The made school has no role proposals; its first roles serve.
    for (auto &r : RolleForslagene) r = 1;
    SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(202634);
  }
  void TearDown() override {
    for (auto &r : RolleForslagene) r = 0;
    CleanupAVSListe();
    SkemaVindueTest::TearDown();
    std::filesystem::remove_all(mappe);
  }
  static uint32_t Raekke(const SkeStruct *ske, uint32_t akti) {
    for (uint32_t r = 1; r <= ske->ObjPos.Antal; ++r)
      if (SkeRaekkeObjekt(ske, r) == akti) return r;
    return 0;
  }
  std::filesystem::path mappe;
};

TEST_F(SkoleKopi, ADayCopiedAndPastedOnTheNextActivityAndDay) {
  HWND w = Aabn(SKE_AKTI, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  // The school's first activity event of the week: Tuesday's fifth lesson.
  const UgeIndeks u = SkemaPeriode.AktuelUgeIndeks;
  const uint8_t aarIdx = IndeksTilAarOffset(u), uge = static_cast<uint8_t>(IndeksTilUgeNr(u));
  const SkeRec *kilde = BegRaekke(aarIdx, uge, 5);
  ASSERT_TRUE(kilde);
  ASSERT_EQ(+kilde->Dag, 2);
  ASSERT_EQ(+kilde->Lektion, 5);
  const uint32_t fra = Raekke(ske, kilde->akti_id);
  ASSERT_GT(fra, 0u);
  ASSERT_LT(fra, +ske->ObjPos.Antal);
  const uint32_t prDag = ske->Vis.SidsteSlot - ske->Vis.FoersteSlot + 1;
  ske->ObjPos.Aktuel = fra;
  ske->TidPos.Aktuel = prDag + 5;
  tavo::test::StartDialogScript();
  TastInfo t{};
  t.message = WM_KEYDOWN;
  auto tast = [&](UINT vk, bool ctrl) {
    t.wParam = vk;
    t.ctrl = ctrl ? -1 : 0;
    SendMessageA(w, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  };
  tast(VK_ADD, true);
  ASSERT_GE(HuskUgeAVSAntal, 1u);
  tast(VK_DOWN, false);
  for (uint32_t i = 0; i < prDag; ++i) tast(VK_RIGHT, false);
  const uint32_t maal = SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel);
  // Busy employees or rooms are dropped if it comes to that.
  for (int i = 0; i < 3; ++i) tavo::test::AnswerNextDialog([](const ShownDialog &) { return IDOK; });
  tast(VK_INSERT, true);
  bool skrevet = false;
  const TabVar *b = BegBucket(aarIdx, uge);
  for (uint32_t r = 1; r < b->wRecCnt; ++r) {
    const SkeRec *s = BegRaekke(aarIdx, uge, r);
    skrevet |= s->Status && s->akti_id == maal && s->Dag == 3 && s->Lektion == 5;
  }
  EXPECT_TRUE(skrevet);
  IndgangsOptager o;
  OpdaterCeller(ske, &o, SKE_TEGN_ALT, 100000);
  bool tegnet = false;
  for (uint32_t i : o.indgange) {
    const SkeRec *s = VisFoersteRaekke(ske->lpSkeVisListe[i]);
    tegnet |= s && s->akti_id == maal && s->Dag == 3;
  }
  EXPECT_TRUE(tegnet);
}

}  // namespace
