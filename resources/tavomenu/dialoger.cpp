// The start menu's dialog templates. The control ids are the program's;
// the layout is ours.

#include "menuressourcer.h"

#include "win/controls.h"
#include "win/dlg.h"

void RegistrerTavoMenuRessourcer() {
  using tavo::res::DialogTemplate;
  DialogTemplate t;
  t.id = IDD_ARBEJDE;
  t.caption = "";
  t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = 260;
  t.cy = 96;
  // The headline is painted by the dialog procedure over this area.
  t.items.push_back({"STATIC", IDC_OVERSKRIFT, "", WS_VISIBLE | SS_CENTER, 0, 8, 6, 244, 22});
  t.items.push_back({"STATIC", IDC_STATUSLINJE, "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 8, 34, 244, 10});
  t.items.push_back({"msctls_progress32", IDC_BJAELKE1, "", WS_VISIBLE | WS_BORDER, 0, 8, 50, 244, 12});
  t.items.push_back({"msctls_progress32", IDC_BJAELKE2, "", WS_VISIBLE | WS_BORDER, 0, 8, 70, 244, 12});
  tavo::res::RegisterDialog(t);
}
