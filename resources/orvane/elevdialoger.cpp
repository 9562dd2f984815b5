// The student planning's dialog templates, laid out in dialog units.
#include "elevdialoger.h"

#include "windows.h"

namespace {

void Simulering() {
  tavo::res::DialogTemplate t;
  t.id = IDD_SIMULERING;
  t.caption = "Automatisk placering";
  t.style =
      DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.cx = 180;
  t.cy = 110;
  const DWORD synlig = WS_VISIBLE;
  t.items = {
      {"BUTTON", -1, "Vælg metode", synlig | BS_GROUPBOX, 0, 7, 5, 166, 40},
      {"BUTTON", IDC_SIM_KUN_PRIO1, "Kun 1. prioritet",
       synlig | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 15, 17, 150, 10},
      {"BUTTON", IDC_SIM_PRIO12, "1. + 2. prioritet", synlig | BS_AUTORADIOBUTTON, 0, 15, 29, 150,
       10},
      {"BUTTON", -1, "Angiv antal simuleringer", synlig | BS_GROUPBOX | WS_GROUP, 0, 7, 49, 166,
       32},
      {"STATIC", -1, "Antal aktivitetsplaceringer", synlig, 0, 15, 63, 95, 10},
      {"EDIT", IDC_SIM_ANTAL, "", synlig | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 112, 61, 52,
       12},
      {"BUTTON", IDOK, "OK", synlig | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 35, 89, 50, 14},
      {"BUTTON", IDCANCEL, "Annuller", synlig | WS_TABSTOP | BS_PUSHBUTTON, 0, 95, 89, 50, 14},
  };
  tavo::res::RegisterDialog(t);
}

// Texts that the activity's mode changes are set by the dialog.
void RetLa() {
  tavo::res::DialogTemplate t;
  t.id = IDD_RETLA;
  t.caption = "Læringsaktivitet";
  t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.cx = 200;
  t.cy = 170;
  const DWORD synlig = WS_VISIBLE;
  const DWORD edit = synlig | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD boks = synlig | BS_AUTOCHECKBOX | WS_TABSTOP;
  t.items = {
      {"BUTTON", IDC_RETLA_RAMME, "Værdier for holdstørrelser + antal uger", synlig | BS_GROUPBOX,
       0, 7, 5, 186, 88},
      {"STATIC", -1, "Minimum elevantal", synlig, 0, 15, 19, 90, 10},
      {"EDIT", IDC_RETLA_MIN, "", edit, 0, 120, 17, 60, 12},
      {"STATIC", -1, "Maximun elevantal", synlig, 0, 15, 35, 90, 10},
      {"EDIT", IDC_RETLA_MAX, "", edit, 0, 120, 33, 60, 12},
      {"STATIC", IDC_RETLA_ANTAL_TEKST, "Antal uger", synlig, 0, 15, 51, 90, 10},
      {"EDIT", IDC_RETLA_ANTAL, "", edit, 0, 120, 49, 60, 12},
      {"STATIC", -1, "Blok størrelse", synlig, 0, 15, 67, 90, 10},
      {"EDIT", IDC_RETLA_BLOK, "", edit, 0, 120, 65, 60, 12},
      {"STATIC", IDC_MAX_TEKST, "", synlig, 0, 15, 80, 170, 10},
      {"BUTTON", IDC_RETLA_LUK, "Luk for nye elever", boks | WS_GROUP, 0, 15, 99, 90, 10},
      {"BUTTON", IDC_RETLA_BEHOLD, "Behold elever", boks, 0, 110, 99, 80, 10},
      {"BUTTON", IDC_RETLA_PLADSLAAS, "Plads lås", boks, 0, 15, 113, 90, 10},
      {"BUTTON", IDC_RETLA_AKTIV, "Aktiv", boks, 0, 110, 113, 80, 10},
      {"BUTTON", IDOK, "OK", synlig | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 40, 146, 50,
       14},
      {"BUTTON", IDCANCEL, "Annuller", synlig | WS_TABSTOP | BS_PUSHBUTTON, 0, 110, 146, 50, 14},
  };
  tavo::res::RegisterDialog(t);
}

// Only the frame: the set-up lays out its controls by the weeks or lessons
// it shows and sizes itself to them.
void ElevPlanSetup() {
  tavo::res::DialogTemplate t;
  t.id = IDD_ELEVPLANSETUP;
  t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.cx = 150;
  t.cy = 150;
  tavo::res::RegisterDialog(t);
}

tavo::res::DialogTemplate EpSkabelon(int id, const char *titel, int cx, int cy) {
  tavo::res::DialogTemplate t;
  t.id = id;
  t.caption = titel;
  t.style =
      DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.cx = cx;
  t.cy = cy;
  return t;
}

void EpEksportValg() {
  tavo::res::DialogTemplate t = EpSkabelon(IDD_EP_EKSPORTVALG, "Server kontakt", 160, 80);
  const DWORD synlig = WS_VISIBLE;
  t.items = {
      {"BUTTON", -1, "Server kontakt", synlig | BS_GROUPBOX, 0, 7, 5, 146, 44},
      {"BUTTON", IDC_EP_SERVER, "Server kontakt", synlig | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
       0, 15, 17, 120, 10},
      {"BUTTON", IDC_EP_ELEVPLAN, "Elev plan kontakt", synlig | BS_AUTORADIOBUTTON, 0, 15, 31, 120,
       10},
      {"BUTTON", IDOK, "OK", synlig | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 25, 58, 50, 14},
      {"BUTTON", IDCANCEL, "Annuller", synlig | WS_TABSTOP | BS_PUSHBUTTON, 0, 85, 58, 50, 14},
  };
  tavo::res::RegisterDialog(t);
}

void EpPeriode() {
  tavo::res::DialogTemplate t = EpSkabelon(IDD_EP_PERIODE, "Hent alle tilmeldingsgrupper", 180, 72);
  const DWORD synlig = WS_VISIBLE;
  const DWORD edit = synlig | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  t.items = {
      {"STATIC", -1, "Fra dato:", synlig, 0, 7, 9, 40, 10},
      {"EDIT", IDC_EP_FRA, "", edit, 0, 50, 7, 60, 12},
      {"STATIC", -1, "(ÅÅÅÅMMDD)", synlig, 0, 115, 9, 60, 10},
      {"STATIC", -1, "Til dato:", synlig, 0, 7, 27, 40, 10},
      {"EDIT", IDC_EP_TIL, "", edit, 0, 50, 25, 60, 12},
      {"STATIC", -1, "(ÅÅÅÅMMDD)", synlig, 0, 115, 27, 60, 10},
      {"BUTTON", IDOK, "OK", synlig | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 35, 50, 50, 14},
      {"BUTTON", IDCANCEL, "Annuller", synlig | WS_TABSTOP | BS_PUSHBUTTON, 0, 95, 50, 50, 14},
  };
  tavo::res::RegisterDialog(t);
}

void EpLogin() {
  tavo::res::DialogTemplate t = EpSkabelon(IDD_EP_LOGIN, "Elevplan-login", 180, 72);
  const DWORD synlig = WS_VISIBLE;
  const DWORD edit = synlig | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  t.items = {
      {"STATIC", IDC_EP_BRUGER_TEKST, "Brugernavn:", synlig, 0, 7, 9, 50, 10},
      {"EDIT", IDC_EP_BRUGER, "", edit, 0, 60, 7, 110, 12},
      {"STATIC", IDC_EP_KODEORD_TEKST, "Kodeord:", synlig, 0, 7, 27, 50, 10},
      {"EDIT", IDC_EP_KODEORD, "", edit | ES_PASSWORD, 0, 60, 25, 110, 12},
      {"BUTTON", IDOK, "OK", synlig | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 35, 50, 50, 14},
      {"BUTTON", IDCANCEL, "Cancel", synlig | WS_TABSTOP | BS_PUSHBUTTON, 0, 95, 50, 50, 14},
  };
  tavo::res::RegisterDialog(t);
}

void EpRolle() {
  tavo::res::DialogTemplate t = EpSkabelon(IDD_EP_ROLLE, "Elevplan-login - Rollevalg", 200, 120);
  const DWORD synlig = WS_VISIBLE;
  t.items = {
      {"STATIC", IDC_EP_ROLLER_TEKST, "Vælg rolle:", synlig, 0, 7, 7, 100, 10},
      {"LISTBOX", IDC_EP_ROLLER, "",
       synlig | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 7, 19,
       186, 72},
      {"BUTTON", IDOK, "OK", synlig | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 40, 98, 50, 14},
      {"BUTTON", IDCANCEL, "Cancel", synlig | WS_TABSTOP | BS_PUSHBUTTON, 0, 110, 98, 50, 14},
  };
  tavo::res::RegisterDialog(t);
}

}  // namespace

void RegistrerElevDialoger() {
  if (tavo::res::FindDialog(MAKEINTRESOURCE(IDD_SIMULERING))) return;
  Simulering();
  RetLa();
  ElevPlanSetup();
  EpEksportValg();
  EpPeriode();
  EpLogin();
  EpRolle();
}
