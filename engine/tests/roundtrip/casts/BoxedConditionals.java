// Conditionals between objects of two box classes: the bytecode picks one
// object, but the same text in source unboxes both and promotes them
// (Character and Long give a long), and a null then throws. Each value's
// class is printed, so a promotion shows.
import java.util.ArrayList;
import java.util.List;

public class BoxedConditionals {
    static List<Integer> ints = new ArrayList<>();
    static Long nothing = null;

    static String show(Object o) {
        return o == null ? "null" : o + ":" + o.getClass().getSimpleName();
    }

    static Object charOrLong(boolean c, int i) {
        return c ? (Object) 'c' : (Object) (long) i;
    }

    static Object nested(int p) {
        return p > 3 ? (Object) p : p > 1 ? (Object) 2.5f : (Object) (short) p;
    }

    static Number number(boolean c, int i) {
        Number n = c ? (Number) Integer.valueOf(i) : (Number) Double.valueOf(i);
        return n;
    }

    static Object boxes(boolean c, Integer a, Long b) {
        return c ? (Object) a : b;
    }

    // The element's type is inferred in the source, erased in the bytecode.
    static Object element(boolean c) {
        return c ? ints.get(0) : (Object) nothing;
    }

    static Object flag(boolean c, Boolean b, Integer i) {
        return c ? (Object) b : i;
    }

    // Same box class, or a primitive context: these do convert, and must stay so.
    static Object same(boolean c, Integer a, Integer b) {
        return c ? a : b;
    }

    static long widened(boolean c, Integer a, Long b) {
        return c ? a : b;
    }

    public static void main(String[] args) {
        ints.add(7);
        StringBuilder sb = new StringBuilder();
        for (int p = 0; p < 5; p++) {
            sb.append(show(charOrLong(p % 2 == 0, p))).append(' ');
            sb.append(show(nested(p))).append(' ');
            sb.append(show(number(p > 2, p))).append(' ');
            sb.append(show(boxes(p > 1, p, null))).append(' ');
            sb.append(show(element(p > 2))).append(' ');
            sb.append(show(flag(p > 2, p == 4, null))).append(' ');
            sb.append(show(same(p > 2, null, p))).append(' ');
            sb.append(widened(p > 2, p, (long) -p)).append('\n');
        }
        System.out.print(sb);
    }
}
