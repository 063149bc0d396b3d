#include "gui/SourceExport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "archive/ArchiveException.h"
#include "archive/ZipWriter.h"
#include "decompiler/FallbackBodies.h"
#include "exceptions/Exception.h"
#include "io/file/FileHelper.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string::size_type indentOf(const std::string& line) {
    const std::string::size_type first = line.find_first_not_of(" \t");
    return first == std::string::npos ? line.size() : first;
}

std::string trimmed(const std::string& line) {
    const std::string::size_type first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

// "public void broken(int i) throws E" gives "broken(int i)".
std::string signatureOf(const std::string& header) {
    const std::string::size_type open = header.find('(');
    const std::string::size_type close = header.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return header;
    const std::string::size_type space = header.find_last_of(" \t", open);
    const std::string::size_type nameStart = space == std::string::npos ? 0 : space + 1;
    return header.substr(nameStart, close + 1 - nameStart);
}

// Folder or zip: where each class's text goes.
class Destination {
public:
    explicit Destination(const std::string& path) : _path(path) {
        if (isZipDestination(path)) {
            _zip = std::make_unique<archive::ZipWriter>(path);
            return;
        }
        std::error_code error;
        fs::create_directories(path, error);
        if (error || !fs::is_directory(path)) {
            throw archive::ArchiveException("The folder " + path + " could not be made: " + error.message());
        }
    }

    void write(const std::string& relative, const std::string& text) {
        if (_zip) return _zip->add(relative, text);
        const fs::path target = fs::path(_path) / relative;
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) throw archive::ArchiveException("cannot write " + target.string());
    }

    void finish() {
        if (_zip) _zip->finish();
    }

private:
    std::string _path;
    std::unique_ptr<archive::ZipWriter> _zip;
};

void noteFallbacks(const SourceFile& file, const std::string& output, ExportReport& report) {
    const std::string text = javaTextOf(output);
    for (const decompiler::FallbackBody& body : decompiler::findFallbackBodies(text)) {
        std::string method = fallbackMethodOf(text, body.line);
        if (method.empty()) method = "line " + std::to_string(body.line + 1);
        report.fallbacks.push_back(file.qualifiedName + "." + method + ": " + body.reason);
    }
}

}

bool isZipDestination(const std::string& destination) {
    if (destination.size() < 4) return false;
    std::string end = destination.substr(destination.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return end == ".zip";
}

std::string fallbackMethodOf(const std::string& javaText, int bodyLine) {
    const std::vector<std::string> lines = linesOf(javaText);
    if (bodyLine <= 0 || bodyLine >= static_cast<int>(lines.size())) return std::string();
    const std::string::size_type bodyIndent = indentOf(lines[static_cast<std::size_t>(bodyLine)]);
    for (int line = bodyLine - 1; line >= 0; --line) {
        const std::string& text = lines[static_cast<std::size_t>(line)];
        const std::string shown = trimmed(text);
        if (shown.empty() || shown == "{" || indentOf(text) >= bodyIndent) continue;
        return signatureOf(shown);
    }
    return std::string();
}

ExportReport exportSources(const SourceSet& sources, const std::string& destination,
                           const decompiler::engine::RunCancel& cancel, const ProgressReport& progress) {
    ExportReport report;
    report.messages = sources.messages;
    Destination target(destination);
    const int total = static_cast<int>(sources.classes.size());
    int done = 0;
    for (const SourceFile& file : sources.classes) {
        if (cancel.cancelled()) {
            report.cancelled = true;
            return report;
        }
        if (progress) progress(done++, total);
        if (!file.written()) {
            report.failed.push_back(file.qualifiedName + ": " + file.failure);
            continue;
        }
        try {
            const std::string output = io::file::FileHelper::loadFile(file.path, 0);
            target.write(fs::path(file.path).lexically_relative(sources.folder).generic_string(), output);
            noteFallbacks(file, output, report);
            ++report.written;
        } catch (const exceptions::Exception& e) {
            report.failed.push_back(file.qualifiedName + ": " + e.getMessage());
        }
    }
    target.finish();
    if (progress) progress(total, total);
    return report;
}

std::string reportText(const ExportReport& report, const std::string& destination) {
    std::string text = report.cancelled ? "Save All Sources was cancelled; " : "";
    text += std::to_string(report.written) + (report.written == 1 ? " class" : " classes") + " saved to " +
            destination + ".";
    if (!report.failed.empty()) {
        text += "\n\n" + std::to_string(report.failed.size()) + " could not be decompiled:";
        for (const std::string& line : report.failed) text += "\n  " + line;
    }
    if (!report.fallbacks.empty()) {
        text += "\n\n" + std::to_string(report.fallbacks.size()) +
                (report.fallbacks.size() == 1 ? " method was" : " methods were") +
                " not decompiled and hold the engine's listing instead:";
        for (const std::string& line : report.fallbacks) text += "\n  " + line;
    }
    if (!report.messages.empty()) {
        text += "\n\nThe engine also reported:";
        for (const std::string& line : report.messages) text += "\n  " + line;
    }
    return text;
}

}
}
}
