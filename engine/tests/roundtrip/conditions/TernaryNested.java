// Conditional expressions: nested, boolean-valued, mixed types, as arguments.
public class TernaryNested {
    static String sign(int v) {
        return v > 0 ? "positive" : v < 0 ? "negative" : "zero";
    }

    static int max3(int a, int b, int c) {
        return a > b ? (a > c ? a : c) : (b > c ? b : c);
    }

    static boolean implies(boolean p, boolean q) {
        return p ? q : true;
    }

    static boolean xorish(boolean p, boolean q) {
        return p ? !q : q;
    }

    static boolean odd(int v) {
        return v % 2 != 0 ? true : false;
    }

    public static void main(String[] args) {
        int[] vals = { 5, -3, 0 };
        for (int v : vals) {
            System.out.println(v + " is " + sign(v));
        }
        System.out.println(max3(1, 2, 3) + " " + max3(3, 2, 1) + " " + max3(2, 3, 1) + " " + max3(2, 2, 2));
        boolean[] bs = { true, false };
        for (boolean p : bs) {
            for (boolean q : bs) {
                System.out.print(implies(p, q) + "/" + xorish(p, q) + " ");
            }
        }
        System.out.println();
        System.out.println(odd(3) + " " + odd(4));
        int n = 7;
        long widened = n > 5 ? n : 10L;
        double mixed = n > 10 ? 1 : 2.5;
        char ch = n > 0 ? 'p' : 'n';
        Object boxed = n > 0 ? (Object) "str" : Integer.valueOf(n);
        System.out.println(widened + " " + mixed + " " + ch + " " + boxed);
        int chosen = (n & 1) == 1 ? n * 3 + 1 : n / 2;
        System.out.println("collatz " + chosen);
        StringBuilder sb = new StringBuilder();
        for (int i = 1; i <= 15; i++) {
            sb.append(i % 15 == 0 ? "FizzBuzz" : i % 5 == 0 ? "Buzz" : i % 3 == 0 ? "Fizz" : String.valueOf(i));
            sb.append(i < 15 ? "," : "");
        }
        System.out.println(sb);
        boolean a = n > 3, b = n < 5;
        boolean c = a ? b || n == 7 : b && n == 2;
        boolean d = (a ? b : !b) ? a : false;
        System.out.println(c + " " + d);
        int depth = a ? b ? 1 : 2 : b ? 3 : 4;
        System.out.println("depth " + depth);
        String label = null;
        System.out.println("label " + (label == null ? "none" : label) + " len " + (label != null ? label.length() : -1));
        int x = 4;
        x = x > 3 ? x - 3 : x + 3;
        System.out.println(Math.max(x > 0 ? x : -x, n < 0 ? -n : n));
    }
}
