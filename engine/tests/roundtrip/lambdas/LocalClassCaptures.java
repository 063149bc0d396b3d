import java.util.function.IntSupplier;
import java.util.function.IntUnaryOperator;

// Lambdas inside a local class that use the locals the class captured: the
// lambda captures the class's field holding each.
public class LocalClassCaptures {
    interface Op { int ap(int x); }

    static int run(int base, String label) {
        int scale = base * 3;
        class Counter {
            int count;

            int step(int by) {
                IntUnaryOperator add = x -> x + base + by;
                IntSupplier nested = () -> {
                    Op twice = y -> y * scale + label.length();
                    return twice.ap(count);
                };
                count = add.applyAsInt(count) + nested.getAsInt();
                return count;
            }
        }
        Counter c = new Counter();
        c.step(1);
        return c.step(2);
    }

    public static void main(String[] args) {
        System.out.println(run(5, "abc"));
        System.out.println(run(-7, ""));
    }
}
