// The deletion window and the removal of objects that ended before the
// period. A mark is nothing but the record's status: the window's own
// marks are rebuilt from the records and the buckets on every data-changed
// broadcast, so no window can hold a mark the record does not.

#include "SletWnd.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ARRANGER.h"
#include "DATO.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FELTTEKST.h"
#include "FINDREC.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "OPTAEL.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SORTIDX.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "TEKST.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

constexpr const char *kKlasse = "SletWndClass";
constexpr const char *kModul = "SletWnd";
constexpr uint8_t kLever = 64;    // event and posting status: written
constexpr uint8_t kSlettet = 8;   // deleted
constexpr uint32_t kArkiv = 0x80000000u;
constexpr int kTekstTop = 0;

const char *const kTalNavne[SLET_ANTAL_TAL] = {"Egne begivenheder",  "Egne slettede begivenheder",
                                               "Fremmede begivenheder", "Egne poster",
                                               "Egne slettede poster", "Fremmede poster"};

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

bool Tabel(uint8_t bogstav, const TabDesc **ppTd, TabVar **ppTv) {
  if (bogstav != 'K' && bogstav != 'L' && bogstav != 'M') return false;
  return TabFromType(bogstav, ppTd, ppTv) == 0;
}

// Status, group word and last date of a record of the three tables.
struct Felter {
  uint8_t *Status = nullptr;
  uint8_t *Gruppe = nullptr;  // u32 at any address
  uint32_t Tildato = 0;
};

Felter LaesFelter(uint8_t bogstav, uint32_t n) {
  Felter f;
  auto tag = [&](auto *r) {
    if (!r) return;
    f.Status = &r->Status;
    f.Gruppe = reinterpret_cast<uint8_t *>(&r->Gruppe);
    f.Tildato = r->Tildato;
  };
  if (n == 0) return f;
  if (bogstav == 'K') tag(TabRec<AktiRec>(tvakti, n));
  if (bogstav == 'L') tag(TabRec<LokaRec>(tvloka, n));
  if (bogstav == 'M') tag(TabRec<AnfoRec>(tvanfo, n));
  return f;
}

void SaetGruppe(const Felter &f, uint32_t g) { std::memcpy(f.Gruppe, &g, sizeof g); }

bool FoerPerioden(uint8_t bogstav, uint32_t n) {
  const Felter f = LaesFelter(bogstav, n);
  // Only a record the removal can mark: it marks Status 10 alone.
  return f.Status && *f.Status == 10 && f.Tildato < SkemaPeriode.FraDato;
}

}  // namespace

// ==================================================================== marks

bool SletObjekt(uint32_t recnr, uint8_t bogstav) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (!Tabel(bogstav, &pTd, &pTv)) return false;
  const Felter f = LaesFelter(bogstav, recnr);
  if (!f.Status || *f.Status != 10) return false;
  SetRecStatus(pTd, pTv, recnr, 31);
  SaetGruppe(f, 1);
  if (bogstav == 'M') SetRunPtr(pTv, recnr, nullptr);
  return true;
}

uint32_t SletGruppeOrd(uint32_t recnr, uint8_t bogstav) {
  if (bogstav == 'L') return IsStjerneLoka(recnr) ? kArkiv : 1;
  if (bogstav == 'M') return IsStjerneMeda(recnr) ? kArkiv : 1;
  if (IsStjerneAkti(recnr)) return kArkiv;
  const AktiRec *a = TabRec<AktiRec>(tvakti, recnr);
  if (!a) return 1;
  uint32_t g = 1;
  if (FeltErTekst(a->Type, sizeof a->Type, "HOLD"))
    g = 6;
  else if (FeltErTekst(a->Type, sizeof a->Type, "IVAK"))
    g = 18;
  else if (IsOvakAkti(recnr))
    g = 32;
  if (HasUvfoAkti(recnr)) g += 8;
  return g;
}

bool GenopretObjekt(uint32_t recnr, uint8_t bogstav) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (!Tabel(bogstav, &pTd, &pTv)) return false;
  const Felter f = LaesFelter(bogstav, recnr);
  // A free slot is no object to bring back.
  if (!f.Status || *f.Status == 0) return false;
  SetRecStatus(pTd, pTv, recnr, 10);
  SaetGruppe(f, SletGruppeOrd(recnr, bogstav));
  if (bogstav == 'M') {
    void *p = std::calloc(static_cast<size_t>(SkemaPeriode.AntalMaaneder) + 1, MEDTAL_MND_BYTES);
    if (!p) tavo::AssertFailed("anfoRec->MedTal != NULL", kModul, __LINE__);
    SetRunPtr(pTv, recnr, p);
    // A zeroed block would show the employee's hours and balances as 0
    // until the next full count; the store counts one employment only as
    // part of the whole, so the whole is counted now.
    AllokerTalTab();
  }
  return true;
}

uint32_t CountObjBeforePeriod(uint8_t bogstav) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (!Tabel(bogstav, &pTd, &pTv) || pTv->wRecCnt < 2) return 0;
  uint32_t antal = 0;
  for (uint32_t n = 1; n < pTv->wRecCnt; ++n) antal += FoerPerioden(bogstav, n);
  return antal;
}

void SletObjBeforePeriod(uint8_t bogstav) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (Tabel(bogstav, &pTd, &pTv))
    for (uint32_t n = 1; n < pTv->wRecCnt; ++n)
      if (FoerPerioden(bogstav, n)) SletObjekt(n, bogstav);
  SendTilAlleVinduer(DATA_AENDRET, 0, 3, 0);
}

