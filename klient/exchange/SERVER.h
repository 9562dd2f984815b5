// The job-server protocol: one TCP connection, reply lines, the scrambled
// login and files sent and fetched in 1024-byte blocks. Every call blocks
// the server-contact worker that makes it and leaves the server's last
// reply, or its own failure text, in ServerSvar; one worker at a time
// speaks with a server, which is what guards the globals here.
#pragma once

#include <atomic>
#include <cstdint>

#include "win/kernel.h"
#include "win/net.h"

// The reply buffer: 256 bytes and the terminating zero.
constexpr int SERVER_SVAR_LEN = 256;
extern char ServerSvar[SERVER_SVAR_LEN + 1];

// The challenge of the last greeting, and the state of the login's
// keystream.
extern uint32_t ServerUdfordring;
extern uint32_t ServerNoegle;

// Milliseconds a receive or send may wait before the connection counts as
// lost (the calls then fail as when the server went away, and the
// connection is shut down so that nothing late is taken as a reply). Set
// on every connection ServerForbind makes.
extern DWORD ServerTidsfrist;
constexpr DWORD SERVER_TIDSFRIST_STANDARD = 120000;

// The port when the services list has no "tavo"/"tcp".
constexpr int SERVER_PORT = 960;

struct ServerLoginRec {
  char server[65];    // host name or dotted IPv4 address
  char bruger[33];
  char password[33];
  char database[33];
  char logintype[2];  // "u" or "o"
  char art;           // 'S' SuperTavo, 'I' any other installation
  int8_t insnr;
};

struct ServerStatFilRec {
  int32_t mode;
  int32_t size;
  int32_t atime;  // seconds since 1970
  int32_t mtime;
  int32_t ctime;
};

// Results of the calls below: 0 success, 1 the server answered but not
// with success, -1 failure (no connection, nothing sent, no reply, a local
// file error).

// Starts Windows sockets, resolves the server, connects to its "tavo"
// service (port 960 without one) and reads the greeting, which must hold
// "<" and a hexadecimal challenge. The socket, or INVALID_SOCKET (and
// Windows sockets are ended again).
SOCKET ServerForbind(const char *server);
// The socket ServerForbind is connecting and waiting for the greeting on,
// INVALID_SOCKET otherwise: a log-off shuts it down to wake its worker.
extern std::atomic<SOCKET> ServerForbindes;

// The line and CR LF. 0 only when every byte went.
int ServerSendLinje(SOCKET s, const char *linje);

// One reply line into buffer (which holds size + 1 bytes): up to its LF; a
// longer line keeps its first size bytes and the rest of it is read and
// dropped. Trailing blanks and control bytes are cut. The buffer, or null
// for a line of fewer than two characters and for a lost connection.
char *ServerLaesSvar(SOCKET s, char *buffer, int size);

// Sends the line, reads the reply into ServerSvar: 0 when it begins "+".
int ServerKommando(SOCKET s, const char *linje);
// "verb argument" as ServerKommando.
int ServerKommandoArg(SOCKET s, const char *verb, const char *argument);

// The scrambled password of a login: 2 x L lower-case hexadecimal digits
// (L the password's length rounded up to a multiple of 4), drawn from the
// keystream state *noegle, which it advances. -1 when 2 x L is 256 or more
// (ud then holds ""); ud holds 256 bytes.
int ServerKrypterPassword(uint32_t *noegle, const char *password, char *ud);

// The "auth" line with the scrambled password, keyed by the challenge of
// this connection. -1 before anything is sent when the password is too long.
int ServerLogin(SOCKET s, const ServerLoginRec *login);

// Sends a local file under the server name ("recv"). 0 or -1.
int ServerSendFil(SOCKET s, const char *lokal, const char *servernavn);

// Fetches a server file ("send") into the local path. 0 only when every
// announced byte came and was written; otherwise -1 with
// "-ERR overf°rsel af fil fejlede" (or the server's refusal) in ServerSvar,
// and the caller deletes the partial file.
int ServerHentFil(SOCKET s, const char *servernavn, const char *lokal);

// "stat file": 0 with the record filled from the reply, 1 when the server
// has no such file, -1 without a reply; the record is zeroed first.
int ServerStatFil(SOCKET s, const char *servernavn, ServerStatFilRec *stat);

// "quit", its reply read and ignored, the socket closed, *s set to
// INVALID_SOCKET and Windows sockets ended. Nothing when *s is already so.
void ServerAfslut(SOCKET *s);

// Receives until count bytes, the end of the connection or a failed
// receive; the buffer is cleared first. The bytes received.
int ServerModtagBlok(SOCKET s, char *buffer, int count);
