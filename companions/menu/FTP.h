#pragma once
// The start menu's small FTP client for the support upload: one control
// connection, passive mode, image type, one STOR. Every reply is checked,
// every socket call is bounded by g_FtpTidsgraense, and the data connection
// goes to the control connection's own peer, whatever address the server's
// passive reply names. Commands and reply lines are echoed to stderr ("> ",
// "< "), the password masked.

#include <cstddef>
#include <cstdint>

#include "windows.h"
#include "win/winsock.h"

// How long a connect, send or receive of the support upload may wait
// (milliseconds); generous, as the archive may go over a slow line.
extern DWORD g_FtpTidsgraense;

// The reply line buffer: one line without its CR and LF, terminated.
constexpr int kFtpLinje = 512;

// Sends all bytes, repeating an interrupted send: the count, or -1 at the
// first other failure.
int SockSendAll(SOCKET s, const char *buf, int antal);
// SockSendAll of the text without its terminator.
int SockSendString(SOCKET s, const char *tekst);
// Receives one line, byte by byte, up to its line feed. CR and LF are not
// kept; at most size - 1 characters are kept and the rest of the line is
// read and dropped; the text is terminated. The number of characters kept,
// or -1 when the connection ended (or failed, or timed out) before a byte
// of the line came, or the line ran on beyond all reason.
int SockRecvLine(SOCKET s, char *buf, int stoerrelse);

// Gathers a line from bytes as SockRecvLine does, for callers (and the fuzz
// harness) that have the bytes already.
struct FtpLinjeSamler {
  char *buf;
  int stoerrelse;
  int beholdt = 0;
  long laest = 0;
  // Takes one byte; true when it ended the line (a line feed). The buffer
  // is always terminated.
  bool Tag(char c);
  // Begins the next line.
  void Nulstil();
};

// Reading a reply line by line: whether this line ends the reply, and its
// number. A reply ends at a line of three digits and a blank; one that
// opened with "nnn-" ends only at "nnn " of the same number. *aaben holds
// the opening number between the lines (0 before the first).
bool FtpSvarSlutter(const char *linje, int *aaben, int *nummer);
// The six numbers after "(" of a 227 line: the address h1.h2.h3.h4 and the
// port p1 * 256 + p2 (each number 0 to 255). False when the line has no "("
// or fewer than six numbers.
bool FtpPasvTal(const char *linje, sockaddr_in *adresse);

// Reads lines until the reply's last one: its number, 0 when the
// connection ends first (or a receive fails or times out). The last line
// stays in the buffer when one is given (kFtpLinje bytes).
int FtpReadReply(SOCKET s, char *sidsteLinje = nullptr);
// Sends the text and "\r\n" and reads the reply: its number, -1 when
// sending fails or the text holds a line break of its own.
int FtpCommand(SOCKET s, const char *tekst);
// Kind 0 "TYPE I", 1 "TYPE A": the reply number; -1 for another kind,
// nothing sent.
int FtpSetType(SOCKET s, int art);
// "PASV": 0 and the address and port of the 227 reply, or -1.
int FtpPasv(SOCKET s, sockaddr_in *adresse);
// Connects to the host (its first IPv4 address; the port of the service
// "ftp" over "tcp", else 21), reads the greeting (220), logs in (USER, and
// PASS only after 331) and gives the control socket when the server said
// 230; INVALID_SOCKET otherwise, the socket closed.
SOCKET FtpLogin(const char *vaert, const char *bruger, const char *kode);
// Stores the local file under the remote name over a passive data
// connection, advancing the progress bar by the bytes sent (scaled as
// FtpBjaelkeDeler says for the file's size + 1024). 0 when the server
// took the whole file (150 or 125 before, 226 after), else -1.
int FtpStor(HWND bjaelke, SOCKET s, const char *fil, const char *fjernNavn);
// "QUIT", its reply, and the socket closed.
void FtpQuit(SOCKET s);

// The divisor that keeps a count of bytes within the 16-bit range of the
// progress bar: 1 below 65535 bytes.
uint32_t FtpBjaelkeDeler(uint64_t bytes);
// Advances the bar by the bytes, scaled by the divisor; *rest carries what
// did not make a whole unit.
void FtpBjaelkeFrem(HWND bjaelke, uint32_t deler, uint64_t *rest, uint64_t bytes);
