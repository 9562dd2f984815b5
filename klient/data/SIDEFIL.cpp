// The side files: the schedule events and the dated postings by week or month.
#include "SIDEFIL.h"

#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "FINDREC.h"
#include "GEMNING.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TEKST.h"

// ---- Row descriptors ----

namespace {

struct FeltSpec {
  uint8_t Type, Size, Ref, Bredde, Decimaler;
  uint32_t Offset;
  uint8_t VisArt;
  const char *Navn;
};

constexpr FeltDef LavFelt(const FeltSpec &s) {
  FeltDef f{};
  f.Type = s.Type;
  f.Size = s.Size;
  f.Antal = 1;
  f.Ref = s.Ref;
  f.Bredde = s.Bredde;
  f.Decimaler = s.Decimaler;
  f.Offset = s.Offset;
  f.VisArt = s.VisArt;
  for (int i = 0; i < FELTNAVN_LEN - 1 && s.Navn[i]; ++i) f.Navn[i] = s.Navn[i];
  return f;
}

template <size_t N>
constexpr TabDesc LavDesc(const char *navn, uint8_t type, uint32_t recSize, uint32_t prBlok,
                          uint8_t tidFelt, const FeltSpec (&felter)[N]) {
  TabDesc d{};
  d.Navn = navn;
  for (size_t i = 0; i < N; ++i) d.FeltTab[i] = LavFelt(felter[i]);
  d.StatusFelt = 1;
  d.PeriodeFelter[PF_TID] = tidFelt;
  d.KeyLen = 4;
  d.RecSize = recSize;
  d.AntalFelter = static_cast<uint8_t>(N);
  d.VisKlasse = 10;
  d.TabArt = 'R';
  for (int i = 0; i < KORTNAVN_LEN - 1 && navn[i]; ++i) d.KortNavn[i] = navn[i];
  d.TypeBogstav = type;
  d.RecPrBlok = prBlok;
  return d;
}

constexpr uint8_t kAkti = 130, kAnfo = 135, kHontity = 140, kLoka = 142, kRisy = 149,
                  kSkfa = 150, kSkemarol = 156, kLokrolle = 158, kPlanakt = 166, kBem = 189;

constexpr FeltSpec kSkeFelter[] = {
    {FT_ID, 4, 0, 6, 0, 0, 0, "id"},
    {FT_ID, 4, REF_STATUS, 3, 0, 4, 0, "Status"},
    {FT_ID, 4, REF_AENDRTID, 10, 0, 8, 0, "Tid"},
    {FT_ID, 4, kAkti, 6, 0, 12, 0, "akti_id"},
    {FT_ID, 4, kAnfo, 6, 0, 16, 0, "anfo_id"},
    {FT_ID, 4, kSkemarol, 6, 0, 20, 0, "skemarol_id"},
    {FT_FLOAT, 4, REF_MINUTNORM, 6, 2, 24, 0, "Minutnorm"},
    {FT_ID, 4, kLoka, 6, 0, 28, 0, "loka_id"},
    {FT_ID, 4, kLokrolle, 6, 0, 32, 0, "lokrolle_id"},
    {FT_ID, 4, kSkfa, 6, 0, 36, 0, "skfa_id"},
    {FT_ID, 4, kBem, 6, 0, 40, 0, "bem_id"},
    {FT_ID, 4, kRisy, 6, 0, 44, 0, "risy_id"},
    {FT_U8, 1, 0, 1, 0, 48, 0, "Dag"},
    {FT_U8, 1, 0, 2, 0, 49, 0, "Lektion"},
    {FT_ID, 4, 0, 4, 0, 50, 0, "Starttid"},
    {FT_ID, 4, 0, 4, 0, 54, 0, "Sluttid"},
    {FT_FLOAT, 4, 0, 6, 2, 58, 0, "Antal_std_lektioner"},
    {FT_U8, 1, 0, 3, 0, 62, 0, "Ejer"},
    {FT_JANEJ, 1, 0, 1, 0, 63, 0, "Fejl"},
    {FT_U8, 1, 0, 3, 0, 64, 0, "Konflikt"},
    {FT_FLOAT, 4, 0, 6, 2, 65, 0, "Beregn"},
    {FT_JANEJ, 1, 0, 1, 0, 69, 0, "Hvorfra"},
    {FT_ID, 4, 0, 6, 0, 70, 0, "Forste"},
    {FT_DOUBLE, 8, 0, 8, 0, 74, 0, "opdtid"},
    {FT_TEKST, 9, 0, 8, 0, 82, 0, "Ændret_af"},
    {FT_DOUBLE, 8, 0, 8, 0, 91, 0, "Ændret_tid"},
};

constexpr FeltSpec kTimoakFelter[] = {
    {FT_ID, 4, 0, 6, 0, 0, 0, "id"},
    {FT_U8, 1, REF_STATUS, 3, 0, 4, 0, "Status"},
    {FT_U8, 1, 0, 3, 0, 5, 0, "PlanStatus"},
    {FT_ID, 4, REF_AENDRTID, 10, 0, 6, 0, "Tid"},
    {FT_JANEJ, 1, 0, 1, 0, 10, 0, "Type"},
    {FT_ID, 4, kAkti, 6, 0, 11, 0, "akti_id"},
    {FT_ID, 4, kAnfo, 6, 0, 15, 0, "anfo_id"},
    {FT_ID, 4, 0, 8, 0, 19, VA_DATO, "Dato"},
    {FT_INT, 4, 0, 6, 2, 23, 0, "Timer"},
    {FT_U8, 1, 0, 2, 0, 27, 0, "Måneddag"},
    {FT_U8, 1, 0, 3, 0, 28, 0, "Ejer"},
    {FT_U8, 1, 0, 1, 0, 29, 0, "Fejl"},
    {FT_U8, 1, 0, 3, 0, 30, 0, "Konflikt"},
};

constexpr FeltSpec kUdplatimFelter[] = {
    {FT_ID, 4, 0, 6, 0, 0, 0, "id"},
    {FT_U8, 1, REF_STATUS, 3, 0, 4, 0, "Status"},
    {FT_JANEJ, 1, 0, 1, 0, 5, 0, "Type"},
    {FT_ID, 4, kAkti, 6, 0, 6, 0, "akti_id"},
    {FT_ID, 4, kPlanakt, 6, 0, 10, 0, "planakt_id"},
    {FT_ID, 4, kAnfo, 6, 0, 14, 0, "anfo_id"},
    {FT_ID, 4, kSkfa, 6, 0, 18, 0, "skfa_id"},
    {FT_ID, 4, 0, 8, 0, 22, VA_DATO, "Dato"},
    {FT_INT, 4, 0, 6, 2, 26, 0, "Timer"},
    {FT_U8, 1, 0, 2, 0, 30, 0, "mnddag"},
};

constexpr FeltSpec kHontimFelter[] = {
    {FT_ID, 4, 0, 6, 0, 0, 0, "id"},
    {FT_U8, 1, REF_STATUS, 3, 0, 4, 0, "Status"},
    {FT_ID, 4, kHontity, 6, 0, 5, 0, "hontity_id"},
    {FT_ID, 4, kAnfo, 6, 0, 9, 0, "anfo_id"},
    {FT_ID, 4, 0, 8, 0, 13, VA_DATO, "Dato"},
    {FT_INT, 4, 0, 6, 2, 17, 0, "Enheder"},
    {FT_U8, 1, 0, 2, 0, 21, 0, "mnddag"},
};

}  // namespace

