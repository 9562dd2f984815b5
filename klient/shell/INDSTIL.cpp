#include "INDSTIL.h"

#include <cstring>

#include "STITAB.h"
#include "tavo/cp1252.h"
#include "tavo/version.h"
#include "windows.h"

namespace {

GlobalIndstillingerData StandardVaerdier() {
  GlobalIndstillingerData g{};
  g.taelaktibooking = 1;
  g.taelmedabooking = 1;
  g.taelstjerneakti = 1;
  g.taelstjernemeda = 1;
  g.skphakkord = 1;
  g.autogem = 1;
  g.checktavonews = 1;
  g.medopg = 1;
  g.elevplanprio = 2;
  g.ep_filnummer = 1;
  g.ep_maxnummer = 20;
  return g;
}

}  // namespace

GlobalIndstillingerData GlobalIndstillinger = StandardVaerdier();
uint32_t version = TAVO_VERSION_NUMBER;
uint32_t AendringsTaellere[kAntalAendringsTaellere];
VisningsTilstandRec VisningsTilstand[kAntalVisninger];

uint8_t ErJa(const char *vaerdi) {
  return (vaerdi != nullptr && (vaerdi[0] == 'j' || vaerdi[0] == 'J')) ? 1 : 0;
}

void StandardIndstillinger() { GlobalIndstillinger = StandardVaerdier(); }

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

uint8_t LaesJa(const char *sektion, const char *noegle, const char *standard) {
  char vaerdi[kVaerdiLaengde];
  GetPrivateProfileStringA(sektion, noegle, standard, vaerdi, sizeof vaerdi, StiTab.szini);
  return ErJa(vaerdi);
}

int32_t LaesTal(const char *sektion, const char *noegle, int32_t standard) {
  return static_cast<int32_t>(GetPrivateProfileIntA(sektion, noegle, standard, StiTab.szini));
}

uint8_t LaesByte(const char *sektion, const char *noegle, int32_t standard) {
  return static_cast<uint8_t>(LaesTal(sektion, noegle, standard) & 0xFF);
}

// An old key's text moves, lower-cased, to its new key before that is read.
// A read-only start, or a reader told not to write, reads the old text
// without changing the file.
void FlytNoegle(const char *gammel, const char *ny, char (&vaerdi)[kVaerdiLaengde], bool skriv) {
  vaerdi[0] = '\0';
  GetPrivateProfileStringA("global", gammel, "", vaerdi, sizeof vaerdi, StiTab.szini);
  if (vaerdi[0] == '\0') return;
  for (char *p = vaerdi; *p; ++p) *p = static_cast<char>(tavo::Cp1252Lower(static_cast<unsigned char>(*p)));
  if (StiTab.laastOenske || !skriv) return;
  WritePrivateProfileStringA("global", gammel, nullptr, StiTab.szini);
  WritePrivateProfileStringA("global", ny, vaerdi, StiTab.szini);
}

// The keys that moved: old name, new name.
const char *const kFlyttedeNoegler[][2] = {{"tælbooking", "tælaktibooking"}, {"tælstjerne", "tælstjerneakti"}};

// The star count flags follow their booking flag when their key is missing.
uint8_t LaesStjerne(const char *noegle, const char *flyttet, uint8_t booking) {
  if (flyttet[0]) return ErJa(flyttet);
  char vaerdi[kVaerdiLaengde];
  GetPrivateProfileStringA("global", noegle, "Ikke fundet", vaerdi, sizeof vaerdi, StiTab.szini);
  if (std::strcmp(vaerdi, "Ikke fundet") == 0) return booking;
  return ErJa(vaerdi);
}

}  // namespace

void FlytGamleNoegler() {
  if (GlobalIndstillinger.skemalaast) return;
  char vaerdi[kVaerdiLaengde];
  for (const auto &n : kFlyttedeNoegler) FlytNoegle(n[0], n[1], vaerdi, true);
}

void LaesIndstillinger(bool flytNoegler) {
  GlobalIndstillingerData &g = GlobalIndstillinger;
  g.insnr = LaesByte("global", "insnr", 0);
  version = static_cast<uint32_t>(LaesTal("global", "version", 99999));
  g.trace = LaesJa("global", "trace", "nej");
  g.aktisumperaar = LaesJa("global", "aktisumperaar", "nej");
  g.anfosumperaar = LaesJa("global", "anfosumperaar", "nej");

  char taelbooking[kVaerdiLaengde];
  FlytNoegle(kFlyttedeNoegler[0][0], kFlyttedeNoegler[0][1], taelbooking, flytNoegler);
  g.taelaktibooking = taelbooking[0] ? ErJa(taelbooking) : LaesJa("global", "tælaktibooking", "ja");
  g.taelmedabooking = LaesJa("global", "tælmedabooking", "ja");
  char taelstjerne[kVaerdiLaengde];
  FlytNoegle(kFlyttedeNoegler[1][0], kFlyttedeNoegler[1][1], taelstjerne, flytNoegler);
  g.taelstjerneakti = LaesStjerne("tælstjerneakti", taelstjerne, g.taelaktibooking);
  g.taelstjernemeda = LaesStjerne("tælstjernemeda", "", g.taelmedabooking);

  g.skphakkord = LaesJa("global", "skphakkord", "ja");
  g.supertavo = LaesJa("global", "supertavo", "nej");
  g.skemalaast = (StiTab.laastOenske || LaesJa("global", "skemalåst", "nej")) ? 1 : 0;
  if (g.supertavo) g.skemalaast = 0;
  g.autogem = LaesJa("global", "autogem", "ja");

  g.standardlektion = LaesJa("tider", "standardlektion", "nej");
  g.standardlektionslengde = LaesTal("tider", "standardlektionslengde", 0);
  // B069_Afrunding is read but not applied: the count routines expect the
  // rounding off.
  LaesTal("tider", "B069_Afrunding", 20040101);
  g.afrunding = 0;

  g.normsystem = LaesTal("flag", "normsystem", 0);
  g.tastlog = LaesByte("flag", "tastlog", 0);
  g.elevplanprio = LaesTal("flag", "elevplanprio", 2);
  g.ep_filnummer = LaesTal("elevplan", "ep_filnummer", 1);
  g.ep_maxnummer = LaesTal("elevplan", "ep_maxnummer", 20);
  g.medopg = LaesJa("vinduer", "medopg", "ja");
  g.sammenfaldsinterval = LaesByte("global", "sammenfaldsinterval", 0);
}
