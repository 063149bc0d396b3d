// Zip archives made in the tests, byte by byte, so that they can say what
// real tools never would: sizes that lie, names that climb, flags for
// encryption, the same name twice.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jad::test {

class ZipBuilder {
public:
    struct Entry {
        std::string name;
        std::string data;
        bool deflate = false;
        bool encrypted = false;               // the flag only; the data stays plain
        std::optional<uint32_t> declaredSize;  // instead of the real size
    };

    ZipBuilder& add(const std::string& name, const std::string& data, bool deflate = false) {
        return add(Entry{name, data, deflate, false, std::nullopt});
    }
    ZipBuilder& add(Entry entry) {
        _entries.push_back(std::move(entry));
        return *this;
    }

    std::string bytes() const {
        std::string out, directory;
        for (const Entry& entry : _entries) {
            const std::string stored = entry.deflate ? deflated(entry.data) : entry.data;
            const uint32_t crc = static_cast<uint32_t>(
                crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size())));
            const uint32_t size = entry.declaredSize.value_or(static_cast<uint32_t>(entry.data.size()));
            const uint32_t offset = static_cast<uint32_t>(out.size());
            const uint16_t flags = entry.encrypted ? 1 : 0;
            const uint16_t method = entry.deflate ? 8 : 0;
            u4(out, 0x04034b50); u2(out, 20); u2(out, flags); u2(out, method); u2(out, 0); u2(out, 0x21);
            u4(out, crc); u4(out, static_cast<uint32_t>(stored.size())); u4(out, size);
            u2(out, static_cast<uint16_t>(entry.name.size())); u2(out, 0);
            out += entry.name;
            out += stored;
            u4(directory, 0x02014b50); u2(directory, 20); u2(directory, 20); u2(directory, flags);
            u2(directory, method); u2(directory, 0); u2(directory, 0x21); u4(directory, crc);
            u4(directory, static_cast<uint32_t>(stored.size())); u4(directory, size);
            u2(directory, static_cast<uint16_t>(entry.name.size())); u2(directory, 0); u2(directory, 0);
            u2(directory, 0); u2(directory, 0); u4(directory, 0); u4(directory, offset);
            directory += entry.name;
        }
        const uint32_t directoryOffset = static_cast<uint32_t>(out.size());
        out += directory;
        u4(out, 0x06054b50); u2(out, 0); u2(out, 0);
        u2(out, static_cast<uint16_t>(_entries.size())); u2(out, static_cast<uint16_t>(_entries.size()));
        u4(out, static_cast<uint32_t>(directory.size())); u4(out, directoryOffset); u2(out, 0);
        return out;
    }

    // Raw deflate, as zip stores it.
    static std::string deflated(const std::string& data) {
        z_stream stream{};
        deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, Z_FINISH);
        out.resize(stream.total_out);
        deflateEnd(&stream);
        return out;
    }

private:
    static void u2(std::string& out, uint16_t v) {
        out += static_cast<char>(v & 0xff);
        out += static_cast<char>(v >> 8);
    }
    static void u4(std::string& out, uint32_t v) {
        u2(out, static_cast<uint16_t>(v & 0xffff));
        u2(out, static_cast<uint16_t>(v >> 16));
    }

    std::vector<Entry> _entries;
};

}  // namespace jad::test
