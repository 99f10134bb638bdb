#pragma once
// Rows of cells as plain text for people: columns aligned with blanks.

#include <string>
#include <vector>

namespace tivra::cli {

// One line per row; each cell but the last padded to its column's widest cell plus two blanks,
// no blanks at the end of a line. A column empty in every row is left out.
std::string alignedColumns(const std::vector<std::vector<std::string>>& rows);

}  // namespace tivra::cli
