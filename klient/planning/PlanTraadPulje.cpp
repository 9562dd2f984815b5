#include "PlanTraadPulje.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <thread>

namespace {

class Pulje {
 public:
  Pulje() : maks_(std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), 8) - 1) {}

  void Start(PlanParti *p) {
    if (p->antal <= 1) return;
    std::unique_lock<std::mutex> l(m_);
    koe_.push_back(p);
    // Enough free threads for the parts offered, as far as the processors
    // allow; the caller takes what none takes.
    while (traade_ < maks_ && traade_ - optagne_ < ventende()) {
      ++traade_;
      std::thread([this] { Arbejd(); }).detach();
    }
    arbejde_.notify_all();
  }

  void Vent(PlanParti *p) {
    std::unique_lock<std::mutex> l(m_);
    for (;;) {
      const size_t i = Tag(p);
      if (i == 0) break;
      l.unlock();
      p->fn(p->ctx, i);
      l.lock();
      ++p->faerdige;
    }
    p->faerdig.wait(l, [p] { return p->faerdige + 1 >= p->antal; });
  }

 private:
  // The parts offered and not yet taken.
  size_t ventende() const {
    size_t n = 0;
    for (const PlanParti *p : koe_) n += p->antal - p->naeste;
    return n;
  }
  // The next part of p, 0 when all are taken; under m_.
  size_t Tag(PlanParti *p) {
    if (p->naeste >= p->antal) return 0;
    const size_t i = p->naeste++;
    if (p->naeste >= p->antal) koe_.erase(std::find(koe_.begin(), koe_.end(), p));
    return i;
  }
  void Arbejd() {
    std::unique_lock<std::mutex> l(m_);
    for (;;) {
      arbejde_.wait(l, [this] { return !koe_.empty(); });
      PlanParti *p = koe_.front();
      const size_t i = Tag(p);
      ++optagne_;
      l.unlock();
      p->fn(p->ctx, i);
      l.lock();
      --optagne_;
      // Told under the lock: the waiter cannot return, and p go, before
      // the lock is let go.
      if (++p->faerdige + 1 >= p->antal) p->faerdig.notify_all();
    }
  }

  const size_t maks_;
  std::mutex m_;
  std::condition_variable arbejde_;
  std::deque<PlanParti *> koe_;
  size_t traade_ = 0, optagne_ = 0;
};

// Kept for the life of the program: its threads wait for work to its end.
Pulje &DenPulje() {
  static Pulje *pulje = new Pulje;
  return *pulje;
}

}  // namespace

void StartPlanParti(PlanParti *p, size_t antal, void (*fn)(void *, size_t), void *ctx) {
  p->fn = fn;
  p->ctx = ctx;
  p->antal = antal;
  p->naeste = 1;
  p->faerdige = 0;
  DenPulje().Start(p);
}

void VentPaaPlanParti(PlanParti *p) {
  if (p->antal <= 1) return;
  DenPulje().Vent(p);
}
