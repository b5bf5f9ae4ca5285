// The naming tools: the texts of the manual naming tool and the entry of a
// naming table the automatic ones use are chosen in a dialog before the
// tool starts.

#include "editor/tool_handlers.h"

namespace corvane {

namespace {

bool AskForEntry(EditSession& session, NameTable table) {
  int entry = session.tool_values().name_entry;
  bool chosen = false;
  {
    MapChange change(session.map());
    chosen = session.dialogs().ChooseNameEntry(change, table, &entry);
  }
  if (chosen) session.tool_values().name_entry = entry;
  return chosen;
}

}  // namespace

bool AskForManualNames(EditSession& session) {
  // The texts start empty each time the tool is chosen.
  MapNameEntry names;
  if (!session.dialogs().EditNames(&names)) return false;
  session.tool_values().names = names;
  return true;
}

bool AskForBlockName(EditSession& session) { return AskForEntry(session, NameTable::kBlock); }
bool AskForYardName(EditSession& session) { return AskForEntry(session, NameTable::kYard); }
bool AskForStationName(EditSession& session) { return AskForEntry(session, NameTable::kStation); }
bool AskForStopSectionName(EditSession& session) {
  return AskForEntry(session, NameTable::kTarget);
}

}  // namespace corvane
