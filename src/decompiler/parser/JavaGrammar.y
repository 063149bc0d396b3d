/* The Java structure grammar. Every semantic value is a text and the line of
   its first token; the actions at class headers and member declarations hand
   finished names to the active parser. No error recovery: the first syntax
   error ends the parse. */

%define api.prefix {zefraJava}
%define api.token.prefix {TOK_}
%define api.value.type {struct JavaValue}
%expect 1

%code requires {
#include <cstdint>

struct JavaValue {
    std::int32_t text;  /* handle into the parse's TextPool */
    std::int32_t line;
};

/* Plain data, so the loop may grow its stacks by copying. */
#define ZEFRAJAVASTYPE_IS_TRIVIAL 1
}

%code {
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "decompiler/parser/JavaGrammar.h"
#include "decompiler/parser/JavaScanner.h"
#include "decompiler/parser/ParserImpl.h"
#include "decompiler/parser/ParseStackMemory.h"
#include "decompiler/parser/TextPool.h"

namespace zp = products::zefra::decompiler::parser;

/* The stacks start with room for 200 entries and double up to 10000. */
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000
#define YYMALLOC zp::allocateParseStack
#define YYFREE zp::freeParseStack

namespace {

zp::TextPool* activePool = nullptr;

zp::TextPool& pool()
{
    return *activePool;
}

/* At end of input the scanner keeps no token of its own: its last text may
   lie in a buffer it has since grown and freed, so none is read then. */
int zefraJavalex()
{
    int token = zp::scanNextToken();
    if (token == zp::TOKEN_END_OF_INPUT) {
        zefraJavalval.text = pool().make("", 0);
        zefraJavalval.line = zp::currentTokenLine();
        return token;
    }
    zefraJavalval.text = pool().make(zp::currentTokenText(), zp::currentTokenLength());
    zefraJavalval.line = zp::currentTokenLine();
    return token;
}

/* The loop's own wording is not ours; the hook gets one of its two texts. */
void zefraJavaerror(const char* message)
{
    const char* hookMessage = std::strcmp(message, "memory exhausted") == 0 ? "parser stack overflow" : "parse error";
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->reportSyntaxError(hookMessage);
    }
}

/* The symbols' texts in order, with nothing between them. */
JavaValue cat(std::initializer_list<JavaValue> parts)
{
    JavaValue result = *parts.begin();
    for (const JavaValue* part = parts.begin() + 1; part != parts.end(); ++part) {
        result.text = pool().append(result.text, part->text);
    }
    return result;
}

JavaValue catSpaced(std::initializer_list<JavaValue> parts)
{
    JavaValue result = *parts.begin();
    for (const JavaValue* part = parts.begin() + 1; part != parts.end(); ++part) {
        pool().appendLiteral(result.text, " ");
        result.text = pool().append(result.text, part->text);
    }
    return result;
}

/* For texts that never reach a record: keeps only the first symbol's line. */
JavaValue drop(std::initializer_list<JavaValue> parts)
{
    for (const JavaValue& part : parts) {
        pool().release(part.text);
    }
    return JavaValue{pool().makeEmpty(), parts.begin()->line};
}

void emit(int kind, const JavaValue* modifiers, const JavaValue& name)
{
    zp::ParserImpl* parser = zp::ParserImpl::instance();
    if (parser == nullptr) {
        return;
    }
    static const std::string noModifiers;
    const std::string& modifierText = modifiers != nullptr ? pool().text(modifiers->text) : noModifiers;
    parser->addRecord(kind, modifierText, pool().text(name.text), static_cast<std::uint32_t>(name.line));
}

void enterClassBody()
{
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->enterClassBody();
    }
}

void leaveClassBody()
{
    if (zp::ParserImpl* parser = zp::ParserImpl::instance()) {
        parser->leaveClassBody();
    }
}

const int KIND_CLASS = 0;
const int KIND_METHOD = 1;
const int KIND_FIELD = 2;

}
}

