#pragma once
// The driver's JSON snapshot of the running game.
#include <optional>
#include <string>

#include "game/PlayState.h"
#include "platform/VirtualPlatform.h"

namespace app {
class Game;
class TForm2;
}  // namespace app

namespace drive {

std::string Snapshot(app::Game& game, plat::VirtualPlatform& platform);

// The value of one play-state field as the snapshot writes it, strings without quotes;
// nullopt for an unknown field.
std::optional<std::string> StateFieldText(const game::PlayState& state, const std::string& field);

// A field of the snapshot's romaji object, strings without quotes; nullopt when the romaji
// screen is not shown or for an unknown field.
std::optional<std::string> RomajiFieldText(app::TForm2& form, const std::string& field);

// "YYYY-MM-DD HH:MM:SS"
std::string FormatDateTime(const plat::LocalDateTime& t);

}  // namespace drive
