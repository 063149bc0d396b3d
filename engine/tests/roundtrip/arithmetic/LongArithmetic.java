// Long arithmetic, mixed int/long promotion and 64-bit shifts.
public class LongArithmetic {
    static long factorial(int n) {
        long r = 1L;
        for (int i = 2; i <= n; i++) {
            r *= i;
        }
        return r;
    }

    static long fib(int n) {
        long a = 0, b = 1;
        for (int i = 0; i < n; i++) {
            long t = a + b;
            a = b;
            b = t;
        }
        return a;
    }

    static long hash(String s) {
        long h = 1125899906842597L;
        for (int i = 0; i < s.length(); i++) {
            h = 31 * h + s.charAt(i);
        }
        return h;
    }

    public static void main(String[] args) {
        for (int n = 0; n <= 20; n += 5) {
            System.out.println(n + "! = " + factorial(n) + ", fib = " + fib(n * 3));
        }
        System.out.println("21! wraps to " + factorial(21));
        int i = 1 << 20;
        long promoted = i * (long) i;
        long wrapped = i * i;
        System.out.println("promoted " + promoted + " wrapped " + wrapped);
        long big = 0x7fffffffffffffffL;
        System.out.println("big " + big + " big+1 " + (big + 1) + " -big " + (-big));
        System.out.println("shifts " + (1L << 40) + " " + (big >> 60) + " " + (-1L >>> 33) + " " + (5L << 65));
        long m = -1234567890123L;
        System.out.println("div " + (m / 1000) + " rem " + (m % 1000) + " mask " + (m & 0xFFFFL));
        System.out.println("hash " + hash("zefra") + " " + hash(""));
        long acc = 3;
        acc <<= 10;
        acc |= 0x5;
        acc ^= -1L;
        acc >>>= 3;
        System.out.println("acc " + acc);
        int narrowed = (int) (big - 5);
        System.out.println("narrowed " + narrowed + " " + (int) 4294967296L + " " + (short) 70000L);
        System.out.println("longs " + Long.MIN_VALUE + " " + Long.MAX_VALUE + " " + Long.numberOfTrailingZeros(1L << 37));
    }
}
