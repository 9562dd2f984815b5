// The import of a server file: its sections handed to their readers, then the clean-up.
#include "ImpData.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "BESKEDER.h"
#include "DATO.h"
#include "ELVRELLOKAL.h"
#include "FINDREC.h"
#include "GRUPPER.h"
#include "GEMNING.h"
#include "GZIP.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "ImpBehandl.h"
#include "ImpFremmed.h"
#include "ImpGenfejl.h"
#include "ImpRetur.h"
#include "ImpSkema.h"
#include "ImpTabel.h"
#include "KATALOG.h"
#include "KONTAKT.h"
#include "LOGFIL.h"
#include "LOGVISNING.h"
#include "NULSTIL.h"
#include "PROGVINDUER.h"
#include "SIDEFIL.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TEKST.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "win/dlg.h"


ImportDataKroge ImportDataKrog = {};
int AndretSkemaSkrevet = 0;
int FremmedFlag = 0;
char *ImportBesked = nullptr;
ImportUdfald SidsteImportUdfald = IMPORT_INTET;

namespace {

constexpr char kDataFejl[] = "Data fejl";

// data\imp.dat has been read into the tables and not yet saved with them:
// the next complete save removes the exchange files in its own commit.
std::atomic<bool> SletterVedGemning{false};

bool FilFindes(const char *sti) { return sti[0] && GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

// The save's slot when it takes its data. The server places no new import
// while data\imp.dat is there, so the file removed is the file read.
void Udvekslingsfiler(std::vector<std::string> *pFiler) {
  if (!SletterVedGemning.load()) return;
  pFiler->push_back(StiTab.szimp);
  // Only an export the server queued; one still waiting goes next time.
  SendtEksportFiler(pFiler);
}

// The save's slot once a save that removed them was decided.
void Forbrugt() { SletterVedGemning.store(false); }

// The load-all slot: the tables are as their files left them, so an import
// read before into the tables of this run is in them no more.
void ImportVedHentning(HWND hDlg) {
  SletterVedGemning.store(false);
  ImportData(hDlg);
}

namespace {

bool ErHoved(const char *linje) { return linje[0] == '@' || linje[0] == '#'; }
bool ErFejl(const char *linje) { return strncmp(linje, "!FEJL", 5) == 0; }

// The section name behind the marker: blanks, control characters and '"'
// trimmed at both ends.
std::string AfsnitNavn(const char *linje) {
  std::string_view v(linje + 1);
  auto trim = [](unsigned char c) { return c <= ' ' || c == '"' || c == 127; };
  while (!v.empty() && trim(v.front())) v.remove_prefix(1);
  while (!v.empty() && trim(v.back())) v.remove_suffix(1);
  return std::string(v);
}

// A record line as the plan sections and minusakti take it: trimmed of
// blanks, control characters and '"' at both ends.
char *Trim(char *linje) {
  size_t n = strlen(linje);
  auto trim = [](unsigned char c) { return c <= ' ' || c == '"'; };
  while (n > 0 && trim(static_cast<unsigned char>(linje[n - 1]))) linje[--n] = 0;
  char *p = linje;
  while (*p && trim(static_cast<unsigned char>(*p))) ++p;
  return p;
}

struct Afsnit {
  FILE *fil;
  FILE *log;
  char *linje;  // IMPORT_LINJE_LEN bytes, holding the header
  ImportStatus *status;
  char art;     // '@' or '#'
};

// Reads the section's lines; each goes to fn. The next header (or "!FEJL")
// stays in the buffer; null at the end of the file.
template <typename Fn>
char *HverLinje(Afsnit &a, Fn fn) {
  while (LaesImportLinje(a.fil, a.linje, IMPORT_LINJE_LEN)) {
    if (ErHoved(a.linje)) return a.linje;
    fn(a.linje);
  }
  return nullptr;
}

char *Minusakti(Afsnit &a) {
  return HverLinje(a, [](char *linje) {
    const char *noegle = Trim(linje);
    if (!noegle[0] || noegle[0] == '0') return;
    const uint32_t r = FindRec(&tdakti, &tvakti, ParseFeltVaerdi(&tdakti, noegle), KLASSE_AKTUEL);
    if (r == 0) return;
    GetRec(&tdakti, &tvakti, r)[offsetof(AktiRec, Slettet_i_EASY)] = 1;
    tvakti.pfSave[r / tdakti.RecPrBlok] = 1;
  });
}

char *Besked(Afsnit &a) {
  return HverLinje(a, [](char *linje) {
    const size_t gl = ImportBesked ? strlen(ImportBesked) : 0, n = strlen(linje);
    char *ny = static_cast<char *>(realloc(ImportBesked, gl + n + 1));
    if (!ny) {
      LogPrintf("** Fejl: Importbeskeden kunne ikke udvides\n");
      return;
    }
    memcpy(ny + gl, linje, n + 1);
    ImportBesked = ny;
  });
}

// ffpgrel, ffpp, ffgrund, ffpertab, fftaltab, medaskeprior: 'P' empties the
// table first, 'F' adds; a line that does not parse is dropped unlogged.
char *PlanPoster(Afsnit &a) {
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromName(AfsnitNavn(a.linje).c_str(), &pTd, &pTv) != 0) return HverLinje(a, [](char *) {});
  const char bogstav = a.art == '@' ? 'P' : 'F';
  if (bogstav == 'P') ResetTab(pTd, pTv, 1);
  return HverLinje(a, [&](char *linje) {
    const uint32_t r = NewRec(pTd, pTv);
    if (r == 0) return;
    pTv->pfSave[r / pTd->RecPrBlok] = 1;
    if (ParseRecordLine(pTd, pTv, Trim(linje), bogstav, r, nullptr, 0) == 0) return;
    DelRec(pTd, pTv, r);
    if (r < pTv->FoersteLedige) pTv->FoersteLedige = r;
  });
}

char *Ffpg(Afsnit &a) { return ImporterFfpg(a.fil, a.linje); }
char *Logfil(Afsnit &a) { return ImporterLogfil(a.fil, a.linje); }
char *Retur(Afsnit &a) {
  const std::string navn = AfsnitNavn(a.linje);
  return FindReturLaeser(navn.c_str())(navn.c_str(), a.fil, a.linje);
}
char *Skemabeg(Afsnit &a) { return ImporterSkemabeg(a.fil, a.linje); }
char *Extprogske(Afsnit &a) { return ImporterExtprogske(a.fil, a.linje); }
char *Forandringske(Afsnit &a) { return ImporterForandringske(a.fil, a.linje); }
char *AndretSkema(Afsnit &a) { return ImporterAndretSkema(a.fil, a.linje); }
char *Genfejl(Afsnit &a) { return ImporterGenfejl(a.fil, a.linje, a.status); }
char *Inifil(Afsnit &a) { return ImporterInifil(a.fil, a.linje); }
// The reset reads no line: the next one goes back to the driver's loop.
char *Fremmed(Afsnit &a) {
  ImporterFremmed();
  return LaesImportLinje(a.fil, a.linje, IMPORT_LINJE_LEN) ? a.linje : nullptr;
}
char *Forandringtim(Afsnit &a) { return ImporterForandringtim(a.fil, a.linje, a.status->Tidsstempel); }
char *Timoak(Afsnit &a) { return ImporterTimoak(a.fil, a.linje, a.status->Tidsstempel, a.art == '@' ? 'C' : 'F'); }
char *Udplatim(Afsnit &a) { return ImporterUdplatim(a.fil, a.linje); }
char *Hontim(Afsnit &a) { return ImporterHontim(a.fil, a.linje); }
char *Primotal(Afsnit &a) { return ImporterPrimotal(a.fil, a.linje); }

// The readers in the order they are matched; a row without a reader is one
// whose subsystem has not come yet, and takes the road of an unknown name.
struct AfsnitLaeser {
  const char *navn;
  char *(*laes)(Afsnit &a);
};
const AfsnitLaeser kAfsnit[] = {
    {"fremmed", Fremmed},        {"primotal", Primotal},     {"minusakti", Minusakti},
    {"extprogske", Extprogske},  {"forandringske", Forandringske}, {"forandringtim", Forandringtim},
    {"skemabeg", Skemabeg},      {"timoak", Timoak},         {"udplatim", Udplatim},
    {"hontim", Hontim},          {"genfejl", Genfejl},       {"inifil", Inifil},
    {"message", Besked},         {"andretskema", AndretSkema}, {"ffpg", Ffpg},
    {"ffpgrel", PlanPoster},     {"ffpp", PlanPoster},       {"ffgrund", PlanPoster},
    {"ffpertab", PlanPoster},    {"fftaltab", PlanPoster},   {"medaskeprior", PlanPoster},
    {"ffpg-", Retur},            {"ffpgrel-", Retur},        {"ffpp-", Retur},
    {"ffgrund-", Retur},         {"ffpertab-", Retur},       {"fftaltab-", Retur},
    {"ffpg+", Retur},            {"ffpgrel+", Retur},        {"ffpp+", Retur},
    {"ffgrund+", Retur},         {"ffpertab+", Retur},       {"fftaltab+", Retur},
    {"B-", Retur},               {"B+", Retur},              {"S-", Retur},
    {"S+", Retur},               {"logfil", Logfil},
};

char *Ukendt(Afsnit &a, const std::string &navn, uint32_t linjeNr) {
  ImportFejlTekst(a.log, linjeNr, navn.c_str(), a.linje, IMPFEJL_AFSNIT, nullptr);
  return HverLinje(a, [](char *) {});
}

char *Dispatch(Afsnit &a, uint32_t linjeNr) {
  const std::string navn = AfsnitNavn(a.linje);
  for (const AfsnitLaeser &l : kAfsnit)
    if (navn == l.navn) return l.laes ? l.laes(a) : Ukendt(a, navn, linjeNr);
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromName(navn.c_str(), &pTd, &pTv) == 0)
    return ImportTabelSektion(a.fil, a.log, a.linje, a.art == '@' ? 'C' : 'F', pTd, pTv, a.status, 0);
  return Ukendt(a, navn, linjeNr);
}

// A broken import file would stop every later start the same way: it is
// moved aside (data\imp.fejl, for the support) in one commit, so the next
// start runs on the data as they were and the server may send a new one.
// Nothing of the import was saved: the data folder is as before.
void SaetFejletImportTilSide() {
  char fejl[kStiLaengde];
  const int n = snprintf(fejl, sizeof fejl, "%sdata\\imp.fejl", StiTab.szdata);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof fejl) return;
  Gemning g;
  GemKopi(StiTab.szimp, fejl);
  GemSlet(StiTab.szimp);
  if (g.Fuldfoer())
    LogPrintf("** Fejl: %s er ikke indlæst; data er uændrede, og filen er flyttet til %s\n", StiTab.szimp, fejl);
  else
    LogPrintf("** Fejl: %s er ikke indlæst; data er uændrede, men filen kunne ikke flyttes\n", StiTab.szimp);
}

