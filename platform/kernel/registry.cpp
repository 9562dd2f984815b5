// The registry: a table of keys and values in the process, holding only the
// user's shell folders until a program or a test puts something there;
// opened keys are handles of their own, separate from the kernel's handle
// table.

#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "pathmap.h"
#include "tavo/cp1252.h"
#include "win/kernel.h"
#include "win/kreg.h"

namespace {

struct Vaerdi {
  DWORD type = REG_NONE;
  std::vector<uint8_t> data;
};

struct Noegle {
  std::map<std::string, Vaerdi> vaerdier;  // by upper-cased name
};

struct Register {
  std::mutex mx;
  std::map<std::string, Noegle> noegler;  // "root\PATH", upper-cased
  std::map<HKEY, std::string> aabne;      // open keys
  HKEY naeste = 0x00A00000u;
};

void SaetVaerdi(Register &r, HKEY root, const std::string &subKey, const std::string &name, DWORD type,
                const void *data, DWORD size);

// The desktop folder as a Windows user's "Shell Folders" names it: ~/Desktop
// when there is one, else the home folder, in its Windows form.
void SaetSkalMapper(Register &r) {
  const char *h = std::getenv("HOME");
  std::string hjem = h && *h ? h : "/";
  std::string skrivebord = hjem + "/Desktop", win;
  struct stat st;
  if (stat(skrivebord.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) skrivebord = hjem;
  if (!tavo::UnmapPath(skrivebord, win)) return;
  SaetVaerdi(r, HKEY_CURRENT_USER, tavo::reg::kShellFolders, "Desktop", REG_SZ, win.c_str(),
             (DWORD)win.size() + 1);
}

Register &R() {
  static auto *r = [] {
    auto *ny = new Register;
    SaetSkalMapper(*ny);
    return ny;
  }();
  return *r;
}

bool ErRod(HKEY k) { return k >= HKEY_CLASSES_ROOT && k <= HKEY_USERS; }

std::string Stort(const std::string &s) {
  std::string o;
  for (unsigned char c : s) o += (char)tavo::Cp1252Upper(c);
  return o;
}

// "\a\\b\" becomes "A\B": empty parts are dropped, as Windows does.
std::string Normaliser(const std::string &sti) {
  std::string o, del;
  for (size_t i = 0; i <= sti.size(); ++i) {
    if (i == sti.size() || sti[i] == '\\') {
      if (!del.empty()) {
        if (!o.empty()) o += '\\';
        o += Stort(del);
      }
      del.clear();
    } else {
      del += sti[i];
    }
  }
  return o;
}

std::string Fuld(const std::string &rod, const std::string &sti) {
  std::string n = Normaliser(sti);
  return n.empty() ? rod : rod + "\\" + n;
}

// The path of a root or an open key; false for anything else.
bool StiAf(HKEY k, std::string &sti) {
  if (ErRod(k)) {
    sti = std::to_string(k);
    return true;
  }
  auto it = R().aabne.find(k);
  if (it == R().aabne.end()) return false;
  sti = it->second;
  return true;
}

}  // namespace

namespace {

void SaetVaerdi(Register &r, HKEY root, const std::string &subKey, const std::string &name, DWORD type,
                const void *data, DWORD size) {
  if (!ErRod(root)) return;
  const std::string rod = std::to_string(root);
  std::string sti = Fuld(rod, subKey);
  // Every key on the way exists too, so each can be opened on its own.
  for (size_t p = sti.find('\\'); p != std::string::npos; p = sti.find('\\', p + 1))
    r.noegler[sti.substr(0, p)];
  Vaerdi &v = r.noegler[sti].vaerdier[Stort(name)];
  v.type = type;
  const auto *b = static_cast<const uint8_t *>(data);
  v.data.assign(b, b + (b ? size : 0));
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = 0;
  Register &r = R();
  std::lock_guard<std::mutex> g(r.mx);
  std::string over;
  if (!StiAf(key, over)) return ERROR_INVALID_HANDLE;
  std::string sti = Fuld(over, subKey ? subKey : "");
  // A root is always there; another key only when something put it there.
  if (sti != over || !ErRod(key)) {
    if (!r.noegler.count(sti)) return ERROR_FILE_NOT_FOUND;
  }
  HKEY h = r.naeste++;
  r.aabne[h] = sti;
  *result = h;
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  Register &r = R();
  std::lock_guard<std::mutex> g(r.mx);
  std::string sti;
  if (!StiAf(key, sti)) return ERROR_INVALID_HANDLE;
  auto n = r.noegler.find(sti);
  if (n == r.noegler.end()) return ERROR_FILE_NOT_FOUND;
  auto v = n->second.vaerdier.find(Stort(valueName ? valueName : ""));
  if (v == n->second.vaerdier.end()) return ERROR_FILE_NOT_FOUND;
  if (type) *type = v->second.type;
  const DWORD behov = (DWORD)v->second.data.size();
  if (!data) {
    if (size) *size = behov;
    return ERROR_SUCCESS;
  }
  if (!size) return ERROR_INVALID_PARAMETER;
  if (*size < behov) {
    *size = behov;
    return ERROR_MORE_DATA;
  }
  std::copy(v->second.data.begin(), v->second.data.end(), data);
  *size = behov;
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  if (ErRod(key)) return ERROR_SUCCESS;
  Register &r = R();
  std::lock_guard<std::mutex> g(r.mx);
  return r.aabne.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace tavo::reg {

void SetValue(HKEY root, const std::string &subKey, const std::string &name, DWORD type,
              const void *data, DWORD size) {
  Register &r = R();
  std::lock_guard<std::mutex> g(r.mx);
  SaetVaerdi(r, root, subKey, name, type, data, size);
}

void SetString(HKEY root, const std::string &subKey, const std::string &name, const std::string &value) {
  SetValue(root, subKey, name, REG_SZ, value.c_str(), (DWORD)value.size() + 1);
}

void Clear() {
  Register &r = R();
  std::lock_guard<std::mutex> g(r.mx);
  r.noegler.clear();
  SaetSkalMapper(r);
}

}  // namespace tavo::reg
