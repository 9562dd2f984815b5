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

}  // namespace

void RegistrerElevDialoger() {
  if (tavo::res::FindDialog(MAKEINTRESOURCE(IDD_SIMULERING))) return;
  Simulering();
}
