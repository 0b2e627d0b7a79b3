#include "full/table_cells.h"

#include <algorithm>

#include "full/raw_entity.h"

namespace toridasu::full {

void TableGrid::Clear() {
  rowHeights.clear();
  columnWidths.clear();
  cells.clear();
}

bool TableCellReader::Read(int32_t code, std::string_view value, uint64_t line) {
  switch (code) {
    case 141: grid_.rowHeights.push_back(NumberOf(value)); return true;
    case 142: grid_.columnWidths.push_back(NumberOf(value)); return true;
    case 171:
      grid_.cells.emplace_back();
      pieces_.clear();
      return true;
    default: break;
  }
  if (!InCells()) return false;
  TableCell& cell = grid_.cells.back();
  switch (code) {
    case 175: cell.columns = std::max(1, IntegerOf(value)); break;
    case 176: cell.rows = std::max(1, IntegerOf(value)); break;
    // A text longer than 250 characters comes in chunks, the last one in the
    // text's own group: 1 for the value (2 or 3 before it), 302 for what the
    // cell shows (303 before it).
    case 2:
    case 3:
    case 303: pieces_.append(value); break;
    case 1:
      cell.value = pieces_ + std::string(value);
      cell.valueLine = line;
      pieces_.clear();
      break;
    case 302:
      cell.shown = pieces_ + std::string(value);
      cell.shownLine = line;
      pieces_.clear();
      break;
    default: break;
  }
  return true;
}

std::vector<model::Point3> CellMiddles(const TableGrid& grid) {
  // Where each column and row begins, and where the last one ends.
  std::vector<double> left(1, 0.0), top(1, 0.0);
  for (const double width : grid.columnWidths) left.push_back(left.back() + width);
  for (const double height : grid.rowHeights) top.push_back(top.back() + height);
  const std::size_t columns = std::max<std::size_t>(1, grid.columnWidths.size());
  const auto middle = [](const std::vector<double>& edges, std::size_t first, int32_t span) {
    // A cell beyond the grid, or a span beyond its end, stops at its edge.
    const std::size_t last = edges.size() - 1;
    const std::size_t from = std::min(first, last);
    const std::size_t to = std::min(from + static_cast<std::size_t>(span), last);
    return (edges[from] + edges[to]) / 2;
  };
  std::vector<model::Point3> middles;
  middles.reserve(grid.cells.size());
  for (std::size_t i = 0; i < grid.cells.size(); ++i) {
    const TableCell& cell = grid.cells[i];
    // Rows go down from the top edge (0 - y: no negative zero).
    middles.push_back(
        {middle(left, i % columns, cell.columns), 0.0 - middle(top, i / columns, cell.rows), 0.0});
  }
  return middles;
}

}  // namespace toridasu::full
