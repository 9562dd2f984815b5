// The Gantt window: views, rows, the bar table and its characters, the
// period check, the sort buttons, the status bar and the window's life.
// Everything sized by a table's record count is sized at every rebuild.

#include "GANT.h"

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
#include "FONTE.h"
#include "GRUPPE.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "SIDEFIL.h"
#include "STATUSBAR.h"
#include "STATUSFILTER.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABREG.h"
#include "TAVOTB.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

constexpr uint32_t kSortKnapId = 0;       // 0..99: row-header sort buttons
constexpr uint32_t kOpgSortKnapId = 100;  // 100 + i: statement sort buttons
constexpr int kBaandBredde = 400;
constexpr LRESULT kGantHjaelpEmne = 112;

GANTWS *Ws(HWND h) { return reinterpret_cast<GANTWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

uint32_t LaesU32(const uint8_t *p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

const uint8_t *Rec(const GANTWS *ws, uint32_t r) { return ws->pTv->pbTab + size_t{r} * ws->pTd->RecSize; }

uint32_t RecAntal(const GANTWS *ws) {
  return ws->pTd && ws->pTv && ws->pTv->pbTab ? ws->pTv->wRecCnt : 0;
}

uint8_t StatusAf(const GANTWS *ws, uint32_t r) { return RecStatus(ws->pTd, Rec(ws, r)); }

// A field of the descriptor by name; -1 when the table has none.
int FeltAfNavn(const TabDesc *pTd, const char *navn) {
  for (int i = 0; pTd && i < pTd->AntalFelter && i < MAXFELT; ++i)
    if (std::strcmp(pTd->FeltTab[i].Navn, navn) == 0) return i;
  return -1;
}

uint32_t FeltU32(const GANTWS *ws, uint32_t r, int felt) {
  return felt < 0 ? 0 : LaesU32(Rec(ws, r) + ws->pTd->FeltTab[felt].Offset);
}

uint32_t PeriodeFelt(const GANTWS *ws, uint32_t r, int pf) {
  const uint8_t f = ws->pTd->PeriodeFelter[pf];
  return f ? LaesU32(Rec(ws, r) + ws->pTd->FeltTab[f].Offset) : 0;
}

int GruppeIndeks(uint8_t bogstav) {
  switch (bogstav) {
    case 'K': return GRP_AKTI;
    case 'M': return GRP_ANFO;
    case 'L': return GRP_LOKA;
  }
  return -1;
}

const char *ObjektNavn(uint8_t bogstav) {
  switch (bogstav) {
    case 'K': return "aktivitetens";
    case 'M': return "medarbejderens";
    default: return "lokalets";
  }
}

uint32_t SortFelt(uint8_t bogstav) {
  const SwitchLayout *l = ObjSwitchLayout(kGantRaekkeArt, bogstav, 0);
  return l ? l->SortFelt : 0;
}

void SaetAktuelRaekke(GANTWS *ws, uint32_t rec) {
  Ens &e = ws->ens;
  uint32_t r = rec && e.ObjTab ? FindObjIdx(e.ObjTab, e.ObjTabAntal, rec) : 0;
  if (r == 0 && e.ObjTabAntal > 0) r = 1;
  ws->RaekkePos.Antal = e.ObjTabAntal;
  ws->RaekkePos.Aktuel = r;
  if (ws->RaekkePos.Foerste == 0 || ws->RaekkePos.Foerste > std::max<uint32_t>(uint32_t{e.ObjTabAntal}, 1))
    ws->RaekkePos.Foerste = r ? r : 1;
}

uint32_t *NyObjTab(GANTWS *ws, uint32_t antal) {
  Ens &e = ws->ens;
  std::free(e.ObjTab);
  e.ObjTabAntal = 0;
  e.ObjTab = static_cast<uint32_t *>(std::calloc(size_t{antal} + 1, sizeof(uint32_t)));
  if (!e.ObjTab) tavo::AssertFailed("GANTWS->Ens.ObjTab != NULL", "GANT", __LINE__);
  return e.ObjTab;
}

void SorterRaekker(GANTWS *ws, const uint32_t *felter, uint32_t antalFelter, uint32_t option) {
  Ens &e = ws->ens;
  const VisFeltKontekst kontekst{ws->hwnd, 0, 0, 0};
  SorterPaaFelter(static_cast<char>(ws->Bogstav), e.ObjTab, e.ObjTabAntal, ws->pTd, ws->pTv, &kontekst, option, 1,
                  felter, antalFelter);
}

}  // namespace

// ==================================================================== filter

bool VisKunFilter(const SkeRec *r) {
  const StatusFilter &f = BegivenhedsFilter;
  const uint32_t s = r->Status;
  switch (f.Tilstand) {
    case 1:
      if (!(s & SKE_KENDT)) return false;
      break;
    case 2:
      if (s & (SKE_UROERT | SKE_KENDT)) return false;
      break;
    case 3:
      if (!(s & SKE_UROERT) || (s & SKE_KENDT)) return false;
      break;
  }
  if (f.Fremmed && r->Ejer == GlobalIndstillinger.insnr) return false;
  if (f.FejlKode && r->Fejl != f.FejlKode) return false;
  return true;
}

// ==================================================================== view

const char *GantTitel(uint8_t bogstav, uint32_t sw) {
  switch (bogstav) {
    case 'K': return sw == 5 ? "Aktivitets opgørelse" : "Aktivitets gantkort";
    case 'L': return "Lokale gantkort";
    default:
      if (sw == 3 || sw == 4) return "Medarbejder opgørelse";
      if (sw == 6) return "Medarbejder ferieopgørelse";
      return "Medarbejder gantkort";
  }
}

void GantVaelgVisning(GANTWS *ws) {
  const uint8_t b = ws->Bogstav;
  ws->SwitchArt = kGantRaekkeArt;
  uint32_t sw = ObjSwitchValgt(kGantRaekkeArt, b);
  ws->SwitchAntal = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchAntal(kGantRaekkeArt, b), 100));
  if (b == 'M' && ObjSwitchFoersteFeltErI(kGantRaekkeArt, b, sw) && !GlobalIndstillinger.medopg) sw = 0;
  ws->Switch = static_cast<uint8_t>(std::min<uint32_t>(sw, 255));
  ws->Opgoerelse = ObjSwitchFoersteFeltErI(kGantRaekkeArt, b, sw) ? 1 : 0;
  ws->OpgSwitch = ws->OpgFeltAntal = ws->OpgArt = 0;
  if (ws->Opgoerelse) {
    ws->OpgSwitch = ws->Switch;
    ws->OpgArt = GlobalIndstillinger.normsystem && (sw == 3 || sw == 4) ? kGantOpgNormArt : kGantOpgArt;
    ws->OpgFeltAntal =
        static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchFeltAntal(ws->OpgArt, b, ws->OpgSwitch), 255));
  }
  ws->UgeAfhaengig = 0;
  const uint32_t n = ObjSwitchFeltAntal(kGantRaekkeArt, b, sw);
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t f = ObjSwitchFeltNr(kGantRaekkeArt, b, sw, i);
    if (f == 246 || f == 323 || f == 324) ws->UgeAfhaengig = 1;
  }
  ws->UgeHovedArt = kGantUgeHovedArt;
  ws->UgeHovedSwitch = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchValgt(kGantUgeHovedArt, b), 255));
  ws->HjoerneArt = kGantHjoerneArt;
  ws->HjoerneSwitch = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchValgt(kGantHjoerneArt, b), 255));
  std::snprintf(ws->Titel, sizeof ws->Titel, "%s", GantTitel(b, sw));
  std::snprintf(ws->ens.Titel, sizeof ws->ens.Titel, "%s", ws->Titel);
  ws->UgeAkse = GridAkse{0, kGantUgeBredde, 1, 0, 0};
  const uint32_t opgBredde = ws->Opgoerelse ? ObjSwitchBredde(ws->OpgArt, b, ws->OpgSwitch) : 0;
  ws->OpgAkse = GridAkse{0, std::max<uint32_t>(opgBredde, 1), 1, 0, 0};
}

// ==================================================================== bars

uint32_t GantUgeIndeks(uint32_t uge) { return UgeTilIndeks(uge); }

uint8_t GantTegn(const GANTWS *ws, uint32_t rec, uint32_t w) {
  if (!ws->Tegn || rec >= ws->BjaelkeAntal || w < 1 || w > ws->UgeAntal) return 0;
  return ws->Tegn[size_t{rec} * ws->UgeAntal + (w - 1)];
}