Dato IDag() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return static_cast<Dato>(t.wYear * 10000 + t.wMonth * 100 + t.wDay);
}

void SkrivDato(const char *sektion, const char *noegle, uint32_t dato) {
  char tal[16];
  snprintf(tal, sizeof tal, "%d", static_cast<int>(dato));
  WritePrivateProfileStringA(sektion, noegle, tal, StiTab.szini);
}

// Step 2.4: the lock date, and a SuperTavo installation's period.
void Periode(const ImportStatus &st) {
  SkrivDato("global", "lasdato", st.lasdato);
  SkemaPeriode.LaasDato = st.lasdato;
  DatoTilUge(st.lasdato, &SkemaPeriode.LaasUge, nullptr);
  if (!GlobalIndstillinger.supertavo) return;
  Dato fra = st.fradato;
  const uint32_t iAar = IDag() / 10000;
  if (fra / 10000 < iAar) fra = (iAar - 1) * 10000 + 101;
  if (fra > SkemaPeriode.FraDato && fra < st.tildato) {
    SkrivDato("global", "fradato", fra);
    SkrivDato("global", "tildato", st.tildato);
    InitPeriode(fra, st.tildato, st.lasdato);
  }
}

// Step 2.6.7: the schedule priorities this installation sent for deletion.
void RydMedaskeprior() {
  if (GetPrivateProfileIntA("flag", "exportermedaskeprior", 0, StiTab.szini) == 0) {
    WritePrivateProfileStringA("flag", "exportermedaskeprior", nullptr, StiTab.szini);
    return;
  }
  for (uint32_t r = 1; r < tvmedaskeprior.wRecCnt; ++r) {
    const uint8_t *p = GetRec(&tdmedaskeprior, &tvmedaskeprior, r);
    if (p[offsetof(MedaskepriorRec, Ejer)] != GlobalIndstillinger.insnr ||
        !(p[offsetof(MedaskepriorRec, Status)] & 0x08))
      continue;
    const uint32_t blok = DelRec(&tdmedaskeprior, &tvmedaskeprior, r);
    if (blok < tvmedaskeprior.wRecCnt) tvmedaskeprior.pfSave[blok] = 1;
    if (r < tvmedaskeprior.FoersteLedige) tvmedaskeprior.FoersteLedige = r;
  }
}