const TabDesc tdske = LavDesc("ske", 'S', sizeof(SkeRec), 5000, 2, kSkeFelter);
const TabDesc tdtimoak = LavDesc("timoak", 'B', sizeof(TimoakRaekke), 10000, 3, kTimoakFelter);
const TabDesc tdudplatim = LavDesc("udplatim", 'H', sizeof(UdplatimRaekke), 10000, 0, kUdplatimFelter);
const TabDesc tdhontim = LavDesc("hontim", 'I', sizeof(HontimRaekke), 1000, 0, kHontimFelter);

TabVar SkemabegUgeTab[ANTAL_UGEBUCKETS];
TabVar TimoakMndTab[ANTAL_MNDBUCKETS];
TabVar UdplatimMndTab[ANTAL_MNDBUCKETS];
TabVar HontimMndTab[ANTAL_MNDBUCKETS];

uint8_t *AktiPrioritetMinde = nullptr;
uint32_t AktiPrioritetAntal = 0;

// ---- Buckets ----

namespace {

// One side file: its rows, buckets and texts.
struct SideFil {
  const TabDesc *pTd;
  TabVar *Buckets;
  bool Uger;                  // weeks (54 slots a year), else months (13)
  const char *FilNavn;        // in data/
  const char *LoadNavn;       // the loader's name in its log lines
  const char *MaerkeligtFmt;  // odd week or month number
  const char *AfsnitFejl;     // a section line that cannot be read (or null)
  const char *AllokFejl;      // a bucket that cannot grow
  bool AllokTilStdErr;
  const char *LaesFejl;       // rows that cannot be read
  const char *LaesFejlStdErr; // the same to the error log (or null)
};

const SideFil kSkemabeg = {
    &tdske, SkemabegUgeTab, true, "skemabeg.dat", "LoadSkemabeg",
    "** Info: LoadSkemabeg(): mærkeligt ugenummer (%u)\n", nullptr,
    "** Fejl: LoadSkemabeg(): allokerng af %u records fejlede\n", false,
    "** Fejl: LoadSkemabeg(): læsning af data fejlede\n",
    "LoadSkemabeg: læsning af data fejlede\n"};
const SideFil kTimoak = {
    &tdtimoak, TimoakMndTab, false, "timoak.dat", "LoadTimoak",
    "** Info: LoadTimoak(): mærkeligt MånedNummer (%u)\n",
    "** Fejl: LoadTimoak(): læsning af afsnit fejlede\n",
    "** Fejl: LoadTimoak(): allokering af %u records fejlede\n", true,
    "** Fejl: LoadTimoak(): læsning data fejlede\n", nullptr};
const SideFil kUdplatim = {
    &tdudplatim, UdplatimMndTab, false, "udplatim.dat", "LoadUdplatim",
    "** Info: LoadUdplatim(): mærkeligt MånedNummer (%u)\n",
    "** Fejl: LoadUdplatim(): læsning af afsnit fejlede\n",
    "** Fejl: LoadUdplatim(): allokerng af %u records fejlede", false,
    "** Fejl: LoadUdplatim(): læsning data fejlede\n", nullptr};
const SideFil kHontim = {
    &tdhontim, HontimMndTab, false, "hontim.dat", "LoadHontim",
    "** Info: LoadHontim: mærkeligt MånedNummer (%u)\n",
    "** Fejl: LoadHontim(): læsning af afsnit fejlede\n",
    "** Fejl: LoadHontim(): allokering af %u records fejlede", false,
    "** Fejl: LoadHontim(): læsning data fejlede\n", nullptr};

uint32_t Slots(const SideFil &s) { return s.Uger ? UGE_SLOTS : MND_SLOTS; }

// The bucket of YYYYWW or YYYYMM, or null.
TabVar *Bucket(const SideFil &s, uint32_t vaerdi) {
  uint32_t aar = vaerdi / 100, nr = vaerdi % 100;
  uint32_t max = s.Uger ? 53 : 12;
  if (nr < 1 || nr > max || aar < SkemaPeriode.BaseAar) return nullptr;
  uint32_t aarIdx = aar - SkemaPeriode.BaseAar;
  if (aarIdx >= kMaxAarIPeriode) return nullptr;
  return &s.Buckets[aarIdx * Slots(s) + nr];
}

void Tom(const SideFil &s) {
  uint32_t n = s.Uger ? ANTAL_UGEBUCKETS : ANTAL_MNDBUCKETS;
  for (uint32_t i = 0; i < n; ++i)
    if (s.Buckets[i].pbTab || s.Buckets[i].wRecCnt) ResetTab(s.pTd, &s.Buckets[i], 0);
}

// One section line "<week or month> <count>\n". 1 read, 0 end of file,
// -1 not a section line.
int LaesAfsnitLinje(FILE *f, long *vaerdi, unsigned long *antal) {
  char linje[64];
  size_t n = 0;
  int c;
  while ((c = fgetc(f)) != EOF && c != '\n') {
    if (n + 1 >= sizeof linje) return -1;
    linje[n++] = static_cast<char>(c);
  }
  if (c == EOF && n == 0) return 0;
  linje[n] = 0;
  char *p = linje;
  while (*p == ' ' || *p == '\t') ++p;
  if (*p < '0' || *p > '9') return -1;
  char *slut;
  errno = 0;
  *vaerdi = strtol(p, &slut, 10);
  if (errno || slut == p || (*slut != ' ' && *slut != '\t')) return -1;
  p = slut;
  while (*p == ' ' || *p == '\t') ++p;
  if (*p < '0' || *p > '9') return -1;
  *antal = strtoul(p, &slut, 10);
  if (errno || slut == p) return -1;
  while (*slut == ' ' || *slut == '\t' || *slut == '\r') ++slut;
  return *slut == 0 ? 1 : -1;
}

bool Spring(FILE *f, uint64_t bytes) {
  return fseeko(f, static_cast<off_t>(bytes), SEEK_CUR) == 0;
}

int Laes(const SideFil &s) {
  Tom(s);
  char sti[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, s.FilNavn, "")) return 0;
  int h = ProbeDatHeaderFil(s.pTd, sti);
  if (h == -1) return -1;
  FILE *f = AabnDataFil(sti, "rb");
  if (!f) return 0;
  const long size = DataFilStoerrelse(f);
  if (size < 0 || h <= 0 || fseek(f, h, SEEK_SET) != 0) {
    fclose(f);
    return size < 0 ? -1 : 0;
  }
  const uint32_t raekke = s.pTd->RecSize;
  const uint32_t foerste = s.Uger ? SkemaPeriode.FoersteUge : SkemaPeriode.FoersteMaaned;
  const uint32_t sidste = s.Uger ? SkemaPeriode.SidsteUge : SkemaPeriode.SidsteMaaned;
  int res = 0;
  for (;;) {
    long vaerdi;
    unsigned long antal;
    int l = LaesAfsnitLinje(f, &vaerdi, &antal);
    if (l == 0) break;
    if (l < 0) {
      if (s.AfsnitFejl) LogPrintf("%s", s.AfsnitFejl);
      break;
    }
    const uint64_t bytes = static_cast<uint64_t>(antal) * raekke;
    if (vaerdi < static_cast<long>(foerste) || vaerdi > static_cast<long>(sidste)) {
      if (!Spring(f, bytes)) break;
      continue;
    }
    TabVar *pTv = Bucket(s, static_cast<uint32_t>(vaerdi));
    if (!pTv) {
      LogPrintf(s.MaerkeligtFmt, static_cast<unsigned>(vaerdi % 100));
      // Its rows are passed over, so the next section is read from its line.
      if (!Spring(f, bytes)) break;
      continue;
    }
    if (antal == 0) continue;
    long pos = ftell(f);
    if (pos < 0 || bytes > static_cast<uint64_t>(size - pos)) {
      // The section claims more rows than the file holds.
      if (s.LaesFejlStdErr) StdErrPrintf("%s", s.LaesFejlStdErr);
      LogPrintf("%s", s.LaesFejl);
      res = -1;
      break;
    }
    if (AddTabBlock(s.pTd, pTv, static_cast<uint32_t>(antal)) != 0) {
      if (s.AllokTilStdErr)
        StdErrPrintf(s.AllokFejl, static_cast<unsigned>(antal));
      else
        LogPrintf(s.AllokFejl, static_cast<unsigned>(antal));
      // A save would write back only what was read: stop as for a bad file.
      res = -1;
      break;
    }
    if (fread(pTv->pbTab, 1, static_cast<size_t>(bytes), f) != bytes) {
      if (s.LaesFejlStdErr) StdErrPrintf("%s", s.LaesFejlStdErr);
      LogPrintf("%s", s.LaesFejl);
      res = -1;
      break;
    }
    pTv->wRecCnt = static_cast<uint32_t>(antal);
  }
  fclose(f);
  return res;
}

