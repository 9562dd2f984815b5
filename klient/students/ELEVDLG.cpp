// The dialogs of the student planning. A typed number is held to the u32
// fields it goes into: a negative number counts as 0 and an over-long one
// as the greatest, never as a wrapped-around value.
#include "ELEVDLG.h"

#include <cctype>
#include <cstdio>

#include "elevdialoger.h"

uint32_t LaesDlgTal(HWND hDlg, int id) {
  char tekst[200] = {};
  GetDlgItemTextA(hDlg, id, tekst, sizeof tekst);
  const char *p = tekst;
  while (*p == ' ' || *p == '\t') ++p;
  bool negativ = false;
  if (*p == '+' || *p == '-') negativ = *p++ == '-';
  uint64_t v = 0;
  for (; isdigit(static_cast<unsigned char>(*p)); ++p) {
    v = v * 10 + static_cast<uint64_t>(*p - '0');
    if (v > UINT32_MAX) v = uint64_t(UINT32_MAX) + 1;
  }
  if (negativ) return 0;
  return v > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(v);
}

INT_PTR CALLBACK SimuleringDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      const auto *v = reinterpret_cast<const SimuleringValg *>(lParam);
      char tal[16];
      snprintf(tal, sizeof tal, "%lu", v ? static_cast<unsigned long>(v->Antal) : 0ul);
      SetDlgItemTextA(hDlg, IDC_SIM_ANTAL, tal);
      CheckRadioButton(hDlg, IDC_SIM_KUN_PRIO1, IDC_SIM_PRIO12,
                       v && v->KunPrio1 == 1 ? IDC_SIM_KUN_PRIO1 : IDC_SIM_PRIO12);
      SendDlgItemMessageA(hDlg, IDC_SIM_ANTAL, EM_SETSEL, 0, -1);
      SetFocus(GetDlgItem(hDlg, IDC_SIM_ANTAL));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          if (auto *v =
                  reinterpret_cast<SimuleringValg *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA))) {
            v->Antal = LaesDlgTal(hDlg, IDC_SIM_ANTAL);
            const bool kun1 = IsDlgButtonChecked(hDlg, IDC_SIM_KUN_PRIO1) == BST_CHECKED;
            v->KunPrio1 = kun1 ? 1 : 0;
            v->Prio12 = kun1 ? 0 : 1;
          }
          EndDialog(hDlg, 1);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(hDlg, 2);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

INT_PTR VisSimuleringDialog(HWND ejer, SimuleringValg *valg) {
  RegistrerElevDialoger();
  return DialogBoxParamA(0, MAKEINTRESOURCE(IDD_SIMULERING), ejer, SimuleringDlgProc,
                         reinterpret_cast<LPARAM>(valg));
}