void GantByggBjaelker(GANTWS *ws) {
  std::free(ws->Bjaelker);
  std::free(ws->Tegn);
  ws->Bjaelker = nullptr;
  ws->Tegn = nullptr;
  ws->BjaelkeAntal = ws->UgeAntal = 0;
  const uint32_t antal = RecAntal(ws);
  const uint32_t N = SkemaPeriode.AntalUger;
  if (antal == 0) return;
  ws->Bjaelker = static_cast<GantBjaelke *>(std::calloc(antal, sizeof(GantBjaelke)));
  ws->Tegn = static_cast<uint8_t *>(std::calloc(size_t{antal} * std::max<uint32_t>(N, 1), 1));
  if (!ws->Bjaelker || !ws->Tegn) {
    std::free(ws->Bjaelker);
    std::free(ws->Tegn);
    ws->Bjaelker = nullptr;
    ws->Tegn = nullptr;
    return;
  }
  ws->BjaelkeAntal = antal;
  ws->UgeAntal = N;
  // Every record asks for four indexes: the index of each year's week 1 is
  // worked out once.
  const SkemaPeriodeData &p = SkemaPeriode;
  const uint32_t foersteAar = p.FoersteUge / 100, sidsteAar = p.SidsteUge / 100;
  std::vector<int64_t> aarStart;
  int64_t start = 2 - static_cast<int64_t>(p.FoersteUge % 100);
  for (uint32_t aar = foersteAar; aar <= sidsteAar && aar >= foersteAar; ++aar) {
    aarStart.push_back(start);
    start += UgerIAar(aar);
  }
  const auto indeks = [&](Uge u) -> uint32_t {
    if (u < p.FoersteUge) return 0;
    if (u > p.SidsteUge || aarStart.empty()) return N + 1;
    const int64_t i = aarStart[u / 100 - foersteAar] + u % 100 - 1;
    return i < 1 ? 0 : i > N ? N + 1 : static_cast<uint32_t>(i);
  };
  for (uint32_t r = 0; r < antal; ++r) {
    GantBjaelke &b = ws->Bjaelker[r];
    b.MinStart = indeks(PeriodeFelt(ws, r, PF_MINSTARTUGE));
    b.MaxSlut = indeks(PeriodeFelt(ws, r, PF_MAXSLUTUGE));
    b.Start = indeks(PeriodeFelt(ws, r, PF_STARTUGE));
    b.Slut = indeks(PeriodeFelt(ws, r, PF_SLUTUGE));
    uint8_t *t = ws->Tegn + size_t{r} * N;
    const uint32_t fra = std::max<uint32_t>(b.MinStart, 1), til = std::min<uint32_t>(b.MaxSlut, N);
    for (uint32_t w = fra; w <= til; ++w) {
      const bool start = w == b.MinStart, slut = w == b.MaxSlut;
      t[w - 1] = start && slut ? GANT_EN_UGE : start ? GANT_START : slut ? GANT_SLUT : GANT_MELLEM;
    }
  }
  // The scheduled weeks: the event rows of each week's bucket that name a
  // record of the table.
  const uint32_t objOffset = ws->pTd->ObjektOffset;
  if (objOffset + 4 > sizeof(SkeRec)) return;
  const StatusFilter &f = BegivenhedsFilter;
  const bool filter = f.Tilstand || f.FejlKode || f.Fremmed;
  for (uint32_t w = 1; w <= N; ++w) {
    const TabVar *bucket = SkemabegBucket(IndeksTilUge(w));
    if (!bucket || !bucket->pbTab) continue;
    for (uint32_t i = 1; i < bucket->wRecCnt; ++i) {
      const auto *s = reinterpret_cast<const SkeRec *>(bucket->pbTab + size_t{i} * sizeof(SkeRec));
      if (s->Status == 0 || (s->Status & SKE_SLETTET) || (filter && !VisKunFilter(s))) continue;
      const uint32_t rec = LaesU32(reinterpret_cast<const uint8_t *>(s) + objOffset);
      if (rec == 0 || rec >= antal) continue;
      const GantBjaelke &b = ws->Bjaelker[rec];
      const bool start = w == b.MinStart, slut = w == b.MaxSlut;
      ws->Tegn[size_t{rec} * N + (w - 1)] =
          start && slut ? GANT_SKE_EN_UGE : start ? GANT_SKE_START : slut ? GANT_SKE_SLUT : GANT_SKE;
    }
  }
}

void GantByggGruppeFlag(GANTWS *ws) {
  std::free(ws->GruppeFlag);
  const uint32_t antal = RecAntal(ws);
  ws->GruppeFlag = static_cast<uint8_t *>(std::calloc(std::max<uint32_t>(antal, 1), kGruppeKolonner));
  ws->GruppeFlagAntal = ws->GruppeFlag ? antal : 0;
  HentGruppeBits(static_cast<char>(ws->Bogstav), ws->GruppeFlag, ws->GruppeFlagAntal);
}

// ==================================================================== rows

uint32_t GantAktuelRec(const GANTWS *ws) {
  const uint32_t r = ws->RaekkePos.Aktuel;
  return ws->ens.ObjTab && r >= 1 && r <= ws->ens.ObjTabAntal ? ws->ens.ObjTab[r] : 0;
}

void GantByggRaekker(GANTWS *ws) {
  if (ws->UvfoFilter) return GantByggUvfoRaekker(ws);
  const uint32_t antal = RecAntal(ws);
  const std::vector<uint32_t> foer(ws->ens.ObjTab ? ws->ens.ObjTab + 1 : nullptr,
                                   ws->ens.ObjTab ? ws->ens.ObjTab + 1 + ws->ens.ObjTabAntal : nullptr);
  uint32_t *tab = NyObjTab(ws, antal);
  const int fra = FeltAfNavn(ws->pTd, "Fradato"), til = FeltAfNavn(ws->pTd, "Tildato");
  const int meda = ws->Bogstav == 'M' && ws->Switch == 6 ? FeltAfNavn(ws->pTd, "meda_id") : -1;
  const uint8_t gruppeFelt = ws->pTd ? ws->pTd->PeriodeFelter[PF_GRUPPE] : 0;
  std::vector<uint32_t> medaSet;
  uint32_t n = 0;
  for (uint32_t r = 1; r < antal; ++r) {
    const uint8_t s = StatusAf(ws, r);
    if (s < 10 || s > 29) continue;
    if (fra >= 0 && FeltU32(ws, r, fra) > SkemaPeriode.TilDato) continue;
    if (til >= 0 && FeltU32(ws, r, til) < SkemaPeriode.FraDato) continue;
    if (gruppeFelt && !(LaesU32(Rec(ws, r) + ws->pTd->FeltTab[gruppeFelt].Offset) & ws->GruppeMaske)) continue;
    if (meda >= 0) {
      const uint32_t m = FeltU32(ws, r, meda);
      if (std::find(medaSet.begin(), medaSet.end(), m) != medaSet.end()) continue;
      medaSet.push_back(m);
    }
    tab[++n] = r;
  }
  ws->ens.ObjTabAntal = n;
  const uint32_t felt = SortFelt(ws->Bogstav);
  if (felt) SorterRaekker(ws, &felt, 1, 0);
  SaetAktuelRaekke(ws, ws->pTv ? ws->pTv->AktuelRec : 0);
  GantBeregnSummer(ws);
  const bool samme = foer.size() == n && std::equal(foer.begin(), foer.end(), tab + 1);
  if (!samme)
    ws->TegnFlag |= GANT_TEGN_ALT;
  else if (ws->Opgoerelse)
    ws->TegnFlag |= GANT_TEGN_TAL;
}

void GantByggUvfoRaekker(GANTWS *ws) {
  const int uvfo = FeltAfNavn(ws->pTd, "uvfo_id");
  const uint32_t aktuel = GantAktuelRec(ws);
  const uint32_t kursus = uvfo >= 0 && aktuel ? FeltU32(ws, aktuel, uvfo) : 0;
  const uint32_t antal = RecAntal(ws);
  uint32_t *tab = NyObjTab(ws, antal);
  uint32_t n = 0;
  for (uint32_t r = 1; kursus && r < antal; ++r) {
    const uint8_t s = StatusAf(ws, r);
    if (s >= 10 && s <= 29 && FeltU32(ws, r, uvfo) == kursus) tab[++n] = r;
  }
  ws->ens.ObjTabAntal = n;
  const int navn = FeltAfNavn(ws->pTd, "Aktivitet");
  const uint32_t felter[2] = {SortFelt(ws->Bogstav), static_cast<uint32_t>(std::max(navn, 0))};
  SorterRaekker(ws, felter, navn >= 0 ? 2 : 1, 0);
  SaetAktuelRaekke(ws, aktuel);
  ws->TegnFlag |= GANT_TEGN_ALT;
}

void GantByggKolonner(GANTWS *ws) {
  Ens &e = ws->ens;
  const uint32_t N = SkemaPeriode.AntalUger;
  std::free(e.UgeTab);
  e.UgeTab = static_cast<uint32_t *>(std::calloc(size_t{N} + 1, sizeof(uint32_t)));
  if (!e.UgeTab) tavo::AssertFailed("GANTWS->Ens.UgeTab != NULL", "GANT", __LINE__);
  for (uint32_t w = 1; w <= N; ++w) e.UgeTab[w] = w;
  uint32_t k = SkemaPeriode.AktuelUgeIndeks;
  if (k == 0 || k > N) k = N ? 1 : 0;
  if (ws->Opgoerelse) {
    ws->KolPos = GridPos{1, 1, 1, 1};
  } else {
    ws->KolPos.Antal = N;
    ws->KolPos.Aktuel = k;
    if (ws->KolPos.Foerste == 0 || ws->KolPos.Foerste > std::max<uint32_t>(N, 1)) ws->KolPos.Foerste = 1;
  }
  ws->ForrigeKol = k;
  ws->SidePos = GridPos{1, 1, 1, 1};
}

// ==================================================================== period check

