// corvane-cli: the headless commands of Corvane.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "app/dia_document.h"
#include "app/english_twins.h"
#include "app/environment.h"
#include "app/first_tick.h"
#include "app/main_menu.h"
#include "app/map_document.h"
#include "app/series_data.h"
#include "app/settings.h"
#include "app/startup.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "base/output_path.h"
#include "base/prompter.h"
#include "base/text_format.h"
#include "board/layout_script.h"
#include "cli_dia.h"
#include "cli_output.h"
#include "compiler/compile_checks.h"
#include "compiler/map_compiler.h"
#include "dia_board_command.h"
#include "dia_edit_command.h"
#include "dia_interlocking_command.h"
#include "dia_operate_command.h"
#include "editor/edit_script.h"
#include "import_command.h"
#include "import_list_command.h"
#include "map/edit_map.h"
#include "mapfile/map_summary.h"
#include "mapfile/packed_bundle.h"
#include "run/load_checks.h"
#ifdef CORVANE_CLI_RENDER
#include "map_render_command.h"
#endif

namespace corvane {
namespace {

constexpr const char kUsage[] =
    "Usage: corvane-cli [options] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  pack TEXT BUNDLE            pack a bundle text into its stored form (BUNDLE: .kvm,\n"
    "                              .kvb, .kve or .kvw)\n"
    "  unpack BUNDLE TEXT          unpack a stored bundle into its text (TEXT: .txt, .kvp or\n"
    "                              .kv2)\n"
    "  map info MAP.kvm            print a map's header and the size of every table\n"
    "  map check MAP.kvm [--marks] [--save=OUT.kvm]\n"
    "                              run the compile checks, every warning question answered\n"
    "                              Yes; prints what the message window shows: an empty line,\n"
    "                              then every finding and counter line "
    "(\"エラー：N件　警告：N件\")\n"
    "                              in order; --marks then adds one line per mark, by kind\n"
    "                              (rail, point, draw, jump) and number, error first:\n"
    "                              \"mark rail 3 error\"; --save writes the map after the\n"
    "                              checks with their repairs, also when an error stopped them.\n"
    "                              Exit status 0 when every stage passed, 1 when an error\n"
    "                              stopped them, 2 when the map cannot be read\n"
    "  map signals MAP.kvm         print the signal types: per type, highest band first, one\n"
    "                              line per aspect band, tab-separated: type number, type short\n"
    "                              name, aspect speed N[km/h], step-up speed (1023: none), aspect\n"
    "                              name, colour #RRGGBB\n"
    "  map compile MAP.kvm OUT.kvb [--save-map=OUT.kvm]\n"
    "                              run the checks and compile the map (every warning question\n"
    "                              answered Yes); prints what the message window shows, from\n"
    "                              the checks' empty line through the findings, the\n"
    "                              \"＜情報＞\" report lines and the counter line; writes OUT.kvb\n"
    "                              (the compiled map and a new dia; OUT may be any dia data\n"
    "                              kind, as for dia resave) when the compile got past\n"
    "                              the checks; --save-map writes the map with its piece\n"
    "                              numbers and repairs. Exit status 0 without errors, 1 when\n"
    "                              an error was reported, 2 when the map cannot be read\n"
    "  map resave IN.kvm OUT.kvm   read a map file of any version, write it in the current one\n"
    "  map new OUT.kvm             write a new, empty map with the default signal types\n"
    "  map edit IN.kvm OUT.kvm     edit a map (IN -new: a new map) with the commands on standard\n"
    "                              input, one per line; \"save\" writes OUT.kvm:\n"
    "      mode N [ARG]            choose tool N; ARG: the track direction (both|left|right),\n"
    "                              the selection kind (individual|batch|range), or for the\n"
    "                              station tools 5-9 the station (stop section) that answers\n"
    "                              their selection dialog. Tools: 2-4 track, points,\n"
    "                              crossings; 5-9 stations; 10 jump; 11 delete; 12 select;\n"
    "                              13 move; 14-26 setters (choosing one opens its value\n"
    "                              dialog: answer it before the mode line); 27-31 naming;\n"
    "                              32 property; 33 start point;\n"
    "                              34 start distances; 39-42 insert/delete rows/columns\n"
    "      station ONE SHORT [NAME], stopsection ONE SHORT [NAME]\n"
    "                              add a station (stop section) and make it the current one\n"
    "      click X Y, right X Y, release X Y\n"
    "                              left click, right click, left button up at grid point X,Y\n"
    "      clickpx PX PY, rightpx PX PY, releasepx PX PY   the same at a pixel\n"
    "      key NAME                Esc, Left, Right, Up, Down (also Shift+...), Shift+Tab,\n"
    "                              space, a letter, Ctrl+Z (undo), Ctrl+Y or Ctrl+Shift+Z\n"
    "                              (redo)\n"
    "      command NAME            a menu command of the map edit window by its text without\n"
    "                              the accelerator, Japanese or English (新規マップ, 選択解除,\n"
    "                              選択反転, 移動, 起点距離確認・指定, グリッド表示設定,\n"
    "                              制限速度設定, Clear Selection), or by its id\n"
    "                              (map_edit.turnout, or turnout); a setter command opens\n"
    "                              its value dialog at once: answer it before the command\n"
    "      answer [FIELD=VALUE]... ok|cancel\n"
    "                              queue the answer for the next dialog that opens AFTER this\n"
    "                              line: an answer goes before the click, mode or command\n"
    "                              line that opens its dialog, e.g.\n"
    "                                answer 制限速度=85 ok\n"
    "                                command 制限速度設定\n"
    "                              Answers are used in order; a dialog with none queued is\n"
    "                              cancelled, and answers no dialog took are reported at the\n"
    "                              end. FIELD is the label the dialog shows in\n"
    "                              Japanese, with the group's arrow in front where it stands\n"
    "                              in both direction groups (←停止目標距離=95) and 詳細 for the\n"
    "                              detail entry's 制限速度, 勾配, 半径; list items by their\n"
    "                              text or #N; check boxes 0 or 1; 制限速度= unchecks;\n"
    "                              buttons as press=追加; \"quotes\" keep blanks in a value\n"
    "                              The map's settings: command マッププロパティ (マップ名,\n"
    "                              最高速度, →方向=下り|上り), command 信号設定 (保安装置,\n"
    "                              信号バージョン, 信号余裕距離, 信号現示計算減速度 as km/h/s,\n"
    "                              到着時進路確保距離, 出発時進路確保距離, 構内管理有効,\n"
    "                              電化方式有効, 順序制御時　駅発着順序使用, 走行特性, "
    "再力行速度),\n"
    "                              command 単位・標準時間設定 (単位時間, which also confirms it,\n"
    "                              標準時間=通過|N秒, 折返時間=N秒), command 信号詳細設定:\n"
    "                              信号機=NAME|#N selects a type (#1 is （次区画参照）),\n"
    "                              現示=#N an aspect band (#1 the highest), press=現示の追加,\n"
    "                              press=現示の削除, 現示速度=N[km/h], 進段現示=N[km/h],\n"
    "                              現示名称=TEXT, 色=#RRGGBB, 略記名称, 名称; steps apply in "
    "order\n"
    "      answer yes|no           queue the answer to the next Yes/No question after this line\n"
    "                              (the bulk setting's 指定確認, 新規確認); without one, --yes\n"
    "                              decides\n"
    "      save                    write OUT.kvm\n"
    "                              Empty lines and lines starting with # are skipped.\n"
#ifdef CORVANE_CLI_RENDER
    "  map render MAP.kvm OUT.png  draw the whole map as the map edit window shows it, as PNG\n"
#endif
    "  dia info FILE               print a dia data file's header values and the count of\n"
    "                              every table (FILE: .kvb, .kvp, .kvd, .kve or .kvw)\n"
    "  dia resave IN OUT           read dia data of any kind and version, write it in the\n"
    "                              current version as the kind of OUT's extension: .kvb,\n"
    "                              .kvw and .kve packed, .kvp the bundle text, .kvd the\n"
    "                              header with every member beside it in its folder;\n"
    "                              .kve with the rollback stack of the run-time state\n"
    "                              (executed data read restores its stack first; a stack\n"
    "                              that does not fit the data is reported, not restored)\n"
    "  dia layout IN OUT           the board's layout commands of display window 00 on the\n"
    "                              dia data IN, one per line from standard input:\n"
    "      size WxH                the window's client size (default 1000x700)\n"
    "      scale SX SY             the zoom factors (default 4096 4096; kept within\n"
    "                              256..65536)\n"
    "      scroll X Y              the scroll-bar positions (default 0 0; the pixel offsets\n"
    "                              are -20*X, -20*Y, applied as given)\n"
    "      command NAME            a board command by its menu text without the accelerator,\n"
    "                              Japanese or English: 表示位置自動修正, 表示位置初期化,\n"
    "                              表示間隔自動修正, 表示区切り変更, 表示位置変更, the\n"
    "                              zoom steps 横拡大－大, 横拡大－小, 横縮小－小, 横縮小－大,\n"
    "                              縦拡大－大, 縦拡大－小, 縦縮小－小, 縦縮小－大, and the\n"
    "                              main window's 線路プロパティ\n"
    "      click X Y               a left click at pixel X,Y of the board picture\n"
    "      right X Y               a right click\n"
    "      double X Y              a double click\n"
    "      save                    write OUT as the main window's save does\n"
    "                              The layout modes' prompts are printed on standard error\n"
    "                              as \"prompt: TEXT\"; a double click that opens the rail\n"
    "                              property dialog prints \"rail properties N\" on standard\n"
    "                              output. Empty lines and lines starting with # are\n"
    "                              skipped. Exit status 1 when IN cannot be read or the save\n"
    "                              fails, 2 for a line the script does not know\n"
    "  dia interlocking IN OUT on|off [--yes|--no]\n"
    "                              switch the relay-interlocking panel mode of the dia data\n"
    "                              IN on or off as the main menu's command does, then write\n"
    "                              OUT as the main window's save does (any dia kind, as for\n"
    "                              dia resave). Switching on generates the route levers and\n"
    "                              buttons anew; its question whether they start under\n"
    "                              demand control is answered by --yes (the default) or\n"
    "                              --no. Switching off keeps them. IN already as asked is\n"
    "                              written unchanged. Refusals are printed as message boxes\n"
    "                              (\"caption: text\"). Exit status 1 when a check refused\n"
    "                              the mode (OUT is not written) or IN cannot be read\n"
    "  dia check FILE [--yes|--no] [--ignore|--abort|--retry] [--save=OUT]\n"
    "                              open a dia data file as the main window opens it, with the\n"
    "                              load-time checks and repairs; every question and report\n"
    "                              goes to standard error as \"caption: text\" followed by\n"
    "                              \"answer: A\", the answer taken: Yes/No questions --yes or\n"
    "                              --no (default No), the rail link reports --ignore (end the\n"
    "                              check), --abort (the open fails) or --retry (go on: the\n"
    "                              default, so that every report is listed); --save writes\n"
    "                              the data with its repairs. Exit status 0 when nothing was\n"
    "                              reported, 1 when something was or the open failed, 2 when\n"
    "                              FILE cannot be read. dia info, resave, layout, board and\n"
    "                              render run the same checks with the same answers\n"
    "  dia board FILE [--size=WxH] [--scale=S|SX,SY] [--scroll=X,Y]\n"
    "                              print what display window 00 draws, one line per element in\n"
    "                              drawing order: the header line \"board WxH scale SX,SY\n"
    "                              scroll PX,PY track W\", then point labels, jump labels,\n"
    "                              station frames with their names and the linked rails, every\n"
    "                              record whether in the picture or not; texts in UTF-8 between\n"
    "                              double quotes with \\ and \" escaped. Defaults: 1000x700,\n"
    "                              scale 4096 (one map unit a pixel; 256..65536), scroll\n"
    "                              positions 0,0 (20 pixels each); the points at their normal\n"
    "                              positions, as opening the file in the main window puts them\n"
    "  dia operate FILE [--size=WxH] [--scale=S|SX,SY] [--scroll=X,Y]\n"
    "                              open FILE as the main window does (points at their normal\n"
    "                              positions, routes reset, aspects calculated; executed\n"
    "                              data then goes on from the run-time state of its stack)\n"
    "                              and run the interlocking commands of standard input, one\n"
    "                              per line;\n"
    "                              points, levers and buttons by record number:\n"
    "      throw P [+1|-1]         a manual throw of point P from the board (default +1)\n"
    "      position P J            point P to position J (0..positions-1), no checks\n"
    "      mode P M                control mode and saved mode of point P become M (0..5)\n"
    "      cycle P                 Ctrl + click on point P: its next control mode\n"
    "      normal P                the point's normal position becomes its position\n"
    "      key P TEXT              the point's key becomes TEXT (1..20 bytes in Shift-JIS, no\n"
    "                              comma) unless another key clashes with it\n"
    "      fail P F                the point's failed flag becomes F (0 or 1)\n"
    "      route L B               a click on lever L's rail, then on button B's rail\n"
    "      release L               release lever L's route\n"
    "      reroute L               release lever L's route and set it again (再構成)\n"
    "      lcycle L                Ctrl + click on lever L: its next control mode\n"
    "      lnormal L               make lever L's route its normal route (定位設定)\n"
    "      dump [rails|points|routes]\n"
    "                              print \"dump N\" (N the line) and the state: a line per\n"
    "                              rail (aspect, stop origin, links, in use, route cover,\n"
    "                              normal-route lever, occupying train, booking), point,\n"
    "                              lever and button; the aspects calculated anew\n"
    "                              The operations' messages go to standard error as\n"
    "                              \"message: TEXT\", message boxes as \"caption: text\". FILE\n"
    "                              is never written. Exit status 1 when FILE cannot be read,\n"
    "                              2 for a bad line (\"line N: ...\" on standard error, last)\n"
    "                              Panel lines act on display window 00 with the board of dia\n"
    "                              board (the options, the same defaults), in window pixels:\n"
    "      click X Y [shift] [ctrl]  a left click\n"
    "      rclick X Y              a right click: what it hits builds the context menu\n"
    "      dclick X Y              a double click\n"
    "      wheel N [shift]         N notches away from the user (negative: towards)\n"
    "      press KEY [shift] [ctrl]  tab enter esc space left right up down backspace\n"
    "                              delete insert pause f1..f12\n"
    "      type TEXT               the characters of TEXT typed one by one (point keys)\n"
    "      menu | orders           print \"menu N\" or \"orders N\" and the context menu of\n"
    "                              the last right click or the train commands: a line each,\n"
    "                              \"item TEXT\", \"disabled TEXT\", \"submenu TEXT\" (its\n"
    "                              lines indented) or \"separator\", \" [checked]\" after a\n"
    "                              checked one\n"
    "      choose TEXT             run the context-menu line TEXT (its text without the\n"
    "                              accelerator, Japanese or English)\n"
    "      order TEXT              run a train command (\"延発/5分\" for a submenu's line)\n"
    "      dump trains             \"dump N\", a line per train \"train T hold=H station=S\n"
    "                              departure=D seconds=X\", then \"follow F\" (window 00)\n"
    "                              What a panel line opens is printed as \"effect ...\"\n"
    "                              (point_key P, station_frame F, rail_properties R,\n"
    "                              new_window, next_window, copy_board, rename_names)\n"
    "  dia edit FILE SCRIPT [--save=OUT]\n"
    "                              open FILE as the main window does and run the lines of the\n"
    "                              file SCRIPT, in the language of map edit: command NAME (the\n"
    "                              main window's 開始時刻設定, ダイヤプロパティ, "
    "電化方式一括設定,\n"
    "                              列車種別設定 (種別追加 pressed with press=種別追加),\n"
    "                              単位・標準時間設定, 信号設定 (editable with the extension\n"
    "                              option only), 信号詳細設定,\n"
    "                              標準停車時間設定 (モード=駅別指定モード|駅内番線別指定モード,\n"
    "                              the boxes 列車種別 and 速度種別 as 0|1, 列車種別選択,\n"
    "                              速度種別選択, 停車時間一覧=#N, 標準停車時間=標準|通過|N秒,\n"
    "                              標準折返時間=標準|N秒; a time changes the line chosen before "
    "it),\n"
    "                              by Japanese or English text or id, e.g. dia.start_time),\n"
    "                              answer [FIELD=VALUE]... ok|cancel before the command whose\n"
    "                              dialog it answers (the start time: 時=6 分=30 秒=0), answer\n"
    "                              yes|no, save. \"save\" and the end of the script write OUT;\n"
    "                              FILE is never written. Exit status as map edit: 1 when FILE\n"
    "                              cannot be read, a line is wrong (\"line N: ...\") or a save\n"
    "                              fails\n"
    "                              The passenger number window: passenger pair FROM TO (TO 0:\n"
    "                              every other station), passenger click TIME COUNT (TIME in\n"
    "                              seconds or H:MM[:SS]), passenger rclick TIME, passenger press\n"
    "                              NAME (＋ － 入力 of the curve, １時間当たり＋ and the like,\n"
    "                              ← → 縦拡大 縦縮小 横拡大 横縮小 発駅 着駅 逆方向 発着駅選択\n"
    "                              コピー 貼り付け), passenger key KEY (f2 f5..f8 left right up\n"
    "                              down; other keys go to display window 00's typed keys),\n"
    "                              passenger print (the pair, \"entry TIME COUNT\" lines,\n"
    "                              \"total N\", \"reverse N\", \"station S N\", per_hour,\n"
    "                              per_train, view)\n"
    "                              The station dialogs: command 駅情報設定ダイアログ opens the\n"
    "                              list 駅選択 (answer #list=#N press=設定 ok), the next answer\n"
    "                              fills 駅情報設定 (駅名, 駅規模, 時間, 最小値, 中間値, 最大値,\n"
    "                              ..., press=番線追加|番線削除|番線名称|参照|再生); file\n"
    "                              PATH|cancel answers the file dialog of 参照\n"
#ifdef CORVANE_CLI_RENDER
    "  dia render FILE OUT.png [--size=WxH] [--scale=S|SX,SY] [--scroll=X,Y] [--window=N]\n"
    "          [--whole]           draw the board of display window N (0..15, default 0) as\n"
    "                              PNG: its stored zoom and scroll unless the options give\n"
    "                              them; --whole draws everything its scroll bars reach\n"
#endif
    "  series info FILE.ini [--dia=FILE]\n"
    "                              read a series information file with its acceleration and\n"
    "                              curve-limit tables (from the data folder's table folders\n"
    "                              when FILE.ini lies in a data folder's series folder, else\n"
    "                              beside it) and run the series checks, the ATC-brake margin\n"
    "                              against the map settings of the dia data --dia names (left\n"
    "                              out without it); prints the description the series dialog\n"
    "                              shows, an empty line, then one key=value line per key of\n"
    "                              the file as the series is held (acceleration and brakes in\n"
    "                              1/1024 km/h/s). Exit status 0 when it was read, 1 when a\n"
    "                              check refused it or a file could not be read, 2 for a bad\n"
    "                              command line\n"
    "  import list FILE.kvi [--yes|--no]\n"
    "                              copy the files an import list names (section\n"
    "                              \"ファイルリスト\", keys 00 to 99, paths relative to the\n"
    "                              list's folder) to the same places under the data folder;\n"
    "                              a file of the same time and size is counted as present,\n"
    "                              another is replaced only on --yes (default No); entries\n"
    "                              leaving the data folder or the list's folder (\"..\",\n"
    "                              absolute paths) are refused. Messages, questions and the\n"
    "                              summary go to standard error. Exit status 0 when nothing\n"
    "                              failed, 1 when a file failed or was refused or the list\n"
    "                              cannot be read, 2 for a bad command line\n"
    "  import windia FILE.dia OUT.kvb\n"
    "                              import a WinDIA timetable (a Shift-JIS text with the\n"
    "                              line \"[WinDIA]\") as the main window's\n"
    "                              \"ダイヤデータインポート(&O)\" does: a straight line of its\n"
    "                              stations with every train; writes OUT as \"save as\" would\n"
    "                              right after the import (any dia data kind, as for dia\n"
    "                              resave). Prints nothing on success. Exit status 0 when\n"
    "                              OUT was written, 1 when the file could not be read or\n"
    "                              holds no WinDIA timetable (nothing written), 2 for a bad\n"
    "                              command line\n"
    "  folders                     print the data folder, the language and the folder table\n"
    "\n"
    "Options:\n"
    "  --data-dir=DIR  use DIR as the data folder for this run (created when missing)\n"
    "  --yes       answer Yes to questions (the default answer is the one that changes nothing)\n"
    "  --ignore    answer Ignore to read warnings and go on (the default is Abort)\n"
    "  --help      show this help\n"
    "\n"
    "Without --data-dir the data folder is found as the desktop program finds it, and\n"
    "created on the first run. Messages are printed to standard error as \"caption: text\".\n"
    "Messages and message-window lines are in the interface language, as in the windows:\n"
    "English under an English locale (LANG=en_US.UTF-8) or when the data folder's\n"
    "Language.ini chooses it, else Japanese; names and other data from files are printed\n"
    "as they are, except that their control characters (below 0x20 but the line feed,\n"
    "0x7F, U+0080 to U+009F) are printed as \\xHH, e.g. ESC as \\x1b.\n"
    "A command never writes over one of its inputs (also through another path or a link)\n"
    "nor an output whose extension is not of a kind it writes: it refuses such an output\n"
    "before it reads or writes anything.\n"
    "The exit status is 0 on success, 1 when a command fails and 2 for a wrong command line\n"
    "or a refused output.\n";

int UsageError(std::string_view what) {
  PrintNote(what);
  std::fprintf(stderr, "\n%s", kUsage);
  return 2;
}

// What each command writes, by extension.
constexpr std::string_view kMapKinds[] = {"kvm"};
constexpr std::string_view kDiaKinds[] = {"kvb", "kvp", "kvd", "kve", "kvw"};
constexpr std::string_view kPackedKinds[] = {"kvm", "kvb", "kve", "kvw"};
constexpr std::string_view kBundleTextKinds[] = {"txt", "kvp", "kv2"};
#ifdef CORVANE_CLI_RENDER
constexpr std::string_view kPictureKinds[] = {"png"};
#endif

// The map file commands on one map, with no dialogs.
struct MapSession {
  MapSession(const DataFolder& data_folder, const Environment& env, Prompter& prompter)
      : english(data_folder.english),
        prompter(prompter),
        scratch(data_folder.TempFolder(), "cli-"),
        document(map, Folders(data_folder, env), prompter, chooser, log) {}

