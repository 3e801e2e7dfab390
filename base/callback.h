#pragma once

#include <memory>
#include <type_traits>

// A reference to something callable, good for the length of the call it is passed to: nothing
// is allocated and nothing can throw, unlike std::function, which brings the library's
// exception machinery into the program for a feature the dialogs never need.
template <typename Signature>
class Callback;

template <typename Result, typename... Args>
class Callback<Result(Args...)> {
  public:
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Callback>>>
    Callback(F&& f)  // NOLINT: converts from any callable, as std::function does
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* object, Args... args) -> Result {
              return (*static_cast<std::remove_reference_t<F>*>(object))(args...);
          }) {}

    Result operator()(Args... args) const { return call_(object_, args...); }

  private:
    void* object_;
    Result (*call_)(void*, Args...);
};
