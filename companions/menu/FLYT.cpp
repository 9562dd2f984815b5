// Moving the data folder to removable disks and back. The disk count is an
// estimate from the first disk: disks are asked for until every byte of
// the archive is on them, each piece is read back before it counts, and
// the way back joins pieces until the archive's recorded size has come.
// Nothing of the data folder changes until the whole archive is unpacked
// beside it; then it is moved in as one crash-safe save.

#include "FLYT.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GEMNING.h"
#include "MENU.h"
#include "STITAB.h"
#include "ZIPPAK.h"
#include "menuressourcer.h"
#include "tavo/cp1252.h"

int g_FlytFase = 0;
const char kFlytArkivNoegle[] = "arkivbytes";

namespace {

constexpr uint64_t kFlytIniReserve = 3000;
constexpr char kUdpakMappe[] = "flytudpak.tmp";
// The exchange files that do not travel with the data unless the archive
// holds them.
const char *const kUdvekslingsFiler[] = {"data\\exp.dat", "data\\exp.dat.gz", "data\\imp.dat", "data\\imp.dat.gz"};

struct Fase {
  const char *titel, *overskrift;
};
const Fase kFaser[] = {{"Pakker filer...", "PAKKER FILER    ET ØJEBLIK..."},
                       {"Kopier filer...", "KOPIER FILER    ET ØJEBLIK..."},
                       {"Udpakker filer...", "UDPAKKER FILER    ET ØJEBLIK..."}};

struct LukStroem {
  void operator()(FILE *f) const { fclose(f); }
};

std::string Data(const char *rel = "") { return std::string(g_Menu.DataMappe) + rel; }

std::string Format(const char *format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char *format, ...) {
  char buf[2048];
  va_list a;
  va_start(a, format);
  std::vsnprintf(buf, sizeof buf, format, a);
  va_end(a);
  return buf;
}

std::string Systemtekst() {
  char buf[512];
  return SystemErrorText(buf, sizeof buf);
}

int Boks(HWND dlg, const std::string &tekst, const char *titel, UINT stil) {
  return MessageBoxA(dlg, tekst.c_str(), titel, stil);
}

void Status(HWND dlg, const std::string &tekst) { SetDlgItemTextA(dlg, IDC_STATUSLINJE, tekst.c_str()); }

void Bjaelke(HWND dlg, int id, UINT msg, WPARAM wp, LPARAM lp) { SendDlgItemMessageA(dlg, id, msg, wp, lp); }

void SaetInterval(HWND dlg, int id, int top) {
  Bjaelke(dlg, id, PBM_SETRANGE, 0, MAKELPARAM(0, top));
  Bjaelke(dlg, id, PBM_SETSTEP, 1, 0);
}

void TilEnden(HWND dlg, int id) {
  PBRANGE r{};
  Bjaelke(dlg, id, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&r));
  Bjaelke(dlg, id, PBM_SETPOS, static_cast<WPARAM>(r.iHigh), 0);
}

void GenTegn(HWND dlg) {
  InvalidateRect(dlg, nullptr, TRUE);
  UpdateWindow(dlg);
}

bool SkrivTal(const char *noegle, uint64_t tal, const std::string &fil) {
  return SkrivIni("global", noegle, std::to_string(tal).c_str(), fil.c_str()) != 0;
}

bool IkkeSuperTavo() { return std::strcmp(g_Menu.SuperTavo, "nej") == 0; }

// ---- Packing ----

// Adds every file of the data folder's folder + pattern to Data.tvo under
// its name relative to the data folder (the current folder while packing).
bool PakMoenster(HWND dlg, const char *mappe, const char *moenster, const char *ingenFejl) {
  const std::string arkiv = Data("Data.tvo");
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((Data(mappe) + moenster).c_str(), &fd);
  bool nogen = false, ok = true;
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      nogen = true;
      Bjaelke(dlg, IDC_BJAELKE2, PBM_STEPIT, 0, 0);
      Status(dlg, Format("Pakker filen: '%s'", fd.cFileName));
      ok = PakFilMedFejl(dlg, (std::string(mappe) + fd.cFileName).c_str(), arkiv.c_str(), TRUE) == 0;
    } while (ok && FindNextFileA(h, &fd));
    FindClose(h);
  }
  if (!nogen) {
    Boks(dlg, ingenFejl, "Fejl", MB_OK | MB_ICONERROR);
    return false;
  }
  return ok;
}

