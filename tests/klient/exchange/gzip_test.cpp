// Packing and unpacking of the exchange files: round trips at the block
// edges and of a large file, and the damaged streams that must fail with
// the source kept and no target left.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include "../datamappe.h"
#include "GZIP.h"
#include "STITAB.h"

namespace {

namespace fs = std::filesystem;

class Gzip : public ::testing::Test {
 protected:
  fs::path rod;
  std::string win;  // the folder as the program names it

  void SetUp() override {
    std::string skabelon = (fs::temp_directory_path() / "gzipXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    win = DataMappeNavn(rod);
    // The crash-safe save keeps its record in the data folder.
    fs::create_directories(rod / "data");
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", win.c_str());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(rod, ec);
  }
  std::string W(const char *navn) const { return win + navn; }
  void Skriv(const char *navn, const std::string &s) const { std::ofstream(rod / navn, std::ios::binary) << s; }
  std::string Laes(const char *navn) const {
    std::ifstream i(rod / navn, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
  std::set<std::string> Filer() const {
    std::set<std::string> s;
    for (const auto &e : fs::directory_iterator(rod))
      // The save's lock file stays in the folder it saved in.
      if (e.path().filename() != "data" && e.path().filename() != "gemning.laas") s.insert(e.path().filename().string());
    return s;
  }
};

std::string Data(size_t n) {
  std::mt19937 g(static_cast<unsigned>(n));
  std::string s(n, 0);
  // Half text, half noise: the packed form is neither tiny nor all of it.
  for (size_t i = 0; i < n; ++i) s[i] = i % 2 ? static_cast<char>(g()) : static_cast<char>('a' + i % 7);
  return s;
}

TEST_F(Gzip, RoundTripKeepsEveryByte) {
  for (size_t n : {size_t(0), size_t(1), size_t(8191), size_t(8192), size_t(8193), size_t(3 << 20)}) {
    SCOPED_TRACE(n);
    const std::string indhold = Data(n);
    Skriv("exp.dat", indhold);
    ASSERT_EQ(GzipFile(W("exp.dat").c_str(), W("exp.dat.gz").c_str()), 0);
    EXPECT_EQ(Filer(), std::set<std::string>{"exp.dat.gz"});
    const std::string pakket = Laes("exp.dat.gz");
    ASSERT_GE(pakket.size(), 18u);
    EXPECT_EQ(pakket.substr(0, 2), "\x1f\x8b");
    ASSERT_EQ(GunzipFile(W("exp.dat.gz").c_str(), W("exp.dat").c_str()), 0);
    EXPECT_EQ(Filer(), std::set<std::string>{"exp.dat"});
    EXPECT_TRUE(Laes("exp.dat") == indhold);
  }
}

TEST_F(Gzip, DamagedStreamsFailAndLeaveNoTarget) {
  Skriv("kilde", Data(50000));
  ASSERT_EQ(GzipFile(W("kilde").c_str(), W("hel.gz").c_str()), 0);
  const std::string hel = Laes("hel.gz");
  std::string crc = hel;
  crc[crc.size() - 6] ^= 0x55;  // the checksum of the trailer
  std::string midte = hel;
  midte[midte.size() / 2] ^= 0xff;
  const struct {
    const char *navn;
    std::string data;
  } tabel[] = {
      {"cut in the middle", hel.substr(0, hel.size() / 2)},
      {"cut before the trailer", hel.substr(0, hel.size() - 4)},
      {"checksum wrong", crc},
      {"damaged in the middle", midte},
      {"not packed at all", "K;N;7;10413;20240801\n"},
      {"empty", ""},
      {"rubbish after the stream", hel + "rest"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    Skriv("imp.dat.gz", t.data);
    Skriv("imp.dat", "den gamle");
    EXPECT_NE(GunzipFile(W("imp.dat.gz").c_str(), W("ny.dat").c_str()), 0);
    EXPECT_EQ(Filer(), (std::set<std::string>{"hel.gz", "imp.dat", "imp.dat.gz"}));
    EXPECT_TRUE(Laes("imp.dat.gz") == t.data);
  }
  // Members one after another are one stream, as gzip writes them.
  Skriv("a", "første");
  Skriv("b", " og anden");
  ASSERT_EQ(GzipFile(W("a").c_str(), W("a.gz").c_str()), 0);
  ASSERT_EQ(GzipFile(W("b").c_str(), W("b.gz").c_str()), 0);
  Skriv("ab.gz", Laes("a.gz") + Laes("b.gz"));
  ASSERT_EQ(GunzipFile(W("ab.gz").c_str(), W("ab").c_str()), 0);
  EXPECT_EQ(Laes("ab"), "første og anden");
}

TEST_F(Gzip, MissingFilesAreMinusOne) {
  EXPECT_EQ(GzipFile(W("findes.ikke").c_str(), W("x.gz").c_str()), -1);
  EXPECT_EQ(GunzipFile(W("findes.ikke.gz").c_str(), W("x").c_str()), -1);
  Skriv("kilde", "abc");
  EXPECT_EQ(GzipFile(W("kilde").c_str(), W("mappe\\findes\\ikke.gz").c_str()), -1);
  EXPECT_EQ(Filer(), std::set<std::string>{"kilde"});
}

}  // namespace