// Kept files are reported the same way: the log, then a box under "Data fejl".
void Bevaret(HWND hDlg, const char *log, const char *tekst) {
  LogPrintf("** Fejl: %s: %s\n", StiTab.szimp, log);
  MessageBoxA(hDlg ? hDlg : hwndHoved, tekst, kDataFejl, MB_OK | MB_ICONEXCLAMATION);
}

// Step 2.6 after the last section.
void EfterAfsnit(HWND hDlg) {
  const int ny = GetPrivateProfileIntA("global", "nyversion", 0, StiTab.szini);
  const int gl = GetPrivateProfileIntA("global", "version", static_cast<int>(version), StiTab.szini);
  if (ny / 100 > gl / 100) {
    SletFremmedeSkemaraekker();
    SletFremmedeTimoak();
  }
  if (!HasUnansweredRows()) {
    KomprimerSkemabeg();
    KomprimerTimoak();
  }
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) SortTab(e->pTabDesc, e->pTabVar);

  // The exchange files go only with a complete save, in its commit: the
  // server counts the import delivered, so a lost save would lose it for
  // good, and a file left after the save would be read twice
  // (HentGemKrog.ForbrugteFiler).
  SletterVedGemning.store(true);

  StartGemAlleData(hDlg, 0);
  if (!SletterVedGemning.load()) {
    SidsteImportUdfald = IMPORT_INDLAEST;
  } else {
    SidsteImportUdfald = IMPORT_IKKE_GEMT;
    LogPrintf("** Fejl: Importen er indlæst men ikke gemt; %s bevares\n", StiTab.szimp);
    MessageBoxA(hDlg ? hDlg : hwndHoved,
                "Data fra importfilen kunne ikke gemmes.\n"
                "Importfilen bevares og indlæses igen ved næste start, hvis data ikke gemmes forinden.",
                "Import", MB_OK | MB_ICONEXCLAMATION);
  }

  OpbygElvrel2();
  LoadLokalElvRel();
  if (ImportDataKrog.CountFaellesElever) ImportDataKrog.CountFaellesElever();
  for (const char *n : {"exportergrupper", "exporteralrel", "exporterskfalokarel"})
    WritePrivateProfileStringA("flag", n, nullptr, StiTab.szini);
  RydMedaskeprior();
  GemStartKopi();
  if (GlobalIndstillinger.supertavo || FremmedFlag) SkrivDato("tider", "fremmedkontakt", IDag());
}

}  // namespace

