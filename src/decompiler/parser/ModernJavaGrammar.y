/* The modern Java structure grammar: declarations of Java up to 25 in full
   (generics, annotations, enums, records, sealed types, modules), method
   bodies and initializers as bracket-balanced token runs. Inside those runs
   only what declares a class is parsed: anonymous class bodies, whose members
   are recorded at the depth of the members around them as in the classic
   grammar, and local classes, recorded as member classes. Lambdas, switch
   expressions and patterns add nothing. Semantic values are a text and the
   line of the first token; the first syntax error ends the parse. */

%define api.prefix {zefraModern}
%define api.token.prefix {MTOK_}
%define api.value.type {struct ModernValue}
%expect 0

%code requires {
#include <cstdint>

struct ModernValue {
    std::int32_t text;  /* handle into the parse's TextPool */
    std::int32_t line;
};

#define ZEFRAMODERNSTYPE_IS_TRIVIAL 1
}

%code {
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "decompiler/parser/ModernJavaGrammar.h"
#include "decompiler/parser/ModernJavaScanner.h"
#include "decompiler/parser/ParserImpl.h"
#include "decompiler/parser/ParseStackMemory.h"
#include "decompiler/parser/TextPool.h"

namespace zp = products::zefra::decompiler::parser;

#define YYINITDEPTH 200
#define YYMAXDEPTH 10000
#define YYMALLOC zp::allocateParseStack
#define YYFREE zp::freeParseStack

namespace {

const int KIND_CLASS = 0;
const int KIND_METHOD = 1;
const int KIND_FIELD = 2;

/* What implicit members are shown with: an enum constant is a public static
   final field, a record component a private final one. */
const char* const ENUM_CONSTANT_ACCESS = "public static final";
const char* const RECORD_COMPONENT_ACCESS = "private final";

struct Component {
    std::string name;
    std::int32_t line;
};

/* The state of one run of the loop besides its stacks. */
struct ModernParseState {
    zp::TextPool* pool = nullptr;
    /* Components of the record header being read. */
    std::vector<Component> collecting;
    std::string collectingTypes;
    /* Components of the last header, recorded once its body opens. */
    std::vector<Component> pending;
    std::string pendingTypes;
    /* Per open class body: the record's component list, which a compact
       constructor's name repeats; empty for other classes. */
    std::vector<std::string> compactParameters;
};

ModernParseState* state = nullptr;

zp::TextPool& pool()
{
    return *state->pool;
}

int zefraModernlex()
{
    int token = zp::scanNextModernToken();
    zefraModernlval.text = pool().make(zp::currentModernTokenText(), zp::currentModernTokenLength());
    zefraModernlval.line = zp::currentModernTokenLine();
    return token;
}

void zefraModernerror(const char* message)
{
    const char* hookMessage = std::strcmp(message, "memory exhausted") == 0 ? "parser stack overflow" : "parse error";
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->reportSyntaxError(hookMessage);
    }
}

ModernValue cat(std::initializer_list<ModernValue> parts)
{
    ModernValue result = *parts.begin();
    for (const ModernValue* part = parts.begin() + 1; part != parts.end(); ++part) {
        result.text = pool().append(result.text, part->text);
    }
    return result;
}

/* Texts joined by single blanks; empty texts (annotations) leave no blank. */
ModernValue words(std::initializer_list<ModernValue> parts)
{
    ModernValue result = *parts.begin();
    for (const ModernValue* part = parts.begin() + 1; part != parts.end(); ++part) {
        if (pool().text(part->text).empty()) {
            pool().release(part->text);
            continue;
        }
        if (!pool().text(result.text).empty()) {
            pool().appendLiteral(result.text, " ");
        }
        result.text = pool().append(result.text, part->text);
    }
    return result;
}

ModernValue drop(std::initializer_list<ModernValue> parts)
{
    for (const ModernValue& part : parts) {
        pool().release(part.text);
    }
    return ModernValue{pool().makeEmpty(), parts.begin()->line};
}

/* The first symbol's value; the others are released. */
ModernValue first(std::initializer_list<ModernValue> parts)
{
    for (const ModernValue* part = parts.begin() + 1; part != parts.end(); ++part) {
        pool().release(part->text);
    }
    return *parts.begin();
}

ModernValue literal(const ModernValue& at, const char* text)
{
    return ModernValue{pool().make(text, std::strlen(text)), at.line};
}

void record(int kind, const std::string& access, const std::string& name, std::int32_t line)
{
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->addRecord(kind, access, name, static_cast<std::uint32_t>(line));
    }
}