void SletGamleObjekterKommando(HWND hovedvindue) {
  if (GlobalIndstillinger.skemalaast) {
    MessageBoxA(hovedvindue, "Der kan ikke slettes i et låst skema", "Sletning", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (GlobalIndstillinger.supertavo) {
    MessageBoxA(hovedvindue, "Der kan ikke slettes i et SuperTavo-skema", "Sletning", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const uint32_t akti = CountObjBeforePeriod('K'), anfo = CountObjBeforePeriod('M');
  if (akti == 0 && anfo == 0) {
    MessageBoxA(hovedvindue, "Der er ingen objekter som ligger før skemaperioden", "Sletning", MB_OK);
    return;
  }
  char spoergsmaal[160];
  std::snprintf(spoergsmaal, sizeof spoergsmaal,
                "Skal de %ld aktiviteter og de %ld medarbejdere der ligger før skemaperioden slettes ?",
                static_cast<long>(akti), static_cast<long>(anfo));
  if (MessageBoxA(hovedvindue, spoergsmaal, "Sletning", MB_OKCANCEL) != IDOK) return;
  SletObjBeforePeriod('K');
  SletObjBeforePeriod('M');
  GendanAnfoAktiRel();
}

// ==================================================================== counts and rows

namespace {

uint32_t ObjektAf(uint8_t bogstav, const SkeRec *s) {
  return bogstav == 'K' ? s->akti_id : bogstav == 'M' ? s->anfo_id : s->loka_id;
}

void Tael(SletWS *ws, uint32_t obj, uint8_t ejer, uint8_t status, int foerste) {
  if (obj == 0 || obj >= ws->AntalRec || !(status & kLever)) return;
  if (ejer == GlobalIndstillinger.insnr)
    ++ws->Tal[foerste + ((status & kSlettet) ? 1 : 0)][obj];
  else
    ++ws->Tal[foerste + 2][obj];
}

void FrigivTal(SletWS *ws) {
  std::free(ws->Maerke);
  ws->Maerke = nullptr;
  for (auto &t : ws->Tal) {
    std::free(t);
    t = nullptr;
  }
  ws->AntalRec = 0;
}

uint8_t RecStatusAf(const SletWS *ws, uint32_t n) {
  const Felter f = LaesFelter(ws->Bogstav, n);
  return f.Status ? *f.Status : 0;
}

bool Vist(uint8_t s) { return (s >= 10 && s <= 29) || (s >= 31 && s <= 39); }

// The name key of a record: field 1 cut to its width, upper-cased and in
// Danish letter order.
std::string NavneNoegle(const SletWS *ws, uint32_t n) {
  const TabDesc *pTd = ws->Hoved.pTd;
  const uint32_t bredde = pTd && pTd->AntalFelter > 1 ? std::max<uint32_t>(FeltBredde(pTd, 1, 1), 1) : 1;
  std::string t = VisFeltTekst(static_cast<char>(ws->Bogstav), pTd, ws->Hoved.pTv, 1, n, nullptr, 1);
  t.resize(bredde, ' ');
  for (char &c : t) c = static_cast<char>(StortTegn(static_cast<unsigned char>(c)));
  DanskSortTegn(t.data(), static_cast<int>(t.size()));
  return t;
}

// Sorts the rows by a key per record, the current object staying current.
template <class Fn>
void SorterRaekker(SletWS *ws, Fn noegle) {
  Ens &e = ws->Hoved;
  const uint32_t antal = e.ObjTabAntal;
  if (antal < 2) return;
  std::vector<std::string> n(antal + 1);
  size_t bredde = 1;
  for (uint32_t i = 1; i <= antal; ++i) {
    n[i] = noegle(e.ObjTab[i]);
    bredde = std::max(bredde, n[i].size());
  }
  std::vector<char> noegler(static_cast<size_t>(ws->AntalRec + 1) * bredde, ' ');
  for (uint32_t i = 1; i <= antal; ++i)
    std::memcpy(&noegler[static_cast<size_t>(e.ObjTab[i]) * bredde], n[i].data(), n[i].size());
  const uint32_t aktuel = ws->PosY.Aktuel && ws->PosY.Aktuel <= antal ? e.ObjTab[ws->PosY.Aktuel] : 0;
  SortIdx(noegler.data(), e.ObjTab + 1, static_cast<uint32_t>(bredde), antal);
  if (ws->Faldende) std::reverse(e.ObjTab + 1, e.ObjTab + 1 + antal);
  if (aktuel) ws->PosY.Aktuel = std::max<uint32_t>(FindObjIdx(e.ObjTab, antal, aktuel), 1);
}

}  // namespace

void SletOptaelling(SletWS *ws) {
  FrigivTal(ws);
  const TabVar *pTv = ws->Hoved.pTv;
  const uint32_t antal = pTv ? pTv->wRecCnt : 0;
  ws->Maerke = static_cast<uint8_t(*)[2]>(std::calloc(antal + 1, 2));
  for (auto &t : ws->Tal) t = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (!ws->Maerke || std::any_of(std::begin(ws->Tal), std::end(ws->Tal), [](uint32_t *t) { return !t; }))
    tavo::AssertFailed("SletWS->Maerke != NULL", kModul, __LINE__);
  ws->AntalRec = antal;
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    const TabVar *b = SkemabegBucket(IndeksTilUge(w));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const auto *s = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
      if (s) Tael(ws, ObjektAf(ws->Bogstav, s), s->Ejer, static_cast<uint8_t>(s->Status), SLET_EGNE_BEG);
    }
  }
  if (ws->Bogstav != 'L')
    for (MaanedIndeks m = 1; m <= SkemaPeriode.AntalMaaneder; ++m) {
      const TabVar *b = TimoakBucket(IndeksTilMaaned(m));
      for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
        const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
        if (t) Tael(ws, ws->Bogstav == 'K' ? t->akti_id : t->anfo_id, t->Ejer, t->Status, SLET_EGNE_POST);
      }
    }
  for (uint32_t n = 1; n < antal; ++n) {
    const uint8_t s = RecStatusAf(ws, n);
    if (s == 31) ws->Maerke[n][0] = SLET_MAERKET;
    if (s > 31) {
      ws->Maerke[n][0] = SLET_SENDT;
      ws->Maerke[n][1] = 1;
    }
    if (ws->Tal[SLET_EGNE_BEG][n] || ws->Tal[SLET_EGNE_SLETTEDE_BEG][n] || ws->Tal[SLET_EGNE_POST][n] ||
        ws->Tal[SLET_EGNE_SLETTEDE_POST][n])
      ws->Maerke[n][0] = SLET_LAAST;
  }
}

void SletObjTab(SletWS *ws) {
  Ens &e = ws->Hoved;
  std::free(e.ObjTab);
  e.ObjTab = nullptr;
  e.ObjTabAntal = 0;
  std::vector<uint32_t> liste(1, 0);
  for (uint32_t n = 1; n < ws->AntalRec; ++n)
    if (Vist(RecStatusAf(ws, n))) liste.push_back(n);
  const uint32_t antal = static_cast<uint32_t>(liste.size() - 1);
  auto *tab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", kModul, __LINE__);
  std::copy(liste.begin(), liste.end(), tab);
  if (antal > 1) {
    const SwitchLayout *l = ObjSwitchLayout(kSletSortArt, ws->Bogstav, 0);
    const uint32_t felter[3] = {l ? l->SortFelt : 1, 1, 0};
    SorterPaaFelter(static_cast<char>(ws->Bogstav), tab, antal, e.pTd, e.pTv, nullptr, 0, 1, felter, 3);
  }
  e.ObjTab = tab;
  e.ObjTabAntal = antal;
}

void SletGenopbyg(SletWS *ws) {
  SletOptaelling(ws);
  SletObjTab(ws);
  Ens &e = ws->Hoved;
  ws->PosY.Antal = e.ObjTabAntal;
  const uint32_t aktuel = e.pTv ? e.pTv->AktuelRec : 0;
  const uint32_t i = aktuel ? FindObjIdx(e.ObjTab, e.ObjTabAntal, aktuel) : 0;
  ws->PosY.Aktuel = i ? i : (e.ObjTabAntal ? 1 : 0);
  ws->PosX.Antal = 2;
  ws->PosX.Aktuel = 1;
}

void SletSorterMaerke(SletWS *ws) {
  static const char kBogstav[4] = {'C', 'D', 'A', 'B'};
  SorterRaekker(ws, [&](uint32_t n) { return std::string(1, kBogstav[ws->Maerke[n][0] & 3]) + NavneNoegle(ws, n); });
}

void SletSorterTal(SletWS *ws, int tal) {
  if (tal < 0 || tal >= SLET_ANTAL_TAL) return;
  SorterRaekker(ws, [&](uint32_t n) {
    char b[16];
    std::snprintf(b, sizeof b, "%8ld", static_cast<long>(ws->Tal[tal][n]));
    return std::string(b) + NavneNoegle(ws, n);
  });
}

// ==================================================================== geometry

namespace {

uint32_t Bredde60(const SletWS *ws) { return ObjSwitchBredde(kSletObjArt, ws->Bogstav, ws->Switch60); }
uint32_t Bredde61(const SletWS *ws) {
  const uint32_t b = ObjSwitchBredde(kSletCelleArt, ws->Bogstav, ws->Switch61);
  return b ? b : 16;
}
uint32_t Bredde62(const SletWS *ws) { return ObjSwitchBredde(kSletBegArt, ws->Bogstav, 0); }
uint32_t Bredde63(const SletWS *ws) { return ObjSwitchBredde(kSletPostArt, ws->Bogstav, 0); }
uint32_t RaekkeHovedBredde(const SletWS *ws) { return Bredde60(ws) + Bredde62(ws) + Bredde63(ws); }
int Gutter() { return 2 * CxFrame(); }
int RammeHoejde() { return 2 * CyFrame() + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYHSCROLL); }

}  // namespace

