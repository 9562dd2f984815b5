// The message loop of the X window tests: messages handled for a while,
// so the X server's paint and input reach the windows.
#pragma once

#include <chrono>
#include <thread>

#include "windows.h"

namespace plangui {

inline void Pump(int ms) {
  const auto slut = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  MSG msg;
  while (std::chrono::steady_clock::now() < slut) {
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace plangui
