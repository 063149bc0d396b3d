// do/while loops, including ones with continue and ones whose body runs once.
public class DoWhileLoops {
    static int digits(int n) {
        int d = 0;
        do {
            d++;
            n /= 10;
        } while (n != 0);
        return d;
    }

    static String toBase(int value, int base) {
        StringBuilder sb = new StringBuilder();
        boolean neg = value < 0;
        long v = Math.abs((long) value);
        do {
            int digit = (int) (v % base);
            sb.insert(0, (char) (digit < 10 ? '0' + digit : 'a' + digit - 10));
            v /= base;
        } while (v > 0);
        if (neg)
            sb.insert(0, '-');
        return sb.toString();
    }

    public static void main(String[] args) {
        System.out.println(digits(0) + " " + digits(9) + " " + digits(12345) + " " + digits(-700));
        System.out.println(toBase(255, 16) + " " + toBase(-10, 2) + " " + toBase(0, 8) + " " + toBase(Integer.MIN_VALUE, 36));
        int i = 0;
        int sum = 0;
        do {
            i++;
            if (i % 3 == 0)
                continue;
            sum += i;
        } while (i < 20);
        System.out.println("sum " + sum);
        int tries = 0;
        int x = 1;
        do {
            x = x * 5 % 17;
            tries++;
        } while (x != 1 && tries < 100);
        System.out.println("order " + tries);
        int outer = 0;
        do {
            int inner = outer;
            do {
                System.out.print(inner);
                inner += 2;
            } while (inner < 6);
            System.out.print('|');
            outer++;
        } while (outer < 3);
        System.out.println();
        int once = 10;
        do {
            once--;
        } while (false);
        System.out.println("once " + once);
        int k = 5;
        do
            k -= 2;
        while (k > 0);
        System.out.println("k " + k);
    }
}
