#include "ExtPlacer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "AVSHJAELP.h"
#include "ADDBEG.h"
#include "BESKEDER.h"
#include "BRIKIND.h"
#include "ExtSkemaImp.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEBEG.h"
#include "SKEMARK.h"
#include "SKEREC.h"
#include "SLETBEG.h"
#include "STITAB.h"
#include "TEKST.h"
#include "VINDUER.h"
#include "win/dlg.h"

namespace {


// A span of dates as period week indexes and weekdays. An index of 0 lies
// before the period, AntalUger + 1 after it; the loops below only visit the
// weeks inside it, and a bound weekday only applies in a week that was not
// cut off by the period's edge.
struct UgeSpan {
  UgeIndeks fra = 0, til = 0;
  uint8_t fraDag = 1, tilDag = 7;

  UgeIndeks Foerste() const { return std::max<UgeIndeks>(fra, 1); }
  UgeIndeks Sidste() const { return std::min<UgeIndeks>(til, SkemaPeriode.AntalUger); }
  bool Indenfor(UgeIndeks w, uint8_t dag) const {
    if (w == fra && dag < fraDag) return false;
    if (w == til && dag > tilDag) return false;
    return true;
  }
};

UgeSpan SpanAfUger(Uge fra, uint8_t fraDag, Uge til, uint8_t tilDag) {
  UgeSpan s;
  s.fra = fra ? UgeTilIndeks(fra) : 0;
  s.til = til ? UgeTilIndeks(til) : 0;
  s.fraDag = fraDag;
  s.tilDag = tilDag;
  return s;
}

UgeSpan SpanAfDatoer(Dato fra, Dato til) {
  Uge uf = 0, ut = 0;
  uint8_t df = 0, dt = 0;
  DatoTilUge(fra, &uf, &df);
  DatoTilUge(til, &ut, &dt);
  return SpanAfUger(uf, df, ut, dt);
}

UgeIndeks UgeIndeksAf(Dato d) {
  Uge u = 0;
  DatoTilUge(d, &u, nullptr);
  return u ? UgeTilIndeks(u) : 0;
}

uint8_t UgedagAf(Dato d) {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(d, &u, &dag);
  return dag;
}

uint8_t Aar(UgeIndeks w) { return IndeksTilAarOffset(w); }
uint8_t UgeNr(UgeIndeks w) { return static_cast<uint8_t>(IndeksTilUgeNr(w)); }

// Calls f(row number, row) for every row of a period week's bucket; the row
// is a copy, so f may delete the event.
template <class F>
void ForHverRaekke(UgeIndeks w, F f) {
  const TabVar *b = BegBucket(Aar(w), UgeNr(w));
  if (!b) return;
  for (uint32_t r = 1; r < b->wRecCnt; ++r) {
    const SkeRec *p = BegRaekke(Aar(w), UgeNr(w), r);
    if (!p) continue;
    const SkeRec s = *p;
    f(r, s);
  }
}

bool ErSlettet(uint32_t status) { return (status & 0x48) == 0x48; }
bool ErImporteret(uint32_t status) { return (status & 0x240) == 0x240; }
bool Overlapper(uint32_t start1, uint32_t slut1, uint32_t start2, uint32_t slut2) {
  return start1 < slut2 && start2 < slut1;
}

// The marks of the objects the lessons name.
std::vector<uint8_t> AktiMaerke, AnfoMaerke, LokaMaerke;

bool Maerket(const std::vector<uint8_t> &m, uint32_t r) { return r < m.size() && m[r]; }
// Marks a valid record not marked yet; true when it was marked now.
bool Maerk(std::vector<uint8_t> &m, const TabVar &tv, uint32_t r) {
  if (!GyldigRef(&tv, r)) return false;
  if (m.size() < tv.wRecCnt) m.resize(tv.wRecCnt, 0);
  if (m[r]) return false;
  m[r] = 1;
  return true;
}

std::vector<uint8_t> KonfliktTab;
uint32_t KonfliktUger = 0;

void SaetKonflikt(uint32_t lektion, UgeIndeks w) {
  if (w < 1 || w > KonfliktUger) return;
  const size_t i = static_cast<size_t>(lektion) * KonfliktUger + (w - 1);
  if (i < KonfliktTab.size()) KonfliktTab[i] = 1;
}

bool ErUntisMedDato(uint32_t kilde) { return kilde == KILDE_UNTIS_DATO || kilde == KILDE_EXTERN; }

// A Tabulex day number 1.. as the weekday 1..5 and the week of its cycle.
uint8_t TabulexUgedag(uint32_t dag) { return static_cast<uint8_t>(dag % 5 == 0 ? 5 : dag % 5); }
uint32_t TabulexCyklusUge(uint32_t dag) { return dag ? (dag - 1) / 5 : 0; }

Dato PlusDage(Dato d, uint32_t dage) { return DagNrTilDato(DatoTilDagNr(d) + dage); }

std::string SorteringsNoegle(const ImportLektion &l, const TavoSkemaPost &m, int art) {
  char noegle[4 * 10 + 3 * kImportTekstLaengde + 1];
  const uint32_t dagEllerDato = ErUntisMedDato(ImportKilde) ? m.Dato : m.Dag;
  if (art == 3) {
    snprintf(noegle, sizeof noegle, "%010u", l.LektionsId);
    return noegle;
  }
  const int n = kImportTekstLaengde;
  if (art == 1)
    snprintf(noegle, sizeof noegle, "%010u%010u%010u%010u%-*s%-*s%-*s", dagEllerDato, m.Lektion, m.Starttid, m.Sluttid,
             n, l.Fag, n, l.Klasse, n, l.Laerer);
  else
    snprintf(noegle, sizeof noegle, "%010u%010u%010u%010u%-*s%-*s%-*s", dagEllerDato, m.Lektion, m.Starttid, m.Sluttid,
             n, l.Fag, n, l.Laerer, n, l.Klasse);
  DanskSortTegn(noegle, static_cast<int>(strlen(noegle)));
  return noegle;
}

bool SammeTid(const ImportLektion &a, const TavoSkemaPost &ma, const ImportLektion &b, const TavoSkemaPost &mb) {
  return strcmp(a.Fag, b.Fag) == 0 && ma.Dag == mb.Dag && ma.Dato == mb.Dato && ma.Lektion == mb.Lektion &&
         ma.Starttid == mb.Starttid && ma.Sluttid == mb.Sluttid;
}

bool SammeAnsatte(const AVS &a, const AVS &b) {
  if (a.anfoAntal == 0 || a.anfoAntal != b.anfoAntal) return false;
  for (uint32_t i = 0; i < a.anfoAntal; ++i)
    if (!FindAVSIndeks(&b, 'M', a.anfoTab[i])) return false;
  return true;
}

void TilfoejEn(AVS *til, char bogstav, uint32_t id) {
  if (id == 0 || FindAVSIndeks(til, bogstav, id)) return;
  AddAVSEgenskab(til, bogstav, id, bogstav == 'K' ? 0 : RolleForslag(til, bogstav, id), 0.0f);
}

void Fold(ImportBeskrivelse &hoved, ImportBeskrivelse &fra, bool akti, bool anfo, bool loka) {
  for (uint32_t i = 0; akti && i < fra.avs.aktiAntal; ++i) TilfoejEn(&hoved.avs, 'K', fra.avs.aktiTab[i]);
  for (uint32_t i = 0; anfo && i < fra.avs.anfoAntal; ++i) TilfoejEn(&hoved.avs, 'M', fra.avs.anfoTab[i]);
  for (uint32_t i = 0; loka && i < fra.avs.lokaAntal; ++i) TilfoejEn(&hoved.avs, 'L', fra.avs.lokaTab[i]);
  hoved.Stjerne |= fra.Stjerne;
  CleanupAVS(&fra.avs);
  fra.Stjerne = 0;
}

// The live own row of the activity on the date's weekday whose time meets
// the lesson's, in the date's week.
bool AktiHarSkema(const AVS &avs, Dato d) {
  const UgeIndeks w = UgeIndeksAf(d);
  if (w < 1 || w > SkemaPeriode.AntalUger) return false;
  bool fundet = false;
  ForHverRaekke(w, [&](uint32_t, const SkeRec &s) {
    if (!(s.Status & 0x40) || ErSlettet(s.Status) || s.Dag != avs.Dag || s.akti_id == 0) return;
    if (!FindAVSIndeks(&avs, 'K', s.akti_id)) return;
    if (Overlapper(s.Starttid, s.Sluttid, avs.Starttid, avs.Sluttid)) fundet = true;
  });
  return fundet;
}

void SorterOgFlet(ImportBeskrivelser &besk, const ImportLektioner &lektioner, const TavoSkemaListe &match) {
  FletImportAVS(besk, lektioner, match, SorterImportLektioner(lektioner, match, 1), 1);
  FletImportAVS(besk, lektioner, match, SorterImportLektioner(lektioner, match, 2), 2);
}

uint32_t Antal(const ImportLektioner &lektioner, const TavoSkemaListe &match) {
  if (lektioner.empty()) return 0;
  return static_cast<uint32_t>(std::min(lektioner.size(), match.size()) - 1);
}

}  // namespace

