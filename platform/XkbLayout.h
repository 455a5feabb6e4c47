#pragma once
// The keyboard layout the X server uses, as setxkbmap sets it.
#include <optional>
#include <string>

namespace plat {

// The layout list of the application's X display ("jp", "us,jp"), read from the rules names
// of the root window; nullopt when the application runs on no X display or the names are
// missing. Needs the application object.
std::optional<std::string> XkbLayouts();

// The layout list of a rules-names property: rules, model, layouts, variants and options,
// each ended by a NUL.
std::optional<std::string> LayoutsOfRulesNames(const std::string& property);

}  // namespace plat
