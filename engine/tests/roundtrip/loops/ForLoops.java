// for loops: counting up and down, several variables, empty parts,
// loops over arrays, and loops whose update is not ++.
public class ForLoops {
    static int[] primes(int limit) {
        boolean[] composite = new boolean[limit + 1];
        int count = 0;
        for (int i = 2; i <= limit; i++) {
            if (!composite[i]) {
                count++;
                for (int j = i * i; j <= limit; j += i)
                    composite[j] = true;
            }
        }
        int[] out = new int[count];
        for (int i = 2, k = 0; i <= limit; i++)
            if (!composite[i])
                out[k++] = i;
        return out;
    }

    public static void main(String[] args) {
        int[] ps = primes(60);
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < ps.length; i++) {
            if (i > 0)
                sb.append(' ');
            sb.append(ps[i]);
        }
        System.out.println(sb);
        for (int i = 10; i > 0; i -= 3)
            System.out.print(i + " ");
        System.out.println();
        for (int i = 0, j = 10; i < j; i++, j--)
            System.out.print(i + ":" + j + " ");
        System.out.println();
        int n = 0;
        for (; n < 5; )
            n += 2;
        System.out.println("n " + n);
        long product = 1;
        for (long p = 1; p < 1000000; p *= 7)
            product += p;
        System.out.println("product " + product);
        String[] words = { "alpha", "beta", "gamma", "delta" };
        int total = 0;
        for (String w : words)
            total += w.length();
        System.out.println("total " + total);
        char[] letters = new char[5];
        for (char c = 'a'; c < 'a' + letters.length; c++)
            letters[c - 'a'] = Character.toUpperCase(c);
        System.out.println(new String(letters));
        double x = 1;
        for (int i = 0; i < 20; i++) {
            if (x > 100)
                break;
            x *= 1.5;
        }
        System.out.println("x " + x);
        int acc = 0;
        for (int i = 0; i < 4; i++) {
            for (int j = 0; j < 4; j++) {
                if (j == i)
                    continue;
                acc += i * j;
            }
        }
        System.out.println("acc " + acc);
        for (int i = 0; i < 3; i++) {
            int square = i * i;
            System.out.print(square);
        }
        for (int i = 5; i < 8; i++) {
            String s = "#" + i;
            System.out.print(s);
        }
        System.out.println();
    }
}
