#include "platform/HelpViewer.h"

#include <fcntl.h>
#include <unistd.h>

#include <QTextBrowser>
#include <QUrl>

#include "platform/Files.h"

namespace plat {

HelpViewer::HelpViewer() : browser_(std::make_unique<QTextBrowser>()) {
  browser_->resize(640, 520);
  browser_->setOpenExternalLinks(false);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::Close() { browser_->close(); }

void HelpViewer::Open(const std::string& path) {
  const QString file = QString::fromStdString(path);
  // Only a regular file is shown: a FIFO in its place would hold the game.
  const int probe = OpenRegularFile(path, O_RDONLY);
  if (probe >= 0) {
    ::close(probe);
    browser_->setSource(QUrl::fromLocalFile(file), QTextDocument::HtmlResource);
    browser_->setWindowTitle(browser_->documentTitle().isEmpty() ? QStringLiteral("DOJOKAI ヘルプ")
                                                                 : browser_->documentTitle());
  } else {
    browser_->setSource(QUrl());
    browser_->setHtml(QStringLiteral("<h2>ヘルプを開けません</h2><p>ヘルプ ファイル "
                                     "<b>%1</b> が見つからないか、読み込めません。</p>")
                          .arg(file.toHtmlEscaped()));
    browser_->setWindowTitle(QStringLiteral("DOJOKAI ヘルプ"));
  }
  browser_->show();
  browser_->raise();
  browser_->activateWindow();
}

std::string HelpViewer::Title() const { return browser_->windowTitle().toStdString(); }
std::string HelpViewer::PlainText() const { return browser_->toPlainText().toStdString(); }

}  // namespace plat
