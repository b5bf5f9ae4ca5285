// The Qt side of the platform layer: file-dialog filters and setup, and the
// message-box buttons and answers.

#include <QAbstractButton>
#include <QFileDialog>
#include <QtTest>

#include "app/messages.h"
#include "platform/qt_chooser.h"
#include "platform/qt_prompter.h"
#include "platform/qt_text.h"
#include "platform/qt_translation.h"

namespace corvane {

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void FiltersKeepTheirTextAndGiveQtThePatterns_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("open dia, Japanese")
        << Qs(FilterFor(FilterUse::kOpenDia, false).filter)
        << QStringLiteral("ダイヤデータ(*.kvb);;旧ダイヤデータ(*.kvp);;旧ダイヤデータ(*.kvd)");
    QTest::newRow("text log, English")
        << Qs(FilterFor(FilterUse::kTextLog, true).filter)
        << QStringLiteral("Text Log File(*.log);;CSV Log File(*.csv)");
    QTest::newRow("several patterns")
        << QStringLiteral("All(*.kvb;*.kvp)|*.kvb;*.kvp||") << QStringLiteral("All(*.kvb *.kvp)");
    QTest::newRow("description without its patterns")
        << QStringLiteral("マップデータ|*.kvm||") << QStringLiteral("マップデータ (*.kvm)");
    QTest::newRow("patterns that differ from the description")
        << QStringLiteral("Data(*.kvb)|*.kvb; *.kvp||")
        << QStringLiteral("Data(*.kvb) (*.kvb *.kvp)");
    QTest::newRow("the doubled bar ends the list")
        << QStringLiteral("A(*.a)|*.a||B(*.b)|*.b||") << QStringLiteral("A(*.a)");
    QTest::newRow("a description without a pattern is dropped")
        << QStringLiteral("A(*.a)|*.a|B(*.b)") << QStringLiteral("A(*.a)");
    QTest::newRow("empty") << QString() << QString();
  }
  void FiltersKeepTheirTextAndGiveQtThePatterns() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(QtFileFilter(Utf8(filter)), expected);
  }

  void SaveDialogAddsTheExtensionAndAsksBeforeReplacing() {
    QFileDialog dialog;
    FileChoice choice;
    choice.save = true;
    choice.overwrite_prompt = true;
    choice.filter = FilterFor(FilterUse::kSaveDia, false).filter;
    choice.default_extension = "kvb";
    choice.initial_path = QDir::tempPath().toStdString() + "/new.kvb";
    ConfigureFileDialog(dialog, choice);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.fileMode(), QFileDialog::AnyFile);
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("kvb"));
    QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("ダイヤデータ(*.kvb)")});
    QCOMPARE(dialog.directory().absolutePath(), QDir(QDir::tempPath()).absolutePath());

    choice.overwrite_prompt = false;
    ConfigureFileDialog(dialog, choice);
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  }

  void BoxClosedWithoutAButtonChangesNothing() {
    QCOMPARE(AnswerFor(-1, PromptButtons::kYesNoCancel), PromptAnswer::kCancel);
    QCOMPARE(AnswerFor(-1, PromptButtons::kAbortRetryIgnore), PromptAnswer::kAbort);
    QCOMPARE(AnswerFor(-1, PromptButtons::kOk), PromptAnswer::kOk);
  }

  void BoxShowsTheCoreTextAndReturnsTheButtonPressed() {
    QtPrompter prompter;
    QString shown_text;
    QString shown_caption;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      shown_text = box->text();
      shown_caption = box->windowTitle();
      box->button(QMessageBox::No)->click();
    });
    const PromptAnswer answer =
        prompter.Ask("終了しますか？", "終了確認", PromptButtons::kYesNo, PromptIcon::kQuestion);
    QCOMPARE(answer, PromptAnswer::kNo);
    QCOMPARE(shown_text, QStringLiteral("終了しますか？"));
    QCOMPARE(shown_caption, QStringLiteral("終了確認"));
  }

  void ButtonsSpeakTheInterfaceLanguage() {
    // The texts of the buttons of the next box the prompter shows.
    auto buttons_of = [](PromptButtons buttons) {
      QStringList texts;
      QTimer::singleShot(0, [&texts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        for (QAbstractButton* button : box->buttons()) texts << button->text();
        box->buttons().first()->click();
      });
      QtPrompter().Ask("text", "caption", buttons, PromptIcon::kQuestion);
      texts.sort();
      return texts;
    };
    auto sorted = [](QStringList texts) {
      texts.sort();
      return texts;
    };

    QVERIFY(InstallQtTranslation(false));
    QCOMPARE(buttons_of(PromptButtons::kYesNoCancel),
             sorted({QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)"),
                     QStringLiteral("キャンセル")}));
    QCOMPARE(buttons_of(PromptButtons::kAbortRetryIgnore),
             sorted({QStringLiteral("中止"), QStringLiteral("再試行"), QStringLiteral("無視")}));

    QVERIFY(InstallQtTranslation(true));
    QCOMPARE(buttons_of(PromptButtons::kYesNo),
             sorted({QStringLiteral("&Yes"), QStringLiteral("&No")}));
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::QtPlatformTest)
#include "qt_platform_test.moc"
