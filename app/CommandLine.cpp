#include "app/CommandLine.h"

#include <string_view>

namespace app {
namespace {

// The toolkit's own options: those that take a value, and flags.
constexpr std::string_view kToolkitValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "name",          "title"};
constexpr std::string_view kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <size_t N>
bool OneOf(std::string_view name, const std::string_view (&list)[N]) {
  for (std::string_view s : list)
    if (s == name) return true;
  return false;
}

CommandLine Error(std::string message) {
  CommandLine c;
  c.action = CommandLine::Action::Error;
  c.error = std::move(message);
  return c;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.action = CommandLine::Action::Help;
      return result;
    }
    if (arg == "--version") {
      result.action = CommandLine::Action::Version;
      return result;
    }
    if (arg == "--keyboard" || arg.rfind("--keyboard=", 0) == 0) {
      std::string value;
      if (arg == "--keyboard") {
        if (i + 1 >= args.size()) return Error("--keyboard にはキーボードの種類 (jis か us) が要ります");
        value = args[++i];
      } else {
        value = arg.substr(sizeof "--keyboard=" - 1);
      }
      result.keyboard = plat::KeyMapNamed(value);
      if (!result.keyboard) return Error("キーボードの種類は jis か us です: " + value);
      continue;
    }
    if (arg == "--words" || arg.rfind("--words=", 0) == 0) {
      if (arg == "--words") {
        if (i + 1 >= args.size()) return Error("--words には一覧のファイルが要ります");
        result.wordsFile = args[++i];
      } else {
        result.wordsFile = arg.substr(sizeof "--words=" - 1);
      }
      if (result.wordsFile.empty()) return Error("--words には一覧のファイルが要ります");
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      // The toolkit takes "-name", "--name", "-name value" and "-name=value".
      std::string_view name(arg);
      name.remove_prefix(name.rfind("--", 0) == 0 ? 2 : 1);
      const size_t eq = name.find('=');
      const std::string_view bare = name.substr(0, eq);
      if (OneOf(bare, kToolkitFlags) && eq == std::string_view::npos) continue;
      if (OneOf(bare, kToolkitValueOptions)) {
        if (bare == "platform") result.platformGiven = true;
        if (eq == std::string_view::npos) {
          if (i + 1 >= args.size()) return Error(arg + " には値が要ります");
          ++i;
        }
        continue;
      }
      return Error("不明なオプションです: " + arg);
    }
    return Error("余分な引数です: " + arg);
  }
  return result;
}

bool HasDisplay(const CommandLine& options, const std::function<std::string(const char*)>& env) {
  if (options.platformGiven) return true;
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET"})
    if (!env(name).empty()) return true;
  return false;
}

std::string HelpText() {
  return "使い方: dojokai [オプション]\n"
         "キーボードのタイピング練習ゲーム (英字、JIS かな配列のカタカナ、ローマ字の日本語)\n"
         "\n"
         "  --keyboard=jis|us  この起動だけキーボードの種類を決める (既定: 設定画面の\n"
         "                     キーボード。自動ならキー配列に ¥ と ろ のキーがあれば jis、\n"
         "                     なければ us、読めなければ jis)\n"
         "  --words FILE       ローマ字の ことば(8) と 文(9) で FILE の一覧を使う\n"
         "  -h, --help         この説明を表示して終了する\n"
         "  --version          版を表示して終了する\n"
         "\n"
         "かなのドリルは、画面のキーボードが示す位置のキーで打ちます。US キーボードにない\n"
         "2つのキーの代わり:\n"
         "  ¥ キー (ｰ)   ` キー (1 の左)\n"
         "  ろ キー (ﾛ)  右 Alt キー\n";
}

std::string VersionLine() { return "dojokai " DOJOKAI_VERSION_TEXT "\n"; }

}  // namespace app
