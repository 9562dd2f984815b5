// The working-time priority window over anfo, meda and medaskeprior. Only
// records of this installation are seen or changed, and a record that
// covers more than the slot being set keeps its other slots.

#include "MEDSKEPRI.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "ENSMUS.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "VISFELT.h"
#include "ressourcer.h"
#include "tavo/assert.h"

namespace {

constexpr const char *kModul = "MEDSKEPRI";
constexpr const char *kKlasse = "MedaSkePriorWndClass";
constexpr const char *kTitel = " Prioritering af medarbejders arbejdstid. ";
constexpr uint8_t kSkrevet = 64;
constexpr uint8_t kSlettet = 8;
constexpr uint8_t kSendt = 16;
constexpr uint32_t kArkiveret = 0x80000000u;
constexpr int kDage = 5;
constexpr int kSlots = 96;

const char *const kDagNavne[kDage] = {"Mandag ", "Tirsdag", "Onsdag ", "Torsdag", "Fredag "};

uint8_t Egen() { return GlobalIndstillinger.insnr; }

MedaskepriorRec *Prior(uint32_t r) {
  return reinterpret_cast<MedaskepriorRec *>(GetRec(&tdmedaskeprior, &tvmedaskeprior, r));
}

bool Lever(const MedaskepriorRec *p) { return p->Status != 0 && !(p->Status & kSlettet) && p->Ejer == Egen(); }

bool Daekker(const MedaskepriorRec *p, uint32_t anfo, uint32_t dag, uint32_t start, uint32_t slut) {
  return p->anfo_id == anfo && p->Ugedag == dag && p->Starttid <= start && p->Sluttid >= slut;
}

void SkrivFlag() {
  if (!GlobalIndstillinger.skemalaast)
    WritePrivateProfileStringA("flag", "exportermedaskeprior", "1", StiTab.szini);
}

// Every cell of the block in order, or the current cell without a block.
template <class Fn>
void HverCelle(const MedaSkePriorWS *ws, bool ogsaaAktuel, Fn fn) {
  uint32_t d1 = ws->BlokDag1, d2 = ws->BlokDag2, s1 = ws->BlokSlot1, s2 = ws->BlokSlot2;
  if (!d1 || !d2 || !s1 || !s2) {
    if (!ogsaaAktuel || !ws->Dage.Aktuel || !ws->Slots.Aktuel) return;
    d1 = d2 = ws->Dage.Aktuel;
    s1 = s2 = ws->Slots.Aktuel;
  }
  if (d1 > d2) std::swap(d1, d2);
  if (s1 > s2) std::swap(s1, s2);
  for (uint32_t d = d1; d <= d2 && d <= ws->Dage.Antal; ++d)
    for (uint32_t s = s1; s <= s2 && s <= ws->Slots.Antal; ++s) fn(d, s);
}

// A live record wider than the slot being set gives its other slots to
// records of their own, so that they keep their priority.
void Del(uint32_t r, uint32_t start, uint32_t slut) {
  const MedaskepriorRec gammel = *Prior(r);
  const uint32_t dele[2][2] = {{gammel.Starttid, start}, {slut, gammel.Sluttid}};
  for (const auto &d : dele) {
    if (d[0] >= d[1]) continue;
    const uint32_t n = NewRec(&tdmedaskeprior, &tvmedaskeprior);
    if (!n) continue;
    MedaskepriorRec ny = gammel;
    ny.Starttid = d[0];
    ny.Sluttid = d[1];
    ny.Status = kSkrevet;
    std::memcpy(Prior(n), &ny, sizeof ny);
    SetRecStatus(&tdmedaskeprior, &tvmedaskeprior, n, kSkrevet);
  }
}

// A free or deleted, unsent record of ours for the cell.
uint32_t FindGenbrug(uint32_t anfo, uint32_t dag, uint32_t start, uint32_t slut) {
  for (uint32_t r = 1; r < tvmedaskeprior.wRecCnt; ++r) {
    const MedaskepriorRec *p = Prior(r);
    if (p->Ejer != Egen() || (p->Status & kSendt)) continue;
    if (p->Status != 0 && !(p->Status & kSlettet)) continue;
    if (Daekker(p, anfo, dag, start, slut)) return r;
  }
  return 0;
}

MedaSkePriorWS *Ws(HWND h) { return reinterpret_cast<MedaSkePriorWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

}  // namespace

// ==================================================================== model

void MedaSkePriorSlotTid(uint32_t startTid, uint32_t minutter, uint32_t slot, uint32_t *start, uint32_t *slut) {
  const uint32_t t = (startTid / 100) * 60 + startTid % 100;
  const uint32_t a = t + (slot ? slot - 1 : 0) * minutter, b = t + slot * minutter;
  *start = (a / 60) * 100 + a % 60;
  *slut = (b / 60) * 100 + b % 60;
}

void ByggMedaSkePriorListe(MedaSkePriorWS *ws) {
  Ens &e = ws->Hoved;
  const uint32_t gammel = MedaSkePriorAnfo(ws);
  std::free(e.ObjTab);
  e.ObjTab = nullptr;
  e.ObjTabAntal = 0;
  ws->Aktuel = 0;
  std::vector<uint32_t> liste(1, 0);
  for (uint32_t n = 1; tvanfo.pbTab && n < tvanfo.wRecCnt; ++n) {
    const AnfoRec *a = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, n));
    if (a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & kArkiveret)) liste.push_back(n);
  }
  const uint32_t antal = static_cast<uint32_t>(liste.size() - 1);
  auto *tab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", kModul, __LINE__);
  std::copy(liste.begin(), liste.end(), tab);
  const SwitchLayout *l = ObjSwitchLayout(kMedaSkePriorListeArt, 'M', 0);
  // The chosen sort field, then the initials (field 1 follows meda_id) and
  // the running number.
  uint32_t felter[3], n = 0;
  if (l && l->SortFelt && l->SortFelt != 1) felter[n++] = l->SortFelt;
  felter[n++] = 1;
  felter[n++] = 2;
  if (antal > 1) SorterPaaFelter('M', tab, antal, &tdanfo, &tvanfo, nullptr, 0, 1, felter, n);
  e.ObjTab = tab;
  e.ObjTabAntal = antal;
  const uint32_t oensket = tvanfo.AktuelRec && tvanfo.AktuelRec < tvanfo.wRecCnt ? tvanfo.AktuelRec : gammel;
  for (uint32_t i = 1; i <= antal; ++i)
    if (tab[i] == oensket) ws->Aktuel = i;
  if (!ws->Aktuel && antal) ws->Aktuel = 1;
}

