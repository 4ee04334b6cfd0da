#include "skin/controls/SkinReskin.h"

namespace vd {

namespace {

// A function-local list: registrations run during static initialisation of other units.
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
