// && and || in conditions and as values; side effects show evaluation order.
public class ShortCircuit {
    static int calls;

    static boolean t(String tag) {
        calls++;
        System.out.print(tag);
        return true;
    }

    static boolean f(String tag) {
        calls++;
        System.out.print(tag);
        return false;
    }

    static boolean inRange(int v, int lo, int hi) {
        return v >= lo && v <= hi;
    }

    static boolean outside(int v, int lo, int hi) {
        return v < lo || v > hi;
    }

    static boolean complex(int a, int b, int c) {
        return (a > 0 && b > 0) || (c < 0 && !(a == b)) || a + b + c == 0;
    }

    public static void main(String[] args) {
        if (t("a") && f("b") && t("c")) {
            System.out.println(" yes");
        } else {
            System.out.println(" no");
        }
        if (f("a") || t("b") || t("c")) {
            System.out.println(" yes");
        }
        if (f("a") && t("b") || t("c") && f("d")) {
            System.out.println(" first");
        } else {
            System.out.println(" second");
        }
        boolean v = t("x") || f("y");
        boolean w = f("x") && t("y");
        System.out.println(" v=" + v + " w=" + w + " calls=" + calls);
        System.out.println(inRange(5, 1, 10) + " " + inRange(0, 1, 10) + " " + outside(11, 1, 10) + " " + outside(3, 1, 10));
        int[][] cases = { { 1, 2, 3 }, { -1, 2, -3 }, { -1, -1, -1 }, { 2, -5, 3 }, { 0, 0, 5 } };
        for (int i = 0; i < cases.length; i++) {
            int[] c = cases[i];
            System.out.print(complex(c[0], c[1], c[2]) ? 'T' : 'F');
        }
        System.out.println();
        String s = null;
        if (s == null || s.length() == 0) {
            System.out.println("empty");
        }
        s = "abc";
        if (s != null && s.length() > 2 && s.charAt(2) == 'c') {
            System.out.println("ends with c");
        }
        int n = 0;
        while (n < 10 && (n % 4 != 3 || n < 5)) {
            n++;
        }
        System.out.println("n=" + n);
        boolean a = n > 5, b = n < 20;
        boolean x = a & b | !a ^ b;
        boolean y = !(a || b) == (!a && !b);
        System.out.println("x=" + x + " y=" + y);
        boolean flag = false;
        flag |= n == 7;
        flag &= !flag || a;
        System.out.println("flag=" + flag);
    }
}
