#include "platform/XkbLayout.h"

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <QtGui/qguiapplication_platform.h>

#include "platform/Logging.h"
#include "platform/WaylandKeymap.h"

namespace plat {
namespace {

struct XkbFree {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};
using Context = std::unique_ptr<xkb_context, XkbFree>;
using Keymap = std::unique_ptr<xkb_keymap, XkbFree>;

// A whole keymap includes nothing, so the context looks at no files and no environment.
Context NewContext() {
  return Context(xkb_context_new(
      static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES)));
}

bool TypesInFirstLayout(xkb_keymap& keymap, const char* keyName) {
  const xkb_keycode_t key = xkb_keymap_key_by_name(&keymap, keyName);
  if (key == XKB_KEYCODE_INVALID) return false;
  const xkb_keysym_t* syms = nullptr;
  return xkb_keymap_key_get_syms_by_level(&keymap, key, 0, 0, &syms) > 0;
}

// The rules names the X server was given (setxkbmap keeps them up to date; Xwayland does not).
std::optional<std::string> RulesNamesLayouts(xcb_connection_t* connection) {
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (!screen) return std::nullopt;
  constexpr char kName[] = "_XKB_RULES_NAMES";
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr), &std::free);
  if (!atom || atom->atom == XCB_ATOM_NONE) return std::nullopt;
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(
          connection, xcb_get_property(connection, 0, screen->root, atom->atom, XCB_ATOM_STRING, 0, 1024), nullptr),
      &std::free);
  if (!reply || reply->format != 8) return std::nullopt;
  const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return LayoutsOfRulesNames(std::string(bytes, static_cast<size_t>(xcb_get_property_value_length(reply.get()))));
}

// The keymap of the X server's core keyboard as it is now, on the toolkit's connection.
std::optional<KeyMap> X11KeyMap() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) {
    qCInfo(lcKeyboard, "no X connection to read the keymap from");
    return std::nullopt;
  }
  if (xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                  XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    const Context context = NewContext();
    if (device != -1 && context) {
      if (const Keymap keymap{
              xkb_x11_keymap_new_from_device(context.get(), connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS)})
        return KeyMapOfKeymap(*keymap);
    }
    qCInfo(lcKeyboard, "the X server's core keyboard gives no keymap; its layout names are read instead");
  } else {
    qCInfo(lcKeyboard, "the X server has no XKB extension; its layout names are read instead");
  }
  if (const auto layouts = RulesNamesLayouts(connection)) {
    qCInfo(lcKeyboard, "the X server names the layouts %s", layouts->c_str());
    return KeyMapOfLayouts(*layouts);
  }
  qCInfo(lcKeyboard, "the X server names no layouts");
  return std::nullopt;
}

}  // namespace

KeyMap KeyMapOfKeymap(xkb_keymap& keymap) {
  return TypesInFirstLayout(keymap, "AE13") && TypesInFirstLayout(keymap, "AB11") ? KeyMap::Jis : KeyMap::Us;
}

std::optional<KeyMap> KeyMapOfKeymapText(std::string_view text) {
  // A keymap sent over the wire may end in its terminating NUL.
  while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  const Context context = NewContext();
  if (!context || text.empty()) return std::nullopt;
  xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
  const Keymap keymap{xkb_keymap_new_from_buffer(context.get(), text.data(), text.size(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                 XKB_KEYMAP_COMPILE_NO_FLAGS)};
  if (!keymap) {
    qCInfo(lcKeyboard, "a keymap of %zu bytes could not be compiled", text.size());
    return std::nullopt;
  }
  return KeyMapOfKeymap(*keymap);
}

std::optional<KeyMap> DetectKeyMap() {
  const QString platform = QGuiApplication::platformName();
  std::optional<KeyMap> map;
  if (platform == QLatin1String("xcb")) {
    map = X11KeyMap();
  } else if (platform.startsWith(QLatin1String("wayland"))) {
    if (const auto text = WaylandKeymapText(kWaylandKeymapWaitMs)) map = KeyMapOfKeymapText(*text);
  } else {
    qCInfo(lcKeyboard, "the %s platform has no keymap to read", qUtf8Printable(platform));
  }
  if (map) qCInfo(lcKeyboard, "the keymap in use is %s", KeyMapName(*map));
  return map;
}

std::optional<std::string> LayoutsOfRulesNames(const std::string& property) {
  // The third of the NUL-ended fields.
  size_t start = 0;
  for (int field = 0; field < 2; ++field) {
    const size_t end = property.find('\0', start);
    if (end == std::string::npos) return std::nullopt;
    start = end + 1;
  }
  const size_t end = property.find('\0', start);
  std::string layouts = property.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (layouts.empty()) return std::nullopt;
  return layouts;
}

}  // namespace plat