bool GantPeriodeTjek(GANTWS *ws, int mode) {
  const uint32_t rec = GantAktuelRec(ws);
  if (!rec || rec >= ws->BjaelkeAntal) return false;
  const GantBjaelke &b = ws->Bjaelker[rec];
  const uint32_t N = SkemaPeriode.AntalUger;
  // In a statement the week is the program's current one.
  const uint32_t w = ws->Opgoerelse ? SkemaPeriode.AktuelUgeIndeks : ws->KolPos.Aktuel;
  if (w >= b.Start && w <= b.Slut) return true;
  if (b.Start <= N && b.Slut >= 1) {
    const uint32_t ny = b.Start >= 1 ? b.Start : 1;
    SkemaPeriode.AktuelUgeIndeks = ny;
    if (!ws->Opgoerelse) ws->KolPos.Aktuel = ny;
    return true;
  }
  if (mode == KMD_UDFOER) {
    char tekst[200];
    const char *navn = ObjektNavn(ws->Bogstav);
    std::snprintf(tekst, sizeof tekst,
                  "Du står uden for %s periode. \nPlacér markøren indenfor %s periodestreg og prøv igen!", navn,
                  navn);
    MessageBoxA(ws->hwnd, tekst, "Advarsel", MB_OK | MB_ICONEXCLAMATION);
  }
  return false;
}

// ==================================================================== sorting

void GantSorterFelt(GANTWS *ws, uint32_t i) {
  const uint32_t felt = ObjSwitchFeltNr(kGantRaekkeArt, ws->Bogstav, ws->Switch, i);
  if (i >= ObjSwitchFeltAntal(kGantRaekkeArt, ws->Bogstav, ws->Switch)) return;
  const uint32_t rec = GantAktuelRec(ws);
  ObjSwitchSaetSortFelt(kGantRaekkeArt, ws->Bogstav, felt);
  SorterRaekker(ws, &felt, 1, 0);
  ws->SortMaerke = 0;
  ws->DatoFaldende = 0;
  SaetAktuelRaekke(ws, rec);
  ws->TegnFlag |= GANT_TEGN_ALT;
}

void GantSorterOpg(GANTWS *ws, uint32_t i) {
  Ens &e = ws->ens;
  if (!ws->Opgoerelse || i >= ws->OpgFeltAntal || !e.ObjTab) return;
  const uint32_t rec = GantAktuelRec(ws);
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Valg1 = static_cast<int32_t>(SkemaPeriode.AktuelUgeIndeks);
  v.Valg2 = GantSumMode();
  std::vector<std::pair<float, uint32_t>> noegler;
  char tekst[kSwitchTekstLen];
  for (uint32_t r = 1; r <= e.ObjTabAntal; ++r) {
    ObjSwitchCelleTekst(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i, ws->pTd, ws->pTv, e.ObjTab[r], &v, tekst, nullptr);
    tekst[std::min<uint32_t>(ObjSwitchFeltTegn(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i), kSwitchMaksTegn)] = '\0';
    noegler.emplace_back(GantTekstTal(tekst), e.ObjTab[r]);
  }
  std::stable_sort(noegler.begin(), noegler.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
  for (uint32_t r = 1; r <= e.ObjTabAntal; ++r) e.ObjTab[r] = noegler[r - 1].second;
  ws->SortMaerke = 0;
  SaetAktuelRaekke(ws, rec);
  ws->TegnFlag |= GANT_TEGN_ALT;
}

void GantSorterDato(GANTWS *ws) {
  const int fra = FeltAfNavn(ws->pTd, "Fradato");
  if (fra < 0) return;
  const uint32_t rec = GantAktuelRec(ws);
  const uint32_t felt = static_cast<uint32_t>(fra);
  // The first click after a sort button sorts ascending.
  const bool faldende = ws->SortMaerke == 255 && ws->DatoFaldende;
  SorterRaekker(ws, &felt, 1, faldende ? SORT_FALDENDE : 0);
  ws->DatoFaldende = faldende ? 0 : 1;
  ws->SortMaerke = 255;
  SaetAktuelRaekke(ws, rec);
  ws->TegnFlag |= GANT_TEGN_ALT;
}

// ==================================================================== status bar

uint32_t GantStatusAntal(const GANTWS *ws) {
  uint32_t n = ObjSwitchFeltAntal(kGantStatusArt, ws->Bogstav, 0);
  if (ws->Bogstav == 'K' && n >= 2) {
    const int elev = FeltAfNavn(ws->pTd, "Elevlektioner"), kursist = FeltAfNavn(ws->pTd, "Kursistlektioner");
    uint64_t sum = 0;
    for (uint32_t r = 1; r < RecAntal(ws); ++r) sum += uint64_t{FeltU32(ws, r, elev)} + FeltU32(ws, r, kursist);
    if (sum == 0) n -= 2;
  }
  return n;
}

void GantStatusTekst(const GANTWS *ws, uint32_t i, char *tekst, uint8_t *tekstFarve, uint8_t *bkFarve) {
  std::memset(tekst, ' ', kSwitchTekstLen - 1);
  tekst[kSwitchTekstLen - 1] = '\0';
  *tekstFarve = 16;
  *bkFarve = 0;
  const uint32_t rec = GantAktuelRec(ws);
  if (!rec) {
    tekst[0] = '\0';
    return;
  }
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Valg1 = static_cast<int32_t>(SkemaPeriode.AktuelUgeIndeks);
  uint8_t farve = 16;
  ObjSwitchCelleTekst(kGantStatusArt, ws->Bogstav, 0, i, ws->pTd, ws->pTv, rec, &v, tekst, &farve);
  const uint32_t tegn = ObjSwitchFeltTegn(kGantStatusArt, ws->Bogstav, 0, i);
  tekst[std::min<uint32_t>(tegn, kSwitchTekstLen - 1)] = '\0';
  *tekstFarve = farve;
}

// ==================================================================== sizes

int GantBredde(const GANTWS *ws, int plads) {
  const uint32_t indhold = ws->Opgoerelse ? ObjSwitchBredde(ws->OpgArt, ws->Bogstav, ws->OpgSwitch)
                                          : uint32_t{kGantUgeBredde} * SkemaPeriode.AntalUger;
  const int64_t b = int64_t{2} * GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXVSCROLL) +
                    ObjSwitchBredde(kGantRaekkeArt, ws->Bogstav, ws->Switch) + 6 + indhold;
  return static_cast<int>(std::min<int64_t>(std::max<int64_t>(b, 150), std::max(plads, 150)));
}

int GantHoejde(const GANTWS *ws, int plads) {
  const int hoved = kGantKolHovedHoejde + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME) +
                    kGantStatusHoejde;
  const int raekke = ws->Opgoerelse ? kGantOpgRaekkeHoejde : kGantRaekkeHoejde;
  const int64_t h = int64_t{hoved} + 63 + int64_t{ws->ens.ObjTabAntal} * raekke;
  const int min = hoved + (ws->Bogstav == 'M' && !GlobalIndstillinger.medopg ? 5 : 6) * 20;
  return static_cast<int>(std::min<int64_t>(std::max<int64_t>(h, min), std::max(plads, min)));
}

// ==================================================================== rebuild

void GantGenopbyg(GANTWS *ws) {
  GantByggBjaelker(ws);
  GantByggGruppeFlag(ws);
  GantByggRaekker(ws);
  if (ws->ens.UgeTab == nullptr || ws->KolPos.Antal != SkemaPeriode.AntalUger) GantByggKolonner(ws);
  // The bars may have changed under rows that stayed.
  ws->TegnFlag |= GANT_TEGN_ALT;
}

