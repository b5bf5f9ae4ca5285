// The dialogs of the start-up and the main menu: what they show and what
// they hand back, with every decision taken by the core.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "app/app_context.h"
#include "app/command_line.h"
#include "main/data_folder_change_dialog.h"
#include "main/passenger_simulation_dialog.h"
#include "main/start_mode_dialog.h"
#include "platform/qt_text.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {

class StartDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void StartModeDialogPreselectsAndDescribes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("description");
    QTest::newRow("ResetSetting asks with normal start")
        << int{kStartAsk} << 0 << QStringLiteral("通常に起動します。");
    QTest::newRow("ResetAllSetting")
        << int{kStartResetAllSettings} << 2
        << QStringLiteral(
               "全ての設定を初期化します。なお、初期化をするとプログラムは自動的に終了します。");
    QTest::newRow("ResetWindowPos") << int{kStartResetWindowPositions} << 1
                                    << QStringLiteral(
                                           "ウインドウ位置の設定を初期化します。なお、初期化をする"
                                           "とプログラムは自動的に終了します。");
  }
  void StartModeDialogPreselectsAndDescribes() {
    QFETCH(int, mode);
    QFETCH(int, row);
    QFETCH(QString, description);
    StartModeDialog dialog(mode, false, nullptr);
    QCOMPARE(dialog.list()->currentRow(), row);
    QCOMPARE(dialog.description(), description);
  }

  void StartModeDialogShowsItsTextsAndFollowsTheList() {
    StartModeDialog dialog(kStartAsk, false, nullptr);
    QCOMPARE(dialog.windowTitle(),
             QStringLiteral("鉄道運行管理シミュレータ「Corvane」　起動モード選択"));
    QStringList entries;
    for (int i = 0; i < dialog.list()->count(); ++i) entries << dialog.list()->item(i)->text();
    QCOMPARE(entries,
             (QStringList{QStringLiteral("通常起動"), QStringLiteral("ウインドウ位置設定初期化"),
                          QStringLiteral("全設定初期化")}));
    QCOMPARE(dialog.run_button()->text(), QStringLiteral("実行"));
    QCOMPARE(dialog.cancel_button()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    QVERIFY(dialog.findChild<QPlainTextEdit*>()->isReadOnly());

    dialog.list()->setCurrentRow(1);
    QCOMPARE(dialog.selected_mode(), int{kStartResetWindowPositions});
    QVERIFY(
        dialog.description().startsWith(QStringLiteral("ウインドウ位置の設定を初期化します。")));
    dialog.run_button()->click();
    QCOMPARE(dialog.result(), int{QDialog::Accepted});
  }

  void DataFolderDialogOpensWithTheFolderInUse() {
    Fixture fixture;
    DataFolderChangeDialog dialog(fixture.context, nullptr, fixture.Chooser());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("データフォルダ変更"));
    QCOMPARE(dialog.folder_field()->text(), Qs(fixture.context.data_folder.path));
    QCOMPARE(dialog.browse_button()->text(), QStringLiteral("参照(&B)"));
    QCOMPARE(dialog.change_button()->text(), QStringLiteral("変更"));
    QCOMPARE(dialog.cancel_button()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
  }

  void BrowseStartsAtTheTypedFolderOrTheDocuments() {
    Fixture fixture;
    DataFolderChangeDialog dialog(fixture.context, nullptr, fixture.Chooser());
    fixture.answer = fixture.scratch.path() + "chosen";
    dialog.browse_button()->click();
    QCOMPARE(fixture.title, QStringLiteral("フォルダの選択"));
    QCOMPARE(fixture.start, Qs(fixture.context.data_folder.path));
    QCOMPARE(dialog.folder_field()->text(), Qs(fixture.scratch.path() + "chosen"));

    dialog.folder_field()->clear();
    fixture.answer.reset();
    dialog.browse_button()->click();
    QCOMPARE(fixture.start, Qs(fixture.env.documents));
    QVERIFY(dialog.folder_field()->text().isEmpty());
  }

  void ChangeStaysOpenOnTheSameFolderAndClosesOnAConfirmedOne() {
    Fixture fixture;
    DataFolderChangeDialog dialog(fixture.context, nullptr, fixture.Chooser());
    dialog.change_button()->click();
    QCOMPARE(fixture.prompter.shown().size(), std::size_t{1});
    QCOMPARE(fixture.prompter.shown()[0].text,
             std::string("データフォルダが現在の設定と変わっていません。"));
    QCOMPARE(dialog.result(), int{QDialog::Rejected});
    QVERIFY(dialog.requested().empty());

    // A new folder: "create and move?" then "end the program?".
    const std::string target = fixture.scratch.path() + "new_data";
    dialog.folder_field()->setText(Qs(target + "/"));
    fixture.prompter.Queue(PromptAnswer::kYes);
    fixture.prompter.Queue(PromptAnswer::kYes);
    dialog.change_button()->click();
    QCOMPARE(dialog.result(), int{QDialog::Accepted});
    QCOMPARE(dialog.requested(), target);
  }

  void DocumentsFolderItselfBecomesANewFolderInTheField() {
    Fixture fixture;
    DataFolderChangeDialog dialog(fixture.context, nullptr, fixture.Chooser());
    dialog.folder_field()->setText(Qs(fixture.env.documents));
    fixture.prompter.Queue(PromptAnswer::kYes);  // make "Corvane" inside
    fixture.prompter.Queue(PromptAnswer::kNo);   // but do not move after all
    dialog.change_button()->click();
    QCOMPARE(dialog.folder_field()->text(), Qs(fixture.env.documents + "/Corvane"));
    QVERIFY(dialog.requested().empty());
  }

  void PassengerBoxesFollowTheSkipBox() {
    PassengerOptions options;
    options.hour = true;
    PassengerSimulationDialog dialog(options, false, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("乗客数シミュレート設定"));
    QCheckBox* avoid = dialog.box(PassengerBox::kAvoid);
    QCheckBox* hour = dialog.box(PassengerBox::kHour);
    QVERIFY(hour->isChecked() && hour->isEnabled());
    avoid->click();
    QVERIFY(dialog.options().avoid);
    QVERIFY(!hour->isEnabled());
    QVERIFY(!dialog.box(PassengerBox::kGraph)->isEnabled());
    QVERIFY(!dialog.box(PassengerBox::kTrain)->isEnabled());
    QVERIFY(hour->isChecked());
    avoid->click();
    QVERIFY(hour->isEnabled());
    hour->click();
    QVERIFY(!dialog.options().hour);
  }

 private:
  // A data folder in use, the user's folders and a scripted folder chooser.
  struct Fixture {
    Fixture() : context(env, prompter, chooser) {
      env.documents = scratch.path() + "documents";
      env.desktop = scratch.path() + "desktop";
      context.data_folder.path = scratch.path() + "data";
      for (const std::string& folder : {env.documents, env.desktop, context.data_folder.path}) {
        QDir().mkpath(Qs(folder));
      }
    }
    DataFolderChangeDialog::FolderChooser Chooser() {
      return [this](const QString& chooser_title, const QString& chooser_start) {
        title = chooser_title;
        start = chooser_start;
        return answer;
      };
    }

    testing::ScratchFolder scratch;
    testing::FakeEnvironment env;
    ScriptedPrompter prompter;
    ScriptedChooser chooser;
    AppContext context;
    QString title;
    QString start;
    std::optional<std::string> answer;
  };
};

}  // namespace corvane

QTEST_MAIN(corvane::StartDialogsTest)
#include "start_dialogs_test.moc"
