// Event-set and column helpers. Every list and remark line of an AVS is
// owned by that set, so a copy is always deep and emptying always frees.
#include "AVSHJAELP.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "INDSTIL.h"
#include "OBJFELT.h"
#include "tavo/assert.h"
#include "windows.h"

namespace {

// A copied list that cannot be allocated stops the program with the text
// that names it.
void KraevHukommelse(const void *p, const char *tekst) {
  if (!p) tavo::AssertFailed(tekst, tavo::ModuleName(__FILE__), __LINE__);
}

template <class T>
T *KopiListe(const T *fra, uint32_t antal, const char *tekst) {
  if (!fra || antal == 0) return nullptr;
  T *ny = static_cast<T *>(calloc(antal, sizeof(T)));
  KraevHukommelse(ny, tekst);
  memcpy(ny, fra, static_cast<size_t>(antal) * sizeof(T));
  return ny;
}

// The fields of a packed AVS may not be bound to references: a freed list
// is given back as the null to store.
template <class T>
T *Frigiv(T *liste) {
  free(liste);
  return nullptr;
}

void FrigivBem(AVS *avs) {
  if (avs->bemTab)
    for (uint32_t i = 0; i < avs->bemAntal; ++i) free(avs->bemTab[i]);
  avs->bemTab = Frigiv(avs->bemTab);
  avs->bemAntal = 0;
}

// Each remark line gets a buffer of its own length, so a line is never cut
// and never read past its end.
void KopierBem(const AVS *fra, AVS *til) {
  til->bemAntal = 0;
  til->bemTab = nullptr;
  if (!fra->bemTab || fra->bemAntal == 0) return;
  til->bemTab = static_cast<char **>(calloc(fra->bemAntal, sizeof(char *)));
  KraevHukommelse(til->bemTab, "AVS->bemTab != NULL");
  til->bemAntal = fra->bemAntal;
  for (uint32_t i = 0; i < fra->bemAntal; ++i) {
    const char *linje = fra->bemTab[i];
    if (!linje) continue;
    const size_t laengde = strlen(linje);
    char *ny = static_cast<char *>(calloc(laengde + 1, 1));
    KraevHukommelse(ny, "AVS->bemTab[i] != NULL");
    memcpy(ny, linje, laengde);
    til->bemTab[i] = ny;
  }
}

void KopierAkti(const AVS *fra, AVS *til) {
  til->aktiTab = KopiListe(fra->aktiTab, fra->aktiAntal, "AVS->aktiTab != NULL");
  til->aktiAntal = fra->aktiAntal;
}

void KopierLoka(const AVS *fra, AVS *til) {
  til->lokaTab = KopiListe(fra->lokaTab, fra->lokaAntal, "AVS->lokaTab != NULL");
  til->lokrolleTab = KopiListe(fra->lokrolleTab, fra->lokaAntal, "AVS->lokrolleTab != NULL");
  til->lokaAntal = fra->lokaAntal;
}

void KopierAnfo(const AVS *fra, AVS *til) {
  const uint32_t n = fra->anfoAntal;
  til->anfoTab = KopiListe(fra->anfoTab, n, "AVS->anfoTab != NULL");
  til->skemarolTab = KopiListe(fra->skemarolTab, n, "AVS->skemarolTab != NULL");
  til->minutTab = KopiListe(fra->minutTab, n, "AVS->minutTab != NULL");
  til->beregnTab = KopiListe(fra->beregnTab, n, "AVS->beregnTab != NULL");
  til->hvorfraTab = KopiListe(fra->hvorfraTab, n, "AVS->hvorfraTab != NULL");
  til->anfoAntal = n;
}

// The weekday and the lesson or slot of a column in mode 'L' or 'T'. An
// empty display range has no columns to divide among: the first day shown
// and slot 0.
void DagOgSlot(char visning, uint32_t kolonne, int64_t *dag, int64_t *slot) {
  const VisningsTilstandRec &v = VisningsTilstandFor(visning);
  const int64_t n = static_cast<int64_t>(v.SidsteSlot) - v.FoersteSlot + 1;
  if (n <= 0) {
    *dag = v.FoersteUgedag;
    *slot = 0;
    return;
  }
  const int64_t c = static_cast<int64_t>(kolonne) - 1;
  *dag = c / n + v.FoersteUgedag;
  *slot = c % n + v.FoersteSlot;
}

}  // namespace

