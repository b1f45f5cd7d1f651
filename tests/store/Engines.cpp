// Every store test of the StoreTest suite runs on a scrapbook file and on a server scrapbook.
#include "StoreFixture.h"

namespace wk::store::testing {

INSTANTIATE_TEST_SUITE_P(Engines, StoreTest, ::testing::Values(EngineKind::File, EngineKind::Server), engineName);

} // namespace wk::store::testing
