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

}  // namespace

void RegistrerElevDialoger() {
  if (tavo::res::FindDialog(MAKEINTRESOURCE(IDD_SIMULERING))) return;
  Simulering();
  RetLa();
  ElevPlanSetup();
}
