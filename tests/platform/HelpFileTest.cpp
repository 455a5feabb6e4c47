// The help file data/dojokai.hlp that F10 opens: a UTF-8 HTML manual that opens at
// its contents, whose links all lead somewhere, and that covers every mode and file.
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include <QString>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

std::string ReadHelpFile() {
  std::string path = DOJOKAI_SOURCE_DIR;
  path.append("/data/dojokai.hlp");
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    const unsigned char c = *p;
    int extra = 0;
    unsigned long cp = 0;
    if (c < 0x80) {
      ++p;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1, cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2, cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3, cp = c & 0x07;
    } else {
      return false;
    }
    if (end - p <= extra) return false;
    for (int i = 1; i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[i] & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    p += extra + 1;
  }
  return true;
}

std::set<std::string> Captures(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it) {
    found.insert((*it)[1].str());
  }
  return found;
}

TEST(HelpFileTest, IsUtf8HtmlThatOpensAtItsContents) {
  const std::string html = ReadHelpFile();
  ASSERT_FALSE(html.empty()) << "data/dojokai.hlp is missing or empty";
  ASSERT_TRUE(IsValidUtf8(html));
  EXPECT_NE(html.find("charset=\"utf-8\""), std::string::npos);

  // The viewer shows the document title as its window title.
  QTextDocument doc;
  doc.setHtml(QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size())));
  EXPECT_FALSE(doc.metaInformation(QTextDocument::DocumentTitle).trimmed().isEmpty());

  // The contents come first, before the first section heading.
  const auto contents = html.find("目次");
  const auto firstSection = html.find("<h2");
  ASSERT_NE(contents, std::string::npos);
  ASSERT_NE(firstSection, std::string::npos);
  EXPECT_LT(contents, firstSection);
}

TEST(HelpFileTest, EveryLinkHasItsAnchorAndEveryModeAndFileIsExplained) {
  const std::string html = ReadHelpFile();
  const auto links = Captures(html, std::regex(R"(href\s*=\s*"#([^"]+)\")"));
  const auto anchors = Captures(html, std::regex(R"((?:name|id)\s*=\s*"([^"]+)\")"));
  EXPECT_GE(links.size(), 13u);  // at least one link per section in the contents
  for (const auto& link : links) {
    EXPECT_TRUE(anchors.count(link)) << "link #" << link << " has no anchor";
  }
  EXPECT_EQ(html.find("href=\"http"), std::string::npos) << "the manual needs no external resources";

  for (const char* word :
       {"ABC", "HAO", "RND", "ZYX", "ｱｲｳ", "ﾃﾐｽ", "ｴﾗｲ", "dojokai.dat", "dojokai.cfg", "dojokai.bin"}) {
    EXPECT_NE(html.find(word), std::string::npos) << word;
  }
}

}  // namespace
