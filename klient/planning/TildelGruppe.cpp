// The plan group assignment: which activities or employments belong to which
// of this installation's plan groups, changed one cell or one group at a time.
#include "TildelGruppe.h"

#include <algorithm>
#include <cstring>

#include <cstdio>
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
#include "NYBUTTON.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "VINDUER.h"
#include "VISFELT.h"
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
  // The last sort button pressed: 1 a field's (SortFelt, descending when
  // Faldende), 2 a group's (SortGruppe); 0 none. The rows are ordered by it
  // after every rebuild.
  uint8_t SortArt;
  uint32_t SortFelt;
  uint8_t Faldende;
  // The field buttons over the row captions, made for this kind and layout;
  // the group buttons over the columns, the current one held down.
  uint8_t KnapBogstav, KnapSwitch;
  std::vector<HWND> FeltKnapper, GruppeKnapper;
  std::vector<RECT> FeltSted, GruppeSted;
  uint32_t NedeKolonne;
  uint8_t Synker;
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
  const uint32_t c = t && t->SortArt == 2 ? t->SortGruppe : 0;
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

// By the chosen field button's field, in its direction; the row cursor
// stays on its record.
void SorterEfterFelt(RelWS *ws) {
  const TPGWS *t = ws->hwnd ? Tilstand(ws->hwnd) : nullptr;
  const uint32_t antal = ws->Raekke.ObjTabAntal;
  if (!t || t->SortArt != 1 || antal < 2 || !ws->Raekke.ObjTab) return;
  const char art = static_cast<char>(ws->RaekkeBogstav);
  if (t->SortFelt >= ObjSwitchFeltAntal(kRelRaekkeArt, ws->RaekkeBogstav, ws->RaekkeSwitch)) return;
  const uint32_t felt = ObjSwitchFeltNr(kRelRaekkeArt, ws->RaekkeBogstav, ws->RaekkeSwitch, t->SortFelt);
  const uint32_t r = ws->PosY.Aktuel;
  const uint32_t aktuel = r && r <= antal ? ws->Raekke.ObjTab[r] : 0;
  const VisFeltKontekst kontekst{ws->hwnd, 0, 0, 0};
  SorterPaaFelter(art, ws->Raekke.ObjTab, antal, ws->Raekke.pTd, ws->Raekke.pTv, &kontekst,
                  t->Faldende ? SORT_FALDENDE : 0, 1, &felt, 1);
  if (aktuel) ws->PosY.Aktuel = FindObjIdx(ws->Raekke.ObjTab, antal, aktuel);
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
  SorterEfterFelt(ws);
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

constexpr uint32_t kFeltKnapId = 300;    // field sort button i: 300 + i
constexpr uint32_t kGruppeKnapId = 600;  // group button of column c: 600 + c
constexpr uint32_t kMaksGruppeKnapper = 4000;
constexpr int kBilledeStigende = 111, kBilledeFaldende = 112;

// The switch buttons of the row kind's layouts, made again for a kind that
// has another number of them, the chosen one held down.
void GenopbygSkiftKnapper(RelWS *ws) {
  Ens &e = ws->Matrix;
  for (uint32_t i = 0; e.hwndSwitchButtons && i < ws->AntalSwitch; ++i)
    if (e.hwndSwitchButtons[i] && IsWindow(e.hwndSwitchButtons[i])) DestroyWindow(e.hwndSwitchButtons[i]);
  std::free(e.hwndSwitchButtons);
  e.hwndSwitchButtons = nullptr;
  ws->AntalSwitch = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchAntal(kRelRaekkeArt, ws->RaekkeBogstav), 9));
  e.SkiftBredde = static_cast<uint32_t>(ws->AntalSwitch * GetSystemMetrics(SM_CXVSCROLL));
  e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(ws->AntalSwitch + 1u, sizeof(HWND)));
  if (!e.hwndSwitchButtons) tavo::AssertFailed("Ens->hwndSwitchButtons != NULL", kModul, __LINE__);
  const int b = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYHSCROLL);
  for (uint32_t i = 0; i < ws->AntalSwitch; ++i) {
    char tekst[8];
    std::snprintf(tekst, sizeof tekst, "%1u", i + 1);
    const HWND k = CreateNyButtonWnd(e.hInstance, ws->hwnd, ws->hwnd, ENS_SKIFT_ID + i, ENS_SKIFT_ID + i, 0,
                                     e.Areal[0] + 2 + static_cast<int>(i) * b, e.RudeY[ENS_HSCROLL], b, h, "", tekst);
    e.hwndSwitchButtons[i] = k;
    if (k) ShowWindow(k, SW_SHOW);
  }
  if (ws->RaekkeSwitch < ws->AntalSwitch && e.hwndSwitchButtons[ws->RaekkeSwitch])
    SendMessageA(e.hwndSwitchButtons[ws->RaekkeSwitch], NYB_LAAS_NED, 0, 0);
}

