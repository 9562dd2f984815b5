// The user's road from F5 to the saved schedule file, in the running
// program on a small school: F5 opens the activities of one week, the
// arrows go to an activity and a lesson, Enter opens the entry window, a
// teacher and a room are chosen, the lesson is marked on the entry window's
// own schedule, Alt+O and Enter save the event and "Gem data" writes the
// files. The schedule file then holds the event, and after a fresh start
// the week schedule shows its tile in the cell it was placed in.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "BRIKINDVIN.h"
#include "DATO.h"
#include "KATALOG.h"
#include "OPTAGET.h"
#include "RECPRED.h"
#include "SKEMA.h"
#include "SKEMAVIN.h"
#include "VINDUER.h"
#include "opstart_support.h"
#include "skemabeg_fil.h"
#include "tavo/test_user.h"

namespace opstarttest {
namespace {

class IndtastningProgram : public OpstartTest {
 protected:
  static void Tast(UINT vk, int mods = 0) {
    tavo::test::PressKey(vk, mods);
    tavo::test::PumpUntilIdle();
  }
  // F5 in the main window, then Down, Right, Right: the week schedule of
  // all activities at the second lesson of the first day, third activity.
  static SkeStruct *UgeskemaVedCellen() {
    SetForegroundWindow(hwndHoved);
    SetFocus(hwndHoved);
    tavo::test::PumpUntilIdle();
    Tast(VK_F5);
    SkeStruct *ske = SkemaVinduesSke(FindVindueType(40001));
    if (!ske) return nullptr;
    for (UINT vk : {VK_DOWN, VK_RIGHT, VK_RIGHT}) Tast(vk);
    return ske;
  }
  // The event whose tile the current cell of a schedule window shows: its
  // first row in the week's rows, 0 for none.
  static uint32_t BegivenhedICellen(SkeStruct *ske) {
    const uint32_t kolonne = ske->Ens.StyrX->Aktuel, raekke = ske->Ens.StyrY->Aktuel;
    const uint32_t i = FindBegivenhedICelle(ske, kolonne, raekke, nullptr);
    return i && i <= ske->SkeVisAntal ? ske->lpSkeVisListe[i].Forste : 0;
  }
  // The record of a role table with the id the school's ini\Roller.ini
  // proposes under the key.
  uint32_t ForeslaaetRolle(const char *noegle, TabVar &tv, size_t recSize) {
    char tekst[32] = "";
    GetPrivateProfileStringA("Default Roller", noegle, "", tekst, sizeof tekst,
                             (Data() / "ini" / "Roller.ini").c_str());
    const uint32_t id = static_cast<uint32_t>(std::strtoul(tekst, nullptr, 10));
    for (uint32_t r = 1; id && r < tv.wRecCnt; ++r) {
      uint32_t recId;
      std::memcpy(&recId, tv.pbTab + r * recSize, sizeof recId);
      if (recId == id) return r;
    }
    return 0;
  }
};

TEST_F(IndtastningProgram, AnEventEnteredFromF5IsSavedAndShownAfterAFreshStart) {
  // The field layouts the program ships, as a new data folder gets them.
  fs::copy_file(TAVO_BINARY_DIR "/ini/TavoSwt.ini", Data() / "ini" / "TavoSwt.ini",
                fs::copy_options::overwrite_existing);
  ASSERT_EQ(Start(), kOpstartFortsaet);
  // Only "Gem data" writes the files in this run.
  GlobalIndstillinger.autogem = 0;
  const uint32_t rolle = ForeslaaetRolle("anfo", tvskemarol, sizeof(SkemarolRec));
  const uint32_t lokrolle = ForeslaaetRolle("loka", tvlokrolle, sizeof(LokrolleRec));
  ASSERT_NE(rolle, 0u) << "the school proposes no teacher's role";
  ASSERT_NE(lokrolle, 0u) << "the school proposes no room role";
  EXPECT_EQ(ForeslaaetRolle("xanfo", tvskemarol, sizeof(SkemarolRec)), rolle);

  SkeStruct *ske = UgeskemaVedCellen();
  ASSERT_NE(ske, nullptr) << "F5 opened no week schedule";
  const uint32_t aktiviteter = ske->Ens.ObjTabAntal;  // the frame's head is packed
  ASSERT_GT(aktiviteter, 3u) << "the week schedule misses the school's activities";
  const uint32_t akti = SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel);
  ASSERT_NE(akti, 0u);
  const uint32_t foer = BegivenhedICellen(ske);
  const Uge uge = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);