%token ABSTRACT 258 "abstract"
%token BOOLEAN 259 "boolean"
%token BREAK 260 "break"
%token BYTE 261 "byte"
%token RESERVED 262
%token CASE 263 "case"
%token CAST 264 "cast"
%token CATCH 265 "catch"
%token CHAR 266 "char"
%token CLASS 267 "class"
%token CONST 268 "const"
%token CONTINUE 269 "continue"
%token DEFAULT 270 "default"
%token DO 271 "do"
%token DOUBLE 272 "double"
%token ELSE 273 "else"
%token EXTENDS 274 "extends"
%token FINAL 275 "final"
%token FINALLY 276 "finally"
%token FLOAT 277 "float"
%token FOR 278 "for"
%token FUTURE 279 "future"
%token GENERIC 280 "generic"
%token GOTO 281 "goto"
%token IF 282 "if"
%token IMPLEMENTS 283 "implements"
%token IMPORT 284 "import"
%token INNER 285 "inner"
%token INSTANCEOF 286 "instanceof"
%token INT 287 "int"
%token INTERFACE 288 "interface"
%token LONG 289 "long"
%token NATIVE 290 "native"
%token NEW 291 "new"
%token NULL 292 "null"
%token OPERATOR 293 "operator"
%token OUTER 294 "outer"
%token PACKAGE 295 "package"
%token PRIVATE 296 "private"
%token PROTECTED 297 "protected"
%token PUBLIC 298 "public"
%token REST 299 "rest"
%token RETURN 300 "return"
%token SHORT 301 "short"
%token STATIC 302 "static"
%token SUPER 303 "super"
%token SWITCH 304 "switch"
%token SYNCHRONIZED 305 "synchronized"
%token THIS 306 "this"
%token THROW 307 "throw"
%token THROWS 308 "throws"
%token TRANSIENT 309 "transient"
%token TRY 310 "try"
%token VAR 311 "var"
%token VOID 312 "void"
%token VOLATILE 313 "volatile"
%token WHILE 314 "while"
%token INCREMENT 315 "++"
%token DECREMENT 316 "--"
%token SHIFT_LEFT 317 "<<"
%token SHIFT_RIGHT 318 ">>"
%token UNSIGNED_SHIFT_RIGHT 319 ">>>"
%token GE 320 ">="
%token LE 321 "<="
%token EQ 322 "=="
%token NE 323 "!="
%token ANDAND 324 "&&"
%token OROR 325 "||"
%token DIMENSION 326
%token MULTIPLY_ASSIGN 327 "*="
%token DIVIDE_ASSIGN 328 "/="
%token REMAINDER_ASSIGN 329 "%="
%token ADD_ASSIGN 330 "+="
%token SUBTRACT_ASSIGN 331 "-="
%token SHIFT_LEFT_ASSIGN 332 "<<="
%token SHIFT_RIGHT_ASSIGN 333 ">>="
%token UNSIGNED_SHIFT_RIGHT_ASSIGN 334 ">>>="
%token AND_ASSIGN 335 "&="
%token XOR_ASSIGN 336 "^="
%token OR_ASSIGN 337 "|="
%token IDENTIFIER 338
%token LITERAL 339
%token BOOLEAN_LITERAL 340

%start SourceFile

%%

/* Compilation unit and declarations */

SourceFile
    : CompilationUnit
    ;

CompilationUnit
    : PackageDeclaration ImportDeclarations TypeDeclarations { $$ = drop({$1, $2, $3}); }
    | PackageDeclaration ImportDeclarations { $$ = drop({$1, $2}); }
    | PackageDeclaration TypeDeclarations { $$ = drop({$1, $2}); }
    | ImportDeclarations TypeDeclarations { $$ = drop({$1, $2}); }
    | PackageDeclaration
    | ImportDeclarations
    | TypeDeclarations
    ;

PackageDeclaration
    : "package" QualifiedName Semicolons { $$ = drop({$1, $2, $3}); }
    ;

ImportDeclarations
    : ImportDeclaration
    | ImportDeclarations ImportDeclaration { $$ = drop({$1, $2}); }
    ;

ImportDeclaration
    : "import" QualifiedName Semicolons { $$ = drop({$1, $2, $3}); }
    | "import" QualifiedName '.' '*' Semicolons { $$ = drop({$1, $2, $3, $4, $5}); }
    ;

TypeDeclarations
    : TypeDeclaration
    | TypeDeclarations TypeDeclaration { $$ = drop({$1, $2}); }
    ;