int ImportDriver(HWND hDlg) {
  SidsteImportUdfald = IMPORT_INTET;
  AndretSkemaSkrevet = 0;
  char gl[kStiLaengde], ny[kStiLaengde];
  snprintf(gl, sizeof gl, "%slog\\genfejl.log", StiTab.szdata);
  snprintf(ny, sizeof ny, "%slog\\genfejl.old", StiTab.szdata);
  if (FilFindes(gl)) {
    if (!MoveFileExA(gl, ny, MOVEFILE_REPLACE_EXISTING))
      LogPrintf("** Fejl: %s kan ikke flyttes: Fejlnr: %lu\n", gl, static_cast<unsigned long>(GetLastError()));
    LayoutStatusBar();
  }

  FILE *fil = AabnDataFil(StiTab.szimp, "r");
  if (!fil) return 1;
  char logSti[kStiLaengde];
  snprintf(logSti, sizeof logSti, "%sLOG\\IMPORT.LOG", StiTab.szdata);
  FILE *log = AabnDataFil(logSti, "w");
  if (!log) {
    LogPrintf("** Fejl: %s kan ikke oprettes; importen venter\n", logSti);
    fclose(fil);
    return 1;
  }
  if (DataFilStoerrelse(fil) <= 0) {
    fclose(log);
    fclose(fil);
    SidsteImportUdfald = IMPORT_BEVARET;
    Bevaret(hDlg, "filen er tom", "Importfilen er tom og er ikke indlæst.\nFilen bevares i datakataloget.");
    return 1;
  }
  std::vector<char> buf(IMPORT_LINJE_LEN + 1);
  char *linje = buf.data();
  ImportStatus status;
  GFlag = 0;
  // The status line's own error is appended to the log by its reader.
  fflush(log);
  if (LaesImportStatus(fil, linje, &status) != 0) {
    fclose(log);
    fclose(fil);
    SidsteImportUdfald = IMPORT_BEVARET;
    Bevaret(hDlg, "statuslinjen kan ikke læses",
            "Importfilens statuslinje kan ikke læses. Filen er ikke indlæst og bevares i datakataloget.");
    return 1;
  }
  Periode(status);

  const int ok = LaesImportAfsnit(fil, log, linje, &status);
  fclose(log);
  fclose(fil);
  if (!ok) {
    SidsteImportUdfald = IMPORT_FEJL;
    return 0;
  }
  EfterAfsnit(hDlg);
  return 1;
}

