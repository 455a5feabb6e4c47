#include "platform/Ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/Files.h"

namespace plat {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// The profile service drops one pair of matching quotes around a value.
std::string Unquote(std::string v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// A line break inside a section, key or value would end its line early and could make up
// lines (keys) of its own; such a write is refused.
bool FitsOneLine(std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; }

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  if (auto bytes = ReadWholeFile(path_, kMaxBytes)) {
    Parse(std::string(bytes->begin(), bytes->end()));
  }
}

void IniFile::Parse(const std::string& text) {
  sections_.clear();
  Section* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();

    const std::string trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      size_t close = trimmed.find(']');
      if (close == std::string::npos) close = trimmed.size();
      Section s;
      s.name = Trim(std::string_view(trimmed).substr(1, close - 1));
      s.header = line;
      sections_.push_back(std::move(s));
      current = &sections_.back();
      continue;
    }
    if (!current) {
      Section pre;
      pre.preamble = true;
      sections_.push_back(std::move(pre));
      current = &sections_.back();
    }
    Entry e;
    const size_t eq = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || eq == std::string::npos || eq == 0) {
      e.isRaw = true;
      e.raw = line;
    } else {
      e.key = Trim(std::string_view(trimmed).substr(0, eq));
      e.value = Trim(std::string_view(trimmed).substr(eq + 1));
    }
    current->entries.push_back(std::move(e));
  }
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Section& s : sections_) {
    if (!s.preamble) out += (s.header.empty() ? "[" + s.name + "]" : s.header) + "\n";
    for (const Entry& e : s.entries) {
      out += (e.isRaw ? e.raw : e.key + "=" + e.value) + "\n";
    }
  }
  return out;
}

IniFile::Section* IniFile::FindSection(const std::string& name) {
  for (Section& s : sections_) {
    if (!s.preamble && SameName(s.name, name)) return &s;
  }
  return nullptr;
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
  return const_cast<IniFile*>(this)->FindSection(name);
}

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& fallback) const {
  const Section* s = FindSection(Trim(section));
  if (!s) return fallback;
  const std::string k = Trim(key);
  for (const Entry& e : s->entries) {
    if (!e.isRaw && SameName(e.key, k)) return Unquote(e.value);
  }
  return fallback;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
  const std::string text = Trim(ReadString(section, key, ""));
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return fallback;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return fallback;
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return fallback;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return fallback;
  return static_cast<int>(value);
}

bool IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (!FitsOneLine(section) || !FitsOneLine(key) || !FitsOneLine(value)) return false;
  Put(section, key, value);
  return Save();
}

bool IniFile::WriteStrings(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& keyValues) {
  return SetStrings(section, keyValues) && Save();
}

bool IniFile::SetStrings(const std::string& section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues) {
  if (!FitsOneLine(section)) return false;
  for (const auto& [key, value] : keyValues)
    if (!FitsOneLine(key) || !FitsOneLine(value)) return false;
  for (const auto& [key, value] : keyValues) Put(section, key, value);
  return true;
}

bool IniFile::HasSection(const std::string& section) const { return FindSection(Trim(section)) != nullptr; }

void IniFile::Erase(const std::string& section, const std::string& key) {
  Section* s = FindSection(Trim(section));
  if (!s) return;
  const std::string k = Trim(key);
  std::erase_if(s->entries, [&](const Entry& e) { return !e.isRaw && SameName(e.key, k); });
}

void IniFile::Put(const std::string& section, const std::string& key, const std::string& value) {
  const std::string name = Trim(section), k = Trim(key);
  Section* s = FindSection(name);
  if (!s) {
    // A new section at the end, set off from what was there by a blank line.
    if (!sections_.empty()) {
      Section& last = sections_.back();
      const bool endsBlank =
          !last.entries.empty() && last.entries.back().isRaw && Trim(last.entries.back().raw).empty();
      if (!endsBlank) last.entries.push_back(Entry{{}, {}, true, {}});
    }
    Section added;
    added.name = name;
    sections_.push_back(std::move(added));
    s = &sections_.back();
  }
  bool found = false;
  for (Entry& e : s->entries) {
    if (!e.isRaw && SameName(e.key, k)) {
      e.value = value;
      found = true;
      break;
    }
  }
  if (!found) {
    // After the section's last non-blank line, so blank lines keep separating sections.
    size_t at = s->entries.size();
    while (at > 0 && s->entries[at - 1].isRaw && Trim(s->entries[at - 1].raw).empty()) --at;
    s->entries.insert(s->entries.begin() + static_cast<std::ptrdiff_t>(at), Entry{k, value, false, {}});
  }
}

bool IniFile::Save() const {
  // A file marked read-only is not written, as a profile write to it would fail.
  if (IsReadOnly(path_)) return false;
  // Write through a symbolic link to the file it names.
  std::string target = path_;
  if (char* real = ::realpath(path_.c_str(), nullptr)) {
    target = real;
    std::free(real);
  }

  // The whole text goes to a fresh file beside the target and replaces it in one rename,
  // so a failed write leaves the old file as it was.
  static std::atomic<unsigned> counter{0};
  const std::string temp = target + ".tmp" + std::to_string(::getpid()) + "." + std::to_string(counter.fetch_add(1));
  // Something that is no file (a FIFO, a device) is never replaced.
  struct stat now {};
  if (::stat(target.c_str(), &now) == 0 && !S_ISREG(now.st_mode)) {
    errno = EINVAL;
    return false;
  }
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return SaveInPlace(target);
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  const std::string text = Serialize();
  const bool written = plat::WriteAll(fd, text.data(), text.size()) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    errno = error;
    return error == ENOSPC || error == EDQUOT ? SaveInPlace(target) : false;
  }
  return true;
}

// Where no new file can be made beside it (a folder that cannot be written, a full disk),
// an existing file takes the text itself.
bool IniFile::SaveInPlace(const std::string& target) const {
  const int error = errno;
  const int fd = OpenRegularFile(target, O_WRONLY);
  if (fd < 0) {
    errno = error;
    return false;
  }
  const std::string text = Serialize();
  bool ok = plat::WriteAll(fd, text.data(), text.size()) && ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 &&
            ::fsync(fd) == 0;
  const int failed = errno;
  if (::close(fd) != 0) ok = false;
  if (!ok) errno = failed;
  return ok;
}

}  // namespace plat
