#pragma once
// Test hooks of the window layer: input as a user gives it, running a
// thread's message loop until it has nothing left, a log of the messages
// windows receive, and a reset between tests.

#include <string>
#include <vector>

#include "win/user.h"

namespace tavo::test {

// ---- keyboard (to the foreground window's thread, as typed) ----
enum KeyMods { ModShift = 1, ModCtrl = 2, ModAlt = 4 };
void KeyDown(UINT vk);
void KeyUp(UINT vk);
void PressKey(UINT vk, int mods = 0);  // modifiers down, the key down and up, modifiers up
// Each Windows-1252 character by its key on the Danish keyboard, with Shift or
// AltGr as the character needs; characters without a key arrive as WM_CHAR.
void TypeText(const char *text);

// ---- mouse, at screen coordinates; button 0 left, 1 right, 2 middle ----
void MouseMove(int x, int y);
void MouseDown(int button, int x, int y);
void MouseUp(int button, int x, int y);
void Click(int x, int y, int button = 0);
void DoubleClick(int x, int y);
void Wheel(int delta, int x, int y);
void Drag(int x0, int y0, int x1, int y1, int steps = 4);
POINT ScreenPoint(HWND hwnd, int clientX, int clientY);

// ---- the message loop ----
// Takes and dispatches the calling thread's messages until none is left
// (timers not yet due are not waited for). WM_QUIT stops it and stays queued.
// Returns the number of messages dispatched; stops after maxMessages.
int PumpUntilIdle(int maxMessages = 10000);

// ---- message log ----
struct LoggedMessage {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
void StartMessageLog();                       // every message that reaches a window procedure, any thread
std::vector<LoggedMessage> StopMessageLog();  // the log so far; logging ends
// The messages one window received, in order, keeping only those in `only` when it is not empty.
std::vector<UINT> MessagesOf(const std::vector<LoggedMessage> &log, HWND hwnd, const std::vector<UINT> &only = {});
std::string MessageName(UINT msg);

int BeepCount();

// Destroys the calling thread's windows, empties its queue and the layer's
// input state, clipboard and classes, and restores the screen size.
void ResetUser();

}  // namespace tavo::test