void emit(int kind, const ModernValue* modifiers, const ModernValue& name)
{
    static const std::string noModifiers;
    record(kind, modifiers != nullptr ? pool().text(modifiers->text) : noModifiers, pool().text(name.text),
           name.line);
}

void startComponents()
{
    state->collecting.clear();
    state->collectingTypes.clear();
}

void addComponent(const ModernValue& type, const ModernValue& name)
{
    if (!state->collectingTypes.empty()) {
        state->collectingTypes += ", ";
    }
    state->collectingTypes += pool().text(type.text) + " " + pool().text(name.text);
    state->collecting.push_back(Component{pool().text(name.text), name.line});
}

/* A class header is complete: a record's components wait for its body. */
void headerRead(bool isRecord)
{
    state->pending.clear();
    state->pendingTypes.clear();
    if (isRecord) {
        state->pending.swap(state->collecting);
        state->pendingTypes.swap(state->collectingTypes);
    }
}

void enterClassBody()
{
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->enterClassBody();
    }
    for (const Component& component : state->pending) {
        record(KIND_FIELD, RECORD_COMPONENT_ACCESS, component.name, component.line);
    }
    state->pending.clear();
    state->compactParameters.push_back(std::move(state->pendingTypes));
    state->pendingTypes.clear();
}

void leaveClassBody()
{
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->leaveClassBody();
    }
    if (!state->compactParameters.empty()) {
        state->compactParameters.pop_back();
    }
}

ModernValue compactConstructorName(const ModernValue& name)
{
    const std::string parameters = state->compactParameters.empty() ? std::string() : state->compactParameters.back();
    pool().appendLiteral(name.text, "(");
    pool().appendLiteral(name.text, parameters.c_str());
    pool().appendLiteral(name.text, ")");
    return name;
}

}
}

%token ABSTRACT "abstract"
%token BOOLEAN "boolean"
%token BYTE "byte"
%token CHAR "char"
%token CLASS "class"
%token DEFAULT "default"
%token DOUBLE "double"
%token ENUM "enum"
%token EXTENDS "extends"
%token FINAL "final"
%token FLOAT "float"
%token IMPLEMENTS "implements"
%token IMPORT "import"
%token INT "int"
%token INTERFACE "interface"
%token LONG "long"
%token NATIVE "native"
%token NEW "new"
%token PACKAGE "package"
%token PRIVATE "private"
%token PROTECTED "protected"
%token PUBLIC "public"
%token SHORT "short"
%token STATIC "static"
%token STRICTFP "strictfp"
%token SUPER "super"
%token SYNCHRONIZED "synchronized"
%token THROWS "throws"
%token TRANSIENT "transient"
%token VOID "void"
%token VOLATILE "volatile"
%token NON_SEALED "non-sealed"
%token RECORD "record"
%token SEALED "sealed"
%token PERMITS "permits"
%token WORD "statement keyword"
%token IDENTIFIER LITERAL OPERATOR DIMENSION
%token GT_JOINED "'>' before '>'"
%token ELLIPSIS "..."
%token ARROW "->"
%token COLONCOLON "::"

/* The few places where a token run may continue a construct or follow it:
   a type name goes on with "<" or ".", a creation with its arguments and an
   anonymous class body. Continuing is always right in Java. */
%precedence LOW
%precedence '(' '.' '<' '{'

%start SourceFile

%%

SourceFile
    : CompilationUnit
    ;

CompilationUnit
    : Header { $$ = drop({$1}); }
    | Header TopDeclarations { $$ = drop({$1, $2}); }
    | TopDeclarations
    ;

Header
    : PackageDeclaration
    | Imports
    | PackageDeclaration Imports { $$ = drop({$1, $2}); }
    ;

PackageDeclaration
    : "package" QualifiedName ';' { $$ = drop({$1, $2, $3}); }
    | Modifiers "package" QualifiedName ';' { $$ = drop({$1, $2, $3, $4}); }
    ;

