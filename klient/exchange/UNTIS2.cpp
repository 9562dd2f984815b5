// The choices of a timetable import: period, file and the method for lessons that meet events.
#include "UNTIS2.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DATO.h"
#include "INDSTIL.h"
#include "STITAB.h"
#include "win/controls.h"
#include "win/shellapi.h"

namespace {

constexpr int kFeltLaengde = 260;  // a folder or file name field: 259 characters
constexpr int kIniTal = 10;        // a remembered date or week: 9 characters
constexpr int kTalFelt = 64;
constexpr int kUgeMappeTegn = 79;  // the week dialog's folder field

ExtImportIndstillinger *Ind(HWND dlg) {
  return reinterpret_cast<ExtImportIndstillinger *>(GetWindowLongPtrA(dlg, GWLP_USERDATA));
}

void LaesIni(const char *sektion, const char *noegle, char *buf, DWORD n) {
  GetPrivateProfileStringA(sektion, noegle, "", buf, n, StiTab.szini);
}

void SkrivIni(const char *sektion, const char *noegle, const char *vaerdi) {
  if (GlobalIndstillinger.skemalaast) return;
  WritePrivateProfileStringA(sektion, noegle, vaerdi, StiTab.szini);
}

// A remembered value of at most laengde - 1 characters into a field.
void VisIndstilling(HWND dlg, int id, const char *sektion, const char *noegle, DWORD laengde) {
  char vaerdi[kFeltLaengde];
  LaesIni(sektion, noegle, vaerdi, laengde < sizeof vaerdi ? laengde : sizeof vaerdi);
  SetDlgItemTextA(dlg, id, vaerdi);
}

// The remembered folder, or the data folder without its last character.
void VisMappe(HWND dlg, int id, const char *sektion, const char *noegle) {
  char mappe[kFeltLaengde];
  LaesIni(sektion, noegle, mappe, sizeof mappe);
  if (mappe[0] == '\0') {
    const size_t n = strnlen(StiTab.szdata, sizeof mappe);
    if (n > 0) memcpy(mappe, StiTab.szdata, n - 1);
    mappe[n > 0 ? n - 1 : 0] = '\0';
  }
  SetDlgItemTextA(dlg, id, mappe);
}

// An error box of the run; a text that begins with a blank follows the
// source name.
int Fejl(HWND dlg, const char *tekst, UINT type = MB_OK | MB_ICONEXCLAMATION) {
  const std::string titel = ImportFilSti(" - Fejl");
  const std::string besked = tekst[0] == ' ' ? ImportKildeNavn + std::string(tekst) : std::string(tekst);
  return MessageBoxA(dlg, besked.c_str(), titel.c_str(), type);
}

// Whether to go on when the conversion files are not all there; Cancel ends
// the dialog with 2.
bool KonverteringOk(HWND dlg, const char *mappe) {
  if (FindKonvFiler(mappe)) return true;
  if (Fejl(dlg, " konverteringsfilerne ikke fundet.\nVil du fortsætte uden konverteringsfilerne?",
           MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL)
    return true;
  EndDialog(dlg, 2);
  return false;
}

void VaelgMappe(HWND dlg, int id) {
  char navn[MAX_PATH] = "";
  BROWSEINFOA bi{};
  bi.hwndOwner = dlg;
  bi.pszDisplayName = navn;
  bi.lpszTitle = "Åben mappe til skema filerne";
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST valgt = SHBrowseForFolderA(&bi);
  if (valgt == nullptr) return;
  char mappe[MAX_PATH];
  if (SHGetPathFromIDListA(valgt, mappe)) SetDlgItemTextA(dlg, id, mappe);
  CoTaskMemFree(valgt);
}

// Whether the week YYYYWW exists: its year has that many weeks.
bool UgeFindes(int32_t uge) {
  if (uge < 190001 || uge > 209953) return false;
  const uint32_t nr = static_cast<uint32_t>(uge) % 100;
  return nr >= 1 && nr <= UgerIAar(static_cast<uint32_t>(uge) / 100);
}

// The date of a weekday of a typed week; 0 (no valid date) for a week that
// does not exist, which would otherwise run on into the next year.
Dato UgeDato(int32_t uge, uint8_t ugedag) {
  return UgeFindes(uge) ? UgeDagTilDato(static_cast<Uge>(uge), ugedag) : 0;
}

bool IPerioden(Dato fra, Dato til) { return fra >= SkemaPeriode.FraDato && til <= SkemaPeriode.TilDato; }

void HentMappe(HWND dlg, int id, ExtImportIndstillinger *ind) {
  GetDlgItemTextA(dlg, id, ind->Mappe, sizeof ind->Mappe);
}

// The date-interval dialog, for dates (Untis) or weeks (Lectio), and the
// week-interval dialog (Tabulex): one template, three readings of it.
enum class Interval { Datoer, LectioUger, TabulexUger };

void IntervalStart(HWND dlg, Interval art) {
  static const char *const ledetekst[] = {"Datointerval: (ÅÅÅÅMMDD)", "Ugeinterval (ÅÅÅÅUU)",
                                          "Uge interval: (ÅÅÅÅUU)"};
  SetDlgItemTextA(dlg, IDC_IMP_INTERVAL, ledetekst[static_cast<int>(art)]);
  VisMappe(dlg, IDC_IMP_MAPPE, "untis", "filnavn");
  char fra[kIniTal], til[kIniTal];
  LaesIni("untis", "fradato", fra, sizeof fra);
  LaesIni("untis", "tildato", til, sizeof til);
  if (art == Interval::TabulexUger) {
    // Dates remembered from another source are shown as their weeks.
    for (char *v : {fra, til}) {
      if (strlen(v) <= 6) continue;
      Uge uge = 0;
      DatoTilUge(static_cast<Dato>(ImportHelTal(v)), &uge, nullptr);
      snprintf(v, kIniTal, "%u", uge);
    }
  }
  SetDlgItemTextA(dlg, IDC_IMP_FRA, fra);
  SetDlgItemTextA(dlg, IDC_IMP_TIL, til);
  SetFocus(GetDlgItem(dlg, fra[0] ? IDOK : IDC_IMP_FRA));
}

void IntervalOk(HWND dlg, Interval art) {
  ExtImportIndstillinger *ind = Ind(dlg);
  char mappe[kFeltLaengde], fra[kTalFelt], til[kTalFelt];
  GetDlgItemTextA(dlg, IDC_IMP_MAPPE, mappe, sizeof mappe);
  GetDlgItemTextA(dlg, IDC_IMP_FRA, fra, sizeof fra);
  GetDlgItemTextA(dlg, IDC_IMP_TIL, til, sizeof til);
  if (mappe[0] == '\0' || fra[0] == '\0' || til[0] == '\0' || ind == nullptr) return;
  HentMappe(dlg, IDC_IMP_MAPPE, ind);
  if (art == Interval::Datoer) {
    ind->fradato = static_cast<Dato>(ImportHelTal(fra));
    ind->tildato = static_cast<Dato>(ImportHelTal(til));
  } else {
    ind->fradato = UgeDato(ImportHelTal(fra), 1);
    ind->tildato = UgeDato(ImportHelTal(til), 5);
  }

  // The checks in their order; Tabulex words them by weeks.
  static const char *const tekster[2][4] = {
      {"Fradato er ikke valid.", "Tildato er ikke valid.", "Fradato skal være mindre eller lig Tildato.",
       "Fradato og Tildato skal være inden for skemaets periode."},
      {"Frauge er ikke valid.", "Tiluge er ikke valid.", "Frauge skal være mindre eller lig Tiluge.",
       "Frauge og Tiluge skal være inden for skemaets periode."}};
  const char *const *fejl = tekster[art == Interval::TabulexUger];
  if (art == Interval::Datoer && !KonverteringOk(dlg, ind->Mappe)) return;
  if (!FindSkemaFil(*ind, 0)) return void(Fejl(dlg, " skema filen ikke fundet."));
  if (!GyldigDato(ind->fradato)) return void(Fejl(dlg, fejl[0]));
  if (!GyldigDato(ind->tildato)) return void(Fejl(dlg, fejl[1]));
  if (ind->fradato > ind->tildato) return void(Fejl(dlg, fejl[2]));
  if (!IPerioden(ind->fradato, ind->tildato)) return void(Fejl(dlg, fejl[3], MB_OKCANCEL | MB_ICONEXCLAMATION));
  EndDialog(dlg, 1);
  SkrivIni("untis", "filnavn", ind->Mappe);
  SkrivIni("untis", "fradato", fra);
  SkrivIni("untis", "tildato", til);
}

// What a folder dialog does at its start, on OK and on "&Browse...";
// Cancel ends it with 2.
struct DlgHandlinger {
  void (*start)(HWND);
  void (*ok)(HWND);
  void (*browse)(HWND);
};

INT_PTR ImportDlg(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam, const DlgHandlinger &h) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dlg, GWLP_USERDATA, lParam);
      h.start(dlg);
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: h.ok(dlg); return TRUE;
        case IDCANCEL: EndDialog(dlg, 2); return TRUE;
        case IDC_IMP_BROWSE: h.browse(dlg); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

void VaelgImportMappe(HWND dlg) { VaelgMappe(dlg, IDC_IMP_MAPPE); }

void UgeStart(HWND dlg) {
  SendDlgItemMessageA(dlg, IDC_IMP_MAPPE, EM_LIMITTEXT, kUgeMappeTegn, 0);
  VisMappe(dlg, IDC_IMP_MAPPE, "untis", "filnavn");
  VisIndstilling(dlg, IDC_IMP_UGENR, "untis", "ugenr", kIniTal);
  SetFocus(GetDlgItem(dlg, IDC_IMP_MAPPE));
}

void UgeOk(HWND dlg) {
  ExtImportIndstillinger *ind = Ind(dlg);
  char mappe[kFeltLaengde], uge[kTalFelt];
  GetDlgItemTextA(dlg, IDC_IMP_MAPPE, mappe, sizeof mappe);
  GetDlgItemTextA(dlg, IDC_IMP_UGENR, uge, sizeof uge);
  if (mappe[0] == '\0' || uge[0] == '\0' || ind == nullptr) return;
  HentMappe(dlg, IDC_IMP_MAPPE, ind);
  const int32_t ugenr = ImportHelTal(uge);
  ind->ugenr = static_cast<Uge>(ugenr);
  ind->fradato = UgeDato(ugenr, 1);
  ind->tildato = UgeDato(ugenr, 5);
  if (!UgeFindes(ugenr) || !GyldigDato(ind->fradato) || !GyldigDato(ind->tildato) || ind->fradato >= ind->tildato)
    return void(Fejl(dlg, "Ugenr er ikke valid."));
  if (!KonverteringOk(dlg, ind->Mappe)) return;
  if (!FindSkemaFil(*ind, ind->ugenr % 100)) return void(Fejl(dlg, " filerne ikke fundet."));
  if (!IPerioden(ind->fradato, ind->tildato))
    return void(
        Fejl(dlg, "Ugen ligger helt eller delvist uden for skemaets periode.", MB_OKCANCEL | MB_ICONEXCLAMATION));
  EndDialog(dlg, 1);
  char fra[16], til[16];
  snprintf(fra, sizeof fra, "%i", static_cast<int>(ind->fradato));
  snprintf(til, sizeof til, "%i", static_cast<int>(ind->tildato));
  SkrivIni("untis", "filnavn", ind->Mappe);
  SkrivIni("untis", "ugenr", uge);
  SkrivIni("untis", "fradato", fra);
  SkrivIni("untis", "tildato", til);
}

void VaelgFil(HWND dlg) { VaelgImportFil(dlg, "ExtSkema fil (*.txt)\0*.txt\0", "Åben extern skema fil"); }

void ExtFilStart(HWND dlg) {
  VisMappe(dlg, IDC_EXT_MAPPE, "ExtSkema", "path");
  VisIndstilling(dlg, IDC_EXT_FILNAVN, "ExtSkema", "filnavn", kFeltLaengde);
  SetFocus(GetDlgItem(dlg, IDC_EXT_MAPPE));
}

void ExtFilOk(HWND dlg) {
  ExtImportIndstillinger *ind = Ind(dlg);
  char mappe[kFeltLaengde], navn[kFeltLaengde];
  GetDlgItemTextA(dlg, IDC_EXT_MAPPE, mappe, sizeof mappe);
  GetDlgItemTextA(dlg, IDC_EXT_FILNAVN, navn, sizeof navn);
  if (mappe[0] == '\0' || navn[0] == '\0' || ind == nullptr) return;
  HentMappe(dlg, IDC_EXT_MAPPE, ind);
  GetDlgItemTextA(dlg, IDC_EXT_FILNAVN, ind->FilNavn, sizeof ind->FilNavn);
  if (ind->Kilde == KILDE_UNTIS_DATO && !KonverteringOk(dlg, ind->Mappe)) return;
  if (!FindSkemaFil(*ind, 0)) {
    MessageBoxA(dlg,
                "ExtSkema filen ikke fundet.\nTjek om du har angivet en korrekt sti.\nEller navngivet filen korrekt.",
                "ExtSkema - Fejl", MB_OK | MB_ICONEXCLAMATION);
    EndDialog(dlg, 2);
    return;
  }
  EndDialog(dlg, 1);
  SkrivIni("ExtSkema", "path", ind->Mappe);
  SkrivIni("ExtSkema", "filnavn", ind->FilNavn);
}

}  // namespace

