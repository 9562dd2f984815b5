// The start copies of the two event files and the quit-without-saving restore.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "INDSTIL.h"
#include "TIMOAK.h"
#include "store_fixture.h"

namespace {

using storetest::Bytes;

class StartKopi : public storetest::DataMappe {
 protected:
  void Tekst(const std::string &navn, const std::string &t) { Skriv(navn, Bytes(t.begin(), t.end())); }
  std::string Tekst(const std::string &navn) {
    Bytes b = Laes(navn);
    return std::string(b.begin(), b.end());
  }
  void TearDown() override {
    memset(AendringsTaellere, 0, sizeof AendringsTaellere);
    DataMappe::TearDown();
  }
};

// The background save writes the event files too, so what is on disk at quit
// is not what the user saved; leaving without saving goes back to the last
// complete save, not to the state at start.
TEST_F(StartKopi, QuitWithoutSavingRestoresTheLastSave) {
  Tekst("skemabeg.dat", "start-s");
  Tekst("timoak.dat", "start-t");
  GemStartKopi();  // after start-up loading
  Tekst("skemabeg.dat", "auto-s");
  Tekst("timoak.dat", "auto-t");
  Tekst("skemabeg.dat", "gemt-s");  // save all ...
  Tekst("timoak.dat", "gemt-t");
  GemStartKopi();                   // ... refreshes the copies
  Tekst("skemabeg.dat", "senere-s");
  Tekst("timoak.dat", "senere-t");
  GendanStartKopi();
  EXPECT_EQ(Tekst("skemabeg.dat"), "gemt-s");
  EXPECT_EQ(Tekst("timoak.dat"), "gemt-t");
  EXPECT_EQ(Tekst("skemabegkopi.dat"), "gemt-s");
}

TEST_F(StartKopi, StartTidHoldsTheChangeSumsAndTheTime) {
  for (int i = 0; i < kAntalAendringsTaellere; ++i) AendringsTaellere[i] = static_cast<uint32_t>(i + 1);
  Tekst("skemabeg.dat", "s");
  Tekst("timoak.dat", "t");
  time_t foer = time(nullptr);
  GemStartKopi();
  unsigned long a = 0, b = 0;
  uint64_t t = 0;
  ASSERT_EQ(sscanf(Tekst("StartTid.dat").c_str(), "%lu, %lu, %" SCNu64, &a, &b, &t), 3);
  EXPECT_EQ(a, 1u + 2 + 3 + 4);
  EXPECT_EQ(b, 5u + 6 + 7 + 8);
  EXPECT_GE(t, static_cast<uint64_t>(foer));
  EXPECT_LE(t, static_cast<uint64_t>(time(nullptr)));
}

// Without copies (nothing was ever copied) the event files are kept, not lost.
TEST_F(StartKopi, RestoreWithoutCopiesKeepsTheEventFiles) {
  Tekst("skemabeg.dat", "s");
  Tekst("timoak.dat", "t");
  GendanStartKopi();
  EXPECT_EQ(Tekst("skemabeg.dat"), "s");
  EXPECT_EQ(Tekst("timoak.dat"), "t");
  EXPECT_FALSE(Findes("skemabegkopi.dat"));
  EXPECT_FALSE(Findes("skemabeg.dat.tmp"));
}

}  // namespace
