#pragma once
// The changed-events panes of the entry window: one shows an event as it was
// ("OPRINDELIGT INDHOLD"), the other what it is being changed to ("INDHOLD
// RETTET TIL"), each as blocks of activities, subject, employees, rooms and
// remark under headings, a heading marked " *" while its block differs from
// what the pane started with.

#include <cstdint>

#include "AVS.h"
#include "BESKEDER.h"
#include "windows.h"

constexpr const char *kRetInfoKlasse = "RetInfoWndClass";
// The window kind of the field layouts the panes' lists are drawn in.
constexpr uint8_t kRetInfoSwitchArt = 48;

enum RetInfoBlok : int { RI_AKTI = 0, RI_SKFA, RI_ANFO, RI_LOKA, RI_BEM, kRetInfoBlokke };

// Lines of each block for the property letters (K S M L B): activities,
// employees and rooms at least 1, subject 1, remark at least 2; while the sum
// passes 12 a line goes from the largest of activities, employees and rooms
// (activities on a tie with the larger of the others, then employees).
void RetInfoLinjer(const AVS *avs, const char *bogstaver, uint32_t linjer[kRetInfoBlokke]);

// A block's heading: long or short, with " *" when marked; the remark's in
// the changed pane with "&" so Alt+B reaches it.
const char *RetInfoOverskrift(int blok, bool lang, bool rettet, bool stjerne, char *buf, size_t n);

// The width a pane needs for the letters within the offered width.
int32_t RetInfoBredde(const char *bogstaver, int32_t tilbudt);

LRESULT CALLBACK RetInfoWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A pane over the live event avs (kept by the caller) for the letters, with
// the caption; the pane keeps a copy of the event as it is now to compare.
HWND CreateRetInfoWnd(HINSTANCE inst, HWND parent, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      AVS *avs, uint8_t flag, const char *bogstaver, const char *titel);
bool RegistrerRetInfoKlasse(HINSTANCE inst);
// Which headings the pane marks now, by block.
void RetInfoMaerker(HWND hwnd, bool maerker[kRetInfoBlokke]);
// Whether the pane took the long headings.
bool RetInfoLangeOverskrifter(HWND hwnd);
