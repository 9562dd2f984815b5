// Event marks and event tests. The per-row cell extremes count the cells of
// one day (48 or 288) per weekday, so that a row's first and last cell are
// positions along the week whatever the view spans.
#include "SKEMARK.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "ENS.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEVIS.h"
#include "tavo/assert.h"

uint8_t (*SkeCelleFarveKrog)(SkeStruct *ske, uint32_t raekke, uint32_t indgang, uint8_t ugedag,
                             uint32_t celle) = nullptr;

namespace {

template <class T>
T *NyTabel(uint32_t n, const char *tekst) {
  T *p = static_cast<T *>(calloc(n ? n : 1, sizeof(T)));
  if (!p) tavo::AssertFailed(tekst, "SKEMARK", __LINE__);
  return p;
}

// The remark lines of a set, as the remark comparison takes them.
BemaerkningsLinjer Bem(const AVS &a) { return {a.bemTab, a.bemAntal}; }

// The cells of an event, tested with the painter's colours: an event whose
// cells show another colour than the find colours stays unmarked (0);
// otherwise 3 when the first coloured cell is marked, else 27.
uint8_t CelleMarkering(SkeStruct *ske, uint32_t raekke, uint8_t dag, const Begivenhed &b) {
  if (ske->Variant != 'B' || !ske->SoegFlag || !SkeCelleFarveKrog) return FARVE_FUNDET;
  uint8_t foerste = 0;
  for (uint32_t c = b.FoersteCelle; c <= b.SidsteCelle; ++c) {
    const uint8_t f = SkeCelleFarveKrog(ske, raekke, b.Indgang, dag, c);
    if (f != 0 && f != FARVE_MAERKET && f != FARVE_FUNDET) return 0;
    if (!foerste) foerste = f;
  }
  return foerste == FARVE_MAERKET ? FARVE_MAERKET : FARVE_FUNDET;
}

bool Markerer(const SkeStruct *ske) {
  return (ske->Tilstand == 'S' || ske->Tilstand == 'R') &&
         (ske->SoegFlag || ske->Variant == 'N' || ske->MarkerSkift);
}

bool RolleSammenfald(uint32_t rol) {
  const SkemarolRec *r = TabRec<SkemarolRec>(tvskemarol, rol);
  return r && r->Check_skemasammenfald == 'J';
}

bool LokrolleSammenfald(uint32_t rolle) {
  const LokrolleRec *r = TabRec<LokrolleRec>(tvlokrolle, rolle);
  return r && r->Check_sammenfald == 'J';
}

// A participant in both lists, with a role in each that takes part in
// overlap checks.
bool FaellesDeltager(const uint32_t *idA, const uint32_t *rolA, uint32_t nA, const uint32_t *idB,
                     const uint32_t *rolB, uint32_t nB, bool (*tjekkes)(uint32_t)) {
  for (uint32_t i = 0; i < nA; ++i) {
    if (!tjekkes(rolA[i])) continue;
    for (uint32_t j = 0; j < nB; ++j)
      if (idB[j] == idA[i] && tjekkes(rolB[j])) return true;
  }
  return false;
}

// Record n of a table as a current record (status 1..99); null otherwise.
template <class R>
const R *Aktuel(const TabVar &tv, uint32_t n) {
  const R *r = TabRec<R>(tv, n);
  return r && r->Status >= 1 && r->Status <= 99 ? r : nullptr;
}

// Whether some current record of the table answers yes to hører and some
// of those covers the date; false, false when none belongs.
template <class R, class H>
std::pair<bool, bool> DaekketAf(const TabVar &tv, H hoerer, Dato dato) {
  bool har = false, daekker = false;
  for (uint32_t n = 1; n < tv.wRecCnt && !daekker; ++n) {
    const R *r = Aktuel<R>(tv, n);
    if (!r || !hoerer(*r)) continue;
    har = true;
    daekker = r->Startdato <= dato && dato <= r->Slutdato;
  }
  return {har, daekker};
}

}  // namespace

void FrigivRaekkeMarkeringer(SkeStruct *ske) {
  for (uint32_t **p : {&ske->SporTab, &ske->FoersteCelleTab, &ske->SidsteCelleTab, &ske->TidligsteCelleTab,
                       &ske->SenesteCelleTab}) {
    free(*p);
    *p = nullptr;
  }
  free(ske->SammenfaldTab);
  ske->SammenfaldTab = nullptr;
  ske->MarkRaekker = 0;
}

