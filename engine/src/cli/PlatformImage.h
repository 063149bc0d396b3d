// The Java platform's own class files, read from the `lib/modules` image of
// the JDK found on this system, so that a body's names can be checked
// against the platform classes they refer to (their fields and overloads).
// The image is mapped read-only once per process; every offset in it is
// checked before use, and anything unexpected makes a class simply absent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace jad {

class PlatformImage {
public:
    // The image of the JDK of this system ($JAVA_HOME, else the `java` on
    // PATH, else the default JVM); empty when there is none.
    static const PlatformImage& system();

    explicit PlatformImage(const std::string& path);
    ~PlatformImage();
    PlatformImage(const PlatformImage&) = delete;
    PlatformImage& operator=(const PlatformImage&) = delete;

    bool available() const { return _data != nullptr; }
    // The bytes of the class `internalName` ("java/lang/String"), inside the
    // mapping; nothing when the image lacks it or stores it compressed.
    std::optional<std::pair<const uint8_t*, size_t>> classBytes(const std::string& internalName) const;

private:
    std::optional<std::pair<const uint8_t*, size_t>> resource(const std::string& name) const;
    std::optional<std::string> moduleOf(const std::string& packageName) const;
    uint32_t u4(size_t offset) const;
    std::optional<std::string_view> string(uint32_t offset) const;

    const uint8_t* _data = nullptr;
    size_t _size = 0;
    uint32_t _tableLength = 0;
    size_t _redirect = 0, _offsets = 0, _locations = 0, _locationsSize = 0, _strings = 0, _stringsSize = 0, _resources = 0;
};

}  // namespace jad
