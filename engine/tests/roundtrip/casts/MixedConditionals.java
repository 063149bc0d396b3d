// Conditionals whose branches have different int-like types: Java gives the
// whole an int unless both branches fit the narrow type, so a branch that
// computes an int must never be cast down to the other branch's type.
public class MixedConditionals {
    static int wide = 0x12345;
    static short s = -2;
    static char c = 'z';
    static byte b = -7;
    static long sink;

    static void mix(long v) {
        sink = sink * 31 + v;
    }

    static int pick(int p) {
        // Either branch may be printed first, so each shape comes both ways.
        mix((long) (p < 5 ? (short) wide : -128 >>> (wide & p)));
        mix((long) (p < 5 ? -128 >>> (wide & p) : (short) wide));
        mix((long) (p > 2 ? c : wide * 3));
        mix((long) (p > 2 ? wide * 3 : c));
        mix((long) (p > 2 ? b : s));
        mix((long) (p > 2 ? s : b));
        mix((long) (p > 2 ? c : 70000));
        mix((long) (p > 2 ? 70000 : c));
        mix((long) (p > 2 ? s : -1));
        mix((long) (p > 2 ? -1 : c));
        int i = p == 1 ? (byte) wide : wide << 4;
        int j = p == 1 ? wide << 4 : (byte) wide;
        long l = p == 2 ? (char) -p : (long) (p * 100000);
        return i + j + (int) l + (p == 3 ? c : p - 1000) + (p == 3 ? p - 1000 : c);
    }

    public static void main(String[] args) {
        long total = 0;
        for (int p = 0; p < 7; p++) total = total * 17 + pick(p);
        System.out.println(total + " " + sink);
    }
}
