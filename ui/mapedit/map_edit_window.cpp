#include "mapedit/map_edit_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/settings.h"
#include "base/ini_file.h"
#include "mapedit/map_view.h"
#include "platform/qt_text.h"

namespace corvane {

namespace {

// Texts of the window, Japanese and English.
struct WindowTexts {
  const char* caption;
  const char* file_menu;
  const char* new_map;
  const char* open_map;
  const char* save_map;
  const char* save_map_as;
  const char* safety_atc;
  const char* safety_ats;
  const char* edited;
};

constexpr WindowTexts kJapaneseTexts = {
    "マップ編集ウインドウ",
    "ファイル(&F)",
    "新規マップ(&N)",
    "マップデータを開く(&O)",
    "マップデータを上書き保存(&S)",
    "マップデータを別名で保存(&A)",
    "保安装置：ＡＴＣ",
    "保安装置：ＡＴＳ",
    "（更新）",
};
constexpr WindowTexts kEnglishTexts = {
    "Map Edit Window",       "File(&F)", "New Map(&N)", "Open Map File(&O)", "Write Map File(&S)",
    "Write As Map File(&A)", "  <ATC>",  "  <ATS>",     "(Edited)",
};

constexpr const char kCloseAction[] = "マップの編集を終了します。";
constexpr const char kNewMapQuestion[] =
    "新規マップの編集を開始します。\n現在のマップの変更は失われます。\nよろしいですか？";
constexpr const char kNewMapCaption[] = "新規確認";

const WindowTexts& TextsFor(bool english) { return english ? kEnglishTexts : kJapaneseTexts; }

MapFolders FoldersOf(const AppContext& context) {
  MapFolders folders;
  folders.temp = context.data_folder.TempFolder();
  folders.map_data = context.data_folder.table[kSlotDataKvm];
  folders.old_map = context.OldMapFolder();
  return folders;
}

}  // namespace

MapEditWindow::MapEditWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
  document_ = std::make_unique<MapDocument>(context_.edit_map, FoldersOf(context_),
                                            context_.prompter, context_.chooser, context_.log);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  prompt_line_ = new QLabel(central);
  prompt_line_->setContentsMargins(4, 2, 4, 2);
  // Keeps its height while it shows no prompt.
  prompt_line_->setMinimumHeight(prompt_line_->fontMetrics().height() + 4);
  layout->addWidget(prompt_line_);
  view_ = new MapView(context_.edit_map, central);
  layout->addWidget(view_, 1);
  setCentralWidget(central);
  CreateMenus();
  RestoreLayout();

  document_->NewMap();
  MapChanged();
  view_->setFocus();
}

MapEditWindow::~MapEditWindow() = default;

void MapEditWindow::CreateMenus() {
  const WindowTexts& texts = TextsFor(context_.english);
  QMenu* file = menuBar()->addMenu(Qs(texts.file_menu));
  QAction* new_map = file->addAction(Qs(texts.new_map), this, &MapEditWindow::NewMap);
  new_map->setShortcut(QKeySequence::New);
  file->addSeparator();
  QAction* open = file->addAction(Qs(texts.open_map), this, &MapEditWindow::OpenMap);
  open->setShortcut(QKeySequence::Open);
  QAction* save = file->addAction(Qs(texts.save_map), this, &MapEditWindow::SaveMap);
  save->setShortcut(QKeySequence::Save);
  QAction* save_as = file->addAction(Qs(texts.save_map_as), this, &MapEditWindow::SaveMapAs);
  save_as->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

void MapEditWindow::RestoreLayout() {
  const MapEditWindowSettings& settings = context_.settings.map_edit_window;
  view_->SetGridSteps(settings.grid_x, settings.grid_y);
  const WindowRect& rect = settings.rect;
  const WindowRect defaults = DefaultSettings(context_.env, context_.english).map_edit_window.rect;
  const WindowRect& used = rect.has_position ? rect : defaults;
  resize(std::max(used.right - used.left, 200), std::max(used.bottom - used.top, 150));
  if (rect.has_position) move(rect.left, rect.top);
}

void MapEditWindow::SaveLayout() {
  MapEditWindowSettings& settings = context_.settings.map_edit_window;
  settings.grid_x = view_->grid_x();
  settings.grid_y = view_->grid_y();
  if (!isMinimized() && !isMaximized()) {
    const QPoint position = pos();
    settings.rect = {position.x(), position.y(), position.x() + width(), position.y() + height(),
                     true};
  }
  if (context_.data_folder.path.empty()) return;
  const std::string path = context_.SettingsPath();
  IniFile ini = IniFile::Load(path);
  WriteMapEditWindowLayout(ini, settings);
  ini.Save(path);
}

bool MapEditWindow::OpenMapFile(const QString& path) {
  const OpenOutcome outcome = document_->OpenPath(Utf8(path));
  MapChanged();
  if (outcome == OpenOutcome::kCloseWindow) close();
  return outcome == OpenOutcome::kOpened;
}

bool MapEditWindow::ConfirmClose() {
  const bool go_on = document_->ConfirmSaveChanges(kCloseAction);
  UpdateTitle();
  return go_on;
}

void MapEditWindow::NewMap() {
  if (context_.edit_map.modified &&
      context_.prompter.Ask(kNewMapQuestion, kNewMapCaption, PromptButtons::kYesNo,
                            PromptIcon::kQuestion) != PromptAnswer::kYes) {
    return;
  }
  document_->NewMap();
  view_->ScrollTo(0, 0);
  MapChanged();
}

void MapEditWindow::OpenMap() {
  const OpenOutcome outcome = document_->Open();
  if (outcome == OpenOutcome::kOpened) view_->ScrollTo(0, 0);
  MapChanged();
  if (outcome == OpenOutcome::kCloseWindow) close();
}

void MapEditWindow::SaveMap() {
  document_->Save();
  MapChanged();
}

void MapEditWindow::SaveMapAs() {
  document_->SaveAs();
  MapChanged();
}

void MapEditWindow::MapChanged() {
  UpdateTitle();
  view_->UpdateScrollRanges();
}

void MapEditWindow::UpdateTitle() {
  const WindowTexts& texts = TextsFor(context_.english);
  QString caption = Qs(texts.caption);
  const std::string name = document_->title_name();
  if (!name.empty()) caption = Qs(name) + QStringLiteral(" - ") + caption;
  const EditMap& map = context_.edit_map;
  const char* safety =
      map.settings.safety_device == kSafetyAts ? texts.safety_ats : texts.safety_atc;
  const char* edited = map.modified ? texts.edited : "";
  setWindowTitle(QStringLiteral("%1  %2  %3").arg(caption, Qs(safety), Qs(edited)));
}

void MapEditWindow::closeEvent(QCloseEvent* event) {
  if (!ConfirmClose()) {
    event->ignore();
    return;
  }
  SaveLayout();
  event->accept();
}

}  // namespace corvane
