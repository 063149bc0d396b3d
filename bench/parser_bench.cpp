// Prints the scanner+parser throughput on a generated Java text and the time
// to build the class-structure tree of a parsing result with 10,000 members.

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <memory>
#include <string>

#include "decompiler/DecompilerImpl.h"
#include "decompiler/parser/ParserImpl.h"

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

double bestParseSeconds(const std::string& text, std::size_t& records)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        Clock::time_point start = Clock::now();
        zd::parser::ParserImpl parser;
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

}

int main()
{
    const std::string text = generatedText(6 * 1024 * 1024);
    std::size_t records = 0;
    double parseSeconds = bestParseSeconds(text, records);
    double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    std::printf("scanner+parser: %.1f MB of Java text, %zu records, %.3f s CPU, %.1f MB/s (target >= 20)\n",
                megabytes, records, parseSeconds, megabytes / parseSeconds);

    const std::string result = membersResult(10000);
    double treeSeconds = bestTreeSeconds(result);
    std::printf("tree build: 10000 members (%zu bytes of parsing result), %.2f ms CPU (target < 50)\n",
                result.size(), treeSeconds * 1000.0);
    return 0;
}