uint32_t MedaSkePriorAnfo(const MedaSkePriorWS *ws) {
  const Ens &e = ws->Hoved;
  return e.ObjTab && ws->Aktuel && ws->Aktuel <= e.ObjTabAntal ? e.ObjTab[ws->Aktuel] : 0;
}

uint32_t FindMedaSkePrior(const MedaSkePriorWS *ws, uint32_t start, uint32_t slut, uint32_t ugedag) {
  const uint32_t anfo = MedaSkePriorAnfo(ws);
  if (!anfo) return 0;
  for (uint32_t r = 1; r < tvmedaskeprior.wRecCnt; ++r) {
    const MedaskepriorRec *p = Prior(r);
    if (Lever(p) && Daekker(p, anfo, ugedag, start, slut)) return r;
  }
  return 0;
}

uint32_t SaetMedaSkePrior(MedaSkePriorWS *ws, int32_t p) {
  const uint32_t anfo = MedaSkePriorAnfo(ws);
  if (!anfo || !ws->BlokDag1) return 0;
  uint32_t skrevet = 0;
  HverCelle(ws, false, [&](uint32_t d, uint32_t s) {
    uint32_t start, slut;
    MedaSkePriorSlotTid(ws->StartTid, ws->SlotMinutter, s, &start, &slut);
    uint32_t r = FindMedaSkePrior(ws, start, slut, d);
    if (r) Del(r, start, slut);
    if (!r) r = FindGenbrug(anfo, d, start, slut);
    if (!r) r = NewRec(&tdmedaskeprior, &tvmedaskeprior);
    if (!r) return;
    MedaskepriorRec *m = Prior(r);
    m->anfo_id = anfo;
    m->Starttid = start;
    m->Sluttid = slut;
    m->Ugedag = static_cast<uint8_t>(d);
    m->prioritet = p;
    m->Ejer = Egen();
    SetRecStatus(&tdmedaskeprior, &tvmedaskeprior, r, kSkrevet);
    ++skrevet;
  });
  if (skrevet) SkrivFlag();
  return skrevet;
}

