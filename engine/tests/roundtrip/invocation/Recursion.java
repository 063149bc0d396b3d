// Recursive static and instance methods, mutual recursion, and recursion
// with accumulators passed along.
public class Recursion {
    private final int base;

    Recursion(int base) {
        this.base = base;
    }

    static long ackermann(long m, long n) {
        if (m == 0)
            return n + 1;
        if (n == 0)
            return ackermann(m - 1, 1);
        return ackermann(m - 1, ackermann(m, n - 1));
    }

    static boolean isEven(int n) {
        return n == 0 ? true : isOdd(n - 1);
    }

    static boolean isOdd(int n) {
        return n == 0 ? false : isEven(n - 1);
    }

    String toBase(int n) {
        if (n < base)
            return Character.toString("0123456789abcdef".charAt(n));
        return toBase(n / base) + toBase(n % base);
    }

    static void hanoi(int n, char from, char to, char via, StringBuilder out) {
        if (n == 0)
            return;
        hanoi(n - 1, from, via, to, out);
        out.append(from).append(to).append(' ');
        hanoi(n - 1, via, to, from, out);
    }

    static int sum(int[] xs, int i, int acc) {
        return i == xs.length ? acc : sum(xs, i + 1, acc + xs[i]);
    }

    static void permute(String prefix, String rest, StringBuilder out) {
        if (rest.isEmpty()) {
            out.append(prefix).append(',');
            return;
        }
        for (int i = 0; i < rest.length(); i++)
            permute(prefix + rest.charAt(i), rest.substring(0, i) + rest.substring(i + 1), out);
    }

    public static void main(String[] args) {
        System.out.println(ackermann(2, 3) + " " + ackermann(3, 3));
        System.out.println(isEven(10) + " " + isOdd(7) + " " + isEven(7));
        System.out.println(new Recursion(2).toBase(37) + " " + new Recursion(16).toBase(48879) + " " + new Recursion(10).toBase(0));
        StringBuilder sb = new StringBuilder();
        hanoi(3, 'A', 'C', 'B', sb);
        System.out.println(sb.toString().trim());
        System.out.println(sum(new int[] { 1, 2, 3, 4, 5 }, 0, 0));
        StringBuilder perms = new StringBuilder();
        permute("", "abc", perms);
        System.out.println(perms);
    }
}
