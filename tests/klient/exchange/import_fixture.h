// A data folder of its own for each test, empty registry tables, and a
// small table of every field kind the record-line parser knows.
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

#include "../datamappe.h"
#include "IMPORT.h"
#include "KATALOG.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "../data/tom_datalager.h"

namespace importtest {

namespace fs = std::filesystem;

inline void Frigiv(TabVar *pTv) { storetest::FrigivTabel(pTv); }

// Field numbers (1-based) of the test table.
enum {
  T_ID = 1, T_STATUS, T_NAVN, T_ANTAL, T_DATO, T_AKTIV, T_MEDA, T_MEDA2, T_MINUTTER,
  T_BELOEB, T_TID, T_GRUPPE, T_FRADATO, T_TAL, T_KODE, T_NEJ,
};

#pragma pack(push, 1)
struct TstRec {
  uint32_t id;
  uint8_t Status;
  char Navn[9];
  uint8_t Antal;
  uint32_t Dato;
  char Aktiv;
  uint32_t meda_id;
  uint32_t meda2_id;
  float Minutter;
  float Beloeb;
  uint32_t Tid;
  uint32_t Gruppe;
  uint32_t Fradato;
  uint32_t MinStartUge;
  uint32_t StartUge;
  uint8_t StartDag;
  uint32_t Tal[3];
  char Kode[5];
  char Nej;
};
#pragma pack(pop)
static_assert(sizeof(TstRec) == 75);

// Import order: id, Navn, Antal, Dato, Aktiv, meda_id, meda2_id, Minutter,
// Beloeb, Fradato, Tal, Kode (positions 0..11 on a line).
inline const TabDesc tdtst = {
    .Navn = "tst",
    .FeltTab = {
        {7, 4, 1, 0, 6, 0, 0, 1, 0, 0.0f, 0.0f, 0, "id"},
        {2, 1, 1, 17, 3, 0, 4, 0, 0, 0.0f, 0.0f, 0, "Status"},
        {12, 9, 1, 0, 8, 0, 5, 1, 0, 0.0f, 0.0f, 0, "Navn"},
        {2, 1, 1, 0, 2, 0, 14, 0, 0, 1.0f, 99.0f, 0, "Antal"},
        {7, 4, 1, 0, 8, 0, 15, 0, 0, 0.0f, 0.0f, 1, "Dato"},
        {3, 1, 1, 0, 1, 0, 19, 1, 0, 0.0f, 0.0f, 2, "Aktiv"},
        {7, 4, 1, 144, 6, 0, 20, 1, 0, 0.0f, 0.0f, 0, "meda_id"},
        {7, 4, 1, 144, 6, 0, 24, 2, 0, 0.0f, 0.0f, 0, "meda2_id"},
        {9, 4, 1, 21, 6, 2, 28, 0, 0, 0.0f, 0.0f, 0, "Minutter"},
        {9, 4, 1, 0, 6, 2, 32, 0, 0, 0.0f, 0.0f, 0, "Beloeb"},
        {7, 4, 1, 19, 10, 0, 36, 0, 0, 0.0f, 0.0f, 0, "Tid"},
        {7, 4, 1, 18, 1, 0, 40, 0, 0, 0.0f, 0.0f, 0, "Gruppe"},
        {7, 4, 1, 1, 8, 0, 44, 0, 0, 0.0f, 0.0f, 1, "Fradato"},
        {7, 4, 3, 0, 6, 0, 57, 0, 0, 0.0f, 0.0f, 0, "Tal"},
        {12, 5, 1, 0, 4, 0, 69, 1, 0, 0.0f, 0.0f, 0, "Kode"},
        {1, 1, 1, 16, 1, 0, 74, 0, 0, 0.0f, 0.0f, 0, "Nej"},
    },
    .FeltOrden = {T_ID, T_NAVN, T_ANTAL, T_DATO, T_AKTIV, T_MEDA, T_MEDA2, T_MINUTTER, T_BELOEB,
                  T_FRADATO, T_TAL, T_KODE},
    .StatusFelt = 1,
    .PeriodeFelter = {},
    .KeyLen = 4,
    .RecSize = sizeof(TstRec),
    .AntalFelter = 16,
    .ObjektOffset = 0,
    .VisKlasse = 10,
    .TabArt = 'E',
    .KortNavn = "tst",
    .TypeBogstav = 't',
    .RecPrBlok = 10,
    .CentralFlag = 0,
    .BevarVedNulstil = 0,
};

// A line of the test table that passes.
constexpr char kGodLinje[] = "7;Navn;5;20240102;J;0;0;15;1.5;20240805;1,2,3;AB";

class Import : public ::testing::Test {
 protected:
  fs::path rod;
  TabVar tvtst{};

  void SetUp() override {
    std::string skabelon = (fs::temp_directory_path() / "importXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    fs::create_directories(rod / "data");
    fs::create_directories(rod / "log");
    std::string d = DataMappeNavn(rod);
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", d.c_str());
    TomAlle();
    GFlag = 0;
  }

  void TearDown() override {
    TabAlloc = {calloc, realloc};
    TomAlle();
    std::error_code ec;
    fs::remove_all(rod, ec);
  }

  void TomAlle() {
    for (const TabRegEntry *e = TabRegister; e->Navn; ++e) Frigiv(e->pTabVar);
    Frigiv(&tvtst);
  }

  static void Tabel(uint8_t type, const TabDesc *&pTd, TabVar *&pTv) {
    ASSERT_EQ(TabFromType(type, &pTd, &pTv), 0) << "type " << type;
  }

  template <class R>
  static const R &Rec(const TabDesc *pTd, const TabVar *pTv, uint32_t n) {
    const uint8_t *p = GetRec(pTd, pTv, n);
    EXPECT_NE(p, nullptr) << pTd->Navn << " record " << n;
    static R tom{};
    return p ? *reinterpret_cast<const R *>(p) : tom;
  }

  // A meda record with this id; its record number.
  static uint32_t Meda(uint32_t id) {
    const TabDesc *pTd;
    TabVar *pTv;
    EXPECT_EQ(TabFromType('E', &pTd, &pTv), 0);
    std::string linje = std::to_string(id) + ";AB;Navn;T;0;;;;;0";
    return AddRecordFromLine(pTd, pTv, linje.c_str(), 'S');
  }

  // A line of the test table's record r (which must exist) and its result.
  int Parse(const char *linje, char bogstav = 'S', uint32_t *pRecnr = nullptr,
            ImportStatus *pStatus = nullptr, int fKomma = 1) {
    uint32_t r = NewRec(&tdtst, &tvtst);
    EXPECT_NE(r, 0u);
    if (pRecnr) *pRecnr = r;
    return ParseRecordLine(&tdtst, &tvtst, linje, bogstav, r, pStatus, fKomma);
  }

  const TstRec &Tst(uint32_t r) { return Rec<TstRec>(&tdtst, &tvtst, r); }

  std::string LaesFil(const fs::path &p) const {
    std::ifstream i(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
};

// What ImportFejlTekst writes, as a string.
inline std::string FejlTekst(uint32_t linjeNr, const char *navn, const char *linje, int fejl,
                             const TabDesc *pTd) {
  FILE *f = tmpfile();
  if (f == nullptr) return "<tmpfile>";
  ImportFejlTekst(f, linjeNr, navn, linje, fejl, pTd);
  std::string s;
  rewind(f);
  int c;
  while ((c = fgetc(f)) != EOF) s.push_back(static_cast<char>(c));
  fclose(f);
  return s;
}

}  // namespace importtest
