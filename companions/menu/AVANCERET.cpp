// Dialog 105 and its maintenance actions. The delete action goes on past a
// file it cannot delete, but says which files are left instead of saying
// that all is deleted.

#include "AVANCERET.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "FLYT.h"
#include "IKKEBOKS.h"
#include "MENU.h"
#include "SUPPORTFTP.h"
#include "VERSIONINFO.h"
#include "menuressourcer.h"

const TavoMenuTab TavoMenuTabRegister[] = {
    {"tg", true}, {"pp", true}, {"la", true}, {"lap", true}, {"elev", true}, {"elti", true}, {"ev", true}, {"eb", true},
    {"anom", false}, {"hontity", false}, {"lektregl", false}, {"nojt", false}, {"eakt", false}, {"loty", false},
    {"aldtil", false}, {"afsp", false}, {"beltil", false}, {"omsdag", false}, {"opgkal", false}, {"opgper", false},
    {"araf", false}, {"aftalop", false}, {"afme", false}, {"meda", false}, {"anfo", false}, {"ansc", false},
    {"ansk", false}, {"acsa", false}, {"udgr", false}, {"loka", false}, {"risy", false}, {"skka", false},
    {"akgr", false}, {"kdagrel", false}, {"kaldag", false}, {"akti", false}, {"skfa", false}, {"skph", false},
    {"sphp", false}, {"lokrotyp", false}, {"lokrolle", false}, {"skemrtyp", false}, {"skemarol", false},
    {"bem", false}, {"aakrel", false}, {"miak", false}, {"minutfau", false}, {"minutud", false},
    {"planakt", false}, {"mipl", false}, {"fagfordl", false}, {"udlplan", false}, {"budt", false},
    {"buftim", false}, {"normjust", false}, {"elvrel", false}, {"elvrel2", false}, {"fagelv", false},
    {"ret", false}, {"pom", false}, {"bygn", false}, {"amm", false}, {"ins", false}, {"pers", false},
    {"epsh", false}, {"akpl", false}, {"frit", false}, {"uvfo", false}, {"unko", false}, {"alrel", false},
    {"skfalokarel", false}, {"tif", false}, {"hjpakt", false}, {"frty", false}, {"ffpg", false}, {"ffpp", false},
    {"ffgrund", false}, {"ffpertab", false}, {"fftaltab", false}, {"fffagfordl", false}, {"ffpgrel", false},
    {"medaskeprior", false},
};
const size_t TavoMenuTabAntal = sizeof TavoMenuTabRegister / sizeof TavoMenuTabRegister[0];