void FrigivImportKonflikter() {
  KonfliktTab.clear();
  KonfliktTab.shrink_to_fit();
  KonfliktUger = 0;
}

bool ImportKonflikt(uint32_t lektion, UgeIndeks w) {
  if (w < 1 || w > KonfliktUger) return false;
  const size_t i = static_cast<size_t>(lektion) * KonfliktUger + (w - 1);
  return i < KonfliktTab.size() && KonfliktTab[i] != 0;
}

bool HuskAktiObj(uint32_t akti) { return Maerket(AktiMaerke, akti); }
bool HuskAnfoObj(uint32_t anfo) { return Maerket(AnfoMaerke, anfo); }
bool HuskLokaObj(uint32_t loka) { return Maerket(LokaMaerke, loka); }

void HuskImportObj(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra, Dato til) {
  AktiMaerke.assign(tvakti.wRecCnt, 0);
  AnfoMaerke.assign(tvanfo.wRecCnt, 0);
  LokaMaerke.assign(tvloka.wRecCnt, 0);
  const UgeSpan span = SpanAfDatoer(fra, til);
  const uint8_t egen = GlobalIndstillinger.insnr;
  const uint32_t n = Antal(lektioner, match);
  for (uint32_t i = 1; i <= n; ++i) {
    const TavoSkemaPost &m = match[i];
    const uint32_t akti = Maerk(AktiMaerke, tvakti, m.akti_id) ? m.akti_id : 0;
    const uint32_t anfo = Maerk(AnfoMaerke, tvanfo, m.anfo_id) ? m.anfo_id : 0;
    const uint32_t loka = Maerk(LokaMaerke, tvloka, m.loka_id) ? m.loka_id : 0;
    if (!akti && !anfo && !loka) continue;
    for (UgeIndeks w = span.Foerste(); w <= span.Sidste(); ++w)
      ForHverRaekke(w, [&](uint32_t, const SkeRec &s) {
        if (s.Ejer != egen || ErSlettet(s.Status) || !span.Indenfor(w, s.Dag)) return;
        const bool ubekraeftet = (s.Status & 0x40) && !(s.Status & 0x20);
        if (!ubekraeftet && !ErImporteret(s.Status)) return;
        // Only the events of the objects just marked: the rest of the
        // school's schedule is none of this import's business.
        if ((akti && s.akti_id == akti) || (anfo && s.anfo_id == anfo) || (loka && s.loka_id == loka))
          SletBegivenhed(Aar(w), UgeNr(w), s.Forste);
      });
  }
}