// ---- Copying out ----

// The bytes of the volume that equal the archive from the offset on; 0
// when the volume holds anything else.
uint64_t VerificerStykke(const std::string &arkiv, const std::string &volumen, uint64_t offset) {
  std::unique_ptr<FILE, LukStroem> a(fopen(arkiv.c_str(), "rb")), v(fopen(volumen.c_str(), "rb"));
  if (!a || !v || fseeko(a.get(), static_cast<off_t>(offset), SEEK_SET) != 0) return 0;
  std::vector<char> ba(65536), bv(65536);
  uint64_t ens = 0;
  for (;;) {
    const size_t nv = fread(bv.data(), 1, bv.size(), v.get());
    if (nv == 0) break;
    const size_t na = fread(ba.data(), 1, nv, a.get());
    if (na != nv || std::memcmp(ba.data(), bv.data(), nv) != 0) return 0;
    ens += nv;
  }
  return ferror(v.get()) ? 0 : ens;
}

bool DiskFuld(int e, DWORD fejl) {
  return e == ENOSPC || fejl == ERROR_DISK_FULL || fejl == ERROR_HANDLE_DISK_FULL;
}

class KopiUd {
 public:
  explicit KopiUd(HWND dlg)
      : dlg_(dlg), drev_(g_Menu.FlytDrev), mappe_(FlytMappe()), ini_(FlytIniSti()), arkiv_(Data("Data.zip")) {}

