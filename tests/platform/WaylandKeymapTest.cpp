#include "platform/WaylandKeymap.h"

#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wayland-server.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

namespace {

// A compositor of the least kind, on a socket of its own: one seat, with or without a
// keyboard, whose keyboard sends `keymap` (with its NUL, as compositors do).
class FakeCompositor {
 public:
  FakeCompositor(bool keyboard, std::string keymap) : keyboard_(keyboard), keymap_(std::move(keymap)) {
    display_ = wl_display_create();
    socket_ = wl_display_add_socket_auto(display_);
    wl_global_create(display_, &wl_seat_interface, 1, this, Bind);
    thread_ = std::thread([this] { wl_display_run(display_); });
    setenv("WAYLAND_DISPLAY", socket_, 1);
  }
  ~FakeCompositor() {
    wl_display_terminate(display_);
    thread_.join();
    wl_display_destroy(display_);
  }

 private:
  static void Bind(wl_client* client, void* data, uint32_t version, uint32_t id) {
    auto* self = static_cast<FakeCompositor*>(data);
    static const struct wl_seat_interface kSeat = {nullptr, GetKeyboard, nullptr, nullptr};
    wl_resource* seat = wl_resource_create(client, &wl_seat_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(seat, &kSeat, self, nullptr);
    wl_seat_send_capabilities(seat, self->keyboard_ ? WL_SEAT_CAPABILITY_KEYBOARD : 0);
  }
  static void GetKeyboard(wl_client* client, wl_resource* seat, uint32_t id) {
    auto* self = static_cast<FakeCompositor*>(wl_resource_get_user_data(seat));
    wl_resource* keyboard = wl_resource_create(client, &wl_keyboard_interface, wl_resource_get_version(seat), id);
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    const size_t size = self->keymap_.size() + 1;
    ASSERT_EQ(write(fd, self->keymap_.c_str(), size), static_cast<ssize_t>(size));
    wl_keyboard_send_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, static_cast<uint32_t>(size));
    close(fd);
  }

  bool keyboard_;
  std::string keymap_;
  wl_display* display_;
  const char* socket_;
  std::thread thread_;
};

constexpr char kKeymap[] = "xkb_keymap { xkb_symbols \"jp\" {}; };";

TEST(WaylandKeymapTest, TheKeymapOfTheSeatsKeyboardIsReadAndASeatWithoutOneGivesNothing) {
  {
    const FakeCompositor compositor(true, kKeymap);
    EXPECT_EQ(plat::WaylandKeymapText(plat::kWaylandKeymapWaitMs), kKeymap);
  }
  const FakeCompositor compositor(false, kKeymap);
  EXPECT_EQ(plat::WaylandKeymapText(plat::kWaylandKeymapWaitMs), std::nullopt);
}

TEST(WaylandKeymapTest, NoCompositorAndASilentOneGiveNothingWithoutHanging) {
  setenv("WAYLAND_DISPLAY", "dojokai-no-such-compositor", 1);
  EXPECT_EQ(plat::WaylandKeymapText(plat::kWaylandKeymapWaitMs), std::nullopt);
  // A socket that takes the connection and never answers.
  ASSERT_NE(std::getenv("XDG_RUNTIME_DIR"), nullptr);
  const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/dojokai-silent";
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  unlink(path.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 1), 0);
  setenv("WAYLAND_DISPLAY", path.c_str(), 1);
  EXPECT_EQ(plat::WaylandKeymapText(100), std::nullopt);
  close(listener);
  unlink(path.c_str());
}

}  // namespace
