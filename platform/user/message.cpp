// Thread queues: sending, posting, the message loop, timers and the update
// region that makes WM_PAINT.
//
// Order of what a thread takes from its queue: messages sent from other
// threads (handled at once, never returned), posted messages, WM_QUIT once no
// posted message is left, input, WM_PAINT, then WM_TIMER. WM_PAINT and
// WM_TIMER are made only when nothing before them is waiting, so a window
// that never validates starves its timers, as on Windows.

#include <algorithm>
#include <atomic>
#include <cstring>

#include "state.h"

namespace tavo::user {

std::atomic<bool> g_logging{false};
std::atomic<int> g_beeps{0};

namespace {

const Clock::time_point g_epoch = Clock::now();

struct ThreadCtx {
  std::shared_ptr<Queue> q;
  Sent *inSend = nullptr;
  DWORD msgTime = 0;
  POINT msgPt{};
  ~ThreadCtx();
};
thread_local ThreadCtx t_ctx;

ThreadCtx::~ThreadCtx() {
  if (!q) return;
  State &s = S();
  Lock l(s.mx);
  q->dead = true;
  // Whoever waits for this thread's answer gets 0 now.
  for (auto &x : q->sent) {
    x->done = true;
    x->result = 0;
    if (x->from) WakeL(x->from.get());
  }
  q->sent.clear();
  DestroyThreadWindows(q.get(), l);
  s.queues.erase(q->tid);
  q.reset();
}

void HandleSent(const std::shared_ptr<Sent> &s) {
  LRESULT r = 0;
  Sent *prev = t_ctx.inSend;
  t_ctx.inSend = s.get();
  if (s->msg == kSetWindowPos) {
    r = DoInternalPos(s->hwnd, s->lParam);
  } else if (s->msg == kShowWindow) {
    r = ShowWindow(s->hwnd, (int)s->wParam);
  } else if (s->msg == kActivate) {
    ActivateWindow(s->hwnd, (int)s->wParam);
  } else {
    WNDPROC proc = nullptr;
    bool ok = false;
    {
      Lock l(S().mx);
      Wnd *w = W(s->hwnd);
      if (w && w->tid == GetCurrentThreadId()) {
        proc = w->proc;
        ok = true;
      }
    }
    if (ok) r = Invoke(proc, s->hwnd, s->msg, s->wParam, s->lParam);
  }
  t_ctx.inSend = prev;
  Lock l(S().mx);
  if (!s->done) {
    s->result = r;
    s->done = true;
    if (s->from) WakeL(s->from.get());
  }
}

// Sends across threads; the caller keeps answering what is sent to it.
LRESULT SendCross(HWND h, UINT m, WPARAM wp, LPARAM lp, DWORD timeoutMs, bool *timedOut) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w) return 0;
  Queue *self = SelfQueue();
  Queue *target = QueueOf(w->tid);
  if (!target || target->dead) return 0;
  auto s = std::make_shared<Sent>();
  s->hwnd = h;
  s->msg = m;
  s->wParam = wp;
  s->lParam = lp;
  s->from = t_ctx.q;
  target->sent.push_back(s);
  WakeL(target);
  auto deadline = timeoutMs == INFINITE ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!s->done) {
    if (!self->sent.empty()) {
      auto in = self->sent.front();
      self->sent.pop_front();
      l.unlock();
      HandleSent(in);
      l.lock();
      continue;
    }
    if (timeoutMs == INFINITE) {
      self->cv.wait(l);
    } else if (self->cv.wait_until(l, deadline) == std::cv_status::timeout && !s->done) {
      // Too late: the answer, when it comes, goes nowhere.
      s->done = true;
      s->from.reset();
      if (timedOut) *timedOut = true;
      return 0;
    }
  }
  return s->result;
}

bool InRange(UINT m, UINT fmin, UINT fmax) {
  if (fmin == 0 && fmax == 0) return true;
  if (fmin > fmax) return m >= fmin || m <= fmax;
  return m >= fmin && m <= fmax;
}

bool HwndMatchesL(HWND filter, HWND h) {
  if (filter == 0) return true;
  if (filter == (HWND)0xFFFFFFFFu) return h == 0;
  return h == filter || IsDescendantL(filter, h);
}

