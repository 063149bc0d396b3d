// Numeric literals at the edges: MIN/MAX values, NaN, infinities, -0.0,
// large longs, hex and octal forms, constants folded by javac and not.
public class NumericEdges {
    static final int IMIN = Integer.MIN_VALUE;
    static final long LMIN = Long.MIN_VALUE;
    static final float FNAN = Float.NaN;
    static final double NEG_ZERO = -0.0;
    static int imax = Integer.MAX_VALUE;
    static long lmax = Long.MAX_VALUE;
    static double dmin = Double.MIN_VALUE;
    static float fmax = Float.MAX_VALUE;

    static int passInt(int v) { return v; }
    static long passLong(long v) { return v; }
    static double passDouble(double v) { return v; }
    static float passFloat(float v) { return v; }

    public static void main(String[] args) {
        System.out.println(IMIN + " " + passInt(-2147483648) + " " + imax + " " + passInt(0x80000000));
        System.out.println(LMIN + " " + passLong(-9223372036854775808L) + " " + lmax + " " + passLong(0x8000000000000000L));
        System.out.println(FNAN + " " + passFloat(Float.NaN) + " " + Float.POSITIVE_INFINITY + " " + passFloat(-1f / 0f));
        System.out.println(NEG_ZERO + " " + passDouble(-0.0) + " " + (1 / passDouble(-0.0)) + " " + passFloat(-0.0f));
        System.out.println(dmin + " " + passDouble(4.9E-324) + " " + fmax + " " + passFloat(1.4E-45f));
        System.out.println(passDouble(Double.MAX_VALUE) + " " + passDouble(Double.MIN_NORMAL) + " " + passFloat(Float.MIN_NORMAL));
        System.out.println(passLong(4294967296L) + " " + passLong(-1L) + " " + passLong(1234567890123456789L) + " " + passLong(2147483648L));
        System.out.println(passInt(0777) + " " + passInt(0xCAFEBABE) + " " + passInt(-0x7fffffff) + " " + passInt(1_000_000));
        System.out.println(passLong(0x7fffffffffffffffL) + " " + passLong(0777777777777777777777L) + " " + passLong(-0xffffffffL));
        System.out.println(passDouble(0.1) + " " + passDouble(1e-7) + " " + passDouble(1e21) + " " + passDouble(123456789.125));
        System.out.println(passFloat(0.1f) + " " + passFloat(3.4028235e38f) + " " + passFloat(1e-7f) + " " + passFloat(16777216f));
        System.out.println(passDouble(0.30000000000000004) + " " + passDouble(2.2250738585072014E-308) + " " + passDouble(Math.E));
        System.out.println(passDouble(Double.NaN) + " " + passDouble(Double.NEGATIVE_INFINITY) + " " + passDouble(1.0 / 0));
        System.out.println(passFloat((float) 0.1) + " " + passDouble(0.1f) + " " + passDouble(100) + " " + passFloat(7));
        System.out.println(passInt(-1) + " " + passInt(-128) + " " + passInt(-32768) + " " + passInt(65535) + " " + passInt(5) + " " + passInt(-6));
        long wide = 2147483647 + 1;
        long wideL = 2147483647L + 1;
        System.out.println(wide + " " + wideL);
        double nanSum = FNAN + 1;
        System.out.println(nanSum + " " + (NEG_ZERO == 0.0) + " " + Double.compare(NEG_ZERO, 0.0) + " " + Float.floatToIntBits(-0.0f));
        System.out.println(Double.doubleToLongBits(passDouble(Double.longBitsToDouble(0x7ff8000000000001L)) * 0) == 0x7ff8000000000000L);
        float[] fs = { 1.17549435E-38f, 3.0e-44f, 8.5e37f };
        System.out.println(fs[0] + " " + fs[1] + " " + fs[2]);
    }
}
