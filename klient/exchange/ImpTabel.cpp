// The readers of the import sections named after tables.
#include "ImpTabel.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TEKST.h"
#include "VINDUER.h"

namespace {

constexpr uint32_t kLever = 64;
constexpr int kPlanVinduer[] = {40266, 40267, 40268, 40269};

bool LaesLinje(FILE *fil, char *linje) { return LaesImportLinje(fil, linje, IMPORT_LINJE_LEN); }

bool ErHoved(const char *linje) { return linje[0] == '@' || linje[0] == '#'; }

// Reads up to the next header without using the lines.
char *SpringOver(FILE *fil, char *linje, size_t n = IMPORT_LINJE_LEN) {
  while (LaesImportLinje(fil, linje, n))
    if (ErHoved(linje)) return linje;
  return nullptr;
}

// All records but record 0 zeroed, the memory kept. Record 0 stays so that
// the table is saved with no records rather than not saved at all.
void TomTabel(const TabDesc *pTd, TabVar *pTv) {
  if (pTv->wRecCnt == 0 || pTv->pbTab == nullptr) return;
  const uint32_t gammelAntal = pTv->wRecCnt;
  memset(pTv->pbTab + pTd->RecSize, 0, size_t(gammelAntal - 1) * pTd->RecSize);
  pTv->wRecCnt = 1;
  pTv->FoersteLedige = 1;
  pTv->fSorter = 1;
  for (uint32_t b = 0; b <= gammelAntal / pTd->RecPrBlok; ++b) pTv->pfSave[b] = 1;
}

void TomTabel(const char *navn) {
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromName(navn, &pTd, &pTv) == 0) TomTabel(pTd, pTv);
}

bool Navn(const TabDesc *pTd, const char *navn) { return pTd->Navn && strcmp(pTd->Navn, navn) == 0; }

// What a table section empties before its first line is read.
void TomForSektion(const TabDesc *pTd, TabVar *pTv) {
  if (Navn(pTd, "skka"))
    TomTabel("kdagrel");
  else if (Navn(pTd, "ret") || Navn(pTd, "alrel") || Navn(pTd, "skfalokarel"))
    TomTabel(pTd, pTv);
  else if (Navn(pTd, "arbejdstid"))
    ResetTab(pTd, pTv, 1);
}

void LukPlanVinduer() {
  for (int type : kPlanVinduer)
    while (HWND h = FindVindueType(type)) {
      DestroyWindow(h);
      VinduesListeFjern(h);
    }
}

// Zeroes the records the test picks (status and owner bytes at the offsets).
template <typename Test>
void SletPlanRec(const TabDesc *pTd, TabVar *pTv, size_t statusOff, size_t ejerOff, Test test) {
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t *p = GetRec(pTd, pTv, r);
    if (p[statusOff] != 0 && test(p[statusOff], p[ejerOff])) DelRec(pTd, pTv, r);
  }
}

// Live rows of other installations in the buckets 1..antal become free.
template <class R, class Bucket>
void FrigivFremmedeRaekker(const TabDesc &td, uint32_t antal, Bucket bucket) {
  const uint8_t egen = GlobalIndstillinger.insnr;
  for (uint32_t i = 1; i <= antal; ++i) {
    TabVar *b = bucket(i);
    if (b == nullptr) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      auto *x = reinterpret_cast<R *>(GetRec(&td, b, r));
      if (!(x->Status & kLever) || x->Ejer == egen) continue;
      x->Status = 0;
      b->pfSave[r / td.RecPrBlok] = 1;
    }
  }
}

uint32_t AktiNoegle(uint32_t akti) {
  if (!GyldigRef(&tvakti, akti)) return 0;
  AktiRec a;
  memcpy(&a, GetRec(&tdakti, &tvakti, akti), sizeof a);
  return a.Status != 0 ? a.id : 0;
}

}  // namespace

// ---- Sections ----

bool LaesImportLinje(FILE *fil, char *linje, size_t n) {
  if (n == 0) return false;
  linje[0] = 0;
  if (fil == nullptr || n < 2) return false;
  const int kapacitet = n > INT_MAX ? INT_MAX : static_cast<int>(n);
  // A full buffer is told by its last byte, which fgets zeroes only then;
  // the length of the text cannot tell it, as the line may hold zero bytes.
  linje[kapacitet - 1] = 1;
  if (fgets(linje, kapacitet, fil) == nullptr) {
    linje[0] = 0;
    return false;
  }
  if (linje[kapacitet - 1] == 0 && linje[kapacitet - 2] != '\n')
    for (int c = getc(fil); c != EOF && c != '\n'; c = getc(fil)) {
    }
  return true;
}

char *ImportTabelSektion(FILE *fil, FILE *log, char *linje, char bogstav, const TabDesc *pTd,
                         TabVar *pTv, ImportStatus *pStatus, int fKomma, size_t linjeLen) {
  if (pTd == nullptr || pTv == nullptr) return SpringOver(fil, linje, linjeLen);
  std::string hoved(linje);
  TrimStr(hoved.data());
  hoved.resize(strlen(hoved.c_str()));
  TomForSektion(pTd, pTv);
  const bool logFejl = !Navn(pTd, "arbejdstid");

  uint32_t nr = 0;
  bool fejlBlok = false;
  while (LaesImportLinje(fil, linje, linjeLen)) {
    ++nr;
    // A header ends the section, also inside an error block whose closing
    // line never came.
    if (ErHoved(linje)) return linje;
    TrimStr(linje);
    if (fejlBlok || strncmp(linje, "** Fej", 6) == 0) {
      fejlBlok = !fejlBlok || strncmp(linje, "**", 2) != 0;
      if (fejlBlok && log) fprintf(log, "%s\n", linje);
      continue;
    }
    const int fejl = ImportRecordLine(linje, bogstav, pTd, pTv, pStatus, fKomma);
    if (fejl != 0 && logFejl) ImportFejlTekst(log, nr, hoved.c_str(), linje, fejl, pTd);
  }
  return nullptr;
}

