#pragma once

#include <string>
#include <vector>

namespace products {
namespace zefra {
namespace gui {

// A place the user was: a class (the archive's qualified name, or the path of
// a class file) and a 0-based line in its text.
struct Place {
    std::string className;
    int line = 0;

    bool operator==(const Place& other) const { return className == other.className && line == other.line; }
};

// Back and forward through the places visited, as a browser does: going
// somewhere new forgets the places ahead. Bounded, so a long session keeps
// only the latest places.
class NavigationHistory {
public:
    static constexpr std::size_t MAX_PLACES = 100;

    // The user leaves from for somewhere new.
    void leave(const Place& from);
    bool canGoBack() const { return !_back.empty(); }
    bool canGoForward() const { return !_forward.empty(); }
    // The place to go back to; current is where the user is now, kept for
    // going forward again. Only when canGoBack().
    Place back(const Place& current);
    Place forward(const Place& current);
    void clear();

private:
    std::vector<Place> _back;
    std::vector<Place> _forward;
};

}
}
}
