// long, float and double comparisons, including NaN, where a negated
// condition is not the opposite comparison.
public class NumericCompare {
    static String cmpD(double a, double b) {
        String r = "";
        if (a < b) r += "<";
        if (a <= b) r += "<=";
        if (a > b) r += ">";
        if (a >= b) r += ">=";
        if (a == b) r += "==";
        if (a != b) r += "!=";
        if (!(a < b)) r += "!<";
        if (!(a > b)) r += "!>";
        if (!(a >= b)) r += "!>=";
        if (!(a <= b)) r += "!<=";
        return r;
    }

    static String cmpF(float a, float b) {
        StringBuilder sb = new StringBuilder();
        sb.append(a < b ? 'l' : '-');
        sb.append(a > b ? 'g' : '-');
        sb.append(!(a <= b) ? 'G' : '-');
        sb.append(!(a >= b) ? 'L' : '-');
        sb.append(a == b ? 'e' : '-');
        return sb.toString();
    }

    static int cmpL(long a, long b) {
        if (a < b) return -1;
        if (a > b) return 1;
        return 0;
    }

    static boolean loopUntil(double limit) {
        double x = 0;
        int steps = 0;
        while (!(x >= limit)) {
            x += 1;
            if (++steps > 5) return false;
        }
        return true;
    }

    public static void main(String[] args) {
        double nan = Double.NaN;
        System.out.println(cmpD(1, 2));
        System.out.println(cmpD(2, 2));
        System.out.println(cmpD(nan, 1));
        System.out.println(cmpD(1, nan));
        System.out.println(cmpD(-0.0, 0.0));
        float fn = Float.NaN;
        System.out.println(cmpF(1f, 2f) + " " + cmpF(fn, 0f) + " " + cmpF(0f, fn) + " " + cmpF(3f, 3f));
        System.out.println(cmpL(Long.MIN_VALUE, Long.MAX_VALUE) + " " + cmpL(5L, 5L) + " " + cmpL(1L << 40, 1L << 39));
        System.out.println(loopUntil(3.0) + " " + loopUntil(nan));
        boolean same = nan == nan;
        boolean diff = nan != nan;
        System.out.println(same + " " + diff + " " + Double.isNaN(nan) + " " + (Double.compare(nan, nan) == 0));
        long a = 3000000000L, b = -3000000000L;
        System.out.println((a > b) + " " + (a < b) + " " + (a >= 3000000000L) + " " + (b <= a && a != b));
        double d = 1e-300;
        float f = (float) d;
        System.out.println((f == 0) + " " + (d > 0) + " " + (f <= 0f));
        int count = 0;
        double[] ds = { 0.5, nan, -1, 2, nan };
        for (double x : ds) {
            if (x > 0 || x < 0) count++;
            if (!(x == x)) count += 10;
        }
        System.out.println("count " + count);
    }
}