uint32_t FjernMedaSkePrior(MedaSkePriorWS *ws) {
  if (!MedaSkePriorAnfo(ws)) return 0;
  uint32_t fjernet = 0;
  HverCelle(ws, true, [&](uint32_t d, uint32_t s) {
    uint32_t start, slut;
    MedaSkePriorSlotTid(ws->StartTid, ws->SlotMinutter, s, &start, &slut);
    const uint32_t r = FindMedaSkePrior(ws, start, slut, d);
    if (!r) return;
    Del(r, start, slut);
    DelRec(&tdmedaskeprior, &tvmedaskeprior, r);
    ++fjernet;
  });
  if (fjernet) SkrivFlag();
  return fjernet;
}

// ==================================================================== painting

namespace {

int CelleX(uint32_t d) { return kMspTidBredde + static_cast<int>(d - 1) * kMspDagBredde; }
int CelleY(uint32_t s) { return kMspInfoHoejde + kMspHovedHoejde + static_cast<int>(s - 1) * kMspSlotHoejde; }
int FuldBredde() { return kMspTidBredde + kDage * kMspDagBredde + 1; }
int FuldHoejde() { return kMspInfoHoejde + kMspHovedHoejde + kSlots * kMspSlotHoejde + 1; }

bool IBlok(const MedaSkePriorWS *ws, uint32_t d, uint32_t s) {
  if (!ws->BlokDag1 || !ws->BlokDag2 || !ws->BlokSlot1 || !ws->BlokSlot2) return false;
  return d >= std::min(ws->BlokDag1, ws->BlokDag2) && d <= std::max(ws->BlokDag1, ws->BlokDag2) &&
         s >= std::min(ws->BlokSlot1, ws->BlokSlot2) && s <= std::max(ws->BlokSlot1, ws->BlokSlot2);
}

// The priorities of the current employment's cells, 0x7F where none.
std::vector<int8_t> Celler(const MedaSkePriorWS *ws) {
  std::vector<int8_t> c(static_cast<size_t>(kDage) * kSlots, 0x7F);
  const uint32_t anfo = MedaSkePriorAnfo(ws);
  if (!anfo) return c;
  std::vector<uint32_t> start(kSlots + 1), slut(kSlots + 1);
  for (uint32_t s = 1; s <= kSlots; ++s) MedaSkePriorSlotTid(ws->StartTid, ws->SlotMinutter, s, &start[s], &slut[s]);
  for (uint32_t r = 1; r < tvmedaskeprior.wRecCnt; ++r) {
    const MedaskepriorRec *p = Prior(r);
    if (!Lever(p) || p->anfo_id != anfo || p->Ugedag < 1 || p->Ugedag > kDage) continue;
    if (p->prioritet < -3 || p->prioritet > 3) continue;
    for (uint32_t s = 1; s <= kSlots; ++s)
      if (p->Starttid <= start[s] && p->Sluttid >= slut[s])
        c[static_cast<size_t>(p->Ugedag - 1) * kSlots + s - 1] = static_cast<int8_t>(p->prioritet);
  }
  return c;
}

void Tekst(HDC dc, int x, int y, const char *t, COLORREF fg, COLORREF bg) {
  SetTextColor(dc, fg);
  SetBkColor(dc, bg);
  SetBkMode(dc, OPAQUE);
  TextOutA(dc, x, y, t, static_cast<int>(std::strlen(t)));
}

}  // namespace

