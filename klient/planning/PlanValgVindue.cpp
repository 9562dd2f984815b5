// The plan selection window: creation on the desktop, the list it shows,
// marking with its reports to the owner, the keys, the mouse and the end.
// The owner (the plan window) rebuilds its plan inside a report and may
// end this window there, so every report is followed by a check that the
// window still holds its workspace.

#include "PlanValgVindue.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "BRIKIND.h"
#include "DATO.h"
#include "ENSMUS.h"
#include "FF_GRUPPE.h"
#include "FF_PlanUtil.h"
#include "FF_VALG.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "PLAN.h"
#include "PROGVINDUER.h"
#include "PlanVindue.h"
#include "RECPRED.h"
#include "SKEBEG.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

constexpr int kBundStrimmel = 22;             // the bottom line: the toolbar's pane
constexpr uint32_t kEgenGruppe = 0x20;        // group 5, the own list's mask but for employees
constexpr uint32_t kUdenGraense = 0x7FFFFFFF; // the limit that asks for the whole size
constexpr int kMindsteBredde = 150;
constexpr int kMindsteHoejde = 100;
constexpr int kRaekke = 12;                   // 11 pixels and the line under a row
constexpr int kKnapHoejde = 16;
constexpr uint8_t kMarkeret = 0x01;
constexpr uint8_t kSpaerret = 0x1E;

