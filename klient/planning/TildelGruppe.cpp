// The plan group assignment: which activities or employments belong to which
// of this installation's plan groups, changed one cell or one group at a time.
#include "TildelGruppe.h"

#include <algorithm>
#include <cstring>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "ARRANGER.h"
#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "KATALOG.h"
#include "PLANAKSER.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "RELMATRIX.h"
#include "ENSMUS.h"
#include "FONTE.h"
#include "TABOPER.h"
#include "TEKST.h"
#include "VINDUER.h"
#include "tavo/assert.h"

namespace {

constexpr const char *kObsTitel = "OBS!";
constexpr const char *kObsAkti =
    "Der er registreret lektioner eller timer på aktiviteten.\nDu bør fjerne dem først. Hvis du fortsætter fjernes de "
    "automatisk!\nØnsker du at fortsætte?";
constexpr const char *kObsAnfo =
    "Der er registreret lektioner eller timer på medarbejderen.\nDu bør fjerne dem først. Hvis du fortsætter fjernes "
    "de automatisk!\nØnsker du at fortsætte?";

// Bit 16 with bit 64: a record the passes leave alone.
bool Bevaret(uint8_t s) { return (s & 0x50) == 0x50; }
// A plan record of this installation that the search and the removal read.
bool EgenAktiv(uint8_t status, uint8_t ejer) {
  return status != 0 && !PlanRecSlettet(status) && !Bevaret(status) && ejer == PlanEgenInst();
}

bool RaekkeAf(const FfgrundRec *g, uint32_t rec, char art) {
  return art == 'K' ? g->Aktivitet == rec : (g->Medarbejder1 == rec || g->Medarbejder2 == rec);
}

// The plan window takes the kind letter raised by 6.
WPARAM PlanBogstav(char art) { return static_cast<WPARAM>(art + 6); }

HWND PlanVindue() { return FindVindueType(kPlanVindueType); }

bool SpoergObs(HWND ejer, char art) {
  return MessageBoxA(ejer, art == 'K' ? kObsAkti : kObsAnfo, kObsTitel,
                     MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION) == IDYES;
}

void MarkerGrund(uint32_t n) { tvffgrund.pfSave[n / tdffgrund.RecPrBlok] = 1; }

struct Medlem {
  uint32_t gruppe, rec;
  char art;
};

// The memberships of the groups in own carriers, activities before
// employments, each once.
std::vector<Medlem> Medlemmer(const std::vector<uint32_t> &grupper) {
  std::vector<Medlem> ud;
  const uint8_t egen = PlanEgenInst();
  for (uint32_t g : grupper) {
    if (g == 0) continue;
    for (char art : {'K', 'M'}) {
      std::vector<uint32_t> recs;
      const uint32_t antal = art == 'K' ? tvakti.wRecCnt : tvanfo.wRecCnt;
      for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
        const FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
        if (!PlanRecIBrug(r->Status) || r->Ejer != egen || r->Plangruppe_id != g) continue;
        const uint32_t id = art == 'K' ? r->akti_id : r->anfo_id;
        if (id && id < antal) recs.push_back(id);
      }
      std::sort(recs.begin(), recs.end());
      recs.erase(std::unique(recs.begin(), recs.end()), recs.end());
      for (uint32_t id : recs) ud.push_back({g, id, art});
    }
  }
  return ud;
}

}  // namespace

std::vector<uint32_t> TildelKolonner() {
  std::vector<uint32_t> kol(1, 0);
  const uint8_t egen = PlanEgenInst();
  for (uint32_t n = 1; n < tvffpg.wRecCnt; ++n) {
    const FfpgRec *g = TabRec<FfpgRec>(tvffpg, n);
    const uint8_t s = g->Status & 0x78;
    if (g->Ejer == egen && (s == 0x20 || s == 0x40 || s == 0x60 || s == 0x70)) kol.push_back(n);
  }
  SorterPlanGrupper(kol.data(), static_cast<uint32_t>(kol.size() - 1));
  return kol;
}

