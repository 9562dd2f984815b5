// The Elevplan dialogs. The login and the role dialog run on the contact
// thread and touch only the contact record; they register themselves with
// it so that a closing contact window can cancel them.
#include "EPDLG.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DATO.h"
#include "EPKONTAKT.h"
#include "EPTRIN.h"
#include "INDSTIL.h"
#include "STITAB.h"
#include "elevdialoger.h"

namespace {

// The dialog is the contact thread's open dialog; a window that is closing
// already cancels it at once.
void MeldDialog(EpKontakt *k, HWND dlg) {
  std::lock_guard<std::mutex> lock(k->Laas);
  k->hDialog = dlg;
  if (k->Afbrudt) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
}

void AfmeldDialog(EpKontakt *k) {
  std::lock_guard<std::mutex> lock(k->Laas);
  k->hDialog = 0;
}

void Afslut(HWND dlg, EpKontakt *k, INT_PTR svar) {
  if (k) AfmeldDialog(k);
  EndDialog(dlg, svar);
}

// A date edit read as the period dialog reads it: 0 when no valid date.
Dato LaesDato(HWND dlg, int id) {
  char tekst[100] = {};
  GetDlgItemTextA(dlg, id, tekst, sizeof tekst);
  char *slut = nullptr;
  const unsigned long v = strtoul(tekst, &slut, 10);
  if (v > UINT32_MAX || !GyldigDato(static_cast<Dato>(v))) return 0;
  return static_cast<Dato>(v);
}

bool DatoFejl(HWND dlg, int id, Dato d, const char *tekst) {
  if (d != 0) return false;
  MessageBoxA(dlg, tekst, "Fejl i dato", MB_OK | MB_ICONEXCLAMATION);
  SetFocus(GetDlgItem(dlg, id));
  return true;
}

}  // namespace

INT_PTR CALLBACK ElevplanExportDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: {
      const int id = GetPrivateProfileIntA("flag", "elevplanexport", 0, StiTab.szini) != 0
                         ? IDC_EP_ELEVPLAN
                         : IDC_EP_SERVER;
      CheckRadioButton(dlg, IDC_EP_SERVER, IDC_EP_ELEVPLAN, id);
      SetFocus(GetDlgItem(dlg, id));
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        if (!GlobalIndstillinger.skemalaast)
          WritePrivateProfileStringA("flag", "elevplanexport",
                                     IsDlgButtonChecked(dlg, IDC_EP_SERVER) == BST_CHECKED ? "0" : "1",
                                     StiTab.szini);
        EndDialog(dlg, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dlg, 2);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK EpPeriodeDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *t = reinterpret_cast<EpTilstandData *>(GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      t = reinterpret_cast<EpTilstandData *>(lParam);
      SetWindowLongPtrA(dlg, DWLP_USER, lParam);
      SetEpExportPeriode(*t);
      char tal[16];
      snprintf(tal, sizeof tal, "%u", t->FraDato);
      SetDlgItemTextA(dlg, IDC_EP_FRA, tal);
      snprintf(tal, sizeof tal, "%u", t->TilDato);
      SetDlgItemTextA(dlg, IDC_EP_TIL, tal);
      SetFocus(GetDlgItem(dlg, IDC_EP_FRA));
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && t) {
        const Dato fra = LaesDato(dlg, IDC_EP_FRA);
        if (DatoFejl(dlg, IDC_EP_FRA, fra, "Fra datoen er ikke korrekt.")) return TRUE;
        t->FraDato = fra;
        const Dato til = LaesDato(dlg, IDC_EP_TIL);
        if (DatoFejl(dlg, IDC_EP_TIL, til, "Til datoen er ikke korrekt.")) return TRUE;
        t->TilDato = til < SkemaPeriode.TilDato ? til : SkemaPeriode.TilDato;
        if (t->FraDato < SkemaPeriode.FraDato) t->FraDato = SkemaPeriode.FraDato;
        EndDialog(dlg, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dlg, 2);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK EpLoginDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *k = reinterpret_cast<EpKontakt *>(GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      k = reinterpret_cast<EpKontakt *>(lParam);
      SetWindowLongPtrA(dlg, DWLP_USER, lParam);
      SendDlgItemMessageA(dlg, IDC_EP_BRUGER, EM_LIMITTEXT, sizeof k->Bruger - 2, 0);
      SendDlgItemMessageA(dlg, IDC_EP_KODEORD, EM_LIMITTEXT, sizeof k->Kodeord - 2, 0);
      SetDlgItemTextA(dlg, IDC_EP_BRUGER, k->Bruger);
      char titel[64];
      snprintf(titel, sizeof titel, "Elevplan-login (%s)", k->Database);
      SetWindowTextA(dlg, titel);
      EnableWindow(GetDlgItem(dlg, IDOK), FALSE);
      SetFocus(GetDlgItem(dlg, k->Bruger[0] ? IDC_EP_KODEORD : IDC_EP_BRUGER));
      MeldDialog(k, dlg);
      return FALSE;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE) {
        if (GetWindowTextLengthA(GetDlgItem(dlg, IDC_EP_BRUGER)) > 0 &&
            GetWindowTextLengthA(GetDlgItem(dlg, IDC_EP_KODEORD)) > 0)
          EnableWindow(GetDlgItem(dlg, IDOK), TRUE);
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK && k) {
        GetDlgItemTextA(dlg, IDC_EP_BRUGER, k->Bruger, sizeof k->Bruger - 1);
        GetDlgItemTextA(dlg, IDC_EP_KODEORD, k->Kodeord, sizeof k->Kodeord - 1);
        Afslut(dlg, k, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        Afslut(dlg, k, 2);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK EpRolleDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *k = reinterpret_cast<EpKontakt *>(GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      k = reinterpret_cast<EpKontakt *>(lParam);
      SetWindowLongPtrA(dlg, DWLP_USER, lParam);
      for (uint32_t i = 0; i < k->RolleAntal; ++i) {
        const LRESULT r =
            SendDlgItemMessageA(dlg, IDC_EP_ROLLER, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(k->Roller[i].Tekst));
        if (r >= 0) SendDlgItemMessageA(dlg, IDC_EP_ROLLER, LB_SETITEMDATA, r, i);
      }
      EnableWindow(GetDlgItem(dlg, IDOK), FALSE);
      MeldDialog(k, dlg);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_EP_ROLLER && HIWORD(wParam) == LBN_SELCHANGE) {
        EnableWindow(GetDlgItem(dlg, IDOK), TRUE);
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK && k) {
        const LRESULT valgt = SendDlgItemMessageA(dlg, IDC_EP_ROLLER, LB_GETCURSEL, 0, 0);
        if (valgt < 0) return TRUE;
        k->ValgtRolle =
            static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_EP_ROLLER, LB_GETITEMDATA, valgt, 0));
        Afslut(dlg, k, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        Afslut(dlg, k, 2);
        return TRUE;
      }
      break;
  }
  return FALSE;
}