PVWS *Ws(HWND h) { return reinterpret_cast<PVWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
bool Lever(const PVWS *v, HWND h) { return IsWindow(h) && Ws(h) == v; }

uint8_t Byte(uint32_t v) { return static_cast<uint8_t>(std::min<uint32_t>(v, 255)); }

const char *TitelAf(uint8_t bogstav) {
  switch (bogstav) {
    case 'K': return " Valg af aktiviteter";
    case 'L': return " Valg af lokaler";
    case 'M': return " Valg af medarbejdere";
    case 'R': return " Valg af ringetid";
    case 'U': return " Valg af skolefag";
  }
  return " ";
}

// The letter of the mark reports: raised when the list asks for it.
WPARAM RapportBogstav(const PVWS *v) {
  const bool haevet = v->ListeMode && v->pValgListe && v->pValgListe->Ubrugt[0] != 0;
  return static_cast<WPARAM>(v->Bogstav + (haevet ? kPlanValgHaevet : 0));
}

void LaesLayoutValg(PVWS *v) {
  const uint8_t b = v->Bogstav;
  // A kind above the plan's own has no chosen layout here.
  v->ListeValgt = v->ListeArt > 115 ? 0 : Byte(ObjSwitchValgt(v->ListeArt, b));
  v->ListeLayoutAntal = Byte(ObjSwitchAntal(v->ListeArt, b));
  v->MaerkeValgt = Byte(ObjSwitchValgt(kValgMaerkeArt, b));
  v->MaerkeLayoutAntal = Byte(ObjSwitchAntal(kValgMaerkeArt, b));
  v->TitelValgt = Byte(ObjSwitchValgt(v->TitelArt, b));
  v->TitelLayoutAntal = Byte(ObjSwitchAntal(v->TitelArt, b));
}

uint32_t MaerkeBredde(const PVWS *v) {
  return v->MaerkeGraense ? ObjSwitchBredde(kValgMaerkeArt, v->Bogstav, v->MaerkeValgt) : 0;
}

// The size wanted, at least the least size, but never beyond the limit.
int Begraens(int64_t oenske, uint32_t graense, int64_t mindst) {
  return static_cast<int>(std::min<int64_t>(std::min<int64_t>(std::max(oenske, mindst), graense), INT_MAX));
}

uint32_t AntalLevende(const TabDesc *pTd, const TabVar *pTv) {
  if (!pTd || !pTv || !pTv->pbTab) return 0;
  const uint32_t off = pTd->FeltTab[pTd->StatusFelt].Offset;
  uint32_t n = 0;
  for (uint32_t i = 0; i < pTv->wRecCnt; ++i) {
    const uint8_t s = pTv->pbTab[static_cast<size_t>(i) * pTd->RecSize + off];
    n += s >= 10 && s <= 29;
  }
  return n;
}

int U32Felt(const TabDesc *pTd, const char *navn) {
  for (int i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i) {
    const FeltDef &f = pTd->FeltTab[i];
    if (f.Size == 4 && f.Offset + 4 <= pTd->RecSize && std::strcmp(f.Navn, navn) == 0) return i;
  }
  return -1;
}

uint32_t LaesU32(const uint8_t *rec, const TabDesc *pTd, int felt) {
  uint32_t v;
  std::memcpy(&v, rec + pTd->FeltTab[felt].Offset, 4);
  return v;
}

Uge UgeAf(Dato d) {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(d, &u, &dag);
  return u;
}

// Grows a zero-filled array to at least `antal` elements; false without
// memory (the array unchanged).
template <class T>
bool Voks(T *&tab, uint32_t &plads, uint32_t antal) {
  if (tab && plads >= antal) return true;
  T *ny = static_cast<T *>(std::realloc(tab, sizeof(T) * std::max<uint32_t>(antal, 1)));
  if (!ny) return false;
  if (antal > plads) std::memset(ny + plads, 0, sizeof(T) * (antal - plads));
  tab = ny;
  plads = antal;
  return true;
}

// The mark bytes follow the table, which may have grown since the window
// opened.
void VoksMaerker(PVWS *v) {
  if (!v->ens.pTv) return;
  uint8_t *m = v->Maerker;
  uint32_t plads = v->MaerkeAntal;
  if (Voks(m, plads, std::max(uint32_t{v->ens.pTv->wRecCnt}, uint32_t{1}))) {
    v->Maerker = m;
    v->MaerkeAntal = plads;
  }
}

Plan *EjerPlan(const PVWS *v) {
  return v->hwndEjer ? reinterpret_cast<Plan *>(SendMessageA(v->hwndEjer, REL_PLAN_TILSTAND, 0, 0)) : nullptr;
}

void ByggEgenListe(PVWS *v) {
  Ens &e = v->ens;
  e.ObjTabAntal = 0;
  const TabDesc *pTd = e.pTd;
  const TabVar *pTv = e.pTv;
  if (!pTd || !pTv || !pTv->pbTab) return;
  uint32_t *obj = e.ObjTab;
  uint32_t plads = v->ObjTabPladser;
  if (Voks(obj, plads, pTv->wRecCnt + 1)) {
    e.ObjTab = obj;
    v->ObjTabPladser = plads;
  }
  if (!e.ObjTab || v->ObjTabPladser < 2) return;
  const uint32_t antalRec = std::min(uint32_t{pTv->wRecCnt}, v->ObjTabPladser - 1);
  const uint32_t statusOff = pTd->FeltTab[pTd->StatusFelt].Offset;
  const int fra = U32Felt(pTd, "Fradato"), til = U32Felt(pTd, "Tildato"), gruppe = U32Felt(pTd, "Gruppe");
  // An owner that gave no period filters nothing by weeks.
  const bool uger = v->FraUge != 0 || v->TilUge != 0;
  uint32_t antal = 0;
  for (uint32_t i = 1; i < antalRec; ++i) {
    if (v->Bogstav == 'K' && !IsOvakAkti(i)) continue;
    const uint8_t *rec = pTv->pbTab + static_cast<size_t>(i) * pTd->RecSize;
    const uint8_t status = rec[statusOff];
    if (status < 10 || status > 29) continue;
    if (uger && fra >= 0 && UgeAf(LaesU32(rec, pTd, fra)) > v->TilUge) continue;
    if (uger && til >= 0 && UgeAf(LaesU32(rec, pTd, til)) < v->FraUge) continue;
    if (gruppe >= 0 && (LaesU32(rec, pTd, gruppe) & v->GruppeMaske) == 0) continue;
    e.ObjTab[++antal] = i;
  }
  e.ObjTabAntal = antal;
  if (antal > 1)
    SorterPaaFelter(static_cast<char>(v->Bogstav), e.ObjTab, antal, pTd, pTv, nullptr, 0, 1, {1, 0});
}

// The list's records, those without a live membership of the owner's plan
// group flagged and sorted after the others.
void ByggListe(PVWS *v) {
  Ens &e = v->ens;
  ValgListe *l = v->pValgListe;
  e.ObjTab = l ? l->ObjTab : nullptr;
  e.ObjTabAntal = l && l->ObjTab ? l->Antal : 0;
  if (!l || !e.pTv) return;
  const uint32_t antalRec = std::max(uint32_t{e.pTv->wRecCnt}, uint32_t{1});
  if (l->MaerkeAntal < antalRec) {
    auto *m = static_cast<uint8_t *>(std::realloc(l->Maerker, antalRec));
    if (!m) return;
    l->Maerker = m;
    l->MaerkeAntal = antalRec;
  }
  std::memset(l->Maerker, 0, l->MaerkeAntal);
  const Plan *plan = EjerPlan(v);
  if (!plan || !Lever(v, v->hwnd)) return;
  const char art = v->Bogstav == 'K' ? 'K' : 'M';
  for (uint32_t p = 1; p <= e.ObjTabAntal; ++p) {
    const uint32_t rec = e.ObjTab[p];
    if (rec < l->MaerkeAntal) l->Maerker[rec] = FindPgRel(plan->AktPlanGruppe, rec, art) == 0 ? 1 : 0;
  }
  if (e.ObjTabAntal > 1) {
    const uint32_t felter[2] = {1, 0};
    SorterMarkeredeSidst(static_cast<char>(v->Bogstav), e.ObjTab, e.ObjTabAntal, e.pTd, e.pTv, nullptr, 0, 1,
                         l->Maerker, l->MaerkeAntal, felter, 2);
  }
}

// For employees while an event with a subject and an activity is being
// entered: the plan's suggestion, else the first row whose employee fits
// the subject. 0 when none.
uint32_t StartMedarbejder(PVWS *v) {
  const AVS &avs = AktuelAVS;
  if (avs.skfa_id == 0 || avs.aktiAntal == 0 || !avs.aktiTab || avs.aktiTab[0] == 0) return 0;
  const HWND h = v->hwnd;
  const uint32_t forslag = v->hwndEjer ? PlanForeslaaMedarbejder(v->hwndEjer) : 0;
  if (!Lever(v, h)) return 0;
  if (forslag) return forslag;
  const Dato dato = AVSOptaelDato(&avs);
  const Ens &e = v->ens;
  for (uint32_t p = 1; p <= e.ObjTabAntal && e.ObjTab; ++p) {
    const uint32_t anfo = e.ObjTab[p];
    if (FagfordlFindes(anfo, avs.skfa_id, avs.aktiTab[0], dato) || AnfoHarKompetence(anfo, avs.skfa_id, dato))
      return anfo;
    if (v->hwndEjer && SendMessageA(v->hwndEjer, PLAN_KRYDS, anfo, avs.skfa_id) != 0) return anfo;
    if (!Lever(v, h)) return 0;
  }
  return 0;
}

void Frigiv(PVWS *v) {
  Ens &e = v->ens;
  if (!v->ListeMode || !v->pValgListe || e.ObjTab != v->pValgListe->ObjTab) std::free(e.ObjTab);
  if (v->ListeMode) FrigivValgListe(v->pValgListe);
  std::free(v->Maerker);
  std::free(e.hwndSwitchButtons);
  std::free(v->hwndSortBut);
  std::free(v);
}

// ---- marking

uint8_t *MaerkeAf(PVWS *v, uint32_t rec) { return v->Maerker && rec < v->MaerkeAntal ? &v->Maerker[rec] : nullptr; }

uint32_t MaerkbarRec(const PVWS *v) {
  if (!v->MaerkeGraense || v->ens.ObjTabAntal == 0 || v->PosY.Aktuel == 0) return 0;
  return PlanValgAktuelRec(v);
}

bool KanSaettes(const PVWS *v, uint32_t rec) {
  if (rec == 0 || !v->Maerker || rec >= v->MaerkeAntal || (v->Maerker[rec] & (kMarkeret | kSpaerret))) return false;
  return v->MarkeretAntal < v->MaerkeGraense || v->MaerkeGraense == kPlanValgEnkelt;
}

void Fjern(PVWS *v, uint32_t rec) {
  v->Maerker[rec] &= static_cast<uint8_t>(~kMarkeret);
  if (v->MarkeretAntal > 0) --v->MarkeretAntal;
  SendMessageA(v->hwndEjer, VALG_AFMARKERET, RapportBogstav(v), rec);
}

void RydMaerker(PVWS *v) {
  for (uint32_t i = 0; v->Maerker && i < v->MaerkeAntal; ++i) v->Maerker[i] &= static_cast<uint8_t>(~kMarkeret);
  v->MarkeretAntal = 0;
}

void Saet(PVWS *v, uint32_t rec) {
  // A single choice: the record marked before goes without a report; the
  // owner learns of the new one only.
  if (v->MaerkeGraense == kPlanValgEnkelt) RydMaerker(v);
  v->Maerker[rec] |= kMarkeret;
  ++v->MarkeretAntal;
  SendMessageA(v->hwndEjer, VALG_MARKERET, RapportBogstav(v), rec);
}

enum class Halvdel { Begge, Saet, Fjern };

bool Marker(PVWS *v, Halvdel halvdel, int mode) {
  const uint32_t rec = MaerkbarRec(v);
  uint8_t *m = MaerkeAf(v, rec);
  if (!m) return false;
  if (*m & kMarkeret) {
    if (halvdel == Halvdel::Saet) return false;
    if (mode == KMD_UDFOER) {
      if (halvdel == Halvdel::Begge) v->Aendret = 1;
      Fjern(v, rec);
    }
    return true;
  }
  if (halvdel == Halvdel::Fjern || !KanSaettes(v, rec)) return false;
  if (mode == KMD_UDFOER) {
    if (halvdel == Halvdel::Begge) v->Aendret = 1;
    Saet(v, rec);
  }
  return true;
}

// Marks a record of the window without a report; true when it was newly
// marked, so the count stays the number of records marked.
bool ForMarker(PVWS *v, uint32_t rec) {
  uint8_t *m = rec ? MaerkeAf(v, rec) : nullptr;
  if (!m || (*m & kMarkeret)) return false;
  *m |= kMarkeret;
  ++v->MarkeretAntal;
  return true;
}

bool IGruppe(const Plan *plan, const GrundRaekke &g) { return g.ffpg_id == plan->AktPlanGruppe; }

// ---- keys

UINT Hovedtast(UINT tast) {
  if (tast >= VK_NUMPAD0 && tast <= VK_NUMPAD9) return '0' + (tast - VK_NUMPAD0);
  if (tast == VK_SUBTRACT) return VK_OEM_MINUS;
  if (tast == VK_DECIMAL) return VK_OEM_COMMA;
  return tast;
}

int Holdt(int32_t tilstand) { return tilstand ? -1 : 0; }

void FortaelAktuel(PVWS *v) {
  SendMessageA(v->hwndEjer, VALG_AKTUEL_SKIFTET, v->Bogstav, PlanValgAktuelRec(v));
}

// Enter and Escape end the window; everything the owner is told first.
void Afslut(PVWS *v, UINT tast) {
  const HWND h = v->hwnd, ejer = v->hwndEjer;
  if (tast == VK_RETURN) {
    const uint32_t rec = PlanValgAktuelRec(v);
    if (v->ens.ObjTab && rec != 0) {
      SendMessageA(ejer, VALG_MARKERET, RapportBogstav(v), rec);
      if (IsWindow(h)) SendMessageA(ejer, VALG_AFSLUTTET, VK_RETURN, 1);
    }
  } else {
    v->ens.SoegTekst[0] = 0;
    if (v->MaerkeGraense) RydMaerker(v);
    if (v->Aendret) SendMessageA(ejer, VALG_AFSLUTTET, VK_ESCAPE, 1);
  }
  if (IsWindow(h)) DestroyWindow(h);
}

// Ctrl released: digits typed with it choose a group (up to 30) and the
// plan row's records are marked again.
void CtrlSluppet(PVWS *v) {
  char *tekst = v->ens.SoegTekst;
  const size_t n = strnlen(tekst, sizeof v->ens.SoegTekst);
  if (n == 0) return;
  uint32_t tal = 0;
  for (size_t i = 0; i < n; ++i) {
    if (tekst[i] < '0' || tekst[i] > '9') return;  // the type-ahead's letters stay
    tal = std::min<uint32_t>(tal * 10 + static_cast<uint32_t>(tekst[i] - '0'), 1000);
  }
  tekst[0] = 0;
  if (tal >= static_cast<uint32_t>(kGruppeAlle)) return;
  const HWND h = v->hwnd;
  if (v->ens.hwndToolbar) SendMessageA(v->ens.hwndToolbar, TB_GRUPPE_INDEKS, tal, 0);
  if (!Lever(v, h)) return;
  MarkerFraPlanRaekke(v);
  if (Lever(v, h)) TegnPlanValg(v, 1);
}

void EfterTast(PVWS *v, const TastInfo &t) {
  switch (t.wParam) {
    case VK_RETURN:
    case VK_ESCAPE:
      Afslut(v, t.wParam);
      return;
    case VK_F4:
      if (!t.ctrl) break;
      SendMessageA(v->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    case VK_SPACE:
    case VK_OEM_MINUS:
    case VK_OEM_PERIOD:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      v->ens.SoegTekst[0] = 0;
      break;
  }
  PlanValgScroll(v, 1);
}

bool TastNed(PVWS *v, UINT msg, WPARAM wParam, LPARAM lParam) {
  TastInfo t;
  MakeTastInfo(&t, msg, wParam, lParam);
  t.wParam = Hovedtast(t.wParam);
  const HWND h = v->hwnd;
  if (!t.ctrl && !t.shift && EnsTypeAhead(&v->ens, &v->PosY, t.wParam)) {
    PlanValgScroll(v, 4);
    return true;
  }
  if (!PlanValgTastKmd(v, &t, KMD_UDFOER)) return false;
  if (Lever(v, h)) EfterTast(v, t);
  return true;
}

// ---- mouse

bool KlikAktiverer(PVWS *v) {
  Ens &e = v->ens;
  if (e.Aktiv) return true;
  const HWND h = v->hwnd;
  if (!SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, (LPARAM)h)) return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return Lever(v, h) && e.Aktiv;
}

uint32_t RaekkeVed(const PVWS *v, LPARAM lParam) {
  const int y = std::max<int>(static_cast<short>(HIWORD(lParam)), 0);
  return GridPixelTilCelle(&v->ens.AkseY, static_cast<uint32_t>(y) + v->ens.ScrollY);
}

void Klik(PVWS *v, UINT msg, LPARAM lParam) {
  const HWND h = v->hwnd;
  if (!KlikAktiverer(v)) return;
  Ens &e = v->ens;
  if (msg == ENS_KOLHOVED_NED || msg == ENS_CELLER_NED) {
    const int x = std::max<int>(static_cast<short>(LOWORD(lParam)), 0);
    v->PosX.Aktuel =
        std::min(GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX), uint32_t{v->PosX.Antal});
  }
  if ((msg == ENS_RAEKKEHOVED_NED || msg == ENS_CELLER_NED) && e.ObjTabAntal > 0) {
    v->PosY.Aktuel = std::clamp(RaekkeVed(v, lParam), uint32_t{1}, uint32_t{e.ObjTabAntal});
    FortaelAktuel(v);
    if (!Lever(v, h)) return;
  }
  PlanValgScroll(v, 2 | 4);
}

