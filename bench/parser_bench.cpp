// Prints the scanner+parser throughput of both grammars on generated Java
// texts and the time to build the class-structure tree of a parsing result
// with 10,000 members. Given directories, it also parses every .java file
// below them with the modern grammar and reports how many parse.

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "decompiler/DecompilerImpl.h"
#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParserImpl.h"
#include "decompiler/parser/ScannerHooks.h"

namespace {

// Processor time of this process: the machine may be shared, and waiting
// for a processor is not the parser's cost.
struct Clock {
    using time_point = std::clock_t;
    static time_point now() { return std::clock(); }
};
namespace zd = products::zefra::decompiler;

std::string generatedClass(int index)
{
    std::string n = std::to_string(index);
    return "/* Generated class " + n + " */\r\n"
           "public class Generated" + n + " extends java.lang.Object implements Runnable\r\n{\r\n"
           "    private static final int LIMIT = 100;\r\n"
           "    protected String name = \"generated " + n + "\", other;\r\n"
           "    int[] values = { 1, 2, 3 };\r\n"
           "\r\n"
           "    public Generated" + n + "(String name, int count)\r\n    {\r\n"
           "        this.name = name;\r\n"
           "        values = new int[count];\r\n"
           "    }\r\n\r\n"
           "    public void run()\r\n    {\r\n"
           "        for (int i = 0; i < values.length; i++)\r\n        {\r\n"
           "            if (values[i] > LIMIT && name != null)\r\n"
           "                values[i] = (values[i] << 2) % 7 + i * 3;\r\n"
           "            else\r\n"
           "                values[i] = -values[i];\r\n"
           "        }\r\n"
           "        try\r\n        {\r\n"
           "            synchronized (this) { other = String.valueOf(values.length) + 'x'; }\r\n"
           "        }\r\n"
           "        catch (RuntimeException e)\r\n        {\r\n"
           "            throw new IllegalStateException(\"failed: \" + e.getMessage());\r\n"
           "        }\r\n"
           "    }\r\n\r\n"
           "    // Returns the sum of the values.\r\n"
           "    protected long sum(final int from, int to[]) throws Exception\r\n    {\r\n"
           "        long total = 0L;\r\n"
           "        while (from < to.length) { total += to[from] * 2.5e1; break; }\r\n"
           "        return total > 0 ? total : (long) 0x7f;\r\n"
           "    }\r\n\r\n"
           "    static class Helper { double weight() { return 1.0d; } }\r\n"
           "}\r\n\r\n";
}

std::string generatedText(std::size_t minimumSize)
{
    std::string text = "package bench.generated;\r\n\r\nimport java.util.*;\r\n\r\n";
    for (int index = 0; text.size() < minimumSize; ++index) {
        text += generatedClass(index);
    }
    return text;
}

// The same kind of class as the engine's modern output would print it.
std::string generatedModernClass(int index)
{
    std::string n = std::to_string(index);
    return "/** Generated class " + n + " */\r\n"
           "@SuppressWarnings(\"unchecked\")\r\n"
           "public final class Generated" + n + "<T extends Comparable<? super T>> implements Runnable\r\n{\r\n"
           "    private static final int LIMIT = 100;\r\n"
           "    protected String name = \"generated " + n + "\", other;\r\n"
           "    private final Map<String, List<Integer>> index = new HashMap<>();\r\n"
           "\r\n"
           "    public Generated" + n + "(String name, int count)\r\n    {\r\n"
           "        this.name = name;\r\n"
           "        index.computeIfAbsent(name, k -> new ArrayList<>()).add(count);\r\n"
           "    }\r\n\r\n"
           "    @Override\r\n"
           "    public void run()\r\n    {\r\n"
           "        for (Map.Entry<String, List<Integer>> e : index.entrySet())\r\n        {\r\n"
           "            var total = e.getValue().stream().mapToInt(Integer::intValue).sum() >> 1;\r\n"
           "            String kind = switch (total % 3) { case 0 -> \"none\"; case 1 -> \"one\"; default -> { yield \"many\"; } };\r\n"
           "            if (e.getKey() instanceof String s && !s.isEmpty()) other = s + kind;\r\n"
           "        }\r\n"
           "        try (var reader = new java.io.StringReader(name))\r\n        {\r\n"
           "            reader.read();\r\n"
           "        }\r\n"
           "        catch (java.io.IOException | RuntimeException e)\r\n        {\r\n"
           "            throw new IllegalStateException(\"failed: \" + e.getMessage(), e);\r\n"
           "        }\r\n"
           "    }\r\n\r\n"
           "    public <U extends T> List<U> pick(final List<? extends U> from, int... which)\r\n    {\r\n"
           "        return from.stream().filter(u -> u.compareTo(null) > 0).map(u -> (U) u).toList();\r\n"
           "    }\r\n\r\n"
           "    record Point(int x, int y) { Point { if (x < 0) throw new IllegalArgumentException(); } }\r\n"
           "    enum Mode { FAST, SLOW(2) { int cost() { return 2; } }; Mode() { } Mode(int c) { } int cost() { return 1; } }\r\n"
           "}\r\n\r\n";
}

std::string generatedModernText(std::size_t minimumSize)
{
    std::string text = "package bench.generated;\r\n\r\nimport java.util.*;\r\n\r\n";
    for (int index = 0; text.size() < minimumSize; ++index) {
        text += generatedModernClass(index);
    }
    return text;
}

std::string membersResult(int members)
{
    std::string result = "0;0;0;public;Big;";
    for (int index = 0; index < members; ++index) {
        std::string line = std::to_string(index + 1);
        switch (index % 4) {
        case 0: result += "1;" + line + ";1;public;method" + line + "(int a, String b);"; break;
        case 1: result += "1;" + line + ";2;private;field" + line + "=5;"; break;
        case 2: result += "1;" + line + ";1;protected static;helper" + line + "();"; break;
        default: result += "1;" + line + ";2;package;value" + line + ";"; break;
        }
    }
    return result;
}

double secondsSince(Clock::time_point start)
{
    return static_cast<double>(Clock::now() - start) / CLOCKS_PER_SEC;
}

double bestParseSeconds(const std::string& text, zd::parser::JavaDialect dialect, std::size_t& records)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        Clock::time_point start = Clock::now();
        zd::parser::ParserImpl parser(dialect);
        std::string result = parser.parse(text);
        best = std::min(best, secondsSince(start));
        records = static_cast<std::size_t>(std::count(result.begin(), result.end(), ';')) / 5;
    }
    return best;
}

