// Sorting a list of activities by two fields (name, then number) through
// the field sorter, against the same two display texts built into strings
// and sorted with std::sort, in the same run. Prints "<figure> <value>
// <unit>" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "FELTTEKST.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "TABOPER.h"
#include "VISFELT.h"

namespace {

using Klok = std::chrono::steady_clock;

double Sekunder(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double>(b - a).count(); }

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_sort: %s\n", hvad);
  exit(1);
}

constexpr uint32_t kAntal = 50000;
constexpr int kGange = 7;

// The activity table grown to kAntal records by repeating the large
// school's activities under new ids, so names repeat and the number
// decides between them.
void ByggAktiviteter() {
  std::vector<AktiRec> kilde;
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) {
    const AktiRec *r = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, n));
    if (r->Status >= 10 && r->Status <= 29) kilde.push_back(*r);
  }
  if (kilde.empty()) Stop("the school has no activities");
  ResetTab(&tdakti, &tvakti, 1);
  for (uint32_t i = 0; i < kAntal; ++i) {
    const uint32_t n = NewRec(&tdakti, &tvakti);
    if (n == 0) Stop("no room for the activities");
    AktiRec r = kilde[i % kilde.size()];
    r.id = 100000 + (i * 7919u) % kAntal;  // ids in no particular order
    memcpy(GetRec(&tdakti, &tvakti, n), &r, sizeof r);
  }
}

std::vector<uint32_t> Liste() {
  std::vector<uint32_t> l(1, 0);
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) l.push_back(n);
  return l;
}

double FeltSortering(std::vector<uint32_t> &l) {
  l = Liste();
  const auto t0 = Klok::now();
  SorterPaaFelter('K', l.data(), static_cast<uint32_t>(l.size() - 1), &tdakti, &tvakti, nullptr, 0, 1, {1, 0});
  return Sekunder(t0, Klok::now());
}

// The plain baseline: the two display texts, each cut to its width, joined
// into one string per record and sorted with std::sort.
double StrengSortering(std::vector<uint32_t> &l) {
  l = Liste();
  const auto t0 = Klok::now();
  const uint32_t b1 = FeltBredde(&tdakti, 1, 1), b0 = FeltBredde(&tdakti, 0, 1);
  std::vector<std::pair<std::string, uint32_t>> v;
  v.reserve(l.size() - 1);
  for (size_t i = 1; i < l.size(); ++i) {
    std::string s(VisFeltTekst('K', &tdakti, &tvakti, 1, l[i], nullptr, 1), 0, b1);
    s.append(VisFeltTekst('K', &tdakti, &tvakti, 0, l[i], nullptr, 1), 0, b0);
    v.emplace_back(std::move(s), l[i]);
  }
  std::sort(v.begin(), v.end());
  for (size_t i = 1; i < l.size(); ++i) l[i] = v[i - 1].second;
  return Sekunder(t0, Klok::now());
}

}  // namespace

int main() {
  std::string skabelon = (std::filesystem::temp_directory_path() / "bench_sort_XXXXXX").string();
  if (!mkdtemp(skabelon.data())) return 1;
  const std::filesystem::path rod = skabelon;
  SkoleStoerrelse st{};
  SkoleStoerrelseFraNavn("large", &st);
  std::string fejl;
  if (LavSkoleData((rod / "skole").c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
  ByggAktiviteter();

  // Alternating runs, the best of each, so both see the same machine.
  std::vector<uint32_t> felter, strenge;
  double felt = 1e9, streng = 1e9;
  for (int i = 0; i < kGange; ++i) {
    felt = std::min(felt, FeltSortering(felter));
    streng = std::min(streng, StrengSortering(strenge));
  }
  std::filesystem::remove_all(rod);

  printf("records %u count\n", kAntal);
  printf("sort-by-fields-ms %.2f ms\n", felt * 1000);
  printf("string-sort-ms %.2f ms\n", streng * 1000);
  printf("sort-by-fields-vs-string-sort %.2f ratio\n", felt / streng);
  return 0;
}
