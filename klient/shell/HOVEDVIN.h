#pragma once
// The main window for now: it lays out its toolbar and desktop, answers
// every menu command with the one "not available" box, and on closing saves
// the data and ends the message loop. The main window of the full shell
// takes its place whole.

#include "windows.h"

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The answer to a command that is not built yet: a box "Ikke tilgængelig"
// with an exclamation icon, owned by `ejer`, and the log line
// "** Info: ..." naming the command by its menu text when it has one.
void IkkeTilgaengelig(HWND ejer, UINT kommando);

// The save on closing: all data, with the wait dialog, unless the run is
// read-only or a SuperTavo installation. True when nothing was to be saved
// or the save went through.
bool GemDataVedLukning();
