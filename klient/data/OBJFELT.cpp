// The computed columns of the list windows (field numbers 203-386).
#include "OBJFELT.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AKTICHK.h"
#include "DATO.h"
#include "FELTTEKST.h"
#include "FINDREC.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTETAL.h"
#include "MEDOPG.h"
#include "MEDPER.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "TALTAB.h"
#include "TABOPER.h"
#include "TEKST.h"
#include "win/kprofile.h"

ObjFeltKilderRec ObjFeltKilder;
ObjFeltKroge ObjFeltKrog;

// ---- Captions and widths ----

namespace {

struct KolonneRec {
  uint16_t felt;
  uint8_t bredde;
  const char *navn;
};

const KolonneRec kKolonner[] = {
    {203, 30, "Særlig skema"}, {204, 30, "SLS koder"}, {205, 2, ""}, {206, 2, ""}, {207, 1, ""},
    {208, 1, ""}, {209, 2, ""}, {210, 25, "Navn"}, {211, 7, ""}, {212, 1, ""}, {213, 1, ""}, {214, 1, ""},
    {217, 9, "Rolle"}, {218, 6, "Min."}, {219, 4, "Rolle"}, {224, 0, "Initialer"}, {229, 0, "Type"},
    {231, 0, "Insnr"}, {234, 0, "Starttid"}, {235, 0, "Sluttid"}, {236, 0, "Ringetid"}, {239, 4, "Type"},
    {244, 0, "Ringe Gruppe"}, {246, 21, "Aftale/Normsystem"}, {254, 4, "Elever på fag"},
    {255, 4, "Lektioner"}, {256, 4, "Budget"}, {257, 4, "Difference"}, {258, 1, "Akkord"},
    {276, 3, "Aftale"}, {277, 6, "Afdeling"}, {278, 5, "Ansvarsområde"}, {282, 0, "Eg.Beg."},
    {283, 0, "Sl. Beg."}, {284, 0, "Fr. Beg."}, {285, 0, "Eg. Poster"}, {286, 0, "Sl. Poster"},
    {287, 0, "Fr. Poster"}, {288, 0, "Periode"}, {289, 0, "Periode"}, {290, 0, "Periode"},
    {293, 0, "Antal Fag"}, {299, 0, "Ialt:"}, {300, 0, "Bud:"}, {301, 0, "Diff:"}, {302, 0, "Lek. Ialt"},
    {303, 0, "Akk:"}, {304, 0, "Akk:"}, {305, 0, "Uge:"}, {306, 0, "Akk: Lek:"}, {307, 0, "Akk: Tim:"},
    {308, 7, "Undervisning"}, {309, 7, "Rettearbejde"}, {310, 7, "Eksamen"}, {311, 7, "Ferie m.m."},
    {312, 7, "Pæd.pulje"}, {313, 7, "Andre timer"}, {314, 7, "Ialt"}, {315, 7, "Norm"}, {316, 7, "Sving"},
    {317, 7, "Norm ialt"}, {318, 7, "Læst"}, {319, 7, "Udbetalt"}, {320, 7, "Læst ialt"},
    {321, 7, "Resultat"}, {322, 15, "Medarbejdertype"}, {323, 5, "Personalekategori"},
    {324, 7, "Stillingskode"}, {325, 7, "U ialt"}, {326, 7, "A ialt"}, {327, 6, "Elevlek"},
    {328, 6, "Budget"}, {329, 6, "Dif"}, {330, 6, "Lærerlek"}, {331, 6, "Budget"}, {332, 6, "Dif"},
    {333, 6, "Timer"}, {334, 6, "Budget"}, {335, 6, "Dif"}, {336, 16, ""}, {337, 13, ""}, {338, 11, ""},
    {339, 0, "Lokaleansvarlig"}, {340, 4, "Undervisn.pladser"}, {341, 15, "Ialt"}, {342, 9, "Lek. Ialt"},
    {344, 0, "Arb.Tlf."}, {345, 0, "Pri.Tlf."}, {346, 7, "Forventet"}, {349, 0, "Elever i dag"},
    {350, 0, "Hold"}, {351, 1, "Undervisningsforløb"}, {352, 0, "Undervisningsforløb"},
    {353, 3, "Lektioner på valgt aktivitet"}, {354, 3, "Undervist elever mest på valgt fag"},
    {355, 3, "Plan Lek. pr. uge"}, {356, 4, "% af norm"}, {357, 3, "Plan Lek. anfo"}, {358, 0, "U Plan"},
    {359, 0, "A Plan"}, {360, 0, "R Plan"}, {361, 0, "E Plan"}, {362, 0, "Diff U"}, {363, 0, "Diff A"},
    {364, 0, "Diff R"}, {365, 0, "Diff E"}, {366, 0, "Akk: Lek:"}, {369, 4, "ULekt"}, {370, 4, "3Uger"},
    {371, 10, "Overført"}, {372, 10, "Optjent"}, {373, 10, "Planlagt"}, {374, 10, "Afholdt"},
    {375, 10, "Rest"}, {376, 10, "Optjent"}, {377, 10, "Planlagt"}, {378, 10, "Afholdt"}, {379, 10, "Rest"},
    {380, 0, "Initialer"}, {381, 0, "Opgørelsesperiode"}, {382, 0, "Arbejdstid"}, {383, 0, "Særlig skema"},
    {384, 6, "Antal ske"}, {385, 4, "Prioritet"},
};

const KolonneRec *FindKolonne(uint32_t felt) {
  if (felt < FOERSTE_OBJFELT || felt > 385) return nullptr;
  for (const KolonneRec &k : kKolonner)
    if (k.felt == felt) return &k;
  return nullptr;
}

}  // namespace

const char *BeregnetFeltNavn(uint32_t felt) {
  if (felt == 319) return GlobalIndstillinger.normsystem ? "Ind/Udb." : "Udbetalt";
  const KolonneRec *k = FindKolonne(felt);
  return k ? k->navn : "";
}

uint32_t BeregnetFeltBredde(uint32_t felt) {
  const KolonneRec *k = FindKolonne(felt);
  return k ? k->bredde : 0;
}

