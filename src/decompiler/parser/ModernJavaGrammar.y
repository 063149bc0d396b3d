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
#include <set>
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

/* The members that the compiler declares without a word of source are
   recorded too, as the class file has them: an enum constant is a public
   static final field, and an enum has values() and valueOf(String); a record
   component is a private final field with its accessor, and a record has
   equals, hashCode, toString and its canonical constructor. Those of a record
   are recorded only where its body does not declare them. */
const char* const ENUM_CONSTANT_ACCESS = "public static final";
const char* const ENUM_METHOD_ACCESS = "public static";
const char* const RECORD_COMPONENT_ACCESS = "private final";
const char* const RECORD_ACCESSOR_ACCESS = "public";
const char* const RECORD_OBJECT_METHOD_ACCESS = "public final";

struct Component {
    std::string name;
    std::int32_t line;
};

enum class BodyKind { Plain, Interface, Enum, Record, Anonymous };

/* A class body being read, and what its implicit members depend on. */
struct OpenBody {
    BodyKind kind = BodyKind::Plain;
    std::string name;
    std::int32_t line = 0;
    std::string access;  /* the class's access keyword, which an implicit canonical constructor has */
    std::vector<Component> components;
    std::string componentTypes;  /* "int x, String y" */
    std::set<std::string> declaredMethods;
    bool declaresCanonicalConstructor = false;
};

/* The state of one run of the loop besides its stacks. */
struct ModernParseState {
    zp::TextPool* pool = nullptr;
    /* Components of the record header being read. */
    std::vector<Component> collecting;
    std::string collectingTypes;
    /* The last class header, waiting for its body to open. */
    OpenBody pending;
    std::vector<OpenBody> bodies;
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

/* A method's name up to its parameters. */
std::string methodName(const std::string& declarator)
{
    return declarator.substr(0, declarator.find('('));
}

void noteMethod(const std::string& declarator)
{
    if (state->bodies.empty()) {
        return;
    }
    OpenBody& body = state->bodies.back();
    body.declaredMethods.insert(methodName(declarator));
    if (body.kind == BodyKind::Record && declarator == body.name + "(" + body.componentTypes + ")") {
        body.declaresCanonicalConstructor = true;
    }
}

std::string accessWord(const std::string& modifiers)
{
    for (const char* word : {"public", "protected", "private"}) {
        if ((" " + modifiers + " ").find(std::string(" ") + word + " ") != std::string::npos) {
            return word;
        }
    }
    return std::string();
}

/* A member of an interface without an access keyword is public, as the
   class file has it; it is recorded so. */
std::string memberAccess(const std::string& modifiers)
{
    const bool inInterface = !state->bodies.empty() && state->bodies.back().kind == BodyKind::Interface;
    if (!inInterface || !accessWord(modifiers).empty()) {
        return modifiers;
    }
    return modifiers.empty() ? std::string("public") : "public " + modifiers;
}

void emit(int kind, const ModernValue* modifiers, const ModernValue& name)
{
    const std::string& text = pool().text(name.text);
    record(kind, memberAccess(modifiers != nullptr ? pool().text(modifiers->text) : std::string()), text, name.line);
    if (kind == KIND_METHOD) {
        noteMethod(text);
    }
}

void emitClass(const ModernValue* modifiers, const ModernValue& name)
{
    emit(KIND_CLASS, modifiers, name);
    if (modifiers != nullptr) {
        state->pending.access = accessWord(pool().text(modifiers->text));
    }
}

/* A class declared in a block has no access of its own. */
void emitLocalClass(const ModernValue& name)
{
    record(KIND_CLASS, std::string(), pool().text(name.text), name.line);
}

BodyKind kindOf(const ModernValue& classKind)
{
    return pool().text(classKind.text) == "interface" ? BodyKind::Interface : BodyKind::Plain;
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

/* A class header is complete; its body opens next. */
void headerRead(BodyKind kind, const ModernValue& name)
{
    state->pending = OpenBody();
    state->pending.kind = kind;
    state->pending.name = pool().text(name.text);
    state->pending.line = name.line;
    if (kind == BodyKind::Record) {
        state->pending.components.swap(state->collecting);
        state->pending.componentTypes.swap(state->collectingTypes);
    }
    state->collecting.clear();
    state->collectingTypes.clear();
}

void enterClassBody()
{
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->enterClassBody();
    }
    for (const Component& component : state->pending.components) {
        record(KIND_FIELD, RECORD_COMPONENT_ACCESS, component.name, component.line);
    }
    state->bodies.push_back(std::move(state->pending));
    state->pending = OpenBody();
}

void recordImplicitMembers(const OpenBody& body)
{
    if (body.kind == BodyKind::Enum) {
        record(KIND_METHOD, ENUM_METHOD_ACCESS, "values()", body.line);
        record(KIND_METHOD, ENUM_METHOD_ACCESS, "valueOf(String name)", body.line);
    }
    if (body.kind != BodyKind::Record) {
        return;
    }
    for (const Component& component : body.components) {
        if (body.declaredMethods.count(component.name) == 0) {
            record(KIND_METHOD, RECORD_ACCESSOR_ACCESS, component.name + "()", component.line);
        }
    }
    for (const char* method : {"equals(Object o)", "hashCode()", "toString()"}) {
        if (body.declaredMethods.count(methodName(method)) == 0) {
            record(KIND_METHOD, RECORD_OBJECT_METHOD_ACCESS, method, body.line);
        }
    }
    if (!body.declaresCanonicalConstructor) {
        record(KIND_METHOD, body.access, body.name + "(" + body.componentTypes + ")", body.line);
    }
}

void leaveClassBody()
{
    if (!state->bodies.empty()) {
        recordImplicitMembers(state->bodies.back());
        state->bodies.pop_back();
    }
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->leaveClassBody();
    }
}

