// The about box. The program file is named by [global] version as the
// settings hold it when the box opens, so the box shows what the starter
// would run; its texts are cut to the record's 512-byte fields.
#include "VERSIONDLG.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "STITAB.h"
#include "VERSIONINFO.h"
#include "ressourcer.h"
#include "smaadialoger.h"

const char *const kSupportTelefon = "70 20 30 40";

namespace {

constexpr size_t kFelt = 512;
constexpr int kTekstX = 84;

struct VersionTekster {
  char firma[kFelt];
  char produkt[kFelt];
  char beskrivelse[kFelt];
  char version[kFelt];
  char internNavn[kFelt];
  char rettigheder[kFelt];
  char special[kFelt];
};

const char kProdukt[] = "Produkt navn: ";
const char kVersion[] = "Version: ";
const char kSpecial[] = "Special Version: ";
const char kSupport[] = "Kontakt support: ";

VersionTekster *Tekster(HWND dlg) { return reinterpret_cast<VersionTekster *>(GetWindowLongPtrA(dlg, GWLP_USERDATA)); }

int Bredde(HDC dc, const char *a, const char *b = "") {
  char linje[2 * kFelt];
  std::snprintf(linje, sizeof linje, "%s%s", a, b);
  SIZE s{};
  GetTextExtentPoint32A(dc, linje, static_cast<int>(std::strlen(linje)), &s);
  return s.cx;
}

void LaesTekster(VersionTekster *t) {
  const UINT nummer = GetPrivateProfileIntA("global", "version", 0, StiTab.szini);
  char fil[kStiLaengde + 16];
  std::snprintf(fil, sizeof fil, "%s%i.exe", StiTab.szprog, static_cast<int>(nummer));
  const struct {
    const char *noegle;
    char *felt;
  } noegler[] = {{"CompanyName", t->firma},       {"ProductName", t->produkt},
                 {"FileDescription", t->beskrivelse}, {"FileVersion", t->version},
                 {"InternalName", t->internNavn}, {"LegalCopyright", t->rettigheder},
                 {"SpecialBuild", t->special}};
  for (const auto &n : noegler) HentVersionInfoTekst(fil, n.noegle, n.felt, kFelt);
}

void Tilpas(HWND dlg, const VersionTekster *t) {
  HWND ok = GetDlgItem(dlg, IDOK);
  RECT okR{};
  if (ok) GetWindowRect(ok, &okR);
  const int okB = okR.right - okR.left, okH = okR.bottom - okR.top;

  HDC dc = GetDC(dlg);
  HGDIOBJ gammel = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  char support[64];
  std::snprintf(support, sizeof support, "%s%s", kSupport, kSupportTelefon);
  const int bredde = std::max({Bredde(dc, t->firma), kTekstX + Bredde(dc, kProdukt, t->produkt),
                               kTekstX + Bredde(dc, kVersion, t->version), kTekstX + Bredde(dc, kSpecial, t->special),
                               kTekstX + Bredde(dc, support), Bredde(dc, t->rettigheder)}) +
                     20;
  SelectObject(dc, gammel);
  ReleaseDC(dlg, dc);

  const int hoejde = GetSystemMetrics(SM_CYCAPTION) + 3 * (tm.tmHeight + 38) + okH;
  SetWindowPos(dlg, 0, 0, 0, bredde, hoejde, SWP_NOMOVE | SWP_NOZORDER);
  CenterWindow(dlg, GetWindow(dlg, GW_OWNER));
  if (ok) {
    RECT k;
    GetClientRect(dlg, &k);
    SetWindowPos(ok, 0, (k.right - okB) / 2, k.bottom - 10 - okH, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetFocus(ok);
  }
}

void Tegn(HWND dlg, const VersionTekster *t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dlg, &ps);
  if (HICON ikon = LoadIconA(kOrvaneInstans, IDI_AAMAIN)) DrawIconEx(dc, 10, 10, ikon, 64, 64, 0, 0, DI_NORMAL);
  HGDIOBJ gammel = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
  const int gammelMode = SetBkMode(dc, TRANSPARENT);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const int h = tm.tmHeight;
  auto linje = [&](int x, int y, const char *etiket, const char *vaerdi) {
    TextOutA(dc, x, y, etiket, static_cast<int>(std::strlen(etiket)));
    if (vaerdi[0]) TextOutA(dc, x + Bredde(dc, etiket), y, vaerdi, static_cast<int>(std::strlen(vaerdi)));
  };
  linje(kTekstX, 10, kProdukt, t->produkt);
  linje(kTekstX, 10 + h, kVersion, t->version);
  linje(kTekstX, 10 + 2 * h, kSpecial, t->special);
  linje(kTekstX, 10 + 4 * h, kSupport, kSupportTelefon);

  RECT k, okR{};
  GetClientRect(dlg, &k);
  if (HWND ok = GetDlgItem(dlg, IDOK)) GetWindowRect(ok, &okR);
  const int y = k.bottom - (2 * h + 20) - (okR.bottom - okR.top);
  if (t->firma[0]) TextOutA(dc, 10, y, t->firma, static_cast<int>(std::strlen(t->firma)));
  if (t->rettigheder[0]) TextOutA(dc, 10, y + h, t->rettigheder, static_cast<int>(std::strlen(t->rettigheder)));
  SetBkMode(dc, gammelMode);
  SelectObject(dc, gammel);
  EndPaint(dlg, &ps);
}

void Frigiv(HWND dlg) {
  delete Tekster(dlg);
  SetWindowLongPtrA(dlg, GWLP_USERDATA, 0);
}

}  // namespace

INT_PTR CALLBACK VersionDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto *t = new VersionTekster{};
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(t));
      CenterWindow(hDlg, GetWindow(hDlg, GW_OWNER));
      SetWindowTextA(hDlg, "Version info for TAVO-skema");
      SetClassLongPtrA(hDlg, GCLP_HICON, static_cast<LONG_PTR>(LoadIconA(kOrvaneInstans, IDI_AAMAIN)));
      LaesTekster(t);
      Tilpas(hDlg, t);
      return FALSE;  // the focus is on OK
    }
    case WM_PAINT:
      if (const VersionTekster *t = Tekster(hDlg)) {
        Tegn(hDlg, t);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        Frigiv(hDlg);
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      Frigiv(hDlg);  // closed some other way
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR VisVersionDialog(HWND ejer) {
  return DialogBoxParamA(kOrvaneInstans, MAKEINTRESOURCE(IDD_VERSION), ejer, VersionDlgProc, 0);
}
