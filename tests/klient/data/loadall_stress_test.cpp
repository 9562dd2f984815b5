// The background save against the main thread's edits: every data set it
// writes must load back as the data were when it started.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "SIDEFIL.h"
#include "loadall_fixture.h"

namespace loadall {
namespace {

// The bytes that a save writes of a table or bucket: its records up to the
// last one in use.
std::string Poster(const TabDesc *pTd, const TabVar *pTv) {
  if (!pTv->pbTab) return {};
  uint32_t n = pTv->wRecCnt;
  while (n >= 2 && RecStatus(pTd, pTv->pbTab + size_t(n - 1) * pTd->RecSize) == 0) --n;
  return std::string(reinterpret_cast<const char *>(pTv->pbTab), size_t(n) * pTd->RecSize);
}

struct Billede {
  std::vector<std::string> Tabeller;
  std::vector<std::string> Uger;
};

Billede Tag() {
  Billede b;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) b.Tabeller.push_back(Poster(e->pTabDesc, e->pTabVar));
  for (uint32_t i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    TabVar *pTv = SkemabegBucket(IndeksTilUge(i));
    b.Uger.push_back(pTv ? Poster(&tdske, pTv) : std::string());
  }
  return b;
}

// Loads the saved files beside the live tables and takes their image.
Billede LaesGemt() {
  std::vector<TabVar> levende(TabRegisterAntal);
  for (size_t i = 0; i < TabRegisterAntal; ++i) {
    levende[i] = *TabRegister[i].pTabVar;
    memset(TabRegister[i].pTabVar, 0, sizeof(TabVar));
  }
  std::vector<TabVar> uger(SkemabegUgeTab, SkemabegUgeTab + ANTAL_UGEBUCKETS);
  memset(SkemabegUgeTab, 0, sizeof SkemabegUgeTab);

  for (size_t i = 0; i < TabRegisterAntal; ++i)
    EXPECT_EQ(LoadTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar), 0) << TabRegister[i].Navn;
  EXPECT_EQ(LoadSkemabeg(), 0);
  Billede b = Tag();

  for (size_t i = 0; i < TabRegisterAntal; ++i) {
    TabVar *pTv = TabRegister[i].pTabVar;
    free(pTv->pbTab);
    free(pTv->pwSort);
    free(pTv->pfSave);
    *pTv = levende[i];
  }
  TomSkemabeg();
  std::copy(uger.begin(), uger.end(), SkemabegUgeTab);
  return b;
}

void Sammenlign(const Billede &forventet, const Billede &gemt, int runde) {
  ASSERT_EQ(forventet.Tabeller.size(), gemt.Tabeller.size());
  for (size_t i = 0; i < forventet.Tabeller.size(); ++i)
    EXPECT_TRUE(forventet.Tabeller[i] == gemt.Tabeller[i])
        << "round " << runde << " table " << TabRegister[i].Navn << ": "
        << forventet.Tabeller[i].size() << " bytes expected, " << gemt.Tabeller[i].size() << " saved";
  ASSERT_EQ(forventet.Uger.size(), gemt.Uger.size());
  for (size_t i = 0; i < forventet.Uger.size(); ++i)
    EXPECT_TRUE(forventet.Uger[i] == gemt.Uger[i]) << "round " << runde << " week index " << i + 1;
}

class Redigering {
 public:
  void Skridt() {
    switch (rnd() % 4) {
      case 0:
      case 1:
        aktier.push_back(NyAkti(naesteId++));
        break;
      case 2:
        if (!aktier.empty()) {
          size_t k = rnd() % aktier.size();
          DelRec(&tdakti, &tvakti, aktier[k]);
          aktier.erase(aktier.begin() + static_cast<long>(k));
        }
        break;
      case 3: {
        TabVar *b = SkemabegBucket(IndeksTilUge(1 + rnd() % SkemaPeriode.AntalUger));
        ASSERT_NE(b, nullptr);
        if (b->wRecCnt > 1 && rnd() % 3 == 0) {
          DelRec(&tdske, b, 1 + rnd() % (b->wRecCnt - 1));
          break;
        }
        // Several rows at once, so the bucket grows past its allocation.
        for (int n = 0; n < 40; ++n) {
          uint32_t r = NewRec(&tdske, b);
          ASSERT_NE(r, 0u);
          SkeRec *s = reinterpret_cast<SkeRec *>(GetRec(&tdske, b, r));
          s->id = naesteId++;
          s->Status = 0x40;
          s->akti_id = 1;
        }
        break;
      }
    }
  }

 private:
  std::mt19937 rnd{12345};
  uint32_t naesteId = 1000;
  std::vector<uint32_t> aktier;
};

TEST_F(HentGemMappe, BackgroundSavesWriteTheirSnapshotsWhileTheMainThreadEdits) {
  ASSERT_EQ(HentAlleData(0), 0);
  GemAlleData(0, 0);
  Redigering red;
  AutoGemBlok blok{};
  for (int runde = 0; runde < 10; ++runde) {
    for (int i = 0; i < 30; ++i) red.Skridt();
    DataAendret = 1;
    ++AendringsTaellere[runde % 8];
    const Billede forventet = Tag();
    HANDLE h = StartAutoGemAlleData(&blok);
    ASSERT_NE(h, 0u);
    int skridt = 0;
    while (WaitForSingleObject(h, 0) != WAIT_OBJECT_0 || skridt < 20) {
      red.Skridt();
      ++skridt;
    }
    CloseHandle(h);
    ASSERT_EQ(blok.Traad.load(), 0u);
    Sammenlign(forventet, LaesGemt(), runde);
    if (HasFailure()) return;
  }
  // Edits made during the last background save go out with the next save.
  GemAlleData(0, 0);
  Sammenlign(Tag(), LaesGemt(), -1);
}

}  // namespace
}  // namespace loadall