HWND FindPaintL(HWND root, DWORD tid, HWND filter) {
  Wnd *w = W(root);
  if (!w) return 0;
  if (root != S().desktop) {
    if (!(w->style & WS_VISIBLE)) return 0;
    if (w->tid == tid && HasUpdateL(w) && HwndMatchesL(filter, root)) return root;
  }
  for (HWND c : w->children)
    if (HWND f = FindPaintL(c, tid, filter)) return f;
  return 0;
}

void SubtractRect(const RECT &a, const RECT &b, std::vector<RECT> &out) {
  if (b.right <= a.left || b.left >= a.right || b.bottom <= a.top || b.top >= a.bottom) {
    out.push_back(a);
    return;
  }
  if (b.top > a.top) out.push_back(RECT{a.left, a.top, a.right, b.top});
  if (b.bottom < a.bottom) out.push_back(RECT{a.left, b.bottom, a.right, a.bottom});
  LONG t = std::max(a.top, b.top), bo = std::min(a.bottom, b.bottom);
  if (b.left > a.left) out.push_back(RECT{a.left, t, b.left, bo});
  if (b.right < a.right) out.push_back(RECT{b.right, t, a.right, bo});
}

void ValidateL(Wnd *w, const RECT *r) {
  if (!r) {
    w->update.clear();
    w->erase = false;
    w->internalPaint = false;
    return;
  }
  std::vector<RECT> out;
  for (auto &x : w->update) SubtractRect(x, *r, out);
  w->update.swap(out);
  if (w->update.empty()) w->erase = false;
}

void RedrawL(Wnd *w, const RECT *r, UINT flags, std::vector<HWND> &touched) {
  if (flags & RDW_INVALIDATE) InvalidateL(w, r, (flags & RDW_ERASE) != 0);
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) {
    ValidateL(w, r);
    if (flags & RDW_NOERASE) w->erase = false;
  }
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  touched.push_back(w->h);
  bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
  if (!children) return;
  for (HWND c : w->children) {
    Wnd *cw = W(c);
    if (!cw) continue;
    // The child's part of the rectangle, in the child's client coordinates.
    RECT cr{cw->client.left, cw->client.top, cw->client.right, cw->client.bottom};
    if (r) {
      RECT x{std::max(r->left, cr.left), std::max(r->top, cr.top), std::min(r->right, cr.right),
             std::min(r->bottom, cr.bottom)};
      if (x.left >= x.right || x.top >= x.bottom) continue;
      RECT local{x.left - cr.left, x.top - cr.top, x.right - cr.left, x.bottom - cr.top};
      RedrawL(cw, &local, flags, touched);
    } else {
      RedrawL(cw, nullptr, flags, touched);
    }
  }
}

void PaintNow(HWND h, bool children) {
  bool need = false;
  std::vector<HWND> kids;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w || !IsShownL(w)) return;
    need = HasUpdateL(w);
    if (children) kids = w->children;
  }
  if (need) Send(h, WM_PAINT, 0, 0);
  for (HWND c : kids) PaintNow(c, children);
}

Timer *FindTimerL(Queue *q, HWND h, UINT_PTR id) {
  for (auto &t : q->timers)
    if (t.hwnd == h && t.id == id) return &t;
  return nullptr;
}

}  // namespace

State &S() {
  static State *s = [] {
    auto *st = new State;
    auto d = std::make_unique<Wnd>();
    d->h = st->nextHandle;
    st->nextHandle += 4;
    d->style = WS_VISIBLE | WS_POPUP | WS_CLIPCHILDREN;
    d->rect = RECT{0, 0, st->screenW, st->screenH};
    d->client = d->rect;
    st->desktop = d->h;
    st->windows[d->h] = std::move(d);
    return st;
  }();
  return *s;
}

Queue *QueueOf(DWORD tid) {
  auto it = S().queues.find(tid);
  return it == S().queues.end() ? nullptr : it->second.get();
}

Queue *SelfQueue() {
  if (!t_ctx.q) {
    t_ctx.q = std::make_shared<Queue>();
    t_ctx.q->tid = GetCurrentThreadId();
    S().queues[t_ctx.q->tid] = t_ctx.q;
  }
  return t_ctx.q.get();
}

void WakeL(Queue *q) {
  if (q) q->cv.notify_all();
}

DWORD NowMs() {
  return (DWORD)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - g_epoch).count() + 1000;
}

void SetMessageInfo(DWORD time, POINT pt) {
  t_ctx.msgTime = time;
  t_ctx.msgPt = pt;
}

