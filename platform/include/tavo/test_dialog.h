#pragma once
// Test hooks of the dialog manager: a scripted answer for the next modal
// dialog or message box, and a record of the boxes shown.
//
// While a script runs, a modal dialog or message box calls the next queued
// handler on its own thread once it is shown and initialised. The handler
// acts as a user would (clicks, keys, messages to the controls) and returns 0
// to let the dialog run on, or an id to end it with. Without a handler a
// message box answers with its default button at once, and a dialog is ended
// with IDCANCEL after the time-out and a failure is recorded, so a forgotten
// answer fails a test instead of hanging it.

#include <functional>
#include <string>
#include <vector>

#include "win/dlg.h"

namespace tavo::test {

struct DialogControl {
  HWND hwnd = 0;
  std::string className;  // upper case for the standard classes: "BUTTON", "EDIT" ...
  int id = 0;
  std::string text;
  DWORD style = 0;
  int checked = 0;  // BM_GETCHECK for buttons, else 0
};

struct ShownDialog {
  HWND hwnd = 0;
  bool messageBox = false;
  std::string caption;
  std::string text;  // a message box's text
  UINT type = 0;     // a message box's MB_ flags
  std::vector<DialogControl> controls;
  const DialogControl *Control(int id) const;
  const DialogControl *ControlByText(const std::string &text) const;
};

using DialogHandler = std::function<INT_PTR(const ShownDialog &)>;

struct MessageBoxRecord {
  std::string caption;
  std::string text;
  UINT type = 0;
  int result = 0;
};

void StartDialogScript(int timeoutMs = 3000);
void AnswerNextDialog(DialogHandler handler);  // queued; each serves one dialog or box
std::vector<MessageBoxRecord> MessageBoxesShown();
std::vector<std::string> DialogFailures();  // dialogs left unanswered, handlers left over
void StopDialogScript();                    // clears handlers and records

// The controls of a dialog as the hook sees them (for a modeless one).
ShownDialog CaptureDialog(HWND dlg);

// ShellExecute while a log runs: the call is recorded and nothing is started.
struct ShellCall {
  std::string operation;  // "open", "explore", "" for none
  std::string file;       // as given (Windows path or address)
  std::string parameters;
  std::string directory;
  int show = 0;
};
void StartShellLog();
std::vector<ShellCall> StopShellLog();

}  // namespace tavo::test