Imports
    : ImportDeclaration
    | Imports ImportDeclaration { $$ = drop({$1, $2}); }
    ;

ImportDeclaration
    : "import" QualifiedName ';' { $$ = drop({$1, $2, $3}); }
    | "import" QualifiedName '.' '*' ';' { $$ = drop({$1, $2, $3, $4, $5}); }
    | "import" "static" QualifiedName ';' { $$ = drop({$1, $2, $3, $4}); }
    | "import" "static" QualifiedName '.' '*' ';' { $$ = drop({$1, $2, $3, $4, $5, $6}); }
    | "import" IDENTIFIER QualifiedName ';' { $$ = drop({$1, $2, $3, $4}); }
    ;

TopDeclarations
    : TopDeclaration
    | TopDeclarations TopDeclaration { $$ = drop({$1, $2}); }
    ;

TopDeclaration
    : TypeDeclaration
    | ModuleDeclaration
    | ';'
    ;

QualifiedName
    : IDENTIFIER
    | QualifiedName '.' IDENTIFIER { $$ = cat({$1, $2, $3}); }
    ;

/* Modules: the module is the root of the tree; its directives add nothing. */

ModuleDeclaration
    : ModuleHeader '{' '}' { $$ = drop({$1, $2, $3}); }
    | ModuleHeader '{' BlockSoup '}' { $$ = drop({$1, $2, $3, $4}); }
    ;

ModuleHeader
    : IDENTIFIER QualifiedName { emit(KIND_CLASS, &$1, $2); $$ = drop({$1, $2}); }
    | IDENTIFIER IDENTIFIER QualifiedName
        { ModernValue kind = words({$1, $2}); emit(KIND_CLASS, &kind, $3); $$ = drop({kind, $3}); }
    | Modifiers IDENTIFIER QualifiedName { emit(KIND_CLASS, &$2, $3); $$ = drop({$1, $2, $3}); }
    | Modifiers IDENTIFIER IDENTIFIER QualifiedName
        { ModernValue kind = words({$2, $3}); emit(KIND_CLASS, &kind, $4); $$ = drop({$1, kind, $4}); }
    ;

/* Type declarations */

TypeDeclaration
    : ClassHeader ClassBody { $$ = drop({$1, $2}); }
    | EnumHeader EnumBody { $$ = drop({$1, $2}); }
    ;

ClassHeader
    : Modifiers ClassCore { emit(KIND_CLASS, &$1, $2); $$ = drop({$1, $2}); }
    | ClassCore { emit(KIND_CLASS, nullptr, $1); $$ = drop({$1}); }
    | Modifiers AnnotationTypeCore { emit(KIND_CLASS, &$1, $2); $$ = drop({$1, $2}); }
    | AnnotationTypeCore { emit(KIND_CLASS, nullptr, $1); $$ = drop({$1}); }
    ;

EnumHeader
    : Modifiers EnumCore { emit(KIND_CLASS, &$1, $2); $$ = drop({$1, $2}); }
    | EnumCore { emit(KIND_CLASS, nullptr, $1); $$ = drop({$1}); }
    ;

/* A class, interface or record declared in a block: its modifiers are part
   of the token run before it. */
LocalTypeDeclaration
    : LocalClassHeader ClassBody { $$ = drop({$1, $2}); }
    | LocalEnumHeader EnumBody { $$ = drop({$1, $2}); }
    ;

LocalClassHeader
    : ClassCore { emit(KIND_CLASS, nullptr, $1); }
    ;

LocalEnumHeader
    : EnumCore { emit(KIND_CLASS, nullptr, $1); }
    ;

ClassCore
    : ClassKind IDENTIFIER { headerRead(false); $$ = first({$2, $1}); }
    | ClassKind IDENTIFIER TypeParameters { headerRead(false); $$ = first({$2, $1, $3}); }
    | ClassKind IDENTIFIER Clauses { headerRead(false); $$ = first({$2, $1, $3}); }
    | ClassKind IDENTIFIER TypeParameters Clauses { headerRead(false); $$ = first({$2, $1, $3, $4}); }
    | "record" IDENTIFIER RecordComponents { headerRead(true); $$ = first({$2, $1, $3}); }
    | "record" IDENTIFIER TypeParameters RecordComponents { headerRead(true); $$ = first({$2, $1, $3, $4}); }
    | "record" IDENTIFIER RecordComponents Clauses { headerRead(true); $$ = first({$2, $1, $3, $4}); }
    | "record" IDENTIFIER TypeParameters RecordComponents Clauses
        { headerRead(true); $$ = first({$2, $1, $3, $4, $5}); }
    ;

