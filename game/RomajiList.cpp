// Placeholder list reader until the real one lands: every line is a kana entry.
#include "game/RomajiList.h"

#include <QString>

namespace game::romaji {

List ParseList(std::string_view bytes, const std::string& name, const std::function<bool(std::u32string_view)>&) {
  List list;
  list.name = name;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string line(bytes.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    Entry e{line, line, QString::fromStdString(line).toStdU32String()};
    list.entries.push_back(e);
  }
  return list;
}

List LoadList(const std::string& path, const std::function<bool(std::u32string_view)>& typable) {
  List list;
  list.path = path;
  list.error = "未実装";
  (void)typable;
  return list;
}

}  // namespace game::romaji