const SideFil *SideFilAf(const TabDesc *pTd) {
  for (const SideFil *s : {&kSkemabeg, &kTimoak, &kUdplatim, &kHontim})
    if (s->pTd == pTd) return s;
  return nullptr;
}

// The header, then per week or month of the period that has rows its line
// "<value> <rows>\n" and the rows; written whole through the crash-safe save.
int Skriv(const SideFil &s, const std::function<TabVar *(uint32_t)> &bucket) {
  char sti[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, s.FilNavn, "")) return -1;
  GemFil f;
  if (!f.Aabn(sti)) return -1;
  DatHeader hdr{};
  hdr.Version = version;
  hdr.FilOrd = 0;
  memcpy(hdr.RecSizeTekst, "RecSize", 8);
  hdr.RecSize = s.pTd->RecSize;
  bool ok = f.Skriv(&hdr, sizeof hdr);
  const uint32_t antalIdx = s.Uger ? SkemaPeriode.AntalUger : SkemaPeriode.AntalMaaneder;
  for (uint32_t i = 1; i <= antalIdx && ok; ++i) {
    TabVar *pTv = bucket(i);
    if (!pTv || !pTv->pbTab) continue;
    TrimTab(s.pTd, pTv);
    if (pTv->wRecCnt == 0) continue;
    const uint32_t vaerdi = s.Uger ? IndeksTilUge(i) : IndeksTilMaaned(i);
    const size_t bytes = static_cast<size_t>(pTv->wRecCnt) * s.pTd->RecSize;
    ok = f.Printf("%ld %u\n", static_cast<long>(vaerdi), pTv->wRecCnt) && f.Skriv(pTv->pbTab, bytes);
  }
  return ok && f.Luk() ? 0 : -1;
}

