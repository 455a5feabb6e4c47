#include "platform/XkbLayout.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <QtGui/qguiapplication_platform.h>

namespace plat {

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

std::optional<std::string> XkbLayouts() {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return std::nullopt;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (!screen) return std::nullopt;

  constexpr char kName[] = "_XKB_RULES_NAMES";
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr),
      &std::free);
  if (!atom || atom->atom == XCB_ATOM_NONE) return std::nullopt;
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(connection,
                             xcb_get_property(connection, 0, screen->root, atom->atom, XCB_ATOM_STRING, 0, 1024),
                             nullptr),
      &std::free);
  if (!reply || reply->format != 8) return std::nullopt;
  const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return LayoutsOfRulesNames(std::string(bytes, static_cast<size_t>(xcb_get_property_value_length(reply.get()))));
}

}  // namespace plat
