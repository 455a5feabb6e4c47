#include "game/RomajiList.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "game/RomajiText.h"

namespace game::romaji {
namespace {

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool IsKanji(char32_t ch) {
  return (ch >= 0x4E00 && ch <= 0x9FFF) || (ch >= 0x3400 && ch <= 0x4DBF) || (ch >= 0xF900 && ch <= 0xFAFF) ||
         (ch >= 0x20000 && ch <= 0x3FFFF) || ch == U'々';
}

// Where a notice points: the file and the line.
std::string Where(const std::string& name, int line) { return name + " " + std::to_string(line) + "行目: "; }

std::string Quoted(const std::string& name) { return "「" + name + "」"; }

}  // namespace

List ParseList(std::string_view bytes, const std::string& name,
               const std::function<bool(std::u32string_view)>& typable) {
  List list;
  list.name = BaseName(name);
  if (static_cast<int64_t>(bytes.size()) > kMaxListBytes) {
    list.error = Quoted(list.name) + "は大きすぎます（1 MiB まで）。";
    return list;
  }
  if (bytes.find('\0') != std::string_view::npos) {
    list.error = Quoted(list.name) + "はテキストファイルではありません。";
    return list;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::u32string all;
  if (!DecodeUtf8(bytes, all)) {
    list.error = Quoted(list.name) + "は UTF-8 のテキストではありません。";
    return list;
  }
  int lineNo = 0;
  size_t start = 0;
  std::u32string one(1, U' ');
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    const size_t tab = line.find('\t');
    Entry entry;
    entry.reading = std::string(Trim(tab == std::string_view::npos ? line : line.substr(tab + 1)));
    entry.text = tab == std::string_view::npos ? entry.reading : std::string(Trim(line.substr(0, tab)));
    // A third column (notes of the list's author) is not part of the reading.
    entry.reading = std::string(Trim(std::string_view(entry.reading).substr(0, entry.reading.find('\t'))));
    DecodeUtf8(entry.reading, entry.kana);
    if (entry.kana.empty()) {
      list.notices.push_back(Where(list.name, lineNo) + "よみがないので飛ばしました。");
      continue;
    }
    if (entry.text.empty()) entry.text = entry.reading;
    if (static_cast<int>(entry.kana.size()) > kMaxReading) {
      list.notices.push_back(Where(list.name, lineNo) + "よみが" + std::to_string(kMaxReading) +
                             "文字を超えるので飛ばしました。");
      continue;
    }
    if (!typable(entry.kana)) {
      std::string what = "入力できない文字";
      for (char32_t ch : entry.kana) {
        one[0] = ch;
        if (typable(one)) continue;
        what = IsKanji(ch) ? "漢字" : "入力できない文字";
        what += "「";
        AppendUtf8(ch, what);
        what += "」";
        break;
      }
      list.notices.push_back(Where(list.name, lineNo) + "よみに" + what + "があるので飛ばしました。");
      continue;
    }
    list.entries.push_back(std::move(entry));
  }
  if (list.entries.empty()) list.error = Quoted(list.name) + "には使える行がありません。";
  return list;
}

List LoadList(const std::string& path, const std::function<bool(std::u32string_view)>& typable) {
  List list;
  list.name = BaseName(path);
  list.path = path;
  // Non-blocking, so that a FIFO without a writer or a device cannot hold the game up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    list.error = Quoted(list.name) + (errno == ENOENT ? "が見つかりません。" : "を開けません。");
    return list;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    list.error = Quoted(list.name) + "は普通のファイルではないので読みません。";
    return list;
  }
  if (st.st_size > kMaxListBytes) {
    ::close(fd);
    list.error = Quoted(list.name) + "は大きすぎます（1 MiB まで）。";
    return list;
  }
  // Read one byte past the limit: a file that grows while read is still caught.
  std::string bytes;
  bytes.resize(static_cast<size_t>(kMaxListBytes) + 1);
  size_t got = 0;
  bool failed = false;
  while (got < bytes.size()) {
    const ssize_t r = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) failed = true;
    if (r <= 0) break;
    got += static_cast<size_t>(r);
  }
  ::close(fd);
  if (failed) {
    list.error = Quoted(list.name) + "を読めません。";
    return list;
  }
  bytes.resize(got);
  List parsed = ParseList(bytes, list.name, typable);
  parsed.path = path;
  return parsed;
}

}  // namespace game::romaji
