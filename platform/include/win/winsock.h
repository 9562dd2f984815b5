#pragma once
// Windows sockets 1.1 under their Windows names: blocking IPv4 sockets, the
// name and service look-ups, and the Windows error numbers through
// WSAGetLastError.
//
// The structures (sockaddr_in, in_addr, hostent, servent) are the system's;
// their fields carry the names Windows code uses. The calls whose names the
// C library also declares are macros onto the layer's own functions, so the
// system headers are included first.
//
// A SOCKET is a small number that only these calls accept: a number that
// socket() did not give out, or that has been closed, fails with
// WSAENOTSOCK. Sockets are never inherited by started programs, and a send
// to a peer that has gone returns an error instead of raising a signal.

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "win/kerror.h"
#include "win/types.h"

typedef UINT_PTR SOCKET;
#define INVALID_SOCKET ((SOCKET)(~(SOCKET)0))
#define SOCKET_ERROR (-1)

typedef struct sockaddr SOCKADDR, *PSOCKADDR, *LPSOCKADDR;
typedef struct sockaddr_in SOCKADDR_IN, *PSOCKADDR_IN, *LPSOCKADDR_IN;
typedef struct in_addr IN_ADDR, *PIN_ADDR, *LPIN_ADDR;
typedef struct hostent HOSTENT, *PHOSTENT, *LPHOSTENT;
typedef struct servent SERVENT, *PSERVENT, *LPSERVENT;

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128
typedef struct WSAData {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[WSADESCRIPTION_LEN + 1];
  char szSystemStatus[WSASYS_STATUS_LEN + 1];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char *lpVendorInfo;
} WSADATA, *LPWSADATA;

// Counted per process: every successful WSAStartup needs its WSACleanup.
// Versions from 1.1 up are accepted and served as 1.1; a lower one gives
// WSAVERNOTSUPPORTED. Returns 0 or the error number (not through
// WSAGetLastError). Every call below except inet_addr fails with
// WSANOTINITIALISED while the count is 0.
int WSAStartup(WORD versionRequested, LPWSADATA data);
// The last WSACleanup closes every socket still open, as on Windows.
int WSACleanup(void);
// The thread's last error, shared with GetLastError as on Windows.
int WSAGetLastError(void);
void WSASetLastError(int error);

// A dotted IPv4 address ("a.b.c.d", also the short and the octal and
// hexadecimal forms) in network order, or INADDR_NONE.
ULONG tavo_inet_addr(const char *text);
#define inet_addr tavo_inet_addr

// The first IPv4 address of a host name (a dotted address is taken as
// well; an empty name or null is this computer). The result is kept per
// thread until its next call. Null with WSAHOST_NOT_FOUND, WSATRY_AGAIN,
// WSANO_RECOVERY or WSANO_DATA.
struct hostent *tavo_gethostbyname(const char *name);
#define gethostbyname tavo_gethostbyname

// A service from the platform's services table: the entries of the
// environment variable TAVO_SERVICES ("name/proto=port", separated by
// blanks, commas or semicolons) before the system's /etc/services. s_port
// is in network order; a null proto matches any protocol. Kept per thread.
// Null with WSANO_DATA when no entry names the service.
struct servent *tavo_getservbyname(const char *name, const char *proto);
#define getservbyname tavo_getservbyname

// AF_INET only. Blocking; no time-outs until setsockopt sets them.
SOCKET tavo_socket(int af, int type, int protocol);
#define socket tavo_socket
// An AF_INET address. A send time-out (SO_SNDTIMEO) bounds the connect as
// well (WSAETIMEDOUT).
int tavo_connect(SOCKET s, const struct sockaddr *name, int namelen);
#define connect tavo_connect
// The address of the connected peer (AF_INET); WSAENOTCONN when there is
// none, WSAEFAULT when the buffer is too small.
int tavo_getpeername(SOCKET s, struct sockaddr *name, int *namelen);
#define getpeername tavo_getpeername
// The bytes sent (a blocking send sends them all unless it fails or its
// time-out passes), or SOCKET_ERROR.
int tavo_send(SOCKET s, const char *buf, int len, int flags);
#define send tavo_send
// The bytes received, 0 when the peer closed its side (or this side was
// shut down), or SOCKET_ERROR; WSAETIMEDOUT when a receive time-out passed.
int tavo_recv(SOCKET s, char *buf, int len, int flags);
#define recv tavo_recv
int closesocket(SOCKET s);

#define SD_RECEIVE 0
#define SD_SEND 1
#define SD_BOTH 2
// Another thread's receive waiting on the socket returns at once (0);
// shutting down is the way to wake it, closing is not.
int tavo_shutdown(SOCKET s, int how);
#define shutdown tavo_shutdown

// SOL_SOCKET with SO_RCVTIMEO or SO_SNDTIMEO: optval is a DWORD of
// milliseconds, 0 for no time-out. Any other option gives WSAENOPROTOOPT.
int tavo_setsockopt(SOCKET s, int level, int optname, const char *optval, int optlen);
#define setsockopt tavo_setsockopt