HBRUSH MedaSkePriorBrush(int32_t p) { return FarveBrush[53 - p]; }

static void Tegn(MedaSkePriorWS *ws) {
  HDC dc = GetDC(ws->hwnd);
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  if (TxtFont) SelectObject(dc, TxtFont);
  // The priority brushes are palette indexes.
  if (TavoPalette) {
    SelectPalette(dc, TavoPalette, FALSE);
    RealizePalette(dc);
  }
  FillRectIfAny(dc, FarveBrush[0], 0, 0, rc.right, rc.bottom);
  const COLORREF sort = FarveTab[16], grund = FarveTab[0];
  // The caption line: initials, running number and name.
  if (const uint32_t anfo = MedaSkePriorAnfo(ws)) {
    const AnfoRec *a = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, anfo));
    const MedaRec *m = a ? reinterpret_cast<const MedaRec *>(GetRec(&tdmeda, &tvmeda, a->meda_id)) : nullptr;
    char linje[80];
    std::snprintf(linje, sizeof linje, "%.*s  %.*s  %.*s", m ? int(sizeof m->Initialer) : 0, m ? m->Initialer : "",
                  int(sizeof a->Loebenummer), a->Loebenummer, m ? int(sizeof m->Navn) : 0, m ? m->Navn : "");
    Tekst(dc, 4, 3, linje, sort, grund);
  }
  // Day heads, centred over their columns.
  const int hy = kMspInfoHoejde;
  for (uint32_t d = 1; d <= kDage; ++d) {
    SIZE sz{};
    GetTextExtentPoint32A(dc, kDagNavne[d - 1], 7, &sz);
    Tekst(dc, CelleX(d) + (kMspDagBredde - sz.cx) / 2, hy + 2, kDagNavne[d - 1], sort, grund);
  }
  HPEN pen = CreatePen(PS_SOLID, 1, FarveTab[16]);
  HGDIOBJ gammel = SelectObject(dc, pen);
  // The time column: the time every 15 minutes, a short rule between.
  for (uint32_t s = 1; s <= kSlots; ++s) {
    const int y = CelleY(s);
    if ((s - 1) % 3 == 0) {
      uint32_t start, slut;
      MedaSkePriorSlotTid(ws->StartTid, ws->SlotMinutter, s, &start, &slut);
      char t[8];
      std::snprintf(t, sizeof t, "%02d:%02d", int(start / 100 % 100), int(start % 100));
      Tekst(dc, 2, y, t, sort, grund);
    } else {
      MoveToEx(dc, kMspTidBredde - 6, y, nullptr);
      LineTo(dc, kMspTidBredde - 1, y);
    }
  }
  // Cells.
  const std::vector<int8_t> c = Celler(ws);
  for (uint32_t d = 1; d <= kDage; ++d)
    for (uint32_t s = 1; s <= kSlots; ++s) {
      const int8_t p = c[(d - 1) * kSlots + s - 1];
      HBRUSH b = FarveBrush[0];
      if (d == ws->Dage.Aktuel && s == ws->Slots.Aktuel) b = FarveBrush[1];
      else if (IBlok(ws, d, s)) b = FarveBrush[2];
      else if (p != 0x7F) b = MedaSkePriorBrush(p);
      FillRectIfAny(dc, b, CelleX(d), CelleY(s), CelleX(d) + kMspDagBredde - 1, CelleY(s) + kMspSlotHoejde);
    }
  // Column rules and the frame of the grid.
  for (uint32_t d = 1; d <= kDage + 1; ++d) {
    MoveToEx(dc, CelleX(d) - 1, hy, nullptr);
    LineTo(dc, CelleX(d) - 1, CelleY(kSlots + 1));
  }
  MoveToEx(dc, kMspTidBredde - 1, CelleY(1) - 1, nullptr);
  LineTo(dc, CelleX(kDage + 1), CelleY(1) - 1);
  SelectObject(dc, gammel);
  DeleteObject(pen);
  ReleaseDC(ws->hwnd, dc);
}