bool InSendMessageNow() { return t_ctx.inSend != nullptr; }

LRESULT Invoke(WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  if (g_logging.load(std::memory_order_relaxed)) LogMessage(h, m, w, l);
  if (!proc) return DefWindowProcA(h, m, w, l);
  return proc(h, m, w, l);
}

LRESULT Send(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  WNDPROC proc;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w || w->tid == 0) return 0;
    if (w->tid != SelfQueue()->tid) {
      l.unlock();
      return SendCross(h, m, wp, lp, INFINITE, nullptr);
    }
    proc = w->proc;
  }
  return Invoke(proc, h, m, wp, lp);
}

void Notify(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || w->tid == 0) return;
  if (w->tid == SelfQueue()->tid) {
    WNDPROC proc = w->proc;
    l.unlock();
    Invoke(proc, h, m, wp, lp);
    return;
  }
  Queue *q = QueueOf(w->tid);
  if (!q || q->dead) return;
  auto s = std::make_shared<Sent>();
  s->hwnd = h;
  s->msg = m;
  s->wParam = wp;
  s->lParam = lp;
  s->wantsReply = false;
  q->sent.push_back(s);
  WakeL(q);
}

bool HasUpdateL(const Wnd *w) { return !w->update.empty() || w->internalPaint; }

void InvalidateL(Wnd *w, const RECT *r, bool erase) {
  RECT cr{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  RECT x = cr;
  if (r) {
    x = RECT{std::max(r->left, cr.left), std::max(r->top, cr.top), std::min(r->right, cr.right),
             std::min(r->bottom, cr.bottom)};
  }
  if (erase) w->erase = true;
  if (x.left >= x.right || x.top >= x.bottom) return;
  for (auto &u : w->update)
    if (u.left <= x.left && u.top <= x.top && u.right >= x.right && u.bottom >= x.bottom) return;
  w->update.push_back(x);
  if (w->update.size() > 32) {
    RECT b = w->update[0];
    for (auto &u : w->update) {
      b.left = std::min(b.left, u.left);
      b.top = std::min(b.top, u.top);
      b.right = std::max(b.right, u.right);
      b.bottom = std::max(b.bottom, u.bottom);
    }
    w->update.assign(1, b);
  }
  WakeL(QueueOf(w->tid));
}

bool PeekCore(MSG *out, HWND hwnd, UINT fmin, UINT fmax, UINT flags, bool wait, DWORD timeoutMs) {
  auto deadline = timeoutMs == INFINITE ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(timeoutMs);
  Lock l(S().mx);
  Queue *q = SelfQueue();
  bool remove = (flags & PM_REMOVE) != 0;
  for (;;) {
    if (!q->sent.empty()) {
      auto in = q->sent.front();
      q->sent.pop_front();
      l.unlock();
      HandleSent(in);
      l.lock();
      continue;
    }
    bool again = false;
    for (auto it = q->posted.begin(); it != q->posted.end(); ++it) {
      if (it->message == kActivate) {
        MSG m = *it;
        q->posted.erase(it);
        l.unlock();
        ActivateWindow(m.hwnd, (int)m.wParam);
        l.lock();
        again = true;
        break;
      }
      if (!HwndMatchesL(hwnd, it->hwnd) || !InRange(it->message, fmin, fmax)) continue;
      *out = *it;
      if (remove) q->posted.erase(it);
      SetMessageInfo(out->time, out->pt);
      return true;
    }
    if (again) continue;
    if (q->quit && q->posted.empty()) {
      *out = MSG{0, WM_QUIT, (WPARAM)q->quitCode, 0, NowMs(), S().cursor};
      if (remove) q->quit = false;
      SetMessageInfo(out->time, out->pt);
      return true;
    }
    for (auto it = q->cooked.begin(); it != q->cooked.end(); ++it) {
      if (!HwndMatchesL(hwnd, it->hwnd) || !InRange(it->message, fmin, fmax)) continue;
      *out = *it;
      if (remove) q->cooked.erase(it);
      SetMessageInfo(out->time, out->pt);
      return true;
    }
    if (!q->raw.empty()) {
      RawInput ev = q->raw.front();
      q->raw.pop_front();
      CookInput(q, ev, l);
      continue;
    }
    if (InRange(WM_PAINT, fmin, fmax)) {
      if (HWND p = FindPaintL(S().desktop, q->tid, hwnd)) {
        *out = MSG{p, WM_PAINT, 0, 0, NowMs(), S().cursor};
        SetMessageInfo(out->time, out->pt);
        return true;
      }
    }
    auto now = Clock::now();
    Clock::time_point next = deadline;
    if (InRange(WM_TIMER, fmin, fmax)) {
      Timer *due = nullptr;
      for (auto &t : q->timers) {
        if (!HwndMatchesL(hwnd, t.hwnd)) continue;
        if (t.due <= now && (!due || t.due < due->due)) due = &t;
        next = std::min(next, t.due);
      }
      if (due) {
        *out = MSG{due->hwnd, WM_TIMER, due->id, (LPARAM)due->proc, NowMs(), S().cursor};
        if (remove) due->due = now + std::chrono::milliseconds(due->elapse);
        SetMessageInfo(out->time, out->pt);
        return true;
      }
    }
    Track &tr = S().track;
    if (tr.hoverArmed) {
      Wnd *tw = W(tr.hwnd);
      if (!tw) {
        tr.hoverArmed = false;
      } else if (tw->tid == q->tid) {
        if (tr.hoverDue <= now) {
          tr.hoverArmed = false;
          RawInput ev{RawKind::Hover};
          ev.hwnd = tr.hwnd;
          ev.pt = S().cursor;
          ev.time = NowMs();
          q->raw.push_back(ev);
          continue;
        }
        next = std::min(next, tr.hoverDue);
      }
    }
    if (!wait || now >= deadline) return false;
    if (next == Clock::time_point::max()) q->cv.wait(l);
    else q->cv.wait_until(l, next);
  }
}

void WakeThread(DWORD tid) {
  Lock l(S().mx);
  WakeL(QueueOf(tid));
}

bool TakeUpdateRegion(HWND h, std::vector<RECT> *rects, bool *erase) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w) return false;
  bool any = !w->update.empty();
  if (rects) *rects = w->update;
  if (erase) *erase = w->erase;
  w->update.clear();
  w->erase = false;
  w->internalPaint = false;
  return any;
}

