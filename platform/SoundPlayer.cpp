#include "platform/SoundPlayer.h"

#include <canberra.h>

#include <fstream>
#include <string>
#include <utility>

namespace plat {
namespace {

// At most this many sounds wait for the sound system.
constexpr size_t kMaxWaiting = 4;

// The event ids name the samples that the sound server keeps once uploaded.
const char* EventId(Platform::Sound sound) { return sound == Platform::Sound::Key ? "dojokai-key" : "dojokai-miss"; }

// Whether the kernel lists a sound card. ALSA's library writes a screenful of complaints to
// the terminal for every sound it cannot play, so without a card it is never asked.
bool HasSoundCard() {
  std::ifstream cards("/proc/asound/cards");
  std::string first;
  return std::getline(cards, first) && first.find("no soundcards") == std::string::npos;
}

// A sound server first (PulseAudio, or PipeWire speaking its protocol), then ALSA where
// there is a card; else no context at all.
ca_context* OpenContext() {
  for (const char* driver : {"pulse", "alsa"}) {
    if (std::string(driver) == "alsa" && !HasSoundCard()) break;
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) return nullptr;
    ca_context_set_driver(context, driver);
    ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "dojokai", CA_PROP_APPLICATION_ID,
                            "io.github.dojokai.Dojokai", nullptr);
    if (ca_context_open(context) == CA_SUCCESS) return context;
    ca_context_destroy(context);
  }
  return nullptr;
}

}  // namespace

SoundPlayer::SoundPlayer(std::function<std::string(Platform::Sound)> fileOf)
    : fileOf_(std::move(fileOf)), worker_([this] { Run(); }) {}

SoundPlayer::~SoundPlayer() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

void SoundPlayer::Play(Platform::Sound sound) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.size() >= kMaxWaiting) return;
    queue_.push_back(sound);
  }
  wake_.notify_one();
}

void SoundPlayer::Run() {
  // The library is set up here, off the game's thread: finding a sound server may take a
  // while. Once it has failed the thread only empties the queue.
  ca_context* context = OpenContext();
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) break;
    const Platform::Sound sound = queue_.front();
    queue_.pop_front();
    if (!context) continue;
    lock.unlock();
    // "permanent": the server keeps the sample after its first upload, so later plays send
    // only its name. Errors (no device, a missing file) leave the key silent.
    const std::string file = fileOf_(sound);
    const int played = ca_context_play(context, 0, CA_PROP_EVENT_ID, EventId(sound), CA_PROP_MEDIA_FILENAME,
                                       file.c_str(), CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
    // No device or no driver: the rest of the run is silent, rather than asking the sound
    // system again (and having its libraries complain on the terminal) at every key.
    if (played != CA_SUCCESS && played != CA_ERROR_NOTFOUND) {
      ca_context_destroy(context);
      context = nullptr;
    }
    lock.lock();
  }
  lock.unlock();
  if (context) ca_context_destroy(context);
}

}  // namespace plat
