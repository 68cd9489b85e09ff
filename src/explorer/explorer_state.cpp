#include "explorer/explorer_state.h"

namespace morvel {

ExplorerState explorer;

}  // namespace morvel
