// The editing tools' dialogs in the map edit window: opened by their tools,
// shown as forms in the interface language, filled through their widgets,
// OK storing and cancel discarding.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <string>

#include "editor/map_edit_menu.h"
#include "mapedit/map_view.h"
#include "platform/qt_text.h"
#include "support/map_edit_harness.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

// A window whose map holds a station and one segment from (2, 5) to (12, 5).
struct Harness : testing::MapEditHarness {
  explicit Harness(bool english = false) : MapEditHarness(english) {
    Show();
    MapChange change(context.edit_map);
    MapStation station;
    station.name = Sjis("東町駅");
    change.stations().Append(station);
    change.rails().Append(NewRail({2, 5}, {12, 5}, kBothWays));
  }

  const MapRail& rail() const { return context.edit_map.rails()[1]; }
};

}  // namespace

class EditorDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void PropertyToolEditsTheSegmentAndOkStoresIt() {
    Harness h;
    h.window->session().RunCommand(kCmdProperty);
    int highlighted = 0;
    QString title;
    bool side_by_side = false;
    Harness::WithDialog(
        [&h] { h.ClickInside(5, 5); },
        [&](QDialog& dialog) {
          title = dialog.windowTitle();
          highlighted = h.window->session().highlight_rail();
          // The two directions' groups stand side by side.
          const auto at = [&dialog](const char* id) {
            return dialog.findChild<QLineEdit*>(QLatin1String(id))->mapTo(&dialog, QPoint());
          };
          side_by_side = at("stop_right").x() > at("stop_left").x() &&
                         at("stop_right").y() == at("stop_left").y();
          Harness::Type(dialog, "length", QStringLiteral("250"));
          auto* station = dialog.findChild<QComboBox*>(QStringLiteral("station"));
          station->setCurrentIndex(1);
          emit station->activated(1);
          // In a station now: the stop targets can be typed.
          auto* stop = dialog.findChild<QLineEdit*>(QStringLiteral("stop_left"));
          QVERIFY(stop->isEnabled() && !stop->isReadOnly());
          Harness::Type(dialog, "stop_left", QStringLiteral("120"));
          Harness::Type(dialog, "name_right", QStringLiteral("東町下り"));
          Harness::Press(dialog, "ok");
        });
    QCOMPARE(title, QStringLiteral("線路情報入力"));
    QVERIFY(side_by_side);
    QCOMPARE(highlighted, 1);
    QCOMPARE(h.window->session().highlight_rail(), 0);
    QCOMPARE(h.rail().length, 250);
    QCOMPARE(h.rail().station, 1);
    QCOMPARE(h.rail().stop_left, 120);
    QVERIFY(h.rail().name_right == Sjis("東町下り"));
    QVERIFY(h.context.edit_map.modified());
  }

  void CancelAndRefusalsChangeNothing() {
    Harness h;
    h.context.edit_map.MarkSaved();
    h.window->session().RunCommand(kCmdProperty);
    Harness::WithDialog([&h] { h.ClickInside(5, 5); },
                        [](QDialog& dialog) {
                          Harness::Type(dialog, "length", QStringLiteral("999"));
                          Harness::Press(dialog, "cancel");
                        });
    // A refused OK keeps the dialog open; it is then cancelled.
    bool still_open = false;
    Harness::WithDialog([&h] { h.ClickInside(5, 5); },
                        [&still_open](QDialog& dialog) {
                          Harness::Type(dialog, "length", QStringLiteral("0"));
                          Harness::Press(dialog, "ok");
                          still_open = dialog.isVisible();
                        });
    QVERIFY(still_open);
    QCOMPARE(h.prompter.shown().size(), std::size_t{1});
    QCOMPARE(h.rail().length, 1000);
    QVERIFY(!h.context.edit_map.modified());
  }

  void StationToolChoosesFromItsList() {
    Harness h;
    QStringList items;
    Harness::WithDialog([&h] { h.window->session().CharKey('s'); },
                        [&items](QDialog& dialog) {
                          auto* list = dialog.findChild<QListWidget*>(QStringLiteral("list"));
                          for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
                          QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("ok"))->text(),
                                   QStringLiteral("線路指定"));
                          Harness::Press(dialog, "ok");
                        });
    QCOMPARE(items, QStringList{QStringLiteral("東町駅")});
    QCOMPARE(h.window->session().mode(), EditMode::kStation);
    QCOMPARE(h.window->session().current_station(), 1);
  }

  void EnglishInterfaceShowsEnglishLabels() {
    Harness h(true);
    h.window->session().RunCommand(kCmdProperty);
    QStringList labels;
    QString title;
    Harness::WithDialog([&h] { h.ClickInside(5, 5); },
                        [&](QDialog& dialog) {
                          title = dialog.windowTitle();
                          for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                            labels << label->text();
                          }
                        });
    QCOMPARE(title, QStringLiteral("Track Section Properties"));
    QVERIFY(labels.contains(QStringLiteral("Length")));
    QVERIFY(labels.contains(QStringLiteral("Stop Target")));
    QVERIFY(!labels.contains(QString::fromUtf8("区間距離")));
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::EditorDialogsTest)
#include "editor_dialogs_test.moc"
