#pragma once

namespace products {
namespace zefra {
namespace gui {

// The tree's images, by index, and the icon resources they come from.
constexpr int CLASS_IMAGE = 0;
constexpr int PRIVATE_FIELD_IMAGE = 1;
constexpr int PROTECTED_FIELD_IMAGE = 2;
constexpr int PUBLIC_FIELD_IMAGE = 3;
constexpr int PRIVATE_METHOD_IMAGE = 4;
constexpr int PROTECTED_METHOD_IMAGE = 5;
constexpr int PUBLIC_METHOD_IMAGE = 6;

// There is no icon 137.
constexpr int TREE_ICON_IDS[] = {131, 132, 133, 134, 135, 136, 138};

}
}
}
