// A finally body whose condition is a ternary of tests with a return inside:
// the end of the finally body must stay last, after the return's branch.
public class FinallyConditionalReturn {
    static int limit = 2;
    static int count;

    static boolean ternary(String s) {
        try {
            count++;
        } finally {
            if (limit > 2 ? s.equals("q") : s.isEmpty()) {
                return false;
            }
        }
        return true;
    }

    static int assigned(String s) {
        boolean seen = false;
        try {
            count += s.length();
        } catch (RuntimeException e) {
            return -1;
        } finally {
            if ((seen = s.length() > 1) ? s.startsWith("a") : (seen = s.endsWith("z"))) {
                return seen ? 10 : 20;
            }
            count *= 3;
        }
        return seen ? 1 : 2;
    }

    static String mixed(int x) {
        String r = "start";
        try {
            r += x;
        } finally {
            if (x > 0 && (x % 2 == 0 ? x > 10 : x < 5)) {
                return r + " early";
            }
            r += " late";
        }
        return r;
    }

    public static void main(String[] args) {
        String[] inputs = {"q", "", "abc", "xyz", "z", "aa"};
        for (int round = 0; round < 2; round++) {
            for (String s : inputs) {
                System.out.println(s + " " + ternary(s) + " " + assigned(s) + " " + count);
            }
            limit = 5;
        }
        for (int x = -2; x < 14; x += 3) {
            System.out.println(mixed(x));
        }
    }
}
