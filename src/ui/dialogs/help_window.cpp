#include "ui/dialogs/help_window.h"

#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <array>

#include "core/version.h"
#include "ui/dialogs/preferences_texts.h"

namespace tavrik {

namespace {

struct TTopic {
  int Context;
  const char* Name;
};

constexpr std::array<TTopic, 13> Topics = {{
    {HelpMainWindow, "main"},
    {HelpStatistics, "statistics"},
    {HelpCharts, "charts"},
    {HelpErrors, "diag_errors"},
    {HelpClearStatistics, "diag_clear_stat"},
    {HelpPreferences, "prefs"},
    {HelpPokerChoice, "poker_choice"},
    {HelpPokerEdit, "poker_edit"},
    {HelpGettingStarted, "howtoplay"},
    {HelpAllHands, "allhands"},
    {HelpDeckDialog, "diag_deck"},
    {HelpBackDialog, "diag_back"},
    {HelpWarning, "warning"},
}};

QPointer<QTextBrowser>& HelpWindow() {
  static QPointer<QTextBrowser> window;
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
  QPointer<QTextBrowser>& window = HelpWindow();
  if (window.isNull()) {
    window = new QTextBrowser();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setOpenLinks(true);
    window->resize(560, 480);
    ApplyWindowFont(window, preferences);
  }
  window->setSearchPaths({QString::fromStdString(folder.string())});
  window->setSource(QUrl::fromLocalFile(QString::fromStdString(page.string())));
  window->setWindowTitle("  " + QString::fromUtf8(ProgramTitle) + " - " + window->documentTitle());
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace tavrik
