#include "explorer/explorer_state.h"

#include "hostlink/library_state.h"

namespace morvel {

ExplorerState explorer;

namespace {
// Loading the library resets the Explorer state, as the Explorer entries expect it on a first call.
const LoadReset resetAtLoad([] { explorer = ExplorerState{}; });
}  // namespace

}  // namespace morvel
