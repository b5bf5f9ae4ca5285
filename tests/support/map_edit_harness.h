#pragma once
// A map edit window for the Qt tests: a data folder in a scratch folder, the
// program's data from the source tree, scripted dialogs.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "app/data_folder.h"
#include "app/settings.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/prompter.h"
#include "mapedit/map_edit_window.h"
#include "mapedit/map_view.h"
#include "platform/qt_text.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane::testing {

struct MapEditHarness {
  // The window takes the interface language when it is made.
  explicit MapEditHarness(bool english = false) : context(env, prompter, chooser) {
    context.english = english;
    env.program_folder = CORVANE_SOURCE_DIR "/data";
    const std::string folder = WithoutTrailingSlash(scratch.path());
    context.data_folder.path = folder;
    context.data_folder.table = *DataFolderTable::Build(folder);
    std::filesystem::create_directories(context.data_folder.TempFolder());
    std::filesystem::create_directories(context.data_folder.table[kSlotDataKvm]);
    context.settings = DefaultSettings(env, false);
    window = std::make_unique<MapEditWindow>(context);
    // The window starts without a map; the tests draw on a new one.
    AcceptingDialogs([this] { window->NewMap(); });
  }

  // The window shown at a size that shows a good part of the grid.
  void Show() {
    window->resize(640, 480);
    window->show();
  }

  // Runs `action`, pressing OK in every dialog it opens.
  static void AcceptingDialogs(const std::function<void()>& action) {
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->accept();
      }
    });
    timer.start();
    action();
  }

  // Runs `action` with `on_dialog` called on the first dialog it opens (the
  // dialog is still modal then); a dialog `on_dialog` leaves open is
  // cancelled.
  static void WithDialog(const std::function<void()>& action,
                         const std::function<void(QDialog&)>& on_dialog) {
    QTimer::singleShot(0, [on_dialog] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      on_dialog(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    action();
  }

  MapView& view() { return window->view(); }
  EditSession& session() { return window->session(); }
  const EditMap& map() const { return context.edit_map; }

  // The view's pixel of grid point (x, y) as the view is scrolled now.
  QPoint PixelOf(int x, int y) {
    return QPoint(x * kCellWidth, y * kCellHeight) - view().ScrollOffset();
  }
  void Click(int x, int y) {
    QTest::mousePress(view().viewport(), Qt::LeftButton, {}, PixelOf(x, y));
    QTest::mouseRelease(view().viewport(), Qt::LeftButton, {}, PixelOf(x, y));
  }
  // A click at the centre of cell (x, y), inside any box that covers it.
  void ClickInside(int x, int y) {
    QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, PixelOf(x, y) + QPoint(5, 6));
  }
  void RightClick(int x, int y) {
    QTest::mousePress(view().viewport(), Qt::RightButton, {}, PixelOf(x, y));
    QTest::mouseRelease(view().viewport(), Qt::RightButton, {}, PixelOf(x, y));
  }
  void Key(char key) { QTest::keyClick(&view(), key); }

  QString Title() const { return window->windowTitle(); }
  QString Prompt() const {
    return window->findChild<QLabel*>(QStringLiteral("prompt_line"))->text();
  }
  QAction* Action(const char* id) const { return window->findChild<QAction*>(Qs(id)); }

  // Puts `text` into the line edit `name` of the dialog as typing would.
  static void Type(QDialog& dialog, const char* name, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    QVERIFY(edit != nullptr);
    edit->setText(text);
    emit edit->textEdited(text);
  }
  static void Press(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY(button != nullptr);
    button->click();
  }

  // `name` in the data folder's map folder.
  std::string MapPath(const std::string& name) const {
    return JoinPath(context.data_folder.table[kSlotDataKvm], name);
  }

  ScratchFolder scratch;
  FakeEnvironment env;
  ScriptedPrompter prompter;
  ScriptedChooser chooser;
  AppContext context;
  std::unique_ptr<MapEditWindow> window;
};

}  // namespace corvane::testing
