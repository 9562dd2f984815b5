#pragma once
// The cell editors: four small modal dialogs on template 134 that a caller
// opens over the cell being edited with a record giving the position, the
// value and its limits, and reads the result from that record when the
// dialog ends with 1 (2 is cancelled).

#include <cstdint>

#include "ENSDC.h"
#include "windows.h"

// Exit codes of the text editor when a click on one of the caller's areas
// ended it.
constexpr uint32_t kEditTekstOmraade1 = 13;
constexpr uint32_t kEditTekstOmraade2 = 14;
constexpr uint32_t kEditTekstOmraade3 = 15;

struct EditTekstInfo {
  uint32_t kalder;
  HWND dialog;  // set by the dialog
  HWND edit;    // set by the dialog
  EnsDC dc;     // set by the dialog: program text font and palette
  uint32_t maxLength;
  uint32_t kalder2[2];
  int32_t x, y;  // screen
  char *text;    // in: the initial text; out: the edited text (maxLength + 1 bytes)
  uint8_t selectAll;
  uint32_t exitCode;  // out: 13, 14 or 15 after a click on area1, 2 or 3, else 0
  HWND area1, area2, area3;
  int32_t width, height;
};

struct EditTalInfo {
  uint32_t kalder;
  HWND dialog, edit;  // set by the dialog
  EnsDC dc;           // set by the dialog
  int32_t margin;       // pixels left of the edit control
  int32_t rightMargin;  // pixels right of it, less 8
  int32_t x, y;
  uint32_t intDigits, decimals;
  float value;  // in: the initial value; out: the value, or -1.0 for no value
  float maximum, minimum, extra;
  uint8_t zeroAllowed;
  uint8_t selectAll;     // the text starts, and after an error is again, selected
  int32_t width, height;  // set by the dialog
};

struct RolleValgInfo {
  uint32_t kalder;
  HWND dialog, combo;  // set by the dialog
  int32_t x, y;
  uint32_t current;  // in: the preselected record index; out: the chosen one
  uint8_t kind;      // 'M' schedule roles, anything else room roles
  int32_t width, height;  // set by the dialog
  uint32_t *entryMap;     // the record index of each line; the dialog's while it runs
};

struct PrioritetInfo {
  uint32_t kalder;
  HWND dialog, combo;  // set by the dialog
  int32_t x, y;
  uint8_t current;  // in: the preselected priority; out: the chosen one
  int32_t width, height;  // set by the dialog
  uint8_t *entryMap;      // the priority of each line; the dialog's while it runs
};

INT_PTR CALLBACK EditTekstDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EditTalDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RolleValgDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PrioritetDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The line of a role in the role picker, as the picker lists it: a schedule
// role (skemarol record) for kind 'M', a room role (lokrolle record)
// otherwise. Cut to n bytes with the terminator.
void RolleLinje(uint8_t kind, uint32_t rec, char *linje, size_t n);

// The number editor's reading of a typed text: 1 and the number in *tal for
// a text of digits with at most one decimal mark (',' or '.') and blanks
// only around it, 0 for no value (an empty text or a lone "-"), -1 for any
// other text.
int LaesEditTal(const char *tekst, float *tal);