HFONT GantBjaelkeFont() {
  static HFONT f = 0;
  if (!f)
    f = CreateFontA(11, 8, 0, 0, FW_NORMAL, 0, 0, 0, OEM_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Terminal");
  return f;
}

// ==================================================================== drawing

namespace {

int RaekkeHoejde(const GANTWS *ws) { return ws->Opgoerelse ? kGantOpgRaekkeHoejde : kGantRaekkeHoejde; }

int Bredde(const Ens &e, int rude) { return std::max(int{e.RudeB[rude]}, 0); }

// Scrolls each axis so that the current cell is in view; 8 and 16 for the
// axes that moved.
uint32_t ScrollTilAktuel(GANTWS *ws) {
  Ens &e = ws->ens;
  uint32_t y = e.ScrollY, x = e.ScrollX;
  ws->RaekkePos.Antal = e.ObjTabAntal;
  if (ws->RaekkePos.Aktuel)
    GridScrollTilAktuel(&ws->RaekkePos, &y, static_cast<uint32_t>(std::max(int{e.RudeH[ENS_CELLER]}, 0)),
                        &e.AkseY);
  if (!ws->Opgoerelse && ws->KolPos.Aktuel)
    GridScrollTilAktuel(&ws->KolPos, &x, static_cast<uint32_t>(Bredde(e, ENS_CELLER)), &e.AkseX);
  const uint32_t flag = (x != e.ScrollX ? uint32_t{GANT_TEGN_SCROLL} : 0u) | (y != e.ScrollY ? uint32_t{GANT_TEGN_SCROLL_Y} : 0u);
  e.ScrollY = y;
  e.ScrollX = x;
  return flag;
}

void SaetScrollBars(GANTWS *ws) {
  Ens &e = ws->ens;
  const uint32_t bredde = ws->Opgoerelse ? ObjSwitchBredde(ws->OpgArt, ws->Bogstav, ws->OpgSwitch)
                                         : GridCelleSlut(&e.AkseX, ws->KolPos.Antal);
  if (e.hwndHScroll)
    SetScrollCtl(e.hwndHScroll, e.RudeB[ENS_CELLER], static_cast<int>(bredde), static_cast<int>(e.ScrollX));
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, e.RudeH[ENS_CELLER], static_cast<int>(GridCelleSlut(&e.AkseY, e.ObjTabAntal)),
                 static_cast<int>(e.ScrollY));
}

// The y of row r in the row panes; false when it is not in view.
bool RaekkeY(const GANTWS *ws, uint32_t r, int *y) {
  const Ens &e = ws->ens;
  if (!e.ObjTab || r < 1 || r > e.ObjTabAntal) return false;
  const int rh = RaekkeHoejde(ws);
  *y = static_cast<int>(int64_t{r - 1} * rh - e.ScrollY);
  return *y + rh > 0 && *y < e.RudeH[ENS_CELLER];
}

// The visible rows of a pane: fn(row, y). The y below the last row drawn.
template <typename Fn>
int ForSynligeRaekker(GANTWS *ws, Fn fn) {
  Ens &e = ws->ens;
  const int hoejde = std::max(int{e.RudeH[ENS_CELLER]}, 0), rh = RaekkeHoejde(ws);
  const uint32_t foerste = e.ScrollY / static_cast<uint32_t>(rh) + 1;
  int bund = 0;
  for (uint32_t r = foerste; e.ObjTab && r <= e.ObjTabAntal; ++r) {
    const int y = static_cast<int>((r - 1) * rh) - static_cast<int>(e.ScrollY);
    if (y >= hoejde) break;
    fn(r, y);
    bund = y + rh;
  }
  return bund;
}

// The rows to repaint: every visible one, or by bit 4 the previous and the
// current row only.
template <typename Fn>
void ForRaekker(GANTWS *ws, bool alle, Fn fn) {
  if (alle) {
    const int bund = ForSynligeRaekker(ws, fn);
    fn(0, bund);  // row 0: fill below the last row
    return;
  }
  int y = 0;
  const uint32_t forrige = ws->TegnetRaekke, aktuel = ws->RaekkePos.Aktuel;
  if (forrige != aktuel && RaekkeY(ws, forrige, &y)) fn(forrige, y);
  if (RaekkeY(ws, aktuel, &y)) fn(aktuel, y);
}

uint8_t AktuelBk(const GANTWS *ws) { return ws->ens.Aktiv ? 1 : 2; }
uint8_t AktuelTekst(const GANTWS *ws) { return ws->ens.Aktiv ? 17 : 19; }

SwitchRaekkeValg RaekkeValg(const GANTWS *ws) {
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Valg1 = static_cast<int32_t>(SkemaPeriode.AktuelUgeIndeks);
  v.Hoejde = static_cast<uint32_t>(RaekkeHoejde(ws));
  v.TopMargen = ws->Opgoerelse ? 2 : 0;
  return v;
}

void FyldUnder(EnsDC *dc, int bund, int bredde, int hoejde) {
  if (bund < hoejde) FillRectIfAny(dc->hdc, FarveBrush[0], 0, std::max(bund, 0), bredde, hoejde);
}

// Step 1: the active window makes the program's current record, week and
// date its own, and the date pane shows the date.
void StyrAktuel(GANTWS *ws) {
  if (!ws->ens.Aktiv) return;
  if (const uint32_t rec = GantAktuelRec(ws); rec && ws->pTv) ws->pTv->AktuelRec = rec;
  const uint32_t w = ws->Opgoerelse ? SkemaPeriode.AktuelUgeIndeks : ws->KolPos.Aktuel;
  if (w < 1 || w > SkemaPeriode.AntalUger) return;
  const Dato d = GantKolonneDato(w);
  if (StatusFelter.Dato && IsWindow(StatusFelter.Dato))
    SendMessageA(StatusFelter.Dato, STATUS_DATO_SAET, 0, static_cast<LPARAM>(d));
  if (d != SkemaPeriode.AktuelDato) SaetAktuelDato(d);
  SkemaPeriode.AktuelUgeIndeks = w;
}

// Step 2: the corner layout for the current record and week in the
// toolbar's pane, widened to the pane, and a statement's caption after it.
void TegnHjoerne(GANTWS *ws) {
  Ens &e = ws->ens;
  if (EnsDC *dc = &e.dc[ENSDC_HJOERNE_V]; dc->hdc)
    FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, Bredde(e, ENS_RAEKKEHOVED), kGantKolHovedHoejde - kGantKnapHoejde);
  EnsDC *dc = &e.dc[ENSDC_TOOLBAR];
  if (!dc->hdc || !e.hwndToolbar) return;
  const int B = static_cast<int>(SendMessageA(e.hwndToolbar, TB_RUDEBREDDE, 0, 0));
  if (B <= 0) return;
  const int lb = static_cast<int>(ObjSwitchBredde(kGantHjoerneArt, ws->Bogstav, ws->HjoerneSwitch));
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Valg1 = static_cast<int32_t>(SkemaPeriode.AktuelUgeIndeks);
  v.RestBredde = static_cast<uint32_t>(std::max(B - lb, 0));
  v.Skrift = TxtFont;
  if (const uint32_t rec = GantAktuelRec(ws))
    TegnObjSwitchRaekke(dc, 0, 0, 0, kGantHjoerneArt, ws->Bogstav, ws->HjoerneSwitch, ws->pTd, ws->pTv, rec, &v);
  else
    FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, B, kToolbarHoejde);
  if (!ws->Opgoerelse) return;
  char tekst[100];
  GantOpgTekst(ws, GantAktuelDato(), tekst, sizeof tekst);
  TegnFarvetTekst(dc, lb + 10, 0, 16, 6, tekst, static_cast<int>(std::strlen(tekst)), 2);
}

// A line of the week header for week index w when the table has no kind-35
// layout for it: the month's letter where a month begins, then the week
// number's two digits.
char UgeHovedTegn(uint32_t linje, uint32_t w) {
  const Uge uge = IndeksTilUge(w);
  if (linje == 1) return static_cast<char>('0' + uge % 100 / 10);
  if (linje == 2) return static_cast<char>('0' + uge % 10);
  const Dato mandag = UgeDagTilDato(uge, 1);
  const Dato forrige = w > 1 ? UgeDagTilDato(IndeksTilUge(w - 1), 1) : 0;
  if (mandag / 100 == forrige / 100) return ' ';
  return "JFMAMJJASOND"[(mandag / 100 % 100 + 11) % 12];
}

void TegnUgeKolonne(GANTWS *ws, EnsDC *dc, uint32_t w) {
  Ens &e = ws->ens;
  const int x = static_cast<int>(int64_t{w - 1} * kGantUgeBredde - e.ScrollX);
  if (w < 1 || w > ws->UgeAntal || x + kGantUgeBredde <= 0 || x >= Bredde(e, ENS_KOLHOVED)) return;
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Valg1 = static_cast<int32_t>(w);
  char tekst[kSwitchTekstLen];
  for (uint32_t linje = 0; linje < 3; ++linje) {
    uint8_t farve = 16;
    if (ObjSwitchLayout(kGantUgeHovedArt, ws->Bogstav, linje))
      ObjSwitchCelleTekst(kGantUgeHovedArt, ws->Bogstav, linje, 0, ws->pTd, ws->pTv, 0, &v, tekst, &farve);
    else
      tekst[0] = UgeHovedTegn(linje, w);
    const bool fremhaev = linje > 0 && w == ws->KolPos.Aktuel;
    TegnFarvetTekst(dc, x, 1 + 11 * static_cast<int>(linje), fremhaev ? AktuelTekst(ws) : 16,
                    fremhaev ? AktuelBk(ws) : 0, tekst, 1, 2);
  }
}

// Step 3 in a chart: the three lines of every visible week, or by bit 2
// the previous and the current week only.
void TegnUgeHoved(GANTWS *ws, uint32_t flag) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  if (!dc->hdc || ws->Opgoerelse) return;
  if (flag & (GANT_TEGN_ALT | GANT_TEGN_SCROLL)) {
    const int bredde = Bredde(e, ENS_KOLHOVED);
    FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, bredde, kGantKolHovedHoejde);
    for (uint32_t w = e.ScrollX / kGantUgeBredde + 1; w <= ws->UgeAntal; ++w) {
      if (static_cast<int64_t>(w - 1) * kGantUgeBredde - e.ScrollX >= bredde) break;
      TegnUgeKolonne(ws, dc, w);
    }
  } else if (flag & GANT_TEGN_KOLONNE) {
    if (ws->TegnetKol != ws->KolPos.Aktuel) TegnUgeKolonne(ws, dc, ws->TegnetKol);
    TegnUgeKolonne(ws, dc, ws->KolPos.Aktuel);
  }
}

