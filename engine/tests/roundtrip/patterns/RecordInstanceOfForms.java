// release: 21
// Record patterns in instanceof as the modern dialect writes them again:
// flat and nested, generic, negated with an early return, in loops and
// conditional expressions, after && and ||, with primitive components, null
// components (no match for a nested record pattern, a match for a total type
// pattern) and an accessor that throws (a MatchException).
import java.util.List;

public class RecordInstanceOfForms {
    record Point(int x, int y) {}
    record Line(Point a, Point b) {}
    record Box<T>(T value) {}
    record Pair<A, B>(A first, B second) {}
    record Prims(long l, double d, char c, boolean z, byte b) {}
    record Holder(Object content) {}
    record Risky(int v) {
        public int v() {
            if (v < 0) throw new IllegalStateException("negative " + v);
            return v;
        }
    }

    static Object pick(Object[] items, int i) { return items[i]; }

    static String flat(Object o) {
        if (o instanceof Point(int x, int y)) return "p" + x + "," + y;
        return "no";
    }

    static String nested(Object o) {
        if (o instanceof Line(Point(var a, var b), Point p)) return "line " + a + "," + b + " to " + p;
        return "no line";
    }

    static String nestedBoth(Object o) {
        if (o instanceof Line(Point(int a, int b), Point(int c, int d))) return "seg " + (a + b + c + d);
        return "no seg";
    }

    static String negated(Object o) {
        if (!(o instanceof Point(int x, int y))) return "not a point";
        int sum = x + y;
        return "sum " + sum;
    }

    static String negatedOr(Object o) {
        if (!(o instanceof Point(int x, int y)) || x > y) return "rejected";
        return "kept " + (y - x);
    }

    static String guarded(Object o) {
        if (o instanceof Point(int x, int y) && x < y) return "rising " + (y - x);
        return "flat or falling";
    }

    static String guardedLater(Object o, int limit) {
        if (limit > 0 && o instanceof Point(int x, int y) && x + y < limit) return "within " + limit;
        return "outside";
    }

    static String generic(Object o) {
        if (o instanceof Box<?>(String s)) return "box of string " + s.length();
        if (o instanceof Box<?>(Integer i)) return "box of int " + (i + 1);
        if (o instanceof Box<?>(var any)) return "box of " + any;
        return "not a box";
    }

    static String pair(Object p) {
        if (p instanceof Pair<?, ?>(String a, var b) && b != null) return a + "=" + b;
        return "incomplete";
    }

    static String prims(Object o) {
        if (o instanceof Prims(long l, double d, char c, boolean z, byte b))
            return l + "/" + d + "/" + c + "/" + z + "/" + b;
        return "no prims";
    }

    static String holder(Object o) {
        if (o instanceof Holder(String s)) return "string " + s;
        if (o instanceof Holder(Object any)) return "anything " + any;
        return "no holder";
    }

    static String ternary(Object o) {
        return o instanceof Point(int x, int y) ? "pt" + (x * y) : "other";
    }

    static int loop(Object[] items) {
        int i = 0;
        while (i < items.length && items[i] instanceof Point(int x, int y) && x < 10) {
            i += y > 0 ? 1 : 2;
        }
        return i;
    }

    static int count(List<Object> items) {
        int n = 0;
        for (Object o : items) {
            if (!(o instanceof Point(int x, int y))) continue;
            if (x == 0) continue;
            n += y;
        }
        return n;
    }

    static String typed(Point p) {
        if (p instanceof Point(int x, int y)) return "typed " + (x - y);
        return "typed null";
    }

    static boolean same(Object a, Object b) {
        return a instanceof Point(int x, int y) && b instanceof Point(int u, int v) && x == u && y == v;
    }

    static int walk(Object o) {
        int n = 0;
        while (o instanceof Holder(Holder next)) {
            n++;
            o = next;
        }
        return n;
    }

    static int chain(Object o) {
        int sum = 0;
        while (o instanceof Pair<?, ?>(Integer head, var tail) && head >= 0) {
            sum += head;
            o = tail;
        }
        return sum;
    }

    static String call(Object[] items) {
        if (pick(items, 0) instanceof Point(int x, int y)) return "first " + x + y;
        return "first is no point";
    }

    static int risky(Object o) {
        try {
            if (o instanceof Risky(int v)) return v * 2;
            return 0;
        } catch (MatchException e) {
            System.out.println("match failed: " + e.getCause().getMessage());
            return -100;
        }
    }

    public static void main(String[] args) {
        System.out.println(flat(new Point(3, 4)) + " " + flat("x") + " " + flat(null));
        Point p = new Point(1, 2);
        System.out.println(nested(new Line(p, new Point(5, 6))) + " | " + nested(new Line(null, p)) + " | "
                + nested(new Line(p, null)) + " | " + nested(p));
        System.out.println(nestedBoth(new Line(p, p)) + " " + nestedBoth(new Line(p, null)) + " " + nestedBoth(null));
        System.out.println(negated(new Point(7, 8)) + " " + negated(3) + " " + negated(null));
        System.out.println(negatedOr(new Point(1, 5)) + " " + negatedOr(new Point(5, 1)) + " " + negatedOr("s"));
        System.out.println(guarded(new Point(1, 5)) + " / " + guarded(new Point(5, 1)) + " / " + guarded(null));
        System.out.println(guardedLater(p, 10) + " " + guardedLater(p, 2) + " " + guardedLater(p, 0));
        System.out.println(generic(new Box<>("abc")) + "; " + generic(new Box<>(41)) + "; " + generic(new Box<>(null))
                + "; " + generic(new Box<>(2.5)) + "; " + generic(p));
        System.out.println(pair(new Pair<>("k", 3)) + " " + pair(new Pair<>("k", null)) + " " + pair(null));
        System.out.println(prims(new Prims(1L << 40, 0.5, 'q', true, (byte) -3)) + " " + prims(p));
        System.out.println(holder(new Holder("s")) + " " + holder(new Holder(null)) + " " + holder(new Holder(4)));
        System.out.println(ternary(new Point(3, 5)) + " " + ternary(4));
        Object[] items = {new Point(0, 9), new Point(1, -2), new Point(2, 3), new Point(11, 1), "s"};
        System.out.println(loop(items) + " " + loop(new Object[] {"x"}) + " " + loop(new Object[0]));
        System.out.println(count(List.of(new Point(0, 9), new Point(1, 2), "s", new Point(2, 3))));
        System.out.println(typed(p) + " " + typed(null));
        System.out.println(same(p, new Point(1, 2)) + " " + same(p, new Point(2, 1)) + " " + same(p, null));
        System.out.println(walk(new Holder(new Holder(new Holder(null)))) + " " + walk(new Holder("end")) + " " + walk(null));
        System.out.println(chain(new Pair<>(1, new Pair<>(2, new Pair<>(-3, new Pair<>(4, null))))) + " "
                + chain(new Pair<>(5, new Pair<>(null, 1))) + " " + chain(new Pair<>(6, 7)));
        System.out.println(call(items) + " " + call(new Object[] {new Point(4, 4)}));
        System.out.println(risky(new Risky(21)) + " " + risky(new Risky(-1)) + " " + risky("r"));
    }
}
