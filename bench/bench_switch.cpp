// A list window's rows painted through the field switches against the same
// texts filled and drawn by hand, side by side on one DC in one run: 2,000
// rows of a six-column layout of stored fields over the large made-up
// school's activities. Prints "<figure> <value> <unit>" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "FARVER.h"
#include "KATALOG.h"
#include "SKOLEDATA.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "windows.h"

namespace {

using Klok = std::chrono::steady_clock;

constexpr uint32_t kRaekker = 2000;
constexpr uint32_t kArt = 46;
constexpr int kHoejde = 11;
constexpr int kSynlige = 50;  // rows of the bitmap; row i is drawn at i mod 50

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_switch: %s\n", hvad);
  exit(1);
}

double Ms(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

}  // namespace

int main() {
  char skabelon[] = "/tmp/bench_switch_XXXXXX";
  if (!mkdtemp(skabelon)) Stop("ingen midlertidig mappe");
  const std::filesystem::path rod = skabelon;
  SetInitTabFn(InitTab);
  SkoleStoerrelse st;
  if (!SkoleStoerrelseFraNavn("large", &st)) Stop("ingen stor skole");
  st.Skemaraekker = st.Timeposter = 0;  // the activities are what is drawn
  std::string fejl;
  if (LavSkoleData(skabelon, st, 1, &fejl) != 0) Stop(fejl.c_str());

  // Six stored fields as the shipped lists lay them out: air before the
  // text and a line after it.
  std::ofstream(rod / "ini" / "TavoSwt.ini") << "[ObjectSwitchField]\n"
                                                "46,K,0,1,0,2,0,0,15,0,1,T,0\n"
                                                "46,K,0,5,0,2,0,0,10,0,1,T,0\n"
                                                "46,K,0,8,0,2,0,0,15,0,1,T,0\n"
                                                "46,K,0,10,0,2,0,0,8,0,1,N,0\n"
                                                "46,K,0,14,0,2,0,0,8,0,1,N,0\n"
                                                "46,K,0,52,0,2,0,0,3,0,1,N,0\n";
  LaesSwitchIni();
  if (ObjSwitchFeltAntal(kArt, 'K', 0) != 6) Stop("layoutet mangler");
  farver_intern::InitPaletteDybde(32);

  std::vector<uint32_t> rec;
  for (uint32_t r = 1; r < tvakti.wRecCnt && rec.size() < kRaekker; ++r) rec.push_back(r);
  while (rec.size() < kRaekker) rec.push_back(rec[rec.size() % 1000 + 1]);

  // The baseline's texts, made before its clock starts.
  struct Celle {
    int x, w;
    std::string tekst;
  };
  std::vector<std::vector<Celle>> celler(kRaekker);
  for (uint32_t i = 0; i < kRaekker; ++i) {
    int x = 0;
    for (uint32_t f = 0; f < 6; ++f) {
      char tekst[kSwitchTekstLen];
      ObjSwitchCelleTekst(kArt, 'K', 0, f, &tdakti, &tvakti, rec[i], nullptr, tekst, nullptr);
      const int w = static_cast<int>(ObjSwitchFeltBredde(kArt, 'K', 0, f));
      celler[i].push_back({x, w, std::string(tekst, ObjSwitchFeltTegn(kArt, 'K', 0, f))});
      x += w;
    }
  }

  EnsDC dc{};
  dc.hdc = CreateCompatibleDC(0);
  HBITMAP bm = CreateCompatibleBitmap(dc.hdc, static_cast<int>(ObjSwitchBredde(kArt, 'K', 0)), kSynlige * kHoejde);
  SelectObject(dc.hdc, bm);
  SelectPalette(dc.hdc, TavoPalette, FALSE);
  HFONT font = CreateFontA(kHoejde, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, FIXED_PITCH, "Courier New");
  SelectObject(dc.hdc, font);
  dc.TekstFarve = dc.BkFarve = kIngenFarve;

  auto Switch = [&] {
    for (uint32_t i = 0; i < kRaekker; ++i)
      TegnObjSwitchRaekke(&dc, 0, static_cast<int>(i % kSynlige) * kHoejde, 0, kArt, 'K', 0, &tdakti, &tvakti,
                          rec[i], nullptr);
  };
  auto Plain = [&] {
    SetBkMode(dc.hdc, TRANSPARENT);
    for (uint32_t i = 0; i < kRaekker; ++i) {
      const int y = static_cast<int>(i % kSynlige) * kHoejde;
      for (const Celle &c : celler[i]) {
        const RECT r{c.x, y, c.x + c.w, y + kHoejde};
        FillRect(dc.hdc, &r, FarveBrush[0]);
        TextOutA(dc.hdc, c.x + 2, y, c.tekst.data(), static_cast<int>(c.tekst.size()));
      }
    }
    SetBkMode(dc.hdc, OPAQUE);
  };

  Switch();
  Plain();
  std::vector<double> s, p;
  for (int runde = 0; runde < 7; ++runde) {
    auto t0 = Klok::now();
    Switch();
    auto t1 = Klok::now();
    Plain();
    auto t2 = Klok::now();
    s.push_back(Ms(t0, t1));
    p.push_back(Ms(t1, t2));
  }
  std::sort(s.begin(), s.end());
  std::sort(p.begin(), p.end());
  const double ms = s[s.size() / 2], mp = p[p.size() / 2];
  printf("switch-row-paint-ms %.2f ms\n", ms);
  printf("plain-text-paint-ms %.2f ms\n", mp);
  printf("switch-row-paint-vs-plain-text %.2f ratio\n", ms / mp);

  DeleteDC(dc.hdc);
  DeleteObject(font);
  DeleteObject(bm);
  FrigivSwitchTab();
  std::filesystem::remove_all(rod);
  return 0;
}
