// A data folder of its own for each test, and helpers to build record files
// and reach the registry's tables.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DATO.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"
#include "../datamappe.h"
#include "tom_datalager.h"

namespace storetest {

using Bytes = std::vector<uint8_t>;

inline void Tabel(uint8_t type, const TabDesc *&pTd, TabVar *&pTv) {
  ASSERT_EQ(TabFromType(type, &pTd, &pTv), 0) << "type " << type;
}

inline void Put32(Bytes &b, size_t off, uint32_t v) { memcpy(b.data() + off, &v, 4); }
inline uint32_t Get32(const uint8_t *p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}

// A 22-byte header.
inline Bytes NyHeader(uint32_t version, uint32_t ord, uint32_t recSize) {
  Bytes h(22, 0);
  Put32(h, 0, version);
  Put32(h, 4, ord);
  memcpy(h.data() + 8, "RecSize", 8);
  Put32(h, 18, recSize);
  return h;
}

inline Bytes GammelHeader(uint32_t version, uint32_t ord) {
  Bytes h(8, 0);
  Put32(h, 0, version);
  Put32(h, 4, ord);
  return h;
}

class DataMappe : public ::testing::Test {
 protected:
  std::filesystem::path rod;

  void SetUp() override {
    std::string skabelon = (std::filesystem::temp_directory_path() / "storeXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    std::filesystem::create_directories(rod / "data");
    std::filesystem::create_directories(rod / "ini");
    std::filesystem::create_directories(rod / "log");
    std::string d = DataMappeNavn(rod);
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", d.c_str());
    snprintf(StiTab.szini, sizeof StiTab.szini, "%sini\\tavo.ini", d.c_str());
    TomAlleTabeller();
    // Other tests of this program change the hook; the program installs it once.
    SetInitTabFn(InitTab);
    InitPeriode(20240801, 20250731, 20240801);
  }

  void TearDown() override {
    TomAlleTabeller();
    std::error_code ec;
    std::filesystem::permissions(rod, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(rod, ec);
  }

  std::filesystem::path Fil(const std::string &navn) const { return rod / "data" / navn; }

  void Skriv(const std::string &navn, const Bytes &b) const {
    std::ofstream o(Fil(navn), std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char *>(b.data()), static_cast<std::streamsize>(b.size()));
  }

  Bytes Laes(const std::string &navn) const {
    std::ifstream i(Fil(navn), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }

  bool Findes(const std::string &navn) const { return std::filesystem::exists(Fil(navn)); }

  void SkrivIni(const std::string &tekst) const {
    std::ofstream o(rod / "ini" / "tavo.ini", std::ios::binary | std::ios::trunc);
    o << tekst;
  }
};

}  // namespace storetest
