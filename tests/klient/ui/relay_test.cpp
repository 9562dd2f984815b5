// The relay pane hands its events to its owner under the owner's numbers.

#include "ens_support.h"

namespace {

using namespace wfb_test;

class Relay : public UiTest {};

TEST_F(Relay, EventsReachTheOwnerUnderItsNumbers) {
  auto *d = static_cast<DummyInfo *>(std::calloc(1, sizeof(DummyInfo)));
  *d = DummyInfo{nullptr, vaert, 1080, 1047, 1048, 1049, 1081, 1082};
  HWND rude = CreateWindowExA(0, "DummyWndClass", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 60, vaert,
                              0, 0, d);
  tavo::test::PumpUntilIdle();
  struct {
    const char *navn;
    UINT msg;
    std::vector<UINT> forventet;
  } tilfaelde[] = {
      {"paint", WM_PAINT, {1082}},
      {"move", WM_MOUSEMOVE, {1053, 1047}},
      {"left down", WM_LBUTTONDOWN, {1053, 1080}},
      {"left up", WM_LBUTTONUP, {WM_LBUTTONUP}},
      {"double click", WM_LBUTTONDBLCLK, {1081}},
      {"right down", WM_RBUTTONDOWN, {1053}},  // WM_RBUTTONDOWN itself is below 1024
      {"scroll", WM_VSCROLL, {}},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    Log().clear();
    SendMessageA(rude, t.msg, MK_LBUTTON, MAKELPARAM(7, 9));
    std::vector<UINT> v;
    for (auto &b : Log()) {
      v.push_back(b.msg);
      if (b.msg == 1082 || b.msg == 1053) {
        EXPECT_EQ((HWND)b.l, rude);
      }
      if (b.msg == 1047 || b.msg == 1080) {
        EXPECT_EQ(b.l, MAKELPARAM(7, 9));
      }
    }
    if (t.msg == WM_LBUTTONUP) {
      EXPECT_TRUE(v.empty());  // WM_LBUTTONUP keeps its own number, below the host's log
      EXPECT_NE(GetCapture(), rude);
    } else {
      EXPECT_EQ(v, t.forventet);
    }
    if (t.msg == WM_LBUTTONDOWN) {
      EXPECT_EQ(GetCapture(), rude);
    }
  }
  // The tooltip text can be set and the tooltip hidden by message.
  SendMessageA(rude, TB_TOOLTIP, 0, reinterpret_cast<LPARAM>("Hoved"));
  EXPECT_STREQ(d->tooltip, "Hoved");
  DestroyWindow(rude);  // frees its record
}

}  // namespace