void LoesKonflikter(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra, Dato til,
                    bool overskriv) {
  const uint32_t n = Antal(lektioner, match);
  KonfliktUger = SkemaPeriode.AntalUger;
  KonfliktTab.assign(static_cast<size_t>(n + 1) * KonfliktUger, 0);
  const UgeSpan span = SpanAfDatoer(fra, til);
  Uge fraUge = 0;
  DatoTilUge(fra, &fraUge, nullptr);
  const uint32_t cyklus = std::max<uint32_t>(TabulexAntalUger, 1);
  const bool dobbelt = ImportMetode.Dobbeltskema != 0;
  const uint8_t egen = GlobalIndstillinger.insnr;
  for (uint32_t i = 1; i <= n; ++i) {
    const TavoSkemaPost &m = match[i];
    UgeIndeks foerste = span.Foerste(), sidste = span.Sidste();
    uint8_t ugedag = static_cast<uint8_t>(m.Dag);
    if (ErUntisMedDato(ImportKilde)) {
      foerste = sidste = UgeIndeksAf(m.Dato);
      ugedag = UgedagAf(m.Dato);
      if (foerste < 1 || foerste > SkemaPeriode.AntalUger) continue;
    } else if (ImportKilde == KILDE_TABULEX) {
      ugedag = TabulexUgedag(m.Dag);
    }
    for (UgeIndeks w = foerste; w <= sidste; ++w) {
      if (ImportKilde == KILDE_TABULEX && fraUge &&
          (AntalUger(fraUge, IndeksTilUge(w)) - 1) % cyklus != TabulexCyklusUge(m.Dag) % cyklus)
        continue;
      for (const uint32_t TavoSkemaPost::*felt : {&TavoSkemaPost::akti_id, &TavoSkemaPost::anfo_id,
                                                   &TavoSkemaPost::loka_id}) {
        const uint32_t obj = m.*felt;
        if (obj == 0) continue;
        ForHverRaekke(w, [&](uint32_t, const SkeRec &s) {
          const uint32_t raekkens = felt == &TavoSkemaPost::akti_id   ? s.akti_id
                                    : felt == &TavoSkemaPost::anfo_id ? s.anfo_id
                                                                      : s.loka_id;
          if (raekkens != obj || s.Status == 0 || ErSlettet(s.Status)) return;
          if (s.Dag != ugedag || !span.Indenfor(w, s.Dag)) return;
          if (!Overlapper(s.Starttid, s.Sluttid, m.Starttid, m.Sluttid)) return;
          if (overskriv && s.Ejer == egen)
            SletBegivenhed(Aar(w), UgeNr(w), s.Forste);
          else if (!dobbelt)
            SaetKonflikt(i, w);
        });
      }
    }
  }
}