int BeregnSletHoejde(const SletWS *ws, int maks) {
  const TabVar *pTv = ws->Hoved.pTv;
  const int ramme = RammeHoejde() + kSletKnapHoejde;
  if (!pTv || pTv->wRecCnt < 2) return std::min(ramme, maks);
  int64_t n = 0;
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) n += Vist(RecStatusAf(ws, r));
  const int64_t h = ramme + 21 + int64_t{kSletRaekke} * n;
  return static_cast<int>(std::max<int64_t>(kSletMindsteHoejde, std::min<int64_t>(h, maks)));
}

int BeregnSletBredde(uint32_t celleBredde, uint32_t raekkeHovedBredde, int maks) {
  const int64_t b = int64_t{raekkeHovedBredde} + 7 + GetSystemMetrics(SM_CXVSCROLL) +
                    2 * (int64_t{celleBredde} + Gutter());
  return static_cast<int>(std::max<int64_t>(kSletMindsteBredde, std::min<int64_t>(b, maks)));
}

// ==================================================================== painting

namespace {

SletWS *Ws(HWND h) { return reinterpret_cast<SletWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

HBRUSH Brush(uint8_t slot) { return FarveBrush[slot] ? FarveBrush[slot] : GetSysColorBrush(COLOR_BTNFACE); }

uint8_t Markoer(const SletWS *ws) { return ws->Hoved.Aktiv ? 1 : 2; }

int RaekkeY(const SletWS *ws, uint32_t r) {
  return static_cast<int>(GridCelleStart(&ws->Hoved.AkseY, r)) - static_cast<int>(ws->Hoved.ScrollY);
}
int KolX(const SletWS *ws, uint32_t c) {
  return static_cast<int>(GridCelleStart(&ws->Hoved.AkseX, c)) - static_cast<int>(ws->Hoved.ScrollX);
}

SwitchRaekkeValg Valg(const SletWS *ws) {
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Hoejde = 11;
  v.TopMargen = kTekstTop;
  return v;
}

struct TalCelle {
  const SletWS *ws;
  uint32_t rec;
  int foerste;  // the first of the three counts
};
uint32_t TalTekst(void *arg, const SwitchFelt *sf, uint32_t i, char *tekst, uint8_t *, uint8_t *) {
  const auto *c = static_cast<const TalCelle *>(arg);
  std::memset(tekst, ' ', kSwitchMaksTegn);
  tekst[kSwitchMaksTegn] = '\0';
  if (i > 2 || !sf) return 0;
  char b[16];
  const int l = std::snprintf(b, sizeof b, "%*ld", static_cast<int>(std::min<uint32_t>(sf->Tegn, 10)),
                              static_cast<long>(c->ws->Tal[c->foerste + static_cast<int>(i)][c->rec]));
  std::memcpy(tekst, b, static_cast<size_t>(std::max(l, 0)));
  return 0;
}

void TegnRaekkeHoved(SletWS *ws, uint32_t r) {
  Ens &e = ws->Hoved;
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  if (!dc->hdc || r < 1 || r > e.ObjTabAntal) return;
  const int y = RaekkeY(ws, r);
  if (y >= e.RudeH[ENS_RAEKKEHOVED] || y + kSletRaekke <= 0) return;
  const uint32_t n = e.ObjTab[r];
  const uint8_t farve = r == ws->PosY.Aktuel ? Markoer(ws) : 0;
  const SwitchRaekkeValg v = Valg(ws);
  FillRectIfAny(dc->hdc, Brush(farve), 0, y, e.RudeB[ENS_RAEKKEHOVED], y + kSletRaekke - 1);
  TegnObjSwitchRaekke(dc, 0, y, farve, kSletObjArt, ws->Bogstav, ws->Switch60, e.pTd, e.pTv, n, &v);
  int x = static_cast<int>(Bredde60(ws));
  TalCelle beg{ws, n, SLET_EGNE_BEG};
  TegnObjSwitchRaekkeCb(dc, x, y, farve, kSletBegArt, ws->Bogstav, 0, TalTekst, &beg, &v);
  x += static_cast<int>(Bredde62(ws));
  TalCelle post{ws, n, SLET_EGNE_POST};
  TegnObjSwitchRaekkeCb(dc, x, y, farve, kSletPostArt, ws->Bogstav, 0, TalTekst, &post, &v);
  FillRectSys(dc->hdc, COLOR_3DDKSHADOW, 0, y + kSletRaekke - 1, e.RudeB[ENS_RAEKKEHOVED], y + kSletRaekke);
}

void TegnCelle(SletWS *ws, uint32_t c, uint32_t r) {
  Ens &e = ws->Hoved;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  if (!dc->hdc || c < 1 || c > 2 || r < 1 || r > e.ObjTabAntal) return;
  const int x = KolX(ws, c), y = RaekkeY(ws, r);
  const int b = static_cast<int>(Bredde61(ws));
  const uint32_t n = e.ObjTab[r];
  const uint8_t m = ws->Maerke[n][0];
  const bool laast = c == 2 || m == SLET_LAAST || m == SLET_SENDT;
  const uint8_t farve = c == ws->PosX.Aktuel && r == ws->PosY.Aktuel ? Markoer(ws) : 0;
  if (farve == 0 && laast)
    FillRectSys(dc->hdc, COLOR_BTNFACE, x, y, x + b, y + kSletRaekke - 1);
  else
    FillRectIfAny(dc->hdc, Brush(farve), x, y, x + b, y + kSletRaekke - 1);
  // The check value stands where the layout's one character does.
  const bool sat = c == 1 ? (m == SLET_MAERKET || m == SLET_SENDT) : ws->Maerke[n][1] != 0;
  const SwitchFelt *sf = ObjSwitchFelt(kSletCelleArt, ws->Bogstav, ws->Switch61, 0);
  const int tx = x + static_cast<int>(sf ? sf->StregVenstre + sf->LuftVenstre : 4);
  if (sat) TegnFarvetTekst(dc, tx, y, farve ? 17 : 16, 0, "X", 1, 1);
  FillRectSys(dc->hdc, COLOR_3DDKSHADOW, x, y + kSletRaekke - 1, x + b + 1, y + kSletRaekke);
  FillRectSys(dc->hdc, COLOR_3DDKSHADOW, x + b, y, x + b + 1, y + kSletRaekke);
}

void TegnRaekkeHoveder(SletWS *ws) {
  Ens &e = ws->Hoved;
  HDC hdc = e.dc[ENSDC_RAEKKEHOVED].hdc;
  if (!hdc) return;
  for (uint32_t r = 1; r <= e.ObjTabAntal; ++r) TegnRaekkeHoved(ws, r);
  const int bund = std::max(0, RaekkeY(ws, e.ObjTabAntal + 1));
  FillRectIfAny(hdc, Brush(0), 0, bund, e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED]);
}

void TegnCeller(SletWS *ws) {
  Ens &e = ws->Hoved;
  HDC hdc = e.dc[ENSDC_CELLER].hdc;
  if (!hdc) return;
  for (uint32_t r = 1; r <= e.ObjTabAntal; ++r)
    for (uint32_t c = 1; c <= 2; ++c) TegnCelle(ws, c, r);
  const int hoejre = std::max(0, KolX(ws, 3)), bund = std::max(0, RaekkeY(ws, e.ObjTabAntal + 1));
  FillRectIfAny(hdc, Brush(0), hoejre, 0, e.RudeB[ENS_CELLER], e.RudeH[ENS_CELLER]);
  FillRectIfAny(hdc, Brush(0), 0, bund, hoejre, e.RudeH[ENS_CELLER]);
}

void TegnRaekke(SletWS *ws, uint32_t r) {
  TegnRaekkeHoved(ws, r);
  TegnCelle(ws, 1, r);
  TegnCelle(ws, 2, r);
}

// The knobs over the panes: the column buttons over the cells, the sort
// buttons over the row captions.
void PlacerKnapper(SletWS *ws) {
  const int b = static_cast<int>(Bredde61(ws));
  if (ws->hwndSlettet) MoveWindow(ws->hwndSlettet, KolX(ws, 1), 0, b, kSletKnapHoejde, TRUE);
  if (ws->hwndSendt) MoveWindow(ws->hwndSendt, KolX(ws, 2), 0, b, kSletKnapHoejde, TRUE);
  uint32_t k = 0;
  int x = 0;
  auto placer = [&](uint32_t art, uint8_t nr) {
    for (uint32_t i = 0; i < ObjSwitchFeltAntal(art, ws->Bogstav, nr) && k < ws->AntalSortKnapper; ++i, ++k) {
      const int w = static_cast<int>(ObjSwitchFeltBredde(art, ws->Bogstav, nr, i));
      if (ws->SortKnapper[k]) MoveWindow(ws->SortKnapper[k], x, 0, w, kSletKnapHoejde, TRUE);
      x += w;
    }
  };
  placer(kSletObjArt, ws->Switch60);
  placer(kSletBegArt, 0);
  placer(kSletPostArt, 0);
}

void Opdater(SletWS *ws) {
  Ens &e = ws->Hoved;
  const int H = e.RudeH[ENS_CELLER];
  if (H > 0) {
    uint32_t off = e.ScrollY;
    GridScrollTilAktuel(&ws->PosY, &off, static_cast<uint32_t>(H), &e.AkseY);
    e.ScrollY = off;
  }
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, H, static_cast<int>(e.ObjTabAntal ? GridCelleSlut(&e.AkseY, e.ObjTabAntal) : 0),
                 static_cast<int>(e.ScrollY));
  PlacerKnapper(ws);
  TegnRaekkeHoveder(ws);
  TegnCeller(ws);
  if (ws->PosY.Aktuel && ws->PosY.Aktuel <= e.ObjTabAntal && e.pTv) {
    const uint32_t n = e.ObjTab[ws->PosY.Aktuel];
    if (e.Aktiv && !ws->Deaktiveret && e.pTv->AktuelRec != n) {
      e.pTv->AktuelRec = n;
      SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, 0);
    }
  }
}

