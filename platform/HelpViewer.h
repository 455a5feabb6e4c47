#pragma once
// The help viewer: a window of its own that shows the game's HTML help file at its
// contents. A file that cannot be read is reported in the viewer itself.
#include <memory>
#include <string>

class QTextBrowser;

namespace plat {

class HelpViewer {
 public:
  HelpViewer();
  ~HelpViewer();
  void Open(const std::string& path);
  void Close();
  // What the viewer shows now (for tests).
  std::string Title() const;
  std::string PlainText() const;

 private:
  std::unique_ptr<QTextBrowser> browser_;
};

}  // namespace plat
