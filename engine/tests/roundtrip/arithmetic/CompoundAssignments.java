// Compound assignments on locals, fields, statics and array elements,
// including the implicit narrowing they perform.
public class CompoundAssignments {
    static int counter = 10;
    long total;
    short small = 100;
    static byte[] bytes = { 1, 2, 3, 4 };

    void work(int n) {
        total += n;
        total *= 2;
        small += 30000;
        small >>= 1;
        counter -= n;
    }

    public static void main(String[] args) {
        int a = 5;
        a += 3;
        a -= 1;
        a *= 4;
        a /= 3;
        a %= 5;
        a <<= 6;
        a >>= 2;
        a >>>= 1;
        a &= 0xF0;
        a |= 0x0F;
        a ^= 0x33;
        System.out.println("a = " + a);

        byte b = 120;
        b += 10;
        char c = 'x';
        c += 2;
        c -= 'a' - 'A';
        short s = -1;
        s >>>= 4;
        System.out.println("b = " + b + ", c = " + c + ", s = " + s);

        int i = 10;
        i += 3.7;
        double d = 2;
        d *= i;
        long l = 1L;
        l += Integer.MAX_VALUE;
        l <<= 2;
        float f = 3f;
        f -= 0.5;
        System.out.println("i = " + i + ", d = " + d + ", l = " + l + ", f = " + f);

        CompoundAssignments o = new CompoundAssignments();
        o.work(7);
        o.work(-3);
        System.out.println("total = " + o.total + ", small = " + o.small + ", counter = " + counter);

        int k = 0;
        bytes[k++] += 100;
        bytes[k] *= bytes[k + 1];
        bytes[3] -= bytes[0];
        for (int j = 0; j < bytes.length; j++) {
            System.out.print(bytes[j] + (j + 1 < bytes.length ? "," : "\n"));
        }
        int[] arr = new int[3];
        int idx = 2;
        arr[idx] += arr[0] += 7;
        arr[1] = arr[2] *= 3;
        System.out.println(arr[0] + " " + arr[1] + " " + arr[2] + " k=" + k);
        String str = "x";
        str += 1;
        str += 'c';
        str += 2.5;
        str += null;
        System.out.println(str);
    }
}
