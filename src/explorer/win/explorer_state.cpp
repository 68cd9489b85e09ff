#include "explorer/win/explorer_state.h"

namespace morvel {

ExplorerState explorer;

}  // namespace morvel