bool OpfylderSoegning(const AVS &a, const AVS &ref, const char *bogstaver) {
  const uint8_t egen = GlobalIndstillinger.insnr;
  for (const char *p = bogstaver; p && *p; ++p) {
    bool ok = true;
    switch (*p) {
      case 'T': ok = a.Starttid == ref.Starttid && a.Sluttid == ref.Sluttid; break;
      case 'B': ok = !ObjListeDiffer(Bem(a), Bem(ref)); break;
      case 'S': ok = a.skfa_id == ref.skfa_id; break;
      case 'K': ok = SameU32Tab(a.aktiAntal, ref.aktiAntal, a.aktiTab, ref.aktiTab); break;
      case 'L':
        ok = SameU32Tab(a.lokaAntal, ref.lokaAntal, a.lokaTab, ref.lokaTab) &&
             SameU32Tab(a.lokaAntal, ref.lokaAntal, a.lokrolleTab, ref.lokrolleTab);
        break;
      case 'M':
        ok = SameU32Tab(a.anfoAntal, ref.anfoAntal, a.anfoTab, ref.anfoTab) &&
             SameU32Tab(a.anfoAntal, ref.anfoAntal, a.skemarolTab, ref.skemarolTab) &&
             SameF32Tab(a.anfoAntal, ref.anfoAntal, a.minutTab, ref.minutTab);
        break;
      case 'O': ok = SameU32Tab(a.anfoAntal, ref.anfoAntal, a.skemarolTab, ref.skemarolTab); break;
      case 'R': ok = a.risy_id == ref.risy_id; break;
      case 'F': ok = a.Ejer != egen; break;
      case 'E': ok = a.Ejer == egen; break;
      default: break;
    }
    if (!ok) return false;
  }
  return true;
}

void MarkerBegivenheder(SkeStruct *ske) {
  FrigivRaekkeMarkeringer(ske);
  const uint32_t raekker = ske->KaedeRaekker;
  ske->SammenfaldTab = NyTabel<uint8_t>(raekker, "SkeStruct->SammenfaldTab != NULL");
  ske->SporTab = NyTabel<uint32_t>(raekker, "SkeStruct->SporTab != NULL");
  ske->FoersteCelleTab = NyTabel<uint32_t>(raekker, "SkeStruct->FoersteCelleTab != NULL");
  ske->SidsteCelleTab = NyTabel<uint32_t>(raekker, "SkeStruct->SidsteCelleTab != NULL");
  ske->TidligsteCelleTab = NyTabel<uint32_t>(raekker, "SkeStruct->TidligsteCelleTab != NULL");
  ske->SenesteCelleTab = NyTabel<uint32_t>(raekker, "SkeStruct->SenesteCelleTab != NULL");
  ske->MarkRaekker = raekker;
  ske->MaxSpor = 1;
  if (!ske->KaedeHoveder || !ske->lpSkeVisListe) return;

  const uint32_t celler = CellerIDag(ske);
  const bool soeg = Markerer(ske);
  AVS avs{};
  CleanupAVS(&avs);
  // Weekday by weekday: a week's bucket holds its rows in day order, so the
  // events of one weekday lie together however the rows' chains run.
  for (uint8_t dag = 1; dag <= 7; ++dag) {
    for (uint32_t r = 1; r < raekker; ++r) {
      const uint32_t hoved = ske->KaedeHoveder[static_cast<size_t>(r) * 8 + dag];
      if (!hoved) continue;
      uint32_t spor = 1;
      if (FindCelleBegivenheder(ske, &ske->lkBegivenhed, &ske->BegivenhedAntal, hoved, &spor, nullptr,
                                &ske->BegivenhedKapacitet))
        ske->SammenfaldTab[r] = 1;
      ske->SporTab[r] = std::max(ske->SporTab[r], spor);
      ske->MaxSpor = std::max(ske->MaxSpor, spor);
      for (uint32_t i = 0; i < ske->BegivenhedAntal; ++i) {
        const Begivenhed &b = ske->lkBegivenhed[i];
        const uint32_t foerste = b.FoersteCelle, sidste = b.SidsteCelle, bSpor = b.Spor;
        const uint32_t fra = (dag - 1u) * celler + foerste, til = (dag - 1u) * celler + sidste;
        // Cells count from 1: 0 is "none yet".
        uint32_t &f = ske->FoersteCelleTab[r], &t = ske->TidligsteCelleTab[r];
        f = f ? std::min(f, fra) : fra;
        t = t ? std::min(t, foerste) : foerste;
        ske->SidsteCelleTab[r] = std::max(ske->SidsteCelleTab[r], til);
        ske->SenesteCelleTab[r] = std::max(ske->SenesteCelleTab[r], sidste);
        SkeVisListe &e = ske->lpSkeVisListe[b.Indgang];
        e.Spor = static_cast<uint8_t>(std::min<uint32_t>(bSpor, 255));
        if (!soeg || (b.Status & SKE_UROERT)) continue;
        HentAVS(e.AarIndeks, e.Uge, e.Forste, &avs, true);
        if (!OpfylderSoegning(avs, ske->SoegAVS, ske->Statustekst)) continue;
        if (const uint8_t kode = CelleMarkering(ske, r, dag, b)) e.FarveKode = kode;
      }
    }
  }
  for (uint32_t r = 1; r < raekker; ++r) ske->SporTab[r] = std::max<uint32_t>(ske->SporTab[r], 1);
  CleanupAVS(&avs);
}