bool PeekUpdateRegion(HWND h, std::vector<RECT> *rects) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w) return false;
  if (rects) *rects = w->update;
  return !w->update.empty();
}

void SetEraseHandler(EraseHandler handler) {
  Lock l(S().mx);
  S().eraseHandler = handler;
}

}  // namespace tavo::user

using namespace tavo::user;

// ---------------------------------------------------------------- sending

LRESULT SendMessageA(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (h == HWND_BROADCAST) {
    for (HWND t : ChildrenOf(0)) Send(t, m, wp, lp);
    return 0;
  }
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return Send(h, m, wp, lp);
}

LRESULT SendMessageTimeoutA(HWND h, UINT m, WPARAM wp, LPARAM lp, UINT, UINT timeout, DWORD_PTR *result) {
  if (result) *result = 0;
  WNDPROC proc;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    if (w->tid != SelfQueue()->tid) {
      l.unlock();
      bool timedOut = false;
      LRESULT r = SendCross(h, m, wp, lp, timeout, &timedOut);
      if (timedOut) {
        SetLastError(ERROR_TIMEOUT);
        return 0;
      }
      if (result) *result = (DWORD_PTR)r;
      return 1;
    }
    proc = w->proc;
  }
  LRESULT r = Invoke(proc, h, m, wp, lp);
  if (result) *result = (DWORD_PTR)r;
  return 1;
}

BOOL SendNotifyMessageA(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  Notify(h, m, wp, lp);
  return TRUE;
}

BOOL InSendMessage(void) { return InSendMessageNow() ? TRUE : FALSE; }

BOOL ReplyMessage(LRESULT result) {
  // Only a message from another thread has someone waiting to be let go.
  Sent *s = t_ctx.inSend;
  if (!s) return FALSE;
  Lock l(S().mx);
  if (s->done) return FALSE;
  s->result = result;
  s->done = true;
  if (s->from) WakeL(s->from.get());
  return TRUE;
}

// ---------------------------------------------------------------- posting

namespace {
bool PostTo(Queue *q, HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (!q || q->dead) return false;
  q->posted.push_back(MSG{h, m, wp, lp, NowMs(), S().cursor});
  WakeL(q);
  return true;
}
}  // namespace