// ---- Display class ----

uint8_t RecVisKlasse(const TabDesc *pTd, const TabVar *pTv, uint32_t n) {
  const uint8_t *rec = GetRec(pTd, pTv, n);
  if (!rec) return pTd->VisKlasse;
  const uint8_t s = RecStatus(pTd, rec) % 100;
  if ((s >= 30 && s <= 39) || s == 1) return GlobalIndstillinger.fremmedarkivfarve ? 5 : pTd->VisKlasse;
  const uint8_t gf = pTd->PeriodeFelter[PF_GRUPPE];
  if (gf != 0) {
    uint32_t gruppe;
    memcpy(&gruppe, rec + pTd->FeltTab[gf].Offset, sizeof gruppe);
    if (gruppe & 0x80000000u) return 5;
  }
  return pTd->VisKlasse;
}

// ---- Cell text ----

namespace {

const char *const kUgedage[8] = {"       ", "Mandag ", "Tirsdag", "Onsdag ", "Torsdag",
                                 "Fredag ", "Lørdag ", "Søndag "};
const char *const kMaaneder[13] = {"",     "Januar", "Februar", "Marts",     "April",   "Maj",      "Juni",
                                   "Juli", "August", "September", "Oktober", "November", "December"};

// One cell being formatted.
struct Celle {
  char *t;
  uint32_t bredde;
  uint32_t *pFarve;
  uint8_t *pFarveKode;

