#pragma once
// The worker threads of the plan's passes over many rows, kept from one pass
// to the next: a load runs a dozen such passes, and a thread started and
// ended for each cost its start, and at its end the release of its stack,
// which stalls every other thread of the program a moment.
#include <condition_variable>
#include <cstddef>

// One call's parts 1 .. antal - 1 of fn(ctx, part). A part is taken by a
// kept thread that is free, or by the caller when it waits: a caller never
// waits for a thread another caller keeps busy, so calls inside parts and
// from several threads at once always finish.
struct PlanParti {
  void (*fn)(void *, size_t) = nullptr;
  void *ctx = nullptr;
  size_t antal = 0;
  size_t naeste = 1;    // the next part to take
  size_t faerdige = 0;  // parts done
  std::condition_variable faerdig;
};

// Offers the parts to the kept threads (started as needed, never more than
// the processors less the caller) and returns at once.
void StartPlanParti(PlanParti *p, size_t antal, void (*fn)(void *, size_t), void *ctx);
// Takes the parts no thread has taken yet, then waits until every part is
// done. Each started parti is waited for once, before it goes.
void VentPaaPlanParti(PlanParti *p);
