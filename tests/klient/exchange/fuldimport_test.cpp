// A whole school through the import: the made-up medium school written as
// one full import file and read into an empty data store gives the same
// records, events and postings.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "../data/tom_datalager.h"
#include "AVSHJAELP.h"
#include "FINDREC.h"
#include "FULDIMPORT.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "ImpData.h"
#include "SIDEFIL.h"
#include "SKEBEG.h"
#include "SKOLEDATA.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"

namespace {

namespace fs = std::filesystem;

// Everything compared, each part as sorted lines that name records by key.
struct Skole {
  std::map<std::string, std::vector<std::string>> tabeller;
  std::vector<std::string> begivenheder, poster, udplatim, hontim, primotal;
};

std::string Noegle(const TabDesc &td, const TabVar &tv, uint32_t r) {
  if (r == 0 || r >= tv.wRecCnt) return "-";
  const uint8_t *p = GetRec(&td, &tv, r);
  if (td.FeltTab[0].Type == FT_TEKST) return reinterpret_cast<const char *>(p);
  uint32_t id;
  memcpy(&id, p, 4);
  return std::to_string(id);
}

template <class T>
std::string Liste(const T *p, uint32_t n, const std::function<std::string(T)> &f) {
  std::string s;
  for (uint32_t i = 0; i < n; ++i) s += f(p[i]) + ",";
  return s;
}

Skole Tag() {
  Skole s;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    if (!FuldImportTabel(e->Navn)) continue;
    auto &v = s.tabeller[e->Navn];
    for (uint32_t r = 1; r < e->pTabVar->wRecCnt; ++r) {
      const uint8_t *rec = GetRec(e->pTabDesc, e->pTabVar, r);
      const uint8_t st = rec[e->pTabDesc->FeltTab[e->pTabDesc->StatusFelt].Offset];
      // Pending versions count: ansk keeps them until its own clean-up.
      if (st != 0 && (st < 100 || st >= 200)) v.push_back(FuldImportLinje(e->pTabDesc, rec));
    }
    std::sort(v.begin(), v.end());
  }
  const auto akti = [](uint32_t r) { return Noegle(tdakti, tvakti, r); };
  const auto anfo = [](uint32_t r) { return Noegle(tdanfo, tvanfo, r); };
  const auto loka = [](uint32_t r) { return Noegle(tdloka, tvloka, r); };
  const auto rol = [](uint32_t r) { return Noegle(tdskemarol, tvskemarol, r); };
  const auto lokrol = [](uint32_t r) { return Noegle(tdlokrolle, tvlokrolle, r); };
  const auto tal = [](float f) { return std::to_string(f); };
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    const uint8_t aar = IndeksTilAarOffset(w), uge = static_cast<uint8_t>(IndeksTilUgeNr(w));
    TabVar *b = BegBucket(aar, uge);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec *f = BegRaekke(aar, uge, r);
      if (f->Forste != r || !(f->Status & 64) || (f->Status & 8)) continue;
      AVS a = {};
      CleanupAVS(&a);
      HentAVS(aar, uge, r, &a, true);
      std::string bem;
      if (a.bem_id) bem = reinterpret_cast<const BemRec *>(GetRec(&tdbem, &tvbem, a.bem_id))->Betegnelse;
      char hoved[256];
      snprintf(hoved, sizeof hoved, "%u/%u id %u ejer %u dag %u lek %u %u-%u std %g|", unsigned{aar}, unsigned{uge},
               a.id, unsigned{a.Ejer}, unsigned{a.Dag}, unsigned{a.Lektion}, a.Starttid, a.Sluttid,
               static_cast<double>(a.Antal_std_lektioner));
      s.begivenheder.push_back(std::string(hoved) + Noegle(tdskfa, tvskfa, a.skfa_id) + "|" +
                               Noegle(tdrisy, tvrisy, a.risy_id) + "|" + bem + "|" +
                               Liste<uint32_t>(a.aktiTab, a.aktiAntal, akti) + "|" +
                               Liste<uint32_t>(a.anfoTab, a.anfoAntal, anfo) + "|" +
                               Liste<uint32_t>(a.skemarolTab, a.anfoAntal, rol) + "|" +
                               Liste<float>(a.minutTab, a.anfoAntal, tal) + "|" +
                               Liste<uint32_t>(a.lokaTab, a.lokaAntal, loka) + "|" +
                               Liste<uint32_t>(a.lokrolleTab, a.lokaAntal, lokrol));
      CleanupAVS(&a);
    }
  }
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) {
    const Maaned m = IndeksTilMaaned(i);
    char l[200];
    if (TabVar *b = TimoakBucket(m))
      for (uint32_t r = 1; r < b->wRecCnt; ++r) {
        const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
        if (!(t->Status & 64) || (t->Status & 8)) continue;
        snprintf(l, sizeof l, "%u %u %c %u %d %u ", m, t->id, t->Type, t->Dato, t->Timer, unsigned{t->Ejer});
        s.poster.push_back(l + akti(t->akti_id) + " " + anfo(t->anfo_id));
      }
    if (TabVar *b = UdplatimBucket(m))
      for (uint32_t r = 1; r < b->wRecCnt; ++r) {
        const auto *u = reinterpret_cast<const UdplatimRaekke *>(GetRec(&tdudplatim, b, r));
        if (!u->Status) continue;
        snprintf(l, sizeof l, "%u %c %u %d ", m, u->Type, unsigned{u->mnddag}, u->Timer);
        s.udplatim.push_back(l + akti(u->akti_id) + " " + Noegle(tdplanakt, tvplanakt, u->planakt_id) + " " +
                             anfo(u->anfo_id) + " " + Noegle(tdskfa, tvskfa, u->skfa_id));
      }
    if (TabVar *b = HontimBucket(m))
      for (uint32_t r = 1; r < b->wRecCnt; ++r) {
        const auto *h = reinterpret_cast<const HontimRaekke *>(GetRec(&tdhontim, b, r));
        if (!h->Status) continue;
        snprintf(l, sizeof l, "%u %u %d ", m, h->Dato, h->Enheder);
        s.hontim.push_back(l + Noegle(tdhontity, tvhontity, h->hontity_id) + " " + anfo(h->anfo_id));
      }
  }
  for (uint32_t r = 1; r < tvprimotal.wRecCnt; ++r) {
    const auto *p = reinterpret_cast<const PrimotalRec *>(GetRec(&tdprimotal, &tvprimotal, r));
    if (!p->Status) continue;
    s.primotal.push_back(Noegle(tdhontity, tvhontity, p->hontity_id) + " " + anfo(p->anfo_id) + " " +
                         std::to_string(p->Dato) + " " + std::to_string(p->Enheder));
  }
  for (auto *v : {&s.begivenheder, &s.poster, &s.udplatim, &s.hontim, &s.primotal}) std::sort(v->begin(), v->end());
  return s;
}

