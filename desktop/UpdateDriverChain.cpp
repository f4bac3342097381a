#include "desktop/UpdateDriverChain.h"

#include "desktop/DoubleBuffer.h"
#include "desktop/PageFlipping.h"
#include "desktop/TripleBuffer.h"

namespace {

template <typename Strategy>
std::unique_ptr<ScreenUpdate> make()
{
    return std::make_unique<Strategy>();
}

} // namespace

std::vector<UpdateDriverMaker> updateDriverChain(int driver)
{
    switch (driver) {
    case 2:
        return {make<TripleBuffer>, make<PageFlipping>, make<DoubleBuffer>, make<ScreenUpdate>};
    case 1:
        return {make<PageFlipping>, make<DoubleBuffer>, make<ScreenUpdate>};
    case 0:
        return {make<DoubleBuffer>, make<ScreenUpdate>};
    default:
        return {make<ScreenUpdate>};
    }
}
