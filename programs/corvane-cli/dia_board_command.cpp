#include "dia_board_command.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "app/dia_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "base/output_path.h"
#include "base/text_format.h"
#include "board/board_dump.h"
#include "board/board_view.h"
#include "cli_dia.h"
#include "cli_output.h"
#include "data/view_settings.h"
#include "map/map_records.h"
#ifdef CORVANE_CLI_RENDER
#include "dia_render_command.h"
#endif

namespace corvane {

namespace {

#ifdef CORVANE_CLI_RENDER
constexpr std::string_view kPictureKinds[] = {"png"};
#endif

// A whole decimal number, all of `text`.
std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

// "A<separator>B" as two whole numbers.
std::optional<std::pair<int, int>> NumberPair(std::string_view text, char separator) {
  const std::size_t at = text.find(separator);
  if (at == std::string_view::npos) return std::nullopt;
  const auto first = WholeNumber(text.substr(0, at));
  const auto second = WholeNumber(text.substr(at + 1));
  if (!first || !second) return std::nullopt;
  return std::pair{*first, *second};
}

// The largest picture side and scroll position the board commands take.
constexpr int kLargestBoardSide = 32767;
constexpr int kLargestScrollPosition = 100'000'000;

}  // namespace

bool ReadBoardOptions(const std::vector<std::string>& args, bool render, BoardOptions* options,
                      std::string* problem) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const auto value = [&arg](std::string_view name) -> std::optional<std::string_view> {
      if (arg.rfind(name, 0) != 0) return std::nullopt;
      return arg.substr(name.size());
    };
    if (const auto size = value("--size=")) {
      options->size = NumberPair(*size, 'x');
      if (!options->size || options->size->first < 1 || options->size->second < 1 ||
          options->size->first > kLargestBoardSide || options->size->second > kLargestBoardSide) {
        *problem = "--size=WxH expects two sizes from 1 to 32767";
        return false;
      }
    } else if (const auto scale = value("--scale=")) {
      options->scale = NumberPair(*scale, ',');
      if (!options->scale) {
        if (const auto both = WholeNumber(*scale)) options->scale = std::pair{*both, *both};
      }
      if (!options->scale || options->scale->first < kSmallestScale ||
          options->scale->second < kSmallestScale || options->scale->first > kLargestScale ||
          options->scale->second > kLargestScale) {
        *problem = "--scale=S or --scale=SX,SY expects factors from 256 to 65536";
        return false;
      }
    } else if (const auto scroll = value("--scroll=")) {
      options->scroll = NumberPair(*scroll, ',');
      const auto outside = [](int position) {
        return position < -kLargestScrollPosition || position > kLargestScrollPosition;
      };
      if (!options->scroll || outside(options->scroll->first) || outside(options->scroll->second)) {
        *problem = "--scroll=X,Y expects two scroll positions";
        return false;
      }
    } else if (const auto window = value("--window="); window && render) {
      const auto number = WholeNumber(*window);
      if (!number || *number < 0 || *number > 15) {
        *problem = "--window=N expects a window number from 0 to 15";
        return false;
      }
      options->window = *number;
    } else if (arg == "--whole" && render) {
      options->whole = true;
    } else if (arg.rfind("--", 0) == 0) {
      *problem = "unknown option " + std::string(arg);
      return false;
    } else {
      options->files.emplace_back(arg);
    }
  }
  return true;
}

namespace {

// The view settings display window `window` has in `file` (the defaults
// for a window the file keeps closed).
const ViewSettings& StoredViewSettings(const DiaFile& file, int window) {
  return file.windows[static_cast<std::size_t>(window)].view;
}

// The scene of a display window on `document`'s data: the window's stored
// zoom and scroll unless the options give them, then the client size.
BoardScene WindowScene(const DiaDocument& document, const BoardOptions& options,
                       const ViewSettings& settings) {
  BoardScene scene{document.file(), document.model().run(), {}, settings};
  const auto [scale_x, scale_y] =
      options.scale.value_or(std::pair{settings.scale_x, settings.scale_y});
  scene.view.scale_x = ClampScale(scale_x);
  scene.view.scale_y = ClampScale(scale_y);
  const auto [pos_x, pos_y] =
      options.scroll.value_or(std::pair{settings.scroll_pos_x, settings.scroll_pos_y});
  scene.view.scroll_x = ClampToInt(-std::int64_t{kScrollStep} * pos_x);
  scene.view.scroll_y = ClampToInt(-std::int64_t{kScrollStep} * pos_y);
  const auto [width, height] = options.size.value_or(std::pair{1000, 700});
  scene.view.width = width;
  scene.view.height = height;
  return scene;
}

// dia board FILE and dia render FILE OUT.png: the board of a display window.
}  // namespace

int BoardCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                 Prompter& prompter, const std::function<int(std::string_view)>& usage_error,
                 const LoadCheckSetup* load_checks) {
  const bool render = args[0] == "render";
  BoardOptions options;
  std::string problem;
  if (!ReadBoardOptions(args, render, &options, &problem))
    return usage_error("dia " + args[0] + ": " + problem);
  if (options.files.size() != (render ? 2U : 1U)) {
    return usage_error(render ? "dia render: FILE OUT.png expected" : "dia board: FILE expected");
  }
#ifdef CORVANE_CLI_RENDER
  if (render && !OutputPathAllowed(options.files[1], {options.files[0]}, kPictureKinds, prompter)) {
    return 2;
  }
#else
  if (render) return usage_error("dia render: this build draws no pictures");
#endif
  CliDia dia(data_folder, prompter, load_checks);
  if (!dia.ready() || !dia.Open(options.files[0])) return 1;
  const DiaDocument& document = dia.document();
  ViewSettings settings = StoredViewSettings(document.file(), options.window);
  if (!render) {
    // The dump always shows the zoom and scroll of its options (or their
    // defaults), whatever the window stored.
    settings.scale_x = settings.scale_y = kOneToOneScale;
    settings.scroll_pos_x = settings.scroll_pos_y = 0;
    const BoardScene scene = WindowScene(document, options, settings);
    PrintData(DumpBoard(scene));
    return 0;
  }
#ifdef CORVANE_CLI_RENDER
  BoardScene scene = WindowScene(document, options, settings);
  scene.english = data_folder.english;
  return RenderBoardFile(scene, options.whole, DiaFoldersOf(data_folder).image16, options.files[1])
             ? 0
             : 1;
#else
  return 1;
#endif
}

}  // namespace corvane