void DobbeltKlik(PVWS *v, LPARAM lParam) {
  const HWND h = v->hwnd;
  if (!KlikAktiverer(v) || v->ens.ObjTabAntal == 0) return;
  const uint32_t raekke = RaekkeVed(v, lParam);
  if (raekke >= 1 && raekke <= v->ens.ObjTabAntal) {
    v->PosY.Aktuel = raekke;
    SendMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
    return;
  }
  v->PosY.Aktuel = v->ens.ObjTabAntal;
  FortaelAktuel(v);
  if (Lever(v, h)) PlanValgScroll(v, 4);
}

constexpr ShortCutPost Genvej(UINT tast, int32_t ctrl, const char *navn, const char *beskrivelse) {
  return {{0, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0}, navn, beskrivelse};
}
constexpr std::array<ShortCutPost, 6> Genveje(const char *markering) {
  return {{Genvej(VK_F3, 0, "<F3>", "Maksimer / gendan aktuelt vindue."),
           Genvej(VK_F4, 1, "<Ctrl> + <F4>", "Luk fokus vindue."),
           Genvej(VK_SPACE, 0, "<Mellemrum>", markering),
           Genvej(VK_SPACE, 0, "<Dblt klik v. musetast>", markering),
           Genvej(VK_ESCAPE, 0, "<Escape>", "Luk vindue."),
           {{}, "", ""}}};
}
constexpr auto kAktiGenveje = Genveje("Tilføj / slet aktivitet.");
constexpr auto kAndreGenveje = Genveje("Tilføj / slet medarbejder.");
ShortCutTabel AktiTabel{0, kAktiGenveje.data()};
ShortCutTabel AndreTabel{0, kAndreGenveje.data()};

