// The internet calls over libcurl. A request is run whole when it is
// opened or sent: its reply goes into memory (bounded), and the reads hand
// it out. What failed after the status line came is kept and reported by
// the read that reaches it, as a connection lost mid-reply would be.
#include <curl/curl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <strings.h>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "win/wininet.h"

namespace {

// A reply beyond this is cut: no server of ours sends more.
constexpr size_t kStoersteSvar = 32u << 20;
// What one look at the available data offers, as a receive buffer would.
constexpr DWORD kStykke = 8192;
constexpr int kStandardTimeoutMs = 60000;

enum class Slags { Session, Forbindelse, Forespoergsel };

struct Haandtag {
  Slags slags;
  // Session
  std::string agent;
  DWORD adgang = INTERNET_OPEN_TYPE_PRECONFIG;
  std::string proxy;
  // Connection
  Haandtag *session = nullptr;
  std::string vaert;
  INTERNET_PORT port = 0;
  // Request
  Haandtag *forbindelse = nullptr;
  std::string metode, objekt;
  DWORD flag = 0;
  std::vector<std::string> hoveder;
  bool sendt = false;
  long status = 0;
  std::string svar;
  size_t laest = 0;
  DWORD fejlVedSlut = 0;
};

std::mutex gLaas;
std::unordered_set<Haandtag *> gHaandtag;
std::string gCertifikater;
std::atomic<int> gTimeoutMs{kStandardTimeoutMs};

BOOL Fejl(DWORD nummer) {
  SetLastError(nummer);
  return FALSE;
}

HINTERNET NulFejl(DWORD nummer) {
  SetLastError(nummer);
  return nullptr;
}

void StartCurl() {
  static std::once_flag en;
  std::call_once(en, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HINTERNET Ny(Haandtag *h) {
  std::lock_guard<std::mutex> g(gLaas);
  gHaandtag.insert(h);
  return h;
}

// The handle when it is live and of the kind; null with the error set.
Haandtag *Find(HINTERNET x, Slags slags) {
  std::lock_guard<std::mutex> g(gLaas);
  auto *h = static_cast<Haandtag *>(x);
  if (!h || !gHaandtag.count(h)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (h->slags != slags) {
    SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
    return nullptr;
  }
  return h;
}

DWORD FraCurl(CURLcode c) {
  switch (c) {
    // The scheme was checked before: here it is a reply in no HTTP version.
    case CURLE_UNSUPPORTED_PROTOCOL: return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_URL_MALFORMAT: return ERROR_INTERNET_INVALID_URL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR: return ERROR_INTERNET_INVALID_CA;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_USE_SSL_FAILED: return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY: return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_PARTIAL_FILE:
    case CURLE_WRITE_ERROR: return ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR: return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_OUT_OF_MEMORY: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_INTERNET_INTERNAL_ERROR;
  }
}

size_t Skriv(char *data, size_t stoerrelse, size_t antal, void *bruger) {
  auto *svar = static_cast<std::string *>(bruger);
  const size_t n = stoerrelse * antal;
  if (svar->size() + n > kStoersteSvar) return 0;
  svar->append(data, n);
  return n;
}

size_t IngenHoveder(char *, size_t stoerrelse, size_t antal, void *) { return stoerrelse * antal; }

// Runs the request against the address; 0 when it opened (the status line
// came), else the error number.
DWORD Udfoer(Haandtag *r, const Haandtag *session, const std::string &adresse, const std::string *krop) {
  StartCurl();
  CURL *c = curl_easy_init();
  if (!c) return ERROR_NOT_ENOUGH_MEMORY;
  std::string certifikater;
  {
    std::lock_guard<std::mutex> g(gLaas);
    certifikater = gCertifikater;
  }
  const long timeout = gTimeoutMs.load();
  curl_slist *hoveder = nullptr;
  for (const std::string &h : r->hoveder) hoveder = curl_slist_append(hoveder, h.c_str());
  // A POST body of ours is not held back waiting for a 100-continue.
  if (krop) hoveder = curl_slist_append(hoveder, "Expect:");

  curl_easy_setopt(c, CURLOPT_URL, adresse.c_str());
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, (r->flag & INTERNET_FLAG_NO_AUTO_REDIRECT) ? 0L : 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(c, CURLOPT_USERAGENT, session->agent.c_str());
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!certifikater.empty()) curl_easy_setopt(c, CURLOPT_CAINFO, certifikater.c_str());
  if (session->adgang == INTERNET_OPEN_TYPE_DIRECT) curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
  if (session->adgang == INTERNET_OPEN_TYPE_PROXY) curl_easy_setopt(c, CURLOPT_PROXY, session->proxy.c_str());
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, timeout);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, std::max(1L, timeout / 1000));
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, hoveder);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, Skriv);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &r->svar);
  curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, IngenHoveder);
  if (krop) {
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, krop->data());
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(krop->size()));
  } else if (r->metode != "GET") {
    curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, r->metode.c_str());
  }

  const CURLcode res = curl_easy_perform(c);
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(c);
  curl_slist_free_all(hoveder);

  r->sendt = true;
  r->laest = 0;
  if (res != CURLE_OK && status == 0) {
    r->svar.clear();
    return FraCurl(res);
  }
  r->status = status;
  r->fejlVedSlut = res == CURLE_OK ? 0 : FraCurl(res);
  return 0;
}