std::vector<uint32_t> SorterImportLektioner(const ImportLektioner &lektioner, const TavoSkemaListe &match, int art) {
  const uint32_t n = Antal(lektioner, match);
  std::vector<std::string> noegler(n + 1);
  std::vector<uint32_t> orden;
  for (uint32_t i = 1; i <= n; ++i) {
    noegler[i] = SorteringsNoegle(lektioner[i], match[i], art);
    orden.push_back(i);
  }
  std::stable_sort(orden.begin(), orden.end(), [&](uint32_t a, uint32_t b) { return noegler[a] < noegler[b]; });
  return orden;
}

bool BeskrivelseTom(const AVS &avs) {
  return avs.Dag == 0 || (avs.aktiAntal == 0 && avs.anfoAntal == 0 && avs.lokaAntal == 0);
}

ImportBeskrivelser::ImportBeskrivelser(const ImportLektioner &lektioner, const TavoSkemaListe &match) {
  const uint32_t n = Antal(lektioner, match);
  b_.resize(n + 1);
  for (ImportBeskrivelse &b : b_) {
    memset(&b, 0, sizeof b);
    CleanupAVS(&b.avs);
  }
  for (uint32_t i = 1; i <= n; ++i) {
    const TavoSkemaPost &m = match[i];
    AVS &a = b_[i].avs;
    a.Placering = 'L';
    a.Art = 'S';
    a.Ejer = GlobalIndstillinger.insnr;
    a.Dag = static_cast<uint8_t>(m.Dag <= 0xFF ? m.Dag : 0);
    a.Lektion = static_cast<uint8_t>(m.Lektion <= 48 ? m.Lektion : 0);
    a.Starttid = m.Starttid;
    a.Sluttid = m.Sluttid;
    a.Antal_std_lektioner = 1.0f;
    if (GyldigRef(&tvakti, m.akti_id)) AddAVSEgenskab(&a, 'K', m.akti_id, 0, 0.0f);
    if (GyldigRef(&tvrisy, m.risy_id)) a.risy_id = m.risy_id;
    if (const RisyRec *r = TabRec<RisyRec>(tvrisy, a.risy_id); r && a.Lektion >= 1 && r->Antal_std_lektioner[a.Lektion - 1] > 0)
      a.Antal_std_lektioner = r->Antal_std_lektioner[a.Lektion - 1];
    if (GyldigRef(&tvskfa, m.skfa_id)) AddAVSEgenskab(&a, 'U', m.skfa_id, 0, 0.0f);
    if (GyldigRef(&tvanfo, m.anfo_id)) TilfoejEn(&a, 'M', m.anfo_id);
    if (GyldigRef(&tvloka, m.loka_id)) TilfoejEn(&a, 'L', m.loka_id);
    uint8_t &stjerne = b_[i].Stjerne;
    if (a.aktiAntal && IsStjerneAkti(m.akti_id)) stjerne |= 1;
    if (a.anfoAntal && IsStjerneMeda(m.anfo_id)) stjerne |= 2;
    if (a.lokaAntal && IsStjerneLoka(m.loka_id)) stjerne |= 4;
  }
}