void CleanupAVS(AVS *avs) {
  if (!avs) return;
  for (char del : {'-', 'K', 'L', 'M'}) CleanupAVSDel(avs, del);
  memset(avs, 0, sizeof *avs);
  avs->Placering = avs->Kode2 = avs->Kode3 = avs->Art = avs->Kode5 = ' ';
}

void CleanupAVSListe() {
  if (HuskUgeAVS) {
    for (uint32_t i = 0; i < HuskUgeAVSAntal; ++i) CleanupAVS(&HuskUgeAVS[i]);
    free(HuskUgeAVS);
  }
  HuskUgeAVS = nullptr;
  HuskUgeAVSAntal = 0;
}

void CleanupAVSDel(AVS *avs, char del) {
  if (!avs) return;
  switch (del) {
    case '-':
      FrigivBem(avs);
      avs->bem_id = 0;
      return;
    case 'K':
      avs->aktiTab = Frigiv(avs->aktiTab);
      avs->aktiAntal = 0;
      return;
    case 'L':
      avs->lokaTab = Frigiv(avs->lokaTab);
      avs->lokrolleTab = Frigiv(avs->lokrolleTab);
      avs->lokaAntal = 0;
      return;
    case 'M':
      avs->anfoTab = Frigiv(avs->anfoTab);
      avs->skemarolTab = Frigiv(avs->skemarolTab);
      avs->minutTab = Frigiv(avs->minutTab);
      avs->beregnTab = Frigiv(avs->beregnTab);
      avs->hvorfraTab = Frigiv(avs->hvorfraTab);
      avs->anfoAntal = 0;
      return;
    case 'R': avs->risy_id = 0; return;
    case 'S': avs->id = 0; return;
    case 'U': avs->skfa_id = 0; return;
    default: return;
  }
}

void KopierAVS(const AVS *fra, AVS *til) {
  if (!til || fra == til) return;
  CleanupAVS(til);
  if (!fra) return;
  *til = *fra;  // the scalar fields and codes; every list is replaced by its copy
  KopierAkti(fra, til);
  KopierAnfo(fra, til);
  KopierLoka(fra, til);
  KopierBem(fra, til);
}

void KopierAVSDel(const AVS *fra, AVS *til, char del) {
  if (!til || fra == til || del < '-' || del > 'U') return;
  CleanupAVSDel(til, del);
  if (!fra) return;
  switch (del) {
    case '-':
      til->bem_id = fra->bem_id;
      KopierBem(fra, til);
      return;
    case 'F': til->Ejer = fra->Ejer; return;
    case 'K': KopierAkti(fra, til); return;
    case 'L': KopierLoka(fra, til); return;
    case 'M': KopierAnfo(fra, til); return;
    case 'R': til->risy_id = fra->risy_id; return;
    case 'S': til->id = fra->id; return;
    case 'U': til->skfa_id = fra->skfa_id; return;
    default: return;
  }
}

uint8_t KolonneUgedag(char visning, uint32_t kolonne) {
  int64_t dag = 0;
  if (visning == 'D') {
    dag = static_cast<int64_t>(kolonne) + VisningsTilstandFor('D').FoersteUgedag - 1;
  } else if (visning == 'L' || visning == 'T') {
    int64_t slot = 0;
    DagOgSlot(visning, kolonne, &dag, &slot);
  }
  return dag >= 1 && dag <= 7 ? static_cast<uint8_t>(dag) : 1;
}

uint32_t KolonneLektion(char visning, uint32_t vaerdi, uint32_t kolonne) {
  if (kolonne == 0) return 0;
  if (visning != 'L' && visning != 'T') return vaerdi;
  int64_t dag = 0, slot = 0;
  DagOgSlot(visning, kolonne, &dag, &slot);
  return static_cast<uint32_t>(slot);
}

uint8_t PostStatusKode(uint32_t flag, uint8_t ejer, uint8_t fejlKode) {
  if (ejer != GlobalIndstillinger.insnr || GlobalIndstillinger.supertavo) return 80;
  if (flag & 8) return (flag & 16) ? 91 : 90;
  if (fejlKode == 0) return (flag & 32) ? 1 : (flag & 16) ? 3 : 2;
  if (fejlKode < 100) return fejlKode;
  return 0;
}