// Host and port of an address for the connection check.
bool VaertOgPort(const char *url, std::string *vaert, std::string *port) {
  StartCurl();
  CURLU *u = curl_url();
  if (!u) return false;
  bool ok = curl_url_set(u, CURLUPART_URL, url, 0) == CURLUE_OK;
  char *h = nullptr, *p = nullptr;
  ok = ok && curl_url_get(u, CURLUPART_HOST, &h, 0) == CURLUE_OK &&
       curl_url_get(u, CURLUPART_PORT, &p, CURLU_DEFAULT_PORT) == CURLUE_OK;
  if (ok) {
    *vaert = h;
    *port = p;
    // A bracketed IPv6 literal is looked up without its brackets.
    if (vaert->size() > 2 && vaert->front() == '[') *vaert = vaert->substr(1, vaert->size() - 2);
  }
  curl_free(h);
  curl_free(p);
  curl_url_cleanup(u);
  return ok;
}

bool Forbind(const addrinfo *a, int timeoutMs) {
  const int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
  if (fd < 0) return false;
  bool ok = connect(fd, a->ai_addr, a->ai_addrlen) == 0;
  if (!ok && errno == EINPROGRESS) {
    pollfd p{fd, POLLOUT, 0};
    int fejl = 0;
    socklen_t l = sizeof fejl;
    ok = poll(&p, 1, timeoutMs) == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &fejl, &l) == 0 && fejl == 0;
  }
  close(fd);
  return ok;
}

}  // namespace

namespace tavo {

void SaetInternetCertifikater(const char *pemFil) {
  std::lock_guard<std::mutex> g(gLaas);
  gCertifikater = pemFil ? pemFil : "";
}

void SaetInternetTimeout(int ms) { gTimeoutMs = ms > 0 ? ms : kStandardTimeoutMs; }

}  // namespace tavo

extern "C" {

DWORD InternetAttemptConnect(DWORD) { return ERROR_SUCCESS; }

BOOL InternetCheckConnectionA(LPCSTR url, DWORD flags, DWORD) {
  if (!url || !*url) return Fejl(ERROR_INVALID_PARAMETER);
  std::string vaert, port;
  if (!VaertOgPort(url, &vaert, &port)) return Fejl(ERROR_INTERNET_INVALID_URL);
  if (!(flags & FLAG_ICC_FORCE_CONNECTION)) return TRUE;
  addrinfo hint{};
  hint.ai_socktype = SOCK_STREAM;
  addrinfo *liste = nullptr;
  if (getaddrinfo(vaert.c_str(), port.c_str(), &hint, &liste) != 0) return Fejl(ERROR_INTERNET_NAME_NOT_RESOLVED);
  bool ok = false;
  for (const addrinfo *a = liste; a && !ok; a = a->ai_next) ok = Forbind(a, gTimeoutMs.load());
  freeaddrinfo(liste);
  return ok ? TRUE : Fejl(ERROR_INTERNET_CANNOT_CONNECT);
}

HINTERNET InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR, DWORD) {
  if (accessType == INTERNET_OPEN_TYPE_PROXY && (!proxy || !*proxy)) return NulFejl(ERROR_INVALID_PARAMETER);
  auto *h = new Haandtag{Slags::Session};
  h->agent = agent ? agent : "";
  h->adgang = accessType;
  h->proxy = proxy ? proxy : "";
  return Ny(h);
}

