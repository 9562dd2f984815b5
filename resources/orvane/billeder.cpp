// The main program's pictures: the toolbar strip (bitmap 120), the program
// icons and the three cursors, all drawn as text pixmaps.

#include <string>
#include <vector>

#include "dib.h"
#include "knapper.h"
#include "ressourcer.h"
#include "smaadialoger.h"
#include "win/gdi_res.h"
#include "win/menu.h"

void RegistrerOrvaneMenuer();  // menuer.cpp
void RegistrerStatusRessourcer();  // statusres.cpp

namespace {

// The toolbar pictures on the button face: '.' is the face itself.
const std::vector<std::vector<std::string>> VaerktoejsBilleder = {
    // 0: windows in a cascade
    {"................",
     "................",
     "KKKKKKKKKK......",
     "KNNNNNNNNK......",
     "KWWKKKKKKKKKK...",
     "KWWKNNNNNNNNK...",
     "KWWKWWKKKKKKKKKK",
     "KWWKWWKNNNNNNNNK",
     "KKKKWWKWWWWWWWWK",
     "...KWWKWWWWWWWWK",
     "...KKKKWWWWWWWWK",
     "......KWWWWWWWWK",
     "......KWWWWWWWWK",
     "......KKKKKKKKKK",
     "................",
     "................"},
    // 1: windows in rows, one above the other
    {"................",
     ".KKKKKKKKKKKKKK.",
     ".KNNNNNNNNNNNNK.",
     ".KWWWWWWWWWWWWK.",
     ".KWWWWWWWWWWWWK.",
     ".KWWWWWWWWWWWWK.",
     ".KKKKKKKKKKKKKK.",
     "................",
     "................",
     ".KKKKKKKKKKKKKK.",
     ".KGGGGGGGGGGGGK.",
     ".KWWWWWWWWWWWWK.",
     ".KWWWWWWWWWWWWK.",
     ".KWWWWWWWWWWWWK.",
     ".KKKKKKKKKKKKKK.",
     "................"},
    // 2: windows in columns, side by side
    {"................",
     ".KKKKKK..KKKKKK.",
     ".KNNNNK..KGGGGK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KWWWWK..KWWWWK.",
     ".KKKKKK..KKKKKK.",
     "................"},
    // 3: the window with the focus, fitted to the desktop
    {"KKKKKKKKKKKKKKKK",
     "KBBBBBBBBBBBBBBK",
     "KBBBBBBBBBBBBBBK",
     "KWWWWWWWWWWWWWWK",
     "KWWWWWWWWWWWWWWK",
     "KWWWWWWWWWWWWWWK",
     "KWWWWWWWWWWWWWWK",
     "KWWWWWWWWWWWWWWK",
     "KWWWWWWWWWWWWWWK",
     "KWWWWWWWWWKWWWWK",
     "KWWWWWWWWWWKWWWK",
     "KWWWWWWWWWWWKWKK",
     "KWWWWWWWWWWWWKKK",
     "KWWWWWWWWWWKKKKK",
     "KWWWWWWWWWWWWWWK",
     "KKKKKKKKKKKKKKKK"},
    // 4: save (a disk)
    {"................",
     ".KKKKKKKKKKKKKK.",
     ".KNNgggggggNNNK.",
     ".KNNgggggKgNNNK.",
     ".KNNgggggKgNNNK.",
     ".KNNgggggggNNNK.",
     ".KNNNNNNNNNNNNK.",
     ".KNNNNNNNNNNNNK.",
     ".KNWWWWWWWWWWNK.",
     ".KNWKKKKKKKKWNK.",
     ".KNWWWWWWWWWWNK.",
     ".KNWKKKKKKKKWNK.",
     ".KNWWWWWWWWWWNK.",
     ".KNWWWWWWWWWWNK.",
     ".KKKKKKKKKKKKKK.",
     "................"},
};

// The program icon: a week schedule on a sheet, its header in navy and a
// few placed lessons. The SuperTavo icon carries a red corner mark.
std::vector<std::string> SkemaIkon(bool super) {
  std::vector<std::string> r(32, std::string(32, '.'));
  for (int y = 2; y < 30; ++y)
    for (int x = 2; x < 30; ++x) {
      const bool kant = y == 2 || y == 29 || x == 2 || x == 29;
      const bool hoved = y >= 3 && y <= 7;
      const bool streg = (x - 3) % 5 == 4 || (y > 7 && (y - 8) % 4 == 3);
      r[y][x] = kant ? 'K' : hoved ? 'N' : streg ? 'g' : 'W';
    }
  // Lessons (column, row): weekdays across, lesson rows down.
  const int lektioner[][3] = {{0, 0, 'B'}, {0, 1, 'B'}, {1, 2, 'l'}, {2, 0, 'Y'}, {2, 3, 'B'},
                              {3, 1, 'l'}, {3, 2, 'l'}, {4, 4, 'Y'}, {1, 4, 'B'}, {4, 0, 'l'}};
  for (const auto &l : lektioner)
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) r[8 + l[1] * 4 + y][3 + l[0] * 5 + x] = (char)l[2];
  if (super)
    for (int y = 0; y < 11; ++y)
      for (int x = 21 + y; x < 32; ++x) r[y][x] = (y == 0 || x == 31 || x == 21 + y) ? 'r' : 'R';
  return r;
}