// ==================================================================== keys, mouse

namespace {

void Ryd(MedaSkePriorWS *ws) { ws->BlokDag1 = ws->BlokSlot1 = ws->BlokDag2 = ws->BlokSlot2 = 0; }

void NyAnsaettelse(MedaSkePriorWS *ws, int retning) {
  const uint32_t antal = ws->Hoved.ObjTabAntal;
  if (!antal) return;
  uint32_t i = ws->Aktuel ? ws->Aktuel : 1;
  if (retning < 0 && i > 1) --i;
  if (retning > 0 && i < antal) ++i;
  ws->Aktuel = i;
  Ryd(ws);
  tvanfo.AktuelRec = ws->Hoved.ObjTab[i];
}

void VisMenu(MedaSkePriorWS *ws) {
  if (!MedaSkePriorAnfo(ws) || !ws->BlokDag1) return;
  HMENU m = CreatePopupMenu();
  if (!m) return;
  std::vector<HBITMAP> billeder;
  for (int p = -3; p <= 3; ++p) {
    char t[24];
    if (p) std::snprintf(t, sizeof t, "prioritet %d", p);
    else std::snprintf(t, sizeof t, "Fjern proritering");
    AppendMenuA(m, MF_STRING, static_cast<UINT_PTR>(static_cast<UINT>(p)), t);
    if (!p) continue;
    const int nr = IDB_PRIORITET_FOERSTE + (p < 0 ? p + 3 : p + 2);
    if (HBITMAP b = LoadBitmapA(hInst, MAKEINTRESOURCEA(nr))) {
      billeder.push_back(b);
      SetMenuItemBitmaps(m, static_cast<UINT>(p), MF_BYCOMMAND, b, b);
    }
  }
  POINT pt{CelleX(std::min(ws->BlokDag1, ws->BlokDag2)), CelleY(std::min(ws->BlokSlot1, ws->BlokSlot2))};
  ClientToScreen(ws->hwnd, &pt);
  TrackPopupMenu(m, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0, ws->hwnd, nullptr);
  DestroyMenu(m);
  for (HBITMAP b : billeder) DeleteObject(b);
}

void Kommando(MedaSkePriorWS *ws, int p) {
  if (p) SaetMedaSkePrior(ws, p);
  else FjernMedaSkePrior(ws);
  Ryd(ws);
}

// Moves the current cell; with Shift the block grows from where it began.
void Flyt(MedaSkePriorWS *ws, int dd, int ds) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const uint32_t d0 = ws->Dage.Aktuel, s0 = ws->Slots.Aktuel;
  const int d = std::clamp(static_cast<int>(d0) + dd, 1, kDage), s = std::clamp(static_cast<int>(s0) + ds, 1, kSlots);
  if (shift) {
    if (!ws->BlokDag1) {
      ws->BlokDag1 = d0;
      ws->BlokSlot1 = s0;
    }
    ws->BlokDag2 = static_cast<uint32_t>(d);
    ws->BlokSlot2 = static_cast<uint32_t>(s);
  } else {
    Ryd(ws);
  }
  ws->Dage.Aktuel = static_cast<uint32_t>(d);
  ws->Slots.Aktuel = static_cast<uint32_t>(s);
}