ImportBeskrivelser::~ImportBeskrivelser() {
  for (ImportBeskrivelse &b : b_) CleanupAVS(&b.avs);
}

void FletImportAVS(ImportBeskrivelser &besk, const ImportLektioner &lektioner, const TavoSkemaListe &match,
                   const std::vector<uint32_t> &orden, int art) {
  uint32_t hoved = 0;
  for (const uint32_t i : orden) {
    if (i == 0 || i >= besk.size() || i >= lektioner.size() || i >= match.size()) continue;
    if (BeskrivelseTom(besk[i].avs)) continue;
    bool flet = false;
    if (hoved) {
      const ImportLektion &a = lektioner[hoved], &b = lektioner[i];
      const TavoSkemaPost &ma = match[hoved], &mb = match[i];
      if (art == 3)
        flet = a.LektionsId != 0 && a.LektionsId == b.LektionsId;
      else if (art == 1)
        flet = SammeTid(a, ma, b, mb) && ma.akti_id == mb.akti_id;
      else
        flet = SammeTid(a, ma, b, mb) && SammeAnsatte(besk[hoved].avs, besk[i].avs);
    }
    if (!flet) {
      hoved = i;
      continue;
    }
    Fold(besk[hoved], besk[i], art != 1, art != 2, true);
  }
}

uint32_t PlacerUgevis(AVS *avs, Dato fra, Dato til) {
  if (!avs || avs->Dag < 1 || avs->Dag > 7) return 0;
  if (avs->aktiAntal == 0 && avs->anfoAntal == 0 && avs->lokaAntal == 0) return 0;
  const UgeSpan span = SpanAfDatoer(fra, til);
  if (span.fra > span.til) return 0;
  uint32_t skrevet = 0;
  for (UgeIndeks w = span.Foerste(); w <= span.Sidste(); ++w) {
    if (!span.Indenfor(w, avs->Dag)) continue;
    const Dato d = UgeDagTilDato(IndeksTilUge(w), avs->Dag);
    bool skolen = true;
    for (uint32_t k = 0; k < avs->aktiAntal && skolen; ++k) {
      const AktiRec *a = TabRec<AktiRec>(tvakti, avs->aktiTab[k]);
      skolen = a && d >= a->Fradato && (a->Tildato == 0 || d <= a->Tildato) && IsSkoledag(d, a->skka_id);
    }
    if (!skolen) continue;
    if (AddBegivenhed(avs, 0, Aar(w), UgeNr(w), kImportStatus, true, nullptr, 0, 0)) ++skrevet;
  }
  return skrevet;
}

void PlacerUntis(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra, Dato til, uint32_t kilde,
                 bool dobbelt) {
  ImportBeskrivelser besk(lektioner, match);
  SorterOgFlet(besk, lektioner, match);
  for (uint32_t i = 1; i < besk.size(); ++i) {
    AVS &a = besk[i].avs;
    if (BeskrivelseTom(a)) continue;
    if (kilde == KILDE_UNTIS) {
      PlacerUgevis(&a, fra, til);
      continue;
    }
    const Dato d = match[i].Dato;
    if (!dobbelt && ImportKonflikt(i, UgeIndeksAf(d))) continue;
    a.Dag = UgedagAf(d);
    PlacerUgevis(&a, d, d);
  }
}

void PlacerTabulex(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra, Dato til,
                   uint32_t ugerICyklus, bool dobbelt) {
  Uge fraUge = 0, tilUge = 0;
  DatoTilUge(fra, &fraUge, nullptr);
  DatoTilUge(til, &tilUge, nullptr);
  const uint32_t uger = fraUge && tilUge ? AntalUger(fraUge, tilUge) : 0;
  if (uger == 0) return;
  const uint32_t cyklus = std::max<uint32_t>(ugerICyklus, 1);
  // The merge does not depend on the week, so it is done once; only the
  // weekday is set per week from the running day number.
  ImportBeskrivelser besk(lektioner, match);
  SorterOgFlet(besk, lektioner, match);
  for (uint32_t c = 0; c < uger; c += cyklus)
    for (uint32_t w = 0; w < cyklus; ++w) {
      const Dato start = PlusDage(fra, 7 * (c + w));
      if (start > til) break;
      const Dato slut = std::min(PlusDage(start, 4), til);
      const UgeIndeks ugeIdx = UgeIndeksAf(start);
      for (uint32_t i = 1; i < besk.size(); ++i) {
        AVS &a = besk[i].avs;
        const uint32_t dagNr = match[i].Dag;
        if (BeskrivelseTom(a) || dagNr < 5 * w + 1 || dagNr > 5 * w + 5) continue;
        if (!dobbelt && ImportKonflikt(i, ugeIdx)) continue;
        a.Dag = TabulexUgedag(dagNr);
        PlacerUgevis(&a, start, slut);
        a.Dag = static_cast<uint8_t>(dagNr <= 0xFF ? dagNr : 0);
      }
    }
}

