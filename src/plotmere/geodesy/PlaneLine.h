#pragma once
// A line of plane coordinates as the batch conversion reads it: "ZONE X Y", blanks (spaces,
// tabs, a CR) around and between the fields.

#include <string_view>

namespace plotmere {

// True, with the fields, for a zone 1..19 and two finite numbers and nothing else.
bool ParsePlaneLine(std::string_view line, int& zone, double& x, double& y);

}  // namespace plotmere
