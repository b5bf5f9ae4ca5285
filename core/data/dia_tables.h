#pragma once
// The members of the dia data file that carry the timetable: the column
// descriptions of their records and their handlers (TimetableMembers(),
// dia_members.h), which write each as text and read it back for any data
// version, with record numbers and references checked so that a foreign or
// damaged member is refused with its line named.

#include <string>
#include <string_view>

#include "data/dia_data.h"
#include "stock/series_format.h"

namespace corvane {

// The announcement files of an INI text with the sections of "crew_msg.ini".
void ReadCrewMessages(std::string_view text, CrewMessages& messages);

}  // namespace corvane