void Hoejreklik(PVWS *v) {
  const HWND h = v->hwnd;
  EnsActivateOnClick(h, &v->ens);
  if (!Lever(v, h) || !v->ens.Aktiv) return;
  POINT p{0, 0};
  GetCursorPos(&p);
  CreateShortCutWnd(v->ens.hInstance, h, p.x, p.y, v->Bogstav == 'K' ? &AktiTabel : &AndreTabel);
}

// ---- creation and the frame's messages

void OnCreate(HWND h, PVWS *v) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(v));
  v->hwnd = h;
  Ens &e = v->ens;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  const ValgListe *l = v->ListeMode ? v->pValgListe : nullptr;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", l && l->Caption ? l->Caption : TitelAf(v->Bogstav));
  if (!v->ListeMode) v->GruppeMaske = v->Bogstav == 'M' ? HuskGruppe[GRP_ANFO] : kEgenGruppe;
  LaesLayoutValg(v);

  const int cxf = GetSystemMetrics(SM_CXFRAME), cyf = GetSystemMetrics(SM_CYFRAME);
  e.KolHovedHoejde = kKnapHoejde;
  e.RaekkeHovedBredde = MaerkeBredde(v);
  e.SkiftBredde = static_cast<uint32_t>(v->ListeLayoutAntal * GetSystemMetrics(SM_CXVSCROLL));
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = cxf;
  e.Areal[1] = cyf + GetSystemMetrics(SM_CYCAPTION) + kBundStrimmel;
  e.Areal[2] = rc.right - 1 - cxf;
  e.Areal[3] = rc.bottom - 1 - cyf;
  e.AkseX = GridAkse{0, 1, 1, 0, 0};
  e.AkseY = GridAkse{0, 11, 1, 0, 1};
  e.StyrX = &v->PosX;
  e.StyrY = &v->PosY;
  e.TredjeAkse = &v->PosZ;
  EnsCalcLayout(&e);

  e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(v->ListeLayoutAntal + 1u, sizeof(HWND)));
  const bool gruppeKnap = !v->ListeMode && v->Bogstav != 'K' && GruppeArtIndeks(static_cast<char>(v->Bogstav)) >= 0;
  const uint32_t toolbar[7] = {v->Bogstav, 0, v->ListeMode ? 0 : v->GruppeMaske, 0, gruppeKnap ? 1u : 0u, 0,
                               ObjSwitchBredde(v->TitelArt, v->Bogstav, v->TitelValgt)};
  EnsCreateChildren(&e, h, v->ListeLayoutAntal, toolbar, TxtFont, true, true, nullptr);
  VinduesListeTilfoej(h);
  if (e.hwndSwitchButtons && v->ListeValgt < v->ListeLayoutAntal && e.hwndSwitchButtons[v->ListeValgt])
    SendMessageA(e.hwndSwitchButtons[v->ListeValgt], NYB_LAAS_NED, 0, 0);
  LavSorterKnapper(v);

  const uint32_t antalRec = e.pTv ? e.pTv->wRecCnt : 0;
  if (!v->ListeMode) {
    e.ObjTab = static_cast<uint32_t *>(std::calloc(antalRec + 1, sizeof(uint32_t)));
    v->ObjTabPladser = e.ObjTab ? antalRec + 1 : 0;
  }
  v->Maerker = static_cast<uint8_t *>(std::calloc(std::max<uint32_t>(antalRec, 1), 1));
  v->MaerkeAntal = v->Maerker ? std::max<uint32_t>(antalRec, 1) : 0;

  v->SortKolonne = 0;
  v->SortSkift = 0;
  v->PosX = GridPos{ObjSwitchBredde(v->ListeArt, v->Bogstav, v->ListeValgt), 1, 0, 1};
  v->PosY = GridPos{0, 1, 0, 0};
  v->PosZ = GridPos{1, 1, 1, 1};
  e.ScrollX = e.ScrollY = 0;
  GenopbygPlanValg(v);
  if (!Lever(v, h)) return;
  uint32_t x = e.ScrollX;
  GridScrollTilAktuel(&v->PosX, &x, static_cast<uint32_t>(std::max(int{e.RudeB[ENS_CELLER]}, 0)), &e.AkseX);
  e.ScrollX = x;
  e.Aktiv = e.CaptionAktiv = 1;
  SetFocus(h);
}