TypeDeclaration
    : ClassDeclaration
    | ClassDeclaration Semicolons { $$ = drop({$1, $2}); }
    ;

Semicolons
    : ';'
    | Semicolons ';' { $$ = drop({$1, $2}); }
    ;

/* Words that were once set aside for future use but are plain names in
   Java: a member or variable of such a name is declared and used as any
   other. "const" and "goto" stay reserved, as Java keeps them. */
Identifier
    : IDENTIFIER
    | "cast"
    | "future"
    | "generic"
    | "inner"
    | "operator"
    | "outer"
    | "rest"
    | "var"
    ;

QualifiedName
    : Identifier
    | QualifiedName '.' Identifier { $$ = cat({$1, $2, $3}); }
    ;

NameList
    : QualifiedName
    | NameList ',' QualifiedName { $$ = cat({$1, $2, $3}); }
    ;

ClassDeclaration
    : ClassHeader ClassBodyOpen ClassBodyDeclarations ClassBodyClose { $$ = drop({$1, $2, $3, $4}); }
    | ClassHeader ClassBodyOpen ClassBodyClose { $$ = drop({$1, $2, $3}); }
    ;

ClassBodyOpen
    : '{' { enterClassBody(); }
    ;

ClassBodyClose
    : '}' { leaveClassBody(); }
    ;

ClassHeader
    : Modifiers ClassKind Identifier ExtendsClause ImplementsClause
        { emit(KIND_CLASS, &$1, $3); $$ = drop({$1, $2, $3, $4, $5}); }
    | Modifiers ClassKind Identifier ExtendsClause
        { emit(KIND_CLASS, &$1, $3); $$ = drop({$1, $2, $3, $4}); }
    | Modifiers ClassKind Identifier ImplementsClause
        { emit(KIND_CLASS, &$1, $3); $$ = drop({$1, $2, $3, $4}); }
    | ClassKind Identifier ExtendsClause ImplementsClause
        { emit(KIND_CLASS, nullptr, $2); $$ = drop({$1, $2, $3, $4}); }
    | Modifiers ClassKind Identifier
        { emit(KIND_CLASS, &$1, $3); $$ = drop({$1, $2, $3}); }
    | ClassKind Identifier ExtendsClause
        { emit(KIND_CLASS, nullptr, $2); $$ = drop({$1, $2, $3}); }
    | ClassKind Identifier ImplementsClause
        { emit(KIND_CLASS, nullptr, $2); $$ = drop({$1, $2, $3}); }
    | ClassKind Identifier
        { emit(KIND_CLASS, nullptr, $2); $$ = drop({$1, $2}); }
    ;

ClassKind
    : "class"
    | "interface"
    ;

ExtendsClause
    : "extends" TypeName { $$ = cat({$1, $2}); }
    | ExtendsClause ',' TypeName { $$ = cat({$1, $2, $3}); }
    ;

ImplementsClause
    : "implements" NameList { $$ = cat({$1, $2}); }
    ;

Modifiers
    : Modifier
    | Modifiers Modifier { $$ = catSpaced({$1, $2}); }
    ;

Modifier
    : "abstract"
    | "final"
    | "public"
    | "protected"
    | "private"
    | "static"
    | "transient"
    | "volatile"
    | "native"
    | "synchronized"
    ;

ClassBodyDeclarations
    : ClassBodyEntry
    | ClassBodyDeclarations ClassBodyEntry { $$ = drop({$1, $2}); }
    ;

ClassBodyEntry
    : ClassBodyDeclaration
    | ClassBodyDeclaration Semicolons { $$ = drop({$1, $2}); }
    ;

ClassBodyDeclaration
    : FieldDeclaration ';' { $$ = drop({$1, $2}); }
    | MethodDeclaration
    | ConstructorDeclaration
    | StaticInitializer
    | InstanceInitializer
    | ClassDeclaration
    ;

FieldDeclaration
    : Modifiers Type VariableDeclarators
        { emit(KIND_FIELD, &$1, $3); $$ = drop({$1, $2, $3}); }
    | Type VariableDeclarators
        { emit(KIND_FIELD, nullptr, $2); $$ = drop({$1, $2}); }
    ;

VariableDeclarators
    : VariableDeclarator
    | VariableDeclarators ',' VariableDeclarator { $$ = cat({$1, $2, $3}); }
    ;

