// Shell links over a link file of our own: one object serves both
// interfaces, and a save is written beside the link and renamed over it, so
// a broken-off save leaves the old link.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "win/shlobj.h"

const CLSID CLSID_ShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IUnknown = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

namespace {

constexpr char kHoved[] = "Tavo-genvej 1";

bool Ens(REFIID a, REFIID b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

HRESULT Kopier(const std::string &v, LPSTR buf, int stoerrelse) {
  if (!buf || stoerrelse <= 0) return E_INVALIDARG;
  const size_t n = std::min(v.size(), (size_t)stoerrelse - 1);
  std::memcpy(buf, v.data(), n);
  buf[n] = '\0';
  return S_OK;
}

// A wide name to Windows-1252; false when it does not convert.
bool Smal(LPCOLESTR w, std::string &ud) {
  if (!w) return false;
  char buf[MAX_PATH * 2];
  const int n = WideCharToMultiByte(CP_ACP, 0, w, -1, buf, sizeof buf, nullptr, nullptr);
  if (n <= 0) return false;
  ud = buf;
  return !ud.empty();
}

class Genvej final : public IShellLinkA, public IPersistFile {
 public:
  // IUnknown through either base.
  HRESULT QueryInterface(REFIID iid, void **ud) override {
    if (!ud) return E_POINTER;
    *ud = nullptr;
    if (Ens(iid, IID_IUnknown) || Ens(iid, IID_IShellLinkA))
      *ud = static_cast<IShellLinkA *>(this);
    else if (Ens(iid, IID_IPersistFile))
      *ud = static_cast<IPersistFile *>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++antal_; }
  ULONG Release() override {
    const ULONG n = --antal_;
    if (n == 0) delete this;
    return n;
  }

  HRESULT GetPath(LPSTR fil, int stoerrelse, WIN32_FIND_DATAA *fd, DWORD) override {
    if (fd) std::memset(fd, 0, sizeof *fd);
    const HRESULT hr = Kopier(sti_, fil, stoerrelse);
    return FAILED(hr) ? hr : (sti_.empty() ? S_FALSE : S_OK);
  }
  HRESULT SetPath(LPCSTR fil) override { return Saet(sti_, fil); }
  HRESULT GetArguments(LPSTR a, int n) override { return Kopier(argumenter_, a, n); }
  HRESULT SetArguments(LPCSTR a) override { return Saet(argumenter_, a); }
  HRESULT GetWorkingDirectory(LPSTR m, int n) override { return Kopier(mappe_, m, n); }
  HRESULT SetWorkingDirectory(LPCSTR m) override { return Saet(mappe_, m); }
  HRESULT GetIconLocation(LPSTR fil, int stoerrelse, int *indeks) override {
    if (!indeks) return E_POINTER;
    *indeks = ikonIndeks_;
    return Kopier(ikon_, fil, stoerrelse);
  }
  HRESULT SetIconLocation(LPCSTR fil, int indeks) override {
    ikonIndeks_ = indeks;
    return Saet(ikon_, fil);
  }

  HRESULT Load(LPCOLESTR navn, DWORD) override {
    std::string fil;
    if (!Smal(navn, fil)) return E_INVALIDARG;
    FILE *f = fopen(fil.c_str(), "rb");
    if (!f) return STG_E_FILENOTFOUND;
    std::string tekst;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0 && tekst.size() < 65536) tekst.append(buf, n);
    fclose(f);
    std::istringstream in(tekst);
    std::string linje;
    if (!std::getline(in, linje) || Uden(linje) != kHoved) return E_FAIL;
    std::string sti, arg, mappe, ikon;
    int indeks = 0;
    while (std::getline(in, linje)) {
      linje = Uden(linje);
      const size_t lig = linje.find('=');
      if (lig == std::string::npos) continue;
      const std::string noegle = linje.substr(0, lig), v = linje.substr(lig + 1);
      if (noegle == "Sti") sti = v;
      else if (noegle == "Argumenter") arg = v;
      else if (noegle == "Mappe") mappe = v;
      else if (noegle == "Ikon") ikon = v;
      else if (noegle == "Ikonindeks") indeks = std::atoi(v.c_str());
    }
    sti_ = sti.substr(0, MAX_PATH - 1);
    argumenter_ = arg.substr(0, 1023);
    mappe_ = mappe.substr(0, MAX_PATH - 1);
    ikon_ = ikon.substr(0, MAX_PATH - 1);
    ikonIndeks_ = indeks;
    fil_ = fil;
    return S_OK;
  }
  HRESULT Save(LPCOLESTR navn, BOOL husk) override {
    std::string fil = fil_;
    if (navn && !Smal(navn, fil)) return E_INVALIDARG;
    if (fil.empty()) return E_INVALIDARG;
    const std::string tekst = std::string(kHoved) + "\r\nSti=" + sti_ + "\r\nArgumenter=" + argumenter_ +
                              "\r\nMappe=" + mappe_ + "\r\nIkon=" + ikon_ +
                              "\r\nIkonindeks=" + std::to_string(ikonIndeks_) + "\r\n";
    const std::string ny = fil + ".ny";
    FILE *f = fopen(ny.c_str(), "wb");
    if (!f) return STG_E_WRITEFAULT;
    const bool skrevet = fwrite(tekst.data(), 1, tekst.size(), f) == tekst.size();
    const bool lukket = fclose(f) == 0;
    if (!skrevet || !lukket || !MoveFileExA(ny.c_str(), fil.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      DeleteFileA(ny.c_str());
      return STG_E_WRITEFAULT;
    }
    if (husk) fil_ = fil;
    return S_OK;
  }

 private:
  static std::string Uden(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
    return s;
  }
  // A value that would break the line format is refused.
  static HRESULT Saet(std::string &felt, LPCSTR v) {
    if (!v) return E_INVALIDARG;
    if (std::strpbrk(v, "\r\n")) return E_INVALIDARG;
    felt = v;
    return S_OK;
  }

  ULONG antal_ = 1;
  std::string sti_, argumenter_, mappe_, ikon_, fil_;
  int ikonIndeks_ = 0;
};

}  // namespace

HRESULT CoCreateInstance(REFCLSID klasse, LPUNKNOWN ydre, DWORD, REFIID iid, LPVOID *ud) {
  if (!ud) return E_POINTER;
  *ud = nullptr;
  if (ydre) return CLASS_E_NOAGGREGATION;
  if (!Ens(klasse, CLSID_ShellLink)) return REGDB_E_CLASSNOTREG;
  auto *g = new (std::nothrow) Genvej;
  if (!g) return E_OUTOFMEMORY;
  const HRESULT hr = g->QueryInterface(iid, ud);
  g->Release();
  return hr;
}