void MarkerFag(SkeStruct *ske) {
  if (ske->Layout != 'V' || ske->Variant != 'N' || !ske->FagSkift) return;
  for (uint32_t n = 1; n <= ske->SkeVisAntal; ++n) {
    SkeVisListe &e = ske->lpSkeVisListe[n];
    const SkeRec *f = BegRaekke(e.AarIndeks, e.Uge, e.Forste);
    if (!f || (f->Status & SKE_UROERT)) continue;
    e.FarveKode = ske->ValgtFag && f->skfa_id == ske->ValgtFag ? FARVE_FAG : 0;
  }
}

void IdentiskeRinge(SkeStruct *, uint8_t *tab, uint32_t tabAntal, uint32_t risy) {
  if (!tab) return;
  const uint32_t n = std::min(tabAntal, tvrisy.wRecCnt);
  memset(tab, 0, tabAntal);
  const RisyRec *ref = TabRec<RisyRec>(tvrisy, risy);
  if (tvrisy.wRecCnt < 3 || risy == 0 || !ref) return;
  const VisningsTilstandRec &v = VisningsTilstandFor('L');
  const uint32_t fra = std::max<uint32_t>(v.FoersteSlot, 1), til = std::min(v.SidsteSlot, kLektionerPrDag);
  for (uint32_t r = 1; r < n; ++r) {
    const RisyRec *ri = TabRec<RisyRec>(tvrisy, r);
    if (ri->Status != 10) continue;
    bool ens = true;
    for (uint32_t l = fra; l <= til && ens; ++l) ens = ri->Starttid[l - 1] == ref->Starttid[l - 1];
    for (uint32_t l = fra; l <= til && ens; ++l) ens = ri->Sluttid[l - 1] == ref->Sluttid[l - 1];
    tab[r] = ens;
  }
}

void SaetAktuelleObjekter(char art, uint8_t aarIdx, uint8_t uge, uint32_t forste) {
  const SkeRec *f = forste ? BegFoersteRaekke(aarIdx, uge, forste) : nullptr;
  if (forste && !f) return;
  struct {
    char art;
    TabVar &tv;
    uint32_t id;
  } const objekter[] = {{SKE_AKTI, tvakti, f ? f->akti_id : 0},
                        {SKE_ANFO, tvanfo, f ? f->anfo_id : 0},
                        {SKE_LOKA, tvloka, f ? f->loka_id : 0}};
  for (const auto &o : objekter)
    if (o.art != art) o.tv.AktuelRec = GyldigRef(&o.tv, o.id) ? o.id : 0;
}

