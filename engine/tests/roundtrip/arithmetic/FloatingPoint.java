// float and double arithmetic: rounding, infinities, NaN and signed zero.
public class FloatingPoint {
    static double mean(double[] xs) {
        double s = 0.0;
        for (int i = 0; i < xs.length; i++) {
            s += xs[i];
        }
        return xs.length == 0 ? Double.NaN : s / xs.length;
    }

    static float lerp(float a, float b, float t) {
        return a + (b - a) * t;
    }

    public static void main(String[] args) {
        double[] data = { 1.5, 2.25, -0.75, 10.0, 3.0e-3 };
        System.out.println("mean " + mean(data) + " empty " + mean(new double[0]));
        System.out.println("lerp " + lerp(0f, 10f, 0.25f) + " " + lerp(-1.5f, 1.5f, 0.5f));
        double zero = 0.0;
        double negZero = -zero;
        System.out.println("zeros " + zero + " " + negZero + " " + (1 / negZero) + " " + (zero == negZero));
        double inf = 1.0 / zero;
        System.out.println("inf " + inf + " " + (-inf) + " " + (inf - inf) + " " + (inf * 0));
        float f = 0.1f;
        double d = 0.1;
        System.out.println("f " + (f * 3) + " d " + (d * 3) + " widened " + (double) f);
        System.out.println("mod " + (7.5 % 2) + " " + (-7.5 % 2) + " " + (7.5f % -2f));
        float tiny = Float.MIN_VALUE;
        System.out.println("tiny " + tiny + " half " + (tiny / 2) + " max " + Float.MAX_VALUE * 2);
        double sum = 0;
        for (int i = 0; i < 10; i++) {
            sum += 0.1;
        }
        System.out.println("sum " + sum + " " + (sum == 1.0) + " " + Math.abs(sum - 1.0));
        double r = Math.sqrt(2.0);
        r *= r;
        r -= 2;
        System.out.println("r " + r + " floor " + Math.floor(-2.5) + " ceil " + Math.ceil(-2.5) + " round " + Math.round(-2.5));
        float acc = 1f;
        acc /= 3;
        acc += 1e-8f;
        System.out.println("acc " + acc + " " + (acc * 3 == 1f));
        System.out.println("exp " + 1e300 * 1e10 + " " + 1e-320 + " " + (float) 1e-50);
    }
}