  Tast(VK_RETURN);
  HWND ind = FindWindowA(kBrikIndKlasse, nullptr);
  ASSERT_NE(ind, 0u) << "Enter opened no entry window: " << ::testing::PrintToString(Bokse());
  BrikIndStruct *b = BrikIndWS(ind);
  ASSERT_NE(b, nullptr);
  // The teacher and the room: the first row of each list, gone to with
  // Down and chosen with Space; the record chosen, 0 when none.
  const auto Vaelg = [&](char alt, int liste) -> uint32_t {
    Tast(alt, tavo::test::ModAlt);
    EXPECT_EQ(b->AktuelListe, liste);
    Tast(VK_DOWN);
    const DifValg &v = b->Valg[liste];
    const uint32_t valgt = v.Aktuel >= 1 ? v.ObjTab[v.Aktuel] : 0;
    Tast(VK_SPACE);
    return valgt;
  };
  const uint32_t anfo = Vaelg('M', FOCUS_ANFO);
  ASSERT_NE(anfo, 0u);
  const uint32_t loka = Vaelg('L', FOCUS_LOKA);
  ASSERT_NE(loka, 0u);
  // The block: the lesson the event was placed from, on the entry window's
  // schedule of the activity.
  Tast('E', tavo::test::ModAlt);
  Tast(VK_SPACE);
  Tast('O', tavo::test::ModAlt);
  Tast(VK_RETURN);
  EXPECT_FALSE(IsWindow(ind)) << "the entry window stayed open: " << ::testing::PrintToString(Bokse());
  EXPECT_TRUE(Bokse().empty()) << ::testing::PrintToString(Bokse());

  // "S&ystem", "&Gem data": both keys queued, as the menu's loop takes the
  // second.
  const fs::path fil = Data() / "data" / "skemabeg.dat";
  const size_t raekkerFoer = LaesSkemabegFil(fil.string()).size();
  SetFocus(hwndHoved);
  tavo::test::PressKey('Y', tavo::test::ModAlt);
  Tast('G');

  // The file holds the event's rows: the activity, the teacher in the
  // proposed role and the room, on the first day's second lesson of the
  // week it was placed in, at that lesson's times.
  std::vector<SkemabegFilRaekke> ugensRaekker;
  for (const SkemabegFilRaekke &r : LaesSkemabegFil(fil.string()))
    if (r.uge == uge) ugensRaekker.push_back(r);
  uint32_t forste = 0;
  for (const SkemabegFilRaekke &r : ugensRaekker)
    if (r.rec.Forste == r.nr && r.nr != foer && r.rec.akti_id == akti && r.rec.Dag == 1 && r.rec.Lektion == 2 &&
        (r.rec.Status & 64))
      forste = r.nr;
  ASSERT_NE(forste, 0u) << "no new event in the file (" << raekkerFoer << " rows before)";
  std::vector<SkeRec> raekker;
  for (const SkemabegFilRaekke &r : ugensRaekker)
    if (r.rec.Forste == forste && r.rec.Status) raekker.push_back(r.rec);
  bool laerer = false, lokale = false;
  for (const SkeRec &r : raekker) {
    laerer |= r.anfo_id == anfo && r.skemarol_id == rolle;
    lokale |= r.loka_id == loka && r.lokrolle_id == lokrolle;
  }
  EXPECT_TRUE(laerer) << "the teacher is not in the file in the proposed role";
  EXPECT_TRUE(lokale) << "the room is not in the file in the proposed role";
  const RisyRec *ring = TabRec<RisyRec>(tvrisy, raekker[0].risy_id);
  ASSERT_NE(ring, nullptr);
  const uint32_t start = ring->Starttid[1], slut = ring->Sluttid[1];  // packed record
  const uint32_t fra = raekker[0].Starttid, til = raekker[0].Sluttid;
  EXPECT_EQ(fra, start);
  EXPECT_EQ(til, slut);

  // A fresh start from the files: the week schedule shows the tile where
  // the event was placed.
  GlobalIndstillinger.autogem = 1;
  ASSERT_EQ(Luk(), 0);
  ASSERT_EQ(Start(), kOpstartFortsaet);
  ske = UgeskemaVedCellen();
  ASSERT_NE(ske, nullptr);
  EXPECT_EQ(SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel), akti);
  EXPECT_EQ(BegivenhedICellen(ske), forste);
  EXPECT_EQ(Luk(), 0);
}

}  // namespace
}  // namespace opstarttest