  MapFolders Folders(const DataFolder& data_folder, const Environment& env) const {
    MapFolders folders = MapFoldersOf(data_folder, env);
    folders.temp = scratch.path();
    return folders;
  }

  bool english;  // the interface language
  Prompter& prompter;
  // A private scratch folder for this run inside the data folder's temporary
  // folder, so that runs side by side never share scratch files.
  TemporaryFolder scratch;
  EditMap map;
  ScriptedChooser chooser;  // never asked: paths come from the command line
  MessageLog log;
  MapDocument document;
};

// One line per set mark: kind (rail, point, draw, jump), number, error
// before warning.
void PrintMarks(const MapCheckMarks& marks) {
  constexpr std::pair<MapTable, const char*> kKinds[] = {{MapTable::kRail, "rail"},
                                                         {MapTable::kPoint, "point"},
                                                         {MapTable::kStationDraw, "draw"},
                                                         {MapTable::kJump, "jump"}};
  for (const auto& [table, kind] : kKinds) {
    for (int i = 1; i < marks.Size(table); ++i) {
      const std::uint8_t mark = marks.Of(table, i);
      if ((mark & kErrorMark) != 0) std::printf("mark %s %d error\n", kind, i);
      if ((mark & kWarningMark) != 0) std::printf("mark %s %d warning\n", kind, i);
    }
  }
}

// Prints message-window lines on standard output in the interface language,
// as the message window shows them.
CheckOutput PrintingOutput(bool english) {
  CheckOutput output;
  output.message = [english](std::string_view line) {
    PrintData(Shown(line, english));
    std::fputc('\n', stdout);
  };
  return output;
}

// map check MAP.kvm [--marks] [--save=OUT.kvm]: the compile checks with every
// warning question answered Yes; the message-window lines on standard output.
int CheckCommand(const std::vector<std::string>& args, MapSession& session) {
  bool marks_wanted = false;
  std::optional<std::string> save_path;
  for (std::size_t i = 2; i < args.size(); ++i) {
    if (args[i] == "--marks") {
      marks_wanted = true;
    } else if (args[i].rfind("--save=", 0) == 0 && args[i].size() > 7) {
      save_path = args[i].substr(7);
    } else {
      return UsageError("map check: MAP.kvm [--marks] [--save=OUT.kvm] expected");
    }
  }
  if (save_path && !OutputPathAllowed(*save_path, {args[1]}, kMapKinds, session.prompter)) {
    return 2;
  }
  if (session.document.OpenPath(args[1]) != OpenOutcome::kOpened) return 2;
  ConsolePrompter console({true, false});
  LanguagePrompter go_on(console, session.english);
  MapCheckMarks marks;
  CheckOutput output = PrintingOutput(session.english);
  output.prompter = &go_on;
  const bool passed = CheckForCompile(session.map, marks, output);
  if (marks_wanted) PrintMarks(marks);
  std::fflush(stdout);
  if (save_path && !session.document.SaveAsPath(*save_path)) return 1;
  return passed ? 0 : 1;
}

int CompileCommand(const std::vector<std::string>& args, MapSession& session) {
  std::optional<std::string> save_map;
  for (std::size_t i = 3; i < args.size(); ++i) {
    if (args[i].rfind("--save-map=", 0) == 0 && args[i].size() > 11) {
      save_map = args[i].substr(11);
    } else {
      return UsageError("map compile: MAP.kvm OUT.kvb [--save-map=OUT.kvm] expected");
    }
  }
  if (!OutputPathAllowed(args[2], {args[1]}, kDiaKinds, session.prompter)) return 2;
  if (save_map && !OutputPathAllowed(*save_map, {args[1], args[2]}, kMapKinds, session.prompter)) {
    return 2;
  }
  if (session.document.OpenPath(args[1]) != OpenOutcome::kOpened) return 2;
  ConsolePrompter console({true, false});
  LanguagePrompter go_on(console, session.english);
  MapCheckMarks marks;
  CheckOutput output = PrintingOutput(session.english);
  output.prompter = &go_on;
  const std::optional<CompileResult> result = CompileMap(session.map, marks, output);
  std::fflush(stdout);
  bool written = true;
  if (result) {
    ScriptedChooser chooser;
    MessageLog log;
    DiaDocument dia(ScratchDiaFolders(session.scratch.path()), go_on, chooser, log);
    dia.Replace(result->file);
    written = dia.SaveAsPath(args[2]);
  }
  if (save_map && !session.document.SaveAsPath(*save_map)) written = false;
  if (!written) return 1;
  return result && result->errors == 0 ? 0 : 1;
}

// dia layout IN OUT: the layout script on standard input over the opened
// data; OUT is written by the script's "save" lines.
int LayoutCommand(const std::string& out, DiaDocument& document, bool english) {
  std::vector<MenuEntry> menus{BoardCommandMenu()};
  for (const MenuEntry& entry : MainMenu()) menus.push_back(entry);
  LayoutScript::Output output;
  output.prompt = [english](std::string_view text) {
    if (!text.empty()) std::fprintf(stderr, "prompt: %s\n", Shown(text, english).c_str());
  };
  output.rail_properties = [](int rail) { std::printf("rail properties %d\n", rail); };
  LayoutScript script(
      document.model(), std::move(menus), [&document, &out] { return document.SaveAsPath(out); },
      std::move(output));
  std::string error;
  const LayoutScript::Outcome outcome = script.Run(std::cin, &error);
  std::fflush(stdout);
  if (outcome == LayoutScript::Outcome::kDone) return 0;
  PrintNote(error);
  return outcome == LayoutScript::Outcome::kBadLine ? 2 : 1;
}

// The answers the load-time checks of the dia commands take.
struct DiaAnswers {
  PromptAnswer question = PromptAnswer::kNo;
  PromptAnswer report = PromptAnswer::kRetry;
  bool said_no = false;  // --no given (dia interlocking answers Yes without it)
};

// The load-time checks as the main window runs them (the extension option
// from the settings file), every box answered as `answers` says.
LoadCheckSetup DiaLoadChecks(const DataFolder& data_folder, const Environment& env,
                             Prompter& answers) {
  LoadCheckSetup setup;
  setup.extension =
      LoadSettingsFile(data_folder.SettingsPath(), data_folder.english, env).extension;
  setup.series_folders = SeriesFoldersOf(data_folder.table);
  setup.prompter = &answers;
  return setup;
}

// dia check FILE [--save=OUT]: the load-time checks; 0 when nothing was
// reported, 1 when something was or the load failed, 2 when FILE cannot be
// read.
int CheckDiaCommand(const std::vector<std::string>& args, DiaDocument& document,
                    const std::optional<std::string>& save) {
  if (document.OpenPath(args[1]) != DiaOpenOutcome::kOpened) {
    return document.load_check_result().aborted ? 1 : 2;
  }
  if (save && !document.SaveAsPath(*save)) return 1;
  return document.load_check_result().prompts == 0 ? 0 : 1;
}

int DiaCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
               const Environment& env, Prompter& prompter, const DiaAnswers& answers) {
  if (args.empty()) return UsageError("dia: a subcommand is missing");
  const std::string& sub = args[0];
  FixedAnswers fixed(prompter, answers.question, answers.report, [](PromptAnswer answer) {
    std::fprintf(stderr, "answer: %s\n", AnswerName(answer));
  });
  const LoadCheckSetup checks = DiaLoadChecks(data_folder, env, fixed);
  if (sub == "board" || sub == "render") {
    return BoardCommand(args, data_folder, prompter, UsageError, &checks);
  }
  if (sub == "operate") {
    return OperateCommand(args, data_folder, prompter, UsageError);
  }
  if (sub == "edit") return DiaEditCommand(args, data_folder, prompter, UsageError, &checks);
  if (sub == "interlocking") {
    return InterlockingCommand(args, data_folder, prompter, UsageError, answers.said_no, &checks);
  }
  const bool info = sub == "info" && args.size() == 2;
  const bool resave = sub == "resave" && args.size() == 3;
  const bool layout = sub == "layout" && args.size() == 3;
  const bool check = sub == "check" && (args.size() == 2 || args.size() == 3);
  std::optional<std::string> save;
  if (check && args.size() == 3) {
    if (args[2].rfind("--save=", 0) != 0 || args[2].size() <= 7) {
      return UsageError("dia check: FILE [--save=OUT] expected");
    }
    save = args[2].substr(7);
  }
  if (!info && !resave && !layout && !check) {
    return UsageError("dia: unknown subcommand or wrong number of arguments");
  }
  if ((resave || layout) && !OutputPathAllowed(args[2], {args[1]}, kDiaKinds, prompter)) return 2;
  if (save && !OutputPathAllowed(*save, {args[1]}, kDiaKinds, prompter)) return 2;
  CliDia dia(data_folder, prompter, &checks);
  if (!dia.ready()) return 1;
  DiaDocument& document = dia.document();
  if (check) return CheckDiaCommand(args, document, save);
  if (document.OpenPath(args[1]) != DiaOpenOutcome::kOpened) return 1;
  if (resave) return document.SaveAsPath(args[2]) ? 0 : 1;
  if (layout) return LayoutCommand(args[2], document, data_folder.english);
  PrintData("file: " + args[1] + "\n" + DescribeDia(document.file()));
  return 0;
}

// map edit IN.kvm OUT.kvm: the editing script on standard input.
int EditCommand(const std::vector<std::string>& args, MapSession& session, QueuedAnswers& answers) {
  const bool new_map = args[1] == "-new";
  const std::string& out = args[2];
  if (!OutputPathAllowed(out, {new_map ? "" : args[1]}, kMapKinds, session.prompter)) return 2;
  const bool opened = new_map ? session.document.NewMap()
                              : session.document.OpenPath(args[1]) == OpenOutcome::kOpened;
  if (!opened) return 1;
  EditScript script(
      session.map, answers, [&session, &out] { return session.document.SaveAsPath(out); },
      [&session](bool confirm) { return session.document.StartNewMap(confirm); });
  std::string error;
  const bool ran = script.Run(std::cin, &error);
  if (script.HasUnusedAnswers()) {
    PrintNote(
        "an answer was never used: a dialog or question takes the answers given before the "
        "line that opens it");
  }
  if (ran) return 0;
  PrintNote(error);
  return 1;
}

int MapCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
               const Environment& env, Prompter& prompter) {
  if (args.empty()) return UsageError("map: a subcommand is missing");
  const std::string& sub = args[0];
  // An editing script's "answer yes|no" lines answer the next questions.
  QueuedAnswers answers(prompter);
  MapSession session(data_folder, env, answers);
  if (session.scratch.path().empty()) {
    PrintNote("cannot create a scratch folder");
    return 1;
  }
  if (sub == "info" && args.size() == 2) {
    if (session.document.OpenPath(args[1]) != OpenOutcome::kOpened) return 1;
    PrintData("file: " + args[1] + "\n" + DescribeMap(session.map.content()));
    return 0;
  }
  if (sub == "check" && args.size() >= 2) return CheckCommand(args, session);
  if (sub == "compile" && args.size() >= 3) return CompileCommand(args, session);
  if (sub == "signals" && args.size() == 2) {
    if (session.document.OpenPath(args[1]) != OpenOutcome::kOpened) return 1;
    // Tab-separated: the names in it are escaped field by field.
    std::fputs(DescribeSignalTypes(session.map.content()).c_str(), stdout);
    return 0;
  }
  if (sub == "resave" && args.size() == 3) {
    if (!OutputPathAllowed(args[2], {args[1]}, kMapKinds, prompter)) return 2;
    if (session.document.OpenPath(args[1]) != OpenOutcome::kOpened) return 1;
    return session.document.SaveAsPath(args[2]) ? 0 : 1;
  }
  if (sub == "edit" && args.size() == 3) return EditCommand(args, session, answers);
  if (sub == "new" && args.size() == 2) {
    if (!OutputPathAllowed(args[1], {}, kMapKinds, prompter)) return 2;
    if (!session.document.NewMap()) return 1;
    return session.document.SaveAsPath(args[1]) ? 0 : 1;
  }
#ifdef CORVANE_CLI_RENDER
  if (sub == "render" && args.size() == 3) {
    if (!OutputPathAllowed(args[2], {args[1]}, kPictureKinds, prompter)) return 2;
    if (session.document.OpenPath(args[1]) != OpenOutcome::kOpened) return 1;
    // The grid as the user's map edit window shows it.
    const MapEditWindowSettings window =
        LoadSettingsFile(data_folder.SettingsPath(), data_folder.english, env).map_edit_window;
    return RenderMapFile(session.map, args[2], window.grid_x, window.grid_y) ? 0 : 1;
  }
#endif
  return UsageError("map: unknown subcommand or wrong number of arguments");
}

