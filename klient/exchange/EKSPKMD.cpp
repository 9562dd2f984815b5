#include "EKSPKMD.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "BESKEDER.h"
#include "EXPORT.h"
#include "GRUPPER.h"
#include "GZIP.h"
#include "INDSTIL.h"
#include "KONTAKT.h"
#include "LOGFIL.h"
#include "OPDAT.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TAVODATA.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "eksportdlg.h"
#include "win/controls.h"
#include "win/dlg.h"

namespace {

constexpr char kEksport[] = "Eksport";
constexpr char kFortryd[] = "Fortryd eksport";

bool Findes(const char *sti) { return GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES; }

void Spor(const char *tekst) {
  if (GlobalIndstillinger.trace) StdErrPrintf("%s", tekst);
}

int Boks(const char *tekst, const char *titel, UINT type) { return MessageBoxA(hwndHoved, tekst, titel, type); }

void KontaktServer() {
  if (StatusFelter.Server) SendMessageA(StatusFelter.Server, WM_KONTAKT_NU, 0, 0);
}

// Deletes the export and puts back what it marked.
void TrukketTilbage() {
  SletDataFil(StiTab.szexp);
  GlemEksportSendt();
  FjernEksportMarker();
  CountExportChanges();
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
}

void Eksporter() {
  Spor("ExportDialog\n");
  EksportValgData valg = EksportValg;
  RegistrerEksportDialoger();
  if (DialogBoxParamA(0, MAKEINTRESOURCE(IDD_EKSPORT), hwndHoved, ExportDialog, reinterpret_cast<LPARAM>(&valg)) !=
      IDOK)
    return;
  EksportValg = valg;
  Spor("GemGruppeValg\n");
  GemGruppeValg(0);
  Spor("Export\n");
  if (!EksportSkriv()) {
    // The writer has left nothing behind and marked nothing: asking about
    // the server would report a failure as a success.
    char tekst[600];
    snprintf(tekst, sizeof tekst, "Eksportfilen kunne ikke skrives.\n%s", DataFejlTekst(errno));
    Boks(tekst, kEksport, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (Boks("Eksportfil oprettet. Skal serveren kontaktes?", kEksport, MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
    Spor("Send Kontakt Timer\n");
    KontaktServer();
  } else {
    TrukketTilbage();
  }
}

}  // namespace

void SetDlgCheck(HWND hDlg, int id, unsigned char flag) {
  CheckDlgButton(hDlg, id, flag ? BST_CHECKED : BST_UNCHECKED);
}

INT_PTR CALLBACK ExportDialog(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      Spor("ExportDialog - Init - ");
      auto *v = reinterpret_cast<EksportValgData *>(lParam);
      SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
      v->skema = 1;
      v->posteringer = 1;
      v->fremmedskema = NyeDataCheck(false) != 0;
      char hentstam[8];
      GetPrivateProfileStringA("global", "hentstam", "", hentstam, sizeof hentstam, StiTab.szini);
      const bool tvungen = ErJa(hentstam);
      v->allestamdata = tvungen;
      v->autoimport = GlobalIndstillinger.autoimport;
      SetDlgCheck(hDlg, IDC_EKS_SKEMA, v->skema);
      SetDlgCheck(hDlg, IDC_EKS_POSTERINGER, v->posteringer);
      SetDlgCheck(hDlg, IDC_EKS_FREMMED, v->fremmedskema);
      SetDlgCheck(hDlg, IDC_EKS_ALLESTAM, v->allestamdata);
      SetDlgCheck(hDlg, IDC_EKS_AUTOIMPORT, v->autoimport);
      if (tvungen) EnableWindow(GetDlgItem(hDlg, IDC_EKS_ALLESTAM), FALSE);
      Spor("Done\n");
      return TRUE;
    }
    case WM_COMMAND: {
      auto *v = reinterpret_cast<EksportValgData *>(GetWindowLongPtrA(hDlg, DWLP_USER));
      if (LOWORD(wParam) == IDOK) {
        Spor("ExportDialog - IDOK - Init - ");
        auto boks = [&](int id) -> uint8_t { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; };
        v->skema = boks(IDC_EKS_SKEMA);
        v->posteringer = boks(IDC_EKS_POSTERINGER);
        v->ubrugt = 0;
        v->fremmedskema = boks(IDC_EKS_FREMMED);
        v->allestamdata = boks(IDC_EKS_ALLESTAM);
        v->autoimport = boks(IDC_EKS_AUTOIMPORT);
        if (v->autoimport != GlobalIndstillinger.autoimport) {
          GlobalIndstillinger.autoimport = v->autoimport;
          WritePrivateProfileStringA("kontakt", "autoimport", v->autoimport ? "ja" : "nej", StiTab.szini);
        }
        Spor("Done\n");
        EndDialog(hDlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        Spor("ExportDialog - IDCANCEL - Init - ");
        Spor("Done\n");
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
      }
      break;
    }
  }
  return FALSE;
}

int CheckGammelEksport() {
  const int indstillet = GetPrivateProfileIntA("global", "version", 10000, StiTab.szini);
  if (GlobalIndstillinger.supertavo) return 1;
  if (Findes(StiTab.szzipexp)) {
    const int rc = GunzipFile(StiTab.szzipexp, StiTab.szexp);
    if (rc != 0) LogPrintf("** Fejl: CheckGammelEksport(): %s kan ikke pakkes ud (%d)\n", StiTab.szzipexp, rc);
  }
  FILE *f = AabnDataFil(StiTab.szexp, "rb");
  if (!f) return 1;
  char linje[256] = "";
  int udgave = 0;
  if (fgets(linje, sizeof linje, f) && sscanf(linje, "%*c;%*c;%*d;%d", &udgave) != 1) udgave = 0;
  fclose(f);
  if (udgave >= indstillet) return 1;
  TrukketTilbage();
  if (udgave >= 1)
    Boks("Der var lavet en eksport med en gammel version og denne er blevet slettet. Lav en ny eksport inden du "
         "kontakter igen!",
         "FEJL Gammel eksportfil", MB_OK | MB_ICONEXCLAMATION);
  return 0;
}

void StartExport() {
  constexpr UINT kInfo = MB_OK | MB_ICONINFORMATION;
  Spor("\nStart Export --------------------------------------------------\n\n");
  auto slut = [] { Spor("\nSlut  Export --------------------------------------------------\n\n"); };
  Spor("Tjek-TavoNr\n");
  if (GlobalIndstillinger.insnr == 0 || GlobalIndstillinger.insnr > 99) {
    Boks("Der kan ikke eksporteres, idet installationsnummeret ikke er korrekt.", kEksport, kInfo);
    return slut();
  }
  Spor("Tjek-LastSkema\n");
  if (GlobalIndstillinger.skemalaast) {
    Boks("Der kan ikke eksporteres fra et låst skema.", kEksport, kInfo);
    return slut();
  }
  CheckGammelEksport();
  if (GlobalIndstillinger.trace) StdErrPrintf("Tjek-szimp+szzipimp %s,%s\n", StiTab.szimp, StiTab.szzipimp);
  if (Findes(StiTab.szimp) || Findes(StiTab.szzipimp)) {
    Boks("Datakataloget indeholder en importfil, hvorfor der ikke\nkan eksporteres.\n\nIndlæs først importfilen og "
         "vælg derefter eksport igen.",
         kEksport, kInfo);
    return slut();
  }
  if (GlobalIndstillinger.trace) StdErrPrintf("Tjek-szexp+szzipexp %s,%s\n", StiTab.szexp, StiTab.szzipexp);
  if (Findes(StiTab.szexp) || Findes(StiTab.szzipexp)) {
    if (Boks("Der er allerede oprettet en eksportfil.\nSkal serveren kontaktes?", kEksport,
             MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
      KontaktServer();
    return slut();
  }
  Eksporter();
  slut();
}

bool EksportTilladt(HWND hovedvindue) {
  if (Findes(StiTab.szdisableserver) || Findes(StiTab.szdisableserverprog)) {
    MessageBoxA(hovedvindue, "Der er spærret for server kontakt for denne installation", "Eksport/Kontakt",
                MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (GlobalIndstillinger.supertavo) {
    MessageBoxA(hovedvindue, "Der kan ikke eksporteres fra et SuperTavo-skema", kEksport, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

void EksportKommando(HWND hovedvindue) {
  if (EksportTilladt(hovedvindue)) StartExport();
}

void FortrydEksportKommando(HWND hovedvindue) {
  if (Findes(StiTab.szzipexp)) {
    MessageBoxA(hovedvindue, "Eksporten er sendt til serveren og kan ikke fortrydes. Kontakt istedet serveren !",
                kFortryd, MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (Findes(StiTab.szzipimp) || Findes(StiTab.szimp)) {
    MessageBoxA(hovedvindue,
                "Import filen er modtaget, men ikke indlæst. Istedet indlæs import filen (Ctrl + F11) !", kFortryd,
                MB_OK | MB_ICONINFORMATION);
    return;
  }
  // Without a written export the old rule would take back the marks of
  // exports that are long sent, and they would go out again.
  if (!Findes(StiTab.szexp)) {
    MessageBoxA(hovedvindue, "Der er ingen eksport at fortryde.", kFortryd, MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (MessageBoxA(hovedvindue, "Ønsker du at fortryde eksport ?", kFortryd, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return;
  TrukketTilbage();
  MessageBoxA(hovedvindue, "Eksporten er nu annulleret !", kFortryd, MB_OK | MB_ICONINFORMATION);
}
