// finally with returns in the try, in the catch and in the finally itself.
public class FinallyReturn {
    static StringBuilder log = new StringBuilder();

    static int tryReturns(int x) {
        try {
            log.append("t");
            return x * 2;
        } finally {
            log.append("f");
        }
    }

    static int catchReturns(String s) {
        try {
            return Integer.parseInt(s);
        } catch (NumberFormatException e) {
            log.append("c");
            return -1;
        } finally {
            log.append("F");
        }
    }

    @SuppressWarnings("finally")
    static int finallyOverrides(int x) {
        try {
            if (x > 0)
                return x;
            throw new IllegalStateException();
        } finally {
            if (x > 10)
                return 10;
        }
    }

    static int valueBeforeFinally() {
        int v = 1;
        try {
            return v;
        } finally {
            v = 99;
            log.append("v" + v);
        }
    }

    static String withCleanup(int n) {
        String state = "open";
        try {
            if (n == 0)
                return "empty";
            if (n < 0)
                throw new IllegalArgumentException("neg");
            state = "used " + n;
        } finally {
            log.append("[" + state + "]");
        }
        return state;
    }

    public static void main(String[] args) {
        System.out.println(tryReturns(21) + " " + log);
        System.out.println(catchReturns("8") + " " + catchReturns("z") + " " + log);
        System.out.println(finallyOverrides(5) + " " + finallyOverrides(50));
        try {
            finallyOverrides(-1);
        } catch (IllegalStateException e) {
            System.out.println("escaped");
        }
        System.out.println(valueBeforeFinally() + " " + log);
        System.out.println(withCleanup(0) + " " + withCleanup(3));
        try {
            withCleanup(-2);
        } catch (IllegalArgumentException e) {
            System.out.println("neg " + log);
        }
    }
}
