#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <cstdint>
#include <exception>
#include <vector>

#include "game/preferences.h"

class QPlainTextEdit;
class QPushButton;

namespace tavrik {

class TGradientLabel;

// The stack is cut to this many frames.
inline constexpr int MaxStackFrames = 50;

// Return addresses of the calling stack, innermost first, at most MaxStackFrames.
std::vector<uintptr_t> CaptureStack();

// "Stackframe-based trace:" and, for each frame (at most 50), a line with its address in
// lower-case hexadecimal of the full pointer width.
QString StackTraceText(const std::vector<uintptr_t>& frames);

// The report: "Tavrik <version>", the message (its chain of contexts one per line), the
// address the error was caught at, and the stack trace, joined by "\n". Copy and Send turn
// the line ends into CR LF.
QString ReportText(const QString& version, const QString& message, uintptr_t address,
                   const QString& trace);

// Encodes a mail body: letters, digits and !$'()*-.@_ stay, every other byte becomes "%"
// and two lower-case hexadecimal digits.
QByteArray EncodeMailBody(const QByteArray& text);

// The mail link of a report: to the support address, subject "Tavrik error", body
// ProgramTitle ("Tavrik 2.0"), CR LF and the report (whose lines the caller ends with CR LF).
QByteArray MailLink(const QString& report);

// The program's version, four numbers.
QString ProgramVersion();

// The error report: what went wrong, the chain of operations and the stack, with Copy
// (to the clipboard) and Send (a new mail in the default mail program).
class TfmException : public QDialog {
  Q_OBJECT

 public:
  TfmException(const QString& report, const TPreferences& preferences, QWidget* parent = nullptr);

  void btnCopyClick();
  void btnSendClick();

  TGradientLabel* lHeader = nullptr;
  QPlainTextEdit* Memo = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCopy = nullptr;
  QPushButton* btnSend = nullptr;
};

// Builds the report of `error` and shows it modally. The program goes on afterwards.
void ShowErrorReport(const std::exception& error, const TPreferences& preferences,
                     QWidget* parent = nullptr);

}  // namespace tavrik