HINTERNET InternetOpenUrlA(HINTERNET session, LPCSTR url, LPCSTR headers, DWORD headersLength, DWORD flags,
                           DWORD_PTR) {
  const Haandtag *s = Find(session, Slags::Session);
  if (!s) return nullptr;
  if (!url || !*url) return NulFejl(ERROR_INTERNET_INVALID_URL);
  if (strncasecmp(url, "http://", 7) != 0 && strncasecmp(url, "https://", 8) != 0)
    return NulFejl(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
  auto *r = new Haandtag{Slags::Forespoergsel};
  r->metode = "GET";
  r->flag = flags;
  if (headers) {
    const std::string alle = headersLength == static_cast<DWORD>(-1) ? std::string(headers)
                                                                     : std::string(headers, headersLength);
    size_t fra = 0;
    while (fra < alle.size()) {
      size_t slut = alle.find("\r\n", fra);
      if (slut == std::string::npos) slut = alle.size();
      if (slut > fra) r->hoveder.push_back(alle.substr(fra, slut - fra));
      fra = slut + 2;
    }
  }
  const DWORD fejl = Udfoer(r, s, url, nullptr);
  if (fejl) {
    delete r;
    return NulFejl(fejl);
  }
  return Ny(r);
}

HINTERNET InternetConnectA(HINTERNET session, LPCSTR server, INTERNET_PORT port, LPCSTR, LPCSTR, DWORD service,
                           DWORD, DWORD_PTR) {
  Haandtag *s = Find(session, Slags::Session);
  if (!s) return nullptr;
  if (!server || !*server || service != INTERNET_SERVICE_HTTP) return NulFejl(ERROR_INVALID_PARAMETER);
  auto *h = new Haandtag{Slags::Forbindelse};
  h->session = s;
  h->vaert = server;
  h->port = port;
  return Ny(h);
}

HINTERNET HttpOpenRequestA(HINTERNET connect, LPCSTR verb, LPCSTR object, LPCSTR, LPCSTR, LPCSTR *, DWORD flags,
                           DWORD_PTR) {
  Haandtag *f = Find(connect, Slags::Forbindelse);
  if (!f) return nullptr;
  auto *r = new Haandtag{Slags::Forespoergsel};
  r->forbindelse = f;
  r->metode = verb && *verb ? verb : "GET";
  r->objekt = object && *object ? object : "/";
  if (r->objekt[0] != '/') r->objekt.insert(0, 1, '/');
  r->flag = flags;
  return Ny(r);
}

BOOL HttpAddRequestHeadersA(HINTERNET request, LPCSTR headers, DWORD headersLength, DWORD modifiers) {
  Haandtag *r = Find(request, Slags::Forespoergsel);
  if (!r) return FALSE;
  if (!headers) return Fejl(ERROR_INVALID_PARAMETER);
  const std::string alle = headersLength == static_cast<DWORD>(-1) ? std::string(headers)
                                                                   : std::string(headers, headersLength);
  size_t fra = 0;
  while (fra < alle.size()) {
    size_t slut = alle.find("\r\n", fra);
    if (slut == std::string::npos) slut = alle.size();
    const std::string linje = alle.substr(fra, slut - fra);
    fra = slut + 2;
    const size_t kolon = linje.find(':');
    if (linje.empty()) continue;
    if (kolon == std::string::npos || kolon == 0) return Fejl(ERROR_INVALID_PARAMETER);
    if (modifiers & HTTP_ADDREQ_FLAG_REPLACE) {
      const std::string navn = linje.substr(0, kolon + 1);
      std::erase_if(r->hoveder, [&](const std::string &h) { return strncasecmp(h.c_str(), navn.c_str(), navn.size()) == 0; });
    }
    r->hoveder.push_back(linje);
  }
  return TRUE;
}

BOOL HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headersLength, LPVOID optional,
                      DWORD optionalLength) {
  Haandtag *r = Find(request, Slags::Forespoergsel);
  if (!r) return FALSE;
  if (!r->forbindelse) return Fejl(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  if (headers && !HttpAddRequestHeadersA(request, headers, headersLength, HTTP_ADDREQ_FLAG_ADD)) return FALSE;
  const Haandtag *f = r->forbindelse;
  const bool sikker = (r->flag & INTERNET_FLAG_SECURE) || f->port == INTERNET_DEFAULT_HTTPS_PORT;
  const INTERNET_PORT port = f->port ? f->port
                                     : (sikker ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT);
  std::string vaert = f->vaert;
  if (vaert.find(':') != std::string::npos && vaert.front() != '[') vaert = "[" + vaert + "]";
  const std::string adresse =
      std::string(sikker ? "https://" : "http://") + vaert + ":" + std::to_string(port) + r->objekt;
  r->svar.clear();
  const std::string krop = optional ? std::string(static_cast<const char *>(optional), optionalLength)
                                    : std::string();
  const bool medKrop = optional || r->metode == "POST";
  const DWORD fejl = Udfoer(r, f->session, adresse, medKrop ? &krop : nullptr);
  return fejl ? Fejl(fejl) : TRUE;
}

BOOL HttpQueryInfoA(HINTERNET request, DWORD infoLevel, LPVOID buffer, LPDWORD bufferLength, LPDWORD) {
  Haandtag *r = Find(request, Slags::Forespoergsel);
  if (!r) return FALSE;
  if (!bufferLength) return Fejl(ERROR_INVALID_PARAMETER);
  if (!r->sendt) return Fejl(ERROR_HTTP_HEADER_NOT_FOUND);
  if ((infoLevel & 0xFFFF) != HTTP_QUERY_STATUS_CODE) return Fejl(ERROR_HTTP_HEADER_NOT_FOUND);
  if (infoLevel & HTTP_QUERY_FLAG_NUMBER) {
    if (*bufferLength < sizeof(DWORD) || !buffer) {
      *bufferLength = sizeof(DWORD);
      return Fejl(ERROR_INSUFFICIENT_BUFFER);
    }
    const DWORD v = static_cast<DWORD>(r->status);
    std::memcpy(buffer, &v, sizeof v);
    *bufferLength = sizeof v;
    return TRUE;
  }
  const std::string tekst = std::to_string(r->status);
  if (!buffer || *bufferLength < tekst.size() + 1) {
    *bufferLength = static_cast<DWORD>(tekst.size() + 1);
    return Fejl(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(buffer, tekst.c_str(), tekst.size() + 1);
  *bufferLength = static_cast<DWORD>(tekst.size());
  return TRUE;
}

BOOL InternetQueryDataAvailable(HINTERNET file, LPDWORD available, DWORD, DWORD_PTR) {
  Haandtag *r = Find(file, Slags::Forespoergsel);
  if (!r) return FALSE;
  if (!available) return Fejl(ERROR_INVALID_PARAMETER);
  const size_t rest = r->svar.size() - r->laest;
  *available = static_cast<DWORD>(std::min<size_t>(rest, kStykke));
  if (rest == 0 && r->fejlVedSlut) return Fejl(r->fejlVedSlut);
  return TRUE;
}

BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, LPDWORD read) {
  Haandtag *r = Find(file, Slags::Forespoergsel);
  if (!r) return FALSE;
  if (!read || (!buffer && toRead)) return Fejl(ERROR_INVALID_PARAMETER);
  *read = 0;
  const size_t rest = r->svar.size() - r->laest;
  if (rest == 0 && toRead && r->fejlVedSlut) return Fejl(r->fejlVedSlut);
  const size_t n = std::min<size_t>(rest, toRead);
  if (n) std::memcpy(buffer, r->svar.data() + r->laest, n);
  r->laest += n;
  *read = static_cast<DWORD>(n);
  return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle) {
  std::lock_guard<std::mutex> g(gLaas);
  auto *h = static_cast<Haandtag *>(handle);
  if (!h || !gHaandtag.erase(h)) return Fejl(ERROR_INVALID_HANDLE);
  // Children keep a pointer to their parent: closing the parent closes them.
  std::vector<Haandtag *> boern;
  for (Haandtag *x : gHaandtag)
    if (x->session == h || x->forbindelse == h) boern.push_back(x);
  for (Haandtag *b : boern) {
    gHaandtag.erase(b);
    std::vector<Haandtag *> barnebarn;
    for (Haandtag *x : gHaandtag)
      if (x->forbindelse == b) barnebarn.push_back(x);
    for (Haandtag *bb : barnebarn) {
      gHaandtag.erase(bb);
      delete bb;
    }
    delete b;
  }
  delete h;
  return TRUE;
}

}  // extern "C"