void OnDestroy(HWND h, PVWS *v) {
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  VinduesListeFjern(h);
  SendMessageA(hwndHoved, HOVED_INPUT_LUKKET, 0, 0);
  if (v->hwndFokus && IsWindow(v->hwndFokus)) SetFocus(v->hwndFokus);
  Frigiv(v);
}

void Aktiver(HWND h, PVWS *v, UINT msg, WPARAM wParam) {
  Ens &e = v->ens;
  e.CaptionAktiv = 1;
  if (e.Aktiv) return;
  v->Aendret = 0;
  e.Aktiv = 1;
  if (msg == VINDUE_AKTIVER) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, (LPARAM)h);
    if (!Lever(v, h)) return;
  }
  TegnPlanValg(v, 1);
  if (e.ObjTab) FortaelAktuel(v);
}

void Knap(HWND h, PVWS *v, WPARAM id) {
  if (id >= kValgSortId && id < kValgLayoutId) return PlanValgSorter(v, static_cast<uint32_t>(id - kValgSortId));
  if (id >= kValgLayoutId && id < kValgLayoutId + 100)
    return PlanValgSkiftLayout(v, static_cast<uint32_t>(id - kValgLayoutId));
  switch (id) {
    case NYB_LUK:
      SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    case NYB_MINIMER:
      EnsMinimize(h, &v->ens);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &v->ens);
      return;
  }
}

