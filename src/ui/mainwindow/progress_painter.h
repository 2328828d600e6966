#pragma once

#include <string>
#include <vector>

class QPainter;

namespace paperkit {

/// Draws column 2 of a list row: "下载" when the album is not downloaded, an empty cell for an
/// album without pictures, otherwise a silver bar of done / total of the width in a silver frame,
/// with "done/total" over it until the album is complete. `left` is column 1's width, `width`
/// column 2's, `top` the row's top, all in the painter's coordinates. `subItems` are the row's
/// hidden sub-items (total at 1, done at 2).
void PaintProgressColumn(QPainter& painter, int left, int width, int top, bool download,
                         const std::vector<std::string>& subItems);

} // namespace paperkit
