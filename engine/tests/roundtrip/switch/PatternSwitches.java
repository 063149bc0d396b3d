// release: 21
// dialect: modern
// Pattern switches: type patterns with guards in both of javac's shapes,
// case null alone and with default, arrays and raw generic types, sealed
// selectors, String constants beside patterns, enum constants with case null,
// and the last unconditional pattern javac turns into the default.
import java.util.*;
public class PatternSwitches {
    sealed interface Shape permits Circle, Square, Tri {}
    record Circle(int r) implements Shape {}
    record Square(int s) implements Shape {}
    static final class Tri implements Shape { public String toString() { return "tri"; } }
    enum E { A, B, C }
    static String f(Object o) {
        return switch (o) {
            case null -> "null";
            case String s when s.length() > 3 -> "long " + s;
            case String s -> "str " + s;
            case Integer i when i > 10 && i < 100 -> "mid " + i;
            case Integer i -> "int " + (i + 1);
            case int[] arr -> "ints " + arr.length;
            case List<?> l -> "list " + l.size();
            default -> "other " + o;
        };
    }
    static int h(Shape s) {
        return switch (s) { case Circle c -> c.r(); case Square q -> q.s() * 2; case Tri t -> 7; };
    }
    static String stmt(Object o) {
        StringBuilder sb = new StringBuilder();
        switch (o) {
            case String s when s.isEmpty():
                sb.append("empty");
                break;
            case String s:
                sb.append(s);
                sb.append('!');
                break;
            case Long l:
                for (int i = 0; i < 3; i++) { if (i == l) break; sb.append(i); }
                break;
            case null, default:
                sb.append("nd");
        }
        return sb.toString();
    }
    static String strs(String s) {
        return switch (s) {
            case "a" -> "A";
            case String t when t.startsWith("b") -> "B" + t;
            case String t -> t;
        };
    }
    static String en(E e) {
        return switch (e) {
            case null -> "null";
            case A -> "a";
            case B, C -> "bc";
        };
    }
    public static void main(String[] a) {
        Object[] xs = {null, "ab", "abcd", 5, 50, new int[3], List.of(1, 2), 2.5, "", 1L, 7L};
        for (Object x : xs) System.out.println(f(x) + " " + stmt(x));
        Shape[] ss = {new Circle(2), new Square(3), new Tri()};
        for (Shape s : ss) System.out.println(h(s));
        for (String s : new String[] {"a", "bx", "c"}) System.out.println(strs(s));
        System.out.println(en(null) + en(E.A) + en(E.C));
    }
}
