#pragma once

#include <string>

namespace exceptions {

// The one complete message that every concrete exception carries, added to
// the category it is caught by (Exception itself or a family such as
// io::IOException).
template <typename Category>
class MessageException : public Category {
public:
    explicit MessageException(const std::string& message) : _message(message) {}

    const std::string& getMessage() const override { return _message; }

private:
    std::string _message;
};

}