// series info FILE.ini [--dia=FILE]
int SeriesCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                  Prompter& prompter) {
  std::optional<std::string> dia_path;
  std::vector<std::string> files;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i].rfind("--dia=", 0) == 0 && args[i].size() > 6) {
      dia_path = args[i].substr(6);
    } else if (args[i].rfind("--", 0) == 0) {
      return UsageError("series info: unknown option " + args[i]);
    } else {
      files.push_back(args[i]);
    }
  }
  if (args.empty() || args[0] != "info" || files.size() != 1) {
    return UsageError("series: info FILE.ini [--dia=FILE] expected");
  }
  std::optional<MapSettings> map;
  if (dia_path) {
    TemporaryFolder scratch(data_folder.TempFolder(), "cli-");
    DiaFile dia;
    if (OpenDiaFile(*dia_path, scratch.path(), prompter, dia, data_folder.english) !=
        DiaReadResult::kRead) {
      return 2;
    }
    map = dia.header.settings;
  }
  std::string listing;
  const std::string& file = files.front();
  if (!ListSeriesFile(file, SeriesFoldersForFile(file), map ? &*map : nullptr, prompter,
                      &listing)) {
    return 1;
  }
  PrintData(listing);
  return 0;
}

int FoldersCommand(const DataFolder& data_folder) {
  std::string out = "data folder: " + data_folder.path + "\npath file: " + data_folder.path_file +
                    "\nlanguage: " + (data_folder.english ? "English" : "Japanese") + "\n";
  for (int slot = 1; slot < kFolderSlotCount; ++slot) {
    const char* key = FolderSlotKey(slot);
    if (*key == '\0') continue;
    char number_and_key[32];
    std::snprintf(number_and_key, sizeof number_and_key, "%2d %-13s ", slot, key);
    out += number_and_key + data_folder.table[slot] + "\n";
  }
  PrintData(out);
  return 0;
}

