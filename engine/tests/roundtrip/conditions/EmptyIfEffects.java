// Conditions whose both outcomes go the same way, so the compiled code
// keeps only their evaluation: an out-of-range index, a division by zero, a
// field of a null reference and a failing cast must still throw.
public class EmptyIfEffects {
    int size = 3;

    static void index(long[] a, int i) {
        if ((Long.MAX_VALUE & a[i]) >= 0) {
            return;
        }
    }

    static void divide(int d) {
        if (10 / d > 0) {
            return;
        }
    }

    static void field(EmptyIfEffects e) {
        if (e.size > 2) {
            return;
        }
    }

    static void cast(Object o) {
        if (((String) o).isEmpty() && o != null) {
            return;
        }
    }

    static void length(int[] a) {
        if (a.length > 1) {
            return;
        }
    }

    static void run(String what, Runnable r) {
        try {
            r.run();
            System.out.println(what + " ok");
        } catch (RuntimeException e) {
            System.out.println(what + " threw " + e.getClass().getSimpleName());
        }
    }

    public static void main(String[] args) {
        final long[] a = {1L, 2L};
        run("index in", new Runnable() { public void run() { index(a, 1); } });
        run("index out", new Runnable() { public void run() { index(a, 5); } });
        run("divide", new Runnable() { public void run() { divide(0); } });
        run("field", new Runnable() { public void run() { field(null); } });
        run("length", new Runnable() { public void run() { length(null); } });
        run("cast", new Runnable() { public void run() { cast(Integer.valueOf(1)); } });
    }
}
