// release: 21
// dialect: modern
// Record patterns in switches: flat and nested, with guards, beside type
// patterns, default and case null, in statements and expressions, over a
// sealed hierarchy without default, and an accessor that throws.
public class RecordSwitches {
    record Point(int x, int y) {}
    record Line(Point a, Point b) {}
    record Box(Object content) {}
    record Pair<A, B>(A first, B second) {}
    sealed interface Shape permits Circle, Square, Rect {}
    record Circle(double r) implements Shape {}
    record Square(int side) implements Shape {}
    record Rect(int w, int h) implements Shape {}
    record Risky(int v) {
        public int v() {
            if (v < 0) throw new IllegalStateException("negative " + v);
            return v;
        }
    }

    static String point(Object o) {
        return switch (o) {
            case Point(int x, int y) when x == y -> "diagonal " + x;
            case Point(int x, int y) -> "point " + x + "," + y;
            case null -> "null";
            default -> "other";
        };
    }

    static String line(Object o) {
        return switch (o) {
            case Line(Point(var a, var b), Point p) when a > 0 -> "line " + a + b + " to " + p;
            case Line l -> "plain line " + l.a().x();
            case String s -> "string " + s;
            default -> "other";
        };
    }

    static String lines(Object o) {
        return switch (o) {
            case Line(Point(var a, var b), Point q) when a > 5 -> "n" + a + b + q;
            case Line(Point p, Point(int c, int d)) -> "m" + p + c + d;
            case Line(Point p, Point q) -> "k";
            default -> "o";
        };
    }

    static int area(Shape s) {
        return switch (s) {
            case Circle(double r) -> (int) (r * r * 3);
            case Square(int side) -> side * side;
            case Rect(int w, int h) when w == 0 -> -1;
            case Rect(int w, int h) -> w * h;
        };
    }

    static String box(Box b) {
        switch (b) {
            case Box(String s):
                return "string box " + s.length();
            case Box(Integer i) when i > 10:
                return "big int box";
            case Box(Integer i):
                return "int box " + i;
            case Box(var other):
                return "box of " + other;
        }
    }

    static void statement(Object o, StringBuilder sb) {
        switch (o) {
            case Point(int x, int y):
                sb.append("p").append(x + y);
                break;
            case Pair(String k, Integer v):
                sb.append(k).append('=').append(v);
                break;
            case Pair(var k, var v):
                sb.append("pair");
                break;
            default:
                sb.append("d");
        }
        sb.append(';');
    }

    static int risky(Object o) {
        try {
            return switch (o) {
                case Risky(int v) when v > 100 -> 1;
                case Risky(int v) -> v * 2;
                default -> 0;
            };
        } catch (MatchException e) {
            System.out.println("match failed: " + e.getCause().getMessage());
            return -100;
        }
    }

    static int yielding(Object o) {
        int r = switch (o) {
            case Point(int x, int y) -> {
                int s = x * y;
                if (s > 10) yield s;
                yield -s;
            }
            case Line(Point a, Point(int x, int y)) -> {
                yield a.x() + x + y;
            }
            default -> 0;
        };
        return r + 1;
    }

    public static void main(String[] args) {
        Object[] xs = {new Point(2, 2), new Point(1, 3), null, "s",
            new Line(new Point(1, 2), new Point(3, 4)), new Line(new Point(-1, 2), new Point(3, 4)),
            new Pair<>("k", 4), new Pair<>(1, 2), new Risky(7)};
        for (Object x : xs) System.out.println(point(x) + " | " + (x == null ? "" : line(x)));
        System.out.println(lines(new Line(new Point(7, 1), new Point(2, 3))) + lines(new Line(new Point(1, 1), new Point(2, 3)))
            + lines(new Line(null, null)) + lines(new Line(new Point(1, 1), null)) + lines(1));
        Shape[] shapes = {new Circle(2), new Square(3), new Rect(0, 5), new Rect(2, 5)};
        for (Shape s : shapes) System.out.print(area(s) + " ");
        System.out.println();
        for (Box b : new Box[] {new Box("abc"), new Box(50), new Box(5), new Box(2.5)}) System.out.println(box(b));
        StringBuilder sb = new StringBuilder();
        for (Object x : xs) if (x != null) statement(x, sb);
        System.out.println(sb);
        System.out.println(risky(new Risky(21)) + " " + risky(new Risky(500)) + " " + risky(new Risky(-1)) + " " + risky("r"));
        for (Object x : xs) if (x != null) System.out.print(yielding(x) + " ");
        System.out.println();
    }
}