void IkkeKlientKlik(PVWS *v, WPARAM hit) {
  // The maximise and close buttons act themselves; anything else of an
  // inactive window asks first.
  if (hit == HTMAXBUTTON || hit == HTCLOSE) return;
  if (hit == HTMINBUTTON && v->ens.Tilstand != 2) return;
  const HWND h = v->hwnd;
  Ens &e = v->ens;
  if (!SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, (LPARAM)h) || !Lever(v, h)) return;
  e.Aktiv = e.CaptionAktiv = 1;
  SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, (LPARAM)h);
}

}  // namespace

// ==================================================================== size

int PlanValgBredde(const PVWS *v, uint32_t graense) {
  int64_t b = ObjSwitchBredde(v->ListeArt, v->Bogstav, v->ListeValgt);
  b += GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXFRAME) + MaerkeBredde(v) + 3;
  return Begraens(b, graense, kMindsteBredde);
}

int PlanValgHoejde(const PVWS *v, uint32_t graense) {
  int64_t n = v->ListeMode ? (v->pValgListe && v->pValgListe->ObjTab ? v->pValgListe->Antal : 0)
                           : AntalLevende(v->ens.pTd, v->ens.pTv);
  n = std::max<int64_t>(n, 5);
  const int64_t h = 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYHSCROLL) +
                    GetSystemMetrics(SM_CYCAPTION) + kRaekke * n + 43;
  return Begraens(h, graense, kMindsteHoejde);
}

// ==================================================================== list

void FyldPlanValgListe(PVWS *v) {
  Ens &e = v->ens;
  const HWND h = v->hwnd;
  VoksMaerker(v);
  if (v->ListeMode)
    ByggListe(v);
  else
    ByggEgenListe(v);
  if (!Lever(v, h)) return;
  if (v->Bogstav == 'M' && e.pTv) {
    const uint32_t anfo = StartMedarbejder(v);
    if (!Lever(v, h)) return;
    if (AktuelAVS.skfa_id != 0 && AktuelAVS.aktiAntal != 0) e.pTv->AktuelRec = anfo < e.pTv->wRecCnt ? anfo : 0;
  }
  uint32_t aktuel = e.pTv ? e.pTv->AktuelRec : 0;
  if (e.pTv && aktuel >= e.pTv->wRecCnt) aktuel = 0;
  uint32_t raekke = aktuel && e.ObjTab ? FindObjIdx(e.ObjTab, e.ObjTabAntal, aktuel) : 0;
  if (raekke == 0 && e.ObjTabAntal > 0) raekke = 1;
  v->PosY.Antal = e.ObjTabAntal;
  v->PosY.Aktuel = raekke;
  if (v->PosY.Foerste == 0 || v->PosY.Foerste > std::max(uint32_t{e.ObjTabAntal}, uint32_t{1}))
    v->PosY.Foerste = raekke ? raekke : 1;
}

void GenopbygPlanValg(PVWS *v) {
  const HWND h = v->hwnd;
  FyldPlanValgListe(v);
  if (!Lever(v, h)) return;
  Ens &e = v->ens;
  uint32_t off = e.ScrollY;
  const int hoejde = std::max(int{e.RudeH[ENS_CELLER]}, 0);
  GridScrollTilAktuel(&v->PosY, &off, static_cast<uint32_t>(hoejde), &e.AkseY);
  e.ScrollY = off;
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, hoejde, static_cast<int>(GridCelleSlut(&e.AkseY, v->PosY.Antal)),
                 static_cast<int>(e.ScrollY));
  if (e.Aktiv && e.ObjTabAntal > 0) FortaelAktuel(v);
}

uint32_t PlanValgAktuelRec(const PVWS *v) {
  const uint32_t r = v->PosY.Aktuel;
  return v->ens.ObjTab && r >= 1 && r <= v->ens.ObjTabAntal ? v->ens.ObjTab[r] : 0;
}

bool PlanValgKanMarkere(const PVWS *v) {
  if (v->PosY.Aktuel == 0 || v->ens.ObjTabAntal == 0) return true;
  const uint32_t rec = PlanValgAktuelRec(v);
  const uint8_t m = v->Maerker && rec < v->MaerkeAntal ? v->Maerker[rec] : 0;
  if (m & kMarkeret) return true;
  return (m & kSpaerret) == 0 && (v->MarkeretAntal < v->MaerkeGraense || v->MaerkeGraense == kPlanValgEnkelt);
}

uint32_t MarkerFraPlanRaekke(PVWS *v) {
  const HWND h = v->hwnd;
  const Plan *plan = EjerPlan(v);
  if (!Lever(v, h) || !plan || !plan->GrundTab || !plan->ObjTypeTab) return 0;
  const uint32_t r = PlanAktuelRaekke(plan);
  if (r == 0 || r > plan->GrundTabAntal) return 0;
  const uint32_t type = plan->ObjTypeTab[r];
  switch (type) {
    case PLAN_AKTI: case PLAN_FAG: case PLAN_MEDA: case PLAN_OPG_AKTI: case PLAN_OPG_TIMER:
    case PLAN_FREMMED_OPG_TIMER:
      break;
    default:
      return 0;
  }
  const GrundRaekke &cur = plan->GrundTab[r];
  for (uint32_t k = 1; k <= plan->GrundTabAntal; ++k) {
    const GrundRaekke &g = plan->GrundTab[k];
    const uint32_t t = plan->ObjTypeTab[k];
    if (type == PLAN_FAG) {
      if (t != PLAN_FAG || g.Aktivitet != cur.Aktivitet || !IGruppe(plan, g)) continue;
      if (g.Medarbejder1 != 0 && g.Medarbejder1 == cur.Medarbejder1) ForMarker(v, g.Medarbejder1);
      if (g.Medarbejder2 != 0 && g.Medarbejder2 == cur.Medarbejder2) ForMarker(v, g.Medarbejder2);
    } else if (type == PLAN_MEDA) {
      if (t != PLAN_MEDA || !IGruppe(plan, g)) continue;
      const uint32_t m = g.Medarbejder1;
      const bool iPlan = plan->PlanAnfoTab && m <= plan->PlanAnfoAntal && plan->PlanAnfoTab[m].IPlan;
      if (m && iPlan && v->ens.ObjTab && FindObjIdx(v->ens.ObjTab, v->ens.ObjTabAntal, m)) ForMarker(v, m);
    } else if (type == PLAN_OPG_TIMER && plan->Visning == 'O') {
      if (t == PLAN_OPG_TIMER && g.Aktivitet == cur.Aktivitet) ForMarker(v, g.Medarbejder1);
    }
  }
  return v->MarkeretAntal;
}