VariableDeclarator
    : VariableDeclaratorId
    | VariableDeclaratorId '=' VariableInitializer { $$ = cat({$1, $2, $3}); }
    ;

VariableDeclaratorId
    : Identifier
    | VariableDeclaratorId DIMENSION { $$ = cat({$1, $2}); }
    ;

VariableInitializer
    : Expression
    | '{' '}' { $$ = cat({$1, $2}); }
    | '{' VariableInitializers '}' { $$ = cat({$1, $2, $3}); }
    ;

VariableInitializers
    : VariableInitializer
    | VariableInitializers ',' VariableInitializer { $$ = cat({$1, $2, $3}); }
    | VariableInitializers ',' { $$ = cat({$1, $2}); }
    ;

MethodDeclaration
    : Modifiers Type MethodDeclarator ThrowsClause MethodBody
        { emit(KIND_METHOD, &$1, $3); $$ = drop({$1, $2, $3, $4, $5}); }
    | Modifiers Type MethodDeclarator MethodBody
        { emit(KIND_METHOD, &$1, $3); $$ = drop({$1, $2, $3, $4}); }
    | Type MethodDeclarator ThrowsClause MethodBody
        { emit(KIND_METHOD, nullptr, $2); $$ = drop({$1, $2, $3, $4}); }
    | Type MethodDeclarator MethodBody
        { emit(KIND_METHOD, nullptr, $2); $$ = drop({$1, $2, $3}); }
    ;

MethodDeclarator
    : VariableDeclaratorId '(' FormalParameterList ')' { $$ = cat({$1, $2, $3, $4}); }
    | VariableDeclaratorId '(' ')' { $$ = cat({$1, $2, $3}); }
    | MethodDeclarator DIMENSION { $$ = cat({$1, $2}); }
    ;

FormalParameterList
    : FormalParameter
    | FormalParameterList ',' FormalParameter
        { pool().appendLiteral($2.text, " "); $$ = cat({$1, $2, $3}); }
    ;

FormalParameter
    : Type VariableDeclaratorId { $$ = catSpaced({$1, $2}); }
    | "final" Type VariableDeclaratorId { $$ = catSpaced({$1, $2, $3}); }
    ;

ThrowsClause
    : "throws" NameList { $$ = drop({$1, $2}); }
    ;

MethodBody
    : Block
    | ';'
    ;

ConstructorDeclaration
    : Modifiers ConstructorDeclarator ThrowsClause Block
        { emit(KIND_METHOD, &$1, $2); $$ = drop({$1, $2, $3, $4}); }
    | Modifiers ConstructorDeclarator Block
        { emit(KIND_METHOD, &$1, $2); $$ = drop({$1, $2, $3}); }
    | ConstructorDeclarator ThrowsClause Block
        { emit(KIND_METHOD, nullptr, $1); $$ = drop({$1, $2, $3}); }
    | ConstructorDeclarator Block
        { emit(KIND_METHOD, nullptr, $1); $$ = drop({$1, $2}); }
    ;

ConstructorDeclarator
    : Identifier '(' FormalParameterList ')' { $$ = cat({$1, $2, $3, $4}); }
    | Identifier '(' ')' { $$ = cat({$1, $2, $3}); }
    ;

StaticInitializer
    : "static" Block { $$ = drop({$1, $2}); }
    ;

InstanceInitializer
    : Block
    ;

Type
    : TypeName
    | TypeName Dims { $$ = catSpaced({$1, $2}); }
    ;

TypeName
    : PrimitiveType
    | QualifiedName
    ;

PrimitiveType
    : "boolean"
    | "char"
    | "byte"
    | "short"
    | "int"
    | "long"
    | "float"
    | "double"
    | "void"
    ;

Dims
    : DIMENSION
    | Dims DIMENSION { $$ = cat({$1, $2}); }
    ;

/* Blocks and statements: their texts never reach a record. */

Block
    : '{' BlockStatements '}' { $$ = drop({$1, $2, $3}); }
    | '{' '}' { $$ = drop({$1, $2}); }
    ;

BlockStatements
    : BlockStatement
    | BlockStatements BlockStatement { $$ = drop({$1, $2}); }
    ;

