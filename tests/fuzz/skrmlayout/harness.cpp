// The screen layouts of ini\skrm.ini: an input whose first byte is odd is
// the file's text as it stands; an even one gives the records themselves
// ("array", "section", then the eight element keys, as far as the bytes
// reach), written with their checksums. The second byte picks the layout
// rectangle, a tiny one included. The layout read must keep the tables'
// limits; fitted, measured and written again it must read back unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "ELEMENT.h"
#include "FONTE.h"
#include "PROGVINDUER.h"

namespace {

std::string gFil, gIgen;
std::string gMappe;

void Ryd() {
  std::error_code ec;
  std::filesystem::remove_all(gMappe, ec);
}

bool Forbered() {
  std::string skabelon = (std::filesystem::temp_directory_path() / "fuzzskrmXXXXXX").string();
  if (mkdtemp(skabelon.data()) == nullptr) return false;
  gMappe = skabelon;
  atexit(Ryd);
  gFil = gMappe + "/skrm.ini";
  gIgen = gMappe + "/igen.ini";
  TitelBaand = 14;
  return true;
}

void Tom() {
  std::memset(DeskTab, 0, sizeof DeskTab);
  std::memset(SectionTab, 0, sizeof SectionTab);
  std::memset(ElementTab, 0, sizeof ElementTab);
}

void Krav(bool ok) {
  if (!ok) abort();
}

// Counts within the limits, every record in its slot, titles ended, sizes
// not negative, and the entries beyond the counts empty.
void TjekGraenser() {
  static const ElementCelle tomCelle{};
  static const SectionRec tomSektion{};
  for (int d = 0; d < kAntalDesks; ++d) {
    const int n = DeskTab[d].AntalSektioner;
    Krav(n >= 0 && n <= kSektionerPrDesk);
    for (int s = 0; s < kSektionerPrDesk; ++s) {
      const SectionRec &r = Sektion(d, s);
      if (s >= n) Krav(std::memcmp(&r, &tomSektion, sizeof r) == 0);
      else
        Krav(r.Desk == (uint32_t)d && r.Sektion == (uint32_t)s && r.Tykkelse >= 1 && r.Tykkelse <= kMaksLaengde &&
             r.AntalCeller >= 1 && r.AntalCeller <= kCellerPrSektion && r.hwndDivider == 0);
      for (int k = 0; k < kCellerPrSektion; ++k) {
        const ElementCelle &c = Celle(d, s, k);
        if (s >= n || k >= r.AntalCeller) {
          Krav(std::memcmp(&c, &tomCelle, sizeof c) == 0);
          continue;
        }
        Krav(c.Desk == (uint32_t)d && c.Sektion == (uint32_t)s && c.Nr == (uint32_t)k);
        Krav(std::memchr(c.Titel, 0, sizeof c.Titel) != nullptr);
        Krav(c.Laengde >= 0 && c.IndholdLangs >= 0 && c.IndholdTvaers >= 0);
        Krav(c.hwndElement == 0 && c.hwndObjekt == 0 && c.hwndLuk == 0 && c.hwndStr == 0 && c.hwndDivider == 0);
      }
    }
  }
}

// Every question the window code asks of a layout.
void Brug() {
  FitElementsToDesk();
  for (int d = 0; d < kAntalDesks; ++d) {
    for (int s = 0; s < kSektionerPrDesk; ++s) {
      SektionPlads(d, s);
      SektionDividerPlads(d, s);
      for (int k = 0; k < kCellerPrSektion; ++k) {
        CellePlads(d, s, k);
        CelleDividerPlads(d, s, k);
        ObjektPlads(d, s, k);
        LukKnapPlads(d, s, k);
        StrKnapPlads(d, s, k);
      }
    }
    for (int32_t m : {0, 50, 400, kMaksPixel}) ChooseSection(d, m, m);
    FitDeskCells(d);
  }
  CountElements();
}

void SkrivPoster(const uint8_t *data, size_t size) {
  std::filesystem::remove(gFil);
  auto post = [&](const char *noegle, size_t n) {
    if (size < n) {
      size = 0;
      return;
    }
    std::vector<uint8_t> b(data, data + n);
    WritePrivateProfileStructA("skrm1", noegle, b.data(), (UINT)n, gFil.c_str());
    data += n;
    size -= n;
  };
  post("array", sizeof DeskTab);
  post("section", sizeof SectionTab);
  for (const char *k : {"element00", "element01", "element10", "element11", "element20", "element21", "element30",
                        "element31"})
    post(k, sizeof(ElementCelle) * kCellerPrSektion);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool klar = Forbered();
  if (!klar || size < 2) return 0;
  static const RECT rektangler[4] = {{1, 1, 997, 697}, {1, 1, 1917, 1037}, {1, 1, 300, 200}, {1, 1, -2, -2}};
  LayoutRect = rektangler[data[1] & 3];
  if (data[0] & 1) {
    std::ofstream(gFil, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data + 2),
                                                                   (std::streamsize)(size - 2));
  } else {
    SkrivPoster(data + 2, size - 2);
  }
  Tom();
  LaesSkrmLayout(gFil.c_str(), 1);
  TjekGraenser();
  Brug();
  TjekGraenser();

  // Written and read again, the fitted layout comes back as it was; only
  // the desk lengths are measured anew.
  DeskRec desks[kAntalDesks];
  SectionRec sektioner[kAntalSektioner];
  ElementCelle celler[kAntalCeller];
  std::memcpy(desks, DeskTab, sizeof desks);
  std::memcpy(sektioner, SectionTab, sizeof sektioner);
  std::memcpy(celler, ElementTab, sizeof celler);
  std::filesystem::remove(gIgen);
  Krav(SkrivSkrmLayout(gIgen.c_str(), 1));
  Tom();
  Krav(LaesSkrmLayout(gIgen.c_str(), 1));
  for (int d = 0; d < kAntalDesks; ++d) Krav(DeskTab[d].AntalSektioner == desks[d].AntalSektioner);
  Krav(std::memcmp(sektioner, SectionTab, sizeof sektioner) == 0);
  Krav(std::memcmp(celler, ElementTab, sizeof celler) == 0);
  Tom();
  return 0;
}
