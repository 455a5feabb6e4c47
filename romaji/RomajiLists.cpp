#include "romaji/RomajiLists.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "game/RomajiJudge.h"

namespace romaji {
namespace {

namespace fs = std::filesystem;

constexpr const char* kShippedNames[] = {"kotoba.txt", "bun.txt"};

// A few entries of each drill for a game whose shipped lists are missing.
constexpr const char* kBuiltin[] = {
    "日本\tにほん\n言葉\tことば\n練習\tれんしゅう\n学校\tがっこう\n今日\tきょう\n",
    "おはようございます。\nありがとうございます。\n今日はいい天気ですね。\tきょうはいいてんきですね。\n",
};

bool Typable(std::u32string_view reading) { return game::romaji::Table::Shipped().Typable(reading); }

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }

}  // namespace

void RomajiLists::SetFolders(std::string shipped, std::string own) {
  shipped_ = std::move(shipped);
  own_ = std::move(own);
}

std::string RomajiLists::ShippedPath(Kind kind) const {
  return (fs::path(shipped_) / kShippedNames[static_cast<int>(kind)]).string();
}

std::vector<std::string> RomajiLists::Choices(Kind kind) const {
  std::vector<std::string> choices;
  if (!wordsFile_.empty()) choices.push_back(wordsFile_);
  choices.push_back(ShippedPath(kind));
  std::vector<std::string> own;
  std::error_code ec;
  if (!own_.empty() && fs::is_directory(own_, ec)) {
    for (fs::directory_iterator it(own_, ec), end; !ec && it != end; it.increment(ec))
      if (it->path().extension() == ".txt") own.push_back(it->path().string());
  }
  std::sort(own.begin(), own.end());
  // Where the player's folder is the program's own (a build, a personal copy), the shipped
  // lists lie in it too: they are no lists of the player's.
  auto same = [](const std::string& a, const std::string& b) {
    std::error_code e;
    return fs::path(a).lexically_normal() == fs::path(b).lexically_normal() || fs::equivalent(a, b, e);
  };
  for (std::string& path : own) {
    const bool known = std::any_of(choices.begin(), choices.end(), [&](const std::string& c) { return same(c, path); });
    if (!known && !same(path, ShippedPath(Kind::Words)) && !same(path, ShippedPath(Kind::Phrases)))
      choices.push_back(std::move(path));
  }
  return choices;
}

RomajiLists::Loaded RomajiLists::Load(const std::string& path, Kind kind) const {
  Loaded loaded;
  loaded.list = game::romaji::LoadList(path, Typable);
  loaded.messages = loaded.list.notices;
  if (loaded.list.Usable()) return loaded;
  loaded.messages.push_back(!loaded.list.error.empty() ? loaded.list.error : FileName(path) + ": 使える行がありません");
  const std::string shipped = ShippedPath(kind);
  if (path != shipped) {
    game::romaji::List fallback = game::romaji::LoadList(shipped, Typable);
    if (fallback.Usable()) {
      loaded.messages.push_back(FileName(shipped) + " で続けます");
      loaded.list = std::move(fallback);
      return loaded;
    }
  }
  loaded.messages.push_back("内蔵の一覧で続けます");
  loaded.list = game::romaji::ParseList(kBuiltin[static_cast<int>(kind)], "内蔵", Typable);
  return loaded;
}

}  // namespace romaji
