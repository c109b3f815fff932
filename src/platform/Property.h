#pragma once

#include <cmath>
#include <type_traits>
#include <utility>

// The one way a control's property setter is written:
//
//   void TThing::SetColor(TColor value) { SetProperty(FColor, value, [this] { Invalidate(); }); }
//
// SetProperty compares the new value with the stored one, stores it when it differs, then
// calls the reaction (repaint, relayout, ...). It returns whether the value changed, so a
// setter can do more on a change. The value is stored before the reaction runs: a reaction
// that reads the property, or throws, sees the new value. Two NaNs count as the same value,
// so setting NaN twice asks for one repaint, not one per call.

template <typename T>
bool SamePropertyValue(const T& a, const T& b) {
  if constexpr (std::is_floating_point_v<T>)
    if (std::isnan(a) && std::isnan(b)) return true;
  return a == b;
}

template <typename T, typename U>
bool StoreProperty(T& field, U&& value) {
  if (SamePropertyValue<T>(field, value)) return false;
  field = std::forward<U>(value);
  return true;
}

template <typename T, typename U, typename Reaction>
bool SetProperty(T& field, U&& value, Reaction&& onChange) {
  if (!StoreProperty(field, std::forward<U>(value))) return false;
  onChange();
  return true;
}
