// Locals of types boolean, char, byte and short that javac stores as int:
// the decompiled types must still compile and print the same.
public class SmallTypes {
    static byte checksum(byte[] data) {
        byte sum = 0;
        for (int i = 0; i < data.length; i++) {
            sum ^= data[i];
        }
        return sum;
    }

    static short clampShort(int v) {
        short s;
        if (v > Short.MAX_VALUE)
            s = Short.MAX_VALUE;
        else if (v < Short.MIN_VALUE)
            s = Short.MIN_VALUE;
        else
            s = (short) v;
        return s;
    }

    static char firstUpper(String s) {
        char found = '-';
        for (int i = 0; i < s.length(); i++) {
            char c = s.charAt(i);
            if (Character.isUpperCase(c)) {
                found = c;
                break;
            }
        }
        return found;
    }

    static boolean anyNegative(int[] xs) {
        boolean neg = false;
        for (int i = 0; i < xs.length && !neg; i++)
            neg = xs[i] < 0;
        return neg;
    }

    static void takeChar(char c) {
        System.out.print("char:" + c + " ");
    }

    static void takeInt(int i) {
        System.out.print("int:" + i + " ");
    }

    public static void main(String[] args) {
        byte[] data = { 0x12, 0x34, (byte) 0xF0, 7 };
        System.out.println(checksum(data) + " " + clampShort(40000) + " " + clampShort(-40000) + " " + clampShort(123));
        System.out.println(firstUpper("decompiLer") + " " + firstUpper("none"));
        System.out.println(anyNegative(new int[] { 1, 2, -3 }) + " " + anyNegative(new int[] { 4 }));
        char c = 'k';
        byte b = 5;
        short s = 1000;
        boolean flag = b > 3;
        takeChar(c);
        takeInt(c);
        takeInt(b);
        takeChar((char) b);
        System.out.println();
        char sum = (char) (c + b);
        short prod = (short) (s * b);
        byte neg = (byte) -b;
        System.out.println(sum + " " + prod + " " + neg + " " + flag + " " + (flag ? c : 'n'));
        char[] buf = new char[3];
        buf[0] = c;
        buf[1] = (char) (c + 1);
        buf[2] = 'x';
        System.out.println(new String(buf) + " " + String.valueOf(c) + Character.valueOf(c));
        boolean b1 = true;
        boolean b2 = !b1;
        boolean b3 = b1 != b2;
        System.out.println(b1 + " " + b2 + " " + b3 + " " + (b1 ^ b3));
        short sh = 10;
        sh++;
        sh *= 3;
        byte by = (byte) sh;
        by--;
        System.out.println(sh + " " + by + " " + (sh + by));
        StringBuilder sb = new StringBuilder();
        sb.append(c).append(b).append(s).append(flag);
        System.out.println(sb);
    }
}