bool Tast(HWND h, MedaSkePriorWS *ws, WPARAM tast) {
  switch (tast) {
    case VK_RETURN:
      VisMenu(ws);
      return true;
    case VK_ESCAPE:
    case 'S':
      DestroyWindow(h);
      return false;
    case VK_SPACE:
      if (ws->BlokDag1) {
        Ryd(ws);
      } else if (ws->Dage.Aktuel && ws->Slots.Aktuel) {
        ws->BlokDag1 = ws->BlokDag2 = ws->Dage.Aktuel;
        ws->BlokSlot1 = ws->BlokSlot2 = ws->Slots.Aktuel;
      }
      return true;
    case VK_LEFT: Flyt(ws, -1, 0); return true;
    case VK_RIGHT: Flyt(ws, 1, 0); return true;
    case VK_UP: Flyt(ws, 0, -1); return true;
    case VK_DOWN: Flyt(ws, 0, 1); return true;
    case VK_PRIOR: NyAnsaettelse(ws, -1); return true;
    case VK_NEXT: NyAnsaettelse(ws, 1); return true;
    case VK_DELETE:
      FjernMedaSkePrior(ws);
      Ryd(ws);
      return true;
  }
  GridPos raekker{ws->Hoved.ObjTabAntal, 1, ws->Hoved.ObjTabAntal, ws->Aktuel};
  if (EnsTypeAhead(&ws->Hoved, &raekker, static_cast<UINT>(tast)) && raekker.Aktuel != ws->Aktuel) {
    ws->Aktuel = raekker.Aktuel;
    Ryd(ws);
    tvanfo.AktuelRec = MedaSkePriorAnfo(ws);
    return true;
  }
  return false;
}

// The day and slot under a client point, each 0 outside its axis.
void Punkt(LPARAM lParam, uint32_t *d, uint32_t *s) {
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  *d = *s = 0;
  if (x >= kMspTidBredde && x < CelleX(kDage + 1)) *d = static_cast<uint32_t>((x - kMspTidBredde) / kMspDagBredde + 1);
  if (y >= CelleY(1) && y < CelleY(kSlots + 1)) *s = static_cast<uint32_t>((y - CelleY(1)) / kMspSlotHoejde + 1);
}

