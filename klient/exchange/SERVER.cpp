// Job-server protocol: a broken transfer or a silent server shuts the
// connection down, so a late byte is never read as the next reply.
#include "SERVER.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

char ServerSvar[SERVER_SVAR_LEN + 1];
uint32_t ServerUdfordring = 0;
uint32_t ServerNoegle = 0;
DWORD ServerTidsfrist = SERVER_TIDSFRIST_STANDARD;

namespace {

constexpr int BLOK = 1024;
constexpr uint32_t NOEGLE_FAKTOR = 246813579u;
const char kOverfoerselFejlede[] = "-ERR overf°rsel af fil fejlede";

void SaetSvar(const char *tekst) { snprintf(ServerSvar, sizeof ServerSvar, "%s", tekst); }

// The system's text for an error number, on one line.
void FejlTekst(DWORD fejl, char *ud, DWORD str) {
  if (!FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_MAX_WIDTH_MASK, NULL, fejl, 0,
                     ud, str, NULL))
    snprintf(ud, str, "Fejl %lu", static_cast<unsigned long>(fejl));
}

void FilFejl(const char *sti) {
  char tekst[200];
  FejlTekst(GetLastError(), tekst, sizeof tekst);
  snprintf(ServerSvar, sizeof ServerSvar, "-ERR %s: %s", sti, tekst);
}

// Nothing more may be read from a connection whose transfer broke off:
// what comes late would be taken for the answer to the next command.
void ForbindelseTabt(SOCKET s) { shutdown(s, SD_BOTH); }

bool SendAlt(SOCKET s, const char *data, int n) {
  int sendt = 0;
  while (sendt < n) {
    const int r = send(s, data + sendt, n - sendt, 0);
    if (r <= 0) {
      ForbindelseTabt(s);
      return false;
    }
    sendt += r;
  }
  return true;
}

bool ErHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexVaerdi(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

bool ErBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// An unsigned decimal after optional blanks, as "%lu" reads a 32-bit value.
bool LaesUdenFortegn(const char *&p, uint32_t *ud) {
  while (ErBlank(*p)) ++p;
  if (*p < '0' || *p > '9') return false;
  uint64_t v = 0;
  while (*p >= '0' && *p <= '9') {
    v = v * 10 + static_cast<uint64_t>(*p++ - '0');
    if (v > 0xFFFFFFFFu) return false;
  }
  *ud = static_cast<uint32_t>(v);
  return true;
}

// A signed decimal after optional blanks, as "%ld" reads a 32-bit value
// (beyond the range it stops at the bound).
bool LaesMedFortegn(const char *&p, int32_t *ud) {
  while (ErBlank(*p)) ++p;
  bool minus = false;
  if (*p == '+' || *p == '-') minus = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  int64_t v = 0;
  while (*p >= '0' && *p <= '9') {
    if (v <= INT32_MAX) v = v * 10 + (*p - '0');
    ++p;
  }
  if (minus) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  if (v < INT32_MIN) v = INT32_MIN;
  *ud = static_cast<int32_t>(v);
  return true;
}

}  // namespace

std::atomic<SOCKET> ServerForbindes{INVALID_SOCKET};

SOCKET ServerForbind(const char *server) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) {
    SaetSvar("WSAStartup() fejlede.\n");
    return INVALID_SOCKET;
  }
  in_addr adresse;
  adresse.s_addr = inet_addr(server);
  if (adresse.s_addr == INADDR_NONE) {
    hostent *vaert = gethostbyname(server);
    if (!vaert || !vaert->h_addr_list[0]) {
      snprintf(ServerSvar, sizeof ServerSvar, "%s: værten findes ikke (h_errno=%d)\n",
               server ? server : "", WSAGetLastError());
      WSACleanup();
      return INVALID_SOCKET;
    }
    memcpy(&adresse, vaert->h_addr_list[0], sizeof adresse);
  }
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) {
    char tekst[200];
    FejlTekst(static_cast<DWORD>(WSAGetLastError()), tekst, sizeof tekst);
    snprintf(ServerSvar, sizeof ServerSvar, "socket: %s", tekst);
    WSACleanup();
    return INVALID_SOCKET;
  }
  sockaddr_in til{};
  til.sin_family = AF_INET;
  til.sin_addr = adresse;
  const servent *tjeneste = getservbyname("tavo", "tcp");
  til.sin_port = tjeneste ? static_cast<uint16_t>(tjeneste->s_port) : htons(SERVER_PORT);
  if (ServerTidsfrist) {
    const char *v = reinterpret_cast<const char *>(&ServerTidsfrist);
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, v, sizeof ServerTidsfrist);
    // The send time-out bounds the connect too.
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, v, sizeof ServerTidsfrist);
  }
  // A failed connect shows itself as a missing greeting.
  ServerForbindes.store(s);
  connect(s, reinterpret_cast<const sockaddr *>(&til), sizeof til);
  const bool hilst = ServerLaesSvar(s, ServerSvar, SERVER_SVAR_LEN) != nullptr;
  ServerForbindes.store(INVALID_SOCKET);

  if (hilst) {
    const char *p = strchr(ServerSvar, '<');
    if (p && ErHex(p[1])) {
      // Read as "%lx" reads it: a 0x in front is allowed, the low 32 bits kept.
      ++p;
      if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && ErHex(p[2])) p += 2;
      uint32_t x = 0;
      for (; ErHex(*p); ++p) x = (x << 4) | static_cast<uint32_t>(HexVaerdi(*p));
      ServerUdfordring = x;
      return s;
    }
  }
  closesocket(s);
  WSACleanup();
  return INVALID_SOCKET;
}