BOOL PostMessageA(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  Lock l(S().mx);
  if (h == 0) return PostTo(SelfQueue(), 0, m, wp, lp);
  if (h == HWND_BROADCAST) {
    if (Wnd *d = W(S().desktop))
      for (HWND t : d->children)
        if (Wnd *w = W(t)) PostTo(QueueOf(w->tid), t, m, wp, lp);
    return TRUE;
  }
  Wnd *w = W(h);
  if (!w || w->tid == 0) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!PostTo(QueueOf(w->tid), h, m, wp, lp)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL PostThreadMessageA(DWORD tid, UINT m, WPARAM wp, LPARAM lp) {
  Lock l(S().mx);
  if (tid == GetCurrentThreadId()) SelfQueue();
  if (!PostTo(QueueOf(tid), 0, m, wp, lp)) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return TRUE;
}

void PostQuitMessage(int code) {
  Lock l(S().mx);
  Queue *q = SelfQueue();
  q->quit = true;
  q->quitCode = code;
  WakeL(q);
}

// ---------------------------------------------------------------- the loop

namespace {
bool FilterWindowOk(HWND h) {
  if (h == 0 || h == (HWND)0xFFFFFFFFu) return true;
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && w->tid == GetCurrentThreadId();
}
}  // namespace

BOOL GetMessageA(LPMSG msg, HWND h, UINT fmin, UINT fmax) {
  if (!msg || !FilterWindowOk(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  PeekCore(msg, h, fmin, fmax, PM_REMOVE, true, INFINITE);
  return msg->message != WM_QUIT;
}

BOOL PeekMessageA(LPMSG msg, HWND h, UINT fmin, UINT fmax, UINT remove) {
  if (!msg || !FilterWindowOk(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return PeekCore(msg, h, fmin, fmax, remove, false, 0) ? TRUE : FALSE;
}

BOOL WaitMessage(void) {
  MSG m;
  PeekCore(&m, 0, 0, 0, PM_NOREMOVE, true, INFINITE);
  return TRUE;
}

DWORD GetQueueStatus(UINT flags) {
  Lock l(S().mx);
  Queue *q = SelfQueue();
  DWORD st = 0;
  if (!q->posted.empty()) st |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
  if (!q->sent.empty()) st |= QS_SENDMESSAGE;
  auto classify = [&](RawKind k) {
    if (k == RawKind::Key || k == RawKind::Char) st |= QS_KEY;
    else if (k == RawKind::Button) st |= QS_MOUSEBUTTON;
    else st |= QS_MOUSEMOVE;
  };
  for (auto &r : q->raw) classify(r.kind);
  for (auto &m : q->cooked) {
    if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) st |= QS_KEY;
    else if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) st |= QS_MOUSEMOVE;
    else st |= QS_MOUSEBUTTON;
  }
  auto now = Clock::now();
  for (auto &t : q->timers)
    if (t.due <= now) st |= QS_TIMER;
  if (FindPaintL(S().desktop, q->tid, 0)) st |= QS_PAINT;
  st &= flags;
  return MAKELONG(st, st);
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE *handles, BOOL waitAll, DWORD ms, DWORD mask) {
  auto deadline = ms == INFINITE ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (count > 0) {
      DWORD r = WaitForMultipleObjects(count, handles, waitAll, 0);
      if (r != WAIT_TIMEOUT) return r;
    }
    if (HIWORD(GetQueueStatus(mask))) return WAIT_OBJECT_0 + count;
    auto now = Clock::now();
    if (now >= deadline) return WAIT_TIMEOUT;
    // Kernel objects cannot wake this wait, so it looks again every few milliseconds.
    auto until = count > 0 ? std::min(deadline, now + std::chrono::milliseconds(2)) : deadline;
    Lock l(S().mx);
    Queue *q = SelfQueue();
    if (!q->sent.empty() || !q->posted.empty() || !q->raw.empty()) continue;
    if (until == Clock::time_point::max()) q->cv.wait(l);
    else q->cv.wait_until(l, until);
  }
}

LRESULT DispatchMessageA(const MSG *m) {
  if (!m) return 0;
  if (m->message == WM_TIMER && m->lParam) {
    bool known = false;
    {
      Lock l(S().mx);
      Queue *q = SelfQueue();
      Timer *t = FindTimerL(q, m->hwnd, m->wParam);
      known = t && (LPARAM)t->proc == m->lParam;
    }
    if (known) {
      ((TIMERPROC)m->lParam)(m->hwnd, WM_TIMER, m->wParam, NowMs());
      return 0;
    }
  }
  if (!m->hwnd) return 0;
  WNDPROC proc;
  {
    Lock l(S().mx);
    Wnd *w = W(m->hwnd);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    if (w->tid != GetCurrentThreadId()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
    proc = w->proc;
  }
  return Invoke(proc, m->hwnd, m->message, m->wParam, m->lParam);
}

DWORD GetMessagePos(void) {
  return (DWORD)MAKELONG((WORD)(SHORT)t_ctx.msgPt.x, (WORD)(SHORT)t_ctx.msgPt.y);
}

LONG GetMessageTime(void) { return (LONG)t_ctx.msgTime; }

UINT RegisterWindowMessageA(LPCSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string key;
  for (const char *p = name; *p; ++p) key += (char)((*p >= 'A' && *p <= 'Z') ? *p + 32 : *p);
  Lock l(S().mx);
  auto it = S().registeredMessages.find(key);
  if (it != S().registeredMessages.end()) return it->second;
  if (S().nextRegisteredMessage > 0xFFFF) return 0;
  UINT v = S().nextRegisteredMessage++;
  S().registeredMessages[key] = v;
  return v;
}

// ---------------------------------------------------------------- timers

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  Lock l(S().mx);
  Queue *q;
  if (h) {
    Wnd *w = W(h);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    q = QueueOf(w->tid);
    if (!q) return 0;
  } else {
    q = SelfQueue();
  }
  elapse = std::clamp<UINT>(elapse, 10u, 0x7FFFFFFFu);
  auto due = Clock::now() + std::chrono::milliseconds(elapse);
  if (!h && (id == 0 || !FindTimerL(q, 0, id))) {
    static UINT_PTR nextThreadTimer = 0x7F00;
    do {
      id = ++nextThreadTimer;
    } while (FindTimerL(q, 0, id));
  }
  if (Timer *t = FindTimerL(q, h, id)) {
    t->elapse = elapse;
    t->proc = proc;
    t->due = due;
  } else {
    q->timers.push_back(Timer{h, id, elapse, proc, due});
  }
  WakeL(q);
  return id ? id : 1;
}

BOOL KillTimer(HWND h, UINT_PTR id) {
  Lock l(S().mx);
  Queue *q;
  if (h) {
    Wnd *w = W(h);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    q = QueueOf(w->tid);
  } else {
    q = SelfQueue();
  }
  if (!q) return FALSE;
  auto &t = q->timers;
  auto it = std::find_if(t.begin(), t.end(), [&](const Timer &x) { return x.hwnd == h && x.id == id; });
  if (it == t.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  t.erase(it);
  return TRUE;
}

// ---------------------------------------------------------------- update region

BOOL InvalidateRect(HWND h, const RECT *r, BOOL erase) {
  return RedrawWindow(h, r, 0, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

// Only the window's own region: a parent that painted itself has not
// painted its children, even where it drew over them.
BOOL ValidateRect(HWND h, const RECT *r) { return RedrawWindow(h, r, 0, RDW_VALIDATE | RDW_NOCHILDREN); }

BOOL GetUpdateRect(HWND h, LPRECT rc, BOOL) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  RECT b{0, 0, 0, 0};
  bool first = true;
  for (auto &u : w->update) {
    if (first) b = u;
    else b = RECT{std::min(b.left, u.left), std::min(b.top, u.top), std::max(b.right, u.right),
                  std::max(b.bottom, u.bottom)};
    first = false;
  }
  if (rc) *rc = b;
  return !w->update.empty();
}

BOOL UpdateWindow(HWND h) {
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  PaintNow(h, true);
  return TRUE;
}

BOOL RedrawWindow(HWND h, const RECT *r, HRGN, UINT flags) {
  std::vector<HWND> touched;
  {
    Lock l(S().mx);
    if (!h) return TRUE;  // the desktop paints nothing of its own
    Wnd *w = W(h);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    RedrawL(w, r, flags, touched);
  }
  if (flags & RDW_INVALIDATE)
    for (HWND t : touched) FireHook(t, WindowEvent::Invalidated);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    bool children = (flags & RDW_ALLCHILDREN) != 0 || !(flags & RDW_NOCHILDREN);
    PaintNow(h, children);
  }
  return TRUE;
}
