// Integer arithmetic: division and remainder signs, overflow, negation.
public class IntArithmetic {
    static int gcd(int a, int b) {
        while (b != 0) {
            int t = a % b;
            a = b;
            b = t;
        }
        return a;
    }

    static int digitSum(int n) {
        int sum = 0;
        n = Math.abs(n);
        while (n > 0) {
            sum += n % 10;
            n /= 10;
        }
        return sum;
    }

    static int mix(int a, int b, int c) {
        return a * b - c / (b == 0 ? 1 : b) + (a % 7) * -c;
    }

    public static void main(String[] args) {
        int[] values = { 17, -17, 5, -5, 0, 1, Integer.MAX_VALUE, Integer.MIN_VALUE };
        for (int i = 0; i < values.length; i++) {
            int v = values[i];
            System.out.println(v + " / 5 = " + (v / 5) + ", % 5 = " + (v % 5)
                    + ", neg = " + (-v) + ", twice = " + (v * 2));
        }
        System.out.println("gcd " + gcd(1071, 462) + " " + gcd(17, 5) + " " + gcd(0, 9));
        System.out.println("digits " + digitSum(98765) + " " + digitSum(-4321));
        System.out.println("mix " + mix(3, 4, 5) + " " + mix(-8, 0, 11) + " " + mix(100, -3, 7));
        int overflow = Integer.MAX_VALUE;
        overflow++;
        System.out.println("overflow " + overflow + " " + (Integer.MIN_VALUE - 1));
        System.out.println("min/-1 " + (Integer.MIN_VALUE / -1) + " " + (Integer.MIN_VALUE % -1));
        int x = 7;
        int y = -x + +x - ~x;
        System.out.println("unary " + y + " " + ~0 + " " + -(-x));
        int total = 0;
        for (int i = 1; i <= 10; i++) {
            total = total * 3 + i - (total >> 2);
        }
        System.out.println("total " + total);
        System.out.println("abs " + Math.abs(Integer.MIN_VALUE) + " max " + Math.max(-3, -9));
    }
}