const StatusKode StatusKodeTabF[] = {
    {10, " Aktiviteten findes ikke "},
    {11, " Udenfor aktivitetens periode "},
    {12, " Ingen ret til aktivitet "},
    {13, " Rettighed til aktivitet er låst "},
    {14, " Budget på aktivitet er låst "},
    {15, " Skolefag ikke på aktiviteten "},
    {16, " Fridag for aktiviteten "},
    {17, " Aktiviteten er allerede skemalagt "},
    {18, " Aktiviteten er aflyst "},
    {19, " Akti+Anfo allerede posteret "},
    {20, " Ansættelsesforholdet findes ikke "},
    {21, " Udenfor medarbejders periode "},
    {22, " Ingen ret til medarbejder "},
    {23, " Rettighed til medarbejder låst "},
    {25, " Skemarollen findes ikke "},
    {27, " Angiven norm passer ikke med udgr "},
    {28, " Medarbejder er skemalagt på et andet ansættelsesforhold "},
    {29, " Medarbejder er skemalagt "},
    {30, " Lokalet findes ikke "},
    {31, " Udenfor lokalets periode "},
    {32, " Ingen ret til lokalet "},
    {33, " Rettighed til lokalet er låst "},
    {35, " Lokalerollen findes ikke "},
    {39, " Lokalet er allerede skemalagt "},
    {40, " Skolefag findes ikke "},
    {41, " Ringesystem findes ikke "},
    {42, " Lektionen ikke i ringesystem "},
    {43, " Udenfor 'skolefag på holds' periode "},
    {45, " Fraværstypen findes ikke "},
    {46, " Ugyldig tid på begivenheden "},
    {60, " Ny begivenhed i låst periode "},
    {61, " Sletning i låst periode "},
    {62, " Sletning der ikke ejes af inst. "},
    {63, " Sletning med fraværs registrering. "},
    {64, " Sletning med eksamenssammenfald. "},
    {70, " Fejl i filformatet "},
    {71, " Fejl ved INSERT i Oracle "},
    {72, " Fejl ved DELETE i Oracle "},
    {73, " Ukendt databasefejl "},
    {79, " Ukendt systemfejl "},
    {0, nullptr},
};

const StatusKode StatusKodeTabB[] = {
    {1, " Central post "},
    {2, " Lokal post "},
    {3, " Sendt post "},
    {10, " Aktiviteten findes ikke "},
    {11, " Udenfor aktivitetens periode "},
    {12, " Ingen ret til aktivitet "},
    {13, " Rettighed til aktivitet er låst "},
    {14, " Budget på aktivitet er låst "},
    {18, " Aktiviteten er aflyst "},
    {19, " Akti+Anfo allerede posteret "},
    {20, " Ansættelsesforholdet findes ikke "},
    {21, " Udenfor ansættelsesforholdets periode "},
    {22, " Ingen ret til ansættelsesforholdet "},
    {23, " Rettighed til ansættelsesforholdet er låst "},
    {24, " Budget på ansættelsesforholdet er låst "},
    {60, " Ny post i låst periode "},
    {61, " Sletning i låst periode "},
    {62, " Sletning af post, der ikke ejes af inst. "},
    {66, " Aktivitet på postering er ikke af type OVAK. "},
    {70, " Fejl i filformatet "},
    {71, " Fejl ved INSERT i Oracle "},
    {72, " Fejl ved DELETE i Oracle "},
    {73, " Ukendt databasefejl "},
    {79, " Ukendt systemfejl "},
    {80, " Fremmed post "},
    {90, " Slettet post "},
    {91, " Slettet sendt post "},
    {0, nullptr},
};

char *StatusKodeTekst(uint32_t kode, char *tekst, size_t tekstStr, const StatusKode *tabel) {
  if (!tekst || tekstStr == 0) return tekst;
  tekst[0] = '\0';
  if (!tabel) return tekst;
  for (const StatusKode *k = tabel; k->Kode != 0; ++k)
    if (k->Kode == kode) {
      snprintf(tekst, tekstStr, "%s", k->Tekst ? k->Tekst : "");
      break;
    }
  return tekst;
}

char *StatusKodeTekst(uint32_t kode, char *tekst, size_t tekstStr, char tabelBogstav) {
  const StatusKode *tabel = tabelBogstav == 'F' ? StatusKodeTabF : tabelBogstav == 'B' ? StatusKodeTabB : nullptr;
  return StatusKodeTekst(kode, tekst, tekstStr, tabel);
}

void BipFejl() { MessageBeep(0); }
