#include "hostlink/library.h"

namespace morvel {

Library library;

void ResetLibrary(HINSTANCE instance) {
    library = Library{};
    library.instance = instance;
}

}  // namespace morvel
