"""More modern constructs for gen.py's programs, each only where the
generator's level (the Java release) allows it.

The statements here are built mostly from fixed shapes with generated
expressions in their holes: the shapes are the ones that compile to
bytecode a decompiler must read back with care (captures made in loops,
bound method references whose receiver is evaluated once, conditionals whose
operand types decide the boxing, nested record patterns that match null
components, resources closed in reverse with suppressed exceptions).
"""

from gen_tree import Block, Node, Var

# A string switch's labels that share hash codes ("Aa" and "BB" hash alike,
# and so do every two-of-them concatenations).
COLLIDING = ["Aa", "BB", "AaAa", "BBBB", "AaBB", "BBAa", "", "C#"]

FUNC = "java.util.function."


class MoreConstructs:
    """Mixed into gen.Generator; uses its expr, block, name, pick, chance."""

    # ---- class members the statements below rely on -------------------------

    def more_members(self):
        """Helper types and generic methods, declared once per program."""
        nodes = [
            Node("static class Cell {", Block([
                Node("int v;"),
                Node("Cell(int v) { this.v = v; mixJ(v); }"),
                Node("Cell(String s) { this(s.length() * 10); }"),
                Node("int get() { return v++; }"),
                Node("int add(int d) { v += d; return v; }"),
                Node("static int twice(int x) { return x * 2 + 1; }")]), "}", removable=False),
            Node("int plusBase = 3;", removable=False),
            Node("int plus(int x) { return x + plusBase; }", removable=False),
            Node("static <T extends Comparable<T>> T gmax(T a, T b) { return a.compareTo(b) >= 0 ? a : b; }",
                 removable=False),
            Node("static <T> java.util.List<T> glist(T a, T b, T c) {", Block([
                Node("java.util.List<T> l = new java.util.ArrayList<>();"),
                Node("l.add(a); l.add(b); l.add(c);"), Node("return l;")]), "}", removable=False),
            Node("@SafeVarargs", "static <T> T gfirst(T... xs) { return xs.length == 0 ? null : xs[xs.length / 2]; }",
                 removable=False),
            Node("static <T, R> R gapply(%sFunction<? super T, ? extends R> f, T x) { return f.apply(x); }" % FUNC,
                 removable=False),
            Node("static <N extends Number> long gsum(java.util.List<N> xs) {", Block([
                Node("long s = 0;"), Node("for (N n : xs) s = s * 7 + n.longValue();"), Node("return s;")]),
                "}", removable=False),
        ]
        if self.level >= 21 and self.on("recordpattern"):
            nodes += [
                Node("record Pt(int x, int y) {}", removable=False),
                Node("record Box(Object a, Pt p) {}", removable=False),
                Node("sealed interface Shp permits Circ, Rect {}", removable=False),
                Node("record Circ(int r) implements Shp {}", removable=False),
                Node("record Rect(Pt a, Pt b) implements Shp {}", removable=False),
            ]
        return nodes

    def more_makers(self):
        return [("capture", self.capture_stmt), ("methodref", self.method_ref_stmt),
                ("resources", self.resources3_stmt), ("foreach", self.foreach_labels_stmt),
                ("stringswitch", self.string_switch_stmt), ("ternary", self.ternary_box_stmt),
                ("generic", self.generic_stmt), ("switchexpr", self.yield_loop_stmt),
                ("localtype", self.local_types_stmt), ("recordpattern", self.record_pattern_stmt)]

    # ---- captures ---------------------------------------------------------------

    def capture_stmt(self, ctx):
        """Lambdas and anonymous classes made in a loop, each capturing that
        iteration's variables and an effectively final local, run afterwards."""
        n = self.r.randint(1, 4)
        fs, ef, sv, k = self.name("caps"), self.name("ef"), self.name("es"), self.name("k")
        x = self.name("x")
        head = [Node("int %s = %s;" % (ef, self.expr(ctx, "int", 1))),
                Node("String %s = %s;" % (sv, self.expr(ctx, "String", 1))),
                Node("IOp[] %s = new IOp[%d];" % (fs, n))]
        inner = ctx.capture([Var(x, "int", final=True), Var(k, "int", final=True),
                             Var(ef, "int", final=True), Var(sv, "String", final=True)], "int")
        inner.budget = 1
        body = "%s * 31 + %s - %s.length() + %s" % (x, k, sv, self.paren(self.expr(inner, "int", 2)))
        anon = self.chance(0.4)
        make = ("new IOp() { public int ap(int %s) { return %s; } }" % (x, body) if anon
                else "%s -> %s" % (x, body))
        if self.chance(0.5):
            i = self.name("i")
            loop = Node("for (int %s = 0; %s < %d; %s++) {" % (i, i, n, i), Block([
                Node("int %s = %s * %s;" % (k, i, self.pick(["3", ef, "-1"]))),
                Node("%s[%s] = %s;" % (fs, i, make))]), "}")
        else:
            idx = self.name("ix")
            items = ", ".join(self.expr(ctx, "int", 1) for _ in range(n))
            loop = Node("int %s = 0;" % idx, "for (int %s : new int[] {%s}) {" % (k, items), Block([
                Node("%s[%s++] = %s;" % (fs, idx, make))]), "}")
        f = self.name("f")
        use = Node("for (IOp %s : %s) {" % (f, fs), Block([
            Node("mixJ(%s.ap(%s));" % (f, self.expr(ctx, "int", 1)))]), "}")
        return Node("{", Block(head + [loop, use]), "}")

    # ---- method references -------------------------------------------------------

    def method_ref_stmt(self, ctx):
        """Every kind of method reference, applied; a bound receiver is
        evaluated (and checked for null) once, where the reference is made."""
        m = self.name("mr")
        s = self.expr(ctx, "String", 1)
        i = self.expr(ctx, "int", 1)
        kinds = [
            ("%sToIntFunction<String> {m} = String::length;" % FUNC, "mixJ({m}.applyAsInt(%s));" % s),
            ("%sIntBinaryOperator {m} = Math::max;" % FUNC, "mixJ({m}.applyAsInt(%s, %s));" % (i, self.expr(ctx, "int", 1))),
            ("%sIntUnaryOperator {m} = Cell::twice;" % FUNC, "mixJ({m}.applyAsInt(%s));" % i),
            ("%sBiFunction<String, String, Boolean> {m} = String::startsWith;" % FUNC,
             "mixZ({m}.apply(%s, %s));" % (s, self.expr(ctx, "String", 1))),
            ("%sFunction<String, Integer> {m} = (%s)::indexOf;" % (FUNC, s),
             "mixJ({m}.apply(%s));" % self.expr(ctx, "String", 1)),
            ("%sIntSupplier {m} = new Cell(%s)::get;" % (FUNC, i),
             "mixJ({m}.getAsInt() + {m}.getAsInt() * 10);"),
            ("Cell {m}c = new Cell(%s); %sIntUnaryOperator {m} = {m}c::add;" % (i, FUNC),
             "mixJ({m}.applyAsInt(%s) + {m}c.v);" % self.expr(ctx, "int", 1)),
            ("%sSupplier<StringBuilder> {m} = StringBuilder::new;" % FUNC,
             "mixS({m}.get().append(%s).toString());" % s),
            ("%sFunction<String, Cell> {m} = Cell::new;" % FUNC, "mixJ({m}.apply(%s).v);" % s),
            ("%sIntFunction<Cell> {m} = Cell::new;" % FUNC, "mixJ({m}.apply(%s).get());" % i),
            ("%sIntFunction<int[]> {m} = int[]::new;" % FUNC, "mixJ({m}.apply((%s) & 7).length);" % i),
            ("%sIntFunction<String[][]> {m} = String[][]::new;" % FUNC,
             "mixJ({m}.apply((%s) & 3).length);" % i),
            ("%sToIntFunction<Cell> {m} = Cell::get;" % FUNC, "mixJ({m}.applyAsInt(new Cell(%s)));" % i),
            ("java.util.Comparator<String> {m} = java.util.Comparator.comparing(String::length);",
             "mixJ(Integer.signum({m}.compare(%s, %s)));" % (s, self.expr(ctx, "String", 1))),
        ]
        if not ctx.static:
            kinds.append(("%sIntUnaryOperator {m} = %s.this::plus;" % (FUNC, self.cls), "mixJ({m}.applyAsInt(%s));" % i))
        # A null receiver throws where the reference is made, not where it is used.
        kinds.append(("String {m}s = (%s) ? null : %s; %sIntSupplier {m} = {m}s::length;" % (
            self.expr(ctx, "boolean", 1), s, FUNC), "mixJ(99); mixJ({m}.getAsInt());"))
        decl, use = self.pick(kinds)
        return Node("try {", Block([Node(decl.replace("{m}", m)), Node(use.replace("{m}", m))]),
                    "} catch (NullPointerException %s) {" % self.name("npe"), Block([Node("mixJ(77);")]), "}")

    # ---- try-with-resources ---------------------------------------------------------

    def resources3_stmt(self, ctx):
        """Three or four resources, one perhaps null or named by an effectively
        final local (9+), the body perhaps throwing, with catch and finally."""
        names = [self.name("r") for _ in range(self.r.randint(3, 4))]
        pre = []
        decls = []
        for k, n in enumerate(names):
            init = "new Res(%s)" % self.pick(["1", "2", "3", "4", self.expr(ctx, "int", 1)])
            if k == 1 and self.chance(0.3):
                init = "(%s) ? null : %s" % (self.expr(ctx, "boolean", 1), init)
            if k == 0 and self.level >= 9 and self.chance(0.4):
                pre.append(Node("Res %s = %s;" % (n, init)))
                decls.append(n)
            else:
                decls.append("Res %s = %s" % (n, init))
        body = self.block(ctx.child(), self.r.randint(1, 2))
        body.items.insert(0, Node("mixJ(%s.id);" % names[-1]))
        if self.chance(0.5):
            body.items.append(Node("if (%s) throw new ArithmeticException(\"body\");" % self.expr(ctx, "boolean", 1)))
        x = self.name("x")
        parts = ["try (%s) {" % "; ".join(decls), body]
        if self.chance(0.7):
            parts += ["} catch (IllegalStateException | ArithmeticException %s) {" % x,
                      Block([Node("mixS(%s.getMessage());" % x), Node("mixJ(%s.getSuppressed().length);" % x)])]
            if self.chance(0.4):
                parts += ["} catch (RuntimeException %s) {" % self.name("y"), Block([Node("mixJ(55);")])]
        if self.chance(0.6) or len(parts) == 2:
            parts += ["} finally {", Block([Node("mixJ(%s);" % self.expr(ctx, "int", 1))])]
        parts.append("}")
        twr = Node(*parts)
        if pre:
            return Node("{", Block(pre + [twr]), "}")
        return twr

    # ---- enhanced for, labels -------------------------------------------------------

    def foreach_labels_stmt(self, ctx):
        """Nested enhanced for loops over an array and an Iterable, the inner
        one breaking and continuing the outer by label."""
        outer = self.name("lab")
        a, b = self.name("e"), self.name("g")
        elems = [self.expr(ctx, "int", 1) for _ in range(self.r.randint(1, 4))]
        arr = ", ".join(elems)
        strs = ", ".join(self.pick(['"%s"' % w for w in COLLIDING]) for _ in range(self.r.randint(1, 3)))
        c = ctx.child()
        c.loops = ctx.loops + [outer, None]
        c.locals = ctx.locals + [Var(a, "int", final=True, assignable=False),
                                 Var(b, "String", final=True, assignable=False)]
        c.in_switch = False
        c.budget = 2
        inner = self.block(c, 1)
        inner.items.insert(0, Node("if (%s.length() == (%s & 3)) continue %s;" % (b, a, outer)))
        inner.items.insert(1, Node("if (%s) break %s;" % (self.expr(c, "boolean", 1), outer)))
        inner.items.insert(2, Node("if (%s.isEmpty()) continue;" % b))
        inner.items.append(Node("mixS(%s + %s);" % (b, a)))
        src = ("java.util.Arrays.asList(%s)" % strs if self.chance(0.5) else "new String[] {%s}" % strs)
        if self.chance(0.3):
            src = "(%s).split(\"a\")" % self.expr(ctx, "String", 1)
        coll = "new int[] {%s}" % arr
        if self.chance(0.4):
            coll = "new java.util.ArrayList<>(java.util.Arrays.asList(%s))" % (
                ", ".join("Integer.valueOf(%s)" % e for e in elems))
        return Node("%s: for (int %s : %s) {" % (outer, a, coll), Block([
            Node("if (%s < 0) continue;" % a),
            Node("for (String %s : %s) {" % (b, src), inner, "}"),
            Node("mixJ(%s);" % a)]), "}")

    # ---- string switches with colliding hashes ----------------------------------------

    def string_switch_stmt(self, ctx):
        sel = "new String[] {%s}[(%s) & 7]" % (", ".join('"%s"' % w for w in COLLIDING), self.expr(ctx, "int", 1))
        labels = self.r.sample(COLLIDING, self.r.randint(2, 5))
        if self.level >= 14 and self.chance(0.5):
            v = self.name("sws")
            arms = []
            rest = list(labels)
            while rest:
                cut = self.r.randint(1, 2)
                take, rest = rest[:cut], rest[cut:]
                arms.append(Node("case %s -> %s;" % (", ".join('"%s"' % w for w in take), self.expr(ctx, "int", 1))))
            arms.append(Node("default -> %s;" % self.expr(ctx, "int", 1), removable=False))
            return Node("int %s = switch (%s) {" % (v, sel), Block(arms), "};", "mixJ(%s);" % v)
        items = []
        for w in labels:
            items.append(Node('case "%s":' % w, removable=False))
            body = [Node("mixJ(%d);" % (len(items) * 3 + len(w)))]
            if self.chance(0.6):
                body.append(Node("break;"))
            items.append(Node("", Block(body)))
        if self.chance(0.7):
            items.append(Node("default:", Block([Node("mixJ(-4);")])))
        return Node("switch (%s) {" % sel, Block(items), "}")

    # ---- conditionals whose operand types decide boxing ----------------------------------

    def ternary_box_stmt(self, ctx):
        c1, c2 = self.expr(ctx, "boolean", 1), self.expr(ctx, "boolean", 1)
        i, j = self.expr(ctx, "int", 1), self.expr(ctx, "int", 1)
        bx, ob = self.name("bx"), self.name("ob")
        forms = [
            # int and Double: a numeric conditional, the int becomes a double
            "Object %s = (%s) ? Integer.valueOf(%s) : Double.valueOf(%s);" % (ob, c1, i, j),
            "Object %s = (%s) ? %s : (%s) ? 2.5f : 'c';" % (ob, c1, i, c2),
            "Object %s = (%s) ? (Object) %s : (%s) ? (Object) 'c' : (long) %s;" % (ob, c1, self.paren(i), c2, self.paren(j)),
            "Object %s = (%s) ? 'a' : 1;" % (ob, c1),
            "Object %s = (%s) ? 'a' : %s;" % (ob, c1, i),
            "Object %s = (%s) ? (short) 1 : (byte) 2;" % (ob, c1),
            "Integer %s = (%s) ? Integer.valueOf(%s) : (%s) ? null : %s; Object %s = %s;" % (bx, c1, i, c2, j, ob, bx),
            # int and Integer: the Integer is unboxed, null throws
            "Integer %s = (%s) ? null : %s; Object %s = (%s) ? %s : %s;" % (bx, c1, i, ob, c2, j, bx),
            "Long %s = (%s) ? Long.valueOf(%s) : null; long %sl = (%s) ? %s : %s; Object %s = %sl;" % (
                bx, c1, i, ob, c2, bx, j, ob, ob),
            "Number %s = (%s) ? gmax(%s, 2) : gmax(1.5, %s * 0.5); Object %s = %s;" % (bx, c1, i, self.paren(j), ob, bx),
            "Object %s = (%s) ? (%s) ? \"s\" : (Object) %s : Boolean.valueOf(%s);" % (ob, c1, c2, self.paren(i), c2),
        ]
        return Node("try {", Block([Node(self.pick(forms)),
                                    Node("mixS(String.valueOf(%s) + %s.getClass().getSimpleName());" % (ob, ob))]),
                    "} catch (NullPointerException %s) {" % self.name("npe"), Block([Node("mixJ(78);")]), "}")

    # ---- generic methods with inference ------------------------------------------------

    def generic_stmt(self, ctx):
        s, t = self.expr(ctx, "String", 1), self.expr(ctx, "String", 1)
        i, j = self.expr(ctx, "int", 1), self.expr(ctx, "int", 1)
        g = self.name("gl")
        forms = [
            "mixS(gmax(%s, %s));" % (s, t),
            "mixJ(gmax(%s, %s));" % (i, j),
            "mixD(gmax(%s * 1.5, (double) %s));" % (self.paren(i), self.paren(j)),
            "mixJ(glist(%s, %s, 5).get((%s) & 1));" % (i, j, i),
            "mixS(String.valueOf(gfirst(%s, %s, \"z\")));" % (s, t),
            "Object %s = gfirst(%s, %s, 2.0); mixS(%s + \"\" + %s.getClass().getSimpleName());" % (g, i, s, g, g),
            "mixJ(gapply(String::length, %s));" % s,
            "mixJ(gapply((Integer v) -> v * 3L, %s));" % i,
            "java.util.List<String> %s = glist(%s, \"b\", %s); java.util.Collections.sort(%s); mixS(%s.toString());" % (
                g, s, t, g, g),
            "mixJ(gsum(glist(%s, (long) %s, (byte) 3)));" % (i, self.paren(j)),
            "mixJ(gsum(java.util.Arrays.asList(%s, %s)) + java.util.Collections.<Integer>emptyList().size());" % (i, j),
            "java.util.List<? extends Number> %s = glist(%s, 2.5, %s); mixS(%s.get(0).getClass().getSimpleName()"
            " + %s.get(2));" % (g, i, "(long) " + self.paren(j), g, g),
        ]
        return Node(self.pick(forms))

    # ---- switch expressions with yield, inside loops ----------------------------------

    def yield_loop_stmt(self, ctx):
        if self.level < 14:
            return None
        i, acc, r, j, t, t2 = (self.name(x) for x in ("i", "acc", "sy", "j", "t", "t"))
        lab = self.name("lab")
        n = self.r.randint(1, 6)
        c = ctx.child()
        c.locals = ctx.locals + [Var(i, "int", final=False, assignable=False)]
        c.budget = 1
        sel = "(%s + %s) & 3" % (i, self.paren(self.expr(c, "int", 1)))
        if self.chance(0.5):
            arms = [Node("case 0:", Block([Node("yield %s * 2;" % i)]), removable=False),
                    Node("case 1:", Block([Node("if (%s) {" % self.expr(c, "boolean", 1),
                                                Block([Node("yield 5;")]), "}"),
                                           Node("int %s = %s + 1;" % (t, i)), Node("yield %s * %s;" % (t, t))]),
                         removable=False),
                    Node("case 2:", Block([Node("int %s = 0;" % t2),
                                           Node("for (int %s = 0; %s < %s; %s++) {" % (j, j, i, j), Block([
                                               Node("if (%s == 2) break;" % j),
                                               Node("if (%s == 1) continue;" % j),
                                               Node("%s += %s;" % (t2, j))]), "}"),
                                           Node("yield %s;" % t2)]), removable=False),
                    Node("default:", Block([Node("yield -1;")]), removable=False)]
        else:
            arms = [Node("case 0 -> %s * 2;" % i, removable=False),
                    Node("case 1 -> {", Block([Node("if (%s) yield 5;" % self.expr(c, "boolean", 1)),
                                               Node("int %s = %s + 1;" % (t, i)),
                                               Node("yield %s * %s;" % (t, t))]), "}", removable=False),
                    Node("case 2 -> {", Block([Node("int %s = 0;" % t),
                                               Node("while (%s < %s) { if (%s == 1) { %s += 3; continue; } %s += 2; }"
                                                    % (t, i, t, t, t)),
                                               Node("yield %s;" % t)]), "}", removable=False),
                    Node("default -> throw new IllegalStateException(\"d\" + %s);" % i
                         if self.chance(0.2) else "default -> -1;", removable=False)]
        loop = Node("%s: for (int %s = 0; %s < %d; %s++) {" % (lab, i, i, n, i), Block([
            Node("int %s = switch (%s) {" % (r, sel), Block(arms), "};"),
            Node("if (%s == 5) continue;" % r),
            Node("if (%s < 0 && %s > 2) break %s;" % (r, i, lab)),
            Node("%s = %s * 3 + %s;" % (acc, acc, r))]), "}")
        return Node("{", Block([Node("long %s = 0;" % acc), loop, Node("mixJ(%s);" % acc)]), "}")

    # ---- local enums, interfaces and records (16+) ------------------------------------

    def local_types_stmt(self, ctx):
        if self.level < 16:
            return None
        en, it, rc, op = self.name("Col"), self.name("Sh"), self.name("Sq"), self.name("Op")
        c, sh, v = self.name("cl"), self.name("sh"), self.name("ev")
        i = self.expr(ctx, "int", 1)
        nodes = [
            Node("enum %s {" % en, Block([Node("RED, GREEN, BLUE;"),
                                          Node("int w() { return ordinal() * 3 + name().length(); }")]), "}"),
            Node("interface %s {" % it, Block([Node("int area();"),
                                               Node("default int twice() { return area() * 2 + 1; }")]), "}"),
            Node("record %s(int s) implements %s {" % (rc, it), Block([
                Node("public int area() { return s * s; }")]), "}"),
            Node("%s %s = %s.values()[Math.floorMod(%s, 3)];" % (en, c, en, i)),
            Node("mixJ(%s.w()); mixS(%s.name()); mixJ(%s.valueOf(\"BLUE\").compareTo(%s));" % (c, c, en, c)),
            Node("%s %s = (%s) ? new %s(%s) : () -> 7;" % (it, sh, self.expr(ctx, "boolean", 1), rc,
                                                         self.expr(ctx, "int", 1))),
            Node("mixJ(%s.twice());" % sh),
        ]
        if self.chance(0.5):
            nodes.append(Node("int %s = switch (%s) {" % (v, c), Block([
                Node("case RED -> 1;"), Node("case GREEN -> %s;" % self.expr(ctx, "int", 1)),
                Node("case BLUE -> { mixJ(4); yield 3; }")]), "};", "mixJ(%s);" % v))
        else:
            nodes.append(Node("switch (%s) {" % c, Block([
                Node("case GREEN:", Block([Node("mixJ(21);")])),
                Node("case BLUE:", Block([Node("mixJ(22);"), Node("break;")])),
                Node("default:", Block([Node("mixJ(23);")]))]), "}"))
        if self.chance(0.4):
            nodes += [
                Node("enum %s {" % op, Block([
                    Node("ADD { int ap(int a, int b) { return a + b; } },"),
                    Node("MUL { int ap(int a, int b) { return a * b; } };"),
                    Node("abstract int ap(int a, int b);")]), "}"),
                Node("for (%s o : %s.values()) mixJ(o.ap(%s, %s) + o.ordinal());" % (
                    op, op, self.expr(ctx, "int", 1), self.expr(ctx, "int", 1)))]
        return Node("{", Block(nodes), "}")

    # ---- nested record patterns (21) -------------------------------------------------

    def record_value(self, ctx):
        i, j = self.expr(ctx, "int", 1), self.expr(ctx, "int", 1)
        return self.pick([
            "new Pt(%s, %s)" % (i, j),
            "new Box(new Pt(%s, %s), new Pt(%s, 1))" % (i, j, j),
            "new Box(%s, new Pt(%s, %s))" % (self.expr(ctx, "String", 1), i, j),
            "new Box(%s, null)" % self.expr(ctx, "String", 1),
            "new Box(null, new Pt(%s, 0))" % i,
            "new Box(new Box(new Pt(%s, 2), null), new Pt(3, %s))" % (i, j),
            "new Rect(new Pt(%s, %s), new Pt(%s, %s))" % (i, j, j, i),
            "new Rect(null, new Pt(%s, 0))" % i,
            "new Circ(%s)" % i,
            "Integer.valueOf(%s)" % i,
            self.expr(ctx, "String", 1),
            "null",
        ])

    def record_pattern_stmt(self, ctx):
        if self.level < 21:
            return None
        o, res = self.name("ob"), self.name("rp")
        n = self.name("n")
        x, y, a, b, s, p, q = (self.name(k) for k in ("x", "y", "a", "b", "s", "p", "q"))
        head = Node("Object %s = %s;" % (o, self.record_value(ctx)))
        shape = self.r.randint(0, 3)
        if shape == 0:
            arms = [
                "case null -> \"null\";",
                "case Pt(int %s, int %s) when %s > %s -> \"pt>\" + (%s - %s);" % (x, y, x, y, x, y),
                "case Pt(var %s, var %s) -> \"pt\" + %s + %s;" % (x, y, x, y),
                "case Box(Pt(int %s, int %s), Pt %s) -> \"bpp\" + (%s * 7 + %s) + %s;" % (x, y, p, x, y, p),
                "case Box(String %s, Pt(var %s, var %s)) when %s.length() > 1 -> \"bs\" + %s + %s;" % (s, x, y, s, s, x),
                "case Box(Box(Pt %s, var %s), Pt %s) -> \"bb\" + %s + %s + %s;" % (p, a, q, p, a, q),
                "case Box(Object %s, Pt %s) -> \"box\" + %s + \"/\" + %s;" % (a, p, a, p),
                "case Rect(Pt(var %s, var %s), Pt %s) -> \"r\" + (%s - %s) + %s;" % (x, y, p, x, y, p),
                "case Circ %s when %s.r() > 2 -> \"big\" + %s.r();" % (a, a, a),
                "case Integer %s when %s > 10 -> \"int>\" + %s;" % (n, n, n),
                "case Integer %s -> \"int\" + %s;" % (n, n),
                "case String %s -> \"s\" + %s.length();" % (s, s),
                "default -> \"other\" + %s;" % o,
            ]
            return Node("{", Block([head, Node("String %s = switch (%s) {" % (res, o),
                                               Block([Node(t, removable=False) for t in arms]), "};"),
                                    Node("mixS(%s);" % res)]), "}")
        if shape == 1:
            # a sealed hierarchy: exhaustive without default, null throws
            sv = self.name("sh")
            val = self.pick(["new Circ(%s)" % self.expr(ctx, "int", 1),
                             "new Rect(new Pt(%s, 1), null)" % self.expr(ctx, "int", 1),
                             "new Rect(new Pt(1, 2), new Pt(%s, 4))" % self.expr(ctx, "int", 1), "null"])
            return Node("try {", Block([
                Node("Shp %s = %s;" % (sv, val)),
                Node("long %s = switch (%s) {" % (res, sv), Block([
                    Node("case Circ(int %s) when %s < 0 -> -%s;" % (a, a, a), removable=False),
                    Node("case Circ(int %s) -> %s * 2L;" % (a, a), removable=False),
                    Node("case Rect(Pt(int %s, int %s), Pt(int %s, int %s)) -> %s + %s * 10L + %s * 100L + %s;"
                         % (x, y, a, b, x, y, a, b), removable=False),
                    Node("case Rect(Pt %s, Pt %s) -> %s == null ? 5L : 6L;" % (p, q, q), removable=False)]), "};"),
                Node("mixJ(%s);" % res)]), "} catch (NullPointerException %s) {" % self.name("npe"),
                Block([Node("mixJ(79);")]), "}")
        if shape == 2:
            # a statement switch with colon cases, inside a loop that continues
            i = self.name("i")
            return Node("for (int %s = 0; %s < 3; %s++) {" % (i, i, i), Block([
                Node("Object %s = %s == 0 ? %s : %s == 1 ? %s : %s;" % (
                    o, i, self.record_value(ctx), i, self.record_value(ctx), self.record_value(ctx))),
                Node("switch (%s) {" % o, Block([
                    Node("case Box(Pt(var %s, var %s), var %s) when %s == %s:" % (x, y, p, x, y),
                         Block([Node("mixJ(%s);" % x), Node("continue;")]), removable=False),
                    Node("case Box(var %s, var %s):" % (a, p), Block([Node("mixS(\"\" + %s + %s);" % (a, p)),
                                                                       Node("break;")]), removable=False),
                    Node("case Pt(int %s, int %s):" % (x, y), Block([Node("mixJ(%s - %s);" % (x, y)),
                                                                      Node("break;")]), removable=False),
                    Node("case null, default:", Block([Node("mixJ(%s);" % i)]), removable=False)]), "}"),
                Node("mixJ(%s * 100);" % i)]), "}")
        # instanceof with nested record patterns in && chains
        return Node("{", Block([
            head,
            Node("if (%s instanceof Box(Pt(int %s, int %s), var %s) && %s <= %s) {" % (o, x, y, p, x, y),
                 Block([Node("mixJ(%s * 3 + %s);" % (x, y)), Node("mixS(String.valueOf(%s));" % p)]),
                 "} else if (!(%s instanceof Rect(var %s, Pt(var %s, var %s)))) {" % (o, a, x, y),
                 Block([Node("mixS(String.valueOf(%s));" % o)]), "} else {",
                 Block([Node("mixJ(%s + %s); mixS(String.valueOf(%s));" % (x, y, a))]), "}")]), "}")
