#pragma once
// The internet calls under their WinINet names, over libcurl: a session
// (InternetOpen), a request opened from an address (InternetOpenUrl) or
// built on a connection (InternetConnect, HttpOpenRequest, HttpSendRequest),
// the status code, and the reply read in pieces.
//
// Every call is synchronous on the calling thread and may be made from
// several threads at once; each request runs on its own transfer. TLS
// certificates are always verified, against the system's authorities or
// those of the file named by tavo::SaetInternetCertifikater; a failed
// verification fails the open. Replies are held in memory up to a bound; a transfer cut
// short, or past the bound, still opens when its status line came, and
// the read that reaches the missing part fails.

#include "win/kerror.h"
#include "win/types.h"

typedef void *HINTERNET;
typedef HINTERNET *LPHINTERNET;
typedef WORD INTERNET_PORT;

#define INTERNET_OPEN_TYPE_PRECONFIG 0
#define INTERNET_OPEN_TYPE_DIRECT 1
#define INTERNET_OPEN_TYPE_PROXY 3

#define INTERNET_DEFAULT_HTTP_PORT 80
#define INTERNET_DEFAULT_HTTPS_PORT 443
#define INTERNET_INVALID_PORT_NUMBER 0
#define INTERNET_SERVICE_HTTP 3

#define INTERNET_FLAG_RELOAD 0x80000000u
#define INTERNET_FLAG_NO_CACHE_WRITE 0x04000000u
#define INTERNET_FLAG_SECURE 0x00800000u
#define INTERNET_FLAG_KEEP_CONNECTION 0x00400000u
#define INTERNET_FLAG_NO_AUTO_REDIRECT 0x00200000u
#define INTERNET_FLAG_NO_COOKIES 0x00080000u
#define INTERNET_FLAG_NO_AUTH 0x00040000u
#define INTERNET_FLAG_PRAGMA_NOCACHE 0x00000100u

#define FLAG_ICC_FORCE_CONNECTION 0x00000001u

#define HTTP_QUERY_CONTENT_LENGTH 5
#define HTTP_QUERY_STATUS_CODE 19
#define HTTP_QUERY_STATUS_TEXT 20
#define HTTP_QUERY_FLAG_NUMBER 0x20000000u

#define HTTP_ADDREQ_FLAG_ADD 0x20000000u
#define HTTP_ADDREQ_FLAG_REPLACE 0x80000000u

#define ERROR_INTERNET_TIMEOUT 12002L
#define ERROR_INTERNET_INTERNAL_ERROR 12004L
#define ERROR_INTERNET_INVALID_URL 12005L
#define ERROR_INTERNET_UNRECOGNIZED_SCHEME 12006L
#define ERROR_INTERNET_NAME_NOT_RESOLVED 12007L
#define ERROR_INTERNET_INCORRECT_HANDLE_TYPE 12018L
#define ERROR_INTERNET_CANNOT_CONNECT 12029L
#define ERROR_INTERNET_CONNECTION_ABORTED 12030L
#define ERROR_INTERNET_CONNECTION_RESET 12031L
#define ERROR_INTERNET_SEC_CERT_DATE_INVALID 12037L
#define ERROR_INTERNET_SEC_CERT_CN_INVALID 12038L
#define ERROR_INTERNET_INVALID_CA 12045L
#define ERROR_HTTP_HEADER_NOT_FOUND 12150L
#define ERROR_HTTP_INVALID_SERVER_RESPONSE 12152L
#define ERROR_INTERNET_SECURITY_CHANNEL_ERROR 12157L

#ifdef __cplusplus
extern "C" {
#endif

// ERROR_SUCCESS: a connection may be attempted.
DWORD InternetAttemptConnect(DWORD reserved);
// With FLAG_ICC_FORCE_CONNECTION a real TCP connection to the address's
// host and port (its scheme's port when it names none).
BOOL InternetCheckConnectionA(LPCSTR url, DWORD flags, DWORD reserved);
HINTERNET InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass, DWORD flags);
// A GET of an http or https address; null on failure (GetLastError). Only
// the connection decides: a 404 opens, and HttpQueryInfoA tells it.
HINTERNET InternetOpenUrlA(HINTERNET session, LPCSTR url, LPCSTR headers, DWORD headersLength, DWORD flags,
                           DWORD_PTR context);
HINTERNET InternetConnectA(HINTERNET session, LPCSTR server, INTERNET_PORT port, LPCSTR user, LPCSTR password,
                           DWORD service, DWORD flags, DWORD_PTR context);
// Over https when the flags hold INTERNET_FLAG_SECURE or the port is 443.
HINTERNET HttpOpenRequestA(HINTERNET connect, LPCSTR verb, LPCSTR object, LPCSTR version, LPCSTR referrer,
                           LPCSTR *acceptTypes, DWORD flags, DWORD_PTR context);
// Header lines separated by CR LF; a length of (DWORD)-1 reads to the NUL.
BOOL HttpAddRequestHeadersA(HINTERNET request, LPCSTR headers, DWORD headersLength, DWORD modifiers);
BOOL HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headersLength, LPVOID optional,
                      DWORD optionalLength);
// HTTP_QUERY_STATUS_CODE as text, or as a DWORD with HTTP_QUERY_FLAG_NUMBER.
BOOL HttpQueryInfoA(HINTERNET request, DWORD infoLevel, LPVOID buffer, LPDWORD bufferLength, LPDWORD index);
BOOL InternetQueryDataAvailable(HINTERNET file, LPDWORD available, DWORD flags, DWORD_PTR context);
// TRUE with 0 bytes read at the end of the reply.
BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, LPDWORD read);
BOOL InternetCloseHandle(HINTERNET handle);

#ifdef __cplusplus
}
#endif

#define InternetCheckConnection InternetCheckConnectionA
#define InternetOpen InternetOpenA
#define InternetOpenUrl InternetOpenUrlA
#define InternetConnect InternetConnectA
#define HttpOpenRequest HttpOpenRequestA
#define HttpAddRequestHeaders HttpAddRequestHeadersA
#define HttpSendRequest HttpSendRequestA
#define HttpQueryInfo HttpQueryInfoA

#ifdef __cplusplus
namespace tavo {
// A PEM file of the authorities to trust in place of the system's (a
// setting: the web server's own certificate); null or empty trusts the
// system's. Applies to requests opened after the call.
void SaetInternetCertifikater(const char *pemFil);
// How long a connect, and a reply that stops coming, is waited for
// (milliseconds; 0 restores the default of 60 seconds).
void SaetInternetTimeout(int ms);
}  // namespace tavo
#endif
