// A data folder of its own for each test of load all and save all, and the
// helpers that make records, event rows and a byte image of the data set.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../data/store_fixture.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "TALTAB.h"

namespace loadall {

using storetest::DataMappe;

class HentGemMappe : public DataMappe {
 protected:
  void SetUp() override {
    DataMappe::SetUp();
    VenteDialogLukPause = 0;
    HentGemKrog = HentGemKroge{};
    HentGemKrog.DeleteLockFile = SletLaaseFil;
    for (auto &t : AendringsTaellere) t = 0;
    DataAendret = 0;
    std::filesystem::create_directories(rod / "ini");
    SkrivIni("[global]\r\n");
  }
  void TearDown() override {
    FreePlanTalTabeller();
    DataMappe::TearDown();
  }

  std::string IniFil(const std::string &navn) const { return (rod / "ini" / navn).string(); }
  std::string LogFil(const std::string &navn) const { return (rod / "log" / navn).string(); }
};

// An activity with its id and status 10; its record number.
inline uint32_t NyAkti(uint32_t id) {
  uint32_t r = NewRec(&tdakti, &tvakti);
  EXPECT_NE(r, 0u);
  AktiRec *a = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, r));
  a->id = id;
  a->Status = 10;
  tvakti.pfSave[r / tdakti.RecPrBlok] = 1;
  tvakti.fSorter = 1;
  return r;
}

inline std::string LaesTekst(const std::string &sti) {
  std::ifstream i(sti, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
}

inline void SkrivTekst(const std::string &sti, const std::string &tekst) {
  std::ofstream o(sti, std::ios::binary | std::ios::trunc);
  o << tekst;
}

}  // namespace loadall
