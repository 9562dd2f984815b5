// The installation settings of ini\tavo.ini, the one copy of each that every subsystem reads.
#include "INDSTIL.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "STITAB.h"
#include "tavo/cp1252.h"
#include "tavo/version.h"
#include "windows.h"

namespace {

// No news date before this one counts.
constexpr char kNyhedsGulv[] = "20070924";

GlobalIndstillingerData StandardVaerdier() {
  GlobalIndstillingerData g{};
  g.SpringGant = 1;
  g.taelaktibooking = 1;
  g.taelmedabooking = 1;
  g.taelstjerneakti = 1;
  g.taelstjernemeda = 1;
  g.skphakkord = 1;
  g.logok = 1;
  g.checkelevsammenfald = 1;
  g.checkminutnorm = 'j';
  g.autogem = 1;
  g.autoimport = 1;
  g.fremmedarkivfarve = 1;
  g.markerhellig = 1;
  g.planminutnorm = 1;
  g.visbytflyt = 1;
  g.checktavonews = 1;
  g.starttid = 800;
  g.sluttid = 1600;
  g.lektionerprdag = 7.4f;
  std::strcpy(g.nyheder, kNyhedsGulv);
  g.opgPeriodeStartMaaned = 1;
  g.opgPeriodeLaengde = 1;
  g.opgPeriodeNorm = 1924;
  g.medopg = 1;
  g.post = 1;
  g.elevplanprio = 2;
  g.ep_filnummer = 1;
  g.ep_maxnummer = 20;
  return g;
}

}  // namespace

GlobalIndstillingerData GlobalIndstillinger = StandardVaerdier();
uint32_t version = TAVO_VERSION_NUMBER;
uint8_t nyVersionFindes = 0;
uint8_t ff_plan = 1;
int32_t VisStarttid = 800;
int32_t VisSluttid = 1600;
uint8_t nyeNyheder = 0;
uint8_t ElevplanSlaaetTil = 0;
IndstilKroge IndstilKrog = {};
uint32_t AendringsTaellere[kAntalAendringsTaellere];
VisningsTilstandRec VisningsTilstand[kAntalVisninger];

uint8_t ErJa(const char *vaerdi) {
  return (vaerdi != nullptr && (vaerdi[0] == 'j' || vaerdi[0] == 'J')) ? 1 : 0;
}

void StandardIndstillinger() {
  GlobalIndstillinger = StandardVaerdier();
  nyVersionFindes = 0;
  ff_plan = 1;
  VisStarttid = GlobalIndstillinger.starttid;
  VisSluttid = GlobalIndstillinger.sluttid;
  nyeNyheder = 0;
  ElevplanSlaaetTil = 0;
}

uint8_t NyVersionFindes(int32_t nyversion, uint32_t koerende) {
  if (nyversion == 0) return 0;
  return static_cast<int64_t>(nyversion / 100) > static_cast<int64_t>(koerende / 100) ? 1 : 0;
}

uint32_t AendringerFoersteFire() {
  return AendringsTaellere[0] + AendringsTaellere[1] + AendringsTaellere[2] + AendringsTaellere[3];
}

uint32_t AendringerSidsteFire() {
  return AendringsTaellere[4] + AendringsTaellere[5] + AendringsTaellere[6] + AendringsTaellere[7];
}

uint32_t AendringerIalt() { return AendringerFoersteFire() + AendringerSidsteFire(); }

VisningsTilstandRec &VisningsTilstandFor(char visning) {
  switch (visning) {
    case 'D': return VisningsTilstand[VISNING_DAG];
    case 'T': return VisningsTilstand[VISNING_TID];
    default: return VisningsTilstand[VISNING_LEKTION];
  }
}