bool VaelgImportFil(HWND dlg, const char *filter, const char *titel) {
  char mappe[kFeltLaengde];
  GetDlgItemTextA(dlg, IDC_EXT_MAPPE, mappe, sizeof mappe);
  char fil[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dlg;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = fil;
  ofn.nMaxFile = sizeof fil;
  ofn.lpstrInitialDir = mappe;
  ofn.lpstrTitle = titel;
  ofn.lpstrDefExt = "txt";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&ofn) || ofn.nFileOffset == 0) return false;
  SetDlgItemTextA(dlg, IDC_EXT_FILNAVN, fil + ofn.nFileOffset);
  fil[ofn.nFileOffset - 1] = '\0';  // the backslash before the name
  SetDlgItemTextA(dlg, IDC_EXT_MAPPE, fil);
  return true;
}

INT_PTR CALLBACK DatoIntervalDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Lectio reads weeks into the same fields.
  const auto *ind =
      msg == WM_INITDIALOG ? reinterpret_cast<const ExtImportIndstillinger *>(lParam) : Ind(hDlg);
  static const DlgHandlinger datoer = {[](HWND d) { IntervalStart(d, Interval::Datoer); },
                                       [](HWND d) { IntervalOk(d, Interval::Datoer); }, VaelgImportMappe};
  static const DlgHandlinger uger = {[](HWND d) { IntervalStart(d, Interval::LectioUger); },
                                     [](HWND d) { IntervalOk(d, Interval::LectioUger); }, VaelgImportMappe};
  return ImportDlg(hDlg, msg, wParam, lParam, ind && ind->Kilde == KILDE_LECTIO ? uger : datoer);
}

