#pragma once

#include <exception>
#include <utility>

// Runs a function when the scope ends, however it ends (return or exception), unless
// dismissed first. For undoing a temporary state change that must not outlive an operation
// whose callbacks may throw:
//
//   canvas.ClipToBox(plot, 0, depth);
//   const auto unclip = OnScopeExit([&] { canvas.RemoveClip(); });
//   series->DrawShownPoints();  // may run handlers that throw
//
// The function may itself throw (closing an update runs event handlers). On a normal exit its
// error goes to the caller. While an error is already on its way out, the function's own
// error is dropped: it cannot replace the first, and two at once would end the program.
template <typename Fn>
class TScopeGuard {
 public:
  // A guard that runs fn when it goes out of scope; OnScopeExit makes one.
  explicit TScopeGuard(Fn fn) : FFn(std::move(fn)), FUncaught(std::uncaught_exceptions()) {}
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;
  ~TScopeGuard() noexcept(false) {
    if (!FActive) return;
    if (std::uncaught_exceptions() == FUncaught) {
      FFn();
      return;
    }
    try {
      FFn();
    } catch (...) {
    }
  }
  // The work finished normally and the undo is not wanted.
  void Dismiss() { FActive = false; }

 private:
  Fn FFn;
  int FUncaught;
  bool FActive = true;
};

template <typename Fn>
[[nodiscard]] TScopeGuard<Fn> OnScopeExit(Fn fn) {
  return TScopeGuard<Fn>(std::move(fn));
}