// Step 3 in a statement: the holiday statement's band over its columns,
// and the statement's sort buttons moved with the horizontal scroll.
void TegnOpgHoved(GANTWS *ws) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  if (!ws->Opgoerelse || !dc->hdc) return;
  const int bredde = Bredde(e, ENS_KOLHOVED);
  const int baand = kGantKolHovedHoejde - kGantKnapHoejde;
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, bredde, kGantKolHovedHoejde);
  if (ws->Bogstav == 'M' && ws->OpgSwitch == 6) {
    const int skel = static_cast<int>(ObjSwitchFeltStart(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, 5)) -
                     static_cast<int>(e.ScrollX);
    const int y = std::max((kGantKolHovedHoejde - 27) / 2, 0);
    const auto centrer = [&](const char *t, int fra, int til) {
      const int n = static_cast<int>(std::strlen(t));
      SIZE s{n * 8, 11};
      GetTextExtentPoint32A(dc->hdc, t, n, &s);
      TegnFarvetTekst(dc, fra + (til - fra - static_cast<int>(s.cx)) / 2, y, 16, 0, t, n, 2);
    };
    centrer("Ferie", -static_cast<int>(e.ScrollX), skel);
    centrer("Særlig feriedage", skel, bredde);
    FillSysColRect(dc->hdc, 21, skel, 0, skel, baand - 1);
  }
  for (uint32_t i = 0; ws->OpgSortKnapper && i < ws->OpgSortKnapAntal; ++i) {
    const int x = static_cast<int>(ObjSwitchFeltStart(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i)) -
                  static_cast<int>(e.ScrollX);
    const int b = static_cast<int>(ObjSwitchFeltBredde(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i));
    if (x + b <= 0 || x >= bredde)
      MoveWindow(ws->OpgSortKnapper[i], 0, 0, 0, 0, TRUE);
    else
      MoveWindow(ws->OpgSortKnapper[i], x, baand, b, kGantKnapHoejde, TRUE);
    // The pane was painted over its buttons: they paint themselves again.
    InvalidateRect(ws->OpgSortKnapper[i], nullptr, FALSE);
  }
}

// Step 4: the row headers; a cancelled activity is struck through in
// colour 14 across the whole header at the row's middle.
void TegnRaekkeHoveder(GANTWS *ws, uint32_t flag) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  if (!dc->hdc) return;
  const bool alle = flag & (GANT_TEGN_ALT | GANT_TEGN_SCROLL_Y | GANT_TEGN_RAEKKEHOVEDER);
  if (!alle && !(flag & GANT_TEGN_RAEKKER)) return;
  const SwitchRaekkeValg v = RaekkeValg(ws);
  const int bredde = Bredde(e, ENS_RAEKKEHOVED), rh = RaekkeHoejde(ws);
  const int aflyst = ws->Bogstav == 'K' ? FeltAfNavn(ws->pTd, "Aflyst") : -1;
  HBRUSH streg = FarveSolidBrush[14] ? FarveSolidBrush[14] : FarveBrush[14];
  ForRaekker(ws, alle, [&](uint32_t r, int y) {
    if (r == 0) return FyldUnder(dc, y, bredde, e.RudeH[ENS_CELLER]);
    const uint32_t rec = e.ObjTab[r];
    TegnObjSwitchRaekke(dc, 0, y, r == ws->RaekkePos.Aktuel ? AktuelBk(ws) : 0, kGantRaekkeArt, ws->Bogstav,
                        ws->Switch, ws->pTd, ws->pTv, rec, &v);
    if (aflyst >= 0 && Rec(ws, rec)[ws->pTd->FeltTab[aflyst].Offset] == 'J')
      FillRectIfAny(dc->hdc, streg, 0, y + rh / 2, bredde, y + rh / 2 + 1);
  });
}

// One week cell of a bar row: highlighted in the current row and column.
void TegnBjaelkeCelle(GANTWS *ws, EnsDC *dc, uint32_t r, int y, uint32_t w) {
  const Ens &e = ws->ens;
  const int x = static_cast<int>(int64_t{w - 1} * kGantUgeBredde - e.ScrollX);
  if (w < 1 || w > ws->UgeAntal || x + kGantUgeBredde <= 0 || x >= Bredde(e, ENS_CELLER)) return;
  const uint8_t t = GantTegn(ws, e.ObjTab[r], w);
  const char c = static_cast<char>(t ? t : ' ');
  const bool fremhaev = r == ws->RaekkePos.Aktuel || w == ws->KolPos.Aktuel;
  TegnFarvetTekst(dc, x, y, fremhaev ? AktuelTekst(ws) : 16, fremhaev ? AktuelBk(ws) : 0, &c, 1, 2);
}

// A whole bar row: one run of characters, then the current column's.
void TegnBjaelkeRaekke(GANTWS *ws, EnsDC *dc, uint32_t r, int y) {
  const Ens &e = ws->ens;
  const int bredde = Bredde(e, ENS_CELLER);
  const uint32_t foersteUge = e.ScrollX / kGantUgeBredde + 1;
  const int x0 = static_cast<int>((foersteUge - 1) * kGantUgeBredde) - static_cast<int>(e.ScrollX);
  std::string linje;
  for (uint32_t w = foersteUge; w <= ws->UgeAntal; ++w) {
    if (x0 + static_cast<int>((w - foersteUge) * kGantUgeBredde) >= bredde) break;
    const uint8_t t = GantTegn(ws, e.ObjTab[r], w);
    linje.push_back(static_cast<char>(t ? t : ' '));
  }
  const bool aktuel = r == ws->RaekkePos.Aktuel;
  TegnFarvetTekst(dc, x0, y, aktuel ? AktuelTekst(ws) : 16, aktuel ? AktuelBk(ws) : 0, linje.c_str(),
                  static_cast<int>(linje.size()), 2);
  if (!aktuel) TegnBjaelkeCelle(ws, dc, r, y, ws->KolPos.Aktuel);
  const int slut = x0 + static_cast<int>(linje.size()) * kGantUgeBredde;
  if (slut < bredde) FillRectIfAny(dc->hdc, FarveBrush[0], std::max(slut, 0), y, bredde, y + kGantRaekkeHoejde);
}

// Step 5: the cells. A chart by bit 2 repaints the previous and the
// current column, by bit 4 the previous and the current row; a statement
// line does not change with the column, only with its figures (64).
void TegnCeller(GANTWS *ws, uint32_t flag) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  if (!dc->hdc) return;
  const int bredde = Bredde(e, ENS_CELLER), hoejde = std::max(int{e.RudeH[ENS_CELLER]}, 0);
  const bool alle = flag & (GANT_TEGN_ALT | GANT_TEGN_SCROLL | GANT_TEGN_SCROLL_Y |
                            (ws->Opgoerelse ? uint32_t{GANT_TEGN_TAL} : 0u));
  if (ws->Opgoerelse) {
    if (!alle && !(flag & GANT_TEGN_RAEKKER)) return;
    SwitchRaekkeValg v = RaekkeValg(ws);
    v.Valg2 = GantSumMode();
    v.RestBredde = static_cast<uint32_t>(bredde);
    ForRaekker(ws, alle, [&](uint32_t r, int y) {
      if (r == 0) return FyldUnder(dc, y, bredde, hoejde);
      TegnObjSwitchRaekke(dc, -static_cast<int>(e.ScrollX), y, r == ws->RaekkePos.Aktuel ? AktuelBk(ws) : 0,
                          ws->OpgArt, ws->Bogstav, ws->OpgSwitch, ws->pTd, ws->pTv, e.ObjTab[r], &v);
    });
    return;
  }
  HGDIOBJ gl = SelectObject(dc->hdc, GantBjaelkeFont());
  if (alle || (flag & GANT_TEGN_RAEKKER)) {
    ForRaekker(ws, alle, [&](uint32_t r, int y) {
      if (r == 0) return FyldUnder(dc, y, bredde, hoejde);
      TegnBjaelkeRaekke(ws, dc, r, y);
    });
  }
  if (!alle && (flag & GANT_TEGN_KOLONNE)) {
    const uint32_t forrige = ws->TegnetKol, aktuel = ws->KolPos.Aktuel;
    ForSynligeRaekker(ws, [&](uint32_t r, int y) {
      // A row repainted whole above needs no cells again.
      if ((flag & GANT_TEGN_RAEKKER) && (r == ws->TegnetRaekke || r == ws->RaekkePos.Aktuel)) return;
      if (forrige != aktuel) TegnBjaelkeCelle(ws, dc, r, y, forrige);
      TegnBjaelkeCelle(ws, dc, r, y, aktuel);
    });
  }
  SelectObject(dc->hdc, gl);
}

// Step 6: the window's own status bar along its bottom edge.
void TegnStatusBar(GANTWS *ws) {
  Ens &e = ws->ens;
  if (!e.hdc) return;
  RECT klient;
  GetClientRect(ws->hwnd, &klient);
  // The frame keeps the strip free (Ens.StatusBar) above the bottom edge.
  const int y = klient.bottom - GetSystemMetrics(SM_CYFRAME) - kGantStatusHoejde + 1;
  int x = GetSystemMetrics(SM_CXFRAME);
  RECT rc{x, y, klient.right - x, y + kGantStatusHoejde};
  FillRect(e.hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ gl = SelectObject(e.hdc, TxtFont ? TxtFont : GetStockObject(ANSI_FIXED_FONT));
  EnsDC dc{e.hdc, kIngenFarve, kIngenFarve};
  const uint32_t n = GantStatusAntal(ws);
  char tekst[kSwitchTekstLen];
  for (uint32_t i = 0; i < n && x < klient.right; ++i) {
    uint8_t tf, bf;
    GantStatusTekst(ws, i, tekst, &tf, &bf);
    const int b = static_cast<int>(ObjSwitchFeltBredde(kGantStatusArt, ws->Bogstav, 0, i)) + 4;
    RECT pane{x, y + 1, x + b, y + kGantStatusHoejde - 1};
    DrawEdge(e.hdc, &pane, BDR_SUNKENOUTER, BF_RECT);
    TegnFarvetTekst(&dc, x + 2, y + 4, tf, bf, tekst, static_cast<int>(std::strlen(tekst)), 2);
    x += b + 2;
  }
  SelectObject(e.hdc, gl);
}

// Step 7: "Ialt" under the row header.
void TegnIalt(GANTWS *ws) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.FodDC[0];
  if (!ws->Opgoerelse || !e.FodHoejde || !dc->hdc) return;
  const int h = static_cast<int>(e.FodHoejde);
  FillRectIfAny(dc->hdc, FarveBrush[32], 0, 0, static_cast<int>(e.RaekkeHovedBredde) + 10, h);
  TegnFarvetTekst(dc, 1, (h - 11) / 2, 16, 32, "Ialt", 4, 1);
}

