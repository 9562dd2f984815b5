// The rows of a data\skemabeg.dat read as the file lays them out, apart
// from the program's loader: the header, then per week "<week> <rows>\n"
// and the week's rows from row 0.
#pragma once

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "SKEREC.h"
#include "TAVODATA.h"

struct SkemabegFilRaekke {
  uint32_t uge, nr;  // the week and the row's number in it
  SkeRec rec;
};

inline std::vector<SkemabegFilRaekke> LaesSkemabegFil(const std::string &fil) {
  std::ifstream f(fil, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  const std::string s = ss.str();
  std::vector<SkemabegFilRaekke> ud;
  size_t p = sizeof(DatHeader);
  while (p < s.size()) {
    unsigned long uge = 0;
    unsigned antal = 0;
    int laest = 0;
    if (std::sscanf(s.c_str() + p, "%lu %u\n%n", &uge, &antal, &laest) != 2 || laest == 0) break;
    p += static_cast<size_t>(laest);
    for (unsigned i = 0; i < antal && p + sizeof(SkeRec) <= s.size(); ++i, p += sizeof(SkeRec)) {
      SkemabegFilRaekke r{static_cast<uint32_t>(uge), i, {}};
      std::memcpy(&r.rec, s.data() + p, sizeof(SkeRec));
      ud.push_back(r);
    }
  }
  return ud;
}

// The first rows of the own events placed on a day and lesson, as
// (week, row) pairs.
inline std::vector<std::pair<uint32_t, uint32_t>> SkemabegFoersteRaekker(const std::vector<SkemabegFilRaekke> &v,
                                                                          uint8_t dag, uint8_t lektion) {
  std::vector<std::pair<uint32_t, uint32_t>> ud;
  for (const SkemabegFilRaekke &r : v)
    if (r.rec.Forste == r.nr && (r.rec.Status & 64) && r.rec.Dag == dag && r.rec.Lektion == lektion)
      ud.emplace_back(r.uge, r.nr);
  return ud;
}
