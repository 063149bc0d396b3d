// Array initializers of all element types, nested initializers, empty
// arrays, and initializers holding expressions and constants.
public class ArrayInit {
    static final int[] PRIMES = { 2, 3, 5, 7, 11, 13 };
    static final String[] NAMES = { "zero", "one", null, "three" };
    static int[][] MATRIX = { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } };

    static int sum(int[] xs) {
        int s = 0;
        for (int x : xs)
            s += x;
        return s;
    }

    public static void main(String[] args) {
        System.out.println(sum(PRIMES) + " " + PRIMES.length + " " + NAMES[2] + " " + NAMES[3]);
        int trace = 0;
        for (int i = 0; i < MATRIX.length; i++)
            trace += MATRIX[i][i];
        System.out.println("trace " + trace);
        boolean[] bs = { true, false, true };
        byte[] bytes = { -128, 0, 127, (byte) 200 };
        short[] shorts = { -32768, 32767 };
        char[] chars = { 'a', '\n', 65, '\u00e9' };
        long[] longs = { 0L, -1L, Long.MIN_VALUE, 1L << 40 };
        float[] floats = { 0.5f, -0f, Float.NaN, 1e10f };
        double[] doubles = { Math.PI, -0.0, Double.NEGATIVE_INFINITY };
        System.out.println(bs[2] + " " + bytes[3] + " " + shorts[0] + " " + (int) chars[3] + " " + chars[2]);
        System.out.println(longs[2] + " " + longs[3] + " " + floats[1] + " " + floats[2] + " " + doubles[0] + " " + doubles[2]);
        int n = 4;
        int[] computed = { n, n * n, n + 1, sum(PRIMES), -n };
        System.out.println(sum(computed));
        int[][] jagged = { {}, { 1 }, { 2, 3 }, null };
        System.out.println(jagged[0].length + " " + jagged[2][1] + " " + (jagged[3] == null));
        Object[] mixed = { "s", Integer.valueOf(1), null, new int[] { 9 } };
        System.out.println(mixed.length + " " + ((int[]) mixed[3])[0]);
        String[] empty = {};
        int[] none = new int[0];
        System.out.println(empty.length + none.length);
        System.out.println(sum(new int[] { 10, 20, 30 }) + " " + new String[] { "a", "b" }[1]);
        char[][] rows = { "abc".toCharArray(), { 'x', 'y' } };
        System.out.println(new String(rows[0]) + new String(rows[1]));
        int[] big = new int[20];
        big[19] = 1;
        int[] copy = big.clone();
        copy[19]++;
        System.out.println(big[19] + " " + copy[19] + " " + java.util.Arrays.toString(new int[] { 3, 1, 2 }));
    }
}
