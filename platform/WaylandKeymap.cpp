#include "platform/WaylandKeymap.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/Logging.h"

namespace plat {
namespace {

using Clock = std::chrono::steady_clock;

// What the compositor has told so far.
struct Probe {
  wl_seat* seat = nullptr;
  uint32_t capabilities = 0;
  wl_keyboard* keyboard = nullptr;
  std::optional<std::string> keymap;
  bool synced = false;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto* probe = static_cast<Probe*>(data);
  // The first seat is the player's; version 1 has all this needs.
  if (probe->seat || std::strcmp(interface, wl_seat_interface.name) != 0) return;
  probe->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
constexpr wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void OnCapabilities(void* data, wl_seat*, uint32_t capabilities) {
  static_cast<Probe*>(data)->capabilities = capabilities;
}
void OnSeatName(void*, wl_seat*, const char*) {}
constexpr wl_seat_listener kSeatListener = {OnCapabilities, OnSeatName};

void OnKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  auto* probe = static_cast<Probe*>(data);
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text != MAP_FAILED) {
      probe->keymap.emplace(static_cast<const char*>(text), strnlen(static_cast<const char*>(text), size));
      munmap(text, size);
    }
  }
  close(fd);
}
void OnEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void OnLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void OnKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
constexpr wl_keyboard_listener kKeyboardListener = {OnKeymap, OnEnter, OnLeave, OnKey, OnModifiers, OnRepeatInfo};

void OnSyncDone(void* data, wl_callback* callback, uint32_t) {
  static_cast<Probe*>(data)->synced = true;
  wl_callback_destroy(callback);
}
constexpr wl_callback_listener kSyncListener = {OnSyncDone};

// One short connection of its own, closed again when the keymap is in.
class Connection {
 public:
  explicit Connection(int waitMs)
      : display_(wl_display_connect(nullptr)), deadline_(Clock::now() + std::chrono::milliseconds(waitMs)) {}
  ~Connection() {
    if (probe_.keyboard) wl_keyboard_destroy(probe_.keyboard);
    if (probe_.seat) wl_seat_destroy(probe_.seat);
    if (registry_) wl_registry_destroy(registry_);
    if (display_) wl_display_disconnect(display_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  std::optional<std::string> Keymap() {
    if (!display_) return Without("no Wayland compositor answers");
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &kRegistryListener, &probe_);
    if (!Roundtrip()) return Without("no answer while the compositor lists its globals");
    if (!probe_.seat) return Without("the compositor has no seat");
    wl_seat_add_listener(probe_.seat, &kSeatListener, &probe_);
    if (!Roundtrip()) return Without("no answer while the seat tells its capabilities");
    if (!(probe_.capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) return Without("the seat has no keyboard");
    probe_.keyboard = wl_seat_get_keyboard(probe_.seat);
    wl_keyboard_add_listener(probe_.keyboard, &kKeyboardListener, &probe_);
    // The keymap comes at once, before the answer to the request that follows it.
    if (!Roundtrip()) return Without("no answer while the keyboard sends its keymap");
    if (!probe_.keymap) return Without("the keyboard's keymap is not in the XKB text format");
    return std::move(probe_.keymap);
  }

 private:
  static std::optional<std::string> Without(const char* why) {
    qCInfo(lcKeyboard, "no Wayland keymap: %s", why);
    return std::nullopt;
  }

  // Every event sent before the answer to a sync request has been handled; false when the
  // connection failed or the time ran out.
  bool Roundtrip() {
    probe_.synced = false;
    wl_callback* sync = wl_display_sync(display_);
    wl_callback_add_listener(sync, &kSyncListener, &probe_);
    while (!probe_.synced) {
      while (wl_display_prepare_read(display_) != 0)
        if (wl_display_dispatch_pending(display_) < 0) return false;
      if (probe_.synced) {
        wl_display_cancel_read(display_);
        break;
      }
      wl_display_flush(display_);
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
      pollfd fd{wl_display_get_fd(display_), POLLIN, 0};
      const int ready = left > 0 ? poll(&fd, 1, static_cast<int>(left)) : 0;
      if (ready <= 0) {
        wl_display_cancel_read(display_);
        if (ready < 0 && errno == EINTR) continue;
        return false;
      }
      if (wl_display_read_events(display_) < 0 || wl_display_dispatch_pending(display_) < 0) return false;
    }
    return true;
  }

  wl_display* display_;
  Clock::time_point deadline_;
  wl_registry* registry_ = nullptr;
  Probe probe_;
};

}  // namespace

std::optional<std::string> WaylandKeymapText(int waitMs) { return Connection(waitMs).Keymap(); }

}  // namespace plat
