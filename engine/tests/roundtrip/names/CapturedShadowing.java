// Captured locals named like fields of the enclosing class, read next to
// those fields from anonymous classes, lambdas and local classes.
import java.util.function.IntSupplier;
import java.util.function.Supplier;

public class CapturedShadowing {
    String label = "field";
    int count = 100;
    static int total = 1000;

    String anonymous() {
        final String label = String.valueOf("local");
        final int count = label.length();
        Supplier<String> s = new Supplier<String>() {
            public String get() {
                return label + "/" + CapturedShadowing.this.label + "/" + (count + CapturedShadowing.this.count);
            }
        };
        return s.get();
    }

    String plainObject() {
        final String label = String.valueOf("obj");
        Object o = new Object() {
            public String toString() {
                return label + "/" + CapturedShadowing.this.label;
            }
        };
        return o.toString();
    }

    String lambda() {
        String label = String.valueOf("lam");
        int total = label.length();
        Supplier<String> s = () -> label + "/" + this.label + "/" + (total + CapturedShadowing.total) + count;
        return s.get();
    }

    int localClass() {
        final int count = label.length() - 2;
        class Counter {
            int value() {
                return count * 10 + CapturedShadowing.this.count;
            }
        }
        return new Counter().value();
    }

    int anonymousField(final int total) {
        IntSupplier s = new IntSupplier() {
            int count = 40;

            public int getAsInt() {
                return total + count + CapturedShadowing.total + CapturedShadowing.this.count;
            }
        };
        return s.getAsInt();
    }

    public static void main(String[] args) {
        CapturedShadowing c = new CapturedShadowing();
        System.out.println(c.anonymous());
        System.out.println(c.lambda());
        System.out.println(c.plainObject());
        System.out.println(c.localClass());
        System.out.println(c.anonymousField(2));
    }
}
