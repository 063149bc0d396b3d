#include "archive/ZipWriter.h"

#include <cstdlib>
#include <cstring>
#include <zip.h>

#include "archive/ArchiveException.h"
#include "archive/EntryName.h"

namespace archive {

struct ZipWriter::Handle {
    zip_t* zip = nullptr;
    ~Handle() {
        if (zip) zip_discard(zip);
    }
};

namespace {

std::string errorOf(zip_t* zip) { return zip_error_strerror(zip_get_error(zip)); }

}

ZipWriter::ZipWriter(const std::string& path) : _path(path), _handle(new Handle) {
    int code = 0;
    _handle->zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!_handle->zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw ArchiveException("The archive " + path + " could not be created: " + text);
    }
}

ZipWriter::~ZipWriter() = default;

void ZipWriter::add(const std::string& name, const std::string& content) {
    const std::string unsafe = whyUnsafeEntryName(name);
    if (!unsafe.empty()) throw ArchiveException("The entry " + name + " cannot be written: " + unsafe);
    // libzip reads the bytes at finish(); it owns this copy and frees it.
    void* copy = std::malloc(content.empty() ? 1 : content.size());
    if (!copy) throw ArchiveException("Out of memory writing " + name);
    if (!content.empty()) std::memcpy(copy, content.data(), content.size());
    zip_source_t* source = zip_source_buffer(_handle->zip, copy, content.size(), 1);
    if (!source) {
        std::free(copy);
        throw ArchiveException("The entry " + name + " cannot be written: " + errorOf(_handle->zip));
    }
    if (zip_file_add(_handle->zip, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        throw ArchiveException("The entry " + name + " cannot be written: " + errorOf(_handle->zip));
    }
}

void ZipWriter::finish() {
    if (zip_close(_handle->zip) != 0) {
        const std::string text = errorOf(_handle->zip);
        throw ArchiveException("The archive " + _path + " could not be written: " + text);
    }
    _handle->zip = nullptr;
}

}