BlockStatement
    : LocalVariableDeclarationStatement
    | Statement
    ;

LocalVariableDeclarationStatement
    : Type VariableDeclarators ';' { $$ = drop({$1, $2, $3}); }
    | "final" Type VariableDeclarators ';' { $$ = drop({$1, $2, $3, $4}); }
    ;

Statement
    : EmptyStatement
    | StatementLabel
    | ExpressionStatement ';' { $$ = drop({$1, $2}); }
    | SelectionStatement
    | IterationStatement
    | JumpStatement
    | GuardedStatement
    | Block
    ;

EmptyStatement
    : ';'
    ;

StatementLabel
    : Identifier ':' { $$ = drop({$1, $2}); }
    | "case" ConstantExpression ':' { $$ = drop({$1, $2, $3}); }
    | "default" ':' { $$ = drop({$1, $2}); }
    ;

ExpressionStatement
    : Expression
    ;

SelectionStatement
    : "if" '(' Expression ')' Statement { $$ = drop({$1, $2, $3, $4, $5}); }
    | "if" '(' Expression ')' Statement "else" Statement { $$ = drop({$1, $2, $3, $4, $5, $6, $7}); }
    | "switch" '(' Expression ')' Block { $$ = drop({$1, $2, $3, $4, $5}); }
    ;

IterationStatement
    : "while" '(' Expression ')' Statement { $$ = drop({$1, $2, $3, $4, $5}); }
    | "do" Statement "while" '(' Expression ')' ';' { $$ = drop({$1, $2, $3, $4, $5, $6, $7}); }
    | "for" '(' ForInit ForCondition ForUpdate ')' Statement { $$ = drop({$1, $2, $3, $4, $5, $6, $7}); }
    | "for" '(' ForInit ForCondition ')' Statement { $$ = drop({$1, $2, $3, $4, $5, $6}); }
    ;

ForInit
    : StatementExpressionList ';' { $$ = drop({$1, $2}); }
    | LocalVariableDeclarationStatement
    | ';'
    ;

ForCondition
    : Expression ';' { $$ = drop({$1, $2}); }
    | ';'
    ;

ForUpdate
    : StatementExpressionList
    ;

StatementExpressionList
    : ExpressionStatement
    | StatementExpressionList ',' ExpressionStatement { $$ = drop({$1, $2, $3}); }
    ;

JumpStatement
    : "break" Identifier ';' { $$ = drop({$1, $2, $3}); }
    | "break" ';' { $$ = drop({$1, $2}); }
    | "continue" Identifier ';' { $$ = drop({$1, $2, $3}); }
    | "continue" ';' { $$ = drop({$1, $2}); }
    | "return" Expression ';' { $$ = drop({$1, $2, $3}); }
    | "return" ';' { $$ = drop({$1, $2}); }
    | "throw" Expression ';' { $$ = drop({$1, $2, $3}); }
    ;

GuardedStatement
    : "synchronized" '(' Expression ')' Statement { $$ = drop({$1, $2, $3, $4, $5}); }
    | "try" Block FinallyClause { $$ = drop({$1, $2, $3}); }
    | "try" Block Catches { $$ = drop({$1, $2, $3}); }
    | "try" Block Catches FinallyClause { $$ = drop({$1, $2, $3, $4}); }
    ;

Catches
    : CatchClause
    | Catches CatchClause { $$ = drop({$1, $2}); }
    ;

CatchClause
    : CatchHead Block { $$ = drop({$1, $2}); }
    ;

CatchHead
    : "catch" '(' Type Identifier ')' { $$ = drop({$1, $2, $3, $4, $5}); }
    | "catch" '(' Type ')' { $$ = drop({$1, $2, $3, $4}); }
    ;

FinallyClause
    : "finally" Block { $$ = drop({$1, $2}); }
    ;

/* Expressions */

PrimaryOrName
    : QualifiedName
    | Primary
    ;

Primary
    : SpecialPrimary
    | AllocationExpression
    | PrimaryNoNew
    ;

PrimaryNoNew
    : '(' Expression ')' { $$ = cat({$1, $2, $3}); }
    | PrimaryAtom
    ;

PrimaryAtom
    : LITERAL
    | BOOLEAN_LITERAL
    | ArrayAccess
    | FieldAccess
    | MethodInvocation
    ;

