#!/usr/bin/env python3
"""Random Java programs for differential testing of the engine.

One seed gives one program, always the same: a public class with its helper
classes nested inside it, a handful of "units" (methods that compute with
every primitive type, strings, arrays, loops, switches, exception regions,
inner, anonymous and local classes and lambdas) and a main that runs each
unit, folds everything it computed into a checksum and prints it as it goes.
Every loop is bounded and no method recurses, so a program ends in
milliseconds; the source compiles with javac --release 8.

The program is kept as a tree (Node and Block below) so that a reducer can
delete statements and members and print the rest again.

Construct families can be left out (see FAMILIES), for instance one that the
engine is known to get wrong, so that it does not mask other faults.
"""

import argparse
import random
import sys

from gen_more import MoreConstructs
from gen_tree import Block, Node, Var, program_text, render, walk  # noqa: F401 (the reducer's)

# Families of constructs that can be switched off one by one.
FAMILIES = {
    "hiding": "fields hidden by a subclass or shadowed by an inner class, read through super and casts",
    "nestedlambda": "lambdas returning lambdas that use the outer parameters",
    "lambda": "lambdas and method references (includes nestedlambda)",
    "anon": "anonymous classes",
    "local": "local classes",
    "inner": "inner (non-static member) classes",
    "switch": "switch on int, char and String",
    "try": "try/catch/finally, with returns in the regions",
    "sync": "synchronized blocks and methods",
    "array": "arrays",
    "label": "labelled loops with break and continue",
    # The modern constructs, generated only for a modern level (--level).
    "foreach": "enhanced for over arrays and lists",
    "resources": "try-with-resources, with catch and finally clauses",
    "assert": "assert statements, with and without a message",
    "pattern": "instanceof patterns, in conditions, negated and in && chains (16+)",
    "switchexpr": "switch expressions with arrow cases and yield (14+), and String switches",
    "localrecord": "local records (16+)",
    "capture": "lambdas and anonymous classes made in loops, capturing the iteration's variables",
    "methodref": "method references: static, bound, unbound, constructor, array constructor",
    "stringswitch": "String switches over labels with colliding hash codes",
    "ternary": "conditionals whose operand types decide boxing and promotion",
    "generic": "calls of generic methods with inferred type arguments",
    "localtype": "local enums, interfaces and records (16+)",
    "recordpattern": "nested record patterns in switches and instanceof (21+)",
}

NUMERIC = ["byte", "short", "char", "int", "long", "float", "double"]
INTEGRAL = ["byte", "short", "char", "int", "long"]
ALL_TYPES = NUMERIC + ["boolean", "String"]
SHORT = {"byte": "b", "short": "s", "char": "c", "int": "i", "long": "j",
         "float": "f", "double": "d", "boolean": "z", "String": "t"}


class Ctx:
    """What code at one point may use."""

    def __init__(self, gen, static, locals_=(), fields=(), ret=None):
        self.gen = gen
        self.static = static
        self.locals = list(locals_)
        self.fields = list(fields)
        self.ret = ret            # return type of the enclosing body, or None for void
        self.loops = []           # labels (or None) of the enclosing loops, innermost last
        self.in_switch = False
        self.fn_limit = 0         # helper functions below this index may be called
        self.budget = 0           # statements still allowed in this body

    def child(self):
        c = Ctx(self.gen, self.static, self.locals, self.fields, self.ret)
        c.loops = list(self.loops)
        c.in_switch = self.in_switch
        c.fn_limit = self.fn_limit
        c.budget = self.budget
        return c

    def capture(self, params, ret, static=None):
        """The context inside a lambda or anonymous/local class body."""
        c = Ctx(self.gen, self.static if static is None else static,
                [v for v in self.locals if v.final and v.dims == 0] + list(params),
                self.fields if (static is None or not static) else
                [f for f in self.fields if f.final is None], ret)
        c.fn_limit = self.fn_limit
        c.budget = self.budget
        return c

    def values(self, t):
        return [v for v in self.locals + self.fields if v.type == t and v.dims == 0]

    def assignables(self, t=None):
        return [v for v in self.locals + self.fields
                if v.assignable and not v.final and v.dims == 0 and (t is None or v.type == t)]

    def arrays(self):
        return [v for v in self.locals + self.fields if v.dims > 0]


def java_string(s):
    out = []
    for ch in s:
        if ch in "\"\\":
            out.append("\\" + ch)
        elif ch == "\n":
            out.append("\\n")
        elif ch == "\t":
            out.append("\\t")
        elif ord(ch) < 32 or ord(ch) > 126:
            out.append("\\u%04x" % ord(ch))
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


