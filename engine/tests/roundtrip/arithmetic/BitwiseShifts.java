// Bit manipulation: masks, shifts by large and negative amounts, popcount.
public class BitwiseShifts {
    static int popcount(int v) {
        int n = 0;
        while (v != 0) {
            v &= v - 1;
            n++;
        }
        return n;
    }

    static int reverseBits(int v) {
        int r = 0;
        for (int i = 0; i < 32; i++) {
            r = (r << 1) | (v & 1);
            v >>>= 1;
        }
        return r;
    }

    static boolean isPowerOfTwo(long x) {
        return x > 0 && (x & (x - 1)) == 0;
    }

    static String bin(int v, int width) {
        StringBuilder sb = new StringBuilder();
        for (int i = width - 1; i >= 0; i--) {
            sb.append((v >> i & 1) == 1 ? '1' : '0');
        }
        return sb.toString();
    }

    public static void main(String[] args) {
        int[] samples = { 0, 1, -1, 0x55, 0x80000000, 123456789 };
        for (int s : samples) {
            System.out.println(s + ": pop=" + popcount(s) + " rev=" + reverseBits(s)
                    + " lz=" + Integer.numberOfLeadingZeros(s));
        }
        int x = -16;
        System.out.println(">> " + (x >> 2) + " >>> " + (x >>> 28) + " << " + (x << 3));
        System.out.println("big shift " + (1 << 33) + " " + (1 << -1) + " " + (x >> 36));
        System.out.println("mix " + (0xF0 & 0x3C | 0x01 ^ 0x07) + " " + (~0xFF & 0xFFF));
        long[] longs = { 1L, 64L, 100L, 1L << 62, -8L };
        for (int i = 0; i < longs.length; i++) {
            System.out.print(isPowerOfTwo(longs[i]) ? "P" : "-");
        }
        System.out.println();
        System.out.println(bin(0b1011_0110 & 0xFF, 8) + " " + bin(-3, 12));
        int packed = (3 << 24) | (200 << 16) | (17 << 8) | 255;
        int a = packed >>> 24, r = (packed >> 16) & 0xFF, g = packed >> 8 & 0xFF, bl = packed & 0xFF;
        System.out.println("argb " + a + "," + r + "," + g + "," + bl + " packed=" + packed);
        byte by = (byte) 0xF3;
        System.out.println("byte ops " + (by >> 1) + " " + (by >>> 28) + " " + ((by & 0xFF) >>> 4));
        char ch = 'Z';
        System.out.println("char ops " + (ch | 0x20) + " " + (char) (ch | 0x20) + " " + (ch ^ ' '));
    }
}
