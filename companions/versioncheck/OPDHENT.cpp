// The update download. Files arrive under temporary names beside their
// targets and are moved over them only when the last one has come, with the
// old files kept aside until every move succeeded: a failure at any point
// leaves the program folder as it was, since the main program would start
// whatever update package it finds there.

#include "OPDHENT.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "LOGFIL.h"
#include "ZINTEL.h"
#include "win/controls.h"
#include "zintelressourcer.h"

int ZintelPauseMs = 1000;

namespace {

// The list's count is one byte in the system's own format.
constexpr size_t kFlestFiler = 255;
constexpr WPARAM kHentFilerKommando = 1124;
const char kNyEndelse[] = ".~opd";
const char kGammelEndelse[] = ".~gml";

struct Fil {
  std::string navn, url, maal, ny, gammel;
  bool havdeGammel = false;
};

void SaetTekst(HWND dlg, const std::string &tekst) { SetWindowTextA(GetDlgItem(dlg, IDC_HENT_TEKST), tekst.c_str()); }

void HentFejl(const std::string &url) {
  const std::string tekst = "Fejl ved hentning af filen: " + url + "\n\nKontakt TAVO-support!";
  MessageBoxA(0, tekst.c_str(), "Hent fil fejl", MB_OK | MB_ICONINFORMATION);
}

bool SammeNavn(const std::string &a, const std::string &b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool ErProgram(const std::string &navn) {
  return navn.size() > 4 && SammeNavn(navn.substr(navn.size() - 4), ".exe");
}

// Moves every new file over its target; on a failure the moves made are
// undone and the index of the file that failed is returned, else -1.
int SaetPaaPlads(std::vector<Fil> &filer) {
  size_t i = 0;
  for (; i < filer.size(); ++i) {
    Fil &f = filer[i];
    f.havdeGammel = GetFileAttributesA(f.maal.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (f.havdeGammel && !MoveFileExA(f.maal.c_str(), f.gammel.c_str(), MOVEFILE_REPLACE_EXISTING)) break;
    if (!MoveFileExA(f.ny.c_str(), f.maal.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      if (f.havdeGammel) MoveFileExA(f.gammel.c_str(), f.maal.c_str(), MOVEFILE_REPLACE_EXISTING);
      break;
    }
  }
  if (i == filer.size()) {
    for (const Fil &f : filer)
      if (f.havdeGammel) DeleteFileA(f.gammel.c_str());
    return -1;
  }
  for (size_t j = i; j-- > 0;) {
    const Fil &f = filer[j];
    if (f.havdeGammel)
      MoveFileExA(f.gammel.c_str(), f.maal.c_str(), MOVEFILE_REPLACE_EXISTING);
    else
      DeleteFileA(f.maal.c_str());
  }
  return static_cast<int>(i);
}

// nyver.txt of the program folder with the closing line, in the box; false
// when it cannot be read.
bool VisNyVer() {
  const std::string sti = std::string(ZintelProgMappe) + "nyver.txt";
  FILE *f = fopen(sti.c_str(), "rb");
  if (!f) return false;
  const long stoerrelse = _filelength(_fileno(f));
  if (stoerrelse < 0) {
    fclose(f);
    return false;
  }
  std::string tekst(static_cast<size_t>(stoerrelse), '\0');
  const size_t laest = fread(tekst.data(), 1, tekst.size(), f);
  fclose(f);
  tekst.resize(laest);
  // The box shows a C string: it ends at the file's first NUL, as it did.
  tekst.resize(std::strlen(tekst.c_str()));
  tekst += "\n\nAlle filer er nu hentet. Installation påbegyndes...";
  MessageBoxA(0, tekst.c_str(), "Ny version info", MB_OK | MB_ICONINFORMATION);
  return true;
}

}  // namespace

bool ZintelRentNavn(const std::string &navn) {
  if (navn.empty() || navn == "." || navn == "..") return false;
  for (const char c : navn) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || c == ':' || u < 32) return false;
  }
  return true;
}

ZintelListe ZintelFilListe(const std::string &krop, std::vector<std::string> *navne, std::string *fejlNavn) {
  navne->clear();
  fejlNavn->clear();
  size_t antal = 0;
  for (std::string &l : ZintelLinjer(krop)) {
    if (l.empty()) continue;
    if (++antal > kFlestFiler) {
      navne->clear();
      return ZintelListe::ForMange;
    }
    if (!ZintelRentNavn(l)) {
      navne->clear();
      *fejlNavn = l;
      return ZintelListe::UgyldigtNavn;
    }
    if (std::none_of(navne->begin(), navne->end(), [&](const std::string &x) { return SammeNavn(x, l); }))
      navne->push_back(std::move(l));
  }
  return ZintelListe::God;
}

DWORD HTTPHentFil(HINTERNET internet, const char *url, const char *lokal) {
  HINTERNET r = InternetOpenUrlA(internet, url, nullptr, 0, kZintelAnmodningsFlag, 0);
  if (!r) {
    StdErrPrintf("HTTPHentOpdFiler: %s%s!\n", "Kunne ikke åbne netforbindelse til ", url);
    return 0;
  }
  DWORD status = 0;
  DWORD laengde = sizeof status;
  if (!HttpQueryInfoA(r, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &laengde, nullptr)) status = 0;
  if (status != 200) {
    StdErrPrintf("HTTPHentOpdFiler: Fejlkode %d ved åbning af %s\n", static_cast<int>(status), url);
    InternetCloseHandle(r);
    return 0;
  }
  FILE *ud = fopen(lokal, "wb");
  if (!ud) {
    StdErrPrintf("HTTPHentOpdFiler: Fejlkode ved åbning af lokalfil %s\n", lokal);
    InternetCloseHandle(r);
    return 0;
  }
  // A read that fails is a transfer cut off before its announced end: the
  // part that came is no file to install.
  unsigned long long skrevet = 0;
  const ZintelLaesning l = ZintelLaesKrop(r, [&](const char *stykke, DWORD n) {
    if (skrevet + n > 0xFFFFFFFFull || fwrite(stykke, 1, n, ud) != n) return false;
    skrevet += n;
    return true;
  });
  const bool hel = l == ZintelLaesning::Hel;
  bool skrivFejl = l == ZintelLaesning::Afvist;
  if (fclose(ud) != 0) skrivFejl = true;
  InternetCloseHandle(r);
  if (!hel && !skrivFejl) StdErrPrintf("HTTPHentOpdFiler: %s%s!\n", "Afbrudt hentning af ", url);
  if (skrivFejl) StdErrPrintf("HTTPHentOpdFiler: Fejlkode ved skrivning af lokalfil %s\n", lokal);
  if (!hel || skrivFejl || skrevet == 0) {
    DeleteFileA(lokal);
    return 0;
  }
  return static_cast<DWORD>(skrevet);
}

int HTTPHentOpdFiler(HWND dlg, HINTERNET internet, unsigned n) {
  const std::string listeUrl = ZintelUrl(n, "/filelist.txt");
  const ZintelSvar s = ZintelHent(internet, listeUrl);
  switch (s.udfald) {
    case ZintelUdfald::IkkeAabnet: return 0;
    case ZintelUdfald::Status: {
      char tekst[1200];
      snprintf(tekst, sizeof tekst, "Fejlkode %d ved åbning af filen: %s\n\nKontakt TAVO-support!",
               static_cast<int>(s.status), listeUrl.c_str());
      MessageBoxA(0, tekst, "Ny version fejl", MB_OK | MB_ICONINFORMATION);
      return 0;
    }
    case ZintelUdfald::ForStor:
      StdErrPrintf("HTTPHentOpdFiler: Fejlkode ved allokering af hukommelse til filen %s\n", listeUrl.c_str());
      return 0;
    case ZintelUdfald::Ok: break;
  }
  std::vector<std::string> navne;
  std::string fejlNavn;
  const ZintelListe liste = ZintelFilListe(s.krop, &navne, &fejlNavn);

  HWND bjaelke = GetDlgItem(dlg, IDC_HENT_BJAELKE);
  SendMessageA(bjaelke, PBM_SETRANGE32, 0, static_cast<LPARAM>(navne.size() + 1));
  SendMessageA(bjaelke, PBM_SETSTEP, 1, 0);
  SendMessageA(bjaelke, PBM_SETPOS, 0, 0);

  // The whole list is checked before anything is fetched.
  bool ok = liste == ZintelListe::God;
  if (liste == ZintelListe::ForMange) {
    StdErrPrintf("HTTPHentOpdFiler: Fillisten %s har over %d navne\n", listeUrl.c_str(), static_cast<int>(kFlestFiler));
    HentFejl(listeUrl);
  } else if (liste == ZintelListe::UgyldigtNavn) {
    StdErrPrintf("HTTPHentOpdFiler: Ugyldigt filnavn i fillisten: %s\n", fejlNavn.c_str());
    HentFejl(ZintelUrl(n, ("/" + fejlNavn).c_str()));
  }
  std::vector<Fil> filer;
  for (size_t i = 0; ok && i < navne.size(); ++i) {
    Fil f;
    f.navn = navne[i];
    f.url = ZintelUrl(n, ("/" + f.navn).c_str());
    f.maal = std::string(ZintelProgMappe) + f.navn;
    f.ny = f.maal + kNyEndelse;
    f.gammel = f.maal + kGammelEndelse;
    filer.push_back(std::move(f));
  }

  // From the last name to the first, as the server's lists are ordered.
  for (size_t i = filer.size(); ok && i-- > 0;) {
    const Fil &f = filer[i];
    SaetTekst(dlg, "Henter ny version (" + f.navn + ")");
    SendMessageA(bjaelke, PBM_STEPIT, 0, 0);
    const bool kom = HTTPHentFil(internet, f.url.c_str(), f.ny.c_str()) != 0;
    if (!kom || (ErProgram(f.navn) && !tavo_saet_koerbar(f.ny.c_str()))) {
      HentFejl(f.url);
      ok = false;
    }
  }
  if (ok) {
    const int fejl = SaetPaaPlads(filer);
    if (fejl >= 0) {
      StdErrPrintf("HTTPHentOpdFiler: Fejlkode ved åbning af lokalfil %s\n", filer[fejl].maal.c_str());
      HentFejl(filer[fejl].url);
      ok = false;
    }
  }
  if (!ok)
    for (const Fil &f : filer) DeleteFileA(f.ny.c_str());

  SaetTekst(dlg, "Færdig");
  PBRANGE omraade{};
  SendMessageA(bjaelke, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&omraade));
  SendMessageA(bjaelke, PBM_SETPOS, static_cast<WPARAM>(omraade.iHigh), 0);
  Sleep(static_cast<DWORD>(ZintelPauseMs));
  ShowWindow(dlg, SW_HIDE);
  return ok && VisNyVer() ? 1 : 0;
}