uint8_t NaesteBegivenhed(SkeStruct *ske) {
  GridPos &rk = ske->ObjPos, &tk = ske->TidPos;
  if (rk.Antal == 0 || tk.Antal == 0 || !ske->KaedeHoveder || !ske->lpSkeVisListe) return 0;
  const char v = ske->Visning;
  // The weekday and step of every column of the time axis.
  std::vector<std::pair<uint8_t, uint32_t>> kolonner(tk.Antal + 1);
  for (uint32_t c = 1; c <= tk.Antal; ++c) kolonner[c] = {KolonneUgedag(v, c), KolonneLektion(v, 0, c)};

  struct Kandidat {
    uint32_t kolonne, indeks, indgang;
  };
  // The events of a row in reading order: each in the first column of its
  // day that it covers, the events of one column in chain order.
  auto RaekkensBegivenheder = [&](uint32_t r) {
    std::vector<Kandidat> ud;
    const uint32_t noegle = SkeRaekkeNoegle(ske, r);
    if (noegle == 0 || noegle >= ske->KaedeRaekker) return ud;
    const uint32_t lag = ske->LagVis && ske->LagTabNo ? ske->LagTabNo[r] : 0;
    for (uint8_t dag = 1; dag <= 7; ++dag) {
      const uint32_t hoved = ske->KaedeHoveder[static_cast<size_t>(noegle) * 8 + dag];
      if (!hoved) continue;
      uint32_t spor = 0;
      FindCelleBegivenheder(ske, &ske->lkBegivenhed, &ske->BegivenhedAntal, hoved, &spor, nullptr,
                            &ske->BegivenhedKapacitet);
      for (uint32_t i = 0; i < ske->BegivenhedAntal; ++i) {
        const Begivenhed &b = ske->lkBegivenhed[i];
        if (lag && b.Spor != lag) continue;
        for (uint32_t c = 1; c <= tk.Antal; ++c) {
          const auto [d, trin] = kolonner[c];
          if (d == dag && (v == 'D' || (b.FoersteCelle <= trin && trin <= b.SidsteCelle))) {
            ud.push_back({c, 0, b.Indgang});
            break;
          }
        }
      }
    }
    std::stable_sort(ud.begin(), ud.end(), [](const Kandidat &a, const Kandidat &b) { return a.kolonne < b.kolonne; });
    for (size_t i = 1; i < ud.size(); ++i)
      if (ud[i].kolonne == ud[i - 1].kolonne) ud[i].indeks = ud[i - 1].indeks + 1;
    return ud;
  };

  const uint32_t aktuel = rk.Aktuel, antalRaekker = rk.Antal;
  const uint32_t r0 = std::clamp<uint32_t>(aktuel, 1, antalRaekker), c0 = tk.Aktuel;
  const uint32_t k0 = ske->NaesteRaekke == r0 && ske->NaesteKolonne == c0 ? ske->NaesteIndeks : 0;
  auto Efter = [&](const Kandidat &k) { return k.kolonne > c0 || (k.kolonne == c0 && k.indeks > k0); };
  const Kandidat *maal = nullptr;
  uint32_t maalRaekke = 0;
  std::vector<Kandidat> liste;
  // From the cursor to the end, then from the first row round to the
  // cursor's row again, where only the events before the cursor count.
  for (uint32_t trin = 0; trin <= antalRaekker && !maal; ++trin) {
    const uint32_t r = (r0 - 1 + trin) % antalRaekker + 1;
    const bool forfra = trin == antalRaekker;
    liste = RaekkensBegivenheder(r);
    for (const Kandidat &k : liste) {
      if (trin == 0 && !Efter(k)) continue;
      if (forfra && (Efter(k) || (k.kolonne == c0 && k.indeks == k0))) break;
      maal = &k;
      maalRaekke = r;
      break;
    }
  }
  if (!maal) return 0;
  rk.Aktuel = maalRaekke;
  tk.Aktuel = maal->kolonne;
  (ske->AlleObjekter ? ske->AktuelObjRaekke : ske->AktuelUgeRaekke) = maalRaekke;
  ske->NaesteRaekke = maalRaekke;
  ske->NaesteKolonne = maal->kolonne;
  ske->NaesteIndeks = maal->indeks;
  const SkeVisListe &e = ske->lpSkeVisListe[maal->indgang];
  SaetAktuelleObjekter(ske->ObjektArt, e.AarIndeks, e.Uge, e.Forste);
  return 1;
}

