// The names the conversion gives to a Jw_cad drawing's layers and blocks.
//
// A layer is named as Jw_cad numbers it, its group and its own number in
// hexadecimal ("0-5", "F-A"), followed, where the drawing names them, by the
// group's name and a slash, and the layer's name: "0-5 切妻屋根",
// "0-1 敷地・建物/タイトル", "2-3 螺旋非常階段/". The blanks that users put
// around names to line them up in Jw_cad's layer bar are left out.
//
// A block is named as Jw_cad shows it: without the kind of compound figure
// that Jw_cad appends to the stored name ("@@SfigorgFlag@@4").
#pragma once

#include <string>
#include <string_view>

namespace toridasu::jww {

std::string LayerName(unsigned group, unsigned layer, std::string_view groupName,
                      std::string_view layerName);

std::string BlockName(std::string_view storedName);

}  // namespace toridasu::jww
