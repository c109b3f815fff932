#pragma once

#include <utility>

// Runs a function when the scope ends, however it ends (return or exception), unless
// dismissed first. For undoing a temporary state change that must not outlive an operation
// whose callbacks may throw:
//
//   canvas.ClipToBox(plot, 0, depth);
//   const auto unclip = OnScopeExit([&] { canvas.RemoveClip(); });
//   series->DrawShownPoints();  // may run handlers that throw
//
// The function runs in a destructor, so it must not throw (an exception escaping it ends the
// program while another one is in flight).
template <typename Fn>
class TScopeGuard {
 public:
  explicit TScopeGuard(Fn fn) : FFn(std::move(fn)) {}
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;
  ~TScopeGuard() {
    if (FActive) FFn();
  }
  // The work finished normally and the undo is not wanted.
  void Dismiss() { FActive = false; }

 private:
  Fn FFn;
  bool FActive = true;
};

template <typename Fn>
[[nodiscard]] TScopeGuard<Fn> OnScopeExit(Fn fn) {
  return TScopeGuard<Fn>(std::move(fn));
}