ClassKind
    : "class"
    | "interface"
    ;

AnnotationTypeCore
    : '@' "interface" IDENTIFIER { headerRead(false); $$ = first({$3, $1, $2}); }
    | '@' "interface" IDENTIFIER Clauses { headerRead(false); $$ = first({$3, $1, $2, $4}); }
    ;

EnumCore
    : "enum" IDENTIFIER { headerRead(false); $$ = first({$2, $1}); }
    | "enum" IDENTIFIER Clauses { headerRead(false); $$ = first({$2, $1, $3}); }
    ;

Clauses
    : Clause
    | Clauses Clause { $$ = drop({$1, $2}); }
    ;

Clause
    : "extends" TypeList { $$ = drop({$1, $2}); }
    | "implements" TypeList { $$ = drop({$1, $2}); }
    | "permits" TypeList { $$ = drop({$1, $2}); }
    ;

TypeList
    : ClassType
    | Annotations ClassType { $$ = drop({$1, $2}); }
    | TypeList ',' ClassType { $$ = drop({$1, $2, $3}); }
    | TypeList ',' Annotations ClassType { $$ = drop({$1, $2, $3, $4}); }
    ;

RecordComponents
    : RecordOpen ')' { $$ = drop({$1, $2}); }
    | RecordOpen RecordComponentList ')' { $$ = drop({$1, $2, $3}); }
    ;

RecordOpen
    : '(' { startComponents(); }
    ;

RecordComponentList
    : RecordComponent
    | RecordComponentList ',' RecordComponent { $$ = drop({$1, $2, $3}); }
    ;

RecordComponent
    : Type IDENTIFIER { addComponent($1, $2); $$ = drop({$1, $2}); }
    | Annotations Type IDENTIFIER { addComponent($2, $3); $$ = drop({$1, $2, $3}); }
    | Type "..." IDENTIFIER { $1 = cat({$1, $2}); addComponent($1, $3); $$ = drop({$1, $3}); }
    | Annotations Type "..." IDENTIFIER { $2 = cat({$2, $3}); addComponent($2, $4); $$ = drop({$1, $2, $4}); }
    ;

/* Class bodies */

ClassBody
    : ClassBodyOpen ClassBodyClose { $$ = drop({$1, $2}); }
    | ClassBodyOpen Members ClassBodyClose { $$ = drop({$1, $2, $3}); }
    ;

ClassBodyOpen
    : '{' { enterClassBody(); }
    ;

ClassBodyClose
    : '}' { leaveClassBody(); }
    ;

/* An anonymous class body does not change the depth. */
AnonymousBody
    : '{' '}' { $$ = drop({$1, $2}); $$ = literal($$, "{"); }
    | '{' Members '}' { $$ = drop({$1, $2, $3}); $$ = literal($$, "{"); }
    ;

EnumBody
    : ClassBodyOpen ClassBodyClose { $$ = drop({$1, $2}); }
    | ClassBodyOpen EnumContents ClassBodyClose { $$ = drop({$1, $2, $3}); }
    ;

EnumContents
    : EnumConstants
    | EnumConstants ',' { $$ = drop({$1, $2}); }
    | EnumConstants EnumMembers { $$ = drop({$1, $2}); }
    | EnumConstants ',' EnumMembers { $$ = drop({$1, $2, $3}); }
    | EnumMembers
    ;

EnumMembers
    : ';'
    | ';' Members { $$ = drop({$1, $2}); }
    ;

EnumConstants
    : EnumConstant
    | EnumConstants ',' EnumConstant { $$ = drop({$1, $2, $3}); }
    ;

EnumConstant
    : EnumConstantName { $$ = drop({$1}); }
    | EnumConstantName Arguments { $$ = drop({$1, $2}); }
    | EnumConstantName AnonymousBody { $$ = drop({$1, $2}); }
    | EnumConstantName Arguments AnonymousBody { $$ = drop({$1, $2, $3}); }
    ;

