// The message window: what it shows of the log and where it keeps its
// position.

#include "main/message_window.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>

#include "app/app_context.h"
#include "base/ini_file.h"
#include "platform/qt_text.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {

class MessageWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    context_ = std::make_unique<AppContext>(env_, prompter_, chooser_);
    context_->data_folder.path = scratch_.path() + "data" + std::to_string(++runs_);
    QDir().mkpath(Qs(context_->data_folder.path));
  }
  void cleanup() { context_.reset(); }

  void ShowsTheLast256LinesOldestFirst() {
    for (int i = 1; i <= 257; ++i) context_->log.AddLine("line " + std::to_string(i));
    MessageWindow window(*context_);
    const QStringList shown = window.ShownText().split(QLatin1Char('\n'));
    QCOMPARE(shown.size(), 256);
    QCOMPARE(shown.first(), QStringLiteral("line 2"));
    QCOMPARE(shown.last(), QStringLiteral("line 257"));
  }

  void EmptyLineShowsAsAFullWidthSpace() {
    context_->log.AddLine("＜エラー＞ 駅がありません。");
    context_->log.AddLine("");
    MessageWindow window(*context_);
    QCOMPARE(window.ShownText(), QStringLiteral("＜エラー＞ 駅がありません。\n　"));
  }

  void ShowsNewLinesAtOnceAndWrapsAtTheWidth() {
    {
      MessageWindow window(*context_);
      QCOMPARE(window.text_view()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
      QVERIFY(window.text_view()->isReadOnly());
      window.show();
      // No timer tick needed: the lines show when the event loop next runs.
      context_->log.AddLine("コンパイルを開始します。");
      context_->log.AddLine("");
      QCoreApplication::processEvents();
      QCOMPARE(window.ShownText(), QStringLiteral("コンパイルを開始します。\n　"));
    }
    // The log outlives the window and no longer calls it.
    context_->log.AddLine("after the window");
    QCOMPARE(context_->log.size(), 3);
  }

  void ADoubleClickNamesTheLogLineUnderIt() {
    context_->log.AddLine("");
    context_->log.AddLine("two\nblocks");
    context_->log.AddLine("＜エラー＞線路が重複しています。", MessageLink{0, 2});
    MessageWindow window(*context_);
    window.show();
    QSignalSpy spy(&window, &MessageWindow::LineDoubleClicked);
    QPlainTextEdit* text = window.text_view();
    const QTextCursor last(text->document()->findBlockByNumber(3));
    QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(last).center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 2);
    // The text is shown as written.
    QVERIFY(window.ShownText().endsWith(QStringLiteral("\n＜エラー＞線路が重複しています。")));
  }

  void TakesAndSavesItsPosition() {
    context_->settings.message_window = {120, 80, 520, 380, true};
    {
      MessageWindow window(*context_);
      QCOMPARE(window.pos(), QPoint(120, 80));
      QCOMPARE(window.size(), QSize(400, 300));
      window.show();
      window.move(150, 90);
      window.SaveLayout();
    }
    const IniFile ini = IniFile::Load(context_->SettingsPath());
    QCOMPARE(ini.GetInt("KORVMsgWindow", "PosLeft", -1), 150);
    QCOMPARE(ini.GetInt("KORVMsgWindow", "PosTop", -1), 90);
    QCOMPARE(ini.GetInt("KORVMsgWindow", "PosRight", -1), 550);
    QCOMPARE(ini.GetInt("KORVMsgWindow", "PosBottom", -1), 390);
  }

  void NeverShownWindowLeavesTheFileAlone() {
    MessageWindow window(*context_);
    window.SaveLayout();
    QVERIFY(!QFileInfo::exists(Qs(context_->SettingsPath())));
  }

 private:
  testing::ScratchFolder scratch_;
  testing::FakeEnvironment env_;
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  std::unique_ptr<AppContext> context_;
  int runs_ = 0;
};

}  // namespace corvane

QTEST_MAIN(corvane::MessageWindowTest)
#include "message_window_test.moc"
