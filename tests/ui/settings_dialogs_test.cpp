// The map's settings dialogs in the map edit window: opened from the
// settings menu, filled through their widgets, the colour chooser of the
// signal detail dialog.

#include <QAction>
#include <QColorDialog>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "editor/map_edit_menu.h"
#include "editor/signal_detail.h"
#include "support/map_edit_harness.h"

namespace corvane {
namespace {

struct Harness : testing::MapEditHarness {
  Harness() { Show(); }
};

}  // namespace

class SettingsDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void MapPropertiesFromTheMenu() {
    Harness h;
    QString title;
    Harness::WithDialog([&h] { h.Action(kCmdMapProperty)->trigger(); },
                        [&](QDialog& dialog) {
                          title = dialog.windowTitle();
                          Harness::Type(dialog, "map_name", QString::fromUtf8("東西線"));
                          Harness::Type(dialog, "max_speed", QStringLiteral("130"));
                          dialog.findChild<QRadioButton*>(QStringLiteral("direction_1"))->click();
                          Harness::Press(dialog, "ok");
                        });
    QCOMPARE(title, QString::fromUtf8("マッププロパティ"));
    const MapSettings& settings = h.map().header().settings;
    QCOMPARE(h.map().header().map_name.Utf8(), std::string("東西線"));
    QCOMPARE(settings.max_speed, 130);
    QCOMPARE(settings.right_down, 0);
    QVERIFY(h.map().modified());
  }

  void ColourChooserRecoloursTheSelectedAspect() {
    Harness h;
    const int type = 1;
    const int low = 0;
    const int colour = h.map().signal_types()[type].aspects[low].colour;
    QString swatch;
    Harness::WithDialog([&h] { h.Action(kCmdMapSignalDetails)->trigger(); },
                        [&](QDialog& dialog) {
                          QTimer::singleShot(0, [] {
                            auto* chooser =
                                qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                            if (chooser == nullptr) return;
                            chooser->setCurrentColor(QColor(0, 0, 255));
                            chooser->accept();
                          });
                          Harness::Press(dialog, "colour_change");
                          swatch = dialog.findChild<QLabel*>(QStringLiteral("colour"))->toolTip();
                          Harness::Press(dialog, "ok");
                        });
    QCOMPARE(swatch, QStringLiteral("#0000FF"));
    QCOMPARE(h.map().colours()[colour], (AspectColour{0, 0, 255}));
    QVERIFY(h.map().modified());
  }

  void SignalSetterChoosesFromTheSignalList() {
    Harness h;
    QString title;
    Harness::WithDialog([&h] { h.Action(kCmdSignalLeftward)->trigger(); },
                        [&](QDialog& dialog) {
                          title = dialog.windowTitle();
                          dialog.findChild<QListWidget*>(QStringLiteral("type"))->setCurrentRow(2);
                          Harness::Press(dialog, "ok");
                        });
    QCOMPARE(title, QString::fromUtf8("信号選択"));
    QCOMPARE(h.session().mode(), EditMode::kSignalLeftward);
    QCOMPARE(h.session().tool_values().signal_type, 2);
    QVERIFY(!h.map().modified());
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::SettingsDialogsTest)
#include "settings_dialogs_test.moc"