int Skriv(const SideFil &s) {
  return Skriv(s, [&s](uint32_t i) { return Bucket(s, s.Uger ? IndeksTilUge(i) : IndeksTilMaaned(i)); });
}

}  // namespace

TabVar *SkemabegBucket(Uge uge) { return Bucket(kSkemabeg, uge); }
TabVar *TimoakBucket(Maaned m) { return Bucket(kTimoak, m); }
TabVar *UdplatimBucket(Maaned m) { return Bucket(kUdplatim, m); }
TabVar *HontimBucket(Maaned m) { return Bucket(kHontim, m); }

int LoadSkemabeg() { return Laes(kSkemabeg); }
int LoadTimoak() { return Laes(kTimoak); }
int LoadUdplatim() { return Laes(kUdplatim); }
int LoadHontim() { return Laes(kHontim); }
int SaveSkemabeg() { return Skriv(kSkemabeg); }
int SaveTimoak() { return Skriv(kTimoak); }
int SaveUdplatim() { return Skriv(kUdplatim); }
int SaveHontim() { return Skriv(kHontim); }
void TomSkemabeg() { Tom(kSkemabeg); }
void TomTimoak() { Tom(kTimoak); }
void TomUdplatim() { Tom(kUdplatim); }
void TomHontim() { Tom(kHontim); }

