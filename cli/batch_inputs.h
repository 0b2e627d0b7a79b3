// The drawings that the converter's inputs name: a drawing, a folder's
// drawings (with its subfolders' on request), or a pattern's matches.
#pragma once

#include <string>
#include <vector>

namespace toridasu::cli {

struct FoundDrawing {
  std::string name;          // as given, or the folder's name joined with the file's
  std::string folderWithin;  // its folder below the input folder; empty at the top
};

struct InputDrawings {
  std::vector<FoundDrawing> drawings;
  std::vector<std::string> warnings;  // native text: folder links not followed
};

// A plain name is taken as a drawing, found or not. A folder gives its
// drawings (*.dxf and *.jww, any letter case) in name order, with `recursive` those of
// its subfolders too, each where its name falls. A folder that a link leads
// back into is reported, never walked; a folder that links reach twice is
// walked once.
InputDrawings FindDrawings(const std::string& input, bool recursive);

}  // namespace toridasu::cli
