// Dates, ISO weeks, months, Danish public holidays and the schedule period.
#include "DATO.h"

#include <algorithm>
#include <iterator>

#include "INDSTIL.h"
#include "STITAB.h"
#include "windows.h"

SkemaPeriodeData SkemaPeriode;

namespace {

uint32_t AarAf(Dato d) { return d / 10000; }
uint32_t MaanedAf(Dato d) { return d / 100 % 100; }
uint32_t DagAf(Dato d) { return d % 100; }

// Days since 1 March of year 0 in the proleptic Gregorian calendar, moved so
// that 1 January 1970 is 0 (the usual civil-from-days construction).
int64_t AbsDag(int64_t aar, int64_t maaned, int64_t dag) {
  aar -= maaned <= 2;
  const int64_t era = (aar >= 0 ? aar : aar - 399) / 400;
  const int64_t yoe = aar - era * 400;
  const int64_t doy = (153 * (maaned + (maaned > 2 ? -3 : 9)) + 2) / 5 + dag - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Dato FraAbsDag(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t dag = doy - (153 * mp + 2) / 5 + 1;
  const int64_t maaned = mp < 10 ? mp + 3 : mp - 9;
  const int64_t aar = yoe + era * 400 + (maaned <= 2);
  if (aar < 0) return 0;
  return static_cast<Dato>(aar * 10000 + maaned * 100 + dag);
}

const int64_t kAbs1900 = AbsDag(1900, 1, 1);

// Day number (1 January 1900 = 1) of 1 January of any year.
int64_t DagNr1Jan(int64_t aar) { return AbsDag(aar, 1, 1) - kAbs1900 + 1; }

// Day number of the Monday of ISO week 1 of a year.
int64_t MandagUge1(int64_t aar) {
  const int64_t jan1 = DagNr1Jan(aar);
  const int64_t w = ((jan1 - 1) % 7 + 7) % 7;  // 0 = Monday
  return w < 4 ? jan1 + 1 - (w + 1) : jan1 + 8 - (w + 1);
}

VisningsTilstandRec &Lektionsvisning() { return VisningsTilstand[VISNING_LEKTION]; }

}  // namespace

int ErSkudaar(uint32_t aar) { return (aar % 4 == 0 && (aar % 100 != 0 || aar % 400 == 0)) ? 1 : 0; }

bool GyldigDato(Dato dato) {
  const uint32_t aar = AarAf(dato), maaned = MaanedAf(dato), dag = DagAf(dato);
  if (aar < 1 || aar > 9999 || maaned < 1 || maaned > 12 || dag < 1) return false;
  return dag <= DageIMaaned(aar * 100 + maaned);
}

int32_t DatoTilAbsDag(Dato dato) {
  return static_cast<int32_t>(AbsDag(AarAf(dato), MaanedAf(dato), DagAf(dato)));
}

uint32_t DageIMaaned(Maaned maaned) {
  uint32_t aar = maaned / 100, m = maaned % 100;
  if (m < 1 || m > 12) return 0;
  const int64_t denne = AbsDag(aar, m, 1);
  if (m == 12) {
    ++aar;
    m = 1;
  } else {
    ++m;
  }
  return static_cast<uint32_t>(AbsDag(aar, m, 1) - denne);
}

Dato DagsDato() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return static_cast<Dato>(st.wYear * 10000u + st.wMonth * 100u + st.wDay);
}

uint32_t DatoTilDagNr(Dato dato) {
  if (dato < 19000001 || dato > 20991231) return 0;
  const uint32_t maaned = MaanedAf(dato);
  if (maaned < 1 || maaned > 12) return 0;
  const int64_t n = AbsDag(AarAf(dato), maaned, DagAf(dato)) - kAbs1900 + 1;
  return n < 0 ? 0 : static_cast<uint32_t>(n);
}

Dato DagNrTilDato(uint32_t dagNr) {
  if (dagNr == 0) return 0;
  return FraAbsDag(kAbs1900 + dagNr - 1);
}

void DatoTilUge(Dato dato, Uge *uge, uint8_t *ugedag) {
  const uint32_t dagNr = DatoTilDagNr(dato);
  Uge u = 0;
  uint8_t wd = 0;
  if (dagNr != 0) {
    wd = static_cast<uint8_t>((dagNr - 1) % 7 + 1);
    int64_t aar = AarAf(dato);
    const int64_t mandag = MandagUge1(aar);
    int64_t nr;
    if (dagNr < mandag) {
      --aar;
      nr = (dagNr - MandagUge1(aar)) / 7 + 1;
    } else {
      nr = (dagNr - mandag) / 7 + 1;
      if (nr == 53) {
        const int64_t jan1 = ((DagNr1Jan(aar) - 1) % 7 + 7) % 7;  // 0 = Monday
        const bool behold = jan1 == 3 || (jan1 == 2 && ErSkudaar(static_cast<uint32_t>(aar)));
        if (!behold) {
          ++aar;
          nr = 1;
        }
      }
    }
    u = static_cast<Uge>(aar * 100 + nr);
  }
  if (uge) *uge = u;
  if (ugedag) *ugedag = wd;
}