INT_PTR CALLBACK UgeIntervalDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  static const DlgHandlinger h = {[](HWND d) { IntervalStart(d, Interval::TabulexUger); },
                                  [](HWND d) { IntervalOk(d, Interval::TabulexUger); }, VaelgImportMappe};
  return ImportDlg(hDlg, msg, wParam, lParam, h);
}

INT_PTR CALLBACK UgeDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  static const DlgHandlinger h = {UgeStart, UgeOk, VaelgImportMappe};
  return ImportDlg(hDlg, msg, wParam, lParam, h);
}

INT_PTR CALLBACK ExtSkemaFilDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  static const DlgHandlinger h = {ExtFilStart, ExtFilOk, VaelgFil};
  return ImportDlg(hDlg, msg, wParam, lParam, h);
}

INT_PTR CALLBACK MetodeDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowTextA(hDlg, "Extern skema import");
      SetDlgItemTextA(hDlg, IDC_METODE_TEKST, lParam ? reinterpret_cast<const char *>(lParam) : "");
      CheckRadioButton(hDlg, IDC_METODE_OVERSKRIV, IDC_METODE_IGNORER, IDC_METODE_OVERSKRIV);
      SetFocus(GetDlgItem(hDlg, IDC_METODE_OVERSKRIV));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          ImportMetode.Overskriv = IsDlgButtonChecked(hDlg, IDC_METODE_OVERSKRIV) == BST_CHECKED;
          ImportMetode.Dobbeltskema = IsDlgButtonChecked(hDlg, IDC_METODE_DOBBELT) == BST_CHECKED;
          ImportMetode.Ignorer = IsDlgButtonChecked(hDlg, IDC_METODE_IGNORER) == BST_CHECKED;
          EndDialog(hDlg, 1);
          return TRUE;
        case IDCANCEL: EndDialog(hDlg, 2); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}
