#pragma once
// Dates, ISO weeks, months, Danish public holidays and the schedule period.
// All dates are plain integers: Dato YYYYMMDD, Uge YYYYWW (ISO week),
// Maaned YYYYMM, Klokkeslaet HHMM.

#include <cstdint>

typedef uint32_t Dato;
typedef uint32_t Uge;
typedef uint32_t Maaned;
typedef uint32_t Klokkeslaet;
typedef uint32_t UgeIndeks;
typedef uint32_t MaanedIndeks;

// The dates from fra to til, both included, compared as the integers they
// are: where an answer read at one date holds. A lookup that depends on the
// date narrows it to the dates on which it would go the same way.
struct DatoSpan {
  Dato fra = 0;
  Dato til = UINT32_MAX;
  bool Holder(Dato d) const { return fra <= d && d <= til; }
  // Holds only from d on, or only up to d.
  void Fra(Dato d) { fra = d > fra ? d : fra; }
  void Til(Dato d) { til = d < til ? d : til; }
  // Holds only after d, or only before d.
  void Efter(Dato d) { Fra(d == UINT32_MAX ? d : d + 1); }
  void Foer(Dato d) { Til(d == 0 ? d : d - 1); }
};

// ---- Calendar (no state) ----
int ErSkudaar(uint32_t aar);
bool GyldigDato(Dato dato);
// Serial day count, consecutive over all Gregorian dates.
int32_t DatoTilAbsDag(Dato dato);
uint32_t DageIMaaned(Maaned maaned);
// Today from the local clock.
Dato DagsDato();
// 1 January 1900 = 1; 0 outside 19000001..20991231 or for a month outside 1..12.
uint32_t DatoTilDagNr(Dato dato);
Dato DagNrTilDato(uint32_t dagNr);
// ISO week and weekday (Monday = 1); week 0 and weekday 0 outside 1900..2099.
void DatoTilUge(Dato dato, Uge *uge, uint8_t *ugedag);
Dato UgeDagTilDato(Uge uge, uint8_t ugedag);
// Weeks of an ISO year (52 or 53): the week of 28 December.
uint32_t UgerIAar(uint32_t aar);
uint32_t AntalUger(Uge fra, Uge til);
uint32_t AntalMaaneder(Maaned fra, Maaned til);
Dato NaesteDato(Dato dato);
Dato ForrigeDato(Dato dato);
Dato SidsteDatoIMaaned(Maaned maaned);
// 0 none; 1 New Year's Day, 2 Christmas Day, 3 Boxing Day, 4 Maundy
// Thursday, 5 Good Friday, 6 Easter Sunday, 7 Easter Monday, 8 the fourth
// Friday after Easter, 9 Ascension Day, 10 Whit Sunday, 11 Whit Monday.
int Helligdag(Dato dato);
// The name of a holiday code; "" for 0 or an unknown code.
const char *HelligdagNavn(int kode);
// Easter Sunday of a year (anonymous Gregorian algorithm).
Dato PaaskeDag(uint32_t aar);

// Adds minutes to a clock time HHMM; the minutes carry into the hour.
Klokkeslaet LaegMinutterTil(Klokkeslaet tid, int32_t minutter);

// ---- Schedule period ----
constexpr uint32_t kMaxAarIPeriode = 256;

struct SkemaPeriodeData {
  Dato FraDato;
  Dato TilDato;
  Uge FoersteUge;
  Uge SidsteUge;
  Maaned FoersteMaaned;
  Maaned SidsteMaaned;
  Dato LaasDato;
  Uge LaasUge;
  uint32_t BaseAar;
  uint32_t SidsteAar;
  uint8_t UgerPrAar[kMaxAarIPeriode];  // index: year - BaseAar
  uint32_t AntalUger;
  uint32_t AntalMaaneder;
  uint32_t AntalAar;
  uint32_t AntalAarMedForrige;
  Dato AktuelDato;
  UgeIndeks AktuelDatoIndeks;  // 0 before the period, AntalUger + 1 after
  UgeIndeks AktuelUgeIndeks;   // always 1..AntalUger
  uint8_t SkoleAar;
};

extern SkemaPeriodeData SkemaPeriode;

UgeIndeks UgeTilIndeks(Uge uge);
Uge IndeksTilUge(UgeIndeks indeks);
MaanedIndeks MaanedTilIndeks(Maaned maaned);
Maaned IndeksTilMaaned(MaanedIndeks indeks);
uint8_t IndeksTilAarOffset(UgeIndeks indeks);
uint32_t IndeksTilUgeNr(UgeIndeks indeks);
uint8_t SkoleAarIndeks(Dato dato);
// Mode: the display mode (VISNING_LEKTION, VISNING_TID, VISNING_DAG).
Dato AarStartDato(int mode);
Dato AarSlutDato(int mode);
Dato VistDatoIMaaned(uint32_t dag, MaanedIndeks maaned, Dato fra, Dato til);

void InitPeriode(Dato fra, Dato til, Dato laas);
void LaesVisningstider();
// The display ranges from given settings (starttid HHMM, antaltimer, antaldage).
void SaetVisningstider(Klokkeslaet starttid, uint32_t antalTimer, uint32_t antalDage);
void SaetAktuelDato(Dato dato);
void SaetDagsDato();
