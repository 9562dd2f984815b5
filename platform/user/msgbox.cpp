// Message boxes: a dialog built for the text and buttons, with the Danish
// button texts.

#include <algorithm>
#include <string>
#include <vector>

#include "dlgint.h"
#include "win/dlg.h"

namespace tavo::user {

namespace {

struct BoxButton {
  int id;
  const char *text;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Annuller"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Afbryd"}, {IDRETRY, "&Forsøg igen"}, {IDIGNORE, "&Ignorer"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Ja"}, {IDNO, "&Nej"}, {IDCANCEL, "Annuller"}};
    case MB_YESNO: return {{IDYES, "&Ja"}, {IDNO, "&Nej"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Forsøg igen"}, {IDCANCEL, "Annuller"}};
    default: return {{IDOK, "OK"}};
  }
}

struct BoxState {
  UINT type;
  std::vector<BoxButton> buttons;
  int defId;
};

bool Has(const BoxState *b, int id) {
  for (auto &x : b->buttons)
    if (x.id == id) return true;
  return false;
}

INT_PTR CALLBACK BoxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  auto *b = (BoxState *)GetWindowLongPtrA(dlg, DWLP_USER);
  switch (msg) {
    case WM_INITDIALOG: {
      b = (BoxState *)lp;
      SetWindowLongPtrA(dlg, DWLP_USER, lp);
      SendMessageA(dlg, DM_SETDEFID, (WPARAM)b->defId, 0);
      for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (GetWindowLongA(c, GWL_ID) == b->defId) {
          SetFocus(c);
          // Its focus stays on the default button when the box is activated.
          SendMessageA(dlg, WM_NEXTDLGCTL, (WPARAM)c, TRUE);
        }
      }
      return FALSE;
    }
    case WM_COMMAND: {
      if (!b) return FALSE;
      int id = LOWORD(wp);
      if (id == IDCANCEL && !Has(b, IDCANCEL)) {
        // Esc and the close box answer a lone OK; otherwise there is no way out but a button.
        if ((b->type & MB_TYPEMASK) == MB_OK) EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (Has(b, id)) EndDialog(dlg, id);
      return TRUE;
    }
  }
  return FALSE;
}

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> out(1);
  for (char c : text) {
    if (c == '\n') out.emplace_back();
    else if (c != '\r') out.back() += c;
  }
  return out;
}

}  // namespace

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  std::string body = text ? text : "";
  std::string title = caption ? caption : "Fejl";
  BoxState st{type, ButtonsOf(type), 0};
  size_t defIndex = ((type & MB_DEFMASK) >> 8);
  if (defIndex >= st.buttons.size()) defIndex = 0;
  st.defId = st.buttons[defIndex].id;

  // Laid out in dialog units of the 8-point dialog font: a character is about
  // 4 units wide, a line 8 high; tabs count as a few characters.
  size_t widest = 0;
  std::vector<std::string> lines = Lines(body);
  for (auto &l : lines) {
    size_t n = 0;
    for (char c : l) n += c == '\t' ? 6 : 1;
    widest = std::max(widest, n);
  }
  bool icon = (type & MB_ICONMASK) != 0;
  int iconW = icon ? 28 : 0;
  int textW = std::min(std::max((int)widest * 4 + 8, 40), 400);
  int textH = std::max((int)lines.size(), 1) * 8;
  int nb = (int)st.buttons.size();
  int buttonsW = nb * 50 + (nb - 1) * 4;
  int cx = std::max(iconW + textW, buttonsW) + 14;
  int textTop = 10;
  int bodyH = std::max(textH, icon ? 20 : 0);
  int buttonTop = textTop + bodyH + 10;
  int cy = buttonTop + 14 + 7;

  res::DialogTemplate t;
  t.caption = title;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_3DLOOK;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  if (type & (MB_TOPMOST | MB_SYSTEMMODAL)) t.exStyle |= WS_EX_TOPMOST;
  t.cx = cx;
  t.cy = cy;
  if (icon) {
    const char *name = "#32516";
    switch (type & MB_ICONMASK) {
      case MB_ICONHAND: name = "#32513"; break;
      case MB_ICONQUESTION: name = "#32514"; break;
      case MB_ICONEXCLAMATION: name = "#32515"; break;
    }
    t.items.push_back({"STATIC", -1, name, 0x3 /* SS_ICON */ | WS_VISIBLE, 0, 7, textTop - 2, 20, 20});
  }
  t.items.push_back({"STATIC", 0xFFFF, body, 0x80 /* SS_NOPREFIX */ | WS_VISIBLE | WS_GROUP, 0, 7 + iconW,
                     textTop + (bodyH - textH) / 2, textW, textH});
  int bx = (cx - buttonsW) / 2;
  for (int i = 0; i < nb; ++i) {
    DWORD bs = (st.buttons[i].id == st.defId ? 1 : 0) | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0);
    t.items.push_back({"BUTTON", st.buttons[i].id, st.buttons[i].text, bs, 0, bx + i * 54, buttonTop, 50, 14});
  }
  t.style |= DS_NOFAILCREATE;  // a box without its icon is still a box

  HWND root = owner ? GetAncestor(owner, GA_ROOT) : 0;
  if (owner && !root) owner = 0;
  HWND dlg = CreateDialogCore(0, t, root, BoxProc, (LPARAM)&st, true);
  if (!dlg) return 0;
  ModalHook hook;
  hook.describe = [&](test::ShownDialog *s) {
    s->messageBox = true;
    s->text = body;
    s->type = type;
  };
  int defId = st.defId;
  hook.defaultAnswer = [defId] { return (INT_PTR)defId; };
  bool task = (type & MB_TASKMODAL) && !root;
  int r = (int)RunModal(dlg, root, task, hook);
  RecordMessageBox(title, body, type, r);
  return r;
}

}  // namespace tavo::user

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return tavo::user::ShowMessageBox(owner, text, caption, type);
}

int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD) {
  return tavo::user::ShowMessageBox(owner, text, caption, type);
}
