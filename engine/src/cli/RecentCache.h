// A bounded map that forgets what was asked for least recently.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

namespace jad {

template <class Value>
class RecentCache {
public:
    explicit RecentCache(size_t capacity) : _capacity(capacity) {}

    // The value under `key`, made by `make` when it is not held; the oldest
    // entry goes when the cache is full.
    template <class Make>
    Value get(const std::string& key, Make make) {
        auto found = _index.find(key);
        if (found != _index.end()) {
            _order.splice(_order.begin(), _order, found->second);
            return found->second->second;
        }
        Value value = make();
        if (_capacity == 0) return value;
        if (_index.size() >= _capacity) {
            _index.erase(_order.back().first);
            _order.pop_back();
        }
        _order.emplace_front(key, value);
        _index.emplace(key, _order.begin());
        return value;
    }

    size_t size() const { return _index.size(); }

private:
    using Entries = std::list<std::pair<std::string, Value>>;  // the most recent first
    size_t _capacity;
    Entries _order;
    std::unordered_map<std::string, typename Entries::iterator> _index;
};

}  // namespace jad
