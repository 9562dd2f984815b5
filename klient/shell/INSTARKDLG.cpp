// The installation settings sheet itself. Nothing it shows reaches the live
// settings or the files before OK: a page that is left only checks its
// fields and keeps the values in the sheet's own state, so Cancel leaves
// everything as it was.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "DATO.h"
#include "IKKETILG.h"
#include "ImpBehandl.h"
#include "INDSTIL.h"
#include "INSTARK.h"
#include "NULSTIL.h"
#include "OPTAEL.h"
#include "PERIODE.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "HENTGEM.h"
#include "HENTTID.h"
#include "MINNORM.h"
#include "TAVODATA.h"
#include "TEKST.h"
#include "VINDUER.h"
#include "win/controls.h"
#include "win/prsht.h"
#include "windows.h"

namespace {

// Control ids of the pages.
enum : int {
  kInsnr = 1001, kSuperTavo, kVersion, kNyVersion, kNatjob,
  kBruger = 1011, kDatabase, kServer, kHostVersion, kSkolenr, kUnix, kOracle,
  kFra = 1021, kTil, kLaas,
  kDage = 1031, kTimer, kStart, kSlut, kStd, kStdLektion,
  kDiverse = 1041,  // the check boxes in the order of kDiverseFelter
  kAuto = 1061,     // the five numbers, then the eight sliders
};

struct Ark {
  InstallationsKopi k{};
  bool vist[6] = {};
  bool skrevet = false;
  bool nulstil = false;
  bool periodeValideret = false, dageValideret = false;
  uint8_t nyInsnr = 0;
  Dato nyFra = 0, nyTil = 0;
  DageVaerdier dage{};
  // The run's values when the sheet opened.
  uint8_t gInsnr = 0;
  bool gSuperTavo = false;
  Dato gFra = 0, gTil = 0;
  uint32_t gTimer = 0, gDage = 0;
  uint8_t gTael[4] = {};
  // The linked fields' remembered values.
  Klokkeslaet husketStart = 0, husketSlut = 0;
  double husketStd = 0;
};
Ark *gArk = nullptr;

struct DiverseFelt {
  const char *tekst;
  bool InstallationsKopi::*felt;
};
const DiverseFelt kDiverseFelter[] = {
    {"Tæl &booking på aktiviteter", &InstallationsKopi::taelaktibooking},
    {"Tæl stjerne booking på &aktiviteter", &InstallationsKopi::taelstjerneakti},
    {"Tæl aktivitet per &år", &InstallationsKopi::aktisumperaar},
    {"Tæl b&ooking på medarbejder", &InstallationsKopi::taelmedabooking},
    {"Tæl stjerne booking på &medarbejder", &InstallationsKopi::taelstjernemeda},
    {"Tæl m&edarbejder per år", &InstallationsKopi::anfosumperaar},
    {"&Fremmed objekt farve", &InstallationsKopi::fremmedarkivfarve},
    {"Spring fra &Gant til Skema", &InstallationsKopi::springgant},
    {"Marker &helligdage", &InstallationsKopi::markerhellig},
    {"&Check Elevsammenfald", &InstallationsKopi::checkelevsammenfald},
    {"&Kalender i vinduerne", &InstallationsKopi::kalender},
    {"&Untis import", &InstallationsKopi::untis},
    {"Extern &post import", &InstallationsKopi::extpostimport},
    {"Extern &skema import", &InstallationsKopi::extskemaimport},
    {"&Normsystem (Pelago+)", &InstallationsKopi::normsystem},
    {"Hent stamoplysninger", &InstallationsKopi::hentstam},
};
constexpr int kAntalDiverse = sizeof kDiverseFelter / sizeof kDiverseFelter[0];
constexpr int kHentstam = kDiverse + kAntalDiverse - 1;

const char *const kAutoTekster[5] = {"Antal kørsler:", "Lektionsblok:", "Minimum antal dage mellem fag:",
                                     "Antal minutter der ikke giver mellemtid:", "Sidste lektion for undervisning:"};
const char *const kSliderTekster[8] = {
    "Minimer mellemtime for elev", "Minimer mellemtime for medarbejder",
    "Minimer lektioner med for få dages mellemrum", "Minimer usammenhængende blok",
    "Minimer lektioner EFTER sidste lektion", "Minimer undervisning udenfor stamlokale",
    "Minimer undervisning i sidste lektion", "Prioritering af medarbejderens arbejdstid"};

char *AutoFelt(InstallationsKopi &k, int i) {
  char *felter[5] = {k.antalkoersler, k.lektionsblokke, k.lektionsafstand, k.mellemtid, k.seneLektioner};
  return felter[i];
}

// ---- templates

tavo::res::DialogItem Felt(const char *klasse, int id, const char *tekst, DWORD stil, int x, int y, int b, int h) {
  return tavo::res::DialogItem{klasse, id, tekst, static_cast<DWORD>(WS_VISIBLE | stil), 0, x, y, b, h};
}
tavo::res::DialogItem Etiket(const char *tekst, int x, int y, int b) {
  return Felt("STATIC", -1, tekst, SS_LEFT, x, y + 2, b, 10);
}
tavo::res::DialogItem Edit(int id, int x, int y, int b, bool laest = false) {
  return Felt("EDIT", id, "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | (laest ? WS_DISABLED : 0), x, y, b, 12);
}
tavo::res::DialogItem Check(int id, const char *tekst, int x, int y, int b, bool laest = false) {
  return Felt("BUTTON", id, tekst, WS_TABSTOP | BS_AUTOCHECKBOX | (laest ? WS_DISABLED : 0), x, y, b, 12);
}

tavo::res::DialogTemplate Side(int id, const char *titel) {
  tavo::res::DialogTemplate t;
  t.id = id;
  t.caption = titel;
  t.style = WS_CHILD | DS_SETFONT | WS_CAPTION;
  t.fontFace = "MS Sans Serif";
  t.cx = 300;
  t.cy = 230;
  return t;
}

tavo::res::DialogTemplate *Skabeloner() {
  static tavo::res::DialogTemplate t[6];
  static bool lavet = false;
  if (lavet) return t;
  lavet = true;
  t[0] = Side(135, "Installation");
  t[0].items = {Etiket("Installationsnr. :", 10, 10, 80), Edit(kInsnr, 100, 10, 50), Check(kSuperTavo, "Super Tavo", 10, 30, 100),
                Etiket("Versions nr. :", 10, 50, 80), Edit(kVersion, 100, 50, 50, true),
                Etiket("Nyeste version :", 10, 70, 80), Edit(kNyVersion, 100, 70, 50, true),
                Etiket("Natjob tid :", 10, 90, 80), Edit(kNatjob, 100, 90, 180, true)};
  t[1] = Side(136, "Server");
  t[1].items = {Etiket("Login :", 10, 10, 80), Edit(kBruger, 100, 10, 100), Etiket("Oracle SID :", 10, 30, 80),
                Edit(kDatabase, 100, 30, 100), Etiket("Server navn :", 10, 50, 80), Edit(kServer, 100, 50, 180),
                Etiket("Serverversion :", 10, 70, 80), Edit(kHostVersion, 100, 70, 50, true),
                Etiket("Skole nr.:", 10, 90, 80), Edit(kSkolenr, 100, 90, 40), Etiket("SKAL UDFYLDES!", 150, 90, 80),
                Felt("BUTTON", kUnix, "Unix", WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, 10, 115, 60, 12),
                Felt("BUTTON", kOracle, "Oracle", BS_AUTORADIOBUTTON, 80, 115, 60, 12)};
  t[2] = Side(137, "Periode");
  t[2].items = {Etiket("Fra dato :", 10, 10, 80), Edit(kFra, 100, 10, 50), Etiket("Til dato :", 10, 30, 80),
                Edit(kTil, 100, 30, 50), Etiket("Lås dato :", 10, 50, 80), Edit(kLaas, 100, 50, 50, true)};
  t[3] = Side(138, "Dage/Lektioner/Tider");
  t[3].items = {Etiket("Antal dage :", 10, 10, 80), Edit(kDage, 100, 10, 50), Etiket("Max 7 dage", 160, 10, 80),
                Etiket("Antal lektioner :", 10, 30, 80), Edit(kTimer, 100, 30, 50), Etiket("Max 48 lektioner", 160, 30, 80),
                Etiket("Starttid :", 10, 50, 80), Edit(kStart, 100, 50, 50), Etiket("TT:MM", 160, 50, 80),
                Etiket("Sluttid :", 10, 70, 80), Edit(kSlut, 100, 70, 50), Etiket("TT:MM", 160, 70, 80),
                Etiket("Std. lekt. :", 10, 90, 80), Edit(kStd, 100, 90, 50), Etiket("F.eks. 7,4", 160, 90, 80),
                Check(kStdLektion,
                      "Brug standard lektionslængde fra trimoplysninger fra server, hvis ikke andet er tilfældet. Eks. "
                      "45 min.",
                      10, 115, 280)};
  t[4] = Side(139, "Diverse");
  for (int i = 0; i < kAntalDiverse; ++i)
    t[4].items.push_back(Check(kDiverse + i, kDiverseFelter[i].tekst, i < 7 ? 10 : 160, 10 + (i % 8) * 16, 140,
                               kDiverse + i == kHentstam));
  t[5] = Side(180, "Auto Skema");
  for (int i = 0; i < 5; ++i) {
    t[5].items.push_back(Etiket(kAutoTekster[i], 10, 10 + i * 16, 170));
    t[5].items.push_back(Edit(kAuto + i, 190, 10 + i * 16, 40));
  }
  for (int i = 0; i < 8; ++i) {
    t[5].items.push_back(Etiket(kSliderTekster[i], 10, 95 + i * 16, 170));
    t[5].items.push_back(Felt("msctls_trackbar32", kAuto + 5 + i, "", WS_TABSTOP, 190, 95 + i * 16, 100, 14));
  }
  return t;
}

// ---- helpers

void Hent(HWND d, int id, char *ud, int n) {
  ud[0] = 0;
  GetDlgItemTextA(d, id, ud, n);
}
template <size_t N>
void Hent(HWND d, int id, char (&ud)[N]) {
  Hent(d, id, ud, static_cast<int>(N));
}
bool Krydset(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
void Kryds(HWND d, int id, bool ja) { CheckDlgButton(d, id, ja ? BST_CHECKED : BST_UNCHECKED); }

bool FilFindes(const char *navn) {
  char sti[kStiLaengde];
  return DataFilSti(sti, sizeof sti, navn, "") && GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES;
}
bool ImportFil() { return FilFindes("imp.dat") || FilFindes("imp.dat.gz"); }
bool EksportFil() { return FilFindes("exp.dat") || FilFindes("exp.dat.gz"); }

// The error box of the sheet: the text with the system's last error.
void FejlBoks(HWND d, const char *tekst) {
  char t[1024];
  std::snprintf(t, sizeof t, "%s\nFejlkode: %d", tekst, static_cast<int>(GetLastError()));
  MessageBoxA(d, t, "Fejl", MB_OK | MB_ICONEXCLAMATION);
}
bool Advarsel(HWND d, const char *tekst) {
  char t[1024];
  std::snprintf(t, sizeof t, "%s\nFejlkode: %d", tekst, static_cast<int>(GetLastError()));
  return MessageBoxA(d, t, "Fejl", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
}

int FeltId(ArkFelt f) {
  switch (f) {
    case kArkInsnr: return kInsnr;
    case kArkSuperTavo: return kSuperTavo;
    case kArkFraDato: return kFra;
    case kArkTilDato: return kTil;
    case kArkDage: return kDage;
    case kArkLektioner: return kTimer;
    case kArkStarttid: return kStart;
    case kArkSluttid: return kSlut;
    case kArkStdLektioner: return kStd;
    default: return 0;
  }
}

void Fokus(HWND d, int id) {
  HWND c = GetDlgItem(d, id);
  if (!c) return;
  SetFocus(c);
  char klasse[16] = "";
  GetClassNameA(c, klasse, sizeof klasse);
  if (strcasecmp(klasse, "EDIT") == 0) SendMessageA(c, EM_SETSEL, 0, -1);
}

// Shows the check's answer; true when the page may be left.
bool Svar(HWND d, const ArkSvar &s) {
  if (s.Art == ArkArt::Ok) return true;
  const bool ok = s.Art == ArkArt::Advarsel ? Advarsel(d, s.Tekst) : (FejlBoks(d, s.Tekst), false);
  if (!ok) Fokus(d, FeltId(s.Felt));
  return ok;
}

INT_PTR Resultat(HWND d, LONG_PTR r) {
  SetWindowLongPtrA(d, DWLP_MSGRESULT, r);
  return TRUE;
}

void Tid(char *ud, size_t n, Klokkeslaet t) { std::snprintf(ud, n, "%02d:%02d", static_cast<int>(t / 100), static_cast<int>(t % 100)); }
void Std(char *ud, size_t n, double v) {
  const long h = std::lround(v * 100);
  std::snprintf(ud, n, "%d,%02d", static_cast<int>(h / 100), static_cast<int>(h % 100));
}
double LaesStd(HWND d) {
  char t[200];
  Hent(d, kStd, t);
  CommaToPoint(t);
  KeepDigitsPoint(t);
  return std::atof(t);
}

// The linked fields, each as if it had just lost the focus.
void Kaedet(HWND d, int id) {
  Ark &a = *gArk;
  char t[32];
  if (id == kStart || id == kSlut) {
    const bool start = id == kStart;
    const Klokkeslaet v = HentTidHHMM(d, id);
    Klokkeslaet &husket = start ? a.husketStart : a.husketSlut;
    if (v == husket) return;
    const Klokkeslaet anden = HentTidHHMM(d, start ? kSlut : kStart);
    const double n = MinutterMellem(start ? v : anden, start ? anden : v) / 60.0;
    Std(t, sizeof t, n);
    SetDlgItemTextA(d, kStd, t);
    Tid(t, sizeof t, v);
    SetDlgItemTextA(d, id, t);
    husket = v;
    a.husketStd = n;
  } else if (id == kStd) {
    float n = static_cast<float>(LaesStd(d));
    if (std::fabs(n - a.husketStd) < 1e-9) return;
    const Klokkeslaet slut = BeregnSluttid(HentTidHHMM(d, kStart), &n);
    Tid(t, sizeof t, slut);
    SetDlgItemTextA(d, kSlut, t);
    Std(t, sizeof t, n);
    SetDlgItemTextA(d, kStd, t);
    a.husketSlut = slut;
    a.husketStd = n;
  }
}

// ---- pages

bool ForladInstallation(HWND d) {
  Ark &a = *gArk;
  char nr[16];
  Hent(d, kInsnr, nr);
  InstallationsFelter f{nr, Krydset(d, kSuperTavo), a.gInsnr, a.gSuperTavo, ImportFil(), EksportFil(),
                        TaelEgneBegivenheder(a.gInsnr) + TaelEgneTimoak(a.gInsnr) != 0, TaelLevendeStamdata() != 0};
  uint8_t ny = 0;
  bool nulstil = false;
  if (!Svar(d, CheckInstallationSide(f, &ny, &nulstil))) return false;
  std::snprintf(a.k.insnr, sizeof a.k.insnr, "%s", nr);
  a.k.supertavo = f.SuperTavo;
  a.nyInsnr = ny;
  a.nulstil = nulstil;
  if (nulstil) a.k.hentstam = true;
  return true;
}

bool ForladServer(HWND d) {
  InstallationsKopi &k = gArk->k;
  Hent(d, kBruger, k.bruger);
  Hent(d, kDatabase, k.database);
  Hent(d, kServer, k.server);
  Hent(d, kSkolenr, k.skolenr);
  for (char *t : {k.bruger, k.database, k.server, k.skolenr}) StripBlanks(t);
  k.logintype = Krydset(d, kUnix) ? 'u' : 'o';
  if (k.skolenr[0]) return true;
  FejlBoks(d, "Skolenr SKAL udfyldes.");
  Fokus(d, kSkolenr);
  return false;
}

bool ForladPeriode(HWND d) {
  Ark &a = *gArk;
  char fra[16], til[16];
  Hent(d, kFra, fra);
  Hent(d, kTil, til);
  bool info = false;
  const PeriodeFelter f{fra, til, a.gFra, a.gTil, ImportFil(), EksportFil(), GlobalIndstillinger.insnr};
  if (!Svar(d, CheckPeriodeSide(f, &a.nyFra, &a.nyTil, &info))) return false;
  if (info) MessageBoxA(d, kArkPeriodeInfoTekst, "Information", MB_OK | MB_ICONEXCLAMATION);
  std::snprintf(a.k.fradato, sizeof a.k.fradato, "%s", fra);
  std::snprintf(a.k.tildato, sizeof a.k.tildato, "%s", til);
  a.periodeValideret = true;
  return true;
}

bool ForladDage(HWND d) {
  Ark &a = *gArk;
  for (int id : {kStart, kSlut, kStd}) Kaedet(d, id);
  InstallationsKopi &k = a.k;
  Hent(d, kDage, k.antaldage);
  Hent(d, kTimer, k.antaltimer);
  Hent(d, kStart, k.starttid);
  Hent(d, kSlut, k.sluttid);
  Hent(d, kStd, k.lektionerprdag);
  k.standardlektion = Krydset(d, kStdLektion);
  if (!Svar(d, CheckDageSide({k.antaldage, k.antaltimer, k.starttid, k.sluttid, k.lektionerprdag}, &a.dage)))
    return false;
  a.dageValideret = true;
  return true;
}

bool ForladDiverse(HWND d) {
  for (int i = 0; i < kAntalDiverse; ++i)
    if (IsWindowEnabled(GetDlgItem(d, kDiverse + i)) || kDiverse + i == kHentstam)
      gArk->k.*kDiverseFelter[i].felt = Krydset(d, kDiverse + i);
  return true;
}

bool ForladAuto(HWND d) {
  InstallationsKopi &k = gArk->k;
  for (int i = 0; i < 5; ++i) {
    char t[16];
    Hent(d, kAuto + i, t);
    StripBlanks(t);
    std::snprintf(AutoFelt(k, i), 16, "%d", std::atoi(t));
  }
  for (int i = 0; i < 8; ++i) k.straf[i] = static_cast<int>(SendDlgItemMessageA(d, kAuto + 5 + i, TBM_GETPOS, 0, 0));
  return true;
}

void FyldSide(HWND d, int side) {
  Ark &a = *gArk;
  InstallationsKopi &k = a.k;
  char t[64];
  switch (side) {
    case 0:
      SetDlgItemTextA(d, kInsnr, k.insnr);
      Kryds(d, kSuperTavo, k.supertavo);
      GetPrivateProfileStringA("global", "version", "", t, sizeof t, StiTab.szini);
      SetDlgItemTextA(d, kVersion, t);
      GetPrivateProfileStringA("global", "nyversion", "", t, sizeof t, StiTab.szini);
      SetDlgItemTextA(d, kNyVersion, t);
      GetPrivateProfileStringA("global", "natjobtid", "", t, sizeof t, StiTab.szini);
      SetDlgItemTextA(d, kNatjob, t);
      break;
    case 1:
      SetDlgItemTextA(d, kBruger, k.bruger);
      SetDlgItemTextA(d, kDatabase, k.database);
      SetDlgItemTextA(d, kServer, k.server);
      SetDlgItemTextA(d, kSkolenr, k.skolenr);
      GetPrivateProfileStringA("global", "hostversion", "", t, sizeof t, StiTab.szini);
      SetDlgItemTextA(d, kHostVersion, t);
      Kryds(d, kUnix, k.logintype == 'u');
      Kryds(d, kOracle, k.logintype != 'u');
      break;
    case 2:
      SetDlgItemTextA(d, kFra, k.fradato);
      SetDlgItemTextA(d, kTil, k.tildato);
      GetPrivateProfileStringA("global", "lasdato", "", t, sizeof t, StiTab.szini);
      SetDlgItemTextA(d, kLaas, t);
      break;
    case 3:
      SetDlgItemTextA(d, kDage, k.antaldage);
      SetDlgItemTextA(d, kTimer, k.antaltimer);
      SetDlgItemTextA(d, kStart, k.starttid);
      SetDlgItemTextA(d, kSlut, k.sluttid);
      SetDlgItemTextA(d, kStd, k.lektionerprdag);
      Kryds(d, kStdLektion, k.standardlektion);
      a.husketStart = HentTidHHMM(d, kStart);
      a.husketSlut = HentTidHHMM(d, kSlut);
      a.husketStd = LaesStd(d);
      break;
    case 4:
      for (int i = 0; i < kAntalDiverse; ++i) Kryds(d, kDiverse + i, k.*kDiverseFelter[i].felt);
      break;
    case 5:
      for (int i = 0; i < 5; ++i) SetDlgItemTextA(d, kAuto + i, AutoFelt(k, i));
      for (int i = 0; i < 8; ++i) {
        SendDlgItemMessageA(d, kAuto + 5 + i, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        SendDlgItemMessageA(d, kAuto + 5 + i, TBM_SETPOS, TRUE, k.straf[i]);
      }
      break;
  }
}

bool (*const kForlad[6])(HWND) = {ForladInstallation, ForladServer, ForladPeriode, ForladDage, ForladDiverse,
                                  ForladAuto};

INT_PTR CALLBACK SideProc(HWND d, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    const int side = static_cast<int>(reinterpret_cast<const PROPSHEETPAGEA *>(lParam)->lParam);
    SetWindowLongPtrA(d, DWLP_USER, side);
    if (gArk) gArk->vist[side] = true;
    FyldSide(d, side);
    return TRUE;
  }
  if (!gArk) return FALSE;
  const int side = static_cast<int>(GetWindowLongPtrA(d, DWLP_USER));
  if (msg == WM_COMMAND && side == 3 && HIWORD(wParam) == EN_KILLFOCUS) {
    Kaedet(d, LOWORD(wParam));
    return TRUE;
  }
  if (msg != WM_NOTIFY) return FALSE;
  switch (reinterpret_cast<const NMHDR *>(lParam)->code) {
    case PSN_SETACTIVE:
      if (side == 4) Kryds(d, kHentstam, gArk->k.hentstam);
      if (side == 1) Fokus(d, gArk->k.skolenr[0] ? kBruger : kSkolenr);
      return Resultat(d, 0);
    case PSN_KILLACTIVE:
      return Resultat(d, kForlad[side](d) ? FALSE : TRUE);
    case PSN_APPLY: {
      if ((side == 0 || side == 1) && !gArk->k.skolenr[0]) {
        PropSheet_SetCurSel(GetParent(d), 0, 1);
        return Resultat(d, PSNRET_INVALID_NOCHANGEPAGE);
      }
      if (!gArk->skrevet) {
        gArk->skrevet = true;
        GemInstallationsoplysninger(gArk->k);
      }
      return Resultat(d, PSNRET_NOERROR);
    }
    case PSN_HELP:
      return TRUE;
  }
  return FALSE;
}

bool HarEgneEllerLevende(uint8_t insnr) {
  return TaelEgneBegivenheder(insnr) + TaelEgneTimoak(insnr) + TaelLevendeStamdata() != 0;
}

// The consequences of OK, from the values the pages validated.
void Anvend(HWND ejer, Ark &a) {
  GlobalIndstillingerData &g = GlobalIndstillinger;
  const uint8_t tael[4] = {g.taelaktibooking, g.taelmedabooking, g.taelstjerneakti, g.taelstjernemeda};
  LaesIndstillinger(false);
  if (a.vist[0]) {
    g.insnr = a.nyInsnr;
    g.supertavo = a.k.supertavo;
  }
  bool genindlaest = false;
  const bool tilbage = a.periodeValideret && a.nyFra < a.gFra && a.gFra != 0 && g.insnr >= 1;
  if ((a.nulstil && HarEgneEllerLevende(g.insnr)) || tilbage) {
    LukAlleVinduer();
    ResetAllData();
    BehandlData();
    genindlaest = true;
  }
  if (a.periodeValideret && (a.nyFra != a.gFra || a.nyTil != a.gTil) && a.gFra != 0 && g.insnr >= 1) {
    SkiftPeriode(a.nyFra, a.nyTil, SkemaPeriode.LaasDato);
    genindlaest = true;
  }
  if (a.dageValideret && (a.dage.Lektioner != a.gTimer || a.dage.Dage != a.gDage)) {
    if (!genindlaest) LukAlleVinduer();
    LaesVisningstider();
    for (VisningsTilstandRec &v : VisningsTilstand)
      if (v.Ugedag == 0 || v.Ugedag > 7) v.Ugedag = 1;
  }
  const uint8_t nu[4] = {g.taelaktibooking, g.taelmedabooking, g.taelstjerneakti, g.taelstjernemeda};
  if (!genindlaest && std::memcmp(tael, nu, sizeof nu) != 0) AllokerTalTab();
  SendTilAlleVinduer(1122, 0, 0, ejer);
  for (HWND rude : {StatusFelter.Laas, StatusFelter.Insnr})
    if (rude) InvalidateRect(rude, nullptr, TRUE);
}

}  // namespace

INT_PTR InstallationsoplysningerDialog(HWND ejer) {
  Ark a;
  LaesInstallationsoplysninger(&a.k);
  a.gInsnr = GlobalIndstillinger.insnr;
  a.gSuperTavo = GlobalIndstillinger.supertavo != 0;
  a.gFra = SkemaPeriode.FraDato;
  a.gTil = SkemaPeriode.TilDato;
  a.gTimer = static_cast<uint32_t>(std::atoi(a.k.antaltimer));
  a.gDage = static_cast<uint32_t>(std::atoi(a.k.antaldage));
  tavo::res::DialogTemplate *t = Skabeloner();
  PROPSHEETPAGEA p[6]{};
  for (int i = 0; i < 6; ++i) {
    p[i].dwSize = sizeof p[i];
    p[i].dwFlags = PSP_DLGINDIRECT | PSP_HASHELP;
    p[i].pResource = &t[i];
    p[i].pfnDlgProc = SideProc;
    p[i].lParam = i;
  }
  PROPSHEETHEADERA h{};
  h.dwSize = sizeof h;
  h.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP;
  h.hwndParent = ejer;
  h.pszCaption = "Installationsoplysninger";
  h.nPages = 6;
  h.ppsp = p;
  Ark *foer = gArk;
  gArk = &a;
  const INT_PTR svar = PropertySheetA(&h);
  gArk = foer;
  // A read-only run may look at the sheet but changes nothing.
  if (svar > 0 && a.skrevet && !StiTab.laastOenske && !GlobalIndstillinger.skemalaast) Anvend(ejer, a);
  return svar;
}

void IndstillingerKommando(HWND ejer) { InstallationsoplysningerDialog(ejer); }
