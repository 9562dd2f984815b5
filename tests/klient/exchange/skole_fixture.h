// A data folder of its own for each test with empty tables and buckets, the
// period August 2024 to July 2025 and installation 7; helpers to put records
// and rows in place and to read the section fixtures.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "DATO.h"
#include "import_fixture.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"

namespace skoletest {

namespace fs = std::filesystem;

constexpr uint8_t kEgen = 7, kAnden = 9;

using importtest::Frigiv;

inline void TomAlt() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) Frigiv(e->pTabVar);
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
}

// A copy of the record appended at the end of its table; its number.
template <class R>
uint32_t Ny(const TabDesc &td, TabVar &tv, const R &rec) {
  static_assert(sizeof(R) > 0);
  EXPECT_EQ(sizeof rec, size_t(td.RecSize)) << td.Navn;
  tv.FoersteLedige = tv.wRecCnt;
  const uint32_t n = NewRec(&td, &tv);
  EXPECT_NE(n, 0u);
  memcpy(GetRec(&td, &tv, n), &rec, sizeof rec);
  tv.fSorter = 1;
  return n;
}

template <class R>
R Laes(const TabDesc &td, const TabVar &tv, uint32_t n) {
  R r{};
  const uint8_t *p = GetRec(&td, &tv, n);
  EXPECT_NE(p, nullptr) << td.Navn << " record " << n;
  if (p) memcpy(&r, p, sizeof r);
  return r;
}

template <size_t N>
void Tekst(char (&felt)[N], const char *s) {
  memset(felt, 0, N);
  strncpy(felt, s, N - 1);
}

// A new row behind the last one of a bucket; its number (0 without a bucket).
inline uint32_t NyRaekke(const TabDesc &td, TabVar *b) {
  EXPECT_NE(b, nullptr);
  if (b == nullptr) return 0;
  b->FoersteLedige = b->wRecCnt;
  return NewRec(&td, b);
}

// An event row appended to the bucket of its week.
inline uint32_t SkeRaekke(Uge uge, uint32_t status, uint8_t ejer, uint32_t risy = 0) {
  TabVar *b = SkemabegBucket(uge);
  const uint32_t n = NyRaekke(tdske, b);
  if (n == 0) return 0;
  SkeRec s{};
  s.id = n;
  s.Status = status;
  s.Ejer = ejer;
  s.risy_id = risy;
  s.Forste = n;
  memcpy(GetRec(&tdske, b, n), &s, sizeof s);
  return n;
}

inline SkeRec Ske(Uge uge, uint32_t n) {
  SkeRec s{};
  memcpy(&s, GetRec(&tdske, SkemabegBucket(uge), n), sizeof s);
  return s;
}

// A time row appended to the bucket of its month.
inline uint32_t TimRaekke(uint32_t dato, uint8_t status, uint8_t ejer, uint32_t akti = 0, uint32_t anfo = 0,
                          int32_t timer = 0) {
  TabVar *b = TimoakBucket(dato / 100);
  const uint32_t n = NyRaekke(tdtimoak, b);
  if (n == 0) return 0;
  TimoakRaekke t{};
  t.id = n;
  t.Status = status;
  t.Ejer = ejer;
  t.akti_id = akti;
  t.anfo_id = anfo;
  t.Dato = dato;
  t.Timer = timer;
  t.Type = 'A';
  memcpy(GetRec(&tdtimoak, b, n), &t, sizeof t);
  return n;
}

inline TimoakRaekke Tim(uint32_t dato, uint32_t n) {
  TimoakRaekke t{};
  memcpy(&t, GetRec(&tdtimoak, TimoakBucket(dato / 100), n), sizeof t);
  return t;
}

class Skole : public ::testing::Test {
 protected:
  fs::path rod;

  void SetUp() override {
    std::string skabelon = (fs::temp_directory_path() / "skoleXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    fs::create_directories(rod / "data");
    fs::create_directories(rod / "ini");
    fs::create_directories(rod / "log");
    const std::string d = DataMappeNavn(rod);
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", d.c_str());
    snprintf(StiTab.szini, sizeof StiTab.szini, "%sini\\tavo.ini", d.c_str());
    TomAlt();
    SetInitTabFn(InitTab);
    InitPeriode(20240801, 20250731, 20240801);
    GlobalIndstillinger.insnr = kEgen;
  }

  void TearDown() override {
    GlobalIndstillinger.insnr = 0;
    GlobalIndstillinger.standardRingSystem = 0;
    TomAlt();
    std::error_code ec;
    fs::permissions(rod, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(rod, ec);
  }

  // An activity with its activity-type code (through loty, and through eakt
  // when eaktKode is given); no code leaves loty_id 0.
  uint32_t Akti(uint32_t id, const char *kode = nullptr, const char *eaktKode = nullptr,
                uint32_t fra = 20240801, uint32_t til = 20250731) {
    AktiRec a{};
    a.id = id;
    a.Status = 10;
    a.Fradato = fra;
    a.Tildato = til;
    Tekst(a.Aktivitet, ("A" + std::to_string(id)).c_str());
    if (kode) {
      LotyRec l{};
      l.id = tvloty.wRecCnt + 1;
      l.Status = 10;
      Tekst(l.Aktivitetstype, kode);
      if (eaktKode) {
        EaktRec e{};
        e.id = tveakt.wRecCnt + 1;
        e.Status = 10;
        Tekst(e.Aktivitetstype, eaktKode);
        l.eakt_id = Ny(tdeakt, tveakt, e);
      }
      a.loty_id = Ny(tdloty, tvloty, l);
    }
    return Ny(tdakti, tvakti, a);
  }

  uint32_t Anfo(uint32_t id, uint32_t fra = 20240801, uint32_t til = 20250731) {
    AnfoRec f{};
    f.id = id;
    f.Status = 10;
    f.Fradato = fra;
    f.Tildato = til;
    return Ny(tdanfo, tvanfo, f);
  }

  // A fixture file of tests/fixtures/exchange opened for reading, positioned
  // behind its first line (the section header), which is left in linje.
  FILE *Sektion(const char *navn, char *linje) {
    const std::string sti = std::string(TAVO_FIXTURES) + "/exchange/" + navn;
    FILE *f = ::fopen(sti.c_str(), "rb");
    EXPECT_NE(f, nullptr) << sti;
    if (f && fgets(linje, 2560, f) == nullptr) linje[0] = 0;
    return f;
  }

  std::string LaesFil(const fs::path &p) const {
    std::ifstream i(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
};

}  // namespace skoletest
