// throw statements: checked exceptions through throws clauses, rethrow,
// exceptions as values stored and thrown later.
import java.io.IOException;

public class ThrowAndRethrow {
    static void check(int v) throws IOException {
        if (v < 0)
            throw new IOException("negative: " + v);
        if (v > 100)
            throw new IllegalArgumentException("too big: " + v);
    }

    static int safeCheck(int v) {
        try {
            check(v);
            return 0;
        } catch (IOException e) {
            System.out.println("io " + e.getMessage());
            return 1;
        } catch (IllegalArgumentException e) {
            System.out.println("iae " + e.getMessage());
            return 2;
        }
    }

    static void rethrow(boolean wrap) throws Exception {
        try {
            throw new IllegalStateException("original");
        } catch (IllegalStateException e) {
            if (wrap)
                throw new Exception("wrapper", e);
            throw e;
        }
    }

    static RuntimeException make(String what) {
        return new RuntimeException(what);
    }

    static int pick(int i) {
        if (i > 2)
            throw make("pick " + i);
        return i * 2;
    }

    public static void main(String[] args) {
        int[] vs = { 5, -3, 500 };
        int total = 0;
        for (int v : vs)
            total += safeCheck(v);
        System.out.println("total " + total);
        boolean[] modes = { false, true };
        for (boolean w : modes) {
            try {
                rethrow(w);
            } catch (Exception e) {
                System.out.println(e.getClass().getName() + ": " + e.getMessage()
                        + (e.getCause() != null ? " cause " + e.getCause().getMessage() : ""));
            }
        }
        int sum = 0;
        for (int i = 0; i < 5; i++) {
            try {
                sum += pick(i);
            } catch (RuntimeException e) {
                System.out.println(e.getMessage());
            }
        }
        System.out.println("sum " + sum);
        Throwable saved = null;
        try {
            Object o = null;
            o.hashCode();
        } catch (Throwable t) {
            saved = t;
        }
        System.out.println("saved " + (saved instanceof NullPointerException));
        try {
            throw new Error("custom error");
        } catch (Error e) {
            System.out.println("error " + e.getMessage());
        }
    }
}
