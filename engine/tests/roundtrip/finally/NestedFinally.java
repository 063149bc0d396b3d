// Nested try/finally and try/catch/finally with exceptions passing through.
public class NestedFinally {
    static StringBuilder trace = new StringBuilder();

    static void run(int fail) {
        try {
            trace.append("1");
            try {
                trace.append("2");
                if (fail == 1)
                    throw new IllegalStateException("one");
                trace.append("3");
            } finally {
                trace.append("4");
                if (fail == 2)
                    throw new UnsupportedOperationException("two");
            }
            trace.append("5");
        } catch (IllegalStateException e) {
            trace.append("<ise>");
        } finally {
            trace.append("6");
        }
        trace.append("7");
    }

    static int compute(int x) {
        int r = 0;
        try {
            try {
                r = 100 / x;
            } finally {
                r += 1;
            }
        } catch (ArithmeticException e) {
            r = -r;
        } finally {
            r *= 2;
        }
        return r;
    }

    public static void main(String[] args) {
        for (int f = 0; f <= 2; f++) {
            trace.setLength(0);
            try {
                run(f);
            } catch (RuntimeException e) {
                trace.append("!" + e.getMessage());
            }
            System.out.println(f + ": " + trace);
        }
        System.out.println(compute(7) + " " + compute(0) + " " + compute(-50));
    }
}
