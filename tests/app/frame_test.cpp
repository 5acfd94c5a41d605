#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>

#include "app/exception_report.h"
#include "app/single_instance.h"
#include "core/error.h"
#include "support/temp_folder.h"
#include "ui/widgets/error_handler.h"

namespace tavrik {
namespace {

TEST(MailBody, KeepsLettersDigitsAndTenMarksAndEncodesEveryOtherByte) {
  const std::pair<QByteArray, QByteArray> cases[] = {
      {"Az09", "Az09"},
      {"!$'()*-.@_", "!$'()*-.@_"},
      {"a b", "a%20b"},
      {"Draw\r\nDeal", "Draw%0d%0aDeal"},
      {"100%&?=+/#", "100%25%26%3f%3d%2b%2f%23"},
      {"\x7f\xc3\xa9", "%7f%c3%a9"},
      {"", ""},
  };
  for (const auto& [plain, encoded] : cases)
    EXPECT_EQ(EncodeMailBody(plain), encoded) << plain.data();
  EXPECT_EQ(MailLink("x y"),
            "mailto:support@tavrik.example?subject=Tavrik%20error&body=Tavrik%202.0%0d%0ax%20y");
}

TEST(Report, StackTraceIsCutToFiftyFullWidthAddresses) {
  EXPECT_EQ(StackTraceText({}), "Stackframe-based trace:");
  std::vector<uintptr_t> frames;
  for (uintptr_t i = 0; i < 60; ++i) frames.push_back(0xabc0 + i);
  const QStringList lines = StackTraceText(frames).split('\n');
  ASSERT_EQ(lines.size(), 51);
  const int digits = static_cast<int>(sizeof(uintptr_t) * 2);
  EXPECT_EQ(lines[1], QString("abc0").rightJustified(digits, '0'));
  EXPECT_EQ(lines[50], QString("abf1").rightJustified(digits, '0'));

  // The chain of operations stays on its own lines.
  const QString report =
      ReportText("2.0.0.0", "Card index out of range: 60\nDraw", 0x1f, StackTraceText({0x10}));
  EXPECT_EQ(report.split('\n'),
            QStringList({"Tavrik 2.0.0.0", "Card index out of range: 60", "Draw",
                         QString("1f").rightJustified(digits, '0'),
                         "Stackframe-based trace:", QString("10").rightJustified(digits, '0')}));
  EXPECT_LE(CaptureStack().size(), static_cast<size_t>(MaxStackFrames));
}

TEST(Report, WindowShowsTheReportAndCopiesIt) {
  TempFolder folder;
  TPreferences preferences;
  const QString report = ReportText(ProgramVersion(), "Broken\nDeal", 0, StackTraceText({}));
  TfmException window(report, preferences);
  EXPECT_TRUE(window.Memo->toPlainText().contains("Broken\nDeal"));
  window.btnCopyClick();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString(report).replace('\n', "\r\n"));
}

// Throws from its event handler on the first event it gets.
class TThrowingObject : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    ++Events;
    if (Events == 1) throw TError("First event fails");
    return true;
  }
  int Events = 0;
};

TEST(ApplicationObject, AnExceptionEscapingAnEventHandlerIsReportedAndTheLoopGoesOn) {
  std::vector<std::string> reported;
  TErrorHandler previous = SetErrorHandler(
      [&reported](const std::exception& error) { reported.push_back(error.what()); });
  TThrowingObject receiver;
  QEvent first(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &first));
  EXPECT_EQ(reported, std::vector<std::string>{"First event fails"});
  QEvent second(QEvent::User);
  EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &second));
  EXPECT_EQ(receiver.Events, 2);
  EXPECT_EQ(reported.size(), 1U);

  // An error while a report is being shown is not reported again.
  SetErrorHandler([&reported](const std::exception& error) {
    reported.push_back(error.what());
    HandleError(TError("inner"));
  });
  HandleError(TError("outer"));
  EXPECT_EQ(reported, (std::vector<std::string>{"First event fails", "outer"}));
  SetErrorHandler(std::move(previous));
}

TEST(SingleInstance, ASecondStartActivatesTheFirstAndALeftoverSocketBlocksNothing) {
  const QString name = "Tavrik-test-" + QString::number(QCoreApplication::applicationPid());
  // A copy killed outright leaves its socket file behind.
  QFile leftover(QDir::tempPath() + "/" + name);
  ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
  leftover.close();
  TSingleInstance first(name);
  ASSERT_FALSE(first.AnotherIsRunning());
  int activations = 0;
  first.OnActivate = [&activations] { ++activations; };

  TSingleInstance second(name);
  EXPECT_TRUE(second.AnotherIsRunning());
  EXPECT_TRUE(QTest::qWaitFor([&activations] { return activations == 1; }, 1000));
}

}  // namespace
}  // namespace tavrik