Dato UgeDagTilDato(Uge uge, uint8_t ugedag) {
  if (uge < 190001 || uge > 209953 || uge % 100 < 1 || uge % 100 > 53) return 0;
  const int64_t n = MandagUge1(uge / 100) + static_cast<int64_t>(uge % 100) * 7 + ugedag - 8;
  if (n < 1) return 0;
  return DagNrTilDato(static_cast<uint32_t>(n));
}

uint32_t UgerIAar(uint32_t aar) {
  Uge u = 0;
  DatoTilUge(aar * 10000 + 1228, &u, nullptr);
  return u % 100;
}

uint32_t AntalUger(Uge fra, Uge til) {
  if (fra < 190001 || til > 209953 || fra > til) return 0;
  uint32_t antal = til % 100;
  for (uint32_t aar = fra / 100; aar < til / 100; ++aar) antal += UgerIAar(aar);
  const uint32_t foer = fra % 100;
  return antal + 1 > foer ? antal + 1 - foer : 0;
}

uint32_t AntalMaaneder(Maaned fra, Maaned til) {
  if (fra < 190001 || til > 209912 || fra > til) return 0;
  const int64_t n = (static_cast<int64_t>(til / 100) - fra / 100) * 12 +
                    static_cast<int64_t>(til % 100) - static_cast<int64_t>(fra % 100) + 1;
  return n > 0 ? static_cast<uint32_t>(n) : 0;
}

Dato NaesteDato(Dato dato) { return FraAbsDag(DatoTilAbsDag(dato) + 1); }
Dato ForrigeDato(Dato dato) { return FraAbsDag(static_cast<int64_t>(DatoTilAbsDag(dato)) - 1); }

Dato SidsteDatoIMaaned(Maaned maaned) {
  if (maaned % 100 == 0) return 0;
  return maaned * 100 + DageIMaaned(maaned);
}

Dato PaaskeDag(uint32_t aar) {
  const uint32_t a = aar % 19, b = aar / 100, c = aar % 100;
  const uint32_t d = b / 4, e = b % 4;
  const uint32_t f = (b + 8) / 25, g = (b - f + 1) / 3;
  const uint32_t h = (19 * a + b - d - g + 15) % 30;
  const uint32_t i = c / 4, k = c % 4;
  const uint32_t l = (32 + 2 * e + 2 * i - h - k) % 7;
  const uint32_t m = (a + 11 * h + 22 * l) / 451;
  const uint32_t maaned = (h + l - 7 * m + 114) / 31;
  const uint32_t dag = (h + l - 7 * m + 114) % 31 + 1;
  return aar * 10000 + maaned * 100 + dag;
}

const char *HelligdagNavn(int kode) {
  static const char *const navne[] = {"",          "Nytårsdag",         "Juledag",  "2. juledag",
                                      "Skærtorsdag", "Langfredag",       "Påskedag", "2. påskedag",
                                      "Store bededag", "Kristi himmelfart", "Pinsedag", "2. pinsedag"};
  return kode >= 1 && kode < static_cast<int>(sizeof navne / sizeof navne[0]) ? navne[kode] : "";
}

int Helligdag(Dato dato) {
  const uint32_t mmdd = dato % 10000;
  if (mmdd == 101) return 1;
  if (mmdd == 1225) return 2;
  if (mmdd == 1226) return 3;
  if (mmdd < 200 || mmdd > 700) return 0;
  const int64_t afstand = static_cast<int64_t>(DatoTilAbsDag(dato)) - DatoTilAbsDag(PaaskeDag(AarAf(dato)));
  switch (afstand) {
    case -3: return 4;
    case -2: return 5;
    case 0: return 6;
    case 1: return 7;
    case 26: return 8;
    case 39: return 9;
    case 49: return 10;
    case 50: return 11;
    default: return 0;
  }
}

Klokkeslaet LaegMinutterTil(Klokkeslaet tid, int32_t minutter) {
  int64_t m = static_cast<int64_t>(tid / 100) * 60 + tid % 100 + minutter;
  if (m < 0) m = 0;
  return static_cast<Klokkeslaet>(m / 60 * 100 + m % 60);
}

// ---- Schedule period ----