ArrayAccess
    : QualifiedName '[' Expression ']' { $$ = cat({$1, $2, $3, $4}); }
    | PrimaryNoNew '[' Expression ']' { $$ = cat({$1, $2, $3, $4}); }
    ;

FieldAccess
    : Primary '.' Identifier { $$ = cat({$1, $2, $3}); }
    | PostIncDecExpression '.' Identifier { $$ = cat({$1, $2, $3}); }
    | QualifiedName '.' "this" { $$ = cat({$1, $2, $3}); }
    | QualifiedName '.' "class" { $$ = cat({$1, $2, $3}); }
    | PrimitiveType '.' "class" { $$ = cat({$1, $2, $3}); }
    ;

MethodInvocation
    : MethodTarget '(' ArgumentList ')' { $$ = cat({$1, $2, $3, $4}); }
    | MethodTarget '(' ')' { $$ = cat({$1, $2, $3}); }
    ;

MethodTarget
    : PrimaryAtom
    | SpecialPrimary
    | QualifiedName
    ;

SpecialPrimary
    : "this"
    | "super"
    | "null"
    ;

ArgumentList
    : Expression
    | ArgumentList ',' Expression { $$ = cat({$1, $2, $3}); }
    ;

AllocationExpression
    : PlainAllocation
    | QualifiedName '.' PlainAllocation { $$ = cat({$1, $2, $3}); }
    | Primary '.' PlainAllocation { $$ = cat({$1, $2, $3}); }
    ;

PlainAllocation
    : ArrayCreation
    | ClassInstanceCreation
    | ArrayCreation '{' '}' { $$ = cat({$1, $2, $3}); }
    | ClassInstanceCreation '{' '}' { $$ = cat({$1, $2, $3}); }
    | ArrayCreation '{' VariableInitializers '}' { $$ = cat({$1, $2, $3, $4}); }
    | ClassInstanceCreation '{' ClassBodyDeclarations '}' { $$ = cat({$1, $2, $3, $4}); }
    ;

ClassInstanceCreation
    : "new" TypeName '(' ArgumentList ')'
        { pool().appendLiteral($1.text, " "); $$ = cat({$1, $2, $3, $4, $5}); }
    | "new" TypeName '(' ')'
        { pool().appendLiteral($1.text, " "); $$ = cat({$1, $2, $3, $4}); }
    ;

ArrayCreation
    : "new" TypeName DimExprs Dims { $$ = cat({$1, $2, $3, $4}); }
    | "new" TypeName DimExprs { $$ = cat({$1, $2, $3}); }
    | "new" TypeName Dims { $$ = cat({$1, $2, $3}); }
    ;

DimExprs
    : DimExpr
    | DimExprs DimExpr { $$ = cat({$1, $2}); }
    ;

DimExpr
    : '[' Expression ']' { $$ = cat({$1, $2, $3}); }
    ;

PostfixOperand
    : PrimaryOrName
    | PostIncDecExpression
    ;

PostIncDecExpression
    : PostfixOperand "++" { $$ = cat({$1, $2}); }
    | PostfixOperand "--" { $$ = cat({$1, $2}); }
    ;

UnaryExpression
    : "++" UnaryExpression { $$ = cat({$1, $2}); }
    | "--" UnaryExpression { $$ = cat({$1, $2}); }
    | ArithmeticUnaryOperator CastExpression { $$ = cat({$1, $2}); }
    | UnaryExpressionNotPlusMinus
    ;

UnaryExpressionNotPlusMinus
    : PostfixOperand
    | LogicalUnaryOperator UnaryExpression { $$ = cat({$1, $2}); }
    ;

LogicalUnaryOperator
    : '~'
    | '!'
    ;

ArithmeticUnaryOperator
    : '+'
    | '-'
    ;

CastExpression
    : UnaryExpression
    | '(' PrimitiveCastType ')' CastExpression { $$ = cat({$1, $2, $3, $4}); }
    | '(' ClassCastType ')' CastExpression { $$ = cat({$1, $2, $3, $4}); }
    | '(' Expression ')' UnaryExpressionNotPlusMinus { $$ = cat({$1, $2, $3, $4}); }
    ;

