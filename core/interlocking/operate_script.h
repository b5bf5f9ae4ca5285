#pragma once
// The interlocking driven by text lines over the loaded data (`corvane-cli
// dia operate`), one command per line, so that every throw, route and lever
// command of the board can come from a script and its state be compared:
//
//   throw P [+1|-1]    a manual throw of point P from the board
//   position P J       point P set to position J, without checks
//   mode P M           the point's control mode and saved mode become M
//   cycle P            Ctrl + click on the point: its next control mode
//   normal P           the point's normal position becomes its position
//   key P TEXT         "キー設定": the point's key becomes TEXT
//   fail P F           the point's failed flag becomes F (0 or 1)
//   route L B          a click on lever L's rail, then on button B's rail
//   release L          lever L's route is released
//   reroute L          "再構成" on lever L
//   lcycle L           Ctrl + click on lever L: its next control mode
//   lnormal L          "定位設定" on lever L
//   dump [rails|points|routes]   the state, as DumpOperation prints it
//
// Empty lines and lines whose first word begins with "#" are skipped.
// Points, levers and buttons are named by their record numbers.

#include <functional>
#include <istream>
#include <string>
#include <string_view>

#include "interlocking/operation_report.h"
#include "run/dia_model.h"

namespace corvane {

// The parts of the state a dump prints.
enum class DumpSections { kAll, kRails, kPoints, kRoutes };

// One line per rail ("rail R aspect=A origin=O next=X back=Y use=U cover=C
// normal=L occ=T book=K"), per point ("point P pos=J normal=J0 mode=M
// saved=S locked=Z failed=F key=KEY", the key in UTF-8), then per lever
// ("lever L rail=R mode=M normal=B0 current=B") and per button ("button B
// rail=R from=L"), in number order, each ending in a line feed.
std::string DumpOperation(const DiaFile& file, const RunState& run, DumpSections sections);

class OperateScript {
 public:
  enum class Outcome { kDone, kBadLine };

  // `dump` gets the text of every dump; messages and message boxes go
  // through `report`.
  OperateScript(DiaModel& model, std::function<void(std::string_view)> dump,
                OperationReport report);

  // Runs every line of `in` up to the first bad one; `*error` then says
  // which and why ("line 3: ...").
  Outcome Run(std::istream& in, std::string* error);
  // Runs line `number` of the script.
  Outcome RunLine(int number, std::string_view line, std::string* error);

 private:
  DiaModel& model_;
  std::function<void(std::string_view)> dump_;
  OperationReport report_;
};

}  // namespace corvane
