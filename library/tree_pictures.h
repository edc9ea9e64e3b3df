#pragma once
// The item tree's pictures, drawn here: "FOLDER" (an item with children, collapsed), "OPENFOLDER"
// (expanded), "CHILD" (an item without children) and "VIEWBOOKMARKS" (the root, and the toolbar's
// bookmark-pane button). 16 by 16 pixels.
#include "platform/forms/image_list.h"

namespace library {

forms::ImageList treePictures();

}  // namespace library
