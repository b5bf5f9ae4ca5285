#pragma once
// corvane-cli's picture of a map, drawn as the map edit window draws it.
// Built only with the Qt layer.

#include <string>

#include "map/edit_map.h"

namespace corvane {

// Writes the whole map as a PNG picture to `out_path`, replacing a file
// there only once the picture is written whole. Runs Qt on the offscreen
// platform unless QT_QPA_PLATFORM names another. Reports to standard error;
// false on failure.
bool RenderMapFile(const EditMap& map, const std::string& out_path, int grid_x, int grid_y);

}  // namespace corvane
