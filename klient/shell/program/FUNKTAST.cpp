// The function-key screens. A screen whose main window is not built yet
// still closes and docks as its key says, then shows the one "not
// available" box for that window.
#include "FUNKTAST.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "DESKTOP.h"
#include "ELEMENT.h"
#include "IKKETILG.h"
#include "INDSTIL.h"
#include "OBJVINDUE.h"
#include "PROGVINDUER.h"
#include "SKAERM.h"
#include "VINDUER.h"

namespace {

constexpr UINT kOenskerBredde = 1024;  // lParam 2: asked first, as the screen's leader
constexpr UINT kOenskerHoejde = 1025;
constexpr int kPlanOpgType = 40271;
constexpr int kHukommelse = 40187, kTimeOpg = 40203;
constexpr int kKalenderKant = 40139, kKalenderBund = 40223;

enum Mod { kIngen, kShift, kShiftCtrl, kCtrl, kAlt, kAndet };

Mod Modifikator(const TastInfo &t) {
  const bool s = t.shift != 0, c = t.ctrl != 0, a = t.alt != 0;
  if (a) return s || c ? kAndet : kAlt;
  if (c) return s ? kShiftCtrl : kCtrl;
  return s ? kShift : kIngen;
}

void Element(int type, bool flag) { TilfoejElementVindue(type, flag); }

// At the desktop's corner, the desktop laid out first.
void Aabn(HWND hoved, int type) {
  if (hwndDesktop) SendMessageA(hwndDesktop, WM_DESKTOP_LAYOUT, 0, 0);
  if (!ObjektVindueTilgaengeligt(type)) {
    IkkeTilgaengelig(hoved, static_cast<UINT>(type));
    return;
  }
  AabnKaskadeVindue(hoved, type, 0, true);
}

int DesktopBredde() { return DesktopRect.right - DesktopRect.left + 1; }
int DesktopHoejde() { return DesktopRect.bottom - DesktopRect.top + 1; }

int Oensker(HWND h, UINT besked, LPARAM lParam) {
  return static_cast<int>(SendMessageA(h, besked, static_cast<WPARAM>(INT_MAX), lParam));
}

// The schedules of one kind by key: the docked column, the windows of no
// modifier, Shift, Ctrl and Alt, and the kind letter of the current week.
const struct SkemaTast {
  UINT Tast;
  int Kolonne;
  int Vinduer[4];
  char Art;
  bool MedOpgoerelse;
} kSkemaTaster[] = {
    {VK_F5, 40009, {40001, 40004, 40132, 40135}, 'K', false},
    {VK_F6, 40011, {40002, 40005, 40133, 40136}, 'M', true},
    {VK_F7, 40013, {40003, 40006, 40134, 40137}, 'L', false},
};

void SkemaSkaerm(HWND hoved, const SkemaTast &s, Mod m) {
  if (m == kIngen || m == kShift) {
    Element(40154, false);
    Element(40176, false);
  } else if (m == kCtrl || m == kAlt) {
    Element(s.Kolonne, false);
    if (GlobalIndstillinger.kalender) Element(kKalenderKant, false);
    Element(40177, false);
    Element(40178, false);
    if (s.MedOpgoerelse) {
      Element(kHukommelse, true);
      Element(kTimeOpg, true);
    }
  }
  switch (m) {
    case kIngen: Aabn(hoved, s.Vinduer[0]); break;
    case kShift: Aabn(hoved, s.Vinduer[1]); break;
    case kShiftCtrl: AabnAktuelUge(hoved, s.Art); break;
    case kCtrl: Aabn(hoved, s.Vinduer[2]); break;
    case kAlt: Aabn(hoved, s.Vinduer[3]); break;
    case kAndet: break;
  }
}

void GantSkaerm(HWND hoved, Mod m) {
  int vindue = 0;
  if (m == kIngen) {
    Element(40009, false);
    vindue = 40146;
  } else if (m == kShift) {
    Element(40011, false);
    Element(kHukommelse, true);
    Element(kTimeOpg, true);
    vindue = 40147;
  } else if (m == kCtrl) {
    Element(40013, false);
    vindue = 40148;
  } else {
    return;
  }
  if (GlobalIndstillinger.kalender) Element(kKalenderKant, false);
  Aabn(hoved, vindue);
}

void StatusSkaerm(HWND hoved, Mod m) {
  if (m == kIngen) Aabn(hoved, 40163);
  else if (m == kShift) Aabn(hoved, 40164);
  else if (m == kCtrl) Aabn(hoved, 40167);
}

void PosteringsSkaerm(HWND hoved, Mod m) {
  if (m == kIngen || m == kShift) {
    Element(kHukommelse, true);
    Element(kTimeOpg, true);
    if (GlobalIndstillinger.kalender) Element(kKalenderBund, true);
    Aabn(hoved, m == kIngen ? 40151 : 40152);
  } else if (m == kCtrl && ElevplanSlaaetTil) {
    AabnElevplanSkaerm(hoved);
  }
}

}  // namespace

