// The version check's dialog template. The ids and texts are the program's;
// the layout is ours.

#include "zintelressourcer.h"

#include "win/controls.h"
#include "win/dlg.h"

void RegistrerZintelRessourcer() {
  using tavo::res::DialogTemplate;
  DialogTemplate t;
  t.id = IDD_HENTFILER;
  t.caption = "Henter filer";
  t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = 220;
  t.cy = 56;
  t.items.push_back({"STATIC", IDC_HENT_TEKST, "Henter filer! Vent venligst....", WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                     0, 10, 10, 200, 10});
  t.items.push_back({"msctls_progress32", IDC_HENT_BJAELKE, "", WS_VISIBLE | WS_BORDER, 0, 10, 30, 200, 12});
  tavo::res::RegisterDialog(t);
}
