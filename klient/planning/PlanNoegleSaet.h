// A set of fixed-size keys in one open table, for the load's questions of
// the kind "is there a row for this group and activity": asked for every
// row and pair, where a node per key cost an allocation to build and a
// scattered read to ask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// `Hash` gives a 64-bit value of a key; its bits are spread here.
template <class Key, class Hash>
class PlanNoegleSaet {
 public:
  explicit PlanNoegleSaet(size_t forventet = 0) {
    size_t plads = 16;
    while (plads < 2 * forventet) plads *= 2;
    Klargoer(plads);
  }
  // 1 when the key was new, as std::unordered_set::insert tells it.
  bool insert(const Key &k) {
    if (2 * (antal_ + 1) > noegler_.size()) Voks();
    size_t i = Plads(k);
    while (brugt_[i]) {
      if (noegler_[i] == k) return false;
      i = (i + 1) & maske_;
    }
    brugt_[i] = 1;
    noegler_[i] = k;
    ++antal_;
    return true;
  }
  size_t count(const Key &k) const {
    for (size_t i = Plads(k); brugt_[i]; i = (i + 1) & maske_)
      if (noegler_[i] == k) return 1;
    return 0;
  }
  size_t size() const { return antal_; }

 private:
  size_t Plads(const Key &k) const { return static_cast<size_t>((Hash()(k) * 0x9E3779B97F4A7C15ull) >> skift_); }
  void Klargoer(size_t plads) {
    noegler_.assign(plads, Key{});
    brugt_.assign(plads, 0);
    maske_ = plads - 1;
    skift_ = 64;
    for (size_t p = plads; p > 1; p >>= 1) --skift_;
    antal_ = 0;
  }
  void Voks() {
    std::vector<Key> gl = std::move(noegler_);
    std::vector<uint8_t> glBrugt = std::move(brugt_);
    Klargoer(gl.size() * 2);
    for (size_t i = 0; i < gl.size(); ++i)
      if (glBrugt[i]) insert(gl[i]);
  }
  std::vector<Key> noegler_;
  std::vector<uint8_t> brugt_;
  size_t maske_ = 0;
  unsigned skift_ = 64;
  size_t antal_ = 0;
};

struct PlanNoegleHash64 {
  uint64_t operator()(uint64_t k) const { return k; }
};