// Finds or creates the data folder as the desktop program does, or uses the
// one named on the command line.
bool SetUpDataFolder(const std::optional<std::string>& data_dir, Environment& env,
                     DataFolder* data_folder, Prompter& prompter) {
  if (data_dir) {
    std::string error;
    if (!UseDataFolder(*data_dir, env, data_folder, &error)) {
      prompter.Error(error, kStartupErrorCaption);
      return false;
    }
  } else {
    *data_folder = FindDataFolder(env);
  }
  if (const auto problem = CheckDataFolder(*data_folder)) {
    prompter.Error(problem->text, problem->caption);
    return false;
  }
  PrepareDataFolder(*data_folder, env);
  return true;
}

int Run(int argc, char** argv) {
  ConsolePrompter::Policy policy;
  DiaAnswers answers;
  int no_flags = 0;      // --no
  int report_flags = 0;  // --abort, --retry
  std::optional<std::string> data_dir;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--yes") {
      policy.answer_yes = true;
      answers.question = PromptAnswer::kYes;
    } else if (arg == "--ignore") {
      policy.answer_ignore = true;
      answers.report = PromptAnswer::kIgnore;
    } else if (arg == "--no") {
      answers.question = PromptAnswer::kNo;
      answers.said_no = true;
      ++no_flags;
    } else if (arg == "--abort" || arg == "--retry") {
      answers.report = arg == "--abort" ? PromptAnswer::kAbort : PromptAnswer::kRetry;
      ++report_flags;
    } else if (arg.rfind("--data-dir=", 0) == 0 && arg.size() > 11) {
      data_dir = std::string(arg.substr(11));
    } else if (arg == "--marks" || arg.rfind("--save=", 0) == 0 ||
               arg.rfind("--save-map=", 0) == 0) {
      args.emplace_back(arg);  // options of map check
    } else if (arg.rfind("--size=", 0) == 0 || arg.rfind("--scale=", 0) == 0 ||
               arg.rfind("--scroll=", 0) == 0 || arg.rfind("--window=", 0) == 0 ||
               arg == "--whole") {
      args.emplace_back(arg);  // options of dia board and dia render
    } else if (arg.rfind("--dia=", 0) == 0) {
      args.emplace_back(arg);  // option of series info
    } else if (arg.size() > 2 && arg.substr(0, 2) == "--") {
      return UsageError("unknown option " + std::string(arg));
    } else {
      args.emplace_back(arg);
    }
  }
  if (args.empty()) return UsageError("a command is missing");
  if ((no_flags > 0 && policy.answer_yes) || report_flags + (policy.answer_ignore ? 1 : 0) > 1) {
    return UsageError("--yes and --no, and --ignore, --abort and --retry, exclude each other");
  }
  SystemEnvironment env;
  ConsolePrompter console(policy);
  // Until the data folder is known, the locale alone chooses the language.
  LanguagePrompter prompter(console, ChooseEnglish(env, ""));
  DataFolder data_folder;
  if (!SetUpDataFolder(data_dir, env, &data_folder, prompter)) return 1;
  prompter.set_english(data_folder.english);
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "folders" && args.empty()) return FoldersCommand(data_folder);
  if (command == "pack" && args.size() == 2) {
    if (!OutputPathAllowed(args[1], {args[0]}, kPackedKinds, prompter)) return 2;
    return PackBundle(args[0], args[1], prompter) ? 0 : 1;
  }
  if (command == "unpack" && args.size() == 2) {
    if (!OutputPathAllowed(args[1], {args[0]}, kBundleTextKinds, prompter)) return 2;
    return UnpackBundle(args[0], args[1], prompter) ? 0 : 1;
  }
  if (command == "map") return MapCommand(args, data_folder, env, prompter);
  if (command == "dia") return DiaCommand(args, data_folder, env, prompter, answers);
  if (command == "series") return SeriesCommand(args, data_folder, prompter);
  if (command == "import") {
    if (!args.empty() && args[0] == "list") {
      return ImportListCommand(args, data_folder, prompter, UsageError);
    }
    if (!args.empty() && args[0] == "windia") {
      if (args.size() != 3) return UsageError("import windia: FILE.dia OUT.kvb expected");
      if (!OutputPathAllowed(args[2], {args[1]}, kDiaKinds, prompter)) return 2;
      return ImportWindiaCommand(args[1], args[2], data_folder, prompter);
    }
    return UsageError("import: unknown subcommand");
  }
  return UsageError("unknown command or wrong number of arguments");
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) { return corvane::FinishOutput(corvane::Run(argc, argv)); }
