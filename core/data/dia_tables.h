#pragma once
// The members of the dia data file that carry the timetable: the column
// descriptions of their records and their handlers (TimetableMembers(),
// dia_members.h), which write each as text and read it back for any data
// version, with record numbers and references checked so that a foreign or
// damaged member is refused with its line named.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/dia_data.h"

namespace corvane {

// Names of the per-series table members ("table_acceleration_3.csv").
std::string AccelerationMemberName(int series);
std::string CurveLimitMemberName(int series);
// A series' table as its member holds it, and read back.
std::string FormatSeriesTable(const std::vector<std::pair<int, int>>& rows, bool acceleration);
void ReadSeriesTable(std::string_view text, std::vector<std::pair<int, int>>& rows);

// The announcement files of an INI text with the sections of "crew_msg.ini".
void ReadCrewMessages(std::string_view text, CrewMessages& messages);

}  // namespace corvane
