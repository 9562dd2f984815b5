// A lost connection is closed at once and the contact ends: nothing more is
// sent on it, and the next contact logs in again. An import is taken as
// arrived only after its stream unpacked whole; until then the server keeps
// its file and hears no "done".
#include "KONTAKT.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "EKSPKMD.h"
#include "EXPORT.h"
#include "GEMNING.h"
#include "GZIP.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TAVODATA.h"
#include "WEBKALD.h"
#include "eksportdlg.h"
#include "win/controls.h"
#include "win/dlg.h"
#include "win/menu.h"

std::atomic<int> LoginTilstand{1};

namespace {

std::atomic<bool> gAfbrudt{false};
std::atomic<HWND> gLogonDialog{0};

bool Findes(const char *sti) { return GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES; }

long Stoerrelse(const char *sti) {
  FILE *f = AabnDataFil(sti, "rb");
  if (!f) return -1;
  const long n = DataFilStoerrelse(f);
  fclose(f);
  return n;
}

// Seconds from the server are a wait to show: held within a week, so that
// adding them up or to the clock cannot overflow.
constexpr long kMaksSekunder = 7L * 24 * 3600;
long Sekunder(long sek) { return sek < 0 ? 0 : std::min(sek, kMaksSekunder); }

void Fremskridt(KontaktState *st, const char *tekst, int travl) {
  if (st->hwnd) SendMessageA(st->hwnd, ENS_HOEJDE, travl, reinterpret_cast<LPARAM>(tekst));
}

// A failed step: its line is the contact's last word, not "Kontakt
// gennemført".
void Fejl(KontaktState *st, const char *tekst) {
  st->fejlet = 1;
  Fremskridt(st, tekst, 0);
}

// The reply of a failed step as its final line. A read that timed out or
// broke off leaves no reply to show: the step is named instead.
void VisSvar(KontaktState *st, const char *trin = "Fejl: Forbindelse tabt...") {
  Fejl(st, ServerSvar[0] ? ServerSvar : trin);
}

void OpfriskStatus() {
  if (StatusFelter.Forbindelse) InvalidateRect(StatusFelter.Forbindelse, nullptr, FALSE);
}

// "<tekst>%H:%M" of now plus the seconds, in local time.
void Faerdig(KontaktState *st, const char *format, long sekunder) {
  const time_t slut = time(nullptr) + sekunder;
  tm lokal{};
  localtime_r(&slut, &lokal);
  char tekst[80];
  strftime(tekst, sizeof tekst, format, &lokal);
  Fremskridt(st, tekst, 0);
}

void SaetTimer(KontaktState *st, long ms) {
  if (ms <= 0) return;
  st->timer = static_cast<DWORD>(ms);
  if (st->hwnd) SetTimer(st->hwnd, 1, static_cast<UINT>(ms), nullptr);
}

// The connection is gone: nothing more goes out on it.
void Tabt(KontaktState *st) {
  st->fejlet = 1;
  const bool faelles = st->autoS == st->s;
  if (st->s != INVALID_SOCKET) {
    closesocket(st->s);
    WSACleanup();
  }
  st->s = INVALID_SOCKET;
  st->logget = 0;
  if (faelles) {
    st->autoS = INVALID_SOCKET;
    st->autoLogget = 0;
  }
  OpfriskStatus();
}

void TabtAuto(KontaktState *st) {
  if (st->autoS == st->s) return Tabt(st);
  st->fejlet = 1;
  if (st->autoS != INVALID_SOCKET) {
    closesocket(st->autoS);
    WSACleanup();
  }
  st->autoS = INVALID_SOCKET;
  st->autoLogget = 0;
  OpfriskStatus();
}

// A transfer that broke off inside the file, or whose reply never came
// (not one the server refused, nor a local file that could not be opened):
// the stream cannot be read on.
void EfterOverfoersel(KontaktState *st, SOCKET *s) {
  if (*s != INVALID_SOCKET && (strncmp(ServerSvar, "-ERR overf", 10) == 0 || !ServerSvar[0]))
    s == &st->s ? Tabt(st) : TabtAuto(st);
}

// A command on the connection; a connection that answers nothing is
// closed (-1 then also for every later command of this contact).
int Kmd(KontaktState *st, SOCKET *s, const char *linje) {
  if (*s == INVALID_SOCKET) return -1;
  const int rc = ServerKommando(*s, linje);
  if (rc == -1) s == &st->s ? Tabt(st) : TabtAuto(st);
  return rc;
}
int KmdArg(KontaktState *st, SOCKET *s, const char *verb, const char *arg) {
  char linje[300];
  snprintf(linje, sizeof linje, "%s %s", verb, arg);
  return Kmd(st, s, linje);
}
int Stat(KontaktState *st, SOCKET *s, const char *navn, ServerStatFilRec *rec) {
  *rec = {};
  if (*s == INVALID_SOCKET) return -1;
  const int rc = ServerStatFil(*s, navn, rec);
  if (rc == -1) s == &st->s ? Tabt(st) : TabtAuto(st);
  return rc;
}

// The pieces that an export job and an AutoSkema job do not share.
struct Job {
  const char *ind;        // "job/%sind%d"
  const char *ud;         // "job/%sud%d"
  const char *lokalUd;    // data\exp.dat
  const char *lokalUdGz;
  const char *lokalInd;   // data\imp.dat
  const char *lokalIndGz;
  const char *henter;     // "Henter importfil..."
  const char *henterFejl; // the download broke off without a reply
  const char *udpakFejl;  // "Udpakning af importfil fejlede"
  const char *done;       // "done"
  const char *pakFejl;    // "Pakning af eksportfil fejlede"
  const char *sender;     // "Sender eksportfil..."
  const char *senderFejl; // the upload broke off without a reply
  const char *queue;      // "queue"
  bool autoskema;
};

const Job &EksportJob() {
  static const Job j = {"job/%sind%d",     "job/%sud%d",    StiTab.szexp,
                        StiTab.szzipexp,   StiTab.szimp,    StiTab.szzipimp,
                        "Henter importfil...", "Fejl: Hentning af importfil afbrudt",
                        "Udpakning af importfil fejlede", "done", "Pakning af eksportfil fejlede",
                        "Sender eksportfil...", "Fejl: Afsendelse af eksportfil afbrudt", "queue", false};
  return j;
}

struct AutoFiler {
  // The packed names have room for the suffix after a path of full length.
  char exp[kStiLaengde], expGz[kStiLaengde + 3], imp[kStiLaengde], impGz[kStiLaengde + 3];
};
AutoFiler &Auto() {
  static AutoFiler a;
  snprintf(a.exp, sizeof a.exp, "%s", StiTab.szasexp);
  snprintf(a.expGz, sizeof a.expGz, "%s.gz", StiTab.szasexp);
  snprintf(a.imp, sizeof a.imp, "%s", StiTab.szasimp);
  snprintf(a.impGz, sizeof a.impGz, "%s.gz", StiTab.szasimp);
  return a;
}

Job AutoJob() {
  AutoFiler &a = Auto();
  return {"job/%sautoind%d", "job/%sautoud%d", a.exp, a.expGz, a.imp, a.impGz,
          "Henter autoskemafil...", "Fejl: Hentning af autoskemafil afbrudt", "Udpakning af autoskemafil fejlede",
          "done autojob", "Pakning af autoskemafil fejlede", "Sender autoskemafil...",
          "Fejl: Afsendelse af autoskemafil afbrudt", "queue autojob", true};
}

void Navn(char *ud, size_t n, const char *format, const ServerLoginRec &l) {
  snprintf(ud, n, format, l.database, static_cast<int>(l.insnr));
}

bool SendtSti(char *sti, size_t n) { return DataFilSti(sti, n, "exp", ".sendt"); }

void MarkerSendt() {
  char sti[kStiLaengde];
  if (!SendtSti(sti, sizeof sti)) return;
  GemFil f;
  if (!f.Aabn(sti) || !f.Printf("%s\n", "sendt") || !f.Luk())
    LogPrintf("** Fejl: %s kan ikke skrives; eksporten slettes ikke af importen\n", sti);
}

int HentJob(KontaktState *st, SOCKET *s, const ServerLoginRec &l, const Job &j) {
  if (Findes(j.lokalInd)) return 0;
  char ud[200], udGz[210];
  Navn(ud, sizeof ud, j.ud, l);
  snprintf(udGz, sizeof udGz, "%s.gz", ud);
  int rc = 0;
  ServerStatFilRec gz{}, plain{};
  int gzRc = -1;
  if (!Findes(j.lokalIndGz)) {
    gzRc = Stat(st, s, udGz, &gz);
    if (gzRc == -1) return -1;
    if (gzRc != 0 && Stat(st, s, ud, &plain) == 0) {
      rc = KmdArg(st, s, "zip", ud);
      if (rc != 0) {
        VisSvar(st);
        return rc;
      }
    }
  }
  gzRc = Stat(st, s, udGz, &gz);
  if (gzRc == -1 && *s == INVALID_SOCKET) return -1;
  if (gzRc == 0 && (!Findes(j.lokalIndGz) || Stoerrelse(j.lokalIndGz) != gz.size)) {
    Fremskridt(st, j.henter, 1);
    if (ServerHentFil(*s, udGz, j.lokalIndGz) != 0) {
      // A download cut short leaves no file to be taken for the whole one.
      SletDataFil(j.lokalIndGz);
      VisSvar(st, j.henterFejl);
      EfterOverfoersel(st, s);
      return -1;
    }
  }
  if (!Findes(j.lokalIndGz)) return rc;
  if (Findes(j.lokalUdGz)) GunzipFile(j.lokalUdGz, j.lokalUd);
  const int udpak = GunzipFile(j.lokalIndGz, j.lokalInd);
  if (udpak != 0) {
    // Fetched again next time; the server keeps its file.
    SletDataFil(j.lokalIndGz);
    SletDataFil(j.lokalInd);
    Fejl(st, j.udpakFejl);
    return udpak;
  }
  if (gzRc == 0 && KmdArg(st, s, "del", udGz) != 0) {
    VisSvar(st);
    return 0;
  }
  Kmd(st, s, j.done);
  return 0;
}

long SendJob(KontaktState *st, SOCKET *s, const ServerLoginRec &l, const Job &j) {
  char ind[200], indGz[210];
  Navn(ind, sizeof ind, j.ind, l);
  snprintf(indGz, sizeof indGz, "%s.gz", ind);
  ServerStatFilRec plain{}, gz{};
  int beholdt = 0;
  bool sendt = false;
  int r = Stat(st, s, ind, &plain);
  if (r == -1) return -1;
  if (r != 0) {
    int gzRc = Stat(st, s, indGz, &gz);
    if (gzRc == -1) return -1;
    if (gzRc != 0 && !Findes(j.lokalUdGz) && Findes(j.lokalUd)) {
      if (GzipFile(j.lokalUd, j.lokalUdGz) != 0)
        Fejl(st, j.pakFejl);
      else if (!j.autoskema)
        // Packed for sending: the marks are this export's for good.
        GlemEksportMarker();
    }
    if (Findes(j.lokalUdGz) && (gzRc != 0 || gz.size != Stoerrelse(j.lokalUdGz))) {
      Fremskridt(st, j.sender, 1);
      beholdt = ServerSendFil(*s, j.lokalUdGz, indGz);
      sendt = true;
      if (beholdt == -1) EfterOverfoersel(st, s);
      if (*s == INVALID_SOCKET) {
        VisSvar(st, j.senderFejl);
        return -1;
      }
      gzRc = Stat(st, s, indGz, &gz);
    }
    if (gzRc == 0) {
      beholdt = KmdArg(st, s, "unzip", ind);
      sendt = true;
    }
  }
  r = Stat(st, s, ind, &plain);
  if (r != 0) {
    if (sendt && beholdt != 0) VisSvar(st, j.senderFejl);
    return -1;
  }
  if (Kmd(st, s, j.queue) != 0) {
    VisSvar(st);
    return -1;
  }
  if (j.autoskema) {
    Fremskridt(st, "Autoskemajob sat i kø", 0);
    return 30000;
  }
  long sek = 0;
  if (sscanf(ServerSvar, "+OK %ld", &sek) != 1) sek = 0;
  sek = Sekunder(sek);
  MarkerSendt();
  Faerdig(st, "Job sat i kø; færdigt %H:%M", sek);
  return sek * 1000;
}

}  // namespace