// A button's place in the window, moved only when it changed; hidden
// where it would stand outside its pane.
void Placer(HWND k, RECT *sted, int x, int y, int b, int h, int venstre, int hoejre) {
  if (!k) return;
  if (b <= 0 || h <= 0 || x < venstre || x + b > hoejre) {
    if (IsWindowVisible(k)) ShowWindow(k, SW_HIDE);
    *sted = RECT{};
    return;
  }
  const RECT ny{x, y, x + b, y + h};
  // Over the panes they stand on, which were made before them.
  if (ny.left != sted->left || ny.top != sted->top || ny.right != sted->right || ny.bottom != sted->bottom ||
      !IsWindowVisible(k)) {
    SetWindowPos(k, HWND_TOP, x, y, b, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    *sted = ny;
  }
}

// The field buttons over the row captions (one per field of the chosen
// layout, named by the field, as wide as it) and the group buttons over
// the columns ("%d", with the tooltip naming what they do), made when the
// kind, the layout or the columns changed, and placed where their fields
// and columns stand.
void SynkKnapper(RelWS *ws) {
  TPGWS *t = Tilstand(ws->hwnd);
  if (!t || t->Synker) return;
  t->Synker = 1;
  Ens &e = ws->Matrix;
  const uint32_t felter = ObjSwitchFeltAntal(kRelRaekkeArt, ws->RaekkeBogstav, ws->RaekkeSwitch);
  if (t->KnapBogstav != ws->RaekkeBogstav || t->KnapSwitch != ws->RaekkeSwitch || t->FeltKnapper.size() != felter) {
    for (HWND k : t->FeltKnapper)
      if (k && IsWindow(k)) DestroyWindow(k);
    t->FeltKnapper.clear();
    // Another layout's fields: no field is sorted by.
    if (t->SortArt == 1) t->SortArt = 0;
    t->KnapBogstav = ws->RaekkeBogstav;
    t->KnapSwitch = ws->RaekkeSwitch;
    for (uint32_t i = 0; i < felter; ++i) {
      const char *navn = SwitchFeltNavn(ws->Raekke.pTd, ObjSwitchFeltNr(kRelRaekkeArt, ws->RaekkeBogstav, ws->RaekkeSwitch, i));
      const std::string tip = std::string("Sorter efter ") + navn;
      t->FeltKnapper.push_back(CreateNyButtonWnd(e.hInstance, ws->hwnd, ws->hwnd, kFeltKnapId + i, kFeltKnapId + i,
                                                 NYB_BILLEDE_HOEJRE, 0, 0, 0, 0, tip.c_str(), navn));
    }
    t->FeltSted.assign(felter, RECT{});
  }
  const uint32_t kolonner = std::min(ws->PosX.Antal, kMaksGruppeKnapper);
  if (t->GruppeKnapper.size() != kolonner) {
    for (HWND k : t->GruppeKnapper)
      if (k && IsWindow(k)) DestroyWindow(k);
    t->GruppeKnapper.clear();
    for (uint32_t c = 1; c <= kolonner; ++c) {
      char tekst[12], tip[40];
      std::snprintf(tekst, sizeof tekst, "%u", c);
      std::snprintf(tip, sizeof tip, "Vis gruppe %u øverst", c);
      t->GruppeKnapper.push_back(
          CreateNyButtonWnd(e.hInstance, ws->hwnd, ws->hwnd, kGruppeKnapId + c, kGruppeKnapId + c, 0, 0, 0, 0, 0, tip, tekst));
    }
    t->GruppeSted.assign(kolonner, RECT{});
    t->NedeKolonne = 0;
  }
  const int hx = e.HjoerneX[0], hy = e.HjoerneY[0], hb = e.HjoerneB[0], hh = e.HjoerneH[0];
  for (uint32_t i = 0; i < t->FeltKnapper.size(); ++i)
    Placer(t->FeltKnapper[i], &t->FeltSted[i],
           hx + static_cast<int>(ObjSwitchFeltStart(kRelRaekkeArt, ws->RaekkeBogstav, ws->RaekkeSwitch, i)), hy,
           static_cast<int>(ObjSwitchFeltBredde(kRelRaekkeArt, ws->RaekkeBogstav, ws->RaekkeSwitch, i)), hh, hx, hx + hb);
  const int kx = e.RudeX[ENS_KOLHOVED], ky = e.RudeY[ENS_KOLHOVED], kb = e.RudeB[ENS_KOLHOVED];
  const int kh = e.RudeH[ENS_KOLHOVED];
  const GridAkse akse = e.AkseX;
  for (uint32_t c = 1; c <= t->GruppeKnapper.size(); ++c) {
    const int x = kx + static_cast<int>(int64_t{GridCelleStart(&akse, c)} - e.ScrollX);
    // Over the column and the line after it: room for a digit.
    const int b = static_cast<int>(GridCelleStart(&akse, c + 1) - GridCelleStart(&akse, c));
    Placer(t->GruppeKnapper[c - 1], &t->GruppeSted[c - 1], x, ky, b, std::min<int>(kh, kGruppeHoved), kx, kx + kb);
  }
  // The current column's button stays down.
  const uint32_t nede = ws->PosX.Aktuel <= t->GruppeKnapper.size() ? ws->PosX.Aktuel : 0;
  if (nede != t->NedeKolonne) {
    if (t->NedeKolonne && t->GruppeKnapper[t->NedeKolonne - 1])
      SendMessageA(t->GruppeKnapper[t->NedeKolonne - 1], NYB_LAAS_OP, 0, 0);
    if (nede && t->GruppeKnapper[nede - 1]) SendMessageA(t->GruppeKnapper[nede - 1], NYB_LAAS_NED, 0, 0);
    t->NedeKolonne = nede;
  }
  t->Synker = 0;
}

// A field button: ascending first, then descending and ascending in turn;
// the picture shows which, and the button pressed before loses its own.
void FeltKnap(RelWS *ws, uint32_t i) {
  TPGWS *t = Tilstand(ws->hwnd);
  if (!t || i >= t->FeltKnapper.size()) return;
  if (t->SortArt == 1 && t->SortFelt == i) {
    t->Faldende = t->Faldende ? 0 : 1;
  } else {
    if (t->SortArt == 1 && t->SortFelt < t->FeltKnapper.size() && t->FeltKnapper[t->SortFelt])
      SendMessageA(t->FeltKnapper[t->SortFelt], NYB_BILLEDE, NYB_BILLEDE_HOEJRE, 0);
    t->SortArt = 1;
    t->SortFelt = i;
    t->Faldende = 0;
  }
  if (t->FeltKnapper[i])
    SendMessageA(t->FeltKnapper[i], NYB_BILLEDE, NYB_BILLEDE_HOEJRE,
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCE(t->Faldende ? kBilledeFaldende : kBilledeStigende)));
  SorterEfterFelt(ws);
  OpdaterRelVindue(ws, false, REL_TEGN_ALT);
}

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
  GenopbygSkiftKnapper(ws);
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
  SynkKnapper(ws);
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
  if (t->SortArt == 1 && t->SortFelt < t->FeltKnapper.size() && t->FeltKnapper[t->SortFelt])
    SendMessageA(t->FeltKnapper[t->SortFelt], NYB_BILLEDE, NYB_BILLEDE_HOEJRE, 0);
  t->SortArt = 2;
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

std::vector<HWND> TildelFeltKnapper(HWND hwnd) {
  const TPGWS *t = Tilstand(hwnd);
  return t ? t->FeltKnapper : std::vector<HWND>{};
}

std::vector<HWND> TildelGruppeKnapper(HWND hwnd) {
  const TPGWS *t = Tilstand(hwnd);
  return t ? t->GruppeKnapper : std::vector<HWND>{};
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
    case NYB_KLIK:
      if (wParam >= kFeltKnapId && wParam < kFeltKnapId + 100) {
        FeltKnap(ws, static_cast<uint32_t>(wParam - kFeltKnapId));
        if (RelVinduesWS(hwnd) == ws) TegnGruppeHoveder(ws);
        return 0;
      }
      if (wParam > kGruppeKnapId && wParam <= kGruppeKnapId + kMaksGruppeKnapper) {
        if (!ws->Matrix.Aktiv && !SendMessageA(ws->Matrix.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd)))
          return 0;
        GruppeKnap(ws, static_cast<uint32_t>(wParam - kGruppeKnapId));
        if (RelVinduesWS(hwnd) == ws) TegnGruppeHoveder(ws);
        return 0;
      }
      break;
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