bool Aktiver(HWND h, MedaSkePriorWS *ws) {
  if (ws->Aktiv) return true;
  HWND parent = GetParent(h);
  if (parent && !SendMessageA(parent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) return false;
  ws->Aktiv = 1;
  if (parent) SendMessageA(parent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  return IsWindow(h) && Ws(h) == ws;
}

void Tryk(HWND h, MedaSkePriorWS *ws, LPARAM lParam) {
  if (!Aktiver(h, ws)) return;
  uint32_t d, s;
  Punkt(lParam, &d, &s);
  const int y = static_cast<short>(HIWORD(lParam));
  if (!d && !s) return;
  if (y < kMspInfoHoejde) return;
  Ryd(ws);
  if (d) ws->Dage.Aktuel = d;
  if (s) ws->Slots.Aktuel = s;
  if (d && s) {
    ws->Traekker = 1;
    SetCapture(h);
  }
}

void Traek(MedaSkePriorWS *ws, LPARAM lParam) {
  const int x = std::clamp<int>(static_cast<short>(LOWORD(lParam)), kMspTidBredde, CelleX(kDage + 1) - 1);
  const int y = std::clamp<int>(static_cast<short>(HIWORD(lParam)), CelleY(1), CelleY(kSlots + 1) - 1);
  uint32_t d, s;
  Punkt(MAKELPARAM(x, y), &d, &s);
  if (d == ws->Dage.Aktuel && s == ws->Slots.Aktuel && !ws->BlokDag1) return;
  ws->BlokDag1 = ws->Dage.Aktuel;
  ws->BlokSlot1 = ws->Slots.Aktuel;
  ws->BlokDag2 = d;
  ws->BlokSlot2 = s;
}

void Frigiv(MedaSkePriorWS *ws) {
  std::free(ws->Hoved.ObjTab);
  std::free(ws);
}

}  // namespace

LRESULT CALLBACK MedaSkePriorWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<MedaSkePriorWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    ws->hwnd = h;
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
    return 0;
  }
  MedaSkePriorWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY:
      SetWindowLongPtrA(h, GWLP_USERDATA, 0);
      if (GetCapture() == h) ReleaseCapture();
      Frigiv(ws);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      Tegn(ws);
      return 0;
    }
    case WM_KEYDOWN:
      if (Tast(h, ws, wParam)) Tegn(ws);
      return 0;
    case WM_CHAR:
      // 's' closes as the key command of the letter does; the key itself
      // comes as 'S' to WM_KEYDOWN.
      return 0;
    case WM_COMMAND: {
      const int p = static_cast<short>(LOWORD(wParam));
      if (HIWORD(wParam) == 0 && lParam == 0 && p >= -3 && p <= 3) {
        Kommando(ws, p);
        Tegn(ws);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a second press soon after the first is a press too
      Tryk(h, ws, lParam);
      if (IsWindow(h) && Ws(h) == ws) Tegn(ws);
      return 0;
    case WM_MOUSEMOVE:
      if (ws->Traekker && (wParam & MK_LBUTTON)) {
        Traek(ws, lParam);
        Tegn(ws);
      }
      return 0;
    case WM_LBUTTONUP:
      if (ws->Traekker) {
        Traek(ws, lParam);
        ws->Traekker = 0;
        if (GetCapture() == h) ReleaseCapture();
        Tegn(ws);
      }
      return 0;
    case WM_CAPTURECHANGED:
      ws->Traekker = 0;
      return 0;
    case VINDUE_DEAKTIVER:
      ws->Aktiv = 0;
      return 0;
    case VINDUE_AKTIVER:
      ws->Aktiv = 1;
      return 0;
    case AKTUEL_AENDRET:
      ByggMedaSkePriorListe(ws);
      Tegn(ws);
      return 0;
    case ENS_BREDDE: {
      const int plads = static_cast<int>(wParam);
      return std::max(std::min(FuldBredde() + 2 * GetSystemMetrics(SM_CXFRAME), plads),
                      kMspTidBredde + kMspMindsteBreddeTillaeg);
    }
    case ENS_HOEJDE: {
      const int plads = static_cast<int>(wParam);
      const int fuld = FuldHoejde() + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
      return std::max(std::min(fuld, plads), kMspMindsteHoejde);
    }
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerMedaSkePriorKlasse(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = MedaSkePriorWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(inst, MAKEINTRESOURCEA(IDC_TAVO));
  wc.hbrBackground = FarveBrush[0];
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

HWND CreateMedaSkePriorWnd(HWND desktop, int venstre, int top, int hoejre, int bund) {
  auto *ws = static_cast<MedaSkePriorWS *>(std::calloc(1, sizeof(MedaSkePriorWS)));
  if (!ws) return 0;
  ws->ObjBogstav = 'M';
  ws->StartTid = 800;
  ws->SlotMinutter = 5;
  ws->Dage = GridPos{kDage, 1, kDage, 1};
  ws->Slots = GridPos{kSlots, 1, kSlots, 1};
  {
    const TabDesc *pTd = nullptr;
    TabVar *pTv = nullptr;
    if (TabFromType('M', &pTd, &pTv) == 0) {
      ws->Hoved.pTd = pTd;
      ws->Hoved.pTv = pTv;
    }
  }
  ws->Hoved.hInstance = hInst;
  ws->Hoved.hwndParent = desktop;
  std::snprintf(ws->Hoved.Titel, sizeof ws->Hoved.Titel, "%s", kTitel);
  ByggMedaSkePriorListe(ws);
  const int b = std::max(std::min(FuldBredde() + 2 * GetSystemMetrics(SM_CXFRAME), std::max(hoejre - venstre, 0)),
                         kMspTidBredde + kMspMindsteBreddeTillaeg);
  const int fuld = FuldHoejde() + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
  const int h = std::max(std::min(fuld, std::max(bund - top, 0)), kMspMindsteHoejde);
  HWND hwnd = CreateWindowExA(0, kKlasse, kTitel, WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_CLIPSIBLINGS, venstre,
                              top, b, h, desktop, static_cast<HMENU>(kMedaSkePriorType),
                              hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) Frigiv(ws);
    return 0;
  }
  return hwnd;
}

MedaSkePriorWS *MedaSkePriorVinduesWS(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  char klasse[32] = "";
  GetClassNameA(hwnd, klasse, sizeof klasse);
  return std::strcmp(klasse, kKlasse) == 0 ? Ws(hwnd) : nullptr;
}
