#pragma once
// Something that happened in the game, told to any number of listeners in the order they
// started listening (the drill ended, a result was placed, a judgement opened, ...).
#include <functional>
#include <utility>
#include <vector>

namespace game {

template <class... Args>
class Event {
 public:
  void Listen(std::function<void(Args...)> listener) { listeners_.push_back(std::move(listener)); }
  void Tell(Args... args) const {
    for (const auto& listener : listeners_) listener(args...);
  }

 private:
  std::vector<std::function<void(Args...)>> listeners_;
};

}  // namespace game
