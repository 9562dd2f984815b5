// The rows that take the postings, found by employment and activity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The posting rows by employment and activity, one slot per kind, in one
// open table: asked about once for nearly every posting, as the postings
// come mixed, and a node per key cost a scattered read per question.
class PostRaekker {
 public:
  struct Post {
    uint64_t noegle;
    uint32_t raekke[2];  // a slot in use has a row in one of them
  };
  PostRaekker() { tab_.assign(1024, Post{}); }
  const Post *Find(uint64_t noegle) const {
    for (size_t i = Plads(noegle);; i = (i + 1) & (tab_.size() - 1)) {
      const Post &p = tab_[i];
      if (!IBrug(p)) return nullptr;
      if (p.noegle == noegle) return &p;
    }
  }
  // The slot of the key, made when missing; the caller fills in a row.
  Post &Tag(uint64_t noegle) {
    if (2 * (antal_ + 1) > tab_.size()) Voks();
    size_t i = Plads(noegle);
    while (IBrug(tab_[i]) && tab_[i].noegle != noegle) i = (i + 1) & (tab_.size() - 1);
    if (!IBrug(tab_[i])) {
      ++antal_;
      tab_[i].noegle = noegle;
    }
    return tab_[i];
  }

 private:
  static bool IBrug(const Post &p) { return (p.raekke[0] | p.raekke[1]) != 0; }
  size_t Plads(uint64_t noegle) const {
    return static_cast<size_t>((noegle * 0x9E3779B97F4A7C15ull) >> 40) & (tab_.size() - 1);
  }
  void Voks() {
    std::vector<Post> gl(tab_.size() * 2, Post{});
    gl.swap(tab_);
    for (const Post &p : gl) {
      if (!IBrug(p)) continue;
      size_t i = Plads(p.noegle);
      while (IBrug(tab_[i])) i = (i + 1) & (tab_.size() - 1);
      tab_[i] = p;
    }
  }
  std::vector<Post> tab_;
  size_t antal_ = 0;
};

