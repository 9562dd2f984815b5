// The job-server stand-in's central system: any bytes as its script (up to
// the first zero byte, one line a script line) and the export it answers
// (the rest). Beyond not crashing: every receipt line of the answer is one
// of the section's shapes, and the counter only moves forward.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "central.h"

namespace {

void Tjek(bool ok, const char *hvad) {
  if (!ok) {
    std::fprintf(stderr, "centralsvar: %s\n", hvad);
    std::abort();
  }
}

size_t Felter(const std::string &l) {
  size_t n = 1;
  for (char c : l) n += c == ',';
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string alt(reinterpret_cast<const char *>(data), size);
  const size_t nul = alt.find('\0');
  const std::string script = alt.substr(0, nul), eksport = nul == std::string::npos ? "" : alt.substr(nul + 1);
  jobserver::CentralScript s;
  std::istringstream ind(script);
  std::string linje, grund;
  while (std::getline(ind, linje)) {
    const size_t b = linje.find(' ');
    const std::string ord = linje.substr(0, b);
    // Lines naming files would read whatever the input names.
    if (ord == "section" || ord == "full") continue;
    jobserver::LaesCentralLinje(ord, b == std::string::npos ? "" : linje.substr(b + 1), &s, &grund);
  }
  jobserver::CentralTilstand t;
  const long foer = t.naesteId;
  std::vector<std::string> log;
  const std::string svar = jobserver::CentralSvar(eksport, s, &t, 1733835600, &log);
  Tjek(t.naesteId >= foer, "the counter went back");
  Tjek(t.begivenheder >= 0 && t.posteringer >= 0, "a count below 0");
  std::istringstream ud(svar);
  std::string afsnit;
  std::getline(ud, linje);
  while (std::getline(ud, linje)) {
    if (linje[0] == '@') {
      afsnit = linje.substr(1);
      continue;
    }
    if (linje == "!FEJL") continue;
    const size_t n = Felter(linje);
    if (afsnit == "S+") Tjek(n == 8, "an S+ receipt without its eight fields");
    else if (afsnit == "S-" || afsnit == "B-" || afsnit == "B+") Tjek(n == 5, "a receipt without its five fields");
    else if (!afsnit.empty() && afsnit.back() == '-') Tjek(n == 2, "a plan deletion receipt without its two fields");
    else if (!afsnit.empty() && afsnit.back() == '+') Tjek(n == 3, "a plan receipt without its three fields");
  }
  return 0;
}
