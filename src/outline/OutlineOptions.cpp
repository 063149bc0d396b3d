#include "OutlineOptions.h"

namespace outline {

const char* const USAGE_TEXT =
    "Usage: zefra-outline [--modern] [--records] FILE\n"
    "       zefra-outline --help\n"
    "\n"
    "Parses a Java text and prints what it declares. FILE is a Java text, or a\n"
    "class file (name ending in .class), which is first run through the engine\n"
    "jad/jad beside this program, with that directory as the current directory.\n"
    "\n"
    "--modern   reads the text with the modern grammar (Java up to 25); a\n"
    "           class file goes through the engine with -m\n"
    "--records  prints the parsing result exactly, then one line feed: records\n"
    "           of five fields, each field followed by ';':\n"
    "             depth;line;kind;access;name;\n"
    "           depth  class nesting, 0 for a top-level type\n"
    "           line   0-based line of the name (classic grammar: line feeds\n"
    "                  inside comments, literals and [ ] tokens are not\n"
    "                  counted; the modern grammar counts them all)\n"
    "           kind   0 class or interface, 1 method or constructor, 2 field\n"
    "           access modifiers in source order, or 'package'\n"
    "           name   declaration text up to its first '{', ';' made blanks\n"
    "           A text that declares no class prints an empty line.\n"
    "\n"
    "Without --records it prints the class-structure tree of the root class,\n"
    "one line per entry:\n"
    "  INDENT KIND ACCESS NAME LINE\n"
    "  INDENT two blanks per nesting level, none for the root\n"
    "  KIND   class, field or method\n"
    "  ACCESS public, protected or private (private includes package access)\n"
    "  NAME   the record's name; a line feed in it is written \\n, a carriage\n"
    "         return \\r, a backslash \\\\\n"
    "  LINE   1-based line, always the last field\n"
    "A class's entries follow it in this order: inner classes, fields, methods,\n"
    "each kind in the order private, protected, public, then source order.\n"
    "Nothing is printed when the text declares no class.\n"
    "\n"
    "Bytes of the text that no lexical rule accepts are copied to standard\n"
    "error. Failed internal checks are logged as the viewer logs them.\n"
    "\n"
    "Exit codes: 0 success; 1 the text does not parse (standard error gets\n"
    "'FILE:LINE: ' and the message, LINE 1-based); 2 any other error (its\n"
    "message on standard error) or invalid arguments.\n";

OutlineOptions parseArguments(int argc, const char* const* argv)
{
    OutlineOptions options;
    bool records = false;
    for (int index = 1; index < argc; ++index) {
        std::string argument = argv[index];
        if (argument == "--help" || argument == "-h") {
            options.mode = OutlineOptions::Mode::Help;
            return options;
        }
        if (argument == "--records") {
            records = true;
        } else if (argument == "--modern") {
            options.modern = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            options.problem = "unknown option " + argument;
            return options;
        } else if (!options.path.empty()) {
            options.problem = "more than one file given";
            return options;
        } else {
            options.path = argument;
        }
    }
    if (options.path.empty()) {
        options.problem = "no file given";
        return options;
    }
    options.mode = records ? OutlineOptions::Mode::Records : OutlineOptions::Mode::Tree;
    return options;
}

bool isClassFile(const std::string& path)
{
    const std::string extension = ".class";
    return path.size() > extension.size()
           && path.compare(path.size() - extension.size(), extension.size(), extension) == 0;
}

}