// ==================================================================== actions

void VaelgSwitch(SletWS *ws, uint32_t nr) {
  if (nr >= ws->AntalSwitch60 || nr == ws->Switch60) return;
  Ens &e = ws->Hoved;
  HWND *knap = e.hwndSwitchButtons;
  if (knap && knap[ws->Switch60]) SendMessageA(knap[ws->Switch60], NYB_LAAS_OP, 0, 0);
  if (knap && knap[nr]) SendMessageA(knap[nr], NYB_LAAS_NED, 0, 0);
  ws->Switch60 = static_cast<uint8_t>(nr);
  ObjSwitchVaelg(kSletObjArt, ws->Bogstav, nr);
  e.RaekkeHovedBredde = RaekkeHovedBredde(ws);
  RECT r{}, pr{};
  GetWindowRect(ws->hwnd, &r);
  GetClientRect(GetParent(ws->hwnd), &pr);
  const int b = BeregnSletBredde(Bredde61(ws), e.RaekkeHovedBredde, std::max<int>(pr.right, kSletMindsteBredde));
  SetWindowPos(ws->hwnd, 0, 0, 0, b, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  EnsOnSize(&e, ws->hwnd, rc.right, rc.bottom, ws->AntalSwitch60);
  EnsPaintFrame(&e);
  Opdater(ws);
}

void Genopbyg(SletWS *ws) {
  SletGenopbyg(ws);
  Opdater(ws);
}

void SorterFelt(SletWS *ws, uint32_t i) {
  const uint32_t felt = ObjSwitchFeltNr(kSletObjArt, ws->Bogstav, ws->Switch60, i);
  const int id = 100 + static_cast<int>(i);
  ws->Faldende = ws->SortKnap == id ? !ws->Faldende : false;
  ws->SortKnap = id;
  ObjSwitchSaetSortFelt(kSletSortArt, ws->Bogstav, felt);
  const TabDesc *pTd = ws->Hoved.pTd;
  const uint32_t bredde = pTd && felt < pTd->AntalFelter ? std::max<uint32_t>(FeltBredde(pTd, felt, 1), 1) : 1;
  SorterRaekker(ws, [&](uint32_t n) {
    std::string t = VisFeltTekst(static_cast<char>(ws->Bogstav), pTd, ws->Hoved.pTv, felt, n, nullptr, 1);
    t.resize(bredde, ' ');
    for (char &c : t) c = static_cast<char>(StortTegn(static_cast<unsigned char>(c)));
    DanskSortTegn(t.data(), static_cast<int>(t.size()));
    return t + NavneNoegle(ws, n);
  });
}

void Knap(HWND h, SletWS *ws, WPARAM id, LPARAM vaerdi) {
  if (id >= ENS_SKIFT_ID && id < static_cast<WPARAM>(ENS_SKIFT_ID) + ws->AntalSwitch60) {
    VaelgSwitch(ws, static_cast<uint32_t>(id - ENS_SKIFT_ID));
    return;
  }
  switch (vaerdi) {
    case NYB_LUK:
      DestroyWindow(h);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &ws->Hoved);
      return;
    case NYB_MINIMER:
      EnsMinimize(h, &ws->Hoved);
      return;
  }
  // The sort buttons carry their field's or count's index as the value.
  if (id == kSletKnapFelt && vaerdi >= 0 && vaerdi < 0x1000) {
    SorterFelt(ws, static_cast<uint32_t>(vaerdi));
  } else if (id == kSletKnapTal && vaerdi >= 0 && vaerdi < SLET_ANTAL_TAL) {
    ws->Faldende = false;
    ws->SortKnap = 0;
    SletSorterTal(ws, static_cast<int>(vaerdi));
  } else if (id == kSletKnapSlettet && vaerdi == 0) {
    ws->Faldende = false;
    ws->SortKnap = 0;
    SletSorterMaerke(ws);
  } else {
    return;  // "Sendt" and anything else: no effect
  }
  Opdater(ws);
}

}  // namespace