int ServerSendLinje(SOCKET s, const char *linje) {
  // Line and CR LF in one send: a line end sent on its own waits for the
  // acknowledgement of the line (Nagle), which the server delays.
  const size_t n = strlen(linje);
  char kort[512];
  char *buf = n + 2 <= sizeof kort ? kort : static_cast<char *>(malloc(n + 2));
  if (!buf) return -1;
  memcpy(buf, linje, n);
  memcpy(buf + n, "\r\n", 2);
  const bool ok = SendAlt(s, buf, static_cast<int>(n + 2));
  if (buf != kort) free(buf);
  return ok ? 0 : -1;
}

char *ServerLaesSvar(SOCKET s, char *buffer, int size) {
  if (size <= 0) return nullptr;
  memset(buffer, 0, static_cast<size_t>(size) + 1);
  int n = 0;
  bool linjeSlut = false;
  bool tabt = false;
  while (n < size) {
    char c;
    if (recv(s, &c, 1, 0) != 1) {
      tabt = true;
      break;
    }
    buffer[n++] = c;
    if (c == '\n') {
      linjeSlut = true;
      break;
    }
  }
  // The rest of an over-long line belongs to this reply, not to the next.
  while (!linjeSlut && !tabt) {
    char c;
    if (recv(s, &c, 1, 0) != 1) tabt = true;
    else linjeSlut = c == '\n';
  }
  while (n > 0 && static_cast<unsigned char>(buffer[n - 1]) <= ' ') buffer[--n] = 0;
  if (tabt) {
    ForbindelseTabt(s);
    return nullptr;
  }
  return n >= 2 ? buffer : nullptr;
}

int ServerKommando(SOCKET s, const char *linje) {
  if (ServerSendLinje(s, linje) != 0) return -1;
  if (!ServerLaesSvar(s, ServerSvar, SERVER_SVAR_LEN)) return -1;
  return ServerSvar[0] == '+' ? 0 : 1;
}

int ServerKommandoArg(SOCKET s, const char *verb, const char *argument) {
  const size_t laengde = strlen(verb) + 1 + strlen(argument) + 1;
  char *linje = static_cast<char *>(malloc(laengde));
  if (!linje) return -1;
  snprintf(linje, laengde, "%s %s", verb, argument);
  const int r = ServerKommando(s, linje);
  free(linje);
  return r;
}

int ServerKrypterPassword(uint32_t *noegle, const char *password, char *ud) {
  static const char kHex[] = "0123456789abcdef";
  const size_t n = strlen(password);
  const size_t l = (n + 3) / 4 * 4;
  ud[0] = 0;
  if (2 * l >= 256) return -1;
  uint32_t x = *noegle;
  for (size_t i = 0; i < l; ++i) {
    if (i % 4 == 0) x = x * NOEGLE_FAKTOR + 1u;
    const uint8_t k = static_cast<uint8_t>(x >> (8 * (i % 4)));
    const uint8_t b = static_cast<uint8_t>(i < n ? password[i] : 0) ^ k;
    ud[2 * i] = kHex[b >> 4];
    ud[2 * i + 1] = kHex[b & 15];
  }
  ud[2 * l] = 0;
  *noegle = x;
  return 0;
}

int ServerLogin(SOCKET s, const ServerLoginRec *login) {
  char password[sizeof login->password];
  snprintf(password, sizeof password, "%.*s", static_cast<int>(sizeof password - 1),
           login->password);
  ServerNoegle = ServerUdfordring;
  char krypteret[256];
  if (ServerKrypterPassword(&ServerNoegle, password, krypteret) != 0) return -1;
  char linje[512];
  snprintf(linje, sizeof linje, "auth %c %.32s %s %.32s %c %d", login->logintype[0],
           login->bruger, krypteret, login->database, login->art, static_cast<int>(login->insnr));
  return ServerKommando(s, linje);
}