namespace {

constexpr int kVaerdiLaengde = 50;  // 49 characters and the terminator

void Laes(const char *sektion, const char *noegle, const char *standard, char *vaerdi, DWORD stoerrelse) {
  vaerdi[0] = '\0';
  GetPrivateProfileStringA(sektion, noegle, standard, vaerdi, stoerrelse, StiTab.szini);
}

void SmaaBogstaver(char *tekst) {
  for (char *p = tekst; *p; ++p) *p = static_cast<char>(tavo::Cp1252Lower(static_cast<unsigned char>(*p)));
}

uint8_t LaesJa(const char *sektion, const char *noegle, const char *standard) {
  char vaerdi[kVaerdiLaengde];
  Laes(sektion, noegle, standard, vaerdi, sizeof vaerdi);
  return ErJa(vaerdi);
}

int32_t LaesTal(const char *sektion, const char *noegle, int32_t standard) {
  return static_cast<int32_t>(GetPrivateProfileIntA(sektion, noegle, standard, StiTab.szini));
}

uint8_t LaesByte(const char *sektion, const char *noegle, int32_t standard) {
  return static_cast<uint8_t>(LaesTal(sektion, noegle, standard) & 0xFF);
}

bool BegynderMedN(const char *v) { return v[0] == 'n' || v[0] == 'N'; }

// A key is there when reading it does not give back a default no value can
// hold.
bool NoegleFindes(const char *sektion, const char *noegle) {
  char v[4];
  Laes(sektion, noegle, "\x01", v, sizeof v);
  return std::strcmp(v, "\x01") != 0;
}

// The keys that moved: old name, new name, both in [global]. The old key's
// text, lower-cased, counts as the new key's until the file is tidied.
const char *const kFlyttedeNoegler[][2] = {{"tælbooking", "tælaktibooking"}, {"tælstjerne", "tælstjerneakti"}};

void GammelTekst(const char *gammel, char (&vaerdi)[kVaerdiLaengde]) {
  Laes("global", gammel, "", vaerdi, sizeof vaerdi);
  SmaaBogstaver(vaerdi);
}

// The yes rule over a moved key: the old key's text while it is there.
uint8_t LaesFlyttetJa(int flyttet, const char *standard) {
  char vaerdi[kVaerdiLaengde];
  GammelTekst(kFlyttedeNoegler[flyttet][0], vaerdi);
  if (vaerdi[0]) return ErJa(vaerdi);
  Laes("global", kFlyttedeNoegler[flyttet][1], standard, vaerdi, sizeof vaerdi);
  // The star counts follow their booking flag when their key is missing.
  if (std::strcmp(vaerdi, "Ikke fundet") == 0) return 2;
  return ErJa(vaerdi);
}

uint8_t LaesStjerne(const char *noegle, uint8_t booking) {
  char vaerdi[kVaerdiLaengde];
  Laes("global", noegle, "Ikke fundet", vaerdi, sizeof vaerdi);
  if (std::strcmp(vaerdi, "Ikke fundet") == 0) return booking;
  return ErJa(vaerdi);
}

// A file that exists and holds at least one byte.
bool IkkeTomFil(const std::string &sti) {
  FILE *f = fopen(sti.c_str(), "rb");
  if (!f) return false;
  const bool indhold = std::fgetc(f) != EOF;
  std::fclose(f);
  return indhold;
}

// Rule 8: the stored date, floored, against the web's latest news.
void LaesNyheder(GlobalIndstillingerData &g) {
  Laes("tider", "nyheder", "", g.nyheder, sizeof g.nyheder);
  if (std::strncmp(g.nyheder, kNyhedsGulv, 8) < 0) std::strcpy(g.nyheder, kNyhedsGulv);
  nyeNyheder = 0;
  if (!g.checktavonews || !IndstilKrog.WebNewsCheck) return;
  char svar[kVaerdiLaengde] = "";
  if (!IndstilKrog.WebNewsCheck(svar, sizeof svar)) return;
  svar[sizeof svar - 1] = '\0';
  char gemt[sizeof g.nyheder];
  std::memcpy(gemt, g.nyheder, sizeof gemt);
  SmaaBogstaver(gemt);
  SmaaBogstaver(svar);
  nyeNyheder = std::strcmp(gemt, svar) < 0 ? 1 : 0;
}

}  // namespace

void RydOpIndstillinger() {
  if (StiTab.laastOenske || GlobalIndstillinger.skemalaast) return;
  const char *ini = StiTab.szini;
  for (const auto &n : kFlyttedeNoegler) {
    char vaerdi[kVaerdiLaengde];
    GammelTekst(n[0], vaerdi);
    if (!vaerdi[0]) continue;
    WritePrivateProfileStringA("global", n[0], nullptr, ini);
    WritePrivateProfileStringA("global", n[1], vaerdi, ini);
  }
  WritePrivateProfileStringA("global", "ff_plan", nullptr, ini);
  WritePrivateProfileStringA("kontakt", "newsurl", nullptr, ini);

  // [elevplan] keeps ep_filnummer alone: the next file's number must not
  // start again at 1 after the purge. A section that holds nothing else is
  // left as it is.
  char noegler[512];
  const DWORD n = GetPrivateProfileStringA("elevplan", nullptr, "", noegler, sizeof noegler, ini);
  bool andre = false;
  for (const char *k = noegler; k < noegler + n && *k; k += std::strlen(k) + 1)
    andre = andre || !tavo::Cp1252EqualNoCase(k, "ep_filnummer");
  if (!andre) return;
  char filnummer[kVaerdiLaengde];
  const bool harFilnummer = NoegleFindes("elevplan", "ep_filnummer");
  Laes("elevplan", "ep_filnummer", "", filnummer, sizeof filnummer);
  WritePrivateProfileStringA("elevplan", nullptr, nullptr, ini);
  if (harFilnummer) WritePrivateProfileStringA("elevplan", "ep_filnummer", filnummer, ini);
}

void SkrivSlutIndstillinger() {
  if (StiTab.laastOenske || GlobalIndstillinger.skemalaast) return;
  const GlobalIndstillingerData &g = GlobalIndstillinger;
  char tal[16];
  std::snprintf(tal, sizeof tal, "%ld", static_cast<long>(g.ep_filnummer));
  WritePrivateProfileStringA("elevplan", "ep_filnummer", tal, StiTab.szini);
  std::snprintf(tal, sizeof tal, "%d", static_cast<int>(g.visbytflyt));
  WritePrivateProfileStringA("flag", "visbytflyt", tal, StiTab.szini);
}