// Step 7: the totals line under the statement's columns.
void TegnSummer(GANTWS *ws) {
  Ens &e = ws->ens;
  EnsDC *dc = &e.FodDC[1];
  if (!ws->Opgoerelse || !e.FodHoejde || !dc->hdc || !ws->OpgSummer) return;
  const int h = static_cast<int>(e.FodHoejde), ty = (h - 11) / 2;
  const int bredde = Bredde(e, ENS_CELLER);
  FillRectIfAny(dc->hdc, FarveBrush[32], 0, 0, bredde, h);
  for (uint32_t i = 0; i < ws->OpgFeltAntal; ++i) {
    const SwitchFelt *f = ObjSwitchFelt(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i);
    if (!f) continue;
    const int x = static_cast<int>(ObjSwitchFeltStart(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i)) -
                  static_cast<int>(e.ScrollX);
    const int b = static_cast<int>(SwitchFeltBredde(f));
    if (x + b < 0 || x >= bredde) continue;
    if (f->StregVenstre) FillSysColRect(dc->hdc, COLOR_BTNTEXT, x, 0, x, h - 1);
    if (f->StregHoejre) FillSysColRect(dc->hdc, COLOR_BTNTEXT, x + b - 1, 0, x + b - 1, h - 1);
    const char *t = ws->OpgSummer[i];
    TegnFarvetTekst(dc, x + static_cast<int>(f->StregVenstre + f->LuftVenstre) - 5, ty, 16, 32, t,
                    static_cast<int>(strnlen(t, kGantSumLaengde)), 1);
  }
}

// Step 8: what the picture now shows, for the next repaint to compare.
void HuskTegnet(GANTWS *ws) {
  const Ens &e = ws->ens;
  ws->Tegnet = 1;
  ws->TegnetAktiv = e.Aktiv;
  ws->TegnetKol = ws->KolPos.Aktuel;
  ws->TegnetRaekke = ws->RaekkePos.Aktuel;
  ws->TegnetUge = SkemaPeriode.AktuelUgeIndeks;
  ws->TegnetScrollX = e.ScrollX;
  ws->TegnetScrollY = e.ScrollY;
}

// The parts a pane's own repaint message asks for. A pane painted with a
// cursor or scroll the rest of the picture does not show yet leaves the
// next repaint to do everything.
void TegnRude(GANTWS *ws, UINT msg, LPARAM rude) {
  Ens &e = ws->ens;
  if (ws->Tegnet && (ws->KolPos.Aktuel != ws->TegnetKol || ws->RaekkePos.Aktuel != ws->TegnetRaekke ||
                     e.ScrollX != ws->TegnetScrollX || e.ScrollY != ws->TegnetScrollY))
    ws->TegnFlag |= GANT_TEGN_ALT;
  switch (msg) {
    case TB_RUDE_TEGN:
      return TegnHjoerne(ws);
    case ENS_KOLHOVED_TEGN:
      if (static_cast<HWND>(rude) != e.hwndKolHoved) return TegnHjoerne(ws);
      if (ws->Opgoerelse) TegnOpgHoved(ws);
      TegnUgeHoved(ws, GANT_TEGN_ALT);
      return TegnStatusBar(ws);
    case ENS_RAEKKEHOVED_TEGN:
      return TegnRaekkeHoveder(ws, GANT_TEGN_ALT);
    case ENS_CELLER_TEGN:
      return TegnCeller(ws, GANT_TEGN_ALT);
    case ENS_FODVENSTRE_TEGN:
      return TegnIalt(ws);
    case ELEMENT_DOKKET_AKTIV:
      return TegnSummer(ws);
  }
}

}  // namespace

void TegnGantVindue(GANTWS *ws, uint32_t flag) {
  if (!flag) return;
  Ens &e = ws->ens;
  StyrAktuel(ws);
  if (flag & GANT_TEGN_ALT) EnsPaintFrame(&e);
  TegnHjoerne(ws);
  if (ws->Opgoerelse) {
    if (flag & (GANT_TEGN_ALT | GANT_TEGN_SCROLL)) TegnOpgHoved(ws);
  } else {
    TegnUgeHoved(ws, flag);
  }
  TegnRaekkeHoveder(ws, flag);
  TegnCeller(ws, flag);
  TegnStatusBar(ws);
  TegnIalt(ws);
  if (flag & (GANT_TEGN_ALT | GANT_TEGN_SCROLL | GANT_TEGN_SCROLL_Y | GANT_TEGN_TAL)) TegnSummer(ws);
  HuskTegnet(ws);
}

void GantOpfrisk(GANTWS *ws, uint32_t byg, uint32_t flag) {
  Ens &e = ws->ens;
  if ((byg & GANT_BYG_NAESTE) && e.ObjTab && ws->pTv) {
    const uint32_t r = ws->RaekkePos.Aktuel;
    const uint32_t ny = r < e.ObjTabAntal ? r + 1 : r > 1 ? r - 1 : 0;
    if (r && ny) ws->pTv->AktuelRec = e.ObjTab[ny];
  }
  if (byg) GantByggRaekker(ws);
  flag |= ws->TegnFlag | ScrollTilAktuel(ws);
  ws->TegnFlag = 0;
  if (!ws->Tegnet || e.Aktiv != ws->TegnetAktiv) flag |= GANT_TEGN_ALT;
  if (ws->KolPos.Aktuel != ws->TegnetKol || (ws->Opgoerelse && SkemaPeriode.AktuelUgeIndeks != ws->TegnetUge))
    flag |= GantKolonneTegnFlag(ws);
  if (ws->RaekkePos.Aktuel != ws->TegnetRaekke) flag |= GANT_TEGN_RAEKKER;
  if (e.ScrollX != ws->TegnetScrollX) flag |= GANT_TEGN_SCROLL;
  if (e.ScrollY != ws->TegnetScrollY) flag |= GANT_TEGN_SCROLL_Y;
  SaetScrollBars(ws);
  TegnGantVindue(ws, flag);
}

// ==================================================================== window