namespace {

// The side files deleted with the tables.
const char *const kSideFiler[] = {"skemabeg", "timoak", "udplatim", "hontim", "CntLokaleBeg"};

const int kHandlinger[] = {IDC_SUPPORT, IDC_LAAS, IDC_SLET_DATA, IDC_SLET_LAAS, IDC_FLYT};

// The move drive's entry in the drive list, and the move drive when the
// dialog opened (Fortryd gives it back).
int g_FlytDrevIndeks = -1;
char g_FlytDrevFoer[sizeof g_Menu.FlytDrev];

std::string Data(const char *rel) { return std::string(g_Menu.DataMappe) + rel; }

bool LaasefilIBrug() { return FilAdgang(Data("ini\\tavo.lck").c_str()) == 0; }

int Spoerg(HWND ejer, const std::string &tekst) {
  return MessageBoxA(ejer, tekst.c_str(), "Advarsel!", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
}

char Stort(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool SammeDrev(const char *a, const char *b) { return Stort(a[0]) == Stort(b[0]) && a[0] && a[1] == b[1]; }

std::string DrevTekst(const char *rod) {
  char navn[262] = "";
  if (HentVolumenNavn(navn, rod) && navn[0]) return navn;
  const char drev[3] = {rod[0], ':', '\0'};
  switch (DrevType(rod)) {
    case DRIVE_REMOVABLE:
      return "Flytbar";
    case DRIVE_FIXED:
      return "Lokal disk";
    case DRIVE_REMOTE: {
      char netnavn[MAX_PATH] = "";
      DWORD laengde = sizeof netnavn;
      if (WNetGetConnectionA(drev, netnavn, &laengde) == NO_ERROR) return netnavn;
      return "";
    }
    case DRIVE_CDROM:
      return "Cd-drev";
    case DRIVE_RAMDISK:
      return "Ram disk";
    default:
      return "";
  }
}

void GenTegn(HWND dlg) {
  InvalidateRect(dlg, nullptr, TRUE);
  UpdateWindow(dlg);
}

int ValgtHandling(HWND dlg) {
  for (int id : kHandlinger)
    if (IsDlgButtonChecked(dlg, id) == BST_CHECKED) return id;
  return 0;
}

void VaelgHandling(HWND dlg, int valgt) {
  for (int id : kHandlinger) CheckDlgButton(dlg, id, id == valgt ? BST_CHECKED : BST_UNCHECKED);
}

void FyldDrevListe(HWND dlg) {
  HWND combo = GetDlgItem(dlg, IDC_FLYTDREV);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  int i = 0;
  for (const TekstLed *l = g_Menu.DrevListe; l; l = l->naeste, ++i) {
    const std::string linje = "(" + l->tekst.substr(0, 2) + ") " + l->tekst.substr(2);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(linje.c_str()));
    if (SammeDrev(l->tekst.c_str(), g_Menu.FlytDrev)) {
      g_FlytDrevIndeks = i;
      SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
  }
}

void SaetLaasTekst(HWND dlg) {
  SetDlgItemTextA(dlg, IDC_LAAS, g_Menu.Laast ? "&Åbn TAVO-skema" : "L&ås TAVO-skema");
}

void MaalAvanceret(HWND dlg) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dlg, &ps);
  TegnFokusMarkoerer(dlg, dc, IDC_AV_RAMME);
  EndPaint(dlg, &ps);
  SaetLaasTekst(dlg);
}

// The move, from or to the move drive by the lock; false when the dialog
// is to stay open.
bool Flyt(HWND dlg) {
  if (LaasefilIBrug()) {
    MessageBoxA(dlg,
                "Du er ved at flytte data fra en TAVO, som er i brug af en anden bruger\n"
                "TAVO skal være afsluttet inden der kan flyttes data!",
                "OBS!", MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!g_Menu.Laast || LaesFlytIni(FlytIniSti()).version != g_Menu.Version) {
    if (CheckOpdPakke(dlg) != 1) return true;
  }
  DialogBoxParamA((HINSTANCE)GetWindowLongPtrA(dlg, GWLP_HINSTANCE), MAKEINTRESOURCEA(IDD_ARBEJDE), dlg,
                  g_Menu.Laast ? FlytTilHarddiskDlgProc : FlytTilEnhedDlgProc, 0);
  SetMenuButtonTexts(dlg);
  return true;
}

// Runs the chosen action; false when the dialog is to stay open.
bool KoerHandling(HWND dlg) {
  switch (ValgtHandling(dlg)) {
    case IDC_SUPPORT:
      SendSupportData(dlg);
      return true;
    case IDC_LAAS:
      LaasAabnSkema(dlg);
      return true;
    case IDC_SLET_DATA:
      if (BekraeftSletData(dlg))
        DialogBoxParamA((HINSTANCE)GetWindowLongPtrA(dlg, GWLP_HINSTANCE), MAKEINTRESOURCEA(IDD_ARBEJDE), dlg,
                        SletDataDlgProc, 0);
      return true;
    case IDC_SLET_LAAS:
      if (BekraeftSletLaasefil(dlg) && LaasefilIBrug()) DeleteFileA(Data("ini\\tavo.lck").c_str());
      return true;
    case IDC_FLYT:
      return Flyt(dlg);
    default:
      return true;
  }
}

void SletData(HWND dlg) {
  ShowWindow(dlg, SW_SHOW);
  ShowWindow(GetDlgItem(dlg, IDC_BJAELKE2), SW_HIDE);
  int antal = 0;
  for (size_t i = 0; i < TavoMenuTabAntal; ++i) antal += TavoMenuTabRegister[i].behold ? 0 : 1;
  HWND bjaelke = GetDlgItem(dlg, IDC_BJAELKE1);
  SendMessageA(bjaelke, PBM_SETRANGE, 0, MAKELPARAM(0, antal + 4));
  SendMessageA(bjaelke, PBM_SETSTEP, 1, 0);
  std::string tilbage;
  auto slet = [&](const char *navn, const char *format) {
    char sti[kMenuSti + 64];
    std::snprintf(sti, sizeof sti, format, g_Menu.DataMappe, navn);
    if (!DeleteFileA(sti) && GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES) tilbage += std::string("\n") + sti;
  };
  for (size_t i = 0; i < TavoMenuTabAntal; ++i) {
    const TavoMenuTab &t = TavoMenuTabRegister[i];
    if (t.behold) continue;
    SetDlgItemTextA(dlg, IDC_STATUSLINJE, (std::string("Sletter filen: ") + t.navn).c_str());
    slet(t.navn, "%sdata/%s.DAT");
    SendMessageA(bjaelke, PBM_STEPIT, 0, 0);
  }
  for (const char *s : kSideFiler) slet(s, "%sdata/%s.dat");
  SendMessageA(bjaelke, PBM_SETPOS, static_cast<WPARAM>(antal + 4), 0);
  if (tilbage.empty())
    MessageBoxA(dlg, "Så er skemadata slettet!", "Information", MB_OK | MB_ICONINFORMATION);
  else
    MessageBoxA(dlg, ("Disse filer kunne ikke slettes:" + tilbage + "\n\nSkemadata er ikke slettet helt.").c_str(),
                "Advarsel!", MB_OK | MB_ICONWARNING);
}

}  // namespace

// ---- Drives ----

void ByggDrevListe() {
  FrigivDrevListe();
  char buf[260];
  const DWORD n = GetLogicalDriveStringsA(sizeof buf, buf);
  if (n == 0 || n > sizeof buf) return;
  for (const char *p = buf; *p; p += std::strlen(p) + 1) {
    const std::string post = std::string(p, 2) + DrevTekst(p);
    ListeTilfoej(&g_Menu.DrevListe, post.c_str());
  }
}

void FrigivDrevListe() {
  ListeFrigiv(&g_Menu.DrevListe);
  g_FlytDrevIndeks = -1;
}

int ValgFlytdrev(HWND combo) {
  const int valgt = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
  // Nothing chosen (the move drive is not among the drives): nothing to
  // take over and nothing to complain about.
  if (valgt < 0) return 0;
  const TekstLed *l = ListeElement(g_Menu.DrevListe, valgt);
  const std::string drev = l ? l->tekst.substr(0, 2) : std::string();
  if (drev.size() < 2 || DrevType(drev.c_str()) < DRIVE_REMOVABLE) {
    MessageBoxA(GetParent(combo), "Flytdrevet er ikke et gyldigt drev bogstav!", "Flytdrev", MB_OK | MB_ICONWARNING);
    SetFocus(combo);
    return 0;
  }
  if (SammeDrev(drev.c_str(), g_Menu.FlytDrev)) return 0;
  g_FlytDrevIndeks = valgt;
  std::snprintf(g_Menu.FlytDrev, sizeof g_Menu.FlytDrev, "%s", drev.c_str());
  return 1;
}

// ---- Actions ----

void LaasAabnSkema(HWND ejer) {
  const char *tekst = g_Menu.Laast
                          ? "Er du sikker på at du vil 'åbne' skemaet?\n Dette bør normalt gøres ved at Flytte skemaet "
                            "til harddisk!"
                          : "Er du sikker på at du vil 'låse' skemaet?\n Dette bør normalt gøres ved at Flytte skemaet "
                            "til enhed!";
  if (MessageBoxA(ejer, tekst, "Information", MB_YESNO | MB_ICONWARNING) != IDYES) return;
  const int ny = g_Menu.Laast ? 0 : 1;
  if (!SkrivIni("global", "skemalåst", ny ? "ja" : "nej", g_Menu.IniFil)) {
    VisSystemFejl(nullptr, MB_OK | MB_ICONERROR);
    return;
  }
  g_Menu.Laast = ny;
}

int LaesCntLokaleBeg(unsigned long *begivenheder, unsigned long *posteringer) {
  *begivenheder = 0;
  *posteringer = 0;
  char sti[kMenuSti + 32];
  std::snprintf(sti, sizeof sti, "%sdata/CntLokaleBeg.dat", g_Menu.DataMappe);
  FILE *f = fopen(sti, "r");
  if (!f) return -1;
  unsigned long b = 0, p = 0;
  const int n = std::fscanf(f, "%lu, %lu", &b, &p);
  fclose(f);
  if (n != 2) return -1;
  *begivenheder = b;
  *posteringer = p;
  return 0;
}

int BekraeftSletData(HWND ejer) {
  char tekst[600];
  int svar = 0;
  bool spurgt = false;
  if (LaasefilIBrug()) {
    std::snprintf(tekst, sizeof tekst,
                  "Bemærk at data'ene tilhørende installation nr. %i er i brug !!!\n\nEr du sikker på du vil slette data?",
                  g_Menu.Insnr);
    if (Spoerg(ejer, tekst) != IDYES) return 0;
    svar = IDYES;
    spurgt = true;
  }
  if (FilAdgang(Data("data\\exp.dat.gz").c_str()) == 1) {
    unsigned long begivenheder = 0, posteringer = 0;
    LaesCntLokaleBeg(&begivenheder, &posteringer);
    std::string t = "Dette vil slette ALLE skemadata på TAVO-installation nr. " + std::to_string(g_Menu.Insnr) +
                    " !!!\n\n";
    if (begivenheder != 0 || posteringer != 0) {
      std::snprintf(tekst, sizeof tekst,
                    "%sMen der ligger %lu skemabegivenheder og %lu posteringer, som ikke er afleveret til EASY. Disse "
                    "vil gå tabt!\n",
                    t.c_str(), begivenheder, posteringer);
      t = tekst;
    }
    t += "\nEr du sikker på du vil fortsætte?";
    if (!spurgt) svar = Spoerg(ejer, t);
  } else {
    svar = Spoerg(ejer, "Bemærk at der er lavet og SENDT en eksportfil !!!\n\nEr du sikker på du vil slette data?");
  }
  if (svar != IDYES) return 0;
  return Spoerg(ejer, "Er du HELT sikker du vil slette skemadata?") == IDYES ? 1 : 0;
}

INT_PTR CALLBACK SletDataDlgProc(HWND dlg, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowTextA(dlg, "Sletter filer...");
      SetDlgItemTextA(dlg, IDC_OVERSKRIFT, "SLETTER DATA FILER    ET ØJEBLIK...");
      SetPropA(dlg, "Foerste", static_cast<HANDLE>(1));
      return TRUE;
    case WM_PAINT:
      if (RemovePropA(dlg, "Foerste")) PostMessageA(dlg, WM_SLET_DATA, 0, 0);
      return FALSE;
    case WM_SLET_DATA:
      SletData(dlg);
      EndDialog(dlg, 2);
      return TRUE;
    default:
      return FALSE;
  }
}

