// A table's cells as the table entity (ACAD_TABLE) holds them itself: the
// rows' heights, the columns' widths, and each cell's text and span. The
// table's block shows the same texts where the drawing has one; these stand
// in where it does not.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/text_record.h"

namespace toridasu::full {

struct TableCell {
  // Its text (bytes, pieces joined): the value it holds and, in drawings of
  // 2007 and later, the value as the cell shows it.
  std::string value, shown;
  uint64_t valueLine = 0, shownLine = 0;
  int32_t columns = 1, rows = 1;  // a merged cell spans more than one

  // What the cell shows, and its line.
  const std::string& Text() const { return shown.empty() ? value : shown; }
  uint64_t TextLine() const { return shown.empty() ? valueLine : shownLine; }
};

struct TableGrid {
  std::vector<double> rowHeights;    // from the top
  std::vector<double> columnWidths;  // from the left
  std::vector<TableCell> cells;      // row by row

  void Clear();
};

// Reads the table's groups from its first cell on into `grid`.
class TableCellReader {
 public:
  explicit TableCellReader(TableGrid& grid) : grid_(grid) {}
  // Whether the cells have begun: from then on every group is theirs or
  // the table's own settings, none of them the entity's.
  bool InCells() const { return !grid_.cells.empty(); }
  // Takes one group; false when it is none of the grid's.
  bool Read(int32_t code, std::string_view value, uint64_t line);

 private:
  TableGrid& grid_;
  std::string pieces_;  // the chunks of a long text, before its last
};

// The middle of each cell (of a merged cell: of the cells it covers), in the
// table's own coordinates: X along its rows, Y up, the insertion point (the
// table's top left corner) at the origin.
std::vector<model::Point3> CellMiddles(const TableGrid& grid);

}  // namespace toridasu::full
