#include "board/board_window.h"

#include "board/board_layout.h"
#include "board/board_scroll.h"
#include "board/display_windows.h"

namespace corvane {

namespace {

bool IsOpen(const DiaModel& model, int n) {
  return n >= 0 && n < kDisplayWindows && model.windows()[static_cast<std::size_t>(n)].open;
}

}  // namespace

BoardView WindowBoardView(const DiaModel& model, const LayoutEditing& editing, int n, int width,
                          int height) {
  if (n < 0 || n >= kDisplayWindows) return ViewOfWindow(ViewSettings{}, width, height);
  BoardView view = ViewOfWindow(model.windows()[static_cast<std::size_t>(n)].view, width, height);
  view.layout = editing.mode();
  return view;
}

BoardScene WindowBoardScene(const DiaModel& model, const LayoutEditing& editing,
                            const LineItems& items, int n, int width, int height) {
  const ViewSettings settings = n >= 0 && n < kDisplayWindows
                                    ? model.windows()[static_cast<std::size_t>(n)].view
                                    : ViewSettings{};
  BoardScene scene{model.file(), model.run(), WindowBoardView(model, editing, n, width, height),
                   settings, items};
  scene.layout_row = editing.row();
  scene.selected_rail = editing.selected_rail();
  if (editing.mode() == LayoutMode::kRowDivision) {
    scene.layout_cut = ClampToInt(BoundsOfRow(model.file(), editing.row()).right_end);
  }
  return scene;
}

void KeepWindowView(DiaModel& model, int n, const BoardView& view) {
  if (!IsOpen(model, n)) return;
  DisplayWindowSection section = model.windows()[static_cast<std::size_t>(n)];
  ViewSettings& settings = section.view;
  const ViewSettings before = settings;
  settings.scale_x = ClampScale(view.scale_x);
  settings.scale_y = ClampScale(view.scale_y);
  settings.scroll_pos_x = ScrollPositionOf(view.scroll_x);
  settings.scroll_pos_y = ScrollPositionOf(view.scroll_y);
  if (settings != before) model.SetDisplayWindow(n, section);
}

LayoutEffects RunWindowBoardCommand(DiaModel& model, LayoutEditing& editing, int n, int width,
                                    int height, BoardCommand command) {
  if (!IsOpen(model, n)) return {};
  BoardView view = WindowBoardView(model, editing, n, width, height);
  const LayoutEffects effects = RunBoardCommand(command, model, editing, view);
  ApplyScroll(effects, view);
  KeepWindowView(model, n, view);
  return effects;
}

LayoutEffects RunWindowLayoutClick(DiaModel& model, LayoutEditing& editing, int n, int width,
                                   int height, BoardClick click, PixelPoint pixel) {
  if (!IsOpen(model, n) || editing.mode() == LayoutMode::kNormal) return {};
  BoardView view = WindowBoardView(model, editing, n, width, height);
  LayoutEffects effects;
  switch (click) {
    case BoardClick::kLeft:
      effects = editing.LeftClick(model, view, pixel);
      break;
    case BoardClick::kRight:
      effects = editing.RightClick(model);
      break;
    case BoardClick::kDouble:
      effects = editing.DoubleClick(model, view, pixel);
      break;
  }
  if (effects.scroll_x || effects.scroll_y) {
    ApplyScroll(effects, view);
    KeepWindowView(model, n, view);
  }
  return effects;
}

}  // namespace corvane
