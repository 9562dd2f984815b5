// The JSON reader on an AutoSkema answer of about 15 MB: 60,000 placed
// events, 2,000 unplaced plan events and one error message of 256 KB.
// Reports the time of reading the file into a tree and freeing it, against
// one pass over the same file in 1,024-byte line pieces that touches every
// byte, both on a text-mode stream as the import opens the file; and the
// same two on a binary stream, whose own cost is far lower.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "json.h"
#include "win/kernel.h"

namespace {

using Ur = std::chrono::steady_clock;

// Keeps the checksum alive, so the pass is not optimised away.
volatile unsigned long gSum;

double Ms(Ur::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string LavSvar() {
  std::mt19937 rnd(7);
  auto tal = [&](int fra, int til) { return std::uniform_int_distribution<int>(fra, til)(rnd); };
  std::string d;
  d.reserve(16 << 20);
  d += "{\n  \"skema_fundet\": true,\n  \"skemabegivenheder\": [\n";
  char linje[512];
  for (int i = 0; i < 60000; ++i) {
    const int lektion = tal(1, 9);
    const int start = 800 + lektion * 55;
    int n = snprintf(linje, sizeof linje,
                     "      { \"skemabeg_id\": %d, \"dato\": %d, \"lektion\": %d, \"start\": %d, "
                     "\"slut\": %d,\n        \"risy_id\": %d, \"skfa_id\": %d, \"akti\": [ %d",
                     1000000 + i, 20240805 + tal(0, 20) * 100 + tal(0, 27), lektion, start,
                     start + 45, tal(1, 12), tal(1, 900), tal(100000, 999999));
    if (tal(0, 1) == 0) n += snprintf(linje + n, sizeof linje - n, ", %d", tal(100000, 999999));
    n += snprintf(linje + n, sizeof linje - n, " ], \"undervisere\": [ { \"anfo_id\": %d }",
                  tal(1, 2400));
    if (tal(0, 1) == 0) n += snprintf(linje + n, sizeof linje - n, ", { \"anfo_id\": %d }", tal(1, 2400));
    n += snprintf(linje + n, sizeof linje - n, " ], \"loka\": [ %d ] }%s\n", tal(1, 400),
                  i + 1 < 60000 ? "," : "");
    d.append(linje, static_cast<size_t>(n));
  }
  d += "  ],\n  \"ikke_placerede_planbegivenheder\": [\n";
  for (int i = 0; i < 2000; ++i) {
    const int n = snprintf(linje, sizeof linje,
                           "    {\"akti_id\": %d, \"skfa_id\": %d, \"undervisere\": [{\"anfo_id\": %d}], "
                           "\"uger\": [{\"ugenr\": \"2024%02d\", \"lektioner\": \"%d\"}]}%s\n",
                           tal(1, 3000), tal(1, 900), tal(1, 2400), tal(32, 52), tal(1, 6),
                           i + 1 < 2000 ? "," : "");
    d.append(linje, static_cast<size_t>(n));
  }
  d += "  ],\n  \"fejlmeddelelser\": [\"";
  for (int i = 0; i < 256 * 1024; ++i) d += static_cast<char>('a' + i % 26);
  d += "\"]\n}\n";
  return d;
}

}  // namespace

int main() {
  const std::string sti =
      (std::filesystem::temp_directory_path() / ("bench_json_" + std::to_string(getpid()) + ".json"))
          .string();
  const std::string svar = LavSvar();
  {
    FILE *f = ::fopen(sti.c_str(), "wb");
    if (!f || fwrite(svar.data(), 1, svar.size(), f) != svar.size()) return 1;
    fclose(f);
  }

  // Both ways of opening: text mode, as the import opens the file, and
  // binary, where the stream itself costs least.
  struct Maaling {
    const char *maade;
    double pass = 1e30;
    double json = 1e30;
  };
  Maaling maalinger[] = {{"r"}, {"rb"}};
  unsigned long sum = 0;
  size_t knuder = 0;
  for (int runde = 0; runde < 5; ++runde) {
    for (Maaling &m : maalinger) {
      // One pass: line pieces of 1,024 bytes, every byte in a checksum.
      auto t0 = Ur::now();
      FILE *f = fopen(sti.c_str(), m.maade);
      char stykke[1024];
      while (fgets(stykke, sizeof stykke, f))
        for (const char *p = stykke; *p; ++p) sum = sum * 31 + static_cast<unsigned char>(*p);
      fclose(f);
      m.pass = std::min(m.pass, Ms(Ur::now() - t0));

      // The reader: the tree built and freed.
      t0 = Ur::now();
      f = fopen(sti.c_str(), m.maade);
      json_node *rod = nullptr;
      const int r = json_laes_fil(f, &rod);
      fclose(f);
      if (r != JSON_FAERDIG) {
        fprintf(stderr, "the answer document was not read: %d\n", r);
        return 1;
      }
      if (!knuder)
        for (const json_node *n = rod; n;) {
          ++knuder;
          if (n->child) {
            n = n->child;
            continue;
          }
          while (n && !n->next) n = n->parent;
          if (n) n = n->next;
        }
      json_frigiv(rod);
      m.json = std::min(m.json, Ms(Ur::now() - t0));
    }
  }
  std::filesystem::remove(sti);
  gSum = sum;

  printf("json-bytes %zu bytes\n", svar.size());
  printf("json-nodes %zu nodes\n", knuder);
  printf("byte-pass-ms %.1f ms\n", maalinger[0].pass);
  printf("json-read-free-ms %.1f ms\n", maalinger[0].json);
  printf("json-vs-byte-pass %.2f ratio\n", maalinger[0].json / maalinger[0].pass);
  printf("byte-pass-binary-ms %.1f ms\n", maalinger[1].pass);
  printf("json-read-free-binary-ms %.1f ms\n", maalinger[1].json);
  printf("json-vs-byte-pass-binary %.2f ratio\n", maalinger[1].json / maalinger[1].pass);
  return 0;
}