/* Members of an anonymous class belong to no named body. */
void enterAnonymousBody()
{
    OpenBody body;
    body.kind = BodyKind::Anonymous;
    state->bodies.push_back(std::move(body));
}

void leaveAnonymousBody()
{
    if (!state->bodies.empty()) {
        state->bodies.pop_back();
    }
}

ModernValue compactConstructorName(const ModernValue& name)
{
    const bool inRecord = !state->bodies.empty() && state->bodies.back().kind == BodyKind::Record;
    const std::string parameters = inRecord ? state->bodies.back().componentTypes : std::string();
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
    : Modifiers ClassCore { emitClass(&$1, $2); $$ = drop({$1, $2}); }
    | ClassCore { emitClass(nullptr, $1); $$ = drop({$1}); }
    | Modifiers AnnotationTypeCore { emitClass(&$1, $2); $$ = drop({$1, $2}); }
    | AnnotationTypeCore { emitClass(nullptr, $1); $$ = drop({$1}); }
    ;

EnumHeader
    : Modifiers EnumCore { emitClass(&$1, $2); $$ = drop({$1, $2}); }
    | EnumCore { emitClass(nullptr, $1); $$ = drop({$1}); }
    ;

/* A class, interface or record declared in a block: its modifiers are part
   of the token run before it. */
LocalTypeDeclaration
    : LocalClassHeader ClassBody { $$ = drop({$1, $2}); }
    | LocalEnumHeader EnumBody { $$ = drop({$1, $2}); }
    ;

LocalClassHeader
    : ClassCore { emitLocalClass($1); }
    ;

LocalEnumHeader
    : EnumCore { emitLocalClass($1); }
    ;

ClassCore
    : ClassKind IDENTIFIER { headerRead(kindOf($1), $2); $$ = first({$2, $1}); }
    | ClassKind IDENTIFIER TypeParameters { headerRead(kindOf($1), $2); $$ = first({$2, $1, $3}); }
    | ClassKind IDENTIFIER Clauses { headerRead(kindOf($1), $2); $$ = first({$2, $1, $3}); }
    | ClassKind IDENTIFIER TypeParameters Clauses { headerRead(kindOf($1), $2); $$ = first({$2, $1, $3, $4}); }
    | "record" IDENTIFIER RecordComponents { headerRead(BodyKind::Record, $2); $$ = first({$2, $1, $3}); }
    | "record" IDENTIFIER TypeParameters RecordComponents { headerRead(BodyKind::Record, $2); $$ = first({$2, $1, $3, $4}); }
    | "record" IDENTIFIER RecordComponents Clauses { headerRead(BodyKind::Record, $2); $$ = first({$2, $1, $3, $4}); }
    | "record" IDENTIFIER TypeParameters RecordComponents Clauses
        { headerRead(BodyKind::Record, $2); $$ = first({$2, $1, $3, $4, $5}); }
    ;

ClassKind
    : "class"
    | "interface"
    ;

AnnotationTypeCore
    : '@' "interface" IDENTIFIER { headerRead(BodyKind::Interface, $3); $$ = first({$3, $1, $2}); }
    | '@' "interface" IDENTIFIER Clauses { headerRead(BodyKind::Interface, $3); $$ = first({$3, $1, $2, $4}); }
    ;

EnumCore
    : "enum" IDENTIFIER { headerRead(BodyKind::Enum, $2); $$ = first({$2, $1}); }
    | "enum" IDENTIFIER Clauses { headerRead(BodyKind::Enum, $2); $$ = first({$2, $1, $3}); }
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
    : AnonymousBodyOpen '}' { leaveAnonymousBody(); $$ = drop({$1, $2}); $$ = literal($$, "{"); }
    | AnonymousBodyOpen Members '}' { leaveAnonymousBody(); $$ = drop({$1, $2, $3}); $$ = literal($$, "{"); }
    ;

AnonymousBodyOpen
    : '{' { enterAnonymousBody(); }
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
