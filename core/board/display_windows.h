#pragma once
// The rules of the display windows 00 to 15, without any window: which
// number a new window takes, which window comes next, how a window opened
// from a board is set up, where a window goes on the screen, what its title
// says and what closing it means. The windows' sections live in the
// DiaModel (`windows()`, changed with `SetDisplayWindow`); the places,
// toolbars and fonts the settings file keeps are `DisplayWindowLayout`s.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompter.h"
#include "board/board_view.h"
#include "data/dia_members.h"
#include "data/view_settings.h"

namespace corvane {

class DiaModel;

// ------------------------------------------------------------ numbers

// The first window number not open (0..15), or -1 when all sixteen are:
// then "新規ウインドウ" does nothing.
int FirstFreeDisplayWindow(const WindowSections& windows);
// "ウインドウ切替": the next open window after `current`; after the
// highest open number comes the lowest (`current` itself when it is the
// only one open).
int NextOpenDisplayWindow(const WindowSections& windows, int current);
// The open windows' numbers, lowest first.
std::vector<int> OpenDisplayWindows(const WindowSections& windows);

// ------------------------------------------------------------ opening

// A window opened by "新規ウインドウ" or at start: open, at the place and
// with the toolbar and font the settings file keeps for it, the default
// view options otherwise.
DisplayWindowSection NewDisplayWindow(const DisplayWindowLayout& layout);
// A window the data opens: the data's section, at the settings file's
// place when the section has none.
DisplayWindowSection WindowOpenedByData(const DisplayWindowSection& from_data,
                                        const DisplayWindowLayout& layout);
// What the settings file keeps of a window when it closes (`open`: whether
// it reopens at the next start): its place (the last one kept while it has
// none), toolbar and font.
DisplayWindowLayout LayoutOfWindow(const DisplayWindowSection& window,
                                   const DisplayWindowLayout& kept, bool open);

// The zoom a window opened from a board's context menu adds to that
// board's factors, on each axis.
inline constexpr int kContextWindowZoom = 2048;

// "新規ウインドウ－位置": the board's zoom factors plus 2048 each, scrolled
// so that the map point (`map_x`, `map_y`, row offsets included: the point
// under the click, PixelToMapX/Y) is at the centre of a client area of
// `client_width` x `client_height`.
ViewSettings ViewCentredOn(const ViewSettings& board, std::int64_t map_x, std::int64_t map_y,
                           int client_width, int client_height);
// "新規ウインドウ－列車": the board's zoom factors plus 2048 each, following
// `train`.
ViewSettings ViewFollowingTrain(const ViewSettings& board, int train);

// The board view of a window with `settings` and a client area of
// `client_width` x `client_height`: its zoom factors (within the scale
// range) and the pixel offsets of its scroll positions.
BoardView ViewOfWindow(const ViewSettings& settings, int client_width, int client_height);

// Opening and closing in the data's windows (a change of what is shown, not
// of the data). `OpenNewDisplayWindow` takes the first free number with the
// settings file's layout for it and returns the number, or -1 when all
// sixteen are open (then nothing happens). `OpenDisplayWindowNumber` opens
// window `n` unless it is open already. `CloseDisplayWindowNumber` closes a
// window other than 00 and forgets its view.
int OpenNewDisplayWindow(DiaModel& model,
                         std::span<const DisplayWindowLayout, kDisplayWindows> layouts);
void OpenDisplayWindowNumber(DiaModel& model, int n, const DisplayWindowLayout& layout);
void CloseDisplayWindowNumber(DiaModel& model, int n);

// ------------------------------------------------------------ placement

// Where a window with a stored place opens on a screen of `screen_width` x
// `screen_height` pixels: moved left until its left edge is at most
// `screen_width` - 100 and up until its top is at most `screen_height` -
// 100 (width and height kept), so that at least 100 pixels of it stay on
// the screen.
inline constexpr int kWindowLeftOnScreen = 100;
WindowRect PlaceDisplayWindow(const WindowRect& place, int screen_width, int screen_height);

// ------------------------------------------------------------ the title

// A station frame wholly inside a window (both x ends strictly between 0
// and the client width, both y ends strictly between 0 and the client
// height), in window pixels.
struct FrameOnScreen {
  int frame = 0;  // station_draw record
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
std::vector<FrameOnScreen> FramesWhollyInside(const SystemMap& map, const BoardView& view);
// The frame nearest to pixel (`px`, `py`): the smallest
// (x1 + x2 - 2px)^2 + 4 (y1 + y2 - 2py)^2, the first on ties; 0 when none.
int NearestStationFrame(std::span<const FrameOnScreen> frames, int px, int py);
int NearestStationFrame(const SystemMap& map, const BoardView& view, int px, int py);

// The station text of a window: the names (full names, UTF-8) of the frames
// nearest to its centre and corners, joined with "-".
std::string StationTextOfWindow(const SystemMap& map, const BoardView& view);
// The following train's name, "number type destination" (UTF-8; the
// train's own name for a train that runs to no diagram); empty when
// `train` is no train of the data.
std::string FollowedTrainName(const DiaData& dia, int train);
// "%s %s": `caption` (the one the main window gives its display windows)
// and "No.%d  %s" with the following train's name while the window follows
// a train of the data, else "No.%d %s" with the station text.
std::string DisplayWindowTitle(std::string_view caption, int n, const DiaFile& file,
                               const ViewSettings& settings, const BoardView& view);

// ------------------------------------------------------------ closing

inline constexpr const char kCloseLastWindowQuestion[] =
    "このウインドウを閉じると、プログラムは終了します。\nよろしいですか？\n";
inline constexpr const char kCloseLastWindowCaption[] = "終了確認";

enum class DisplayWindowClose {
  kClose,       // the window closes
  kEndProgram,  // window 00: the user chose to end the program
  kStayOpen,    // window 00: the user chose not to
};
// Closing window `n`: window 00 asks whether to end the program (Yes/No);
// any other window just closes.
DisplayWindowClose CloseDisplayWindow(int n, Prompter& prompter);

}  // namespace corvane
