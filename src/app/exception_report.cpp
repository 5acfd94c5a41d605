#include "app/exception_report.h"

#include <execinfo.h>

#include <QBoxLayout>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <array>

#include "core/version.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

constexpr const char* SupportAddress = "support@tavrik.example";

}  // namespace

std::vector<uintptr_t> CaptureStack() {
  std::array<void*, MaxStackFrames> frames{};
  const int count = ::backtrace(frames.data(), MaxStackFrames);
  std::vector<uintptr_t> addresses;
  addresses.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    addresses.push_back(reinterpret_cast<uintptr_t>(frames[static_cast<size_t>(i)]));
  }
  return addresses;
}

QString StackTraceText(const std::vector<uintptr_t>& frames) {
  QString text = "Stackframe-based trace:";
  const int digits = static_cast<int>(sizeof(uintptr_t) * 2);
  const size_t count = std::min(frames.size(), static_cast<size_t>(MaxStackFrames));
  for (size_t i = 0; i < count; ++i) {
    text +=
        '\n' + QString::number(static_cast<qulonglong>(frames[i]), 16).rightJustified(digits, '0');
  }
  return text;
}

QString ReportText(const QString& version, const QString& message, uintptr_t address,
                   const QString& trace) {
  const int digits = static_cast<int>(sizeof(uintptr_t) * 2);
  return QString::fromUtf8(ProgramName) + ' ' + version + '\n' + message + '\n' +
         QString::number(static_cast<qulonglong>(address), 16).rightJustified(digits, '0') + '\n' +
         trace;
}

QByteArray EncodeMailBody(const QByteArray& text) {
  static constexpr std::string_view Kept = "!$'()*-.@_";
  static constexpr char Hex[] = "0123456789abcdef";
  QByteArray encoded;
  encoded.reserve(text.size() * 3);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool letterOrDigit = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                               (byte >= '0' && byte <= '9');
    if (letterOrDigit || Kept.find(c) != std::string_view::npos) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += Hex[byte >> 4];
      encoded += Hex[byte & 15];
    }
  }
  return encoded;
}

QByteArray MailLink(const QString& report) {
  return QByteArray("mailto:") + SupportAddress + "?subject=Tavrik%20error&body=" +
         EncodeMailBody((QString::fromUtf8(ProgramTitle) + "\r\n" + report).toUtf8());
}

QString ProgramVersion() {
  return QString::fromUtf8(VersionText);
}

TfmException::TfmException(const QString& report, const TPreferences& preferences, QWidget* parent)
    : QDialog(parent) {
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromUtf8(ProgramTitle));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 8);
  lHeader = new TGradientLabel(this);
  lHeader->setFixedHeight(22);
  lHeader->setText(Text(preferences, "Exception", "Header"));
  StyleHeaderLabel(lHeader, QString::fromStdString(preferences.FontName));
  layout->addWidget(lHeader);
  Memo = new QPlainTextEdit(this);
  Memo->setReadOnly(true);
  Memo->setPlainText(QString(report).replace("\r\n", "\n"));
  auto* memoRow = new QHBoxLayout();
  memoRow->setContentsMargins(8, 4, 8, 4);
  memoRow->addWidget(Memo);
  layout->addLayout(memoRow, 1);
  auto* buttons = new QHBoxLayout();
  buttons->setContentsMargins(8, 0, 8, 0);
  btnSend = new QPushButton(Text(preferences, "Main.Buttons", "Send"), this);
  btnCopy = new QPushButton(Text(preferences, "Main.Buttons", "Copy"), this);
  btnOK = new QPushButton(Text(preferences, "Main.Buttons", "OK"), this);
  btnOK->setDefault(true);
  buttons->addWidget(btnSend);
  buttons->addWidget(btnCopy);
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  layout->addLayout(buttons);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCopy, &QPushButton::clicked, this, [this] { btnCopyClick(); });
  connect(btnSend, &QPushButton::clicked, this, [this] { btnSendClick(); });
  resize(480, 340);
}

void TfmException::btnCopyClick() {
  QGuiApplication::clipboard()->setText(Memo->toPlainText().replace("\n", "\r\n"));
}

void TfmException::btnSendClick() {
  const QString report = Memo->toPlainText().replace("\n", "\r\n");
  QDesktopServices::openUrl(QUrl::fromEncoded(MailLink(report)));
}

void ShowErrorReport(const std::exception& error, const TPreferences& preferences,
                     QWidget* parent) {
  const std::vector<uintptr_t> frames = CaptureStack();
  const uintptr_t address = frames.empty() ? 0 : frames.front();
  const QString report = ReportText(ProgramVersion(), QString::fromUtf8(error.what()), address,
                                    StackTraceText(frames));
  TfmException window(report, preferences, parent);
  window.exec();
}

}  // namespace tavrik
