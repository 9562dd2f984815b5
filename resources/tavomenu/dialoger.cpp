// The start menu's dialog templates. The control ids are the program's;
// the layout is ours.

#include "menuressourcer.h"

#include "win/controls.h"
#include "win/dlg.h"
#include "win/gdi_res.h"

#include <string>
#include <vector>

namespace {

// 32 by 32 pixmaps: a timetable grid, yellow for SuperTavo.
std::vector<std::string> Ikon(bool super) {
  std::vector<std::string> r(32, std::string(32, '.'));
  const char ramme = 'K', felt = super ? 'Y' : 'W', hoved = super ? 'R' : 'N';
  for (int y = 2; y < 30; ++y)
    for (int x = 2; x < 30; ++x) {
      char c = felt;
      if (y == 2 || y == 29 || x == 2 || x == 29 || (x - 2) % 7 == 0 || (y - 2) % 6 == 0) c = ramme;
      else if (y < 8) c = hoved;
      r[y][x] = c;
    }
  return r;
}

void RegistrerHovedmenu() {
  using tavo::res::DialogTemplate;
  DialogTemplate t;
  t.id = IDD_HOVEDMENU;
  t.caption = "TAVO-skema hovedmenu";
  t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = 220;
  t.cy = 142;
  t.items.push_back({"BUTTON", IDC_START, "&Start TAVO-skema",
                     WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, 30, 58, 160, 14});
  t.items.push_back({"BUTTON", IDC_START_VIS, "Start TAV&O-skema [VIS]",
                     WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, 30, 84, 160, 14});
  t.items.push_back({"BUTTON", IDC_AVANCERET, "A&vanceret", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0,
                     10, 120, 60, 14});
  t.items.push_back({"BUTTON", IDC_OK, "&OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 80, 120, 60, 14});
  t.items.push_back({"BUTTON", IDC_LUK, "&Luk", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 150, 120, 60, 14});
  // Last, so that it lies below the radio buttons it frames.
  t.items.push_back({"STATIC", IDC_RAMME, "", WS_VISIBLE | SS_ETCHEDFRAME, 0, 10, 44, 200, 70});
  tavo::res::RegisterDialog(t);
}

void RegistrerAvanceret() {
  using tavo::res::DialogTemplate;
  DialogTemplate t;
  t.id = IDD_AVANCERET;
  t.caption = "Avanceret";
  t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = 220;
  t.cy = 176;
  const struct {
    int id;
    const char *tekst;
  } radioer[] = {{IDC_SUPPORT, "&Send data til support"},
                 {IDC_LAAS, "L&ås TAVO-skema"},
                 {IDC_SLET_DATA, "S&let data"},
                 {IDC_SLET_LAAS, "Sl&et låsefil 'Tavo.lck'"},
                 {IDC_FLYT, "&Flyt data til enhed"}};
  int y = 12;
  for (const auto &r : radioer) {
    t.items.push_back({"BUTTON", r.id, r.tekst,
                       static_cast<DWORD>(WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON |
                                          (r.id == IDC_SUPPORT ? WS_GROUP : 0)),
                       0, 30,
                       y, 160, 14});
    y += 20;
  }
  t.items.push_back({"COMBOBOX", IDC_FLYTDREV, "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST,
                     0, 46, y, 144, 80});
  t.items.push_back({"BUTTON", IDC_AV_OK, "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 40, 152,
                     60, 14});
  t.items.push_back({"BUTTON", IDC_FORTRYD, "&Fortryd", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 120, 152, 60, 14});
  // Last, so that it lies below the radio buttons it frames.
  t.items.push_back({"STATIC", IDC_AV_RAMME, "", WS_VISIBLE | SS_ETCHEDFRAME, 0, 10, 6, 200, 140});
  tavo::res::RegisterDialog(t);
}

}  // namespace

void RegistrerTavoMenuRessourcer() {
  RegistrerHovedmenu();
  RegistrerAvanceret();
  for (bool super : {false, true}) {
    const std::vector<std::string> r = Ikon(super);
    std::vector<const char *> p;
    for (const std::string &s : r) p.push_back(s.c_str());
    tavo::res::RegisterIcon("tavomenu", super ? IDI_SUPERTAVO : IDI_TAVOMENU, p.data(), (int)p.size());
  }
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