int LaesImportAfsnit(FILE *fil, FILE *log, char *linje, ImportStatus *pStatus) {
  Afsnit a{fil, log, linje, pStatus, '@'};
  uint32_t linjeNr = 1;
  char *naeste = LaesImportLinje(fil, linje, IMPORT_LINJE_LEN) ? linje : nullptr;
  while (naeste) {
    ++linjeNr;
    if (ErFejl(linje)) return 0;
    if (ErHoved(linje)) {
      a.art = linje[0];
      naeste = Dispatch(a, linjeNr);
    } else {
      naeste = LaesImportLinje(fil, linje, IMPORT_LINJE_LEN) ? linje : nullptr;
    }
  }
  return 1;
}

void ImportData(HWND hDlg) {
  VenteBlok blok{};
  HWND dlg = hDlg;
  bool importeret = false;
  FremmedFlag = 0;
  if (SletterVedGemning.load() && FilFindes(StiTab.szimp)) {
    // Read in this run already; only a save that has not succeeded keeps it.
    LogPrintf("** Info: %s er allerede indlæst og venter på at blive gemt\n", StiTab.szimp);
  } else if (!GlobalIndstillinger.skemalaast && FilFindes(StiTab.szimp)) {
    GemGruppeValg(0);
    while (HWND plan = FindVindueType(kPlanVindueType)) {
      DestroyWindow(plan);
      VinduesListeFjern(plan);
    }
    if (!dlg) dlg = AabnVenteDialog(&blok);
    if (dlg) {
      SendMessageA(dlg, WM_VENTE_CAPTION, 0, reinterpret_cast<LPARAM>("Importerer data..."));
      SendMessageA(dlg, ELEMENT_NY_BREDDE, 0, reinterpret_cast<LPARAM>("REORGANISERER DATA - ET ØJEBLIK"));
    }
    if (FILE *f = AabnDataFil(StiTab.szimp, "r")) {
      std::vector<char> linje(IMPORT_LINJE_LEN + 1);
      ImportStatus st;
      GFlag = 0;
      const bool laest = DataFilStoerrelse(f) > 0 && LaesImportStatus(f, linje.data(), &st) == 0;
      fclose(f);
      if (laest && (GlobalIndstillinger.supertavo || st.Art == 'G')) {
        LukAlleVinduer();
        // Emptied in memory only: the old files go in the commit that
        // saves the imported data, and stay when the import fails.
        UdskudtNulstilling udskudt;
        if (ImportDataKrog.ResetAllData)
          ImportDataKrog.ResetAllData();
        else
          LogPrintf("** Info: Datasættet kan ikke tømmes før importen\n");
      }
    }
    if (ImportDriver(dlg) == 0) {
      if (dlg != hDlg) LukVenteDialogTraad(&blok);
      else if (dlg) ShowWindow(dlg, SW_HIDE);
      MessageBoxA(0, "Fejl i data import filen! Programmet stopper.\n\nKontakt TAVO support.", kDataFejl,
                  MB_OK | MB_ICONSTOP);
      SaetFejletImportTilSide();
      // The main window is not closed first: its closing would save the
      // half-read import, which the next start then reads again on top.
      SletLaasefilVedStop();
      LogPrintf("** Fejl: Fejl i data import filen; programmet stopper\n");
      ExitProcess(kDataFejlExitKode);
    }
    importeret = SidsteImportUdfald == IMPORT_INDLAEST || SidsteImportUdfald == IMPORT_IKKE_GEMT;
  }
  if (dlg) {
    SendMessageA(dlg, WM_VENTE_CAPTION, 0, reinterpret_cast<LPARAM>("Behandler data..."));
    SendMessageA(dlg, ELEMENT_NY_BREDDE, 0, reinterpret_cast<LPARAM>("REORGANISERER DATA - ET ØJEBLIK"));
  }
  BehandlData();
  if (dlg && dlg != hDlg) LukVenteDialogTraad(&blok);
  if (!importeret) return;

  SendTilAlleVinduer(EFTER_IMPORT, 3, 0, 0);
  if (StatusFelter.GenFejlLog) SendMessageA(StatusFelter.GenFejlLog, EFTER_IMPORT, 3, 0);
  AflystAktiSkemaCheck(hwndHoved);
  WritePrivateProfileStringA("flag", "planexport", nullptr, StiTab.szini);
  if (hDlg) ShowWindow(hDlg, SW_HIDE);
  if (ImportBesked) {
    MessageBoxA(hwndHoved, ImportBesked, "Import besked!",
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
    free(ImportBesked);
    ImportBesked = nullptr;
  }
  char sti[kStiLaengde];
  if (DataFilSti(sti, sizeof sti, "aktiprioriteter", ".dat")) SletDataFil(sti);
  FrigivAktiPrioritetMinde();
  if (AndretSkemaSkrevet) {
    snprintf(sti, sizeof sti, "%slog\\AndretSkema.log", StiTab.szdata);
    ShowLogFile("Ændret Skema log!", sti);
  }
}

int ShowLastError(const char *tekst, UINT stil) {
  const DWORD kode = GetLastError();
  char besked[1024];
  if (tekst) {
    snprintf(besked, sizeof besked, "%s\nFejlkode: %d", tekst, static_cast<int>(kode));
  } else {
    char system[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, kode, 1030, system,
                   sizeof system, nullptr);
    snprintf(besked, sizeof besked, "Fejlede på kode: %d, %s", static_cast<int>(kode), system);
  }
  return MessageBoxA(hwndHoved, besked, "Fejl", stil);
}

bool ImportVedAnkomst(HWND hovedvindue) {
  (void)hovedvindue;
  if (!GlobalIndstillinger.autoimport || GlobalIndstillinger.skemalaast || !FilFindes(StiTab.szimp)) return false;
  StatusServerBesked("Indlæser importfil...");
  ImportData(0);
  StatusServerBesked("Importfil indlæst");
  return true;
}

void ImportKommando(HWND hovedvindue) {
  if (GlobalIndstillinger.skemalaast) {
    MessageBoxA(hovedvindue, "Der kan ikke importeres i et låst skema", "Import", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // A failed unpack may have left nothing or an old file: importing then
  // would read data the server did not send.
  if (FilFindes(StiTab.szzipimp) && GunzipFile(StiTab.szzipimp, StiTab.szimp) != 0) {
    StatusServerBesked("Udpakning af importfil fejlede");
    return;
  }
  StatusServerBesked("Indlæser importfil...");
  ImportData(0);
  StatusServerBesked("Importfil indlæst");
  MessageBeep(0);
  if (ElevplanSlaaetTil && hovedvindue) PostMessageA(hovedvindue, HOVED_EP_IMPORT, 0, 0);
}
