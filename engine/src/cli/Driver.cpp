#include "cli/Driver.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <set>

#include "classfile/ClassReader.h"
#include "cli/Files.h"
#include "cli/InputQueue.h"
#include "cli/Options.h"
#include "decl/ClassTree.h"
#include "decl/CompilationUnit.h"

namespace jad {

namespace {

namespace fs = std::filesystem;

// A failure of one input, reported as "<file>: <reason>".
struct InputFailure {
    std::string reason;
};

std::string decompile(const fs::path& input, const std::vector<uint8_t>& bytes, const Options& options,
                      SiblingCache& cache, std::string& thisClass) {
    try {
        ClassFile file = readClassFile(bytes.data(), bytes.size());
        thisClass = file.thisClass;
        DirectorySiblings siblings(input.parent_path().empty() ? fs::path(".") : input.parent_path(), cache);
        ClassNode tree = buildClassTree(std::move(file), siblings);
        return printCompilationUnit(tree, siblings, options.print);
    } catch (const ClassFormatError& error) {
        throw InputFailure{error.reason};
    } catch (const std::bad_alloc&) {
        throw InputFailure{"out of memory"};
    }
}

// The package as directories; a name that would climb out of the output
// directory is refused.
fs::path packagePath(const std::string& package) {
    fs::path path;
    size_t start = 0;
    while (start <= package.size()) {
        size_t end = std::min(package.find('/', start), package.size());
        std::string segment = package.substr(start, end - start);
        if (segment.empty() || segment == "." || segment == ".." || segment.find('\0') != std::string::npos) {
            throw InputFailure{"package " + package + " cannot be restored as directories"};
        }
        path /= segment;
        start = end + 1;
    }
    return path;
}

fs::path outputPath(const fs::path& input, const std::string& thisClass, const Options& options) {
    fs::path directory = options.outputDirectory.empty() ? fs::path(".") : fs::path(options.outputDirectory);
    if (options.restorePackages) {
        size_t slash = thisClass.rfind('/');
        if (slash != std::string::npos) directory /= packagePath(thisClass.substr(0, slash));
    }
    return directory / (input.stem().string() + "." + options.extension);
}

// The output directories of one run, each made (or found) once: a package
// holds many classes, and asking the file system again for every one of
// them cost more than writing the file.
class OutputDirectories {
public:
    void ensure(const fs::path& directory) {
        if (directory.empty() || _made.count(directory.native())) return;
        std::error_code error;
        fs::create_directories(directory, error);
        if (error) throw InputFailure{"cannot create directory " + directory.string() + " (" + error.message() + ")"};
        _made.insert(directory.native());
    }

private:
    std::set<std::string> _made;
};

void writeOutput(const fs::path& path, const std::string& text, bool overwrite, OutputDirectories& directories) {
    std::error_code error;
    directories.ensure(path.parent_path());
    if (!overwrite && fs::exists(path, error)) {
        throw InputFailure{"output " + path.string() + " exists, not overwritten (use -o)"};
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) throw InputFailure{"cannot write " + path.string()};
}

// Reading and decompiling: the part of an input's work that may run on any thread.
InputResult decompileInput(const std::string& name, const Options& options, SiblingCache& cache) {
    InputResult result;
    try {
        fs::path input(name);
        std::vector<uint8_t> bytes;
        try {
            bytes = readInputFile(input);
        } catch (const ReadError& error) {
            throw InputFailure{error.reason};
        }
        result.text = decompile(input, bytes, options, cache, result.thisClass);
    } catch (const InputFailure& failure) {
        result.failure = failure.reason;
    }
    return result;
}

// Printing or writing: in input order, on the calling thread.
void deliver(const std::string& name, const InputResult& result, const Options& options, std::ostream& out,
             OutputDirectories& directories) {
    if (options.toStandardOutput) {
        out << result.text;
        out.flush();
        return;
    }
    writeOutput(outputPath(fs::path(name), result.thisClass, options), result.text, options.overwrite, directories);
}

}  // namespace

int runJad(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Options options;
    try {
        options = parseOptions(arguments);
    } catch (const UsageError& error) {
        err << "jad: " << error.message << " (jad -h for help)\n";
        return 2;
    }
    if (options.action == Options::Action::Help) {
        out << UsageText;
        return 0;
    }
    if (options.action == Options::Action::Version) {
        out << "jad (Zefra engine) " << EngineVersion << "\n";
        return 0;
    }
    int status = 0;
    const size_t threads = InputQueue::threadsFor(options.files.size());
    std::vector<SiblingCache> caches(std::max<size_t>(threads, 1));
    InputQueue queue(options.files.size(), threads, [&](size_t index, size_t worker) {
        return decompileInput(options.files[index], options, caches[worker]);
    });
    OutputDirectories directories;
    for (const auto& name : options.files) {
        const InputResult result = queue.next();
        try {
            if (result.failure) throw InputFailure{*result.failure};
            deliver(name, result, options, out, directories);
        } catch (const InputFailure& failure) {
            err << name << ": " << failure.reason << "\n";
            status = 1;
        } catch (const std::exception& error) {
            err << name << ": internal error: " << error.what() << "\n";
            status = 1;
        }
    }
    return status;
}

}  // namespace jad
