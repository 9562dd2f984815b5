// The kept threads of the plan's passes: every part of a call runs once and
// the call returns only when all have run, also when calls come from
// several threads at once and from inside parts, more of them than there
// are kept threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "FF_PlanFyld.h"
#include "PlanTraadPulje.h"

namespace {

TEST(PlanTraadPulje, HverDelEnGangOgAlleFoerKaldetVender) {
  for (const size_t dele : {size_t{1}, size_t{2}, size_t{4}, size_t{32}}) {
    SCOPED_TRACE(dele);
    // Two callers at once, each part of each calling in again: the inner
    // calls find the kept threads busy with the outer ones.
    std::vector<std::thread> kaldere;
    std::vector<std::vector<std::atomic<int>>> koersler(2);
    for (auto &k : koersler) k = std::vector<std::atomic<int>>(dele * dele);
    for (size_t k = 0; k < 2; ++k)
      kaldere.emplace_back([&, k] {
        PaaPlanTraade(dele, [&](size_t ydre) {
          PaaPlanTraade(dele, [&](size_t indre) { ++koersler[k][ydre * dele + indre]; });
          // Every inner part has run when the inner call returns.
          for (size_t i = 0; i < dele; ++i) EXPECT_EQ(koersler[k][ydre * dele + i].load(), 1);
        });
      });
    for (std::thread &t : kaldere) t.join();
    for (const auto &k : koersler)
      for (const auto &n : k) EXPECT_EQ(n.load(), 1);
  }
}

TEST(PlanTraadPulje, EnStartetPartiVentesPaaOgKoererEnGang) {
  // Started and waited for later, also twice; a parti no kept thread took
  // is run by the waiter.
  std::atomic<int> koersler{0};
  auto en = [](void *c, size_t del) {
    EXPECT_EQ(del, 1u);
    ++*static_cast<std::atomic<int> *>(c);
  };
  std::vector<PlanParti> partier(16);
  for (PlanParti &p : partier) StartPlanParti(&p, 2, en, &koersler);
  for (PlanParti &p : partier) VentPaaPlanParti(&p);
  VentPaaPlanParti(&partier[0]);
  EXPECT_EQ(koersler.load(), 16);
}

}  // namespace
