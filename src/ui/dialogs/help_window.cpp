#include "ui/dialogs/help_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>
#include <array>

#include "core/version.h"
#include "ui/dialogs/preferences_texts.h"

namespace tavrik {

namespace {

struct TTopic {
  int Context;
  const char* Name;
};

constexpr std::array<TTopic, 15> Topics = {{
    {HelpMainWindow, "main"},
    {HelpStatistics, "statistics"},
    {HelpCharts, "charts"},
    {HelpErrors, "errors"},
    {HelpClearStatistics, "diag_clear_stat"},
    {HelpPreferences, "prefs"},
    {HelpPokerChoice, "poker_choice"},
    {HelpPokerEdit, "poker_edit"},
    {HelpGettingStarted, "howtoplay"},
    {HelpAllHands, "allhands"},
    {HelpDeckDialog, "diag_deck"},
    {HelpBackDialog, "diag_back"},
    {HelpWarning, "warning"},
    {HelpAnalyser, "analyser"},
    {HelpStrategy, "strategy"},
}};

// The help browser: a window of its own above the window that asked for it (a modal
// dialog does not block it then), closed by Esc, titled after the page it shows.
class THelpWindow : public QTextBrowser {
 public:
  THelpWindow() {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setOpenLinks(true);
    connect(this, &QTextBrowser::sourceChanged, this, [this] {
      setWindowTitle("  " + QString::fromUtf8(ProgramTitle) + " - " + documentTitle());
    });
  }

  // Belongs to `asker`'s window from now on and stands beside it, wholly on its screen.
  void PlaceBeside(QWidget* asker) {
    QWidget* owner = asker != nullptr ? asker->window() : nullptr;
    if (parentWidget() != owner) setParent(owner, Qt::Window);
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QSize size = QSize(560, 480).boundedTo(area.size());
    QPoint place = area.topLeft();
    if (owner != nullptr) {
      const QRect frame = owner->frameGeometry();
      const bool roomRight = frame.right() + size.width() < area.right();
      place = QPoint(roomRight ? frame.right() + 1 : frame.left() - size.width(), frame.top());
    }
    place.setX(std::clamp(place.x(), area.left(), area.right() + 1 - size.width()));
    place.setY(std::clamp(place.y(), area.top(), area.bottom() + 1 - size.height()));
    setGeometry(QRect(place, size));
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) {
      close();
      return;
    }
    QTextBrowser::keyPressEvent(event);
  }
};

QPointer<THelpWindow>& HelpWindow() {
  static QPointer<THelpWindow> window;
  return window;
}

}  // namespace

QString HelpTopic(int context) {
  for (const TTopic& topic : Topics) {
    if (topic.Context == context) return QString::fromLatin1(topic.Name);
  }
  return {};
}

std::filesystem::path HelpPage(int context, const std::filesystem::path& folder) {
  const QString topic = HelpTopic(context);
  if (topic.isEmpty()) return {};
  return folder / (topic.toStdString() + ".html");
}

void ShowHelpTopic(int context, const TPreferences& preferences, QWidget* parent,
                   const std::filesystem::path& folder) {
  const std::filesystem::path page = HelpPage(context, folder);
  if (page.empty()) return;
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    QMessageBox::information(parent, "  " + QString::fromUtf8(ProgramTitle),
                             "Sorry, html help not installed.");
    return;
  }
  QPointer<THelpWindow>& window = HelpWindow();
  if (window.isNull()) window = new THelpWindow();
  ApplyWindowFont(window, preferences);
  window->PlaceBeside(parent);
  window->setSearchPaths({QString::fromStdString(folder.string())});
  window->setSource(QUrl::fromLocalFile(QString::fromStdString(page.string())));
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace tavrik