  bool Koer() {
    Status(dlg_, "Undersøger disk plads!");
    gammelVersion_ = LaesFlytIni(ini_).version;
    SletKatalogTrae(mappe_.c_str());
    flytbar_ = DrevType(drev_.c_str()) == DRIVE_REMOVABLE;
    uint64_t ledig = 0, total = 0;
    while (!LedigDiskPlads(drev_.c_str(), &ledig, &total)) {
      if (!flytbar_) {
        Boks(dlg_, Format("%s  '%s'\nKopiering af dataene stopper!", "Kan ikke læse fra disk enheden!", drev_.c_str()),
             "Information", MB_OK | MB_ICONINFORMATION);
        return false;
      }
      if (Boks(dlg_, Format("%s\nIndsæt flyt-enhed nr. %i. ", "Kan ikke læse fra disk enheden!", 1), "Information",
               MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return false;
      gammelVersion_ = LaesFlytIni(ini_).version;
      SletKatalogTrae(mappe_.c_str());
    }
    SaetFlytFase(dlg_, 1);
    GenTegn(dlg_);

    stoerrelse_ = FilStoerrelse(arkiv_.c_str());
    if (flytbar_) {
      // A disk with no room beyond flyt.ini's counts as too small.
      const uint64_t plads = ledig > kFlytIniReserve ? ledig - kFlytIniReserve : 0;
      antal_ = plads == 0 ? 2 : static_cast<int>((stoerrelse_ + plads - 1) / plads);
      if (antal_ < 1) antal_ = 1;
      if (antal_ > 1) {
        if (ledig != total) {
          Boks(dlg_,
               "Disk enheden er ikke tom og der er ikke plads nok til data'ene."
               "\nSlet indholdet på disk enheden eller benyt en anden tom disk enhed.",
               "Information", MB_OK | MB_ICONINFORMATION);
          return false;
        }
        if (Boks(dlg_, Format("Der skal bruges %i tomme disk enheder til at flytte dataene!\n\nVil du fortsætte?", antal_),
                 "Information", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
          return false;
      }
    } else {
      const uint64_t under4 = ledig > 0xFFFFFFFFull ? 0xFFFFFFFFull : ledig;
      if (under4 < stoerrelse_) {
        Boks(dlg_, "Der er ikke lager plads nok til dataene.\nSkab noget mere plads eller reducere perioden i TAVO",
             "Information", MB_OK | MB_ICONINFORMATION);
        return false;
      }
    }
    SaetInterval(dlg_, IDC_BJAELKE1, 2 * antal_ + 2);
    Bjaelke(dlg_, IDC_BJAELKE1, PBM_SETPOS, 0, 0);

    // Until every byte is on a disk, however many the estimate said.
    uint64_t offset = 0;
    for (int i = 1; offset < stoerrelse_ || i == 1; ++i) {
      if (i > antal_) {
        antal_ = i;
        SaetInterval(dlg_, IDC_BJAELKE1, 2 * antal_ + 2);
      }
      uint64_t skrevet = 0;
      if (!Disk(i, offset, &skrevet)) return false;
      offset += skrevet;
    }
    TilEnden(dlg_, IDC_BJAELKE1);
    std::string tekst = "Så er filerne kopieret til disk enheden!";
    if (gammelVersion_ != 0 && gammelVersion_ < g_Menu.Version)
      tekst += "\n\nOBS!  Den TAVO-version der er på din anden PC er ældre"
               "\nend den du kopierer dataene fra."
               "\nDu skal oprette en ny installationsenhed og opgradere den anden PC!";
    Boks(dlg_, tekst, "Information", MB_OK | MB_ICONINFORMATION);
    if (IkkeSuperTavo()) {
      if (!SkrivIni("global", "skemalåst", "ja", g_Menu.IniFil)) {
        VisSystemFejl(nullptr, MB_OK | MB_ICONERROR);
        return true;
      }
      g_Menu.Laast = 1;
    }
    return true;
  }

 private:
  enum class Trin { Til, Ret, Tom, Mappe, Skriv, Kopier };

  // One disk, S1 to S6; false when the move stops.
  bool Disk(int i, uint64_t offset, uint64_t *skrevet) {
    uint64_t ledig = 0, total = 0;
    Trin trin = flytbar_ ? Trin::Til : Trin::Mappe;
    for (;;) {
      switch (trin) {
        case Trin::Til: {
          // Disk 1 was found by the free-space test; a later one is asked
          // for, and any disk whose volume cannot be read is asked for again.
          if (i > 1 && !IndsaetDisk(i)) return false;
          char navn[262];
          while (!HentVolumenNavn(navn, drev_.c_str()))
            if (!IndsaetDisk(i)) return false;
          trin = Trin::Ret;
          break;
        }
        case Trin::Ret: {
          const FlytIni f = LaesFlytIni(ini_);
          if (i > 1 && f.findes && f.disknr >= 1 && f.disknr <= i - 1) {
            if (Boks(dlg_, Format("Disk enheden er ikke nr %i.\nIndsæt disk enhed nr. %i eller en ny og tryk OK", i, i),
                     "Information", MB_OKCANCEL | MB_ICONWARNING) != IDOK)
              return false;
            break;
          }
          trin = antal_ > 1 ? Trin::Tom : Trin::Mappe;
          break;
        }
        case Trin::Tom:
          Status(dlg_, "Undersøger enheds plads!");
          SletKatalogTrae(mappe_.c_str());
          if (!LedigDiskPlads(drev_.c_str(), &ledig, &total)) {
            VisSystemFejl(nullptr, MB_OK | MB_ICONERROR);
            return false;
          }
          if (ledig != total) {
            if (Boks(dlg_,
                     "Disk enheden er ikke en tom."
                     "\nSlet indholdet på disk enheden eller benyt en anden tom enhed.",
                     "Information", MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY)
              return false;
            break;
          }
          trin = Trin::Mappe;
          break;
        case Trin::Mappe:
          if (!OpretKatalog(mappe_.c_str())) {
            Boks(dlg_, Format("Kan ikke oprette kataloget: %s\n%s", mappe_.c_str(), Systemtekst().c_str()),
                 "Information", MB_OK | MB_ICONERROR);
            return false;
          }
          trin = flytbar_ ? Trin::Skriv : Trin::Kopier;
          break;
        case Trin::Skriv: {
          const std::string test = mappe_ + "\\Flyttest.txt";
          FILE *f = fopen(test.c_str(), "wb");
          if (f) {
            fclose(f);
            DeleteFileA(test.c_str());
            trin = Trin::Kopier;
            break;
          }
          if (Boks(dlg_,
                   Format("Der kan ikke skrives til disk enheden, fjern evt. skrivebeskyttelsen!\n%s",
                          Systemtekst().c_str()),
                   "Information", MB_OKCANCEL | MB_ICONWARNING) != IDOK)
            return false;
          trin = Trin::Til;
          break;
        }
        case Trin::Kopier:
          return Kopier(i, offset, antal_ > 1 ? ledig : 0, skrevet);
      }
    }
  }

  bool IndsaetDisk(int i) {
    return Boks(dlg_, Format("Indsæt flyt-enhed nr. %i. ", i), "Information", MB_OKCANCEL | MB_ICONINFORMATION) ==
           IDOK;
  }

  bool KopiFejl(const std::string &fil) {
    Boks(dlg_, Format("Der opstod en fejl under kopiering af filen: %s\n%s", fil.c_str(), Systemtekst().c_str()),
         "Information", MB_OK | MB_ICONERROR);
    return false;
  }

  // S6. flyt.ini goes first, so that its room is taken before the piece
  // fills the disk. ledig 0: the whole rest.
  bool Kopier(int i, uint64_t offset, uint64_t ledig, uint64_t *skrevet) {
    Bjaelke(dlg_, IDC_BJAELKE1, PBM_STEPIT, 0, 0);
    bool ok = SkrivTal("insnr", static_cast<uint64_t>(g_Menu.Insnr), ini_) &&
              SkrivTal("version", g_Menu.Version, ini_) && SkrivTal("disknr", static_cast<uint64_t>(i), ini_) &&
              SkrivTal("antaldiske", static_cast<uint64_t>(antal_), ini_) &&
              SkrivIni("global", "skemalåst", "nej", ini_.c_str()) != 0 &&
              SkrivTal(kFlytArkivNoegle, stoerrelse_, ini_);
    if (!ok) return KopiFejl(ini_);
    long limit = 0;
    if (ledig > 0) {
      if (ledig <= kFlytIniReserve) return KopiFejl(arkiv_);
      const uint64_t l = ledig - kFlytIniReserve;
      limit = l > 0x7FFFFFFFull ? 0x7FFFFFFF : static_cast<long>(l);
    }
    const std::string volumen = Format("%s\\Data.z%02i", mappe_.c_str(), i);
    errno = 0;
    SetLastError(0);
    const long kopieret = KopierFilMedProgress(dlg_, arkiv_.c_str(), volumen.c_str(), static_cast<long>(offset),
                                               limit, "wb");
    const int e = errno;
    const DWORD fejl = GetLastError();
    const uint64_t ens = VerificerStykke(arkiv_, volumen, offset);
    if (kopieret > 0 && ens == static_cast<uint64_t>(kopieret)) {
      *skrevet = ens;
    } else if (kopieret == 0 && flytbar_ && ens > 0 && DiskFuld(e, fejl)) {
      // The disk took less than it said it had room for: what is on it
      // counts, and the next disk takes the rest.
      *skrevet = ens;
    } else {
      SetLastError(fejl ? fejl : ERROR_GEN_FAILURE);
      return KopiFejl(arkiv_);
    }
    Bjaelke(dlg_, IDC_BJAELKE1, PBM_STEPIT, 0, 0);
    return true;
  }

  HWND dlg_;
  std::string drev_, mappe_, ini_, arkiv_;
  int gammelVersion_ = 0;
  bool flytbar_ = false;
  int antal_ = 1;
  uint64_t stoerrelse_ = 0;
};

// ---- Unpacking ----

bool ErMappe(const WIN32_FIND_DATAA &fd) { return (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool PunktNavn(const char *n) { return std::strcmp(n, ".") == 0 || std::strcmp(n, "..") == 0; }

bool EnsNavn(const char *a, const char *b) { return tavo::Cp1252EqualNoCase(a, b); }

// The files unpacked into the folder as "data\<name>" and "ini\<name>";
// false when it holds anything else (the archive is then not one of ours).
bool UdpakkedeFiler(const std::string &mappe, std::vector<std::string> *filer) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((mappe + "\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  std::vector<std::string> undermapper;
  do {
    if (PunktNavn(fd.cFileName)) continue;
    if (!ErMappe(fd) || !(EnsNavn(fd.cFileName, "data") || EnsNavn(fd.cFileName, "ini")))
      ok = false;
    else
      undermapper.push_back(EnsNavn(fd.cFileName, "data") ? "data" : "ini");
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  for (const std::string &u : undermapper) {
    HANDLE s = FindFirstFileA((mappe + "\\" + u + "\\*.*").c_str(), &fd);
    if (s == INVALID_HANDLE_VALUE) continue;
    do {
      if (PunktNavn(fd.cFileName)) continue;
      if (ErMappe(fd))
        ok = false;
      else
        filer->push_back(u + "\\" + fd.cFileName);
    } while (FindNextFileA(s, &fd));
    FindClose(s);
  }
  return ok && !filer->empty();
}

// Moves the unpacked files over the data folder's as one save.
bool FlytIndPaaPlads(const std::string &udpak, const std::vector<std::string> &filer) {
  if (std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", g_Menu.DataMappe) >= (int)sizeof StiTab.szdata)
    return false;
  if (!OpretKatalog(Data("data").c_str()) || !OpretKatalog(Data("ini").c_str())) return false;
  Gemning gem;
  if (!gem.Aktiv()) return false;
  for (const std::string &f : filer)
    if (!GemKopi((udpak + "\\" + f).c_str(), Data(f.c_str()).c_str())) return false;
  return gem.Fuldfoer() || gem.Besluttet();
}

bool HoldesAf(const std::vector<std::string> &filer, const char *fil) {
  for (const std::string &f : filer)
    if (EnsNavn(f.c_str(), fil)) return true;
  return false;
}

}  // namespace

// ---- Shared ----

void SaetFlytFase(HWND dlg, int fase) {
  if (fase < 0 || fase > 2) return;
  g_FlytFase = fase;
  SetWindowTextA(dlg, kFaser[fase].titel);
  SetDlgItemTextA(dlg, IDC_OVERSKRIFT, kFaser[fase].overskrift);
}

std::string FlytMappe() { return Format("%s\\%s%i", g_Menu.FlytDrev, "TAVO-Flyt", g_Menu.Insnr); }

std::string FlytIniSti() { return FlytMappe() + "\\flyt.ini"; }

FlytIni LaesFlytIni(const std::string &sti) {
  FlytIni f;
  const int adgang = FilAdgang(sti.c_str());
  if (adgang != 0 && adgang != 2) return f;
  const char *s = sti.c_str();
  f.findes = true;
  f.insnr = static_cast<int>(GetPrivateProfileIntA("global", "insnr", 0, s));
  f.version = static_cast<int>(GetPrivateProfileIntA("global", "version", 0, s));
  f.disknr = static_cast<int>(GetPrivateProfileIntA("global", "disknr", 0, s));
  f.antaldiske = static_cast<int>(GetPrivateProfileIntA("global", "antaldiske", 0, s));
  char tal[32] = "";
  GetPrivateProfileStringA("global", kFlytArkivNoegle, "", tal, sizeof tal, s);
  // Digits only and in range: a damaged size must not pass for one.
  bool cifre = tal[0] != '\0';
  for (const char *p = tal; *p; ++p) cifre = cifre && *p >= '0' && *p <= '9';
  errno = 0;
  const unsigned long long v = cifre ? std::strtoull(tal, nullptr, 10) : 0;
  f.arkivBytes = cifre && errno == 0 ? v : 0;
  return f;
}

bool PakFlytData(HWND dlg) {
  SaetInterval(dlg, IDC_BJAELKE1, 3);
  Bjaelke(dlg, IDC_BJAELKE1, PBM_STEPIT, 0, 0);
  const int filer = CountFiles(Data("data\\*.dat").c_str()) + CountFiles(Data("ini\\*.*").c_str());
  SaetInterval(dlg, IDC_BJAELKE2, filer + 8);
  Bjaelke(dlg, IDC_BJAELKE2, PBM_STEPIT, 0, 0);
  const std::string zip = Data("Data.zip"), tvo = Data("Data.tvo");
  DeleteFileA(zip.c_str());
  DeleteFileA(tvo.c_str());
  // The entries are named from the data folder.
  bool ok = SetCurrentDirectoryA(g_Menu.DataMappe) != 0;
  if (!ok) VisSystemFejl(nullptr, MB_OK | MB_ICONERROR);
  ok = ok && PakMoenster(dlg, "data\\", "*.dat", "Fejl ved pakning af data-filerne!");
  if (ok) {
    Bjaelke(dlg, IDC_BJAELKE1, PBM_STEPIT, 0, 0);
    Bjaelke(dlg, IDC_BJAELKE2, PBM_STEPIT, 0, 0);
    ok = PakMoenster(dlg, "ini\\", "*.*", "Fejl ved pakning af ini-filerne!");
  }
  SetCurrentDirectoryA(g_Menu.ProgramMappe);
  TilEnden(dlg, IDC_BJAELKE1);
  TilEnden(dlg, IDC_BJAELKE2);
  if (ok && !MoveFileExA(tvo.c_str(), zip.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    VisSystemFejl(nullptr, MB_OK | MB_ICONERROR);
    ok = false;
  }
  if (!ok) {
    DeleteFileA(tvo.c_str());
    DeleteFileA(zip.c_str());
  }
  return ok;
}

bool KopierFlytData(HWND dlg) {
  StilleDrevFejl stille;
  const bool ok = KopiUd(dlg).Koer();
  if (!ok) SletKatalogTrae(FlytMappe().c_str());
  DeleteFileA(Data("Data.zip").c_str());
  return ok;
}

int UdpakFlytData(HWND dlg) {
  StilleDrevFejl stille;
  const std::string ini = FlytIniSti(), arkiv = Data("Data.zip"), udpak = Data(kUdpakMappe);
  const FlytIni foerste = LaesFlytIni(ini);
  DeleteFileA(arkiv.c_str());
  // Unpacking leaves its folder current: the program folder is made
  // current again before that folder goes.
  auto stop = [&] {
    SetCurrentDirectoryA(g_Menu.ProgramMappe);
    DeleteFileA(arkiv.c_str());
    SletKatalogTrae(udpak.c_str());
    return 0;
  };
  // Disks 1, 2, ... until the archive's size has come; a disk counts as
  // number p only when it belongs to the same move.
  uint64_t samlet = 0;
  for (int p = 1; samlet < foerste.arkivBytes; ++p) {
    for (;;) {
      const FlytIni f = LaesFlytIni(ini);
      if (f.findes && f.disknr == p && f.insnr == foerste.insnr && f.arkivBytes == foerste.arkivBytes) break;
      if (Boks(dlg, Format("Indsæt disk enhed nr: %i i drevet!", p), "Information",
               MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return stop();
    }
    GenTegn(dlg);
    Bjaelke(dlg, IDC_BJAELKE1, PBM_STEPIT, 0, 0);
    const std::string volumen = Format("%s\\Data.z%02i", FlytMappe().c_str(), p);
    errno = 0;
    SetLastError(0);
    const long n = KopierFilMedProgress(dlg, volumen.c_str(), arkiv.c_str(), 0, 0, "ab");
    if (n <= 0) {
      // The cause is the copy's own, taken before another call sets its
      // error: a full data drive is named as such.
      const int e = errno;
      const DWORD fejl = GetLastError();
      SetLastError(DiskFuld(e, fejl) ? ERROR_DISK_FULL : fejl ? fejl : ERROR_GEN_FAILURE);
      const std::string aarsag = Systemtekst();
      Boks(dlg, Format("Kan ikke kopiere filen: %s\n%s", volumen.c_str(), aarsag.c_str()), "Information",
           MB_OK | MB_ICONERROR);
      return stop();
    }
    samlet += static_cast<uint64_t>(n);
    Bjaelke(dlg, IDC_BJAELKE1, PBM_STEPIT, 0, 0);
  }

  SaetFlytFase(dlg, 2);
  GenTegn(dlg);
  std::vector<std::string> filer;
  const bool ok = samlet == foerste.arkivBytes && FilStoerrelse(arkiv.c_str()) == foerste.arkivBytes &&
                  (SletKatalogTrae(udpak.c_str()), OpretKatalog(udpak.c_str())) &&
                  UdpakMedFejl(dlg, arkiv.c_str(), nullptr, udpak.c_str(), FALSE) == 0 &&
                  (SetCurrentDirectoryA(g_Menu.ProgramMappe), UdpakkedeFiler(udpak, &filer)) &&
                  FlytIndPaaPlads(udpak, filer);
  if (!ok) {
    Boks(dlg, Format("Kan ikke udpakke filen: %s", arkiv.c_str()), "Information", MB_OK | MB_ICONERROR);
    return stop();
  }
  // The exchange files of this PC belong to the data just replaced.
  for (const char *fil : kUdvekslingsFiler)
    if (!HoldesAf(filer, fil)) DeleteFileA(Data(fil).c_str());
  stop();
  TilEnden(dlg, IDC_BJAELKE1);
  if (IkkeSuperTavo()) SkrivIni("global", "skemalåst", "ja", ini.c_str());
  return 1;
}

bool FlytDataTilbage(HWND dlg) {
  GenTegn(dlg);
  const std::string ini = FlytIniSti();
  const FlytIni f = LaesFlytIni(ini);
  if (!f.findes || f.arkivBytes == 0) {
    Boks(dlg, Format("Kan ikke læse filen: %s fra disk enheden!\nEller enheden er ikke en TAVO enhed!", ini.c_str()),
         "Information", MB_OK | MB_ICONINFORMATION);
    return false;
  }
  SaetInterval(dlg, IDC_BJAELKE1, 2 * f.antaldiske + 2);
  Bjaelke(dlg, IDC_BJAELKE1, PBM_STEPIT, 0, 0);
  if (f.insnr != g_Menu.Insnr) {
    Boks(dlg, "Data-filerne på disk enheden tilhører ikke denne installation", "Fejl", MB_OK | MB_ICONERROR);
    return false;
  }
  if (f.version != g_Menu.Version) {
    Boks(dlg,
         Format("Data-filerne på disk enheden er fra en program-version %i og\nprogrammet data'ene installeres til, "
                "er af en version %i.\n\nDu kan derfor ikke installere denne version af data!",
                f.version, static_cast<int>(g_Menu.Version)),
         "Fejl", MB_OK | MB_ICONERROR);
    return false;
  }
  if (!UdpakFlytData(dlg)) return false;
  SkrivIni("global", "skemalåst", "nej", g_Menu.IniFil);
  g_Menu.Laast = 0;
  Boks(dlg, "Så er filerne kopieret til harddisken!", "Information", MB_OK | MB_ICONINFORMATION);
  return true;
}

namespace {

// Dialog 103 in either move role: the phase's texts, and the first paint
// posts the message that starts the work.
INT_PTR FlytDlg(HWND dlg, UINT msg, int startFase, UINT start, bool ud) {
  switch (msg) {
    case WM_INITDIALOG:
      SaetFlytFase(dlg, startFase);
      for (int id : {IDC_BJAELKE1, IDC_BJAELKE2})
        if (HWND b = GetDlgItem(dlg, id)) SetClassLongPtrA(b, GCLP_HBRBACKGROUND, (LONG_PTR)(COLOR_WINDOW + 1));
      FitDialogToClient(dlg);
      SetPropA(dlg, "Foerste", static_cast<HANDLE>(1));
      return TRUE;
    case WM_PAINT:
      if (RemovePropA(dlg, "Foerste")) PostMessageA(dlg, start, 0, 0);
      return FALSE;
    case WM_FLYT_PAK:
      if (!ud) return FALSE;
      if (PakFlytData(dlg))
        SendMessageA(dlg, WM_FLYT_KOPIER, 0, 0);
      else
        EndDialog(dlg, 2);
      return TRUE;
    case WM_FLYT_KOPIER:
      if (ud)
        KopierFlytData(dlg);
      else
        FlytDataTilbage(dlg);
      EndDialog(dlg, 2);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK FlytTilEnhedDlgProc(HWND dlg, UINT msg, WPARAM, LPARAM) {
  return FlytDlg(dlg, msg, 0, WM_FLYT_PAK, true);
}

INT_PTR CALLBACK FlytTilHarddiskDlgProc(HWND dlg, UINT msg, WPARAM, LPARAM) {
  return FlytDlg(dlg, msg, 1, WM_FLYT_KOPIER, false);
}