namespace {

uint32_t PeriodeUgerIAar(uint32_t aar) {
  const SkemaPeriodeData &p = SkemaPeriode;
  if (aar >= p.BaseAar && aar - p.BaseAar < kMaxAarIPeriode && aar <= p.SidsteAar) {
    const uint8_t n = p.UgerPrAar[aar - p.BaseAar];
    if (n) return n;
  }
  return UgerIAar(aar);
}

uint8_t Ugedag(Dato d) {
  uint8_t wd = 0;
  DatoTilUge(d, nullptr, &wd);
  return wd;
}

Dato FlytDage(Dato d, int64_t dage) { return FraAbsDag(DatoTilAbsDag(d) + dage); }

}  // namespace

UgeIndeks UgeTilIndeks(Uge uge) {
  const SkemaPeriodeData &p = SkemaPeriode;
  if (uge < p.FoersteUge) return 0;
  if (uge > p.SidsteUge) return p.AntalUger + 1;
  return AntalUger(p.FoersteUge, uge);
}

Uge IndeksTilUge(UgeIndeks indeks) {
  const SkemaPeriodeData &p = SkemaPeriode;
  if (indeks == 0 || p.FoersteUge == 0) return 0;
  uint32_t aar = p.FoersteUge / 100;
  uint64_t uge = static_cast<uint64_t>(p.FoersteUge % 100) + indeks - 1;
  for (;;) {
    const uint32_t iaar = PeriodeUgerIAar(aar);
    if (uge <= iaar || aar >= 9999) break;
    uge -= iaar;
    ++aar;
  }
  return static_cast<Uge>(aar * 100 + uge);
}

MaanedIndeks MaanedTilIndeks(Maaned maaned) {
  const SkemaPeriodeData &p = SkemaPeriode;
  if (maaned < p.FoersteMaaned) return 0;
  return AntalMaaneder(p.FoersteMaaned, std::min(maaned, p.SidsteMaaned));
}

Maaned IndeksTilMaaned(MaanedIndeks indeks) {
  const SkemaPeriodeData &p = SkemaPeriode;
  if (indeks == 0 || p.FoersteMaaned % 100 == 0) return 0;
  const uint64_t n = static_cast<uint64_t>(p.FoersteMaaned / 100) * 12 + (p.FoersteMaaned % 100 - 1) + indeks - 1;
  return static_cast<Maaned>(n / 12 * 100 + n % 12 + 1);
}

uint8_t IndeksTilAarOffset(UgeIndeks indeks) {
  const Uge uge = IndeksTilUge(indeks);
  if (uge == 0) return 0;
  return static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar);
}

uint32_t IndeksTilUgeNr(UgeIndeks indeks) { return IndeksTilUge(indeks) % 100; }

uint8_t SkoleAarIndeks(Dato dato) {
  uint32_t aar = AarAf(dato);
  if (dato % 10000 < 501) --aar;
  Uge uge = 0;
  DatoTilUge(aar * 10000 + 501, &uge, nullptr);
  if (uge == 0 || UgeTilIndeks(uge) == 0) return 0;
  return static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar + 1);
}

namespace {

Dato AarsDato(int mode) {
  if (mode < 0 || mode >= kAntalVisninger) mode = VISNING_LEKTION;
  const Uge uge = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  return UgeDagTilDato(uge, VisningsTilstand[mode].Ugedag);
}

}  // namespace

Dato AarStartDato(int mode) { return AarAf(AarsDato(mode)) * 10000 + 101; }
Dato AarSlutDato(int mode) { return AarAf(AarsDato(mode)) * 10000 + 1231; }

Dato VistDatoIMaaned(uint32_t dag, MaanedIndeks maaned, Dato fra, Dato til) {
  const Maaned m = maaned ? IndeksTilMaaned(maaned) : fra / 100;
  Dato d = maaned ? m * 100 + std::min<uint32_t>(dag, 99) : fra;
  while (!GyldigDato(d) && d % 100 > 0) --d;
  d = std::clamp(d, fra, std::max(fra, til));
  if (d / 100 != m) return 0;

  const VisningsTilstandRec &v = Lektionsvisning();
  const int foerste = v.FoersteUgedag, sidste = v.SidsteUgedag;
  const int wd = Ugedag(d);
  if (wd >= foerste && wd <= sidste) return d;

  // The last shown weekday before d and the first shown weekday after it.
  const Dato foer = wd > sidste ? FlytDage(d, sidste - wd) : FlytDage(d, -(wd + 7 - sidste));
  const Dato efter = wd < foerste ? FlytDage(d, foerste - wd) : FlytDage(d, 7 - wd + foerste);
  const bool foerGyldig = foer >= fra && foer / 100 == m;
  const bool efterGyldig = efter <= til && efter / 100 == m;
  if (foerGyldig) return foer;
  if (efterGyldig) return efter;
  return 0;  // no shown day of the month lies within from..to
}

