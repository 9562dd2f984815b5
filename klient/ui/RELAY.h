#pragma once
// The relay pane: a plain child that paints nothing itself and hands its
// paint, mouse and scroll events to its owner under the owner's numbers.

#include <cstdint>

#include "BESKEDER.h"
#include "windows.h"

struct DummyInfo {
  char *tooltip;  // shown on hover; null for none
  HWND owner;
  uint32_t msgLButtonDown;
  uint32_t msgMouseMove;
  uint32_t msgMouseLeave;
  uint32_t msgMouseHover;
  uint32_t msgDblClk;
  uint32_t msgPaint;
};


// Created by the owner with a heap-allocated DummyInfo (malloc/calloc) as
// creation parameter; the pane frees it.
LRESULT CALLBACK DummyWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
