#pragma once
// An editing session on a map of its own, with the clicks and drawing of
// the map edit window's user and dialogs a test answers.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/edit_session.h"
#include "mapfile/map_file.h"

namespace corvane::testing {

// Dialogs that answer as a test tells them and remember what they saw.
class FakeDialogs : public EditDialogs {
 public:
  bool ChooseStation(MapChange& change, EditMode tool, int* current) override {
    ++station_dialogs;
    if (cancel_station) return false;
    return EditDialogs::ChooseStation(change, tool, current);
  }
  bool EditRail(const EditMap&, int rail, MapRail* record, std::vector<MapDetail>*) override {
    edited_rail = rail;
    highlighted = session->highlight_rail();
    if (!edit_rail) return false;
    edit_rail(*record);
    return true;
  }

  // The speed dialog answers from `speeds` (kCancel: cancel) and then
  // confirms the speed it shows; it notes the highlighted branch.
  static constexpr int kCancel = -1;
  bool EnterSpeed(int* speed) override {
    speed_branches.push_back(session->state().highlight_branch);
    if (speeds.empty()) return true;
    const int answer = speeds.front();
    speeds.erase(speeds.begin());
    if (answer == kCancel) return false;
    *speed = answer;
    return true;
  }

  EditSession* session = nullptr;
  std::vector<int> speeds;
  std::vector<int> speed_branches;
  bool cancel_station = false;
  int station_dialogs = 0;
  std::function<void(MapRail&)> edit_rail;
  int edited_rail = 0;
  int highlighted = 0;
};

class EditSessionTest : public ::testing::Test {
 protected:
  EditSessionTest() { dialogs_.session = &session_; }

  void Click(int x, int y) { session_.LeftDown(x * kCellWidth, y * kCellHeight); }
  void Right(int x, int y) { session_.RightDown(x * kCellWidth, y * kCellHeight); }
  // Clicks at the centre of cell (x, y), inside any box that covers it.
  void ClickInside(int x, int y) { session_.LeftDown(x * kCellWidth + 5, y * kCellHeight + 6); }

  void Draw(int direction, std::vector<GridPoint> clicks) {
    session_.ChooseMode(EditMode::kTrack, direction);
    for (const GridPoint& p : clicks) Click(p.x, p.y);
    Right(0, 0);
  }
  void Turnout(GridPoint joint, std::vector<GridPoint> ends) {
    session_.ChooseMode(EditMode::kTurnout);
    Click(joint.x, joint.y);
    for (const GridPoint& p : ends) Click(p.x, p.y);
    Right(0, 0);
  }

  // Runs `action` and checks that it showed exactly this refusal and left the
  // map as it was.
  void ExpectRefusal(const std::function<void()>& action, const std::string& text,
                     const std::string& caption) {
    const std::string before = FormatMapText(map_.content());
    const bool modified = map_.modified();
    prompter_.ClearShown();
    action();
    ASSERT_EQ(prompter_.shown().size(), 1u);
    EXPECT_EQ(prompter_.shown()[0].text, text);
    EXPECT_EQ(prompter_.shown()[0].caption, caption);
    EXPECT_EQ(FormatMapText(map_.content()), before);
    EXPECT_EQ(map_.modified(), modified);
  }

  static std::vector<int> Box(const MapRail& r) { return {r.x1, r.y1, r.x2, r.y2}; }
  static std::vector<int> Box(const MapPoint& p) { return {p.x1, p.y1, p.x2, p.y2}; }
  static std::vector<int> Rows(const MapPoint& p) {
    std::vector<int> rows;
    for (int j = 1; j <= p.branch_count; ++j) {
      rows.push_back(p.y1 + p.branch_left_dy[static_cast<std::size_t>(j)]);
      rows.push_back(p.y1 + p.branch_right_dy[static_cast<std::size_t>(j)]);
    }
    return rows;
  }

  EditMap map_;
  ScriptedPrompter prompter_;
  FakeDialogs dialogs_;
  EditSession session_{map_, prompter_, dialogs_};
};

}  // namespace corvane::testing