void FunktionstastSkaerm(HWND hoved, const TastInfo &tast) {
  LukVinduerUndtagPlan();
  CloseAllElements();
  const Mod m = Modifikator(tast);
  switch (tast.wParam) {
    case VK_F2:
      if (m == kAlt && ff_plan) {
        Element(kHukommelse, true);
        Aabn(hoved, kPlanVindueType);
      }
      break;
    case VK_F5:
    case VK_F6:
    case VK_F7:
      for (const SkemaTast &s : kSkemaTaster)
        if (s.Tast == tast.wParam) SkemaSkaerm(hoved, s, m);
      break;
    case VK_F9: GantSkaerm(hoved, m); break;
    case VK_F10: StatusSkaerm(hoved, m); break;
    case VK_F12: PosteringsSkaerm(hoved, m); break;
    default: break;
  }
  // The plan window stays, with its statement docked under it.
  if (FindVindueType(kPlanVindueType)) Element(kPlanOpgType, true);
}

void AabnAktuelUge(HWND hoved, char art) {
  static const struct {
    char Art;
    int Type;
  } kUger[] = {{'K', 40001}, {'M', 40002}, {'L', 40003}};
  int typer[3], n = 0;
  for (const auto &u : kUger)
    if (u.Art == art) typer[n++] = u.Type;
  if (n == 0) return;
  for (const auto &u : kUger)
    if (u.Art != art) typer[n++] = u.Type;

  HWND v[3];
  for (int i = 0; i < 3; ++i) {
    if (!ObjektVindueTilgaengeligt(typer[i])) {
      IkkeTilgaengelig(hoved, static_cast<UINT>(typer[i]));
      return;
    }
    v[i] = OpretObjektVindue(hoved, typer[i], i == 0 ? 1 : 3, nullptr);
    if (!v[i]) return;
  }
  const int W = DesktopBredde(), Hd = DesktopHoejde();
  long sum = 0;
  for (HWND h : v) sum += Oensker(h, kOenskerBredde, 2);
  if (sum > W) {
    MessageBoxA(hoved, "TAVO vinduet er for lille til at vise dette skærm vindue.\nMaximer TAVO og prøv igen!",
                "Vindue problem", MB_OK | MB_ICONINFORMATION);
    return;
  }
  int b[3], hh[3];
  for (int i = 0; i < 3; ++i) {
    b[i] = std::min(Oensker(v[i], kOenskerBredde, i == 0 ? 2 : 0), W);
    hh[i] = std::min(Oensker(v[i], kOenskerHoejde, 0), Hd);
  }
  // The leader keeps its width; the two others share the rest.
  const int rest = W - b[0];
  if (b[1] < rest / 2 && b[2] < rest / 2) {
    b[1] = b[2] = rest / 2;
  } else if (b[1] <= b[2]) {
    b[2] = rest - b[1];
  } else {
    b[1] = rest - b[2];
  }
  int x = 0;
  for (int i = 0; i < 3; ++i) {
    MoveWindow(v[i], x, 0, b[i], hh[i], TRUE);
    x += b[i];
    SendMessageA(v[i], OBJVINDUE_OPRETTET, 0, 0);
  }
  SendMessageA(v[0], SKAERM_AKTIVER, 0, 0);
}

void AabnElevplanSkaerm(HWND hoved) {
  // Planning, statistics, wishes, overview, teams: the order the later
  // windows need the planning window open for.
  static const int kTyper[5] = {kElevplanType, 40227, 40228, 40226, 40229};
  if (!ObjektVindueTilgaengeligt(kElevplanType)) {
    IkkeTilgaengelig(hoved, static_cast<UINT>(kElevplanType));
    return;
  }
  HWND v[5] = {};
  for (int i = 0; i < 5; ++i)
    if (ObjektVindueTilgaengeligt(kTyper[i])) v[i] = OpretObjektVindue(hoved, kTyper[i], 0, nullptr);
  if (!v[0]) return;

  const int W = DesktopBredde(), Hd = DesktopHoejde();
  int b[5] = {}, h[5] = {};
  for (int i = 0; i < 5; ++i) {
    if (!v[i]) continue;
    b[i] = std::min(Oensker(v[i], kOenskerBredde, 0), W);
    h[i] = std::min(Oensker(v[i], kOenskerHoejde, 0), Hd);
  }
  // Two windows a row: planning and statistics over wishes and the
  // overview, the teams under the overview in its column.
  auto del = [W](int &a, int &c) {
    if (a + c > W) {
      a = std::min(a, W * 2 / 3);
      c = W - a;
    }
  };
  h[0] = std::min(h[0], Hd / 2);
  h[1] = std::min(h[1], Hd / 2);
  del(b[0], b[1]);
  const int top2 = std::max(h[0], h[1]);
  const int rest = Hd - top2;
  del(b[2], b[3]);
  b[4] = std::min(b[4], W - b[2]);
  h[2] = std::min(h[2], rest);
  const int halv = v[4] ? rest / 2 : rest;
  h[3] = std::min(h[3], halv);
  h[4] = std::min(h[4], rest - h[3]);
  const POINT pos[5] = {{0, 0}, {b[0], 0}, {0, top2}, {b[2], top2}, {b[2], top2 + h[3]}};
  for (int i = 0; i < 5; ++i)
    if (v[i]) MoveWindow(v[i], pos[i].x, pos[i].y, b[i], h[i], TRUE);
  SendMessageA(v[0], SKAERM_AKTIVER, 0, 0);
  SendTilAlleVinduer(WM_PAINT, 0, 0, 0);
}
