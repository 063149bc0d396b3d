// Nested try blocks: inner rethrow, handlers that throw, try inside catch.
public class NestedTry {
    static String attempt(int mode) {
        StringBuilder log = new StringBuilder();
        try {
            log.append("a");
            try {
                log.append("b");
                if (mode == 1)
                    throw new IllegalStateException("inner");
                if (mode == 2)
                    throw new UnsupportedOperationException("outer");
                log.append("c");
            } catch (IllegalStateException e) {
                log.append("[inner:").append(e.getMessage()).append("]");
                if (mode == 1)
                    throw new RuntimeException("wrapped", e);
            }
            log.append("d");
        } catch (UnsupportedOperationException e) {
            log.append("[outer:").append(e.getMessage()).append("]");
        } catch (RuntimeException e) {
            log.append("[rt:").append(e.getMessage()).append("<-").append(e.getCause().getMessage()).append("]");
            try {
                Integer.parseInt("nope");
            } catch (NumberFormatException nfe) {
                log.append("[nfe]");
            }
        }
        log.append("e");
        return log.toString();
    }

    static int depth(int n) {
        try {
            if (n == 0)
                throw new ArithmeticException("bottom");
            return depth(n - 1) + 1;
        } catch (ArithmeticException e) {
            if (n < 3)
                throw e;
            return -n;
        }
    }

    public static void main(String[] args) {
        for (int m = 0; m < 3; m++) {
            System.out.println(m + " " + attempt(m));
        }
        System.out.println("depth " + depth(5));
        try {
            System.out.println("depth " + depth(2));
        } catch (ArithmeticException e) {
            System.out.println("escaped " + e.getMessage());
        }
        int k = 0;
        while (k < 5) {
            try {
                try {
                    if (k % 2 == 0)
                        throw new Exception("even " + k);
                    k += 1;
                } catch (Exception e) {
                    System.out.println(e.getMessage());
                    k += 3;
                }
            } catch (Throwable t) {
                System.out.println("never");
            }
        }
        System.out.println("k " + k);
    }
}