void SletSkift(SletWS *ws) {
  Ens &e = ws->Hoved;
  const uint32_t r = ws->PosY.Aktuel;
  if (ws->PosX.Aktuel != 1 || r < 1 || r > e.ObjTabAntal) return;
  if (GlobalIndstillinger.supertavo) {
    MessageBoxA(ws->hwnd, "Der kan ikke slettes rettigheder i et SuperTavoSkema", "Sletning",
                MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (GlobalIndstillinger.skemalaast) {
    MessageBoxA(ws->hwnd, "Der kan ikke slettes rettigheder i et låst skema", "Sletning", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const uint32_t n = e.ObjTab[r];
  uint8_t &m = ws->Maerke[n][0];
  switch (m) {
    case SLET_MULIG:
      // The mark follows the record: a status SletObjekt leaves alone is
      // no mark.
      if (!SletObjekt(n, ws->Bogstav)) return;
      m = SLET_MAERKET;
      break;
    case SLET_LAAST:
      MessageBoxA(ws->hwnd, "Kan ikke slettes - idet der findes egne poster og/eller egne begivenheder på objektet",
                  "Sletning", MB_OK);
      return;
    case SLET_MAERKET:
      if (!GenopretObjekt(n, ws->Bogstav)) return;
      m = SLET_MULIG;
      break;
    default:
      MessageBoxA(ws->hwnd, "Kan ikke slettes - idet objektet allerede er sendt til sletning", "Sletning", MB_OK);
      return;
  }
  const HWND h = ws->hwnd;
  SendTilAlleVinduer(DATA_AENDRET, 0, 3, h);
  if (IsWindow(h) && Ws(h) == ws) TegnRaekke(ws, r);
}

// ==================================================================== window

namespace {

bool BlivAktiv(HWND h, SletWS *ws) {
  if (ws->Hoved.Aktiv) return true;
  if (ws->Hoved.hwndParent &&
      !SendMessageA(ws->Hoved.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)))
    return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return IsWindow(h) && Ws(h) == ws && ws->Hoved.Aktiv;
}

void Aktiver(HWND h, SletWS *ws, UINT msg, WPARAM wParam) {
  Ens &e = ws->Hoved;
  e.CaptionAktiv = 1;
  if (e.Aktiv) return;
  e.Aktiv = 1;
  VinduesListeTilTop(h);
  BringWindowToTop(h);
  if (msg == VINDUE_AKTIVER && e.hwndParent) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
  }
  EnsPaintFrame(&e);
  Opdater(ws);
}

void Klik(HWND h, SletWS *ws, UINT msg, LPARAM lParam) {
  if (!BlivAktiv(h, ws)) return;
  Ens &e = ws->Hoved;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  if (msg == ENS_CELLER_NED && x >= 0) {
    const uint32_t c = GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX);
    if (c >= 1 && c <= 2) ws->PosX.Aktuel = c;
  }
  if (y >= 0) {
    const uint32_t r = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
    if (r >= 1 && r <= e.ObjTabAntal) ws->PosY.Aktuel = r;
  }
  Opdater(ws);
}

void FoelgAktuel(SletWS *ws, WPARAM wParam) {
  Ens &e = ws->Hoved;
  if ((e.Aktiv && wParam == 0) || !e.pTv) return;
  const uint32_t i = FindObjIdx(e.ObjTab, e.ObjTabAntal, e.pTv->AktuelRec);
  if (!i || i == ws->PosY.Aktuel) return;
  ws->PosY.Aktuel = i;
  Opdater(ws);
}

void Tast(HWND h, SletWS *ws, const TastInfo &t) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return;
  if (!BlivAktiv(h, ws)) return;
  Ens &e = ws->Hoved;
  const uint32_t tast = t.wParam;
  if (tast == VK_F4 && t.ctrl && !t.shift) {
    DestroyWindow(h);
    return;
  }
  if (t.shift && !t.ctrl && tast >= '0' && tast <= '9') {
    VaelgSwitch(ws, tast - '0');
    return;
  }
  if (t.ctrl || t.shift) return;
  if (tast == VK_LEFT || tast == VK_RIGHT || tast == VK_UP || tast == VK_DOWN || tast == VK_PRIOR ||
      tast == VK_NEXT || tast == VK_HOME || tast == VK_END) {
    const bool kolonne = tast == VK_LEFT || tast == VK_RIGHT;
    if (!kolonne) ws->PosY.Synlige = std::max<uint32_t>(1, static_cast<uint32_t>(e.RudeH[ENS_CELLER]) / kSletRaekke);
    if (GridTastFlytTrin(kolonne ? &ws->PosX : &ws->PosY, tast, 0, t.alt ? -1 : 0, false, 0)) Opdater(ws);
    return;
  }
  switch (tast) {
    case VK_SPACE:
      if (e.Tilstand == 2) {
        EnsMinimize(h, &e);
        return;
      }
      SletSkift(ws);
      return;
    case VK_ESCAPE:
      e.SoegTekst[0] = '\0';
      Opdater(ws);
      return;
  }
}

void OpretKnapper(SletWS *ws) {
  Ens &e = ws->Hoved;
  const HWND kol = e.hwndKolHoved ? e.hwndKolHoved : ws->hwnd;
  const HWND hjoerne = e.hwndHjoerneV ? e.hwndHjoerneV : ws->hwnd;
  const int b = static_cast<int>(Bredde61(ws));
  ws->hwndSlettet = CreateNyButtonWnd(e.hInstance, kol, ws->hwnd, kSletKnapSlettet, 0, 0, 0, 0, b, kSletKnapHoejde,
                                      "Vis slettet øverst", "Slettet");
  ws->hwndSendt = CreateNyButtonWnd(e.hInstance, kol, ws->hwnd, kSletKnapSendt, 0, 0, b, 0, b, kSletKnapHoejde,
                                    "Vis sendt øverst", "Sendt");
  const uint32_t n60 = ObjSwitchFeltAntal(kSletObjArt, ws->Bogstav, ws->Switch60);
  const uint32_t n62 = ObjSwitchFeltAntal(kSletBegArt, ws->Bogstav, 0);
  const uint32_t n63 = ObjSwitchFeltAntal(kSletPostArt, ws->Bogstav, 0);
  ws->AntalSortKnapper = n60 + n62 + n63;
  ws->SortKnapper = static_cast<HWND *>(std::calloc(ws->AntalSortKnapper + 1, sizeof(HWND)));
  if (!ws->SortKnapper) return;
  uint32_t k = 0;
  for (uint32_t i = 0; i < n60; ++i, ++k) {
    const char *navn = SwitchFeltNavn(e.pTd, ObjSwitchFeltNr(kSletObjArt, ws->Bogstav, ws->Switch60, i));
    const std::string tip = std::string("Sorter efter ") + navn;
    ws->SortKnapper[k] = CreateNyButtonWnd(e.hInstance, hjoerne, ws->hwnd, kSletKnapFelt, i, 0, 0, 0, 0,
                                           kSletKnapHoejde, tip.c_str(), navn);
  }
  for (uint32_t i = 0; i < n62 + n63; ++i, ++k) {
    const int tal = i < n62 ? static_cast<int>(std::min<uint32_t>(i, 2)) : SLET_EGNE_POST + static_cast<int>(std::min<uint32_t>(i - n62, 2));
    const std::string tip = std::string("Sorter efter ") + kTalNavne[tal];
    ws->SortKnapper[k] = CreateNyButtonWnd(e.hInstance, hjoerne, ws->hwnd, kSletKnapTal, static_cast<uint32_t>(tal),
                                           0, 0, 0, 0, kSletKnapHoejde, tip.c_str(), kTalNavne[tal]);
  }
  for (HWND knap : {ws->hwndSlettet, ws->hwndSendt}) if (knap) ShowWindow(knap, SW_SHOWNA);
  for (uint32_t i = 0; i < ws->AntalSortKnapper; ++i) if (ws->SortKnapper[i]) ShowWindow(ws->SortKnapper[i], SW_SHOWNA);
}

void Opret(HWND h, SletWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->Hoved;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_V;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", ws->Caption);
  ws->Switch60 = static_cast<uint8_t>(ObjSwitchValgt(kSletObjArt, ws->Bogstav));
  ws->Switch61 = static_cast<uint8_t>(ObjSwitchValgt(kSletCelleArt, ws->Bogstav));
  ws->AntalSwitch60 = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchAntal(kSletObjArt, ws->Bogstav), 10));
  e.AkseX = GridAkse{0, Bredde61(ws), 1, 0, static_cast<uint32_t>(Gutter())};
  e.AkseY = GridAkse{0, kSletRaekke - 1, 1, 0, 1};
  e.RaekkeHovedBredde = RaekkeHovedBredde(ws);
  e.KolHovedHoejde = kSletKnapHoejde;
  e.SkiftBredde = static_cast<uint32_t>(ws->AntalSwitch60 * GetSystemMetrics(SM_CXVSCROLL));
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyFrame() + GetSystemMetrics(SM_CYCAPTION);
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  EnsCalcLayout(&e);
  e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(ws->AntalSwitch60 + 1u, sizeof(HWND)));
  EnsCreateChildren(&e, h, ws->AntalSwitch60, nullptr, TxtFont, false, true, nullptr);
  if (TxtFont && e.hwndRaekkeHoved) SelectDCPalette(e.hwndRaekkeHoved, &e.dc[ENSDC_RAEKKEHOVED], TxtFont);
  if (e.hwndSwitchButtons && ws->Switch60 < ws->AntalSwitch60 && e.hwndSwitchButtons[ws->Switch60])
    SendMessageA(e.hwndSwitchButtons[ws->Switch60], NYB_LAAS_NED, 0, 0);
  OpretKnapper(ws);
  SletGenopbyg(ws);
  VinduesListeTilfoej(h);
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    e.Aktiv = 1;
    e.CaptionAktiv = 1;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  }
}