void SaetVisningstider(Klokkeslaet starttid, uint32_t antalTimer, uint32_t antalDage) {
  const uint32_t hh = starttid / 100, mm = starttid % 100;
  uint32_t start = hh * 12 + 1 + mm / 5;
  if (start > 288) start = 288;
  const uint64_t slots = static_cast<uint64_t>(antalTimer) * 12;
  uint32_t foersteSlot = start, sidsteSlot;
  if (slots > 288 - start) {
    foersteSlot = slots >= 288 ? 1 : static_cast<uint32_t>(288 - slots);
    sidsteSlot = 288;
  } else {
    sidsteSlot = static_cast<uint32_t>(start + slots);
  }
  const uint8_t dage = static_cast<uint8_t>(std::min<uint32_t>(antalDage, 255));
  for (VisningsTilstandRec &v : VisningsTilstand) {
    v.FoersteUgedag = 1;
    v.SidsteUgedag = dage;
  }
  VisningsTilstandRec &lek = VisningsTilstand[VISNING_LEKTION];
  lek.FoersteSlot = 1;
  lek.SidsteSlot = antalTimer;
  lek.AktuelSlot = 1;
  VisningsTilstandRec &tid = VisningsTilstand[VISNING_TID];
  tid.FoersteSlot = foersteSlot;
  tid.SidsteSlot = sidsteSlot;
  tid.AktuelSlot = foersteSlot;
}

void LaesVisningstider() {
  const char *ini = StiTab.szini;
  const UINT starttid = GetPrivateProfileIntA("tider", "starttid", 800, ini);
  const UINT antalTimer = GetPrivateProfileIntA("global", "antaltimer", 8, ini);
  const UINT antalDage = GetPrivateProfileIntA("global", "antaldage", 5, ini);
  SaetVisningstider(starttid, antalTimer, antalDage);
}

void InitPeriode(Dato fra, Dato til, Dato laas) {
  SkemaPeriodeData &p = SkemaPeriode;
  p.FraDato = fra;
  p.TilDato = til;
  p.FoersteMaaned = fra / 100;
  p.SidsteMaaned = til / 100;
  DatoTilUge(fra, &p.FoersteUge, nullptr);
  DatoTilUge(til, &p.SidsteUge, nullptr);
  p.LaasDato = laas;
  DatoTilUge(laas, &p.LaasUge, nullptr);

  p.BaseAar = std::min(p.FoersteUge / 100, AarAf(fra));
  p.SidsteAar = std::max(AarAf(til), p.SidsteUge / 100);
  std::fill(std::begin(p.UgerPrAar), std::end(p.UgerPrAar), 0);
  for (uint32_t aar = p.BaseAar; aar <= p.SidsteAar && aar - p.BaseAar < kMaxAarIPeriode; ++aar)
    p.UgerPrAar[aar - p.BaseAar] = static_cast<uint8_t>(UgerIAar(aar));

  p.AntalUger = AntalUger(p.FoersteUge, p.SidsteUge);
  p.AntalMaaneder = AntalMaaneder(p.FoersteMaaned, p.SidsteMaaned);
  p.AntalAar = (p.BaseAar >= 1900 && p.BaseAar <= p.SidsteAar && p.SidsteAar < 2100)
                   ? p.SidsteAar - p.BaseAar + 1
                   : 0;
  p.AntalAarMedForrige = (p.BaseAar >= 1901 && p.BaseAar <= p.SidsteAar && p.SidsteAar < 2100)
                             ? p.SidsteAar - p.BaseAar + 2
                             : 0;

  LaesVisningstider();
  SaetDagsDato();
}

void SaetAktuelDato(Dato dato) {
  SkemaPeriodeData &p = SkemaPeriode;
  p.AktuelDato = dato;
  p.SkoleAar = SkoleAarIndeks(dato);
  Uge uge = 0;
  uint8_t wd = 0;
  DatoTilUge(dato, &uge, &wd);
  p.AktuelDatoIndeks = UgeTilIndeks(uge);
  p.AktuelUgeIndeks = p.AktuelDatoIndeks == 0 ? 1 : std::min(p.AktuelDatoIndeks, p.AntalUger);
  if (p.AktuelUgeIndeks == 0) p.AktuelUgeIndeks = 1;  // an empty period still has a week 1
  for (VisningsTilstandRec &v : VisningsTilstand) v.Ugedag = (wd >= 1 && wd <= 7) ? wd : 1;
}

void SaetDagsDato() {
  SaetAktuelDato(DagsDato());
  const VisningsTilstandRec &lek = Lektionsvisning();
  if (lek.Ugedag > lek.SidsteUgedag) {
    for (VisningsTilstandRec &v : VisningsTilstand) v.Ugedag = v.FoersteUgedag;
    if (SkemaPeriode.AktuelUgeIndeks < SkemaPeriode.AntalUger) ++SkemaPeriode.AktuelUgeIndeks;
  }
}