  void Skriv(const char *fmt, ...) __attribute__((format(printf, 2, 3))) {
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(t, OBJFELT_TEKST_LEN, fmt, ap);
    va_end(ap);
  }
  // A text field of n bytes copied as it stands; it may fill its field
  // without a terminator.
  void Kopi(const char *felt, size_t n) { Skriv("%.*s", static_cast<int>(strnlen(felt, n)), felt); }
  // A whole number in the column width, '#' when it does not fit.
  void Tal(int32_t v) { FormatLongFelt(t, OBJFELT_TEKST_LEN, bredde, v); }
  void Kode(uint8_t k) {
    if (pFarveKode) *pFarveKode = k;
  }
};

template <class R>
const R *Post(const TabVar &tv, uint32_t n) {
  if (n == 0) return nullptr;
  return TabRec<R>(tv, n);
}

int32_t Hel(double x) {
  if (!(x == x)) return 0;
  if (x >= 2147483647.0) return 2147483647;
  if (x <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(x);
}
// Hours shown whole, halves away from zero.
int32_t HeleTimer(double timer) { return Hel(RoundDecimals(0, timer)); }

UgeIndeks AktuelUge() { return SkemaPeriode.AktuelUgeIndeks; }
// Monday of the shown week.
Dato UgensDato() { return UgeDagTilDato(IndeksTilUge(AktuelUge()), 1); }
// The shown day: the current weekday in the shown week.
Dato VistDag() {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(SkemaPeriode.AktuelDato, &u, &dag);
  return UgeDagTilDato(IndeksTilUge(AktuelUge()), dag ? dag : 1);
}

// The hours account of an employment as the columns show it.
struct Konto {
  bool ok = false;
  float sums[MEDTAL_SLOTS] = {};
  int32_t Tidsreg = 0, SaerligtSkema = 0, Ialt = 0, Norm = 0, Sving = 0, NormIalt = 0, Laest = 0, Udbetalt = 0,
          LaestIalt = 0, Resultat = 0, PlanU = 0, PlanA = 0, PlanR = 0, PlanE = 0;
};
Konto HentKonto(uint32_t anfo) {
  Konto k;
  if (!MedTalFor(anfo)) return k;
  int32_t Markering = INT32_MIN;
  k.Ialt = Markering;
  CalcMedOpg(anfo, k.sums, &k.Tidsreg, &k.SaerligtSkema, &k.Ialt, &k.Norm, &k.Sving, &k.NormIalt, &k.Laest,
             &k.Udbetalt, &k.LaestIalt, &k.Resultat, &k.PlanU, &k.PlanA, &k.PlanR, &k.PlanE);
  k.ok = k.Ialt != Markering;
  return k;
}
// f32 hours shown whole, truncated toward zero.
int32_t Trunk(float v) { return Hel(std::trunc(static_cast<double>(v))); }

// The employment's hours over a figures period: its events, its postings and,
// with the norm system, its registered working time.
bool AnfoTimer(HWND hwnd, uint32_t anfo, int art, int32_t *pLek, int32_t *pTimer) {
  float timer = 0;
  int32_t lek = 0;
  if (!AnfoPeriodeTal(hwnd, anfo, AktuelUge(), &timer, &lek, art)) return false;
  AnfoPostTimer(hwnd, anfo, AktuelUge(), &timer, art);
  double t = timer;
  if (GlobalIndstillinger.normsystem) t += AnfoArbejdstidBidrag(hwnd, anfo, AktuelUge(), art) / 1000.0;
  *pLek = RoundMilli(lek);
  *pTimer = HeleTimer(t);
  return true;
}

void AktiTal(HWND hwnd, uint32_t akti, int art, int32_t *pElev, int32_t *pLaerer, float *pTimer) {
  float post = 0, beg = 0;
  int32_t laerer = 0, elev = 0;
  AktiPeriodeTal(hwnd, akti, &post, &beg, &laerer, &elev, art);
  if (pElev) *pElev = RoundMilli(elev);
  if (pLaerer) *pLaerer = RoundMilli(laerer);
  if (pTimer) *pTimer = post + beg;
}

// The plan budget of an activity when the plan has one, else its own
// lessons.
int32_t AktiBudgetLek(uint32_t akti, const AktiRec *a) {
  uint32_t lek = 0, bud = 0;
  PlanLektioner(akti, 0, 0, &lek, &bud);
  if (bud > 0) return static_cast<int32_t>(bud);
  return static_cast<int32_t>(a->Elevlektioner + a->Kursistlektioner);
}

// One tenth of a day from thousandths, halves away from zero.
int32_t Tiendedele(int64_t tusinde) {
  const int64_t v = tusinde >= 0 ? (tusinde + 50) / 100 : (tusinde - 50) / 100;
  return static_cast<int32_t>(v);
}

const MedTalFerieCelle *FerieCelle(uint32_t anfo) {
  const AnfoRec *a = Post<AnfoRec>(tvanfo, anfo);
  if (!a || !MedTalFerieTab) return nullptr;
  const uint32_t slot = SkoleAarIndeks(SkemaPeriode.AktuelDato);
  if (a->meda_id >= TalDim.E || slot > TalDim.Y1) return nullptr;
  return &MedTalFerieTab[static_cast<size_t>(a->meda_id) * (TalDim.Y1 + 1) + slot];
}

// An skph record: the subject placement of an activity.
const SkphRec *Skph(uint32_t n) { return Post<SkphRec>(tvskph, n); }

// The month m months after YYYYMM.
Maaned MaanedEfter(Maaned maaned, int32_t m) {
  const int64_t n = static_cast<int64_t>(maaned / 100) * 12 + (maaned % 100 - 1) + m;
  if (n < 0) return 0;
  return static_cast<Maaned>(n / 12 * 100 + n % 12 + 1);
}

char ArtBogstav(int32_t v) {
  switch (v) {
    case 'E': case 'e': return 'E';
    case 'R': case 'r': return 'R';
    case 'S': return 'S';
    case 'U': case 'u': return 'U';
    case 'k': return 'K';
    case ' ': case 0: return ' ';
    default: return 'A';
  }
}

char KodeBogstav(int32_t kode) {
  switch (kode) {
    case 0: return ' ';
    case 1: return 'X';
    case 2: return '/';
    case 4: case 6: return 'U';
    case 8: case 10: case 12: case 14: return 'R';
    case 16: return 'M';
    case 32: case 40: return 'T';
    case 64: return 'S';
    case 128: return 'H';
    default: return 'E';
  }
}

bool Springes(uint32_t felt) {
  switch (felt) {
    case 215: case 216: case 230: case 238: case 241: case 274: case 295: case 298:
    case 306: case 307: case 348: case 355: case 368:
      return true;
    default:
      return felt >= 248 && felt <= 253;
  }
}

// The lessons of a lesson column of the schedule's lesson range.
uint32_t LektionsNr(uint32_t n) {
  const VisningsTilstandRec &v = VisningsTilstand[VISNING_LEKTION];
  const uint32_t foerste = v.FoersteSlot, sidste = v.SidsteSlot < v.FoersteSlot ? v.FoersteSlot : v.SidsteSlot;
  if (n == 0) return foerste;
  return (n - 1) % (sidste - foerste + 1) + foerste;
}

void SlsKode(Celle &c, uint32_t rolle, int kort) {
  const SkemarolRec *r = Post<SkemarolRec>(tvskemarol, rolle);
  if (!r) return;
  if (r->Afspadsering == 'A') return c.Skriv("%s", kort ? "A           " : "Afspadsering   ");
  if (r->Afspadsering == 'O') return c.Skriv("%s", kort ? "O           " : "Omsorgsdag     ");
  for (uint32_t s = 1; s < tvsls_koder.wRecCnt; ++s) {
    const Sls_koderRec *k = TabRec<Sls_koderRec>(tvsls_koder, s);
    if (k->Status == 0 || k->Skemarolle_id != rolle) continue;
    c.Skriv("%-*.*s", static_cast<int>(c.bredde), static_cast<int>(strnlen(k->Sls_aarsagskode, 4)),
            k->Sls_aarsagskode);
    c.Kode(RecVisKlasse(&tdsls_koder, &tvsls_koder, s));
    return;
  }
}

void Periode(Celle &c, Dato fra, Dato til) { c.Skriv("%8u-%8u", fra, til); }

void Cellen(HWND hwnd, uint32_t felt, uint32_t n, int32_t v1, int32_t v2, int32_t v3, uint8_t *pFlag, char type,
            Celle &c) {
  switch (felt) {
    // ---- Employee identity ----
    case 210: case 224: case 344: case 345: case 380:
    case 229: case 322: {
      const AnfoRec *a = Post<AnfoRec>(tvanfo, n);
      if (!a) return;
      if (felt != 229 && felt != 322) c.Kode(RecVisKlasse(&tdanfo, &tvanfo, n));
      const MedaRec *m = Post<MedaRec>(tvmeda, a->meda_id);
      if (!m) return;
      const int il = static_cast<int>(strnlen(m->Initialer, sizeof m->Initialer));
      if (felt == 210) return c.Kopi(m->Navn, sizeof m->Navn);
      if (felt == 224)
        return c.Skriv("%-5.*s%.*s", il, m->Initialer,
                       static_cast<int>(strnlen(a->Loebenummer, sizeof a->Loebenummer)), a->Loebenummer);
      if (felt == 380) return c.Skriv("%-5.*s", il, m->Initialer);
      if (felt == 344) return c.Kopi(m->Arb_tlf, sizeof m->Arb_tlf);
      if (felt == 345) return c.Kopi(m->Privat_tlf, sizeof m->Privat_tlf);
      return c.Kopi(m->Meda_type, sizeof m->Meda_type);
    }

    // ---- Employment period data at the shown week ----
    case 246: case 247: case 276: case 277: case 278: case 323: case 324: case 381: {
      if (!Post<AnfoRec>(tvanfo, n)) return;
      const Dato d = UgensDato();
      switch (felt) {
        case 246:
          if (GlobalIndstillinger.normsystem) {
            const OpgperiodeRec *o = Post<OpgperiodeRec>(tvopgperiode, MedPerOpgPer(n, d));
            if (!o) return;
            if (const NormsystemRec *ns = Post<NormsystemRec>(tvnormsystem, o->nosy_id))
              return c.Kopi(ns->Navn, sizeof ns->Navn);
            return c.Kopi(o->KaldeNavn, sizeof o->KaldeNavn);
          } else {
            const ArafRec *r = Post<ArafRec>(tvaraf, MedPerAraf(n, d));
            if (!r) return;
            return c.Kopi(r->Betegnelse, sizeof r->Betegnelse);
          }
        case 247: {
          MaanedIndeks f = 0, s = 0;
          int32_t norm = 0;
          GetOpgPerMonths(d, n, &f, &s, &norm);
          return c.Skriv("%6d", norm);
        }
        case 276: {
          const ArafRec *r = Post<ArafRec>(tvaraf, MedPerAraf(n, d));
          if (r) c.Kopi(r->kode, sizeof r->kode);
          return;
        }
        case 277: case 278: {
          const AnskRec *k = Post<AnskRec>(tvansk, FindAnskAtDate(n, d));
          if (!k) return;
          if (felt == 277) {
            if (const AfmeRec *m = Post<AfmeRec>(tvafme, k->afme_id)) c.Kopi(m->Kode, sizeof m->Kode);
          } else if (const AnomRec *o = Post<AnomRec>(tvanom, k->anom_id)) {
            c.Kopi(o->Ansvarsomraade, sizeof o->Ansvarsomraade);
          }
          return;
        }
        case 323: case 324: {
          const AnscRec *s = Post<AnscRec>(tvansc, FindAnscAtDate(n, d));
          if (!s) return;
          if (felt == 323) return c.Kopi(s->Personalekategori, sizeof s->Personalekategori);
          return c.Kopi(s->Stillingskode, sizeof s->Stillingskode);
        }
        default:
          return Periode(c, GetOpgPerFra(d, n), GetOpgPerTil(d, n));
      }
    }

    // ---- Week figures ----
    case 299: case 302: case 303: case 304: case 305: {
      const int art = felt == 305 ? TALPER_UGE : felt == 303 ? TALPER_AKK : felt == 304 ? TALPER_DAG : TALPER_IALT;
      if (type == 'K') {
        if (!Post<AktiRec>(tvakti, n)) return;
        if (IsOvakAkti(n)) return c.Skriv("OVAK");
        int32_t lek = 0;
        AktiTal(hwnd, n, art, &lek, nullptr, nullptr);
        if (art == TALPER_UGE) return c.Skriv("Uge - lek: %4ld", static_cast<long>(lek));
        if (art == TALPER_IALT) return c.Skriv("Ialt - lek: %4ld", static_cast<long>(lek));
        return c.Skriv("Akk - lek: %4ld", static_cast<long>(lek));
      }
      if (type == 'L') {
        if (!Post<LokaRec>(tvloka, n)) return;
        const long lek = LokaBelaegning(hwnd, n, art);
        if (art == TALPER_UGE) return c.Skriv("Uge - lek: %4ld", lek);
        if (art == TALPER_IALT) return c.Skriv("Ialt - lek: %4ld", lek);
        return c.Skriv("Akk - lek: %4ld", lek);
      }
      if (type == 'M') {
        if (!Post<AnfoRec>(tvanfo, n)) return;
        int32_t lek = 0, timer = 0;
        if (!AnfoTimer(hwnd, n, art, &lek, &timer)) return c.Skriv("Ingen opg. periode");
        if (art == TALPER_UGE) return c.Skriv("Uge - lek: %2ld  tim: %4ld", static_cast<long>(lek), static_cast<long>(timer));
        if (art == TALPER_IALT)
          return c.Skriv("Ialt - lek: %4ld  tim: %4ld", static_cast<long>(lek), static_cast<long>(timer));
        return c.Skriv("Akk - lek: %3ld  tim: %4ld", static_cast<long>(lek), static_cast<long>(timer));
      }
      return;
    }
    case 300: case 301: {
      if (type == 'K') {
        if (!Post<AktiRec>(tvakti, n) || IsOvakAkti(n)) return;
        uint32_t planLek = 0, bud = 0;
        PlanLektioner(n, 0, 0, &planLek, &bud);
        if (felt == 300) return c.Skriv("Bud - lek: %4.0ld", static_cast<long>(bud));
        int32_t lek = 0;
        AktiTal(hwnd, n, TALPER_IALT, &lek, nullptr, nullptr);
        return c.Skriv("Diff - lek: %5ld", static_cast<long>(lek) - static_cast<long>(planLek));
      }
      if (type == 'M') {
        if (!Post<AnfoRec>(tvanfo, n)) return;
        const Konto k = HentKonto(n);
        if (!k.ok) return;
        if (felt == 300) return c.Skriv("Norm - tim: %4ld", static_cast<long>(k.Norm));
        int32_t lek = 0, timer = 0;
        if (!AnfoTimer(hwnd, n, TALPER_IALT, &lek, &timer)) return c.Skriv("Ingen opg. periode");
        return c.Skriv("Diff - tim: %5ld", static_cast<long>(timer) - static_cast<long>(k.Norm));
      }
      return;
    }
    case 343: {
      if (type != 'M' || !Post<AnfoRec>(tvanfo, n)) return;
      int32_t lek = 0, timer = 0;
      if (!AnfoTimer(hwnd, n, TALPER_FOER, &lek, &timer)) return c.Skriv("Ingen opg. periode");
      const Dato d = VistDag();
      TalPeriodeRec p{};
      TalPeriode(hwnd, TALPER_FOER, AktuelUge(), GetOpgPerFra(d, n), GetOpgPerTil(d, n), &p);
      const int32_t norm = p.Til >= p.Fra && p.Fra ? BeregnPeriodeNorm(n, p.Fra, p.Til) : 0;
      const long uger = p.TilIdx >= p.FraIdx ? static_cast<long>(p.TilIdx - p.FraIdx + 1) : 1;
      return c.Skriv("Ugesnit R/N: %5ld/%5ld", static_cast<long>(timer) / uger, static_cast<long>(norm) / uger);
    }

    // ---- Hours account ----
    case 308: case 309: case 310: case 311: case 312: case 313: case 314: case 315: case 316: case 317:
    case 318: case 319: case 320: case 321: case 325: case 326: case 346: case 356: case 358: case 359:
    case 360: case 361: case 362: case 363: case 364: case 365: case 382: case 383: {
      if (!Post<AnfoRec>(tvanfo, n)) return;
      const Konto k = HentKonto(n);
      if (!k.ok) return;
      const float *s = k.sums;
      const int32_t u = Trunk(s[0]), r = Trunk(s[1]), e = Trunk(s[2]), f = Trunk(s[3]), an = Trunk(s[4]),
                    p = Trunk(s[5]);
      switch (felt) {
        case 308: return c.Tal(u);
        case 309: return c.Tal(r);
        case 310: return c.Tal(e);
        case 311: return c.Tal(f);
        case 312: return c.Tal(p);
        case 313: return c.Tal(an);
        case 325: return c.Tal(u + r + e);
        case 326: return c.Tal(p + f + an);
        case 314: return c.Tal(k.Ialt);
        case 315: return c.Tal(k.Norm);
        case 316: return c.Tal(k.Sving);
        case 317: return c.Tal(k.NormIalt);
        case 318: return c.Tal(k.Laest);
        case 319: return c.Tal(k.Udbetalt);
        case 320: return c.Tal(k.LaestIalt);
        case 321: return c.Tal(k.Resultat);
        case 358: return c.Tal(k.PlanU);
        case 359: return c.Tal(k.PlanA);
        case 360: return c.Tal(k.PlanR);
        case 361: return c.Tal(k.PlanE);
        case 362: return c.Tal(u - k.PlanU);
        case 363: return c.Tal(p + f + an - k.PlanA);
        case 364: return c.Tal(r - k.PlanR);
        case 365: return c.Tal(e - k.PlanE);
        case 382: return c.Tal(k.Tidsreg);
        case 383: return c.Tal(k.SaerligtSkema);
        case 346:
          c.Tal(Trunk(s[7]));
          return c.Kode(8);
        default:  // 356
          if (k.NormIalt <= 0) return;
          return c.Tal(static_cast<int32_t>(static_cast<int64_t>(k.Ialt) * 100 / k.NormIalt));
      }
    }

    // ---- Activity budget ----
    case 327: case 328: case 329: case 330: case 331: case 332: case 333: case 334: case 335:
    case 336: case 337: case 338: {
      const AktiRec *a = Post<AktiRec>(tvakti, n);
      if (!a || IsOvakAkti(n)) return;
      int32_t elev = 0, laerer = 0;
      float timer = 0;
      AktiTal(hwnd, n, TALPER_IALT, &elev, &laerer, &timer);
      const int32_t t = HeleTimer(timer);
      switch (felt) {
        case 327: return c.Tal(elev);
        case 330: return c.Tal(laerer);
        case 333: return c.Tal(t);
        case 328: return c.Tal(AktiBudgetLek(n, a));
        case 331: return c.Tal(static_cast<int32_t>(a->BudgetLererLektioner));
        case 334: return c.Tal(AktiBudgetTimer(n));
        case 329: return c.Tal(elev - AktiBudgetLek(n, a));
        case 332: return c.Tal(laerer - static_cast<int32_t>(a->BudgetLererLektioner));
        case 335: return c.Tal(t - AktiBudgetTimer(n));
        case 336: {
          const int32_t brugt = AktiTimerBrugt(n);
          const int32_t rest = brugt % 100;
          return c.Skriv("%s: %6ld,%02ld", "Ialt", static_cast<long>(brugt / 100),
                         static_cast<long>(rest < 0 ? -rest : rest));
        }
        case 337: return c.Skriv("%s: %6ld,00", "Budget", static_cast<long>(AktiBudgetTimer(n)));
        default:
          return c.Skriv("Diff: %*ld", c.bredde > 6 ? static_cast<int>(c.bredde - 6) : 0,
                         static_cast<long>(t) - AktiBudgetTimer(n));
      }
    }

    // ---- Activity facts ----
    case 349: {
      const AktiRec *a = Post<AktiRec>(tvakti, n);
      if (!a) return;
      const Dato d = VistDag();
      const uint32_t elever = GetAktiDatoElever(n, d);
      if (elever == 0 && (d < a->Fradato || d > a->Tildato)) {
        c.Skriv(" --");
        return c.Kode(8);
      }
      return c.Skriv("%3ld", static_cast<long>(elever));
    }
    case 350: {
      const AktiRec *a = Post<AktiRec>(tvakti, static_cast<uint32_t>(v2));
      if (v2 <= 0 || !a) return;
      c.Kopi(a->Aktivitet, sizeof a->Aktivitet);
      return c.Kode(7);
    }
    case 351: {
      const AktiRec *a = Post<AktiRec>(tvakti, n);
      const AktiRec *b = v3 > 0 ? Post<AktiRec>(tvakti, static_cast<uint32_t>(v3)) : nullptr;
      if (a && b && a->uvfo_id != 0 && a->uvfo_id == b->uvfo_id) {
        c.Skriv("u");
        c.Kode(8);
      }
      return;
    }
    case 352: {
      const AktiRec *a = Post<AktiRec>(tvakti, n);
      if (!a) return;
      if (const UvfoRec *u = Post<UvfoRec>(tvuvfo, a->uvfo_id)) c.Kopi(u->Titel, sizeof u->Titel);
      return;
    }
    case 385: {
      const AktiRec *a = Post<AktiRec>(tvakti, n);
      if (!a) return;
      if (a->Skema_prioritet == 0) return c.Skriv(" -");
      if (a->Skema_prioritet == 255) return c.Skriv(" 2");
      return c.Skriv(" %u", a->Skema_prioritet);
    }
    case 239: {
      const AktiRec *a = Post<AktiRec>(tvakti, n);
      if (a) c.Kopi(a->Type, sizeof a->Type);
      return;
    }

    // ---- Rooms ----
    case 339: {
      const LokaRec *l = Post<LokaRec>(tvloka, n);
      if (!l) return;
      if (const MedaRec *m = Post<MedaRec>(tvmeda, l->meda_id)) c.Kopi(m->Initialer, sizeof m->Initialer);
      return;
    }
    case 340: {
      const LokaRec *l = Post<LokaRec>(tvloka, n);
      if (!l) return;
      char tal[sizeof l->Undervisningspladser + 1] = {};
      memcpy(tal, l->Undervisningspladser, sizeof l->Undervisningspladser);
      return c.Skriv("%4i", atoi(tal));
    }
    case 342:
      if (type != 'L' || !Post<LokaRec>(tvloka, n)) return;
      return c.Tal(LokaBelaegning(hwnd, n, TALPER_IALT));
    case 384: {
      const uint32_t *tab = nullptr;
      uint32_t antal = 0;
      if (type == 'M') tab = ObjFeltKilder.AntalSkeAnfo, antal = ObjFeltKilder.AntalSkeAnfoAntal;
      if (type == 'L') tab = ObjFeltKilder.AntalSkeLoka, antal = ObjFeltKilder.AntalSkeLokaAntal;
      if (!tab || n == 0 || n >= antal) return;
      return c.Tal(static_cast<int32_t>(tab[n]));
    }

    // ---- Employment lessons ----
    case 369: {
      if (!Post<AnfoRec>(tvanfo, n)) return;
      const int32_t lek = RoundMilli(AnfoUgeLektioner(hwnd, n, AktuelUge()));
      if (lek == 0) return c.Skriv(" -- ");
      if (lek < 0) return c.Skriv("-");
      return c.Skriv("%2d", lek);
    }
    case 370: {
      if (!Post<AnfoRec>(tvanfo, n)) return;
      float timer = 0;
      if (!AnfoTreUgerTimer(hwnd, n, AktuelUge(), &timer) || timer == 0) return c.Skriv(" -- ");
      const int32_t t = HeleTimer(timer);
      if (t < 0) return c.Skriv("-");
      return c.Skriv("%2d", t);
    }

    // ---- Subject and plan figures ----
    case 254: case 255: case 256: case 257: case 258: {
      if (!ObjFeltKrog.HentDifValg || n == 0) return;
      const uint32_t akti = ObjFeltKrog.HentDifValg('K');
      if (akti == 0) return;
      const SkphRec *s = Skph(FindParRec(&tdskph, &tvskph, akti, n));
      if (!s) return;
      const long lek = static_cast<long>(s->AntalLektioner), bud = static_cast<long>(s->Laererlektioner);
      switch (felt) {
        case 254: return c.Skriv("%3ld", static_cast<long>(GetAktiDatoElever(akti, VistDag())));
        case 255: return c.Skriv("%4ld", lek);
        case 256: return c.Skriv("%4ld", bud);
        case 257: return c.Skriv("%4ld", lek - bud);
        default: return c.Skriv("%4ld", static_cast<long>(static_cast<uint8_t>(s->Akkord)));
      }
    }
    case 357: {
      if (!Post<AnfoRec>(tvanfo, n)) return;
      uint32_t lek = 0;
      PlanLektioner(0, 0, n, &lek, nullptr);
      return c.Tal(static_cast<int32_t>(lek));
    }
    case 366: case 367: {
      const SkphRec *s = Skph(n);
      if (!s) return;
      int64_t akk = 0;
      if (skphAkkTab && n < TalDim.S && TalDim.W > 0) {
        const UgeIndeks w = AktuelUge() < TalDim.W ? AktuelUge() : TalDim.W;
        for (UgeIndeks u = 1; u <= w; ++u)
          for (int d = 0; d < 7; ++d) akk += skphAkkTab[(static_cast<size_t>(n) * TalDim.W + u - 1) * 7 + d];
      }
      uint32_t plan = 0;
      PlanLektioner(s->akti_id, s->skfa_id, 0, &plan, nullptr);
      if (felt == 367) return c.Skriv("%4ld", static_cast<long>(plan));
      return c.Skriv("SkphAkk: %4ld / %4ld", static_cast<long>(RoundMilli(Hel(static_cast<double>(akk)))),
                     static_cast<long>(plan));
    }
    case 273: {
      const SkphRec *s = Skph(n);
      if (s) c.Skriv("%4ld", static_cast<long>(s->AntalLektioner));
      return;
    }
    case 218: {
      // On a row of employments (the entry window's list) the minutes
      // chosen for the employment, given in hundredths; none below 0.
      if (type == 'M') {
        if (v2 < 0) return;
        return c.Skriv("%6.2f", static_cast<double>(v2) / 100.0);
      }
      const SkphRec *s = Skph(n);
      if (!s) return;
      const uint32_t anfo = ObjFeltKrog.HentDifValg ? ObjFeltKrog.HentDifValg('M') : 0;
      float v = 0;
      if (!PlanTabVaerdi(anfo, s->akti_id, s->skfa_id, &v)) return c.Skriv("  --  ");
      return c.Skriv("%6.2f", static_cast<double>(v));
    }
    case 293: {
      if (!Post<AktiRec>(tvakti, n)) return;
      uint32_t antal = 0;
      for (uint32_t s = 1; s < tvskph.wRecCnt; ++s) {
        const SkphRec *p = TabRec<SkphRec>(tvskph, s);
        if (p->Status != 0 && p->akti_id == n) ++antal;
      }
      return c.Skriv("%4u", antal);
    }
    case 353: case 354: {
      int32_t v = v1;
      // The list window counts for the record itself (its private 1951).
      if (v == 0) v = static_cast<int32_t>(TalSpoerg(hwnd, 1951, 1, static_cast<LPARAM>(n)));
      if (v == 0) return;
      return c.Skriv("%*i", static_cast<int>(c.bredde), v);
    }

    // ---- Special schedules, roles and codes ----
    case 203: case 204: {
      const Sls_koderRec *k = Post<Sls_koderRec>(tvsls_koder, n);
      if (!k) return;
      if (felt == 203) return c.Kopi(k->Skema_tekst, sizeof k->Skema_tekst);
      return c.Kopi(k->SLS_Betegnelse, sizeof k->SLS_Betegnelse);
    }
    case 266: return SlsKode(c, n, 0);
    case 275: return SlsKode(c, n, 1);
    case 217: case 296: {
      // A row of employments shows the role chosen for it, given as the
      // first selection value; other rows are the role records.
      const uint32_t rolle = type == 'M' ? (v1 > 0 ? static_cast<uint32_t>(v1) : 0) : n;
      const SkemarolRec *r = Post<SkemarolRec>(tvskemarol, rolle);
      if (r) c.Kopi(r->Rolle, sizeof r->Rolle);
      return;
    }
    case 219: case 297: {
      const uint32_t rolle = type == 'L' ? (v1 > 0 ? static_cast<uint32_t>(v1) : 0) : n;
      const LokrolleRec *r = Post<LokrolleRec>(tvlokrolle, rolle);
      if (!r) return;
      if (felt == 219) return c.Skriv("%c  ", r->Lokalerolle);
      return c.Skriv("%c", r->Lokalerolle);
    }
    case 267: {
      const SkfaRec *f = Post<SkfaRec>(tvskfa, n);
      if (!f)
        return;
      return c.Skriv("%-*.*s %c %-*.*s", 5, static_cast<int>(strnlen(f->Skolefag, sizeof f->Skolefag)), f->Skolefag,
                     f->Niveau ? f->Niveau : ' ', 15, static_cast<int>(strnlen(f->Betegnelse, sizeof f->Betegnelse)),
                     f->Betegnelse);
    }
    case 294: {
      const Elvrel2Rec *e = Post<Elvrel2Rec>(tvelvrel2, n);
      if (e) c.Skriv("%c", e->Status == 10 ? '\x83' : '\x84');
      return;
    }

    // ---- Ring times ----
    case 234: case 235:
      if (v1 <= 0) return;
      return c.Skriv("%02u:%02u", static_cast<unsigned>(v1 / 100) % 100u, static_cast<unsigned>(v1 % 100));
    case 236: return c.Skriv("%u", static_cast<unsigned>(v1));
    case 244: {
      const RisyRec *r = Post<RisyRec>(tvrisy, n);
      if (!r || !ObjFeltKilder.RingeGrupper || r->RingeGruppe >= ObjFeltKilder.RingeGruppeAntal) return;
      return c.Kopi(ObjFeltKilder.RingeGrupper[r->RingeGruppe], 27);
    }

    // ---- Calendar columns of the schedule axes ----
    case 206: return c.Skriv("%2u", LektionsNr(n));
    case 205: {
      const uint32_t l = LektionsNr(n) % 100;
      return c.Skriv("%c%c", l >= 10 ? static_cast<char>('0' + l / 10) : ' ', static_cast<char>('0' + l % 10));
    }
    case 213: {
      const uint32_t l = LektionsNr(n);
      if (l >= 10) c.Skriv("%1u", (l / 10) % 10);
      return;
    }
    case 207: case 212: return c.Skriv("%1u", n % 10);
    case 208:
      if (v1 > 0) c.Skriv("%c", '\xFB');
      return;
    case 214: return c.Skriv("%c", static_cast<char>(v1));
    case 223: return c.Skriv("%c", static_cast<char>(v2));
    case 231: return c.Skriv("%2u", static_cast<unsigned>(v1));
    case 233: if (v1 > 0) c.Skriv("%2u", static_cast<unsigned>(v1)); return;
    case 237: if (v1 > 0) c.Skriv("%8u", static_cast<unsigned>(v1)); return;
    case 232: return c.Skriv("%39s", "");
    case 240:
      if (v1 == 'P') {
        c.Skriv("%2d", v2);
        return c.Kode(4);
      }
      c.Skriv("%2u", static_cast<unsigned>(v1));
      return c.Kode(16);
    case 245:
      if (v1 == -2) c.Skriv("U+");
      else c.Skriv("%2d", v1);
      return c.Kode(ObjFeltKilder.UgeFarveKode == 4 ? 4 : 16);
    case 227: {
      c.Skriv("%9.2f", v1 / 100.0);
      if (char *p = strchr(c.t, '.')) *p = ',';
      return;
    }
    case 228: {
      if (v1 <= 0) return;
      const Dato d = static_cast<Dato>(v1) * 100 + n;
      Uge u = 0;
      uint8_t dag = 0;
      DatoTilUge(d, &u, &dag);
      return c.Skriv("%2u %s", n, kUgedage[dag <= 7 ? dag : 0]);
    }
    case 225: case 226: {
      if (v1 <= 0 || n == 0) return;
      const Maaned m = MaanedEfter(static_cast<Maaned>(v1), static_cast<int32_t>(n) - 1);
      if (m == 0 || m % 100 == 0 || m % 100 > 12) return;
      if (felt == 225) return c.Skriv("%6u", m);
      char navn[40];
      snprintf(navn, sizeof navn, "%s %u", kMaaneder[m % 100], m / 100);
      return c.Skriv("%-39s", navn);
    }
    case 209: return c.Skriv("%c", KodeBogstav(v1));
    case 211: {
      if (!ObjFeltKrog.KolonneUgedag) return;
      uint8_t dag = ObjFeltKrog.KolonneUgedag(VisningsBogstav(hwnd), n);
      if (dag < 1 || dag > 7) dag = 1;
      return c.Skriv("%-*s", static_cast<int>(c.bredde), kUgedage[dag]);
    }
    case 220: case 221: case 222: {
      const Uge u = IndeksTilUge(n);
      if (n == 0 || u == 0) return;
      const uint32_t aar = u / 100, uge = u % 100;
      if (felt == 220) {
        if (uge < 1 || uge > 4) return;
        static const uint32_t kDel[] = {1000, 100, 10, 1};
        return c.Skriv("%1u", (aar / kDel[uge - 1]) % 10);
      }
      if (felt == 221) {
        const uint8_t flag = pFlag ? *pFlag : 0;
        if (uge % 10 == 0 || flag == 1 || flag == 2) c.Skriv("%1u", (uge / 10) % 10);
        return;
      }
      return c.Skriv("%1u", uge % 10);
    }
    case 242: {
      const Uge u = IndeksTilUge(n);
      if (n == 0 || u == 0) return;
      return c.Skriv("%c%c%c%c%4u", 'U', 'g', 'e', ' ', u % 100);
    }
    case 243: {
      const Uge u = IndeksTilUge(n);
      if (n == 0 || u == 0 || v1 < 1 || v1 > 7) return;
      const Dato d = UgeDagTilDato(u, static_cast<uint8_t>(v1));
      return c.Skriv("%c%c%02u", kUgedage[v1][0], kUgedage[v1][1], d % 100);
    }
    case 259: case 260: case 265: case 272: {
      const Maaned m = IndeksTilMaaned(n);
      if (m == 0) return;
      if (felt == 259) return c.Skriv("%6u", m);
      const char *navn = kMaaneder[m % 100];
      if (felt == 260) return c.Skriv("%s", navn);
      if (felt == 265) return c.Skriv("%-*s %4u", 9, navn, m / 100);
      return c.Skriv("%c%c%c%4u", navn[0], navn[1], navn[2], m / 100);
    }
    case 261: case 262: case 263: {
      const Uge u = IndeksTilUge(n);
      if (n == 0 || u == 0) return;
      if (felt == 261) return c.Skriv("%6u", u);
      if (felt == 262) return c.Skriv("%8u", UgeDagTilDato(u, 1));
      const Dato d = UgeDagTilDato(u, 7);
      return c.Skriv("%02u-%02u-%04u", d % 100, d / 100 % 100, d / 10000);
    }
    case 264:
      if (n >= 1 && n <= 7) c.Skriv("%s", kUgedage[n]);
      return;
    case 268: case 269: case 291: {
      const int32_t rest = v1 % 100;
      return c.Skriv(felt == 291 ? "%2d,%02d" : "%4d,%02d", v1 / 100, rest < 0 ? -rest : rest);
    }
    case 270: return c.Skriv("   ");
    case 271: return c.Skriv(" %c ", ArtBogstav(v1));
    case 279: case 280: {
      static const char kMaerker[4] = {' ', '*', '+', '!'};
      if (v1 >= 0 && v1 <= 3) c.Skriv("%c", kMaerker[v1]);
      return;
    }
    case 281: return c.Skriv("  %c  ", v1 > 0 && v1 < 256 ? static_cast<char>(v1) : ' ');
    case 282: case 283: case 284: case 285: case 286: case 287:
      return c.Skriv("%5u", static_cast<unsigned>(v1));
    case 288: {
      const AnfoRec *a = Post<AnfoRec>(tvanfo, n);
      if (a) Periode(c, a->Fradato, a->Tildato);
      return;
    }
    case 289: {
      const LokaRec *l = Post<LokaRec>(tvloka, n);
      if (l) Periode(c, l->Fradato, l->Tildato);
      return;
    }
    case 290: {
      const AktiRec *a = Post<AktiRec>(tvakti, n);
      if (a) Periode(c, a->Fradato, a->Tildato);
      return;
    }
    case 292: {
      const SkemarolRec *r = Post<SkemarolRec>(tvskemarol, n);
      if (r)
        c.Skriv("%-*.*s", static_cast<int>(c.bredde), static_cast<int>(strnlen(r->Betegnelse, sizeof r->Betegnelse)),
                r->Betegnelse);
      return;
    }
    case 347:
      if (v1 <= 0) return;
      return c.Skriv("%ld %02ld:%02ld", static_cast<long>(v1), static_cast<long>(v2 / 100 % 100),
                     static_cast<long>(v2 % 100));
    case 386: {
      const int32_t h = HeleTimer(RoundDecimals(2, v1 / 100.0) * 100.0);
      const int32_t rest = h % 100;
      return c.Skriv("%*d,%02d", c.bredde > 3 ? static_cast<int>(c.bredde - 3) : 0, h / 100,
                     rest < 0 ? -rest : rest);
    }

    // ---- Holiday account ----
    case 371: case 372: case 373: case 374: case 375: case 376: case 377: case 378: case 379: {
      const MedTalFerieCelle *f = FerieCelle(n);
      if (!f) return;
      const int w = c.bredde > 2 ? static_cast<int>(c.bredde - 2) : 0;
      if (felt <= 374) {
        const uint32_t v[4] = {f->Overfoert, f->Optjent, f->PlanlagtFremad, f->Afholdt};
        const int32_t t = Tiendedele(v[felt - 371]);
        return c.Skriv("%*u,%01u", w, static_cast<unsigned>(t / 10), static_cast<unsigned>(t % 10));
      }
      if (felt == 375) {
        const int64_t rest = static_cast<int64_t>(f->Overfoert) + f->Optjent - f->PlanlagtFremad - f->Afholdt;
        const int32_t t = Tiendedele(rest);
        const int32_t hel = t / 10, tiende = t % 10;
        if (t < 0 && hel == 0) return c.Skriv("%*s,%01d", w, "-0", -tiende);
        return c.Skriv("%*d,%01d", w, hel, tiende < 0 ? -tiende : tiende);
      }
      if (felt == 379)
        return c.Tal(RoundMilli(Hel(static_cast<double>(f->OptjentFridage) - f->SaerligAfholdt - f->SaerligFremad)));
      const uint32_t v[3] = {f->OptjentFridage, f->SaerligFremad, f->SaerligAfholdt};
      return c.Tal(RoundMilli(Hel(v[felt - 376])));
    }

    default:
      return;
  }
}

}  // namespace

void ObjFeltTekst(HWND hwnd, uint32_t felt, uint32_t bredde, uint32_t recnr, int32_t valg1, int32_t valg2,
                  int32_t valg3, char *tekst, uint32_t *pFarve, uint8_t *pFarveKode, uint8_t *pFlag,
                  uint32_t reserve, char typeBogstav) {
  (void)reserve;
  if (!tekst) return;
  memset(tekst, ' ', OBJFELT_TEKST_LEN - 1);
  tekst[OBJFELT_TEKST_LEN - 1] = '\0';
  if (felt < FOERSTE_OBJFELT || felt > SIDSTE_OBJFELT || Springes(felt)) return;
  Celle c{tekst, bredde, pFarve, pFarveKode};
  Cellen(hwnd, felt, recnr, valg1, valg2, valg3, pFlag, typeBogstav, c);
}
