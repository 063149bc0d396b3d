#include "cli/Options.h"

#include <algorithm>

#include "body/pipeline/MethodPasses.h"

namespace jad {

const char* const UsageText =
    "usage: jad [options] file.class... (also .jar, .zip, and directories with -r)\n"
    "  -o        overwrite existing output files\n"
    "  -d<dir>   write output files into <dir> (created when missing)\n"
    "  -s<ext>   output file extension (default java)\n"
    "  -ff       fields before methods\n"
    "  -b        braces around every single-statement body\n"
    "  -l<n>     split string literals longer than n characters\n"
    "  -p        write to standard output\n"
    "  -r        restore the package directory structure; a directory input\n"
    "            gives every class file below it\n"
    "  -m        modern Java at the class file's language level\n"
    "  -j<n>     decompile on n threads (default: one per core)\n"
    "  -h        this help; --version the version\n"
    "  --check   check the method bodies' IR after every pass; a broken\n"
    "            invariant is reported (pass and method) and fails the run\n"
    "  --dump-after=<pass>\n"
    "            write each method's IR after that pass to standard error\n"
    "The classes of an archive or directory are written below their package\n"
    "directories, each top-level class with its nested classes.\n";

namespace {

// Longer splits than this are as good as none.
constexpr long MaxSplit = 1000000;
// More threads than this only cost memory.
constexpr long MaxThreads = 256;

int splitLength(const std::string& argument) {
    std::string digits = argument.substr(2);
    if (digits.empty() || digits.size() > 7 || digits.find_first_not_of("0123456789") != std::string::npos) {
        throw UsageError{"option " + argument + " needs a number, as in -l80"};
    }
    long value = std::stol(digits);
    return static_cast<int>(value > MaxSplit ? MaxSplit : value);
}

size_t threadCount(const std::string& argument) {
    std::string digits = argument.substr(2);
    if (digits.empty() || digits.size() > 7 || digits.find_first_not_of("0123456789") != std::string::npos ||
        std::stol(digits) == 0) {
        throw UsageError{"option " + argument + " needs a thread count from 1, as in -j4"};
    }
    return static_cast<size_t>(std::min(std::stol(digits), MaxThreads));
}

std::string attachedValue(const std::string& argument, const char* what) {
    std::string value = argument.substr(2);
    if (value.empty()) throw UsageError{"option " + argument.substr(0, 2) + " needs " + what + " attached, as in " +
                                        argument.substr(0, 2) + (argument[1] == 'd' ? "out" : "java")};
    return value;
}

std::string passName(const std::string& argument) {
    const std::string name = argument.substr(argument.find('=') + 1);
    if (body::findPass(name)) return name;
    std::string known;
    for (const body::Pass& pass : body::methodPasses()) known += std::string(known.empty() ? "" : ", ") + pass.name;
    throw UsageError{"option --dump-after needs the name of a pass: " + known};
}

// Returns false when `argument` is not an option.
bool applyOption(const std::string& argument, Options& options) {
    if (argument.size() < 2 || argument[0] != '-') return false;
    if (argument == "-h" || argument == "--help") {
        options.action = Options::Action::Help;
    } else if (argument == "--version") {
        options.action = Options::Action::Version;
    } else if (argument == "-o") {
        options.overwrite = true;
    } else if (argument == "-ff") {
        options.print.fieldsFirst = true;
    } else if (argument == "-b") {
        options.print.braces = true;
    } else if (argument == "-p") {
        options.toStandardOutput = true;
    } else if (argument == "-r") {
        options.restorePackages = true;
    } else if (argument == "-m") {
        options.print.modern = true;
    } else if (argument == "--check") {
        options.print.checkInvariants = true;
    } else if (argument.rfind("--dump-after=", 0) == 0) {
        options.print.dumpAfter = passName(argument);
    } else if (argument[1] == 'j') {
        options.threads = threadCount(argument);
    } else if (argument[1] == 'l') {
        options.print.splitLiteralsAt = splitLength(argument);
    } else if (argument[1] == 'd') {
        options.outputDirectory = attachedValue(argument, "a directory");
    } else if (argument[1] == 's') {
        options.extension = attachedValue(argument, "an extension");
    } else {
        throw UsageError{"unknown option " + argument};
    }
    return true;
}

}  // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    size_t i = 0;
    while (i < arguments.size() && applyOption(arguments[i], options)) ++i;
    options.files.assign(arguments.begin() + static_cast<long>(i), arguments.end());
    if (options.action == Options::Action::Decompile && options.files.empty()) {
        throw UsageError{"no input files"};
    }
    return options;
}

}  // namespace jad