INT_PTR CALLBACK HentFilerDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dlg, GWLP_USERDATA, lp);
      ShowWindow(GetDlgItem(dlg, IDC_HENT_TEKST), SW_SHOW);
      ShowWindow(GetDlgItem(dlg, IDC_HENT_BJAELKE), SW_SHOW);
      SetPropA(dlg, "Foerste", static_cast<HANDLE>(1));
      return TRUE;
    case WM_PAINT:
      // The work starts once the dialog can be seen; the painting itself
      // is the default one.
      if (RemovePropA(dlg, "Foerste")) PostMessageA(dlg, WM_COMMAND, kHentFilerKommando, 0);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wp) == kHentFilerKommando) {
        const auto *h = reinterpret_cast<const ZintelHentning *>(GetWindowLongPtrA(dlg, GWLP_USERDATA));
        const int resultat = h ? HTTPHentOpdFiler(dlg, h->internet, h->n) : 0;
        Sleep(static_cast<DWORD>(ZintelPauseMs));
        EndDialog(dlg, resultat);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

int ZintelHentFiler(HINTERNET internet, unsigned n) {
  RegistrerZintelRessourcer();
  ZintelHentning h;
  h.internet = internet;
  h.n = n;
  const INT_PTR r = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_HENTFILER), 0, HentFilerDlgProc,
                                    reinterpret_cast<LPARAM>(&h));
  return r == 1 ? 1 : 0;
}
