// Boolean locals whose only sign of being boolean, without debug names, is
// how they are used: or-ed with a comparison into another local that meets a
// boolean, compound-assigned with a boolean, or captured by a lambda.
import java.util.function.LongSupplier;

public class BooleanLocalsByUse {
    static boolean flag = true;
    static byte small = -3;
    static boolean sink;
    static long total;

    static void chained(int p) {
        boolean a = flag != (p > 2);
        a |= small < p && p != 7;
        sink &= !(a != a) == (flag != a);
    }

    static void viaBinary(int p) {
        boolean a = !flag;
        boolean b = a | (p > small);
        sink ^= b == flag;
    }

    static void compound(int p) {
        boolean z = p > 1;
        int m = 0;
        do {
            m++;
            z |= flag;
            z &= p != m;
            z ^= small > m;
        } while (m < 3);
        sink = sink != z;
    }

    static long captured(int p) {
        boolean z = !(Long.MAX_VALUE < p / -98.0);
        long w = p * 3L;
        LongSupplier s = () -> z ? w : -1L;
        return s.getAsLong();
    }

    public static void main(String[] args) {
        for (int p = -2; p < 9; p++) {
            chained(p);
            viaBinary(p);
            compound(p);
            total = total * 31 + captured(p) + (sink ? 1 : 0);
        }
        System.out.println(total + " " + sink);
    }
}
