// dialect: modern
import java.util.ArrayList;
import java.util.List;
import java.util.function.IntPredicate;

public class AssertShapes {
    static int disabled(int x) {
        // read before any nested class asks: assertions are off here
        assert x > 100 : "never checked";
        return x;
    }

    static class Checks {
        static int count;

        static int positive(int x) {
            assert x > 0 : "x must be positive: " + x;
            return x * 2;
        }

        static void plain(int x) {
            assert x != 5;
        }

        static void never() {
            assert false;
        }

        static void both(int a, int b) {
            assert a > 0 && b > 0 : a + "," + b;
            assert a < 10 || b < 10 : 'c';
        }

        // javac's condition for a conditional is no longer one `if`
        static int conditional(int a, int b) {
            assert a > 0 ? b > 0 : b < 0 : "signs " + a + " " + b;
            return a * b;
        }

        static void messages(int kind, long l, double d, boolean z, char c, byte by) {
            switch (kind) {
            case 0: assert l < 0 : l; break;
            case 1: assert d < 0 : d; break;
            case 2: assert !z : z; break;
            case 3: assert c == 'q' : c; break;
            case 4: assert by < 0 : by; break;
            case 5: assert by < 0 : (int) c; break;
            default: assert kind < 0 : null; break;
            }
        }

        static int inLoop(int[] values) {
            int sum = 0;
            for (int v : values) {
                assert v >= 0 : "negative " + v;
                sum += v;
            }
            return sum;
        }

        static int sideEffect(int x) {
            assert ++count > 0 : count++;
            return x + count;
        }

        static IntPredicate lambda() {
            return v -> {
                assert v != 3 : "lambda " + v;
                return v > 1;
            };
        }

        int instance(List<String> xs) {
            assert xs != null && !xs.isEmpty() : xs;
            return xs.size();
        }
    }

    static class Inner {
        class Deeper {
            String f(String s) {
                assert s.length() < 5 : s;
                return s + "!";
            }
        }
    }

    static void attempt(String label, Runnable r) {
        try {
            r.run();
            System.out.println(label + ": ok");
        } catch (AssertionError e) {
            System.out.println(label + ": " + e.getMessage());
        }
    }

    public static void main(String[] args) {
        System.out.println(disabled(3));
        AssertShapes.class.getClassLoader().setClassAssertionStatus("AssertShapes", true);
        attempt("positive", () -> System.out.println(Checks.positive(3)));
        attempt("positive-", () -> Checks.positive(-2));
        attempt("plain", () -> Checks.plain(5));
        attempt("plain ok", () -> Checks.plain(4));
        attempt("never", Checks::never);
        attempt("both", () -> Checks.both(1, -1));
        attempt("both2", () -> Checks.both(12, 11));
        attempt("conditional", () -> System.out.println(Checks.conditional(2, 3)));
        attempt("conditional-", () -> Checks.conditional(-2, 3));
        for (int k = 0; k < 7; ++k) {
            final int kind = k;
            attempt("messages " + k, () -> Checks.messages(kind, 4L, 2.5, true, 'x', (byte) 7));
        }
        attempt("loop", () -> System.out.println(Checks.inLoop(new int[] {1, 2, 3})));
        attempt("loop-", () -> Checks.inLoop(new int[] {1, -2, 3}));
        attempt("side", () -> System.out.println(Checks.sideEffect(1) + " " + Checks.count));
        attempt("lambda", () -> System.out.println(Checks.lambda().test(2)));
        attempt("lambda3", () -> Checks.lambda().test(3));
        attempt("instance", () -> new Checks().instance(new ArrayList<>()));
        attempt("deeper", () -> System.out.println(new Inner().new Deeper().f("abc")));
        attempt("deeper-", () -> new Inner().new Deeper().f("abcdef"));
        Runnable anonymous = new Runnable() {
            public void run() {
                assert args.length > 10 : "anonymous " + args.length;
            }
        };
        attempt("anonymous", anonymous);
    }
}
