// Operator precedence and associativity: each line checks that grouping
// survives, including cases where parentheses change the result.
public class Precedence {
    static int f(int x) {
        return x * 2;
    }

    public static void main(String[] args) {
        int a = 7, b = 3, c = 2;
        System.out.println(a - b - c);
        System.out.println(a - (b - c));
        System.out.println(a / b / c + " " + a / (b / c));
        System.out.println(a * b % c + " " + a * (b % c));
        System.out.println(a + b * c + " " + (a + b) * c);
        System.out.println((a << b) + c + " " + (a << b + c));
        System.out.println((a & b) == 3);
        System.out.println((a | b) ^ c);
        System.out.println(a | b ^ c);
        System.out.println(a & b | c & a);
        System.out.println(-a % b + " " + -(a % b) + " " + ~a * b + " " + ~(a * b));
        boolean p = true, q = false, r = true;
        System.out.println(p || q && r);
        System.out.println((p || q) && !r);
        System.out.println(!(p && q) || r && !p);
        System.out.println(p ^ q == r);
        System.out.println((p ^ q) == r);
        System.out.println(a > b == b > c);
        int x = 1;
        int y = x = 5;
        int z;
        z = y += x *= 2;
        System.out.println(x + " " + y + " " + z);
        System.out.println(a - -b + " " + (a - (-b)) + " " + (a + +b));
        long m = (long) a * b << 40 >> 39;
        System.out.println(m);
        System.out.println(a + b + "s" + a + b);
        System.out.println("s" + (a + b) + (a - b));
        System.out.println(a > b ? a - b : b - a);
        System.out.println((a > b ? a : b) + 1);
        System.out.println(f(a) + f(b) * f(c) - f(a - b - c));
        double d = 1.0 / 3 * 3;
        double e = 1.0 / (3 * 3);
        System.out.println(d + " " + e);
        int k = 10;
        k -= b - c;
        System.out.println(k);
        System.out.println((a + b) / (c - 1) - (b - a) % (c + 1));
        System.out.println(a >= b && b >= c ? "desc" : a <= b && b <= c ? "asc" : "mixed");
        System.out.println((Object) "str" instanceof String && a > 0);
        int w = (a + b) * (a - b) >>> 1 & 0xFF;
        System.out.println(w);
    }
}