int ServerSendFil(SOCKET s, const char *lokal, const char *servernavn) {
  HANDLE fil = CreateFileA(lokal, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, 0);
  if (fil == INVALID_HANDLE_VALUE) {
    FilFejl(lokal);
    return -1;
  }
  LARGE_INTEGER stoerrelse;
  if (!GetFileSizeEx(fil, &stoerrelse)) {
    FilFejl(lokal);
    CloseHandle(fil);
    return -1;
  }
  // The announced size is a signed 32-bit number.
  if (stoerrelse.QuadPart > INT32_MAX) {
    SaetSvar(kOverfoerselFejlede);
    CloseHandle(fil);
    return -1;
  }
  char *linje = static_cast<char *>(malloc(strlen(servernavn) + 32));
  if (!linje) {
    CloseHandle(fil);
    return -1;
  }
  sprintf(linje, "recv %s %d", servernavn, static_cast<int>(stoerrelse.QuadPart));
  const int r = ServerKommando(s, linje);
  free(linje);
  if (r != 0) {
    CloseHandle(fil);
    return -1;
  }
  // Exactly the announced bytes go, even when the file changes meanwhile:
  // the server counts them.
  char blok[BLOK];
  LONGLONG rest = stoerrelse.QuadPart;
  bool hel = true;
  while (rest > 0) {
    const DWORD oenske = rest < BLOK ? static_cast<DWORD>(rest) : BLOK;
    DWORD laest = 0;
    if (!ReadFile(fil, blok, oenske, &laest, NULL) || laest == 0) {
      hel = false;
      ForbindelseTabt(s);
      break;
    }
    if (!SendAlt(s, blok, static_cast<int>(laest))) {
      hel = false;
      break;
    }
    rest -= laest;
  }
  CloseHandle(fil);
  if (!hel) {
    SaetSvar(kOverfoerselFejlede);
    return -1;
  }
  if (!ServerLaesSvar(s, ServerSvar, SERVER_SVAR_LEN)) return -1;
  return ServerSvar[0] == '+' ? 0 : -1;
}

int ServerHentFil(SOCKET s, const char *servernavn, const char *lokal) {
  HANDLE fil = CreateFileA(lokal, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  if (fil == INVALID_HANDLE_VALUE) {
    FilFejl(lokal);
    return -1;
  }
  if (ServerKommandoArg(s, "send", servernavn) != 0) {
    CloseHandle(fil);
    return -1;
  }
  uint32_t stoerrelse = 0;
  const char *p = ServerSvar + 3;
  if (strncmp(ServerSvar, "+OK", 3) != 0 || !LaesUdenFortegn(p, &stoerrelse)) {
    // A yes without a size cannot be followed: where the file ends is unknown.
    ForbindelseTabt(s);
    CloseHandle(fil);
    SaetSvar(kOverfoerselFejlede);
    return -1;
  }
  char blok[BLOK];
  uint32_t rest = stoerrelse;
  uint64_t modtaget = 0;
  bool skrevet = true;
  while (skrevet) {
    const int oenske = rest >= BLOK ? BLOK : static_cast<int>(rest);
    const int n = ServerModtagBlok(s, blok, oenske);
    modtaget += static_cast<uint64_t>(n);
    DWORD skrevetNu = 0;
    if (n > 0 && (!WriteFile(fil, blok, static_cast<DWORD>(n), &skrevetNu, NULL) ||
                  skrevetNu != static_cast<DWORD>(n)))
      skrevet = false;
    if (n < oenske || rest < BLOK) break;
    rest -= BLOK;
  }
  const bool lukket = CloseHandle(fil);
  if (!skrevet || !lukket || modtaget != stoerrelse) {
    if (modtaget != stoerrelse) ForbindelseTabt(s);
    SaetSvar(kOverfoerselFejlede);
    return -1;
  }
  return 0;
}

int ServerStatFil(SOCKET s, const char *servernavn, ServerStatFilRec *stat) {
  memset(stat, 0, sizeof *stat);
  const int r = ServerKommandoArg(s, "stat file", servernavn);
  if (r != 0) return r;
  // "+OK name mode size atime mtime ctime"; the fields read before the
  // first that does not parse are kept.
  const char *p = ServerSvar;
  if (strncmp(p, "+OK", 3) != 0) return r;
  p += 3;
  while (ErBlank(*p)) ++p;
  if (!*p) return r;
  while (*p && !ErBlank(*p)) ++p;
  int32_t *felter[] = {&stat->mode, &stat->size, &stat->atime, &stat->mtime, &stat->ctime};
  for (int32_t *f : felter)
    if (!LaesMedFortegn(p, f)) break;
  return r;
}

void ServerAfslut(SOCKET *s) {
  if (!s || *s == INVALID_SOCKET) return;
  char svar[SERVER_SVAR_LEN + 1];
  if (ServerSendLinje(*s, "quit") == 0) ServerLaesSvar(*s, svar, SERVER_SVAR_LEN);
  closesocket(*s);
  *s = INVALID_SOCKET;
  WSACleanup();
}

int ServerModtagBlok(SOCKET s, char *buffer, int count) {
  if (count <= 0) return 0;
  memset(buffer, 0, static_cast<size_t>(count));
  int modtaget = 0;
  while (modtaget < count) {
    const int r = recv(s, buffer + modtaget, count - modtaget, 0);
    if (r <= 0) {
      ForbindelseTabt(s);
      break;
    }
    modtaget += r;
  }
  return modtaget;
}
