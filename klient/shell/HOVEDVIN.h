#pragma once
// The main window for now: it makes its status row, lays out its toolbar,
// status row, desks and desktop and paints the band around them, opens the
// about box, answers every other menu command with the one "not available"
// box, and on closing saves the data and ends the message loop. The main
// window of the full shell takes its place whole.

#include "windows.h"

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