namespace {

void Frigiv(GANTWS *ws) {
  Ens &e = ws->ens;
  for (HWND *tab : {ws->SortKnapper, ws->OpgSortKnapper})
    for (uint32_t i = 0; tab && i < (tab == ws->SortKnapper ? ws->SortKnapAntal : ws->OpgSortKnapAntal); ++i)
      if (tab[i] && IsWindow(tab[i])) DestroyWindow(tab[i]);
  std::free(ws->SortKnapper);
  std::free(ws->OpgSortKnapper);
  std::free(ws->GruppeFlag);
  std::free(ws->Bjaelker);
  std::free(ws->Tegn);
  std::free(e.ObjTab);
  std::free(e.UgeTab);
  std::free(e.hwndSwitchButtons);
  std::free(ws->OpgSummer);
  std::free(ws->StatBar.hwndStatBar);
  std::free(ws->StatBar.StatHDC);
  std::free(ws->StatBar.statbarWindowNr);
  std::free(ws);
}

void OpretSortKnapper(GANTWS *ws) {
  Ens &e = ws->ens;
  for (uint32_t i = 0; ws->SortKnapper && i < ws->SortKnapAntal; ++i)
    if (ws->SortKnapper[i] && IsWindow(ws->SortKnapper[i])) DestroyWindow(ws->SortKnapper[i]);
  std::free(ws->SortKnapper);
  ws->SortKnapper = nullptr;
  ws->SortKnapAntal = 0;
  const uint32_t antal = std::min<uint32_t>(ObjSwitchFeltAntal(kGantRaekkeArt, ws->Bogstav, ws->Switch), 100);
  ws->SortKnapper = static_cast<HWND *>(std::calloc(std::max<uint32_t>(antal, 1), sizeof(HWND)));
  if (!ws->SortKnapper) tavo::AssertFailed("GANTWS->SortKnapper != NULL", "GANT", __LINE__);
  const HWND hjoerne = e.hwndHjoerneV ? e.hwndHjoerneV : ws->hwnd;
  const int rudeBredde = static_cast<int>(e.RaekkeHovedBredde);
  int x = 0;
  for (uint32_t i = 0; i < antal; ++i) {
    const char *navn = SwitchFeltNavn(ws->pTd, ObjSwitchFeltNr(kGantRaekkeArt, ws->Bogstav, ws->Switch, i));
    const std::string tip = std::string("Sorter efter ") + navn;
    int b = static_cast<int>(ObjSwitchFeltBredde(kGantRaekkeArt, ws->Bogstav, ws->Switch, i));
    b = std::max(0, std::min(b, rudeBredde - x));
    ws->SortKnapper[i] = CreateNyButtonWnd(e.hInstance, hjoerne, ws->hwnd, kSortKnapId + i, 0, 0, x,
                                           kGantKolHovedHoejde - kGantKnapHoejde, b, kGantKnapHoejde, tip.c_str(),
                                           navn);
    if (ws->SortKnapper[i]) ShowWindow(ws->SortKnapper[i], SW_SHOW);
    x += b;
  }
  ws->SortKnapAntal = antal;

  for (uint32_t i = 0; ws->OpgSortKnapper && i < ws->OpgSortKnapAntal; ++i)
    if (ws->OpgSortKnapper[i] && IsWindow(ws->OpgSortKnapper[i])) DestroyWindow(ws->OpgSortKnapper[i]);
  std::free(ws->OpgSortKnapper);
  ws->OpgSortKnapper = nullptr;
  ws->OpgSortKnapAntal = 0;
  if (!ws->Opgoerelse) return;
  const uint32_t n = std::min<uint32_t>(ws->OpgFeltAntal, 100);
  ws->OpgSortKnapper = static_cast<HWND *>(std::calloc(std::max<uint32_t>(n, 1), sizeof(HWND)));
  if (!ws->OpgSortKnapper) tavo::AssertFailed("GANTWS->OpgSortKnapper != NULL", "GANT", __LINE__);
  const HWND hoved = e.hwndKolHoved ? e.hwndKolHoved : ws->hwnd;
  x = 0;
  for (uint32_t i = 0; i < n; ++i) {
    const char *navn = SwitchFeltNavn(ws->pTd, ObjSwitchFeltNr(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i));
    const std::string tip = std::string("Sorter efter ") + navn;
    const int b = static_cast<int>(ObjSwitchFeltBredde(ws->OpgArt, ws->Bogstav, ws->OpgSwitch, i));
    ws->OpgSortKnapper[i] = CreateNyButtonWnd(e.hInstance, hoved, ws->hwnd, kOpgSortKnapId + i, 0, 0, x,
                                              kGantKolHovedHoejde - kGantKnapHoejde, b, kGantKnapHoejde,
                                              tip.c_str(), navn);
    if (ws->OpgSortKnapper[i]) ShowWindow(ws->OpgSortKnapper[i], SW_SHOW);
    x += b;
  }
  ws->OpgSortKnapAntal = n;
}

void OpretStatusBar(GANTWS *ws) {
  GantStatBar &s = ws->StatBar;
  s.Antal = GantStatusAntal(ws);
  const size_t n = std::max<uint32_t>(s.Antal, 1);
  s.hwndStatBar = static_cast<HWND *>(std::calloc(n, sizeof(HWND)));
  if (!s.hwndStatBar) tavo::AssertFailed("GANTWS->StatBar.hwndStatBar != NULL", "GANT", __LINE__);
  s.StatHDC = static_cast<HDC *>(std::calloc(n, sizeof(HDC)));
  if (!s.StatHDC) tavo::AssertFailed("GANTWS->StatBar.StatHDC!= NULL", "GANT", __LINE__);
  s.statbarWindowNr = static_cast<uint32_t *>(std::calloc(n, sizeof(uint32_t)));
  if (!s.statbarWindowNr) tavo::AssertFailed("GANTWS->StatBar.statbarWindowNr != NULL", "GANT", __LINE__);
  // The panes are painted into the window's own DC along its bottom edge.
  for (uint32_t i = 0; i < s.Antal; ++i) {
    s.hwndStatBar[i] = ws->hwnd;
    s.StatHDC[i] = ws->ens.hdc;
    s.statbarWindowNr[i] = i;
  }
}

void SaetAreal(GANTWS *ws) {
  Ens &e = ws->ens;
  const int cxf = GetSystemMetrics(SM_CXFRAME), cyf = GetSystemMetrics(SM_CYFRAME);
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  e.Areal[0] = cxf;
  e.Areal[1] = cyf + GetSystemMetrics(SM_CYCAPTION) + 22;
  e.Areal[2] = rc.right - 1 - cxf;
  e.Areal[3] = rc.bottom - 1 - cyf;
}

void SaetAkser(GANTWS *ws) {
  Ens &e = ws->ens;
  e.AkseX = ws->Opgoerelse ? ws->OpgAkse : ws->UgeAkse;
  e.AkseY = ws->Opgoerelse ? GridAkse{2, kGantRaekkeHoejde, 1, 2, 0} : GridAkse{0, kGantRaekkeHoejde, 1, 0, 0};
  e.KolHovedHoejde = kGantKolHovedHoejde;
  e.RaekkeHovedBredde = ObjSwitchBredde(kGantRaekkeArt, ws->Bogstav, ws->Switch);
  e.SkiftBredde = static_cast<uint32_t>(ws->SwitchAntal * GetSystemMetrics(SM_CXVSCROLL));
  e.StyrX = &ws->KolPos;
  e.StyrY = &ws->RaekkePos;
}

void OnCreate(HWND h, GANTWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->ens;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  e.hdc = GetDC(h);
  SaetAreal(ws);
  SaetAkser(ws);
  EnsCalcLayout(&e);

  e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(ws->SwitchAntal + 1u, sizeof(HWND)));
  const uint32_t toolbar[7] = {ws->Bogstav, 0, ws->GruppeMaske, 0, 1, 0, kBaandBredde};
  // The totals' footer panes exist in every view; only a statement shows them.
  e.Fod = 1;
  EnsCreateChildren(&e, h, ws->SwitchAntal, toolbar, TxtFont, true, true,
                    ws->Bogstav == 'K' ? "Sorter efter dato" : nullptr);
  // The window paints its own panes in the strip, so the frame makes no
  // status bar of its own but keeps the room for it.
  e.StatusBar = 1;
  e.Fod = ws->Opgoerelse;
  EnsCalcLayout(&e);
  if (e.hwndSwitchButtons && ws->Switch < ws->SwitchAntal && e.hwndSwitchButtons[ws->Switch])
    SendMessageA(e.hwndSwitchButtons[ws->Switch], NYB_LAAS_NED, 0, 0);

  OpretSortKnapper(ws);
  ws->OpgSummer = static_cast<char(*)[kGantSumLaengde]>(
      std::calloc(std::max<uint32_t>(ws->OpgFeltAntal, 1), kGantSumLaengde));
  GantByggBjaelker(ws);
  GantByggGruppeFlag(ws);
  GantByggKolonner(ws);
  GantByggRaekker(ws);
  if (SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, (LPARAM)h)) {
    e.Aktiv = e.CaptionAktiv = 1;
    ws->Aktiv = 1;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, (LPARAM)h);
  }
  VinduesListeTilfoej(h);
  OpretStatusBar(ws);
  ScrollTilAktuel(ws);
  SaetScrollBars(ws);
}

bool IEnCelle(HWND h) {
  char klasse[64] = "";
  const HWND p = GetParent(h);
  return p && GetClassNameA(p, klasse, sizeof klasse) > 0 && std::strcmp(klasse, "ElementWndClass") == 0;
}

void OnDestroy(HWND h, GANTWS *ws) {
  if (GetCapture() == h) ReleaseCapture();
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  if (!IEnCelle(h)) {
    VinduesListeFjern(h);
    if (!LukkerAlleVinduer && hwndHoved && hwndHoved != h && IsWindow(hwndHoved))
      SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, (LPARAM)h);
  }
  GemGruppeBits(static_cast<char>(ws->Bogstav), ws->GruppeFlag, ws->GruppeFlagAntal);
  Frigiv(ws);
}

void Tegn(GANTWS *ws, uint32_t flag = 0) {
  if (Ws(ws->hwnd) == ws) GantOpfrisk(ws, 0, flag);
}

void Knap(HWND h, GANTWS *ws, WPARAM id) {
  if (id >= ENS_SKIFT_ID && id < ENS_SKIFT_ID + 100) return GantSkiftVisning(ws, static_cast<uint32_t>(id - ENS_SKIFT_ID));
  switch (id) {
    case NYB_LUK: DestroyWindow(h); return;
    case NYB_MAKSIMER: EnsMaximize(h, &ws->ens); return;
    case NYB_MINIMER: EnsMinimize(h, &ws->ens); return;
  }
  if (id < kOpgSortKnapId)
    GantSorterFelt(ws, static_cast<uint32_t>(id - kSortKnapId));
  else if (id < ENS_SKIFT_ID)
    GantSorterOpg(ws, static_cast<uint32_t>(id - kOpgSortKnapId));
  Tegn(ws);
}

// Activation first; then the clicked row and week become current.
void Klik(GANTWS *ws, UINT msg, LPARAM lParam) {
  Ens &e = ws->ens;
  const HWND h = ws->hwnd;
  if (!e.Aktiv) {
    if (!SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, (LPARAM)h)) return;
    SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    if (Ws(h) != ws) return;
  }
  if (msg == ENS_KOLHOVED_NED) {
    if (ws->Bogstav == 'K' && !ws->Opgoerelse) GantSorterDato(ws);
    Tegn(ws);
    return;
  }
  const uint32_t forrigeRec = GantAktuelRec(ws);
  if (msg == ENS_CELLER_NED && !ws->Opgoerelse) {
    const int x = std::max<int>(static_cast<short>(LOWORD(lParam)), 0);
    const uint32_t w = GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX);
    if (w >= 1 && w <= ws->KolPos.Antal) ws->KolPos.Aktuel = w;
  }
  const int y = std::max<int>(static_cast<short>(HIWORD(lParam)), 0);
  const uint32_t r = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
  if (r >= 1 && r <= e.ObjTabAntal) ws->RaekkePos.Aktuel = r;
  GantEfterTast(ws, forrigeRec);
  if (Ws(h) != ws) return;
  // The other windows follow the object and the week.
  if (const uint32_t rec = GantAktuelRec(ws)) SendTilAlleVinduer(AKTUEL_AENDRET, ws->Bogstav, rec, h);
  Tegn(ws);
}

