#pragma once
// Shared state of the window layer. One lock guards all of it; a window
// procedure is never called while it is held, so after every call out the
// code looks its windows up again by handle.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "userint.h"
#include "win/kerror.h"
#include "win/kthread.h"
#include "win/user.h"

namespace tavo::user {

using Clock = std::chrono::steady_clock;

struct Cls {
  std::string name;
  ATOM atom = 0;
  bool system = false;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtraBytes = 0;
  int wndExtraBytes = 0;
  HINSTANCE inst = 0;
  HICON icon = 0, iconSm = 0;
  HCURSOR cursor = 0;
  HBRUSH background = 0;
  LPCSTR menuName = nullptr;
  std::vector<unsigned char> extra;
  int windows = 0;
};

struct Wnd {
  HWND h = 0;
  DWORD tid = 0;
  Cls *cls = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0, exStyle = 0;
  HWND parent = 0;  // the real parent; the desktop for top-level windows
  HWND owner = 0;
  HMENU menu = 0;  // a child's id lives here too
  HINSTANCE inst = 0;
  LONG_PTR userData = 0;
  std::vector<HWND> children;  // z-order, top first
  RECT rect{};                 // window rectangle in the parent's client coordinates
  RECT client{};               // client rectangle in the parent's client coordinates
  RECT normal{};               // restored rectangle while minimised or maximised
  bool iconic = false, zoomed = false;
  std::string text;
  std::vector<unsigned char> extra;
  std::map<std::string, HANDLE> props;
  std::vector<RECT> update;  // client coordinates
  bool erase = false;
  bool internalPaint = false;
  bool destroying = false;
  bool created = false;  // WM_NCCREATE answered
  bool hiddenByOwner = false;  // hidden while its owner is minimised
  bool needSize = false;  // a top-level window hears its first WM_SIZE/WM_MOVE when first shown
  void *slots[SlotCount] = {};
};

struct Sent {
  HWND hwnd = 0;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;
  bool wantsReply = true;
  std::shared_ptr<struct Queue> from;  // the waiting sender; empty for notifications
};

enum class RawKind { Key, Char, Move, Button, Wheel, Leave, Hover };

struct RawInput {
  RawKind kind;
  HWND hwnd = 0;  // mouse: the target window; leave/hover: the tracked one
  UINT vk = 0, scan = 0;
  bool down = false, extended = false;
  int button = 0, delta = 0;
  POINT pt{};
  DWORD time = 0;
  bool capture = false;
};

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  Clock::time_point due;
};

struct Queue {
  DWORD tid = 0;
  bool dead = false;
  std::condition_variable cv;
  std::deque<std::shared_ptr<Sent>> sent;
  std::deque<MSG> posted;
  std::deque<RawInput> raw;
  std::deque<MSG> cooked;  // input turned into messages, not yet taken
  std::vector<Timer> timers;
  bool quit = false;
  int quitCode = 0;
  HWND active = 0, focus = 0;
  BYTE keys[256] = {};
  DWORD lastStatus = 0;
  bool altAlone = false;  // Alt went down and nothing else since: its release opens the menu
};

struct Track {
  HWND hwnd = 0;
  DWORD flags = 0;
  DWORD hoverTime = 0;
  bool hoverArmed = false;
  Clock::time_point hoverDue{};
  POINT hoverPt{};
};

struct State {
  std::mutex mx;
  std::unordered_map<HWND, std::unique_ptr<Wnd>> windows;
  std::vector<std::unique_ptr<Cls>> classes;
  std::unordered_map<DWORD, std::shared_ptr<Queue>> queues;
  HWND desktop = 0;
  uint32_t nextHandle = 0x00010010;
  ATOM nextAtom = 0xC000;
  int screenW = 1280, screenH = 1024;
  RECT workArea{0, 0, 1280, 996};
  HWND foreground = 0;
  HWND capture = 0;
  POINT cursor{640, 512};
  bool clipping = false;
  RECT clip{};
  HCURSOR currentCursor = 0;
  int cursorCount = 0;
  BYTE async[256] = {};
  Track track;
  // double clicks
  HWND lastClickHwnd = 0;
  UINT lastClickMsg = 0;
  DWORD lastClickTime = 0;
  POINT lastClickPt{};
  bool lastClickArmed = false;
  std::map<std::string, UINT> registeredMessages;
  UINT nextRegisteredMessage = 0xC000;
  EraseHandler eraseHandler = nullptr;
  SysBrushProvider brushProvider = nullptr;
};

State &S();
using Lock = std::unique_lock<std::mutex>;

// ---- helpers that need the lock held ----
Wnd *W(HWND h);                     // live window or nullptr
Queue *QueueOf(DWORD tid);          // existing queue or nullptr
Queue *SelfQueue();                 // the calling thread's queue, made on first use
POINT ClientOriginL(const Wnd *w);  // screen position of the client area's top-left
POINT ParentOriginL(const Wnd *w);  // screen position of the parent's client top-left
bool IsShownL(const Wnd *w);
bool IsDescendantL(HWND ancestor, HWND h);
HWND RootL(HWND h);
void WakeL(Queue *q);
Cls *FindClassL(LPCSTR name);
DWORD NowMs();
int MetricL(int index);  // GetSystemMetrics with the lock held
// The deepest visible, enabled window at the point; the windows passed over
// are looked through, as a mouse hit that answers HTTRANSPARENT looks
// through to the window beneath.
HWND WindowFromPointL(POINT pt, const std::vector<HWND> *passedOver = nullptr);
void InvalidateL(Wnd *w, const RECT *clientRect, bool erase);
bool HasUpdateL(const Wnd *w);
int FrameNcL(DWORD style, DWORD exStyle, RECT *nc);  // thickness of each side
RECT DefaultClientL(const Wnd *w, const RECT &windowRect);

// ---- calls without the lock ----
LRESULT Invoke(WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l);
LRESULT Send(HWND h, UINT m, WPARAM w, LPARAM l);  // SendMessage without setting errors
void Notify(HWND h, UINT m, WPARAM w, LPARAM l);   // SendNotifyMessage
void FireHook(HWND h, WindowEvent e);
bool PeekCore(MSG *msg, HWND hwnd, UINT fmin, UINT fmax, UINT flags, bool wait, DWORD timeoutMs);
void ActivateWindow(HWND h, int how);
void ActivateAfter(HWND h);  // h, the active window, is hidden, minimised or destroyed
bool SetWindowPosCore(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags);
void MinMaxInfo(HWND h, MINMAXINFO *mmi);
void SizeMoveLoop(HWND h, UINT cmd);
void CookInput(Queue *q, RawInput &ev, Lock &lock);  // lock held on entry and exit
void SetMessageInfo(DWORD time, POINT pt);
void OnWindowGone(HWND h);  // clears focus, capture, activation and tracking (lock held)
void DestroyThreadWindows(Queue *q, Lock &lock);
bool InSendMessageNow();
LRESULT DoInternalPos(HWND h, LPARAM l);
void BringToTopL(HWND h);
LRESULT HitTest(HWND h, POINT pt);

// internal messages a thread carries out for another
constexpr UINT kSetWindowPos = 0xFFFF7001;
constexpr UINT kShowWindow = 0xFFFF7002;
constexpr UINT kActivate = 0xFFFF7003;

// test log
void LogMessage(HWND h, UINT m, WPARAM w, LPARAM l);
extern std::atomic<bool> g_logging;
extern std::atomic<int> g_beeps;

}  // namespace tavo::user