// The first lines that differ, for a readable failure.
std::vector<std::string> Forskel(const std::vector<std::string> &a, const std::vector<std::string> &b) {
  std::vector<std::string> kun;
  std::set_symmetric_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(kun));
  if (kun.size() > 4) kun.resize(4);
  return kun;
}

class FuldImport : public ::testing::Test {
 protected:
  fs::path rod;
  void SetUp() override {
    std::string skabelon = (fs::temp_directory_path() / "fuldimportXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
  }
  void TearDown() override {
    storetest::TomAlleTabeller();
    std::error_code ec;
    fs::remove_all(rod, ec);
  }
};

TEST_F(FuldImport, TheMediumSchoolComesBackWhole) {
  SkoleStoerrelse st{};
  ASSERT_TRUE(SkoleStoerrelseFraNavn("medium", &st));
  std::string fejl;
  ASSERT_EQ(LavSkoleData((rod / "kilde").c_str(), st, 7, &fejl), 0) << fejl;
  const Skole kilde = Tag();
  const fs::path fil = rod / "imp.dat";
  ASSERT_EQ(SkrivFuldImport(fil.c_str(), &fejl), 0) << fejl;

  // An empty data folder: every table with only its record 0 and reserved
  // records, no buckets.
  fs::create_directories(rod / "tom");
  ASSERT_TRUE(SaetSkoleMappe((rod / "tom").c_str()));
  storetest::TomAlleTabeller();
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) ResetTab(e->pTabDesc, e->pTabVar, 1);
  GlobalIndstillinger.insnr = SKOLE_INSNR;
  FILE *f = fopen(fil.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  FILE *log = tmpfile();
  std::vector<char> linje(IMPORT_LINJE_LEN + 1);
  ImportStatus status{};
  ASSERT_EQ(LaesImportStatus(f, linje.data(), &status), 0);
  EXPECT_EQ(status.Art, 'G');
  EXPECT_EQ(LaesImportAfsnit(f, log, linje.data(), &status), 1);
  fclose(f);
  rewind(log);
  char fejlLinje[512];
  for (int n = 0; n < 8 && fgets(fejlLinje, sizeof fejlLinje, log); ++n) ADD_FAILURE() << "import log: " << fejlLinje;
  fclose(log);
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) SortTab(e->pTabDesc, e->pTabVar);
  const Skole igen = Tag();

  for (const auto &[navn, linjer] : kilde.tabeller) {
    SCOPED_TRACE(navn);
    EXPECT_EQ(Forskel(linjer, igen.tabeller.at(navn)), std::vector<std::string>{});
  }
  EXPECT_FALSE(kilde.begivenheder.empty());
  EXPECT_FALSE(kilde.poster.empty());
  EXPECT_EQ(Forskel(kilde.begivenheder, igen.begivenheder), std::vector<std::string>{});
  EXPECT_EQ(Forskel(kilde.poster, igen.poster), std::vector<std::string>{});
  EXPECT_EQ(Forskel(kilde.udplatim, igen.udplatim), std::vector<std::string>{});
  EXPECT_EQ(Forskel(kilde.hontim, igen.hontim), std::vector<std::string>{});
  EXPECT_EQ(Forskel(kilde.primotal, igen.primotal), std::vector<std::string>{});
}

}  // namespace
