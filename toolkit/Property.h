// A value with a change notification, so that the windows' code can write
// `Shape->Pen->Color = clFuchsia;` and the shape repaints itself.
#pragma once

#include <functional>
#include <utility>

template <class T>
class Property {
 public:
  explicit Property(T initial = T(), std::function<void()> changed = nullptr)
      : value_(std::move(initial)), changed_(std::move(changed)) {}
  Property(const Property&) = delete;
  Property& operator=(const Property& other) { return *this = other.value_; }

  Property& operator=(const T& v) {
    if (!(v == value_)) {
      value_ = v;
      if (changed_) changed_();
    }
    return *this;
  }
  operator const T&() const { return value_; }
  const T& operator()() const { return value_; }

  // Sets the value without notifying: for state the system itself reports.
  void Assign(const T& v) { value_ = v; }
  void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

  template <class U>
  friend bool operator==(const Property& a, const U& b) { return a.value_ == b; }
  template <class U>
  friend bool operator!=(const Property& a, const U& b) { return !(a.value_ == b); }

 private:
  T value_;
  std::function<void()> changed_;
};
