#pragma once
// The title of the map edit window: its caption (the window's name and the
// map file's base name) followed by what the active tool shows there.

#include <string>
#include <string_view>

#include "editor/edit_session.h"
#include "map/edit_map.h"

namespace corvane {

// "<base name> - <window name>", or the window name alone for a map that has
// no file yet.
std::string MapEditCaption(std::string_view window_name, std::string_view base_name);

// The title with no tool active: the caption, the map's safety device and,
// while the map is modified, the edited mark.
std::string MapEditTitle(std::string_view caption, const EditMap& map, bool english);

// The title for the session's active tool: the tool's name and the value it
// works with (current station, selection count, tool value). A tool that
// shows nothing of its own, and no tool, give the title above.
std::string MapEditTitle(std::string_view caption, const EditSession& session, bool english);

// The status line: the grid point under the mouse pointer, the object
// there, and the view's scale ("" while the pointer is off the map).
std::string PointerText(const EditSession& session, bool english);

}  // namespace corvane
