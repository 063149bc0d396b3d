// Expressions mixing int, long, float and double with implicit widening,
// where the place of a cast decides the result.
public class MixedTypes {
    static double average(int[] xs) {
        long sum = 0;
        for (int x : xs)
            sum += x;
        return (double) sum / xs.length;
    }

    static int truncatedAverage(int[] xs) {
        int sum = 0;
        for (int x : xs)
            sum += x;
        return sum / xs.length;
    }

    static float scale(int value, float factor) {
        return value * factor;
    }

    static long area(int w, int h) {
        return (long) w * h;
    }

    static long wrongArea(int w, int h) {
        return w * h;
    }

    public static void main(String[] args) {
        int[] xs = { 1, 2, 4 };
        System.out.println(average(xs) + " " + truncatedAverage(xs));
        System.out.println(scale(3, 0.5f) + " " + scale(Integer.MAX_VALUE, 1f));
        System.out.println(area(100000, 100000) + " " + wrongArea(100000, 100000));
        int i = 7;
        long l = 3;
        float f = 2.5f;
        double d = 0.125;
        System.out.println(i / 2 + l / 2 + f / 2 + d / 2);
        System.out.println(i / 2 * f + " " + i * f / 2 + " " + (double) (i / 2) + " " + (double) i / 2);
        System.out.println(l * i + f + " " + (l + i) * d + " " + (i + l + f + d));
        System.out.println((int) (f * i) + " " + (int) f * i + " " + (long) (d * 1e10) + " " + (float) d * i);
        char c = 'A';
        short s = 2;
        byte b = -1;
        System.out.println(c + s + b + " " + (c * s) + " " + (c + 0.5) + " " + (b & 0xFF) + " " + (s << c));
        long big = Long.MAX_VALUE;
        float fb = big;
        double db = big;
        System.out.println(fb + " " + db + " " + (big - (long) db) + " " + (long) fb);
        int x = 1 << 30;
        System.out.println(x * 4 + " " + x * 4L + " " + x * 4.0 + " " + (x + x + x + x) / 4 + " " + ((long) x + x + x + x) / 4);
        double third = 1 / 3 + 1 / 3.0 + 1f / 3;
        System.out.println(third);
        int m = 17;
        m *= 1.5;
        m += 0.99;
        long ml = 10;
        ml /= 0.3;
        System.out.println(m + " " + ml);
    }
}