// Another window moved the current object or week. The figures are worked
// out again as a column move here would: a statement's totals only change
// with its rows.
void FoelgAktuel(GANTWS *ws, WPARAM bogstav) {
  if (ws->ens.Aktiv) return;
  const uint32_t foer = ws->Opgoerelse ? ws->TegnetUge : ws->KolPos.Aktuel;
  if (bogstav == ws->Bogstav && ws->pTv) SaetAktuelRaekke(ws, ws->pTv->AktuelRec);
  const uint32_t uge = SkemaPeriode.AktuelUgeIndeks;
  if (!ws->Opgoerelse) ws->KolPos.Aktuel = uge >= 1 && uge <= ws->KolPos.Antal ? uge : ws->KolPos.Antal ? 1 : 0;
  const uint32_t ny = ws->Opgoerelse ? uge : ws->KolPos.Aktuel;
  Tegn(ws, foer && ny ? GantKolonneSkift(ws, foer, ny) : 0);
}

bool TastNed(GANTWS *ws, UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND h = ws->hwnd;
  const uint32_t forrigeRec = GantAktuelRec(ws);
  ws->ForrigeKol = ws->Opgoerelse ? SkemaPeriode.AktuelUgeIndeks : ws->KolPos.Aktuel;
  if (!GantTastNed(ws, msg, wParam, lParam)) return false;
  if (Ws(h) != ws) return true;
  GantEfterTast(ws, forrigeRec);
  Tegn(ws);
  return true;
}

}  // namespace

void GantSkiftVisning(GANTWS *ws, uint32_t n) {
  if (n == ws->Switch || n >= ws->SwitchAntal) return;
  const HWND h = ws->hwnd;
  Ens &e = ws->ens;
  RECT skrivebord{0, 0, 0, 0};
  if (hwndDesktop && IsWindow(hwndDesktop)) GetClientRect(hwndDesktop, &skrivebord);
  const bool udenMedopg =
      ws->Bogstav == 'M' && !GlobalIndstillinger.medopg && ObjSwitchFoersteFeltErI(kGantRaekkeArt, 'M', n);
  const bool forBred =
      skrivebord.right > 0 && ObjSwitchBredde(kGantRaekkeArt, ws->Bogstav, n) > static_cast<uint32_t>(skrivebord.right);
  if (udenMedopg || forBred) {
    if (forBred)
      MessageBoxA(h, "Denne 'switch' kan ikke vises, da den er for bred til denne skærmopløsning!", "OBS!",
                  MB_OK | MB_ICONEXCLAMATION);
    if (e.hwndSwitchButtons && e.hwndSwitchButtons[n]) SendMessageA(e.hwndSwitchButtons[n], NYB_LAAS_OP, 0, 0);
    if (e.hwndSwitchButtons && ws->Switch < ws->SwitchAntal && e.hwndSwitchButtons[ws->Switch])
      SendMessageA(e.hwndSwitchButtons[ws->Switch], NYB_LAAS_NED, 0, 0);
    return;
  }
  if (e.hwndSwitchButtons) {
    if (ws->Switch < ws->SwitchAntal && e.hwndSwitchButtons[ws->Switch])
      SendMessageA(e.hwndSwitchButtons[ws->Switch], NYB_LAAS_OP, 0, 0);
    if (e.hwndSwitchButtons[n]) SendMessageA(e.hwndSwitchButtons[n], NYB_LAAS_NED, 0, 0);
  }
  ObjSwitchVaelg(kGantRaekkeArt, ws->Bogstav, n);
  GantVaelgVisning(ws);
  SaetAkser(ws);
  std::free(ws->OpgSummer);
  ws->OpgSummer = static_cast<char(*)[kGantSumLaengde]>(
      std::calloc(std::max<uint32_t>(ws->OpgFeltAntal, 1), kGantSumLaengde));
  e.ScrollX = 0;
  GantByggKolonner(ws);
  GantByggRaekker(ws);
  e.Fod = ws->Opgoerelse;
  RECT rc;
  GetClientRect(h, &rc);
  EnsOnSize(&e, h, rc.right, rc.bottom, ws->SwitchAntal);
  OpretSortKnapper(ws);
  if (Ws(h) == ws) {
    GantOpfrisk(ws, 0, GANT_TEGN_ALT);
    GantTilpasVindue();
  }
}

HWND CreateGantWnd(char bogstav, int venstre, int top, int hoejre, int bund, const TabDesc *pTd, TabVar *pTv,
                   uint32_t identitet, HWND parent) {
  if ((bogstav != 'K' && bogstav != 'L' && bogstav != 'M') || !pTd || !pTv) return 0;
  auto *ws = static_cast<GANTWS *>(std::calloc(1, sizeof(GANTWS)));
  if (!ws) return 0;
  ws->Bogstav = static_cast<uint8_t>(bogstav);
  ws->pTd = ws->ens.pTd = pTd;
  ws->pTv = ws->ens.pTv = pTv;
  ws->Identitet = identitet;
  const int gi = GruppeIndeks(ws->Bogstav);
  ws->GruppeMaske = gi >= 0 ? HuskGruppe[gi] : kAlleGrupper;
  GantVaelgVisning(ws);
  // The height counts the rows that pass the filter.
  GantByggRaekker(ws);
  const int b = GantBredde(ws, std::max(hoejre - venstre, 0));
  const int h = GantHoejde(ws, std::max(bund - top, 0));
  std::free(ws->ens.ObjTab);
  ws->ens.ObjTab = nullptr;
  ws->ens.ObjTabAntal = 0;
  if (!parent) parent = hwndDesktop ? hwndDesktop : hwndHoved;
  // The frame is painted through the window's own drawing context: without
  // clipping its children it would wipe the switch and caption buttons.
  HWND hwnd = CreateWindowExA(0, "GantWndClass", ws->Titel, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              venstre, top, b, h, parent, (HMENU)(uintptr_t)identitet, 0, ws);
  if (!hwnd) {
    if (!ws->hwnd) std::free(ws);
    return 0;
  }
  UpdateWindow(hwnd);
  BringWindowToTop(hwnd);
  return hwnd;
}

LRESULT CALLBACK GantWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    OnCreate(h, static_cast<GANTWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams));
    return 0;
  }
  GANTWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->ens;
  switch (msg) {
    case WM_DESTROY:
      OnDestroy(h, ws);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      // The frame and the status bar; each pane asks for its own part.
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      if (!ws->Tegnet) StyrAktuel(ws);
      EnsPaintFrame(&e);
      TegnStatusBar(ws);
      if (!ws->Tegnet) HuskTegnet(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), ws->SwitchAntal);
        SaetAreal(ws);
        Tegn(ws);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (const int flag = EnsOnScroll(&e, msg, wParam)) {
        SaetScrollBars(ws);
        TegnGantVindue(ws, static_cast<uint32_t>(flag));
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case ENS_BREDDE:
      return GantBredde(ws, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return GantHoejde(ws, static_cast<int>(wParam));
    case GANT_AKTUEL_REC:
      return GantAktuelRec(ws);
    case OBJEKT_ART:
      return ws->Bogstav;
    case VINDUE_ART:
      return ws->Identitet;
    case HJAELP_EMNE:
      return kGantHjaelpEmne;
    case DATA_AENDRET:
    case EFTER_IMPORT:
      GantGenopbyg(ws);
      Tegn(ws);
      return 0;
    case AKTUEL_AENDRET:
      FoelgAktuel(ws, wParam);
      return 0;
    case GRUPPE_VALGT: {
      ws->GruppeMaske = wParam >= 31 ? kAlleGrupper : (1u << wParam);
      const int gi = GruppeIndeks(ws->Bogstav);
      if (gi >= 0) HuskGruppe[gi] = ws->GruppeMaske;
      ws->UvfoFilter = 0;
      GantByggRaekker(ws);
      Tegn(ws);
      return 0;
    }

    // ---- the panes' relays
    case TB_RUDE_TEGN:
    case ENS_KOLHOVED_TEGN:
    case ENS_RAEKKEHOVED_TEGN:
    case ENS_CELLER_TEGN:
    case ENS_FODVENSTRE_TEGN:
    case ELEMENT_DOKKET_AKTIV:
      TegnRude(ws, msg, lParam);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(ws, msg, lParam);
      return 0;

    // ---- the frame's mouse and protocol
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_AKTIVER:
      e.CaptionAktiv = 1;
      if (!e.Aktiv) {
        e.Aktiv = ws->Aktiv = 1;
        SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, (LPARAM)h);
        if (Ws(h) == ws) Tegn(ws);
      }
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = ws->Aktiv = 0;
      Tegn(ws);
      return 0;
    case NYB_KLIK:
      Knap(h, ws, wParam);
      return 0;

    // ---- keys
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG:
      if (TastNed(ws, msg, wParam, lParam) || msg != WM_SYSKEYDOWN) return 0;
      break;
    case TAST_SPOERG: {
      return GantTastSpoerg(ws, reinterpret_cast<const TastInfo *>(lParam));
    }
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerGantKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = GantWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = "GantWndClass";
  return RegisterClassA(&wc) != 0;
}
