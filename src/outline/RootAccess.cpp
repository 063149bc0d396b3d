#include "RootAccess.h"

#include <vector>

#include "decompiler/parser/ParsingResult.h"

namespace outline {

namespace {

namespace zp = products::zefra::decompiler::parser;

std::vector<std::string> splitFields(const std::string& parsingResult)
{
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    std::string::size_type end;
    while ((end = parsingResult.find(zp::RECORD_SEPARATOR, start)) != std::string::npos) {
        fields.push_back(parsingResult.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// The same test the tree builder applies to a record's access field.
const char* groupOf(const std::string& access)
{
    if (access.find("public") != std::string::npos) {
        return "public";
    }
    if (access.find("protected") != std::string::npos) {
        return "protected";
    }
    return "private";
}

}

const char* rootAccessGroup(const std::string& parsingResult,
                            const products::zefra::decompiler::NameAndLine& root)
{
    std::vector<std::string> fields = splitFields(parsingResult);
    const std::string line = std::to_string(root.getLine());
    const std::string classKind = std::to_string(zp::RECORD_KIND_CLASS);
    for (std::size_t i = 0; i + 4 < fields.size(); i += zp::RECORD_FIELD_COUNT) {
        if (fields[i] == "0" && fields[i + 1] == line && fields[i + 2] == classKind
            && fields[i + 4] == root.getName()) {
            return groupOf(fields[i + 3]);
        }
    }
    return "private";
}

}