bool FaellesMedarbejderSammenfald(const AVS *a, const AVS *b) {
  return a && b &&
         FaellesDeltager(a->anfoTab, a->skemarolTab, a->anfoAntal, b->anfoTab, b->skemarolTab, b->anfoAntal,
                         RolleSammenfald);
}

bool FaellesLokaleSammenfald(const AVS *a, const AVS *b) {
  return a && b &&
         FaellesDeltager(a->lokaTab, a->lokrolleTab, a->lokaAntal, b->lokaTab, b->lokrolleTab, b->lokaAntal,
                         LokrolleSammenfald);
}

bool HarSammenfaldsRolle(const AVS *avs, uint32_t anfo) {
  if (!avs) return false;
  for (uint32_t i = 0; i < avs->anfoAntal; ++i)
    if ((anfo == 0 || avs->anfoTab[i] == anfo) && RolleSammenfald(avs->skemarolTab[i])) return true;
  return false;
}

bool AktiUdenforPeriode(Dato dato, uint32_t akti, uint32_t skfa) {
  const auto [harModul, modulDaekker] =
      DaekketAf<AmmRec>(tvamm, [&](const AmmRec &m) { return m.akti_id == akti; }, dato);
  if (harModul && !modulDaekker) return true;
  if (akti == 0 || skfa == 0) return false;
  const auto [harPeriode, periodeDaekker] = DaekketAf<SphpRec>(
      tvsphp, [&](const SphpRec &p) { return p.akti_id == akti && p.skfa_id == skfa; }, dato);
  return harPeriode && !periodeDaekker;
}

uint8_t IsSkoledag(Dato dato, uint32_t skka) {
  Uge uge = 0;
  uint8_t ugedag = 0;
  DatoTilUge(dato, &uge, &ugedag);
  const uint32_t ugeNr = uge % 100, aar = uge / 100;
  if (ugeNr < 1 || ugeNr > 53 || ugedag < 1 || ugedag > 7 || skka == 0) return 0;
  const SkkaRec *k = TabRec<SkkaRec>(tvskka, skka);
  if (!k || aar < k->StartAr || aar - k->StartAr >= k->AntalAr) return 0;
  const uint64_t rel = uint64_t{k->kaldagrel} + (aar - k->StartAr);
  if (rel == 0 || rel >= tvkdagrel.wRecCnt) return 0;
  const KdagrelRec *kr = TabRec<KdagrelRec>(tvkdagrel, static_cast<uint32_t>(rel));
  const KaldagRec *kd = kr && kr->Kaldag ? TabRec<KaldagRec>(tvkaldag, kr->Kaldag) : nullptr;
  if (!kd) return 0;
  return (kd->Uge[ugeNr - 1] >> (ugedag - 1)) & 1;
}

uint32_t CountUvfoAkti(const SkeStruct *ske, uint32_t raekke) {
  if (ske->ObjektArt != SKE_AKTI || tvakti.wRecCnt < 2) return 0;
  const AktiRec *a = TabRec<AktiRec>(tvakti, SkeRaekkeObjekt(ske, raekke));
  if (!a || a->uvfo_id == 0) return 0;
  const uint32_t forloeb = a->uvfo_id;
  uint32_t antal = 0;
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) {
    const AktiRec *b = TabRec<AktiRec>(tvakti, n);
    if (b->Status >= 10 && b->Status <= 29 && b->uvfo_id == forloeb) ++antal;
  }
  return antal;
}

void BlokeredePeriode(const SkeStruct *ske, Dato *fra, Dato *til) {
  *fra = *til = 0;
  if (!ske->BlokTab) return;
  for (uint32_t w = 1; w < ske->BlokUger; ++w)
    for (uint32_t dag = 1; dag <= 7; ++dag) {
      const uint8_t *celle = BlokCelle(ske->BlokTab, ske->BlokUger, w, dag, 1);
      if (!std::any_of(celle, celle + kBlokSlots, [](uint8_t c) { return (c & BLOK_VALGT) != 0; })) continue;
      const Dato d = UgeDagTilDato(IndeksTilUge(w), static_cast<uint8_t>(dag));
      if (!*fra) *fra = d;
      *til = d;
    }
}