int SkrivSideFil(const TabDesc *pTd, const std::function<TabVar *(uint32_t indeks)> &bucket) {
  const SideFil *s = SideFilAf(pTd);
  return s ? Skriv(*s, bucket) : -1;
}

// ---- Activity priorities ----

bool SikrAktiPrioritetMinde(uint32_t n) {
  if (n <= AktiPrioritetAntal && AktiPrioritetMinde) return true;
  if (n == 0) n = 1;
  uint8_t *p = static_cast<uint8_t *>(realloc(AktiPrioritetMinde, n));
  if (!p) return false;
  memset(p + AktiPrioritetAntal, INGEN_AKTI_PRIORITET, n - AktiPrioritetAntal);
  AktiPrioritetMinde = p;
  AktiPrioritetAntal = n;
  return true;
}

void FrigivAktiPrioritetMinde() {
  free(AktiPrioritetMinde);
  AktiPrioritetMinde = nullptr;
  AktiPrioritetAntal = 0;
}

void LoadAktiPrioriteter() {
  char sti[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, "aktiprioriteter.dat", "")) return;
  FILE *f = AabnDataFil(sti, "r");
  if (!f) return;
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromType('K', &pTd, &pTv) != 0 || !SikrAktiPrioritetMinde(pTv->wRecCnt)) {
    fclose(f);
    return;
  }
  char linje[512];
  while (fgets(linje, sizeof linje, f)) {
    TrimStr(linje);
    if (strlen(linje) <= 1) continue;
    char *sep = strpbrk(linje, ";,");
    if (!sep) continue;
    *sep = 0;
    char *felt2 = sep + 1;
    char *sep2 = strpbrk(felt2, ";,");
    if (sep2) *sep2 = 0;
    TrimStr(linje);
    TrimStr(felt2);
    uint32_t id = static_cast<uint32_t>(strtoul(linje, nullptr, 10));
    uint32_t r = FindRec(pTd, pTv, &id, KLASSE_AKTUEL);
    if (r == 0 || r >= pTv->wRecCnt) continue;
    if (!SikrAktiPrioritetMinde(pTv->wRecCnt)) break;
    AktiPrioritetMinde[r] = static_cast<uint8_t>(atoi(felt2));
  }
  fclose(f);
}