// The program's arrow.
const char *const PilMarkoer[] = {
    "K...........", "KK..........", "KWK.........", "KWWK........", "KWWWK.......",
    "KWWWWK......", "KWWWWWK.....", "KWWWWWWK....", "KWWWWWWWK...", "KWWWWWWWWK..",
    "KWWWWWKKKKK.", "KWWKWWK.....", "KWK.KWWK....", "KK..KWWK....", "K....KWWK...",
    ".....KWWK...", "......KK...."};

// A vertical divider, dragged sideways.
const char *const LodretDeler[] = {
    "......KWK.......", "......KWK.......", "......KWK.......", "...K..KWK..K....",
    "..KK..KWK..KK...", ".KWKKKKWKKKKWK..", "KWWWWWWWWWWWWWK.", ".KWKKKKWKKKKWK..",
    "..KK..KWK..KK...", "...K..KWK..K....", "......KWK.......", "......KWK.......",
    "......KWK......."};

// A horizontal divider, dragged up or down.
const char *const VandretDeler[] = {
    "......K......", ".....KWK.....", "....KWWWK....", "...KKKWKKK...", "......WK.....",
    "KKKKKKWKKKKKK", "WWWWWWWWWWWWW", "KKKKKKWKKKKKK", "......WK.....", "...KKKWKKK...",
    "....KWWWK....", ".....KWK.....", "......K......"};

// The pictures beside the priority items of the working-time priority
// menu (bitmaps 168..173 for -3..-1 and 1..3): a red square for avoid, a
// green one for prefer, with as many white bars as the priority's size.
std::vector<std::string> PrioritetBillede(int p) {
  std::vector<std::string> r(13, std::string(13, '.'));
  const char fyld = p < 0 ? 'R' : 'l';
  const int antal = p < 0 ? -p : p;
  for (int y = 1; y < 12; ++y)
    for (int x = 1; x < 12; ++x) r[y][x] = (y == 1 || y == 11 || x == 1 || x == 11) ? 'K' : fyld;
  for (int i = 0; i < antal; ++i)
    for (int x = 3; x < 10; ++x) r[3 + 3 * i][x] = 'W';
  return r;
}

}  // namespace

void RegistrerOrvaneRessourcer() {
  static bool gjort = false;
  if (gjort) return;
  gjort = true;
  RegistrerKnapBilleder();
  RegistrerOrvaneMenuer();
  RegistrerSmaaDialoger();
  RegistrerStatusRessourcer();
  static const std::vector<uint8_t> vaerktoej = LavStripDib(VaerktoejsBilleder, kSoelv);
  tavo::res::RegisterBitmap("orvane", IDB_VAERKTOEJSLINJE, vaerktoej.data(), vaerktoej.size());
  static std::vector<std::vector<uint8_t>> prioriteter;
  prioriteter.reserve(6);
  for (int p : {-3, -2, -1, 1, 2, 3}) {
    prioriteter.push_back(LavStripDib({PrioritetBillede(p)}, kSoelv));
    const int nr = IDB_PRIORITET_FOERSTE + (p < 0 ? p + 3 : p + 2);
    tavo::res::RegisterBitmap("orvane", nr, prioriteter.back().data(), prioriteter.back().size());
  }

  for (bool super : {false, true}) {
    const std::vector<std::string> r = SkemaIkon(super);
    std::vector<const char *> p;
    for (const std::string &s : r) p.push_back(s.c_str());
    tavo::res::RegisterIcon("orvane", super ? IDI_SUPER : IDI_AAMAIN, p.data(), (int)p.size());
  }
  tavo::res::RegisterCursor("orvane", IDC_TAVO, PilMarkoer, 17, 0, 0);
  tavo::res::RegisterCursor("orvane", IDC_LODRET_DELER, LodretDeler, 13, 7, 6);
  tavo::res::RegisterCursor("orvane", IDC_VANDRET_DELER, VandretDeler, 13, 6, 6);
  tavo::res::BindModule("orvane", kOrvaneInstans);
}