// ==================================================================== keys

bool PlanValgTastKmd(PVWS *v, const TastInfo *t, int mode) {
  const UINT tast = t->wParam;
  const bool ctrl = t->ctrl != 0, shift = t->shift != 0;
  const int proeve = mode == KMD_UDFOER ? 0 : 1;
  Ens &e = v->ens;
  switch (tast) {
    case VK_SPACE:
      return Marker(v, Halvdel::Begge, mode);
    case VK_INSERT:
      return Marker(v, Halvdel::Saet, mode);
    case VK_DELETE:
      return Marker(v, Halvdel::Fjern, mode);
    case VK_LEFT:
    case VK_RIGHT:
      GridTastFlytTrin(&v->PosX, tast, Holdt(t->ctrl), Holdt(t->alt), false, proeve);
      return true;
    case VK_UP:
    case VK_DOWN:
      GridTastFlytTrin(&v->PosY, tast, Holdt(t->ctrl), Holdt(t->alt), false, proeve);
      return true;
    case 'A':
      if (ctrl && mode == KMD_UDFOER) {
        const HWND h = v->hwnd;
        if (e.hwndToolbar) SendMessageA(e.hwndToolbar, TB_GRUPPE_INDEKS, kGruppeAlle, 0);
        if (Lever(v, h)) MarkerFraPlanRaekke(v);
      }
      return true;
    case VK_APPS:
      return KmdHoejreklik(v->hwnd, 0, 0, mode);
  }
  if (tast >= '0' && tast <= '9') {
    if (ctrl)
      GridCifferIndtast(e.hwndToolbar, tast, false, true, v->ListeLayoutAntal, e.SoegTekst, sizeof e.SoegTekst, mode);
    else if (shift)
      GridCifferIndtast(v->hwnd, tast, true, false, v->ListeLayoutAntal, e.SoegTekst, sizeof e.SoegTekst, mode);
  }
  return true;
}

// ==================================================================== window

HWND CreatePlanValgWnd(HWND ejer, uint8_t bogstav, int venstre, int top, int hoejre, int bund,
                       uint32_t maerkeGraense, uint8_t listeMode, ValgListe *liste, HINSTANCE inst) {
  auto *v = static_cast<PVWS *>(std::calloc(1, sizeof(PVWS)));
  if (!v) tavo::AssertFailed("PVWS != NULL", "FF_VALG", __LINE__);
  v->Bogstav = bogstav;
  v->ens.hInstance = inst;
  v->ListeMode = listeMode ? 1 : 0;
  v->hwndEjer = ejer;
  v->MaerkeGraense = maerkeGraense;
  v->pValgListe = liste;
  v->MarkeretAntal = 0;
  v->hwndFokus = ejer ? ejer : GetFocus();
  if (ejer) {
    PlanGruppeUger uger{};
    SendMessageA(ejer, VALG_GENOPBYG_HVIS, 0, reinterpret_cast<LPARAM>(&uger));
    v->FraUge = uger.FraUge;
    v->TilUge = uger.TilUge;
    v->FraDag = uger.FraDag;
    v->TilDag = uger.TilDag;
  }
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  TabFromType(bogstav, &pTd, &pTv);
  v->ens.pTd = pTd;
  v->ens.pTv = pTv;
  v->ListeArt = kPlanValgArt;
  v->TitelArt = kPlanValgTitelArt;
  if (v->ListeMode && liste) {
    v->ens.ObjTab = liste->ObjTab;
    v->ens.ObjTabAntal = liste->ObjTab ? liste->Antal : 0;
    if (liste->ListeArt) v->ListeArt = liste->ListeArt;
    if (liste->TitelArt) v->TitelArt = liste->TitelArt;
  }
  LaesLayoutValg(v);
  const int b = PlanValgBredde(v, static_cast<uint32_t>(std::max(hoejre - venstre, 0)));
  const int h = PlanValgHoejde(v, static_cast<uint32_t>(std::max(bund - top, 0)));
  // Its own caption is painted over the client area: the caption buttons
  // are cut out of it, or the paint would cover them.
  HWND hwnd = CreateWindowExA(0, "PlanValgWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE,
                              venstre, top, b, h, hwndDesktop, (HMENU)kValgVindueId, inst, v);
  if (!hwnd) {
    if (!v->hwnd) Frigiv(v);
    return 0;
  }
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  BringWindowToTop(hwnd);
  SendMessageA(hwndHoved, HOVED_INPUT_AABEN, 0, (LPARAM)hwnd);
  return hwnd;
}