bool SaetAktiSkemaPrioritet(uint32_t r, uint8_t ny) {
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromType('K', &pTd, &pTv) != 0 || r == 0 || r >= pTv->wRecCnt) return false;
  AktiRec *a = reinterpret_cast<AktiRec *>(GetRec(pTd, pTv, r));
  if (ny == a->Skema_prioritet) return true;
  if (!SikrAktiPrioritetMinde(pTv->wRecCnt)) return false;
  if (AktiPrioritetMinde[r] == INGEN_AKTI_PRIORITET) AktiPrioritetMinde[r] = a->Skema_prioritet;
  a->Skema_prioritet = ny;
  SetRecStatus(pTd, pTv, r, a->Status);
  return true;
}

int GemAktiPrioriteter() {
  if (!AktiPrioritetMinde) return 0;
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromType('K', &pTd, &pTv) != 0) return 0;
  char sti[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, "aktiprioriteter.dat", "")) return -1;
  // Text mode, as the file has always been written.
  GemFil f;
  bool ok = f.Aabn(sti, true);
  for (uint32_t r = 1; ok && r < pTv->wRecCnt && r < AktiPrioritetAntal; ++r) {
    const AktiRec *a = reinterpret_cast<const AktiRec *>(GetRec(pTd, pTv, r));
    uint8_t p = AktiPrioritetMinde[r];
    if (p == INGEN_AKTI_PRIORITET || p == a->Skema_prioritet || a->Status == 30 ||
        IsReservedRec('K', r))
      continue;
    ok = f.Printf("%lu;%d\n", static_cast<unsigned long>(a->id), p);
  }
  return ok && f.Luk() ? 0 : -1;
}
