// A freely typed clock time read as HHMM.

#include <gtest/gtest.h>

#include "HENTTID.h"

namespace {

TEST(HentTid, TekstTilHHMM) {
  struct Tilfaelde {
    const char *tekst;
    uint32_t hhmm;
  };
  const Tilfaelde tab[] = {
      {"8", 800},        {"12", 1200},      {"830", 830},    {"0830", 830},   {"08:30", 830},
      {"100", 1000},     {"24", 240},       {"2500", 250},   {"23", 2300},    {"959", 959},
      {"1000", 1000},    {"2400", 2400},    {"", 0},         {"0", 0},        {"0000", 0},     {"00:00", 0},
      {"24:01", 240},
      {"abc", 0},        {"7:45", 745},     {"17.15", 1715}, {" 9 ", 900},
      // Past nine digits the rest is dropped, so the value never wraps.
      {"123456789012345", 1234},           {"0000000000008", 800},
  };
  for (const Tilfaelde &t : tab) EXPECT_EQ(TidHHMMAfTekst(t.tekst), t.hhmm) << '"' << t.tekst << '"';
  EXPECT_EQ(TidHHMMAfTekst(nullptr), 0u);
}

}  // namespace