/* A constant is recorded as soon as its name is read, so that the members
   of its body, recorded at the same depth, follow it. */
EnumConstantName
    : IDENTIFIER { record(KIND_FIELD, ENUM_CONSTANT_ACCESS, pool().text($1.text), $1.line); }
    | Annotations IDENTIFIER
        { record(KIND_FIELD, ENUM_CONSTANT_ACCESS, pool().text($2.text), $2.line); $$ = drop({$1, $2}); }
    ;

Members
    : Member
    | Members Member { $$ = drop({$1, $2}); }
    ;

Member
    : ';'
    | FieldDeclaration
    | MethodDeclaration
    | ConstructorDeclaration
    | Block
    | "static" Block { $$ = drop({$1, $2}); }
    | TypeDeclaration
    ;

FieldDeclaration
    : Modifiers Type VariableDeclarators ';' { emit(KIND_FIELD, &$1, $3); $$ = drop({$1, $2, $3, $4}); }
    | Type VariableDeclarators ';' { emit(KIND_FIELD, nullptr, $2); $$ = drop({$1, $2, $3}); }
    ;

VariableDeclarators
    : VariableDeclarator
    | VariableDeclarators ',' VariableDeclarator { $$ = cat({$1, $2, $3}); }
    ;

VariableDeclarator
    : VariableDeclaratorId
    | VariableDeclaratorId '=' InitializerSoup { $$ = cat({$1, $2, $3}); }
    ;

VariableDeclaratorId
    : IDENTIFIER
    | VariableDeclaratorId DIMENSION { $$ = cat({$1, $2}); }
    ;

MethodDeclaration
    : Modifiers MethodHeader MethodBody { emit(KIND_METHOD, &$1, $2); $$ = drop({$1, $2, $3}); }
    | MethodHeader MethodBody { emit(KIND_METHOD, nullptr, $1); $$ = drop({$1, $2}); }
    ;

MethodHeader
    : Type MethodDeclarator { $$ = first({$2, $1}); }
    | Type MethodDeclarator Throws { $$ = first({$2, $1, $3}); }
    | TypeParameters Type MethodDeclarator { $$ = first({$3, $1, $2}); }
    | TypeParameters Type MethodDeclarator Throws { $$ = first({$3, $1, $2, $4}); }
    ;

MethodDeclarator
    : IDENTIFIER '(' ')' { $$ = cat({$1, $2, $3}); }
    | IDENTIFIER '(' FormalParameters ')' { $$ = cat({$1, $2, $3, $4}); }
    | MethodDeclarator DIMENSION { $$ = cat({$1, $2}); }
    ;

/* An annotation type's element may give its default value. */
MethodBody
    : Block
    | ';'
    | "default" InitializerSoup ';' { $$ = drop({$1, $2, $3}); }
    ;

ConstructorDeclaration
    : Modifiers ConstructorHeader Block { emit(KIND_METHOD, &$1, $2); $$ = drop({$1, $2, $3}); }
    | ConstructorHeader Block { emit(KIND_METHOD, nullptr, $1); $$ = drop({$1, $2}); }
    | Modifiers CompactConstructorName Block { emit(KIND_METHOD, &$1, $2); $$ = drop({$1, $2, $3}); }
    | CompactConstructorName Block { emit(KIND_METHOD, nullptr, $1); $$ = drop({$1, $2}); }
    ;

ConstructorHeader
    : ConstructorDeclarator
    | ConstructorDeclarator Throws { $$ = first({$1, $2}); }
    | TypeParameters ConstructorDeclarator { $$ = first({$2, $1}); }
    | TypeParameters ConstructorDeclarator Throws { $$ = first({$2, $1, $3}); }
    ;

ConstructorDeclarator
    : IDENTIFIER '(' ')' { $$ = cat({$1, $2, $3}); }
    | IDENTIFIER '(' FormalParameters ')' { $$ = cat({$1, $2, $3, $4}); }
    ;

/* A record's compact constructor is named with the record's components. */
CompactConstructorName
    : IDENTIFIER { $$ = compactConstructorName($1); }
    ;

Throws
    : "throws" TypeList { $$ = drop({$1, $2}); }
    ;