void Frigiv(SletWS *ws) {
  FrigivTal(ws);
  std::free(ws->Hoved.ObjTab);
  std::free(ws->Hoved.hwndSwitchButtons);
  std::free(ws->SortKnapper);
  std::free(ws);
}

void Nedlaeg(HWND h, SletWS *ws) {
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  Frigiv(ws);
}

}  // namespace

SletWS *SletVinduesWS(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  char klasse[32] = "";
  GetClassNameA(hwnd, klasse, sizeof klasse);
  return std::strcmp(klasse, kKlasse) == 0 ? Ws(hwnd) : nullptr;
}

LRESULT CALLBACK SletWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<SletWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  SletWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->Hoved;
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(h, ws);
      return 0;
    case WM_SETFOCUS:
      if (hwndHoved && hwndHoved != h && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      EnsPaintFrame(&e);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), ws->AntalSwitch60);
        EnsPaintFrame(&e);
        Opdater(ws);
      }
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) {
        PlacerKnapper(ws);
        TegnRaekkeHoveder(ws);
        TegnCeller(ws);
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      PlacerKnapper(ws);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnRaekkeHoveder(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnCeller(ws);
      return 0;
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ws, msg, lParam);
      return 0;
    case ENS_CELLER_DBL:
      Klik(h, ws, ENS_CELLER_NED, lParam);
      if (IsWindow(h) && Ws(h) == ws && ws->PosX.Aktuel == 1) SletSkift(ws);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, lParam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_EXITSIZEMOVE:
      EnsPaintFrame(&e);
      Opdater(ws);
      break;
    case WM_ENABLE:
      ws->Deaktiveret = wParam ? 0 : 1;
      return 0;
    case ENS_HOEJDE:
      return BeregnSletHoejde(ws, static_cast<int>(lParam));
    case ENS_BREDDE:
      return BeregnSletBredde(Bredde61(ws), e.RaekkeHovedBredde, static_cast<int>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_ART:
      return ws->Bruger;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, msg, wParam);
      return 0;
    case VINDUE_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      e.Aktiv = wParam ? 1 : 0;
      EnsPaintFrame(&e);
      TegnRaekkeHoveder(ws);
      TegnCeller(ws);
      e.Aktiv = aktiv;
      return 0;
    }
    case VINDUE_SAET_AKTIV:
      e.Aktiv = 1;
      e.CaptionAktiv = 1;
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = 0;
      e.CaptionAktiv = 0;
      EnsPaintFrame(&e);
      Opdater(ws);
      return 0;
    case AKTUEL_AENDRET:
      FoelgAktuel(ws, wParam);
      return 0;
    case DATA_AENDRET:
    case EFTER_IMPORT:
      Genopbyg(ws);
      return 0;
    case NYB_KLIK:
      Knap(h, ws, wParam, lParam);
      return 0;
    case TAST_SPOERG:
      return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      Tast(h, ws, t);
      return 0;
    }
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerSletKlasse(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = SletWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

HWND CreateSletWnd(uint8_t bogstav, int venstre, int top, int hoejre, int bund, const TabDesc *pTd, TabVar *pTv,
                   LPARAM bruger) {
  if (!pTd || !pTv || (bogstav != 'K' && bogstav != 'L' && bogstav != 'M')) return 0;
  auto *ws = static_cast<SletWS *>(std::calloc(1, sizeof(SletWS)));
  if (!ws) return 0;
  ws->Bogstav = bogstav;
  ws->Hoved.pTd = pTd;
  ws->Hoved.pTv = pTv;
  ws->Hoved.hInstance = hInst;
  ws->Bruger = bruger;
  std::snprintf(ws->Caption, sizeof ws->Caption, "%s",
                bogstav == 'K' ? " Aktivitets sletning" : bogstav == 'M' ? " Medarbejder sletning" : " Lokale sletning");
  ws->Switch60 = static_cast<uint8_t>(ObjSwitchValgt(kSletObjArt, bogstav));
  ws->Switch61 = static_cast<uint8_t>(ObjSwitchValgt(kSletCelleArt, bogstav));
  const int64_t fast = 7 + GetSystemMetrics(SM_CXVSCROLL) + 2 * int64_t{CxFrame()};
  const int64_t oensket = int64_t{RaekkeHovedBredde(ws)} + 2 * (int64_t{Bredde61(ws)} + Gutter()) + fast;
  const int b = static_cast<int>(std::clamp<int64_t>(oensket, kSletMindsteBredde,
                                                    std::max<int64_t>(hoejre - venstre, kSletMindsteBredde)));
  const int h = BeregnSletHoejde(ws, bund - top);
  HWND hwnd = CreateWindowExA(0, kKlasse, ws->Caption, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top, b,
                              h, hwndDesktop ? hwndDesktop : GetDesktopWindow(), 0, hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) Frigiv(ws);
    return 0;
  }
  return hwnd;
}

HWND OpretSletVindue(uint8_t bogstav, int venstre, int top, int hoejre, int bund) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (!Tabel(bogstav, &pTd, &pTv)) return 0;
  return CreateSletWnd(bogstav, venstre, top, hoejre, bund, pTd, pTv, 0);
}
