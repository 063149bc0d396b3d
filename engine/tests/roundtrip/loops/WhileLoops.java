// while loops: pre-tested, with complex conditions, nested, and with
// assignments inside the condition.
public class WhileLoops {
    static int collatzSteps(long n) {
        int steps = 0;
        while (n != 1) {
            n = (n % 2 == 0) ? n / 2 : 3 * n + 1;
            steps++;
        }
        return steps;
    }

    static int indexOf(char[] cs, char c) {
        int i = 0;
        while (i < cs.length && cs[i] != c)
            i++;
        return i < cs.length ? i : -1;
    }

    static String reverse(String s) {
        char[] cs = s.toCharArray();
        int lo = 0, hi = cs.length - 1;
        while (lo < hi) {
            char t = cs[lo];
            cs[lo++] = cs[hi];
            cs[hi--] = t;
        }
        return new String(cs);
    }

    static int readAll(java.io.Reader r) throws java.io.IOException {
        int c;
        int sum = 0;
        while ((c = r.read()) != -1) {
            sum += c;
        }
        return sum;
    }

    public static void main(String[] args) throws Exception {
        System.out.println(collatzSteps(27) + " " + collatzSteps(1) + " " + collatzSteps(97));
        char[] cs = "decompile".toCharArray();
        System.out.println(indexOf(cs, 'o') + " " + indexOf(cs, 'z') + " " + indexOf(cs, 'd'));
        System.out.println(reverse("round trip") + "|" + reverse("") + "|" + reverse("x"));
        System.out.println(readAll(new java.io.StringReader("abc")));
        int row = 0;
        while (row < 4) {
            int col = 0;
            StringBuilder line = new StringBuilder();
            while (col <= row) {
                line.append(row * col).append(' ');
                col++;
            }
            System.out.println(line.toString().trim());
            row++;
        }
        int n = 100;
        int digits = 0;
        while ((n /= 10) > 0)
            digits++;
        System.out.println("digits " + digits);
        int a = 0, b = 50;
        while (a < b) {
            if (a % 7 == 6) {
                a += 5;
                continue;
            }
            a += 3;
            b -= 2;
        }
        System.out.println("a=" + a + " b=" + b);
    }
}
