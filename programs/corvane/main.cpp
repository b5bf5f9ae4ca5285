// corvane: the desktop program, the map editor and map compiler.

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/desktop_app.h"
#include "app/environment.h"
#include "main/main_frame.h"
#include "platform/dialog_owner.h"
#include "platform/qt_chooser.h"
#include "platform/qt_prompter.h"
#include "platform/qt_text.h"
#include "platform/qt_translation.h"
#include "platform/ui_font.h"

namespace {

bool AsksForHelp(int argc, char** argv) {
  std::vector<std::string> tokens(argv + 1, argv + argc);
  return corvane::ParseCommandLine(tokens).help;
}

}  // namespace

int main(int argc, char** argv) {
  // The help needs no display, so it comes before Qt connects to one.
  if (AsksForHelp(argc, argv)) {
    std::fputs(corvane::CommandLineHelp(), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setFont(corvane::WithJapaneseFallback(QApplication::font()));

  // Qt has taken its own options out; argument 0 is the program.
  QStringList arguments = QCoreApplication::arguments();
  if (!arguments.isEmpty()) arguments.removeFirst();
  std::vector<std::string> tokens;
  for (const QString& argument : arguments) tokens.push_back(corvane::Utf8(argument));
  const corvane::CommandLine command_line = corvane::ParseCommandLine(tokens);
  if (!command_line.unknown_options.empty()) {
    for (const std::string& option : command_line.unknown_options) {
      std::fprintf(stderr, "corvane: unknown option %s\n", option.c_str());
    }
    std::fputs(corvane::CommandLineHelp(), stderr);
    return 2;
  }

  corvane::SystemEnvironment environment;
  corvane::QtPrompter prompter;
  corvane::QtChooser chooser;
  corvane::AppContext context(environment, prompter, chooser);
  corvane::DesktopApp desktop(context, command_line);
  if (!desktop.Start()) {
    std::fprintf(stderr, "corvane: %s", desktop.error().c_str());
    return 1;
  }
  // The language is settled now; Qt's own buttons and dialogs follow it.
  corvane::InstallQtTranslation(context.english);
  prompter.SetEnglish(context.english);
  // Boxes and file dialogs stand over the window the user works in.
  corvane::FollowActiveWindows();
  prompter.SetParent(desktop.main_frame());
  chooser.SetParent(desktop.main_frame());
  QObject::connect(&desktop, &corvane::DesktopApp::Finished, &application, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  return QApplication::exec();
}