void TildelSpaend(const std::vector<uint32_t> &kolonner, uint32_t aktuel, uint32_t *fra, uint32_t *til) {
  *fra = *til = 0;
  if (aktuel != 0 && aktuel < kolonner.size()) {
    if (const FfpgRec *g = TabRec<FfpgRec>(tvffpg, kolonner[aktuel])) {
      *fra = g->Fradato;
      *til = g->Tildato;
    }
    return;
  }
  bool foerste = true;
  for (size_t c = 1; c < kolonner.size(); ++c) {
    const FfpgRec *g = TabRec<FfpgRec>(tvffpg, kolonner[c]);
    if (!g) continue;
    const uint32_t f = g->Fradato, t = g->Tildato;
    *fra = foerste ? f : std::min(*fra, f);
    *til = foerste ? t : std::max(*til, t);
    foerste = false;
  }
}

bool ErTildelRaekke(char art, uint32_t rec, uint32_t fra, uint32_t til) {
  if (art == 'K') {
    const AktiRec *a = rec ? TabRec<AktiRec>(tvakti, rec) : nullptr;
    if (!a || a->Status < 10 || a->Status > 29) return false;
    const uint32_t f = a->Fradato, t = a->Tildato;
    return FeltErTekst(a->Type, sizeof a->Type, "HOLD") && f <= til && t >= fra && a->Aflyst == 'N' &&
           a->Slettet_i_EASY == 0 && static_cast<int32_t>(a->Gruppe) >= 0;
  }
  if (art == 'M') {
    const AnfoRec *m = rec ? TabRec<AnfoRec>(tvanfo, rec) : nullptr;
    if (!m || m->Status < 10 || m->Status > 29) return false;
    const uint32_t f = m->Fradato, t = m->Tildato;
    return f <= til && t >= fra && static_cast<int32_t>(m->Gruppe) >= 0;
  }
  return false;
}

std::vector<uint32_t> TildelRaekker(char art, uint32_t fra, uint32_t til) {
  std::vector<uint32_t> ud(1, 0);
  const uint32_t antal = art == 'K' ? tvakti.wRecCnt : art == 'M' ? tvanfo.wRecCnt : 0;
  for (uint32_t n = 1; n < antal; ++n)
    if (ErTildelRaekke(art, n, fra, til)) ud.push_back(n);
  return ud;
}

bool HarRegistreredeTal(uint32_t gruppe, uint32_t rec, char art) {
  std::vector<uint8_t> raekke(tvffgrund.wRecCnt, 0);
  bool nogen = false;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
    if (EgenAktiv(g->Status, g->Ejer) && g->ffpg_id == gruppe && RaekkeAf(g, rec, art)) raekke[n] = 1, nogen = true;
  }
  if (!nogen) return false;
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    const uint32_t grund = t->ffgrund_id;
    if (!EgenAktiv(t->Status, t->Ejer) || grund >= raekke.size() || !raekke[grund]) continue;
    const float timer = t->Timer;
    if (t->Lektioner != 0 || timer != 0.0f) return true;
  }
  return false;
}

void FjernPlanData(uint32_t gruppe, uint32_t rec, char art) {
  if (art == 'K') {
    FjernAktivitetFraGruppe(rec, gruppe);
    return;
  }
  if (art != 'M') return;
  std::vector<uint32_t> slet;
  bool fjernMedlem = false;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
    if (!PlanRecIBrug(g->Status) || g->Ejer != PlanEgenInst() || g->ffpg_id != gruppe) continue;
    const uint32_t type = g->ObjType;
    if (type == 2) {
      if (g->Medarbejder1 == rec) {
        g->Medarbejder1 = g->Medarbejder2;
        g->Medarbejder2 = 0;
        MarkerGrund(n);
      } else if (g->Medarbejder2 == rec) {
        g->Medarbejder2 = 0;
        MarkerGrund(n);
      }
    } else if ((type == 9 || type == 14 || type == 200) && g->Medarbejder1 == rec) {
      slet.push_back(n);
      if (type != 14) fjernMedlem = true;
    }
  }
  SletPlanRaekker(slet);
  if (fjernMedlem) RemovePgRel(gruppe, rec, 'M');
}