FormalParameters
    : FormalParameter
    | FormalParameters ',' FormalParameter { pool().appendLiteral($2.text, " "); $$ = cat({$1, $2, $3}); }
    ;

FormalParameter
    : Type VariableDeclaratorId { $$ = words({$1, $2}); }
    | ParameterModifiers Type VariableDeclaratorId { $$ = words({$1, $2, $3}); }
    | Type "..." IDENTIFIER { $1 = cat({$1, $2}); $$ = words({$1, $3}); }
    | ParameterModifiers Type "..." IDENTIFIER { $2 = cat({$2, $3}); $$ = words({$1, $2, $4}); }
    ;

ParameterModifiers
    : ParameterModifier
    | ParameterModifiers ParameterModifier { $$ = words({$1, $2}); }
    ;

ParameterModifier
    : "final"
    | Annotation
    ;

Modifiers
    : Modifier
    | Modifiers Modifier { $$ = words({$1, $2}); }
    ;

Modifier
    : "public"
    | "protected"
    | "private"
    | "static"
    | "abstract"
    | "final"
    | "native"
    | "synchronized"
    | "transient"
    | "volatile"
    | "strictfp"
    | "default"
    | "sealed"
    | "non-sealed"
    | Annotation
    ;

/* Annotations take no part in the texts of records. */
Annotations
    : Annotation
    | Annotations Annotation { $$ = drop({$1, $2}); }
    ;

Annotation
    : '@' QualifiedName { $$ = drop({$1, $2}); }
    | '@' QualifiedName '(' ')' { $$ = drop({$1, $2, $3, $4}); }
    | '@' QualifiedName '(' BodySoup ')' { $$ = drop({$1, $2, $3, $4, $5}); }
    ;

/* Types */

TypeParameters
    : '<' TypeParameterList TypeClose { $$ = drop({$1, $2, $3}); }
    ;

TypeParameterList
    : TypeParameter
    | TypeParameterList ',' TypeParameter { $$ = drop({$1, $2, $3}); }
    ;

TypeParameter
    : IDENTIFIER
    | IDENTIFIER "extends" Bound { $$ = drop({$1, $2, $3}); }
    | Annotations IDENTIFIER { $$ = drop({$1, $2}); }
    | Annotations IDENTIFIER "extends" Bound { $$ = drop({$1, $2, $3, $4}); }
    ;

Bound
    : ClassType
    | Annotations ClassType { $$ = drop({$1, $2}); }
    | Bound '&' ClassType { $$ = drop({$1, $2, $3}); }
    | Bound '&' Annotations ClassType { $$ = drop({$1, $2, $3, $4}); }
    ;

TypeClose
    : '>'
    | GT_JOINED
    ;

Type
    : NonArrayType
    | NonArrayType Dims { $$ = words({$1, $2}); }
    ;

NonArrayType
    : PrimitiveType
    | ClassType
    ;

PrimitiveType
    : "boolean"
    | "byte"
    | "char"
    | "short"
    | "int"
    | "long"
    | "float"
    | "double"
    | "void"
    ;

ClassType
    : ClassTypePart
    | ClassType '.' ClassTypePart { $$ = cat({$1, $2, $3}); }
    | ClassType '.' Annotations ClassTypePart { pool().release($3.text); $$ = cat({$1, $2, $4}); }
    ;

ClassTypePart
    : IDENTIFIER %prec LOW
    | IDENTIFIER TypeArguments { $$ = cat({$1, $2}); }
    ;

TypeArguments
    : '<' TypeArgumentList TypeClose { pool().release($3.text); $$ = cat({$1, $2}); pool().appendLiteral($$.text, ">"); }
    | '<' TypeClose { pool().release($2.text); $$ = literal($1, "<>"); pool().release($1.text); }
    ;

TypeArgumentList
    : TypeArgument
    | TypeArgumentList ',' TypeArgument { pool().appendLiteral($2.text, " "); $$ = cat({$1, $2, $3}); }
    ;

TypeArgument
    : Type
    | Annotations Type { $$ = first({$2, $1}); }
    | Wildcard
    | Annotations Wildcard { $$ = first({$2, $1}); }
    ;

Wildcard
    : '?'
    | '?' "extends" Type { $$ = words({$1, $2, $3}); }
    | '?' "super" Type { $$ = words({$1, $2, $3}); }
    ;