void PlacerLectio(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra) {
  ImportBeskrivelser besk(lektioner, match);
  FletImportAVS(besk, lektioner, match, SorterImportLektioner(lektioner, match, 3), 3);
  Uge fraUge = 0;
  DatoTilUge(fra, &fraUge, nullptr);
  for (uint32_t i = 1; i < besk.size(); ++i) {
    AVS &a = besk[i].avs;
    if (BeskrivelseTom(a)) continue;
    const ImportLektion &l = lektioner[i];
    Uge uge = l.Uge;
    if (uge < 100) {
      // The week of the year: its year is that of the lesson's own date, so
      // a lesson after New Year lands in the new year; without a date the
      // first week after the import's start that has this number.
      Uge egen = 0;
      if (GyldigDato(l.Dato)) DatoTilUge(l.Dato, &egen, nullptr);
      uint32_t aar = egen ? egen / 100 : fraUge / 100;
      if (!egen && uge < fraUge % 100) ++aar;
      uge = aar * 100 + uge;
    }
    const Dato d = UgeDagTilDato(uge, a.Dag);
    if (d) PlacerUgevis(&a, d, d);
  }
}

void PlacerExtSkema(const ImportLektioner &lektioner, const TavoSkemaListe &match, bool ignorer) {
  ImportBeskrivelser besk(lektioner, match);
  SorterOgFlet(besk, lektioner, match);
  for (uint32_t i = 1; i < besk.size(); ++i) {
    AVS &a = besk[i].avs;
    if (BeskrivelseTom(a)) continue;
    const Dato d = match[i].Dato;
    a.Dag = UgedagAf(d);
    if (ignorer && AktiHarSkema(a, d)) continue;
    PlacerUgevis(&a, d, d);
  }
}

void FortrydExtImport(HWND hovedvindue) {
  char fraTekst[10] = "", tilTekst[10] = "";
  GetPrivateProfileStringA("untis", "fradato", "", fraTekst, sizeof fraTekst, StiTab.szini);
  GetPrivateProfileStringA("untis", "tildato", "", tilTekst, sizeof tilTekst, StiTab.szini);
  const uint32_t fra = static_cast<uint32_t>(strtoul(fraTekst, nullptr, 10));
  const uint32_t til = static_cast<uint32_t>(strtoul(tilTekst, nullptr, 10));
  UgeSpan span = strlen(fraTekst) > 6 ? SpanAfDatoer(fra, til) : SpanAfUger(fra, 1, til, 5);

  char tekst[160];
  snprintf(tekst, sizeof tekst, "Vil du fortryde extern import af skemadata for perioden: %s - %s?\n", fraTekst,
           tilTekst);
  // Before any import of this run the source is not known; the undo covers
  // every source alike.
  const std::string titel = ImportKildeNavn[0] ? ImportFilSti("-import") : std::string("Extern-import");
  if (MessageBoxA(hovedvindue, tekst, titel.c_str(), MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION) != IDYES) return;

  const uint8_t egen = GlobalIndstillinger.insnr;
  for (UgeIndeks w = span.Foerste(); w <= span.Sidste(); ++w)
    ForHverRaekke(w, [&](uint32_t r, const SkeRec &s) {
      if (s.Status == 0 || s.Ejer != egen || !span.Indenfor(w, s.Dag)) return;
      if (ErImporteret(s.Status))
        SletBegivenhed(Aar(w), UgeNr(w), s.Forste);
      else if (s.Status & 0x08)
        if (SkeRec *p = BegRaekke(Aar(w), UgeNr(w), r)) p->Status &= ~uint32_t{0x08};
    });
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
}
