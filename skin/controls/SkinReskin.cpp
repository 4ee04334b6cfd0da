#include "skin/controls/SkinReskin.h"

namespace vd {

namespace {

// Function-local, so it exists whenever the first control of a class registers.
std::vector<TskReskinHandler>& Handlers() {
    static std::vector<TskReskinHandler> handlers;
    return handlers;
}

} // namespace

void RegisterReskinHandler(TskReskinHandler handler) {
    Handlers().push_back(std::move(handler));
}

const std::vector<TskReskinHandler>& ReskinHandlers() {
    return Handlers();
}

} // namespace vd
