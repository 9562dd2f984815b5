#pragma once
// The own-drawn lists: the drop-down pick list over the owner's strings, the
// record list of one table drawn by a field-switch layout (with its staff
// and plain-text variants) and the one-record field. Every index a message
// or the owner's arrays bring is checked before it reaches an array.

#include <cstdint>

#include "BESKEDER.h"
#include "ENSDC.h"
#include "TABREG.h"
#include "windows.h"

// ---- drop-down list (ListBoxWndClass)


constexpr int kListBoxRaekke = 13;  // pixels a row

struct LBWS {
  HINSTANCE instance;
  HWND owner;      // receives LISTBOX_VALGT
  HWND scrollBar;  // or null
  int32_t scroll;  // pixels
  char **Strings;  // the entries; the strings are the owner's
  uint32_t count;
  uint32_t current;  // 1-based; 0 none
  HDC dc;
  HFONT oldFont;
  int32_t width, height;
  uint8_t hasScrollBar;
  uint32_t hot;  // 1-based row under the mouse or moved to by the keys; 0 none
};

LRESULT CALLBACK ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A hidden pop-up at (0, 0) of size 0 owned by `owner`; the owner fills it,
// places, sizes and shows it and gives it the mouse capture.
HWND CreateListBoxWnd(HINSTANCE inst, HWND owner, bool hasScrollBar);

// ---- record list (ListeWndClass)


constexpr int kListeRaekke = 11;  // pixels a row

struct ListeInfo {
  const TabDesc *pTd;  // the table of the kind letter; null for "-"
  TabVar *pTv;
  HINSTANCE instance;
  uint8_t kind;  // table letter; '-' for a list of plain texts
  HWND owner;
  HWND scrollBar;  // or null
  uint32_t rows;
  // The owner's variables, read at every paint.
  uint32_t *count;
  uint32_t **records;  // one record number a row
  uint32_t **values;   // one value a row for the row painter
  float **altFigures;  // staff: shown when the row's figure is negative
  float **figures;     // staff: one figure a row
  uint8_t **marks;     // staff: one mark a row, 0 none
  char ***texts;       // "-": the texts
  uint8_t staffMode;
  uint8_t switchNo;  // the window kind whose switch-0 layout draws the rows
  int32_t layoutWidth;
  int32_t x, y, width, height;  // height = rows x 11
  int32_t scroll;
  EnsDC dc;
};

LRESULT CALLBACK ListeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A ListeWndClass child of the owner, rows x 11 high, not yet shown.
HWND CreateListeWnd(HWND owner, uint8_t kind, int x, int y, int width, uint32_t rows, uint32_t *count,
                    uint32_t **records, uint32_t **values, char ***texts, uint8_t switchNo);
// The staff variant (kind 'M'): after each row its figure and mark.
HWND CreateMedaListeWnd(HWND owner, int x, int y, int width, uint32_t rows, uint32_t *count,
                        uint32_t **records, uint32_t **values, float **altFigures, float **figures,
                        uint8_t **marks, uint8_t switchNo);
// Paints the list on its DC (the scroll bar is fitted to the count first).
void TegnListe(HWND hwnd, ListeInfo *li);

// ---- one-record field (SoloWndClass)

struct SoloInfo {
  const TabDesc *pTd;
  TabVar *pTv;
  HINSTANCE instance;
  uint8_t kind;  // 0 for none
  HWND owner;
  uint32_t *record;  // the owner's variable; null for none
  uint8_t switchNo;
  int32_t x, y, width, height;  // height 11
  EnsDC dc;
  char *tooltip;  // the owner's text, or null
  char *caption;  // own copy, shown without a record
};

LRESULT CALLBACK SoloWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A SoloWndClass child of the owner, 11 high, not yet shown.
HWND CreateSoloWnd(HWND owner, uint8_t kind, int x, int y, int width, uint32_t *record, const char *caption,
                   uint8_t switchNo, const char *tooltip);

// The text in the rectangle of its extent at (x, y), in palette colour
// `farve` on colour 0, transparent, one line ending in an ellipsis; the
// DC's cached colours are forgotten afterwards.
void TegnTekstVed(EnsDC *dc, int x, int y, const char *tekst, uint8_t farve);

// ---- registration

// Registers ListBoxWndClass, ListeWndClass, SoloWndClass and
// ShortCutWndClass, each window with a DC of its own (the record lists and
// the field also with double clicks). False when one could not be
// registered; the others stay registered.
bool RegistrerListeKlasser(HINSTANCE inst);
void AfregistrerListeKlasser(HINSTANCE inst);
