// Whether an event may stand in a cell of a schedule window.
#include "PLACER.h"

#include <vector>

#include "AVSHJAELP.h"
#include "BRIKIND.h"
#include "FINDREC.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MINNORM.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "ROLLEFORSLAG.h"
#include "SIDEFIL.h"
#include "SKEMA.h"
#include "SKEMARK.h"
#include "SKEREC.h"
#include "TAVODATA.h"

namespace {

const char *const kIndsaettelse = "Indsættelse";

bool Reserveret(uint32_t id) { return id >= RESERVERET_ID_MIN && id <= RESERVERET_ID_UKENDT; }

bool Aktuel(uint8_t status) { return status >= 10 && status <= 29; }

// A role occupies its participant when its letter is 'J'; a role outside its
// table does not.
bool SkemarolOptager(uint32_t rolle) {
  const SkemarolRec *r = rolle ? TabRec<SkemarolRec>(tvskemarol, rolle) : nullptr;
  return r && r->Check_skemasammenfald == 'J';
}

bool LokrolleOptager(uint32_t rolle) {
  const LokrolleRec *r = rolle ? TabRec<LokrolleRec>(tvlokrolle, rolle) : nullptr;
  return r && r->Check_sammenfald == 'J';
}

// The employees ('M') or rooms ('L') of the event against the row's
// participant: the busy code, or 0 (also after dropBusy emptied the part).
uint8_t DelOptaget(AVS *avs, char del, uint32_t raekkens, bool dropBusy) {
  const bool anfo = del == 'M';
  const uint32_t antal = anfo ? avs->anfoAntal : avs->lokaAntal;
  const uint32_t *tab = anfo ? avs->anfoTab : avs->lokaTab;
  const uint32_t *roller = anfo ? avs->skemarolTab : avs->lokrolleTab;
  const uint32_t tabelAntal = anfo ? tvanfo.wRecCnt : tvloka.wRecCnt;
  for (uint32_t i = 0; i < antal && tab; ++i) {
    if (tab[i] >= tabelAntal) break;
    const uint32_t rolle = roller ? roller[i] : 0;
    if (!(anfo ? SkemarolOptager(rolle) : LokrolleOptager(rolle)) || tab[i] != raekkens) continue;
    if (!dropBusy) return anfo ? OPTAGET_ANFO : OPTAGET_LOKA;
    CleanupAVSDel(avs, del);
    return 0;
  }
  return 0;
}

TabVar *DatoBucket(Dato dato) {
  Uge uge = 0;
  uint8_t ugedag = 0;
  DatoTilUge(dato, &uge, &ugedag);
  const UgeIndeks i = UgeTilIndeks(uge);
  if (i == 0) return &SkemabegUgeTab[0];
  return SkemabegBucket(IndeksTilUge(i));
}

// The activity of a row counts for the busy test itself.
bool RaekkeAktiTaeller(uint32_t r) {
  const AktiRec *a = r ? TabRec<AktiRec>(tvakti, r) : nullptr;
  if (!a) return false;
  return !IsOvakAkti(r) && a->Aktivitet[0] != '*' && !Reserveret(a->id);
}

// The student-overlap partners of the event's activities valid on the date,
// gathered in one pass over the pairs so the row scan reads none.
struct Partner {
  uint32_t akti, partner;
};

void SamlPartnere(const AVS *avs, Dato dato, std::vector<Partner> *ud) {
  for (uint32_t p = 1; p < tvelvrel2.wRecCnt; ++p) {
    const Elvrel2Rec *e = TabRec<Elvrel2Rec>(tvelvrel2, p);
    if (!e || e->Status == 0) continue;  // a deleted pair
    if (!(e->Startdato <= dato && dato <= e->Slutdato)) continue;
    for (uint32_t i = 0; i < avs->aktiAntal; ++i) {
      const uint32_t a = avs->aktiTab[i];
      if (a >= tvakti.wRecCnt) break;
      if (e->akti1_id == a) ud->push_back({a, e->akti2_id});
      if (e->akti2_id == a && e->akti1_id != a) ud->push_back({a, e->akti1_id});
    }
  }
}

// The pair holds A and R: with R = A any pair of A does.
bool Sammenfald(const std::vector<Partner> &p, uint32_t a, uint32_t r) {
  for (const Partner &x : p)
    if (x.akti == a && (x.partner == r || r == a)) return true;
  return false;
}

void Boks(HWND ejer, const char *tekst, const char *titel) {
  MessageBoxA(ejer, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
}

const char *PeriodeTekst(uint8_t kode) {
  switch (kode) {
    case PERIODE_AKTI:
      return "Begivenheden ligger udenfor aktivitetens periode";
    case PERIODE_ANFO:
      return "Begivenheden ligger udenfor medarbejderens periode";
    case PERIODE_LOKA:
      return "Begivenheden ligger udenfor lokalets periode";
    case PERIODE_SKOLEFRI:
      return "Der kan ikke placeres begivenheder på en skolefridag";
    case PERIODE_FOER:
      return "Der kan ikke placeres begivenheder før skemaets periode starter";
    case PERIODE_EFTER:
      return "Der kan ikke placeres begivenheder efter skemaets periode slutter";
    case PERIODE_HELLIGDAG:
      return "Hvis der skal placeres begivenheder på en helligdag skal\n 'Marker helligdage' slåes fra under "
             "menupunktet 'System/Installationsoplysninger/Diverse";
    default:
      return nullptr;
  }
}

const char *OptagetTekst(uint8_t kode) {
  switch (kode) {
    case OPTAGET_AKTI:
      return "Aktiviteten er optaget";
    case OPTAGET_ANFO:
      return "Medarbejderen er optaget";
    case OPTAGET_LOKA:
      return "Lokalet er optaget";
    case OPTAGET_INGEN_TIDER:
      return "Der er ikke defineret tider i ringetidssystemet for denne lektion";
    case OPTAGET_ELEVSAMMENFALD:
      return "Der er elevsammenfald på denne aktivitet.\nDu kan slå checket fra i under menupunktet:\n  "
             "'System/Installations oplysninger/Diverse'.\n\nDu kan se hold med risiko for elevsammenfald ved "
             "'Alt + F9'.";
    default:
      return nullptr;
  }
}

bool HarDeltager(const uint32_t *tab, uint32_t n, uint32_t id) {
  for (uint32_t i = 0; tab && i < n; ++i)
    if (tab[i] == id) return true;
  return false;
}

// Frees the working copy on every way out of the tile check.
struct Kopi {
  AVS avs{};
  Kopi() { CleanupAVS(&avs); }
  ~Kopi() { CleanupAVS(&avs); }
};

}  // namespace

Klokkeslaet SlotTid(uint32_t slot) {
  if (slot == 0) return 0;
  const uint32_t min = (slot - 1) * 5;
  return min / 60 * 100 + min % 60;
}

uint8_t PeriodeCheck(const AVS *avs, Dato dato) {
  if (!avs) return 0;
  for (uint32_t i = 0; i < avs->aktiAntal && avs->aktiTab; ++i) {
    const uint32_t r = avs->aktiTab[i];
    const AktiRec *a = TabRec<AktiRec>(tvakti, r);
    if (!a) break;
    if (dato < a->Fradato || dato > a->Tildato || AktiUdenforPeriode(dato, r, AktuelAVS.skfa_id))
      return PERIODE_AKTI;
    if (!Reserveret(a->id) && !IsSkoledag(dato, a->skka_id)) return PERIODE_SKOLEFRI;
  }
  for (uint32_t i = 0; i < avs->anfoAntal && avs->anfoTab; ++i) {
    const AnfoRec *f = TabRec<AnfoRec>(tvanfo, avs->anfoTab[i]);
    if (!f) break;
    if (dato < f->Fradato || dato > f->Tildato) return PERIODE_ANFO;
  }
  for (uint32_t i = 0; i < avs->lokaAntal && avs->lokaTab; ++i) {
    const LokaRec *l = TabRec<LokaRec>(tvloka, avs->lokaTab[i]);
    if (!l) break;
    if (dato < l->Fradato || dato > l->Tildato) return PERIODE_LOKA;
  }
  if (dato < SkemaPeriode.FraDato) return PERIODE_FOER;
  if (dato > SkemaPeriode.TilDato) return PERIODE_EFTER;
  if (GlobalIndstillinger.markerhellig && Helligdag(dato) != 0) return PERIODE_HELLIGDAG;
  return 0;
}

uint8_t OptagetCheck(AVS *avs, uint8_t dag, Klokkeslaet start, Klokkeslaet slut, Dato dato, bool dropBusy,
                     uint32_t egenForste) {
  if (!avs) return 0;
  const TabVar *b = DatoBucket(dato);
  const int32_t gap = GlobalIndstillinger.sammenfaldsinterval;
  // The gap carries into the hour: a row until 08:55 with a gap of 10 meets
  // an event from 09:00.
  const Klokkeslaet slutGap = LaegMinutterTil(slut, gap);
  const bool elevCheck = GlobalIndstillinger.checkelevsammenfald != 0;
  Uge uge = 0;
  uint8_t datoUgedag = 0;
  DatoTilUge(dato, &uge, &datoUgedag);
  std::vector<Partner> partnere;
  if (elevCheck && datoUgedag == dag) SamlPartnere(avs, dato, &partnere);

  uint8_t res = 0;
  for (uint32_t r = 1; b && b->pbTab && r < b->wRecCnt && res == 0; ++r) {
    const SkeRec *s = reinterpret_cast<const SkeRec *>(b->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
    if (s->Status == 0 || (s->Status & SKE_SLETTET) || s->Dag != dag) continue;
    if (egenForste && s->Forste == egenForste) continue;
    if (!(s->Starttid < slutGap && start < LaegMinutterTil(s->Sluttid, gap))) continue;
    const uint32_t rAkti = s->akti_id;
    const bool taeller = RaekkeAktiTaeller(rAkti);
    for (uint32_t i = 0; i < avs->aktiAntal && avs->aktiTab && res == 0; ++i) {
      const uint32_t a = avs->aktiTab[i];
      if (a >= tvakti.wRecCnt) break;
      if (taeller && rAkti == a)
        res = OPTAGET_AKTI;
      else if (rAkti && !partnere.empty() && Sammenfald(partnere, a, rAkti))
        res = OPTAGET_ELEVSAMMENFALD;
    }
    if (res == 0 && SkemarolOptager(s->skemarol_id))
      res = DelOptaget(avs, 'M', s->anfo_id, dropBusy);
    if (res == 0 && LokrolleOptager(s->lokrolle_id))
      res = DelOptaget(avs, 'L', s->loka_id, dropBusy);
  }
  if (res) return res;
  return slut == 0 ? OPTAGET_INGEN_TIDER : 0;
}

bool CheckBrik(SkeStruct *ske, HWND ejer, uint32_t kolonne, uint32_t raekke, AVS *avs, bool checkOnly,
               bool visBeskeder, uint32_t *taellere, bool dropBusy) {
  if (!ske || !avs) return false;
  Kopi k;
  AVS &c = k.avs;
  KopierAVS(avs, &c);
  // Layout 'V' has the objects down the side and the days and lessons across.
  const uint32_t indeks = ske->Layout == 'V' ? kolonne : raekke;
  const uint32_t objekt = SkeRaekkeObjekt(ske, ske->Layout == 'V' ? raekke : kolonne);

  if (!AlleRollerSat()) {
    if (visBeskeder)
      Boks(hwndHoved,
           "Alle rolleforslag skal være sat for at kunne indsætte en brik !\n\nDette gøres under System / Roller ",
           "Roller mangler");
    return false;
  }
  c.Ejer = GlobalIndstillinger.insnr;
  if (objekt == 0) return false;

  const uint8_t dag = KolonneUgedag(ske->Visning, indeks);
  const uint32_t lektion = KolonneLektion(ske->Visning, ske->Vis.FoersteSlot, indeks);
  if (c.aktiAntal && c.aktiTab && c.Lektion)
    if (const AktiRec *a = TabRec<AktiRec>(tvakti, c.aktiTab[0])) c.risy_id = a->risy_id;

  switch (ske->ObjektArt) {
    case SKE_AKTI: {
      if (c.skfa_id) {
        const uint32_t n = FindParRec(&tdskph, &tvskph, objekt, c.skfa_id);
        const SkphRec *p = n ? TabRec<SkphRec>(tvskph, n) : nullptr;
        if (!p || !Aktuel(p->Status)) {
          if (visBeskeder) Boks(ejer, "Skolefag er ikke tilknyttet aktiviteten", "Skolefags fejl");
          return false;
        }
      }
      if (!HarDeltager(c.aktiTab, c.aktiAntal, objekt)) {
        CleanupAVSDel(&c, 'K');
        AddAVSEgenskab(&c, 'K', objekt, 0, 0);
        if (c.Lektion)
          if (const AktiRec *a = TabRec<AktiRec>(tvakti, objekt)) c.risy_id = a->risy_id;
      }
      break;
    }
    case SKE_ANFO:
    case SKE_LOKA: {
      const char del = ske->ObjektArt == SKE_ANFO ? 'M' : 'L';
      const uint32_t i = FindAVSIndeks(&c, del, objekt);
      const uint32_t *roller = del == 'M' ? c.skemarolTab : c.lokrolleTab;
      if (i && roller && roller[i - 1]) break;
      CleanupAVSDel(&c, del);
      const uint32_t rolle = RolleForslag(&c, del, objekt);
      if (rolle == 0 && c.Art == 'P') {
        MessageBoxA(0,
                    "Der er ingen hjælpeaktivitet tilknyttet den valgte medarbejder.\nFå tilknyttet de nødvendige "
                    "hjælpeaktiviteter i easy, før du kan skemalægge særlig skema.",
                    "Særlig skema oplysning", MB_OK | MB_ICONINFORMATION);
        return false;
      }
      AddAVSEgenskab(&c, del, objekt, rolle, -1.0f);
      break;
    }
    default:
      return false;
  }

  c.Dag = dag;
  const RisyRec *ring = c.risy_id ? TabRec<RisyRec>(tvrisy, c.risy_id) : nullptr;
  if (ring && c.Lektion) {
    c.Lektion = static_cast<uint8_t>(lektion);
    if (lektion >= 1 && lektion <= 48) {
      c.Starttid = ring->Starttid[lektion - 1];
      c.Sluttid = ring->Sluttid[lektion - 1];
      c.Antal_std_lektioner = ring->Antal_std_lektioner[lektion - 1];
    } else {
      c.Starttid = c.Sluttid = 0;
      c.Antal_std_lektioner = 0;
    }
  } else if (ske->Visning == 'T') {
    const uint32_t varighed = MinutterMellem(c.Starttid, c.Sluttid);
    c.Starttid = SlotTid(lektion);
    c.Sluttid = LaegMinutterTil(c.Starttid, static_cast<int32_t>(varighed));
    // An event kept at its length must end within the day: every table
    // indexed by the end's slot stops at 24:00.
    if (c.Sluttid > 2400 || c.Sluttid < c.Starttid) return false;
  }

  const Dato dato = UgeDagTilDato(IndeksTilUge(SkeAktuelUgeIndeks(ske)), dag);
  const uint8_t p = PeriodeCheck(&c, dato);
  if (p) {
    const char *t = PeriodeTekst(p);
    if (visBeskeder && t) Boks(ejer, t, kIndsaettelse);
    return false;
  }
  const uint8_t o = OptagetCheck(&c, dag, c.Starttid, c.Sluttid, dato, dropBusy);
  if (o) {
    if (taellere && o < kOptagetTaellere) ++taellere[o];
    const char *t = OptagetTekst(o);
    if (visBeskeder && t) Boks(ejer, t, kIndsaettelse);
    return false;
  }
  if (!checkOnly) KopierAVS(&c, avs);
  return true;
}

int8_t LaastPeriodeSpm(const SkeStruct *ske, uint32_t ugeIndeks, bool afvisStille) {
  if (!ske) return -1;
  uint32_t uge = ugeIndeks;
  if (ske->Ens.UgeTab && ugeIndeks >= 1 && ugeIndeks <= ske->UgeAntal) uge = ske->Ens.UgeTab[ugeIndeks];
  uint8_t dag = ske->Vis.Ugedag;
  if (dag < 1 || dag > 7) dag = 1;
  const Dato dato = UgeDagTilDato(IndeksTilUge(uge), dag);
  if (SkemaPeriode.LaasDato < dato) return 0;
  if (afvisStille) return -1;
  const int svar =
      MessageBoxA(0, "Vil du arbejde i LÅST periode?", "Låst periode", MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION);
  return svar == IDOK ? 0 : -1;
}