int BekraeftSletLaasefil(HWND ejer) {
  if (!LaasefilIBrug()) return 1;
  char tekst[600];
  std::snprintf(tekst, sizeof tekst,
                "Bemærk at data'ene tilhørende installation nr. %i er i brug !!!\n"
                "Hvis du sletter Tavo.lck filen kan det medføre tab af data\nfor ovenstående installation.\n"
                "Du skal være sikker på konsekvensen af dette.\n\nEr du sikker på du vil slette Tavo.lck filen?",
                g_Menu.Insnr);
  return Spoerg(ejer, tekst) == IDYES ? 1 : 0;
}

void SendSupportData(HWND ejer) {
  DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), ejer, SendSupportFtpDlgProc, 0);
}

// ---- The dialog ----

INT_PTR CALLBACK AvanceretDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      CenterWindow(dlg, GetParent(dlg));
      if (!g_Menu.DrevListe) ByggDrevListe();
      std::memcpy(g_FlytDrevFoer, g_Menu.FlytDrev, sizeof g_FlytDrevFoer);
      FyldDrevListe(dlg);
      VaelgHandling(dlg, IDC_SUPPORT);
      SetFocus(GetDlgItem(dlg, IDC_SUPPORT));
      g_Menu.FokusForrige = 0;
      SetMenuButtonTexts(dlg);
      SaetLaasTekst(dlg);
      return FALSE;
    case WM_PAINT:
      MaalAvanceret(dlg);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_SUPPORT:
        case IDC_LAAS:
        case IDC_SLET_DATA:
        case IDC_SLET_LAAS:
        case IDC_FLYT:
          GenTegn(dlg);
          return TRUE;
        case IDC_FLYTDREV:
          // Only a new choice: a box on every focus change would never end.
          if (HIWORD(wp) == CBN_SELCHANGE && ValgFlytdrev(GetDlgItem(dlg, IDC_FLYTDREV))) {
            SetMenuButtonTexts(dlg);
            VaelgHandling(dlg, IDC_FLYT);
            SetFocus(GetDlgItem(dlg, IDC_FLYT));
            GenTegn(dlg);
          }
          return TRUE;
        case IDC_AV_OK:
        case IDOK:
          // A drive chosen in the list is written, whenever it was chosen.
          ValgFlytdrev(GetDlgItem(dlg, IDC_FLYTDREV));
          if (std::strcmp(g_Menu.FlytDrev, g_FlytDrevFoer) != 0) {
            SkrivIni("global", "flytdrev", g_Menu.FlytDrev, g_Menu.IniFil);
            std::memcpy(g_FlytDrevFoer, g_Menu.FlytDrev, sizeof g_FlytDrevFoer);
          }
          if (KoerHandling(dlg)) EndDialog(dlg, IDC_AV_OK);
          return TRUE;
        case IDC_FORTRYD:
        case IDCANCEL:
          std::memcpy(g_Menu.FlytDrev, g_FlytDrevFoer, sizeof g_FlytDrevFoer);
          EndDialog(dlg, IDC_FORTRYD);
          return TRUE;
        default:
          break;
      }
      break;
    default:
      break;
  }
  return FALSE;
}
