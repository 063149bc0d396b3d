// Compound conditions in loop headers and inside loops: && and || with
// side effects, negations and conditional expressions as conditions.
public class LoopConditions {
    static int probes;

    static boolean probe(int v, int limit) {
        probes++;
        return v < limit;
    }

    public static void main(String[] args) {
        int i = 0;
        while (probe(i, 10) && (i % 4 != 3 || i < 4))
            i++;
        System.out.println("i=" + i + " probes=" + probes);
        int j = 20;
        do {
            j -= 3;
        } while (j > 0 && !(j % 5 == 0) || j == 10);
        System.out.println("j=" + j);
        int hits = 0;
        for (int k = 0; k < 30 && hits < 5; k++) {
            if (k % 2 == 0 || k % 3 == 0 && k > 10)
                continue;
            hits++;
        }
        System.out.println("hits=" + hits);
        boolean up = true;
        int v = 0;
        int turns = 0;
        while (turns < 3) {
            v += up ? 2 : -1;
            if (up ? v >= 6 : v <= 0) {
                up = !up;
                turns++;
            }
        }
        System.out.println("v=" + v + " up=" + up);
        String s = "a,b,,c";
        int commas = 0;
        for (int p = 0; p < s.length(); p++)
            if (s.charAt(p) == ',' && (p + 1 >= s.length() || s.charAt(p + 1) != ','))
                commas++;
        System.out.println("commas=" + commas);
        int n = 0;
        while (!(n >= 5 || n * n > 10))
            n++;
        System.out.println("n=" + n);
        long a = 0, b = 1;
        while (b < 1000 || a % 2 == 1) {
            long t = a + b;
            a = b;
            b = t;
        }
        System.out.println(a + " " + b);
    }
}
