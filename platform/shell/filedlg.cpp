// The open, save and folder dialogs: plain dialogs of our own with a folder
// list, a file list filtered by the chosen filter, a name field, OK and
// Annuller, answering with Windows paths.

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "dlgint.h"
#include "pathmap.h"
#include "tavo/cp1252.h"
#include "win/controls.h"
#include "win/kfile.h"
#include "win/shellapi.h"

LPITEMIDLIST MakeIdList(const std::string &winPath);

namespace {

constexpr int kFolderText = 0x481, kFolders = 0x461, kFiles = 0x460, kName = 0x480, kFilter = 0x470;
constexpr int kTitle = 0x442;

std::atomic<DWORD> g_lastError{0};

struct Listing {
  std::vector<std::string> folders, files;
};

std::string TrimSlash(std::string p) {
  while (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
  return p;
}

bool MapDir(const std::string &win, std::string *linux) {
  struct stat st;
  return tavo::MapPath(win.c_str(), *linux) && stat(linux->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Listing List(const std::string &win) {
  Listing l;
  std::string linux;
  if (!MapDir(win, &linux)) return l;
  DIR *d = opendir(linux.c_str());
  if (!d) return l;
  while (dirent *e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == ".." || name[0] == '.') continue;
    std::string cp;
    if (!tavo::ToCp1252(name, cp)) continue;  // a name Windows could not spell
    struct stat st;
    if (stat((linux + "/" + name).c_str(), &st) != 0) continue;
    (S_ISDIR(st.st_mode) ? l.folders : l.files).push_back(cp);
  }
  closedir(d);
  auto byName = [](const std::string &a, const std::string &b) {
    return tavo::ToUtf8(a) < tavo::ToUtf8(b);
  };
  std::sort(l.folders.begin(), l.folders.end(), byName);
  std::sort(l.files.begin(), l.files.end(), byName);
  return l;
}

bool IsRoot(const std::string &win) { return win.size() <= 3 && win.size() >= 2 && win[1] == ':'; }

std::string Join(const std::string &dir, const std::string &name) {
  if (name.size() >= 2 && (name[1] == ':' || (name[0] == '\\' && name[1] == '\\'))) return name;
  std::string d = dir;
  if (!d.empty() && d.back() != '\\') d += '\\';
  if (!name.empty() && (name[0] == '\\' || name[0] == '/')) return dir.substr(0, 2) + name;
  return d + name;
}

std::string Parent(const std::string &win) {
  std::string p = TrimSlash(win);
  size_t s = p.find_last_of("\\/");
  if (s == std::string::npos) return p;
  std::string up = p.substr(0, s);
  if (up.size() == 2 && up[1] == ':') up += '\\';
  return up;
}

bool Exists(const std::string &win, bool *dir = nullptr) {
  std::string linux;
  struct stat st;
  if (!tavo::MapPath(win.c_str(), linux) || stat(linux.c_str(), &st) != 0) return false;
  if (dir) *dir = S_ISDIR(st.st_mode);
  return true;
}

std::string CurrentDir() {
  char buf[MAX_PATH] = "";
  DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
  return n && n < sizeof buf ? buf : "C:\\";
}

// ---- the shared dialog ----

struct FileDlg {
  bool save = false;
  bool folderOnly = false;
  OPENFILENAMEA *ofn = nullptr;
  BROWSEINFOA *bi = nullptr;
  std::string folder;
  std::vector<std::pair<std::string, std::string>> filters;  // (label, patterns)
  int filter = 0;
  std::string result;
};

void Fill(HWND dlg, FileDlg *f) {
  SetDlgItemTextA(dlg, kFolderText, f->folder.c_str());
  Listing l = List(f->folder);
  HWND folders = GetDlgItem(dlg, kFolders);
  SendMessageA(folders, LB_RESETCONTENT, 0, 0);
  if (!IsRoot(f->folder)) SendMessageA(folders, LB_ADDSTRING, 0, (LPARAM) "..");
  for (auto &n : l.folders) SendMessageA(folders, LB_ADDSTRING, 0, (LPARAM)n.c_str());
  HWND files = GetDlgItem(dlg, kFiles);
  if (!files) return;
  SendMessageA(files, LB_RESETCONTENT, 0, 0);
  std::string patterns = f->filters.empty() ? "*.*" : f->filters[(size_t)f->filter].second;
  for (auto &n : l.files) {
    bool match = false;
    size_t start = 0;
    while (start <= patterns.size() && !match) {
      size_t semi = patterns.find(';', start);
      std::string p = patterns.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
      while (!p.empty() && p[0] == ' ') p.erase(0, 1);
      if (p == "*.*") p = "*";
      if (!p.empty() && fnmatch(tavo::ToUtf8(p).c_str(), tavo::ToUtf8(n).c_str(), FNM_CASEFOLD) == 0) match = true;
      if (semi == std::string::npos) break;
      start = semi + 1;
    }
    if (match) SendMessageA(files, LB_ADDSTRING, 0, (LPARAM)n.c_str());
  }
}

std::string ListText(HWND list, int index) {
  int n = (int)SendMessageA(list, LB_GETTEXTLEN, (WPARAM)index, 0);
  if (n < 0) return "";
  std::string s((size_t)n + 1, '\0');
  SendMessageA(list, LB_GETTEXT, (WPARAM)index, (LPARAM)s.data());
  s.resize(std::strlen(s.c_str()));
  return s;
}

void Enter(HWND dlg, FileDlg *f, const std::string &name) {
  f->folder = name == ".." ? Parent(f->folder) : TrimSlash(Join(f->folder, name));
  Fill(dlg, f);
}

std::string NameText(HWND dlg) {
  char buf[MAX_PATH] = "";
  GetDlgItemTextA(dlg, kName, buf, sizeof buf);
  return buf;
}

bool Ok(HWND dlg, FileDlg *f) {
  HWND folders = GetDlgItem(dlg, kFolders);
  if (GetFocus() == folders) {
    int sel = (int)SendMessageA(folders, LB_GETCURSEL, 0, 0);
    if (sel >= 0) {
      Enter(dlg, f, ListText(folders, sel));
      return false;
    }
  }
  if (f->folderOnly) {
    f->result = f->folder;
    return true;
  }
  std::string name = NameText(dlg);
  if (name.empty()) return false;
  std::string path = Join(f->folder, name);
  bool isDir = false;
  if (Exists(path, &isDir) && isDir) {
    f->folder = TrimSlash(path);
    SetDlgItemTextA(dlg, kName, "");
    Fill(dlg, f);
    return false;
  }
  size_t slash = path.find_last_of("\\/");
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  if (last.find('.') == std::string::npos && f->ofn->lpstrDefExt && *f->ofn->lpstrDefExt)
    path += std::string(".") + f->ofn->lpstrDefExt;
  DWORD flags = f->ofn->Flags;
  std::string parent = slash == std::string::npos ? f->folder : path.substr(0, slash);
  if (parent.size() == 2) parent += '\\';
  bool parentDir = false;
  if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !(Exists(parent, &parentDir) && parentDir)) {
    MessageBoxA(dlg, (path + "\nStien findes ikke.\nKontroller, at stien er angivet korrekt.").c_str(),
                f->save ? "Gem som" : "Åbn", MB_OK | MB_ICONWARNING);
    return false;
  }
  bool exists = Exists(path);
  if ((flags & OFN_FILEMUSTEXIST) && !exists) {
    MessageBoxA(dlg, (path + "\nFilen findes ikke.\nKontroller, at filnavnet er angivet korrekt.").c_str(),
                f->save ? "Gem som" : "Åbn", MB_OK | MB_ICONWARNING);
    return false;
  }
  if (f->save && (flags & OFN_OVERWRITEPROMPT) && exists &&
      MessageBoxA(dlg, (path + " findes allerede.\nVil du erstatte den?").c_str(), "Bekræft Gem som",
                  MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
    return false;
  f->result = path;
  return true;
}

INT_PTR CALLBACK FileProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  FileDlg *f = (FileDlg *)GetWindowLongPtrA(dlg, DWLP_USER);
  switch (msg) {
    case WM_INITDIALOG: {
      f = (FileDlg *)lp;
      SetWindowLongPtrA(dlg, DWLP_USER, lp);
      if (HWND combo = GetDlgItem(dlg, kFilter)) {
        for (auto &fl : f->filters) SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)fl.first.c_str());
        SendMessageA(combo, CB_SETCURSEL, (WPARAM)f->filter, 0);
      }
      Fill(dlg, f);
      if (f->bi && f->bi->lpfn) f->bi->lpfn(dlg, BFFM_INITIALIZED, 0, f->bi->lParam);
      return TRUE;
    }
    case BFFM_SETSELECTIONA:
      if (f && wp && lp) {
        std::string p = TrimSlash((const char *)lp);
        bool dir = false;
        if (Exists(p, &dir) && dir) {
          f->folder = p;
          Fill(dlg, f);
        }
      }
      return TRUE;
    case WM_COMMAND:
      if (!f) return FALSE;
      switch (LOWORD(wp)) {
        case IDOK:
          if (Ok(dlg, f)) EndDialog(dlg, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dlg, IDCANCEL);
          return TRUE;
        case kFolders:
          if (HIWORD(wp) == LBN_DBLCLK) {
            int sel = (int)SendMessageA((HWND)lp, LB_GETCURSEL, 0, 0);
            if (sel >= 0) Enter(dlg, f, ListText((HWND)lp, sel));
          }
          return TRUE;
        case kFiles:
          if (HIWORD(wp) == LBN_SELCHANGE || HIWORD(wp) == LBN_DBLCLK) {
            int sel = (int)SendMessageA((HWND)lp, LB_GETCURSEL, 0, 0);
            if (sel >= 0) SetDlgItemTextA(dlg, kName, ListText((HWND)lp, sel).c_str());
            if (HIWORD(wp) == LBN_DBLCLK && Ok(dlg, f)) EndDialog(dlg, IDOK);
          }
          return TRUE;
        case kFilter:
          if (HIWORD(wp) == CBN_SELCHANGE) {
            int sel = (int)SendMessageA((HWND)lp, CB_GETCURSEL, 0, 0);
            if (sel >= 0 && sel < (int)f->filters.size()) f->filter = sel;
            Fill(dlg, f);
          }
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

tavo::res::DialogItem It(const char *cls, int id, const char *text, DWORD style, int x, int y, int cx, int cy) {
  return {cls, id, text, (DWORD)(style | WS_VISIBLE), 0, x, y, cx, cy};
}

tavo::res::DialogTemplate Template(const std::string &caption, bool files, const std::string &title) {
  tavo::res::DialogTemplate t;
  t.caption = caption;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_3DLOOK;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  int y = 7;
  if (!title.empty()) {
    t.items.push_back(It("STATIC", kTitle, title.c_str(), SS_NOPREFIX, 7, y, files ? 286 : 186, 16));
    y += 20;
  }
  t.items.push_back(It("STATIC", -1, "&Mappe:", 0, 7, y + 2, 30, 8));
  t.items.push_back(It("EDIT", kFolderText, "", ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 40, y, files ? 253 : 153, 12));
  y += 18;
  int listH = 110;
  t.items.push_back(It("LISTBOX", kFolders, "", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, y,
                       files ? 110 : 186, listH));
  if (files) {
    t.items.push_back(It("LISTBOX", kFiles, "", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 123, y, 170, listH));
    y += listH + 6;
    t.items.push_back(It("STATIC", -1, "&Filnavn:", 0, 7, y + 2, 40, 8));
    t.items.push_back(It("EDIT", kName, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, y, 233, 12));
    y += 16;
    t.items.push_back(It("STATIC", -1, "Fil&typer:", 0, 7, y + 2, 50, 8));
    t.items.push_back(It("COMBOBOX", kFilter, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 60, y, 233, 80));
    y += 18;
  } else {
    y += listH + 6;
  }
  int cx = files ? 300 : 200;
  t.items.push_back(It("BUTTON", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, cx - 7 - 104, y, 50, 14));
  t.items.push_back(It("BUTTON", IDCANCEL, "Annuller", BS_PUSHBUTTON | WS_TABSTOP, cx - 7 - 50, y, 50, 14));
  t.cx = cx;
  t.cy = y + 14 + 7;
  return t;
}

BOOL RunFileDialog(LPOPENFILENAMEA ofn, bool save) {
  g_lastError = 0;
  if (!ofn || ofn->lStructSize < OPENFILENAME_SIZE_VERSION_400 || !ofn->lpstrFile || !ofn->nMaxFile) {
    g_lastError = ofn && ofn->lStructSize < OPENFILENAME_SIZE_VERSION_400 ? CDERR_STRUCTSIZE : CDERR_INITIALIZATION;
    return FALSE;
  }
  FileDlg f;
  f.save = save;
  f.ofn = ofn;
  if (const char *p = ofn->lpstrFilter) {
    // Pairs of zero-terminated strings, ended by an empty one; bounded so a
    // filter without its final zero cannot run away.
    for (int n = 0; *p && n < 64; ++n) {
      std::string label = p;
      p += label.size() + 1;
      if (!*p) break;
      std::string pat = p;
      p += pat.size() + 1;
      f.filters.push_back({label, pat});
    }
  }
  if (ofn->nFilterIndex >= 1 && ofn->nFilterIndex <= f.filters.size()) f.filter = (int)ofn->nFilterIndex - 1;
  // The proposed name: its folder, when it has one, wins over the initial folder.
  std::string proposed(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  std::string folder = ofn->lpstrInitialDir && *ofn->lpstrInitialDir ? ofn->lpstrInitialDir : CurrentDir();
  size_t slash = proposed.find_last_of("\\/");
  if (slash != std::string::npos) {
    std::string dir = proposed.substr(0, slash);
    if (dir.size() == 2) dir += '\\';
    bool isDir = false;
    if (Exists(Join(folder, dir), &isDir) && isDir) folder = Join(folder, dir);
    proposed = proposed.substr(slash + 1);
  }
  f.folder = TrimSlash(folder);
  bool isDir = false;
  if (!(Exists(f.folder, &isDir) && isDir)) f.folder = TrimSlash(CurrentDir());
  std::string caption = ofn->lpstrTitle && *ofn->lpstrTitle ? ofn->lpstrTitle : save ? "Gem som" : "Åbn";
  tavo::res::DialogTemplate t = Template(caption, true, "");
  for (auto &it : t.items)
    if (it.id == kName) it.text = proposed;
  if (tavo::user::DialogBoxCore(ofn->hInstance, t, ofn->hwndOwner, FileProc, (LPARAM)&f, nullptr) != IDOK) return FALSE;
  if (f.result.size() + 1 > ofn->nMaxFile) {
    // Too small: the size needed goes in the first bytes, as documented.
    if (ofn->nMaxFile >= 2) {
      WORD need = (WORD)std::min<size_t>(f.result.size() + 1, 0xFFFF);
      std::memcpy(ofn->lpstrFile, &need, 2);
    }
    g_lastError = FNERR_BUFFERTOOSMALL;
    return FALSE;
  }
  std::memcpy(ofn->lpstrFile, f.result.c_str(), f.result.size() + 1);
  size_t s = f.result.find_last_of("\\/");
  ofn->nFileOffset = (WORD)(s == std::string::npos ? 0 : s + 1);
  size_t dot = f.result.find_last_of('.');
  ofn->nFileExtension = (WORD)(dot != std::string::npos && dot > ofn->nFileOffset ? dot + 1 : f.result.size());
  ofn->nFilterIndex = f.filters.empty() ? 0 : (DWORD)f.filter + 1;
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle) {
    std::string title = f.result.substr(ofn->nFileOffset);
    size_t n = std::min<size_t>(title.size(), ofn->nMaxFileTitle - 1);
    std::memcpy(ofn->lpstrFileTitle, title.data(), n);
    ofn->lpstrFileTitle[n] = 0;
  }
  return TRUE;
}

}  // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) { return RunFileDialog(ofn, false); }
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) { return RunFileDialog(ofn, true); }
DWORD CommDlgExtendedError(void) { return g_lastError.load(); }

LPITEMIDLIST SHBrowseForFolderA(LPBROWSEINFOA bi) {
  if (!bi) return nullptr;
  FileDlg f;
  f.folderOnly = true;
  f.bi = bi;
  char start[MAX_PATH] = "";
  f.folder = SUCCEEDED(SHGetFolderPathA(0, CSIDL_PERSONAL, 0, 0, start)) ? start : CurrentDir();
  f.folder = TrimSlash(f.folder);
  tavo::res::DialogTemplate t = Template("Søg efter mappe", false, bi->lpszTitle ? bi->lpszTitle : "");
  if (tavo::user::DialogBoxCore(0, t, bi->hwndOwner, FileProc, (LPARAM)&f, nullptr) != IDOK) return nullptr;
  if (bi->pszDisplayName) {
    std::string name = f.result.substr(f.result.find_last_of('\\') == std::string::npos ? 0 : f.result.find_last_of('\\') + 1);
    size_t n = std::min<size_t>(name.size(), MAX_PATH - 1);
    std::memcpy(bi->pszDisplayName, name.data(), n);
    bi->pszDisplayName[n] = 0;
  }
  return MakeIdList(f.result);
}