class Generator(MoreConstructs):
    def __init__(self, seed, exclude=(), size=1.0, level=None):
        self.seed = seed
        # None: the classic programs, unchanged; else the Java release the
        # modern constructs may use.
        self.level = level
        self.r = random.Random(seed * 7919 + 17)
        self.exclude = set(exclude)
        if "lambda" in self.exclude:
            self.exclude.add("nestedlambda")
        self.size = size
        self.cls = "Dfz%d" % seed
        self.counter = 0
        self.fns = []            # (name, return type, parameter types)
        self.members = []        # Nodes of the main class body
        self.statics = []        # static field Vars (Var.final None marks static)
        self.instance = []       # instance field Vars
        self.lambda_ifaces_used = False

    # ---- small helpers -------------------------------------------------

    def on(self, family):
        return family not in self.exclude

    def name(self, prefix):
        self.counter += 1
        return "%s%d" % (prefix, self.counter)

    def chance(self, p):
        return self.r.random() < p

    def pick(self, seq):
        return self.r.choice(seq)

    # ---- literals --------------------------------------------------------

    def literal(self, t):
        r = self.r
        if t == "boolean":
            return self.pick(["true", "false"])
        if t == "int":
            return self.pick(["0", "1", "-1", "2", "7", "31", "100", "Integer.MAX_VALUE",
                              "Integer.MIN_VALUE", "(-2147483648)", "0x7fffffff", "0xffff",
                              "0x80", "-129", str(r.randint(-1000, 1000)),
                              str(r.randint(-2 ** 31, 2 ** 31 - 1))])
        if t == "long":
            return self.pick(["0L", "1L", "-1L", "3L", "Long.MAX_VALUE", "Long.MIN_VALUE",
                              "0xffffffffL", "0x7fffffffffffffffL", "(-9223372036854775808L)",
                              "2147483648L", str(r.randint(-10 ** 6, 10 ** 6)) + "L",
                              str(r.randint(-2 ** 63, 2 ** 63 - 1)) + "L"])
        if t == "float":
            return self.pick(["0.0f", "-0.0f", "1.5f", "0.1f", "3.4028235E38f", "1.4E-45f",
                              "Float.NaN", "Float.POSITIVE_INFINITY", "Float.NEGATIVE_INFINITY",
                              "Float.MIN_VALUE", "Float.MAX_VALUE", "1e10f", "-2.5f",
                              "%d.25f" % r.randint(-100, 100)])
        if t == "double":
            return self.pick(["0.0", "-0.0", "0.1", "1.0E300", "4.9E-324", "Double.NaN",
                              "Double.POSITIVE_INFINITY", "Double.NEGATIVE_INFINITY",
                              "Double.MIN_VALUE", "Double.MAX_VALUE", "(0.0 / 0.0)", "2.5e-3",
                              "1e16", "%d.75" % r.randint(-1000, 1000), "9007199254740993.0"])
        if t == "char":
            return self.pick(["'a'", "'Z'", "'0'", "'\\n'", "'\\''", "'\\\\'", "'\\u00e9'",
                              "'\\u0000'", "'\\uffff'", "(char) 65535", "(char) 200",
                              "'\\u20ac'", "' '"])
        if t == "byte":
            return self.pick(["(byte) 0", "(byte) 1", "(byte) -1", "(byte) 127", "(byte) -128",
                              "(byte) 0x80", "(byte) %d" % r.randint(-300, 300)])
        if t == "short":
            return self.pick(["(short) 0", "(short) -1", "(short) 32767", "(short) -32768",
                              "(short) 0xffff", "(short) %d" % r.randint(-70000, 70000)])
        if t == "String":
            return java_string(self.pick(["", "a", "ab", "Aa", "BB", "x\ty", "q\"u", "back\\",
                                          "line\n", "\u00e9t\u00e9", "\u20ac", "null", "0",
                                          "-1", "AaBB"]))
        raise ValueError(t)

    # ---- expressions -----------------------------------------------------

    def expr(self, ctx, t, d=3):
        """An expression of type t (after promotion, exactly t)."""
        if d <= 0 or self.chance(0.22):
            return self.atom(ctx, t)
        makers = {
            "boolean": self.bool_expr, "int": self.int_expr, "long": self.long_expr,
            "float": self.float_expr, "double": self.double_expr, "String": self.string_expr,
            "byte": self.narrow_expr, "short": self.narrow_expr, "char": self.narrow_expr,
        }
        return makers[t](ctx, t, d - 1)

    def atom(self, ctx, t):
        vals = ctx.values(t)
        arrs = [a for a in ctx.arrays() if a.type == t] if self.on("array") else []
        roll = self.r.random()
        if arrs and roll < 0.15:
            return self.array_element(ctx, self.pick(arrs))
        if vals and roll < 0.7:
            return self.pick(vals).name
        return self.literal(t)

    def array_element(self, ctx, a, d=1):
        idx = "[%s & 3]" % self.paren(self.expr(ctx, "int", d))
        if self.chance(0.05):
            idx = "[%s]" % self.expr(ctx, "int", d)      # may be out of bounds
        return a.name + idx * a.dims

    @staticmethod
    def paren(e):
        return e if e.startswith("(") and e.endswith(")") and _balanced(e[1:-1]) else "(" + e + ")"

    def side_effect(self, ctx, t):
        """++, --, an assignment or a compound assignment used as a value."""
        vs = ctx.assignables(t)
        if not vs:
            return None
        v = self.pick(vs).name
        if t in NUMERIC and self.chance(0.6):
            op = self.pick(["++", "--"])
            return "(%s%s)" % ((op, v) if self.chance(0.5) else (v, op))
        if t in NUMERIC:
            return "(%s %s %s)" % (v, self.pick(["+=", "-=", "*=", "^="] if t in INTEGRAL else
                                               ["+=", "-=", "*="]),
                                   self.expr(ctx, self.pick(["int", t]), 1))
        return "(%s = %s)" % (v, self.expr(ctx, t, 1))

    def call(self, ctx, t):
        fns = [f for f in self.fns[:ctx.fn_limit] if f[1] == t]
        if not fns:
            return None
        name, _, params = self.pick(fns)
        return "%s(%s)" % (name, ", ".join(self.expr(ctx, p, 1) for p in params))

    def common(self, ctx, t, d):
        """Forms shared by every type: ternary, cast-free call, side effect."""
        roll = self.r.random()
        if roll < 0.08:
            return "(%s ? %s : %s)" % (self.expr(ctx, "boolean", d), self.expr(ctx, t, d),
                                       self.expr(ctx, t, d))
        if roll < 0.13:
            c = self.call(ctx, t)
            if c:
                return c
        if roll < 0.2:
            s = self.side_effect(ctx, t)
            if s:
                return s
        return None

    def operand(self, ctx, promoted, d):
        """An operand whose binary promotion with others gives `promoted`."""
        choices = {"int": ["int", "int", "byte", "short", "char"],
                   "long": ["long", "long", "int", "char"],
                   "float": ["float", "float", "int", "long"],
                   "double": ["double", "double", "float", "int", "long"]}[promoted]
        return self.expr(ctx, self.pick(choices), d)

    def divisor(self, ctx, t, d):
        e = self.operand(ctx, t, d)
        if t in ("int", "long") and not self.chance(0.04):
            return "(%s | %s)" % (e, "1L" if t == "long" else "1")
        return e

    def integral_expr(self, ctx, t, d):
        c = self.common(ctx, t, d)
        if c:
            return c
        roll = self.r.random()
        if roll < 0.45:
            op = self.pick(["+", "-", "*", "&", "|", "^", "/", "%"])
            rhs = self.divisor(ctx, t, d) if op in "/%" else self.operand(ctx, t, d)
            return "(%s %s %s)" % (self.operand(ctx, t, d), op, rhs)
        if roll < 0.6:
            op = self.pick(["<<", ">>", ">>>"])
            return "(%s %s %s)" % (self.operand(ctx, t, d), op,
                                   self.expr(ctx, self.pick(["int", "int", "long", "char"]), d))
        if roll < 0.7:
            return "(%s%s)" % (self.pick(["-", "~", "-", "+"]), self.paren(self.operand(ctx, t, d)))
        if roll < 0.85:
            src = self.pick([x for x in NUMERIC if x != t])
            return "((%s) %s)" % (t, self.paren(self.expr(ctx, src, d)))
        if roll < 0.9 and t == "int":
            return "%s.length()" % self.paren(self.expr(ctx, "String", d))
        if roll < 0.95:
            if t == "int":
                return self.pick(["Math.abs(%s)", "Integer.bitCount(%s)", "Integer.reverse(%s)",
                                  "Math.max(%s, -3)", "Integer.signum(%s)"]) % self.expr(ctx, t, d)
            return self.pick(["Math.abs(%s)", "Long.bitCount(%s)", "Math.min(%s, 7L)",
                              "Long.rotateLeft(%s, 5)"]) % self.expr(ctx, t, d)
        return self.atom(ctx, t)

    def int_expr(self, ctx, t, d):
        return self.integral_expr(ctx, "int", d)

    def long_expr(self, ctx, t, d):
        return self.integral_expr(ctx, "long", d)

    def narrow_expr(self, ctx, t, d):
        c = self.common(ctx, t, d)
        if c:
            return c
        src = self.pick(["int", "int", "long", "double", "char", "float", "short", "byte"])
        return "((%s) %s)" % (t, self.paren(self.expr(ctx, src, d)))

    def floating_expr(self, ctx, t, d):
        c = self.common(ctx, t, d)
        if c:
            return c
        roll = self.r.random()
        if roll < 0.5:
            op = self.pick(["+", "-", "*", "/", "%"])
            return "(%s %s %s)" % (self.operand(ctx, t, d), op, self.operand(ctx, t, d))
        if roll < 0.6:
            return "(-%s)" % self.paren(self.operand(ctx, t, d))
        if roll < 0.8:
            src = self.pick([x for x in NUMERIC if x != t])
            return "((%s) %s)" % (t, self.paren(self.expr(ctx, src, d)))
        if roll < 0.9:
            if t == "double":
                return self.pick(["Math.sqrt(%s)", "Math.floor(%s)", "Math.abs(%s)",
                                  "Math.max(%s, -0.0)"]) % self.expr(ctx, t, d)
            return self.pick(["Math.abs(%s)", "Math.min(%s, 0.0f)"]) % self.expr(ctx, t, d)
        return self.atom(ctx, t)

    def float_expr(self, ctx, t, d):
        return self.floating_expr(ctx, "float", d)

    def double_expr(self, ctx, t, d):
        return self.floating_expr(ctx, "double", d)

    def bool_expr(self, ctx, t, d):
        c = self.common(ctx, t, d)
        if c:
            return c
        roll = self.r.random()
        if roll < 0.45:
            kind = self.pick(["int", "long", "float", "double", "int", "double"])
            op = self.pick(["<", "<=", ">", ">=", "==", "!="])
            e = "(%s %s %s)" % (self.operand(ctx, kind, d), op, self.operand(ctx, kind, d))
            return "(!%s)" % e if self.chance(0.2) else e
        if roll < 0.7:
            op = self.pick(["&&", "||", "&", "|", "^", "==", "!="])
            return "(%s %s %s)" % (self.expr(ctx, "boolean", d), op, self.expr(ctx, "boolean", d))
        if roll < 0.8:
            return "(!%s)" % self.paren(self.expr(ctx, "boolean", d))
        if roll < 0.88:
            return "%s.equals(%s)" % (self.paren(self.expr(ctx, "String", d)),
                                      self.expr(ctx, "String", d))
        if roll < 0.94:
            kind = self.pick(["Float.isNaN(%s)", "Double.isNaN(%s)", "Double.isInfinite(%s)"])
            return kind % self.expr(ctx, "float" if "Float" in kind else "double", d)
        return self.atom(ctx, t)

    def string_expr(self, ctx, t, d):
        c = self.common(ctx, t, d)
        if c:
            return c
        roll = self.r.random()
        if roll < 0.55:
            types = [self.pick(ALL_TYPES) for _ in range(self.r.randint(1, 3))]
            parts = [self.expr(ctx, pt, d) for pt in types]
            head = self.expr(ctx, "String", d) if self.chance(0.6) else self.literal("String")
            # Numbers ahead of the first string add up first; booleans cannot.
            where = 0 if "boolean" in types else self.r.randint(0, len(parts))
            parts.insert(where, head)
            return "(" + " + ".join(parts) + ")"
        if roll < 0.75:
            src = self.pick(ALL_TYPES[:-1])
            return "String.valueOf(%s)" % self.expr(ctx, src, d)
        if roll < 0.85:
            return self.pick(["Integer.toHexString(%s)", "Integer.toString(%s)"]) % self.expr(ctx, "int", d)
        if roll < 0.9:
            return "Long.toString(%s, 36)" % self.expr(ctx, "long", d)
        return self.atom(ctx, t)

    # ---- statements --------------------------------------------------------

    def mix(self, ctx, t=None, e=None):
        t = t or self.pick(ALL_TYPES)
        e = e or self.expr(ctx, t)
        fn = {"boolean": "mixZ", "String": "mixS", "float": "mixD", "double": "mixD"}.get(t, "mixJ")
        return Node("%s(%s);" % (fn, e))

    def decl(self, ctx, t=None, final=None):
        t = t or self.pick(ALL_TYPES + ["int", "long", "double", "int"])
        final = self.chance(0.3) if final is None else final
        v = Var(self.name(SHORT[t]), t, final=final)
        init = self.expr(ctx, t)
        ctx.locals.append(v)
        return Node("%s%s %s = %s;" % ("final " if final and self.chance(0.5) else "", t, v.name, init))

    def assign(self, ctx):
        vs = ctx.assignables()
        if not vs:
            return self.decl(ctx)
        v = self.pick(vs)
        t = v.type
        if t == "boolean":
            op = self.pick(["=", "&=", "|=", "^="])
            return Node("%s %s %s;" % (v.name, op, self.expr(ctx, "boolean")))
        if t == "String":
            if self.chance(0.3):
                return Node("%s = %s;" % (v.name, self.expr(ctx, "String")))
            return Node("%s += %s;" % (v.name, self.expr(ctx, self.pick(ALL_TYPES))))
        roll = self.r.random()
        if roll < 0.2:
            return Node("%s%s;" % (v.name, self.pick(["++", "--"])) if self.chance(0.5)
                        else "%s%s;" % (self.pick(["++", "--"]), v.name))
        if roll < 0.35:
            return Node("%s = %s;" % (v.name, self.expr(ctx, t)))
        ops = ["+=", "-=", "*=", "/=", "%="]
        if t in INTEGRAL:
            ops += ["&=", "|=", "^=", "<<=", ">>=", ">>>="]
        op = self.pick(ops)
        if op in ("<<=", ">>=", ">>>=", "&=", "|=", "^="):
            rhs = self.expr(ctx, self.pick(["int", "long", "char", "byte"]))
        elif op in ("/=", "%=") and t in INTEGRAL:
            rt = self.pick(["int", "long", "double"])
            rhs = self.divisor(ctx, rt, 2) if rt != "double" else self.expr(ctx, rt)
        else:
            rhs = self.expr(ctx, self.pick(NUMERIC))
        return Node("%s %s %s;" % (v.name, op, rhs))

    def block(self, ctx, n):
        c = ctx.child()
        items = []
        for _ in range(n):
            if c.budget <= 0:
                break
            items.append(self.stmt(c))
        if not items:
            items.append(self.mix(c))
        return Block(items)

    def stmt(self, ctx):
        if self.level is not None and ctx.budget > 2 and self.chance(0.3):
            node = self.modern_stmt(ctx)
            if node is not None:
                ctx.budget -= 1
                return node
        ctx.budget -= 1
        r = self.r.random()
        depth_ok = ctx.budget > 2
        table = [
            (0.16, lambda: self.decl(ctx)),
            (0.14, lambda: self.assign(ctx)),
            (0.12, lambda: self.mix(ctx)),
            (0.10, lambda: self.if_stmt(ctx) if depth_ok else None),
            (0.10, lambda: self.loop(ctx) if depth_ok else None),
            (0.06, lambda: self.switch_stmt(ctx) if depth_ok and self.on("switch") else None),
            (0.07, lambda: self.try_stmt(ctx) if depth_ok and self.on("try") else None),
            (0.03, lambda: self.sync_stmt(ctx) if depth_ok and self.on("sync") else None),
            (0.06, lambda: self.array_stmt(ctx) if self.on("array") else None),
            (0.04, lambda: self.jump(ctx)),
            (0.06, lambda: self.lambda_stmt(ctx) if self.on("lambda") else None),
            (0.04, lambda: self.anon_stmt(ctx) if self.on("anon") else None),
            (0.02, lambda: self.print_stmt(ctx)),
        ]
        acc = 0.0
        for p, make in table:
            acc += p
            if r < acc:
                node = make()
                if node is not None:
                    return node
                break
        return self.assign(ctx) if self.chance(0.5) else self.mix(ctx)

    def print_stmt(self, ctx):
        return Node('System.out.println("  " + %s);' % self.paren(self.expr(ctx, self.pick(ALL_TYPES), 2)))

    def if_stmt(self, ctx):
        cond = self.expr(ctx, "boolean")
        then = self.block(ctx, self.r.randint(1, 3))
        if self.chance(0.5):
            return Node("if (%s) {" % cond, then, "} else {", self.block(ctx, self.r.randint(1, 3)), "}")
        return Node("if (%s) {" % cond, then, "}")

    def jump(self, ctx):
        """A conditional break, continue or return out of the innermost constructs."""
        options = []
        if ctx.loops:
            options += ["break;", "continue;"]
            labels = [l for l in ctx.loops if l]
            if labels and self.on("label"):
                l = self.pick(labels)
                options += ["break %s;" % l, "continue %s;" % l]
        if ctx.in_switch:
            options.append("break;")
        if ctx.ret is not None:
            options.append("return %s;" % self.expr(ctx, ctx.ret, 2))
        else:
            options.append("return;")
        if self.chance(0.3) and self.on("try"):
            options.append("throw new IllegalStateException(%s);" % self.literal("String"))
        return Node("if (%s) {" % self.expr(ctx, "boolean", 2), Block([Node(self.pick(options))]), "}")

    def loop(self, ctx):
        c = ctx.child()
        label = self.name("lab") if self.on("label") and self.chance(0.35) else None
        i = Var(self.name("i"), "int", assignable=False)
        bound = self.r.randint(0, 6)
        c.loops.append(label)
        c.in_switch = False
        kind = self.r.randint(0, 3)
        head = (label + ": ") if label else ""
        if kind <= 1:
            c.locals.append(i)
            step = self.pick(["%s++", "++%s", "%s += 2"]) % i.name
            body = self.block(c, self.r.randint(1, 4))
            return Node("%sfor (int %s = %d; %s < %d; %s) {" % (head, i.name, self.r.randint(-1, 1),
                                                              i.name, bound, step), body, "}")
        # while / do-while: the counter steps first, so continue cannot skip it
        decl = Node("int %s = 0;" % i.name)
        c.locals.append(i)
        inner = self.block(c, self.r.randint(1, 4))
        inner.items.insert(0, Node("%s++;" % i.name, removable=False))
        if kind == 2:
            loop = Node("%swhile (%s < %d) {" % (head, i.name, bound), inner, "}")
        else:
            loop = Node("%sdo {" % head, inner, "} while (%s < %d);" % (i.name, bound))
        return Node("{", Block([decl, loop]), "}")

    def switch_stmt(self, ctx):
        c = ctx.child()
        c.in_switch = True
        kind = self.pick(["int", "int", "char", "String", "byte"])
        if kind == "String":
            keys = self.r.sample(["a", "b", "Aa", "BB", "", "AaBB", "BBAa", "x"], self.r.randint(1, 4))
            labels = [java_string(k) for k in keys]
        elif kind == "char":
            labels = ["'%s'" % ch for ch in self.r.sample("abcxyz0", self.r.randint(1, 4))]
        elif kind == "byte":
            labels = [str(n) for n in self.r.sample([-128, -1, 0, 1, 2, 3, 127], self.r.randint(1, 4))]
        else:
            lo = self.pick([-2, 0, 1, 100])
            dense = self.chance(0.5)
            nums = (list(range(lo, lo + self.r.randint(1, 5))) if dense else
                    self.r.sample([-1000, -7, 0, 3, 50, 1000, 65536, Integer_MIN], self.r.randint(1, 4)))
            labels = [str(n) if n != Integer_MIN else "Integer.MIN_VALUE" for n in nums]
        items = []
        default_at = self.r.randint(0, len(labels)) if self.chance(0.7) else -1
        for k, lab in enumerate(labels + [None]):
            if k == default_at:
                items.append(Node("default:", removable=False))
                items.append(Node("", self.block(c, self.r.randint(1, 2))))
            if lab is None:
                break
            body = self.block(c, self.r.randint(0, 2)).items
            if self.chance(0.7):
                body.append(Node("break;"))
            items.append(Node("case %s:" % lab, removable=False))
            items.append(Node("", Block(body)))
        sel = self.expr(ctx, kind, 2)
        if kind == "char" and self.chance(0.5):
            sel = "((char) (%s + 'a'))" % self.paren(self.expr(ctx, "int", 1) + " & 7")
        return Node("switch (%s) {" % sel, Block(items), "}")

    def try_stmt(self, ctx):
        body = self.block(ctx, self.r.randint(1, 3))
        if self.chance(0.4):
            body.items.append(Node("mixJ(%s / %s);" % (self.expr(ctx, "int", 1), self.expr(ctx, "int", 1))))
        parts = ["try {", body]
        catches = self.r.sample(["ArithmeticException", "IllegalStateException",
                                 "ArrayIndexOutOfBoundsException", "RuntimeException"],
                                self.r.randint(0, 2))
        if "RuntimeException" in catches:
            catches.remove("RuntimeException")
            catches.append("RuntimeException")
        for exc in catches:
            e = self.name("e")
            c = ctx.child()
            blk = self.block(c, self.r.randint(0, 2))
            blk.items.insert(0, Node('mixS("%s");' % exc[:4]))
            parts += ["} catch (%s %s) {" % (exc, e), blk]
        if not catches or self.chance(0.5):
            parts += ["} finally {", self.block(ctx, self.r.randint(1, 2))]
        parts.append("}")
        return Node(*parts)

    def sync_stmt(self, ctx):
        lock = self.pick(["LOCK", "%s.class" % self.cls] + ([] if ctx.static else ["this"]))
        return Node("synchronized (%s) {" % lock, self.block(ctx, self.r.randint(1, 3)), "}")

    def array_stmt(self, ctx):
        arrs = ctx.arrays()
        if arrs and self.chance(0.6):
            a = self.pick(arrs)
            el = self.array_element(ctx, a)
            t = a.type
            if t in NUMERIC and self.chance(0.5):
                op = self.pick(["+=", "-=", "*=", "^=", "<<="] if t in INTEGRAL else ["+=", "*=", "/="])
                rhs = self.expr(ctx, "int" if op in ("^=", "<<=") else self.pick(NUMERIC), 2)
                return Node("%s %s %s;" % (el, op, rhs))
            if t in NUMERIC and self.chance(0.3):
                return Node("%s%s;" % (el, self.pick(["++", "--"])))
            if self.chance(0.3):
                return self.mix(ctx, "int", "%s.length" % a.name)
            return Node("%s = %s;" % (el, self.expr(ctx, t, 2)))
        t = self.pick(["int", "long", "double", "byte", "char", "String", "boolean", "short"])
        dims = 2 if self.chance(0.2) else 1
        v = Var(self.name("a"), t, final=False, dims=dims)
        if dims == 1 and self.chance(0.5):
            init = "{%s}" % ", ".join(self.expr(ctx, t, 1) for _ in range(4))
            text = "%s[] %s = %s;" % (t, v.name, init)
        elif dims == 1:
            text = "%s[] %s = new %s[4];" % (t, v.name, t)
            if t == "String":
                text = '%s[] %s = new %s[] {"p", "q", "", "r"};' % (t, v.name, t)
        else:
            text = "%s[][] %s = new %s[4][4];" % (t, v.name, t)
            if t == "String":
                text = '%s[][] %s = {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}, {"", "", "", ""}, {"i", "j", "k", "l"}};' % (t, v.name)
        ctx.locals.append(v)
        return Node(text)

    # ---- lambdas, anonymous and local classes -----------------------------

    def lambda_stmt(self, ctx):
        """A lambda (perhaps returning a lambda) assigned to a local and applied."""
        self.lambda_ifaces_used = True
        nested = self.on("nestedlambda") and self.chance(0.45)
        if nested:
            names = [self.name("p") for _ in range(self.r.randint(2, 3))]
            iface = {2: "Curry", 3: "Curry3"}[len(names)]
            params = [Var(n, "int", final=True) for n in names]
            inner = ctx.capture(params, "int")
            inner.budget = 2
            body = self.expr(inner, "int", 3)
            # Use every parameter, so that a wrong name shows.
            body = "%s + %s" % (self.paren(body), " + ".join(
                "%s * %d" % (n, 10 ** k) for k, n in enumerate(names)))
            text = " -> ".join(names) + " -> " + body
            f = self.name("fn")
            args = "".join(".ap(%s)" % self.expr(ctx, "int", 1) for _ in names)
            return Node("%s %s = %s;" % (iface, f, text), "mixJ(%s%s);" % (f, args))
        roll = self.r.random()
        f = self.name("fn")
        if roll < 0.15:
            ref = self.pick(["Integer::bitCount", "Math::abs", "Integer::reverse", "Integer::highestOneBit"])
            return Node("IOp %s = %s;" % (f, ref), "mixJ(%s.ap(%s));" % (f, self.expr(ctx, "int", 2)))
        p = self.name("p")
        if roll < 0.55:
            inner = ctx.capture([Var(p, "int", final=False, assignable=False)], "int")
            inner.budget = 2
            lam = "%s -> %s" % (p, self.expr(inner, "int", 3))
            return Node("IOp %s = %s;" % (f, lam), "mixJ(%s.ap(%s));" % (f, self.expr(ctx, "int", 2)))
        q = self.name("q")
        inner = ctx.capture([Var(p, "long", final=True), Var(q, "int", final=True)], "long")
        inner.budget = 4
        body = self.block(inner, self.r.randint(1, 3))
        body.items.append(Node("return %s;" % self.expr(inner, "long", 2), removable=False))
        return Node("LOp %s = (%s, %s) -> {" % (f, p, q), body, "};",
                    "mixJ(%s.ap(%s, %s));" % (f, self.expr(ctx, "long", 2), self.expr(ctx, "int", 2)))

    def anon_stmt(self, ctx):
        f = self.name("op")
        p = self.name("p")
        st = Var(self.name("af"), "int")
        inner = ctx.capture([Var(p, "int", final=True)], "int")
        inner.fields = inner.fields + [st]
        inner.budget = 4
        body = self.block(inner, self.r.randint(1, 3))
        body.items.append(Node("return %s;" % self.expr(inner, "int", 2), removable=False))
        shadow = ""
        return Node("IOp %s = new IOp() {" % f,
                    Block([Node("int %s = %s;%s" % (st.name, self.literal("int"), shadow)),
                           Node("public int ap(int %s) {" % p, body, "}", removable=False)]),
                    "};",
                    "mixJ(%s.ap(%s));" % (f, self.expr(ctx, "int", 2)),
                    "mixJ(%s.ap(%s));" % (f, self.expr(ctx, "int", 2)))

    def local_class(self, ctx):
        """A local class capturing finals, declared and used inside a unit."""
        cname = self.name("Loc")
        fld = Var(self.name("lf"), "long")
        p = self.name("p")
        inner = ctx.capture([Var(p, "long", final=True)], "long")
        inner.fields = inner.fields + [fld]
        inner.budget = 4
        body = self.block(inner, self.r.randint(1, 3))
        body.items.append(Node("return %s;" % self.expr(inner, "long", 2), removable=False))
        obj = self.name("lo")
        return Node("class %s {" % cname,
                    Block([Node("long %s = %s;" % (fld.name, self.literal("long"))),
                           Node("long run(long %s) {" % p, body, "}", removable=False)]),
                    "}",
                    "%s %s = new %s();" % (cname, obj, cname),
                    "mixJ(%s.run(%s));" % (obj, self.expr(ctx, "long", 2)),
                    "mixJ(%s.run(%s) + %s.%s);" % (obj, self.expr(ctx, "long", 2), obj, fld.name))

    # ---- modern constructs (a level given) ---------------------------------

    def modern_stmt(self, ctx):
        makers = [(f, m) for f, m in [
            ("foreach", self.foreach_stmt), ("resources", self.resources_stmt), ("assert", self.assert_stmt),
            ("pattern", self.pattern_stmt), ("switchexpr", self.switch_expr_stmt),
            ("localrecord", self.local_record_stmt)] + self.more_makers() if self.on(f)]
        if not makers:
            return None
        return self.pick(makers)[1](ctx)

    def foreach_stmt(self, ctx):
        v = Var(self.name("e"), "int", final=self.chance(0.5), assignable=False)
        items = ", ".join(self.expr(ctx, "int", 1) for _ in range(self.r.randint(0, 4)))
        inner = ctx.child()
        inner.loops = ctx.loops + [None]
        inner.locals = ctx.locals + [v]
        body = self.block(inner, self.r.randint(1, 3))
        body.items.insert(0, Node("mixJ(%s);" % v.name))
        if self.chance(0.5):
            head = "for (%sint %s : new int[] {%s}) {" % ("final " if v.final else "", v.name, items)
        else:
            head = "for (%sint %s : java.util.Arrays.asList(new Integer[] {%s})) {" % (
                "final " if v.final else "", v.name, items)
        return Node(head, body, "}")

    def resources_stmt(self, ctx):
        self.uses_resources = True
        names = [self.name("r") for _ in range(self.r.randint(1, 2))]
        decls = "; ".join("Res %s = new Res(%s)" % (n, self.expr(ctx, "int", 1)) for n in names)
        inner = ctx.child()
        body = self.block(inner, self.r.randint(1, 3))
        body.items.insert(0, Node("mixJ(%s.id);" % names[-1]))
        parts = ["try (%s) {" % decls, body]
        if self.chance(0.5):
            parts += ["} catch (IllegalStateException | ArithmeticException x) {",
                      Block([Node("mixS(x.getClass().getName());")])]
        if self.chance(0.4):
            parts += ["} finally {", Block([Node("mixJ(5);")])]
        parts.append("}")
        return Node(*parts)

    def assert_stmt(self, ctx):
        cond = self.expr(ctx, "boolean", 2)
        message = ""
        if self.chance(0.6):
            message = " : " + self.expr(ctx, self.pick(["int", "long", "char", "String", "double"]), 1)
        return Node("try {", Block([Node("assert %s%s;" % (cond, message)), Node("mixJ(1);")]),
                    "} catch (AssertionError ae) {", Block([Node("mixS(String.valueOf(ae.getMessage()));")]), "}")

    def pattern_stmt(self, ctx):
        if self.level < 16:
            return None
        o = self.name("ob")
        value = "(%s) ? (Object) %s : (Object) Integer.valueOf(%s)" % (
            self.expr(ctx, "boolean", 1), self.expr(ctx, "String", 1), self.expr(ctx, "int", 1))
        ps, pi = self.name("ps"), self.name("pi")
        sv = Var(ps, "String", final=True)
        # the generator's expressions know int, not Integer
        iv = Var(self.name("iv"), "int", final=True)
        with_s = ctx.child()
        with_s.locals = ctx.locals + [sv]
        with_i = ctx.child()
        with_i.locals = ctx.locals + [iv]
        def int_block():
            b = self.block(with_i, self.r.randint(1, 2))
            b.items.insert(0, Node("final int %s = %s;" % (iv.name, pi), removable=False))
            return b
        shape = self.r.randint(0, 2)
        first = Node("Object %s = %s;" % (o, value))
        if shape == 0:
            return Node("{", Block([first, Node("if (%s instanceof String %s && %s.length() > %d) {" % (
                o, ps, ps, self.r.randint(0, 3)), self.block(with_s, self.r.randint(1, 2)),
                "} else if (%s instanceof Integer %s) {" % (o, pi), int_block(),
                "}")]), "}")
        if shape == 1:
            return Node("{", Block([first, Node("if (!(%s instanceof Integer %s)) {" % (o, pi),
                                              Block([Node("mixS(String.valueOf(%s));" % o)]), "} else {",
                                              int_block(), "}")]), "}")
        return Node("do {", Block([first, Node("if (!(%s instanceof String %s)) break;" % (o, ps)),
                                   Node("mixS(%s);" % ps)] + self.block(with_s, self.r.randint(1, 2)).items),
                    "} while (false);")

    def switch_expr_stmt(self, ctx):
        if self.level < 14 or self.chance(0.4):
            # a String switch, with two labels of one hash code
            sel = "(%s) ? \"Aa\" : (%s) ? \"BB\" : %s" % (
                self.expr(ctx, "boolean", 1), self.expr(ctx, "boolean", 1), self.expr(ctx, "String", 1))
            arms = [Node('case "Aa":', Block([Node("mixJ(11);"), Node("break;")])),
                    Node('case "BB":', Block([Node("mixJ(12);")])),
                    Node('case "":', Block([Node("mixJ(13);"), Node("break;")])),
                    Node("default:", Block([Node("mixJ(14);")]))]
            return Node("switch (%s) {" % sel, Block(arms), "}")
        v = self.name("sw")
        sel = self.expr(ctx, "int", 1)
        inner = ctx.child()
        # no statement may jump out of a switch expression
        block = Block([self.decl(inner) if self.chance(0.5) else self.mix(inner) for _ in range(self.r.randint(1, 2))])
        block.items.append(Node("yield %s;" % self.expr(inner, "long", 1), removable=False))
        arms = [Node("case 0 -> %s;" % self.expr(ctx, "long", 2)),
                Node("case 1, 2 -> %s;" % self.expr(ctx, "long", 2)),
                Node("case 3 -> {", block, "}", removable=False),
                Node("default -> %s;" % self.expr(ctx, "long", 1), removable=False)]
        return Node("long %s = switch ((%s) & 7) {" % (v, sel), Block(arms), "};", "mixJ(%s);" % v)

    def local_record_stmt(self, ctx):
        if self.level < 16:
            return None
        rn, obj = self.name("Rec"), self.name("rc")
        a, b = self.name("a"), self.name("b")
        return Node("record %s(int %s, String %s) {" % (rn, a, b),
                    Block([Node("long twice() { return 2L * %s + %s.length(); }" % (a, b))]), "}",
                    "%s %s = new %s(%s, %s);" % (rn, obj, rn, self.expr(ctx, "int", 1), self.expr(ctx, "String", 1)),
                    "mixJ(%s.twice());" % obj, "mixS(%s.toString());" % obj,
                    "mixZ(%s.equals(new %s(%s.%s(), %s.%s())));" % (obj, rn, obj, a, obj, b))

    # ---- members -----------------------------------------------------------

    def fields(self):
        nodes = []
        for t in ALL_TYPES:
            for _ in range(self.r.randint(0, 2)):
                v = Var("s" + SHORT[t] + str(len(self.statics)), t)
                v.final = None          # static: visible in every context
                self.statics.append(v)
                mod = "static "
                nodes.append(Node("%s%s %s = %s;" % (mod, t, v.name, self.literal(t))))
            if self.chance(0.5):
                v = Var("f" + SHORT[t] + str(len(self.instance)), t)
                self.instance.append(v)
                nodes.append(Node("%s %s = %s;" % (t, v.name, self.literal(t))))
        return nodes

    def helper_fn(self, k):
        """A static function, perhaps with returns inside try/finally."""
        t = self.pick(["int", "long", "double", "String", "boolean", "char"])
        params = [self.pick(["int", "long", "double", "String"]) for _ in range(self.r.randint(1, 2))]
        name = "h%d" % k
        pvars = [Var(self.name("a"), pt) for pt in params]
        ctx = Ctx(self, True, pvars, self.statics, ret=t)
        ctx.fn_limit = k
        ctx.budget = int(4 * self.size)
        sig = "static %s%s %s(%s) {" % ("synchronized " if self.on("sync") and self.chance(0.2) else "",
                                       t, name, ", ".join("%s %s" % (v.type, v.name) for v in pvars))
        body = self.block(ctx, self.r.randint(2, 4))
        if self.on("try") and self.chance(0.6):
            # returns inside try, catch and finally regions
            inner = self.block(ctx, self.r.randint(1, 2))
            inner.items.append(Node("if (%s) {" % self.expr(ctx, "boolean", 2),
                                    Block([Node("return %s;" % self.expr(ctx, t, 2))]), "}"))
            inner.items.append(Node("mixJ(%s / %s);" % (self.expr(ctx, "int", 1), self.expr(ctx, "int", 1))))
            parts = ["try {", inner, "} catch (ArithmeticException %s) {" % self.name("e"),
                     Block([Node("return %s;" % self.expr(ctx, t, 2), removable=False)])]
            fin = self.block(ctx, 1)
            if self.chance(0.25):
                fin.items.append(Node("if (%s) {" % self.expr(ctx, "boolean", 2),
                                      Block([Node("return %s;" % self.expr(ctx, t, 2))]), "}"))
            parts += ["} finally {", fin, "}"]
            body.items.append(Node(*parts))
        body.items.append(Node("return %s;" % self.expr(ctx, t, 2), removable=False))
        self.fns.append((name, t, params))
        return Node(sig, body, "}")

    def hiding_classes(self):
        """A base class and a subclass declaring fields and statics of the same names."""
        k = self.counter = self.counter + 1
        base, sub = "Base%d" % k, "Sub%d" % k
        a, b, c = self.r.randint(1, 9), self.r.randint(10, 99), self.r.randint(100, 999)
        nodes = [
            Node("static class %s {" % base, Block([
                Node("int h = %d;" % a),
                Node("static int sh = %d;" % b),
                Node("int get() {", Block([Node("return h;")]), "}"),
                Node("int twice() {", Block([Node("return h * 2 + sh;")]), "}"),
            ]), "}"),
            Node("static class %s extends %s {" % (sub, base), Block([
                Node("int h = %d;" % c),
                Node("static int sh = %d;" % (b + 1)),
                Node("int get() {", Block([Node("return h + super.get();")]), "}"),
                Node("int mixed() {", Block([Node("h += 3;"), Node("super.h += 5;"),
                                             Node("((%s) this).h *= 2;" % base),
                                             Node("return h * 1000000 + super.h * 1000 + ((%s) this).h + sh + %s.sh;" % (base, base))]), "}"),
            ]), "}"),
        ]
        self.hiding = getattr(self, "hiding", []) + [(base, sub)]
        return nodes

    def unit_hiding(self, ctx):
        base, sub = self.pick(self.hiding)
        o = self.name("o")
        return [Node("%s %s = new %s();" % (sub, o, sub)),
                Node("mixJ(%s.mixed());" % o),
                Node("mixJ(((%s) %s).h + %s.h);" % (base, o, o)),
                Node("((%s) %s).h += %s;" % (base, o, self.expr(ctx, "int", 1))),
                Node("mixJ(%s.get() + ((%s) %s).get() + %s.twice());" % (o, base, o, o))]

    def inner_class(self):
        """An inner class reading and updating the outer instance's fields."""
        cname = self.name("In")
        fld = Var(self.name("q"), "int")
        # An inner field named like an outer one shadows it inside.
        shadowing = self.on("hiding") and self.instance and self.chance(0.5)
        outer_fields = [v for v in self.instance]
        fields = [fld]
        extra = []
        if shadowing:
            hid = self.pick(self.instance)
            extra.append(Node("%s %s = %s;" % (hid.type, hid.name, self.literal(hid.type))))
            outer_fields = [v for v in outer_fields if v is not hid]
            outer_fields.append(Var("%s.this.%s" % (self.cls, hid.name), hid.type))
            fields.append(Var(hid.name, hid.type))
        p = self.name("p")
        ctx = Ctx(self, False, [Var(p, "int", final=True)], self.statics + outer_fields + fields, ret="long")
        ctx.budget = int(5 * self.size)
        ctx.fn_limit = len(self.fns)
        body = self.block(ctx, self.r.randint(1, 4))
        body.items.append(Node("return %s;" % self.expr(ctx, "long", 2), removable=False))
        self.inners = getattr(self, "inners", []) + [cname]
        return Node("class %s {" % cname, Block([Node("int %s = %s;" % (fld.name, self.literal("int")))] + extra + [
            Node("long calc(int %s) {" % p, body, "}", removable=False)]), "}")

    def unit(self, k):
        static = not self.instance or self.chance(0.5)
        p = Var(self.name("p"), "int", final=True)
        ctx = Ctx(self, static, [p], self.statics + ([] if static else self.instance), ret=None)
        ctx.fn_limit = len(self.fns)
        ctx.budget = int(self.r.randint(4, 9) * self.size)
        body = self.block(ctx, self.r.randint(4, 9))
        extra = []
        if getattr(self, "hiding", None) and self.chance(0.5):
            extra += self.unit_hiding(ctx)
        if not static and getattr(self, "inners", None) and self.chance(0.6):
            cname = self.pick(self.inners)
            o = self.name("in")
            extra += [Node("%s %s = new %s();" % (cname, o, cname)),
                      Node("mixJ(%s.calc(%s));" % (o, self.expr(ctx, "int", 1))),
                      Node("mixJ(%s.calc(%s));" % (o, self.expr(ctx, "int", 1)))]
        if self.on("local") and self.chance(0.3):
            extra.append(self.local_class(ctx))
        pos = self.r.randint(0, len(body.items))
        body.items[pos:pos] = extra
        name = "u%d" % k
        mod = "static " if static else ""
        node = Node("%svoid %s(int %s) {" % (mod, name, p.name), body, "}", group=name)
        recv = "" if static else "self."
        call = Node("try {", Block([Node("%s%s(%d);" % (recv, name, self.r.randint(-5, 40)))]),
                    "} catch (RuntimeException e) {",
                    Block([Node('System.out.println("%s threw " + e.getClass().getName());' % name),
                           Node("mixJ(99);")]), "}",
                    'System.out.println("%s " + ck);' % name, group=name)
        return node, call

    def program(self):
        members = []
        members.append(Node("static long ck = 17;", removable=False))
        members.append(Node("static final Object LOCK = new Object();", removable=False))
        members += self.fields()
        members.append(Node("static void mixJ(long v) {", Block([Node("ck = ck * 31 + v;")]), "}", removable=False))
        members.append(Node("static void mixD(double v) {",
                            Block([Node("ck = ck * 31 + Double.doubleToLongBits(v);")]), "}", removable=False))
        members.append(Node("static void mixZ(boolean v) {", Block([Node("ck = ck * 31 + (v ? 1231 : 1237);")]),
                            "}", removable=False))
        members.append(Node("static void mixS(String v) {", Block([Node("ck = ck * 31 + v.hashCode() + v.length();")]),
                            "}", removable=False))
        members.append(Node("interface IOp {", Block([Node("int ap(int x);")]), "}", removable=False))
        members.append(Node("interface LOp {", Block([Node("long ap(long x, int y);")]), "}", removable=False))
        members.append(Node("interface Curry {", Block([Node("IOp ap(int x);")]), "}", removable=False))
        members.append(Node("interface Curry3 {", Block([Node("Curry ap(int x);")]), "}", removable=False))
        for k in range(self.r.randint(1, 3)):
            members.append(self.helper_fn(k))
        if self.level is not None:
            members.append(Node("static class Res implements AutoCloseable {", Block([
                Node("final int id;"), Node("Res(int id) { this.id = id; mixJ(id); }"),
                Node("public void close() { mixJ(id * 7); if (id == 3) throw new IllegalStateException(\"close\"); }")]),
                "}", removable=False))
            members += self.more_members()
        if self.on("hiding") and self.chance(0.5):
            members += self.hiding_classes()
        if self.on("inner") and self.instance:
            for _ in range(self.r.randint(0, 2)):
                members.append(self.inner_class())
        calls = []
        for k in range(self.r.randint(3, 5)):
            node, call = self.unit(k)
            members.append(node)
            calls.append(call)
        dump = " + \" \" + ".join(v.name for v in self.statics) or '""'
        main = Node("public static void main(String[] args) {",
                    Block([Node("%s self = new %s();" % (self.cls, self.cls), removable=False)] + calls +
                          [Node('System.out.println("fields " + %s);' % dump),
                           Node('System.out.println("ck " + ck);', removable=False)]),
                    "}", removable=False)
        members.append(main)
        return Node("// seed %d" % self.seed, "public class %s {" % self.cls, Block(members), "}",
                    removable=False)


Integer_MIN = -2 ** 31


def _balanced(s):
    depth = 0
    for ch in s:
        depth += ch == "("
        depth -= ch == ")"
        if depth < 0:
            return False
    return depth == 0


def generate(seed, exclude=(), size=1.0, level=None):
    """(class name, program tree) for a seed; `level`: the release the
    modern constructs may use, None for none."""
    g = Generator(seed, exclude, size, level)
    return g.cls, g.program()


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("seed", type=int)
    ap.add_argument("--exclude", default="", help="comma-separated families: " + ", ".join(FAMILIES))
    ap.add_argument("--level", type=int, default=None, help="generate modern constructs up to this release")
    args = ap.parse_args()
    exclude = [x for x in args.exclude.split(",") if x]
    bad = [x for x in exclude if x not in FAMILIES]
    if bad:
        sys.exit("gen: unknown family %s" % ", ".join(bad))
    _, tree = generate(args.seed, exclude, level=args.level)
    sys.stdout.write(program_text(tree))


if __name__ == "__main__":
    main()