bool SkiftTildeling(HWND ejer, uint32_t gruppe, uint32_t rec, char art, bool medlem) {
  if (rec == 0 || (art != 'K' && art != 'M')) return false;
  const HWND plan = PlanVindue();
  const WPARAM bogstav = PlanBogstav(art);
  if (medlem) {
    if (!plan) {
      if (HarRegistreredeTal(gruppe, rec, art)) {
        if (!SpoergObs(ejer, art)) return false;
        FjernPlanData(gruppe, rec, art);
      }
    } else if (SendMessageA(plan, VALG_AFMARKERET, bogstav, static_cast<LPARAM>(rec)) == 0) {
      return false;
    }
    if (gruppe != 0 && FindPgRel(gruppe, rec, art)) {
      RemovePgRel(gruppe, rec, art);
      if (const HWND p = PlanVindue()) SendMessageA(p, VALG_AFMARKERET, bogstav, static_cast<LPARAM>(rec));
    }
    return true;
  }
  if (gruppe != 0 && !FindPgRel(gruppe, rec, art)) {
    AddPgRel(gruppe, rec, art);
    if (plan) SendMessageA(plan, VALG_MARKERET, bogstav, static_cast<LPARAM>(rec));
  }
  return true;
}

bool FjernTildelinger(HWND ejer, const std::vector<uint32_t> &grupper) {
  const std::vector<Medlem> medlemmer = Medlemmer(grupper);
  if (medlemmer.empty()) return false;
  bool fjernet = false;
  if (const HWND plan = PlanVindue()) {
    for (const Medlem &m : medlemmer) {
      if (SendMessageA(plan, VALG_AFMARKERET, PlanBogstav(m.art), static_cast<LPARAM>(m.rec)) == 0) continue;
      if (!FindPgRel(m.gruppe, m.rec, m.art)) continue;
      fjernet |= RemovePgRel(m.gruppe, m.rec, m.art) != 0;
      if (const HWND p = PlanVindue()) SendMessageA(p, VALG_AFMARKERET, PlanBogstav(m.art), static_cast<LPARAM>(m.rec));
    }
    return fjernet;
  }
  std::vector<Medlem> medTal;
  for (const Medlem &m : medlemmer)
    if (HarRegistreredeTal(m.gruppe, m.rec, m.art)) medTal.push_back(m);
  if (!medTal.empty()) {
    if (!SpoergObs(ejer, medTal.front().art)) return false;
    for (const Medlem &m : medTal) FjernPlanData(m.gruppe, m.rec, m.art);
  }
  for (const Medlem &m : medlemmer) fjernet |= RemovePgRel(m.gruppe, m.rec, m.art) != 0;
  return fjernet || !medTal.empty();
}

// ==================================================================== window