LRESULT CALLBACK PlanValgWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    OnCreate(h, static_cast<PVWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams));
    return 0;
  }
  PVWS *v = Ws(h);
  if (!v) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = v->ens;
  switch (msg) {
    case WM_DESTROY:
      OnDestroy(h, v);
      return 0;
    case WM_SETFOCUS:
      v->Aendret = 0;
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      TegnPlanValg(v, 1);
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto *mmi = reinterpret_cast<MINMAXINFO *>(lParam);
      mmi->ptMaxTrackSize.x = PlanValgBredde(v, static_cast<uint32_t>(std::max<LONG>(mmi->ptMaxTrackSize.x, 0)));
      mmi->ptMaxTrackSize.y = PlanValgHoejde(v, static_cast<uint32_t>(std::max<LONG>(mmi->ptMaxTrackSize.y, 0)));
      return 0;
    }
    case WM_SIZING:
      BegraensSizing(h, static_cast<UINT>(wParam), reinterpret_cast<RECT *>(lParam), kMindsteBredde,
                     PlanValgBredde(v, kUdenGraense), kMindsteHoejde, PlanValgHoejde(v, kUdenGraense));
      return TRUE;
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), v->ListeLayoutAntal);
        PlanValgScroll(v, 1);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      switch (EnsOnScroll(&e, msg, wParam)) {
        case 8:
          TegnPlanValg(v, 8);
          break;
        case 16:
          TegnPlanValg(v, 16);
          break;
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;

    case TB_RUDE_TEGN:
      TegnPlanValgBundlinje(v);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnPlanValgHoved(v);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnPlanValgMaerker(v);
      return 0;
    case ENS_CELLER_TEGN:
      TegnPlanValgRaekker(v);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(v, msg, lParam);
      return 0;
    case ENS_RAEKKEHOVED_DBL:
    case ENS_CELLER_DBL:
      DobbeltKlik(v, lParam);
      return 0;

    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_RBUTTONDOWN:
      Hoejreklik(v);
      return 0;
    case WM_NCLBUTTONDOWN:
      if (e.Aktiv) break;
      IkkeKlientKlik(v, wParam);
      if (!Lever(v, h)) return 0;
      break;

    case ENS_BREDDE:
      return PlanValgBredde(v, kUdenGraense);
    case ENS_HOEJDE:
      return PlanValgHoejde(v, kUdenGraense);
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, v, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = 0;
      TegnPlanValg(v, 1);
      return 0;
    case VINDUE_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      e.Aktiv = wParam ? 1 : 0;
      TegnPlanValg(v, 1);
      e.Aktiv = aktiv;
      e.CaptionAktiv = wParam ? 1 : 0;
      EnsPaintCaption(&e);
      return 0;
    }
    case VINDUE_SAET_AKTIV:
      v->Aendret = 0;
      e.Aktiv = e.CaptionAktiv = 1;
      return 0;
    case VINDUE_ART:
      return 0;
    case VALG_MAERKER:
      return reinterpret_cast<LRESULT>(v->Maerker);
    case VALG_GENOPBYG:
    case VALG_GENOPBYG2:
      GenopbygPlanValg(v);
      if (Lever(v, h)) TegnPlanValg(v, 1);
      return 0;
    case VALG_GENOPBYG_DATO:
      FyldPlanValgListe(v);
      if (Lever(v, h)) PlanValgScroll(v, 1);
      return 0;
    case VALG_SAET_ANTAL:
      v->MarkeretAntal = static_cast<uint32_t>(wParam);
      return 0;
    case VALG_AKTUEL:
      return PlanValgAktuelRec(v);
    case PLANVALG_FORMARKER:
      MarkerFraPlanRaekke(v);
      return 0;
    case VALG_KAN_SKIFTE:
      return PlanValgKanMarkere(v) ? 1 : 0;
    case PLAN_POPUP_LUK:
      // The plan's gross value of an employment, which the computed fields
      // of the rows ask for.
      if (wParam != 1) break;
      return v->hwndEjer ? PlanBruttoVaerdi(v->hwndEjer, static_cast<uint32_t>(lParam)) : 0;
    case NYB_KLIK:
      Knap(h, v, wParam);
      return 0;
    case GRUPPE_VALGT:
      if (wParam > static_cast<WPARAM>(kGruppeAlle)) return 0;
      v->GruppeMaske = wParam == static_cast<WPARAM>(kGruppeAlle) ? kAlleGrupper : 1u << wParam;
      GenopbygPlanValg(v);
      if (Lever(v, h)) TegnPlanValg(v, 1);
      return 0;

    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG:
      if (TastNed(v, msg, wParam, lParam) || msg != WM_SYSKEYDOWN) return 0;
      break;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      if (!t) return 0;
      TastInfo kopi = *t;
      kopi.wParam = Hovedtast(kopi.wParam);
      return PlanValgTastKmd(v, &kopi, 1) ? 1 : 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (wParam == VK_CONTROL) {
        CtrlSluppet(v);
      } else if ((wParam == VK_UP || wParam == VK_DOWN) && e.Aktiv && e.ObjTabAntal > 0) {
        FortaelAktuel(v);
      }
      if (msg == WM_KEYUP) return 0;
      break;
    case WM_SYSCHAR:
      if (wParam != '-') break;
      SendMessageA(h, WM_SYSCOMMAND, SC_KEYMENU, ' ');
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}
