#pragma once
// The main window for now: it makes its status row, lays out its toolbar,
// status row, desks and desktop and paints the band around them, hands its
// menu commands to the dispatcher, runs the function-key screens, and on
// closing saves the data (or, told to quit without saving, puts the start
// copies back) and ends the message loop. The main window of the full shell
// takes its place whole.

#include "windows.h"

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