double bestTreeSeconds(const std::string& result)
{
    zd::DecompilerImpl decompiler;
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        Clock::time_point start = Clock::now();
        std::unique_ptr<zd::ClassStructure> root = decompiler.buildTree(result, "text");
        best = std::min(best, secondsSince(start));
        if (root == nullptr || root->getPublicMethods().size() + root->getPrivateFields().size()
                                       + root->getProtectedMethods().size() != 10000) {
            std::fprintf(stderr, "unexpected tree\n");
        }
    }
    return best;
}

void printThroughput(const char* label, const std::string& text, zd::parser::JavaDialect dialect)
{
    std::size_t records = 0;
    double parseSeconds = bestParseSeconds(text, dialect, records);
    double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    std::printf("%s: %.1f MB of Java text, %zu records, %.3f s CPU, %.1f MB/s (target >= 20)\n", label,
                megabytes, records, parseSeconds, megabytes / parseSeconds);
}

void ignoreStrayByte(char)
{
}

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every .java file below the directory through the modern grammar.
void parseTree(const std::string& directory)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
        if (entry.is_regular_file() && entry.path().extension() == ".java") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    zd::parser::UnmatchedByteHandler previous = zd::parser::setUnmatchedByteHandler(ignoreStrayByte);
    std::size_t parsed = 0;
    std::size_t bytes = 0;
    double seconds = 0;
    std::vector<std::string> failures;
    for (const std::filesystem::path& file : files) {
        std::string text = fileText(file);
        bytes += text.size();
        Clock::time_point start = Clock::now();
        try {
            zd::parser::ParserImpl parser(zd::parser::JavaDialect::Modern);
            parser.parse(text);
            ++parsed;
        } catch (const zd::parser::ParserException& error) {
            failures.push_back(file.string() + ":" + std::to_string(error.getLine() + 1));
        }
        seconds += secondsSince(start);
    }
    zd::parser::setUnmatchedByteHandler(previous);
    double megabytes = static_cast<double>(bytes) / (1024.0 * 1024.0);
    std::printf("modern grammar over %s: %zu of %zu files parse, %.1f MB, %.1f MB/s\n", directory.c_str(), parsed,
                files.size(), megabytes, seconds > 0 ? megabytes / seconds : 0.0);
    for (std::size_t i = 0; i < failures.size() && i < 20; ++i) {
        std::printf("  does not parse: %s\n", failures[i].c_str());
    }
}

}

int main(int argc, char** argv)
{
    printThroughput("classic scanner+parser", generatedText(6 * 1024 * 1024), zd::parser::JavaDialect::Classic);
    printThroughput("modern scanner+parser", generatedModernText(6 * 1024 * 1024), zd::parser::JavaDialect::Modern);
    printThroughput("modern grammar on classic text", generatedText(6 * 1024 * 1024), zd::parser::JavaDialect::Modern);

    const std::string result = membersResult(10000);
    double treeSeconds = bestTreeSeconds(result);
    std::printf("tree build: 10000 members (%zu bytes of parsing result), %.2f ms CPU (target < 50)\n",
                result.size(), treeSeconds * 1000.0);
    for (int index = 1; index < argc; ++index) {
        parseTree(argv[index]);
    }
    return 0;
}