void LaesIndstillinger(bool skriv) {
  GlobalIndstillingerData &g = GlobalIndstillinger;
  g.insnr = LaesByte("global", "insnr", 0);
  version = static_cast<uint32_t>(LaesTal("global", "version", 99999));
  g.nyversion = LaesTal("global", "nyversion", 0);
  nyVersionFindes = NyVersionFindes(g.nyversion, version);
  g.trace = LaesJa("global", "trace", "nej");
  g.SpringGant = LaesJa("global", "SpringGant", "ja");
  g.aktisumperaar = LaesJa("global", "aktisumperaar", "nej");
  g.anfosumperaar = LaesJa("global", "anfosumperaar", "nej");
  g.taelaktibooking = LaesFlyttetJa(0, "ja");
  g.taelmedabooking = LaesJa("global", "tælmedabooking", "ja");
  const uint8_t stjerneAkti = LaesFlyttetJa(1, "Ikke fundet");
  g.taelstjerneakti = stjerneAkti == 2 ? g.taelaktibooking : stjerneAkti;
  g.taelstjernemeda = LaesStjerne("tælstjernemeda", g.taelmedabooking);
  g.skphakkord = LaesJa("global", "skphakkord", "ja");
  g.supertavo = LaesJa("global", "supertavo", "nej");
  g.skemalaast = (StiTab.laastOenske || LaesJa("global", "skemalåst", "nej")) ? 1 : 0;
  if (g.supertavo) g.skemalaast = 0;
  ff_plan = g.supertavo ? 0 : 1;
  g.niveaufag = LaesByte("global", "niveaufag", 0);
  g.kalender = LaesJa("global", "kalender", "nej");
  {
    char logok[10];
    Laes("global", "logok", "ja", logok, sizeof logok);
    g.logok = 1;
    if (BegynderMedN(logok) && IkkeTomFil(std::string(StiTab.szdata) + "log\\import.log")) g.logok = 0;
  }
  g.checkelevsammenfald = LaesJa("global", "checkelevsammenfald", "ja");
  g.sammenfaldsinterval = LaesByte("global", "sammenfaldsinterval", 0);
  {
    char v[kVaerdiLaengde];
    Laes("global", "checkminutnorm", "j", v, sizeof v);
    g.checkminutnorm = static_cast<char>(tavo::Cp1252Lower(static_cast<unsigned char>(v[0])));
  }
  g.autogem = LaesJa("global", "autogem", "ja");
  g.autoimport = LaesJa("kontakt", "autoimport", "ja");
  g.fremmedarkivfarve = LaesJa("farver", "fremmedarkivfarve", "ja");
  g.markerhellig = LaesJa("farver", "markerhellig", "ja");
  g.elevplanprio = LaesTal("flag", "elevplanprio", 2);
  g.planminutnorm = LaesTal("flag", "planminutnorm", 1);
  g.normsystem = LaesTal("flag", "normsystem", 0);
  g.visbytflyt = LaesByte("flag", "visbytflyt", 1);
  g.tastlog = LaesByte("flag", "tastlog", 0);
  if (g.checktavonews) {
    char v[kVaerdiLaengde];
    Laes("flag", "checktavonews", "ja", v, sizeof v);
    if (BegynderMedN(v)) g.checktavonews = 0;
  }
  g.starttid = LaesTal("tider", "starttid", 800);
  g.sluttid = LaesTal("tider", "sluttid", 1600);
  VisStarttid = g.starttid;
  VisSluttid = g.sluttid;
  {
    const int32_t hundrededele = LaesTal("tider", "lektionerprdag", 740);
    const bool iOrden = hundrededele >= 100 && hundrededele <= 2400;
    g.lektionerprdag = iOrden ? static_cast<float>(hundrededele) / 100.0f : 7.4f;
  }
  g.standardlektion = LaesJa("tider", "standardlektion", "nej");
  g.standardlektionslengde = LaesTal("tider", "standardlektionslengde", 0);
  LaesNyheder(g);
  g.opgPeriodeStartMaaned = LaesByte("tider", "opgPeriodeStartMåned", 1);
  {
    char v[kVaerdiLaengde];
    Laes("tider", "opgPeriodeLængde", "helår", v, sizeof v);
    g.opgPeriodeLaengde = std::strcmp(v, "halvår") == 0 ? 0 : 1;
  }
  g.opgPeriodeNorm = LaesTal("tider", "opgPeriodeNorm", 1924);
  // B069_Afrunding is read but not applied: the count routines expect the
  // rounding off.
  LaesTal("tider", "B069_Afrunding", 20040101);
  g.afrunding = 0;
  g.medopg = LaesJa("vinduer", "medopg", "ja");
  g.post = LaesJa("vinduer", "post", "ja");
  g.ep_filnummer = LaesTal("elevplan", "ep_filnummer", 1);
  g.ep_maxnummer = LaesTal("elevplan", "ep_maxnummer", 20);
  ElevplanSlaaetTil = 0;

  if (skriv) RydOpIndstillinger();
}
