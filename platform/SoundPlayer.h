#pragma once
// The real game's sounds: played through libcanberra on a thread of their own, so that a key
// never waits for the sound system. Nothing is set up before the first sound; a machine
// without a sound device, or any error of the library, leaves the game silent and says
// nothing.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Platform.h"

namespace plat {

class SoundPlayer {
 public:
  // `fileOf` names the sound file of each sound (an absolute path).
  explicit SoundPlayer(std::function<std::string(Platform::Sound)> fileOf);
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Queues the sound and returns at once. While sounds are still waiting (a sound system
  // that has stalled), further ones are dropped: a late click is worse than none.
  void Play(Platform::Sound sound);

 private:
  void Run();

  std::function<std::string(Platform::Sound)> fileOf_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Platform::Sound> queue_;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace plat