Dims
    : DIMENSION
    | Dims DIMENSION { $$ = cat({$1, $2}); }
    ;

/* Bodies and initializers: balanced brackets. A block's text is only its
   brace (record names end there); the texts of other runs are their tokens
   without separators, "new" followed by a blank. */

Block
    : '{' '}' { $$ = drop({$1, $2}); $$ = literal($$, "{"); }
    | '{' BlockSoup '}' { $$ = drop({$1, $2, $3}); $$ = literal($$, "{"); }
    ;

BlockSoup
    : BlockItem { $$ = drop({$1}); }
    | BlockSoup BlockItem { $$ = drop({$1, $2}); }
    ;

BlockItem
    : CommonItem
    | ','
    | ';'
    | LocalTypeDeclaration
    ;

BodySoup
    : BodyItem
    | BodySoup BodyItem { $$ = cat({$1, $2}); }
    ;

BodyItem
    : CommonItem
    | ','
    | ';'
    ;

InitializerSoup
    : CommonItem
    | InitializerSoup CommonItem { $$ = cat({$1, $2}); }
    ;

CommonItem
    : PlainToken
    | Arguments
    | '[' BodySoup ']' { $$ = cat({$1, $2, $3}); }
    | Block
    | '.' DotFollower { $$ = cat({$1, $2}); }
    | '.' Creation { $$ = cat({$1, $2}); }
    | "::" ColonFollower { $$ = cat({$1, $2}); }
    | Creation
    ;

Arguments
    : '(' ')' { $$ = cat({$1, $2}); }
    | '(' BodySoup ')' { $$ = cat({$1, $2, $3}); }
    ;

DotFollower
    : IDENTIFIER
    | "class"
    | WORD
    | "super"
    | '<'
    | '@'
    | "record"
    | "sealed"
    | "permits"
    ;

ColonFollower
    : IDENTIFIER
    | "new"
    | '<'
    ;

/* A class instance creation may carry an anonymous class body; an array
   creation's dimensions and initializer follow as ordinary tokens. */
Creation
    : "new" CreatedType %prec LOW { pool().appendLiteral($1.text, " "); $$ = cat({$1, $2}); }
    | "new" CreatedType Arguments %prec LOW { pool().appendLiteral($1.text, " "); $$ = cat({$1, $2, $3}); }
    | "new" CreatedType Arguments AnonymousBody { pool().appendLiteral($1.text, " "); $$ = cat({$1, $2, $3, $4}); }
    ;

CreatedType
    : ClassType %prec LOW
    | Annotations ClassType %prec LOW { $$ = first({$2, $1}); }
    | PrimitiveType
    ;

PlainToken
    : IDENTIFIER
    | LITERAL
    | WORD
    | OPERATOR
    | DIMENSION
    | "->"
    | "..."
    | GT_JOINED
    | '<'
    | '>'
    | '?'
    | '&'
    | '='
    | '@'
    | '*'
    | "abstract"
    | "boolean"
    | "byte"
    | "char"
    | "default"
    | "double"
    | "extends"
    | "final"
    | "float"
    | "implements"
    | "import"
    | "int"
    | "long"
    | "native"
    | "package"
    | "private"
    | "protected"
    | "public"
    | "short"
    | "static"
    | "strictfp"
    | "super"
    | "synchronized"
    | "throws"
    | "transient"
    | "void"
    | "volatile"
    | "non-sealed"
    | "sealed"
    | "permits"
    ;

%%

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

namespace {

/* Binds the pool, the state and the scanner to one run, on every way out. */
class ModernParseSession {
public:
    ModernParseSession(TextPool& textPool, ModernParseState& parseState)
    {
        resetModernScanner();
        parseState.pool = &textPool;
        state = &parseState;
    }
    ~ModernParseSession()
    {
        state = nullptr;
        resetModernScanner();
    }
    ModernParseSession(const ModernParseSession&) = delete;
    ModernParseSession& operator=(const ModernParseSession&) = delete;
};

}

int runModernParseLoop()
{
    ParseStackMemory stackMemory;
    TextPool textPool;
    ModernParseState parseState;
    ModernParseSession session(textPool, parseState);
    return zefraModernparse();
}

}
}
}
}
