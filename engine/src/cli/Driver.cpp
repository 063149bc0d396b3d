#include "cli/Driver.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <set>
#include <type_traits>
#include <utility>

#include "archive/Archive.h"
#include "cli/Decompile.h"
#include "cli/Files.h"
#include "cli/InputQueue.h"
#include "cli/Options.h"
#include "cli/Output.h"
#include "cli/Units.h"
#include "decl/unit/CompilationUnit.h"

namespace jad {

namespace {

namespace fs = std::filesystem;

// One call of jad: its inputs in order, each loose file, archive or
// directory tree decompiled on a queue of its own.
class Run {
public:
    Run(const Options& options, std::ostream& out, std::ostream& err)
        : _options(options), _out(out), _err(err), _writer(options.overwrite) {}

    int status() const { return _status; }

    void files(const std::vector<std::string>& paths) {
        if (!paths.empty()) decompileAll(looseUnits(paths), nullptr, _options.restorePackages);
    }

    void directory(const std::string& path) {
        std::vector<ClassUnit> units;
        try {
            units = directoryUnits(path);
        } catch (const InputFailure& failure) {
            return fail(path, failure.reason);
        }
        if (units.empty()) return fail(path, "holds no class files");
        decompileAll(std::move(units), nullptr, true);
    }

    void archive(const std::string& path) {
        std::error_code error;
        if (!fs::exists(path, error)) return fail(path, "cannot open (No such file or directory)");
        if (fs::is_directory(path, error)) return fail(path, "is a directory");
        std::unique_ptr<LoadedArchive> archive;
        try {
            archive = std::make_unique<LoadedArchive>(readArchiveFile(path));
        } catch (const ArchiveError& failure) {
            return fail(path, failure.reason);
        } catch (const std::bad_alloc&) {
            return fail(path, "out of memory");
        }
        for (const EntryProblem& problem : archive->problems()) fail(entryLabel(path, problem.entry), problem.reason);
        if (archive->entries().empty() && archive->problems().empty()) return fail(path, "holds no class files");
        decompileAll(archiveUnits(path, *archive), archive.get(), true);
    }

private:
    // The units of one input, then those of its nested classes that no
    // outer class printed (an outer class that does not list them), each
    // on its own.
    void decompileAll(std::vector<ClassUnit> units, const LoadedArchive* archive, bool packageDirectories) {
        std::vector<std::pair<ClassUnit, std::string>> nested;  // with the class each holds
        std::set<std::string> printed;
        decompileQueue(units, archive, packageDirectories, [&](const ClassUnit& unit, const InputResult& result) {
            if (result.nested) nested.emplace_back(unit, result.thisClass);
            printed.insert(result.printed.begin(), result.printed.end());
        });
        std::vector<ClassUnit> unprinted;
        for (auto& [unit, thisClass] : nested) {
            if (printed.count(thisClass)) continue;
            unit.wholeTree = false;
            unprinted.push_back(std::move(unit));
        }
        if (!unprinted.empty()) decompileQueue(unprinted, archive, packageDirectories, nullptr);
    }

    template <typename Seen>
    void decompileQueue(const std::vector<ClassUnit>& units, const LoadedArchive* archive, bool packageDirectories,
                        const Seen& seen) {
        const size_t threads = InputQueue::threadsFor(units.size(), _options.threads);
        std::vector<SiblingCache> caches(threads);
        InputQueue queue(units.size(), threads, [&](size_t index, size_t worker) {
            return decompileUnit(units[index], archive, _options.print, caches[worker]);
        });
        for (const ClassUnit& unit : units) {
            InputResult result = queue.next();
            if constexpr (!std::is_same_v<Seen, std::nullptr_t>) seen(unit, result);
            if (!result.nested) deliver(unit, result, packageDirectories);
        }
    }

    void deliver(const ClassUnit& unit, const InputResult& result, bool packageDirectories) {
        report(unit, result.report);
        try {
            if (result.failure) throw InputFailure{*result.failure};
            if (_options.toStandardOutput) {
                _out << result.text;
                _out.flush();
                return;
            }
            const fs::path path = outputPath(unit.stem, result.thisClass, packageDirectories, _options);
            _writer.write(path, result.text, unit.label);
        } catch (const InputFailure& failure) {
            fail(unit.label, failure.reason);
        } catch (const std::exception& error) {
            fail(unit.label, std::string("internal error: ") + error.what());
        }
    }

    void report(const ClassUnit& unit, const DebugReport& report) {
        for (const std::string& line : report.dumps) _err << line << "\n";
        for (const std::string& broken : report.brokenInvariants) fail(unit.label, broken);
    }

    void fail(const std::string& label, const std::string& reason) {
        _err << label << ": " << reason << "\n";
        _status = 1;
    }

    const Options& _options;
    std::ostream& _out;
    std::ostream& _err;
    OutputWriter _writer;
    int _status = 0;
};

bool isDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
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
    Run run(options, out, err);
    // Loose class files in a row share one queue, as one directory's files.
    std::vector<std::string> loose;
    for (const std::string& name : options.files) {
        const bool archive = isArchiveInput(name);
        const bool tree = !archive && options.restorePackages && isDirectory(name);
        if (!archive && !tree) {
            loose.push_back(name);
            continue;
        }
        run.files(loose);
        loose.clear();
        if (archive) run.archive(name);
        else run.directory(name);
    }
    run.files(loose);
    return run.status();
}

}  // namespace jad
