// The templates of the external timetable import's dialogs. The captions,
// labels, button and radio texts and the control ids are the program's; the
// layout is ours.

#include "extskemadlg.h"

#include "win/controls.h"
#include "win/dlg.h"

namespace {

using tavo::res::DialogItem;
using tavo::res::DialogTemplate;

constexpr DWORD kDialog = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
constexpr DWORD kEdit = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kTekst = WS_VISIBLE | SS_LEFT;
constexpr DWORD kKnap = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kStandardKnap = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;

DialogTemplate Skabelon(const char *navn, const char *titel, int cx, int cy) {
  DialogTemplate t;
  t.name = navn;
  t.caption = titel;
  t.style = kDialog;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = cx;
  t.cy = cy;
  return t;
}

// A folder field under its label with "&Browse..." beside it, from y down.
void MappeFelt(DialogTemplate &t, const char *ledetekst, int id, int y) {
  t.items.push_back({"STATIC", -1, ledetekst, kTekst, 0, 8, y, 200, 9});
  t.items.push_back({"EDIT", id, "", kEdit, 0, 8, y + 11, 200, 12});
  t.items.push_back({"BUTTON", IDC_IMP_BROWSE, "&Browse...", kKnap, 0, 212, y + 10, 50, 14});
}

void OkFortryd(DialogTemplate &t, const char *ok, const char *fortryd, int y) {
  t.items.push_back({"BUTTON", IDOK, ok, kStandardKnap, 0, 156, y, 50, 14});
  t.items.push_back({"BUTTON", IDCANCEL, fortryd, kKnap, 0, 212, y, 50, 14});
}

}  // namespace

void RegistrerExtSkemaDialoger() {
  DialogTemplate interval = Skabelon(IDD_DATOINTERVAL, "Extern-Import", 270, 92);
  MappeFelt(interval, "Fuld sti til import-filerne", IDC_IMP_MAPPE, 8);
  interval.items.push_back({"STATIC", IDC_IMP_INTERVAL, "Datointerval: (ÅÅÅÅMMDD)", kTekst, 0, 8, 40, 200, 9});
  interval.items.push_back({"EDIT", IDC_IMP_FRA, "", kEdit, 0, 8, 51, 60, 12});
  interval.items.push_back({"STATIC", -1, "-", kTekst, 0, 72, 53, 8, 9});
  interval.items.push_back({"EDIT", IDC_IMP_TIL, "", kEdit, 0, 82, 51, 60, 12});
  OkFortryd(interval, "Ok", "Fortryd", 72);
  tavo::res::RegisterDialog(interval);

  DialogTemplate uge = Skabelon(IDD_UGENR, "UNTIS-Import", 270, 92);
  MappeFelt(uge, "Fuld sti til UNTIS-filerne", IDC_IMP_MAPPE, 8);
  uge.items.push_back({"STATIC", -1, "UgeNr: (ÅÅÅÅUU)", kTekst, 0, 8, 40, 200, 9});
  uge.items.push_back({"EDIT", IDC_IMP_UGENR, "", kEdit, 0, 8, 51, 60, 12});
  OkFortryd(uge, "Ok", "Fortryd", 72);
  tavo::res::RegisterDialog(uge);

  DialogTemplate fil = Skabelon(IDD_EXTSKEMAFIL, "Extern import", 270, 92);
  MappeFelt(fil, "Fuld sti til EXTERN-filerne", IDC_EXT_MAPPE, 8);
  fil.items.push_back({"STATIC", -1, "Filnavn:", kTekst, 0, 8, 40, 200, 9});
  fil.items.push_back({"EDIT", IDC_EXT_FILNAVN, "", kEdit, 0, 8, 51, 134, 12});
  OkFortryd(fil, "&OK", "&Cancel", 72);
  tavo::res::RegisterDialog(fil);

  DialogTemplate metode = Skabelon(IDD_IMPORTMETODE, "Extern skema import", 330, 196);
  metode.items.push_back({"STATIC", IDC_METODE_TEKST, "", kTekst, 0, 8, 8, 314, 90});
  metode.items.push_back({"BUTTON", -1, "Metode", WS_VISIBLE | BS_GROUPBOX, 0, 8, 102, 314, 68});
  metode.items.push_back({"BUTTON", IDC_METODE_OVERSKRIV,
                          "Overskrive skemabegivenhed som ligger på samme tidspunkter som det der importeres.",
                          WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON | BS_MULTILINE, 0, 16, 114, 300, 16});
  metode.items.push_back({"BUTTON", IDC_METODE_DOBBELT,
                          "Lægge den nye skemabegivenhed som dobbeltskema, hvis der er skema i forvejen.",
                          WS_VISIBLE | BS_AUTORADIOBUTTON | BS_MULTILINE, 0, 16, 132, 300, 16});
  metode.items.push_back({"BUTTON", IDC_METODE_IGNORER,
                          "Ignorerer skemabegivenhed fra importen, hvis der ligger skema på samme tidspunkt i "
                          "forvejen.",
                          WS_VISIBLE | BS_AUTORADIOBUTTON | BS_MULTILINE, 0, 16, 150, 300, 16});
  metode.items.push_back({"BUTTON", IDOK, "Ja", kStandardKnap | WS_GROUP, 0, 216, 176, 50, 14});
  metode.items.push_back({"BUTTON", IDCANCEL, "Nej", kKnap, 0, 272, 176, 50, 14});
  tavo::res::RegisterDialog(metode);
}
