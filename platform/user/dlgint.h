#pragma once
// The dialog manager's inside, shared by dialogs, message boxes and menus.

#include <functional>
#include <string>

#include "tavo/test_dialog.h"
#include "win/dlg.h"

namespace tavo::user {

struct ModalHook {
  // Fills in what the test hook sees beyond the controls (a box's text).
  std::function<void(test::ShownDialog *)> describe;
  // The answer when a script runs and no handler is queued; none: time out.
  std::function<INT_PTR()> defaultAnswer;
};

HWND CreateDialogCore(HINSTANCE inst, const res::DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM param,
                      bool modal);
INT_PTR DialogBoxCore(HINSTANCE inst, const res::DialogTemplate &t, HWND owner, DLGPROC proc, LPARAM param,
                      const ModalHook *hook);
INT_PTR RunModal(HWND dlg, HWND owner, bool taskModal, const ModalHook &hook);
int MulDivRound(int v, int num, int den);
void RecordMessageBox(const std::string &caption, const std::string &text, UINT type, int result);
void ForgetDialog(HWND dlg);

}  // namespace tavo::user