namespace {

constexpr const char *kModul = "FF_GRUPPE";
constexpr const char *kKlasse = "TildelPlanGruppeWndClass";
constexpr int kMindsteBredde = 150;
constexpr int kMindsteHoejde = 100;
constexpr uint32_t kGruppeHoved = 16;  // the column captions: the groups' position numbers

// What the matrix does not keep: the changed mark and whether the last
// click moved the column cursor (a double click then toggles nothing).
// The group whose members were last put on top (a 1-based column, 0:
// none) orders the rows again after every rebuild.
struct TPGWS {
  uint8_t Aendret;
  uint8_t KolFlyttet;
  uint32_t SortGruppe;
};
std::map<HWND, TPGWS> &Vinduer() {
  static std::map<HWND, TPGWS> v;
  return v;
}

TPGWS *Tilstand(HWND h) {
  auto it = Vinduer().find(h);
  return it != Vinduer().end() ? &it->second : nullptr;
}

// The text a group button sorts by after membership: the activity's name or
// the employee's initials, upper-cased with the Danish letters after Z.
std::string SortTekst(char art, uint32_t rec) {
  std::string t;
  if (art == 'K') {
    if (const AktiRec *a = TabRec<AktiRec>(tvakti, rec)) t.assign(a->Aktivitet, strnlen(a->Aktivitet, sizeof a->Aktivitet));
  } else if (const AnfoRec *m = TabRec<AnfoRec>(tvanfo, rec)) {
    if (const MedaRec *d = TabRec<MedaRec>(tvmeda, m->meda_id)) t.assign(d->Initialer, strnlen(d->Initialer, sizeof d->Initialer));
  }
  for (char &c : t)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (!t.empty()) DanskSortTegn(t.data(), static_cast<int>(t.size()));
  return t;
}

// Members of the column's group first ('A' before 'B'), then by text; the
// row cursor stays on its record.
void SorterEfterGruppe(RelWS *ws) {
  const TPGWS *t = ws->hwnd ? Tilstand(ws->hwnd) : nullptr;
  const uint32_t c = t ? t->SortGruppe : 0;
  const uint32_t antal = ws->Raekke.ObjTabAntal;
  if (c == 0 || c > ws->Kol.ObjTabAntal || antal < 2 || !ws->Raekke.ObjTab) return;
  const uint32_t g = ws->Kol.ObjTab[c];
  const char art = static_cast<char>(ws->RaekkeBogstav);
  const uint32_t r = ws->PosY.Aktuel;
  const uint32_t aktuel = r && r <= antal ? ws->Raekke.ObjTab[r] : 0;
  std::vector<std::pair<std::string, uint32_t>> noegler;
  for (uint32_t i = 1; i <= antal; ++i) {
    const uint32_t n = ws->Raekke.ObjTab[i];
    noegler.emplace_back((FindPgRel(g, n, art) ? "A" : "B") + SortTekst(art, n), n);
  }
  std::stable_sort(noegler.begin(), noegler.end(),
                   [](const auto &x, const auto &y) { return x.first < y.first; });
  for (uint32_t i = 1; i <= antal; ++i) {
    ws->Raekke.ObjTab[i] = noegler[i - 1].second;
    if (aktuel && noegler[i - 1].second == aktuel) ws->PosY.Aktuel = i;
  }
}

uint32_t *NyListe(const std::vector<uint32_t> &v) {
  auto *tab = static_cast<uint32_t *>(std::calloc(v.size() ? v.size() : 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", kModul, __LINE__);
  if (!v.empty()) std::memcpy(tab, v.data(), v.size() * sizeof(uint32_t));
  return tab;
}

// The columns, the current column kept where it still exists (else 1), the
// rows of its dates, the row cursor kept within them.
void ByggLister(RelWS *ws) {
  const std::vector<uint32_t> kol = TildelKolonner();
  uint32_t ak = ws->PosX.Aktuel;
  const uint32_t antalKol = static_cast<uint32_t>(kol.size() - 1);
  if (ak == 0 || ak > antalKol) ak = antalKol ? 1 : 0;
  uint32_t fra = 0, til = 0;
  TildelSpaend(kol, ak, &fra, &til);
  const std::vector<uint32_t> raekker = TildelRaekker(static_cast<char>(ws->RaekkeBogstav), fra, til);
  std::free(ws->Kol.ObjTab);
  std::free(ws->Raekke.ObjTab);
  ws->Kol.ObjTab = NyListe(kol);
  ws->Kol.ObjTabAntal = antalKol;
  ws->Raekke.ObjTab = NyListe(raekker);
  ws->Raekke.ObjTabAntal = static_cast<uint32_t>(raekker.size() - 1);
  SorterRelListe(&ws->Raekke, kRelRaekkeArt);
  SorterEfterGruppe(ws);
  ws->PosX.Antal = antalKol;
  ws->PosY.Antal = ws->Raekke.ObjTabAntal;
  ws->PosX.Aktuel = ak;
  if (ws->PosY.Aktuel > ws->PosY.Antal || (ws->PosY.Aktuel == 0 && ws->PosY.Antal)) ws->PosY.Aktuel = ws->PosY.Antal ? 1 : 0;
}

uint32_t FindMedlem(RelWS *ws, uint32_t raekkeRec, uint32_t kolRec) {
  return FindPgRel(kolRec, raekkeRec, static_cast<char>(ws->RaekkeBogstav));
}

void MarkerAendret(RelWS *ws) {
  auto it = Vinduer().find(ws->hwnd);
  if (it != Vinduer().end()) it->second.Aendret = 1;
}

bool Skift(RelWS *ws, int mode) {
  const uint32_t c = ws->PosX.Aktuel, r = ws->PosY.Aktuel;
  if (c == 0 || r == 0 || c > ws->Kol.ObjTabAntal || r > ws->Raekke.ObjTabAntal) return false;
  if (mode != KMD_UDFOER) return true;
  const uint32_t g = ws->Kol.ObjTab[c], n = ws->Raekke.ObjTab[r];
  const char art = static_cast<char>(ws->RaekkeBogstav);
  const HWND h = ws->hwnd;
  if (!SkiftTildeling(h, g, n, art, FindPgRel(g, n, art) != 0)) return false;
  if (RelVinduesWS(h) != ws) return true;
  MarkerAendret(ws);
  TegnRelCelle(ws, c, r);
  return true;
}

bool FjernMange(RelWS *ws, bool alle) {
  const uint32_t c = ws->PosX.Aktuel;
  std::vector<uint32_t> grupper;
  if (alle) {
    for (uint32_t i = 1; i <= ws->Kol.ObjTabAntal; ++i) grupper.push_back(ws->Kol.ObjTab[i]);
  } else if (c && c <= ws->Kol.ObjTabAntal) {
    grupper.push_back(ws->Kol.ObjTab[c]);
  }
  if (grupper.empty()) return false;
  const HWND h = ws->hwnd;
  if (!FjernTildelinger(h, grupper)) return true;
  if (RelVinduesWS(h) != ws) return true;
  MarkerAendret(ws);
  OpdaterRelVindue(ws, false, REL_TEGN_ALT);
  return true;
}

bool EgenTast(RelWS *ws, const TastInfo &t, int mode) {
  if (t.message != WM_KEYDOWN || t.wParam != VK_DELETE || (!t.shift && !t.ctrl)) return false;
  if (mode != KMD_UDFOER) return ws->Kol.ObjTabAntal != 0;
  return FjernMange(ws, t.ctrl != 0);
}

// The matrix paints a member cell as a dark square inside the cell's colour.
void TegnCelle(RelWS *ws, EnsDC *dc, uint32_t c, uint32_t r, int x, int y, int b, int h) {
  RECT rc{x, y, x + b, y + h};
  FillRect(dc->hdc, &rc, RelBrush(RelCelleFarve(ws, c, r)));
  if (!FindMedlem(ws, ws->Raekke.ObjTab[r], ws->Kol.ObjTab[c])) return;
  RECT m{x + 3, y + 3, x + b - 3, y + h - 3};
  FillRect(dc->hdc, &m, GetSysColorBrush(COLOR_WINDOWTEXT));
}

TastInfo Tast(uint32_t tast, int32_t shift = 0, int32_t ctrl = 0) {
  return TastInfo{shift, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0};
}

const ShortCutPost kGenvejPoster[] = {
    {Tast(VK_SPACE), "<Mellemrum>", "Tildel / fjern aktivitet eller medarbejder i plangruppen."},
    {Tast(VK_PRIOR), "<Pgup>", "Skift mellem aktiviteter og medarbejdere."},
    {Tast(VK_NEXT), "<Pgdn>", "Skift mellem aktiviteter og medarbejdere."},
    {Tast(VK_DELETE, 1), "<Shift+Delete>", "Fjern alle fra plangruppen."},
    {Tast(VK_DELETE, 0, 1), "<Ctrl+Delete>", "Fjern alle fra alle plangrupper."},
    {Tast(VK_F4), "<F4>", "Luk vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

}  // namespace

const RelArt TildelPlanGruppeArt = {
    kModul,
    kKlasse,
    "Tildel til plangrupper",
    40269,  // the window factory's row and child id
    static_cast<uint8_t>('\xF8'),
    '+',
    'K',
    nullptr,
    nullptr,
    FindMedlem,
    Skift,
    EgenTast,
    &Genveje,
    ByggLister,
    TegnCelle,
    nullptr,
};

namespace {

// Page Up and Page Down: activities become employments and back, with the
// new kind's layout, its rows and the width they want.
void SkiftArt(RelWS *ws) {
  const uint8_t ny = ws->RaekkeBogstav == 'K' ? 'M' : 'K';
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (TabFromType(ny, &pTd, &pTv) != 0) return;
  ws->RaekkeBogstav = ny;
  ws->Raekke.pTd = pTd;
  ws->Raekke.pTv = pTv;
  ws->RaekkeSwitch = static_cast<uint8_t>(ObjSwitchValgt(kRelRaekkeArt, ny));
  if (ws->AntalSwitch && ws->RaekkeSwitch >= ws->AntalSwitch) ws->RaekkeSwitch = 0;
  ws->Matrix.RaekkeHovedBredde = ObjSwitchBredde(kRelRaekkeArt, ny, ws->RaekkeSwitch);
  ws->PosY.Aktuel = 0;
  OpdaterRelVindue(ws, true, REL_TEGN_ALT);
}

void Genopbyg(RelWS *ws) {
  ws->PosX.Aktuel = 0;
  ws->PosY.Aktuel = 0;
  OpdaterRelVindue(ws, true, REL_TEGN_ALT);
}

// The column captions: each group's position number, the current column's
// in the cursor's colour.
void TegnGruppeHoveder(RelWS *ws) {
  Ens &e = ws->Matrix;
  const HDC hdc = e.dc[ENSDC_KOLHOVED].hdc;
  const int B = e.RudeB[ENS_KOLHOVED], H = e.RudeH[ENS_KOLHOVED];
  if (!hdc || B <= 0 || H <= 0) return;
  const HGDIOBJ gammel = TxtFont ? SelectObject(hdc, TxtFont) : 0;
  SetBkMode(hdc, TRANSPARENT);
  RECT alt{0, 0, B, H};
  FillRect(hdc, &alt, RelBrush(0));
  for (uint32_t c = 1; c <= ws->PosX.Antal; ++c) {
    const int x = static_cast<int>(int64_t{GridCelleStart(&e.AkseX, c)} - e.ScrollX);
    const int b = static_cast<int>(GridCelleSlut(&e.AkseX, c) - GridCelleStart(&e.AkseX, c) + 1);
    if (x >= B || x + b <= 0) continue;
    RECT rc{x, 0, x + b, H};
    const bool aktuel = c == ws->PosX.Aktuel;
    if (aktuel) FillRect(hdc, &rc, RelBrush(ws->Matrix.Aktiv ? 1 : 2));
    SetTextColor(hdc, aktuel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_BTNTEXT));
    RECT linje{x + b, 0, x + b + 1, H};
    FillRect(hdc, &linje, GetSysColorBrush(COLOR_3DDKSHADOW));
    char tekst[12];
    const int n = std::snprintf(tekst, sizeof tekst, "%u", c);
    DrawTextA(hdc, tekst, n, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
  }
  if (gammel) SelectObject(hdc, gammel);
}

// A group's button: its members on top, and it becomes the current column.
void GruppeKnap(RelWS *ws, uint32_t c) {
  TPGWS *t = Tilstand(ws->hwnd);
  if (!t || c == 0 || c > ws->Kol.ObjTabAntal) return;
  t->SortGruppe = c;
  ws->PosX.Aktuel = c;
  OpdaterRelVindue(ws, true, REL_TEGN_ALT);
}

bool ErSideTast(const TastInfo &t) {
  return t.message == WM_KEYDOWN && (t.wParam == VK_PRIOR || t.wParam == VK_NEXT);
}

}  // namespace

HWND CreateTildelPlanGruppeWnd(int) {
  const HWND desktop = hwndDesktop;
  RECT rc{0, 0, 0, 0};
  if (desktop) GetClientRect(desktop, &rc);
  HWND h = CreateRelVindue(&TildelPlanGruppeArt, desktop, 0, 0, rc.right, rc.bottom);
  if (!h) return 0;
  Vinduer()[h] = TPGWS{};
  // Centred across the work area when it fits, at the top of the desktop.
  RECT vr{0, 0, 0, 0};
  GetWindowRect(h, &vr);
  const int b = vr.right - vr.left;
  RECT arbejd{0, 0, rc.right, rc.bottom};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &arbejd, 0);
  const int plads = arbejd.right - arbejd.left;
  const int x = b < plads ? (plads - b) / 2 : 0;
  SetWindowPos(h, 0, x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return h;
}

LRESULT CALLBACK TildelPlanGruppeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  RelWS *ws = RelVinduesWS(hwnd);
  if (!ws) return RelVindueProc(&TildelPlanGruppeArt, hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY: {
      auto it = Vinduer().find(hwnd);
      const bool aendret = it != Vinduer().end() && it->second.Aendret;
      if (it != Vinduer().end()) Vinduer().erase(it);
      const LRESULT l = RelVindueProc(&TildelPlanGruppeArt, hwnd, msg, wParam, lParam);
      if (aendret) SendTilAlleVinduer(PLAN_GENOPBYG_GRUPPE, 0, 0, hwnd);
      return l;
    }
    case DATA_AENDRET:
    case EFTER_IMPORT:
      Genopbyg(ws);
      return 0;
    case WM_SIZING: {
      auto *r = reinterpret_cast<RECT *>(lParam);
      const LRESULT l = RelVindueProc(&TildelPlanGruppeArt, hwnd, msg, wParam, lParam);
      if (r->right - r->left < kMindsteBredde) r->right = r->left + kMindsteBredde;
      if (r->bottom - r->top < kMindsteHoejde) r->bottom = r->top + kMindsteHoejde;
      return l;
    }
    case ENS_KOLHOVED_NED: {
      if (!ws->Matrix.Aktiv && !SendMessageA(ws->Matrix.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd)))
        return 0;
      const int x = static_cast<short>(LOWORD(lParam));
      const int64_t p = int64_t{x} + ws->Matrix.ScrollX;
      if (p < 0 || ws->PosX.Antal == 0) return 0;
      const uint32_t c = GridPixelTilCelle(&ws->Matrix.AkseX, static_cast<uint32_t>(p));
      if (c >= 1 && c <= ws->PosX.Antal) GruppeKnap(ws, c);
      if (RelVinduesWS(hwnd) == ws) TegnGruppeHoveder(ws);
      return 0;
    }
    case ENS_CELLER_DBL: {
      auto it = Vinduer().find(hwnd);
      if (it != Vinduer().end() && it->second.KolFlyttet) return 0;
      if (Skift(ws, KMD_UDFOER) && RelVinduesWS(hwnd) == ws) OpdaterRelVindue(ws, false, REL_TEGN_SCROLL_X);
      return 0;
    }
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      if (t && ErSideTast(*t)) return 1;
      break;
    }
    case WM_KEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      if (ErSideTast(t)) {
        SkiftArt(ws);
        return 0;
      }
      // Minimised, the window shows no cell to toggle: Space restores it.
      if (t.message == WM_KEYDOWN && t.wParam == VK_SPACE && ws->Matrix.Tilstand == 2) {
        EnsMinimize(hwnd, &ws->Matrix);
        return 0;
      }
      break;
    }
  }
  // A new current column has other dates: its rows are listed.
  const uint32_t kolFoer = ws->PosX.Aktuel;
  const LRESULT l = RelVindueProc(&TildelPlanGruppeArt, hwnd, msg, wParam, lParam);
  if (RelVinduesWS(hwnd) != ws) return l;
  const bool flyttet = ws->PosX.Aktuel != kolFoer;
  if (msg == ENS_CELLER_NED || msg == ENS_KOLHOVED_NED) {
    auto it = Vinduer().find(hwnd);
    if (it != Vinduer().end()) it->second.KolFlyttet = flyttet ? 1 : 0;
  }
  if (flyttet && ws->PosX.Aktuel != 0) OpdaterRelVindue(ws, true, REL_TEGN_ALT);
  // A layout choice sets the captions' height from the layouts again, which
  // hold none for the groups.
  if (ws->Matrix.KolHovedHoejde != kGruppeHoved) {
    ws->Matrix.KolHovedHoejde = kGruppeHoved;
    OpdaterRelVindue(ws, true, REL_TEGN_ALT);
  }
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_SETCURSOR:
    case WM_NCHITTEST:
    case WM_GETMINMAXINFO:
      break;
    default:
      TegnGruppeHoveder(ws);
  }
  return l;
}
