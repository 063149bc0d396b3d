#include "gui/NavigationHistory.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

void pushBounded(std::vector<Place>& places, const Place& place) {
    if (!places.empty() && places.back() == place) return;
    places.push_back(place);
    if (places.size() > NavigationHistory::MAX_PLACES) places.erase(places.begin());
}

Place step(std::vector<Place>& from, std::vector<Place>& to, const Place& current) {
    Place target = from.back();
    from.pop_back();
    pushBounded(to, current);
    return target;
}

}

void NavigationHistory::leave(const Place& from) {
    pushBounded(_back, from);
    _forward.clear();
}

Place NavigationHistory::back(const Place& current) { return step(_back, _forward, current); }

Place NavigationHistory::forward(const Place& current) { return step(_forward, _back, current); }

void NavigationHistory::clear() {
    _back.clear();
    _forward.clear();
}

}
}
}
