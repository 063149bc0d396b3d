// zefra-outline: the viewer's pipeline on the command line (see USAGE_TEXT).

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "OutlineOptions.h"
#include "RootAccess.h"
#include "TreePrinter.h"
#include "decompiler/DecompilerImpl.h"
#include "decompiler/engine/Jad.h"
#include "decompiler/parser/ParserException.h"
#include "decompiler/parser/ParserImpl.h"
#include "decompiler/parser/ScannerHooks.h"
#include "exceptions/Exception.h"
#include "io/file/FileHelper.h"
#include "windows/file/FileSystemHelpers.h"

namespace {

namespace zd = products::zefra::decompiler;

const int EXIT_PARSE_ERROR = 1;
const int EXIT_OTHER_ERROR = 2;

// Standard output carries only the result.
void copyToStandardError(char byte)
{
    std::fputc(static_cast<unsigned char>(byte), stderr);
}

zd::parser::JavaDialect dialectOf(const outline::OutlineOptions& options)
{
    return options.modern ? zd::parser::JavaDialect::Modern : zd::parser::JavaDialect::Classic;
}

std::string parseRecords(const std::string& text, zd::parser::JavaDialect dialect)
{
    zd::parser::ParserImpl parser(dialect);
    return parser.parse(text);
}

// The engine runs from the application directory, as in the viewer; the
// class file's path must survive the change of directory.
std::string enterApplicationDirectory(const std::string& classFilePath)
{
    std::string absolutePath = classFilePath;
    if (absolutePath.empty() || absolutePath[0] != '/') {
        absolutePath = windows::file::getCurrentDirectory() + absolutePath;
    }
    windows::file::setCurrentDirectory(windows::file::getApplicationDirectory());
    return absolutePath;
}

int printRecords(const std::string& path, zd::parser::JavaDialect dialect)
{
    std::string text;
    if (outline::isClassFile(path)) {
        std::string classFile = enterApplicationDirectory(path);
        zd::engine::RunOptions options;
        options.modern = dialect == zd::parser::JavaDialect::Modern;
        text = zd::engine::Jad().decompile(classFile, options);
    } else {
        text = io::file::FileHelper::loadFile(path);
    }
    std::cout << parseRecords(text, dialect) << '\n';
    return 0;
}

void printRootTree(const zd::ClassStructure& root, const std::string& parsingResult)
{
    outline::printTree(std::cout, root, outline::rootAccessGroup(parsingResult, root.getNameAndLine()));
}

// A class file goes through the whole facade, as in the viewer.
int printClassFileTree(const std::string& path, zd::parser::JavaDialect dialect)
{
    std::unique_ptr<zd::ClassStructure> root = zd::DecompilerImpl(dialect).decompile(enterApplicationDirectory(path));
    if (root != nullptr) {
        printRootTree(*root, parseRecords(root->getText(), dialect));
    }
    return 0;
}

// The facade's steps for a Java text, without logging a text that declares
// no class as a failed check.
int printJavaTextTree(const std::string& path, zd::parser::JavaDialect dialect)
{
    std::string text = io::file::FileHelper::loadFile(path);
    std::string parsingResult = parseRecords(text, dialect);
    if (parsingResult.empty()) {
        return 0;
    }
    std::unique_ptr<zd::ClassStructure> root = zd::DecompilerImpl(dialect).buildTree(parsingResult, text);
    if (root != nullptr) {
        printRootTree(*root, parsingResult);
    }
    return 0;
}

int printClassTree(const std::string& path, zd::parser::JavaDialect dialect)
{
    return outline::isClassFile(path) ? printClassFileTree(path, dialect) : printJavaTextTree(path, dialect);
}

int run(const outline::OutlineOptions& options)
{
    try {
        zd::parser::JavaDialect dialect = dialectOf(options);
        return options.mode == outline::OutlineOptions::Mode::Records ? printRecords(options.path, dialect)
                                                                       : printClassTree(options.path, dialect);
    } catch (const zd::parser::ParserException& error) {
        std::cerr << options.path << ':' << static_cast<long long>(error.getLine()) + 1 << ": "
                  << error.getMessage() << '\n';
        return EXIT_PARSE_ERROR;
    } catch (const exceptions::Exception& error) {
        std::cerr << error.getMessage() << '\n';
        return EXIT_OTHER_ERROR;
    } catch (const std::exception& error) {
        std::cerr << "zefra-outline: " << error.what() << '\n';
        return EXIT_OTHER_ERROR;
    }
}

}

int main(int argc, char** argv)
{
    outline::OutlineOptions options = outline::parseArguments(argc, argv);
    if (options.mode == outline::OutlineOptions::Mode::Help) {
        std::cout << outline::USAGE_TEXT;
        return 0;
    }
    if (options.mode == outline::OutlineOptions::Mode::Invalid) {
        std::cerr << "zefra-outline: " << options.problem << "\n" << outline::USAGE_TEXT;
        return EXIT_OTHER_ERROR;
    }
    zd::parser::setUnmatchedByteHandler(copyToStandardError);
    return run(options);
}
