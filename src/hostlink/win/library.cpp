#include "hostlink/win/library.h"

namespace morvel {

Library library;

void ResetLibrary() {
    library = Library{};
}

namespace win {
LayerState& Layer() {
    return library.layer;
}
}  // namespace win

}  // namespace morvel
