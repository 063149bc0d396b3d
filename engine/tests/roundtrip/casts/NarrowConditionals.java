// Conditionals of constants assigned to byte and short (an int unless one
// branch has the narrow type), and boolean constants combined with & | ^.
public class NarrowConditionals {
    static int wide = 70000;
    static boolean flag = true;
    static boolean seen;

    static short pick(long a) {
        short s = a >= 1L ? (short) wide : (short) (flag ? (short) 32767 : (short) -1);
        byte b = a > 3 ? (flag ? (byte) 1 : (byte) -5) : (byte) 7;
        short t = flag ? (short) 5 : (short) 6;
        short[] arr = {flag ? (short) -300 : (short) 300};
        return (short) (s + b + t + arr[0]);
    }

    static boolean bits() {
        boolean old = seen;
        seen &= (!(Float.MAX_VALUE >= Long.MIN_VALUE)) ^ (seen = true);
        boolean x = old | false ^ (flag = !flag);
        return seen ^ x;
    }

    public static void main(String[] args) {
        for (int round = 0; round < 2; round++) {
            System.out.println(pick(0) + " " + pick(2) + " " + pick(5) + " " + bits() + " " + seen + " " + flag);
            flag = false;
        }
    }
}