char *ImporterFfpg(FILE *fil, char *linje) {
  const char marker = linje[0];
  std::string navn(linje[0] ? linje + 1 : linje);
  TrimStr(navn.data());
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromName(navn.c_str(), &pTd, &pTv) != 0) return SpringOver(fil, linje);
  if (marker == '@') {
    LukPlanVinduer();
    ResetTab(pTd, pTv, 1);
  }
  const char bogstav = marker == '@' ? 'P' : 'F';
  while (LaesLinje(fil, linje)) {
    if (ErHoved(linje)) return linje;
    TrimStr(linje);
    const uint32_t r = NewRec(pTd, pTv);
    if (r != 0 && ParseRecordLine(pTd, pTv, linje, bogstav, r, nullptr, 0) != 0) DelRec(pTd, pTv, r);
  }
  return nullptr;
}

char *ImporterLogfil(FILE *fil, char *linje) {
  char sti[kStiLaengde];
  FILE *ud = nullptr;
  if (snprintf(sti, sizeof sti, "%slog/logsrv.txt", StiTab.szdata) < static_cast<int>(sizeof sti))
    ud = fopen(sti, "w");
  if (ud == nullptr) LogPrintf("** Fejl: %slog/logsrv.txt kan ikke oprettes\n", StiTab.szdata);
  char *svar = nullptr;
  while (LaesLinje(fil, linje)) {
    if (ErHoved(linje)) {
      svar = linje;
      break;
    }
    TrimStr(linje);
    if (ud) fprintf(ud, "%s\n", linje);
  }
  if (ud) fclose(ud);
  return svar;
}

// ---- Other installations' data ----

void SletFremmedePlandata() {
  const uint8_t egen = GlobalIndstillinger.insnr;
  auto fremmed = [egen](uint8_t status, uint8_t ejer) { return status == 30 || ejer != egen; };
  SletPlanRec(&tdffpertab, &tvffpertab, offsetof(FfpertabRec, Status), offsetof(FfpertabRec, Ejer), fremmed);
  SletPlanRec(&tdfftaltab, &tvfftaltab, offsetof(FftaltabRec, Status), offsetof(FftaltabRec, Ejer), fremmed);
  SletPlanRec(&tdffgrund, &tvffgrund, offsetof(FfgrundRec, Status), offsetof(FfgrundRec, Ejer), fremmed);
  SletPlanRec(&tdffpp, &tvffpp, offsetof(FfppRec, Status), offsetof(FfppRec, Ejer), fremmed);
  SletPlanRec(&tdffpgrel, &tvffpgrel, offsetof(FfpgrelRec, Status), offsetof(FfpgrelRec, Ejer), fremmed);
  SletPlanRec(&tdffpg, &tvffpg, offsetof(FfpgRec, Status), offsetof(FfpgRec, Ejer), fremmed);
}

void SletFremmedeSkemaraekker() {
  FrigivFremmedeRaekker<SkeRec>(tdske, SkemaPeriode.AntalUger,
                                [](UgeIndeks i) { return SkemabegBucket(IndeksTilUge(i)); });
}

void SletFremmedeTimoak() {
  FrigivFremmedeRaekker<TimoakRaekke>(tdtimoak, SkemaPeriode.AntalMaaneder,
                                      [](MaanedIndeks i) { return TimoakBucket(IndeksTilMaaned(i)); });
  for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r)
    if (GetRec(&tdaakrel, &tvaakrel, r)[offsetof(AakrelRec, Status)] == 30) DelRec(&tdaakrel, &tvaakrel, r);
}

// ---- Student-overlap relations ----

void OpbygElvrel2() {
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r)
    if (GetRec(&tdelvrel2, &tvelvrel2, r)[offsetof(Elvrel2Rec, Status)] == 10)
      DelRec(&tdelvrel2, &tvelvrel2, r);

  std::vector<AkplRec> planer;
  for (uint32_t r = 1; r < tvakpl.wRecCnt; ++r) {
    AkplRec p;
    memcpy(&p, GetRec(&tdakpl, &tvakpl, r), sizeof p);
    if (p.Status != 0 && p.Status < 100) planer.push_back(p);
  }
  std::stable_sort(planer.begin(), planer.end(),
                   [](const AkplRec &a, const AkplRec &b) { return a.pers_id < b.pers_id; });

  for (size_t i = 0; i < planer.size(); ++i) {
    const AkplRec &a = planer[i];
    const uint32_t ka = AktiNoegle(a.akti_id);
    for (size_t j = i + 1; j < planer.size() && planer[j].pers_id == a.pers_id; ++j) {
      const AkplRec &b = planer[j];
      const uint32_t aFra = a.Startdato, aTil = a.Slutdato, bFra = b.Startdato, bTil = b.Slutdato;
      if (aFra > bTil || aTil < bFra) continue;
      const uint32_t kb = AktiNoegle(b.akti_id);
      // A plan whose activity is gone relates nothing.
      if (ka == 0 || kb == 0 || ka == kb) continue;
      char tekst[64];
      snprintf(tekst, sizeof tekst, "%u;%u;%u;%u", std::min(ka, kb), std::max(ka, kb),
               std::max(aFra, bFra), std::min(aTil, bTil));
      AddRecordFromLine(&tdelvrel2, &tvelvrel2, tekst, 'C');
    }
  }
}