PrimitiveCastType
    : PrimitiveType
    | PrimitiveType Dims { $$ = cat({$1, $2}); }
    ;

ClassCastType
    : QualifiedName Dims { $$ = cat({$1, $2}); }
    ;

MultiplicativeExpression
    : CastExpression
    | MultiplicativeExpression '*' CastExpression { $$ = cat({$1, $2, $3}); }
    | MultiplicativeExpression '/' CastExpression { $$ = cat({$1, $2, $3}); }
    | MultiplicativeExpression '%' CastExpression { $$ = cat({$1, $2, $3}); }
    ;

AdditiveExpression
    : MultiplicativeExpression
    | AdditiveExpression '+' MultiplicativeExpression { $$ = cat({$1, $2, $3}); }
    | AdditiveExpression '-' MultiplicativeExpression { $$ = cat({$1, $2, $3}); }
    ;

ShiftExpression
    : AdditiveExpression
    | ShiftExpression "<<" AdditiveExpression { $$ = cat({$1, $2, $3}); }
    | ShiftExpression ">>" AdditiveExpression { $$ = cat({$1, $2, $3}); }
    | ShiftExpression ">>>" AdditiveExpression { $$ = cat({$1, $2, $3}); }
    ;

RelationalExpression
    : ShiftExpression
    | RelationalExpression '<' ShiftExpression { $$ = cat({$1, $2, $3}); }
    | RelationalExpression '>' ShiftExpression { $$ = cat({$1, $2, $3}); }
    | RelationalExpression "<=" ShiftExpression { $$ = cat({$1, $2, $3}); }
    | RelationalExpression ">=" ShiftExpression { $$ = cat({$1, $2, $3}); }
    | RelationalExpression "instanceof" Type { $$ = cat({$1, $2, $3}); }
    ;

EqualityExpression
    : RelationalExpression
    | EqualityExpression "==" RelationalExpression { $$ = cat({$1, $2, $3}); }
    | EqualityExpression "!=" RelationalExpression { $$ = cat({$1, $2, $3}); }
    ;

AndExpression
    : EqualityExpression
    | AndExpression '&' EqualityExpression { $$ = cat({$1, $2, $3}); }
    ;

ExclusiveOrExpression
    : AndExpression
    | ExclusiveOrExpression '^' AndExpression { $$ = cat({$1, $2, $3}); }
    ;

InclusiveOrExpression
    : ExclusiveOrExpression
    | InclusiveOrExpression '|' ExclusiveOrExpression { $$ = cat({$1, $2, $3}); }
    ;

ConditionalAndExpression
    : InclusiveOrExpression
    | ConditionalAndExpression "&&" InclusiveOrExpression { $$ = cat({$1, $2, $3}); }
    ;

ConditionalOrExpression
    : ConditionalAndExpression
    | ConditionalOrExpression "||" ConditionalAndExpression { $$ = cat({$1, $2, $3}); }
    ;

ConditionalExpression
    : ConditionalOrExpression
    | ConditionalOrExpression '?' Expression ':' ConditionalExpression { $$ = cat({$1, $2, $3, $4, $5}); }
    ;

AssignmentExpression
    : ConditionalExpression
    | UnaryExpression AssignmentOperator AssignmentExpression { $$ = cat({$1, $2, $3}); }
    ;

AssignmentOperator
    : '='
    | "*="
    | "/="
    | "%="
    | "+="
    | "-="
    | "<<="
    | ">>="
    | ">>>="
    | "&="
    | "^="
    | "|="
    ;

Expression
    : AssignmentExpression
    ;

ConstantExpression
    : ConditionalExpression
    ;

%%

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

namespace {

/* Binds the pool and the scanner to one run of the loop, on every way out. */
class ParseLoopSession {
public:
    explicit ParseLoopSession(TextPool& textPool)
    {
        resetScanner();
        activePool = &textPool;
    }
    ~ParseLoopSession()
    {
        activePool = nullptr;
        resetScanner();
    }
    ParseLoopSession(const ParseLoopSession&) = delete;
    ParseLoopSession& operator=(const ParseLoopSession&) = delete;
};

}

int runParseLoop()
{
    ParseStackMemory stackMemory;
    TextPool textPool;
    ParseLoopSession session(textPool);
    return zefraJavaparse();
}

}
}
}
}
