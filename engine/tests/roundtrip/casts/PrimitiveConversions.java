// Every primitive conversion (i2b, i2c, i2s, l2i, f2i, d2l, ...) with
// values at the edges: truncation, saturation, NaN and sign extension.
public class PrimitiveConversions {
    public static void main(String[] args) {
        int[] ints = { 0, 1, -1, 127, 128, 255, 256, 32767, 32768, 65535, 65536, Integer.MAX_VALUE, Integer.MIN_VALUE };
        for (int v : ints) {
            byte b = (byte) v;
            short s = (short) v;
            char c = (char) v;
            long l = v;
            float f = v;
            double d = v;
            System.out.println(v + ": b=" + b + " s=" + s + " c=" + (int) c + " l=" + l + " f=" + f + " d=" + d);
        }
        long[] longs = { Long.MAX_VALUE, Long.MIN_VALUE, 4294967296L + 7, -4294967297L, 9007199254740993L };
        for (long v : longs) {
            System.out.println(v + ": i=" + (int) v + " f=" + (float) v + " d=" + (double) v + " s=" + (short) v
                    + " b=" + (byte) v + " c=" + (int) (char) v);
        }
        double[] doubles = { 1.9, -1.9, 1e20, -1e20, Double.NaN, Double.POSITIVE_INFINITY, 0.5, -0.0, 3.4e38 * 10 };
        for (double v : doubles) {
            System.out.println(v + ": i=" + (int) v + " l=" + (long) v + " f=" + (float) v + " s=" + (short) v
                    + " c=" + (int) (char) v + " b=" + (byte) v);
        }
        float[] floats = { 2.75f, -2.75f, Float.NaN, Float.NEGATIVE_INFINITY, 1e30f, 16777217f };
        for (float v : floats) {
            System.out.println(v + ": i=" + (int) v + " l=" + (long) v + " d=" + (double) v);
        }
        char c = 'A';
        int fromChar = c + 1;
        char back = (char) fromChar;
        byte fromCharB = (byte) '\u0141';
        short fromCharS = (short) '\uffff';
        char fromByte = (char) (byte) -1;
        char fromShort = (char) (short) -2;
        System.out.println(fromChar + " " + back + " " + fromCharB + " " + fromCharS + " " + (int) fromByte + " " + (int) fromShort);
        byte b1 = 10, b2 = 20;
        byte sum = (byte) (b1 + b2 * 10);
        short sh = (short) (sum << 8);
        int widened = sh;
        long lw = widened;
        float fw = lw;
        System.out.println(sum + " " + sh + " " + widened + " " + lw + " " + fw);
        int i = 'x';
        long fromDouble = Math.round(2.5);
        int fromFloat = Math.round(-2.5f);
        System.out.println(i + " " + fromDouble + " " + fromFloat + " " + (int) 'x' / 2 + " " + (char) ('a' + 2));
        double precise = 1 / 3;
        double imprecise = 1 / 3.0;
        float ff = (float) imprecise;
        System.out.println(precise + " " + imprecise + " " + ff + " " + (double) ff);
    }
}
