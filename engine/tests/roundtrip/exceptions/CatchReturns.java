// Returns and assignments that depend on which path of a try was taken,
// loops inside try, try inside loops with break and continue.
public class CatchReturns {
    static int firstBad(String[] xs) {
        for (int i = 0; i < xs.length; i++) {
            try {
                Integer.parseInt(xs[i]);
            } catch (NumberFormatException e) {
                return i;
            }
        }
        return -1;
    }

    static int sumUntilBad(String[] xs) {
        int sum = 0;
        try {
            for (String x : xs) {
                sum += Integer.parseInt(x);
            }
        } catch (NumberFormatException e) {
            sum = -sum;
        }
        return sum;
    }

    static int loopWithExits(int[] data) {
        int acc = 0;
        for (int i = 0; i < data.length; i++) {
            try {
                if (data[i] == 0)
                    continue;
                if (data[i] < 0)
                    break;
                acc += 100 / data[i];
            } catch (ArithmeticException e) {
                acc = -1000;
            }
        }
        return acc;
    }

    static String lookup(String[] table, int i) {
        String value;
        try {
            value = table[i];
        } catch (ArrayIndexOutOfBoundsException e) {
            value = "<none>";
        }
        return value == null ? "<null>" : value;
    }

    public static void main(String[] args) {
        String[] a = { "1", "2", "x", "4" };
        String[] b = { "10", "20" };
        System.out.println(firstBad(a) + " " + firstBad(b));
        System.out.println(sumUntilBad(a) + " " + sumUntilBad(b));
        System.out.println(loopWithExits(new int[] { 5, 0, 20, -1, 50 }) + " " + loopWithExits(new int[] { 1, 2, 3 }));
        String[] table = { "zero", null, "two" };
        for (int i = -1; i < 4; i++) {
            System.out.print(lookup(table, i) + " ");
        }
        System.out.println();
    }
}