void NulstilKontaktState(KontaktState *st) {
  *st = KontaktState{};
  st->s = INVALID_SOCKET;
  st->autoS = INVALID_SOCKET;
}

INT_PTR CALLBACK ServerLogonDialog(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto *st = reinterpret_cast<KontaktState *>(lParam);
      SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
      gLogonDialog.store(hDlg);
      if (gAfbrudt.load()) PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
      SetDlgItemTextA(hDlg, IDC_LOGON_BRUGER, st->login.bruger);
      SetDlgItemTextA(hDlg, IDC_LOGON_PASSWORD, st->login.password);
      SetFocus(GetDlgItem(hDlg, st->login.bruger[0] ? IDC_LOGON_PASSWORD : IDC_LOGON_BRUGER));
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto *st = reinterpret_cast<KontaktState *>(GetWindowLongPtrA(hDlg, DWLP_USER));
        GetDlgItemTextA(hDlg, IDC_LOGON_BRUGER, st->login.bruger, 32);
        GetDlgItemTextA(hDlg, IDC_LOGON_PASSWORD, st->login.password, 32);
        gLogonDialog.store(0);
        EndDialog(hDlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        gLogonDialog.store(0);
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

int ServerLogon(HWND ejer, KontaktState *st) {
  if (st->logget) {
    OpfriskStatus();
    return 1;
  }
  RegistrerEksportDialoger();
  for (;;) {
    if (gAfbrudt.load()) return IDCANCEL;
    WebConnectInfoCheck(st->login.server, st->login.database, st->autoLogin.server, st->autoLogin.bruger,
                        st->autoLogin.password);
    if (!st->login.server[0]) {
      GetPrivateProfileStringA("kontakt", "server", "", st->login.server, sizeof st->login.server, StiTab.szini);
      GetPrivateProfileStringA("kontakt", "database", "", st->login.database, sizeof st->login.database,
                               StiTab.szini);
    }
    GetPrivateProfileStringA("kontakt", "bruger", st->login.bruger, st->login.bruger, sizeof st->login.bruger,
                             StiTab.szini);
    char type[4] = "";
    GetPrivateProfileStringA("kontakt", "logintype", "u", type, sizeof type, StiTab.szini);
    const char t = static_cast<char>(tolower(static_cast<unsigned char>(type[0])));
    st->login.logintype[0] = t == 'o' ? 'o' : 'u';
    st->login.logintype[1] = 0;
    const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCE(IDD_SERVERLOGON), ejer, ServerLogonDialog,
                                         reinterpret_cast<LPARAM>(st));
    if (svar != IDOK) {
      Fremskridt(st, "Logon afbrudt", 0);
      OpfriskStatus();
      return static_cast<int>(svar);
    }
    WritePrivateProfileStringA("kontakt", "bruger", st->login.bruger, StiTab.szini);
    Fremskridt(st, "Kontakter server...", 1);
    st->logget = 0;
    st->s = ServerForbind(st->login.server);
    if (st->s == INVALID_SOCKET) {
      Fremskridt(st, "Ingen forbindelse til server", 0);
      continue;
    }
    Fremskridt(st, "Logger ind...", 1);
    st->login.art = GlobalIndstillinger.supertavo ? 'S' : 'I';
    st->login.insnr = static_cast<int8_t>(GlobalIndstillinger.insnr);
    if (ServerLogin(st->s, &st->login) == 0) {
      st->logget = 1;
      OpfriskStatus();
      return 1;
    }
    Fremskridt(st, ServerSvar[0] ? ServerSvar : "Fejl: Forbindelse tabt...", 0);
    ServerAfslut(&st->s);
  }
}

int AutoServerLogon(KontaktState *st) {
  if (LoginTilstand != 1) return LoginTilstand;
  const int logon = ServerLogon(hwndHoved, st);
  // A log-off is no answer of the user's: later contacts may log in.
  if (!gAfbrudt.load()) LoginTilstand = logon;
  if (logon != 1) return logon;
  if (!st->logget) return 1;
  if (!GlobalIndstillinger.supertavo && !st->autoLogget) {
    if (st->autoLogin.server[0] && strcmp(st->autoLogin.server, st->login.server) != 0) {
      ServerLoginRec &a = st->autoLogin;
      snprintf(a.logintype, sizeof a.logintype, "u");
      a.art = 'I';
      a.insnr = static_cast<int8_t>(GlobalIndstillinger.insnr);
      if (!a.database[0]) snprintf(a.database, sizeof a.database, "%s", st->login.database);
      Fremskridt(st, "Kontakter server...", 1);
      st->autoLogget = 0;
      st->autoS = ServerForbind(a.server);
      if (st->autoS == INVALID_SOCKET) {
        // The ordinary contact goes on without the auto-schedule server.
        Fremskridt(st, "Ingen forbindelse til autoserver", 0);
      } else {
        Fremskridt(st, "Logger ind...", 1);
        if (ServerLogin(st->autoS, &a) == 0) {
          st->autoLogget = 1;
        } else {
          Fremskridt(st, ServerSvar[0] ? ServerSvar : "Fejl: Forbindelse tabt...", 0);
          ServerAfslut(&st->autoS);
        }
      }
    } else {
      st->autoLogget = st->logget;
      st->autoLogin = st->login;
      st->autoS = st->s;
    }
  }
  OpfriskStatus();
  LoginTilstand = 1;
  return 1;
}

void AfbrydKontakt(KontaktState *st) {
  gAfbrudt.store(true);
  if (HWND dlg = gLogonDialog.load()) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
  for (SOCKET s : {st->s, st->autoS, ServerForbindes.load()})
    if (s != INVALID_SOCKET) shutdown(s, SD_BOTH);
}

void KontaktAfbrydelseSlut() { gAfbrudt.store(false); }
bool KontaktAfbrudt() { return gAfbrudt.load(); }

void ServerLogoff(KontaktState *st) {
  const bool faelles = st->autoS == st->s;
  ServerAfslut(&st->s);
  if (faelles) {
    st->autoS = INVALID_SOCKET;
    st->autoLogget = 0;
  }
  memset(st->login.password, 0, sizeof st->login.password);
  st->logget = 0;
  OpfriskStatus();
}

long JobStatus(KontaktState *st) {
  long total = 0, tilstand = 0;
  if (sscanf(ServerSvar, "+OK %*d %*d %*s %*d %*d %*d %*d %*d %*d %ld %ld", &total, &tilstand) < 1) total = 0;
  total = Sekunder(total);
  const long ved = std::min(total, 30L) * 1000;
  if (Kmd(st, &st->s, "stat sched") != 0) {
    Fremskridt(st, "Job venter; afvikler kører ikke", 0);
    return ved;
  }
  if (Kmd(st, &st->s, "stat queue") != 0) {
    Fejl(st, "Statuscheck fejlede");
    return ved;
  }
  long sidste = 0;
  char linje[261];
  while (ServerLaesSvar(st->s, linje, 260) && strcmp(linje, ".") != 0) {
    int ins = 0;
    long sek = 0, t = 0;
    if (sscanf(linje, "%*d %d %*s %*d %*d %*d %*d %*d %*d %ld %ld", &ins, &sek, &t) == 3) {
      sek = Sekunder(sek);
      sidste = sek;
      if (ins != GlobalIndstillinger.insnr && sek > 0) total = std::min(total + sek, kMaksSekunder);
    }
  }
  if (total > sidste) total -= sidste / 2;
  if (total == 0) total = 30;
  Faerdig(st, tilstand == 10 ? "Job venter; færdigt %H:%M" : "Job afvikles; færdigt %H:%M", total);
  return std::min(total, 30L) * 1000;
}

int HentImportJob(KontaktState *st) { return HentJob(st, &st->s, st->login, EksportJob()); }
long SendEksportJob(KontaktState *st) { return SendJob(st, &st->s, st->login, EksportJob()); }

int HentAutoJob(KontaktState *st) {
  const Job j = AutoJob();
  const int rc = HentJob(st, &st->autoS, st->autoLogin, j);
  if (Findes(StiTab.szasexp) && hwndHoved) PostMessageA(hwndHoved, WM_AUTOSKEMA_KOMMET, 0, 0);
  return rc;
}

long SendAutoJob(KontaktState *st) { return SendJob(st, &st->autoS, st->autoLogin, AutoJob()); }

void KontaktTraad(KontaktState *st) {
  long ventetid = -1;
  st->timer = 0;
  st->fejlet = 0;
  if (AutoServerLogon(st) == 1 && GlobalIndstillinger.insnr >= 1 && st->logget) {
    if (st->autoLogget) Fremskridt(st, "Undersøger status...", 1);
    const int rc = Kmd(st, &st->s, "stat ins");
    if (rc == -1) {
      Fejl(st, "Fejl: Forbindelse tabt...");
    } else if (rc == 0) {
      ventetid = JobStatus(st);
    } else if (HentImportJob(st) == 0 && st->s != INVALID_SOCKET) {
      if (Findes(StiTab.szimp)) {
        Fremskridt(st, "Importfil modtaget", 0);
        if (hwndHoved) SendMessageA(hwndHoved, HOVED_IMPORTFIL, 0, 0);
      } else if (Kmd(st, &st->s, "stat sched") != 0) {
        if (st->s != INVALID_SOCKET) Fremskridt(st, "Jobafvikler kører ikke", 0);
      } else if (CheckGammelEksport() == 1) {
        ventetid = SendEksportJob(st);
      } else {
        ventetid = 0;
      }
    }
  }
  if (GlobalIndstillinger.insnr == 0) Fremskridt(st, "Ikke tavobruger", 0);
  SaetTimer(st, ventetid);
  if (st->hwnd) SendMessageA(st->hwnd, WM_KONTAKT_SLUT, 0, 0);
}

void SuperKontaktTraad(KontaktState *st) {
  st->timer = 0;
  st->fejlet = 0;
  if (AutoServerLogon(st) == 1 && GlobalIndstillinger.insnr >= 1 && st->logget) {
    const int udgave = static_cast<int>(GetPrivateProfileIntA("global", "version", 10000, StiTab.szini));
    char navn[200];
    snprintf(navn, sizeof navn, "fre/%s_super_%d_%d.gz", st->login.database, static_cast<int>(st->login.insnr),
             udgave / 100);
    Fremskridt(st, "Henter importfil...", 1);
    ServerStatFilRec rec{};
    if (Stat(st, &st->s, navn, &rec) == 1) {
      snprintf(navn, sizeof navn, "fre/%ssuper%d", st->login.database, static_cast<int>(st->login.insnr));
      if (Stat(st, &st->s, navn, &rec) == 0) KmdArg(st, &st->s, "zip", navn);
      strncat(navn, ".gz", sizeof navn - strlen(navn) - 1);
    }
    if (st->s == INVALID_SOCKET || ServerHentFil(st->s, navn, StiTab.szzipimp) != 0) {
      EfterOverfoersel(st, &st->s);
      SletDataFil(StiTab.szzipimp);
      Fejl(st, "Overførsel fejlede");
    } else if (GunzipFile(StiTab.szzipimp, StiTab.szimp) != 0) {
      SletDataFil(StiTab.szzipimp);
      Fejl(st, "Udpakning fejlede");
    } else {
      Fremskridt(st, "Importfil modtaget", 0);
      if (hwndHoved) SendMessageA(hwndHoved, HOVED_IMPORTFIL, 0, 0);
    }
    ServerLogoff(st);
  }
  if (st->hwnd) SendMessageA(st->hwnd, WM_KONTAKT_SLUT, 0, 0);
}

void AutoKontaktTraad(KontaktState *st) {
  st->timer = 0;
  st->fejlet = 0;
  bool beholdTravl = false;
  if (AutoServerLogon(st) == 1 && st->autoLogget) {
    st->autoTravl = 1;
    if (st->logget) Fremskridt(st, "Undersøger status...", 1);
    const int rc = Kmd(st, &st->autoS, "stat autojob");
    if (rc == -1) {
      Fejl(st, "Fejl: Forbindelse tabt...");
    } else if (rc == 0) {
      long tilstand = 0;
      sscanf(ServerSvar, "+OK %*d %*d %*s %ld", &tilstand);
      if (Kmd(st, &st->autoS, "stat sched") == 0)
        Fremskridt(st, tilstand == 10 ? "Autoskemajob venter" : "Autoskemajob afvikles", 0);
      else
        Fremskridt(st, "Autoskemajob venter; afvikler kører ikke", 0);
      SaetTimer(st, 30000);
      beholdTravl = true;
    } else if (HentAutoJob(st) == 0 && st->autoS != INVALID_SOCKET) {
      if (Findes(StiTab.szasimp)) {
        Fremskridt(st, "Autoskema modtaget", 0);
      } else if (Kmd(st, &st->autoS, "stat sched") == 0) {
        const long ms = SendAutoJob(st);
        if (ms > 0) {
          SaetTimer(st, ms);
          beholdTravl = true;
        }
      } else if (st->autoS != INVALID_SOCKET) {
        Fremskridt(st, "Jobafvikler kører ikke", 0);
      }
    }
  }
  if (!beholdTravl) st->autoTravl = 0;
  if (st->hwnd) SendMessageA(st->hwnd, WM_KONTAKT_SLUT, 0, 0);
}

bool EksportErSendt() {
  char sti[kStiLaengde];
  return SendtSti(sti, sizeof sti) && Findes(sti);
}

void GlemEksportSendt() {
  char sti[kStiLaengde];
  if (SendtSti(sti, sizeof sti)) SletDataFil(sti);
}

void SendtEksportFiler(std::vector<std::string> *pFiler) {
  char sti[kStiLaengde];
  if (!EksportErSendt() || !SendtSti(sti, sizeof sti)) return;
  const char *const filer[] = {StiTab.szexp, StiTab.szzipexp, sti};
  for (const char *f : filer) pFiler->push_back(f);
}

bool SletSendtEksport() {
  std::vector<std::string> filer;
  SendtEksportFiler(&filer);
  for (const auto &f : filer) SletDataFil(f.c_str());
  return !filer.empty();
}
